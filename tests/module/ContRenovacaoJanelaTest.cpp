// Contract renewal opened through the dispatcher: the filters' conditions
// (a zero date, the manager's name), the row colours, the period by mode and
// the value through the real instalment generator, a contract without
// instalments, the batch in list order with its arguments, the stop on a
// failure and without a due date, and its picture.

#include "tests/module/ContLocFixture.h"

#include "rental/uAssContRenovacao.h"

#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "host/ui/ProgressWindow.h"
#include "tests/support/ProgressAtOnce.h"
#include "tests/support/ShowCounter.h"
#include "host/ui/StatusBar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include <stdexcept>
#include <vector>

namespace moduletest {
namespace {

using namespace uAssContRenovacao;

TEST(ContRenovacaoRegras, FiltersAddTheirConditionsAndAZeroDateNone)
{
    FiltroRenovacao f;
    f.terminoDe = DataZeroRenovacao();
    EXPECT_EQ(CondicoesRenovacao(f), QStringList{}) << "the zero date is no bound";
    f.terminoDe = QDate(2024, 3, 5);
    f.terminoAte = QDate(2024, 3, 6);
    f.gerente = " Marta ";
    f.cliente = "Ana";
    f.codigo = 12;
    f.numero = "L8";
    f.somenteAutomatico = true;
    EXPECT_EQ(CondicoesRenovacao(f),
              (QStringList{" and ac.acdatavalidade >= '03/05/2024 00:00:00'",
                           " and ac.acdatavalidade <= '03/06/2024 23:59:59.9999'", " and cl.nome containing 'Ana'",
                           " and fc.fnome containing 'Marta'", " and ac.accodigo = 12",
                           " and ac.acnumerocontrato containing 'L8'", " and coalesce(ac.acrenovacao, 'N') = 'S'"}));
    f = {};
    f.codCliente = "00004";
    f.cliente = "Ana";
    f.codGerente = "G1";
    f.gerente = "Marta";
    EXPECT_EQ(CondicoesRenovacao(f),
              (QStringList{" and ac.clcodigo = '00004'", " and ac.acresponsavel = 'G1'"}))
        << "a code wins over its name";
}

TEST(ContRenovacaoRegras, RowColoursByOpenPaymentsAndPickUp)
{
    EXPECT_EQ(CorLinhaRenovacao(2, "N"), CorRenovacao::AbertoSemRetirada);
    EXPECT_EQ(CorLinhaRenovacao(1, "S"), CorRenovacao::AbertoComRetirada);
    EXPECT_EQ(CorLinhaRenovacao(0, "S"), CorRenovacao::Retirada);
    EXPECT_EQ(CorLinhaRenovacao(0, ""), CorRenovacao::Normal);
    host::ui::CellStyle estilo;
    PintaLinhaRenovacao(estilo, CorRenovacao::AbertoSemRetirada, false);
    EXPECT_EQ(estilo.background, QColor(Qt::red));
    EXPECT_EQ(estilo.foreground, QColor(Qt::white));
    PintaLinhaRenovacao(estilo, CorRenovacao::AbertoComRetirada, false);
    EXPECT_EQ(estilo.background, QColor(255, 128, 0));
    PintaLinhaRenovacao(estilo, CorRenovacao::Retirada, false);
    EXPECT_EQ(estilo.background, QColor(Qt::yellow));
    EXPECT_EQ(estilo.foreground, QColor(Qt::black));
    PintaLinhaRenovacao(estilo, CorRenovacao::Retirada, true);
    EXPECT_EQ(estilo.background, QColor(166, 202, 240)) << "a selected row is sky blue";
    EXPECT_EQ(estilo.foreground, QColor(Qt::black));
    EXPECT_EQ(LegendaRenovacao(CorRenovacao::AbertoComRetirada), "Pgto. em aberto c/ retirada agendada");
}

class ContRenovacaoJanelaTest : public ContLocTest {
protected:
    TfmAssContRenovacao& abrir() { return abrirJanela(fmAssContRenovacao, "fmAssContRenovacao"); }
    // A receivable of the contract covering the period, with its situation.
    void parcelaPeriodo(int contrato, const QString& documento, const QString& de, const QString& ate, double valor,
                        const QString& situacao = "V")
    {
        exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                     " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO, CREMISSAOINI,"
                     " CREMISSAOFIN) values ('%1', '00004', 1, '01', %2, %3, '%4', '%4', %5, '%4', '%6')")
                 .arg(documento, situacao.isEmpty() ? QString("null") : "'" + situacao + "'")
                 .arg(valor)
                 .arg(de)
                 .arg(contrato)
                 .arg(ate));
    }
    // The contract's receivables as "start..end value", by due date.
    QStringList periodos(int contrato) const
    {
        return lido(QString("select extract(day from CREMISSAOINI) || '/' || extract(month from CREMISSAOINI) || '..' ||"
                            " extract(day from CREMISSAOFIN) || '/' || extract(month from CREMISSAOFIN) || ' ' ||"
                            " cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001 where AOCODIGO = %1"
                            " order by DATA_VENCIMENTO, NUMERO_DOCUMENTO")
                        .arg(contrato));
    }
    static void pesquisaCodigo(TfmAssContRenovacao& form, int codigo)
    {
        form.edCodigo->setText(QString::number(codigo));
        form.bbPesquisar->click();
    }
    static void vencimento(TfmAssContRenovacao& form)
    {
        form.deProxVencimento->setDate(QDateTime(QDate(2024, 2, 10), QTime(0, 0)));
    }
};

TEST_F(ContRenovacaoJanelaTest, AutomaticModeRenewsTheNextMonthWithTheLastValueOrTheContracts)
{
    contrato(801, "ACVALOR", "480");
    parcelaPeriodo(801, "000101", "2023-12-05", "2024-01-05", 120);
    parcelaPeriodo(801, "000102", "2024-01-05", "2024-02-05", 150);
    contrato(802);
    TfmAssContRenovacao& form = abrir();
    EXPECT_EQ(form.caption(), "Renovação de Contratos Locação Equipamentos");
    EXPECT_EQ(form.deEmissaoEm->date().date(), QDate::currentDate());
    EXPECT_FALSE(form.deVigenciaDe->isEnabled()) << "automatic by default";
    EXPECT_FALSE(form.cbPedidoCliente->isEnabled()) << "nothing listed";
    vencimento(form);
    pesquisaCodigo(form, 801);
    EXPECT_EQ(form.stInformacao->panelText(0), "Total de Registros: 1");
    EXPECT_TRUE(form.cbPedidoCliente->isEnabled());
    dialogs->answer("Sim", "Confirma a renovação do(s) Contrato(s)?");
    form.bbRenovar->click();
    EXPECT_EQ(periodos(801), (QStringList{"5/12..5/1 12000", "5/1..5/2 15000", "5/2..5/3 15000"}));
    EXPECT_FALSE(form.quConsulta->active()) << "searched again before another renewal";
    EXPECT_FALSE(form.cbPedidoCliente->isEnabled());
    EXPECT_EQ(form.stInformacao->panelText(0), "Total de Registros: 0") << "the count follows the emptied list";

    form.ckRenovarValorContrato->setChecked(true);
    pesquisaCodigo(form, 801);
    dialogs->answer("Sim");
    form.bbRenovar->click();
    EXPECT_EQ(periodos(801).last(), "5/3..5/4 48000") << "the contract's value when ticked";

    // Without instalments the period stays empty and nothing is made.
    pesquisaCodigo(form, 802);
    dialogs->answer("Sim");
    form.bbRenovar->click();
    EXPECT_EQ(periodos(802), QStringList{});
    EXPECT_EQ(dialogs->pending(), 0);
}

// A last period of January renewed with "Próximo Vencimento" 10/02: the new
// instalment covers the next period and falls due on the date asked for.
TEST_F(ContRenovacaoJanelaTest, TheRenewedInstalmentFallsDueOnTheDateAskedFor)
{
    contrato(801);
    parcelaPeriodo(801, "000101", "2024-01-01", "2024-01-31", 90);
    TfmAssContRenovacao& form = abrir();
    vencimento(form);
    pesquisaCodigo(form, 801);
    dialogs->answer("Sim", "Confirma a renovação do(s) Contrato(s)?");
    form.bbRenovar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select extract(day from DATA_VENCIMENTO) || '/' || extract(month from DATA_VENCIMENTO) || ' ' ||"
                   " extract(day from CREMISSAOINI) || '/' || extract(month from CREMISSAOINI) || '..' ||"
                   " extract(day from CREMISSAOFIN) || '/' || extract(month from CREMISSAOFIN)"
                   " from ACRC5001 where AOCODIGO = 801 and NUMERO_DOCUMENTO <> '000101'"),
              QStringList{"10/2 31/1..29/2"});
}

// Under composition mode 9 each instalment moves the contract's validity: a
// contract another desk deleted after the list was read is refused, with no
// instalment made for it.
TEST_F(ContRenovacaoJanelaTest, AContractAnotherDeskDeletedAfterTheListIsRefusedWithNothingMade)
{
    parametro("ATMODOCOMPOSICAO", "9");
    contrato(801, "ACDATAVALIDADE", "'2024-02-05'");
    parcelaPeriodo(801, "000101", "2024-01-05", "2024-02-05", 150);
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContRenovacao& form = abrir();
    vencimento(form);
    pesquisaCodigo(form, 801);
    ASSERT_EQ(form.stInformacao->panelText(0), "Total de Registros: 1");
    outraMesa("delete from AATC05AC where ACCODIGO = 801");
    dialogs->answer("Sim", "Confirma a renovação do(s) Contrato(s)?");
    dialogs->acknowledge("O contrato 801 não existe mais (excluído por outro usuário)");
    form.bbRenovar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(periodos(801), QStringList{"5/1..5/2 15000"});
    EXPECT_EQ(lido("select count(*) from ACXC94XP where XPID = 'R'"), QStringList{"0"});
}

// A contract renewed at another desk while the question is open is not
// renewed again: its customer is not billed a second period.
TEST_F(ContRenovacaoJanelaTest, AContractRenewedWhileTheQuestionIsOpenIsNotRenewedAgain)
{
    contrato(801);
    parcelaPeriodo(801, "000101", "2024-01-01", "2024-01-31", 90);
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContRenovacao& form = abrir();
    vencimento(form);
    pesquisaCodigo(form, 801);
    dialogs->answer("Sim", "Confirma a renovação do(s) Contrato(s)?")
        .meanwhile([this] {
            outraMesa("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                      " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO, CREMISSAOINI,"
                      " CREMISSAOFIN) values ('000102', '00004', 1, '01', 'V', 90, '2024-02-10', '2024-02-10', 801,"
                      " '2024-01-31', '2024-02-29')");
        })
        .acknowledge("O contrato 801 foi renovado em outra estação");
    form.bbRenovar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    EXPECT_EQ(periodos(801), (QStringList{"1/1..31/1 9000", "31/1..29/2 9000"}));
}

TEST_F(ContRenovacaoJanelaTest, ThreeContractsGiveThreeCallsInListOrderWithTheirArguments)
{
    parametro("ATOPERACAOCONTRATO", "512");
    contrato(801, "ACTIPOPAGAMENTO, BCCODIGO, ACPERIODO", "'3', '001', '1'");
    parcelaPeriodo(801, "000101", "2024-01-01", "2024-01-31", 90);
    contrato(802);
    contrato(803);
    parcelaPeriodo(803, "000103", "2024-02-01", "2024-03-01", 70);
    TfmAssContRenovacao& form = abrir();
    std::vector<ParcelasRenovacao> chamadas;
    form.gerador = [&](const ParcelasRenovacao& p) {
        chamadas.push_back(p);
        return 1;
    };
    vencimento(form);
    form.edNroContrato->setText("L80");
    form.bbPesquisar->click();
    // The last row is the one selected: every row is renewed all the same.
    form.quConsulta->last();
    form.cbPedidoCliente->setEditText("PC-7");
    dialogs->answer("Sim");
    form.bbRenovar->click();
    ASSERT_EQ(chamadas.size(), 3u);
    EXPECT_EQ(chamadas[0].contrato, 801);
    EXPECT_EQ(chamadas[1].contrato, 802);
    EXPECT_EQ(chamadas[2].contrato, 803);
    const ParcelasRenovacao& p = chamadas[0];
    EXPECT_EQ(p.primeiroVencimento, "10/02/2024") << "the first due date is the one asked for";
    EXPECT_EQ(p.dataFinal, "10/03/2024") << "as many months on as the period has";
    EXPECT_EQ(p.cliente, "00004");
    EXPECT_EQ(p.diaVencimento, "10");
    EXPECT_DOUBLE_EQ(p.valor, 90);
    EXPECT_EQ(p.filial, "01");
    EXPECT_EQ(p.tipoPagamento, "3");
    EXPECT_EQ(p.banco, "001");
    EXPECT_EQ(p.emissao, "10/02/2024");
    EXPECT_EQ(p.periodo, "1");
    EXPECT_EQ(p.filialPedido, "01");
    EXPECT_EQ(p.operacao, "512");
    EXPECT_FALSE(p.flag);
    EXPECT_TRUE(p.previsaoCaixa);
    EXPECT_EQ(p.vigenciaDe.date(), QDate(2024, 1, 31));
    EXPECT_EQ(p.vigenciaAte.date(), QDate(2024, 2, 29));
    EXPECT_DOUBLE_EQ(p.existentes, 90);
    EXPECT_TRUE(p.valorFixo);
    EXPECT_EQ(p.pedidoCliente, "PC-7");
    EXPECT_EQ(p.previsaoBoleto.date(), QDate::currentDate());
    EXPECT_TRUE(p.prorrogaValidade);
    EXPECT_EQ(chamadas[1].primeiroVencimento, "30/12/1899") << "no instalment: the zero period";
    EXPECT_EQ(chamadas[2].dataFinal, "10/03/2024");
    EXPECT_EQ(chamadas[2].vigenciaAte.date(), QDate(2024, 4, 1));

    // Manual: the period and emission typed; the payment type typed wins.
    chamadas.clear();
    form.rbManual->click();
    EXPECT_TRUE(form.deVigenciaDe->isEnabled());
    form.deVigenciaDe->setDate(QDateTime(QDate(2024, 6, 1), QTime(0, 0)));
    form.deVigenciaAte->setDate(QDateTime(QDate(2024, 9, 1), QTime(0, 0)));
    form.deEmissaoEm->setDate(QDateTime(QDate(2024, 5, 20), QTime(0, 0)));
    form.edTipoPgto->setText("07");
    pesquisaCodigo(form, 802);
    dialogs->answer("Sim");
    form.bbRenovar->click();
    ASSERT_EQ(chamadas.size(), 1u);
    EXPECT_EQ(chamadas[0].vigenciaDe.date(), QDate(2024, 6, 1));
    EXPECT_EQ(chamadas[0].vigenciaAte.date(), QDate(2024, 9, 1));
    EXPECT_EQ(chamadas[0].primeiroVencimento, "10/02/2024");
    EXPECT_EQ(chamadas[0].dataFinal, "10/05/2024") << "three months from the due date asked for";
    EXPECT_EQ(chamadas[0].previsaoBoleto.date(), QDate(2024, 5, 20));
    EXPECT_EQ(chamadas[0].tipoPagamento, "07");
}

TEST_F(ContRenovacaoJanelaTest, AFailureStopsTheBatchAndNoDueDateStopsItBefore)
{
    for (int c : {801, 802, 803})
        contrato(c);
    TfmAssContRenovacao& form = abrir();
    std::vector<int> chamadas;
    form.gerador = [&](const ParcelasRenovacao& p) {
        chamadas.push_back(p.contrato);
        if (p.contrato == 802)
            throw std::runtime_error("sem banco");
        return 1;
    };
    form.edNroContrato->setText("L80");
    form.bbPesquisar->click();
    dialogs->acknowledge("Informe a data do Próximo Vencimento");
    form.bbRenovar->click();
    EXPECT_TRUE(chamadas.empty()) << "a zero date would make every due day the 30th";
    EXPECT_TRUE(form.quConsulta->active());

    vencimento(form);
    dialogs->answer("Sim");
    dialogs->acknowledge("Causo do erro:sem banco");
    form.bbRenovar->click();
    EXPECT_EQ(chamadas, (std::vector<int>{801, 802}));
    EXPECT_TRUE(dialogs->texts().last().startsWith("Não foi possível gerar novo Contrato.\nCauso do erro:"))
        << dialogs->texts().last().toStdString();
    EXPECT_FALSE(form.quConsulta->active());
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ContRenovacaoJanelaTest, TheManagerFilterReadsTheManagersNameAndTheOrderListTheCustomers)
{
    exec("insert into AUGC0501 (FCOD, FNOME, FTIPO) values ('G0001', 'Marta Gerente', 'G')");
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('09001', 'Marta Cliente')");
    contrato(801, "ACRESPONSAVEL, ACDESCRICAO", "'G0001', 'Obra Norte'");
    exec("update AATC05AC set CLCODIGO = '09001', ACCONTRATANTE = '09001' where ACCODIGO = 801");
    contrato(802, "ACDESCRICAO", "'Obra Sul'");
    exec("update AATC05AC set CLCODIGO = '09001', ACCONTRATANTE = '09001' where ACCODIGO = 802");
    parcelaPeriodo(802, "000201", "2024-01-01", "2024-02-01", 50, "");
    TfmAssContRenovacao& form = abrir();
    form.edGerente->setText("Marta");
    form.bbPesquisar->click();
    ASSERT_EQ(form.quConsulta->recordCount(), 1);
    EXPECT_EQ(form.quConsulta->fieldByName("ACCODIGO")->asInteger(), 801);
    EXPECT_EQ(form.quConsulta->fieldByName("FNOME")->asString(), "Marta Gerente");
    EXPECT_EQ(form.cbPedidoCliente->count(), 2);
    EXPECT_EQ(form.cbPedidoCliente->itemText(0), "Obra Norte");

    form.edGerente->clear();
    form.edCliente->setText("Marta Cli");
    form.bbPesquisar->click();
    ASSERT_EQ(form.quConsulta->recordCount(), 2);
    form.quConsulta->last();
    EXPECT_EQ(form.quConsulta->fieldByName("SITUACAODCTO")->asInteger(), 1) << "a billed, open receivable";
    EXPECT_EQ(form.quConsulta->fieldByName("ULTVCTO")->asDateTime().date(), QDate(2024, 1, 1));
    EXPECT_EQ(logDe("[quConsultaOpen]").size(), 6);
}

TEST_F(ContRenovacaoJanelaTest, PictureOfTheListColoured)
{
    contrato(801, "ACCOMPROVANTERETIRADA, ACVALOR, ACRENOVACAO", "'S', 300, 'S'");
    contrato(802, "ACVALOR", "200");
    parcelaPeriodo(802, "000201", "2024-01-01", "2024-02-01", 50, "");
    contrato(803, "ACCOMPROVANTERETIRADA", "'S'");
    parcelaPeriodo(803, "000301", "2024-01-01", "2024-02-01", 50, "");
    contrato(804);
    TfmAssContRenovacao& form = abrir();
    form.edNroContrato->setText("L80");
    form.bbPesquisar->click();
    EXPECT_EQ(form.quConsulta->fieldByName("ACRENOVACAO")->displayText(), "Sim");
    guardaFoto(form, "fmAssContRenovacao.png");
}

// The progress window comes up once for the whole batch, not once per
// contract the instalment generator runs for, and is gone at the end.
TEST_F(ContRenovacaoJanelaTest, ABatchShowsOneProgressWindowForAllItsContracts)
{
    TfmAssContRenovacao& form = abrir();
    vencimento(form);
    for (int c = 850; c < 853; ++c) {
        contrato(c, "ACVALOR", "90");
        parcelaPeriodo(c, QString("%1").arg(c, 6, 10, QChar('0')), "2024-01-05", "2024-02-05", 75);
    }
    form.edNroContrato->setText("L85");
    form.bbPesquisar->click();
    EXPECT_EQ(form.stInformacao->panelText(0), "Total de Registros: 3");
    QApplication::processEvents();
    const testsupport::ProgressAtOnce semEspera;
    const testsupport::ShowCounter janela("fmSplash");
    dialogs->answer("Sim");
    form.bbRenovar->click();
    EXPECT_EQ(one("select count(*) from ACRC5001 where CREMISSAOINI = '2024-02-05'").toInt(), 3);
    EXPECT_EQ(janela.count(), 1);
    EXPECT_FALSE(host::ui::ProgressWindow::instance().isShown());
}

// Each renewal of a batch costs the same statements, whatever the
// receivables already stored: the free number is the engine's first row of
// an index, not a read of every number, and the generator's reads stay
// prepared from one contract to the next.
TEST_F(ContRenovacaoJanelaTest, EachRenewalOfABatchRunsTheSameStatements)
{
    parametro("ATPREVISAOCAIXA", "S");
    exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO, CXCODIGO) values (1, 'Locação', '1.01')");
    TfmAssContRenovacao& form = abrir();
    vencimento(form);
    struct Custo {
        std::uint64_t comandos, preparos;
    };
    const auto renova = [&](int primeiro, int contratos) {
        for (int c = primeiro; c < primeiro + contratos; ++c) {
            contrato(c, "ACVALOR, AJCODIGO", "90, 1");
            parcelaPeriodo(c, QString("%1").arg(c, 6, 10, QChar('0')), "2024-01-05", "2024-02-05", 75);
        }
        form.edNroContrato->setText(QString("L%1").arg(primeiro / 10));
        form.bbPesquisar->click();
        EXPECT_EQ(form.stInformacao->panelText(0), QString("Total de Registros: %1").arg(contratos));
        dialogs->answer("Sim");
        const testsupport::StatementCounter contador;
        form.bbRenovar->click();
        return Custo{std::uint64_t(contador.count()), std::uint64_t(contador.prepares())};
    };
    renova(810, 1);   // the first renewal prepares what the later ones find ready
    const Custo dois = renova(820, 2);
    const Custo seis = renova(830, 6);
    EXPECT_EQ(one("select count(*) from ACRC5001 where CREMISSAOINI = '2024-02-05'").toInt(), 9);
    EXPECT_EQ(one("select max(NUMERO_DOCUMENTO) from ACRC5001").toString(), "000841")
        << "each new number after the largest stored";
    // Per contract: the window's read of its last receivable; the generator's
    // job lock and hold on the contract, its reads of the contract, its value, items,
    // operation taxes, cash account and template, and its earlier forecasts;
    // the instalment's savepoint (taken once: the commit ends it, so its
    // release costs nothing), free number, receivable with its covered
    // period, cash forecast and observation: 14. The billing object the observation names is read once
    // for the batch. The direct writes need two of these: the rules
    // read what decides the value, the account and the number, and each
    // instalment is written whole or not at all.
    EXPECT_EQ((seis.comandos - dois.comandos) / 4, 14u) << seis.comandos << " " << dois.comandos;
    EXPECT_EQ(seis.preparos - dois.preparos, 0u) << "nothing prepared again for another contract";
}

}  // namespace
}  // namespace moduletest
