// Situations: the register opened through the dispatcher (options offered by
// the module owning the row, the colour, the list report, the picker) and
// the situation change in its timed form (the caller waits, a second caller
// is refused) and its rules (password for a dead situation, times, the
// executed mark of company 15).

#include "tests/module/ModuleFixture.h"

#include "tests/module/JanelaLegivel.h"

#include "contract_data/uDataTecCont.h"
#include "tests/support/TestDatabase.h"

#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "service_orders/uAssSituacao.h"
#include "service_orders/uAssSituacaoTroca.h"

#include <QCoreApplication>
#include <QDir>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

namespace moduletest {
namespace {

using host::ui::Form;

class SituacaoJanelaTest : public ModuleTest {
protected:
    TfmAssSituacao& abrir() { return abrirJanela(fmAssSituacao, "fmAssSituacao"); }
    host::data::Query& situacoes() { return *dmTec->quOSSituacao; }
    bool habilitados(std::initializer_list<QWidget*> controles)
    {
        for (QWidget* c : controles)
            if (!c->isEnabled())
                return false;
        return true;
    }
    bool desabilitados(std::initializer_list<QWidget*> controles)
    {
        for (QWidget* c : controles)
            if (c->isEnabled())
                return false;
        return true;
    }
    // The change dialog over order 43, its technician 1.
    void prepararTroca(const QString& usuario = "SYSDBA", const QString& direito = "T")
    {
        exec("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO, ATALTERARSITUACAO) values (91, '" + usuario + "', 'S', '" +
             direito + "')");
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE, ASCODIGO)"
             " values (43, '00003', '2026-11-02', 'A', 'M', 1)");
        if (usuario != "SYSDBA") {
            // A technician's own login (embedded: no password check).
            testsupport::grantAllToPublic(*global->IBTransaction1, {"GEN_AOITCODIGO"});
            dmTecContrato.free();
            dmTec.free();
            global->IBTransaction1->commit();
            global.reset();
            global = std::make_unique<TdmGlobal>(dbPath, usuario, "x");
        }
        uPackageAss::CriarDataTec();
        CarregaOrdemServico(43);
    }
    QString contatos() { return one("select count(*) from CADCOM where CONTRATO = 43 and IDORIGEM = 'A'").toString(); }
};

TEST_F(SituacaoJanelaTest, OptionsFollowTheModuleOwningTheRow)
{
    exec("update AATC01AS set ASID = null where ASCODIGO = 2");
    exec("update AATC01AS set ASID = 'F' where ASCODIGO = 3");
    exec("update AATC01AS set ASID = 'L' where ASCODIGO = 4");
    TfmAssSituacao& form = abrir();
    EXPECT_EQ(form.caption(), "Cadastro de Situação ");
    ASSERT_TRUE(situacoes().active());
    EXPECT_TRUE(situacoes().sql().contains("ASID = 'A'")) << "the service orders' situations";
    EXPECT_TRUE(situacoes().locate("ASCODIGO", 1));
    EXPECT_EQ(form.dbcbTipo->text(), "I - Inicial");
    EXPECT_EQ(form.dbcbID->text(), "Assistência");
    EXPECT_TRUE(habilitados({form.dbcbEstoque, form.dbcbCliente, form.dbcbInsercao, form.dbcbReserva,
                             form.dbcbEmail, form.dbedSenha, form.sbCor, form.dbedTempoPrevisto, form.dbcbAprova,
                             form.dbcbInternet}));
    EXPECT_TRUE(desabilitados({form.dbcbEnviaFila, form.dbcbValidaEstoque, form.dbcbBloqueiaEdicao}));

    ASSERT_TRUE(situacoes().locate("ASCODIGO", 2));
    EXPECT_TRUE(desabilitados({form.dbcbEstoque, form.dbcbCliente, form.dbcbInsercao, form.dbcbReserva,
                               form.dbcbEmail, form.dbedSenha, form.sbCor, form.dbcbEnviaFila}))
        << "an empty module: the assistance-only options are off";
    EXPECT_TRUE(habilitados({form.dbedTempoPrevisto, form.dbcbAprova, form.dbcbInternet}));

    dmTec->CarregaSituacao(0, "F");
    ASSERT_TRUE(situacoes().locate("ASCODIGO", 3));
    EXPECT_TRUE(habilitados({form.dbcbEmail, form.dbedSenha, form.sbCor, form.dbcbEnviaFila, form.dbcbValidaEstoque,
                             form.dbcbBloqueiaEdicao}));
    EXPECT_TRUE(desabilitados({form.dbcbEstoque, form.dbcbReserva}));

    dmTec->CarregaSituacao(0, "L");
    ASSERT_TRUE(situacoes().locate("ASCODIGO", 4));
    EXPECT_TRUE(desabilitados({form.dbedTempoPrevisto, form.dbcbAprova, form.sbCor, form.dbcbEmail}));
    EXPECT_TRUE(form.dbcbInternet->isEnabled());
}

TEST_F(SituacaoJanelaTest, NewSituationWithItsChoicesAndColourStoredAsCodes)
{
    TfmAssSituacao& form = abrir();
    form.bbNovo->click();
    ASSERT_TRUE(situacoes().editing());
    digita(form.dbedDescricao, "aguardando peca");
    EXPECT_EQ(form.dbedDescricao->text(), "AGUARDANDO PECA");
    form.dbcbTipo->setCurrentIndex(1);
    emit form.dbcbTipo->activated(1);
    form.dbcbID->setCurrentIndex(0);
    emit form.dbcbID->activated(0);
    form.dbcbInsercao->setCurrentIndex(2);
    emit form.dbcbInsercao->activated(2);
    dialogs->enter("clRed");
    form.sbCor->click();
    form.bbSalvar->click();
    const int codigo = one("select max(ASCODIGO) from AATC01AS").toInt();
    EXPECT_EQ(codigo, 11) << dialogs->texts().join("|").toStdString();
    EXPECT_EQ(one("select ASDESCRICAO from AATC01AS where ASCODIGO = 11").toString(), "AGUARDANDO PECA");
    EXPECT_EQ(one("select ASTIPO from AATC01AS where ASCODIGO = 11").toString(), "N");
    EXPECT_EQ(one("select ASINSERCAO from AATC01AS where ASCODIGO = 11").toString(), "A");
    EXPECT_EQ(one("select ASCOR from AATC01AS where ASCODIGO = 11").toString(), "clRed");
    EXPECT_EQ(one(QString("select ASDESCRICAO || '|' || ASTIPO || '|' || ASINSERCAO || '|' || ASCOR from AATC01AS"
                          " where ASCODIGO = %1")
                      .arg(codigo))
                  .toString(),
              "AGUARDANDO PECA|N|A|clRed");
    EXPECT_EQ(form.shCor->palette().color(QPalette::Window), QColor(Qt::red));
}

TEST_F(SituacaoJanelaTest, TheListReportAndThePicker)
{
    TfmAssSituacao& form = abrir();
    QString texto;
    dialogs->modal("fmVisualizadorRelatorio", [&](Form& janela) {
        texto = static_cast<TfmVisualizadorRelatorio&>(janela).pages().textDump();
    });
    form.bbRelatorio->click();
    EXPECT_TRUE(texto.contains("Cadastro de Situação"));
    EXPECT_TRUE(texto.contains("AATC01AS"));
    EXPECT_TRUE(texto.contains("Em análise"));
    form.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    dialogs->modal("fmAssSituacao", [](Form& janela) {
        auto& registro = static_cast<TfmAssSituacao&>(janela);
        EXPECT_TRUE(registro.pnEdicao->isHidden());
        EXPECT_TRUE(registro.pnBotoes->isHidden());
        EXPECT_EQ(registro.gbSituacoes->title(), "Situações Cadastradas");
        dmTec->quOSSituacao->locate("ASCODIGO", 5);
        registro.dbgdSituacao->onDblClick();
    });
    int codigo = 0;
    QString descricao;
    EXPECT_TRUE(SelecionaOSSituacao(codigo, descricao));
    EXPECT_EQ(codigo, 5);
    EXPECT_EQ(descricao, "Concluída");
    EXPECT_FALSE(dmTec->quOSSituacao->active());
}

TEST_F(SituacaoJanelaTest, TheTimedChangeKeepsTheCodeOnCancelReturnsTheChoiceAndRefusesASecondCaller)
{
    prepararTroca();
    int codigo = 77;
    QTimer::singleShot(0, [] {
        TfmAssSituacaoTroca* dialogo = fmAssSituacaoTroca;
        ASSERT_NE(dialogo, nullptr);
        EXPECT_TRUE(dialogo->stayOnTop());
        EXPECT_FALSE(dialogo->laTempo->isHidden()) << "the clock runs";
        EXPECT_NE(dialogo->mdHoraInicial->text(), "  :  ") << "the start time is preset";
        dialogo->bbCancelar->click();
    });
    SelecionaSituacaoTrocaTempo(codigo, true);
    EXPECT_EQ(codigo, 77);
    EXPECT_FALSE(fmAssSituacaoTroca);

    QTimer::singleShot(0, [this] {
        TfmAssSituacaoTroca* dialogo = fmAssSituacaoTroca;
        ASSERT_NE(dialogo, nullptr);
        int outro = 5;
        SelecionaSituacaoTrocaTempo(outro, true);
        EXPECT_EQ(outro, 5) << "refused while the first caller waits";
        EXPECT_EQ(fmAssSituacaoTroca.get(), dialogo) << "the first caller's dialog stays";
        dialogo->laCodTec->setText("91");
        dialogo->dblcSituacao->setKeyValue(4);
        dialogo->bbOk->click();
    });
    SelecionaSituacaoTrocaTempo(codigo, true);
    EXPECT_EQ(codigo, 4);
    EXPECT_TRUE(bOk);
    EXPECT_EQ(contatos(), "1");
    EXPECT_FALSE(one("select HORA_VISITA from CADCOM where CONTRATO = 43").isNull());
    EXPECT_FALSE(one("select CTHORAFINAL from CADCOM where CONTRATO = 43").isNull()) << "the end time at OK";
}

TEST_F(SituacaoJanelaTest, ChangeRulesTimesDeadPasswordAndTheExecutedMarkOfCompany15)
{
    prepararTroca();
    auto trocar = [this](int situacao, const QString& horaInicial) {
        dialogs->modal("fmAssSituacaoTroca", [situacao, horaInicial](Form& janela) {
            auto& dialogo = static_cast<TfmAssSituacaoTroca&>(janela);
            dialogo.laCodTec->setText("91");
            dialogo.dblcSituacao->setKeyValue(situacao);
            dialogo.mdHoraInicial->setText(horaInicial);
            dialogo.bbOk->click();
        });
        int codigo = 0;
        return SelecionaSituacaoTroca(codigo, true) ? codigo : -1;
    };
    EXPECT_EQ(trocar(2, "  :  "), 2);
    EXPECT_TRUE(one("select HORA_VISITA from CADCOM where CONTRATO = 43").isNull()) << "no times typed, none written";
    EXPECT_EQ(one("select AOBAIXA from AATC01AO where AOCODIGO = 43").toString(), "A");

    global->quEmpresa->close();
    exec("update EMPRESA set UGESPECIFICOEMPRESA = 15");
    global->CarregaEmpresa();
    EXPECT_EQ(trocar(4, "08:30"), 4);
    EXPECT_EQ(one("select AOBAIXA from AATC01AO where AOCODIGO = 43").toString(), "A") << "type N: not executed";
    EXPECT_EQ(trocar(5, "  :  "), 5);
    EXPECT_EQ(one("select AOBAIXA from AATC01AO where AOCODIGO = 43").toString(), "S") << "type F with company 15";

}

// The hour boxes have no field behind them: the start hour is typed over
// the one proposed, key by key, and stored.
TEST_F(SituacaoJanelaTest, TheHourBoxesTakeTyping)
{
    prepararTroca();
    dialogs->modal("fmAssSituacaoTroca", [](Form& janela) {
        auto& dialogo = static_cast<TfmAssSituacaoTroca&>(janela);
        dialogo.laCodTec->setText("91");
        dialogo.dblcSituacao->setKeyValue(2);
        EXPECT_FALSE(dialogo.mdHoraInicial->isReadOnly());
        dialogo.mdHoraInicial->setFocus();
        dialogo.mdHoraInicial->selectAll();
        QTest::keyClick(dialogo.mdHoraInicial, Qt::Key_Delete);
        dialogo.mdHoraInicial->setCursorPosition(0);
        QTest::keyClicks(dialogo.mdHoraInicial, "0830");
        EXPECT_EQ(dialogo.mdHoraInicial->displayText(), "08:30");
        dialogo.bbOk->click();
    });
    int codigo = 0;
    ASSERT_TRUE(SelecionaSituacaoTroca(codigo, true));
    const QVariant hora = one("select HORA_VISITA from CADCOM where CONTRATO = 43");
    EXPECT_EQ(hora.typeId() == QMetaType::QTime ? hora.toTime() : hora.toDateTime().time(), QTime(8, 30));
}

TEST_F(SituacaoJanelaTest, ATechnicianBarredFromDeadSituationsGivesThePasswordForOne)
{
    parametro("ATSENHAOPERACOESESPECIAIS", "segredo");
    prepararTroca("TECNICO", "E");
    auto trocar = [this](int situacao, const QString& senha = {}) {
        dialogs->modal("fmAssSituacaoTroca", [situacao](Form& janela) {
            auto& dialogo = static_cast<TfmAssSituacaoTroca&>(janela);
            dialogo.laCodTec->setText("91");
            dialogo.dblcSituacao->setKeyValue(situacao);
            dialogo.bbOk->click();
        });
        if (!senha.isEmpty())
            dialogs->enter(senha, "Tipo Morta");
        if (senha == "errada")
            dialogs->acknowledge("Senha inválida!");
        int codigo = 0;
        return SelecionaSituacaoTroca(codigo, true) ? codigo : -1;
    };
    EXPECT_EQ(trocar(2), 2) << "no password for another type";
    const QString antes = contatos();
    EXPECT_EQ(trocar(6, "errada"), -1);
    EXPECT_EQ(contatos(), antes) << "a wrong password writes nothing";
    EXPECT_EQ(trocar(6, "segredo"), 6);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(SituacaoJanelaTest, PictureOfTheRegister)
{
    TfmAssSituacao& form = abrir();
    situacoes().locate("ASCODIGO", 3);
    guardaFoto(form, "fmAssSituacao.png");
}

}  // namespace
}  // namespace moduletest
