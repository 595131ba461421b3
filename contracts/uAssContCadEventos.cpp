// The contract register's controls bound to their handlers.

#include "contracts/uAssContCad.h"

#include "contract_data/uDataTecContOS.h"
#include "contract_data/uDataTecContRemessa.h"

#include "host/data/DataSource.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"
#include "host/ui/PageControl.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QPushButton>

namespace {

// Runs the handler when the page is shown (its OnShow).
class AoMostrar : public QObject {
public:
    AoMostrar(QWidget* pagina, std::function<void()> handler) : QObject(pagina), handler_(std::move(handler))
    {
        pagina->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            host::ui::runGuarded(handler_);
        return false;
    }

private:
    std::function<void()> handler_;
};

}  // namespace

void TfmAssContCad::ligarEventos()
{
    auto clique = [this](QPushButton* botao, void (TfmAssContCad::*handler)()) {
        connect(botao, &QPushButton::clicked, this,
                [this, handler] { host::ui::runGuarded([&] { (this->*handler)(); }); });
    };
    clique(bbNovo, &TfmAssContCad::bbNovoClick);
    clique(bbSalvar, &TfmAssContCad::bbSalvarClick);
    clique(bbRelatorio, &TfmAssContCad::bbRelatorioClick);
    clique(bbCancelar, &TfmAssContCad::bbCancelarClick);
    clique(bbExcluir, &TfmAssContCad::bbExcluirClick);
    clique(bbSair, &TfmAssContCad::bbSairClick);
    clique(sbPesqContrato, &TfmAssContCad::sbPesqContratoClick);
    clique(sbAnt, &TfmAssContCad::sbAntClick);
    clique(sbProx, &TfmAssContCad::sbProxClick);
    clique(sbZeltoCreator, &TfmAssContCad::sbZeltoCreatorClick);
    clique(sbPesqObj, &TfmAssContCad::sbPesqObjClick);
    clique(sbPesqObjAux, &TfmAssContCad::sbPesqObjAuxClick);
    clique(sbPesqContratante, &TfmAssContCad::sbPesqContratanteClick);
    clique(sbPesqCli, &TfmAssContCad::sbPesqCliClick);
    clique(sbPesqResp, &TfmAssContCad::sbPesqRespClick);
    clique(sbPesqMoeda, &TfmAssContCad::sbPesqMoedaClick);
    clique(sbCaixa, &TfmAssContCad::sbCaixaClick);
    clique(sbPesqPedidoPadrao, &TfmAssContCad::sbPesqPedidoPadraoClick);
    clique(sbPesqTabelaVcto, &TfmAssContCad::sbPesqTabelaVctoClick);
    clique(sbPesqCtaCtbDeb, &TfmAssContCad::sbPesqCtaCtbDebClick);
    clique(sbPesqCtaCtbCred, &TfmAssContCad::sbPesqCtaCtbCredClick);
    clique(sbPesqVeiculo, &TfmAssContCad::sbPesqVeiculoClick);
    clique(bbPrevisionar, &TfmAssContCad::bbPrevisionarClick);
    clique(bbApagar, &TfmAssContCad::bbApagarClick);
    clique(btEncerrarItem, &TfmAssContCad::btEncerrarItemClick);
    clique(btDevolverItem, &TfmAssContCad::btDevolverItemClick);

    for (host::ui::DataLabel* objeto : {Label5, Label20})
        objeto->onClick = [this] { Label5Click(); };
    Label7->onClick = [this] { Label7Click(); };
    Label8->onClick = [this] { Label8Click(); };
    Label11->onClick = [this] { Label11Click(); };
    Label22->onClick = [this] { Label22Click(); };
    Label24->onClick = [this] { Label24Click(); };
    Label26->onClick = [this] { Label26Click(); };
    Label55->onClick = [this] { Label55Click(); };
    laTipoFranquia->onClick = [this] { laTipoFranquiaClick(); };

    pcContrato->onChange = [this] { pcContratoChange(); };
    // Connected after the page control's own change handler: pcContratoChange
    // still finds the page left here.
    paginaMostrada_ = pcContrato->activePage();
    connect(pcContrato, &QTabWidget::currentChanged, this, [this] { paginaMostrada_ = pcContrato->activePage(); });
    new AoMostrar(tsContParcAberta, [this] { tsContParcAbertaShow(); });
    tsItens->onExit = [this] { tsItensExit(); };

    dsCtrCadastro->onDataChange = [this](host::data::DataSource&, host::data::Field*) { dsCtrCadastroDataChange(); };
    dsCtrCadastro->onStateChange = [this](host::data::DataSource&) { dsCtrCadastroDataChange(); };
    dsReceber->onStateChange = [this](host::data::DataSource&) { dsReceberDataChange(); };
    dsCliCont->onDataChange = [this](host::data::DataSource&, host::data::Field*) { dsCliContDataChange(); };

    dbckRenovacaoAut->onClick = [this] { dbckRenovacaoAutClick(); };
    dbcbbTipoFranquia->onChange = [this] { dbcbbTipoFranquiaChange(); };
    ckMostraTodosContatos->onClick = [this] { ckMostraTodosContatosClick(); };

    dbgdContratoVinc->onDblClick = [this] { dbgdContratoVincDblClick(); };
    dbgdContratoVinc->onEditButtonClick = [this] { dbgdContratoVincEditButtonClick(); };
    dbgdAssContCadClientes->onEditButtonClick = [this] { dbgdAssContCadClientesEditButtonClick(); };
    dbgdContRecAberto->onDrawColumnCell = [this](host::ui::CellStyle& style, int, host::ui::GridColumn&, bool) {
        dbgdContRecAbertoDrawColumnCell(style);
    };
    dbgdContRecAberto->onEditButtonClick = [this] { dbgdContRecAbertoEditButtonClick(); };
    dbgdAssContCadAcompanhamento->onEditButtonClick = [this] { dbgdAssContCadAcompanhamentoEditButtonClick(); };
    dbgdAssContCadItem->onEditButtonClick = [this] { dbgdAssContCadItemEditButtonClick(); };
    dbgdAssContCadEquip->onEditButtonClick = [this] { dbgdAssContCadEquipEditButtonClick(); };
    dbgdAssContCadVeiculo->onDrawColumnCell = [this](host::ui::CellStyle& style, int, host::ui::GridColumn&,
                                                     bool) { dbgdAssContCadVeiculoDrawColumnCell(style); };
    dbgdAssContCadVeiculo->onEditButtonClick = [this] { dbgdAssContCadVeiculoEditButtonClick(); };

    // Title clicks sort; the instalments, follow-up and vehicles grids keep the layout.
    auto titulo = [this](host::ui::DataGrid* grade, bool salvar) {
        grade->onTitleClick = [this, grade, salvar](host::ui::GridColumn& coluna) {
            dbgdGradeTitleClick(grade, coluna, salvar);
        };
    };
    titulo(dbgdAssContCadClientes, false);
    titulo(dbgdContRecAberto, true);
    titulo(dbgdAssContCadAcompanhamento, true);
    titulo(dbgdAssContCadItem, false);
    titulo(dbgdAssContCadVeiculo, true);

    for (QAction* acao : ppMenuContratoItens->actions())
        if (acao->objectName() == "mmComposiodoItem")
            connect(acao, &QAction::triggered, this,
                    [this] { host::ui::runGuarded([this] { mmComposiodoItemClick(); }); });
        else if (acao->objectName() == "mmGerarOrdemdeAbastecimento")
            connect(acao, &QAction::triggered, this, [] { host::ui::runGuarded([] { GerarOrdemAbastecimento(); }); });

    // Items and customer equipment go into the service order open beside this window.
    dbgdAssContCadItem->onDblClick = [] { InserirItemContratoOS(); };
    dbgdAssContCadEquip->onDblClick = [] { InserirEquipamentoContratoOS(); };
    connect(btRemessaIten, &QPushButton::clicked, this, [] { host::ui::runGuarded([] { EmitirRemessaContrato(); }); });
}
