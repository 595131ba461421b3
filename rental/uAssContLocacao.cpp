// The rental register of option "Q": its controls, life cycle, the period
// switch, the due-date table and salesman searches, the rentable equipment
// and accessory grids, and the receivables' due-kind list with its log.

#include "rental/uAssContLocacao.h"

#include "contract_data/uDataTecCont.h"
#include "data/udmRelTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqgeral.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"
#include "host/ui/FormBuilders.h"
#include "host/ui/PageControl.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

using host::data::Dataset;
using host::ui::addGridColumn;
using host::ui::CaptionGrid;
using host::ui::DataGrid;
using host::ui::makeEdit;
using host::ui::makeLookup;
using host::ui::makeSearchButton;
using host::ui::readOnly;
using host::ui::withButton;

host::ui::FormVar<TfmAssContLocacao> fmAssContLocacao("fmAssContLocacao");

TfmAssContLocacao::TfmAssContLocacao(QWidget* parent) : TfmAssContLocBase(parent)
{
    setCaption("Cadastro de Contrato de Locação de Equipamento");
    // The rental documents print through the report data module.
    if (!DmRelTec)
        DmRelTec.create(nullptr);
    resize(900, 680);
    montarTela();
    ligarComum();
    ligarEventos();
    ligarCiclo();
}

// ---- controls ----

void TfmAssContLocacao::montarTela()
{
    TdmTecContrato& dm = *dmTecContrato;
    dsCtrEquipLocacao = fonte("dsCtrEquipLocacao", dm.quCtrEquipLocacao);
    dsCtrAcessLocacao = fonte("dsCtrAcessLocacao", dm.quCtrAcessLocacao);
    dsTabVenc = fonte("dsTabVenc", dmGlobal->quTabVenc);
    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(4, 4, 4, 4);
    principal->addWidget(montarCabecalho());
    criarPaginasIniciais();
    criarPaginasFinais();
    {
        QWidget* p = tsDadosAdicionais;
        CaptionGrid g(p, 3);
        montarDadosAdicionaisComum(g, p);
        dbedVendedor = makeEdit(p, "dbedVendedor", dsCtrCadastro, "ACVENDEDOR");
        dbedVendedor->setMaximumWidth(60);
        DBLcACVENDEDOR = makeLookup(p, "DBLcACVENDEDOR", dsCtrCadastro, "ACVENDEDOR", dsVendedor, "FCOD", "FNOME");
        SbPesqVendedor = makeSearchButton(p, "SbPesqVendedor");
        g.field("Vendedor", dbedVendedor, {DBLcACVENDEDOR, SbPesqVendedor}, 2);
        g.finish();
    }
    montarEquipamentos();
    montarParcelas();
    montarPaginasFinais();
    for (host::ui::DataEdit* data : {dbedDataInicio, dbedDataTermino, dbedDataEncerramento, dbedDataReajuste,
                                     dbedDataPagamento, dbedRetiradaData})
        data->setEditMask("!99/99/99;1;_");
    principal->addWidget(pcItensContrato, 1);
    bbFaturar = host::ui::makeButton(this, "bbFaturar", "Faturar");
    principal->addWidget(montarBotoes({bbFaturar}));
}

QWidget* TfmAssContLocacao::montarCabecalho()
{
    auto* cabecalho = new QWidget(this);
    cabecalho->setObjectName("paCabecalho");
    QWidget* p = cabecalho;
    host::data::DataSource* ds = dsCtrCadastro;
    CaptionGrid g(p, 6);
    montarCabecalhoComum(g, p, true);
    g.field("Assinado", dbcbAssinado);
    g.field("Início", dbedDataInicio);
    g.field("Estimativa", dbedDiasContrato);
    g.field("Encer. estimado", dbedDataTermino);
    dbedDataEncerramento = makeEdit(p, "dbedDataEncerramento", ds, "ACDATAENTREGA");
    g.field("Encerramento", dbedDataEncerramento);
    g.field("Renovar Auto.", dbcbRenovacao);
    g.field("Valor", dbteValor);
    g.field("Contato", dblcContato);
    dbcbPeriodoDesc = host::ui::makeCombo(p, "dbcbPeriodoDesc", ds, "ACPERIODODESC", {"Diária", "Mensal"});
    g.field("Período", dbcbPeriodoDesc);
    laTabelaVenc = new QLabel("Tabela Venc.", p);
    laTabelaVenc->setObjectName("laTabelaVenc");
    dbedTabelaVenc = makeEdit(p, "dbedTabelaVenc", ds, "TVCODIGO");
    dbedTabelaVenc->setMaximumWidth(50);
    dblcTabelaVenc = makeLookup(p, "dblcTabelaVenc", ds, "TVCODIGO", dsTabVenc, "CODIGO", "DESCRICAO");
    bbPesqTabVenc = makeSearchButton(p, "bbPesqTabVenc");
    g.field(laTabelaVenc, dbedTabelaVenc, {dblcTabelaVenc, bbPesqTabVenc}, 2);
    laDiaVenc = new QLabel("Dia Venc.", p);
    laDiaVenc->setObjectName("laDiaVenc");
    dbedDiaVenc = makeEdit(p, "dbedDiaVenc", ds, "ACVENCIMENTO");
    dbedDiaVenc->setMaximumWidth(50);
    g.field(laDiaVenc, dbedDiaVenc);
    dblcBancoCabecalho = makeLookup(p, "dblcBancoCabecalho", ds, "BCCODIGO", dsBanco, "CODIGO_BANCO", "NOME_BANCO");
    g.field("Banco", dblcBancoCabecalho);
    g.field("Vínculo", dbcbVinculo);
    dbcbTipoDesc = host::ui::makeCombo(p, "dbcbTipoDesc", ds, "ACTIPODESC", {}, true);
    g.field("Tipo Contrato", dbcbTipoDesc);
    paParcelasCabecalho = new QWidget(p);
    paParcelasCabecalho->setObjectName("paParcelasCabecalho");
    auto* h = new QHBoxLayout(paParcelasCabecalho);
    h->setContentsMargins(0, 0, 0, 0);
    h->addWidget(new QLabel("Parcelas", paParcelasCabecalho));
    h->addWidget(dbedQtdeParcelas);
    h->addWidget(dbcbModalidade);
    paParcelasCabecalho->setVisible(false);
    return cabecalho;
}

void TfmAssContLocacao::montarEquipamentos()
{
    auto* layout = new QVBoxLayout(tsEquipamentos);
    layout->setContentsMargins(2, 2, 2, 2);
    spEquipamentos = new QSplitter(Qt::Vertical, tsEquipamentos);
    spEquipamentos->setObjectName("spEquipamentos");
    auto grade = [this](const char* nome, const QString& titulo, host::data::DataSource* fonteGrade, bool aluguel) {
        auto* caixa = new QWidget(spEquipamentos);
        auto* v = new QVBoxLayout(caixa);
        v->setContentsMargins(0, 0, 0, 0);
        v->addWidget(new QLabel(titulo, caixa));
        auto* g = new DataGrid(nome, caixa);
        g->setDataSource(fonteGrade);
        v->addWidget(g, 1);
        readOnly(addGridColumn(g, "ACCODIGO", "Cód.Contrato", 70))->setColor(QColor(230, 230, 230));
        withButton(addGridColumn(g, "EVCODIGO", "Código", 60));
        withButton(readOnly(addGridColumn(g, "MARCAEQUIPTO", "Marca", 100)));
        withButton(addGridColumn(g, "MODELOEQUIPTO", "Modelo", 110));
        addGridColumn(g, "ACITQUANTIDADE", "Quantidade", 70);
        addGridColumn(g, "ACITQUANTIDADEDEVOLVIDA", "Quantidade devolvida", 120);
        addGridColumn(g, "NUMEROSERIEEQUIPTO", "Número de série", 100);
        if (aluguel) {
            addGridColumn(g, "ACITVALOR", "Valor Locação", 90);
            addGridColumn(g, "ACITDATAENTREGA", "Data entrega", 80);
        }
        // Closing and reopening have their links, which keep the date, the time and the fine.
        readOnly(addGridColumn(g, "ACITENCERRADO", "Encerrado", 70));
        addGridColumn(g, "ACITDATAENCERRAMENTO", "Data encerramento", 110);
        withButton(addGridColumn(g, "ACITOBSERVACAO", "Observação", 150));
        addGridColumn(g, "VALORCOMPRAEQUIPTO", "Valor Garantia", 90);
        spEquipamentos->addWidget(caixa);
        return g;
    };
    dbgdAssContEquipamentoLocacao = grade("dbgdAssContEquipamentoLocacao", "Equipamentos", dsCtrEquipLocacao, true);
    dbgdAssContAcessorioLocacao = grade("dbgdAssContAcessorioLocacao", "Acessórios", dsCtrAcessLocacao, false);
    layout->addWidget(spEquipamentos, 1);
    auto* linha = new QWidget(tsEquipamentos);
    auto* h = new QHBoxLayout(linha);
    h->setContentsMargins(0, 0, 0, 0);
    laEncerrarEquipamento = host::ui::makeLink(linha, "laEncerrarEquipamento", "Encerrar Equipamento");
    laReabrirEquip = host::ui::makeLink(linha, "laReabrirEquip", "Reabrir Equipamento Encerrado");
    laVisualizarJustificativa =
        host::ui::makeLink(linha, "laVisualizarJustificativa", "Visualizar Justificativa Entrada");
    for (QWidget* l : {static_cast<QWidget*>(laEncerrarEquipamento), static_cast<QWidget*>(laReabrirEquip),
                       static_cast<QWidget*>(laVisualizarJustificativa)})
        h->addWidget(l);
    h->addStretch(1);
    layout->addWidget(linha);
}

void TfmAssContLocacao::ligarEventos()
{
    laContratante->onClick = [this] { laContratanteClick(); };
    laCliente->onClick = [this] { LbClienteClick(); };
    laVisualizarJustificativa->onClick = [this] { laVisualizarJustificativaClick(); };
    laEncerrarEquipamento->onClick = [this] { laEncerrarEquipamentoClick(); };
    laReabrirEquip->onClick = [this] { laReabrirEquipClick(); };
    dbcbPeriodoDesc->onChange = [this] { dbcbPeriodoDescChange(); };
    connect(bbPesqTabVenc, &QPushButton::clicked, this,
            [this] { host::ui::runGuarded([this] { bbPesqTabVencClick(); }); });
    connect(bbFaturar, &QPushButton::clicked, this, [this] { host::ui::runGuarded([this] { bbFaturarClick(); }); });
    connect(SbPesqVendedor, &QPushButton::clicked, this,
            [this] { host::ui::runGuarded([this] { SbPesqVendedorClick(); }); });
    connect(btImprimir, &QPushButton::clicked, this, [this] { host::ui::runGuarded([this] { btImprimirClick(); }); });
    dbgdAssContEquipamentoLocacao->onEditButtonClick = [this] { dbgdAssContEquipamentoLocacaoEditButtonClick(); };
    dbgdAssContAcessorioLocacao->onEditButtonClick = [this] { dbgdAssContAcessorioLocacaoEditButtonClick(); };
    dbgdAssContEquipamentoLocacao->onDrawColumnCell = [](host::ui::CellStyle& style, int, host::ui::GridColumn&,
                                                         bool) {
        ItemDevolvidoDrawColumnCell(*dmTecContrato->quCtrEquipLocacao, style);
    };
    dbgdAssContEquipamentoLocacao->onTitleClick = [this](host::ui::GridColumn& coluna) {
        dbgdGradeTitleClick(dbgdAssContEquipamentoLocacao, coluna);
    };
}

// ---- life cycle ----

void TfmAssContLocacao::FormCreate()
{
    if (!contrato().active())
        CarregaContrato(0);
    dbedDiasContrato->setVisible(parametroLoc("ATMODOPEDIDOASSISTENCIA") == "E");
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    for (DataGrid* grade : {dbgdAssContCadLocEquiParcelas, dbgdAssContratoEquipVinc})
        SalvarConfiguracaoDBGrid(grade, true);
}

void TfmAssContLocacao::FormShow()
{
    pcItensContrato->setActivePage(tsDadosAdicionais);
    if (!dmGlobal->quVendedor->active())
        dmGlobal->quVendedor->open();
    CarregaListaParcelaTiposVcto();
    dbcbTipoDesc->setPickList(TdmTecContrato::TiposContrato());
}

void TfmAssContLocacao::aposNovo() { dbcbTipoDesc->setPickList(TdmTecContrato::TiposContrato()); }

void TfmAssContLocacao::FormActivate()
{
    dmGlobal->CarregaListaClientes();
    dmGlobal->CarregaBancos();
    dmGlobal->CarregaTabelaVencimento();
}

void TfmAssContLocacao::FormClose()
{
    fecharDatasets();
    SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo);
    for (DataGrid* grade : {dbgdAssContCadLocEquiParcelas, dbgdAssContratoEquipVinc})
        SalvarConfiguracaoDBGrid(grade, false);
}

// ---- header ----

void TfmAssContLocacao::laContratanteClick() { laAbrirDadosContratanteClick(); }

void TfmAssContLocacao::LbClienteClick() { laAbrirDadosClienteClick(); }

void TfmAssContLocacao::cabecalhoAlterado()
{
    dadosCabecalhoAlterados();
    if (!contrato().active())
        return;
    dbcbPeriodoDescChange();
    // The equipment grids follow the contract while their page shows.
    if (pcItensContrato->activePage() == tsEquipamentos && equipamentosDoContrato_ != codigoContrato())
        carregarEquipamentos();
}

void TfmAssContLocacao::dbcbPeriodoDescChange()
{
    const bool diaria = dbcbPeriodoDesc->text() == "Diária";
    for (QWidget* w : {static_cast<QWidget*>(laTabelaVenc), static_cast<QWidget*>(dbedTabelaVenc),
                       static_cast<QWidget*>(dblcTabelaVenc), static_cast<QWidget*>(bbPesqTabVenc)})
        w->setVisible(diaria);
    laDiaVenc->setVisible(!diaria);
    dbedDiaVenc->setVisible(!diaria);
}

void TfmAssContLocacao::bbPesqTabVencClick()
{
    editarContrato();
    QString v1, v2, v3;
    if (SelecionaPesquisaGeral(13, "Codigo", "Codigo", "Codigo", v1, v2, v3))
        contrato().fieldByName("TVCODIGO")->setAsString(v1);
}

void TfmAssContLocacao::SbPesqVendedorClick()
{
    bool escolheu = false;
    const QString codigo = pesquisaFornecedor("V", &escolheu);
    if (!escolheu)
        return;
    editarContrato();
    contrato().fieldByName("ACVENDEDOR")->setAsString(codigo);
    DBLcACVENDEDOR->setKeyValue(codigo);
}

// ---- equipment and accessories ----

Dataset& TfmAssContLocacao::itensAtuais() const { return *dmTecContrato->quCtrEquipLocacao; }

void TfmAssContLocacao::carregarEquipamentos()
{
    equipamentosDoContrato_ = codigoContrato();
    dmTecContrato->CarregaContratoEquipLocacao(equipamentosDoContrato_);
}

void TfmAssContLocacao::antesCarregarPagina(host::ui::TabSheet* pagina)
{
    if (pagina == tsEquipamentos)
        carregarEquipamentos();
}

namespace {

// A rentable equipment's code from the search (kind 47); empty when none was chosen.
QString equipamentoLocacaoEscolhido(const QString& condicao)
{
    QString codigo, marca, modelo;
    if (!SelecionaPesquisaGeral(47, "evcodigo", "evmarca", "evmodelo", codigo, marca, modelo, condicao))
        return {};
    return codigo.trimmed();
}

void gravaEquipamentoLocacao(Dataset& linhas, const QString& codigo)
{
    if (codigo.isEmpty())
        return;
    if (!linhas.editing())
        linhas.edit();
    linhas.fieldByName("EVCODIGO")->setAsString(codigo);
}

}  // namespace

void TfmAssContLocacao::dbgdAssContEquipamentoLocacaoEditButtonClick()
{
    host::ui::GridColumn* coluna = dbgdAssContEquipamentoLocacao->selectedColumn();
    if (!coluna)
        return;
    Dataset& linhas = *dmTecContrato->quCtrEquipLocacao;
    const QString campo = coluna->fieldName().toUpper();
    if (campo == "EVCODIGO") {
        gravaEquipamentoLocacao(linhas, equipamentoLocacaoEscolhido("Where (Veic.EVID = 'L')"));
    } else if (campo == "ACITOBSERVACAO") {
        // The row's text is the contract item's text (kind "Y", keyed by the
        // contract and the item), as the other register keeps it and the
        // printouts read it: keyed by the item's code alone under kind "U",
        // items 1 and 2 wrote over the notes of contracts 1 and 2. The row is
        // stored first.
        SalvarAlteracoes(linhas);
        dmGlobal->InserirObservacaoAdicional("obTexto", linhas.fieldByName("ACCODIGO")->asString(), "Y",
                                             linhas.fieldByName("ACITCODIGO")->asInteger(), dmGlobal->quObsGeral,
                                             false, 0, {});
    }
}

void TfmAssContLocacao::dbgdAssContAcessorioLocacaoEditButtonClick()
{
    host::ui::GridColumn* coluna = dbgdAssContAcessorioLocacao->selectedColumn();
    if (coluna && coluna->fieldName().toUpper() == "EVCODIGO")
        gravaEquipamentoLocacao(*dmTecContrato->quCtrAcessLocacao, equipamentoLocacaoEscolhido({}));
}

// ---- the receivables' list of due kinds ----

void TfmAssContLocacao::dsReceberDataChange() { CarregaListaParcelaTiposVcto(); }

void TfmAssContLocacao::CarregaListaParcelaTiposVcto()
{
    const QString origem = "[TfmAssContLocacao.CarregaListaParcelaTiposVcto]";
    dmGlobal->Log(origem, "***INICIO");
    struct FimLogLocacao {
        QString origem;
        ~FimLogLocacao()
        {
            if (dmGlobal)
                dmGlobal->Log(origem, "***FIM");
        }
    } fim{origem};
    host::ui::GridColumn* coluna = dbgdAssContCadLocEquiParcelas->columnByField("CRTIPOVCTO");
    if (!coluna)
        return;
    try {
        coluna->setPickList(TiposVencimentoReceber());
    } catch (...) {
        const std::exception_ptr falha = std::current_exception();
        TratarExcecaoBanco("TfmAssContLocacao.CarregaListaParcelaTiposVcto", falha);
        if (!OperacaoAbortada(falha))
            throw;
    }
}
