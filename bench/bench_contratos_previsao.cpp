// Forecasting contracts: twelve monthly instalments for each of 1,000
// contracts with three items (a receivable, its cash-forecast row and its
// observation per instalment, each instalment committed), through the
// forecast generator, against the replay of its own statements through the
// engine's interface and against inserting the same rows through host/db
// directly, in the same run; then on a database with forced writes
// (twenty contracts: each commit waits for the disk). Prints instalments per
// second, the ratios and the statements each instalment costs.

#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"
#include "host/ui/ScriptedDialogs.h"

#include "bench/BenchContratos.h"

#include <QApplication>

#include <cstdio>

namespace {

constexpr int kParcelas = 12;
const char* const kObservacao = "Lancto. a Partir de Contas a Receber Gerado via Contrato.";

void preparaBase(host::db::Transaction& tr, int contratos)
{
    host::db::executeSql(tr, "insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJOBJETO, AJCOMPLNF, CXCODIGO)"
                             " values (1, 'Manutenção', 'Manutenção preventiva mensal', '2 - Objeto', '1.01')");
    host::db::Statement it(tr, "insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITVALOR)"
                               " values (:I, :C, 'P1', :A, :V)");
    bench::clientesEContratos(tr, contratos, "N", 0, [&](int c) {
        for (int i = 0; i < 3; ++i) {
            it.setParam("I", c * 3 + i);
            it.setParam("C", bench::cliente(c));
            it.setParam("A", c);
            it.setParam("V", 10.5 * (i + 1));
            it.execute();
        }
    });
}

void limpa(host::db::Transaction& tr)
{
    for (const char* t : {"ACRC5001", "ACXC94XP", "AUGC70OB"})
        host::db::executeSql(tr, QString("delete from %1").arg(t));
    tr.commitRetaining();
}

void ours(int contratos)
{
    for (int c = 1; c <= contratos; ++c) {
        int contador = 0;
        InserirParcelasContrato("R", "10/01/2031", "10/01/2032", bench::cliente(c), false, "10", c, 0, "01", "2", "",
                                "10/01/2031", "M", contador, 1, "01", "", false, "", false, nullptr, 0, 0);
    }
}

// The same rows, written by prepared statements: what the generator would
// cost if it only wrote.
void raw(host::db::Transaction& tr, int contratos)
{
    host::db::Statement rec(
        tr, "insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, SERIE_DOCUMENTO, CODIGO_FILIAL, TIPO_PAGAMENTO,"
            " SITUACAO_DOCUMENTO, SEQUENCIA, VALOR_DOCUMENTO, VALOR_DESCONTO, VALOR_JUROS, VALOR_MULTA, VALOR_PAGO,"
            " VALOR_ABATIMENTO, VALOR_DESPESA, PAG10, DATA_EMISSAO, DATA_VENCIMENTO, DATA_LANCAMENTO,"
            " VALOR_ORIGINAL, AOCODIGO, OBSERVACAO, ORIGEM, CRPARCELA) values (:CLI, :DOC, '01', '01', '2', 'V', 1,"
            " :V, 0, 0, 0, 0, 0, 0, 0, :EMI, :VENC, :AGORA, :V, :AO, :OBS, 'C', 0)");
    host::db::Statement cx(tr, "insert into ACXC94XP (XPCHAVE, XPDOCUMENTO, XPEMITENTE, XPLOCAL, XPID, XPCODIGO,"
                               " XCCODIGO, CRSEQUENCIA, XPVALOR, XPREALIZADO, XPPARCELA)"
                               " values (gen_id(GEN_XPCHAVE, 1), :DOC, :CLI, '01', 'R', '00', '1.01', 1, :V, 'N', -1)");
    host::db::Statement ob(tr, "insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values (:K, 'R', 0, :T)");
    const QDateTime emissao(QDate(2031, 1, 10), QTime(0, 0));
    for (int c = 1; c <= contratos; ++c)
        for (int m = 0; m < kParcelas; ++m) {
            const QDate vencimento(2031, 1 + m, 10);
            const QString documento = vencimento.toString("ddMMyy");
            rec.setParam("CLI", bench::cliente(c));
            rec.setParam("DOC", documento);
            rec.setParam("V", 63.0);
            rec.setParam("EMI", emissao);
            rec.setParam("VENC", QDateTime(vencimento, QTime(0, 0)));
            rec.setParam("AGORA", QDateTime::currentDateTime());
            rec.setParam("AO", c);
            rec.setParam("OBS", kObservacao);
            rec.execute();
            cx.setParam("DOC", documento);
            cx.setParam("CLI", bench::cliente(c));
            cx.setParam("V", 63.0);
            cx.execute();
            ob.setParam("K", documento + bench::cliente(c) + "1");
            ob.setParam("T", "Manutenção preventiva mensal");
            ob.execute();
            tr.commitRetaining();
        }
}

// Ours, its replay and the direct writes on a new database of one kind.
void mede(bench::Gravador& gravador, bench::Escrita escrita, int contratos)
{
    bench::Arquivo base("previsao");
    bench::novoBancoHost(base.path, escrita);
    bench::Comparacao c;
    int linhas = 0;
    {
        bench::ModuloContratos modulo(base.path,
                                      [](TdmGlobal& global) { global.SetParametro("ATPREVISAOCAIXA", "S"); });
        host::db::Transaction& tr = modulo.tr();
        preparaBase(tr, contratos);
        c = bench::comparaRodadas(
            bench::rodadasLote(), gravador, tr, [&] { limpa(tr); },
            [&] {
                ours(contratos);
                linhas = host::db::selectValue(tr, "select count(*) from ACRC5001").toInt();
            },
            [&] { raw(tr, contratos); });
        limpa(tr);
        tr.commit();
    }
    const QByteArray titulo = QString("forecast %1 contracts x %2 instalments (%3 receivables)")
                                  .arg(contratos).arg(kParcelas).arg(linhas).toUtf8();
    bench::imprimeLote(titulo.constData(), escrita, c, contratos * kParcelas, "instalments",
                       {.meta = 3.0, .comandosPorLinha = 0, .porque = ""});
}

}  // namespace

int main(int argc, char** argv) { return bench::executaLote(argc, argv, mede, 1000, 20, 2000); }
