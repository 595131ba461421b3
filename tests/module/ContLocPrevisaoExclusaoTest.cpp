// "Excluir Parcelas" of the rental registers and the instalment typed into
// the grid of option "E", driven through the windows opened by the
// dispatcher and read back through another attachment; and what the
// forecast of option "E" costs in statements beside the generator's own.

#include "tests/module/ContLocFixture.h"

#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssContLocPrevisao.h"
#include "rental/uAssContLocacao.h"

#include "contract_data/uDataTecContLocacao.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/DataGrid.h"

namespace moduletest {
namespace {

using host::data::DatasetState;

class ContLocExclusaoPrevisaoTest : public ContLocParcelasTest {
protected:
    ContLocExclusaoPrevisaoTest() { agora = QDateTime(QDate(2024, 3, 2), QTime(9, 15)); }
    // Forecasts 1 (no boleto), 2 billed, 3 with a boleto, 4 (no boleto), each
    // with a cash-forecast row.
    void quatroParcelas(int codigo)
    {
        contrato(codigo);
        const char* situacoes[] = {"V", "", "V", "V"};
        for (int i = 1; i <= 4; ++i) {
            const QString documento = QString("00000%1").arg(i);
            parcela(documento, situacoes[i - 1], 100, codigo, QString("2024-0%1-10").arg(i + 1));
            exec(QString("insert into ACXC94XP (XPCHAVE, XPID, XPEMITENTE, XPDOCUMENTO, XPLOCAL, CRSEQUENCIA, XPVALOR)"
                         " values (%1, 'R', '00004', '%2', '01', 1, 100)")
                     .arg(900 + i)
                     .arg(documento));
        }
        exec("update ACRC5001 set CRDATABOLETO = '2024-03-01' where NUMERO_DOCUMENTO = '000003'");
        parametro("ATSENHAOPERACOESESPECIAIS", "segredo");
        global->IBTransaction1->commitRetaining();
    }
    QStringList restantes(int codigo) const
    {
        return lido(QString("select NUMERO_DOCUMENTO from ACRC5001 where AOCODIGO = %1 order by NUMERO_DOCUMENTO")
                        .arg(codigo));
    }
    QStringList caixa() const
    {
        return lido("select XPDOCUMENTO from ACXC94XP where XPID = 'R' and XPEMITENTE = '00004'"
                    " order by XPDOCUMENTO");
    }
};

TEST_F(ContLocExclusaoPrevisaoTest, AWrongPasswordStopsWithEarlierRowsGone)
{
    quatroParcelas(821);
    TfmAssContCadLocEquip& form = abrirE(821);
    dialogs->answer("Sim", "Tem certeza de que deseja excluir todas previsões?");
    dialogs->enter("errada", "Informe a Senha para Exclusão da Previsão.");
    dialogs->acknowledge("Aviso: Senha informada é inválida!");
    form.bbApagar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(restantes(821), (QStringList{"000002", "000003", "000004"}));
    EXPECT_EQ(caixa(), (QStringList{"000002", "000003", "000004"}));
    EXPECT_EQ(lido("select count(*) from ARQLOG where ACAO = 'Deletou Previsão do CR'").value(0), "1");

    // The right one (typed with blanks) passes; the billed row stays.
    dialogs->answer("Sim", "Tem certeza de que deseja excluir todas previsões?");
    dialogs->enter(" segredo ", "Informe a Senha para Exclusão da Previsão.");
    form.bbApagar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(restantes(821), QStringList{"000002"});
    EXPECT_EQ(caixa(), QStringList{"000002"});
    EXPECT_EQ(form.dbgdAssContCadLocEquiParcelas->model()->rowCount(), 1);
}

TEST_F(ContLocExclusaoPrevisaoTest, OnlyABoletoAsksThePasswordAndNoStopsAll)
{
    quatroParcelas(822);
    exec("update ACRC5001 set CRDATABOLETO = null where NUMERO_DOCUMENTO = '000003'");
    exec("update ACRC5001 set CRDATABOLETO = '1899-12-30' where NUMERO_DOCUMENTO = '000004'");
    TfmAssContCadLocEquip& form = abrirE(822);
    dialogs->answer("Não", "Tem certeza de que deseja excluir todas previsões?");
    form.bbApagar->click();
    EXPECT_EQ(restantes(822).size(), 4);

    dialogs->answer("Sim", "Tem certeza de que deseja excluir todas previsões?");
    form.bbApagar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(dialogs->shown().size(), 2u) << "no password: no boleto issued (the zero date is none)";
    EXPECT_EQ(restantes(822), QStringList{"000002"});
}

TEST_F(ContLocExclusaoPrevisaoTest, ANonMasterUserIsRefusedUnlessOptionL)
{
    entrarComo("ANA");
    quatroParcelas(823);
    parametro("ATOPCAOCONTRATO", "E");
    TfmAssContCadLocEquip& form = abrirE(823);
    dialogs->acknowledge("Apenas usuário administrador pode excluir todas parcelas!");
    form.bbApagar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(restantes(823).size(), 4);

    parametro("ATOPCAOCONTRATO", "L");
    dialogs->answer("Não", "Tem certeza de que deseja excluir todas previsões?");
    form.bbApagar->click();
    EXPECT_EQ(dialogs->pending(), 0);
}

// The master user named by a login that is no plain name keeps it as the
// engine does in the audit row: "maria.silva" is not MARIA.SILVA.
struct CasoLoginMestre {
    const char* login;
    const char* gravado;   // the audit row's user, as the engine names the login
};
const CasoLoginMestre kCasosLoginMestre[] = {{"maria.silva", "maria.silva"}, {"ana", "ANA"}};

class LoginMestre : public ContLocExclusaoPrevisaoTest, public testing::WithParamInterface<CasoLoginMestre> {};

TEST_P(LoginMestre, DeletesTheForecastsAuditedUnderTheLoginAsTheEngineNamesIt)
{
    entrarComo(GetParam().login);
    parametro("ATUSUARIOMESTRE", GetParam().login);
    quatroParcelas(825);
    exec("update ACRC5001 set CRDATABOLETO = null");
    TfmAssContCadLocEquip& form = abrirE(825);
    dialogs->answer("Sim", "Tem certeza de que deseja excluir todas previsões?");
    form.bbApagar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(restantes(825), QStringList{"000002"});
    EXPECT_EQ(lido("select distinct USUARIO from ARQLOG where ACAO = 'Deletou Previsão do CR'"), QStringList{GetParam().gravado});
}

INSTANTIATE_TEST_SUITE_P(Casos, LoginMestre, testing::ValuesIn(kCasosLoginMestre),
                         [](const testing::TestParamInfo<CasoLoginMestre>& info) {
                             return std::string(info.param.gravado) == "ANA" ? "NomeSimples" : "NomeComPonto";
                         });

TEST_F(ContLocExclusaoPrevisaoTest, ScreenQDeletesAlike)
{
    quatroParcelas(824);
    exec("update ACRC5001 set CRDATABOLETO = null");
    TfmAssContLocacao& form = abrirJanela(fmAssContLocacao, "fmAssContLocacao");
    CarregaContrato(824);
    aba(form, form.tsParcelas);
    dialogs->answer("Sim", "Tem certeza de que deseja excluir todas previsões?");
    form.bbApagar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(restantes(824), QStringList{"000002"});
}

// A forecast billed at another desk while the question is open is a
// receivable now: it stays, with its cash row; the others go.
TEST_F(ContLocExclusaoPrevisaoTest, AForecastBilledWhileTheQuestionIsOpenStaysWithItsCashRow)
{
    quatroParcelas(826);
    exec("update ACRC5001 set CRDATABOLETO = null");
    global->IBTransaction1->commitRetaining();
    TfmAssContCadLocEquip& form = abrirE(826);
    dialogs->answer("Sim", "Tem certeza de que deseja excluir todas previsões?").meanwhile([this] {
        outraMesa("update ACRC5001 set SITUACAO_DOCUMENTO = ' ', PEDIDO = '000777' where NUMERO_DOCUMENTO = '000001'");
    });
    form.bbApagar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    EXPECT_EQ(restantes(826), (QStringList{"000001", "000002"}));
    EXPECT_EQ(caixa(), (QStringList{"000001", "000002"}));
}

// Ctrl+Delete on the instalment list is no way around "Excluir Parcelas":
// no question, no deletion, whoever asks.
TEST_F(ContLocExclusaoPrevisaoTest, CtrlDeleteOnTheInstalmentListDeletesNothing)
{
    quatroParcelas(825);
    TfmAssContCadLocEquip& form = abrirE(825);
    host::ui::DataGrid* grade = form.dbgdAssContCadLocEquiParcelas;
    ASSERT_TRUE(dmGlobal->quReceber->locate("NUMERO_DOCUMENTO", "000001"));
    grade->setFocus();
    dialogs->answer("Sim", "Confirma a exclusão do registro?");
    QTest::keyClick(grade, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs->pending(), 1) << "nothing asked";
    EXPECT_EQ(restantes(825), (QStringList{"000001", "000002", "000003", "000004"}));
    EXPECT_EQ(caixa(), (QStringList{"000001", "000002", "000003", "000004"}));
}

// ---- an instalment typed into the grid ----

TEST_F(ContLocExclusaoPrevisaoTest, AHandInsertedRowOnAContractWithoutInstalments)
{
    contrato(831);
    TfmAssContCadLocEquip& form = abrirE(831);
    host::data::Query& receber = *dmGlobal->quReceber;
    QTest::keyClick(form.dbgdAssContCadLocEquiParcelas, Qt::Key_Insert);
    ASSERT_EQ(receber.state(), DatasetState::Insert);
    EXPECT_EQ(receber.fieldByName("NUMERO_DOCUMENTO")->asString(), "000002") << "the coalesce's 1, plus one";
    EXPECT_EQ(receber.fieldByName("SEQUENCIA")->asInteger(), 1);
    EXPECT_TRUE(receber.fieldByName("CREMISSAOINI")->isNull()) << "no earlier period: left empty";
    EXPECT_TRUE(receber.fieldByName("CREMISSAOFIN")->isNull());
    EXPECT_DOUBLE_EQ(receber.fieldByName("VALOR_DOCUMENTO")->asFloat(), 0) << "numbers zeroed";
    receber.fieldByName("VALOR_DOCUMENTO")->setAsFloat(75);
    receber.post();
    dmGlobal->IBTransaction1->commitRetaining();
    EXPECT_EQ(lido("select NUMERO_DOCUMENTO || ' ' || CODIGO_CLIENTE || ' ' || CODIGO_FILIAL || ' ' ||"
                   " SITUACAO_DOCUMENTO || ' ' || cast(SEQUENCIA as integer) || ' ' || TIPO_PAGAMENTO || ' ' ||"
                   " SERIE_DOCUMENTO || ' ' || ORIGEM || ' ' || extract(day from DATA_EMISSAO) || ' ' ||"
                   " extract(minute from DATA_LANCAMENTO) || ' ' || case when CREMISSAOINI is null then 'vazio' else 'data' end"
                   " from ACRC5001 where AOCODIGO = 831"),
              QStringList{"000002 00004 01 V 1 2 001 0 2 15 vazio"});
}

TEST_F(ContLocExclusaoPrevisaoTest, AHandInsertedRowFollowsTheLastPeriod)
{
    contrato(832);
    parcela("000007", "V", 100, 832, "2024-03-10");
    exec("update ACRC5001 set CREMISSAOINI = '2024-03-01', CREMISSAOFIN = '2024-03-31', SEQUENCIA = 4"
         " where AOCODIGO = 832");
    TfmAssContCadLocEquip& form = abrirE(832);
    host::data::Query& receber = *dmGlobal->quReceber;
    QTest::keyClick(form.dbgdAssContCadLocEquiParcelas, Qt::Key_Insert);
    ASSERT_EQ(receber.state(), DatasetState::Insert);
    EXPECT_EQ(receber.fieldByName("NUMERO_DOCUMENTO")->asString(), "000008");
    EXPECT_EQ(receber.fieldByName("SEQUENCIA")->asInteger(), 5);
    EXPECT_EQ(receber.fieldByName("CREMISSAOINI")->asDateTime().date(), QDate(2024, 4, 1));
    EXPECT_EQ(receber.fieldByName("CREMISSAOFIN")->asDateTime().date(), QDate(2024, 5, 1));
    receber.cancel();
}

TEST_F(ContLocExclusaoPrevisaoTest, AHandInsertedRowTakesANumberTheCustomersOtherReceivablesLeaveFree)
{
    contrato(835);
    parcela("000007", "V", 100, 835, "2024-03-10");
    exec("update ACRC5001 set SEQUENCIA = 4 where AOCODIGO = 835");
    // The customer's service-order bill holds the next two numbers, under every sequence.
    for (const char* documento : {"000008", "000009"})
        for (int sequencia = 1; sequencia <= 5; ++sequencia)
            exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                         " VALOR_DOCUMENTO) values ('%1', '00004', %2, '01', 10)")
                     .arg(documento)
                     .arg(sequencia));
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContCadLocEquip& form = abrirE(835);
    host::data::Query& receber = *dmGlobal->quReceber;
    QTest::keyClick(form.dbgdAssContCadLocEquiParcelas, Qt::Key_Insert);
    ASSERT_EQ(receber.state(), DatasetState::Insert);
    EXPECT_EQ(receber.fieldByName("NUMERO_DOCUMENTO")->asString(), "000010");
    EXPECT_EQ(receber.fieldByName("SEQUENCIA")->asInteger(), 5);
    celula(form.dbgdAssContCadLocEquiParcelas, "VALOR_DOCUMENTO", "75,50");
    receber.post();
    dmGlobal->IBTransaction1->commitRetaining();
    EXPECT_EQ(lido("select NUMERO_DOCUMENTO || ' ' || cast(SEQUENCIA as integer) || ' ' ||"
                   " cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001 where AOCODIGO = 835"
                   " order by NUMERO_DOCUMENTO"),
              (QStringList{"000007 4 10000", "000010 5 7550"}));
    EXPECT_EQ(lido("select count(*) from ACRC5001 where CODIGO_CLIENTE = '00004' and AOCODIGO is null"),
              QStringList{"10"})
        << "the bill's rows untouched";
}

// A row of the contract numbered with letters ("151226L") sorts highest as
// text and is no number: the new row follows the contract's largest number.
TEST_F(ContLocExclusaoPrevisaoTest, AHandInsertedRowFollowsTheLargestNumberNotALetteredOne)
{
    contrato(837);
    parcela("000007", "V", 100, 837, "2024-03-10");
    parcela("151226L", "V", 100, 837, "2024-04-10");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContCadLocEquip& form = abrirE(837);
    host::data::Query& receber = *dmGlobal->quReceber;
    QTest::keyClick(form.dbgdAssContCadLocEquiParcelas, Qt::Key_Insert);
    ASSERT_EQ(receber.state(), DatasetState::Insert);
    EXPECT_EQ(receber.fieldByName("NUMERO_DOCUMENTO")->asString(), "000008");
    EXPECT_EQ(dialogs->pending(), 0);
    receber.cancel();
}

TEST_F(ContLocExclusaoPrevisaoTest, AHandInsertedRowWhoseNumberAnotherDeskTookIsRefusedInWords)
{
    contrato(836);
    parcela("000007", "V", 100, 836, "2024-03-10");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContCadLocEquip& form = abrirE(836);
    host::data::Query& receber = *dmGlobal->quReceber;
    QTest::keyClick(form.dbgdAssContCadLocEquiParcelas, Qt::Key_Insert);
    ASSERT_EQ(receber.fieldByName("NUMERO_DOCUMENTO")->asString(), "000008");
    celula(form.dbgdAssContCadLocEquiParcelas, "VALOR_DOCUMENTO", "75,50");
    // Another desk bills the customer under that number and sequence before this row is saved.
    {
        host::db::Connection outra;
        outra.open({dbPath});
        host::db::Transaction mesa(outra);
        host::db::executeSql(mesa, "insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                                   " VALOR_DOCUMENTO) values ('000008', '00004', 2, '01', 10)");
        mesa.commit();
    }
    dialogs->acknowledge("Aviso: operação abortada.\nO cliente 00004 já tem o título 000008, sequência 2.");
    EXPECT_ANY_THROW(receber.post());
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(receber.state(), DatasetState::Insert) << "the typed row is kept for the user to mend";
    EXPECT_EQ(lido("select cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001 where NUMERO_DOCUMENTO = '000008'"),
              QStringList{"1000"});
    receber.cancel();
}

TEST_F(ContLocExclusaoPrevisaoTest, AHandInsertedRowIsRefusedWithoutBranch)
{
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACLOCAL) values (833, '00004', '')");
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACLOCAL) values (834, '', '01')");
    TfmAssContCadLocEquip& form = abrirE(833);
    host::data::Query& receber = *dmGlobal->quReceber;
    dialogs->acknowledge("Local inválido!");
    QTest::keyClick(form.dbgdAssContCadLocEquiParcelas, Qt::Key_Insert);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(receber.state(), host::data::DatasetState::Browse) << "the refused row is taken back, not left to post";
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = 833").value(0), "0");

    dmTecContrato->CarregaContratoParcela(834);
    CarregaContrato(834);
    dialogs->acknowledge("Código do Cliente não preenchido!");
    QTest::keyClick(form.dbgdAssContCadLocEquiParcelas, Qt::Key_Insert);
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(receber.state(), host::data::DatasetState::Browse);
}

// ---- statements ----

// Beside the generator's own statements, the forecast of a contract costs
// the same whatever the number of instalments: nothing runs per row.
TEST_F(ContLocExclusaoPrevisaoTest, TheForecastRunsNoStatementPerRowBeyondTheGenerators)
{
    dialogs->setAutoAcknowledgeMessages(true);
    const int contratos[] = {841, 842, 843, 844};
    const int quantidades[] = {3, 12, 3, 12};
    for (int i = 0; i < 4; ++i)
        contrato(contratos[i], "ACVALORPARCELA, ACQUANTIDADEPARCELA, ACDATAIMPLANTACAO",
                 QString("90, %1, '2024-01-05'").arg(quantidades[i]));
    parcela("000001", "V", 90, 841, "2024-01-10");
    parcela("000002", "V", 90, 842, "2024-01-10");
    parcela("000003", "V", 90, 843, "2024-01-10");
    parcela("000004", "V", 90, 844, "2024-01-10");
    abrirJanela(fmAssContCadLocEquip, "fmAssContratosLocEquip");
    auto pelaTela = [&](int codigo) {
        CarregaContrato(codigo);
        dmTecContrato->CarregaContratoParcela(codigo);
        testsupport::StatementCounter c;
        uAssContLoc::PrevisionarContratoE({});
        return c.count();
    };
    auto soGerador = [&](int codigo, int meses) {
        CarregaContrato(codigo);
        dmTecContrato->CarregaContratoParcela(codigo);
        uAssContLoc::ArgumentosGerador a = uAssContLoc::ArgumentosPrevisaoE(
            uAssContLoc::LerCabecalhoPrevisao(*dmTecContrato->quCtrCadastro), {}, false, QDate(2024, 2, 10), meses,
            1, uDataTecContLocacao::agora());
        testsupport::StatementCounter c;
        InserirParcelasLocacao(a);
        EXPECT_EQ(a.criadas, meses);
        return c.count();
    };
    // Warmed once, so that the statements kept prepared cost the same later.
    soGerador(843, 2);
    exec("delete from ACRC5001 where AOCODIGO = 843 and NUMERO_DOCUMENTO <> '000003'");
    const int tela3 = pelaTela(841), tela12 = pelaTela(842);
    const int gerador3 = soGerador(843, 2), gerador12 = soGerador(844, 11);
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = 842").value(0), "12");
    EXPECT_EQ(tela12 - gerador12, tela3 - gerador3) << tela3 << " " << tela12 << " " << gerador3 << " " << gerador12;
}

}  // namespace
}  // namespace moduletest
