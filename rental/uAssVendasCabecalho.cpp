// The assistance-order window's header change, page loaders, lists of
// earlier values, address texts, searches and links.

#include "rental/uAssVendas.h"

#include "rental/uAssImpProposta.h"
#include "rental/uAssVendasImp.h"
#include "rental/uAssVendasImp2.h"

#include "data/uDataTec.h"
#include "data/uDataTecPedidoAssTela.h"

#include "host/UFormDinamica.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Uobservacao.h"
#include "host/Upesq.h"
#include "host/Upesqcli.h"
#include "host/Upesqforn.h"
#include "host/Upesqgeral.h"
#include "host/Uprincipal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/PageControl.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <memory>

namespace {

host::data::Field& assCampoPedido(const char* nome)
{
    return *dmTec->quAssVenda->fieldByName(QString::fromLatin1(nome));
}

void assCorTexto(QLabel* rotulo, const QColor& cor)
{
    QPalette paleta = rotulo->palette();
    paleta.setColor(QPalette::WindowText, cor);
    rotulo->setPalette(paleta);
}

}  // namespace

// ---- header change ----

void TfmAssVendas::dsVendaDataChange()
{
    host::data::Query& venda = *dmTec->quAssVenda;
    if (!venda.active())
        return;
    const QString tipo = assCampoPedido("AUX2").asString();
    const QString status = assCampoPedido("IMPRESSO_NF").asString();
    const QString modo = parametro("ATMODOPEDIDOASSISTENCIA");
    const assvenda::EstadoTela estado = assvenda::estadoTela(tipo, status, modo);

    const QColor cor = estado.textosVermelhos ? QColor(Qt::red) : QColor(Qt::darkGreen);
    assCorTexto(dbteTipo, cor);
    assCorTexto(dbteStatus, cor);
    dbteStatus->move(dbteTipo->x() + 7 * int(assCampoPedido("AUX2").text().length()), dbteStatus->y());

    for (host::data::DataSource* fonteDados : {dsVenda, dsVendaItens, dsVendaCotado})
        fonteDados->setAutoEdit(estado.editavel);
    for (QPushButton* botao : {bbSalvar, bbCancelar, bbExcluir})
        botao->setEnabled(estado.editavel);
    if (estado.finalizar)
        bbFinalizar->setEnabled(*estado.finalizar);
    tsEquipConfigurados->setTabVisible(estado.abaConfigurados);

    atualizarFilial();
    recarregarListas();
    recarregarEnderecos();
    if (!estado.legendaImpressao.isEmpty())
        bbProducao->setText(estado.legendaImpressao);
}

void TfmAssVendas::dbedLocalExit() { atualizarFilial(); }

void TfmAssVendas::atualizarFilial()
{
    laNomeFilial->setText(CarregaDado("nome", "ea", "Where Codigo = " + QuotedStr(assCampoPedido("VELOCAL").asString())));
}

// ---- lists of earlier values ----

void TfmAssVendas::CarregaListaPeriodo() { dbcbPeriodoLocacao->setPickList(assvenda::CarregaListaPeriodo()); }

// The order becomes a contract of its type: the contract registers' types
// first, then those earlier orders were typed with.
void TfmAssVendas::CarregaListaTipoContrato()
{
    QStringList tipos = tiposContrato_;
    for (const QString& tipo : assvenda::CarregaListaTipoContrato())
        if (!tipos.contains(tipo))
            tipos << tipo;
    dbcbTipoContrato->setPickList(tipos);
}

void TfmAssVendas::CarregaListaProjetos(const QString& cliente)
{
    dbcbProjeto->setPickList(assvenda::CarregaListaProjetos(cliente));
}

void TfmAssVendas::CarregaListaPedidosCliente(const QString& cliente)
{
    dbcbPedidoCliente->setPickList(assvenda::CarregaListaPedidosCliente(cliente));
}

void TfmAssVendas::recarregarListas()
{
    const QString cliente = assCampoPedido("CODIGO_CLIENTE").asString();
    CarregaListaPeriodo();
    CarregaListaTipoContrato();
    CarregaListaProjetos(cliente);
    CarregaListaPedidosCliente(cliente);
}

// ---- address texts ----

void TfmAssVendas::CarregaEnderecoEntrega()
{
    if (const auto texto = assvenda::textoEndereco(numeroAtual(), assvenda::kSequenciaEntrega))
        meEnderecoEntrega->setPlainText(*texto);
}

void TfmAssVendas::CarregaEnderecoCobranca()
{
    if (const auto texto = assvenda::textoEndereco(numeroAtual(), assvenda::kSequenciaCobranca))
        meEnderecoCobranca->setPlainText(*texto);
}

void TfmAssVendas::recarregarEnderecos()
{
    CarregaEnderecoEntrega();
    CarregaEnderecoCobranca();
}

void TfmAssVendas::laEnderecoEntregaClick()
{
    alterarEndereco(assvenda::kSequenciaEntrega, "ANCODIGOENTREGA", "Entrega");
}

void TfmAssVendas::laEnderecoCobrancaClick()
{
    alterarEndereco(assvenda::kSequenciaCobranca, "ANCODIGOCOBRANCA", "Cobrança");
}

void TfmAssVendas::alterarEndereco(int sequencia, const char* contato, const QString& rotulo)
{
    salvar();
    const QString numero = numeroAtual();
    // An order not saved yet has no number to file the text under.
    if (numero.trimmed().isEmpty())
        dmGlobal->MostraAviso("Número do pedido inválido", true);
    const bool entrega = sequencia == assvenda::kSequenciaEntrega;
    entrega ? CarregaEnderecoEntrega() : CarregaEnderecoCobranca();
    const QString resposta =
        dmGlobal->MostraPergunta("Deseja carregar Endereço de " + rotulo + " do Cadastro do Cliente?", {"Sim", "Não"});
    if (resposta == "Sim")
        assvenda::gravarEnderecoCadastro(numero, assCampoPedido(contato).asString(), sequencia, rotulo);
    else if (resposta == "Não")
        dmGlobal->InserirObservacaoAdicional("obTexto", numero, "V", sequencia, dmGlobal->quObsGeral, false, 0,
                                             "Endereço de " + rotulo);
    entrega ? CarregaEnderecoEntrega() : CarregaEnderecoCobranca();
}

// ---- pages ----

// Each line page reloads its lines; a line left in edit there is stored first.
void TfmAssVendas::pcPedidoChange()
{
    TdmTec& tec = *dmTec;
    const QString numero = numeroAtual();
    numeroDasLinhas_ = numero;
    host::ui::TabSheet* pagina = pcPedido->activePage();
    if (pagina == tsEquipSolicitados) {
        if (tec.quAssVendaItem->editing())
            SalvarAlteracoes(*tec.quAssVendaItem);
        tec.CarregaPedidoAssVendaItem(numero, "coalesce(VEPEDIDOORIGEM, '') = '' ", "");
    } else if (pagina == tsEquipConfigurados) {
        if (tec.quAssVendaCotado->editing())
            SalvarAlteracoes(*tec.quAssVendaCotado);
        tec.CarregaPedidoAssVendaCotado(numero, "");
    } else if (pagina == tsCtrlAlteracoes) {
        tec.CarregaControleAlteracoesPedidoAss(numero);
    }
}

// Another window (the checkout list) may load another order's header into
// this one: its line pages follow, unless a line is being typed, which
// stays with the order it was typed for.
void TfmAssVendas::mostrarLinhasDoPedido()
{
    TdmTec& tec = *dmTec;
    if (numeroAtual() == numeroDasLinhas_ || tec.quAssVendaItem->editing() || tec.quAssVendaCotado->editing())
        return;
    pcPedidoChange();
}

// ---- searches ----

void TfmAssVendas::editarCabecalho()
{
    host::data::Query& venda = *dmTec->quAssVenda;
    if (!venda.active())
        CarregaPedidoAssVenda("", "");
    if (!venda.editing())
        venda.edit();
}

void TfmAssVendas::sbPesquisaDetalhadaClick()
{
    if (!dmTec->quAssVenda->active()) {
        dmGlobal->MostraAviso("Aviso: operação abortada.\rConsulta não está ativa!", false);
        return;
    }
    if (!assCampoPedido("CODIGO_CLIENTE").isNull() && pendente())
        perguntarSalvar();
    QString numero;
    if (SelecionaVenda(numero))
        carregarPedido(numero);
}

void TfmAssVendas::sbPesqCliClick()
{
    editarCabecalho();
    QString nome, codigo, fantasia;
    if (SelecionaCliente(nome, codigo, fantasia))
        assCampoPedido("CODIGO_CLIENTE").setText(codigo);   // as typed: the field's rules run
}

void TfmAssVendas::sbPesqBancoClick()
{
    editarCabecalho();
    QString banco, nao1, nao2;
    if (SelecionaPesquisaGeral(23, "codigo_banco", "codigo_banco", "codigo_banco", banco, nao1, nao2))
        assCampoPedido("BCCODIGO").setAsString(banco);
}

void TfmAssVendas::sbPesqGerenteClick()
{
    QString codigo, tipo;
    if (!SelecionaFornecedor(codigo, tipo, parametro("ATPESQUISAGERENTE") != "N"))
        return;
    editarCabecalho();
    assCampoPedido("CODIGO_VENDEDOR").setAsString(codigo);
}

// ---- links and hint buttons ----

void TfmAssVendas::laDadosClienteClick()
{
    const QString cliente = assCampoPedido("CODIGO_CLIENTE").asString();
    const QString pessoa =
        CarregaDado("PESSOA_FISICAOUJURIDICA", "Augc0301", "where CODIGO_CLIENTE = " + QuotedStr(cliente));
    if (fmPrincipal)
        fmPrincipal->AbrirCadastro(pessoa == "F" ? "PF" : "PJ", cliente);
    dmGlobal->CarregaCliente(cliente);
}

void TfmAssVendas::sbObsAdicClick()
{
    salvar();
    if (numeroAtual().trimmed().isEmpty())
        dmGlobal->MostraAviso("Número do pedido inválido", true);
    host::data::Query& observacao = *dmTec->quAssVendaObs;
    auto janela = std::make_unique<TfmObservacao>();
    janela->dsObservacao->setDataset(&observacao);
    janela->dbmeObservacao->setDataField("VOTEXTO");
    observacao.close();
    observacao.open();
    if (observacao.isEmpty() && parametro("ATOBSANTERIORPEDIDO") != "I" &&
        dmGlobal->MostraPergunta("Deseja carregar a última observação digitada?", {"Sim", "Não"}) == "Sim") {
        observacao.append();
        observacao.fieldByName("VOTEXTO")->setAsString(
            CarregaDado("voTexto", "avec85vo", "Where veCodigo=(Select max(veCodigo) from avec85vo)"));
    }
    try {
        // Only "&Gravar" keeps the text; cancelling leaves the stored one.
        if (janela->showModal() == host::ui::ModalResult::Ok) {
            janela->dbmeObservacao->commit();
            SalvarAlteracoes(observacao);
        } else {
            CancelarAlteracoes(observacao);
        }
    } catch (...) {
        janela->dsObservacao->setDataset(nullptr);
        CancelarAlteracoes(observacao);
        observacao.close();
        throw;
    }
    janela->dsObservacao->setDataset(nullptr);
    observacao.close();
}

void TfmAssVendas::sbZeltoCreatorClick()
{
    AbrirFormDinamica("AVEC8501", {"NUMERO_PEDIDO"}, {"Nº Pedido"}, {numeroAtual()}, false);
}

// ---- printing ----

// By the order mode: "C" prints the production order; "E" the production
// order of an order (AUX2 "1") or the proposal letter of a proposal, whose
// report is freed afterwards (the viewer keeps its pages); other modes print
// nothing and say why.
void TfmAssVendas::bbProducaoClick()
{
    const QString modo = parametro("ATMODOPEDIDOASSISTENCIA");
    const QString pedido = numeroAtual();
    if (modo == "C" || (modo == "E" && assCampoPedido("AUX2").asString() == "1")) {
        VisualizarPedidoProducaoAssVenda(pedido);
    } else if (modo == "E") {
        host::ui::ReleaseOnExit liberar(qrAssImpProposta);
        VisualizarPropostaAssVenda(pedido);
    } else {
        dmGlobal->MostraAviso("Nada foi impresso: o pedido de produção e a carta de proposta só são impressos com o"
                              " modo do pedido de assistência \"C\" ou \"E\" (parâmetro ATMODOPEDIDOASSISTENCIA,"
                              " em Sistema > Parâmetros).",
                              false);
    }
}

void TfmAssVendas::bbLocacaoClick() { VisualizarPedidoLocacaoAssVenda(numeroAtual()); }
