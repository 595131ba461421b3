// The lines of a service order that a sales order takes (see the header).

#include "data/uDataTecVendaOS.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Dataset.h"
#include "host/data/Query.h"
#include "host/db/RowHold.h"

namespace venda_os {

namespace {

bool pendente(const QString& pedido) { return pedido.trimmed().isEmpty(); }

// Walks the dataset's rows without repainting its grid and puts it back on its row.
template <typename Regra>
bool algumaLinha(host::data::Dataset& linhas, Regra&& vendida)
{
    if (!linhas.active() || linhas.isEmpty())
        return false;
    host::data::ControlsDisabled semTela(linhas);
    const host::data::Bookmark onde = linhas.bookmark();
    bool achou = false;
    for (linhas.first(); !linhas.eof() && !achou; linhas.next())
        achou = vendida();
    if (linhas.bookmarkValid(onde))
        linhas.gotoBookmark(onde);
    return achou;
}

// The travel line of billing mode "2" and the line of the expense payer's
// order: both need the reimbursement service.
bool linhaDeDespesas(const TdmTec& tec, const Conteudo& conteudo)
{
    if (parametro("ATSERVICOREEMBOLSOVIAGEM").trimmed().isEmpty())
        return false;
    if (!tec.quOSCLCODIGOCOBRANCADESPESAS->asString().trimmed().isEmpty())
        return true;
    return conteudo.servicos && parametro("ATPEDIDOTOTALSERVICOPECA") != "P" &&
           parametro("ATMODOFATURAMENTOOS") == "2" && tec.quOSAODESPVIAGEM->asFloat() > 0;
}

}  // namespace

bool pecasPorQuantidadeRequerida(TdmTec& tec)
{
    if (!tec.quOSPecas->active()) {
        tec.quOSPecas->paramByName("aocodigo")->setAsInteger(tec.quOSAOCODIGO->asInteger());
        tec.quOSPecas->open();
    }
    if (parametroAparado("ATQUANTIDADEREQUERIDA") != "S")
        return false;
    const QString modo = parametroAparado("ATMODOEMPRESA");
    if (modo == "V" || modo == "1")
        return true;
    return !tec.quOSPecas->isEmpty() &&
           MostraPergunta("Deseja inserir a Quantidade ou Quantidade Requerida das Peças?",
                          {"Requerida", "Quantidade"}) == "Requerida";
}

QString colunaQuantidadeServico(const TdmTec& tec)
{
    const QString opcaoTela = parametro("ATOPCAOTELAOS");
    if (parametro("ATPESQUISAOSVEICULO") == "S" && tec.quOSAndamento->active() && !tec.quOSAndamento->isEmpty() &&
        opcaoTela != "V" && opcaoTela != "1" &&
        MostraPergunta("Deseja inserir a Quantidade ou Quantidade Requerida dos Serviços?",
                       {"Requerida", "Quantidade"}) == "Requerida")
        return "AAQUANTIDADEREQUERIDA";
    return "AAQUANTIDADE";
}

Selecao escolher(TdmTec& tec, bool pendentes, const Conteudo& conteudo)
{
    Selecao selecao;
    selecao.pendentes = pendentes;
    if (parametro("ATPEDIDOTOTALSERVICOPECA") == "P")
        return selecao;
    if (conteudo.pecas)
        selecao.pecaRequerida = pecasPorQuantidadeRequerida(tec);
    if (conteudo.servicos)
        selecao.colunaServico = colunaQuantidadeServico(tec);
    return selecao;
}

bool pecaVendida(const TdmTec& tec, const Selecao& selecao)
{
    if (selecao.pecaRequerida && tec.quOSPecasAPQUANTIDADEREQUERIDA->asFloat() == 0)
        return false;
    if (!selecao.todasPecas && !(tec.quOSPecasAPAUTORIZADO->asString() == "S" && tec.quOSPecasAPTIPO->asString() == "3"))
        return false;
    return !selecao.pendentes || pendente(tec.quOSPecasVECODIGO->asString());
}

bool servicoCobravel(const TdmTec& tec)
{
    return tec.quOSAndamentoAAAUTORIZADO->asString() == "S" && tec.quOSAndamentoAATIPO->asString() == "3";
}

bool servicoVendido(const TdmTec& tec, const Selecao& selecao)
{
    if (parametro("ATPESQUISAOSVEICULO") == "S" &&
        tec.quOSAndamento->fieldByName(selecao.colunaServico)->asFloat() == 0)
        return false;
    return servicoCobravel(tec) && (!selecao.pendentes || pendente(tec.quOSAndamentoVECODIGO->asString()));
}

bool servicosAPrecoDeCusto(const TdmTec& tec)
{
    const QString tipoCliente = parametro("ATTIPOOSPEDIDOCLIENTE");
    return parametro("ATCLASSIFICACAOOS") == "S" && !tipoCliente.isEmpty() && tec.quOSAOTIPOOS->asString() == tipoCliente;
}

double totalServicos(const TdmTec& tec, const Selecao& selecao)
{
    const bool custo = servicosAPrecoDeCusto(tec);
    host::data::Query& total = *dmGlobal->quAuxiliar;
    total.close();
    total.setSql(QString("select coalesce(sum(%1), 0) as TotServ from AATC01AA aa")
                     .arg(custo ? "aa." + selecao.colunaServico + " * pr.Pco_Custo" : QString("aa.aaValorTotal")) +
                 (custo ? " left outer join Acec1101 pr on (pr.Codigo = aa.PrCodigo)" : "") +
                 " where aa.AOCODIGO = " + tec.quOSAOCODIGO->asString() +
                 " and aa.AAautorizado = 'S' and aa.AAtipo = '3'" +
                 (selecao.pendentes ? " and coalesce(aa.vecodigo, '') = ''" : ""));
    total.open();
    const double valor = total.fieldByName("TotServ")->asFloat();
    total.close();
    return valor;
}

bool teraLinhas(TdmTec& tec, const Selecao& selecao, const Conteudo& conteudo)
{
    if (linhaDeDespesas(tec, conteudo))
        return true;
    const QString modoTotal = parametro("ATPEDIDOTOTALSERVICOPECA");
    if (modoTotal == "P")
        return tec.quOSAOVALORSERVICO->asFloat() + tec.quOSAOVALORPECAS->asFloat() > 0;
    if (conteudo.pecas && algumaLinha(*tec.quOSPecas, [&] { return pecaVendida(tec, selecao); }))
        return true;
    if (!conteudo.servicos)
        return false;
    if (modoTotal == "S")
        return totalServicos(tec, selecao) > 0;
    return algumaLinha(*tec.quOSAndamento, [&] { return servicoVendido(tec, selecao); });
}

void tomarOrdem(int ordem, const QString& pedidoNaTela)
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    const QString os = QString::number(ordem);
    const host::db::RowsHeld linha = host::db::holdRows(tr, u"AATC01AO", {{"AOCODIGO", ordem}});
    if (linha.elsewhere())
        dmGlobal->MostraAviso("O Pedido de Venda da O.S. " + os +
                                  " está sendo gerado em outra estação neste momento; nenhum pedido foi gerado.",
                              true);
    if (!linha.one())
        dmGlobal->MostraAviso("A O.S. " + os + " não existe mais; nenhum pedido foi gerado.", true);
    const QString gravado = host::db::selectValue(tr, "select coalesce(VECODIGO, '') from AATC01AO"
                                                      " where AOCODIGO = :AOCODIGO",
                                                  {{"AOCODIGO", ordem}})
                                .toString()
                                .trimmed();
    if (gravado != pedidoNaTela.trimmed())
        dmGlobal->MostraAviso("O Pedido de Venda da O.S. " + os +
                                  (gravado.isEmpty() ? " foi alterado em outra estação"
                                                     : " já foi gerado em outra estação (pedido \"" + gravado + "\")") +
                                  "; nenhum pedido foi gerado. Recarregue a O.S. antes de gerar outro.",
                              true);
}

}  // namespace venda_os
