#include "host/data/Abort.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"
#include "host/ui/ScriptedDialogs.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace host::ui;

TEST(ScriptedDialogs, AnswersInOrderAndRecordsEveryText)
{
    ScriptedDialogs dialogs;
    dialogs.answer("Placa", "Deseja inserir OS")
        .enter("ABC1234", "placa")
        .acknowledge("Janela")
        .pick(1)
        .enter("segredo")
        .enter("12,5");

    EXPECT_EQ(Dialogs::question("Deseja inserir OS pelo Nº de Série ou Placa?", {"Série", "Placa"}), "Placa");
    QString plate;
    EXPECT_TRUE(Dialogs::inputQuery("Inserindo OS pela placa", "Informe a placa do veículo", plate));
    EXPECT_EQ(plate, "ABC1234");
    Dialogs::information("Janela não encontrada!");
    int index = 0;
    EXPECT_TRUE(Dialogs::pickFromList("Impressoras", "Escolha", {"A", "B", "C"}, index));
    EXPECT_EQ(index, 1);
    QString password;
    EXPECT_TRUE(Dialogs::password("Senha", "Informe a senha", password));
    EXPECT_EQ(password, "segredo");
    double number = 0;
    EXPECT_TRUE(Dialogs::inputNumber("Valor", "Informe o valor", number));
    EXPECT_DOUBLE_EQ(number, 12.5);

    EXPECT_EQ(dialogs.texts(), (QStringList{"Deseja inserir OS pelo Nº de Série ou Placa?", "Informe a placa do veículo",
                                            "Janela não encontrada!", "Escolha", "Informe a senha", "Informe o valor"}));
    EXPECT_EQ(dialogs.shown().at(0).kind, DialogKind::Question);
    EXPECT_EQ(dialogs.shown().at(2).kind, DialogKind::Information);
    EXPECT_EQ(dialogs.pending(), 0);
    EXPECT_TRUE(dialogs.failures().isEmpty());
}

TEST(ScriptedDialogs, CancelledPromptsLeaveTheValueAlone)
{
    ScriptedDialogs dialogs;
    dialogs.cancel().cancel().cancel();
    QString text = "antes";
    EXPECT_FALSE(Dialogs::inputQuery("c", "p", text));
    EXPECT_EQ(text, "antes");
    EXPECT_EQ(Dialogs::question("Sair?", {"Sim", "Não"}), "");
    QString path;
    EXPECT_FALSE(Dialogs::openFile("Abrir", "Bitmap (*.bmp)|*.bmp", path));
    EXPECT_TRUE(path.isEmpty());
}

TEST(ScriptedDialogs, UnexpectedPromptsFailWithTheirText)
{
    struct Case {
        const char* name;
        std::function<void(ScriptedDialogs&)> script;
        std::function<void()> run;
        const char* mustMention;
    };
    const Case cases[] = {
        {"nothing scripted", [](ScriptedDialogs&) {}, [] { Dialogs::warning("Aviso: operação abortada."); },
         "Aviso: operação abortada."},
        {"another kind", [](ScriptedDialogs& d) { d.acknowledge(); },
         [] { Dialogs::question("Confirma?", {"Sim", "Não"}); }, "Confirma?"},
        {"another text", [](ScriptedDialogs& d) { d.acknowledge("Gravado"); }, [] { Dialogs::error("Falhou"); },
         "Falhou"},
        {"caption not offered", [](ScriptedDialogs& d) { d.answer("Talvez"); },
         [] { Dialogs::question("Confirma?", {"Sim", "Não"}); }, "Talvez"},
        {"list item absent", [](ScriptedDialogs& d) { d.pick(5); },
         [] { int i = 0; Dialogs::pickFromList("c", "Escolha", {"A"}, i); }, "Escolha"},
    };
    for (const auto& c : cases) {
        QStringList reported;
        ScriptedDialogs dialogs([&](const QString& message) { reported << message; });
        c.script(dialogs);
        c.run();
        ASSERT_EQ(reported.size(), 1) << c.name;
        EXPECT_TRUE(reported.first().contains(c.mustMention)) << c.name << ": " << reported.first().toStdString();
        EXPECT_EQ(dialogs.failures(), reported) << c.name;
    }
}

TEST(ScriptedDialogs, DefaultFailureThrowsAndMessagesCanBeAutoAcknowledged)
{
    ScriptedDialogs dialogs;
    EXPECT_THROW(Dialogs::information("Olá"), UnexpectedDialog);
    dialogs.setAutoAcknowledgeMessages(true);
    dialogs.answer("Sim");
    Dialogs::information("Gravado");
    EXPECT_EQ(Dialogs::question("Continuar?", {"Sim", "Não"}), "Sim");
    EXPECT_THROW(Dialogs::question("De novo?", {"Sim"}), UnexpectedDialog);
    EXPECT_EQ(dialogs.texts(), (QStringList{"Olá", "Gravado", "Continuar?", "De novo?"}));
}

TEST(ScriptedDialogs, AFailureShownAsAnErrorByAHandlerStillFailsTheTest)
{
    // The application loop shows a handler's failure as an error message;
    // the script's own failure must not be acknowledged away there.
    for (bool autoAcknowledge : {true, false}) {
        ScriptedDialogs dialogs;
        dialogs.setAutoAcknowledgeMessages(autoAcknowledge);
        if (!autoAcknowledge)
            dialogs.acknowledge();
        EXPECT_THROW(runGuarded([] { Dialogs::question("Excluir o item?", {"Sim", "Não"}); }), UnexpectedDialog)
            << autoAcknowledge;
        ASSERT_FALSE(dialogs.failures().isEmpty());
        EXPECT_TRUE(dialogs.failures().first().contains("Excluir o item?"));
    }
}

TEST(ScriptedDialogs, ADialogOrModalWindowNoTestScriptedFailsInsteadOfWaiting)
{
    // No script of this test: the test program's own guard answers, so a
    // forgotten script fails here instead of leaving a real dialog waiting.
    EXPECT_THROW(Dialogs::information("Gravado"), UnexpectedDialog);
    Form form;
    form.setObjectName("fmSemRoteiro");
    EXPECT_THROW(form.showModal(), UnexpectedDialog);
    EXPECT_FALSE(form.showingModal());
    EXPECT_FALSE(form.isVisible());
}

TEST(ScriptedDialogs, RestoresThePreviousBackend)
{
    DialogBackend* onScreen = &Dialogs::backend();
    {
        ScriptedDialogs outer;
        {
            ScriptedDialogs inner;
            EXPECT_EQ(&Dialogs::backend(), &inner);
        }
        EXPECT_EQ(&Dialogs::backend(), &outer);
    }
    EXPECT_EQ(&Dialogs::backend(), onScreen);
}

TEST(Dialogs, ClassicFileFiltersBecomeQtFilters)
{
    EXPECT_EQ(Dialogs::qtFileFilter("Bitmap (*.bmp)|*.bmp"), "Bitmap (*.bmp)");
    EXPECT_EQ(Dialogs::qtFileFilter("Excel|*.xls;*.xlsx|Todos (*.*)|*.*"), "Excel (*.xls *.xlsx);;Todos (*.*)");
    EXPECT_EQ(Dialogs::qtFileFilter(""), "");
}

// A routine that presses another window's button learns from the count that
// the guarded handler was refused, silently or with a message.
TEST(RunGuarded, CountsTheActionsThatEndInAFailure)
{
    ScriptedDialogs dialogs;
    dialogs.acknowledge("recusado");
    const unsigned long antes = guardedFailures();
    EXPECT_TRUE(runGuarded([] {}));
    EXPECT_EQ(guardedFailures(), antes);
    EXPECT_FALSE(runGuarded([] { throw host::Abort{}; }));
    EXPECT_EQ(guardedFailures(), antes + 1);
    EXPECT_FALSE(runGuarded([] { throw std::runtime_error("recusado"); }));
    EXPECT_EQ(guardedFailures(), antes + 2);
    EXPECT_EQ(dialogs.pending(), 0);
}
