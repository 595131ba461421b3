// The small records hung off service-order data: the time entries of a
// service line, the defects of a service line and the defects of an order
// item or of a sales-document item. Their keys are the maximum plus one read
// at the post; time entries and item defects commit at once and report
// nothing to the customisation hook.

#include "data/uDataTec.h"
#include "data/uDataTecExclusao.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/schema/SchemaDefinition.h"

#include <cmath>

using host::data::Dataset;
using host::data::DatasetState;
using host::data::Field;
using uDataTec::gravarExclusao;

namespace {

// The defect text of a chosen code; 0 or less keeps the text shown.
void textoDefeito(Field& codigo, Field* descricao)
{
    const int defeito = codigo.asInteger();
    if (defeito > 0)
        descricao->setAsString(
            CarregaDado("adDescricao", "AATC02AD", "where adCodigo = " + QString::number(defeito)));
}

}  // namespace

// ---- time entries of a service line -----------------------------------------

void TdmTec::quOSAndaItNewRecord(Dataset&)
{
    quOSAndaItAACODIGO->setAsInteger(quOSAndamentoAACODIGO->asInteger());
    quOSAndaItAOCODIGO->setAsInteger(quOSAndamentoAOCODIGO->asInteger());
    quOSAndaItATCODIGO->setValue(quOSAndamentoATCODIGO->value());
    quOSAndaItAAITDATA->setAsDateTime(hoje());
}

// The sequence counts within the entry's own line: the row carries the line
// it was created for, even if the service-line list has moved since.
void TdmTec::quOSAndaItBeforePost(Dataset& DataSet)
{
    if (DataSet.state() != DatasetState::Insert)
        return;
    const double maior = CarregaNumero("Max(AAITSEQUENCIA)", "AATC01AAIT",
                                       "Where aoCodigo =" + quOSAndaItAOCODIGO->asString() +
                                           " and aaCodigo  =" + quOSAndaItAACODIGO->asString());
    quOSAndaItAAITSEQUENCIA->setAsInteger(static_cast<int>(std::trunc(maior)) + 1);
}

void TdmTec::quOSAndaItAfterPost(Dataset&)
{
    commitRetaining();
}

void TdmTec::quOSAndaItAfterDelete(Dataset&)
{
    commitRetaining();
}

// ---- defects of a service line ----------------------------------------------

void TdmTec::quOSAndDefNewRecord(Dataset& DataSet)
{
    quOSAndDefAACODIGO->setAsInteger(quOSAndamentoAACODIGO->asInteger());
    quOSAndDefAOCODIGO->setAsInteger(quOSAndamentoAOCODIGO->asInteger());
    quOSAndDefAOITCODIGO->setValue(quOSAndamentoAOITCODIGO->value());
    quOSAndDefPRCODIGO->setAsString(quOSAndamentoPRCODIGO->asString());
    ZelDevVerificarEvento(&DataSet, "ONNEWRECORD");
}

// The key is unique over the whole table, not per line.
void TdmTec::quOSAndDefBeforePost(Dataset& DataSet)
{
    if (DataSet.state() == DatasetState::Insert)
        quOSAndDefAAADSEQUENCIA->setAsInteger(
            ProximaChave(host::schema::kGeneratorLineDefect, "AAADSEQUENCIA", "AATC01AAAD"));
    ZelDevVerificarEvento(&DataSet, "BEFOREPOST");
}

void TdmTec::quOSAndDefAfterPost(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
    commitRetaining();
}

void TdmTec::quOSAndDefBeforeDelete(Dataset& DataSet)
{
    sCodigoExcluido = quOSAndDefADCODIGO->asString() + "/" + quOSAndDefADDESCRICAO->asString();
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
}

// No commit: the deletion goes with the next commit of the transaction.
void TdmTec::quOSAndDefAfterDelete(Dataset& DataSet)
{
    gravarExclusao("Deletou um Defeito de Serviço da OS", "Código/Descrição:", "AATC01AAAD");
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

void TdmTec::quOSAndDefBeforeClose(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "BEFORECLOSE");
}

void TdmTec::quOSAndDefADCODIGOChange(Field& Sender)
{
    textoDefeito(Sender, quOSAndDefADDESCRICAO);
}

// ---- defects of an order item or of a sales-document item --------------------

// The numeric columns are zeroed first and the owner written after: the list
// is filtered by the owner, so a row zeroed after it would vanish from it.
void TdmTec::quOSItemDefNewRecord(Dataset& DataSet)
{
    ZerarNumericField(DataSet);
    quOSItemDefAOCODIGO->setAsInteger(iDefeitoAOCODIGO);
    quOSItemDefAOITCODIGO->setAsInteger(iDefeitoAOITCODIGO);
    quOSItemDefMEITSEQUENCIA->setAsInteger(iDefeitoMEITSEQUENCIA);
    quOSItemDefMECHAVE->setAsFloat(rDefeitoMECHAVE);
}

void TdmTec::quOSItemDefBeforePost(Dataset& DataSet)
{
    if (DataSet.state() == DatasetState::Insert)
        quOSItemDefAOADCODIGO->setAsInteger(
            ProximaChave(host::schema::kGeneratorItemDefect, "AOADCODIGO", "AATC01AOAD"));
}

void TdmTec::quOSItemDefAfterPost(Dataset&)
{
    commitRetaining();
}

void TdmTec::quOSItemDefAfterDelete(Dataset&)
{
    commitRetaining();
}

void TdmTec::quOSItemDefADCODIGOChange(Field& Sender)
{
    textoDefeito(Sender, quOSItemDefADDESCRICAO);
}

void TdmTec::bindDefeitoHandlers()
{
    quOSAndDefADCODIGO->onChange = [this](Field& f) { quOSAndDefADCODIGOChange(f); };
    quOSItemDefADCODIGO->onChange = [this](Field& f) { quOSItemDefADCODIGOChange(f); };
}
