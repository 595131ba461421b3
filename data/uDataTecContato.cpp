// Progress records of an order (the host's contact table, origin "A") as
// the situation-change dialog and the progress screens append them: the
// key per customer, the dates and the owner come from the order.

#include "data/uDataTec.h"
#include "data/uDataTecLinhas.h"
#include "data/uDataTecExclusao.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/ui/WindowRegistry.h"
#include "host/db/Database.h"

using host::data::Dataset;
using host::data::Field;

namespace {

int proximaSequencia(const QString& cliente)
{
    return 1 + int(CarregaNumero("Max(sequencia)", "CadCom", "Where cod_cli = " + QuotedStr(cliente)));
}

}  // namespace

void TdmTec::quOSContatoNewRecord(Dataset& DataSet)
{
    quOSContatoDATA_SOLICITADA->setValue(QDate::currentDate());
    quOSContatoHORA_SOLICITADA->setValue(QTime::currentTime());
    quOSContatoCOD_CLI->setAsString(quOSCLCODIGO->asString());
    quOSContatoCONTRATO->setValue(quOSAOCODIGO->value());
    quOSContatoPESSOA_CONTATO->setAsString(quOSAOCONTATO->asString());
    quOSContatoIDORIGEM->setAsString("A");
    quOSContatoSEQUENCIA->setAsInteger(proximaSequencia(quOSCLCODIGO->asString()));
    host::ui::Form* andamento = host::ui::WindowRegistry::find("fmAssAndamento");
    if (andamento && andamento == host::ui::WindowRegistry::activeForm() && quPesqOS->active())
        quOSContatoAOITCODIGO->setValue(quPesqOS->fieldByName("AOITCODIGO")->value());
    else if (quOSItem->active())
        quOSContatoAOITCODIGO->setValue(quOSItemAOITCODIGO->value());
    ZelDevVerificarEvento(&DataSet, "ONNEWRECORD");
}

// The key is read again at the moment of posting: another record of the
// customer may have been written meanwhile.
void TdmTec::quOSContatoBeforePost(Dataset& DataSet)
{
    if (DataSet.state() == host::data::DatasetState::Insert)
        quOSContatoSEQUENCIA->setAsInteger(proximaSequencia(quOSContatoCOD_CLI->asString()));
    ZelDevVerificarEvento(&DataSet, "BEFOREPOST");
}

void TdmTec::quOSContatoAfterPost(Dataset& DataSet)
{
    // The audit row is committed with the record it tells of.
    const QDateTime agora = QDateTime::currentDateTime();
    dmGlobal->GravaLog(IbUserName(), "Alterou andamento de O.S.)", "OS.:" + quOSContatoCONTRATO->asString(), "CADCOM",
                       host::db::localDateTime(agora.date()), agora);
    dmGlobal->IBTransaction1->commitRetaining();
    quOSContato->refresh();
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
}

// A record refers to a stored order and item: those still being inserted are saved first.
void TdmTec::quOSContatoBeforeInsert(Dataset&)
{
    if (quOS->state() == host::data::DatasetState::Insert)
        SalvarAlteracoes(*quOS);
    uDataTecLinhas::gravarItemPendente(*this);
}

void TdmTec::quOSContatoBeforeDelete(Dataset& DataSet)
{
    sCodigoExcluido = quOSContatoCONTRATO->asString() + "/" + quOSContatoDATA_SOLICITADA->asString();
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
}

void TdmTec::quOSContatoAfterDelete(Dataset& DataSet)
{
    uDataTec::gravarExclusao("Deletou Assentamentos da O.S.", "Número O.S./Data:", "CADCOM");
    dmGlobal->IBTransaction1->commitRetaining();
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

// Worked minutes between the start and the end; an end earlier than the
// start is work across midnight.
void TdmTec::quOSContatoHORA_VISITAChange(Field&)
{
    // An empty time counts as midnight.
    const int inicio = quOSContatoHORA_VISITA->asDateTime().time().msecsSinceStartOfDay();
    const int fim = quOSContatoCTHORAFINAL->asDateTime().time().msecsSinceStartOfDay();
    qint64 segundos = qRound64((fim - inicio) / 1000.0);
    if (inicio > fim)
        segundos += 86400;
    quOSContatoCTTEMPOTOTAL->setAsInteger(int(segundos / 60));
}

void TdmTec::quOSContatoCTHORAFINALChange(Field& Sender)
{
    quOSContatoHORA_VISITAChange(Sender);
}

void TdmTec::bindContatoHandlers()
{
    auto on = [this](void (TdmTec::*handler)(Dataset&)) {
        return [this, handler](Dataset& dataset) { (this->*handler)(dataset); };
    };
    auto onField = [this](void (TdmTec::*handler)(Field&)) {
        return [this, handler](Field& field) { (this->*handler)(field); };
    };
    quOSContato->beforeInsert = on(&TdmTec::quOSContatoBeforeInsert);
    quOSContato->beforeDelete = on(&TdmTec::quOSContatoBeforeDelete);
    quOSContato->afterDelete = on(&TdmTec::quOSContatoAfterDelete);
    quOSContatoHORA_VISITA->onChange = onField(&TdmTec::quOSContatoHORA_VISITAChange);
    quOSContatoCTHORAFINAL->onChange = onField(&TdmTec::quOSContatoCTHORAFINALChange);
}
