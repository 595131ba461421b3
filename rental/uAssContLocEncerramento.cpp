// Closing and reopening rental contract lines: the rules both registers
// share and the link handlers of each. Every line is closed or reopened
// whole (its serial movements, its stock item and the line under one
// savepoint and one commit): a failure undoes that line only, the lines
// handled before it stay as they were left.

#include "rental/uAssContLocEncerramento.h"

#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssContLocacao.h"

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContLocacao.h"
#include "data/uDataTecPedidoAss.h"

#include "host/PilvOut70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/Dialogs.h"

#include <functional>

using host::data::Dataset;

namespace uAssContLocEncerramento {

bool MotivoSuficiente(const QString& motivo) { return motivo.trimmed().size() >= 10; }

int EspacoMotivo(const Dataset& linhas) { return linhas.fieldByName("ACITOBSERVACAO")->size(); }

bool PedeMotivoEncerramento(QString& motivo, int espaco)
{
    QString digitado = motivo;
    while (!MotivoSuficiente(digitado)) {
        digitado.clear();
        if (!host::ui::Dialogs::inputQuery(kCaptionMotivo, kPromptMotivo, digitado, espaco))
            return false;
    }
    motivo = digitado;
    return true;
}

int MovimentaNumerosSerieEncerrados(const QString& produto, int contrato, int item, const QString& texto)
{
    struct MovimentoEncerrado {
        QString numero, produto, status;
    };
    const QString local = CarregaDado("MAX(coalesce(CODIGO, ''))", "ACEC1401", " where LESTATUSPEDIDO = '7' ");
    std::vector<MovimentoEncerrado> atuais;
    {
        // A serial's current movement, whatever document it names: a piece
        // gone out on another contract since, or already moved to the closed
        // location, is no longer this line's.
        std::shared_ptr<host::db::Statement> consulta = dmGlobal->IBTransaction1->prepared(
            "select ns.NSNUMERO, ns.PRCODIGO, ns.NSSTATUS from augc50ns ns where ns.prcodigo = :PRODUTO" +
            host::CondicaoMovimentoAtual("ns") +
            // The line's pieces: out on it, or back from it by the check-in.
            // One that names no line goes with the last open line of the
            // product, never before another one ends.
            " and ((ns.accodigo = :CONTRATO and (coalesce(ns.ACITCODIGO, 0) = :ITEM or (ns.ACITCODIGO is null"
            " and not exists (select 1 from AATC05ACIT outra where outra.ACCODIGO = :CONTRATO"
            " and outra.PRCODIGO = :PRODUTO and outra.ACITCODIGO <> :ITEM"
            " and coalesce(outra.ACITENCERRADO, 'N') <> 'S'))))"
            " or (ns.accodigo is null and ns.ACITCODIGO = :ITEM))"
            " order by ns.nscodigo");
        host::db::Statement& leitura = *consulta;
        leitura.setParam("PRODUTO", produto.trimmed());
        leitura.setParam("CONTRATO", contrato);
        leitura.setParam("ITEM", item);
        leitura.execute();
        while (leitura.fetch())
            atuais.push_back({leitura.value(0).toString(), leitura.value(1).toString(), leitura.value(2).toString()});
    }
    for (const MovimentoEncerrado& m : atuais)
        // Quoted: a number holding a quote or a comma is still one number.
        InserirRegistroNumerosSerieProduto(QuotedStr(m.numero), m.produto, m.status, {}, {}, {}, {}, {}, {}, local,
                                           texto, 0, 0, 0, 0, 0);
    return int(atuais.size());
}

QString TextoMovimentoComplemento(int contrato)
{
    std::shared_ptr<host::db::Statement> consulta = dmGlobal->IBTransaction1->prepared(
        "select ped.AUX2, ped.IMPRESSO_NF from AATC05AC ctr join AVEC8501 ped on (ped.NUMERO_PEDIDO = ctr.ACPEDIDO)"
        " where ctr.ACCODIGO = :CONTRATO");
    host::db::Statement& leitura = *consulta;
    leitura.setParam("CONTRATO", contrato);
    leitura.execute();
    if (!leitura.fetch())
        return "Movimento";
    const QString tipo = leitura.value(0).toString();
    const QString status = leitura.value(1).toString();
    leitura.closeCursor();
    return pedidoass::textoTipo(tipo).trimmed() + " " + pedidoass::textoStatus(tipo, status).trimmed();
}

}  // namespace uAssContLocEncerramento

using namespace uAssContLocEncerramento;

namespace {

// "Selecionado" or "Todos"; empty when the run ends at the question.
QString respostaEncerrarLoc()
{
    const QString resposta = dmGlobal->MostraPergunta("Deseja Encerrar o(s) Equipamento(s)?",
                                                      {"Selecionado", "Todos", "Cancelar"});
    return resposta == "Cancelar" ? QString() : resposta.trimmed();
}

// Posts the line and commits; a failure leaves the line as it was stored.
void salvaLinhaEncerramento(Dataset& linhas)
{
    try {
        SalvarAlteracoes(linhas);
    } catch (...) {
        CancelarAlteracoes(linhas);
        throw;
    }
}

// One line's work, whole: its steps and the commits they ask are held until
// all have run; a failure undoes them, puts the line back as stored and
// reloads the list.
void linhaInteiraEncerramento(Dataset& linhas, const std::function<void()>& passos,
                              const std::function<void()>& recarregar)
{
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    try {
        host::db::CommitHold espera(tr);
        host::db::Savepoint ponto(tr);
        passos();
        ponto.release();
        espera.release();
    } catch (...) {
        CancelarAlteracoes(linhas);
        recarregar();
        throw;
    }
}

void editaLinhaEncerramento(Dataset& linhas)
{
    if (!linhas.editing())
        linhas.edit();
}

bool temLinhaAtual(const Dataset& linhas) { return linhas.active() && !linhas.isEmpty(); }

}  // namespace

// ---- the option-"E" register ----

void TfmAssContCadLocEquip::laEncerrarEquipamentoClick()
{
    const QString resposta = respostaEncerrarLoc();
    if (resposta.isEmpty())
        return;
    Dataset& itens = *dmTecContrato->quCtrCadastroIt;
    if (!temLinhaAtual(itens))
        return;
    const int contrato = codigoContrato();
    auto recarregar = [contrato] { dmTecContrato->CarregaContratoItemEquipamento(contrato, false, false); };
    int quantas = 1;
    if (resposta == "Todos") {
        itens.fetchAll();
        quantas = itens.recordCount();
        itens.first();
    }
    const bool estoque = parametroLoc("ATMODOPEDIDOASSISTENCIA") == "E";
    QString motivo;
    QString documento;   // one stock document for the whole run
    for (int i = 0; i < quantas && temLinhaAtual(itens); ++i) {
        if (itens.fieldByName("ACITENCERRADO")->asString() != "S" && !PedeMotivoEncerramento(motivo, EspacoMotivo(itens)))
            return;   // cancelled: the lines closed so far stay closed
        linhaInteiraEncerramento(itens, [&] {
            editaLinhaEncerramento(itens);
            itens.fieldByName("ACITENCERRADO")->setAsString("S");
            itens.fieldByName("ACITOBSERVACAO")->setAsString(motivo.trimmed());
            const QString produto = itens.fieldByName("PRCODIGO")->asString();
            if (itens.fieldByName("ACITRETORNO")->asString() == "S")
                MovimentaNumerosSerieEncerrados(produto, itens.fieldByName("ACCODIGO")->asInteger(),
                                                itens.fieldByName("ACITCODIGO")->asInteger(), "Movimento");
            if (estoque)
                CtrAssBaixaEstoque(documento, produto, itens.fieldByName("ACITQUANTIDADE")->asFloat());
            SalvarAlteracoes(itens);
        }, recarregar);
        recarregar();
        // "Todos": every time the first line of the list as it now is.
    }
}

void TfmAssContCadLocEquip::laEncerrarComplClick()
{
    Dataset& itens = *dmTecContrato->quCtrCadastroIt;
    if (!temLinhaAtual(itens))
        return;
    if (dmGlobal->MostraPergunta("Deseja Encerrar Complemento Selecionado?", {"Sim", "Não"}) != "Sim")
        return;
    const int contrato = codigoContrato();
    auto recarregar = [contrato] { dmTecContrato->CarregaContratoItemEquipamento(contrato, true, false); };
    const bool jaEncerrado = itens.fieldByName("ACITENCERRADO")->asString() == "S" &&
                             itens.fieldByName("ACITOBSERVACAO")->asString().size() >= 10;
    if (!jaEncerrado) {
        QString motivo;
        if (!PedeMotivoEncerramento(motivo, EspacoMotivo(itens)))
            return;
        linhaInteiraEncerramento(itens, [&] {
            editaLinhaEncerramento(itens);
            itens.fieldByName("ACITENCERRADO")->setAsString("S");
            itens.fieldByName("ACITOBSERVACAO")->setAsString(motivo.trimmed());
            if (itens.fieldByName("ACITRETORNO")->asString() == "S") {
                const int contratoLinha = itens.fieldByName("ACCODIGO")->asInteger();
                MovimentaNumerosSerieEncerrados(itens.fieldByName("PRCODIGO")->asString(), contratoLinha,
                                                itens.fieldByName("ACITCODIGO")->asInteger(),
                                                TextoMovimentoComplemento(contratoLinha));
            }
            SalvarAlteracoes(itens);
        }, recarregar);
    }
    recarregar();
}

namespace {

// Reopening on the option-"E" register: the line open again without its
// reason; for equipment in mode "E", with a stock document of its own.
void reabrirLinhaLocEquip(Dataset& itens, const QString& pergunta, const std::function<void()>& estoque,
                          const std::function<void()>& recarregar)
{
    if (!temLinhaAtual(itens))
        return;
    if (dmGlobal->MostraPergunta(pergunta, {"Sim", "Não"}) != "Sim")
        return;
    linhaInteiraEncerramento(itens, [&] {
        editaLinhaEncerramento(itens);
        itens.fieldByName("ACITENCERRADO")->setAsString("N");
        itens.fieldByName("ACITOBSERVACAO")->setAsString({});
        SalvarAlteracoes(itens);
        if (estoque)
            estoque();
    }, recarregar);
    recarregar();
}

}  // namespace

void TfmAssContCadLocEquip::laReabrirEquipClick()
{
    Dataset& itens = *dmTecContrato->quCtrCadastroIt;
    const int contrato = codigoContrato();
    std::function<void()> estoque;
    if (parametroLoc("ATMODOPEDIDOASSISTENCIA") == "E")
        estoque = [this, &itens] {
            QString documento;
            CtrAssBaixaEstoque(documento, itens.fieldByName("PRCODIGO")->asString(),
                               itens.fieldByName("ACITQUANTIDADE")->asFloat());
        };
    reabrirLinhaLocEquip(itens, "Deseja Reabrir Equipamento Selecionado?", estoque,
                         [contrato] { dmTecContrato->CarregaContratoItemEquipamento(contrato, false, true); });
}

void TfmAssContCadLocEquip::laReabrirComplClick()
{
    const int contrato = codigoContrato();
    reabrirLinhaLocEquip(*dmTecContrato->quCtrCadastroIt, "Deseja Reabrir Complemento Selecionado?", {},
                         [contrato] { dmTecContrato->CarregaContratoItemEquipamento(contrato, true, true); });
}

// ---- the option-"Q" register ----

void TfmAssContLocacao::laEncerrarEquipamentoClick()
{
    const QString resposta = respostaEncerrarLoc();
    if (resposta.isEmpty())
        return;
    Dataset& linhas = *dmTecContrato->quCtrEquipLocacao;
    if (!temLinhaAtual(linhas))
        return;
    const bool todos = resposta == "Todos";
    if (todos)
        linhas.first();
    QString motivo;   // each prompt offers the reason typed before
    do {
        // A closed line keeps its reason and date: nothing is asked for it.
        if (linhas.fieldByName("ACITENCERRADO")->asString() != "S") {
            if (!host::ui::Dialogs::inputQuery(kCaptionMotivo, kPromptMotivo, motivo, EspacoMotivo(linhas)))
                return;   // cancelled: the lines closed so far stay closed
            if (MotivoSuficiente(motivo)) {
                editaLinhaEncerramento(linhas);
                linhas.fieldByName("ACITENCERRADO")->setAsString("S");
                linhas.fieldByName("ACITDATAENCERRAMENTO")->setAsDateTime(uDataTecContLocacao::agora());
                linhas.fieldByName("ACITOBSERVACAO")->setAsString(motivo.trimmed());
                salvaLinhaEncerramento(linhas);
            }
        }
        if (!todos)
            break;
        linhas.next();
    } while (!linhas.eof());
}

void TfmAssContLocacao::laReabrirEquipClick()
{
    Dataset& linhas = *dmTecContrato->quCtrEquipLocacao;
    if (!temLinhaAtual(linhas))
        return;
    if (dmGlobal->MostraPergunta("Deseja Reabrir Equipamento Selecionado?", {"Sim", "Não"}) != "Sim")
        return;
    editaLinhaEncerramento(linhas);
    linhas.fieldByName("ACITENCERRADO")->setAsString("N");
    linhas.fieldByName("ACITOBSERVACAO")->setAsString({});
    linhas.fieldByName("ACITDATAENCERRAMENTO")->clear();
    salvaLinhaEncerramento(linhas);
}
