// A piece out on a contract line is out once, on the database the first
// start leaves: typed on another line, of the same contract or another, it
// is refused naming the contract that has it, also when another desk is
// saving it at that moment; checked in, it may go out again. The check-in
// tells the serial numbers it did not find before it stores anything.

#include "tests/module/LocacaoPropriaFixture.h"

#include "host/PilvOut70.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"

#include <memory>
#include <utility>

namespace moduletest {
namespace {

class LocacaoSerieLocadaTest : public LocacaoPropriaTest {
protected:
    // A second rental contract of the demonstration's customer 00004.
    void SetUp() override
    {
        LocacaoPropriaTest::SetUp();
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACCONTRATANTE, ACSITUACAO, ACLOCAL,"
             " ACTIPO, ACVINCULO) values (4, 'LC-2026-002', '00004', '00004', '1', '01', 'L', 'P')");
        tr().commitRetaining();
    }
    // On the rental register opened on the contract: a line of L0002 with
    // the serial number saved; the texts it showed, a refused line given up.
    QStringList salvaLinhaCom(const QString& contrato, const QString& serie)
    {
        const qsizetype antes = dialogs->texts().size();
        principal->miCadastroContrato->click();
        TfmAssContCadLocEquip* form = fmAssContCadLocEquip.get();
        pesquisaContrato(contrato);
        form->btPesqContrato->click();
        aba(*form, form->tsEquipamentos);
        host::ui::DataGrid* grade = form->dbgdAssContCadLocEquipItens;
        novaLinhaNaGrade(grade, "PRCODIGO", "L0002");
        celula(grade, "ACITQUANTIDADE", "1");
        celula(grade, "ACITNUMEROSERIE", serie);
        celula(grade, "ACITVALORUNITARIO", "150,00", Qt::Key_Return);
        form->btSalvar->click();
        QTest::keyClick(grade, Qt::Key_Escape);
        form->close();
        return dialogs->texts().mid(antes);
    }
    int linhas(const QString& serie) const
    {
        return lido("select count(*) from AATC05ACIT where ACITNUMEROSERIE = '" + serie + "'").value(0).toInt();
    }
};

// CMP-10-0107 is out on contract 3 since the demonstration was loaded;
// BT-0001 is typed on contract 4 first.
TEST_F(LocacaoSerieLocadaTest, APieceOutOnALineIsRefusedOnAnyOtherNamingItsContractUntilItComesBack)
{
    struct Caso {
        const char* contrato;
        const char* serie;
        int locado;
    };
    const Caso casos[] = {
        {"LC-2026-002", "CMP-10-0107", 3},   // another contract
        {"LC-2026-001", "CMP-10-0107", 3},   // a second line of the same contract
        {"LC-2026-001", "BT-0001", 4},
        {"LC-2026-002", "BT-0001", 4},
    };
    salvaLinhaCom("LC-2026-002", "BT-0001");
    ASSERT_EQ(recusas(), QStringList{}) << vistos();
    for (const Caso& caso : casos) {
        const int antes = linhas(caso.serie);
        const QStringList recusadas = salvaLinhaCom(caso.contrato, caso.serie);
        EXPECT_TRUE(recusadas.join('|').contains(
            QString("O Nº de Série \"%1\" já está locado no contrato %2.").arg(caso.serie).arg(caso.locado)))
            << caso.contrato << " " << caso.serie << ": " << vistos();
        EXPECT_EQ(linhas(caso.serie), antes) << caso.contrato << " " << caso.serie;
    }
    EXPECT_EQ(lido("select NSNUMERO from AUGC50NS where ACCODIGO = 4"), QStringList{"BT-0001"});

    // Checked in, it goes out again.
    ASSERT_EQ(entradaListada("CMP-10-0107"), 1) << vistos();
    confirmaEntradaComObservacao(*fmAssEntradaEquip);
    fmAssEntradaEquip->close();
    salvaLinhaCom("LC-2026-002", "CMP-10-0107");
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select ACCODIGO from AUGC50NS where NSNUMERO = 'CMP-10-0107' order by NSCODIGO desc"),
              (QStringList{"4", "3"}));
}

TEST_F(LocacaoSerieLocadaTest, TheContractRegisterUnderOptionTRefusesItToo)
{
    TfmAssContCad& form = registroDeContratosNoItens();
    host::ui::DataGrid* grade = novoItem(form, "L0002");
    celula(grade, "ACITNUMEROSERIE", "CMP-10-0107");
    celula(grade, "ACITVALOR", "300,00");
    form.bbSalvar->click();
    EXPECT_TRUE(dialogs->texts().join('|').contains("O Nº de Série \"CMP-10-0107\" já está locado no contrato 3."))
        << vistos();
    EXPECT_EQ(linhas("CMP-10-0107"), 1);
}

// The other desk has saved BT-0001 on contract 3 and not committed yet.
TEST_F(LocacaoSerieLocadaTest, TwoDesksTypingOnePieceAtOnceGetOneLineAndOneRefusal)
{
    host::db::Connection outra;
    outra.open({dbPath});
    auto transacao = std::make_unique<host::db::Transaction>(outra);
    std::swap(dmGlobal->IBTransaction1, transacao);
    const QStringList tomados = host::TomarNumerosSerie("L0002", {"BT-0001"}, {3, 6, {}});
    InserirRegistroNumerosSerieProduto("BT-0001", "L0002", "L", {}, {}, {}, {}, "3", {}, {}, {}, 6, 0, 0, 0, 0);
    std::swap(dmGlobal->IBTransaction1, transacao);
    ASSERT_EQ(tomados, QStringList{"BT-0001"});

    const QStringList recusadas = salvaLinhaCom("LC-2026-002", "BT-0001");
    transacao->commit();
    EXPECT_TRUE(recusadas.join('|').contains("Nº(s) de Série em gravação em outra estação neste momento: BT-0001."))
        << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(linhas("BT-0001"), 0);
    EXPECT_EQ(lido("select ACCODIGO from AUGC50NS where NSNUMERO = 'BT-0001'"), QStringList{"3"});
}

TEST_F(LocacaoSerieLocadaTest, TheCheckInNamesTheSerialsItDidNotFindBeforeStoringAnything)
{
    ASSERT_EQ(entradaListada("CMP-10-0107"), 1) << vistos();
    dialogs->enter("XYZ-999", "Informe Nº Série.");
    fmAssEntradaEquip->bbIncluir->click();
    dialogs->answer("Não", "Nº(s) de Série não encontrado(s) entre os equipamentos locados: XYZ-999.");
    fmAssEntradaEquip->bbConfirma->click();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(lido("select coalesce(ACITRETORNO, 'N') from AATC05ACIT where ACITCODIGO = 6"), QStringList{"N"});
}

}  // namespace
}  // namespace moduletest
