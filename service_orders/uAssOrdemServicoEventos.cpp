// The service-order window's controls bound to their handlers. Buttons of
// the entry grids' keys, printing, the external queue, the sales documents
// and the technician payment are placed by the window and bound by the
// units that bring them.

#include "service_orders/uAssOrdemServico.h"

#include "host/data/DataSource.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"
#include "host/ui/PageControl.h"

#include <QPushButton>

void TfmAssOrdemServico::ligarEventos()
{
    auto clique = [this](QPushButton* botao, void (TfmAssOrdemServico::*handler)()) {
        connect(botao, &QPushButton::clicked, this, [this, handler] { host::ui::runGuarded([&] { (this->*handler)(); }); });
    };
    clique(bbNovo, &TfmAssOrdemServico::bbNovoClick);
    clique(bbSalvar, &TfmAssOrdemServico::bbSalvarClick);
    clique(bbCancelar, &TfmAssOrdemServico::bbCancelarClick);
    clique(bbExcluir, &TfmAssOrdemServico::bbExcluirClick);
    clique(sbAnterior, &TfmAssOrdemServico::sbAnteriorClick);
    clique(sbProximo, &TfmAssOrdemServico::sbProximoClick);
    clique(bbSair, &TfmAssOrdemServico::bbSairClick);
    clique(bbNS, &TfmAssOrdemServico::bbNSClick);
    clique(bbPesquisar, &TfmAssOrdemServico::bbPesquisarClick);
    clique(bbImprimir, &TfmAssOrdemServico::bbImprimirClick);
    clique(bbOSInterna, &TfmAssOrdemServico::bbOSInternaClick);
    clique(bbOrcamento, &TfmAssOrdemServico::bbOrcamentoClick);
    clique(sbImpRapida, &TfmAssOrdemServico::sbImpRapidaClick);
    clique(bbPedidoVenda, &TfmAssOrdemServico::bbPedidoVendaClick);
    dbgdAcessorios->onDblClick = [this] { dbgdAcessoriosDblClick(); };
    dbgdOrdemServicoDespExtra->onDblClick = [this] { dbgdOrdemServicoDespExtraDblClick(); };
    clique(sbPesqContrato, &TfmAssOrdemServico::sbPesqContratoClick);
    clique(sbObsAdic, &TfmAssOrdemServico::sbObsAdicClick);
    clique(sbEnviaEmailOS, &TfmAssOrdemServico::sbEnviaEmailOSClick);
    clique(sbPesqCli, &TfmAssOrdemServico::sbPesqCliClick);
    clique(sbPesqCliCob, &TfmAssOrdemServico::sbPesqCliCobClick);
    clique(sbPesqCliCobServ, &TfmAssOrdemServico::sbPesqCliCobServClick);
    clique(sbPesqClienteDespesas, &TfmAssOrdemServico::sbPesqClienteDespesasClick);
    clique(sbPesqTabVcto, &TfmAssOrdemServico::sbPesqTabVctoClick);
    clique(sbOp, &TfmAssOrdemServico::sbOpClick);
    clique(sbPesqRepres, &TfmAssOrdemServico::sbPesqRepresClick);
    clique(sbPesquisaLocalPrestacao, &TfmAssOrdemServico::sbPesquisaLocalPrestacaoClick);
    clique(sbCliCobranca, &TfmAssOrdemServico::sbCliCobrancaClick);
    for (QPushButton* email : {sbEnviarEmail, sbEnviarEmailAbertura})
        connect(email, &QPushButton::clicked, this,
                [this, email] { host::ui::runGuarded([&] { sbEnviarEmailClick(email); }); });

    laCliente->onClick = [this] { laClienteClick(); };
    for (host::ui::DataLabel* cobranca : {laClienteCobranca, laClienteCobrancaServico, laClienteDespesas})
        cobranca->onClick = [this] { laClienteClick(); };
    laTecnico->onClick = [this] { laTecnicoClick(); };
    Label4->onClick = [this] { Label4Click(); };
    laOperacao->onClick = [this] { laOperacaoClick(); };
    Label20->onClick = [this] { Label20Click(); };
    dbtePedidoVendas->onClick = [this] { dbtePedidoVendasClick(); };
    dbtePedidoVendaServico->onClick = [this] { dbtePedidoVendaServicoClick(); };

    dsOrdem->onDataChange = [this](host::data::DataSource&, host::data::Field*) { dsOrdemDataChange(); };
    dsOrdem->onStateChange = [this](host::data::DataSource&) { dsOrdemDataChange(); };
    dbrgStatusServ->onChange = [this] { dbrgStatusServChange(); };
    clOpcoesDespesas->onClickCheck = [this](int) { clOpcoesDespesasClickCheck(); };

    pcOrdemServico->onChange = [this] { pcOrdemServicoChange(); };
    pcOrdemServico->onExit = [this] { pcOrdemServicoExit(); };
    tsLaudo->onEnter = [this] { tsLaudoEnter(); };
    for (host::ui::DataMemo* laudo : {dbmeLaudo, dbmeCausa, dbmeSolucao, dbmeObsLaudo})
        laudo->onExit = [laudo] {
            if (host::data::Field* campo = laudo->field(); campo && laudo->canModify() &&
                                                          campo->asString() != campo->asString().toUpper()) {
                if (!laudo->dataset()->editing())
                    laudo->dataset()->edit();
                campo->setAsString(campo->asString().toUpper());
            }
        };
    dbimFoto->onDblClick = [this] { dbimFotoDblClick(); };
    dbgdOrdemServicoAndamento->onTitleClick = [this](host::ui::GridColumn& coluna) {
        dbgdOrdemServicoAndamentoTitleClick(coluna);
    };
    dbgdOrdemServicoServicos->onEnter = [this] { dbgdOrdemServicoServicosEnter(); };
    ligarGrades();
    ligarEtiquetas();
    ligarFilaModosDespesas();
}
