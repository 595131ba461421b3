// Serial numbers picked for two lines of one product on the demonstration
// rental contract, under the configuration mode ("C") with a product whose
// pieces are picked several to a line: picking again on one line, or
// deleting it, leaves the other lines' pieces where they are.

#include "tests/module/LocacaoPropriaFixture.h"

#include "host/data/Dataset.h"
#include "rental/uAssContLocEquipCad.h"

namespace moduletest {
namespace {

class LocacaoSerieEscolhidaPorLinhaTest : public LocacaoPropriaTest {
protected:
    void SetUp() override
    {
        LocacaoPropriaTest::SetUp();
        parametro("ATMODOPEDIDOASSISTENCIA", "C");
        // The compressor takes several numbers to a line; four pieces in stock.
        outraMesa("update ACEC1101 set PRGERANS = 'O' where CODIGO = 'L0002'");
        for (int i = 1; i <= 4; ++i)
            outraMesa(QString("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSSTATUS, LECODIGO)"
                              " values (%1, 'BT-000%2', 'L0002', 'E', '001')")
                          .arg(100 + i)
                          .arg(i));
    }
    // The picker answered with exactly these numbers chosen; what it offered.
    void escolhe(const QStringList& numeros, QStringList* oferecidos = nullptr)
    {
        dialogs->modal("fmPesquisa", [numeros, oferecidos](host::ui::Form& janela) {
            auto& pesquisa = static_cast<TfmPesquisa&>(janela);
            host::data::Dataset& lista = *pesquisa.dataSource()->dataset();
            for (lista.first(); !lista.eof(); lista.next()) {
                const QString numero = lista.fieldByName("NSNUMERO")->asString();
                if (oferecidos)
                    *oferecidos << numero;
                pesquisa.grid()->selectRow(lista.recNo(), numeros.contains(numero));
            }
            QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
        });
    }
    // A new line of the compressor, its pieces picked when it is saved; its code.
    int linhaEscolhida(TfmAssContCadLocEquip& form, const QStringList& numeros, QStringList* oferecidos = nullptr)
    {
        host::ui::DataGrid* grade = form.dbgdAssContCadLocEquipItens;
        escolhe(numeros, oferecidos);
        novaLinhaNaGrade(grade, "PRCODIGO", "L0002");
        celula(grade, "ACITVALORUNITARIO", "150,00", Qt::Key_Return);
        form.btSalvar->click();
        return dmTecContrato->quCtrCadastroIt->fieldByName("ACITCODIGO")->asInteger();
    }
    // The numbers of the line's movements, as another desk reads them.
    QStringList daLinha(int linha) const
    {
        return lido(QString("select NSNUMERO from AUGC50NS where ACCODIGO = 3 and ACITCODIGO = %1 order by NSNUMERO")
                        .arg(linha));
    }
    // The demonstration line's piece, booked on the contract before lines named theirs.
    QStringList daDemonstracao() const
    {
        return lido("select NSNUMERO from AUGC50NS where ACCODIGO = 3 and PRCODIGO = 'L0002' and ACITCODIGO is null");
    }
};

TEST_F(LocacaoSerieEscolhidaPorLinhaTest, PickingAgainOnOneLineOrDeletingItKeepsTheOtherLinesPieces)
{
    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    const int primeira = linhaEscolhida(*form, {"BT-0001", "BT-0002"});
    const int segunda = linhaEscolhida(*form, {"BT-0003"});
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    ASSERT_NE(primeira, segunda);
    EXPECT_EQ(daLinha(primeira), (QStringList{"BT-0001", "BT-0002"})) << vistos();
    EXPECT_EQ(daLinha(segunda), QStringList{"BT-0003"}) << vistos();
    EXPECT_EQ(daDemonstracao(), QStringList{"CMP-10-0107"});

    // The second line's serial cleared and saved: its pieces are picked
    // again, from those no other line holds.
    ASSERT_TRUE(dmTecContrato->quCtrCadastroIt->locate("ACITCODIGO", segunda));
    QStringList oferecidos;
    dialogs->modal("fmPesquisa", [&oferecidos](host::ui::Form& janela) {
        auto& pesquisa = static_cast<TfmPesquisa&>(janela);
        host::data::Dataset& lista = *pesquisa.dataSource()->dataset();
        for (lista.first(); !lista.eof(); lista.next()) {
            oferecidos << lista.fieldByName("NSNUMERO")->asString();
            pesquisa.grid()->selectRow(lista.recNo(), lista.fieldByName("NSNUMERO")->asString() == "BT-0004");
        }
        QTest::keyClick(pesquisa.grid(), Qt::Key_Return);
    });
    celula(form->dbgdAssContCadLocEquipItens, "ACITNUMEROSERIE", "", Qt::Key_Backspace);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    form->btSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(oferecidos, (QStringList{"BT-0003", "BT-0004"})) << vistos();
    EXPECT_EQ(daLinha(segunda), QStringList{"BT-0004"}) << vistos();
    EXPECT_EQ(daLinha(primeira), (QStringList{"BT-0001", "BT-0002"})) << vistos();
    EXPECT_EQ(daDemonstracao(), QStringList{"CMP-10-0107"});

    // The second line deleted (no window of the register offers it: the
    // data module's own delete): only its pieces go.
    ASSERT_TRUE(dmTecContrato->quCtrCadastroIt->locate("ACITCODIGO", segunda));
    dmTecContrato->quCtrCadastroIt->remove();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(daLinha(segunda), QStringList{});
    EXPECT_EQ(daLinha(primeira), (QStringList{"BT-0001", "BT-0002"})) << vistos();
    EXPECT_EQ(daDemonstracao(), QStringList{"CMP-10-0107"});
    form->close();
}

// Back from the customer, a piece may go out again on the contract it came
// back from, as on any other.
TEST_F(LocacaoSerieEscolhidaPorLinhaTest, APieceCheckedInIsOfferedAgainOnTheSameContract)
{
    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    linhaEscolhida(*form, {"BT-0001"});
    form->close();
    ASSERT_EQ(entradaListada("BT-0001"), 1) << vistos();
    confirmaEntradaComObservacao(*fmAssEntradaEquip);
    fmAssEntradaEquip->close();

    form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    QStringList oferecidos;
    const int nova = linhaEscolhida(*form, {"BT-0001"}, &oferecidos);
    form->close();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_TRUE(oferecidos.contains("BT-0001")) << oferecidos.join(", ").toStdString();
    EXPECT_EQ(daLinha(nova), QStringList{"BT-0001"}) << vistos();
}

}  // namespace
}  // namespace moduletest
