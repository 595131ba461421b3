// What each page of the contract register loads, the header's data change,
// the colouring of the instalments and vehicles, and the customers' and
// items' value checks.

#include "contracts/uAssContCad.h"

#include "contracts/uAssContCadIt.h"
#include "contracts/uAssContCadRegras.h"
#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContRegras.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>

#include <utility>

using host::data::DatasetState;

namespace {

bool semPrevisao() { return parametroMaiusculo("ATPARCELASEMPREVISAO") == "S"; }

}  // namespace

// ---- pages ----

void TfmAssContCad::pcContratoChange()
{
    host::ui::TabSheet* pagina = pcContrato->activePage();
    if (!pagina || voltandoItens_)
        return;
    // The page left is still the one noted as shown: the note follows this handler.
    if (paginaMostrada_ == tsItens && pagina != tsItens) {
        deixarItens();
        dmTecContrato->quCtrCadastroIt->close();
    }
    if (pagina == tsHistCR) {
        CarregaHistoricoClientes(dmTecContrato->quCtrCadastroCLCODIGO->asString());
        return;
    }
    uAssContCad::ContextoPagina contexto;
    contexto.contrato = codigoContrato();
    contexto.cliente = dmTecContrato->quCtrCadastroCLCODIGO->asString().trimmed();
    contexto.todosContatos = ckMostraTodosContatos->isChecked();
    uAssContCad::CarregaPagina(pagina->objectName(), contexto, quHistCR);
    if (pagina == tsContParcAberta && !semPrevisao())
        emprestarReceber();
}

// Leaving the items with a row still in edit stores it; a row its rules
// refuse keeps the items page shown, and the page's loading does not run.
void TfmAssContCad::deixarItens()
{
    try {
        if (std::exchange(itensRecusados_, false) && dmTecContrato->quCtrCadastroIt->editing())
            throw host::Abort{};
        dmTecContrato->CtrSalvarItensPendentes();
    } catch (...) {
        // Shown again by code inside the user's change: the page's loading
        // would reopen the items and drop the refused row.
        const bool voltando = std::exchange(voltandoItens_, true);
        pcContrato->setActivePage(tsItens);
        voltandoItens_ = voltando;
        throw;
    }
}

void TfmAssContCad::tsContParcAbertaShow() { dmTecContrato->CarregaContratoParcela(codigoContrato()); }

// The customer is the header's, whatever the argument says.
void TfmAssContCad::CarregaHistoricoClientes(const QString&)
{
    dsHistCR->setDataset(quHistCR);
    uAssContCad::ContextoPagina contexto;
    contexto.cliente = dmTecContrato->quCtrCadastroCLCODIGO->asString().trimmed();
    uAssContCad::CarregaPagina("tsHistCR", contexto, quHistCR);
}

void TfmAssContCad::ckMostraTodosContatosClick() { pcContratoChange(); }

void TfmAssContCad::alternarPagina(host::ui::TabSheet* pagina) { pagina->setTabVisible(!pagina->tabVisible()); }

// Leaving the items: the instalment the items now give against the contract's.
void TfmAssContCad::tsItensExit()
{
    itensRecusados_ = false;
    try {
        dmTecContrato->CtrSalvarItensPendentes();
    } catch (...) {
        // Told once: the change of page that may follow keeps the items shown.
        itensRecusados_ = true;
        throw;
    }
    // A record button leaves the items page shown: its rows stay on screen.
    if (pcContrato->activePage() != tsItens)
        dmTecContrato->quCtrCadastroIt->close();
    verificaValorItens();
}

// The instalment the stored items give against the contract's: the user may
// bring the contract's value up to date.
void TfmAssContCad::verificaValorItens()
{
    if (!contrato().active() || contrato().isEmpty())
        return;
    const double calculado = dmTecContrato->RetornaValorParcelaContrato(codigoContrato(), hoje(), true);
    // Against one instalment: a divided contract's column holds the whole.
    const double parcela = dmTecContrato->CtrValorUmaParcela(contrato());
    if (!uAssContCad::ValorItensAlterado(calculado, parcela) || !uAssContCad::ConfirmaValorContrato(opcaoContrato()))
        return;
    if (MostraPergunta(uAssContCad::PerguntaValorItens(parcela, calculado), {"Sim", "Não"}) != "Sim")
        return;
    editarContrato();
    dmTecContrato->RelerTotaisContratoCorrente();
    SalvarAlteracoes(contrato());
}

// ---- the header ----

void TfmAssContCad::dsCtrCadastroDataChange()
{
    host::data::Query& ctr = contrato();
    if (!ctr.active())
        return;
    const QString vinculo = ctr.fieldByName("ACVINCULO")->asString().trimmed().toUpper();
    const char* lado = vinculo == "C" ? "PRINCIPAL" : vinculo == "P" ? "COMPLEMENTO" : nullptr;
    if (lado) {
        const QStringList campos = {"ACCODIGO", "CLNOME", "CLNOMEFANTASIA", "ACVALORPARCELA"};
        for (int i = 0; i < campos.size(); ++i)
            dbgdContratoVinc->column(i)->setFieldName(campos.at(i) + lado);
        dbgdContratoVinc->setReadOnlyGrid(vinculo == "C");
    }
    dbedLocal->setEnabled(ctr.state() == DatasetState::Insert);
    dbcbbTipoFranquiaChange();
}

void TfmAssContCad::dbcbbTipoFranquiaChange()
{
    try {
        const bool grupo = contrato().active() &&
                           contrato().fieldByName("ACTIPOFRANQUIA")->asString().trimmed().toUpper() == "G";
        for (QWidget* w : {static_cast<QWidget*>(laQuantidadeFranquia), static_cast<QWidget*>(dbedQuantidadeFranquia),
                           static_cast<QWidget*>(laValorExcedente), static_cast<QWidget*>(dbedValorExcedente)})
            w->setVisible(!grupo);
        laTipoFranquia->setCursor(grupo ? Qt::PointingHandCursor : Qt::ArrowCursor);
    } catch (const std::exception&) {
        // The franchise boxes only follow the type; a header that cannot be read leaves them.
    }
}

void TfmAssContCad::dbckRenovacaoAutClick()
{
    if (dbckRenovacaoAut->isChecked())
        dbedRenovacaoLimite->setEnabled(true);
}

// ---- instalments ----

void TfmAssContCad::dsReceberDataChange()
{
    host::data::Dataset* receber = dsReceber->dataset();
    if (!receber || receber->state() != DatasetState::Edit)
        return;
    if (!uDataTecContRegras::PodeEditarParcela(opcaoContrato(), receber->fieldByName("SITUACAO_DOCUMENTO")->asString()))
        receber->cancel();
}

void TfmAssContCad::dbgdContRecAbertoDrawColumnCell(host::ui::CellStyle& style)
{
    host::data::Dataset& receber = *dmGlobal->quReceber;
    const QColor cor = uDataTecContRegras::CorParcela(receber.fieldByName("SITUACAO_DOCUMENTO")->asString(),
                                               receber.fieldByName("DATA_VENCIMENTO")->asDateTime(),
                                               QDate::currentDate());
    if (cor.isValid())
        style.background = cor;
    style.foreground = Qt::black;
}

void TfmAssContCad::dbgdAssContCadVeiculoDrawColumnCell(host::ui::CellStyle& style)
{
    host::data::Dataset& veiculo = *dmTecContrato->quCtrVeiculo;
    if (veiculo.fieldByName("EVSTATUS")->asString().trimmed() == "S")
        style.background = QColor(255, 230, 230);
    if (veiculo.fieldByName("ACEVSITUACAO")->asString().trimmed() == "I")
        style.background = QColor(207, 221, 254);
    style.foreground = Qt::black;
}

void TfmAssContCad::dbgdGradeTitleClick(host::ui::DataGrid* grade, host::ui::GridColumn& coluna, bool salvar)
{
    host::ui::sortByColumn(*grade, coluna);
    if (salvar)
        SalvarConfiguracaoDBGrid(grade, false);
}

// ---- contractual customers ----

void TfmAssContCad::dsCliContDataChange()
{
    host::data::Dataset& clientes = *dmTecContrato->quContratoCli;
    if (!clientes.active() || clientes.isEmpty())
        return;
    const int codigo = clientes.fieldByName("ACCODIGO")->asInteger();
    if (codigo <= 0)
        return;
    paClienteContrato->setText("Valor Total R$ " +
                               host::data::formatFloat("###,###,###,###,##0.00",
                                                       uAssContCad::TotalClientesAtivos(codigo)) +
                               " ");
}

// The items of one customer are edited in their own window; the register
// waits for it and then offers to bring the contract's value up to date.
void TfmAssContCad::dbgdAssContCadClientesEditButtonClick()
{
    TdmTecContrato& dm = *dmTecContrato;
    host::data::Query& clientes = *dm.quContratoCli;
    host::ui::GridColumn* coluna = dbgdAssContCadClientes->selectedColumn();
    if (!coluna)
        return;
    if (coluna->fieldName().compare("CLCODIGO", Qt::CaseInsensitive) == 0) {
        pesquisarCliente(nullptr);
        return;
    }
    if (coluna->fieldName().compare("Valor", Qt::CaseInsensitive) != 0)
        return;
    if (clientes.editing())
        clientes.post();
    host::data::Field* valor = clientes.findField("Valor");
    const double valorAnterior = valor ? valor->asFloat() : 0.0;
    const double parcelaAnterior = dm.RetornaValorParcelaContrato(codigoContrato(), hoje(), true);
    SalvarAlteracoes(contrato());
    dm.CarregaContratoItem(clientes.fieldByName("CLCODIGO")->asString(), clientes.fieldByName("ACCODIGO")->asString());
    TfmAssContCadIt* itens = fmAssContCadIt.create();
    itens->showNonModal();
    itens->raise();
    while (fmAssContCadIt.get())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    verificaValorItensCliente(valorAnterior, parcelaAnterior);
}

void TfmAssContCad::verificaValorItensCliente(double valorAnterior, double parcelaAnterior)
{
    TdmTecContrato& dm = *dmTecContrato;
    host::data::Query& clientes = *dm.quContratoCli;
    const QString cliente = clientes.fieldByName("CLCODIGO")->asString();
    const double parcelaAtual = dm.RetornaValorParcelaContrato(codigoContrato(), hoje(), true);
    dm.quCtrCadastroIt->close();
    dm.CarregaContratoClientes(codigoContrato());
    clientes.locate("CLCODIGO", cliente);
    host::data::Field* valor = clientes.findField("Valor");
    const double valorAtual = valor && !clientes.isEmpty() ? valor->asFloat() : 0.0;
    if (!uAssContCad::ValorClienteAlterado(valorAnterior, valorAtual, parcelaAnterior, parcelaAtual) ||
        !uAssContCad::ConfirmaValorContrato(opcaoContrato()))
        return;
    if (MostraPergunta(uAssContCad::PerguntaValorCliente(valorAnterior, valorAtual), {"Sim", "Não"}) != "Sim")
        return;
    if (!clientes.isEmpty()) {
        clientes.edit();
        clientes.post();
    }
    editarContrato();
    dmTecContrato->RelerTotaisContratoCorrente();
    SalvarAlteracoes(contrato());
}
