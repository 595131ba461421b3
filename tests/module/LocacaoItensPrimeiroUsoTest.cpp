// The lines of a new rental company's contracts, on the database the first
// start leaves and with its options (the option named where one is): an
// unknown product (or, under option "Q", an unknown piece of equipment) is
// refused where it is typed, a value typed on a line is
// kept, and a piece returned late is fined from its due-back day, whether it
// was closed first or not.

#include "tests/module/LocacaoPropriaFixture.h"

#include "rental/uAssContLocacao.h"

namespace moduletest {
namespace {

using LocacaoItensPrimeiroUsoTest = LocacaoPropriaTest;

TEST_F(LocacaoItensPrimeiroUsoTest, AnUnknownProductInTheEquipmentGridIsRefusedNamingTheColumnAndNothingIsStored)
{
    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    host::ui::DataGrid* grade = form->dbgdAssContCadLocEquipItens;
    novaLinhaNaGrade(grade, "PRCODIGO", "ZZZ99");
    EXPECT_EQ(dialogs->texts().filter("ZZZ99"), QStringList{"Código: produto ZZZ99 não cadastrado."}) << vistos();
    EXPECT_EQ(dmTecContrato->quCtrCadastroIt->fieldByName("PRCODIGO")->asString(), "");
    celula(grade, "ACITQUANTIDADE", "1");
    celula(grade, "ACITVALORUNITARIO", "100,00");
    form->btSalvar->click();
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACCODIGO = 3"), QStringList{"2"}) << vistos();
    EXPECT_EQ(lido("select cast(ACVALOR * 100 as integer) from AATC05AC where ACCODIGO = 3"), QStringList{"45000"});

    // The same refusal in the complements' grid, which shows the same rows.
    aba(*form, form->tsComplementos);
    novaLinhaNaGrade(form->dbgdAssContCadLocEquipCompl, "PRCODIGO", "ZZZ98");
    EXPECT_EQ(dialogs->texts().filter("ZZZ98"), QStringList{"Código: produto ZZZ98 não cadastrado."}) << vistos();
}

TEST_F(LocacaoItensPrimeiroUsoTest, UnderOptionTTheValueTypedOnAContractItemIsKept)
{
    TfmAssContCad& form = registroDeContratosNoItens();
    host::ui::DataGrid* grade = novoItem(form, "L0002");
    celula(grade, "ACITVALOR", "950,50");
    escolheNaLista(grade, "ACITPERIODO", "M");
    dialogs->answer("Não", "Deseja gerar novamente as provisões?");
    form.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select cast(ACITVALOR * 100 as integer) from AATC05ACIT where ACCODIGO = 3 and ACITCODIGO > 6"),
              QStringList{"95050"})
        << vistos();

    // Changed again on the stored line: the new value is kept too.
    celula(grade, "ACITVALOR", "1.234,56");
    dialogs->answer("Não", "Deseja gerar novamente as provisões?");
    form.bbSalvar->click();
    EXPECT_EQ(lido("select cast(ACITVALOR * 100 as integer) from AATC05ACIT where ACCODIGO = 3 and ACITCODIGO > 6"),
              QStringList{"123456"})
        << vistos();
}

TEST_F(LocacaoItensPrimeiroUsoTest, APieceReturnedLateIsFinedFromItsDueBackDayClosedFirstOrNot)
{
    // Both pieces out on 10/04/2031 for a month, due back on 10/05/2031.
    exec("update AATC05ACIT set ACITPERIODO = 'M', ACITVALORUNITARIO = ACITVALOR, ACITINSTALACAO = '2031-04-10',"
         " ACITDATAENTREGA = '2031-05-10', ACITHORASAIDA = '2031-04-10 09:00:00' where ACCODIGO = 3");
    uDataTecContLocacao::setRelogio([] { return QDateTime(QDate(2031, 5, 18), QTime(10, 0)); });
    TfmAssContCad& form = registroDeContratosNoItens();
    host::data::Query& itens = *dmTecContrato->quCtrCadastroIt;

    // The generator (300,00 a month) returned without being closed.
    ASSERT_TRUE(itens.locate("ACITCODIGO", 5));
    dialogs->answer("Sim", "Deseja devolver o item do contrato");
    dialogs->answer("Sim", "O Equipamento foi devolvido com atraso, deseja gerar um documento de multa no valor de 80,00");
    form.btDevolverItem->click();

    // The compressor (150,00 a month) closed first, then returned.
    ASSERT_TRUE(itens.locate("ACITCODIGO", 6));
    dialogs->answer("Sim", "Deseja encerrar o item do contrato");
    form.btEncerrarItem->click();
    dialogs->answer("Sim", "Deseja devolver o item do contrato");
    dialogs->answer("Sim", "O Equipamento foi devolvido com atraso, deseja gerar um documento de multa no valor de 40,00");
    form.btDevolverItem->click();

    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(lido("select ACITCODIGO || '|' || cast(ACITVALORMULTA * 100 as integer) || '|' ||"
                   " cast(ACITVALOR * 100 as integer) || '|' || ACITDEVOLVIDO from AATC05ACIT where ACCODIGO = 3"
                   " order by ACITCODIGO"),
              (QStringList{"5|8000|30000|S", "6|4000|15000|S"}))
        << vistos();
}

TEST_F(LocacaoItensPrimeiroUsoTest, UnderOptionQAnUnknownPieceTypedOnARentalLineIsRefusedNamingTheColumn)
{
    parametro("ATOPCAOCONTRATO", "Q");
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO) values (32, 'L', 'Stihl', 'Betoneira B2')");
    TfmAssContLocacao& form = abrirJanela(fmAssContLocacao, "fmAssContLocacao");
    pesquisaContrato("LC-2026-001");
    form.btPesqContrato->click();
    ASSERT_EQ(cab("ACCODIGO").asInteger(), 3);
    aba(form, form.tsEquipamentos);
    host::ui::DataGrid* grade = form.dbgdAssContEquipamentoLocacao;
    ASSERT_TRUE(dmTecContrato->quCtrEquipLocacao->locate("ACITCODIGO", 5));
    celula(grade, "EVCODIGO", "999", Qt::Key_Return);
    EXPECT_EQ(dialogs->texts().filter("999"), QStringList{"Código: equipamento 999 não cadastrado."}) << vistos();
    celula(grade, "EVCODIGO", "32", Qt::Key_Return);
    form.btSalvar->click();
    EXPECT_EQ(lido("select EVCODIGO from AATC05ACIT where ACITCODIGO = 5"), QStringList{"32"}) << vistos();
}

}  // namespace
}  // namespace moduletest
