// Rental support on a real database: the rental instalments, the rental
// lines of a contract and their checks, the unit's status (committed with
// the line, or the line undone when it cannot be written), the return of an
// item with its late-return fine, and the checks the rental screens call.

#include "tests/contracts/ContractsFixture.h"

#include "contract_data/uDataTecContLocacao.h"
#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/data/Abort.h"
#include "host/ui/ProgressWindow.h"
#include "tests/support/ScopedTimeZone.h"
#include "tests/support/TestDatabase.h"

#include <cstdio>
#include <memory>

namespace contractstest {
namespace {

namespace L = uDataTecContLocacao;

QDateTime diaLocacao(int d, int m, int a)
{
    return QDateTime(QDate(a, m, d), QTime(0, 0));
}

class LocacaoTest : public ContractDataTest {
protected:
    void SetUp() override
    {
        ContractDataTest::SetUp();
        for (const char* sql : {
                 "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('C0001', 'Um')",
                 "insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJVALORDIARIO) values (4, 'Locação', 'S')",
                 "insert into AATC05AC (ACCODIGO, CLCODIGO, ACMODALIDADE, ACPERIODO, ACVENCIMENTO, ACVALORFIXO,"
                 " ACVALORPARCELA, ACLOCAL, AJCODIGO, ACSITUACAO, ACDATARA)"
                 " values (7, 'C0001', 'R', 'M', 10, 'S', 150, '01', 4, 'A', '2031-01-05')",
                 "insert into AATC05AC (ACCODIGO, CLCODIGO, ACLOCAL, AJCODIGO, ACSITUACAO)"
                 " values (8, 'C0001', '01', 4, 'A')",
                 "insert into AUGC20EV (EVCODIGO, EVID, EVMODELO, EVPLACA, EVSTATUS) values (3, 'L', 'Gerador 5kVA', 'GER0003', 'D')",
                 "insert into AUGC20EV (EVCODIGO, EVID, EVMODELO, EVPLACA, EVSTATUS) values (4, 'L', 'Andaime', 'AND0004', 'L')",
             })
            exec(sql);
    }
    void TearDown() override
    {
        L::setRelogio({});
        ContractDataTest::TearDown();
    }
    // Vehicle 3's line on contract 7 from `inicio`, value 25 a day, made
    // inactive with the question about the days answered "Sim".
    void inativaPrecificandoDias(const QString& inicio)
    {
        linha(5, 7, 3, inicio, {});
        exec("update AATC05ACEV set ACEVVALOR = 25 where ACEVCODIGO = 5");
        CarregaContrato(7);
        dm->CarregaContratoVeiculo(7, true);
        linhas().edit();
        dialogs->answer("Sim", "Deseja calcular o valor total pelo dias do contrato?");
        fl("ACEVSITUACAO").setAsString("I");
    }

    int gerar(double valor = 150, bool fixo = false, const QDateTime& boleto = {}, const QString& fim = "15/06/2031")
    {
        int contador = 0;
        InserirParcelasContratoLocEquipamentos("15/01/2031", fim, "C0001", "10", 7, valor, "01", "2", "001",
                                               "", "M", contador, "01", "", false, false, nullptr, diaLocacao(15, 1, 2031),
                                               diaLocacao(15, 7, 2031), 0, fixo, " PED-9 ", boleto, false);
        return contador;
    }

    QStringList parcelas()
    {
        host::db::Statement st(*global->IBTransaction1,
                               "select NUMERO_DOCUMENTO, cast(SEQUENCIA as integer), SITUACAO_DOCUMENTO, VALOR_DOCUMENTO,"
                               " DATA_VENCIMENTO, CRPREVBOLETO, CREMISSAOINI, CREMISSAOFIN, OBS10, SERIE_DOCUMENTO"
                               " from ACRC5001 where AOCODIGO = 7 order by DATA_VENCIMENTO");
        st.execute();
        QStringList out;
        while (st.fetch()) {
            QStringList c;
            for (int i = 0; i < st.columnCount(); ++i) {
                const QVariant v = st.value(i);
                c << (v.typeId() == QMetaType::QDateTime ? v.toDateTime().toString("dd/MM/yy")
                      : v.typeId() == QMetaType::Double  ? QString::number(v.toDouble(), 'f', 2)
                                                         : v.toString());
            }
            out << c.join(' ');
        }
        return out;
    }

    // A rental line stored as it stands (dates as yyyy-mm-dd or null).
    void linha(int codigo, int contrato, int unidade, const QString& inicio, const QString& fim,
               const QString& situacao = "A")
    {
        exec(QString("insert into AATC05ACEV (ACEVCODIGO, ACCODIGO, EVCODIGO, ACEVDATAINICIO, ACEVDATAFIM,"
                     " ACEVSITUACAO) values (%1, %2, %3, %4, %5, '%6')")
                 .arg(codigo)
                 .arg(contrato)
                 .arg(unidade)
                 .arg(inicio.isEmpty() ? QString("null") : "'" + inicio + "'",
                      fim.isEmpty() ? QString("null") : "'" + fim + "'", situacao));
    }
    static QString iso(const QDate& d) { return d.toString("yyyy-MM-dd"); }

    // Reconnects as another database user, every table granted to all first.
    void entrarComo(const QString& usuario)
    {
        testsupport::grantAllToPublic(*global->IBTransaction1);
        dmTecContrato.free();
        global->IBTransaction1->commit();
        global.reset();
        global = std::make_unique<TdmGlobal>(dbPath, usuario, "x");
        dm = &createContracts();
    }

    host::data::Query& linhas() { return *dm->quCtrVeiculo; }
    // Line 5 of contract 7, its start odometer changed by a user other than
    // the master user (the reason is asked at the post).
    void linhaEditadaPorOutroUsuario()
    {
        entrarComo("JOAO");
        linha(5, 7, 3, iso(QDate::currentDate()), {});
        CarregaContrato(7);
        dm->CarregaContratoVeiculo(7, true);
        linhas().edit();
        fl("ACEVKMINICIO").setAsFloat(1200);
    }
    host::data::Field& fl(const char* nome) { return *linhas().fieldByName(nome); }
    host::data::Query& itens() { return *dm->quCtrCadastroIt; }
    host::data::Field& fi(const char* nome) { return *itens().fieldByName(nome); }
    QString status(int unidade)
    {
        return one(QString("select EVSTATUS from AUGC20EV where EVCODIGO = %1 and EVID = 'L'").arg(unidade)).toString();
    }

    // The program ends as it normally does (what is not committed is rolled
    // back); a new connection reads what stayed.
    void fimDoPrograma()
    {
        dmTecContrato.free();
        global.reset();
        global = std::make_unique<TdmGlobal>(dbPath);
    }
    // The unit's status cannot be written (a trigger refuses it).
    void statusRecusado()
    {
        exec("create exception E_STATUS_PRESO 'status preso'");
        exec("create trigger T_STATUS_PRESO for AUGC20EV active before update position 0 as begin"
             " if (new.EVSTATUS is distinct from old.EVSTATUS) then exception E_STATUS_PRESO; end");
    }

    void novaLinha(int unidade)
    {
        CarregaContrato(7);
        dm->CarregaContratoVeiculo(7, true);
        linhas().append();
        fl("EVCODIGO").setAsInteger(unidade);
    }
};

TEST_F(LocacaoTest, SpanFromMidJanuaryToMidJuneGivesFiveInstalmentsWithTheirPeriodsAndBoletoDates)
{
    EXPECT_EQ(gerar(), 5);
    EXPECT_EQ(parcelas(), (QStringList{
                              "000001 1 V 150.00 10/01/31 05/01/31 15/01/31 15/02/31 PED-9 01",
                              "000002 1 V 150.00 10/02/31 05/02/31 15/02/31 15/03/31 PED-9 01",
                              "000003 1 V 150.00 10/03/31 05/03/31 15/03/31 15/04/31 PED-9 01",
                              "000004 1 V 150.00 10/04/31 05/04/31 15/04/31 15/05/31 PED-9 01",
                              "000005 1 V 150.00 10/05/31 05/05/31 15/05/31 15/06/31 PED-9 01",
                          }));
    EXPECT_FALSE(host::ui::ProgressWindow::instance().isShown());
}

// Periods and boleto dates that start at a month's end stay at the month's
// end: a month added to the 28th of February does not hold every later
// instalment to the 28th (which left the 29th to the 31st of each month out
// of every period).
TEST_F(LocacaoTest, PeriodsAndBoletoDatesFromAMonthsEndKeepTheMonthsEnd)
{
    int contador = 0;
    InserirParcelasContratoLocEquipamentos("15/01/2031", "15/06/2031", "C0001", "31", 7, 150, "01", "2", "001", "",
                                           "M", contador, "01", "", false, false, nullptr, diaLocacao(31, 1, 2031),
                                           diaLocacao(31, 7, 2031), 0, true, "", diaLocacao(31, 1, 2031), false);
    ASSERT_EQ(contador, 5);
    QStringList periodos;
    for (const QString& linha : parcelas())
        periodos << linha.section(' ', 4, 7);
    EXPECT_EQ(periodos, (QStringList{
                            "31/01/31 31/01/31 31/01/31 28/02/31",
                            "28/02/31 28/02/31 28/02/31 31/03/31",
                            "31/03/31 31/03/31 31/03/31 30/04/31",
                            "30/04/31 30/04/31 30/04/31 31/05/31",
                            "31/05/31 31/05/31 31/05/31 30/06/31",
                        }));
}

// The cash template rebuilt from the items commits; an instalment whose cash
// rows fail leaves no receivable of its own behind all the same.
TEST_F(LocacaoTest, AnInstalmentWhoseCashFailsLeavesNothingAlsoWhenTheTemplateIsRebuilt)
{
    global->SetParametro("ATPREVISAOCAIXA", "S");
    global->SetParametro("ATCONTAPREVISAOPRODUTO", "P");
    exec("update AATC11AJ set CXCODIGO = '1.01' where AJCODIGO = 4");
    exec("create exception E_CAIXA 'sem caixa'");
    exec("create trigger T_CAIXA for ACXC94XP before insert as begin"
         " if (new.XPDOCUMENTO = '000002') then exception E_CAIXA; end");
    EXPECT_ANY_THROW(gerar());
    global->IBTransaction1->commitRetaining();
    EXPECT_EQ(parcelas().size(), 1);
}

TEST_F(LocacaoTest, DueDateBeforeTheBoletoDateStopsTheRun)
{
    exec("update AATC05AC set ACDATARA = '2031-01-20' where ACCODIGO = 7");
    EXPECT_THROW(gerar(), host::Abort);
    EXPECT_EQ(messages(), QStringList{"Aviso: operação abortada.\nData de Vencimento é menor que a Data de "
                                      "Previsão dos Boletos!"});
    EXPECT_TRUE(parcelas().isEmpty());
    EXPECT_FALSE(host::ui::ProgressWindow::instance().isShown());
}

TEST_F(LocacaoTest, FixedValueRunTakesTheValueCutTheGivenBoletoDateAndNoBoletoCheck)
{
    EXPECT_EQ(gerar(99.999, true, diaLocacao(20, 1, 2031)), 5);
    const QStringList rows = parcelas();
    ASSERT_EQ(rows.size(), 5);
    EXPECT_EQ(rows.front(), "000001 1 V 99.99 10/01/31 20/01/31 15/01/31 15/02/31 PED-9 01");
    EXPECT_EQ(rows.back(), "000005 1 V 99.99 10/05/31 20/05/31 15/05/31 15/06/31 PED-9 01");
}

TEST_F(LocacaoTest, EarlierForecastUnderTheDueDatesNumberIsReplacedButARealReceivableStays)
{
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, AOCODIGO,"
         " SITUACAO_DOCUMENTO, DATA_VENCIMENTO) values ('100131', 'C0001', 1, '01', 7, 'V', '2031-01-10')");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, AOCODIGO,"
         " DATA_VENCIMENTO) values ('100231', 'C0001', 1, '01', 7, '2031-02-10')");
    EXPECT_EQ(gerar(), 5);
    EXPECT_EQ(one("select count(*) from ACRC5001 where NUMERO_DOCUMENTO = '100131'").toInt(), 0);
    EXPECT_EQ(one("select count(*) from ACRC5001 where NUMERO_DOCUMENTO = '100231'").toInt(), 1);
    EXPECT_EQ(one("select count(*) from ACRC5001 where AOCODIGO = 7").toInt(), 6);
}

// What the run reads is read once, and so is the largest document number
// (each instalment's follows the last one's); each instalment costs its
// receivable, written with its period, and the savepoint its commit takes
// again (a free number starts at sequence 1).
TEST_F(LocacaoTest, EachInstalmentCostsAFixedNumberOfStatements)
{
    testsupport::StatementCounter cinco;
    ASSERT_EQ(gerar(), 5);
    const int statements5 = cinco.count(), prepares5 = cinco.prepares();
    exec("delete from ACRC5001");
    testsupport::StatementCounter dez;
    ASSERT_EQ(gerar(150, false, {}, "15/11/2031"), 10);
    const int porParcela = (dez.count() - statements5) / 5;
    std::printf("[ cost     ] rental instalments: %d statements for 5 (%d prepared), %d for 10 (%d prepared);"
                " per instalment %d statements\n",
                statements5, prepares5, dez.count(), dez.prepares(), porParcela);
    // The receivable with its covered period, the savepoint and the hold on
    // the contract taken again after its commit. A later call finds every
    // statement prepared.
    EXPECT_EQ(porParcela, 3);
    EXPECT_EQ(dez.prepares(), 0);
}

// Another desk has drawn a receivable number for the same customer and not
// committed its receivable yet: the run takes other numbers and every
// instalment is stored.
TEST_F(LocacaoTest, TwoDesksNumberingAtOnceBothStoreTheirReceivables)
{
    host::db::Connection outra;
    QString daOutra;
    const std::unique_ptr<host::db::Transaction> mesa = outraMesaNumera(outra, "C0001", daOutra);
    EXPECT_EQ(gerar(), 5);
    mesa->commit();
    EXPECT_EQ(one("select count(distinct NUMERO_DOCUMENTO) from ACRC5001 where AOCODIGO = 7 and NUMERO_DOCUMENTO <> '" +
                  daOutra + "'")
                  .toInt(),
              5);
}

// Another desk is renewing the same contract and has not ended: this desk's
// run is told so and forecasts nothing, so no month is forecast twice.
TEST_F(LocacaoTest, TwoDesksGeneratingOneContractForecastEachMonthOnce)
{
    host::db::Connection outra;
    outra.open({dbPath});
    auto renovacao = std::make_unique<host::db::Transaction>(outra);
    ASSERT_EQ(host::db::executeSql(*renovacao, "update AATC05AC set ACCODIGO = ACCODIGO where ACCODIGO = 7"), 1);
    EXPECT_THROW(gerar(), host::Abort);
    EXPECT_TRUE(messages().join('|').contains("O contrato 7 está sendo renovado"))
        << messages().join(QChar('|')).toStdString();
    EXPECT_EQ(parcelas(), QStringList{});
    renovacao->rollback();
    EXPECT_EQ(gerar(), 5);
}

// Another desk's run is between two instalments: its first committed (the
// commit let the contract's row go), its next not yet. This desk's run is
// told so and forecasts nothing, so no month is forecast twice.
TEST_F(LocacaoTest, TwoDesksOneBetweenItsInstalmentsForecastEachMonthOnce)
{
    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction feito(outra), emCurso(outra);
    host::db::executeSql(feito, "insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                                " AOCODIGO, SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_VENCIMENTO)"
                                " values ('900001', 'C0001', 1, '01', 7, 'V', 150, '2031-02-10')");
    feito.commit();
    host::db::executeSql(emCurso, "insert into TRAVAEXECUCAO (NOME) values ('parcelas do contrato 7')");
    EXPECT_THROW(gerar(), host::Abort);
    EXPECT_TRUE(messages().join('|').contains("O contrato 7 está sendo renovado"))
        << messages().join(QChar('|')).toStdString();
    host::db::Transaction leitura(outra);
    EXPECT_EQ(host::db::selectValue(leitura, "select count(*) from ACRC5001 where AOCODIGO = 7").toInt(), 1);
    leitura.commit();
    emCurso.rollback();
}

TEST_F(LocacaoTest, UnreadableSpanWritesNothing)
{
    int contador = 0;
    EXPECT_THROW(InserirParcelasContratoLocEquipamentos("31/02/2031", "15/06/2031", "C0001", "10", 7, 150, "01", "2",
                                                        "", "", "M", contador, "01", "", false, false, nullptr,
                                                        diaLocacao(15, 1, 2031), {}, 0, false, "", {}, false),
                 host::Abort);
    EXPECT_EQ(messages(), QStringList{"Data Inicial/Final inválidas!"});
    EXPECT_TRUE(parcelas().isEmpty());
}

TEST_F(LocacaoTest, NewLineTakesItsDefaultsKeyAndUnitAndRentsTheUnit)
{
    linha(40, 8, 4, "2020-01-01", "2020-02-01", "I");
    novaLinha(3);
    EXPECT_EQ(fl("ACCODIGO").asInteger(), 7);
    EXPECT_EQ(fl("ACEVSITUACAO").asString(), "A");
    EXPECT_EQ(fl("ACEVTIPO").asString(), "A");
    EXPECT_EQ(fl("ACEVDATAINICIO").asDateTime().date(), QDate::currentDate());
    EXPECT_EQ(fl("EVMODELO").asString(), "Gerador 5kVA");
    EXPECT_EQ(fl("EVPLACA").asString(), "GER0003");
    fl("ACEVQTDE").setAsInteger(3);
    fl("ACEVVALORUNIT").setAsFloat(12.5);
    EXPECT_DOUBLE_EQ(fl("ACEVVALOR").asFloat(), 37.5);
    linhas().post();
    EXPECT_EQ(one("select ACEVCODIGO from AATC05ACEV where ACCODIGO = 7").toInt(), 41);
    EXPECT_EQ(status(3), "L");
    EXPECT_EQ(dm->quCtrCadastro->state(), host::data::DatasetState::Edit);
}

// The unit's status is committed with the line that changes it.
TEST_F(LocacaoTest, TheUnitsStatusOfAnInsertedOrDeletedLineOutlivesTheProgramsEnd)
{
    novaLinha(3);
    linhas().post();
    fimDoPrograma();
    EXPECT_EQ(one("select count(*) from AATC05ACEV where ACCODIGO = 7 and EVCODIGO = 3").toInt(), 1);
    EXPECT_EQ(status(3), "L");

    dm = &createContracts();
    CarregaContrato(7);
    dm->CarregaContratoVeiculo(7, true);
    ASSERT_EQ(linhas().recordCount(), 1);
    linhas().remove();
    fimDoPrograma();
    EXPECT_EQ(one("select count(*) from AATC05ACEV where ACCODIGO = 7").toInt(), 0);
    EXPECT_EQ(status(3), "D");
}

TEST_F(LocacaoTest, ALineWhoseUnitsStatusCannotBeWrittenIsNotKeptNorItsDeletion)
{
    statusRecusado();
    novaLinha(3);
    EXPECT_ANY_THROW(linhas().post());
    EXPECT_TRUE(linhas().isEmpty()) << "the list shows what is stored";
    global->IBTransaction1->commitRetaining();   // whatever was kept would now be stored
    EXPECT_EQ(one("select count(*) from AATC05ACEV where ACCODIGO = 7").toInt(), 0);
    EXPECT_EQ(status(3), "D");

    linha(5, 7, 4, iso(QDate::currentDate().addDays(-1)), {});
    dm->CarregaContratoVeiculo(7, true);
    ASSERT_EQ(linhas().recordCount(), 1);
    EXPECT_ANY_THROW(linhas().remove()) << "unit 4 would become free";
    EXPECT_EQ(linhas().recordCount(), 1) << "the line undone is listed again";
    global->IBTransaction1->commitRetaining();
    EXPECT_EQ(one("select count(*) from AATC05ACEV where ACEVCODIGO = 5").toInt(), 1);
}

TEST_F(LocacaoTest, UnitInUseByAnotherContractOrTwiceOnTheContractIsRefused)
{
    const QDate hoje = QDate::currentDate();
    linha(1, 8, 3, iso(hoje.addMonths(-2)), {});
    novaLinha(3);
    EXPECT_THROW(linhas().post(), host::Abort);
    EXPECT_EQ(linhas().state(), host::data::DatasetState::Insert);
    linhas().cancel();

    linha(2, 7, 4, iso(hoje.addDays(-3)), {});
    novaLinha(4);
    EXPECT_THROW(linhas().post(), host::Abort);
    EXPECT_EQ(messages(), (QStringList{"Veículo está sendo utilizado no contrato código 8!",
                                       "Veículo já inserido no contrato!"}));
}

TEST_F(LocacaoTest, LineEndsAfterItsEndDateAndOpensAgainWithItsEndCleared)
{
    const QDate hoje = QDate::currentDate();
    linha(5, 7, 3, iso(hoje.addMonths(-1)), iso(hoje.addDays(-1)));
    CarregaContrato(7);
    dm->CarregaContratoVeiculo(7, true);
    ASSERT_EQ(linhas().recordCount(), 1);
    linhas().edit();
    fl("ACEVOBSERVACAO").setAsString("devolvido");
    linhas().post();
    EXPECT_EQ(one("select ACEVSITUACAO from AATC05ACEV where ACEVCODIGO = 5").toString(), "I");
    EXPECT_TRUE(linhas().isEmpty()) << "the list keeps the active lines";
    EXPECT_EQ(status(3), "D");

    dm->CarregaContratoVeiculo(7, false);
    linhas().edit();
    fl("ACEVSITUACAO").setAsString("A");
    EXPECT_TRUE(L::dataVazia(fl("ACEVDATAFIM").asDateTime()));
    EXPECT_TRUE(fl("ACEVDATAFIM").displayText().isEmpty());
    linhas().post();
    EXPECT_EQ(one("select ACEVSITUACAO from AATC05ACEV where ACEVCODIGO = 5").toString(), "A");
    EXPECT_EQ(status(3), "L");
}

TEST_F(LocacaoTest, SettingTheLineInactiveEndsItTodayAndMayPriceItByTheDays)
{
    const QDate hoje = QDate::currentDate();
    inativaPrecificandoDias(iso(hoje.addDays(-4)));
    EXPECT_EQ(fl("ACEVDATAFIM").asDateTime().date(), hoje);
    EXPECT_DOUBLE_EQ(fl("ACEVVALOR").asFloat(), 100);
}

TEST_F(LocacaoTest, PricingByTheDaysCountsCalendarDaysAcrossTheStartOfSummerTime)
{
    const testsupport::ScopedTimeZone lisboa("Europe/Lisbon");
    L::setRelogio([] { return QDateTime(QDate(2024, 4, 1), QTime(10, 0)); });
    inativaPrecificandoDias("2024-03-30");
    EXPECT_DOUBLE_EQ(fl("ACEVVALOR").asFloat(), 50) << "30/03 to 01/04: two days, the short night included";
}

TEST_F(LocacaoTest, UnitStatusFollowsItsActiveLines)
{
    const QDate hoje = QDate::currentDate();
    linha(1, 7, 3, iso(hoje.addDays(-10)), iso(hoje.addDays(10)));
    linha(2, 8, 4, iso(hoje.addDays(-10)), iso(hoje.addDays(-1)));
    dm->AtualizaStatusVeiculoContrato(3);
    dm->AtualizaStatusVeiculoContrato(4);
    EXPECT_EQ(status(3), "L");
    EXPECT_EQ(status(4), "D");
    exec("update AATC05ACEV set ACEVSITUACAO = 'I' where ACEVCODIGO = 1");
    exec("update AATC05ACEV set ACEVDATAFIM = null where ACEVCODIGO = 2");
    dm->AtualizaStatusVeiculoContrato(3);
    dm->AtualizaStatusVeiculoContrato(4);
    EXPECT_EQ(status(3), "D");
    EXPECT_EQ(status(4), "L");
}

TEST_F(LocacaoTest, UnitOnContractIsFoundOnTheHostQuery)
{
    const QDate hoje = QDate::currentDate();
    linha(1, 7, 3, iso(hoje), {}, "I");
    linha(2, 8, 3, iso(hoje), {});
    EXPECT_TRUE(dm->VerificaExisteVeiculo(7, 3, false));
    EXPECT_FALSE(dm->VerificaExisteVeiculo(7, 3, true));
    EXPECT_TRUE(dm->VerificaExisteVeiculo(0, 3, true));
    EXPECT_EQ(dmGlobal->quAuxiliar->fieldByName("ACCODIGO")->asInteger(), 8);
    EXPECT_FALSE(dm->VerificaExisteVeiculo(0, 4, false));
}

// A user other than the master user must give a reason for changing a line.
TEST_F(LocacaoTest, ChangedLineOfAnotherUserAsksTheReasonAndRecordsIt)
{
    linhaEditadaPorOutroUsuario();
    dialogs->enter("  ", "Informe o motivo para a alteração do contrato:");
    EXPECT_THROW(linhas().post(), host::Abort);
    EXPECT_EQ(linhas().state(), host::data::DatasetState::Edit);

    fl("ACEVOBSERVACAO").setAsString("troca de pneu");
    dialogs->enter("Cliente pediu");
    linhas().post();
    EXPECT_EQ(one("select RESUMIDA || '|' || CTUSUARIO || '|' || CONTRATO || '|' || COD_CLI || '|' || IDORIGEM"
                  " from CADCOM")
                  .toString(),
              "[Equipamento] Motivo: Cliente pediu  (Campos: ACEVKMINICIO,ACEVOBSERVACAO,)|JOAO|7|C0001|C");
    EXPECT_EQ(one("select ACEVKMINICIO from AATC05ACEV where ACEVCODIGO = 5").toInt(), 1200);
}

TEST_F(LocacaoTest, ReasonOfALineThatIsNotWrittenIsNotKept)
{
    exec("create exception E_LINHA_PRESA 'linha presa'");
    exec("create trigger T_LINHA_PRESA for AATC05ACEV active before update position 0 as begin"
         " exception E_LINHA_PRESA; end");
    linhaEditadaPorOutroUsuario();
    dialogs->enter("Cliente pediu", "Informe o motivo para a alteração do contrato:");
    EXPECT_ANY_THROW(linhas().post());
    linhas().cancel();

    global->IBTransaction1->commitRetaining();   // whatever was kept would now be stored
    EXPECT_EQ(one("select count(*) from CADCOM").toInt(), 0);
    EXPECT_EQ(one("select coalesce(ACEVKMINICIO, 0) from AATC05ACEV where ACEVCODIGO = 5").toInt(), 0);
}

TEST_F(LocacaoTest, ComplementaryContractListsItsPrincipalsRealReceivablesToo)
{
    exec("insert into AATC05ACVI (ACCODIGOCOMPLEMENTO, ACCODIGOPRINCIPAL) values (7, 8)");
    for (const char* valores : {"('000001', 1, 7, 'V', '2031-01-10')", "('000002', 1, 8, null, '2031-02-10')",
                                "('000003', 1, 8, 'V', '2031-03-10')"})
        exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, SEQUENCIA, AOCODIGO, SITUACAO_DOCUMENTO,"
                     " DATA_VENCIMENTO) values ") + valores);
    auto documentos = [] {
        QStringList out;
        host::data::Query& receber = *dmGlobal->quReceber;
        for (receber.first(); !receber.eof(); receber.next())
            out << receber.fieldByName("NUMERO_DOCUMENTO")->asString();
        return out;
    };
    dm->CarregaContratoParcelaLocEquip(7, "C");
    EXPECT_EQ(documentos(), (QStringList{"000001", "000002"}));
    dm->CarregaContratoParcelaLocEquip(7, "");
    EXPECT_EQ(documentos(), QStringList{"000001"});
    dm->CarregaContratoParcelaLocEquip(0, "C");
    EXPECT_FALSE(dmGlobal->quReceber->active());
}

TEST_F(LocacaoTest, SalesOrderLinesAreLoadedByTheOrderNumberAsText)
{
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO, QUANTIDADE) values (1, 'P1', '000123', 2)");
    exec("insert into AVEC85IT (COD, CODIGO, NUMERO_PEDIDO, QUANTIDADE) values (2, 'P2', '000124', 1)");
    dm->CarregaEquipSolicitadosPedidoAss("000123");
    ASSERT_EQ(dm->quCtrEquipSol->recordCount(), 1);
    EXPECT_EQ(dm->quCtrEquipSol->fieldByName("CODIGO")->asString(), "P1");
    dm->CarregaEquipSolicitadosPedidoAss("000123' or '1'='1");
    EXPECT_TRUE(dm->quCtrEquipSol->isEmpty());
}

TEST_F(LocacaoTest, AnotherContractsHeaderIsSavedAgainAndTheFirstLoaded)
{
    dm->CtrAtualizaValorContratoAcessorio(7, 8);
    EXPECT_TRUE(host::hookCallTexts().contains("quCtrCadastro:AFTERPOST"));
    EXPECT_EQ(dm->quCtrCadastroACCODIGO->asInteger(), 7);
    host::clearHookCalls();
    dm->CtrAtualizaValorContratoAcessorio(7, 99);
    EXPECT_FALSE(host::hookCallTexts().contains("quCtrCadastro:AFTERPOST"));
    EXPECT_EQ(one("select count(*) from AATC05AC").toInt(), 2) << "no header appended for a missing contract";
}

class LocacaoItensTest : public LocacaoTest {
protected:
    void SetUp() override
    {
        LocacaoTest::SetUp();
        for (const char* sql : {
                 "insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITQUANTIDADE, ACITRESERVADO)"
                 " values (11, 'C0001', 'PX', 7, 2, 'S')",
                 "insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITQUANTIDADE, ACITRESERVADO)"
                 " values (12, 'C0001', 'PX', 8, 5, 'S')",
                 "insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITQUANTIDADE, ACITRESERVADO)"
                 " values (13, 'C0001', 'PX', 8, 7, 'N')",
                 "insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITCOMPLEMENTO)"
                 " values (14, 'C0001', 'PC', 7, 'S')",
                 "insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO) values (15, 'C0001', 'P3', 7)",
             })
            exec(sql);
    }
    void notaItem(const char* documento, int item, const char* produto)
    {
        exec(QString("insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, COD_OP, MELOCAL, CODIGOPRODUTO, VEITSEQUENCIA)"
                     " values ('%1', '1', 'C0001', '5102', '01', '%2', %3)")
                 .arg(documento, produto)
                 .arg(item));
    }
    void itemDiario(const QDate& entrega)
    {
        exec(QString("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITPERIODO, ACITVALOR,"
                     " ACITFRETE, ACITINSTALACAO, ACITDATAENTREGA, ACITHORASAIDA)"
                     " values (21, 'C0001', 'PD', 9, 'D', 120, 0, '%1', '%2', '1899-12-30 08:00')")
                 .arg(iso(entrega.addDays(-5)), iso(entrega)));
        dm->CarregaContratoItemEquipamento(9, false, false);
        ASSERT_EQ(itens().recordCount(), 1);
    }
};

TEST_F(LocacaoItensTest, ReservedQuantityLeavesOutTheCurrentItemWhenAsked)
{
    dm->CarregaContratoItemEquipamento(7, false, false);
    ASSERT_TRUE(itens().locate("ACITCODIGO", 11));
    EXPECT_DOUBLE_EQ(dm->ReservaContrato("PX", false), 7);
    EXPECT_DOUBLE_EQ(dm->ReservaContrato("PX", true), 5);
    itens().append();
    fi("ACITCODIGO").clear();
    EXPECT_DOUBLE_EQ(dm->ReservaContrato("PX", true), 7) << "an item not stored leaves nothing out";
    itens().cancel();
}

TEST_F(LocacaoItensTest, ItemListsByComplementaryAndClosedFlags)
{
    exec("update AATC05ACIT set ACITENCERRADO = 'S' where ACITCODIGO = 15");
    dm->CarregaContratoItemEquipamento(7, false, false);
    EXPECT_EQ(itens().recordCount(), 1);
    dm->CarregaContratoItemEquipamento(7, true, false);
    EXPECT_EQ(fi("ACITCODIGO").asInteger(), 14);
    dm->CarregaContratoItemEquipamento(7, false, true);
    EXPECT_EQ(fi("ACITCODIGO").asInteger(), 15);
}

TEST_F(LocacaoItensTest, PendingInvoiceByCountOfItemsOrByOneItem)
{
    exec("insert into ACEM1401 (DOCUMENTO, SERIE_DOC, COD_CLI, OPERACAO_DOC, LOCAL_DOC, ACCODIGO)"
         " values ('000010', '1', 'C0001', '5102', '01', 7)");
    notaItem("000010", 11, "PX");
    notaItem("000010", 14, "PC");
    EXPECT_TRUE(dm->CtrAssVerificaPendenciaEmissaoNF(7, 0, 2, "")) << "one of two items invoiced";
    EXPECT_TRUE(dm->CtrAssVerificaPendenciaEmissaoNF(7, 15, 0, "P3"));
    EXPECT_FALSE(dm->CtrAssVerificaPendenciaEmissaoNF(7, 11, 0, "PX"));
    notaItem("000010", 15, "P3");
    EXPECT_FALSE(dm->CtrAssVerificaPendenciaEmissaoNF(7, 0, 2, "")) << "the complementary line does not count";
    EXPECT_FALSE(dm->CtrAssVerificaPendenciaEmissaoNF(7, 15, 0, "P3"));
    EXPECT_TRUE(dm->CtrAssVerificaPendenciaEmissaoNF(7, 15, 0, "P4"));
    EXPECT_TRUE(dm->CtrAssVerificaPendenciaEmissaoNF(8, 0, 1, ""));
}

TEST_F(LocacaoItensTest, DailyItemReturnedTwoDaysLateOffersTheFine)
{
    setOption("T");
    const QDate entrega(2031, 5, 10);
    itemDiario(entrega);
    L::setRelogio([&] { return QDateTime(entrega.addDays(2), QTime(11, 0)); });
    itens().edit();
    fi("ACITENCERRADO").setAsString("S");
    EXPECT_EQ(fi("ACITDATAENCERRAMENTO").asDateTime(), diaLocacao(12, 5, 2031));
    EXPECT_EQ(fi("ACITHORAENTRADA").asDateTime().time(), QTime(11, 0));
    dialogs->answer("Sim");
    fi("ACITDEVOLVIDO").setAsString("S");
    EXPECT_EQ(messages(), QStringList{"O Equipamento foi devolvido com atraso, deseja gerar um documento de multa no "
                                      "valor de 270,00"});
    EXPECT_DOUBLE_EQ(fi("ACITVALORMULTA").asFloat(), 270);

    fi("ACITENCERRADO").setAsString("N");
    EXPECT_TRUE(L::dataVazia(fi("ACITDATAENCERRAMENTO").asDateTime()));
}

TEST_F(LocacaoItensTest, ReturnOnTheDueDayNotAfterTheReturnHourOffersNoFine)
{
    setOption("T");
    const QDate entrega(2031, 5, 10);
    itemDiario(entrega);
    L::setRelogio([&] { return QDateTime(entrega, QTime(11, 0)); });
    itens().edit();
    fi("ACITENCERRADO").setAsString("S");
    fi("ACITDEVOLVIDO").setAsString("S");
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(fi("ACITVALORMULTA").isNull());

    setOption("");
    L::setRelogio([&] { return QDateTime(entrega.addDays(3), QTime(9, 0)); });
    fi("ACITDEVOLVIDO").setAsString("N");
    EXPECT_TRUE(messages().isEmpty()) << "returns are checked only under option T";
}

TEST_F(LocacaoItensTest, NewQuantityOfAnItemWithChosenSerialsAsksToChooseAgain)
{
    global->SetParametro("ATMODOPEDIDOASSISTENCIA", "C");
    exec("update AATC05ACIT set ACITNUMEROSERIE = '<selecionado>' where ACITCODIGO = 15");
    dm->CarregaContratoItemEquipamento(7, false, false);
    ASSERT_TRUE(itens().locate("ACITCODIGO", 15));
    itens().edit();
    dialogs->answer("Não", "Confirma uma nova seleção de Número(s) de Série?");
    fi("ACITQUANTIDADE").setAsFloat(3);
    EXPECT_EQ(itens().state(), host::data::DatasetState::Browse);
    EXPECT_EQ(fi("ACITNUMEROSERIE").asString(), "<selecionado>");
    itens().edit();
    dialogs->answer("Sim");
    fi("ACITQUANTIDADE").setAsFloat(3);
    EXPECT_TRUE(fi("ACITNUMEROSERIE").isNull());
}

}  // namespace
}  // namespace contractstest
