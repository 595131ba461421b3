// The contract invoicing window, opened through the dispatcher and driven
// through its controls: the branch required, the search and its count, the
// forecast run, the officialising selection, the filters that toggle and
// normalise, F8, the two grids and the preview.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssContFat.h"
#include "contract_data/uDataTecCont.h"
#include "host/Udmglobal.h"
#include "host/Unotafiscal.h"
#include "host/Upesq.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/PageControl.h"
#include "host/ui/ProgressWindow.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/StatusBar.h"
#include "module/uPackageAss.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <limits>
#include <utility>
#include <vector>

namespace moduletest {
namespace {

using host::ui::Form;

class FaturamentoJanelaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        parametro("ATUTILIZACONTRATOS", "S");
        for (const char* sql : {
                 "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('T0001', 'Alfa Contratante')",
                 "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('T0002', 'Beta Contratante')",
                 "insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJOBJETO, AJCOMPLNF) values (904, 'Manutenção',"
                 " 'Manutenção mensal', '2 - Objeto')",
                 "insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, AJCODIGO,"
                 " ACMODALIDADE, ACPERIODO, ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA, ACTIPOPAGAMENTO, ACVINCULO)"
                 " values (901, 'C-901', 'T0001', 'A', '01', 904, 'R', 'M', 10, 'S', 120, '2', 'P')",
                 "insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, AJCODIGO,"
                 " ACMODALIDADE, ACPERIODO, ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA, ACTIPOPAGAMENTO)"
                 " values (902, 'C-902', 'T0002', 'A', '01', 904, 'R', 'M', 15, 'S', 80, '2')",
                 "insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACVINCULO)"
                 " values (903, 'C-903', 'T0001', 'A', '01', 'C')",
             })
            exec(sql);
        dmGlobal->IBTransaction1->commitRetaining();
    }

    TfmAssContFat& abrir() { return abrirJanela(fmAssContFat, "fmAssContFat"); }
    // Contract C-901 billed with the invoice operation given, its window
    // filled for the October to December forecasts billed on 05/10/2031.
    TfmAssContFat& abrirOutubroADezembro(const char* operacao)
    {
        exec(QString("update AATC11AJ set OFCODIGO = '%1' where AJCODIGO = 904").arg(operacao));
        parametro("ATPRODUTOCONTRATO", "S0003");
        TfmAssContFat& form = abrir();
        digita(form.edUnNegocioIni, "01");
        digita(form.edContratoAleatorio, "C-901");
        digita(form.edPrevisaoIni, "01/10/2031");
        digita(form.edPrevisaoFim, "01/12/2031");
        digita(form.mdDataFaturamento, "05/10/2031");
        return form;
    }
    int linhas(host::ui::DataGrid* grade) { return grade->model()->rowCount(); }
    QVariant valor(const QString& sql) { return one(sql); }
    // What the transaction keeps once uncommitted work is dropped.
    void descartaPendentes() { dmGlobal->IBTransaction1->rollbackRetaining(); }
};

TEST_F(FaturamentoJanelaTest, BranchIsRequiredBeforeAnySearchOrRun)
{
    TfmAssContFat& form = abrir();
    EXPECT_EQ(form.caption(), "Gerar Faturamento de Contratos");
    EXPECT_FALSE(form.dbgdParc->isVisible());
    EXPECT_EQ(form.rgTipo->itemIndex(), 0);
    dialogs->acknowledge("Informe a filial desejada!");
    form.bbPesquisar->click();
    EXPECT_FALSE(form.quPesq->active());
    form.rgTipo->button(3)->click();
    dialogs->acknowledge("Informe a filial desejada!");
    form.bbBaixar->click();
    EXPECT_FALSE(form.quPesq->active());
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(FaturamentoJanelaTest, SearchListsActiveContractsAndCountsThem)
{
    TfmAssContFat& form = abrir();
    digita(form.edUnNegocioIni, "01");
    digita(form.edContratoAleatorio, "'C-901','C-902','C-903'");
    form.cbOrdem->setCurrentIndex(3);
    form.bbPesquisar->click();
    ASSERT_TRUE(form.quPesq->active());
    EXPECT_EQ(linhas(form.dbgdAssContFat), 2) << "the complementary contract is never listed";
    EXPECT_EQ(form.stInfo->panelText(0), "Total de Contratos: 2");
    EXPECT_EQ(form.dbgdAssContFat->column(1)->field()->displayText(), "Alfa Contratante");
    EXPECT_EQ(form.dbgdAssContFat->column(4)->fieldName(), "ACVENCIMENTO");
    const QStringList log = logDe("[quPesqOpen]");
    ASSERT_EQ(log.size(), 3);
    EXPECT_EQ(log.first(), "***INICIO");
    EXPECT_TRUE(log.at(1).contains("Cont.acNumeroContrato in ('C-901', 'C-902', 'C-903')"));
    EXPECT_EQ(log.last(), "***FIM");

    digita(form.edContratoAleatorio, "'C-901') or (1=1");
    form.bbPesquisar->click();
    EXPECT_EQ(linhas(form.dbgdAssContFat), 0) << "a quote typed in the list finds nothing";
    EXPECT_EQ(form.stInfo->panelText(0), "Total de Contratos: 0");
}

TEST_F(FaturamentoJanelaTest, ForecastRunWritesTheInstalmentsAndShowsThem)
{
    TfmAssContFat& form = abrir();
    digita(form.edUnNegocioIni, "01");
    digita(form.edContratoAleatorio, "C-901,C-902");
    digita(form.edPrevisaoIni, "01/10/2031");
    digita(form.edPrevisaoFim, "01/01/2032");

    dialogs->acknowledge("Data de faturamento inválida!");
    form.bbBaixar->click();
    EXPECT_EQ(valor("select count(*) from ACRC5001 where AOCODIGO in (901, 902)").toInt(), 0);

    digita(form.mdDataFaturamento, "05/10/2031");
    dialogs->answer("Não", "Tem certeza de que deseja gerar faturamento do período?");
    form.bbBaixar->click();
    EXPECT_EQ(valor("select count(*) from ACRC5001 where AOCODIGO in (901, 902)").toInt(), 0);

    dialogs->answer("Sim", "Tem certeza de que deseja gerar faturamento do período?");
    dialogs->acknowledge("Operação efetuada com sucesso!Parcelas inseridas: 6");
    form.bbBaixar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    descartaPendentes();
    EXPECT_EQ(valor("select count(*) from ACRC5001 where AOCODIGO = 901 and SITUACAO_DOCUMENTO = 'V'").toInt(), 3)
        << "committed";
    EXPECT_EQ(valor("select sum(VALOR_DOCUMENTO) from ACRC5001 where AOCODIGO = 902").toDouble(), 240);
    EXPECT_TRUE(form.dbgdParc->isVisible());
    EXPECT_FALSE(form.dbgdAssContFat->isVisible());
    EXPECT_EQ(linhas(form.dbgdParc), 6);
    EXPECT_EQ(form.dbgdParc->column(0)->field()->displayText(), "C-901");

    emit form.dbgdParc->doubleClicked(form.dbgdParc->model()->index(0, 0));
    EXPECT_FALSE(form.dbgdAssContFat->isHidden()) << "back to the contract list, nothing reloaded";
    EXPECT_EQ(linhas(form.dbgdAssContFat), 2);
}

TEST_F(FaturamentoJanelaTest, OfficialisingModeListsOneRowPerInstalment)
{
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " AOCODIGO, DATA_VENCIMENTO, VALOR_DOCUMENTO) values ('101031', 'T0001', 1, '01', 'V', 901, '2031-10-10',"
         " 120)");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " AOCODIGO, DATA_VENCIMENTO, VALOR_DOCUMENTO) values ('101131', 'T0001', 1, '01', 'V', 901, '2031-11-10',"
         " 120)");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " AOCODIGO, DATA_VENCIMENTO, VALOR_DOCUMENTO) values ('000777', 'T0001', 1, '01', '', 901, '2031-09-10',"
         " 120)");
    TfmAssContFat& form = abrir();
    digita(form.edUnNegocioIni, "01");
    digita(form.edContratoAleatorio, "C-901,C-902");
    form.rgTipo->button(3)->click();
    form.bbPesquisar->click();
    EXPECT_EQ(linhas(form.dbgdAssContFat), 2);
    EXPECT_EQ(form.stInfo->panelText(0), "Total de Contratos: 2") << "instalment rows, not contracts";
    EXPECT_EQ(form.dbgdAssContFat->column(4)->fieldName(), "DATA_VENCIMENTO");
    EXPECT_EQ(form.dbgdAssContFat->column(4)->field()->displayText(), "10/10/2031");

    form.pcFatura->setCurrentIndex(2);
    form.ckCRAberta->click();
    form.bbPesquisar->click();
    EXPECT_EQ(form.stInfo->panelText(0), "Total de Contratos: 3") << "open instalments in any situation";
    form.ckSemPrevisao->click();
    form.ckCRAberta->click();
    form.bbPesquisar->click();
    EXPECT_EQ(form.stInfo->panelText(0), "Total de Contratos: 0");
}

// Mode 3 end to end on the window: the forecasts made by a forecast run are
// listed one row per instalment, "Gerar" turns them into invoices, and the
// next search lists only the forecasts that the run wrote for the next period.
TEST_F(FaturamentoJanelaTest, GenerateInOfficialisingModeInvoicesTheListedForecasts)
{
    TfmAssContFat& form = abrirOutubroADezembro("5933");
    dialogs->answer("Sim", "Tem certeza de que deseja gerar faturamento do período?")
        .acknowledge("Operação efetuada com sucesso!Parcelas inseridas: 2");
    form.bbBaixar->click();
    ASSERT_EQ(dialogs->pending(), 0);

    form.rgTipo->button(3)->click();
    form.bbPesquisar->click();
    ASSERT_EQ(linhas(form.dbgdAssContFat), 2);
    EXPECT_EQ(form.dbgdAssContFat->column(4)->field()->displayText(), "10/10/2031");

    dialogs->acknowledge("Operação efetuada com sucesso!").acknowledge("Operação efetuada com sucesso!");
    form.bbBaixar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    ASSERT_FALSE(dialogs->shown().empty());
    EXPECT_TRUE(dialogs->shown().back().detail.contains("Notas fiscais geradas: "))
        << dialogs->shown().back().detail.toStdString();
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('|').toStdString();
    EXPECT_EQ(linhas(form.dbgdAssContFat), 0) << "the run closes the selection it walked";
    EXPECT_TRUE(form.dbgdAssContFat->isVisible());
    descartaPendentes();
    EXPECT_EQ(valor("select count(*) from ACEM1401").toInt(), 2) << "one invoice per instalment";
    EXPECT_EQ(valor("select count(*) from ACRC5001 where AOCODIGO = 901 and SITUACAO_DOCUMENTO = 'V'").toInt(), 2)
        << "each officialised instalment forecasts the next period";
    EXPECT_EQ(valor("select count(*) from ACRC5001 where AOCODIGO = 901 and coalesce(SITUACAO_DOCUMENTO, '') = ''"
                    " and NUMERO_DOCUMENTO in (select DOCUMENTO from ACEM1401)")
                  .toInt(),
              2)
        << "the officialised ones carry their invoice's number";

    form.bbPesquisar->click();
    EXPECT_EQ(form.stInfo->panelText(0), "Total de Contratos: 2");
    EXPECT_EQ(form.dbgdAssContFat->column(4)->field()->displayText(), "10/12/2031") << "the next forecasts";
}

// "Mostrar Contas Abertas": an open instalment billed is on an order, in
// either numbering (under ATRECIBOCONTRATO "F" it keeps its own number): the
// next search does not list it, so it is never billed twice.
TEST_F(FaturamentoJanelaTest, AnOpenInstalmentBilledIsNotListedAgain)
{
    TfmAssContFat& form = abrirOutubroADezembro("5933");
    form.rgTipo->button(3)->click();
    form.pcFatura->setCurrentIndex(2);
    form.ckCRAberta->click();
    const struct {
        const char *recibo, *documento;
    } casos[] = {{"F", "000777"}, {"", "000778"}};
    for (const auto& caso : casos) {
        parametro("ATRECIBOCONTRATO", caso.recibo);
        exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
             " AOCODIGO, DATA_VENCIMENTO, VALOR_DOCUMENTO) values (:D, 'T0001', 1, '01', '', 901, '2031-10-10', 120)",
             {{"D", caso.documento}});
        dmGlobal->IBTransaction1->commitRetaining();
        form.bbPesquisar->click();
        EXPECT_EQ(form.stInfo->panelText(0), "Total de Contratos: 1") << caso.recibo;
        dialogs->acknowledge("Operação efetuada com sucesso!").acknowledge("Operação efetuada com sucesso!");
        form.bbBaixar->click();
        form.bbPesquisar->click();
        EXPECT_EQ(form.stInfo->panelText(0), "Total de Contratos: 0") << caso.recibo;
    }
    EXPECT_EQ(dialogs->pending(), 0);
    descartaPendentes();
    EXPECT_EQ(valor("select count(*) from ACEM1401").toInt(), 2) << "one invoice per instalment";
}

// More instalments than the engine takes values in one list, a contract's
// each: each is officialised with its invoice, and the invoice window opens
// on them all.
TEST_F(FaturamentoJanelaTest, OfficialisingMoreInstalmentsThanOneListHoldsOpensTheInvoiceWindowOnAll)
{
    exec("update AATC11AJ set OFCODIGO = '5933' where AJCODIGO = 904");
    parametro("ATPRODUTOCONTRATO", "S0003");
    const int parcelas = 1501;
    for (int contrato = 1001; contrato < 1001 + parcelas; ++contrato) {
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values (:C, 'Cliente ' || :C)", {{"C", contrato}});
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, AJCODIGO, ACMODALIDADE,"
             " ACPERIODO, ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA, ACTIPOPAGAMENTO) values (:C, 'L-' || :C, :C,"
             " 'A', '01', 904, 'R', 'M', 10, 'S', 120, '2')",
             {{"C", contrato}});
        exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
             " AOCODIGO, DATA_VENCIMENTO, VALOR_DOCUMENTO) values ('101031', :C, 1, '01', 'V', :C,"
             " '2031-10-10', 120)",
             {{"C", contrato}});
    }
    TfmAssContFat& form = abrir();
    digita(form.edUnNegocioIni, "01");
    digita(form.mdDataFaturamento, "05/10/2031");
    form.rgTipo->button(3)->click();
    form.bbPesquisar->click();
    ASSERT_EQ(form.stInfo->panelText(0), "Total de Contratos: 1501");

    dialogs->acknowledge("Operação efetuada com sucesso!").acknowledge("Operação efetuada com sucesso!");
    form.bbBaixar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('|').left(500).toStdString();
    EXPECT_EQ(lido("select count(*) from ACEM1401"), QStringList{QString::number(parcelas)});
    ASSERT_TRUE(fmNotaFiscal);
    EXPECT_EQ(fmNotaFiscal->quNotaFiscal->recordCount(), parcelas);
}

// Paints of a window and its controls while the counter lives.
class PinturasDaJanela : public QObject {
public:
    explicit PinturasDaJanela(QWidget& janela) : janela_(janela) { qApp->installEventFilter(this); }
    ~PinturasDaJanela() override { qApp->removeEventFilter(this); }
    int pinturas = 0;

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override
    {
        if (evento->type() == QEvent::Paint && alvo->isWidgetType() &&
            (alvo == &janela_ || janela_.isAncestorOf(static_cast<QWidget*>(alvo))))
            ++pinturas;
        return false;
    }

private:
    QWidget& janela_;
};

// A run over more contracts paints the window and writes its notices no
// more often than one over a single contract.
TEST_F(FaturamentoJanelaTest, ForecastRunPaintsAndWritesNoticesOnceWhateverTheContracts)
{
    // The progress window stays down: a paint it lets through would depend on the machine's speed.
    host::ui::ProgressWindow& progresso = host::ui::ProgressWindow::instance();
    const int minimo = progresso.minimumDuration();
    progresso.setMinimumDuration(std::numeric_limits<int>::max());
    TfmAssContFat& form = abrir();
    digita(form.edUnNegocioIni, "01");
    digita(form.edPrevisaoIni, "01/10/2031");
    digita(form.edPrevisaoFim, "01/01/2032");
    digita(form.mdDataFaturamento, "05/10/2031");
    struct Caso { const char* contratos; int parcelas; };
    std::vector<std::pair<int, int>> custos;
    for (const Caso& caso : {Caso{"C-901", 3}, Caso{"C-901,C-902", 6}}) {
        digita(form.edContratoAleatorio, caso.contratos);
        dialogs->answer("Sim", "Tem certeza de que deseja gerar faturamento do período?")
            .acknowledge("Operação efetuada com sucesso!Parcelas inseridas: " + QString::number(caso.parcelas));
        int escritas = 0;
        auto conexao = QObject::connect(form.meAviso, &QPlainTextEdit::textChanged, [&] { ++escritas; });
        PinturasDaJanela pinturas(form);
        form.bbBaixar->click();
        QObject::disconnect(conexao);
        EXPECT_EQ(dialogs->pending(), 0) << caso.contratos;
        EXPECT_LE(escritas, 1) << caso.contratos;
        custos.emplace_back(pinturas.pinturas, escritas);
    }
    progresso.setMinimumDuration(minimo);
    EXPECT_EQ(custos.front(), custos.back());
}

// "Gerar" again after the invoices were refused, then again once the orders
// are mended: each listed forecast keeps its one order, which is the one invoiced.
TEST_F(FaturamentoJanelaTest, GenerateAgainAfterRefusedInvoicesMakesNoSecondOrder)
{
    TfmAssContFat& form = abrirOutubroADezembro("9999");
    dialogs->answer("Sim", "Tem certeza de que deseja gerar faturamento do período?")
        .acknowledge("Operação efetuada com sucesso!Parcelas inseridas: 2");
    form.bbBaixar->click();
    ASSERT_EQ(dialogs->pending(), 0);

    form.rgTipo->button(3)->click();
    dialogs->setAutoAcknowledgeMessages(true);
    for (int vez = 0; vez < 2; ++vez)
        form.bbBaixar->click();
    EXPECT_EQ(lido("select NUMERO_PEDIDO from AVEC8501 order by NUMERO_PEDIDO"), (QStringList{"000001", "000002"}))
        << "one order per forecast, however often the invoices are refused";
    EXPECT_EQ(lido("select count(*) from ACEM1401"), QStringList{"0"});
    EXPECT_TRUE(form.meAviso->toPlainText().contains("sem nota fiscal")) << form.meAviso->toPlainText().toStdString();

    exec("update AVEC8501 set OPERACAO = '5933'");
    exec("update AVEC85IT set VEITCFOP = '5933'");
    dmGlobal->IBTransaction1->commitRetaining();
    form.bbBaixar->click();
    EXPECT_EQ(lido("select NUMERO_PEDIDO from AVEC8501 order by NUMERO_PEDIDO"), (QStringList{"000001", "000002"}));
    EXPECT_EQ(lido("select COD_PEDIDO from ACEM1401 order by COD_PEDIDO"), (QStringList{"000001", "000002"}));
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = 901 and coalesce(SITUACAO_DOCUMENTO, '') = ''"
                   " and NUMERO_DOCUMENTO in (select DOCUMENTO from ACEM1401)"),
              QStringList{"2"});
    EXPECT_FALSE(form.meAviso->toPlainText().contains("sem nota fiscal"))
        << "the run that invoiced them tells none: " << form.meAviso->toPlainText().toStdString();
}

// The "Aviso" page holds the notices of the last run only.
TEST_F(FaturamentoJanelaTest, ABatchOfficialisingThatFindsNothingShowsNoEarlierRunsNotices)
{
    TfmAssContFat& form = abrirOutubroADezembro("9999");
    dialogs->answer("Sim", "Tem certeza de que deseja gerar faturamento do período?")
        .acknowledge("Operação efetuada com sucesso!Parcelas inseridas: 2");
    form.bbBaixar->click();
    form.rgTipo->button(3)->click();
    dialogs->setAutoAcknowledgeMessages(true);
    form.bbBaixar->click();
    ASSERT_TRUE(form.meAviso->toPlainText().contains("sem nota fiscal")) << form.meAviso->toPlainText().toStdString();

    form.ckVolume->click();
    digita(form.edPrevisaoIni, "01/01/2040");
    digita(form.edPrevisaoFim, "01/02/2040");
    form.bbBaixar->click();
    EXPECT_EQ(form.meAviso->toPlainText(), "");
}

// The forecast run again over months already officialised: those months
// keep their one receivable; the run only replaces forecasts.
TEST_F(FaturamentoJanelaTest, ForecastRunAgainOverOfficialisedMonthsForecastsThemNoMore)
{
    TfmAssContFat& form = abrirOutubroADezembro("5933");
    auto preve = [&](const QString& inseridas) {
        form.rgTipo->button(0)->click();
        dialogs->answer("Sim", "Tem certeza de que deseja gerar faturamento do período?")
            .acknowledge("Operação efetuada com sucesso!Parcelas inseridas: " + inseridas);
        form.bbBaixar->click();
        EXPECT_EQ(dialogs->pending(), 0);
    };
    preve("2");
    preve("2");
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = 901"), QStringList{"2"}) << "forecasts replaced";

    form.rgTipo->button(3)->click();
    dialogs->setAutoAcknowledgeMessages(true);
    form.bbBaixar->click();
    dialogs->setAutoAcknowledgeMessages(false);
    ASSERT_EQ(lido("select count(*) from ACEM1401"), QStringList{"2"});

    preve("0");
    EXPECT_EQ(lido("select extract(month from DATA_VENCIMENTO) || '|' || coalesce(SITUACAO_DOCUMENTO, '')"
                   " from ACRC5001 where AOCODIGO = 901 order by DATA_VENCIMENTO"),
              (QStringList{"10|", "11|", "12|V", "1|V"}))
        << "October and November billed once; December and January forecast by the officialising";
}

TEST_F(FaturamentoJanelaTest, ContractLabelTogglesTheListAndTheCodeRange)
{
    TfmAssContFat& form = abrir();
    digita(form.edContratoAleatorio, "'C-901'");
    QTest::mouseClick(form.laContrato, Qt::LeftButton);
    EXPECT_EQ(form.laContrato->text(), "Código do Contrato");
    EXPECT_TRUE(form.edContratoAleatorio->isHidden());
    EXPECT_EQ(form.edContratoAleatorio->text(), "") << "the hidden filter is cleared";
    EXPECT_TRUE(form.edContIni->isVisible());
    digita(form.edContIni, "902");
    QTest::mouseClick(form.laContrato, Qt::LeftButton);
    EXPECT_EQ(form.laContrato->text(), "Contratos Aleatórios");
    EXPECT_EQ(form.edContIni->text(), "");
    EXPECT_TRUE(form.edContIni->isHidden());
}

TEST_F(FaturamentoJanelaTest, ContractingPartyCodeIsWrittenWithFiveDigits)
{
    TfmAssContFat& form = abrir();
    digita(form.edContratanteIni, "42");
    EXPECT_EQ(form.edContratanteIni->text(), "00042");
    dialogs->acknowledge("Código do Contratante inválido");
    digita(form.edContratanteFim, "4a");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(FaturamentoJanelaTest, F8PicksAnObjectForTheFreeFilter)
{
    TfmAssContFat& form = abrir();
    dialogs->modal("fmPesquisa", [](Form& janela) {
        auto& pesquisa = static_cast<TfmPesquisa&>(janela);
        pesquisa.dataSource()->dataset()->locate("AJCODIGO", 904);
        QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
    });
    QTest::keyClick(form.edUnNegocioIni, Qt::Key_F8);
    EXPECT_EQ(form.cbCampos->currentText(), "AJCODIGO");
    EXPECT_EQ(form.edAlternativo->text(), "904");
    digita(form.edUnNegocioIni, "01");
    form.bbPesquisar->click();
    EXPECT_EQ(form.stInfo->panelText(0), "Total de Contratos: 2");
}

TEST_F(FaturamentoJanelaTest, PreviewShowsTheContractListEvenFromTheInstalments)
{
    TfmAssContFat& form = abrir();
    digita(form.edUnNegocioIni, "01");
    digita(form.edContratoAleatorio, "C-901");
    form.bbPesquisar->click();
    form.dbgdAssContFat->onDblClick();
    EXPECT_TRUE(form.dbgdParc->isVisible());
    QString vista;
    dialogs->modal("fmVisualizadorRelatorio", [&](Form& janela) {
        vista = static_cast<TfmVisualizadorRelatorio&>(janela).pages().textDump();
    });
    form.bbVisualizar->click();
    EXPECT_TRUE(vista.contains("Gerar Faturamento de Contratos")) << vista.toStdString();
    EXPECT_TRUE(vista.contains("C-901"));
    EXPECT_TRUE(vista.contains("Alfa Contratante"));
}

// The window as a person sees it with the contracts of branch 01 listed,
// written next to the test program (run under Xvfb by the screenshot test,
// offscreen otherwise).
TEST_F(FaturamentoJanelaTest, PictureOfTheWindowWithContractsListed)
{
    TfmAssContFat& form = abrir();
    digita(form.edUnNegocioIni, "01");
    form.bbPesquisar->click();
    ASSERT_EQ(linhas(form.dbgdAssContFat), 2);
    guardaFoto(form, "fmAssContFat.png");
    for (host::ui::TabSheet* pagina : {form.tsAviso, form.tsOutrasOpcoes}) {
        form.pcFatura->setActivePage(pagina);
        SCOPED_TRACE(pagina->objectName().toStdString());
        confereLegivel(form);
    }
}

}  // namespace
}  // namespace moduletest
