// The form tester on a window of the host alone: a window freed by its own
// close is deleted while the tester still runs events, and must not be read
// after that (the sanitized suite would report it).

#include "host/Utesteautomatizado.h"

#include <gtest/gtest.h>

namespace {

// The tester's own window frees itself when closed: tested through a
// variable of its own, it is such a window.
host::ui::FormVar<TFmTesteAutomatizado> fmFechaLibera("fmFechaLibera");

TEST(FormTester, AWindowFreedByItsCloseIsReportedAndGone)
{
    TFmTesteAutomatizado& teste = *FmTesteAutomatizado.create();
    teste.Iniciar();
    for (int vez = 0; vez < 3; ++vez)
        teste.TestaForm("TFmTesteAutomatizado", fmFechaLibera, true);
    ASSERT_EQ(teste.Resultados().size(), 3);
    for (const auto& r : teste.Resultados()) {
        EXPECT_TRUE(r.sucesso) << r.mensagem.toStdString();
        EXPECT_EQ(r.mensagem, "aberta e fechada");
    }
    EXPECT_EQ(fmFechaLibera.get(), nullptr);
    EXPECT_EQ(host::ui::WindowRegistry::find("fmFechaLibera"), nullptr);
    FmTesteAutomatizado.get()->release();
    FmTesteAutomatizado.clear();
}

}  // namespace
