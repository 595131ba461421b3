// The form tester on windows of the host alone: a window freed by its own
// close is deleted while the tester still runs events, and must not be read
// after that (the sanitized suite would report it).

#include "host/Utesteautomatizado.h"

#include <gtest/gtest.h>

namespace {

class TfmFechaLibera : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmFechaLibera(QWidget* parent = nullptr) : host::ui::Form(parent)
    {
        setDefaultCloseAction(host::ui::CloseAction::Free);
    }
};

class TfmFechaEsconde : public host::ui::Form {
    Q_OBJECT
public:
    using host::ui::Form::Form;
};

host::ui::FormVar<TfmFechaLibera> fmFechaLibera("fmFechaLibera");
host::ui::FormVar<TfmFechaEsconde> fmFechaEsconde("fmFechaEsconde");

TEST(FormTester, WindowsFreedOrHiddenByTheirCloseAreBothReportedAndGone)
{
    TFmTesteAutomatizado& teste = *FmTesteAutomatizado.create();
    teste.Iniciar();
    for (int vez = 0; vez < 3; ++vez) {
        teste.TestaForm("TfmFechaLibera", fmFechaLibera, true);
        teste.TestaForm("TfmFechaEsconde", fmFechaEsconde, true);
    }
    ASSERT_EQ(teste.Resultados().size(), 6);
    for (const auto& r : teste.Resultados())
        EXPECT_TRUE(r.sucesso) << r.classe.toStdString() << ": " << r.mensagem.toStdString();
    EXPECT_EQ(teste.Resultados()[0].mensagem, "aberta e fechada");
    EXPECT_EQ(fmFechaLibera.get(), nullptr);
    EXPECT_EQ(fmFechaEsconde.get(), nullptr);
    EXPECT_EQ(host::ui::WindowRegistry::find("fmFechaLibera"), nullptr);
    FmTesteAutomatizado.get()->release();
    FmTesteAutomatizado.clear();
}

}  // namespace

#include "FormTesterTests.moc"
