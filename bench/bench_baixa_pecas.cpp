// A parts settlement of 500 lines over 50 service orders (ten products
// each) with "Inserir Peças na O.S." ticked: one stock document, an item per
// line, the stock and its position moved, the order's parts line added to
// and marked issued, a commit per line, the order's parts total summed again
// (once per order) and the products' reservations (once per run); against
// writing the same rows through host/db directly with the same commits (the
// total summed per line there), in the same run. Prints lines per second and
// the ratio.

#include "data/uDataTec.h"
#include "data/uDataTecAcertoPecas.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/ScriptedDialogs.h"

#include "bench/BenchLote.h"

#include <QApplication>

#include <cstdio>

namespace {

constexpr int kOrdens = 50;
constexpr int kProdutos = 10;

QString produtoBaixa(int p) { return QString("PB%1").arg(p, 3, 10, QChar('0')); }

void preparaBaixa(TdmGlobal& global, host::db::Transaction& tr)
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
    for (int o = 1; o <= kOrdens; ++o) {
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

// Back to the state before a posting: no documents, lines at 0.
void limpaBaixa(host::db::Transaction& tr)
{
    host::db::executeSql(tr, "delete from ACEM14IT");
    host::db::executeSql(tr, "delete from ACEM1401");
    host::db::executeSql(tr, "update AATC01AP set APQUANTIDADE = 0, APVALTOTAL = 0, APRESERVA = 'S'");
    tr.commitRetaining();
}

QList<LinhaAcertoPecas> linhasBaixa()
{
    QList<LinhaAcertoPecas> linhas;
    for (int o = 1; o <= kOrdens; ++o)
        for (int p = 1; p <= kProdutos; ++p)
            linhas.append({produtoBaixa(p), QString(), 1, o, "001", 0});
    return linhas;
}

void oursBaixa(host::ui::ScriptedDialogs& dialogos)
{
    OpcoesAcertoPecas opcoes;
    opcoes.tipo = "S";
    opcoes.operacao = "5949";
    opcoes.inserirPeca = true;
    dialogos.answer("Sim");
    bool gravou = false;
    BaixarPecas(linhasBaixa(), opcoes, gravou);
}

// The same rows by prepared statements: the document, per line its item,
// the stock and position, the parts line's quantity and mark, the order's
// parts total; a commit per line.
void rawBaixa(host::db::Transaction& tr)
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
    int sequencia = 0;
    for (int o = 1; o <= kOrdens; ++o)
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
            total.setParam("O", o);
            total.execute();
            tr.commitRetaining();
        }
}

}  // namespace

int main(int argc, char** argv)
{
    bench::ProcessoModulo processo(argc, argv, "baixa-pecas");
    const QString& base = processo.base.path;
    bench::Tempos nosso, direto;
    int itens = 0;
    {
        bench::ModuloServicos modulo(base);
        host::db::Transaction& tr = modulo.tr();
        preparaBaixa(modulo.global, tr);
        bench::contraDireto(
            nosso, direto, [&] { limpaBaixa(tr); }, [&] { oursBaixa(modulo.dialogos); }, [&] { rawBaixa(tr); },
            [&] { itens = host::db::selectValue(tr, "select count(*) from ACEM14IT").toInt(); });
        limpaBaixa(tr);
        tr.commit();
    }
    const int linhas = kOrdens * kProdutos;
    std::printf("parts settlement of %d lines over %d orders (%d items written): ours %.0f lines/s, direct %.0f"
                " lines/s\n",
                linhas, kOrdens, itens, linhas / nosso.mediana(), linhas / direto.mediana());
    bench::imprimeRazao("parts settlement", nosso, direto, 3.0, "direct");
    return bench::resultado();
}
