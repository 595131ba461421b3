// Billing 1,000 rental instalments of principal contracts, each with two
// complement instalments of its month folded in, from the billing window's
// listing: without a receipt (the two complements deleted with their cash
// rows and notes, the instalment billed, its note and collection) and with
// the rental receipt (a header and one line more, the instalment
// renumbered with its cash row and notes); against the replay of its own
// statements through the engine's interface and against reading the same
// rows and writing them through host/db directly, with a commit per
// instalment, in the same run; then 20 instalments on a database with
// forced writes. Prints instalments per second and each ratio.

#include "bench/BenchContratos.h"

#include "rental/uAssContFatLocEquip.h"
#include "rental/uAssContLocFaturamento.h"

#include "host/Unumeracao.h"
#include "host/ui/EditControls.h"

#include <QDate>

#include <cstdio>

namespace {

// Principal p (1..n) has complements n + 2p - 1 and n + 2p.
int complementoLoc(int principais, int p, int k) { return principais + 2 * p - 2 + k; }
QString documentoLoc(int contrato) { return QString("%1").arg(contrato, 6, 10, QChar('0')); }

void preparaContratosLoc(host::db::Transaction& tr, int principais)
{
    bench::clientesEContratos(tr, 3 * principais, "S", 0);
    host::db::executeSql(tr, "update AATC05AC set ACVINCULO = 'P', BCCODIGO = '001', ACVALOR = 300 where ACCODIGO <= :N",
                         {{"N", principais}});
    host::db::executeSql(tr, "update AATC05AC set ACVINCULO = 'C' where ACCODIGO > :N", {{"N", principais}});
    host::db::Statement vinculo(tr, "insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (:P, :C)");
    host::db::Statement item(tr, "insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR,"
                                 " ACITQUANTIDADE) values (:P, :P, :C, 'P1', 300, 1)");
    for (int p = 1; p <= principais; ++p) {
        for (int k = 1; k <= 2; ++k) {
            vinculo.setParam("P", p);
            vinculo.setParam("C", complementoLoc(principais, p, k));
            vinculo.execute();
        }
        item.setParam("P", p);
        item.setParam("C", bench::cliente(p));
        item.execute();
    }
    tr.commitRetaining();
}

// Every contract's March instalment a forecast again, the complements' with
// a cash row and a note; no receipts, collections or billing notes.
void repoeParcelasLoc(host::db::Transaction& tr, int principais)
{
    for (const char* tabela : {"ACRC5001", "ACXC94XP", "AUGC70OB", "ACRC50FB", "ACEM14IT", "ACEM1401"})
        host::db::executeSql(tr, QString("delete from ") + tabela);
    host::db::executeSql(tr, "delete from NUMERACAO");
    host::db::Statement receber(tr, "insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                                    " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO)"
                                    " values (:D, :C, 1, '01', 'V', :V, '2024-01-01', :VENC, :A)");
    host::db::Statement caixa(tr, "insert into ACXC94XP (XPID, XPLOCAL, XPDOCUMENTO, XPEMITENTE, CRSEQUENCIA)"
                                  " values ('R', '01', :D, :C, 1)");
    host::db::Statement nota(tr, "insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values (:K, 'R', 1, 'x')");
    for (int c = 1; c <= 3 * principais; ++c) {
        receber.setParam("D", documentoLoc(c));
        receber.setParam("C", bench::cliente(c));
        receber.setParam("V", c <= principais ? 200.0 : 50.0);
        receber.setParam("VENC", QDateTime(QDate(2024, 3, c <= principais ? 10 : 15), QTime(0, 0)));
        receber.setParam("A", c);
        receber.execute();
        if (c > principais) {
            caixa.setParam("D", documentoLoc(c));
            caixa.setParam("C", bench::cliente(c));
            caixa.execute();
            nota.setParam("K", documentoLoc(c) + bench::cliente(c) + "1");
            nota.execute();
        }
    }
    tr.commitRetaining();
}

// Ours: the window's listing of the month's forecasts, then its run.
void nossoFaturamentoLoc(TfmAssContFatLocEquip& form, bool comRecibo)
{
    form.Pesquisar("01/03/2024", "31/03/2024");
    comRecibo ? form.FaturarContratosLocacaoControleEquipamento() : form.FaturarContratosLocacaoEquipamento();
}

struct ParcelaDireta {
    int contrato = 0;
    QString cliente, documento;
    double valor = 0;
    QDateTime vencimento, emissao;
};

// The same rows read and written by prepared statements, a commit per instalment.
void diretoFaturamentoLoc(host::db::Transaction& tr, bool comRecibo)
{
    std::vector<ParcelaDireta> principais;
    std::multimap<int, ParcelaDireta> complementos;
    {
        host::db::Statement lista(tr, "select cont.ACCODIGO, rec.CODIGO_CLIENTE, rec.NUMERO_DOCUMENTO,"
                                      " rec.VALOR_DOCUMENTO, rec.DATA_VENCIMENTO, rec.DATA_EMISSAO from AATC05AC cont"
                                      " join ACRC5001 rec on (rec.AOCODIGO = cont.ACCODIGO) where cont.ACVINCULO = 'P'"
                                      " and rec.SITUACAO_DOCUMENTO = 'V' order by cont.ACCODIGO");
        lista.execute();
        while (lista.fetch())
            principais.push_back({lista.value(0).toInt(), lista.value(1).toString(), lista.value(2).toString(),
                                  lista.value(3).toDouble(), lista.value(4).toDateTime(), lista.value(5).toDateTime()});
        host::db::Statement vinc(tr, "select vi.ACCODIGOPRINCIPAL, rec.CODIGO_CLIENTE, rec.NUMERO_DOCUMENTO,"
                                     " rec.VALOR_DOCUMENTO from AATC05ACVI vi join ACRC5001 rec on (rec.AOCODIGO ="
                                     " vi.ACCODIGOCOMPLEMENTO) where rec.SITUACAO_DOCUMENTO = 'V'");
        vinc.execute();
        while (vinc.fetch())
            complementos.emplace(vinc.value(0).toInt(), ParcelaDireta{0, vinc.value(1).toString(),
                                                                      vinc.value(2).toString(), vinc.value(3).toDouble()});
    }
    host::db::Statement apagaCaixa(tr, "delete from ACXC94XP where XPID = 'R' and XPDOCUMENTO = :D and XPEMITENTE = :C"
                                       " and CRSEQUENCIA = 1 and XPLOCAL = '01'");
    host::db::Statement apagaNota(tr, "delete from AUGC70OB where OBCODIGO = :K and OBID = 'R'");
    host::db::Statement apaga(tr, "delete from ACRC5001 where CODIGO_CLIENTE = :C and NUMERO_DOCUMENTO = :D"
                                  " and SEQUENCIA = 1 and CODIGO_FILIAL = '01'");
    host::db::Statement fatura(tr, "update ACRC5001 set VALOR_DOCUMENTO = :V, SITUACAO_DOCUMENTO = '', OBS10 = :O,"
                                   " CRDATABOLETO = :H, NUMERO_DOCUMENTO = :N, NUMERO_DO_BANCO = '001',"
                                   " NOSSO_NUMERO = :NN, CRBORDERODATA = :H where CODIGO_CLIENTE = :C"
                                   " and NUMERO_DOCUMENTO = :D and SEQUENCIA = 1 and CODIGO_FILIAL = '01'");
    host::db::Statement nota(tr, "insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values (:K, 'R', 4, :T)");
    host::db::Statement boleto(tr, "insert into ACRC50FB (CODIGO_FILIAL, NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA,"
                                   " FBBANCO, FBNOSSONUMERO, FBVALOR, FBEMISSAO, FBVENCIMENTO, FBDATA, FBTEXTO1,"
                                   " FBTEXTO2, FBTEXTO3) values ('01', :N, :C, 1, '001', :NN, :V, :E, :VENC, :H, :T1,"
                                   " :T2, :T3)");
    host::db::Statement cabecalho(tr, "insert into ACEM1401 (DOCUMENTO, SERIE_DOC, COD_CLI, OPERACAO_DOC, LOCAL_DOC,"
                                      " DATA, TOTAL_DOC) values (:N, 'RC', :C, '00001', '01', :H, 300)");
    host::db::Statement linha(tr, "insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, COD_OP, MELOCAL, CODIGOPRODUTO,"
                                  " SEQUENCIA, QUNATIDADEPRODUTO, DATA, VALOR_TOTAL_UNIT, VALOR_TOTAL,"
                                  " OBSERVACAO_PRODUTO, ACCODIGO) values (:N, 'RC', :C, '00001', '01', '999', 1, 1, :H,"
                                  " 300, 300, 'período: março/2024', :A)");
    host::db::Statement renumeraNotas(tr, "update AUGC70OB set OBCODIGO = :N where OBID = 'R' and OBCODIGO = :A");
    host::db::Statement renumeraCaixa(tr, "update ACXC94XP set XPDOCUMENTO = :N where XPID = 'R' and XPDOCUMENTO = :D"
                                          " and XPEMITENTE = :C and CRSEQUENCIA = 1 and XPLOCAL = '01'");
    const QDateTime hoje(QDate::currentDate(), QTime(0, 0));
    int numero = 0;
    for (const ParcelaDireta& p : principais) {
        QString contratos = "Contrato(s): " + QString::number(p.contrato);
        double total = p.valor;
        auto [de, ate] = complementos.equal_range(p.contrato);
        for (auto it = de; it != ate; ++it) {
            const ParcelaDireta& v = it->second;
            for (host::db::Statement* st : {&apagaCaixa, &apaga}) {
                st->setParam("D", v.documento);
                st->setParam("C", v.cliente);
                st->execute();
            }
            apagaNota.setParam("K", v.documento + v.cliente + "1");
            apagaNota.execute();
            total += v.valor;
            contratos += ", " + QString::number(it->first);
        }
        const QString novo = comRecibo ? documentoLoc(++numero) : p.documento;
        if (comRecibo) {
            for (host::db::Statement* st : {&cabecalho, &linha}) {
                st->setParam("N", novo);
                st->setParam("C", p.cliente);
                st->setParam("H", hoje);
            }
            linha.setParam("A", p.contrato);
            cabecalho.execute();
            linha.execute();
            renumeraCaixa.setParam("N", novo);
            renumeraCaixa.setParam("D", p.documento);
            renumeraCaixa.setParam("C", p.cliente);
            renumeraCaixa.execute();
            renumeraNotas.setParam("N", novo + p.cliente + "1");
            renumeraNotas.setParam("A", p.documento + p.cliente + "1");
            renumeraNotas.execute();
        }
        const QString nossoNumero = "01" + novo + "001";
        fatura.setParam("V", total);
        fatura.setParam("O", contratos.left(80));
        fatura.setParam("H", hoje);
        fatura.setParam("N", novo);
        fatura.setParam("NN", nossoNumero);
        fatura.setParam("C", p.cliente);
        fatura.setParam("D", p.documento);
        fatura.execute();
        nota.setParam("K", novo + p.cliente + "1");
        nota.setParam("T", contratos);
        nota.execute();
        boleto.setParam("N", novo);
        boleto.setParam("C", p.cliente);
        boleto.setParam("NN", nossoNumero);
        boleto.setParam("V", total);
        boleto.setParam("E", p.emissao);
        boleto.setParam("VENC", p.vencimento);
        boleto.setParam("H", hoje);
        boleto.setParam("T1", contratos);
        boleto.setParam("T2", contratos);
        boleto.setParam("T3", contratos);
        boleto.execute();
        tr.commitRetaining();
    }
}

// Ours, its replay and the direct writes of both kinds of billing on a new
// database of one kind.
void mede(bench::Gravador& gravador, bench::Escrita escrita, int principais)
{
    bench::Arquivo base("faturamento-locacao");
    bench::novoBancoHost(base.path, escrita);
    bench::Comparacao c[2];
    int faturadas[2] = {0, 0};
    {
        bench::ModuloContratos modulo(base.path, [](TdmGlobal& global) { global.SetParametro("ATLOCALPADRAO", "01"); });
        host::db::Transaction& tr = modulo.tr();
        preparaContratosLoc(tr, principais);
        fmAssContFatLocEquip.create();
        TfmAssContFatLocEquip& form = *fmAssContFatLocEquip.get();
        form.edFilial->setText("01");
        for (int recibo = 0; recibo < 2; ++recibo)
            c[recibo] = bench::comparaRodadas(
                bench::rodadasLote(), gravador, tr, [&] { repoeParcelasLoc(tr, principais); },
                [&] {
                    nossoFaturamentoLoc(form, recibo == 1);
                    faturadas[recibo] =
                        host::db::selectValue(tr, "select count(*) from ACRC5001 where SITUACAO_DOCUMENTO = ''")
                            .toInt();
                },
                [&] { diretoFaturamentoLoc(tr, recibo == 1); });
        form.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        repoeParcelasLoc(tr, principais);
        tr.commit();
    }
    const char* nomes[2] = {"rental billing", "rental billing with receipt"};
    for (int recibo = 0; recibo < 2; ++recibo) {
        const QByteArray titulo = QString("%1 of %2 instalments (%3 billed, two complements folded into each)")
                                      .arg(nomes[recibo])
                                      .arg(principais)
                                      .arg(faturadas[recibo])
                                      .toUtf8();
        bench::imprimeLote(titulo.constData(), escrita, c[recibo], principais, "instalments", {.meta = 3.0});
    }
}

}  // namespace

int main(int argc, char** argv) { return bench::executaLote(argc, argv, mede, 1000, 20, 3000); }
