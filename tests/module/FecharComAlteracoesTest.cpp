// Every data-entry window opened through the dispatcher, with text typed in
// its first editable box and the window closed by the user: it asks whether
// to save, "Cancelar" keeps it open with the text, "Não" closes it and
// nothing typed is stored.

#include "tests/module/ModuleFixture.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/ui/DataEdit.h"
#include "host/ui/WindowRegistry.h"

#include <QApplication>

namespace moduletest {
namespace {

class FecharComAlteracoesTest : public ModuleTest, public testing::WithParamInterface<const char*> {
protected:
    // The first box of the window the user can type a text into.
    static host::ui::DataEdit* caixaDeTexto(host::ui::Form& janela)
    {
        for (host::ui::DataEdit* caixa : janela.findChildren<host::ui::DataEdit*>()) {
            host::data::Field* campo = caixa->field();
            if (caixa->isVisible() && caixa->isEnabled() && !caixa->isReadOnly() && campo &&
                campo->dataType() == host::data::FieldType::String && campo->editMask().isEmpty() &&
                !campo->onSetText && caixa->inputMask().isEmpty())
                return caixa;
        }
        return nullptr;
    }
};

TEST_P(FecharComAlteracoesTest, ClosingWithTextTypedAsksAndEachAnswerDoesWhatItSays)
{
    uPackageAss::CriarDataTec();
    uPackageAss::CriarDataTecContrato();
    uPackageAss::ShowJanelaTec(GetParam());
    const QList<host::ui::Form*> abertas = host::ui::WindowRegistry::forms();
    ASSERT_FALSE(abertas.isEmpty());
    host::ui::Form* janela = abertas.last();
    ASSERT_TRUE(QTest::qWaitForWindowActive(janela));
    QPointer<host::ui::Form> vigia(janela);
    host::ui::DataEdit* caixa = caixaDeTexto(*janela);
    ASSERT_NE(caixa, nullptr) << "no box to type into";
    caixa->setFocus();
    QTest::keyClicks(caixa, "ZQ");
    const QString digitado = caixa->text();
    ASSERT_TRUE(digitado.contains("ZQ"));

    dialogs->answer("Cancelar", "Deseja salvar as alterações ?");
    janela->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(vigia && vigia->isVisible()) << "Cancelar stays";
    EXPECT_EQ(caixa->text(), digitado);

    dialogs->answer("Não", "Deseja salvar as alterações ?");
    janela->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(!vigia || !vigia->isVisible()) << "Não closes";
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_TRUE(dialogs->failures().isEmpty()) << dialogs->failures().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Janelas, FecharComAlteracoesTest,
                         testing::Values("fmAssTecnico", "fmAssDefeito", "fmAssEquipamento", "fmAssHoraTecnica",
                                         "fmAssSituacao", "fmAssContCad", "fmAssContObj", "fmAssCadMedidor",
                                         "fmAssContLocacao", "fmAssContratosLocEquip", "fmAssSolicitacao",
                                         "fmAssOrdemServico;42"));

}  // namespace
}  // namespace moduletest
