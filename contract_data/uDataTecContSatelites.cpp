// The rules of the header's satellites: extra customers (quContratoCli),
// links to complementary contracts (quContratoVin), contact records
// (quCtrContato), coverage types (quCtrCobertura) and the customer equipment
// under contract (quCtrCadastroEquip).

#include "contract_data/uDataTecCont.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/db/Database.h"
#include "host/schema/SchemaDefinition.h"

using host::data::Dataset;
using host::data::DatasetState;
using host::data::Field;

void TdmTecContrato::ligarEventosSatelites()
{
    quContratoCli->onNewRecord = [this](Dataset& d) { quContratoCliNewRecord(d); };
    quContratoCli->beforePost = [this](Dataset& d) { quContratoCliBeforePost(d); };
    quContratoCli->afterPost = [this](Dataset& d) { quContratoCliAfterPost(d); };
    quContratoCli->beforeDelete = [this](Dataset& d) { quContratoCliBeforeDelete(d); };
    quContratoCli->onCalcFields = [this](Dataset& d) { quContratoCliCalcFields(d); };
    quContratoCli->fieldByName("CLCODIGO")->onChange = [this](Field& f) { quContratoCliCLCODIGOChange(f); };

    quContratoVin->onNewRecord = [this](Dataset& d) { quContratoVinNewRecord(d); };
    quContratoVin->beforePost = [this](Dataset& d) { quContratoVinBeforePost(d); };
    quContratoVin->afterPost = [this](Dataset& d) { quContratoVinAfterPost(d); };
    quContratoVin->fieldByName("ACCODIGOCOMPLEMENTO")->onChange = [this](Field& f) {
        quContratoVinACCODIGOCOMPLEMENTOChange(f);
    };

    quCtrContato->fieldByName("MGCODIGO")->onChange = [this](Field& f) { quCtrContatoMGCODIGOChange(f); };

    quCtrCobertura->onNewRecord = [this](Dataset& d) { quCtrCoberturaNewRecord(d); };

    quCtrCadastroEquip->onNewRecord = [this](Dataset& d) { quCtrCadastroEquipNewRecord(d); };
    quCtrCadastroEquip->beforePost = [this](Dataset& d) { quCtrCadastroEquipBeforePost(d); };
    quCtrCadastroEquip->afterPost = [this](Dataset& d) { quCtrCadastroEquipAfterPost(d); };
    quCtrCadastroEquip->beforeDelete = [this](Dataset& d) { quCtrCadastroEquipBeforeDelete(d); };
    quCtrCadastroEquip->afterDelete = [this](Dataset& d) { quCtrCadastroEquipAfterDelete(d); };
    quCtrCadastroEquip->fieldByName("AECODIGO")->onChange = [this](Field& f) { quCtrCadastroEquipAECODIGOChange(f); };
}

// ---- extra customers ----

void TdmTecContrato::quContratoCliNewRecord(Dataset& dataset)
{
    dataset.fieldByName("ACCODIGO")->setAsInteger(quCtrCadastroACCODIGO->asInteger());
    dataset.fieldByName("ACCLATIVO")->setAsString("S");
    ZelDevVerificarEvento(&dataset, "ONNEWRECORD");
}

void TdmTecContrato::quContratoCliCLCODIGOChange(Field& field)
{
    const QString codigo = field.asString().trimmed();
    if (ContadorDados("Codigo_Cliente", "Augc0301", codigo) < 1)
        dmGlobal->MostraAviso("Código não encontrado", true);
    DefineDescricaoUnida(*quContratoCli, "CLIENTE", CarregaDado("Nome", "Augc0301", "where Codigo_Cliente = " + QuotedStr(codigo)));
}

void TdmTecContrato::quContratoCliBeforePost(Dataset& dataset)
{
    Field* ativo = dataset.fieldByName("ACCLATIVO");
    if (!ativo->oldValue().isNull() && ativo->oldValue().toString() != ativo->asString())
        bReprocessarContrato = true;
    ZelDevVerificarEvento(&dataset, "BEFOREPOST");
}

void TdmTecContrato::quContratoCliAfterPost(Dataset& dataset)
{
    commitRetaining();
    dataset.refresh();
    if (bReprocessarContrato) {
        bReprocessarContrato = false;
        // The instalment value counts only the active customers' items.
        RelerTotaisContratoCorrente();
        RegravarContratoCorrente();
    }
    ZelDevVerificarEvento(&dataset, "AFTERPOST");
}

void TdmTecContrato::quContratoCliBeforeDelete(Dataset& dataset)
{
    ZelDevVerificarEvento(&dataset, "BEFOREDELETE");
    if (CarregaNumeroInteiro("count(*)", "AATC05ACIT",
                             QString("where acCodigo = %1 and clCodigo = %2")
                                 .arg(dataset.fieldByName("ACCODIGO")->asInteger())
                                 .arg(QuotedStr(dataset.fieldByName("CLCODIGO")->asString().trimmed()))) > 0)
        dmGlobal->MostraAviso("Cliente possui itens vinculados!", true);
}

void TdmTecContrato::quContratoCliCalcFields(Dataset& dataset)
{
    double valor = 0;
    const QString cliente = dataset.fieldByName("CLCODIGO")->asString().trimmed();
    const int contrato = dataset.fieldByName("ACCODIGO")->asInteger();
    if (!cliente.isEmpty() && contrato > 0) {
        const double soma = CarregaNumero("sum(ACITValor)", "AATC05ACIT",
                                          QString("where acCodigo = %1 and clCodigo = %2").arg(contrato).arg(QuotedStr(cliente)));
        if (soma > 0)
            valor = soma;
    }
    if (Field* campo = dataset.findField("Valor"))
        campo->setAsFloat(valor);
}

// ---- links ----

void TdmTecContrato::quContratoVinNewRecord(Dataset& dataset)
{
    dataset.fieldByName("ACCODIGOPRINCIPAL")->setAsInteger(quCtrCadastroACCODIGO->asInteger());
    ZelDevVerificarEvento(&dataset, "ONNEWRECORD");
}

void TdmTecContrato::quContratoVinACCODIGOCOMPLEMENTOChange(Field& field)
{
    auto query = CriarIbQuery();
    query->setSql("select ac.clCodigo, cl.nome, ac.acValorParcela from aatc05ac ac"
                  " left join augc0301 cl on cl.codigo_cliente = ac.clCodigo where ac.acCodigo = " +
                  QString::number(field.asInteger()));
    query->open();
    DefineDescricaoUnida(*quContratoVin, "CLCODIGOCOMPLEMENTO", query->field(0)->value());
    DefineDescricaoUnida(*quContratoVin, "CLNOMECOMPLEMENTO", query->field(1)->value());
    DefineDescricaoUnida(*quContratoVin, "ACVALORPARCELACOMPLEMENTO", query->field(2)->value());
}

void TdmTecContrato::quContratoVinBeforePost(Dataset& dataset)
{
    AvisaCamposObrigatorio(dataset, true);
    ZelDevVerificarEvento(&dataset, "BEFOREPOST");
}

void TdmTecContrato::quContratoVinAfterPost(Dataset& dataset)
{
    // The user saves the header next, and its instalment value is recomputed.
    EsquecerCalculados();
    if (quCtrCadastro->state() == DatasetState::Browse)
        quCtrCadastro->edit();
    ZelDevVerificarEvento(&dataset, "AFTERPOST");
    commitRetaining();
}

// ---- contact records ----

void TdmTecContrato::quCtrContatoMGCODIGOChange(Field& field)
{
    const QString codigo = field.asString().trimmed();
    if (codigo.isEmpty())
        return;
    DefineDescricaoUnida(*quCtrContato, "DESCRICAO", CarregaDado("DESCRICAO", "ALFC2601", "where CODIGO = " + QuotedStr(codigo)));
}

// ---- coverage types ----

void TdmTecContrato::quCtrCoberturaNewRecord(Dataset& dataset)
{
    for (const char* campo : {"ABMDO", "ABPECAS", "ABDESLOCA"})
        dataset.fieldByName(campo)->setAsString("S");
    ZelDevVerificarEvento(&dataset, "ONNEWRECORD");
}

// ---- customer equipment under contract ----

void TdmTecContrato::quCtrCadastroEquipNewRecord(Dataset& dataset)
{
    dataset.fieldByName("COCODIGO")->setAsInteger(
        ProximaChave(host::schema::kGeneratorContractEquipment, "COCODIGO", "AUGC03CO"));
    dataset.fieldByName("ACCODIGO")->setAsInteger(quCtrCadastroACCODIGO->asInteger());
    dataset.fieldByName("CLCODIGO")->setAsString(quCtrCadastroCLCODIGO->asString());
    dataset.fieldByName("COVALOR")->setAsFloat(0);
    dataset.fieldByName("COIDENTIFICADOR")->setAsString("E");
    ZelDevVerificarEvento(&dataset, "ONNEWRECORD");
}

void TdmTecContrato::quCtrCadastroEquipAECODIGOChange(Field& field)
{
    if (field.asString().trimmed().isEmpty())
        return;
    auto query = CriarIbQuery();
    query->setSql("select Aedescricao, AeMarca, AeModelo from Aatc03Ae where AeCodigo = " +
                  QString::number(field.asInteger()));
    query->open();
    DefineDescricaoUnida(*quCtrCadastroEquip, "EQUIPAMENTO", query->field(0)->value());
    quCtrCadastroEquip->fieldByName("COMARCA")->setValue(query->field(1)->value());
    quCtrCadastroEquip->fieldByName("COMODELO")->setValue(query->field(2)->value());
}

void TdmTecContrato::quCtrCadastroEquipBeforePost(Dataset& dataset)
{
    // The equipment row's own required fields (the model), not the header's.
    AvisaCamposObrigatorio(dataset, true);
    ZelDevVerificarEvento(&dataset, "BEFOREPOST");
}

void TdmTecContrato::quCtrCadastroEquipAfterPost(Dataset& dataset)
{
    commitRetaining();
    dataset.refresh();
    ZelDevVerificarEvento(&dataset, "AFTERPOST");
}

void TdmTecContrato::quCtrCadastroEquipBeforeDelete(Dataset& dataset)
{
    sCodigoExcluido = dataset.fieldByName("ACCODIGO")->asString() + "   " + dataset.fieldByName("AECODIGO")->asString();
    ZelDevVerificarEvento(&dataset, "BEFOREDELETE");
}

void TdmTecContrato::quCtrCadastroEquipAfterDelete(Dataset& dataset)
{
    const QDateTime agora = QDateTime::currentDateTime();
    dmGlobal->GravaLog(IbUserName(), "Deletou Equipamento do Contrato da Assistência Técnica",
                       "Número " + sCodigoExcluido, "Augc03Co", host::db::localDateTime(agora.date()), agora);
    ZelDevVerificarEvento(&dataset, "AFTERDELETE");
}
