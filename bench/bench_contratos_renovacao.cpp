// Renewing 1,000 rental contracts in automatic mode, one period each (the
// receivable after the last one, with its cash-forecast row), through the
// renewal window's batch ("&Renovar" over the listed contracts), against the
// replay of its own statements through the engine's interface and against
// inserting the same rows through host/db directly, in the same run; then 20
// on a database with forced writes. Prints contracts per second, the ratios
// and the statements each renewal costs (held to their count: the rules need
// more than the direct writes).

#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/EditControls.h"
#include "host/ui/ScriptedDialogs.h"
#include "rental/uAssContRenovacao.h"

#include "bench/BenchContratos.h"

#include <QLineEdit>
#include <QPushButton>

#include <cstdio>

namespace {

void preparaBase(host::db::Transaction& tr, int contratos)
{
    host::db::executeSql(tr, "insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJOBJETO, AJCOMPLNF, CXCODIGO)"
                             " values (1, 'Locação', 'Locação de equipamentos', '2 - Objeto', '1.01')");
    bench::clientesEContratos(tr, contratos, "N", 0, [&](int c) {
        host::db::executeSql(tr, "update AATC05AC set ACNUMEROCONTRATO = :N, ACCONTRATANTE = CLCODIGO,"
                                 " ACVALOR = 90 where ACCODIGO = :A",
                             {{"N", QString("R%1").arg(c, 5, 10, QChar('0'))}, {"A", c}});
    });
}

// Each contract back to its one instalment (05/01 to 05/02), nothing renewed.
void limpa(host::db::Transaction& tr, int contratos)
{
    for (const char* t : {"ACRC5001", "ACXC94XP", "AUGC70OB"})
        host::db::executeSql(tr, QString("delete from %1").arg(t));
    host::db::Statement rec(
        tr, "insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, CODIGO_FILIAL, SITUACAO_DOCUMENTO, SEQUENCIA,"
            " VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO, CREMISSAOINI, CREMISSAOFIN)"
            " values (:CLI, :DOC, '01', 'V', 1, 75, '2031-01-05', '2031-01-10', :AO, '2031-01-05', '2031-02-05')");
    for (int c = 1; c <= contratos; ++c) {
        rec.setParam("CLI", bench::cliente(c));
        rec.setParam("DOC", QString("%1").arg(c, 6, 10, QChar('0')));
        rec.setParam("AO", c);
        rec.execute();
    }
    tr.commitRetaining();
}

void ours(bench::ModuloContratos& modulo)
{
    TfmAssContRenovacao janela;
    janela.deProxVencimento->setDate(QDateTime(QDate(2031, 2, 10), QTime(0, 0)));
    janela.edNroContrato->setText("R");
    janela.bbPesquisar->click();
    modulo.dialogos.answer("Sim");
    janela.bbRenovar->click();
}

// The same rows, written by prepared statements: what the renewal would cost
// if it only wrote.
void raw(host::db::Transaction& tr, int contratos)
{
    host::db::Statement rec(
        tr, "insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, SERIE_DOCUMENTO, CODIGO_FILIAL, TIPO_PAGAMENTO,"
            " SITUACAO_DOCUMENTO, SEQUENCIA, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, DATA_LANCAMENTO, AOCODIGO,"
            " ORIGEM, CRPREVBOLETO, CREMISSAOINI, CREMISSAOFIN)"
            " values (:CLI, :DOC, '01', '01', '2', 'V', 1, 75, :EMI, :VENC, :AGORA, :AO, 'C', :EMI, :INI, :FIN)");
    host::db::Statement cx(tr, "insert into ACXC94XP (XPCHAVE, XPDOCUMENTO, XPEMITENTE, XPLOCAL, XPID, XPCODIGO,"
                               " XCCODIGO, CRSEQUENCIA, XPVALOR, XPREALIZADO, XPPARCELA)"
                               " values (gen_id(GEN_XPCHAVE, 1), :DOC, :CLI, '01', 'R', '00', '1.01', 1, 75, 'N', -1)");
    const QDateTime emissao(QDate::currentDate(), QTime(0, 0));
    for (int c = 1; c <= contratos; ++c) {
        const QString documento = QString("%1").arg(contratos + c, 6, 10, QChar('0'));
        rec.setParam("CLI", bench::cliente(c));
        rec.setParam("DOC", documento);
        rec.setParam("EMI", emissao);
        rec.setParam("VENC", QDateTime(QDate(2031, 2, 10), QTime(0, 0)));
        rec.setParam("AGORA", QDateTime::currentDateTime());
        rec.setParam("AO", c);
        rec.setParam("INI", QDateTime(QDate(2031, 2, 5), QTime(0, 0)));
        rec.setParam("FIN", QDateTime(QDate(2031, 3, 5), QTime(0, 0)));
        rec.execute();
        cx.setParam("DOC", documento);
        cx.setParam("CLI", bench::cliente(c));
        cx.execute();
        tr.commitRetaining();
    }
}

void mede(bench::Gravador& gravador, bench::Escrita escrita, int contratos)
{
    bench::Arquivo base("renovacao");
    bench::novoBancoHost(base.path, escrita);
    bench::Comparacao c;
    int novas = 0;
    {
        bench::ModuloContratos modulo(base.path,
                                      [](TdmGlobal& global) { global.SetParametro("ATPREVISAOCAIXA", "S"); });
        host::db::Transaction& tr = modulo.tr();
        preparaBase(tr, contratos);
        c = bench::comparaRodadas(
            bench::rodadasLote(), gravador, tr, [&] { limpa(tr, contratos); },
            [&] {
                ours(modulo);
                novas = host::db::selectValue(tr, "select count(*) from ACRC5001 where CREMISSAOINI = '2031-02-05'")
                            .toInt();
            },
            [&] { raw(tr, contratos); });
        tr.commit();
    }
    const QByteArray titulo =
        QString("renew %1 contracts, one period each (%2 new receivables)").arg(contratos).arg(novas).toUtf8();
    bench::imprimeLote(titulo.constData(), escrita, c, contratos, "contracts",
                       {.comandosPorLinha = 14,
                          .comandosDaExecucao = 4,
                          .porque = "each renewal goes through the instalment generator's rules, 14 statements"
                                    " where the direct writes need 2: the window's read of the contract's last"
                                    " receivable (after its question), the contract's job lock and the hold on"
                                    " its row (no second desk renews it meanwhile), the contract, its dates and"
                                    " billing object, items, taxes, cash account, template, earlier forecasts,"
                                    " the free number, the receivable, its cash-forecast row and the savepoint;"
                                    " the run itself lists the contracts and reads the billing object once (4)"});
}

}  // namespace

int main(int argc, char** argv) { return bench::executaLote(argc, argv, mede, 1000, 20, 2000); }
