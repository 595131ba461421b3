// The checkout's status steps and menu actions on dmTec's current order.

#include "rental/uAssCheckoutRegras.h"

#include "rental/uAssCheckoutConsulta.h"
#include "rental/uAssCheckoutProtocolo.h"
#include "rental/uAssContLocEquipCad.h"

#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"

#include "host/PilvOut70.h"
#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqprod.h"
#include "host/data/Abort.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/schema/SchemaDefinition.h"
#include "host/ui/Errors.h"
#include "host/ui/WindowRegistry.h"

#include <QPushButton>

namespace asscheckout {
namespace {

QString modoCheckout() { return dmGlobal->Parametro("ATMODOPEDIDOASSISTENCIA"); }

host::data::Field& pedidoCheckout(const char* nome) { return dmTec->campoPedido(nome); }

QString numeroCheckout() { return pedidoCheckout("NUMERO_PEDIDO").asString(); }

bool pedidoCheckoutAberto()
{
    const host::data::Query& venda = *dmTec->quAssVenda;
    return venda.active() && !venda.isEmpty();
}

// The checkout list, when open, reads the stored statuses again.
void mostrarStatusNaLista()
{
    if (TfmAssCheckoutConsulta* lista = fmAssCheckoutConsulta.get())
        lista->MostrarStatusGravado();
}

// The header's status written and posted (the post commits).
void gravarStatusCheckout(const QString& status)
{
    host::data::Query& venda = *dmTec->quAssVenda;
    if (!venda.editing())
        venda.edit();
    pedidoCheckout("IMPRESSO_NF").setAsString(status);
    venda.post();
    mostrarStatusNaLista();
}


// The status and its serial movements as one commit: a refused save
// records no movement. The lines are counted.
int gravarStatusComSeries(const QString& status)
{
    int contador = 0;
    host::db::runAsOneCommit(*dmGlobal->IBTransaction1, [&] {
        gravarStatusCheckout(status);
        RegistraNSStatusPedidoAss(contador);
    });
    return contador;
}

bool perguntaCheckout(const QString& texto) { return MostraPergunta(texto, {"Sim", "Não"}) == "Sim"; }

double valorCheckout(const QString& sql)
{
    auto consulta = CriarIbQuery("quChkAux");
    consulta->setSql(sql);
    consulta->open();
    const double valor = consulta->isEmpty() ? 0 : consulta->field(0)->asFloat();   // null reads 0
    consulta->close();
    return valor;
}

}  // namespace

EstadoCheckout estadoCheckout(const QString& status)
{
    const QString s = status.trimmed();
    EstadoCheckout e;
    // A back-order ("P") is checked out once its goods arrive.
    e.confirmar = s.isEmpty() || s == "P";
    e.reabrir = s == "C" || s == "N";
    e.liberar = s == "C";
    e.saida = s == "L";
    e.gradeEditavel = s.isEmpty() || s == "P";
    return e;
}

MenuCheckout menuCheckout(const QString& modo, const QString& status)
{
    MenuCheckout m;
    if (modo == "E") {
        m.menuCheckout = m.dica = true;
        m.notaFiscal = true;
        m.protocoloRetirada = true;
    } else if (modo == "C" && status.trimmed() == "L") {
        m.menuCheckout = m.dica = true;
        m.notaFiscal = false;
    }
    return m;
}

void ValidarCheckout(const QString& pedido, bool& perguntar, QString& mensagem)
{
    perguntar = false;
    mensagem.clear();
    const QString numero = QuotedStr(pedido);
    const double diferenca = valorCheckout(
        "select (select sum(it.QUANTIDADE) from AVEC85IT it where it.NUMERO_PEDIDO = ped.NUMERO_PEDIDO"
        "   and coalesce(it.VEITCOMPLEMENTO, 'N') <> 'S')"
        " - (select sum(lx.QUANTIDADE) from AVEC85LX lx where lx.NUMERO_PEDIDO = ped.NUMERO_PEDIDO"
        "   and coalesce(lx.VEITCOMPLEMENTO, 'N') <> 'S')"
        " from AVEC8501 ped where ped.NUMERO_PEDIDO = " +
        numero);
    if (Trunc2Casas(diferenca) != 0) {
        mensagem = "A quantidade Solicitada é diferente da Selecionada.\rConfirma o Checkout?";
        perguntar = true;
    }
    const double livres = valorCheckout("select count(*) from avec85lx lx where lx.numero_pedido = " + numero +
                                        " and coalesce(lx.vecodigopendencia, '') = '' ");
    if (livres == 0) {
        mensagem = "Não existe(m) equipamento(s) com situação para efetuar o Checkout!";
        perguntar = false;
    }
}

void RecarregarPedido()
{
    if (dmTec->quAssVenda->active())
        CarregaPedidoAssVenda(numeroCheckout(), {});
}

void ConfirmarCheckout()
{
    if (!pedidoCheckoutAberto() || !perguntaCheckout("Confirma Checkout dos Equipamentos?"))
        return;
    const QString modo = modoCheckout();
    if (modo == "E") {
        bool perguntar = false;
        QString mensagem;
        ValidarCheckout(numeroCheckout(), perguntar, mensagem);
        sAuxiliarGeral = mensagem;
        if (!mensagem.trimmed().isEmpty()) {
            if (!perguntar)
                dmGlobal->MostraAviso(mensagem, true);
            if (!perguntaCheckout(mensagem))
                return;
        }
    }
    if (modo == "C")
        host::RecusarNumerosSerieForaDoPedido(numeroCheckout());
    if (modo == "C") {
        const int contador = gravarStatusComSeries("C");
        dmGlobal->MostraAviso("Checkout Finalizado. \r" + QStringLiteral("%1").arg(contador, 2, 10, QLatin1Char('0')) +
                                  " Equipamento(s) / Complemento(s) Confirmados",
                              false);
    } else {
        gravarStatusCheckout("C");
        if (modo == "E")
            dmGlobal->MostraAviso("Checkout Finalizado com Sucesso!", false);
    }
    RecarregarPedido();
}

void LiberaPedidoFaturamento()
{
    if (!perguntaCheckout("Confirme a liberação do Pedido \"" + numeroCheckout() + "\" ?"))
        return;
    host::RecusarNumerosSerieForaDoPedido(numeroCheckout());
    gravarStatusComSeries("N");
    RecarregarPedido();
}

void GerarContratoPedidoAss()
{
    if (!pedidoCheckoutAberto() || pedidoCheckout("AUX2").asString() != "1" ||
        pedidoCheckout("IMPRESSO_NF").asString().trimmed() != "C")
        return;
    if (!perguntaCheckout("Confirma a liberação do Faturamento do Pedido?"))
        return;
    // An order reopened after its release keeps the contract it made: a
    // second release marks it again instead of making another.
    dmGlobal->MostraAviso(dmTec->ContratarPedidoAssistencia(numeroCheckout()).aviso(), false);
}

void LiberarFaturamento()
{
    if (modoCheckout() == "E")
        GerarContratoPedidoAss();
    else
        LiberaPedidoFaturamento();
    RecarregarPedido();
    mostrarStatusNaLista();
}

void EmissaoNotaFiscal()
{
    if (!pedidoCheckoutAberto())
        return;
    TfmAssContCadLocEquip* registro = fmAssContCadLocEquip;
    if (!registro)
        registro = fmAssContCadLocEquip.create();
    host::ui::ReleaseOnExit liberar(fmAssContCadLocEquip);
    CarregaContrato(pedidoCheckout("ACCODIGO").asInteger());
    // The register's button runs its handler guarded: a refusal there is
    // shown by it and ends this operation too.
    const unsigned long falhas = host::ui::guardedFailures();
    registro->btImprimir->click();
    if (host::ui::guardedFailures() != falhas)
        host::abortOperation();
}

void ImprimirProtocolo(const QString& tipo)
{
    if (pedidoCheckoutAberto())
        VisualizarProtocoloEntregaContrato(pedidoCheckout("ACCODIGO").asInteger(), tipo);
}

void SaidaEquipamentos()
{
    if (!pedidoCheckoutAberto() ||
        !perguntaCheckout("Confirme a Saída do(s) Equipamento(s) do Pedido \"" + numeroCheckout() + "\" ?"))
        return;
    host::RecusarNumerosSerieForaDoPedido(numeroCheckout());
    const bool modoE = modoCheckout() == "E";
    if (modoE)
        EmissaoNotaFiscal();
    gravarStatusComSeries("S");
    if (modoE)
        VisualizarProtocoloEntregaContrato(pedidoCheckout("ACCODIGO").asInteger(), "Entrega");
    RecarregarPedido();
}

bool SenhaReabrirCheckout()
{
    QString senha;
    if (!SelecionaSenha("Senha para Reabrir Checkout", "Informe a senha para Reabrir Checkout:", senha))
        return false;
    if (senha.trimmed() != parametroAparado("ATSENHAOPERACOESESPECIAIS"))
        dmGlobal->MostraAviso("Aviso: operação abortada.\rA senha informada é inválida!", true);
    return true;
}

void ReabrirCheckout()
{
    if (!pedidoCheckoutAberto() || !SenhaReabrirCheckout())
        return;
    const QString numero = numeroCheckout();
    dmTec->CarregaPedidoAssVendaItem(numero, {}, {});
    dmTec->CarregaPedidoAssVendaCotado(numero, {});
    gravarStatusCheckout({});
    RecarregarPedido();
}

namespace {

// The replaced line added to the order's contract. Only this insert is
// undone when it fails: other work pending in the transaction stays.
void incluirItemContratoPendencia()
{
    TdmTec& tec = *dmTec;
    auto linha = [&tec](const char* nome) -> host::data::Field& { return tec.campoCotado(nome); };
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    host::db::Savepoint inclusao(tr);
    try {
        const int chave = ProximaChave(host::schema::kGeneratorContractItem, "ACITCODIGO", "AATC05ACIT");
        host::data::Query& aux = *dmGlobal->quAuxiliar;
        aux.close();
        aux.setSql("INSERT INTO AATC05ACIT (acitcodigo, accodigo, clcodigo, prcodigo, acitquantidade,"
                   " acitvalorunitario, acitvalor, acitobservacao, acitnumeroserie, acitcomplemento) VALUES(" +
                   QString::number(chave) + ", " + QString::number(pedidoCheckout("ACCODIGO").asInteger()) + ", " +
                   QuotedStr(pedidoCheckout("CODIGO_CLIENTE").asString()) + ", " +
                   QuotedStr(linha("CODIGO").asString()) + ", " + ValueToSQL(linha("QUANTIDADE").asFloat()) + ", " +
                   ValueToSQL(linha("VALOR").asFloat()) + ", " + ValueToSQL(linha("TOTAL_UNIT").asFloat()) + ", " +
                   QuotedStr(linha("OBS").asString()) + ", " + QuotedStr(linha("VEITNUMEROSERIE").asString()) +
                   ", " + QuotedStr(linha("VEITCOMPLEMENTO").asString()) + ")");
        aux.execSql();
        host::data::Query& cotado = *tec.quAssVendaCotado;
        if (!cotado.editing())
            cotado.edit();
        linha("VECODIGOPENDENCIA").setAsString({});
        inclusao.release();
        tr.commitRetaining();
    } catch (const std::exception& erro) {
        if (inclusao.active())
            inclusao.rollback();
        dmGlobal->Log("[AlterarItemPendencia]", " EXCEPTION --> " + QString::fromUtf8(erro.what()));
    }
}

}  // namespace

void AlterarItemPendencia()
{
    TdmTec& tec = *dmTec;
    host::data::Query& cotado = *tec.quAssVendaCotado;
    if (!pedidoCheckoutAberto() || !cotado.active() || cotado.isEmpty() ||
        tec.campoCotado("VECODIGOPENDENCIA").asString().trimmed().isEmpty())
        return;
    QString produto, descricao;
    double preco = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
    if (!SelecionaProduto(produto, descricao, preco, estoque, reservado, promocional, custo))
        return;
    const QString antigo = tec.campoCotado("CODIGO").asString();
    if (produto.trimmed() == antigo.trimmed())
        return;
    const QString pedido = tec.campoCotado("NUMERO_PEDIDO").asString();
    const QString cod = tec.campoCotado("COD").asString();
    if (!tec.PVAssVerificaEstoquePendencia("AVEC85LX", pedido, produto, cod, pedidoCheckout("OPERACAO").asString(),
                                           tec.campoCotado("OBS").asString(),
                                           pedidoCheckout("VECODIGOPENDENCIA").asString(),
                                           tec.campoCotado("QUANTIDADE").asFloat(), tec.campoCotado("VALOR").asFloat()))
        dmGlobal->MostraAviso("Aviso: operação abortada!", true);
    UpdateCampoCommit("AVEC85LX", "VECODIGOPENDENCIA", "''",
                      " where NUMERO_PEDIDO = " + QuotedStr(pedido) + " and COD = " + QuotedStr(cod) +
                          " and CODIGO = " + QuotedStr(antigo));
    tec.CarregaPedidoAssVendaCotado(numeroCheckout(), {});
    cotado.locate("COD", cod);
    if (!cotado.editing())
        cotado.edit();
    tec.campoCotado("CODIGO").setAsString(produto.trimmed());
    const QString status = pedidoCheckout("IMPRESSO_NF").asString().trimmed();
    if ((status == "L" || status == "S") && perguntaCheckout("Deseja incluir o item no Contrato Gerado?"))
        incluirItemContratoPendencia();
}

}  // namespace asscheckout
