// Parts requests: the request headers (quSolicita), their items
// (quSolicitaIt) and the deliveries of one item (quSolicitacaoItEnt).
// Headers and items share AATC07AI, told apart by AIID ("C" or "I").
// Installation 4 (UGESPECIFICOEMPRESA) keeps one request per service order
// and a reserved parts line of the order in step with each requested item.

#include "data/uDataTec.h"

#include "host/FaixaDigitada.h"
#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Format.h"
#include "host/data/HandlerGuard.h"
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

// The order's parts lines that stand for a request item: its order, product
// and responsible. An item without a responsible matches the lines without a
// technician, never every line of the product.
QString condicaoPecaSolicitada(int ordem, const QString& produto, const QVariant& tecnico)
{
    const QString filtroTecnico =
        tecnico.isNull() ? QString("atcodigo is null") : "atcodigo = " + QString::number(tecnico.toInt());
    return filtroTecnico + " and aocodigo = " + QString::number(ordem) + " and prcodigo = " + QuotedStr(produto);
}

QString numero(double valor)
{
    return QString::number(valor, 'g', 15);
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
    if (DataSet.state() == DatasetState::Edit && outraPeca)
        sItemSolicitacaoAnterior = {quSolicitaItAICODIGO->asInteger(), quSolicitaItAISEQUENCIA->asInteger(),
                                    quSolicitaItAOCODIGO->oldValue().toInt(),
                                    quSolicitaItPRCODIGO->oldValue().toString(),
                                    quSolicitaItATCODIGOENTREGA->oldValue()};
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

// Keeps the order's reserved parts line of the item's product and responsible
// at the quantity still to be delivered.
void TdmTec::AtualizarPecasOSSolicitacao()
{
    const int ordem = quSolicitaItAOCODIGO->asInteger();
    const double quantidade = quSolicitaItAIQUANTIDADE->asFloat();
    const double entregue = quSolicitaItAIQUANTIDADEENTREGUE->asFloat();
    // A request of no order (or of one that does not exist) has no parts
    // lines to keep: a line appended here would belong to no order.
    if (ordem <= 0)
        return;
    CarregaOrdemServico(ordem);
    if (quOS->isEmpty())
        return;
    CarregaOSPecas(ordem, 0);
    const QString condicao =
        condicaoPecaSolicitada(ordem, quSolicitaItPRCODIGO->asString(), quSolicitaItATCODIGOENTREGA->value());
    if (ContadorDados("aocodigo", "AATC01AP", QString::number(ordem), " and " + condicao, true) == 0) {
        IncluirPecaSolicitacao(ordem, quantidade);
    } else {
        // Delivered in full, or more than a quantity lowered afterwards asks
        // for: nothing is left to reserve (a negative line would be left).
        if (entregue >= quantidade) {
            DeletaRegistros("AATC01AP", "where " + condicao);
        } else {
            Update2Campos("AATC01AP", "APQUANTIDADE", numero(quantidade - entregue), "APQUANTIDADEREQUERIDA",
                          numero(quantidade - entregue), "where " + condicao);
            // The lines' totals follow their new quantities, by the line total rule.
            Update2Campos("AATC01AP", "APVALTOTAL", totalPecaSql("APQUANTIDADE"), "APVALORTOTALREQUERIDO",
                          totalPecaSql("APQUANTIDADEREQUERIDA"), "where " + condicao);
        }
        commitRetaining();
        // The lines changed here pass by no parts-line save, which keeps the
        // product's reserved quantity.
        if (reservaPecasAtualizada())
            dmGlobal->Reservado(quSolicitaItPRCODIGO->asString(), true, {});
    }
    GravarTotaisOrdem(ordem);
}

// The order's new totals are stored at once: no order window saves them
// after a request changed its parts lines.
void TdmTec::GravarTotaisOrdem(int ordem)
{
    OrdemServicoAtualizaTotalizador(ordem);
    if (quOS->state() != DatasetState::Edit)
        return;
    host::data::DetachHandler semAntesGravar(quOS->beforePost);
    quOS->post();
}

void TdmTec::IncluirPecaSolicitacao(int ordem, double quantidade)
{
    quOSPecas->append();
    try {
        PreencherPecaSolicitacao(ordem, quantidade);
    } catch (...) {
        // A refused line is not left half made for the order window's next save.
        if (quOSPecas->state() == DatasetState::Insert)
            quOSPecas->cancel();
        throw;
    }
}

void TdmTec::PreencherPecaSolicitacao(int ordem, double quantidade)
{
    quOSPecasAOCODIGO->setAsInteger(ordem);
    quOSPecasPRCODIGO->setAsString(quSolicitaItPRCODIGO->asString());
    quOSPecasAPQUANTIDADE->setAsFloat(quantidade);
    quOSPecasAPQUANTIDADEREQUERIDA->setAsFloat(quantidade);
    quOSPecasAOITCODIGO->setValue(quOSItemAOITCODIGO->value());
    quOSPecasATCODIGO->setValue(quSolicitaItATCODIGOENTREGA->value());
    quOSPecasAPRESERVA->setAsString("S");
    quOSPecasAPSEQUENCIA->setAsInteger(
        int(MaximoDado("apsequencia", "AATC01AP", "aocodigo", QString::number(ordem), {}, true)) + 1);
    quOSPecas->post();
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
                                quSolicitaItATCODIGOENTREGA->value()};
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

// The reserved line of an item deleted, or changed to another product or
// responsible, leaves the order (kept, it stayed reserved, counted in the
// order's total and went into its sales order), unless another item still
// stands for the same product and responsible or the line already went into
// a sales order.
void TdmTec::RetirarPecaSolicitacao(const ItemSolicitacaoPeca& item)
{
    if (item.ordem <= 0)
        return;
    const QString ordem = QString::number(item.ordem);
    const QString responsavel = item.tecnico.isNull() ? QString("ATCODIGOENTREGA is null")
                                                      : "ATCODIGOENTREGA = " + QString::number(item.tecnico.toInt());
    if (ContadorDados("AOCODIGO", "AATC07AI", ordem,
                      " and AIID = 'I' and PRCODIGO = " + QuotedStr(item.produto) + " and " + responsavel, true) > 0)
        return;
    const QString pendentes =
        condicaoPecaSolicitada(item.ordem, item.produto, item.tecnico) + " and coalesce(VECODIGO, '') = ''";
    if (ContadorDados("aocodigo", "AATC01AP", ordem, " and " + pendentes, true) == 0)
        return;
    DeletaRegistros("AATC01AP", "where " + pendentes);
    commitRetaining();
    if (reservaPecasAtualizada())
        dmGlobal->Reservado(item.produto, true, {});
    // The order open in edit on the order window takes the new totals into
    // that edit, stored by its own save and checks.
    if (quOS->active() && quOSAOCODIGO->asInteger() == item.ordem && quOS->state() != DatasetState::Browse)
        OrdemServicoAtualizaTotalizador(item.ordem);
    else
        GravarTotaisOrdem(item.ordem);
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
