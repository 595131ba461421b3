// Officialising 1,000 forecast instalments (one per contract) in batch: an
// order, an invoice and the real receivable each, through the batch run
// (order pass, invoice pass, receivable pass; no next forecast), against the
// replay of its own statements through the engine's interface and against
// writing the same rows through host/db directly, in the same run; then 50
// on a database with forced writes (each commit waits for the disk). Prints
// instalments per second, the ratios and the statements each costs.

#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContOficializar.h"
#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Unotafiscal.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"
#include "host/ui/ScriptedDialogs.h"

#include "bench/BenchContratos.h"

#include <QApplication>

#include <cstdio>
#include <tuple>

namespace {

void preparaBase(TdmGlobal& global, host::db::Transaction& tr, int parcelas)
{
    global.SetParametro("ATPRODUTOCONTRATO", "SERV");
    host::db::executeSql(tr, "insert into AFVC0901 (COD_OP, DESC_OP_NF) values ('5933', 'Prestação de serviço')");
    host::db::executeSql(tr, "insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJOBJETO, AJCOMPLNF, OFCODIGO)"
                             " values (1, 'Manutenção', 'Manutenção preventiva mensal', '2 - Objeto', '5933')");
    bench::clientesEContratos(tr, parcelas, "S", 63);
}

// A forecast per contract with its cash row and note, and nothing billed.
void previsoes(host::db::Transaction& tr, int parcelas)
{
    for (const char* t : {"ACRC5001", "ACXC94XP", "AUGC70OB", "AVEC8501", "AVEC85IT", "ACEM1401", "ACEM14IT"})
        host::db::executeSql(tr, QString("delete from %1").arg(t));
    host::db::Statement rec(tr, "insert into ACRC5001 (CODIGO_CLIENTE, NUMERO_DOCUMENTO, CODIGO_FILIAL,"
                                " SITUACAO_DOCUMENTO, SEQUENCIA, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO,"
                                " AOCODIGO) values (:CLI, '100131', '01', 'V', 1, 63, :EMI, :VENC, :AO)");
    host::db::Statement cx(tr, "insert into ACXC94XP (XPCHAVE, XPDOCUMENTO, XPEMITENTE, XPLOCAL, XPID, XPCODIGO,"
                               " XCCODIGO, CRSEQUENCIA, XPVALOR, XPREALIZADO, XPPARCELA)"
                               " values (gen_id(GEN_XPCHAVE, 1), '100131', :CLI, '01', 'R', '00', '1.01', 1, 63, 'N', -1)");
    host::db::Statement ob(tr, "insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values (:K, 'R', 0, :T)");
    for (int c = 1; c <= parcelas; ++c) {
        rec.setParam("CLI", bench::cliente(c));
        rec.setParam("EMI", QDateTime(QDate(2030, 12, 10), QTime(0, 0)));
        rec.setParam("VENC", QDateTime(QDate(2031, 1, 10), QTime(0, 0)));
        rec.setParam("AO", c);
        rec.execute();
        cx.setParam("CLI", bench::cliente(c));
        cx.execute();
        ob.setParam("K", "100131" + bench::cliente(c) + "1");
        ob.setParam("T", "Manutenção preventiva mensal");
        ob.execute();
    }
    tr.commitRetaining();
}

void ours(host::db::Transaction& tr)
{
    auto selecao = CriarIbQuery("quPesq");
    selecao->setSql("select cont.*, Cli.Nome, obj.ofCodigo , Rec.* from AATC05AC cont"
                    " Left Outer Join Augc0301 Cli On (Cont.clCodigo=Cli.codigo_cliente)"
                    " Left Outer Join Acrc5001 Rec On (Cont.acCodigo = Rec.aoCodigo)"
                    " Left outer join Aatc11Aj Obj on (Cont.AjCodigo = Obj.AjCodigo)"
                    " Where ((Cont.ACSITUACAO = 'A') or (Cont.ACSITUACAO is null))"
                    " and not(Rec.aoCodigo is null) and situacao_documento='V' order by Cont.ACCODIGO");
    selecao->open();
    OpcoesOficializacao opcoes;
    opcoes.filial = "01";
    opcoes.bNaoGeraPrevisao = true;
    OficializarParcelaPesquisaLote(*selecao, opcoes, nullptr);
    selecao->close();
    delete fmNotaFiscal.get();
    (void)tr;
}

// The same rows by prepared statements, in the routine's three passes and
// with its commits: per instalment the order with its line and its number
// on the receivable (a commit each); per order the invoice with its line
// and the order marked (a commit each); then the receivables made real,
// their cash rows and notes under the new number (one commit). The two
// numbers' counters are taken as the routine takes them.
void raw(host::db::Transaction& tr, int parcelas)
{
    host::db::Statement ped(tr, "insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, OPERACAO, VELOCAL, DATA_EMISSAO,"
                                " IMPRESSO_NF, AOCODIGO, ACCODIGO, VALOR_TOTAL) values (:P, :CLI, '5933', '01', :HOJE,"
                                " 'N', :AO, :AO, 63)");
    host::db::Statement it(tr, "insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO, QUANTIDADE, DESCONTO, VALOR,"
                               " TOTAL_UNIT, AOCODIGO, VEITCFOP, VEITENTREGA, DATA_EMISSAO) values (1, 'SERV', :P, 1, 0,"
                               " 63, 63, :AO, '5933', 'F', :HOJE)");
    host::db::Statement obs(tr, "insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values (:P, 'V', 1, :T)");
    host::db::Statement pedido(tr, "update ACRC5001 set PEDIDO = :P where CODIGO_CLIENTE = :CLI"
                                   " and NUMERO_DOCUMENTO = '100131' and SEQUENCIA = 1 and CODIGO_FILIAL = '01'");
    host::db::Statement nf(tr, "insert into ACEM1401 (DOCUMENTO, SERIE_DOC, COD_CLI, OPERACAO_DOC, LOCAL_DOC,"
                               " COD_PEDIDO, DATA, TOTAL_DOC, ACCODIGO) values (:P, '01', :CLI, '5933', '01', :P,"
                               " :HOJE, 63, :AO)");
    host::db::Statement nfit(tr, "insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, COD_OP, MELOCAL, CODIGOPRODUTO,"
                                 " SEQUENCIA, MEITCFOP, QUNATIDADEPRODUTO, DATA, VEITSEQUENCIA, VALOR_TOTAL_UNIT)"
                                 " values (:P, '01', :CLI, '5933', '01', 'SERV', 1, '5933', 1, :HOJE, 1, 63)");
    host::db::Statement marca(tr, "update AVEC8501 set IMPRESSO_NF = 'S' where NUMERO_PEDIDO = :P");
    host::db::Statement rec(tr, "update ACRC5001 set SITUACAO_DOCUMENTO = ' ', DATA_EMISSAO = :HOJE,"
                                " VALOR_DOCUMENTO = 63, PAG10 = 63, NUMERO_DOCUMENTO = :P where CODIGO_CLIENTE = :CLI"
                                " and NUMERO_DOCUMENTO = '100131' and SEQUENCIA = 1 and CODIGO_FILIAL = '01'");
    host::db::Statement cx(tr, "update ACXC94XP set XPDOCUMENTO = :P where XPID = 'R' and XPDOCUMENTO = '100131'"
                               " and XPEMITENTE = :CLI");
    host::db::Statement nota(tr, "update AUGC70OB set OBCODIGO = :NOVO where OBCODIGO = :VELHO and OBID = 'R'");
    // A number taken from its series' counter.
    host::db::Statement contador(
        tr, "update NUMERACAO set ULTIMO = ULTIMO + 1 where DOCUMENTO = :D and SERIE = :S"
            " and LOCAL = :L returning ULTIMO");
    auto numera = [&](const QString& documento, const QString& serie, const QString& local) {
        contador.setParam("D", documento);
        contador.setParam("S", serie);
        contador.setParam("L", local);
        contador.execute();
        contador.fetch();
    };
    const QDateTime hoje(QDate::currentDate(), QTime(0, 0));
    auto numero = [](int c) { return QString::number(c).rightJustified(6, '0'); };
    auto chaves = [&](host::db::Statement& st, int c) {
        st.setParam("P", numero(c));
        if (st.hasParam("HOJE"))
            st.setParam("HOJE", hoje);
        if (st.hasParam("CLI"))
            st.setParam("CLI", bench::cliente(c));
        if (st.hasParam("AO"))
            st.setParam("AO", c);
    };
    for (int c = 1; c <= parcelas; ++c) {
        numera("AVEC8501", "", "");
        for (host::db::Statement* st : {&ped, &it, &pedido}) {
            chaves(*st, c);
            st->execute();
        }
        obs.setParam("P", numero(c));
        obs.setParam("T", "Manutenção preventiva mensal");
        obs.execute();
        tr.commitRetaining();
    }
    for (int c = 1; c <= parcelas; ++c) {
        numera("ACEM1401", "01", "01");
        for (host::db::Statement* st : {&nf, &nfit, &marca}) {
            chaves(*st, c);
            st->execute();
        }
        tr.commitRetaining();
    }
    for (int c = 1; c <= parcelas; ++c) {
        for (host::db::Statement* st : {&rec, &cx}) {
            chaves(*st, c);
            st->execute();
        }
        nota.setParam("NOVO", numero(c) + bench::cliente(c) + "1");
        nota.setParam("VELHO", "100131" + bench::cliente(c) + "1");
        nota.execute();
    }
    tr.commitRetaining();
}

// Ours, its replay and the direct writes on a new database of one kind.
void mede(bench::Gravador& gravador, bench::Escrita escrita, int parcelas)
{
    bench::Arquivo base("oficializar");
    bench::novoBancoHost(base.path, escrita);
    bench::Comparacao c;
    int notas = 0, reais = 0;
    {
        bench::ModuloContratos modulo(base.path);
        host::db::Transaction& tr = modulo.tr();
        preparaBase(modulo.global, tr, parcelas);
        c = bench::comparaRodadas(
            bench::rodadasLote(), gravador, tr, [&] { previsoes(tr, parcelas); },
            [&] {
                ours(tr);
                notas = host::db::selectValue(tr, "select count(*) from ACEM1401").toInt();
                reais = host::db::selectValue(tr, "select count(*) from ACRC5001 where SITUACAO_DOCUMENTO = ' '"
                                                  " and NUMERO_DOCUMENTO <> '100131'")
                            .toInt();
            },
            [&] { raw(tr, parcelas); });
        tr.commit();
    }
    const QByteArray titulo = QString("officialise %1 instalments in batch (%2 invoices, %3 receivables made real)")
                                  .arg(parcelas).arg(notas).arg(reais).toUtf8();
    bench::imprimeLote(titulo.constData(), escrita, c, parcelas, "instalments", {.meta = 4.0});
}

}  // namespace

int main(int argc, char** argv) { return bench::executaLote(argc, argv, mede, 1000, 50, 2000); }
