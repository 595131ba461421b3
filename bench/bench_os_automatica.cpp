// Periodic service orders of 1,000 due contracts with two equipment rows
// each (a header, two items, a service line and two audit rows per order,
// each order its own unit of work), through the automatic mode of LancaOrdemServico,
// against the replay of its own statements through the engine's interface
// and against inserting the same rows through host/db directly (prepared
// statements, a commit per order), in the same run; then 100 on a database
// with forced writes (each commit waits for the disk). Prints orders per
// second, the ratios and the statements and prepares each order costs.

#include "data/uDataTec.h"
#include "data/uDataTecOSAutomatica.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/ScriptedDialogs.h"

#include "bench/BenchLote.h"

#include <QApplication>

#include <cstdio>

namespace {

QString cliente(int contrato) { return QString("C%1").arg(contrato, 4, 10, QChar('0')); }

void preparaBase(TdmGlobal& global, host::db::Transaction& tr, int contratos)
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
    for (int c = 1; c <= contratos; ++c) {
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
// generator, the service line and the order's two audit rows (the order
// is saved twice: made, then its totals); a commit per order.
void raw(host::db::Transaction& tr, int contratos)
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
    host::db::Statement log(tr, "insert into ARQLOG (DATA, HORA, USUARIO, ACAO, TABELA, OBSERVACAO) values (:DIA,"
                                " :AGORA, 'SYSDBA', :ACAO, 'AATC01AO', :OBS)");
    const QDateTime entrada(QDate::currentDate().addDays(-7), QTime(0, 0));
    for (int c = 1; c <= contratos; ++c) {
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
        for (int vez = 0; vez < 2; ++vez) {
            log.setParam("DIA", QDateTime(QDate::currentDate(), QTime(0, 0)));
            log.setParam("AGORA", QDateTime::currentDateTime());
            log.setParam("ACAO", QString("Alterou Ordem de Serviço %1").arg(c));
            log.setParam("OBS", QString("Cliente/Data/Operação: %1/%2").arg(c).arg(cliente(c)));
            log.execute();
        }
        tr.commitRetaining();
    }
}

// Ours, its replay and the direct writes on a new database of one kind.
void mede(bench::Gravador& gravador, bench::Escrita escrita, int contratos)
{
    bench::Arquivo base("os-automatica");
    bench::novoBancoHost(base.path, escrita);
    bench::Comparacao c;
    int ordens = 0, itens = 0, linhas = 0, auditoria = 0;
    {
        TdmGlobal global(base.path);
        host::ui::ScriptedDialogs dialogos;
        dialogos.setAutoAcknowledgeMessages(true);
        dmTec.create(nullptr);
        host::db::Transaction& tr = *global.IBTransaction1;
        preparaBase(global, tr, contratos);
        c = bench::comparaRodadas(
            bench::rodadasLote(), gravador, tr, [&] { limpa(tr); },
            [&] {
                ours();
                ordens = host::db::selectValue(tr, "select count(*) from AATC01AO").toInt();
                itens = host::db::selectValue(tr, "select count(*) from AATC01AOIT").toInt();
                linhas = host::db::selectValue(tr, "select count(*) from AATC01AA").toInt();
                auditoria = host::db::selectValue(tr, "select count(*) from ARQLOG").toInt();
            },
            [&] { raw(tr, contratos); });
        limpa(tr);
        tr.commit();
        dmTec.free();
    }
    const QByteArray titulo = QString("periodic service orders of %1 due contracts (%2 orders, %3 items, %4 service"
                                      " lines, %5 audit rows)")
                                  .arg(contratos).arg(ordens).arg(itens).arg(linhas).arg(auditoria).toUtf8();
    bench::imprimeLote(titulo.constData(), escrita, c, contratos, "orders",
                       {.comandosPorLinha = 36,
                        .comandosDaExecucao = 25,
                        .porque = "each order goes through the service-order rules as if typed in the window, 36"
                                  " statements where the direct writes need 6: the customer, contract and serial"
                                  " reads, the numbers, the re-reads, the savepoint and the service line's unit"
                                  " with its order (the billed check and its own savepoint), and the order's row"
                                  " held by its first line (so no line is stored for an order another desk"
                                  " deleted; 35 before); the"
                                  " run itself reads its parameters and the due contracts (up to 25)"});
}

}  // namespace

int main(int argc, char** argv) { return bench::executaLote(argc, argv, mede, 1000, 100, 2000); }
