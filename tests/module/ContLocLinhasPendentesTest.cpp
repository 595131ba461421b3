// The two rental registers with a line typed in a grid and not left: "Salvar"
// stores it, the arrows to the next contract store it before the reload, and
// "Sair" asks (Sim stores, Não lets it go, Cancelar stays). Rows read back
// through another attachment.

#include "tests/module/ContLocFixture.h"

#include "host/ui/DataGrid.h"

#include <QTest>

namespace moduletest {
namespace {

class ContLocLinhasPendentesTest : public ContLocTest {
protected:
    void SetUp() override
    {
        ContLocTest::SetUp();
        contrato(801);
        contrato(802);
        exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO) values (31, 'L', 'Honda', 'Gerador G5')");
        exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, EVCODIGO, ACITVALOR, ACITQUANTIDADE)"
             " values (1, 801, '00004', 'P0004', 31, 90, 1)");
        tr().commitRetaining();
    }
    TfmAssContLocacao& abrirQ()
    {
        parametro("ATOPCAOCONTRATO", "Q");
        TfmAssContLocacao& form = abrirJanela(fmAssContLocacao, "fmAssContLocacao");
        CarregaContrato(801);
        aba(form, form.tsEquipamentos);
        return form;
    }
    TfmAssContCadLocEquip& abrirE()
    {
        TfmAssContCadLocEquip& form = abrirJanela(fmAssContCadLocEquip, "fmAssContratosLocEquip");
        CarregaContrato(801);
        aba(form, form.tsEquipamentos);
        return form;
    }
    QStringList equipamentosGravados()
    {
        return lido("select cast(ACCODIGO as varchar(5)) || '/' || PRCODIGO || '/' || cast(coalesce(ACITVALOR, 0) as integer)"
                    " from AATC05ACIT order by ACITCODIGO");
    }
    // The rental value of the equipment line typed over, the row not left.
    void digitaValor(TfmAssContLocacao& form, const QString& valor)
    {
        celula(form.dbgdAssContEquipamentoLocacao, "ACITVALOR", valor, Qt::Key_Return);
        ASSERT_EQ(dmTecContrato->quCtrEquipLocacao->state(), host::data::DatasetState::Edit);
    }
};

TEST_F(ContLocLinhasPendentesTest, ScreenQStoresTheEquipmentLineOnSaveWithoutLeavingTheRow)
{
    TfmAssContLocacao& form = abrirQ();
    digitaValor(form, "120");
    form.btSalvar->click();
    EXPECT_EQ(equipamentosGravados(), QStringList{"801/P0004/120"});
    EXPECT_EQ(dialogs->pending(), 0);
}

// A rental priced below zero is refused where typed, and again by the save:
// the contract keeps its value.
TEST_F(ContLocLinhasPendentesTest, ANegativeRentalPriceIsRefusedWhereTyped)
{
    TfmAssContLocacao& form = abrirQ();
    dialogs->acknowledge("Valor Locação: informe um valor maior ou igual a zero.")
        .acknowledge("Valor Locação: informe um valor maior ou igual a zero.");
    celula(form.dbgdAssContEquipamentoLocacao, "ACITVALOR", "-5,00", Qt::Key_Return);
    form.btSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(equipamentosGravados(), QStringList{"801/P0004/90"});
}

TEST_F(ContLocLinhasPendentesTest, ScreenEStoresTheItemLineOnSaveAndBeforeTheNextContract)
{
    TfmAssContCadLocEquip& form = abrirE();
    novaLinhaNaGrade(form.dbgdAssContCadLocEquipItens, "PRCODIGO", "P0004");
    form.btSalvar->click();
    EXPECT_EQ(equipamentosGravados(), (QStringList{"801/P0004/90", "801/P0004/0"}));

    aba(form, form.tsEquipamentos);
    novaLinhaNaGrade(form.dbgdAssContCadLocEquipItens, "PRCODIGO", "P0001");
    form.btContratoProx->click();
    EXPECT_EQ(cab("ACCODIGO").asInteger(), 802);
    EXPECT_EQ(equipamentosGravados(), (QStringList{"801/P0004/90", "801/P0004/0", "801/P0001/0"}));
    EXPECT_EQ(dialogs->pending(), 0);
}

// The Q grids only choose the equipment of lines an order put on the contract:
// Insert, or Down past the last row, says in Portuguese where lines come from
// and leaves no row behind; "Salvar" then stores the contract as it was.
TEST_F(ContLocLinhasPendentesTest, ScreenQRefusesANewLineInItsGridsAndSaysWhereLinesComeFrom)
{
    TfmAssContLocacao& form = abrirQ();
    const QString onde = "pedido de assistência";
    struct Caso {
        host::ui::DataGrid* grade;
        host::data::Dataset* linhas;
        Qt::Key tecla;
    } casos[] = {
        {form.dbgdAssContEquipamentoLocacao, dmTecContrato->quCtrEquipLocacao, Qt::Key_Insert},
        {form.dbgdAssContEquipamentoLocacao, dmTecContrato->quCtrEquipLocacao, Qt::Key_Down},
        {form.dbgdAssContAcessorioLocacao, dmTecContrato->quCtrAcessLocacao, Qt::Key_Insert},
        {form.dbgdAssContAcessorioLocacao, dmTecContrato->quCtrAcessLocacao, Qt::Key_Down},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.grade->objectName().toStdString() + (caso.tecla == Qt::Key_Insert ? " Insert" : " Down"));
        dialogs->acknowledge(onde);
        caso.grade->setFocus();
        QTest::keyClick(caso.grade, caso.tecla);
        EXPECT_EQ(caso.linhas->state(), host::data::DatasetState::Browse);
        EXPECT_EQ(dialogs->pending(), 0);
    }
    form.btSalvar->click();
    EXPECT_EQ(equipamentosGravados(), QStringList{"801/P0004/90"});
    for (const QString& texto : dialogs->texts())
        EXPECT_FALSE(texto.contains("ACIT") || texto.contains("PRCODIGO") || texto.contains("column")) << texto.toStdString();
}

TEST_F(ContLocLinhasPendentesTest, LeavingWithALineTypedAsksAndEachAnswerDoesWhatItSays)
{
    TfmAssContLocacao& form = abrirQ();
    digitaValor(form, "120");

    dialogs->answer("Cancelar", "Deseja salvar as alterações ?");
    fechar(form);
    ASSERT_EQ(fmAssContLocacao.get(), &form) << "Cancelar stays";
    EXPECT_EQ(dmTecContrato->quCtrEquipLocacao->state(), host::data::DatasetState::Edit);
    EXPECT_EQ(equipamentosGravados(), QStringList{"801/P0004/90"});

    dialogs->answer("Não", "Deseja salvar as alterações ?");
    fechar(form);
    EXPECT_EQ(fmAssContLocacao.get(), nullptr);
    EXPECT_EQ(equipamentosGravados(), QStringList{"801/P0004/90"}) << "Não lets the change go";

    TfmAssContLocacao& outra = abrirQ();
    digitaValor(outra, "150");
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    fechar(outra);
    EXPECT_EQ(fmAssContLocacao.get(), nullptr);
    EXPECT_EQ(equipamentosGravados(), QStringList{"801/P0004/150"});
    EXPECT_EQ(dialogs->pending(), 0);
}

}  // namespace
}  // namespace moduletest
