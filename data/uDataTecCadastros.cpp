// Rules of the registers (defects, technicians and their equipment, equipment
// models, labour-hour types), of the basic contracts with their equipment and
// service rows, and of the accessories received with an order: keys of new
// rows, defaults, checks before saving, lookups of typed codes and the
// masters saved before their details.

#include "data/uDataTec.h"

#include "data/uDataTecCadastros.h"
#include "data/uDataTecNumeroContrato.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/ui/Dialogs.h"
#include "host/schema/SchemaDefinition.h"

#include <QDate>

using host::data::Dataset;
using host::data::DatasetState;
using host::data::Field;

namespace {

// The address of the last contract equipment row saved since the module was
// loaded, offered to the next new row.
QString sContEqEndereco;
QString sContEqBairro;
QString sContEqCidade;
QString sContEqEstado;

// "prox" + 1 of a max() query on the host's auxiliary query (an empty table gives 1).
int proximoCodigo(const QString& sql)
{
    host::data::Query& auxiliar = *dmGlobal->quAuxiliar;
    auxiliar.close();
    try {
        auxiliar.setSql(sql);
        auxiliar.open();
        const int proximo = auxiliar.fieldByName("prox")->asInteger() + 1;
        auxiliar.close();
        return proximo;
    } catch (...) {
        auxiliar.close();
        throw;
    }
}

int proximoAcessorio(const QString& ordem)
{
    return proximoCodigo("select max(arsequencia) as prox from AATC01AR where aocodigo = " + QuotedStr(ordem));
}

bool modoVeiculo()
{
    return dmGlobal->Parametro("ATMODOVEICULO") == "O";
}

// A detail row needs its master's key: a master still being inserted is saved first.
void salvarMestreInserindo(Dataset& mestre)
{
    if (mestre.state() == DatasetState::Insert)
        SalvarAlteracoes(mestre);
}

// Reads the columns of one row into a map; an empty map when there is no row.
QVariantMap lerLinha(const QString& sql)
{
    std::unique_ptr<host::data::Query> consulta = CriarIbQuery();
    consulta->setSql(sql);
    consulta->open();
    QVariantMap linha;
    if (!consulta->isEmpty())
        for (Field* campo : consulta->fields())
            linha.insert(campo->fieldName().toUpper(), campo->value());
    consulta->close();
    return linha;
}

}  // namespace

void uDataTec::esquecerEnderecoContrato()
{
    sContEqEndereco.clear();
    sContEqBairro.clear();
    sContEqCidade.clear();
    sContEqEstado.clear();
}

// ---- defects, equipment models ------------------------------------------------------

void TdmTec::quDefeitoNewRecord(Dataset& DataSet)
{
    quDefeitoADCODIGO->setAsInteger(ProximaChave(host::schema::kGeneratorDefect, "ADCODIGO", "AATC02AD"));
    ZelDevVerificarEvento(&DataSet, "ONNEWRECORD");
}

void TdmTec::quEquipamentoNewRecord(Dataset& DataSet)
{
    quEquipamentoAECODIGO->setAsInteger(CodigoDisponivelEquipamento());
    quEquipamentoAEIDENTIFICADOR->setAsString(modoVeiculo() ? "V" : "E");
    ZelDevVerificarEvento(&DataSet, "ONNEWRECORD");
}

// ---- technicians and the equipment each one serves --------------------------------

namespace {

// A technician's rights, with what a new technician gets.
struct DireitoTecnico {
    const char* campo;
    const char* padrao;
};
constexpr DireitoTecnico kDireitosTecnico[] = {
    {"ATALTERAROS", "N"}, {"ATALTERARLAUDO", "N"}, {"ATACESSORESTRITO", "S"}, {"ATALTERARSITUACAO", "T"}};

// The name as the login lookup compares it: case ignored, and trailing
// blanks, which the engine ignores too (a leading blank is another name).
QString nomeDeLogin(const QVariant& nome)
{
    QString texto = nome.toString().toUpper();
    while (texto.endsWith(' '))
        texto.chop(1);
    return texto;
}

// The other screens find a user's restrictions in the technician row named
// as the login: renaming that row, or a second row of that name, or other
// rights, and the technician would lift her own restrictions. The name and
// the rights are the master user's to change.
void exigeMestreNasRestricoes(const Dataset& tecnico)
{
    if (UsuarioMestre())
        return;
    const bool novo = tecnico.state() == DatasetState::Insert;
    const Field* nome = tecnico.fieldByName("ATNOME");
    if (!novo && nomeDeLogin(nome->value()) != nomeDeLogin(nome->oldValue()))
        dmGlobal->MostraErro("Somente o usuário mestre altera o nome de um técnico: o nome liga o técnico ao "
                             "usuário do sistema de mesmo nome e às suas restrições.");
    if (novo && CarregaNumeroInteiro("count(*)", "AATC06AT",
                                     "where upper(ATNOME) = " + QuotedStr(nomeDeLogin(nome->value()))) > 0)
        dmGlobal->MostraErro("Já existe um técnico com o nome " + nomeDeLogin(nome->value()) +
                             ". Somente o usuário mestre cadastra outro com o mesmo nome.");
    for (const auto& [campo, padrao] : kDireitosTecnico) {
        const Field* direito = tecnico.fieldByName(QString::fromLatin1(campo));
        const QString antes = novo ? QString::fromLatin1(padrao) : direito->oldValue().toString().trimmed();
        if (direito->asString().trimmed() != antes)
            dmGlobal->MostraErro("Somente o usuário mestre altera os direitos de um técnico: Alterar OS, Alterar "
                                 "Laudo, Acesso Restrito e Alterar Situação OS.");
    }
}

}  // namespace

void TdmTec::quTecnicosNewRecord(Dataset& DataSet)
{
    quTecnicosATCODIGO->setAsInteger(ProximaChave(host::schema::kGeneratorTechnician, "ATCODIGO", "AATC06AT"));
    for (const auto& [campo, padrao] : kDireitosTecnico)
        DataSet.fieldByName(QString::fromLatin1(campo))->setAsString(QString::fromLatin1(padrao));
    quTecnicosATATIVO->setAsString("S");
    ZelDevVerificarEvento(&DataSet, "ONNEWRECORD");
}

void TdmTec::quTecnicosBeforePost(Dataset& DataSet)
{
    exigeMestreNasRestricoes(DataSet);
    // Who may change orders may also write their reports.
    if (quTecnicosATALTERAROS->asString() == "S")
        quTecnicosATALTERARLAUDO->setAsString("S");
    ZelDevVerificarEvento(&DataSet, "BEFOREPOST");
}

void TdmTec::quTecnicosAfterScroll(Dataset&)
{
    const int tecnico = quTecnicosATCODIGO->asInteger();
    quTecEquip->close();
    quTecEquip->paramByName("atcodigo")->setAsInteger(tecnico);
    quTecEquip->open();
    QuTecDesc->close();
    QuTecDesc->paramByName("atcodigopai")->setAsInteger(tecnico);
    QuTecDesc->open();
}

void TdmTec::quTecEquipBeforeInsert(Dataset&)
{
    salvarMestreInserindo(*quTecnicos);
}

void TdmTec::quTecEquipNewRecord(Dataset& DataSet)
{
    const QString tecnico = quTecnicosATCODIGO->asString();
    quTecEquipATITSEQUENCIA->setAsInteger(
        proximoCodigo("select max(atitSequencia) as prox from AATC06ATIT where atcodigo = " + QuotedStr(tecnico)));
    quTecEquipATCODIGO->setAsInteger(quTecnicosATCODIGO->asInteger());
    ZelDevVerificarEvento(&DataSet, "ONNEWRECORD");
}

void TdmTec::quTecEquipAfterPost(Dataset& DataSet)
{
    commitRetaining();
    DataSet.refresh();
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
}

void TdmTec::quTecEquipAECODIGOChange(Field& Sender)
{
    const QVariantMap equipamento =
        lerLinha("select aedescricao  from aatc03ae     where aecodigo =   " + QuotedStr(Sender.asString()));
    if (equipamento.isEmpty())
        dmGlobal->MostraAviso("Código não encontrado.", true);
    quTecEquipEQUIPAMENTO->setAsString(equipamento.value("AEDESCRICAO").toString());
}

void TdmTec::QuTecDescBeforeInsert(Dataset&)
{
    salvarMestreInserindo(*quTecnicos);
}

void TdmTec::QuTecDescNewRecord(Dataset& DataSet)
{
    QuTecDescATDCCODIGO->setAsInteger(
        ProximaChave(host::schema::kGeneratorTechnicianDescription, "ATDCCODIGO", "AATC06ATDC"));
    QuTecDescATCODIGOPAI->setAsInteger(quTecnicosATCODIGO->asInteger());
    ZelDevVerificarEvento(&DataSet, "ONNEWRECORD");
}

void TdmTec::QuTecDescAfterPost(Dataset& DataSet)
{
    commitRetaining();
    // The descendant's name comes from the join.
    DataSet.refresh();
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
}

void TdmTec::QuTecDescAfterDelete(Dataset& DataSet)
{
    commitRetaining();
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

void TdmTec::bindTecnicoHandlers()
{
    auto on = [this](void (TdmTec::*handler)(Dataset&)) {
        return [this, handler](Dataset& dataset) { (this->*handler)(dataset); };
    };
    quTecnicos->afterScroll = on(&TdmTec::quTecnicosAfterScroll);
    // A technician made inactive is still named where he is stored, but not
    // offered for a new choice; no value counts as active.
    quTecnicos->offersRow = [this](const Dataset&) {
        const QString ativo = quTecnicosATATIVO->asString().trimmed();
        return ativo.isEmpty() || ativo == "S";
    };
    quTecEquip->beforeInsert = on(&TdmTec::quTecEquipBeforeInsert);
    quTecEquip->afterPost = on(&TdmTec::quTecEquipAfterPost);
    quTecEquipAECODIGO->onChange = [this](Field& campo) { quTecEquipAECODIGOChange(campo); };
    QuTecDesc->beforeInsert = on(&TdmTec::QuTecDescBeforeInsert);
    QuTecDesc->onNewRecord = on(&TdmTec::QuTecDescNewRecord);
    QuTecDesc->afterPost = on(&TdmTec::QuTecDescAfterPost);
    QuTecDesc->afterDelete = on(&TdmTec::QuTecDescAfterDelete);
}

// ---- labour-hour types ----------------------------------------------------------------

void TdmTec::quHoraTecnicaNewRecord(Dataset& DataSet)
{
    quHoraTecnicaAHCODIGO->setAsInteger(ProximaChave(host::schema::kGeneratorHourType, "AHCODIGO", "AATC04AH"));
    for (Field* hora : horasTecnicas())
        hora->setAsFloat(0);
    quHoraTecnicaAHTIPO->setAsString("E");
    ZelDevVerificarEvento(&DataSet, "ONNEWRECORD");
}

void TdmTec::quHoraTecnicaBeforePost(Dataset& DataSet)
{
    if (quHoraTecnicaAHHORA1->asFloat() <= 0)
        dmGlobal->MostraErro("Valor da 1º hora deve ser informada.");
    // Later hours left empty repeat the last price given.
    const std::vector<Field*> horas = horasTecnicas();
    for (size_t i = 1; i < horas.size(); ++i)
        if (horas[i]->asFloat() <= 0)
            horas[i]->setAsFloat(horas[i - 1]->asFloat());
    ZelDevVerificarEvento(&DataSet, "BEFOREPOST");
}

std::vector<Field*> TdmTec::horasTecnicas() const
{
    return {quHoraTecnicaAHHORA1, quHoraTecnicaAHHORA2, quHoraTecnicaAHHORA3, quHoraTecnicaAHHORA4,
            quHoraTecnicaAHHORA5};
}

// ---- basic contracts ------------------------------------------------------------------

void TdmTec::quContratoNewRecord(Dataset&)
{
    // The contract registers share one numbering.
    quContratoACCODIGO->setAsInteger(ProximaChave(host::schema::kGeneratorContract, "ACCODIGO", "AATC05AC"));
    quContratoACDATAIMPLANTACAO->setAsDateTime(hoje());
    for (Field* valor : {quContratoACVALORCHAMADAEXCEDENTE, quContratoACVALOR, quContratoACLIMITE,
                         quContratoACLIMITEHORA})
        valor->setAsFloat(0);
}

void TdmTec::quContratoBeforePost(Dataset&)
{
    if (quContrato->state() == DatasetState::Insert && quContratoPRCODIGO->asString().trimmed().isEmpty())
        CadastrarServicoContrato();
    if (quContratoPRCODIGO->asString().trimmed().isEmpty())
        dmGlobal->MostraErro("Informe um código do cadastro de serviço para este contrato");
    if (quContratoACNUMEROCONTRATO->asString().trimmed().isEmpty())
        dmGlobal->MostraErro("Preenchimento do Nº do Contrato obrigatório");
    // The number another contract has, or another desk is saving, is refused.
    const QString numero = quContratoACNUMEROCONTRATO->asString();
    if (quContrato->state() == DatasetState::Insert ||
        numero.trimmed() != quContratoACNUMEROCONTRATO->oldValue().toString().trimmed())
        ExigeNumeroContratoLivre(numero, quContratoACCODIGO->asInteger());
}

// Offers to register the contract as a service product (kind "7") and links it.
void TdmTec::CadastrarServicoContrato()
{
    if (MostraPergunta("Deseja salvar este contrato no cadastro de serviço?", {"Sim", "Não"}) != "Sim")
        return;
    QString codigo;
    if (!host::ui::Dialogs::inputQuery("Código", "Informe o código para o contrato no cadastro de serviço", codigo))
        return;
    codigo = codigo.trimmed();
    if (codigo.isEmpty())
        return;
    if (ContadorDados("Codigo", "ACEC1101", codigo) > 0)
        dmGlobal->MostraErro("Código informado já existe.");
    InsertTable("ACEC1101", {"CODIGO", "DESCRICAO", "PCO_VENDA", "DATA_CADASTRO", "COM_FAB_S_FS"},
                {codigo, quContratoACDESCRICAO->asString(), quContratoACVALOR->asFloat(),
                 hoje(), QString("7")});
    quContratoPRCODIGO->setAsString(codigo);
    dmGlobal->MostraAviso("Cadastro efetuado com sucesso.", false);
}

void TdmTec::quContratoAfterPost(Dataset& DataSet)
{
    commitRetaining();
    DataSet.refresh();
}

void TdmTec::quContratoAfterScroll(Dataset&)
{
    for (host::data::Query* detalhe : {quContEquip, quContServ}) {
        detalhe->close();
        detalhe->paramByName("accodigo")->setAsInteger(quContratoACCODIGO->asInteger());
        detalhe->open();
    }
}

void TdmTec::quContEquipBeforeInsert(Dataset&)
{
    salvarMestreInserindo(*quContrato);
}

void TdmTec::quContEquipNewRecord(Dataset&)
{
    // Equipment and service rows share one numbering.
    quContEquipCOCODIGO->setAsInteger(
        ProximaChave(host::schema::kGeneratorContractEquipment, "COCODIGO", "AUGC03CO"));
    quContEquipACCODIGO->setAsInteger(quContratoACCODIGO->asInteger());
    quContEquipCOVALOR->setAsFloat(0);
    quContEquipCOIDENTIFICADOR->setAsString("E");
    if (modoVeiculo())
        return;   // these columns hold make, model, colour and year for vehicles
    quContEquipCOENDERECO->setAsString(sContEqEndereco);
    quContEquipCOBAIRRO->setAsString(sContEqBairro);
    quContEquipCOCIDADE->setAsString(sContEqCidade);
    quContEquipCOESTADO->setAsString(sContEqEstado);
}

void TdmTec::quContEquipBeforePost(Dataset&)
{
    if (modoVeiculo())
        return;
    sContEqEndereco = quContEquipCOENDERECO->asString();
    sContEqBairro = quContEquipCOBAIRRO->asString();
    sContEqCidade = quContEquipCOCIDADE->asString();
    sContEqEstado = quContEquipCOESTADO->asString();
}

void TdmTec::quContEquipAfterPost(Dataset& DataSet)
{
    commitRetaining();
    DataSet.refresh();
}

void TdmTec::quContEquipAECODIGOChange(Field& Sender)
{
    const QVariantMap equipamento = lerLinha("select aedescricao, aemarca, aemodelo  from aatc03ae     where aecodigo =   " +
                                             QuotedStr(Sender.asString()));
    if (equipamento.isEmpty())
        dmGlobal->MostraAviso("Código não encontrado.", true);
    quContEquipDESCEQUIP->setAsString(equipamento.value("AEDESCRICAO").toString());
    if (modoVeiculo()) {
        quContEquipCOENDERECO->setAsString(equipamento.value("AEMARCA").toString());
        quContEquipCOBAIRRO->setAsString(equipamento.value("AEMODELO").toString());
    }
}

void TdmTec::quContServBeforeInsert(Dataset&)
{
    salvarMestreInserindo(*quContrato);
}

void TdmTec::quContServNewRecord(Dataset&)
{
    quContServCOCODIGO->setAsInteger(
        ProximaChave(host::schema::kGeneratorContractEquipment, "COCODIGO", "AUGC03CO"));
    quContServCOVALOR->setAsFloat(0);
    quContServACCODIGO->setAsInteger(quContratoACCODIGO->asInteger());
    quContServCOIDENTIFICADOR->setAsString("S");
}

void TdmTec::quContServAfterPost(Dataset& DataSet)
{
    commitRetaining();
    DataSet.refresh();
}

void TdmTec::quContServCOCIDADEChange(Field& Sender)
{
    const QVariantMap servico = lerLinha("select descricao , pco_venda from acec1101  where codigo       = " +
                                         QuotedStr(Sender.asString()) + "  and COM_FAB_S_FS  = " + "'7'");
    if (servico.isEmpty())
        dmGlobal->MostraAviso("Código não encontrado.", true);
    quContServCOENDERECO->setAsString(servico.value("DESCRICAO").toString());
    quContServCOVALOR->setAsFloat(servico.value("PCO_VENDA").toDouble());
}

namespace {

// An unknown code is refused with the old value back: stored, it would be
// billed or copied into an order with no description.
void recusarServicoDesconhecido(const Field& codigo, const QString& condicao)
{
    const QString texto = codigo.asString().trimmed();
    if (!texto.isEmpty() && ContadorDados("CODIGO", "ACEC1101", texto, condicao) == 0)
        dmGlobal->MostraAviso("Código não encontrado.", true);
}

}  // namespace

void TdmTec::quContServCOCIDADEValidate(Field& Sender)
{
    recusarServicoDesconhecido(Sender, " and COM_FAB_S_FS = '7'");
}

void TdmTec::quContratoPRCODIGOValidate(Field& Sender)
{
    recusarServicoDesconhecido(Sender, {});
}

// ---- accessories received with an order -------------------------------------------

void TdmTec::quOSAcessoriosNewRecord(Dataset& DataSet)
{
    quOSAcessoriosARSEQUENCIA->setAsInteger(proximoAcessorio(quOSAOCODIGO->asString()));
    quOSAcessoriosAOCODIGO->setAsInteger(quOSAOCODIGO->asInteger());
    ZelDevVerificarEvento(&DataSet, "ONNEWRECORD");
}

// Taken again when stored: another desk may have saved an accessory of the
// order since this one was created.
void TdmTec::quOSAcessoriosBeforePost(Dataset& DataSet)
{
    if (DataSet.state() == DatasetState::Insert)
        quOSAcessoriosARSEQUENCIA->setAsInteger(proximoAcessorio(quOSAcessoriosAOCODIGO->asString()));
    NotificarBeforePost(DataSet);
}

void TdmTec::quOSAcessoriosBeforeInsert(Dataset& DataSet)
{
    salvarMestreInserindo(*quOS);
    RestricaoInserindoOS(DataSet, "BEFOREINSERT");
}

void TdmTec::quOSAcessoriosBeforeEdit(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, "BEFOREEDIT");
}

// ---- captions of the contract's coded columns (other values show nothing) -------

void TdmTec::quContratoACPRIORIDADEGetText(Field& Sender, QString& Text, bool)
{
    const QString codigo = Sender.asString();
    Text = codigo == "B" ? "Baixa" : codigo == "M" ? "Média" : codigo == "A" ? "Alta" : QString();
}

void TdmTec::quContratoACATENDIMENTOGetText(Field& Sender, QString& Text, bool)
{
    const QString codigo = Sender.asString();
    Text = codigo == "I" ? "Interno" : codigo == "E" ? "Externo" : QString();
}

// ---- bindings -------------------------------------------------------------------------

void TdmTec::bindCadastrosHandlers()
{
    auto on = [this](void (TdmTec::*handler)(Dataset&)) {
        return [this, handler](Dataset& dataset) { (this->*handler)(dataset); };
    };
    auto onField = [this](void (TdmTec::*handler)(Field&)) {
        return [this, handler](Field& field) { (this->*handler)(field); };
    };
    quTecnicos->beforePost = on(&TdmTec::quTecnicosBeforePost);
    quTecnicos->afterScroll = on(&TdmTec::quTecnicosAfterScroll);
    quTecEquip->beforeInsert = on(&TdmTec::quTecEquipBeforeInsert);
    quTecEquip->afterPost = on(&TdmTec::quTecEquipAfterPost);
    quTecEquipAECODIGO->onChange = onField(&TdmTec::quTecEquipAECODIGOChange);
    quContrato->afterScroll = on(&TdmTec::quContratoAfterScroll);
    quContEquip->afterPost = on(&TdmTec::quContEquipAfterPost);
    quContEquipAECODIGO->onChange = onField(&TdmTec::quContEquipAECODIGOChange);
    quContServ->afterPost = on(&TdmTec::quContServAfterPost);
    quContServCOCIDADE->onChange = onField(&TdmTec::quContServCOCIDADEChange);
    quContServCOCIDADE->onValidate = onField(&TdmTec::quContServCOCIDADEValidate);
    quContratoPRCODIGO->onValidate = onField(&TdmTec::quContratoPRCODIGOValidate);
    quOSAcessorios->beforeInsert = on(&TdmTec::quOSAcessoriosBeforeInsert);
    quOSAcessorios->beforeEdit = on(&TdmTec::quOSAcessoriosBeforeEdit);
    quOSAcessorios->beforePost = on(&TdmTec::quOSAcessoriosBeforePost);
    auto getText = [this](void (TdmTec::*handler)(Field&, QString&, bool)) {
        return [this, handler](Field& field, QString& text, bool display) { (this->*handler)(field, text, display); };
    };
    quContratoACPRIORIDADE->onGetText = getText(&TdmTec::quContratoACPRIORIDADEGetText);
    quContratoACATENDIMENTO->onGetText = getText(&TdmTec::quContratoACATENDIMENTOGetText);
}
