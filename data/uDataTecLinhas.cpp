// Rules that parts lines and service lines share (see uDataTecLinhas.h).

#include "data/uDataTecLinhas.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include "host/data/Dataset.h"
#include "host/data/Format.h"
#include "host/db/RowHold.h"
#include "host/ui/WindowRegistry.h"

#include <algorithm>
#include <exception>

using host::data::Field;

namespace uDataTecLinhas {
namespace {

bool andamentoAtivo()
{
    host::ui::Form* andamento = host::ui::WindowRegistry::find("fmAssAndamento");
    return andamento && andamento == host::ui::WindowRegistry::activeForm();
}

struct LinhaTabela {
    double desconto = 0, valor = 0, acrescimo = 0;
};

// Discount, value and mark-up of one price-table row (zeros without a row).
LinhaTabela linhaTabela(const QString& condicao)
{
    std::unique_ptr<host::data::Query> consulta = CriarIbQuery();
    consulta->setSql("select first 1 pdDesconto, pdValor, pdAcrescimo from Acec11pd " + condicao);
    consulta->open();
    LinhaTabela linha;
    if (!consulta->isEmpty()) {
        linha.desconto = consulta->fieldByName("PDDESCONTO")->asFloat();
        linha.valor = consulta->fieldByName("PDVALOR")->asFloat();
        linha.acrescimo = consulta->fieldByName("PDACRESCIMO")->asFloat();
    }
    consulta->close();
    return linha;
}

QString faixaCliente(const QString& cliente)
{
    return CarregaDado("clFaixaVenda", "Augc0301", "Where Codigo_Cliente = " + QuotedStr(cliente));
}

bool linhaDoCliente(const QString& codigo, const QString& cliente)
{
    return ContadorDados("prCodigo", "acec11pd", codigo.toUpper(), " and clCodigo = " + QuotedStr(cliente), false) > 0;
}

// The customer's own row for the product: a discount above 0 is taken, and
// without one the row's value is the price.
void precoCliente(const CamposPreco& campos, const QString& cliente, const QString& codigo)
{
    if (!linhaDoCliente(codigo, cliente))
        return;
    const LinhaTabela linha =
        linhaTabela("Where prCodigo = " + QuotedStr(codigo) + " and clCodigo = " + QuotedStr(cliente));
    campos.desconto->setAsFloat(linha.desconto);
    if (!(linha.desconto > 0))
        campos.valor->setAsFloat(linha.valor);
}

}  // namespace

int itemDaNovaLinha(const TdmTec& tec)
{
    if (andamentoAtivo() && tec.quPesqOS->active() && !tec.quPesqOS->isEmpty())
        if (Field* item = tec.quPesqOS->findField("AOITCODIGO"))
            return item->asInteger();
    if (tec.quOSItem->active() && !tec.quOSItem->isEmpty())
        return tec.quOSItemAOITCODIGO->asInteger();
    return 0;
}

int proximaDaOrdem(const QString& coluna, const QString& tabela, int aoCodigo)
{
    std::unique_ptr<host::data::Query> consulta = CriarIbQuery();
    consulta->setSql("select max(" + coluna + ") as prox from " + tabela + " where aocodigo = " +
                     QuotedStr(QString::number(aoCodigo)));
    consulta->open();
    const int proxima = consulta->fieldByName("PROX")->asInteger() + 1;
    consulta->close();
    return proxima;
}

void numerarDeNovo(host::data::Dataset& linha, Field& numero, const std::function<int()>& proxima)
{
    if (linha.state() != host::data::DatasetState::Insert)
        return;
    try {
        std::rethrow_exception(std::current_exception());
    } catch (const std::exception& erro) {
        if (!host::db::isRowConflict(erro))
            return;
    } catch (...) {
        return;
    }
    constexpr int kLinhasEmCurso = 50;
    const int livre = proxima();
    const int seguinte = std::max(livre, numero.asInteger() + 1);
    if (seguinte - livre > kLinhasEmCurso)
        return;
    numero.setAsInteger(seguinte);
    linha.retryPost();
}

void gravarItemPendente(TdmTec& tec)
{
    if (tec.quOSItem->active())
        GravarPendente(*tec.quOSItem);
}

void tabelaPreco(TdmTec& tec, const CamposPreco& campos, const ProdutoPreco& produto,
                 const QString& colunaDescontoRamo)
{
    const QString modo = parametroAparado("ATTABELAPRECO");
    const QString cliente = tec.quOSCLCODIGO->asString();
    const QString codigo = produto.codigo;
    if (modo == "F") {
        const QString faixa = faixaCliente(cliente);
        campos.desconto->setAsFloat(CarregaNumero(
            "pdDesconto", "Acec11pd", "Where pdFaixaVenda = " + QuotedStr(faixa) + " and prCodigo = " + QuotedStr(codigo)));
    } else if (modo == "M") {
        const QString faixa = faixaCliente(cliente);
        const double acrescimo = CarregaNumero(
            "PDACRESCIMO", "Acec11pd", "Where pdFaixaVenda = " + QuotedStr(faixa) + " and prCodigo = " + QuotedStr(codigo));
        if (produto.cmvMoeda > 0)
            campos.valor->setAsFloat(produto.cmvMoeda);
        if (acrescimo > 0)
            campos.valor->setAsFloat(campos.valor->asFloat() * (1 + acrescimo / 100));
    } else if (modo == "S") {
        precoCliente(campos, cliente, codigo);
    } else if (modo == "E") {
        if (campos.promocao->asString() != "S")
            precoCliente(campos, cliente, codigo);
    } else if (modo == "A") {
        if (linhaDoCliente(codigo, cliente)) {
            const double acrescimo = CarregaNumero(
                "pdAcrescimo", "Acec11pd", "Where prCodigo = " + QuotedStr(codigo) + " and clCodigo = " + QuotedStr(cliente));
            campos.valor->setAsFloat(produto.custo * (1 + acrescimo / 100));
        }
    } else if (modo == "G") {
        if (ContadorDados("prCodigo", "acec11pd", produto.grupo.toUpper(),
                          " and pdID = 'G' and clCodigo = " + QuotedStr(cliente), false) > 0) {
            const LinhaTabela linha = linhaTabela("Where pdID = 'G' and prCodigo = " + QuotedStr(produto.grupo) +
                                                  " and clCodigo = " + QuotedStr(cliente));
            campos.desconto->setAsFloat(linha.desconto);
            if (linha.desconto == 0)
                campos.valor->setAsFloat(linha.valor);
        }
    } else if (modo == "R") {
        sAuxiliarGeral = CarregaDado("RAMO", "AUGC0301", "Where Codigo_Cliente = " + QuotedStr(cliente));
        campos.desconto->setAsFloat(
            CarregaNumero(colunaDescontoRamo, "RAMO", "Where  COD_RAMO = " + QuotedStr(sAuxiliarGeral)));
    }
}

void operacaoFiscal(TdmTec& tec, Field* operacao, const QString& codigo)
{
    const QString modo = parametroAparado("ATREGRAFISCAL");
    const QString cliente = tec.quOSCLCODIGO->asString();
    const QString operacaoOrdem = tec.quOSOFCODIGO->asString();
    if (modo == "P") {
        const QString regra = CarregaDado("OFREGRAFISCAL", "AFVC0901", "Where Cod_op = " + QuotedStr(operacaoOrdem));
        if (regra == "N") {
            operacao->setAsString(operacaoOrdem);
            return;
        }
        const QString produtoSaida = "PRCODIGO = " + QuotedStr(codigo) + " and OUID = 'P' and ouMOVIMENTO = 'S'";
        sAuxiliarGeral = CarregaDado("OFCODIGO", "AFVC09OU",
                                     "Where " + produtoSaida + " and clCodigo = " + QuotedStr(cliente));
        if (sAuxiliarGeral.trimmed().isEmpty())
            sAuxiliarGeral = CarregaDado("OFCODIGO", "AFVC09OU",
                                         "Where OUUF = " + QuotedStr(tec.quOSESTADO->asString()) + " and " +
                                             produtoSaida + " and clCodigo IS NULL");
        if (sAuxiliarGeral.trimmed().isEmpty())
            sAuxiliarGeral = operacaoOrdem;
        operacao->setAsString(sAuxiliarGeral);
    } else if (modo == "R" || modo == "V") {
        QString mensagem;
        operacao->setAsString(dmGlobal->RetornaOperacaoRegraFiscal(
            dmGlobal->sTextoRegraFiscal, cliente, operacaoOrdem, codigo, mensagem, true, tec.quOSAOLOCAL->asString(),
            tec.quOSORCTCODIGO->asInteger()));
    }
}

void equipamentoDaLinha(TdmTec& tec, Field* codigo, Field* descricao)
{
    const QString equipamento = codigo->asString();
    // An emptied code names no item: compared with the integer column the
    // empty text would only raise a conversion error.
    if (equipamento.trimmed().isEmpty()) {
        descricao->clear();
        return;
    }
    std::unique_ptr<host::data::Query> consulta = CriarIbQuery();
    consulta->setSql("select aoitequipdescricao  from AATC01AOIT            where aoitequipcodigo =    " +
                     QuotedStr(equipamento) + " and aocodigo = " + QuotedStr(tec.quOSAOCODIGO->asString()));
    consulta->open();
    const bool encontrado = !consulta->isEmpty();
    const QString texto = encontrado ? consulta->fieldByName("AOITEQUIPDESCRICAO")->asString() : QString();
    consulta->close();
    if (!encontrado)
        dmGlobal->MostraAviso("Código não encontrado.", true);
    descricao->setAsString(texto);
}

double numeroDigitado(const QString& texto)
{
    double valor = 0;
    if (!host::data::parseFloatText(texto, valor))
        dmGlobal->MostraErro("Valor " + texto + " inválido.");
    return valor;
}

double fracionarQuantidade(const QString& texto, const QString& unidade, double quantidade)
{
    if (parametroAparado("ATFRACIONAUNIDADE") != "S")
        return quantidade;
    try {
        return dmGlobal->VerificaUnidadeFracionamento(unidade, quantidade, true, true);
    } catch (...) {   // the host's refusal (its own message shown) is this field's refusal too
        dmGlobal->MostraErro("Valor " + texto + " inválido.");
    }
}

void retotalizarOrdem(int aoCodigo, const QString& tabela, const QString& outra, bool ordemInteira)
{
    if (ordemInteira && parametroAparado("ATFORMULATOTALOS") == "I")
        OrdemServicoAtualizaTotalizador(aoCodigo);
    else
        AtualizarOSCorrentePecas(aoCodigo, tabela, false);
    const QString modoEmpresa = parametroAparado("ATMODOEMPRESA");
    if (modoEmpresa == "A" || modoEmpresa == "C")
        AtualizarOSCorrentePecas(aoCodigo, outra, false);
}

}  // namespace uDataTecLinhas
