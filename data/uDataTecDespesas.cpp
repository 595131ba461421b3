// The lines that only feed the order's totals: travel expenses, extra
// expenses and the planned products of the order's project. Each change ends
// with the header summed again: an expense writes its own column and posts
// the header (whose before-post re-totals the whole order), a project line
// edits and posts the header.

#include "data/uDataTec.h"
#include "data/uDataTecExclusao.h"
#include "data/uDataTecLinhas.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"

using host::data::Dataset;
using host::data::DatasetState;
using host::data::Field;
using uDataTec::gravarExclusao;

namespace {

// The time of day as the host keeps it: on day zero.
QDateTime horaAtual()
{
    return QDateTime(host::data::diaZero(), QTime::currentTime());
}

// Puts the header into edit (through its guard) and posts it: its before-post
// handler sums the whole order again and its after-post commits.
void postarCabecalho(TdmTec& tec)
{
    if (semCabecalho(tec))
        return;
    if (tec.quOS->state() == DatasetState::Browse)
        tec.quOS->edit();
    tec.quOS->post();
}

// One expense column summed again into the header, which is then posted.
void atualizarDespesa(TdmTec& tec, Field* coluna, const char* soma, const char* tabela)
{
    if (semCabecalho(tec))
        return;
    const double valor = CarregaNumero(QString::fromLatin1(soma), QString::fromLatin1(tabela),
                                       "WHERE AOCODIGO = " + tec.quOSAOCODIGO->asString());
    if (tec.quOS->state() == DatasetState::Browse)
        tec.quOS->edit();
    coluna->setAsFloat(valor);
    tec.quOS->post();
}

int proximaViagem(int ordem)
{
    return uDataTecLinhas::proximaDaOrdem("avcodigo", "AATC01AV", ordem);
}

int proximaDespesaExtra(int ordem)
{
    return int(MaximoDado("axCodigo", "aatc01ax", "aocodigo", QString::number(ordem))) + 1;
}

void despesaGravada(TdmTec& tec, Field* coluna, const char* soma, const char* tabela)
{
    if (semCabecalho(tec))
        return;
    if (parametroAparado("ATFORMULATOTALOS") == "I")
        OrdemServicoAtualizaTotalizador(tec.quOSAOCODIGO->asInteger());
    else
        atualizarDespesa(tec, coluna, soma, tabela);
}

}  // namespace

// ---- travel expenses --------------------------------------------------------

void TdmTec::quOSDespViagemNewRecord(Dataset& DataSet)
{
    quOSDespViagemAVDATA->setAsDateTime(hoje());
    quOSDespViagemAVHORAINICIO->setAsDateTime(horaAtual());
    quOSDespViagemAVHORAFIM->setAsDateTime(horaAtual());
    for (Field* campo : {quOSDespViagemAVPEDQUANTIDADE, quOSDespViagemAVPEDVALOR, quOSDespViagemAVPEDVALORTOTAL,
                         quOSDespViagemAVKMVALOR, quOSDespViagemAVKMPERCORRIDO, quOSDespViagemAVKMVALORTOTAL,
                         quOSDespViagemAVVALORTOTAL})
        campo->setAsFloat(0);
    const double valorKm = dmGlobal->ParametroNumero("ATVALORKM");
    if (valorKm > 0)
        quOSDespViagemAVKMVALOR->setAsFloat(valorKm);
    quOSDespViagemAOCODIGO->setAsInteger(quOSAOCODIGO->asInteger());
    quOSDespViagemAVCODIGO->setAsInteger(proximaViagem(quOSAOCODIGO->asInteger()));
    ZelDevVerificarEvento(&DataSet, "ONNEWRECORD");
}

// The numbers of new expenses are taken again when they are stored: another
// desk may have saved an expense of the order since this one was created.
void TdmTec::quOSDespViagemBeforePost(Dataset& DataSet)
{
    if (DataSet.state() == DatasetState::Insert)
        quOSDespViagemAVCODIGO->setAsInteger(proximaViagem(quOSDespViagemAOCODIGO->asInteger()));
    NotificarBeforePost(DataSet);
}

void TdmTec::quOSDespExtraBeforePost(Dataset& DataSet)
{
    if (DataSet.state() == DatasetState::Insert)
        quOSDespExtraAXCODIGO->setAsInteger(proximaDespesaExtra(quOSDespExtraAOCODIGO->asInteger()));
    NotificarBeforePost(DataSet);
}

// The edit guard of both expense datasets.
void TdmTec::quOSDespViagemBeforeEdit(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, "BEFOREEDIT");
}

void TdmTec::quOSDespViagemBeforeDelete(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, "BEFOREDELETE");
    sCodigoExcluido = quOSDespViagemAOCODIGO->asString() + "/" + quOSDespViagemAVDATA->asString();
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
}

void TdmTec::quOSDespViagemAVPEDQUANTIDADEChange(Field&)
{
    quOSDespViagemAVPEDVALORTOTAL->setAsFloat(quOSDespViagemAVPEDQUANTIDADE->asFloat() *
                                              quOSDespViagemAVPEDVALOR->asFloat());
}

void TdmTec::quOSDespViagemAVKMVALORChange(Field&)
{
    quOSDespViagemAVKMVALORTOTAL->setAsFloat(quOSDespViagemAVKMPERCORRIDO->asFloat() *
                                             quOSDespViagemAVKMVALOR->asFloat());
}

void TdmTec::quOSDespViagemAVPEDVALORTOTALChange(Field&)
{
    quOSDespViagemAVVALORTOTAL->setAsFloat(quOSDespViagemAVPEDVALORTOTAL->asFloat() +
                                           quOSDespViagemAVKMVALORTOTAL->asFloat());
}

void TdmTec::quOSDespViagemATCODIGOChange(Field&)
{
    const int tecnico = quOSDespViagemATCODIGO->asInteger();
    if (tecnico > 0)
        quOSDespViagemATNOME->setAsString(
            CarregaDado("atNome", "Aatc06at", "Where atCodigo = " + QString::number(tecnico)));
}

void TdmTec::quOSDespViagemAfterPost(Dataset& DataSet)
{
    despesaGravada(*this, quOSAODESPVIAGEM, "Sum(avValorTotal)", "AATC01AV");
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
}

void TdmTec::quOSDespViagemAfterDelete(Dataset& DataSet)
{
    gravarExclusao("Deletou Desp. de Viagem", "Número O.S./Data:", "AATC01AV");
    atualizarDespesa(*this, quOSAODESPVIAGEM, "Sum(avValorTotal)", "AATC01AV");
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

// ---- extra expenses ---------------------------------------------------------

void TdmTec::quOSDespExtraNewRecord(Dataset& DataSet)
{
    quOSDespExtraAXDATA->setAsDateTime(hoje());
    quOSDespExtraAXVALOR->setAsFloat(0);
    quOSDespExtraAOCODIGO->setAsInteger(quOSAOCODIGO->asInteger());
    quOSDespExtraAXCODIGO->setAsInteger(proximaDespesaExtra(quOSAOCODIGO->asInteger()));
    ZelDevVerificarEvento(&DataSet, "ONNEWRECORD");
}

void TdmTec::quOSDespExtraBeforeDelete(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, "BEFOREDELETE");
    sCodigoExcluido = quOSDespExtraAOCODIGO->asString() + "/" + quOSDespExtraAXNUMERO->asString();
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
}

// Only a supplier of type "T" is a carrier. An emptied code is no carrier and
// needs no check.
void TdmTec::quOSDespExtraFOCODIGOTRANSPORTADORChange(Field&)
{
    const QString codigo = quOSDespExtraFOCODIGOTRANSPORTADOR->asString();
    if (codigo.trimmed().isEmpty()) {
        quOSDespExtraTRANSPORTADORA->setAsString({});
        return;
    }
    if (ContadorDados("FCod", "Augc0501", codigo) == 0)
        dmGlobal->MostraAviso("Código não encontrado.", true);
    if (CarregaDado("FTipo", "Augc0501", "Where fCod = " + QuotedStr(codigo)).trimmed() != "T")
        dmGlobal->MostraErro("Fornecedor selecionado não do Tipo \"Transportadora\".");
    quOSDespExtraTRANSPORTADORA->setAsString(CarregaDado("FNome", "Augc0501", "Where FCod = " + QuotedStr(codigo)));
}

void TdmTec::quOSDespExtraPRCODIGOChange(Field&)
{
    quOSDespExtraDESCRICAOPRODUTO->setAsString(
        CarregaDado("DESCRICAO", "ACEC1101", "WHERE CODIGO =" + QuotedStr(quOSDespExtraPRCODIGO->asString())));
}

// An emptied technician has no name (a quoted empty code is no number to
// the database).
void TdmTec::quOSDespExtraATCODIGOChange(Field&)
{
    if (quOSDespExtraATCODIGO->isNull()) {
        quOSDespExtraNOMETECNICO->setAsString({});
        return;
    }
    quOSDespExtraNOMETECNICO->setAsString(
        CarregaDado("ATNOME", "AATC06AT", "WHERE ATCODIGO =" + QuotedStr(quOSDespExtraATCODIGO->asString())));
}

void TdmTec::quOSDespExtraAfterPost(Dataset& DataSet)
{
    despesaGravada(*this, quOSAODESPDIVERSAS, "Sum(AxValor)", "AATC01AX");
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
}

void TdmTec::quOSDespExtraAfterDelete(Dataset& DataSet)
{
    gravarExclusao("Deletou Desp. Extra da O.S.", "Número O.S./Nº Documento:", "AATC01AX");
    atualizarDespesa(*this, quOSAODESPDIVERSAS, "Sum(AxValor)", "AATC01AX");
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

// ---- planned products of the project ------------------------------------------

void TdmTec::quOSProjNewRecord(Dataset& DataSet)
{
    ZerarNumericField(DataSet);
    quOSProjAQDATA->setAsDateTime(hoje());
}

// Quantity times the discounted unit price, cut (not rounded) to cents.
void TdmTec::quOSProjAQQUANTIDADEChange(Field&)
{
    quOSProjAQVALORTOTAL->setAsFloat(Corta2Casas(
        quOSProjAQQUANTIDADE->asFloat() * (quOSProjAQVALOR->asFloat() * (1 - quOSProjAQDESCONTO->asFloat() / 100))));
}

void TdmTec::quOSProjPRCODIGOChange(Field&)
{
    const QString codigo = quOSProjPRCODIGO->asString();
    if (codigo.trimmed().isEmpty())
        return;
    quOSProjDESCRICAO->setAsString(CarregaDado("descricao", "acec1101", "where codigo=" + QuotedStr(codigo)));
    quOSProjAQVALOR->setAsFloat(
        CarregaNumero("pco_venda", "acec1101", "where pco_venda>0 and codigo=" + QuotedStr(codigo)));
}

void TdmTec::quOSProjBeforePost(Dataset& DataSet)
{
    quOSProjAQQUANTIDADEChange(*quOSProjAQQUANTIDADE);
    if (DataSet.state() != DatasetState::Insert)
        return;
    const int ordem = quOSAOCODIGO->asInteger();
    quOSProjAOCODIGO->setAsInteger(ordem);
    quOSProjAQCODIGO->setAsInteger(int(MaximoDado("aqcodigo", "aatc01aq", "aoCodigo", QString::number(ordem))) + 1);
}

void TdmTec::quOSProjBeforeDelete(Dataset&)
{
    sCodigoExcluido = quOSProjAOCODIGO->asString() + "/" + quOSProjPRCODIGO->asString();
}

void TdmTec::quOSProjAfterDelete(Dataset& DataSet)
{
    gravarExclusao("Deletou Projeto da O.S.", "Número O.S./Código:", "AATC01AQ");
    postarCabecalho(*this);
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

void TdmTec::quOSProjAfterPost(Dataset& DataSet)
{
    dmGlobal->IBTransaction1->commitRetaining();
    quOSProj->refresh();
    postarCabecalho(*this);
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
}
