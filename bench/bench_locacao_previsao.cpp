// Forecasting rental contracts: twelve monthly instalments for each of
// 1,000 contracts of the rental register of option "E" (the contract and its
// instalments page loaded, the start date asked and answered, the
// generator, the planned count written back, the list reloaded), a
// receivable and its cash-forecast row per instalment, each instalment
// committed; and the same for the first 100 contracts of that database, in
// the same rounds. Each against the replay of its own statements through
// the engine's interface and against writing the same rows through host/db
// directly, in the same run; then on a database with forced writes (twenty
// contracts). The receivables also hold a year of earlier rental forecasts,
// numbered with their letter. Prints instalments per second, the ratios, the statements
// each instalment costs and how the cost per instalment grows with size.

#include "rental/uAssContLocPrevisao.h"

#include "contract_data/uDataTecCont.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"

#include "bench/BenchContratos.h"

#include <QDate>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kParcelasLocacao = 12;
constexpr double kValorLocacao = 63.0;

// A year of earlier rental forecasts of as many other contracts, numbered
// as forecasts of rentals are ("ddMMyyL"): they stay through every round,
// and the next free number must not walk past them.
void previsoesAnteriores(host::db::Transaction& tr, int contratos)
{
    host::db::Statement rec(tr, "insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, SEQUENCIA, CODIGO_FILIAL,"
                                " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, AOCODIGO) values (:CLI, :DOC, 1, '01', 'V', :V, :AO)");
    for (int c = contratos + 1; c <= 2 * contratos; ++c)
        for (int m = 1; m <= kParcelasLocacao; ++m) {
            rec.setParam("CLI", bench::cliente(c));
            rec.setParam("DOC", QDate(2030, m, 10).toString("ddMMyy") + "L");
            rec.setParam("V", kValorLocacao);
            rec.setParam("AO", c);
            rec.execute();
        }
}

void preparaLocacao(host::db::Transaction& tr, int contratos)
{
    previsoesAnteriores(tr, contratos);
    host::db::executeSql(tr, "insert into AATC11AJ (AJCODIGO, AJDESCRICAO, CXCODIGO)"
                             " values (1, 'Locação', '1.01')");
    // A fixed value: the header's save keeps it (no items to sum).
    bench::clientesEContratos(tr, contratos, "S", kValorLocacao);
    host::db::executeSql(tr, "update AATC05AC set ACQUANTIDADEPARCELA = 12, ACDATAIMPLANTACAO = '2031-01-05',"
                             " ACDATAVALIDADE = '2031-12-31', ACTIPOPAGAMENTO = '2'");
    tr.commitRetaining();
}

// What a round wrote; the earlier forecasts stay.
void limpaLocacao(host::db::Transaction& tr)
{
    host::db::executeSql(tr, "delete from ACRC5001 where NUMERO_DOCUMENTO not like '%L'");
    for (const char* t : {"ACXC94XP", "AUGC70OB"})
        host::db::executeSql(tr, QString("delete from %1").arg(t));
    tr.commitRetaining();
}

// "Gerar Previsão" on each contract as the register runs it.
void previsaoPelaTela(host::ui::ScriptedDialogs& dialogos, int contratos)
{
    for (int c = 1; c <= contratos; ++c) {
        // The contract opened and its "Parcelas" page entered.
        CarregaContrato(c);
        dmTecContrato->CarregaContratoParcela(c);
        dialogos.enter("10/01/2031", "Informe a data Inicial da previsão do contas a receber");
        uAssContLoc::PrevisionarContratoE({});
    }
}

// The same rows and commits, written by prepared statements: what the
// forecast would cost if it only wrote.
void previsaoDireta(host::db::Transaction& tr, int contratos)
{
    host::db::Statement rec(
        tr, "insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, SERIE_DOCUMENTO, CODIGO_FILIAL, TIPO_PAGAMENTO,"
            " SITUACAO_DOCUMENTO, SEQUENCIA, VALOR_DOCUMENTO, VALOR_DESCONTO, VALOR_JUROS, VALOR_MULTA, VALOR_PAGO,"
            " VALOR_ABATIMENTO, VALOR_DESPESA, PAG10, DATA_EMISSAO, DATA_VENCIMENTO, DATA_LANCAMENTO,"
            " VALOR_ORIGINAL, AOCODIGO, ORIGEM, CRPARCELA, CREMISSAOINI, CREMISSAOFIN) values (:CLI, :DOC, '01',"
            " '01', '2', 'V', 1, :V, 0, 0, 0, 0, 0, 0, 0, :EMI, :VENC, :EMI, 0, :AO, 'C', 0, :INI, :FIN)");
    host::db::Statement cx(tr, "insert into ACXC94XP (XPCHAVE, XPDOCUMENTO, XPEMITENTE, XPLOCAL, XPID, XPCODIGO,"
                               " XCCODIGO, CRSEQUENCIA, XPVALOR, XPREALIZADO, XPPARCELA)"
                               " values (gen_id(GEN_XPCHAVE, 1), :DOC, :CLI, '01', 'R', '00', '1.01', 1, :V, 'N', -1)");
    host::db::Statement qtd(tr, "update AATC05AC set ACQUANTIDADEPARCELA = 12 where ACCODIGO = :AO");
    const QDateTime emissao(QDate(2031, 1, 5), QTime(0, 0));
    int numero = 0;
    for (int c = 1; c <= contratos; ++c) {
        for (int m = 0; m < kParcelasLocacao; ++m) {
            const QString documento = QString("%1").arg(++numero, 6, 10, QChar('0'));
            rec.setParam("CLI", bench::cliente(c));
            rec.setParam("DOC", documento);
            rec.setParam("V", kValorLocacao);
            rec.setParam("EMI", emissao);
            rec.setParam("VENC", QDateTime(QDate(2031, 1 + m, 10), QTime(0, 0)));
            rec.setParam("AO", c);
            rec.setParam("INI", QDateTime(QDate(2031, 1 + m, 5), QTime(0, 0)));
            rec.setParam("FIN", QDateTime(QDate(2031, 1 + m, 5).addMonths(1), QTime(0, 0)));
            rec.execute();
            cx.setParam("DOC", documento);
            cx.setParam("CLI", bench::cliente(c));
            cx.setParam("V", kValorLocacao);
            cx.execute();
            tr.commitRetaining();
        }
        qtd.setParam("AO", c);
        qtd.execute();
        // The commits of the register's save: its after-post's, then the save's own.
        tr.commitRetaining();
        tr.commitRetaining();
    }
}

void imprimeLocacao(bench::Escrita escrita, const bench::Comparacao& c, int contratos, int linhas, int caixa)
{
    const QByteArray titulo = QString("rental forecast %1 contracts x %2 instalments (%3 receivables, %4 cash rows)")
                                  .arg(contratos)
                                  .arg(kParcelasLocacao)
                                  .arg(linhas)
                                  .arg(caixa)
                                  .toUtf8();
    bench::imprimeLote(titulo.constData(), escrita, c, contratos * kParcelasLocacao, "instalments",
                       {.meta = 3.3,
                        .porque = "5.5 statements an instalment where the direct writes need 2.08: the"
                                  " receivable, its cash-forecast row and the savepoint, and the contract's row"
                                  " held again after each instalment's commit (so no other desk bills or"
                                  " renews it between two); per contract the register's contract and"
                                  " instalments read (twice each), the job lock, a savepoint, the contract,"
                                  " its dates, billing object, cash account, taxes (twice), items, template,"
                                  " earlier forecasts, their count and the free number; 3.0 before the row"
                                  " was held"});
}

// The forecast of the first `contratos` contracts as one batch of a
// comparison; `linhas` and `caixa` get the rows it stored.
bench::Lote loteLocacao(bench::Gravador& gravador, bench::ModuloContratos& modulo, int contratos, int& linhas,
                        int& caixa)
{
    return {gravador,
            [&modulo, &linhas, &caixa, contratos] {
                previsaoPelaTela(modulo.dialogos, contratos);
                linhas = host::db::selectValue(modulo.tr(), "select count(*) from ACRC5001"
                                                            " where NUMERO_DOCUMENTO not like '%L'")
                             .toInt();
                caixa = host::db::selectValue(modulo.tr(), "select count(*) from ACXC94XP").toInt();
            },
            [&modulo, contratos] { previsaoDireta(modulo.tr(), contratos); }};
}

// The two sizes on one database of `contratos` contracts, a tenth of them
// and all of them, in the same rounds (the size going first changes every
// round; the small one runs ten times in each, so that its runs span as
// much of the round as the large one's): a load passing over the shared
// machine weighs on both alike.
// The cost per instalment of the large one is held to that of the small one
// (nothing may grow with the receivables stored), in processor time of the
// thread that runs the forecast: what the engine's own threads do meanwhile
// (collecting what earlier rounds deleted) belongs to no size. The elapsed
// and whole-process times are printed beside it.
void medeTamanhos(bench::Gravador& gravador, int contratos)
{
    const int poucos = std::max(contratos / 10, 1);
    // Each size's run is recorded on its own, for its own replay.
    bench::Gravador gravadorGrande;
    bench::Arquivo base("previsao-locacao");
    bench::novoBancoHost(base.path, bench::Escrita::Assincrona);
    int linhas[2] = {}, caixa[2] = {};
    bench::ModuloContratos modulo(base.path, [](TdmGlobal& global) { global.SetParametro("ATPREVISAOCAIXA", "S"); });
    host::db::Transaction& tr = modulo.tr();
    preparaLocacao(tr, contratos);
    bench::Lote pequeno = loteLocacao(gravador, modulo, poucos, linhas[0], caixa[0]);
    bench::Lote grande = loteLocacao(gravadorGrande, modulo, contratos, linhas[1], caixa[1]);
    pequeno.vezesNosso = contratos / poucos;
    bench::comparaLotes(bench::rodadasLote(), tr, [&] { limpaLocacao(tr); }, {&pequeno, &grande});
    limpaLocacao(tr);
    tr.commit();
    imprimeLocacao(bench::Escrita::Assincrona, pequeno.c, poucos, linhas[0], caixa[0]);
    imprimeLocacao(bench::Escrita::Assincrona, grande.c, contratos, linhas[1], caixa[1]);
    const double nPequeno = poucos * kParcelasLocacao, nGrande = contratos * kParcelasLocacao;
    auto porParcela = [&](const bench::Tempos& g, const bench::Tempos& p) {
        return (g.mediana() / nGrande) / (p.mediana() / nPequeno);
    };
    const double razao = porParcela(grande.c.processadorFioNosso, pequeno.c.processadorFioNosso);
    std::printf("rental forecast processor time per instalment at %.0f instalments against %.0f: ratio %.2f%s;"
                " whole process: ratio %.2f; elapsed time: ratio %.2f\n",
                nGrande, nPequeno, razao, bench::meta(razao, 1.2).constData(),
                porParcela(grande.c.processadorNosso, pequeno.c.processadorNosso),
                porParcela(grande.c.nosso, pequeno.c.nosso));
}

// A size on a database of its own.
void medeLocacao(bench::Gravador& gravador, bench::Escrita escrita, int contratos)
{
    bench::Arquivo base("previsao-locacao");
    bench::novoBancoHost(base.path, escrita);
    int linhas = 0, caixa = 0;
    bench::Comparacao c;
    {
        bench::ModuloContratos modulo(base.path,
                                      [](TdmGlobal& global) { global.SetParametro("ATPREVISAOCAIXA", "S"); });
        host::db::Transaction& tr = modulo.tr();
        preparaLocacao(tr, contratos);
        bench::Lote lote = loteLocacao(gravador, modulo, contratos, linhas, caixa);
        bench::comparaLotes(bench::rodadasLote(), tr, [&] { limpaLocacao(tr); }, {&lote});
        c = lote.c;
        limpaLocacao(tr);
        tr.commit();
    }
    imprimeLocacao(escrita, c, contratos, linhas, caixa);
}

}  // namespace

// BENCH_CONTRATOS sets the size of the large run (a tenth of it is the
// small one). The process's peak memory is held too.
int main(int argc, char** argv)
{
    bench::emProcessos(argv);
    const int contratos = qEnvironmentVariableIsSet("BENCH_CONTRATOS") ? qEnvironmentVariableIntValue("BENCH_CONTRATOS")
                                                                        : 1000;
    bench::PreparoModulo preparo;
    QApplication app(argc, argv);
    bench::Gravador gravador;
    medeTamanhos(gravador, contratos);
    medeLocacao(gravador, bench::Escrita::ComoAplicacao, 20);
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    const double mb = uso.ru_maxrss / 1024.0;
    std::printf("rental forecast peak memory in MB: %.0f%s\n", mb, bench::meta(mb, 200).constData());
    return bench::resultado();
}
