// One order worked at two desks on a new installation: the other desk's
// lines neither shorten the stored total nor refuse this desk; the discount
// reaches the sales order, and billing bills the lines' total.

#include "tests/module/PrimeiroUsoOrdemFixture.h"

#include "host/Upesq.h"
#include "host/data/DataSource.h"
#include "host/data/Dataset.h"
#include "host/db/Database.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssFaturamento.h"

#include <QLineEdit>
#include <QPushButton>

#include <vector>

namespace moduletest {
namespace {

// A kind of line numbered within its order: its page and grid, what is
// typed into a new one, its table, and the other desk's line of it and the
// header's total that line changes.
struct LinhaNumerada {
    host::ui::TabSheet* aba;
    host::ui::DataGrid* grade;
    const char *campo, *texto, *tabela, *outraLinha, *totalOutra;
};

std::vector<LinhaNumerada> linhasNumeradas(TfmAssOrdemServico& form)
{
    return {
        {form.tsPecasOS, form.dbgdOrdemServicoPecas, "PRCODIGO", "P0005", "AATC01AP",
         "AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APQUANTIDADE, APVALUNITARIO, APVALTOTAL,"
         " APAUTORIZADO, APTIPO) select AOCODIGO, 1, min(AOITCODIGO), 'P0005', 1, 10, 10, 'S', '3'"
         " from AATC01AOIT where AOCODIGO = %1 group by AOCODIGO",
         "AOVALORPECAS = coalesce(AOVALORPECAS, 0) + 10"},
        {form.tsDespesaExtra, form.dbgdOrdemServicoDespExtra, "AXVALOR", "40", "AATC01AX",
         "AATC01AX (AOCODIGO, AXCODIGO, AXVALOR) values (%1, 1, 10)",
         "AODESPDIVERSAS = coalesce(AODESPDIVERSAS, 0) + 10"},
        {form.tsDespesaViagem, form.dbgdOrdemServicoDespViagem, "AVPEDVALOR", "7", "AATC01AV",
         "AATC01AV (AOCODIGO, AVCODIGO, AVVALORTOTAL) values (%1, 1, 10)",
         "AODESPVIAGEM = coalesce(AODESPVIAGEM, 0) + 10"},
    };
}

class PrimeiroUsoDuasMesasTotalTest : public PrimeiroUsoOrdemTest {
protected:
    // A new line of the kind typed into its grid (a travel line with its quantity).
    void novaLinha(TfmAssOrdemServico& form, const LinhaNumerada& caso)
    {
        clicaAba(form.pcOrdemServico, caso.aba);
        novaLinhaNaGrade(caso.grade, caso.campo, caso.texto);
        if (QString(caso.tabela) == "AATC01AV")
            celula(caso.grade, "AVPEDQUANTIDADE", "2", Qt::Key_Return);
    }
    // A new order with its item; its number.
    QString ordemComItem(TfmAssOrdemServico*& form)
    {
        const QString os = ordemNova(form);
        novaLinhaNaGrade(form->dbgdOrdemServicoItens, "AOITEQUIPDESCRICAO", "Impressora laser");
        form->bbSalvar->click();
        return os;
    }
    // The other desk saves a labour line of 100,00 and totals the order as
    // its window does.
    void outraMesaLancaServico(const QString& os, int linha)
    {
        outraMesa(QString("insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR,"
                          " AAVALORTOTAL, AAAUTORIZADO, AATIPO, AADATA) select AOCODIGO, %2, min(AOITCODIGO),"
                          " 'S0001', 1, 100, 100, 'S', '3', 'TODAY' from AATC01AOIT where AOCODIGO = %1"
                          " group by AOCODIGO")
                      .arg(os)
                      .arg(linha));
        outraMesa("update AATC01AO set AOVALORSERVICO = coalesce(AOVALORSERVICO, 0) + 100,"
                  " AOVALORTOTAL = coalesce(AOVALORTOTAL, 0) + 100 where AOCODIGO = " + os);
    }
    // The committed total in cents, checked against the lines' and
    // expenses' total less the discount.
    QString total(const QString& os)
    {
        const QStringList totais =
            committed("select cast(AOVALORTOTAL * 100 as integer) || ' | ' || cast(((select coalesce(sum("
                      "AAVALORTOTAL), 0) from AATC01AA where AOCODIGO = O.AOCODIGO) + (select coalesce(sum("
                      "APVALTOTAL), 0) from AATC01AP where AOCODIGO = O.AOCODIGO) + (select coalesce(sum("
                      "AXVALOR), 0) from AATC01AX where AOCODIGO = O.AOCODIGO) + (select coalesce(sum("
                      "AVVALORTOTAL), 0) from AATC01AV where AOCODIGO = O.AOCODIGO) - coalesce(AODESCONTO, 0))"
                      " * 100 as integer) from AATC01AO O where AOCODIGO = " + os)
                .toString()
                .split(" | ");
        EXPECT_EQ(totais.value(0), totais.value(1)) << "stored total, lines' total; " << vistos();
        return totais.value(0);
    }
};

// The other desk's lines saved while this desk adds its own and types.
TEST_F(PrimeiroUsoDuasMesasTotalTest, AnotherDesksLinesNeitherShortenTheTotalNorRefuseThisDesk)
{
    TfmAssOrdemServico* form = nullptr;
    const QString os = ordemComItem(form);
    outraMesaLancaServico(os, 90);
    clicaAba(form->pcOrdemServico, form->tsServico);
    novaLinhaNaGrade(form->dbgdOrdemServicoServicos, "PRCODIGO", "S0001");
    form->bbSalvar->click();
    total(os);
    outraMesaLancaServico(os, 95);
    digita(form->dbedContato, "Beatriz");
    form->bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select AOCONTATO from AATC01AO where AOCODIGO = " + os), QStringList{"Beatriz"});
    total(os);
}

// A line of each kind typed here while another desk saves one of the same
// order: "Salvar" keeps both, and the total counts both.
TEST_F(PrimeiroUsoDuasMesasTotalTest, ALineTypedHereIsSavedAfterAnotherDeskSavedOne)
{
    TfmAssOrdemServico* form = nullptr;
    const QString os = ordemComItem(form);
    for (const LinhaNumerada& caso : linhasNumeradas(*form)) {
        novaLinha(*form, caso);
        outraMesa(QString("insert into ") + QString(caso.outraLinha).arg(os));
        outraMesa(QString("update AATC01AO set %1, AOVALORTOTAL = coalesce(AOVALORTOTAL, 0) + 10 where AOCODIGO = %2")
                      .arg(caso.totalOutra, os));
        form->bbSalvar->click();
        EXPECT_EQ(recusas(), QStringList{}) << caso.tabela << ": " << vistos();
        EXPECT_EQ(lido(QString("select count(*) from %1 where AOCODIGO = %2").arg(caso.tabela, os)),
                  QStringList{"2"})
            << caso.tabela;
        total(os);
    }
}

// A line of each kind numbered by the order saved here while another desk's
// line of the order is written and not yet committed: "Salvar" stores it,
// once, beside the other.
TEST_F(PrimeiroUsoDuasMesasTotalTest, ALineIsSavedWhileAnotherDesksLineIsInFlight)
{
    TfmAssOrdemServico* form = nullptr;
    const QString os = ordemComItem(form);
    for (const LinhaNumerada& caso : linhasNumeradas(*form)) {
        novaLinha(*form, caso);
        host::db::Connection outra;
        outra.open({dbPath});
        host::db::Transaction emCurso(outra);
        host::db::executeSql(emCurso, QString("insert into ") + QString(caso.outraLinha).arg(os));
        form->bbSalvar->click();
        EXPECT_EQ(recusas(), QStringList{}) << caso.tabela << ": " << vistos();
        const QString conta = QString("select count(*) from %1 where AOCODIGO = %2").arg(caso.tabela, os);
        EXPECT_EQ(lido(conta), QStringList{"1"}) << caso.tabela;
        emCurso.commit();
        EXPECT_EQ(lido(conta), QStringList{"2"}) << caso.tabela;
    }
}

// An order billed at another desk takes no further line of any kind and
// loses none: the refusal says why, and stores or deletes nothing however
// often it is tried.
TEST_F(PrimeiroUsoDuasMesasTotalTest, AnOrderBilledAtAnotherDeskTakesNoFurtherLine)
{
    TfmAssOrdemServico* form = nullptr;
    const QString os = ordemComItem(form);
    clicaAba(form->pcOrdemServico, form->tsServico);
    novaLinhaNaGrade(form->dbgdOrdemServicoServicos, "PRCODIGO", "S0001");
    form->bbSalvar->click();
    const QString faturado = total(os);
    outraMesa("update AATC01AO set CRDOCUMENTO = '000777' where AOCODIGO = " + os);
    const struct {
        host::ui::TabSheet* aba;
        host::ui::DataGrid* grade;
        const char *campo, *texto, *tabela;
    } casos[] = {
        {form->tsPecasOS, form->dbgdOrdemServicoPecas, "PRCODIGO", "P0005", "AATC01AP"},
        {form->tsServico, form->dbgdOrdemServicoServicos, "PRCODIGO", "S0001", "AATC01AA"},
        {form->tsDespesaExtra, form->dbgdOrdemServicoDespExtra, "AXVALOR", "40", "AATC01AX"},
        {form->tsDespesaViagem, form->dbgdOrdemServicoDespViagem, "AVPEDVALOR", "7", "AATC01AV"},
    };
    qsizetype recusadas = 0;
    for (const auto& caso : casos) {
        const QStringList antes = lido(QString("select count(*) from %1 where AOCODIGO = %2").arg(caso.tabela, os));
        clicaAba(form->pcOrdemServico, caso.aba);
        novaLinhaNaGrade(caso.grade, caso.campo, caso.texto);
        for (int vez = 0; vez < 2; ++vez)
            form->bbSalvar->click();
        recusadas += 2;
        EXPECT_EQ(dialogs->texts().filter("já foi faturada").size(), recusadas) << caso.tabela << ": " << vistos();
        EXPECT_EQ(lido(QString("select count(*) from %1 where AOCODIGO = %2").arg(caso.tabela, os)), antes)
            << caso.tabela;
        EXPECT_EQ(total(os), faturado) << caso.tabela;
        caso.grade->dataSource()->dataset()->cancel();
    }
    // Nor does the billed labour line go.
    clicaAba(form->pcOrdemServico, form->tsServico);
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    ctrlDeleteNaCelula(form->dbgdOrdemServicoServicos, "AAQUANTIDADE");
    EXPECT_EQ(dialogs->texts().filter("já foi faturada").size(), recusadas + 1) << vistos();
    EXPECT_EQ(lido("select count(*) from AATC01AA where AOCODIGO = " + os), QStringList{"1"});
    EXPECT_EQ(total(os), faturado);
}

// The discount never takes the stored total below zero: typed while the
// order's only line is still unsaved, or left standing when the line goes.
// Refused in words; what is stored still adds up.
TEST_F(PrimeiroUsoDuasMesasTotalTest, ADiscountNeverTakesTheStoredTotalBelowZero)
{
    TfmAssOrdemServico* form = nullptr;
    const QString os = ordemComItem(form);
    auto* desconto = form->findChild<host::ui::DataEdit*>("dbedTotalDESCONTO");
    clicaAba(form->pcOrdemServico, form->tsServico);
    novaLinhaNaGrade(form->dbgdOrdemServicoServicos, "PRCODIGO", "S0001");
    digita(desconto, "100000");
    dialogs->acknowledge("Desconto da ordem de serviço " + os);
    form->bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    form->bbCancelar->click();
    EXPECT_GE(total(os).toLongLong(), 0) << vistos();

    novaLinhaNaGrade(form->dbgdOrdemServicoServicos, "PRCODIGO", "S0001");
    form->bbSalvar->click();
    const QString linhas = total(os);
    digita(desconto, QString::number(linhas.toDouble() / 100, 'f', 2).replace('.', ','));
    form->bbSalvar->click();
    ASSERT_EQ(total(os), "0") << vistos();
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    dialogs->acknowledge("Desconto da ordem de serviço " + os);
    ctrlDeleteNaCelula(form->dbgdOrdemServicoServicos, "AAQUANTIDADE");
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(lido("select count(*) from AATC01AA where AOCODIGO = " + os), QStringList{"1"});
    EXPECT_EQ(total(os), "0");
}

TEST_F(PrimeiroUsoDuasMesasTotalTest, AnOrderWithADiscountIsSoldAndBilledAtItsLinesTotal)
{
    TfmAssOrdemServico* form = nullptr;
    const QString os = ordemComItem(form);
    clicaAba(form->pcOrdemServico, form->tsServico);
    novaLinhaNaGrade(form->dbgdOrdemServicoServicos, "PRCODIGO", "S0001");
    digita(form->findChild<host::ui::DataEdit*>("dbedTotalDESCONTO"), "20");
    form->bbSalvar->click();
    outraMesaLancaServico(os, 90);
    clicaAba(form->pcOrdemServico, form->tsPecasOS);
    novaLinhaNaGrade(form->dbgdOrdemServicoPecas, "PRCODIGO", "P0005");
    form->bbSalvar->click();
    const QString antes = total(os);

    dialogs->answer("1)Venda", "Selecione a opção desejada");
    dialogs->answer("Não", "Deseja abrir o pedido de vendas?");
    form->bbPedidoVenda->click();
    EXPECT_EQ(lido("select cast(DESCONTO_GERAL * 100 as integer) || ' ' || cast(VALOR_TOTAL * 100 as integer)"
                   " from AVEC8501 where AOCODIGO = " + os),
              QStringList{"2000 " + antes});

    TfmAssFaturamento& faturamento = abrirJanela(fmAssFaturamento, "fmAssFaturamento");
    faturamento.edOSIni->setText(os);
    faturamento.bbPesquisar->click();
    faturamento.dbgdAssFaturamentoPesq->onDblClick();
    // Payment term (meanwhile, maybe, another desk's line), bank, no new situation.
    auto gerarReceber = [&](bool outraLinha) {
        dialogs->modal("fmPesquisa", [this, os, outraLinha](host::ui::Form& janela) {
            if (outraLinha)
                outraMesaLancaServico(os, 95);
            ASSERT_TRUE(static_cast<TfmPesquisa&>(janela).dataSource()->dataset()->locate("CODIGO", "01"));
            QTest::keyClick(static_cast<TfmPesquisa&>(janela).grid(), Qt::Key_Return);
        });
        pesquisa("CODIGO_BANCO", "001");
        dialogs->modal("fmPesquisa", [](host::ui::Form& janela) { janela.close(); });
        faturamento.bbGera->click();
    };
    const QStringList receber = lido("select count(*) from ACRC5001");
    gerarReceber(true);
    EXPECT_EQ(dialogs->texts().filter("teve o total alterado").size(), 1) << vistos();
    EXPECT_EQ(lido("select count(*) from ACRC5001"), receber) << "no receivable of the listed total";
    gerarReceber(false);
    EXPECT_EQ(lido("select cast(sum(VALOR_DOCUMENTO) * 100 as integer) from ACRC5001 where NUMERO_DOCUMENTO ="
                   " (select CRDOCUMENTO from AATC01AO where AOCODIGO = " + os + ")"),
              QStringList{total(os)});
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
}

}  // namespace
}  // namespace moduletest
