// The parts lines of a service order on the host's sales and stock side:
// copied into a sales order, withdrawn from stock through a new sales order,
// and their reservations released.

#include "data/uDataTec.h"
#include "data/uDataTecVendaOS.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Uvendas.h"

#include "host/data/Abort.h"
#include "host/data/HandlerGuard.h"
#include "host/ui/Cursors.h"
#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <QPointer>

using host::data::DetachHandler;

namespace {

// Orders of the cost type go at cost plus the margin of ATVALORKM.
bool precoDeCusto(const TdmTec& tec)
{
    const QString tipo = parametroAparado("ATTIPOOSCUSTO");
    return parametroAparado("ATCUSTOTIPOOS") == "S" && !tipo.isEmpty() && tipo == tec.quOSAOTIPOOS->asString().trimmed() &&
           dmGlobal->ParametroNumero("ATVALORKM") > 0;
}

struct ItemPedido {
    double quantidade = 0;
    double valor = 0;
    bool tresColunas = false;   // APSEQUENCIA, GRCODIGO, FOCODIGOVENDEDOR (else APSEQUENCIA alone)
    bool marcar = true;         // the line is stamped with the sales order
};

// A line the parts settlement marked issued ("B") that no sales order took
// yet has left the stock already: its item is written as moved, so that no
// stock run of the sales order takes the part out a second time. It is
// charged as any other line.
bool saiuPeloAcerto(const TdmTec& tec)
{
    return tec.quOSPecasAPRESERVA->asString() == "B" && tec.quOSPecasVECODIGO->asString().trimmed().isEmpty();
}

}  // namespace

void TdmTec::InserirPecaPedidoVenda(bool bPendentes, const QString& pedido, bool bColecaoFechada, bool bTodas)
{
    venda_os::Selecao selecao;
    selecao.pendentes = bPendentes;
    selecao.todasPecas = bTodas;
    selecao.pecaRequerida = venda_os::pecasPorQuantidadeRequerida(*this);
    InserirPecaPedidoVenda(selecao, pedido, bColecaoFechada);
}

void TdmTec::InserirPecaPedidoVenda(const venda_os::Selecao& selecao, const QString& pedido, bool bColecaoFechada)
{
    DetachHandler<decltype(quOSPecas->beforeEdit)> semRestricao(quOSPecas->beforeEdit);
    if (!quOSPecas->active()) {
        quOSPecas->paramByName("aocodigo")->setAsInteger(quOSAOCODIGO->asInteger());
        quOSPecas->open();
    }
    const bool bPendentes = selecao.pendentes;
    const bool requerida = selecao.pecaRequerida;
    const bool custo = precoDeCusto(*this);
    const double margem = dmGlobal->ParametroNumero("ATVALORKM") / 100 + 1;
    const QString modoSerie = parametroAparado("ATMODONUMEROSERIE");
    const QString numero = QuotedStr(pedido);
    for (quOSPecas->first(); !quOSPecas->eof(); quOSPecas->next()) {
        if (!venda_os::pecaVendida(*this, selecao))
            continue;
        const QString observacao = bColecaoFechada ? QString("COLECAO FECHADA") : quOSPecasAPOBSERVACAO->asString();
        const QString produto = quOSPecasPRCODIGO->asString();
        ItemPedido item{quOSPecasAPQUANTIDADE->asFloat(), quOSPecasAPVALUNITARIO->asFloat(), !bPendentes, true};
        if (custo) {
            item.valor = CarregaNumero("PCO_CUSTO", "Acec1101", "Where Codigo = " + QuotedStr(produto)) * margem;
            item.tresColunas = true;
            item.marcar = bPendentes;
        } else if (requerida) {
            item.quantidade = quOSPecasAPQUANTIDADEREQUERIDA->asFloat();
        }
        const QString sequencia = ", " + ValueToSQL(quOSPecasAPSEQUENCIA->asInteger());
        QString colunas = !item.tresColunas ? ", APSEQUENCIA"
                          : custo || requerida ? ", APSEQUENCIA, GRCODIGO, FOCODIGOVENDEDOR"
                                               : ", APSEQUENCIA,  GRCODIGO, FOCODIGOVENDEDOR";
        QString valores = !item.tresColunas ? sequencia
                                            : sequencia + ", " + QuotedStr(quOSPecasGRUPO->asString()) + ", " +
                                                  QuotedStr(quOSFOCODIGOVENDEDOR->asString());
        if (saiuPeloAcerto(*this)) {
            colunas += ", BAIXA";
            valores += ", 'S'";
        }
        dmGlobal->InserirPedidoVendaItem(produto, pedido, item.quantidade, quOSPecasAPDESCONTO->asFloat(), false, false,
                                         item.valor, 0, 0, observacao, quOSPecasAOCODIGO->asInteger(), {}, true,
                                         quOSPecasOFCODIGO->asString(), colunas, valores);
        if (item.marcar) {
            quOSPecas->edit();
            quOSPecasAPRESERVA->setAsString("B");
            quOSPecasVECODIGO->setAsString(pedido);
            quOSPecas->post();
        }
        const QString ordem = "Where AOCodigo = " + quOSPecasAOCODIGO->asString();
        if (modoSerie == "S")
            UpdateCampo("AUGC50NS", "VECODIGO", numero, ordem);
        else if (modoSerie == "O")
            UpdateCampo("AUGC50NS", "VECODIGO", numero, ordem + " and prcodigo =" + QuotedStr(produto));
        const QString local = quOSPecasLECODIGO->asString();
        if (!local.trimmed().isEmpty()) {
            const int cod = CarregaNumeroInteiro("max(cod)", "avec85it", "where numero_pedido = " + numero);
            UpdateCampo("avec85it", "lecodigo", QuotedStr(local),
                        "where numero_pedido = " + numero + " and codigo =  " + QuotedStr(produto) +
                            " AND COD= " + QString::number(cod));
            dmGlobal->IBTransaction1->commitRetaining();
        }
    }
}

// All or nothing: the steps below commit each on their own (the lines'
// after-post, the locations, the order's post); those commits are held back
// until the last step has run, and a failure undoes every step, so no sales
// order stays without its lines and no stock leaves twice.
void TdmTec::BaixarEstoqueOrdemServico(int aoCodigo, bool bTodas, bool bVerificar)
{
    const QString codigo = QString::number(aoCodigo);
    if (CarregaNumeroInteiro("Count(*)", "Aatc01ap", "Where aoCodigo = " + codigo) == 0)
        return;
    if (quOSAOCODIGO->asInteger() != aoCodigo)
        CarregaOrdemServico(aoCodigo);
    // The lines as stored: another desk may have saved some since these were read.
    if (quOSPecas->active() && !quOSPecas->editing()) {
        quOSPecas->close();
        quOSPecas->open();
    }
    if (!quOSVECODIGO->asString().trimmed().isEmpty()) {
        if (bVerificar)
            dmGlobal->MostraAviso("Ordem de Serviço já baixada!", true);
        if (MostraPergunta("Ordem de Serviço já baixada! Tem certeza que deseja continuar e baixar apenas peças "
                           "pendentes?",
                           {"Sim", "Não"}) == "Não")
            host::abortOperation();
    }
    // A situation change calls this while the user's header is still in edit.
    const bool editando = quOS->state() != host::data::DatasetState::Browse;
    const QVariant vendaAntes = quOSVECODIGO->value();
    const QVariant impressoAntes = quOSIMPRESSO_NF->value();
    host::db::CommitHold comitesRetidos(*dmGlobal->IBTransaction1);
    host::db::Savepoint baixa(*dmGlobal->IBTransaction1);
    try {
        const QString pedido = dmGlobal->InserirPedidoVenda(
            quOSCLCODIGO->asString(), {}, {}, quOSTVCODIGO->asString(), {}, quOSOFCODIGO->asString(), "S", {}, {},
            parametroAparado("ATLOCALPADRAO"), {}, quOSORCTCODIGO->asInteger(), QDateTime(), {}, {});
        InserirPecaPedidoVenda(true, pedido, false, bTodas);
        TfmVendas::Estoque(pedido, true, false, true, false, false, false, false, false, false, false);
        quOS->edit();
        quOSIMPRESSO_NF->setAsString("S");
        quOSVECODIGO->setAsString(pedido);
        quOS->post();
        if (quOSPecas->active())
            quOSPecas->refresh();
        baixa.release();
        comitesRetidos.release();
    } catch (...) {
        baixa.rollback();
        // The datasets show the database again, without the undone steps;
        // the user's own pending edits of the header stay.
        if (editando) {
            quOSVECODIGO->setValue(vendaAntes);
            quOSIMPRESSO_NF->setValue(impressoAntes);
        } else {
            if (quOS->state() != host::data::DatasetState::Browse)
                quOS->cancel();
            if (quOS->active() && !quOS->isEmpty())
                quOS->refresh();
        }
        if (quOSPecas->active()) {
            quOSPecas->close();
            quOSPecas->open();
        }
        throw;
    }
}

void TdmTec::RetirarReservaOrdemServido(int aoCodigo)
{
    const QPointer<host::ui::Form> ativa = host::ui::WindowRegistry::activeForm();
    if (quOSAOCODIGO->asInteger() != aoCodigo)
        CarregaOrdemServico(aoCodigo);
    const int linhas = quOSPecas->active() ? quOSPecas->recordCount() : 0;
    quOSPecas->disableControls();
    DetachHandler<decltype(quOSPecasAPRESERVA->onSetText)> semTexto(quOSPecasAPRESERVA->onSetText);
    DetachHandler<decltype(quOSPecas->beforePost)> semAntesGravar(quOSPecas->beforePost);
    host::ui::WaitCursor ampulheta;
    auto restaurar = [&] {
        dmGlobal->PreparaSplashForm(0, {}, "Ocultar");
        if (ativa && !ativa->released()) {
            ativa->raise();
            ativa->activateWindow();
        }
        quOSPecas->enableControls();
    };
    try {
        dmGlobal->PreparaSplashForm(linhas, {}, "Mostrar");
        CarregaOSAtributos(aoCodigo, 0, true);
        for (quOSPecas->first(); !quOSPecas->eof();) {
            if (quOSPecasAPRESERVA->asString() == "S") {
                quOSPecas->edit();
                quOSPecasAPRESERVA->setAsString("N");
                quOSPecas->post();
            }
            quOSPecas->next();
            dmGlobal->PreparaSplashForm(1, "Retirando peça da reserva de estoque...", "Incrementar");
        }
    } catch (...) {
        restaurar();
        throw;
    }
    restaurar();
}
