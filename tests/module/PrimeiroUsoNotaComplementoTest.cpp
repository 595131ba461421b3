// A complement's note on the demonstration company's rental contract, as the
// first start leaves it: typed through the complement's text button, it
// prints on the complement's line of the contract and leaves the contract's
// own notes as they were, also where the complement's code is 1 or 2.

#include "tests/module/PrimeiroUsoRegistroLocacao.h"

#include "host/Uobservacao.h"
#include "host/Uprincipal.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/report/Report.h"
#include "host/ui/DataTextControls.h"
#include "rental/uAssContratoLocEquip.h"

#include <QPushButton>

namespace moduletest {
namespace {

class PrimeiroUsoNotaComplementoTest : public PrimeiroUsoRegistroLocacaoTest {
protected:
    // The note typed into the editor the next text button opens, then saved.
    void notaDigitada(const QString& texto)
    {
        dialogs->modal("fmObservacao", [texto](host::ui::Form& janela) {
            auto& obs = static_cast<TfmObservacao&>(janela);
            obs.dbmeObservacao->setFocus();
            QTest::keyClicks(obs.dbmeObservacao, texto);
            QTest::mouseClick(obs.bbGravar, Qt::LeftButton);
        });
    }
    static void botaoDaColuna(host::ui::DataGrid* grade, const char* campo)
    {
        grade->setSelectedIndex(grade->columnByField(campo)->index());
        grade->editButtonClick();
    }
    // A new complement row of the product picked through its search, then
    // its note typed through the text button.
    void complementoComNota(TfmAssContCadLocEquip& form, const QString& produto, const QString& nota)
    {
        host::ui::DataGrid* grade = form.dbgdAssContCadLocEquipCompl;
        grade->setFocus();
        QTest::keyClick(grade, Qt::Key_Insert);
        pesquisa("CODIGO", produto);
        botaoDaColuna(grade, "PRCODIGO");
        notaDigitada(nota);
        botaoDaColuna(grade, "DESCRICAO");
    }
    // The contract's two notes typed on their tabs and saved with the contract.
    void notasDoContrato(TfmAssContCadLocEquip& form)
    {
        aba(form, form.tsObsSR);
        form.dbmeObsSR->setFocus();
        QTest::keyClicks(form.dbmeObsSR, "Boleto pelo correio");
        aba(form, form.tsObsAdicionais);
        form.dbmeObsAdic->setFocus();
        QTest::keyClicks(form.dbmeObsAdic, "Entregar pela doca 2");
        aba(form, form.tsComplementos);
    }
    QStringList notasGravadas()
    {
        return lido("select OBSEQUENCIA || ':' || OBTEXTO from AUGC70OB where OBID = 'U' and OBCODIGO = '3'"
                    " and OBSEQUENCIA in (1, 2) order by OBSEQUENCIA");
    }
    QStringList linhasImpressas(TfmAssContCadLocEquip& form)
    {
        dialogs->answer("Contrato", "Selecione o Tipo de Documento que deseja imprimir:");
        dialogs->answer("Sim", "Deseja salvar as alterações ?");
        form.btImprimir->click();
        if (!qrAssContratoLocEquip)
            return {};
        const QString dump = qrAssContratoLocEquip->QuickRep1->prepared()->textDump();
        QStringList linhas;
        for (const QString& linha : dump.split('\n'))
            if (linha.startsWith("detail qrbnEquipamentos"))
                linhas << linha;
        return linhas;
    }
};

TEST_F(PrimeiroUsoNotaComplementoTest, AComplementsNotePrintsOnItsLine)
{
    TfmAssContCadLocEquip& form = registroDoContrato();
    notasDoContrato(form);
    complementoComNota(form, "L0002", "Mangueira de 10 m");
    EXPECT_EQ(notasGravadas(), (QStringList{"1:Boleto pelo correio", "2:Entregar pela doca 2"})) << vistos();
    const QStringList linhas = linhasImpressas(form);
    ASSERT_EQ(linhas.size(), 3) << linhas.join('\n').toStdString() << vistos();
    EXPECT_TRUE(linhas[2].contains("| L0002 |") && linhas[2].contains("Mangueira de 10 m"))
        << linhas[2].toStdString();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
}

// A company that cleared the demonstration's contract items numbers its
// own from 1: the complements coded 1 and 2 keep their notes apart from the
// contract's notes kept under those numbers.
TEST_F(PrimeiroUsoNotaComplementoTest, ComplementsCodedOneAndTwoLeaveTheContractsNotes)
{
    exec("delete from AATC05ACIT");
    exec("set generator GEN_ACITCODIGO to 0");
    tr().commitRetaining();
    TfmAssContCadLocEquip& form = registroDoContrato();
    notasDoContrato(form);
    complementoComNota(form, "L0002", "Mangueira de 10 m");
    complementoComNota(form, "L0001", "Cabo de 20 m");
    EXPECT_EQ(lido("select ACITCODIGO from AATC05ACIT where ACCODIGO = 3 and ACITCOMPLEMENTO = 'S'"
                   " order by ACITCODIGO"),
              (QStringList{"1", "2"}));
    EXPECT_EQ(notasGravadas(), (QStringList{"1:Boleto pelo correio", "2:Entregar pela doca 2"})) << vistos();
    const QStringList linhas = linhasImpressas(form);
    ASSERT_EQ(linhas.size(), 2) << linhas.join('\n').toStdString() << vistos();
    EXPECT_TRUE(linhas[0].contains("Mangueira de 10 m")) << linhas[0].toStdString();
    EXPECT_TRUE(linhas[1].contains("Cabo de 20 m")) << linhas[1].toStdString();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
}

// The text button of a rental line's product column is on the cell the user
// is on, and a click on it opens the line's note.
TEST_F(PrimeiroUsoNotaComplementoTest, TheLinesTextButtonIsOnItsCellAndAClickOpensTheNote)
{
    TfmAssContCadLocEquip& form = registroDoContrato();
    aba(form, form.tsEquipamentos);
    host::ui::DataGrid* grade = form.dbgdAssContCadLocEquipItens;
    const QRect celula =
        grade->visualRect(grade->model()->index(0, grade->columnByField("DESCRICAO")->index()));
    QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, celula.center());
    notaDigitada("Gerador com rodas");
    QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, QPoint(celula.right() - 4, celula.center().y()));
    EXPECT_EQ(lido("select OBTEXTO from AUGC70OB where OBID = 'Y' and OBCODIGO = '3' and OBSEQUENCIA = 5"),
              QStringList{"Gerador com rodas"})
        << vistos();
}

}  // namespace
}  // namespace moduletest
