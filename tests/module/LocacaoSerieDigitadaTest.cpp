// A new rental company's own pieces, known by the serial numbers it types on
// their contract lines, on the database the first start leaves: the
// check-in, the contract search by "Nº Série" and the printed contract find
// them; and the road from a product registered to its late return fined.

#include "tests/module/LocacaoPropriaFixture.h"

#include "host/ui/DataTextControls.h"

#include <QPlainTextEdit>

namespace moduletest {
namespace {

using LocacaoSerieDigitadaTest = LocacaoPropriaTest;

TEST_F(LocacaoSerieDigitadaTest, TheSerialTypedOnARentalLineIsFoundByTheCheckInTheSearchAndThePrintedContract)
{
    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    linhaComSerie(*form, "L0002", "1", "BT-0001");
    form->btSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    ASSERT_EQ(lido("select count(*) from AATC05ACIT where ACCODIGO = 3 and ACITNUMEROSERIE = 'BT-0001'"),
              QStringList{"1"})
        << vistos();

    // The printed contract's "Nro. Série".
    dialogs->answer("Contrato", "Selecione o Tipo de Documento que deseja imprimir:");
    form->btImprimir->click();
    const QString impresso = paginasDoVisualizador();
    EXPECT_TRUE(impresso.contains("BT-0001")) << impresso.toStdString();

    // The contract search by the equipment's "Nº Série".
    dialogs->modal("fmPesquisaAssContratosLocEquip", [](host::ui::Form& janela) {
        auto& d = static_cast<TfmPesquisaAssContratosLocEquip&>(janela);
        d.edNSEquipamento->setText("BT-0001");
        d.bbPesquisa->click();
        EXPECT_TRUE(d.quConsulta->locate("ACCODIGO", 3)) << "the search by serial finds the contract";
        d.close();
    });
    form->btPesqContrato->click();
    form->close();

    // The check-in.
    EXPECT_EQ(entradaListada("BT-0001"), 1) << vistos();
    EXPECT_EQ(fmAssEntradaEquip->quConsulta->fieldByName("ACCODIGO")->asInteger(), 3);
}

// The road a new rental company walks under option "T": its own product
// registered with the one piece it owns in stock, that piece of it rented on a contract with its serial number and
// a typed monthly value, checked in by that serial, and returned 8 days late
// with the fine for them.
TEST_F(LocacaoSerieDigitadaTest, AProductRegisteredIsRentedByItsSerialCheckedInAndFinedForItsLateReturn)
{
    TfmCadastroHost& produtos = cadastroDeProdutos();
    const QString produto = novoProdutoDeLocacao(produtos, "Betoneira 400 L");
    ASSERT_FALSE(produto.isEmpty()) << vistos();
    ASSERT_TRUE(estoqueNoLocal(produtos, "001", "1"));
    produtos.close();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();

    TfmAssContCad& form = registroDeContratosNoItens();
    host::ui::DataGrid* grade = novoItem(form, produto);
    celula(grade, "ACITNUMEROSERIE", "BT-0001");
    celula(grade, "ACITVALOR", "300,00");
    escolheNaLista(grade, "ACITPERIODO", "M");
    dialogs->answer("Não", "Deseja gerar novamente as provisões?");
    form.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    const QString linha = lido("select ACITCODIGO from AATC05ACIT where ACCODIGO = 3 and PRCODIGO = '" + produto + "'")
                              .value(0);
    ASSERT_FALSE(linha.isEmpty()) << vistos();
    const QDate saida = dmTecContrato->quCtrCadastroIt->fieldByName("ACITINSTALACAO")->asDateTime().date();
    const QDate entrega = dmTecContrato->quCtrCadastroIt->fieldByName("ACITDATAENTREGA")->asDateTime().date();
    ASSERT_EQ(entrega, saida.addMonths(1));
    EXPECT_EQ(lido("select cast(ACITVALOR * 100 as integer) from AATC05ACIT where ACITCODIGO = " + linha),
              QStringList{"30000"});

    // Back 8 days after it was due: checked in by its serial number.
    uDataTecContLocacao::setRelogio([entrega] { return QDateTime(entrega.addDays(8), QTime(10, 0)); });
    EXPECT_EQ(entradaListada("BT-0001"), 1) << vistos();
    confirmaEntradaComObservacao(*fmAssEntradaEquip);
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select ACITRETORNO from AATC05ACIT where ACITCODIGO = " + linha), QStringList{"S"}) << vistos();
    fmAssEntradaEquip->close();

    // Returned on the contract: the fine is 8 days at the month's price over its days.
    form.activateWindow();
    ASSERT_TRUE(dmTecContrato->quCtrCadastroIt->locate("ACITCODIGO", linha.toInt()));
    const double multa = 8 * 300.0 / saida.daysTo(entrega);
    const QString valor = QString::number(multa, 'f', 2).replace('.', ',');
    dialogs->answer("Sim", "Deseja devolver o item do contrato Betoneira 400 L");
    dialogs->answer("Sim", "deseja gerar um documento de multa no valor de " + valor);
    form.btDevolverItem->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(lido("select ACITDEVOLVIDO from AATC05ACIT where ACITCODIGO = " + linha), QStringList{"S"});
    EXPECT_NEAR(lido("select ACITVALORMULTA from AATC05ACIT where ACITCODIGO = " + linha).value(0).toDouble(), multa,
                0.01)
        << vistos();
}

}  // namespace
}  // namespace moduletest
