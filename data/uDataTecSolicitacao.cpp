// Parts requests: the request headers (quSolicita), their items
// (quSolicitaIt) and the deliveries of one item (quSolicitacaoItEnt).
// Headers and items share AATC07AI, told apart by AIID ("C" or "I").
// Installation 4 (UGESPECIFICOEMPRESA) keeps one request per service order
// and the order's parts lines in step with the requested items
// (uDataTecSolicitacaoPecas.cpp).

#include "data/uDataTec.h"

#include "host/FaixaDigitada.h"
#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Format.h"
#include "host/schema/SchemaDefinition.h"

#include <algorithm>
#include <utility>

using host::data::Dataset;
using host::data::DatasetState;
using host::data::Field;

namespace {

bool empresaEspecifica4()
{
    host::data::Query& empresa = *dmGlobal->quEmpresa;
    return empresa.active() && !empresa.isEmpty() && empresa.fieldByName("UGESPECIFICOEMPRESA")->asInteger() == 4;
}

// Request codes run over headers and items alike; drawn from the generator,
// so two desks opening requests at once get two codes.
int proximaSolicitacao()
{
    return ProximaChave(host::schema::kGeneratorPartsRequest, "AICODIGO", "AATC07AI");
}

int proximaSequenciaSolicitacao(int solicitacao)
{
    return int(MaximoDado("AISEQUENCIA", "AATC07AI", "AICODIGO", QString::number(solicitacao), {}, true)) + 1;
}

}  // namespace

// ---- loader of deliveries ---------------------------------------------------------

void TdmTec::CarregarProdutosEntregSolicPecas(int iSequencia, int iSolicitacao, const QString&)
{
    quSolicitacaoItEnt->close();
    try {
        quSolicitacaoItEnt->paramByName("Seq")->setAsInteger(iSequencia);
        quSolicitacaoItEnt->paramByName("Solicitacao")->setAsInteger(iSolicitacao);
        quSolicitacaoItEnt->open();
    } catch (const std::exception&) {
        // the delivery screen shows an empty list rather than an error
        quSolicitacaoItEnt->close();
    }
}

// A delivery hands over something, and no more than the request line still
// waits for: refused before anything is written.
void TdmTec::VerificaQuantidadeEntrega(int iSolicitacao, int iSequencia, double quantidade)
{
    const double falta = CarregaNumero("AIQUANTIDADE - coalesce(AIQUANTIDADEENTREGUE, 0)", "AATC07AI",
                                       "where AICODIGO = " + QString::number(iSolicitacao) +
                                           " and AISEQUENCIA = " + QString::number(iSequencia));
    // A tolerance far below any quantity typed: 0,3 of 1,1 - 0,8 still fits.
    if (quantidade <= 0 || quantidade > falta + 1e-9)
        dmGlobal->MostraAviso("Quantidade a entregar inválida: informe mais que zero e até " +
                                  host::data::formatFloat("0.####", std::max(falta, 0.0)) + ", o que falta entregar.",
                              true);
}

// ---- headers ------------------------------------------------------------------------

void TdmTec::quSolicitaNewRecord(Dataset& DataSet)
{
    ZerarFloatField(DataSet);
    quSolicitaAICODIGO->setAsInteger(proximaSolicitacao());
    quSolicitaAISEQUENCIA->setAsInteger(0);
    quSolicitaAISITUACAO->setAsString("E");
    quSolicitaAIID->setAsString("C");
    int tecnico = 0;
    if (VerificaTecnicoCadastrado(tecnico, IbUserName()))
        quSolicitaATCODIGOSOLICITA->setAsInteger(tecnico);
}

void TdmTec::quSolicitaBeforePost(Dataset& DataSet)
{
    // The code drawn for the new request is already this desk's own: drawing
    // again would only change the number shown.
    if (DataSet.state() == DatasetState::Insert && quSolicitaAICODIGO->asInteger() <= 0)
        quSolicitaAICODIGO->setAsInteger(proximaSolicitacao());
    ZelDevVerificarEvento(&DataSet, "BEFOREPOST");
    AvisaCamposObrigatorio(DataSet);
    if (empresaEspecifica4() && !quSolicitaAOCODIGO->isNull() &&
        ContadorDados("AOCODIGO", "AATC07AI", quSolicitaAOCODIGO->asString(),
                      " and AIID = 'C' and AICODIGO <> " + quSolicitaAICODIGO->asString(), true) > 0)
        dmGlobal->MostraAviso("Atenção, já existe uma Solicitação com essa Ordem de Serviço. Operação Abortada!", true);
}

void TdmTec::quSolicitaAfterPost(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
    commitRetaining();
}

void TdmTec::quSolicitaAfterScroll(Dataset&)
{
    CarregaSolicitacaoIt(quSolicitaAICODIGO->asInteger());
}

void TdmTec::quSolicitaBeforeDelete(Dataset&)
{
    // The deliveries go with the items: left behind they would count against
    // a later request that reuses the code.
    const QString solicitacao = quSolicitaAICODIGO->asString();
    DeletaRegistros("AATC07AIENT", "where AICODIGO = " + solicitacao);
    DeletaRegistrosCommit("AATC07AI", "where AIID = 'I' and AICODIGO = " + solicitacao);
}

void TdmTec::quSolicitaAfterDelete(Dataset& DataSet)
{
    commitRetaining();
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

void TdmTec::quSolicitaAOCODIGOChange(Field& Sender)
{
    if (!empresaEspecifica4() || Sender.value() == Sender.oldValue())
        return;
    if (ContadorDados("AICODIGO", "AATC07AI", quSolicitaAICODIGO->asString(), " and AIID = 'I'", true) == 0)
        return;
    dmGlobal->MostraAviso("Solicitação já possui itens.\rNão é possível alterar a Ordem de Serviço.");
    Sender.setValue(Sender.oldValue());
}

// ---- items --------------------------------------------------------------------------

void TdmTec::quSolicitaItBeforeInsert(Dataset&)
{
    if (quSolicita->state() == DatasetState::Insert)
        quSolicita->post();
}

void TdmTec::quSolicitaItNewRecord(Dataset& DataSet)
{
    ZerarFloatField(DataSet);
    const QDateTime agora = QDateTime::currentDateTime();
    quSolicitaItAIDATAEMISSAO->setAsDateTime(agora);
    quSolicitaItAIDATAPREVISAO->setAsDateTime(agora);
    quSolicitaItAISEQUENCIA->setAsInteger(proximaSequenciaSolicitacao(quSolicitaAICODIGO->asInteger()));
    quSolicitaItAOCODIGO->setValue(quSolicitaAOCODIGO->value());
}

void TdmTec::quSolicitaItBeforePost(Dataset& DataSet)
{
    RecusarItemOSExecutada(DataSet);
    if (DataSet.state() == DatasetState::Insert) {
        quSolicitaItAICODIGO->setAsInteger(quSolicitaAICODIGO->asInteger());
        quSolicitaItAIID->setAsString("I");
        quSolicitaItAISEQUENCIA->setAsInteger(proximaSequenciaSolicitacao(quSolicitaAICODIGO->asInteger()));
    }
    AvisaCamposObrigatorio(DataSet);
    if (quSolicitaItAIQUANTIDADE->asFloat() <= 0)
        dmGlobal->MostraErro("Preenchimento da Quantidade obrigatório");
    // The request screen adds items by itself with the tag set, without a responsible.
    if (DataSet.tag() == 0 && quSolicitaItDescricaoTecnico->asString().isEmpty())
        dmGlobal->MostraErro("Preenchimento do Responsável obrigatório");
    sItemSolicitacaoAnterior = {};
    const bool outraPeca = quSolicitaItAOCODIGO->value() != quSolicitaItAOCODIGO->oldValue() ||
                           quSolicitaItPRCODIGO->value() != quSolicitaItPRCODIGO->oldValue() ||
                           quSolicitaItATCODIGOENTREGA->value() != quSolicitaItATCODIGOENTREGA->oldValue();
    const bool editando = DataSet.state() == DatasetState::Edit;
    const double pendenteAntes =
        editando ? PendenteSolicitado(quSolicitaItAIQUANTIDADE->oldValue().toDouble(),
                                      quSolicitaItAIQUANTIDADEENTREGUE->oldValue().toDouble())
                 : 0;
    dPendenteSolicitacaoAnterior = editando && !outraPeca ? pendenteAntes : -1;
    if (editando && outraPeca)
        sItemSolicitacaoAnterior = {quSolicitaItAICODIGO->asInteger(), quSolicitaItAISEQUENCIA->asInteger(),
                                    quSolicitaItAOCODIGO->oldValue().toInt(),
                                    quSolicitaItPRCODIGO->oldValue().toString(),
                                    quSolicitaItATCODIGOENTREGA->oldValue(), pendenteAntes};
}

// An executed order takes no new parts: the item is dropped and its save ends.
void TdmTec::RecusarItemOSExecutada(Dataset& DataSet)
{
    if (!empresaEspecifica4())
        return;
    const QString ordem = quSolicitaItAOCODIGO->asString();
    if (ordem.isEmpty() || ContadorDados("AOCODIGO", "AATC01AO", ordem, " and aobaixa = 'S'", true) == 0)
        return;
    dmGlobal->MostraAviso("Não é possível inserir mais itens nesta solicitação.\rOrdem de Serviço " + ordem +
                          " já foi \"Executada\".");
    DataSet.cancel();
    host::abortOperation();
}

void TdmTec::quSolicitaItAfterPost(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
    commitRetaining();
    PerguntarEncerramentoSolicitacao();
    if (empresaEspecifica4()) {
        const ItemSolicitacaoPeca anterior = std::exchange(sItemSolicitacaoAnterior, {});
        RetirarPecaSolicitacao(anterior);
        AtualizarPecasOSSolicitacao();
    }
}

void TdmTec::PerguntarEncerramentoSolicitacao()
{
    if (quSolicitaAISITUACAO->asString() == "C")
        return;
    const QString solicitacao = quSolicitaItAICODIGO->asString();
    const int itens = ContadorDados("AICODIGO", "AATC07AI", solicitacao, " and AIID = 'I'", true);
    const int entregues = ContadorDados("AICODIGO", "AATC07AI", solicitacao,
                                        " and AIID = 'I' and AIQUANTIDADE > 0"
                                        " and AIQUANTIDADEENTREGUE = AIQUANTIDADE",
                                        true);
    if (itens == 0 || itens != entregues)
        return;
    if (MostraPergunta("Todos itens da solicitação foram entregues. Desejar encerrar solicitação?", {"Sim", "Não"}) !=
        "Sim")
        return;
    quSolicita->edit();
    quSolicitaAISITUACAO->setAsString("C");
    quSolicita->post();
}

void TdmTec::quSolicitaItPRCODIGOChange(Field& Sender)
{
    const QString codigo = Sender.asString();
    if (codigo.isEmpty())
        return;
    std::unique_ptr<host::data::Query> produto = CriarIbQuery();
    produto->setSql("select DESCRICAO, ESTOQUE, PCO_VENDA, PRPOSICIONAMENTO, OUTRO_CODIGO from acec1101"
                    " Where Codigo = " + QuotedStr(codigo));
    produto->open();
    for (Field* campo : {quSolicitaItDESCRICAO, quSolicitaItESTOQUE, quSolicitaItPCO_VENDA,
                         quSolicitaItPRPOSICIONAMENTO, quSolicitaItOUTRO_CODIGO})
        campo->setValue(produto->isEmpty() ? QVariant() : produto->fieldByName(campo->fieldName())->value());
    produto->close();
}

void TdmTec::quSolicitaItAIQUANTIDADEENTREGUEChange(Field& Sender)
{
    const double quantidade = quSolicitaItAIQUANTIDADE->asFloat();
    if (Sender.asFloat() <= 0 || Sender.asFloat() <= quantidade)
        return;
    Sender.setAsFloat(quantidade);
    dmGlobal->MostraAviso("Quantidade entregue não pode ser maior que a quantidade!", true);
}

void TdmTec::quSolicitaItBeforeDelete(Dataset& DataSet)
{
    if (empresaEspecifica4() &&
        ContadorDados("AICODIGO", "AATC07AIENT", quSolicitaItAICODIGO->asString(),
                      " and AISEQUENCIAREF = " + quSolicitaItAISEQUENCIA->asString() +
                          " and AIENTQTDENTREGUE is not null",
                      true) > 0)
        dmGlobal->MostraAviso(
            "Este item não pode ser excluído pois existem entregas de peças relacionados a este produto.", true);
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
    sItemSolicitacaoExcluido = {quSolicitaItAICODIGO->asInteger(), quSolicitaItAISEQUENCIA->asInteger(),
                                quSolicitaItAOCODIGO->asInteger(), quSolicitaItPRCODIGO->asString(),
                                quSolicitaItATCODIGOENTREGA->value(),
                                PendenteSolicitado(quSolicitaItAIQUANTIDADE->asFloat(),
                                                   quSolicitaItAIQUANTIDADEENTREGUE->asFloat())};
}

void TdmTec::quSolicitaItAfterDelete(Dataset&)
{
    // The item's deliveries go with it instead of pointing at nothing.
    DeletaRegistros("AATC07AIENT", "where AICODIGO = " + QString::number(sItemSolicitacaoExcluido.solicitacao) +
                                       " and AISEQUENCIAREF = " + QString::number(sItemSolicitacaoExcluido.sequencia));
    commitRetaining();
    if (empresaEspecifica4())
        RetirarPecaSolicitacao(sItemSolicitacaoExcluido);
}

// ---- deliveries -------------------------------------------------------------------

void TdmTec::quSolicitacaoItEntNewRecord(Dataset&)
{
    quSolicitacaoItEntAIENTDATAENTREGUE->setAsDateTime(QDateTime::currentDateTime());
    quSolicitacaoItEntAIENTSEQ->setAsInteger(int(MaximoDado("AIENTSEQ", "AATC07AIENT", {}, {})) + 1);
}

void TdmTec::quSolicitacaoItEntAfterDelete(Dataset&)
{
    commitRetaining();
}

void TdmTec::quSolicitaAISITUACAOGetText(Field& Sender, QString& Text, bool)
{
    const QString codigo = Sender.asString();
    Text = codigo == "E"   ? "E - Emitindo"
           : codigo == "P" ? "P - Pendente"
           : codigo == "A" ? "A - Aguardando"
           : codigo == "C" ? "C - Entregue"
                           : QString();
}

// ---- bindings -----------------------------------------------------------------------

void TdmTec::bindSolicitacaoHandlers()
{
    auto on = [this](void (TdmTec::*handler)(Dataset&)) {
        return [this, handler](Dataset& dataset) { (this->*handler)(dataset); };
    };
    auto onField = [this](void (TdmTec::*handler)(Field&)) {
        return [this, handler](Field& field) { (this->*handler)(field); };
    };
    quSolicita->onNewRecord = on(&TdmTec::quSolicitaNewRecord);
    quSolicita->beforePost = on(&TdmTec::quSolicitaBeforePost);
    quSolicita->afterPost = on(&TdmTec::quSolicitaAfterPost);
    quSolicita->afterScroll = on(&TdmTec::quSolicitaAfterScroll);
    quSolicita->beforeDelete = on(&TdmTec::quSolicitaBeforeDelete);
    quSolicita->afterDelete = on(&TdmTec::quSolicitaAfterDelete);
    quSolicitaAOCODIGO->onChange = onField(&TdmTec::quSolicitaAOCODIGOChange);
    quSolicitaIt->beforeInsert = on(&TdmTec::quSolicitaItBeforeInsert);
    quSolicitaIt->onNewRecord = on(&TdmTec::quSolicitaItNewRecord);
    quSolicitaIt->beforePost = on(&TdmTec::quSolicitaItBeforePost);
    quSolicitaIt->afterPost = on(&TdmTec::quSolicitaItAfterPost);
    quSolicitaIt->beforeDelete = on(&TdmTec::quSolicitaItBeforeDelete);
    quSolicitaIt->afterDelete = on(&TdmTec::quSolicitaItAfterDelete);
    quSolicitaItPRCODIGO->onChange = onField(&TdmTec::quSolicitaItPRCODIGOChange);
    quSolicitaItAIQUANTIDADEENTREGUE->onChange = onField(&TdmTec::quSolicitaItAIQUANTIDADEENTREGUEChange);
    // A request line of no quantity would put a negative parts line on the order.
    host::ExigeQuantidadePositiva(*quSolicitaItAIQUANTIDADE, "Qtde. Requisitada");
    // Less than nothing delivered would take back parts still in the technician's hands.
    quSolicitaItAIQUANTIDADEENTREGUE->onValidate = [](Field& entregue) {
        if (entregue.asFloat() < 0)
            dmGlobal->MostraAviso("Quantidade entregue não pode ser negativa!", true);
    };
    quSolicitacaoItEnt->onNewRecord = on(&TdmTec::quSolicitacaoItEntNewRecord);
    quSolicitacaoItEnt->afterDelete = on(&TdmTec::quSolicitacaoItEntAfterDelete);
    quSolicitaAISITUACAO->onGetText = [this](Field& field, QString& text, bool display) {
        quSolicitaAISITUACAOGetText(field, text, display);
    };
}
