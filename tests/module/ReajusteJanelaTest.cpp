// The readjustment window, opened through the dispatcher and driven through
// its controls: its defaults, the branch required, the selection, a raise by
// the typed percentage and its undo, and the complementary contracts.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssContReajustarValor.h"
#include "host/Udmglobal.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "host/ui/PageControl.h"
#include "host/ui/StatusBar.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <utility>

namespace moduletest {
namespace {

class ReajusteJanelaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        parametro("ATUTILIZACONTRATOS", "S");
        exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('T0001', 'Alfa Contratante')");
        contrato(901, 100, "P");
        contrato(902, 50, "C");
        contrato(903, 20, "C");
        exec("insert into AATC05ACVI (ACCODIGOCOMPLEMENTO, ACCODIGOPRINCIPAL) values (902, 901)");
        exec("insert into AATC05ACVI (ACCODIGOCOMPLEMENTO, ACCODIGOPRINCIPAL) values (903, 901)");
        dmGlobal->IBTransaction1->commitRetaining();
    }
    void contrato(int codigo, double valor, const char* vinculo)
    {
        exec(QString("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACINDICEREAJUSTE,"
                     " ACLOCAL, ACVALORFIXO, ACVALORPARCELA, ACVINCULO, ACMODALIDADE, ACPERIODO, ACVENCIMENTO)"
                     " values (%1, 'R-%1', 'T0001', 'A', 'S', '01', 'S', %2, '%3', 'R', 'M', 10)")
                 .arg(codigo)
                 .arg(valor)
                 .arg(vinculo));
    }
    TfmAssContReaj& abrir() { return abrirJanela(fmAssContReaj, "fmAssContReaj"); }
    void seleciona(TfmAssContReaj& form, const QString& de = "901", const QString& ate = "903")
    {
        digita(form.edFilial, "01");
        digita(form.edContratoIni, de);
        digita(form.edContratoFim, ate);
    }
    // The three contracts raised at the typed rate.
    void reajusta(TfmAssContReaj& form, const QString& taxa)
    {
        digita(form.edReajuste, taxa);
        dialogs->acknowledge("Operação efetuada com sucesso! Total de contratos reajustados: 3");
        form.bbBaixar->click();
    }
    double valor(int contrato)
    {
        return one(QString("select ACVALORPARCELA from AATC05AC where ACCODIGO = %1").arg(contrato)).toDouble();
    }
};

TEST_F(ReajusteJanelaTest, OpensWithItsDefaultsAndAsksForTheBranch)
{
    TfmAssContReaj& form = abrir();
    EXPECT_EQ(form.caption(), "Reajustar Valores de Contratos");
    EXPECT_EQ(form.mdAtualDataBase->date().date(), QDate::currentDate().addMonths(12));
    EXPECT_EQ(form.rgTipo->itemIndex(), 0);
    EXPECT_TRUE(form.ckNovaProv->isChecked());
    EXPECT_EQ(form.edNumeroProvisoes->value(), 12);
    EXPECT_EQ(form.edMediaMeses->value(), 12);
    EXPECT_TRUE(form.edMediaMeses->isHidden());
    EXPECT_GT(form.cbCampos->count(), 100) << "the header's fields";
    EXPECT_EQ(form.stInformacao->panelText(0), "Aviso: Somente contratos com situação \"Ativo\" e com \"Índice "
                                                "somente para reajuste\" serão reajustados");
    form.rgTipo->button(2)->click();
    EXPECT_FALSE(form.edMediaMeses->isHidden());
    EXPECT_FALSE(form.laMediaMeses->isHidden());
    form.rgTipo->button(1)->click();
    EXPECT_TRUE(form.laMediaMeses->isHidden());

    for (QPushButton* botao : {form.BitBtn1, form.bbBaixar, form.BitBtn2}) {
        dialogs->acknowledge("Informe a filial a reajustar!");
        botao->click();
    }
    EXPECT_FALSE(form.quPesq->active());
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_DOUBLE_EQ(valor(901), 100);
}

TEST_F(ReajusteJanelaTest, SearchListsTheFlaggedContractsOfTheBranch)
{
    exec("update AATC05AC set ACINDICEREAJUSTE = 'N' where ACCODIGO = 903");
    TfmAssContReaj& form = abrir();
    seleciona(form);
    form.BitBtn1->click();
    ASSERT_TRUE(form.quPesq->active());
    EXPECT_EQ(form.DBGrid1->model()->rowCount(), 2);
    EXPECT_EQ(form.DBGrid1->column(1)->field()->displayText(), "Alfa Contratante");
    EXPECT_EQ(form.DBGrid1->column(5)->fieldName(), "ACCODIGO");

    form.ckPrincipal->click();
    form.BitBtn1->click();
    EXPECT_EQ(form.DBGrid1->model()->rowCount(), 1);
}

TEST_F(ReajusteJanelaTest, RaiseByTheTypedPercentageAndUndoIt)
{
    TfmAssContReaj& form = abrir();
    seleciona(form);
    reajusta(form, "5,125");
    EXPECT_DOUBLE_EQ(valor(901), 105.12);
    EXPECT_DOUBLE_EQ(valor(902), 52.56);
    ASSERT_TRUE(form.quPesq->active());
    EXPECT_EQ(form.DBGrid1->dataSource()->dataset(), form.quPesq) << "the grid is given its selection back";
    form.quPesq->first();
    EXPECT_EQ(form.DBGrid1->column(2)->field()->displayText(), "100,00");

    dialogs->acknowledge("Operação efetuada com sucesso! Total de contratos desfeitos: 3");
    form.BitBtn2->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_DOUBLE_EQ(valor(901), 100);
    EXPECT_DOUBLE_EQ(valor(902), 50);
}

TEST_F(ReajusteJanelaTest, ARateRefusedOnShowRefusesTheRaiseInWords)
{
    TfmAssContReaj& form = abrir();
    seleciona(form);
    reajusta(form, "7,5");
    ASSERT_DOUBLE_EQ(valor(901), 107.5);

    // Refused on leaving the box, and again by the button: nothing raised at the 7,5 taken before.
    dialogs->acknowledge("Valor inválido: 10.5").acknowledge("Valor inválido: 10.5");
    digita(form.edReajuste, "10.5");
    form.bbBaixar->click();
    EXPECT_EQ(form.edReajuste->text(), "10.5");
    // Typed and the button pressed without leaving the box.
    form.edReajuste->selectAll();
    dialogs->acknowledge("Valor inválido: 7.5");
    QTest::keyClicks(form.edReajuste, "7.5");
    form.bbBaixar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    digita(form.edReajuste, "7,5");   // mended, no raise asked
    EXPECT_EQ(lido("select cast(ACVALORPARCELA * 100 as integer) || '/' || cast(ACVALORANTERIOR * 100 as integer)"
                   " from AATC05AC where ACCODIGO = 901"),
              QStringList{"10750/10000"})
        << "the value and the one \"Desfazer\" gives back stay";
}

TEST_F(ReajusteJanelaTest, LinkedContractsAskFirstAndAreRaisedBeforeTheirPrincipal)
{
    TfmAssContReaj& form = abrir();
    seleciona(form);
    digita(form.edReajuste, "10");
    form.ckVinculado->click();
    form.ckPrincipal->click();
    dialogs->answer("Não", "deve ser feita seleção apenas dos contratos principais");
    form.bbBaixar->click();
    EXPECT_DOUBLE_EQ(valor(902), 50);

    dialogs->answer("Sim");
    dialogs->acknowledge("Operação efetuada com sucesso! Total de contratos reajustados: 1");
    form.bbBaixar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_DOUBLE_EQ(valor(901), 110);
    EXPECT_DOUBLE_EQ(valor(902), 55);
    EXPECT_DOUBLE_EQ(valor(903), 22);
    EXPECT_EQ(form.meAviso->toPlainText(), "Atualizado contrato vinculado 902\nAtualizado contrato vinculado 903");
    EXPECT_EQ(form.pcReajuste->activePage(), form.tsOutrasInformacoes);
}

// A principal readjusted or cancelled at another desk while the question is
// open is not raised again, nor are its complementary contracts.
TEST_F(ReajusteJanelaTest, AContractChangedWhileTheQuestionIsOpenIsNotRaisedAgain)
{
    const char* outraMesaFez[] = {
        "update AATC05AC set ACVALORPARCELA = 105, ACVALORANTERIOR = 100 where ACCODIGO = 901",
        "update AATC05AC set ACSITUACAO = 'C' where ACCODIGO = 901",
    };
    const QString valores = "select ACVALORPARCELA from AATC05AC where ACCODIGO between 901 and 903 order by 1";
    TfmAssContReaj& form = abrir();
    seleciona(form);
    digita(form.edReajuste, "10");
    form.ckVinculado->click();
    form.ckPrincipal->click();
    for (const char* sql : outraMesaFez) {
        SCOPED_TRACE(sql);
        QStringList deixados;
        dialogs->answer("Sim", "Tem certeza").meanwhile([&] {
            outraMesa(sql);
            deixados = lido(valores);
        });
        dialogs->acknowledge("O contrato 901 foi reajustado ou alterado depois da pesquisa; não foi reajustado de novo.")
            .acknowledge("Total de contratos reajustados: 1");
        form.bbBaixar->click();
        EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
        EXPECT_EQ(lido(valores), deixados);
    }
}

// Readjusted without "Gerar Novas Provisões", then undone: the forecasts
// keep their months at the raised value, and the undo gives every value back.
TEST_F(ReajusteJanelaTest, ForecastsMadeAgainKeepTheirMonthsAndTheUndoGivesEveryValueBack)
{
    struct Caso {
        const char* opcao;
        const char* modalidade;
        double valorContrato;   // ACVALOR: under "E" the items' total as the register keeps it, or none
        double parcela;
        const char* taxa;
        int raised;   // in cents
    };
    const Caso casos[] = {
        {"E", "A", 0, 1234.56, "7,5", 132715},
        {"E", "A", 1234.56, 1234.56, "7,5", 132715},
        {"E", "I", 0, 250, "10", 27500},
        {"M", "I", 0, 250, "10", 27500},
    };
    TfmAssContReaj& form = abrir();
    form.ckNovaProv->click();
    const int ano = QDate::currentDate().year() + 1;
    int codigo = 910;
    for (const Caso& c : casos) {
        SCOPED_TRACE(QString("%1 %2 %3").arg(c.opcao, c.modalidade).arg(c.valorContrato).toStdString());
        parametro("ATOPCAOCONTRATO", c.opcao);
        const QString ac = QString::number(++codigo);
        contrato(codigo, c.parcela, "P");
        exec(QString("update AATC05AC set ACMODALIDADE = '%1', ACVALOR = %2, ACHORAVALOR = 80 where ACCODIGO = %3")
                 .arg(c.modalidade)
                 .arg(c.valorContrato)
                 .arg(ac));
        for (const auto& [item, valor] : {std::pair{1, 600.0}, std::pair{2, 634.56}})
            exec(QString("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITVALORUNITARIO,"
                         " ACITQUANTIDADE, ACITVALOR) values (%1, 'T0001', 'P1', %2, %3, 1, %3)")
                     .arg(codigo * 10 + item)
                     .arg(ac)
                     .arg(valor));
        for (int mes = 3; mes <= 7; ++mes) {
            const QDate vencimento(ano, mes, 10);
            exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                 " SITUACAO_DOCUMENTO, AOCODIGO, VALOR_DOCUMENTO, DATA_VENCIMENTO) values (:N, 'T0001', :C, '01', 'V',"
                 " :C, :V, :D)",
                 {{"N", vencimento.toString("ddMMyy")}, {"C", codigo}, {"V", c.parcela},
                  {"D", QDateTime(vencimento, QTime(0, 0))}});
        }
        dmGlobal->IBTransaction1->commitRetaining();
        auto previsoes = [&](int centavos) {
            QStringList linhas;
            for (int mes = 3; mes <= 7; ++mes)
                linhas << QString("%1-%2 %3").arg(ano).arg(mes).arg(centavos);
            return linhas;
        };
        const QString lidas = "select extract(year from DATA_VENCIMENTO) || '-' || extract(month from DATA_VENCIMENTO)"
                              " || ' ' || cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001 where AOCODIGO = " +
                              ac + " order by DATA_VENCIMENTO";
        const QString valores = "select cast(ACVALORPARCELA * 100 as integer) || ' ' || cast(ACHORAVALOR * 100 as"
                                " integer) || ' ' || cast(ACVALOR * 100 as integer) from AATC05AC where ACCODIGO = " + ac;

        seleciona(form, ac, ac);
        digita(form.edReajuste, c.taxa);
        dialogs->acknowledge("Operação efetuada com sucesso! Total de contratos reajustados: 1");
        form.bbBaixar->click();
        EXPECT_EQ(lido(lidas), previsoes(c.raised));

        dialogs->acknowledge("Operação efetuada com sucesso! Total de contratos desfeitos: 1");
        form.BitBtn2->click();
        EXPECT_EQ(dialogs->pending(), 0);
        EXPECT_EQ(lido(valores), QStringList{QString("%1 8000 %2").arg(qRound(c.parcela * 100)).arg(
                                     qRound(c.valorContrato * 100))});
        EXPECT_EQ(lido(lidas), previsoes(qRound(c.parcela * 100)));
    }
}

// The window with the contracts of a branch listed, on both its pages, as a
// person sees it.
TEST_F(ReajusteJanelaTest, PicturesOfTheWindowWithContractsListed)
{
    TfmAssContReaj& form = abrir();
    seleciona(form);
    form.BitBtn1->click();
    EXPECT_EQ(form.DBGrid1->model()->rowCount(), 3);
    guardaFoto(form, "fmAssContReaj.png");
    form.pcReajuste->setActivePage(form.tsOutrasInformacoes);
    guardaFoto(form, "fmAssContReaj_outras.png");
}

}  // namespace
}  // namespace moduletest
