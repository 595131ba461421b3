// The equipment owned by customers (quEquipCli, AATC03AECL). Its handlers
// report to the customisation hook first and commit after it.

#include "data/uDataTec.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/schema/SchemaDefinition.h"

using host::data::Dataset;
using host::data::DatasetState;
using host::data::Field;

namespace {

// The customer open in the host's customer record; "" when none is.
QString clienteAtual()
{
    host::data::Query& cliente = *dmGlobal->quClienteConsulta;
    if (!cliente.active() || cliente.isEmpty())
        return {};
    return cliente.fieldByName("CODIGO_CLIENTE")->asString();
}

}  // namespace

void TdmTec::quEquipCliNewRecord(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "ONNEWRECORD");
    ZerarNumericField(*quEquipCli);
    const QString cliente = clienteAtual();
    if (!cliente.isEmpty())
        quEquipCliCLCODIGO->setAsString(cliente);
    // The model open in the equipment register.
    if (quEquipamento->active() && quEquipamentoAECODIGO->asInteger() > 0)
        quEquipCliAECODIGO->setAsInteger(quEquipamentoAECODIGO->asInteger());
}

void TdmTec::quEquipCliBeforePost(Dataset& DataSet)
{
    if (quEquipCli->state() == DatasetState::Insert)
        quEquipCliAECLCODIGO->setAsInteger(
            ProximaChave(host::schema::kGeneratorCustomerEquipment, "AECLCODIGO", "AATC03AECL"));
    AvisaCamposObrigatorio(*quEquipCli, true);
    ZelDevVerificarEvento(&DataSet, "BEFOREPOST");
}

void TdmTec::quEquipCliAfterPost(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
    dmGlobal->IBTransaction1->commitRetaining();
}

void TdmTec::quEquipCliBeforeDelete(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
}

void TdmTec::quEquipCliAfterDelete(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
    dmGlobal->IBTransaction1->commitRetaining();
}

void TdmTec::quEquipCliAECODIGOChange(Field& Sender)
{
    const QString texto = Sender.asString();
    if (texto.isEmpty())
        return;
    quEquipCliAEDESCRICAO->setAsString(CarregaDado("aeDescricao", "Aatc03ae", "Where aeCodigo = " + QuotedStr(texto)));
}

void TdmTec::quEquipCliCLCODIGOChange(Field& Sender)
{
    const QString texto = Sender.asString();
    if (texto.isEmpty())
        return;
    quEquipCliNOME->setAsString(CarregaDado("nome", "augc0301", "Where Codigo_cliente = " + QuotedStr(texto)));
}
