// The contact records of a contract (quCtrContato, host table CADCOM): a new
// record belongs to the header's contract and customer, takes the
// customer's next sequence and today's date; its user is the database user.

#include "contract_data/uDataTecCont.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Uglobal.h"
#include "host/db/Database.h"

using host::data::Dataset;

namespace {

int proximoContato(const QString& cliente)
{
    return CarregaNumeroInteiro("max(Sequencia)", "CadCom", "where cod_cli = " + QuotedStr(cliente)) + 1;
}

}  // namespace

void TdmTecContrato::quCtrContatoNewRecord(Dataset& dataset)
{
    const QString cliente = quCtrCadastroCLCODIGO->asString();
    dataset.fieldByName("CONTRATO")->setValue(quCtrCadastroACCODIGO->value());
    dataset.fieldByName("COD_CLI")->setAsString(cliente);
    dataset.fieldByName("IDORIGEM")->setAsString("C");
    dataset.fieldByName("SEQUENCIA")->setAsInteger(proximoContato(cliente));
    const QDateTime agora = QDateTime::currentDateTime();
    dataset.fieldByName("DATA_VISITA")->setAsDateTime(host::db::localDateTime(agora.date()));
    dataset.fieldByName("HORA_VISITA")->setAsDateTime(agora);
    ZelDevVerificarEvento(&dataset, "ONNEWRECORD");
}

void TdmTecContrato::quCtrContatoBeforePost(Dataset& dataset)
{
    dataset.fieldByName("CTUSUARIO")->setAsString(IbUserName());
    // Taken again: another desk may have saved a contact of the customer since this one was created.
    if (dataset.state() == host::data::DatasetState::Insert)
        dataset.fieldByName("SEQUENCIA")->setAsInteger(proximoContato(dataset.fieldByName("COD_CLI")->asString()));
    ZelDevVerificarEvento(&dataset, "BEFOREPOST");
}
