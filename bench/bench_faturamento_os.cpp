// The billing of a selection of 1,000 service orders: the selection opened
// and totalled, one receivable of its total, then every order stamped with
// the document, the branch and the new situation (one update), a commit per
// order; against the replay of its own statements through the engine's
// interface and against reading the same orders and writing the same
// receivable, updates and commits through host/db directly, in the same
// run; then 250 orders on a database with forced writes (fewer leave ours
// a few milliseconds, within the machine's noise). Prints orders per second
// and the ratios.

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/ScriptedDialogs.h"
#include "service_orders/uAssFaturamentoRegras.h"

#include "bench/BenchLote.h"

#include <QApplication>
#include <QDate>

#include <cstdio>

namespace {

void preparaFaturamento(TdmGlobal& global, host::db::Transaction& tr, int ordens)
{
    global.SetParametro("ATLOCALPADRAO", "01");
    host::db::executeSql(tr, "insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('5949', 'Serviços', '2')");
    host::db::executeSql(tr, "insert into AFVT0101 (CODIGO, DESCRICAO, QUANTAS_VEZES) values ('01', 'Vista', 1)");
    host::db::executeSql(tr, "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00001', 'Cliente')");
    for (int o = 1; o <= ordens; ++o)
        host::db::executeSql(tr, "insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOVALORTOTAL, ASCODIGO)"
                                 " values (:O, '00001', '2026-12-01', 12.5, 1)",
                             {{"O", o}});
    tr.commitRetaining();
}

// Back to the orders unbilled and no receivable.
void limpaFaturamento(host::db::Transaction& tr)
{
    host::db::executeSql(tr, "update AATC01AO set CRDOCUMENTO = null, AOLOCAL = null, ASCODIGO = 1");
    host::db::executeSql(tr, "delete from ACRC5001");
    tr.commitRetaining();
}

QStringList ordensFaturar(int quantas)
{
    QStringList ordens;
    for (int o = 1; o <= quantas; ++o)
        ordens << QString::number(o);
    return ordens;
}

QString oursFaturamento(int quantas)
{
    std::unique_ptr<host::data::Query> selecao = CriarIbQuery("quSelecao");
    selecao->setSql(uAssFaturamento::SqlSelecao(ordensFaturar(quantas)));
    selecao->open();
    double total = 0;
    for (selecao->first(); !selecao->eof(); selecao->next())
        total += selecao->fieldByName("aoValorTotal")->asFloat();
    return uAssFaturamento::FaturarOrdens(*selecao, total, {"01", "341", "2"});
}

// The same reads and writes by prepared statements.
void rawFaturamento(host::db::Transaction& tr, int quantas)
{
    QList<int> ordens;
    double total = 0;
    {
        host::db::Statement selecao(tr, uAssFaturamento::SqlSelecao(ordensFaturar(quantas)));
        selecao.execute();
        while (selecao.fetch()) {
            ordens << selecao.value("AOCODIGO").toInt();
            total += selecao.value("AOVALORTOTAL").toDouble();
        }
    }
    const QString documento =
        QString("%1").arg(host::db::selectValue(tr, "select max(NUMERO_DOCUMENTO) from ACRC5001 where"
                                                    " substring(NUMERO_DOCUMENTO from 1 for 1) <> 'S'")
                                  .toString()
                                  .toInt() +
                              1,
                          6, 10, QChar('0'));
    host::db::executeSql(tr,
                         "insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                         " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, TVCODIGO, OFCODIGO,"
                         " NUMERO_DO_BANCO) values (:D, '00001', 1, '01', 'A', :V, :E, :E2, '01', '5949', '341')",
                         {{"D", documento},
                          {"V", total},
                          {"E", QDateTime(QDate::currentDate(), QTime(0, 0))},
                          {"E2", QDateTime(QDate::currentDate().addDays(30), QTime(0, 0))}});
    host::db::Statement carimbo(tr, "update AATC01AO set CRDOCUMENTO = :D, AOLOCAL = '01', ASCODIGO = 2"
                                    " where AOCODIGO = :O");
    for (int ordem : ordens) {
        carimbo.setParam("D", documento);
        carimbo.setParam("O", ordem);
        carimbo.execute();
        tr.commitRetaining();
    }
}

void mede(bench::Gravador& gravador, bench::Escrita escrita, int ordens)
{
    bench::Arquivo base("faturamento-os");
    bench::novoBancoHost(base.path, escrita);
    bench::Comparacao c;
    int faturadas = 0;
    {
        bench::ModuloServicos modulo(base.path);
        host::db::Transaction& tr = modulo.tr();
        preparaFaturamento(modulo.global, tr, ordens);
        c = bench::comparaRodadas(
            bench::rodadasLote(), gravador, tr, [&] { limpaFaturamento(tr); },
            [&] {
                oursFaturamento(ordens);
                faturadas =
                    host::db::selectValue(tr, "select count(*) from AATC01AO where CRDOCUMENTO is not null").toInt();
            },
            [&] { rawFaturamento(tr, ordens); });
        limpaFaturamento(tr);
        tr.commit();
    }
    const QByteArray titulo =
        QString("billing of a selection of %1 service orders (%2 stamped)").arg(ordens).arg(faturadas).toUtf8();
    bench::imprimeLote(titulo.constData(), escrita, c, ordens, "orders", {.meta = 3.0});
}

}  // namespace

int main(int argc, char** argv) { return bench::executaLote(argc, argv, mede, 1000, 250, 5000); }
