#pragma once
// The first-start walks on the demonstration's rental contract: the register
// the contracts menu opens, on contract LC-2026-001 found by its search.

#include "tests/module/PrimeiroUsoFixture.h"

#include "host/Uprincipal.h"

#include <QPushButton>

namespace moduletest {

class PrimeiroUsoRegistroLocacaoTest : public PrimeiroUsoTest {
protected:
    TfmAssContCadLocEquip& registroDoContrato()
    {
        principal->miCadastroContrato->click();
        TfmAssContCadLocEquip* form = fmAssContCadLocEquip.get();
        EXPECT_NE(form, nullptr) << "the contracts menu opens the rental register";
        pesquisaContrato("LC-2026-001");
        form->btPesqContrato->click();
        EXPECT_EQ(cab("ACCODIGO").asInteger(), 3);
        return *form;
    }
};

}  // namespace moduletest
