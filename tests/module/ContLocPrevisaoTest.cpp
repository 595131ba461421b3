// "Gerar Previsão" of the two rental registers: the generator's arguments
// of each (pure), and the forecast driven through the windows opened by
// the dispatcher, read back through another attachment: the questions of a
// contract without instalments, the continuation after existing rows, the
// re-instalment panel, a run that stops midway, and the refusals of the
// register with equipment control.

#include "tests/module/ContLocFixture.h"

#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssContLocPrevisao.h"
#include "rental/uAssContLocacao.h"

#include "contract_data/uDataTecContLocacao.h"
#include "host/Udmglobal.h"
#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "tests/support/ShowCounter.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>

#include <vector>

namespace moduletest {
namespace {

using uAssContLoc::ArgumentosGerador;
using uAssContLoc::CabecalhoPrevisao;
using uAssContLoc::PainelReparcela;

QDateTime diaPrev(int a, int m, int d) { return QDateTime(QDate(a, m, d), QTime(0, 0)); }

CabecalhoPrevisao cabecalhoExemplo()
{
    CabecalhoPrevisao c;
    c.contrato = 801;
    c.cliente = "00004";
    c.local = "01";
    c.tipoPagamento = "2 - Duplicata/Boleto";
    c.banco = "341";
    c.periodo = "M";
    c.operacao = "5102";
    c.implantacao = diaPrev(2024, 1, 5);
    c.validade = diaPrev(2024, 12, 31);
    c.valorParcela = 120.5;
    c.quantidade = 12;
    c.valor = 300;
    c.vencimento = 31;
    c.periodoDesc = "Mensal";
    return c;
}

PainelReparcela painelExemplo()
{
    PainelReparcela p;
    p.vencimento = diaPrev(2024, 4, 15);
    p.quantidade = "2";
    p.vigenciaDe = diaPrev(2024, 4, 1);
    p.vigenciaAte = diaPrev(2024, 4, 30);
    p.valorBoleto = 250;
    p.emissao = diaPrev(2024, 4, 10);
    p.pedidoCliente = "PC-9";
    return p;
}

// Arguments 3, 5, 7-9, 11-17 and 24, which both registers pass alike.
void comunsDoContrato(const ArgumentosGerador& a)
{
    EXPECT_EQ(a.cliente, "00004");
    EXPECT_EQ(a.contrato, 801);
    EXPECT_EQ(a.filial, "01");
    EXPECT_EQ(a.tipoPagamento, "2 - Duplicata/Boleto");
    EXPECT_EQ(a.banco, "341");
    EXPECT_EQ(a.periodo, "M");
    EXPECT_EQ(a.criadas, 0);
    EXPECT_EQ(a.filialPedido, "01");
    EXPECT_EQ(a.operacao, "5102");
    EXPECT_FALSE(a.flag);
    EXPECT_TRUE(a.previsaoCaixa);
    EXPECT_EQ(a.lista, nullptr);
    EXPECT_FALSE(a.prorrogaValidade);
}

TEST(ContLocPrevisaoArgumentos, ScreenENormalTakesTheContract)
{
    const QDateTime agora(QDate(2024, 3, 2), QTime(14, 30));
    PainelReparcela painel;   // empty panel: normal mode
    painel.pedidoCliente = "PC-1";
    const ArgumentosGerador a =
        uAssContLoc::ArgumentosPrevisaoE(cabecalhoExemplo(), painel, false, QDate(2024, 3, 7), 4, 2, agora);
    comunsDoContrato(a);
    EXPECT_EQ(a.primeiroVencimento, "07/03/2024");
    EXPECT_EQ(a.dataFinal, "07/07/2024");
    EXPECT_EQ(a.diaVencimento, "07");
    EXPECT_DOUBLE_EQ(a.valor, 120.5) << "ACVALORPARCELA";
    EXPECT_EQ(a.emissao, "02/03/2024") << "today";
    EXPECT_EQ(a.vigenciaDe, diaPrev(2024, 1, 5));
    EXPECT_EQ(a.vigenciaAte, diaPrev(2024, 12, 31));
    EXPECT_DOUBLE_EQ(a.existentes, 2);
    EXPECT_FALSE(a.valorFixo);
    EXPECT_EQ(a.pedidoCliente, "PC-1") << "the combo's text in both modes";
    EXPECT_FALSE(a.previsaoBoleto.isValid()) << "the empty emission date of the panel";
}

TEST(ContLocPrevisaoArgumentos, ScreenEReinstalmentTakesThePanel)
{
    const QDateTime agora(QDate(2024, 3, 2), QTime(14, 30));
    const PainelReparcela painel = painelExemplo();
    ASSERT_TRUE(uAssContLoc::VerificaReparcela(painel));
    const ArgumentosGerador a =
        uAssContLoc::ArgumentosPrevisaoE(cabecalhoExemplo(), painel, true, QDate(2024, 4, 15), 2, 3, agora);
    comunsDoContrato(a);
    EXPECT_EQ(a.primeiroVencimento, "15/04/2024");
    EXPECT_EQ(a.dataFinal, "15/06/2024");
    EXPECT_EQ(a.diaVencimento, "15");
    EXPECT_DOUBLE_EQ(a.valor, 250);
    EXPECT_EQ(a.emissao, "10/04/2024");
    EXPECT_EQ(a.vigenciaDe, diaPrev(2024, 4, 1));
    EXPECT_EQ(a.vigenciaAte, diaPrev(2024, 4, 30));
    EXPECT_DOUBLE_EQ(a.existentes, 3);
    EXPECT_TRUE(a.valorFixo);
    EXPECT_EQ(a.pedidoCliente, "PC-9");
    EXPECT_EQ(a.previsaoBoleto, diaPrev(2024, 4, 10));
}

TEST(ContLocPrevisaoArgumentos, ScreenQTakesItsDueDayAndValue)
{
    const QDateTime agora(QDate(2024, 3, 2), QTime(14, 30));
    const ArgumentosGerador a =
        uAssContLoc::ArgumentosPrevisaoQ(cabecalhoExemplo(), QDate(2024, 2, 5), 10, 0, agora);
    comunsDoContrato(a);
    EXPECT_EQ(a.primeiroVencimento, "05/02/2024");
    EXPECT_EQ(a.dataFinal, "05/12/2024");
    EXPECT_EQ(a.diaVencimento, "31") << "ACVENCIMENTO, not the first date's day";
    EXPECT_DOUBLE_EQ(a.valor, 300) << "ACVALOR";
    EXPECT_EQ(a.emissao, "02/03/2024");
    EXPECT_EQ(a.vigenciaDe, diaPrev(2024, 1, 5));
    EXPECT_EQ(a.vigenciaAte, diaPrev(2024, 12, 31));
    EXPECT_DOUBLE_EQ(a.existentes, 0);
    EXPECT_FALSE(a.valorFixo);
    EXPECT_TRUE(a.pedidoCliente.isEmpty());
    EXPECT_EQ(a.previsaoBoleto, agora) << "the current date and time";

    CabecalhoPrevisao semDia = cabecalhoExemplo();
    semDia.vencimento = QVariant();
    EXPECT_TRUE(uAssContLoc::ArgumentosPrevisaoQ(semDia, QDate(2024, 2, 5), 1, 0, agora).diaVencimento.isEmpty());
}

TEST(ContLocPrevisaoArgumentos, ReinstalmentPanelNeedsEveryField)
{
    EXPECT_TRUE(uAssContLoc::VerificaReparcela(painelExemplo()));
    auto sem = [](const std::function<void(PainelReparcela&)>& muda) {
        PainelReparcela p = painelExemplo();
        muda(p);
        return uAssContLoc::VerificaReparcela(p);
    };
    EXPECT_FALSE(sem([](PainelReparcela& p) { p.vencimento = {}; }));
    EXPECT_FALSE(sem([](PainelReparcela& p) { p.vigenciaDe = {}; }));
    EXPECT_FALSE(sem([](PainelReparcela& p) { p.vigenciaAte = {}; }));
    EXPECT_FALSE(sem([](PainelReparcela& p) { p.emissao = {}; }));
    EXPECT_FALSE(sem([](PainelReparcela& p) { p.quantidade = "0"; }));
    EXPECT_FALSE(sem([](PainelReparcela& p) { p.quantidade = "dois"; }));
    EXPECT_FALSE(sem([](PainelReparcela& p) { p.valorBoleto = 0.009; })) << "below a cent";
    EXPECT_TRUE(sem([](PainelReparcela& p) { p.pedidoCliente.clear(); })) << "the order reference is optional";
}

TEST(ContLocPrevisaoArgumentos, WholeMonthsAndDueDays)
{
    EXPECT_EQ(uAssContLoc::MesesInteiros(QDate(2024, 3, 1), QDate(2024, 3, 31)), 0);
    EXPECT_EQ(uAssContLoc::MesesInteiros(QDate(2024, 1, 15), QDate(2024, 5, 15)), 4);
    EXPECT_EQ(uAssContLoc::MesesInteiros(QDate(2024, 1, 15), QDate(2024, 5, 14)), 3);
    EXPECT_EQ(uAssContLoc::MesesInteiros(QDate(2024, 1, 31), QDate(2024, 2, 29)), 1);
    EXPECT_EQ(uAssContLoc::MesesInteiros(QDate(2024, 5, 1), QDate(2024, 1, 1)), 0);
    EXPECT_EQ(uAssContLoc::MesesInteiros(QDate(), QDate(2024, 1, 1)), 0);
    EXPECT_TRUE(uAssContLoc::DiaVencimentoInvalido(0));
    EXPECT_TRUE(uAssContLoc::DiaVencimentoInvalido(32));
    EXPECT_FALSE(uAssContLoc::DiaVencimentoInvalido(1));
    EXPECT_FALSE(uAssContLoc::DiaVencimentoInvalido(31));
    EXPECT_FALSE(uAssContLoc::DiaVencimentoInvalido(QVariant())) << "empty: the generator's first day";
}

// ---- through the windows ----

class ContLocPrevisaoJanelaTest : public ContLocParcelasTest {
protected:
    QStringList vencimentos(int codigo) const
    {
        return lido(QString("select extract(day from DATA_VENCIMENTO) || '/' || extract(month from DATA_VENCIMENTO)"
                            " || ' ' || SITUACAO_DOCUMENTO from ACRC5001 where AOCODIGO = %1"
                            " order by DATA_VENCIMENTO")
                        .arg(codigo));
    }
    QString quantidade(int codigo) const
    {
        return lido(QString("select ACQUANTIDADEPARCELA from AATC05AC where ACCODIGO = %1").arg(codigo)).value(0);
    }
};

TEST_F(ContLocPrevisaoJanelaTest, ScreenEWithoutInstalmentsAsksTheCountThenTheStart)
{
    exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO, CXCODIGO) values (71, 'Locação', '1.01')");
    contrato(801, "ACVALORPARCELA, ACQUANTIDADEPARCELA, ACDATAIMPLANTACAO, AJCODIGO", "100, 0, '2024-03-05', 71");
    parametro("ATPREVISAOCAIXA", "S");
    TfmAssContCadLocEquip& form = abrirE(801);
    dialogs->enter("3", "Informe o número de parcelas para previsão do contas a receber");
    dialogs->enter("10/03/2024", "Informe a data Inicial da previsão do contas a receber");
    dialogs->acknowledge("Operação efetuada com sucesso! Parcelas criadas: 3");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    ASSERT_EQ(dialogs->shown().size(), 3u);
    EXPECT_EQ(dialogs->shown()[0].title, "Nº de Previsões");
    EXPECT_EQ(dialogs->shown()[1].title, "Início da Previsão de faturamento");
    EXPECT_EQ(dialogs->shown()[1].value, "05/03/2024") << "the contract's start offered";
    EXPECT_EQ(vencimentos(801), (QStringList{"10/3 V", "10/4 V", "10/5 V"}));
    EXPECT_EQ(quantidade(801), "3");
    EXPECT_EQ(form.dbgdAssContCadLocEquiParcelas->model()->rowCount(), 3) << "the list reloaded";
    EXPECT_EQ(lido("select count(*) from ACXC94XP where XPID = 'R' and XPEMITENTE = '00004'").value(0), "3")
        << "each with its cash forecast";
}

// A forecast over within a moment brings no progress window up over the
// register: there would be nothing to read on it before it went again.
TEST_F(ContLocPrevisaoJanelaTest, ScreenEAShortForecastBringsNoProgressWindowUp)
{
    contrato(801, "ACVALORPARCELA, ACQUANTIDADEPARCELA, ACDATAIMPLANTACAO", "100, 2, '2024-03-05'");
    TfmAssContCadLocEquip& form = abrirE(801);
    QApplication::processEvents();
    const testsupport::ShowCounter progresso("fmSplash");
    dialogs->enter("10/03/2024", "Informe a data Inicial da previsão do contas a receber");
    dialogs->acknowledge("Operação efetuada com sucesso! Parcelas criadas: 2");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(vencimentos(801), (QStringList{"10/3 V", "10/4 V"}));
    EXPECT_EQ(progresso.count(), 0);
}

// A contract made in the register has no instalment value of its own: the
// equipment typed on its page is its value, and the forecast bills that.
TEST_F(ContLocPrevisaoJanelaTest, ScreenEAContractMadeByHandForecastsItsEquipmentsValue)
{
    parametro("ATOPCAOCONTRATO", "E");
    contrato(806, "ACDATAIMPLANTACAO, ACTIPODESC", "'2024-03-05', 'Locação'");
    tr().commitRetaining();
    TfmAssContCadLocEquip& form = abrirE(806);
    aba(form, form.tsEquipamentos);
    host::ui::DataGrid* itens = form.dbgdAssContCadLocEquipItens;
    itens->setFocus();
    QTest::keyClick(itens, Qt::Key_Insert);
    pesquisa("CODIGO", "P0004");
    itens->setSelectedIndex(itens->columnByField("PRCODIGO")->index());
    itens->editButtonClick();
    celula(itens, "ACITQUANTIDADE", "1");
    celula(itens, "ACITVALORUNITARIO", "950,50", Qt::Key_Return);
    form.btSalvar->click();
    EXPECT_EQ(lido("select cast(ACVALOR * 100 as integer) || '|' || cast(ACVALORPARCELA * 100 as integer)"
                   " from AATC05AC where ACCODIGO = 806"),
              QStringList{"95050|95050"})
        << "the value shown is the instalment's";

    aba(form, form.tsParcelas);
    dialogs->enter("2", "Informe o número de parcelas para previsão do contas a receber");
    dialogs->enter("10/03/2024", "Informe a data Inicial da previsão do contas a receber");
    dialogs->acknowledge("Operação efetuada com sucesso! Parcelas criadas: 2");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(lido("select cast(VALOR_DOCUMENTO * 100 as integer) || ' ' || SITUACAO_DOCUMENTO from ACRC5001"
                   " where AOCODIGO = 806 order by DATA_VENCIMENTO"),
              (QStringList{"95050 V", "95050 V"}));
}

TEST_F(ContLocPrevisaoJanelaTest, ScreenEUnderTheContractsNumberFollowsTheSequencesTheCustomerHolds)
{
    // Instalments numbered by contract: the customer's service-order bill
    // already holds that number under sequences 1 and 2.
    parametro("ATPARCELASEMPREVISAO", "S");
    contrato(804, "ACVALORPARCELA, ACQUANTIDADEPARCELA, ACDATAIMPLANTACAO", "100, 0, '2024-03-05'");
    for (int sequencia = 1; sequencia <= 2; ++sequencia)
        exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                     " VALOR_DOCUMENTO) values ('000804', '00004', %1, '01', 10)")
                 .arg(sequencia));
    TfmAssContCadLocEquip& form = abrirE(804);
    dialogs->enter("2", "Informe o número de parcelas para previsão do contas a receber");
    dialogs->enter("10/03/2024", "Informe a data Inicial da previsão do contas a receber");
    dialogs->acknowledge("Operação efetuada com sucesso! Parcelas criadas: 2");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select trim(NUMERO_DOCUMENTO) || '|' || cast(SEQUENCIA as integer) || '|' ||"
                   " coalesce(AOCODIGO, 0) from ACRC5001 where CODIGO_CLIENTE = '00004' order by SEQUENCIA"),
              (QStringList{"000804|1|0", "000804|2|0", "000804|3|804", "000804|4|804"}));
}

TEST_F(ContLocPrevisaoJanelaTest, ScreenECountZeroCreatesNothing)
{
    contrato(802, "ACVALORPARCELA, ACDATAIMPLANTACAO", "100, '2024-03-05'");
    TfmAssContCadLocEquip& form = abrirE(802);
    dialogs->enter("0", "Informe o número de parcelas");
    dialogs->enter("10/03/2024", "Informe a data Inicial");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(dialogs->shown().size(), 2u) << "no message";
    EXPECT_TRUE(vencimentos(802).isEmpty());

    // A cancelled start stops too, instead of running from the offered date.
    dialogs->enter("2", "Informe o número de parcelas");
    dialogs->cancel("Informe a data Inicial");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(vencimentos(802).isEmpty());
}

TEST_F(ContLocPrevisaoJanelaTest, ScreenEContinuesAfterTheRowsPresent)
{
    contrato(803, "ACVALORPARCELA, ACQUANTIDADEPARCELA, ACDATAIMPLANTACAO", "100, 5, '2024-01-05'");
    parcela("000001", "V", 100, 803, "2024-02-10");
    parcela("000002", "", 100, 803, "2024-03-12");
    TfmAssContCadLocEquip& form = abrirE(803);
    dialogs->acknowledge("Operação efetuada com sucesso! Parcelas criadas: 3");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(dialogs->shown().size(), 1u) << "neither count nor date is asked";
    EXPECT_EQ(vencimentos(803), (QStringList{"10/2 V", "12/3", "12/4 V", "12/5 V", "12/6 V"}))
        << "five planned, two present whatever their situation, from a month after the last";
    EXPECT_EQ(quantidade(803), "5");
    EXPECT_EQ(form.dbgdAssContCadLocEquiParcelas->model()->rowCount(), 5);
}

// Every planned instalment already there, or none planned: the button
// says that nothing was made and which setting decides it, and writes nothing.
TEST_F(ContLocPrevisaoJanelaTest, ScreenENothingLeftToForecastSaysWhy)
{
    contrato(805, "ACVALORPARCELA, ACQUANTIDADEPARCELA, ACDATAIMPLANTACAO", "100, 2, '2024-01-05'");
    parcela("000001", "V", 100, 805, "2024-02-10");
    parcela("000002", "", 100, 805, "2024-03-10");
    contrato(806, "ACVALORPARCELA, ACQUANTIDADEPARCELA, ACDATAIMPLANTACAO", "100, 0, '2024-01-05'");
    parcela("000003", "V", 100, 806, "2024-02-10");
    tr().commitRetaining();

    TfmAssContCadLocEquip& form = abrirE(805);
    dialogs->acknowledge("Nenhuma previsão gerada: as 2 parcelas de \"Parcelas\" (cabeçalho do contrato) já foram "
                         "geradas.");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(dialogs->shown().size(), 1u) << "neither count nor date is asked";
    EXPECT_EQ(vencimentos(805), (QStringList{"10/2 V", "10/3"}));
    EXPECT_EQ(quantidade(805), "2");

    abrirE(806);
    dialogs->acknowledge("Nenhuma previsão gerada: o contrato não tem parcelas planejadas; informe a quantidade em "
                         "\"Parcelas\" (cabeçalho do contrato).");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(vencimentos(806), (QStringList{"10/2 V"}));
    EXPECT_EQ(quantidade(806), "0");
}

TEST_F(ContLocPrevisaoJanelaTest, ScreenQNothingLeftToForecastSaysWhy)
{
    contrato(815, "ACVALOR, ACVENCIMENTO, ACDATAIMPLANTACAO, ACDATAVALIDADE", "100, 10, '2024-01-15', '2024-03-20'");
    parcela("000001", "V", 100, 815, "2024-02-10");
    parcela("000002", "V", 100, 815, "2024-03-10");
    tr().commitRetaining();
    TfmAssContLocacao& form = abrirQ(815);
    dialogs->acknowledge("Nenhuma previsão gerada: as 2 parcelas do período de \"Início\" a \"Encer. estimado\" já "
                         "foram geradas.");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(vencimentos(815), (QStringList{"10/2 V", "10/3 V"}));
}

// A forecast of one contract after another, as the register runs them over
// a large customer base: the contract's load, its instalments' list and the
// generator's reads keep their statements prepared, so another contract
// prepares nothing, whatever receivables are already stored.
TEST_F(ContLocPrevisaoJanelaTest, ScreenEAnotherContractPreparesNothing)
{
    exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO, CXCODIGO) values (71, 'Locação', '1.01')");
    parametro("ATPREVISAOCAIXA", "S");
    for (int codigo : {811, 812, 813})
        contrato(codigo, "ACVALORPARCELA, ACQUANTIDADEPARCELA, ACDATAIMPLANTACAO, AJCODIGO",
                 "100, 3, '2024-03-05', 71");
    std::vector<int> preparos;
    for (int codigo : {811, 812, 813}) {
        TfmAssContCadLocEquip& form = abrirE(codigo);
        dialogs->enter("10/03/2024", "Informe a data Inicial da previsão do contas a receber");
        dialogs->acknowledge("Operação efetuada com sucesso! Parcelas criadas: 3");
        const testsupport::StatementCounter contador;
        form.bbPrevisionar->click();
        EXPECT_EQ(dialogs->pending(), 0);
        preparos.push_back(contador.prepares());
        EXPECT_EQ(vencimentos(codigo), (QStringList{"10/3 V", "10/4 V", "10/5 V"})) << codigo;
    }
    EXPECT_EQ(preparos[1], 0) << "the second contract";
    EXPECT_EQ(preparos[2], 0) << "the third contract";
}

TEST_F(ContLocPrevisaoJanelaTest, ScreenEReinstalmentFromThePanel)
{
    uDataTecContLocacao::setRelogio([] { return QDateTime(QDate(2024, 4, 1), QTime(9, 0)); });
    contrato(804, "ACVALORPARCELA, ACQUANTIDADEPARCELA", "0, 1");
    parcela("000001", "V", 100, 804, "2024-03-15");
    TfmAssContCadLocEquip& form = abrirE(804);
    form.deReparcelaDtEmissao->setDate(diaPrev(2024, 4, 10));
    form.deReparcelaVcto->setDate(diaPrev(2024, 4, 15));
    form.maReparcelaQtde->setText("2");
    form.deReparcelaVigDe->setDate(diaPrev(2024, 4, 1));
    form.deReparcelaVigAte->setDate(diaPrev(2024, 4, 30));
    form.ceReparcelaVlrBoleto->setValue(250);
    form.cbReparcelaPedCliente->setCurrentText("PC-9");
    EXPECT_TRUE(form.VerificaReparcela());
    dialogs->acknowledge("Parcelas criadas: 2");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(vencimentos(804), (QStringList{"15/3 V", "15/4 V", "15/5 V"}))
        << "no value on the contract: the panel's value lets it run";
    EXPECT_EQ(lido("select cast(VALOR_DOCUMENTO as integer) || ' ' || OBS10 || ' '"
                   " || extract(day from CRPREVBOLETO) || '/' || extract(month from CRPREVBOLETO)"
                   " from ACRC5001 where AOCODIGO = 804 and DATA_VENCIMENTO > '2024-04-01' order by DATA_VENCIMENTO"),
              (QStringList{"250 PC-9 10/4", "250 PC-9 10/5"}));
    EXPECT_EQ(quantidade(804), "3");
}

TEST_F(ContLocPrevisaoJanelaTest, ScreenECountsWhatARefusedRunMade)
{
    // The planned boleto (the 25th) falls after the due day (the 20th): the
    // first instalment is refused, and the count and the list say none was made.
    contrato(805, "ACVALORPARCELA, ACQUANTIDADEPARCELA, ACDATAIMPLANTACAO, ACDATARA", "100, 0, '2023-01-05', '2023-01-25'");
    TfmAssContCadLocEquip& form = abrirE(805);
    dialogs->enter("3", "Informe o número de parcelas");
    dialogs->enter("20/01/2023", "Informe a data Inicial");
    dialogs->acknowledge("Data de Vencimento é menor que a Data de Previsão dos Boletos!");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(vencimentos(805), QStringList{});
    EXPECT_EQ(quantidade(805), "0") << "the count present plus the number really created";
    EXPECT_EQ(form.dbgdAssContCadLocEquiParcelas->model()->rowCount(), 0) << "the list shows what was made";
}

TEST_F(ContLocPrevisaoJanelaTest, ScreenERefusesWithoutBranchOrValue)
{
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACLOCAL, ACVALORPARCELA) values (806, '00004', ' ', 100)");
    contrato(807, "ACVALORPARCELA", "0");
    TfmAssContCadLocEquip& form = abrirE(806);
    dialogs->acknowledge("Informa Local do Contrato");
    form.bbPrevisionar->click();
    CarregaContrato(807);
    aba(form, form.tsParcelas);
    dialogs->acknowledge("Valor Inválido");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(lido("select NUMERO_DOCUMENTO from ACRC5001 where AOCODIGO in (806, 807)").isEmpty());
}

TEST_F(ContLocPrevisaoJanelaTest, ScreenQStopsWithinAMonth)
{
    contrato(811, "ACVALOR, ACVENCIMENTO, ACDATAIMPLANTACAO, ACDATAVALIDADE", "100, 10, '2024-03-01', '2024-03-20'");
    TfmAssContLocacao& form = abrirQ(811);
    dialogs->acknowledge("Informe a data de encerramento estimada para o sistema poder gerar as previsões de "
                         "faturamento");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(vencimentos(811).isEmpty());
}

TEST_F(ContLocPrevisaoJanelaTest, ScreenQDay31FollowsTheMonths)
{
    contrato(812, "ACVALOR, ACVENCIMENTO, ACDATAIMPLANTACAO, ACDATAVALIDADE, ACQUANTIDADEPARCELA",
             "100, 31, '2024-01-15', '2024-05-15', 7");
    TfmAssContLocacao& form = abrirQ(812);
    dialogs->acknowledge("Operação efetuada com sucesso! Parcelas criadas: 4");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(dialogs->shown().size(), 1u) << "neither count nor date is asked";
    EXPECT_EQ(vencimentos(812), (QStringList{"29/2 V", "31/3 V", "30/4 V", "31/5 V"}))
        << "a month after the start, the 31st where the month has it, else its last day (2024 is a leap year)";
    EXPECT_EQ(quantidade(812), "7") << "never rewritten by this register";

    // Run again: one month after the last listed, nothing left of the four months.
    dialogs->acknowledge("Nenhuma previsão gerada: as 4 parcelas do período");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(vencimentos(812).size(), 4);
}

TEST_F(ContLocPrevisaoJanelaTest, ScreenQRefusals)
{
    contrato(813, "ACVALOR, ACVENCIMENTO, ACDATAIMPLANTACAO, ACDATAVALIDADE, ACPERIODODESC",
             "100, 10, '2024-01-15', '2024-05-15', 'Diária'");
    contrato(814, "ACVALOR, ACVENCIMENTO, ACDATAIMPLANTACAO, ACDATAVALIDADE", "100, 0, '2024-01-15', '2024-05-15'");
    contrato(815, "ACVALOR, ACVENCIMENTO, ACDATAIMPLANTACAO, ACDATAVALIDADE", "100, 32, '2024-01-15', '2024-05-15'");
    contrato(816, "ACVALOR, ACVENCIMENTO, ACDATAIMPLANTACAO, ACDATAVALIDADE", "0, 10, '2024-01-15', '2024-05-15'");
    TfmAssContLocacao& form = abrirQ(813);
    dialogs->acknowledge("Para período de diária, utilize o botão Faturar");
    form.bbPrevisionar->click();
    for (int codigo : {814, 815}) {
        CarregaContrato(codigo);
        aba(form, form.tsParcelas);
        dialogs->acknowledge("Informe uma data de vencimento válida.");
        form.bbPrevisionar->click();
    }
    CarregaContrato(816);
    aba(form, form.tsParcelas);
    dialogs->acknowledge("Valor Inválido");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(lido("select NUMERO_DOCUMENTO from ACRC5001 where AOCODIGO between 813 and 816").isEmpty());
}

}  // namespace
}  // namespace moduletest

namespace moduletest {
namespace {

// The instalments' list sorted by a click on its "Valor" title: the run
// continues from the latest due date, not from the row that sorts last.
class ContLocPrevisaoOrdemTest : public ContLocPrevisaoJanelaTest {
protected:
    void tresPrevisoes(int codigo)
    {
        parcela("000001", "V", 100, codigo, "2024-01-10");
        parcela("000002", "V", 300, codigo, "2024-02-10");
        parcela("000003", "V", 200, codigo, "2024-03-10");
    }
    static void clicaTitulo(host::ui::DataGrid* grade, const QString& titulo)
    {
        for (int i = 0; i < grade->columnCount(); ++i)
            if (grade->column(i)->title() == titulo) {
                QHeaderView* cabecalho = grade->horizontalHeader();
                QTest::mouseClick(cabecalho->viewport(), Qt::LeftButton, {},
                                  QPoint(cabecalho->sectionViewportPosition(i) + 5, cabecalho->height() / 2));
                return;
            }
        FAIL() << titulo.toStdString();
    }
};

TEST_F(ContLocPrevisaoOrdemTest, ScreenEContinuesFromTheLatestDueDateWhateverTheSort)
{
    contrato(821, "ACVALORPARCELA, ACQUANTIDADEPARCELA, ACDATAIMPLANTACAO", "100, 5, '2024-01-05'");
    tresPrevisoes(821);
    TfmAssContCadLocEquip& form = abrirE(821);
    clicaTitulo(form.dbgdAssContCadLocEquiParcelas, "Valor");
    ASSERT_EQ(form.dbgdAssContCadLocEquiParcelas->dataset()->fieldByName("DATA_VENCIMENTO")->asDateTime().date(),
              QDate(2024, 1, 10))
        << "the list sorted by value";
    dialogs->acknowledge("Parcelas criadas: 2");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(vencimentos(821), (QStringList{"10/1 V", "10/2 V", "10/3 V", "10/4 V", "10/5 V"}));
}

TEST_F(ContLocPrevisaoOrdemTest, ScreenQContinuesFromTheLatestDueDateWhateverTheSort)
{
    contrato(822, "ACVALOR, ACVENCIMENTO, ACDATAIMPLANTACAO, ACDATAVALIDADE", "100, 10, '2023-12-10', '2024-05-10'");
    tresPrevisoes(822);
    TfmAssContLocacao& form = abrirQ(822);
    clicaTitulo(form.dbgdAssContCadLocEquiParcelas, "Valor");
    dialogs->acknowledge("Parcelas criadas: 2");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(vencimentos(822), (QStringList{"10/1 V", "10/2 V", "10/3 V", "10/4 V", "10/5 V"}));
}

}  // namespace
}  // namespace moduletest
