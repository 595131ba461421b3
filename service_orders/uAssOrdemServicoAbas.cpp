// The data behind the active tab of the service-order window: each tab
// reopens its dataset for the current order when it is shown, the report tab
// lifts the edit guard for the report texts while it is active, and the
// instalment tab shows the order's simulated instalments.

#include "service_orders/uAssOrdemServico.h"

#include "data/uDataTec.h"
#include "data/uDataTecConsultas.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/PageControl.h"

#include <QScopedValueRollback>
#include <QString>
#include <QVariant>

#include <functional>

namespace {

void reabrirPorOrdem(host::data::Query* query, int aoCodigo)
{
    FecharGravando(*query);
    query->paramByName("aocodigo")->setAsInteger(aoCodigo);
    query->open();
}

// The service and parts grids show look-up columns that other screens turn
// into plain data for a while.
void restaurarLookup(host::data::Dataset& dataset, const char* campo)
{
    if (host::data::Field* f = dataset.findField(campo); f && f->kind() != host::data::FieldKind::Lookup)
        f->setKind(host::data::FieldKind::Lookup);
}

// quOSItem on the order's items that meet the condition (vehicles or not).
void carregarItensFiltrados(const QString& condicao)
{
    host::data::Query* itens = dmTec->quOSItem;
    itens->close();
    LimpaFiltro(itens);
    itens->setSql(uDataTec::selectArmazenado("quOSItem") + "\nwhere " + condicao + "\norder by It.AOITCODIGO");
    itens->open();
}

// The items tabs and the photo tab share quOSItem: the reload keeps what was
// typed on the item and stays on it, so the photo goes to the item chosen.
void recarregarItens(const std::function<void()>& recarregar)
{
    host::data::Query& itens = *dmTec->quOSItem;
    const QVariant atual = itens.active() && !itens.isEmpty() ? itens.fieldByName("AOITCODIGO")->value() : QVariant();
    SalvarAlteracoes(itens);
    recarregar();
    if (!atual.isNull())
        itens.locate("AOITCODIGO", atual);
}

}  // namespace

void TfmAssOrdemServico::VerificaOSAtributoAberto()
{
    TdmTec& tec = *dmTec;
    const int ordem = ordemAtual();
    host::ui::TabSheet* aba = pcOrdemServico->activePage();
    const QScopedValueRollback<bool> relendo(relendoLinhas_, true);
    if (aba == tsServico) {
        FecharGravando(*tec.quOSAndamento);
        restaurarLookup(*tec.quOSAndamento, "DescEquipOS");
        restaurarLookup(*tec.quOSAndamento, "DescricaoHora");
        tec.CarregaOSAndamento(ordem, 0);
    } else if (aba == tsPecasOS) {
        FecharGravando(*tec.quOSPecas);
        restaurarLookup(*tec.quOSPecas, "DescEquipOS");
        tec.CarregaOSPecas(ordem, 0, {});
    } else if (aba == tsDespesaExtra) {
        reabrirPorOrdem(tec.quOSDespExtra, ordem);
    } else if (aba == tsDespesaViagem) {
        reabrirPorOrdem(tec.quOSDespViagem, ordem);
    } else if (aba == tsProjeto) {
        reabrirPorOrdem(tec.quOSProj, ordem);
    } else if (aba == tsObservacao) {
        reabrirPorOrdem(tec.quOSAcessorios, ordem);
    } else if (aba == tsAndamento) {
        FecharGravando(*tec.quOSContato);
        tec.CarregaOSContato(ordem, 0);
        if (!tec.quTecnicos->active())
            tec.quTecnicos->open();
    } else if (aba == tsLaudo) {
        tec.LiberaAlteracaoLaudo();
        // Every technician, so that the order and its records name an
        // inactive one; the lists offer only the active.
        tec.CarregarTecnicos(-1, false);
    }

    const QString numero = QString::number(ordem);
    if (aba == tsVeiculo && ordem > 0)
        recarregarItens([&] { carregarItensFiltrados("it.aoCodigo = " + numero + " and  Eqp.aeIdentificador = 'V' "); });
    else if (aba == tsItens && tsVeiculo->tabVisible() && ordem > 0)
        recarregarItens([&] {
            carregarItensFiltrados(" it.aoCodigo = " + numero +
                                   " and (Eqp.aeIdentificador <> 'V' or Eqp.aeIdentificador is null)");
        });
    else if (aba == tsItens || aba == tsFoto)
        recarregarItens([&] { tec.CarregaOSItens(ordem, 0); });
}

void TfmAssOrdemServico::pcOrdemServicoChange()
{
    host::ui::TabSheet* aba = pcOrdemServico->activePage();
    if (abaAnterior_ == tsLaudo && aba != tsLaudo)
        tsLaudoExit();
    abaAnterior_ = aba;
    VerificaOSAtributoAberto();
    if (aba == tsReceber)
        carregarParcelasReceber();
}

void TfmAssOrdemServico::carregarParcelasReceber()
{
    const int ordem = ordemAtual();
    dmGlobal->CarregaParcelasReceber(dmTec->quOSCLCODIGO->asString(), TdmTec::documentoSimulacao(ordem),
                                     " and aocodigo = " + QString::number(ordem));
}

// Leaving the report: its texts are saved and the edit guard is back.
void TfmAssOrdemServico::sairDoLaudo()
{
    TdmTec& tec = *dmTec;
    struct Guarda {
        TdmTec& tec;
        ~Guarda()
        {
            tec.quOS->beforeEdit = [t = &tec](host::data::Dataset& d) { t->quOSBeforeEdit(d); };
        }
    } guarda{tec};
    SalvarAlteracoes(*tec.quOS);
}

void TfmAssOrdemServico::pcOrdemServicoExit()
{
    if (pcOrdemServico->activePage() == tsLaudo)
        sairDoLaudo();
}

void TfmAssOrdemServico::tsLaudoEnter() { VerificaOSAtributoAberto(); }

void TfmAssOrdemServico::tsLaudoExit() { sairDoLaudo(); }

void TfmAssOrdemServico::dbgdOrdemServicoServicosEnter()
{
    if (!dmTec->quOSAndamento->active())
        VerificaOSAtributoAberto();
}
