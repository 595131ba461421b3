// The controls both rental registers have: the header fields each places
// in its own order, "Dados Adicionais", "Parcelas", the memo pages, "Dados
// da Retirada", "Contratos Vinculados", the record buttons, and their
// bindings.

#include "rental/uAssContLocComum.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContRegras.h"

#include "host/Udmglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"
#include "host/ui/FormBuilders.h"
#include "host/ui/PageControl.h"
#include "host/ui/StatusBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using host::ui::CaptionGrid;
using host::ui::DataGrid;
using host::ui::DataMemo;
using host::ui::makeButton;
using host::ui::makeCombo;
using host::ui::makeEdit;
using host::ui::makeLink;
using host::ui::makeLookup;
using host::ui::makeSearchButton;
using host::ui::makeText;

namespace {

DataMemo* memoLoc(QWidget* pai, const char* nome, host::data::DataSource* fonte, const QString& campo)
{
    auto* m = new DataMemo(nome, pai);
    m->bind(fonte, campo);
    return m;
}

QFont negritoLoc(QWidget* w)
{
    QFont f = w->font();
    f.setBold(true);
    return f;
}

// A page holding only a memo.
DataMemo* paginaMemoLoc(host::ui::TabSheet* pagina, const char* nome, host::data::DataSource* fonte,
                        const QString& campo)
{
    auto* layout = new QVBoxLayout(pagina);
    layout->setContentsMargins(4, 4, 4, 4);
    DataMemo* m = memoLoc(pagina, nome, fonte, campo);
    layout->addWidget(m);
    return m;
}

}  // namespace

host::ui::PageControl* TfmAssContLocBase::criarPaginasIniciais()
{
    pcItensContrato = new host::ui::PageControl("pcItensContrato", this);
    tsDadosAdicionais = pcItensContrato->addPage("tsDadosAdicionais", "Dados Adicionais");
    tsEquipamentos = pcItensContrato->addPage("tsEquipamentos", "Equipamentos");
    return pcItensContrato;
}

void TfmAssContLocBase::criarPaginasFinais()
{
    tsParcelas = pcItensContrato->addPage("tsParcelas", "Parcelas");
    tsObsSR = pcItensContrato->addPage("tsObsSR", "Observações Emissão Boletos");
    tsHistorico = pcItensContrato->addPage("tsHistorico", "Histórico");
    tsCustosVariaveis = pcItensContrato->addPage("tsCustosVariaveis", "Custos Variáveis");
    tsDadosRetirada = pcItensContrato->addPage("tsDadosRetirada", "Dados da Retirada");
    tsObsAdicionais = pcItensContrato->addPage("tsObsAdicionais", "Observações Adicionais");
    tsContratosVinculados = pcItensContrato->addPage("tsContratosVinculados", "Contratos Vinculados");
}

void TfmAssContLocBase::ligarCiclo()
{
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onActivate = [this] { FormActivate(); };
    onSaveChanges = [this] { gravarTudo(); };
    onClose = [this](host::ui::CloseAction& action) {
        FormClose();
        action = host::ui::CloseAction::Free;
    };
}

void TfmAssContLocBase::montarCabecalhoComum(CaptionGrid& g, QWidget* p, bool ligacoesDeCaption)
{
    host::data::DataSource* ds = dsCtrCadastro;
    dbedCodigo = makeEdit(p, "dbedCodigo", ds, "ACCODIGO");
    dbedCodigo->setReadOnlyControl(true);
    dbedCodigo->setFont(negritoLoc(dbedCodigo));
    dbedCodigo->setMaximumWidth(70);
    btPesqContrato = makeSearchButton(p, "btPesqContrato");
    btContratoAnt = makeButton(p, "btContratoAnt", "<");
    btContratoProx = makeButton(p, "btContratoProx", ">");
    for (QPushButton* b : {btContratoAnt, btContratoProx})
        b->setFixedWidth(24);
    g.field("Código ", dbedCodigo, {btPesqContrato, btContratoAnt, btContratoProx});
    dbedNumeroContrato = makeEdit(p, "dbedNumeroContrato", ds, "ACNUMEROCONTRATO");
    g.field("Número Contrato", dbedNumeroContrato);
    dbedLocal = makeEdit(p, "dbedLocal", ds, "ACLOCAL");
    dbedLocal->setMaximumWidth(40);
    dbteNomeFilial = makeText(p, "dbteNomeFilial", ds, "NOMEFILIAL");
    dbteNomeFilial->setFont(negritoLoc(dbteNomeFilial));
    g.field("U.N.", dbedLocal, {dbteNomeFilial}, 2);
    g.newRow();

    // The contractor and the customer: the captions open their registers on
    // one register, links under the fields on the other.
    auto parte = [&](const char* nomeLigacao, const QString& caption, const QString& textoLigacao,
                     host::ui::DataLabel*& ligacao, const char* nomeEdit, host::ui::DataEdit*& edit,
                     const char* nomeLookup, host::ui::DataLookupCombo*& lookup, const char* nomeBotao,
                     QPushButton*& botao, const QString& campo) {
        edit = makeEdit(p, nomeEdit, ds, campo);
        edit->setMaximumWidth(60);
        lookup = makeLookup(p, nomeLookup, ds, campo, dsClienteConsulta, "CODIGO_CLIENTE", "NOME");
        botao = makeSearchButton(p, nomeBotao);
        if (ligacoesDeCaption) {
            ligacao = makeLink(p, nomeLigacao, caption);
            g.field(ligacao, edit, {lookup, botao}, 2);
        } else {
            ligacao = makeLink(p, nomeLigacao, textoLigacao);
            auto* caixa = new QWidget(p);
            auto* v = new QVBoxLayout(caixa);
            v->setContentsMargins(0, 0, 0, 0);
            v->setSpacing(0);
            auto* h = new QHBoxLayout;
            h->setSpacing(1);
            h->addWidget(edit);
            h->addWidget(lookup, 1);
            h->addWidget(botao);
            v->addLayout(h);
            v->addWidget(ligacao);
            g.field(caption, caixa, {}, 2);
        }
    };
    parte("laContratante", "Contratante", "Clique aqui para ver Dados Contratante", laContratante, "dbedContratante",
          dbedContratante, "dblcContratante", dblcContratante, "btPesqContratante", btPesqContratante,
          "ACCONTRATANTE");
    parte("laCliente", "Cliente", "Clique aqui para ver Dados Cliente", laCliente, "dbedCliente", dbedCliente,
          "dblcCliente", dblcCliente, "btPesqCliente", btPesqCliente, "CLCODIGO");
    g.newRow();

    // Placed by each register.
    dbcbAssinado = makeCombo(p, "dbcbAssinado", ds, "ACSITUACAO", {"1 - Sim", "2 - Não", "3 - Não Possui"});
    dbedDataInicio = makeEdit(p, "dbedDataInicio", ds, "ACDATAIMPLANTACAO");
    dbedDiasContrato = makeEdit(p, "dbedDiasContrato", ds, "ACDIASCONTRATO");
    dbedDiasContrato->setMaximumWidth(50);
    dbedDataTermino = makeEdit(p, "dbedDataTermino", ds, "ACDATAVALIDADE");
    dbcbRenovacao = makeCombo(p, "dbcbRenovacao", ds, "ACRENOVACAO", {"Não", "Sim"});
    dbteValor = makeText(p, "dbteValor", ds, "ACVALOR");
    dbteValor->setFont(negritoLoc(dbteValor));
    dblcContato = makeLookup(p, "dblcContato", ds, "ACCONTATO", dmTecContrato->dsContato, "ANCODIGO", "ANNOME");
    dbedQtdeParcelas = makeEdit(p, "dbedQtdeParcelas", ds, "ACQUANTIDADEPARCELA");
    dbedQtdeParcelas->setMaximumWidth(50);
    dbcbModalidade = makeCombo(p, "dbcbModalidade", ds, "ACMODALIDADE", {"Normal", "Pro-Rata"});
    dbcbVinculo = makeCombo(p, "dbcbVinculo", ds, "ACVINCULO", {"Principal", "Complementar"});
}

void TfmAssContLocBase::montarDadosAdicionaisComum(CaptionGrid& g, QWidget* p)
{
    host::data::DataSource* ds = dsCtrCadastro;
    TdmTecContrato& dm = *dmTecContrato;
    dblcContatoEntrega = makeLookup(p, "dblcContatoEntrega", ds, "ACCONTENTREGA", dm.dsContatoEnt, "ANCODIGO", "ANNOME");
    g.field("Contato Entrega", dblcContatoEntrega);
    dbmeEndEntrega = memoLoc(p, "dbmeEndEntrega", ds, "ACENDENTREGA");
    dbmeEndEntrega->setMaximumHeight(48);
    g.field("End. Entrega", dbmeEndEntrega, {}, 2);
    g.newRow();
    dblcContatoCobranca =
        makeLookup(p, "dblcContatoCobranca", ds, "ACCONTCOBRANCA", dm.dsContatoCob, "ANCODIGO", "ANNOME");
    dbteObsCobranca = makeText(p, "dbteObsCobranca", dm.dsContatoCob, "ANOBSERVACAO");
    g.field("Contato Cobrança", dblcContatoCobranca, {dbteObsCobranca});
    dbmeEndCobranca = memoLoc(p, "dbmeEndCobranca", ds, "ACENDCOBRANCA");
    dbmeEndCobranca->setMaximumHeight(48);
    g.field("End. Cobrança", dbmeEndCobranca, {}, 2);
    g.newRow();
    dblcContatoContrato =
        makeLookup(p, "dblcContatoContrato", ds, "ACCONTENTCONTRATO", dm.dsContatoCtr, "ANCODIGO", "ANNOME");
    g.field("Contato Entrega Contrato", dblcContatoContrato);
    dbmeEndContrato = memoLoc(p, "dbmeEndContrato", ds, "ACENDENTCONTRATO");
    dbmeEndContrato->setMaximumHeight(48);
    g.field("End. Entrega Contrato", dbmeEndContrato, {}, 2);
    g.newRow();
    dbedResponsavel = makeEdit(p, "dbedResponsavel", ds, "ACRESPONSAVEL");
    dbedResponsavel->setMaximumWidth(60);
    dblcDadosGerente = makeLookup(p, "dblcDadosGerente", ds, "ACRESPONSAVEL", dsVendedor, "FCOD", "FNOME");
    sbPesqResp = makeSearchButton(p, "sbPesqResp");
    g.field("Gerente Conta", dbedResponsavel, {dblcDadosGerente, sbPesqResp}, 2);
    dbteProposta = makeText(p, "dbteProposta", ds, "ACPROPOSTA");
    g.field("Proposta", dbteProposta);
    g.newRow();
    dbteNotaRemessa = makeText(p, "dbteNotaRemessa", ds, "ACNFREMESSA");
    dbteNotaRemessaEmissao = makeText(p, "dbteNotaRemessaEmissao", ds, "ACNFREMESSAEMISSAO");
    g.field("Nota Remessa", dbteNotaRemessa, {dbteNotaRemessaEmissao});
    dbtePedido = makeText(p, "dbtePedido", ds, "ACPEDIDO");
    dbteDataPedido = makeText(p, "dbteDataPedido", ds, "DataPedido");
    g.field("Pedido", dbtePedido, {dbteDataPedido});
    dbedDataReajuste = makeEdit(p, "dbedDataReajuste", ds, "ACRENOVACAOLIMITE");
    g.field("Data Reajuste", dbedDataReajuste);
    g.newRow();
    dbcbTipoPgto = makeCombo(p, "dbcbTipoPgto", ds, "ACTIPOPAGAMENTO",
                             uDataTecContRegras::TiposPagamentoContrato());
    g.field("Tipo Pgto.", dbcbTipoPgto);
    dblcBanco = makeLookup(p, "dblcBanco", ds, "BCCODIGO", dsBanco, "CODIGO_BANCO", "NOME_BANCO");
    g.field("Banco Cob.", dblcBanco);
    dbcbPedidoCliente = makeCombo(p, "dbcbPedidoCliente", ds, "ACPEDIDOCLIENTE", {}, true);
    g.field("Pedido Cliente", dbcbPedidoCliente);
    dbedDataPagamento = makeEdit(p, "dbedDataPagamento", ds, "ACDATAPAGAMENTO");
    g.field("Data Pagamento", dbedDataPagamento);
    g.newRow();
    dbmeObservacoes = memoLoc(p, "dbmeObservacoes", ds, "ACTEXTO");
    dbmeObservacoes->setMaximumHeight(60);
    g.field("Observações", dbmeObservacoes, {}, 3);
}

void TfmAssContLocBase::montarParcelas()
{
    DataGrid* gr = dbgdAssContCadLocEquiParcelas =
        host::ui::gridOnPage(tsParcelas, "dbgdAssContCadLocEquiParcelas", dsReceber);
    using host::ui::addGridColumn;
    addGridColumn(gr, "CODIGO_FILIAL", "Filial", 40);
    addGridColumn(gr, "NUMERO_DOCUMENTO", "Documento", 80);
    addGridColumn(gr, "DATA_EMISSAO", "Emissão", 80);
    addGridColumn(gr, "DATA_VENCIMENTO", "Vencimento", 80);
    addGridColumn(gr, "OBS10", "Observação Adicional", 180);
    addGridColumn(gr, "VALOR_DOCUMENTO", "Valor", 80);
    addGridColumn(gr, "VALOR_DESCONTO", "Desconto", 70);
    addGridColumn(gr, "CRDOCUMENTOORIGINAL", "Doc.Origem", 80);
    addGridColumn(gr, "CRPREVBOLETO", "Previsão Boleto", 95);
    addGridColumn(gr, "CRDATABOLETO", "Data Boleto", 80);
    addGridColumn(gr, "CREMISSAOINI", "Início Vigência", 95);
    addGridColumn(gr, "CREMISSAOFIN", "Final Vigência", 95);
    auto* layout = static_cast<QVBoxLayout*>(tsParcelas->layout());
    stParcelas = new host::ui::StatusBar("stParcelas", tsParcelas);
    for (const char* legenda :
         {"Branco - Em Aberto À Vencer", "Vermelho - Em Aberto Vencido", "Amarelo - Previsão", "Azul - Pago"})
        stParcelas->addPanel(200, QString::fromUtf8(legenda));
    layout->addWidget(stParcelas);
    paParcelas = new QWidget(tsParcelas);
    paParcelas->setObjectName("paParcelas");
    auto* h = new QHBoxLayout(paParcelas);
    h->setContentsMargins(0, 0, 0, 0);
    laAdicInfoPedidoCliente =
        makeLink(paParcelas, "laAdicInfoPedidoCliente", "Clique aqui para Adicionar Informação Pedido do Cliente");
    bbAlterar = makeButton(paParcelas, "bbAlterar", "Alterar Parcelas");
    bbApagar = makeButton(paParcelas, "bbApagar", "Excluir Parcelas");
    bbPrevisionar = makeButton(paParcelas, "bbPrevisionar", "Gerar Previsão");
    h->addWidget(laAdicInfoPedidoCliente, 1);
    for (QPushButton* b : {bbAlterar, bbApagar, bbPrevisionar})
        h->addWidget(b);
    layout->addWidget(paParcelas);
}

void TfmAssContLocBase::montarPaginasFinais()
{
    host::data::DataSource* ds = dsCtrCadastro;
    dbmeObsSR = paginaMemoLoc(tsObsSR, "dbmeObsSR", dsObsSR, "OBTEXTO");
    dbmeHistorico = paginaMemoLoc(tsHistorico, "dbmeHistorico", ds, "ACHISTORICO");
    dbmeCustosVar = paginaMemoLoc(tsCustosVariaveis, "dbmeCustosVar", ds, "ACCUSTOSVAR");
    dbmeObsAdic = paginaMemoLoc(tsObsAdicionais, "dbmeObsAdic", dsObsAdic, "OBTEXTO");

    QWidget* p = tsDadosRetirada;
    CaptionGrid g(p, 4);
    dbcbComprovante = makeCombo(p, "dbcbComprovante", ds, "ACCOMPROVANTE", {"Nota Fiscal", "Carta de Devolução"});
    g.field("Documentação", dbcbComprovante);
    dbcbRetirada = makeCombo(p, "dbcbRetirada", ds, "ACCOMPROVANTERETIRADA", {"Não ", "Sim"}, true);
    g.field("Retirada", dbcbRetirada);
    g.newRow();
    dbedRetiradaData = makeEdit(p, "dbedRetiradaData", ds, "ACCOMPROVANTEDATAHORA");
    g.field("Data", dbedRetiradaData);
    rxspRetiradaHora = new host::ui::SpinEdit("rxspRetiradaHora", p);
    rxspRetiradaHora->setRange(0, 23);
    g.field("Hora", rxspRetiradaHora);
    rxspRetiradaMinutos = new host::ui::SpinEdit("rxspRetiradaMinutos", p);
    rxspRetiradaMinutos->setRange(0, 59);
    g.field("Minutos", rxspRetiradaMinutos);
    g.newRow();
    dbedProcurar = makeEdit(p, "dbedProcurar", ds, "ACCOMPROVANTEPROCURAR");
    g.field("Procurar por", dbedProcurar, {}, 2);
    dblcContatoRetirada =
        makeLookup(p, "dblcContatoRetirada", ds, "ACCONTRETIRADA", dmTecContrato->dsContatoRet, "ANCODIGO", "ANNOME");
    g.field("Contato", dblcContatoRetirada, {}, 2);
    dbmeEndRetirada = memoLoc(p, "dbmeEndRetirada", ds, "ACCOMPROVANTEEND");
    dbmeEndRetirada->setMaximumHeight(60);
    g.field("End. Retirada", dbmeEndRetirada, {}, 4);
    dbmeObsRetirada = memoLoc(p, "dbmeObsRetirada", ds, "ACCOMPROVANTEOBS");
    dbmeObsRetirada->setMaximumHeight(60);
    g.field("Observações", dbmeObsRetirada, {}, 4);
    dbteRetiradaEm = makeText(p, "dbteRetiradaEm", ds, "ACDATARETIRADA");
    g.field("Retirada em", dbteRetiradaEm);
    laStatusRetirada = new QLabel("Não Definida", p);
    laStatusRetirada->setObjectName("laStatusRetirada");
    laStatusRetirada->setFont(negritoLoc(laStatusRetirada));
    g.field("Status da Retirada:", laStatusRetirada);
    laRetiradaConferir = makeLink(p, "laRetiradaConferir", "Clique aqui para Confirmar Retirada");
    g.field(QString(), laRetiradaConferir, {}, 2);
    g.finish();

    DataGrid* vi = dbgdAssContratoEquipVinc =
        host::ui::gridOnPage(tsContratosVinculados, "dbgdAssContratoEquipVinc", dsContratoVin);
    host::ui::withButton(host::ui::addGridColumn(vi, "ACCODIGOCOMPLEMENTO", "Código", 70));
    host::ui::readOnly(host::ui::addGridColumn(vi, "CLNOMECOMPLEMENTO", "Cliente", 260));
    host::ui::readOnly(host::ui::addGridColumn(vi, "ACVALORPARCELACOMPLEMENTO", "Valor Parcela", 100));
}

QWidget* TfmAssContLocBase::montarBotoes(std::initializer_list<QPushButton*> extras)
{
    paBotoes = new QWidget(this);
    paBotoes->setObjectName("paBotoes");
    auto* h = new QHBoxLayout(paBotoes);
    h->setContentsMargins(0, 0, 0, 0);
    btNovo = makeButton(paBotoes, "btNovo", "&Novo");
    btSalvar = makeButton(paBotoes, "btSalvar", "&Salvar");
    btCancelar = makeButton(paBotoes, "btCancelar", "&Cancelar");
    btExcluir = makeButton(paBotoes, "btExcluir", "&Excluir");
    btImprimir = makeButton(paBotoes, "btImprimir", "&Imprimir");
    btSair = makeButton(paBotoes, "btSair", "S&air");
    h->addStretch(1);
    for (QPushButton* b : {btNovo, btSalvar, btCancelar, btExcluir, btImprimir, btSair})
        h->addWidget(b);
    for (QPushButton* b : extras) {
        b->setParent(paBotoes);
        h->addWidget(b);
    }
    return paBotoes;
}

void TfmAssContLocBase::ligarComum()
{
    auto clique = [this](QPushButton* botao, void (TfmAssContLocBase::*handler)()) {
        connect(botao, &QPushButton::clicked, this,
                [this, handler] { host::ui::runGuarded([&] { (this->*handler)(); }); });
    };
    clique(btContratoAnt, &TfmAssContLocBase::btContratoAntClick);
    clique(btContratoProx, &TfmAssContLocBase::btContratoProxClick);
    clique(btPesqContrato, &TfmAssContLocBase::btPesqContratoClick);
    clique(btNovo, &TfmAssContLocBase::btNovoClick);
    clique(btSalvar, &TfmAssContLocBase::btSalvarClick);
    clique(btCancelar, &TfmAssContLocBase::btCancelarClick);
    clique(btExcluir, &TfmAssContLocBase::btExcluirClick);
    clique(btSair, &TfmAssContLocBase::btSairClick);
    clique(btPesqContratante, &TfmAssContLocBase::btPesqContratanteClick);
    clique(btPesqCliente, &TfmAssContLocBase::btPesqClienteClick);
    clique(sbPesqResp, &TfmAssContLocBase::sbPesqRespClick);
    clique(bbAlterar, &TfmAssContLocBase::bbAlterarClick);
    clique(bbApagar, &TfmAssContLocBase::bbApagarClick);
    clique(bbPrevisionar, &TfmAssContLocBase::bbPrevisionarClick);
    laContratante->onClick = [this] { laAbrirDadosContratanteClick(); };
    laCliente->onClick = [this] { laAbrirDadosClienteClick(); };
    laAdicInfoPedidoCliente->onClick = [this] { laAdicInfoPedidoClienteClick(); };
    laRetiradaConferir->onClick = [this] { laRetiradaConferirClick(); };
    rxspRetiradaHora->onChange = [this] { rxspRetiradaHoraChange(); };
    rxspRetiradaMinutos->onChange = [this] { rxspRetiradaMinutosChange(); };
    dbedDataInicio->onExit = [this] { dbedDataInicioExit(); };
    dbedDataTermino->onExit = [this] { dbedDataTerminoExit(); };

    pcItensContrato->onChange = [this] { pcItensContratoChange(); };
    dsCtrCadastro->onDataChange = [this](host::data::DataSource&, host::data::Field*) { cabecalhoAlterado(); };
    // Leaving an edit lets the spins follow the stored moment again; nothing is read.
    dsCtrCadastro->onStateChange = [this](host::data::DataSource&) { dadosCabecalhoAlterados(); };
    dsReceber->onDataChange = [this](host::data::DataSource&, host::data::Field*) { receberAlterado(); };
    dsObsSR->onDataChange = [this](host::data::DataSource&, host::data::Field*) { dsObsSRDataChange(); };
    dsObsAdic->onDataChange = [this](host::data::DataSource&, host::data::Field*) { dsObsAdicDataChange(); };

    dbgdAssContCadLocEquiParcelas->onDrawColumnCell = [this](host::ui::CellStyle& style, int, host::ui::GridColumn&,
                                                             bool selecionada) {
        dbgdAssContCadLocEquiParcelasDrawColumnCell(style, selecionada);
    };
    dbgdAssContratoEquipVinc->onEditButtonClick = [this] { dbgdAssContratoEquipVincEditButtonClick(); };
    for (DataGrid* grade : {dbgdAssContCadLocEquiParcelas, dbgdAssContratoEquipVinc})
        grade->onTitleClick = [this, grade](host::ui::GridColumn& coluna) { dbgdGradeTitleClick(grade, coluna); };
}
