// The instalment tools and the pick-up data of the rental registers:
// "Alterar Parcelas" and its two grid modes, the customer-order stamp, the
// grid colours, the planned pick-up moment with its spins, the pick-up
// confirmation and status, and the receivables' due-kind list.

#include "rental/uAssContLocComum.h"

#include "rental/uAssContLocRegras.h"

#include "contract_data/uDataTecContRegras.h"
#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContLocacao.h"

#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "host/db/Database.h"
#include "host/ui/Errors.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include <exception>

using host::data::Dataset;
using host::ui::DataGrid;

namespace {

const char* const kCaptionAlterar = "Alterar Parcelas";
const char* const kCaptionConfirmar = "Confirmar";

}  // namespace

void TfmAssContLocBase::bbAlterarClick()
{
    Dataset& receber = *dmGlobal->quReceber;
    const bool temParcelas = receber.active() && !receber.isEmpty();
    double valor = temParcelas ? Trunc2Casas(receber.fieldByName("VALOR_DOCUMENTO")->asFloat()) : 0;
    if (sAuxiliarGeral != "Seleção")
        sAuxiliarGeral =
            MostraPergunta("Deseja alterar a Previsão da(s) Parcela(s)?", {"Seleção", "Todas", "Cancelar"});
    DataGrid* grade = dbgdAssContCadLocEquiParcelas;
    const bool selecao = sAuxiliarGeral == "Seleção";
    if (selecao && bbAlterar->text() != kCaptionConfirmar) {
        bbAlterar->setText(kCaptionConfirmar);
        grade->setMultiSelect(true);
        grade->setRowSelect(true);
        grade->setEditing(false);
        return;
    }
    // Whatever happens below, the grid goes back to editing and the answer is let go.
    struct VoltaEdicaoParcelas {
        TfmAssContLocBase& form;
        ~VoltaEdicaoParcelas()
        {
            form.bbAlterar->setText(kCaptionAlterar);
            DataGrid* g = form.dbgdAssContCadLocEquiParcelas;
            g->clearSelectedRows();
            g->setMultiSelect(false);
            g->setRowSelect(false);
            g->setEditing(true);
            sAuxiliarGeral.clear();
        }
    } volta{*this};
    if ((sAuxiliarGeral == "Todas" || selecao) && temParcelas &&
        SelecionaValorNumericoDouble("Alteração da(s) Parcela(s) do Contrato",
                                     "Informe o novo Valor R$ a ser definido para a(s) Parcela(s) do Contrato.", valor))
        uAssContLoc::AlterarValorParcelas(receber, !selecao, grade->selectedRows(), valor);
}

void TfmAssContLocBase::laAdicInfoPedidoClienteClick()
{
    const QString pedido = CarregaDado("VEPEDIDOCLIENTE", "AVEC8501",
                                       " where NUMERO_PEDIDO = " +
                                           QuotedStr(contrato().fieldByName("ACPEDIDO")->asString()));
    uAssContLoc::AdicionarPedidoCliente(*dmGlobal->quReceber, pedido);
}

void TfmAssContLocBase::dbgdAssContCadLocEquiParcelasDrawColumnCell(host::ui::CellStyle& style, bool selecionada)
{
    Dataset& receber = *dmGlobal->quReceber;
    DataGrid* grade = dbgdAssContCadLocEquiParcelas;
    const bool marcada = selecionada && (grade->multiSelect() || grade->hasFocus());
    const QColor cor = uDataTecContRegras::CorParcela(receber.fieldByName("SITUACAO_DOCUMENTO")->asString(),
                                               receber.fieldByName("DATA_VENCIMENTO")->asDateTime(),
                                               uDataTecContLocacao::agora().date(), marcada,
                                               grade->palette().color(QPalette::Highlight));
    if (cor.isValid())
        style.background = cor;
    style.foreground = Qt::black;
}

// ---- pick-up ----

void TfmAssContLocBase::GravarDataHoraRetirada()
{
    host::data::Field& momento = *contrato().fieldByName("ACCOMPROVANTEDATAHORA");
    const QDateTime novo =
        uAssContLoc::MomentoRetirada(momento.asDateTime(), rxspRetiradaHora->value(), rxspRetiradaMinutos->value());
    if (!novo.isValid())
        return;
    editarContrato();
    momento.setAsDateTime(novo);
}

void TfmAssContLocBase::rxspRetiradaHoraChange()
{
    if (retiradaAtualizando_ || !contrato().active())
        return;
    retiradaAtualizando_ = true;
    rxspRetiradaMinutos->setValue(contrato().fieldByName("ACCOMPROVANTEDATAHORA")->asDateTime().time().minute());
    retiradaAtualizando_ = false;
    GravarDataHoraRetirada();
}

void TfmAssContLocBase::rxspRetiradaMinutosChange()
{
    if (retiradaAtualizando_ || !contrato().active())
        return;
    retiradaAtualizando_ = true;
    rxspRetiradaHora->setValue(contrato().fieldByName("ACCOMPROVANTEDATAHORA")->asDateTime().time().hour());
    retiradaAtualizando_ = false;
    GravarDataHoraRetirada();
}

void TfmAssContLocBase::laRetiradaConferirClick()
{
    if (MostraPergunta("Confirma execução da Retirada?", {"Sim", "Não"}) != "Sim")
        return;
    editarContrato();
    contrato().fieldByName("ACDATARETIRADA")->setAsDateTime(host::db::localDateTime(uDataTecContLocacao::agora().date()));
    contrato().post();
}

void TfmAssContLocBase::AtualizarRetirada()
{
    if (retiradaAtualizando_ || !contrato().active())
        return;
    const QDateTime momento = contrato().fieldByName("ACCOMPROVANTEDATAHORA")->asDateTime();
    if (!editando()) {
        retiradaAtualizando_ = true;
        rxspRetiradaHora->setValue(momento.time().hour());
        rxspRetiradaMinutos->setValue(momento.time().minute());
        retiradaAtualizando_ = false;
    }
    laStatusRetirada->setText(
        uAssContLoc::StatusRetirada(momento, contrato().fieldByName("ACDATARETIRADA")->asDateTime()));
}

// ---- the receivables' list of due kinds ----

QStringList TfmAssContLocBase::TiposVencimentoReceber()
{
    return CarregaVariosDados("first 30 CRTIPOVCTO", "acrc5001",
                              "where NUMERO_DOCUMENTO is not null and CRTIPOVCTO <> '' "
                              "group by CRTIPOVCTO order by CRTIPOVCTO",
                              dmGlobal->quAuxiliar, "\n")
        .split('\n', Qt::SkipEmptyParts);
}

void TfmAssContLocBase::CarregaListaParcelaTiposVcto()
{
    // The list goes into the grid's due-kind column, which only a saved layout adds.
    host::ui::GridColumn* coluna = dbgdAssContCadLocEquiParcelas->columnByField("CRTIPOVCTO");
    if (!coluna)
        return;
    try {
        coluna->setPickList(TiposVencimentoReceber());
    } catch (const std::exception&) {
        dmGlobal->MostraErro("Erro ao carregar lista dos Tipos de Vencimento.\r" +
                             host::ui::exceptionMessage(std::current_exception()));
    }
}
