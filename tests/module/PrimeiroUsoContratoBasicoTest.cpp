// The basic contract register on the database the first start makes: a
// contract deleted there goes as the contract register deletes it (the
// deletion password, the billed instalments refused, its forecasts, items
// and their readings removed), and a service code the products do not hold
// is refused where it is typed.

#include "tests/module/PrimeiroUsoFixture.h"

#include "contracts/uAssBasicoContratos.h"
#include "contracts/uPesqAssContratos.h"
#include "host/data/Query.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "host/ui/ScriptedDialogs.h"

#include <QLineEdit>
#include <QPushButton>

namespace moduletest {
namespace {

class PrimeiroUsoContratoBasicoTest : public PrimeiroUsoTest {
protected:
    TfmAssBasicoContratos& abrir() { return abrirJanela(fmAssBasicoContratos, "fmAssContratos"); }
    // The contract found by its number in the register's search.
    void pesquisar(TfmAssBasicoContratos& form, const QString& numero)
    {
        dialogs->modal("fmPesquisaAssContratos", [&](host::ui::Form& janela) {
            auto& dialogo = static_cast<TfmPesquisaAssContratos&>(janela);
            dialogo.edNumeroContrato->setText(numero);
            dialogo.bbOk->click();
            ASSERT_TRUE(dialogo.quPesquisa->locate("ACNUMEROCONTRATO", numero));
            dialogo.dbgdContratosDblClick();
        });
        form.bbPesquisar->click();
    }
    // "contract rows|receivables|items|readings of the items" as committed.
    QString restos(int contrato, const QString& itens) const
    {
        return lido(QString("select (select count(*) from AATC05AC where ACCODIGO = %1) || '|' ||"
                            " (select count(*) from ACRC5001 where AOCODIGO = %1) || '|' ||"
                            " (select count(*) from AATC05ACIT where ACCODIGO = %1) || '|' ||"
                            " (select count(*) from AATC05ACITCO where ACITCODIGO in (%2)) from RDB$DATABASE")
                        .arg(contrato)
                        .arg(itens))
            .value(0);
    }
};

TEST_F(PrimeiroUsoContratoBasicoTest, AContractGoesOnlyWithThePasswordAndUnbilledTakingWhatHangsOnIt)
{
    parametro("ATSENHAEXCLUSAO", "4321");
    for (int leitura = 1; leitura <= 9; ++leitura)
        exec(QString("insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO, ACITCOCONTADORTOTAL) values (%1, %2, %3)")
                 .arg(900 + leitura)
                 .arg(leitura % 2 + 1)
                 .arg(leitura * 100));
    // CT-2026-002 has an instalment billed.
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, VALOR_DOCUMENTO,"
         " DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO) values ('000777', '00002', 1, '01', 230, '2026-11-10',"
         " '2026-11-10', 2)");
    TfmAssBasicoContratos& form = abrir();

    pesquisar(form, "CT-2026-002");
    dialogs->answer("Sim", "Confirma a exclusão do registro?")
        .enter("4321", "Senha de Exclusão de Contrato")
        .acknowledge("Contrato possui parcelas faturadas!");
    form.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(restos(2, "3, 4"), "1|4|2|0") << "the billed contract stays whole";

    pesquisar(form, "CT-2026-001");
    dialogs->answer("Sim", "Confirma a exclusão do registro?")
        .enter("000", "Senha de Exclusão de Contrato")
        .acknowledge("Senha inválida!");
    form.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(restos(1, "1, 2"), "1|3|2|9") << "a wrong password deletes nothing";

    dialogs->answer("Sim", "Confirma a exclusão do registro?").enter("4321", "Senha de Exclusão de Contrato");
    form.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(restos(1, "1, 2"), "0|0|0|0") << "its forecasts, items and readings go with it";
}

TEST_F(PrimeiroUsoContratoBasicoTest, AServiceCodeTheProductsDoNotHoldIsRefusedWhereTyped)
{
    TfmAssBasicoContratos& form = abrir();
    pesquisar(form, "CT-2026-001");
    dialogs->acknowledge("Código não encontrado.");
    digita(form.dbedServico, "S999");
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    form.bbSalvar->click();
    EXPECT_EQ(lido("select coalesce(PRCODIGO, '-') from AATC05AC where ACCODIGO = 1"), QStringList{"-"}) << vistos();

    clicaAba(form.pcContrato, form.tsServicos);
    dialogs->acknowledge("Código não encontrado.");
    novaLinhaNaGrade(form.dbgdServicos, "COCIDADE", "S999");
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    QTest::keyClick(form.dbgdServicos, Qt::Key_Up);
    EXPECT_EQ(lido("select count(*) from AUGC03CO where COCIDADE = 'S999'"), QStringList{"0"}) << vistos();
}

}  // namespace
}  // namespace moduletest
