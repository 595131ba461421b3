// A parts settlement of 500 lines over 50 service orders (ten products
// each) with "Inserir Peças na O.S." ticked: one stock document, an item per
// line, the stock and its position moved, the order's parts line added to
// and marked issued, a commit per line, the order's parts total summed again
// (once per order) and the products' reservations (once per run); against
// the replay of its own statements through the engine's interface and
// against writing the same rows through host/db directly with the same
// commits and audit rows, in the same run; then 50 lines
// on a database with forced writes. Prints lines per second and the ratios.

#include "data/uDataTec.h"
#include "data/uDataTecAcertoPecas.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/ScriptedDialogs.h"

#include "bench/BenchLote.h"

#include <QApplication>

#include <cstdio>

namespace {

constexpr int kProdutos = 10;

QString produtoBaixa(int p) { return QString("PB%1").arg(p, 3, 10, QChar('0')); }

void preparaBaixa(TdmGlobal& global, host::db::Transaction& tr, int ordens)
{
    global.SetParametro("ATLOCALESTOQUEDOCUMENTO", "001");
    global.SetParametro("ATLOCALESTOQUEPADRAO", "001");
    host::db::executeSql(tr, "insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('5949', 'Remessa', '1')");
    host::db::executeSql(tr, "insert into AUGC0301 (CODIGO_CLIENTE, NOME, TIPO_CLIENTE) values ('00001', 'Cliente',"
                             " '1')");
    for (int p = 1; p <= kProdutos; ++p)
        host::db::executeSql(tr, "insert into ACEC1101 (CODIGO, DESCRICAO, PCO_VENDA, ESTOQUE, UNIDADE_MEDIDA)"
                                 " values (:P, :D, 10, 100000, 'UN')",
                             {{"P", produtoBaixa(p)}, {"D", QString("Peça %1").arg(p)}});
    for (int o = 1; o <= ordens; ++o) {
        host::db::executeSql(tr, "insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA) values (:O, '00001',"
                                 " '2026-12-01', 'A')",
                             {{"O", o}});
        host::db::executeSql(tr, "insert into AATC01AOIT (AOCODIGO, AOITCODIGO) values (:O, :O)", {{"O", o}});
        for (int p = 1; p <= kProdutos; ++p)
            host::db::executeSql(tr, "insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APQUANTIDADE,"
                                     " APQUANTIDADEREQUERIDA, APVALUNITARIO, APDESCONTO, APVALTOTAL, APAUTORIZADO,"
                                     " APTIPO, APRESERVA) values (:O, :S, :O, :P, 0, 0, 10, 0, 0, 'S', '3', 'S')",
                                 {{"O", o}, {"S", p}, {"P", produtoBaixa(p)}});
    }
    tr.commitRetaining();
}

// Back to the state before a posting: no documents, lines at 0, no audit rows.
void limpaBaixa(host::db::Transaction& tr)
{
    host::db::executeSql(tr, "delete from ARQLOG");
    host::db::executeSql(tr, "delete from ACEM14IT");
    host::db::executeSql(tr, "delete from ACEM1401");
    host::db::executeSql(tr, "update AATC01AP set APQUANTIDADE = 0, APVALTOTAL = 0, APRESERVA = 'S'");
    tr.commitRetaining();
}

QList<LinhaAcertoPecas> linhasBaixa(int ordens)
{
    QList<LinhaAcertoPecas> linhas;
    for (int o = 1; o <= ordens; ++o)
        for (int p = 1; p <= kProdutos; ++p)
            linhas.append({produtoBaixa(p), QString(), 1, o, "001", 0});
    return linhas;
}

void oursBaixa(host::ui::ScriptedDialogs& dialogos, int ordens)
{
    OpcoesAcertoPecas opcoes;
    opcoes.tipo = "S";
    opcoes.operacao = "5949";
    opcoes.inserirPeca = true;
    dialogos.answer("Sim");
    bool gravou = false;
    BaixarPecas(linhasBaixa(ordens), opcoes, gravou);
}

// The same rows by prepared statements, with the settlement's commits: the
// document, per line its item, the stock and position, the parts line's
// quantity and mark (a commit per line); per order its parts total and its
// audit row (a commit each).
void rawBaixa(host::db::Transaction& tr, int ordens)
{
    host::db::executeSql(tr, "insert into ACEM1401 (DOCUMENTO, SERIE_DOC, COD_CLI, OPERACAO_DOC, LOCAL_DOC, DATA,"
                             " TOTAL_DOC) values ('900001', 'A', '00001', '5949', '001', '2026-12-01', 0)");
    tr.commitRetaining();
    host::db::Statement item(tr, "insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, COD_OP, MELOCAL, CODIGOPRODUTO,"
                                 " SEQUENCIA, QUNATIDADEPRODUTO, DATA, AOCODIGO, VALOR_TOTAL_UNIT, VALOR_TOTAL, HORA,"
                                 " LECODIGO, AICODIGO) values ('900001', 'A', '00001', '5949', '001', :P, :S, 1,"
                                 " '2026-12-01', :O, 10, 10, '10:00:00', '001', 0)");
    host::db::Statement estoque(tr, "update ACEC1101 set ESTOQUE = ESTOQUE - 1 where CODIGO = :P");
    host::db::Statement posicao(tr, "update or insert into ACEC11PO (PRCODIGO, LECODIGO, POSAIDA) values (:P, '001',"
                                    " coalesce((select POSAIDA from ACEC11PO where PRCODIGO = :P and LECODIGO = '001'),"
                                    " 0) + 1) matching (PRCODIGO, LECODIGO)");
    host::db::Statement peca(tr, "update AATC01AP set APQUANTIDADE = APQUANTIDADE + 1, APVALTOTAL = APVALUNITARIO *"
                                 " (APQUANTIDADE + 1), APRESERVA = 'B' where AOCODIGO = :O and PRCODIGO = :P");
    host::db::Statement total(tr, "update AATC01AO set AOVALORPECAS = (select sum(APVALTOTAL) from AATC01AP where"
                                  " AOCODIGO = :O) where AOCODIGO = :O");
    host::db::Statement log(tr, "insert into ARQLOG (DATA, HORA, USUARIO, ACAO, TABELA, OBSERVACAO) values"
                                " ('2026-12-01', '2026-12-01 10:00:00', 'SYSDBA', 'Alteração', 'AATC01AO', :O)");
    int sequencia = 0;
    for (int o = 1; o <= ordens; ++o) {
        for (int p = 1; p <= kProdutos; ++p) {
            const QString produto = produtoBaixa(p);
            item.setParam("P", produto);
            item.setParam("S", ++sequencia);
            item.setParam("O", o);
            item.execute();
            estoque.setParam("P", produto);
            estoque.execute();
            posicao.setParam("P", produto);
            posicao.execute();
            peca.setParam("O", o);
            peca.setParam("P", produto);
            peca.execute();
            tr.commitRetaining();
        }
        // The order's parts total once its lines are done, and its audit
        // row, each with a commit of its own as the settlement makes them.
        total.setParam("O", o);
        total.execute();
        tr.commitRetaining();
        log.setParam("O", QString("O.S. %1").arg(o));
        log.execute();
        tr.commitRetaining();
    }
}

void mede(bench::Gravador& gravador, bench::Escrita escrita, int ordens)
{
    bench::Arquivo base("baixa-pecas");
    bench::novoBancoHost(base.path, escrita);
    bench::Comparacao c;
    int itens = 0;
    {
        bench::ModuloServicos modulo(base.path);
        host::db::Transaction& tr = modulo.tr();
        preparaBaixa(modulo.global, tr, ordens);
        c = bench::comparaRodadas(
            bench::rodadasLote(), gravador, tr, [&] { limpaBaixa(tr); },
            [&] {
                oursBaixa(modulo.dialogos, ordens);
                itens = host::db::selectValue(tr, "select count(*) from ACEM14IT").toInt();
            },
            [&] { rawBaixa(tr, ordens); });
        limpaBaixa(tr);
        tr.commit();
    }
    const int linhas = ordens * kProdutos;
    const QByteArray titulo = QString("parts settlement of %1 lines over %2 orders (%3 items written)")
                                  .arg(linhas)
                                  .arg(ordens)
                                  .arg(itens)
                                  .toUtf8();
    bench::imprimeLote(titulo.constData(), escrita, c, linhas, "lines", {.meta = 3.0});
}

}  // namespace

int main(int argc, char** argv) { return bench::executaLote(argc, argv, mede, 50, 5, 500); }
