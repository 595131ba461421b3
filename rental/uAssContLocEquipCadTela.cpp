// The controls of the option-"E" rental register: its header in order, the
// thirteen pages, the item grids with their links, the re-instalment panel,
// and their bindings.

#include "rental/uAssContLocEquipCad.h"

#include "contract_data/uDataTecCont.h"

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

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using host::ui::addGridColumn;
using host::ui::CaptionGrid;
using host::ui::DataGrid;
using host::ui::makeCombo;
using host::ui::makeEdit;
using host::ui::makeLink;
using host::ui::makeLookup;
using host::ui::readOnly;
using host::ui::withButton;

namespace {

// Links in a row under a grid.
void ligacoesLocEquip(host::ui::TabSheet* pagina, std::initializer_list<QWidget*> ligacoes)
{
    auto* linha = new QWidget(pagina);
    auto* h = new QHBoxLayout(linha);
    h->setContentsMargins(0, 0, 0, 0);
    for (QWidget* l : ligacoes)
        h->addWidget(l);
    h->addStretch(1);
    pagina->layout()->addWidget(linha);
}

}  // namespace

void TfmAssContCadLocEquip::montarTela()
{
    dsCtrCadastroItCompl = fonte("dsCtrCadastroItCompl", dmTecContrato->quCtrCadastroIt);
    dsCtrEquipSol = fonte("dsCtrEquipSol", dmTecContrato->quCtrEquipSol);
    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(4, 4, 4, 4);
    principal->addWidget(montarCabecalho());
    criarPaginasIniciais();
    tsComplementos = pcItensContrato->addPage("tsComplementos", "Complementos");
    tsEquipamentosSolicitados = pcItensContrato->addPage("tsEquipamentosSolicitados", "Equipamentos Solicitados");
    tsEquipamentosEncerrados = pcItensContrato->addPage("tsEquipamentosEncerrados", "Equipamentos Encerrados");
    tsComplementosEncerrados = pcItensContrato->addPage("tsComplementosEncerrados", "Complementos Encerrados");
    criarPaginasFinais();
    {
        CaptionGrid g(tsDadosAdicionais, 3);
        montarDadosAdicionaisComum(g, tsDadosAdicionais);
        g.finish();
    }
    montarItens();
    montarParcelas();
    montarReparcelamento();
    montarPaginasFinais();
    principal->addWidget(pcItensContrato, 1);
    principal->addWidget(montarBotoes({}));
}

QWidget* TfmAssContCadLocEquip::montarCabecalho()
{
    auto* cabecalho = new QWidget(this);
    cabecalho->setObjectName("paCabecalho");
    QWidget* p = cabecalho;
    host::data::DataSource* ds = dsCtrCadastro;
    CaptionGrid g(p, 6);
    montarCabecalhoComum(g, p, false);
    g.field("Assinado", dbcbAssinado);
    g.field("Início", dbedDataInicio, {dbedDiasContrato});
    g.field("Término", dbedDataTermino);
    dbedDataNegociacao = makeEdit(p, "dbedDataNegociacao", ds, "ACDATABASE");
    g.field("Negociação", dbedDataNegociacao);
    dbedDataEntrega = makeEdit(p, "dbedDataEntrega", ds, "ACDATAENTREGA");
    g.field("Data Entrega", dbedDataEntrega);
    dbedDataRA = makeEdit(p, "dbedDataRA", ds, "ACDATARA");
    g.field("Data RA", dbedDataRA);
    g.field("Renovar Auto.", dbcbRenovacao);
    dbcbStatus = makeCombo(p, "dbcbStatus", ds, "ACTIPO",
                           {"Cortesia", "Especial", "Integral", "Demanda", "#Desativado", "Atualização"});
    g.field("Status", dbcbStatus);
    g.field("Valor", dbteValor);
    g.field("Contato", dblcContato);
    host::data::DataSource* contatos = dmTecContrato->dsContato;
    dblcRequisitante = makeLookup(p, "dblcRequisitante", ds, "ACREQUISITANTE", contatos, "ANCODIGO", "ANNOME");
    g.field("Requisitante", dblcRequisitante);
    dblcAprovador = makeLookup(p, "dblcAprovador", ds, "ACAPROVADOR", contatos, "ANCODIGO", "ANNOME");
    g.field("Aprovador", dblcAprovador);
    dbcbProjeto = makeCombo(p, "dbcbProjeto", ds, "ACDESCRICAO", {}, true);
    g.field("Projeto", dbcbProjeto, {}, 2);
    dbcbPeriodoDesc = makeCombo(p, "dbcbPeriodoDesc", ds, "ACPERIODODESC", {}, true);
    g.field("Período", dbcbPeriodoDesc);
    dbcbTipoDesc = makeCombo(p, "dbcbTipoDesc", ds, "ACTIPODESC", {}, true);
    g.field("Tipo", dbcbTipoDesc);
    g.field("Parcelas", dbedQtdeParcelas, {dbcbModalidade});
    g.field("Tipo de Vínculo", dbcbVinculo);
    return cabecalho;
}

void TfmAssContCadLocEquip::montarItens()
{
    // "Equipamentos": the equipment's text and serial numbers open from their columns too.
    DataGrid* eq = dbgdAssContCadLocEquipItens =
        host::ui::gridOnPage(tsEquipamentos, "dbgdAssContCadLocEquipItens", dsCtrCadastroIt);
    auto colunasEquipamento = [](DataGrid* grade, bool botoes) {
        host::ui::GridColumn* codigo = readOnly(addGridColumn(grade, "ACCODIGO", "Cód.Contrato", 70));
        codigo->setColor(QColor(230, 230, 230));
        host::ui::GridColumn* produto = addGridColumn(grade, "PRCODIGO", "Código", 80);
        host::ui::GridColumn* descricao = readOnly(addGridColumn(grade, "DESCRICAO", "Produto", 200));
        host::ui::GridColumn* quantidade = addGridColumn(grade, "ACITQUANTIDADE", "Quantidade", 70);
        host::ui::GridColumn* serie = addGridColumn(grade, "ACITNUMEROSERIE", "Nº Série", 100);
        addGridColumn(grade, "ACITVALORUNITARIO", "Valor Unitário", 90);
        host::ui::GridColumn* obs = addGridColumn(grade, "ACITOBSERVACAO", "Observação", 160);
        addGridColumn(grade, "ACITENCERRADO", "Encerrado", 70);
        if (botoes)
            for (host::ui::GridColumn* c : {produto, descricao, quantidade, serie, obs})
                withButton(c);
    };
    colunasEquipamento(eq, true);
    laAbrirCfgequip = makeLink(tsEquipamentos, "laAbrirCfgequip", "Clique aqui para ver Configuração do Equipamento");
    laEncerrarEquipamento = makeLink(tsEquipamentos, "laEncerrarEquipamento", "Clique aqui para Encerrar Equipamento");
    laVisualizarJustificativa =
        makeLink(tsEquipamentos, "laVisualizarJustificativa", "Clique aqui para Visualizar Justificativa Entrada");
    ligacoesLocEquip(tsEquipamentos, {laAbrirCfgequip, laEncerrarEquipamento, laVisualizarJustificativa});

    // "Complementos"
    DataGrid* co = dbgdAssContCadLocEquipCompl =
        host::ui::gridOnPage(tsComplementos, "dbgdAssContCadLocEquipCompl", dsCtrCadastroItCompl);
    readOnly(addGridColumn(co, "ACCODIGO", "Cód.Contrato", 70))->setColor(QColor(230, 230, 230));
    withButton(addGridColumn(co, "PRCODIGO", "Código", 80));
    withButton(readOnly(addGridColumn(co, "DESCRICAO", "Produto", 200)));
    withButton(addGridColumn(co, "ACITQUANTIDADE", "Quantidade", 70));
    withButton(addGridColumn(co, "ACITNUMEROSERIE", "Nº Série", 100));
    withButton(addGridColumn(co, "ACITOBSERVACAO", "Observação", 160));
    addGridColumn(co, "ACITENCERRADO", "Encerrado", 70);
    addGridColumn(co, "ACITDATAENCERRAMENTO", "Data Encerramento", 110);
    laEncerrarCompl =
        makeLink(tsComplementos, "laEncerrarCompl", "Clique aqui para Encerrar Complemento Selecionado");
    laVisualizarJustificativaCompl = makeLink(tsComplementos, "laVisualizarJustificativaCompl",
                                              "Clique aqui para Visualizar Justificativa Entrada");
    ligacoesLocEquip(tsComplementos, {laEncerrarCompl, laVisualizarJustificativaCompl});

    // "Equipamentos Solicitados": the source order's lines, read only.
    DataGrid* so = dbgdAssContCadLocEquipSol =
        host::ui::gridOnPage(tsEquipamentosSolicitados, "dbgdAssContCadLocEquipSol", dsCtrEquipSol);
    addGridColumn(so, "COD", "Item", 40);
    addGridColumn(so, "CODIGO", "Código", 80);
    addGridColumn(so, "DESCRICAO", "Produto", 220);
    addGridColumn(so, "UNIDADE_MEDIDA", "UN", 40);
    addGridColumn(so, "QUANTIDADE", "Quantidade", 70);
    addGridColumn(so, "VALOR", "Valor", 80);
    addGridColumn(so, "TOTAL_UNIT", "Total", 80);
    addGridColumn(so, "VEITNUMEROSERIE", "Nº Série", 100);
    addGridColumn(so, "OBS", "Observação", 160);
    so->setReadOnlyGrid(true);

    // Closed equipment and complements: whole rows.
    DataGrid* en = dbgdAssContCadLocEquipEnc =
        host::ui::gridOnPage(tsEquipamentosEncerrados, "dbgdAssContCadLocEquipEnc", dsCtrCadastroIt);
    colunasEquipamento(en, false);
    en->setRowSelect(true);
    laReabrirEquip =
        makeLink(tsEquipamentosEncerrados, "laReabrirEquip", "Clique aqui para Reabrir Equipamento Encerrado");
    ligacoesLocEquip(tsEquipamentosEncerrados, {laReabrirEquip});
    DataGrid* ce = dbgdAssContCadLocEquipComplEnc =
        host::ui::gridOnPage(tsComplementosEncerrados, "dbgdAssContCadLocEquipComplEnc", dsCtrCadastroItCompl);
    addGridColumn(ce, "ACCODIGO", "Cód.Contrato", 70);
    addGridColumn(ce, "PRCODIGO", "Código", 80);
    addGridColumn(ce, "DESCRICAO", "Produto", 200);
    addGridColumn(ce, "ACITNUMEROSERIE", "Nº Série", 100);
    addGridColumn(ce, "ACITOBSERVACAO", "Observação", 160);
    addGridColumn(ce, "ACITENCERRADO", "Encerrado", 70);
    addGridColumn(ce, "ACITDATAENCERRAMENTO", "Data Encerramento", 110);
    ce->setRowSelect(true);
    laReabrirCompl = makeLink(tsComplementosEncerrados, "laReabrirCompl",
                                    "Clique aqui para Reabrir Complemento Selecionado");
    ligacoesLocEquip(tsComplementosEncerrados, {laReabrirCompl});
}

void TfmAssContCadLocEquip::montarReparcelamento()
{
    auto* painel = new QGroupBox("Reparcelamento", tsParcelas);
    painel->setObjectName("gbReparcelamento");
    CaptionGrid g(painel, 8);
    deReparcelaVcto = new host::ui::DateEdit("deReparcelaVcto", painel);
    g.field("Vencimento", deReparcelaVcto);
    maReparcelaQtde = new QLineEdit(painel);
    maReparcelaQtde->setObjectName("maReparcelaQtde");
    maReparcelaQtde->setValidator(new QIntValidator(0, 999, maReparcelaQtde));
    maReparcelaQtde->setMaximumWidth(50);
    g.field("Qtde. Parcelas", maReparcelaQtde);
    deReparcelaVigDe = new host::ui::DateEdit("deReparcelaVigDe", painel);
    g.field("Vigente de", deReparcelaVigDe);
    deReparcelaVigAte = new host::ui::DateEdit("deReparcelaVigAte", painel);
    g.field("Até", deReparcelaVigAte);
    ckReparcelaUltDiaMes = new QCheckBox("Último dia do mês", painel);
    ckReparcelaUltDiaMes->setObjectName("ckReparcelaUltDiaMes");
    g.field(QString(), ckReparcelaUltDiaMes);
    ceReparcelaVlrBoleto = new host::ui::CurrencyEdit("ceReparcelaVlrBoleto", painel);
    ceReparcelaVlrBoleto->setDisplayFormat(",0.00;-,0.00");
    g.field("Valor Boleto", ceReparcelaVlrBoleto);
    deReparcelaDtEmissao = new host::ui::DateEdit("deReparcelaDtEmissao", painel);
    g.field("Data p/ Emissão", deReparcelaDtEmissao);
    cbReparcelaPedCliente = new QComboBox(painel);
    cbReparcelaPedCliente->setObjectName("cbReparcelaPedCliente");
    cbReparcelaPedCliente->setEditable(true);
    g.field("Pedido Cliente", cbReparcelaPedCliente);
    tsParcelas->layout()->addWidget(painel);
}

void TfmAssContCadLocEquip::ligarEventos()
{
    dbgdAssContCadLocEquipItens->onEditButtonClick = [this] { dbgdAssContCadLocEquipItensEditButtonClick(); };
    dbgdAssContCadLocEquipSol->onEditButtonClick = [this] { dbgdAssContCadLocEquipItensEditButtonClick(); };
    dbgdAssContCadLocEquipCompl->onEditButtonClick = [this] { dbgdAssContCadLocEquipComplEditButtonClick(); };
    for (DataGrid* grade : {dbgdAssContCadLocEquipItens, dbgdAssContCadLocEquipCompl})
        grade->onDrawColumnCell = [](host::ui::CellStyle& style, int, host::ui::GridColumn&, bool) {
            ItemDevolvidoDrawColumnCell(*dmTecContrato->quCtrCadastroIt, style);
        };
    for (DataGrid* grade : {dbgdAssContCadLocEquipItens, dbgdAssContCadLocEquipCompl, dbgdAssContCadLocEquipComplEnc})
        grade->onTitleClick = [this, grade](host::ui::GridColumn& coluna) { dbgdGradeTitleClick(grade, coluna); };
    laAbrirCfgequip->onClick = [this] { laAbrirCfgequipClick(); };
    laEncerrarEquipamento->onClick = [this] { laEncerrarEquipamentoClick(); };
    laEncerrarCompl->onClick = [this] { laEncerrarComplClick(); };
    laReabrirEquip->onClick = [this] { laReabrirEquipClick(); };
    laReabrirCompl->onClick = [this] { laReabrirComplClick(); };
    for (host::ui::DataLabel* ligacao : {laVisualizarJustificativa, laVisualizarJustificativaCompl})
        ligacao->onClick = [this] { laVisualizarJustificativaClick(); };
    connect(ckReparcelaUltDiaMes, &QCheckBox::clicked, this,
            [this] { host::ui::runGuarded([this] { ckReparcelaUltDiaMesClick(); }); });
    deReparcelaDtEmissao->onChange = [this] { host::ui::runGuarded([this] { deReparcelaDtEmissaoChange(); }); };
    deReparcelaVcto->onChange = [this] { host::ui::runGuarded([this] { deReparcelaVctoChange(); }); };
    dsReceber->onStateChange = [this](host::data::DataSource&) {
        host::ui::runGuarded([this] { dsReceberStateChange(); });
    };
    connect(btImprimir, &QPushButton::clicked, this, [this] { host::ui::runGuarded([this] { btImprimirClick(); }); });
}
