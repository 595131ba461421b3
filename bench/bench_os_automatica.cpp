// Periodic service orders of 1,000 due contracts with two equipment rows
// each (a header, two items and a service line per order, each order its
// own unit of work), through the automatic mode of LancaOrdemServico,
// against inserting the same rows through host/db directly in the same run
// (prepared statements, a commit per order). Prints orders per second, the
// ratio and the statements and prepares each order costs.

#include "data/uDataTec.h"
#include "data/uDataTecOSAutomatica.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/ScriptedDialogs.h"

#include "bench/BenchFirebird.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kContratos = 1000;

QString cliente(int contrato) { return QString("C%1").arg(contrato, 4, 10, QChar('0')); }

void preparaBase(TdmGlobal& global, host::db::Transaction& tr)
{
    global.SetParametro("ATSERVICOPADRAO", "S0001");
    global.SetParametro("ATEQUIPAMENTOPADRAO", "0");
    host::db::executeSql(tr, "insert into ACEC1101 (CODIGO, DESCRICAO, UNIDADE_MEDIDA, GRUPO, COM_FAB_S_FS, PCO_VENDA)"
                             " values ('S0001', 'Manutenção preventiva', 'UN', 'SRV', '7', 120)");
    host::db::executeSql(tr, "insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO, ASID) values (1, 'Aberta', 'I', 'A')");
    for (int m = 1; m <= 2; ++m)
        host::db::executeSql(tr, "insert into AATC03AE (AECODIGO, AEDESCRICAO, AEMARCA, AEMODELO) values (:M, :D, 'Marca',"
                                 " 'Modelo')",
                             {{"M", m}, {"D", QString("Equipamento %1").arg(m)}});
    host::db::Statement cli(tr, "insert into AUGC0301 (CODIGO_CLIENTE, NOME, TIPO_CLIENTE) values (:C, :N, '1')");
    host::db::Statement ctr(tr, "insert into AATC05AC (ACCODIGO, CLCODIGO, ACCONTRATANTE, ACCODIGOINTEGRACAO, ACAPROVAIP,"
                                " ACDATAIMPLANTACAO, ACDATAVALIDADE, ACDATABASE) values (:A, :C, :C, '30-MENSAL', 'S',"
                                " :IMP, :VAL, :BASE)");
    host::db::Statement eqp(tr, "insert into AUGC03CO (COCODIGO, ACCODIGO, AECODIGO, COSERIE, COGARANTIA,"
                                " COIDENTIFICADOR) values (:K, :A, :M, :S, 'N', 'E')");
    const QDate hoje = QDate::currentDate();
    for (int c = 1; c <= kContratos; ++c) {
        cli.setParam("C", cliente(c));
        cli.setParam("N", QString("Cliente %1").arg(c));
        cli.execute();
        ctr.setParam("A", c);
        ctr.setParam("C", cliente(c));
        ctr.setParam("IMP", QDateTime(hoje.addDays(-400), QTime(0, 0)));
        ctr.setParam("VAL", QDateTime(hoje.addDays(400), QTime(0, 0)));
        ctr.setParam("BASE", QDateTime(hoje.addDays(-10), QTime(0, 0)));
        ctr.execute();
        for (int m = 1; m <= 2; ++m) {
            eqp.setParam("K", c * 2 + m);
            eqp.setParam("A", c);
            eqp.setParam("M", m);
            eqp.setParam("S", QString("SN-%1-%2").arg(c).arg(m));
            eqp.execute();
        }
    }
    tr.commitRetaining();
}

void limpa(host::db::Transaction& tr)
{
    for (const char* t : {"AATC01AA", "AATC01AOIT", "AATC01AO", "ARQLOG"})
        host::db::executeSql(tr, QString("delete from %1").arg(t));
    tr.commitRetaining();
}

void ours() { uDataTecOSAutomatica::LancarOrdensContratos(); }

// The same rows by prepared statements: the header, two items keyed by the
// generator and the service line; a commit per order.
void raw(host::db::Transaction& tr)
{
    host::db::Statement os(tr, "insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOHORAENTRADA, AORETORNO,"
                               " ASCODIGO, AOLOCAL, AOPRIORIDADE, AOATENDIMENTO, AOBAIXA, AOIMPRIMIRLAUDO,"
                               " AOREMANUFATURA, AOVALORTOTAL, AOVALORSERVICO) values (:O, :C, :D, :H, 'C', 1, '01',"
                               " 'A', 'I', 'A', 'S', 'A', 120, 120)");
    host::db::Statement it(tr, "insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPCODIGO, AOITEQUIPDESCRICAO,"
                               " AOITMARCA, AOITMODELO, AOITSERIE, AOITGARANTIA, AOITQUANTIDADE, ACCODIGO, ASCODIGO)"
                               " values (gen_id(gen_aoitcodigo, 1), :O, :M, :D, 'Marca', 'Modelo', :S, 'N', 1, :A, 1)");
    host::db::Statement aa(tr, "insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO, AADATA,"
                               " AAQUANTIDADE, AAVALOR, AAVALORTOTAL, AAAUTORIZADO, AATIPO)"
                               " values (:O, 1, gen_id(gen_aoitcodigo, 0), 'S0001', :D, 1, 120,"
                               " 120, 'S', '3')");
    const QDateTime entrada(QDate::currentDate().addDays(-7), QTime(0, 0));
    for (int c = 1; c <= kContratos; ++c) {
        os.setParam("O", c);
        os.setParam("C", cliente(c));
        os.setParam("D", entrada);
        os.setParam("H", QDateTime::currentDateTime());
        os.execute();
        for (int m = 1; m <= 2; ++m) {
            it.setParam("O", c);
            it.setParam("M", m);
            it.setParam("D", QString("Equipamento %1").arg(m));
            it.setParam("S", QString("SN-%1-%2").arg(c).arg(m));
            it.setParam("A", c);
            it.execute();
        }
        aa.setParam("O", c);
        aa.setParam("D", entrada);
        aa.execute();
        tr.commitRetaining();
    }
}

}  // namespace

int main(int argc, char** argv)
{
    host::db::prepareProcess();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path = QDir::tempPath() + "/techassist-bench-os-automatica.fdb";
    bench::novoBancoHost(path);
    double tempoNosso = 1e9, tempoDireto = 1e9;
    std::uint64_t comandosNosso = 0, preparosNosso = 0, comandosDireto = 0;
    int ordens = 0, itens = 0, linhas = 0;
    {
        TdmGlobal global(path);
        host::ui::ScriptedDialogs dialogos;
        dialogos.setAutoAcknowledgeMessages(true);
        dmTec.create(nullptr);
        host::db::Transaction& tr = *global.IBTransaction1;
        preparaBase(global, tr);
        const int rounds =
            qEnvironmentVariableIntValue("BENCH_ROUNDS") > 0 ? qEnvironmentVariableIntValue("BENCH_ROUNDS") : 2;
        for (int round = 0; round < rounds; ++round) {
            limpa(tr);
            std::uint64_t antes = host::db::statementCount();
            const std::uint64_t preparosAntes = host::db::prepareCount();
            tempoNosso = std::min(tempoNosso, bench::segundos(ours));
            comandosNosso = host::db::statementCount() - antes;
            preparosNosso = host::db::prepareCount() - preparosAntes;
            ordens = host::db::selectValue(tr, "select count(*) from AATC01AO").toInt();
            itens = host::db::selectValue(tr, "select count(*) from AATC01AOIT").toInt();
            linhas = host::db::selectValue(tr, "select count(*) from AATC01AA").toInt();
            limpa(tr);
            antes = host::db::statementCount();
            tempoDireto = std::min(tempoDireto, bench::segundos([&] { raw(tr); }));
            comandosDireto = host::db::statementCount() - antes;
        }
        tr.commit();
        dmTec.free();
    }
    std::printf("periodic service orders of %d due contracts (%d orders, %d items, %d service lines): ours %.3fs"
                " (%.0f orders/s), host/db %.3fs (%.0f orders/s), ratio %.2f (goal <= 3.00)\n",
                kContratos, ordens, itens, linhas, tempoNosso, kContratos / tempoNosso, tempoDireto,
                kContratos / tempoDireto, tempoNosso / tempoDireto);
    std::printf("per order: statements ours %.2f (prepares %.2f), host/db %.2f\n", double(comandosNosso) / kContratos,
                double(preparosNosso) / kContratos, double(comandosDireto) / kContratos);
    QFile::remove(path);
    return 0;
}
