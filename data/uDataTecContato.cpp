// Progress records of an order (the host's contact table, origin "A") as
// the situation-change dialog and the progress screens append them: the
// key per customer, the dates and the owner come from the order.

#include "data/uDataTec.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/ui/WindowRegistry.h"

using host::data::Dataset;

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
    dmGlobal->IBTransaction1->commitRetaining();
    quOSContato->refresh();
    const QDateTime agora = QDateTime::currentDateTime();
    dmGlobal->GravaLog(IbUserName(), "Alterou andamento de O.S.)", "OS.:" + quOSContatoCONTRATO->asString(), "CADCOM",
                       QDateTime(agora.date(), QTime(0, 0)), agora);
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
}
