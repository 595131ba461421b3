// Two pieces of one product rented on two lines of a new company's contract,
// each known by the serial number typed on its line: every printout that
// lists serial numbers puts each piece on its own line only.

#include "tests/module/LocacaoPropriaFixture.h"

#include "rental/uAssContLocEquipCad.h"

namespace moduletest {
namespace {

class LocacaoSeriePorLinhaTest : public LocacaoPropriaTest {
protected:
    // The rental register on the demonstration contract with two new lines
    // of the compressor, BT-0001 and BT-0002, saved.
    TfmAssContCadLocEquip* duasLinhasDoMesmoProduto()
    {
        TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento();
        if (!form)
            return nullptr;
        for (const char* serie : {"BT-0001", "BT-0002"})
            linhaComSerie(*form, "L0002", "1", serie);
        form->btSalvar->click();
        EXPECT_EQ(lido("select ACITNUMEROSERIE from AATC05ACIT where ACCODIGO = 3 and PRCODIGO = 'L0002'"
                       " and ACITNUMEROSERIE starting with 'BT-' order by ACITNUMEROSERIE"),
                  (QStringList{"BT-0001", "BT-0002"}))
            << vistos();
        return form;
    }
    // The printed lines naming either new piece: each names only one, and
    // each piece is named once.
    static void cadaPecaNaSuaLinha(const QString& impresso)
    {
        QStringList linhas;
        for (const QString& linha : impresso.split('\n'))
            if (linha.contains("BT-000"))
                linhas << linha;
        ASSERT_EQ(linhas.size(), 2) << impresso.toStdString();
        EXPECT_NE(linhas[0].contains("BT-0001"), linhas[0].contains("BT-0002")) << linhas[0].toStdString();
        EXPECT_NE(linhas[1].contains("BT-0001"), linhas[1].contains("BT-0002")) << linhas[1].toStdString();
        EXPECT_NE(linhas[0].contains("BT-0001"), linhas[1].contains("BT-0001")) << impresso.toStdString();
        // The demonstration line of the same product keeps its own piece, alone.
        EXPECT_EQ(impresso.count("CMP-10-0107"), 1) << impresso.toStdString();
    }
};

TEST_F(LocacaoSeriePorLinhaTest, ThePrintedContractAndTheDeliveryProtocolListEachLinesOwnSerial)
{
    TfmAssContCadLocEquip* form = duasLinhasDoMesmoProduto();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(recusas(), QStringList{}) << vistos();

    dialogs->answer("Contrato", "Selecione o Tipo de Documento que deseja imprimir:");
    form->btImprimir->click();
    cadaPecaNaSuaLinha(paginasDoVisualizador());

    dialogs->answer("Protocolo", "Selecione o Tipo de Documento que deseja imprimir:");
    dialogs->answer("Entrega", "Qual modelo de Protocolo deseja imprimir?");
    form->btImprimir->click();
    cadaPecaNaSuaLinha(paginasDoVisualizador());
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    form->close();
}

}  // namespace
}  // namespace moduletest
