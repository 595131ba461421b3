// A piece out on a contract line is out once, on the database the first
// start leaves: typed on another line, of the same contract or another, it
// is refused naming the contract that has it, also when another desk is
// saving it at that moment, a piece that never moved as well; a number none
// of the product's registered pieces carries is refused; checked in, it may
// go out again. The check-in tells the serial numbers it did not find before
// it stores anything; a line of several pieces comes back piece by piece; a
// line names as many pieces as its quantity; the check-in's note keeps what
// another desk wrote meanwhile.

#include "tests/module/LocacaoPropriaFixture.h"

#include "data/uDataTec.h"
#include "host/PilvOut70.h"
#include "host/Uobservacao.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "rental/uAssVendas.h"

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
    // On the rental register opened on the contract: a line of the product
    // with the serial number saved; the texts it showed, a refused line given up.
    QStringList salvaLinhaCom(const QString& contrato, const QString& serie, const QString& produto = "L0002",
                              const QString& quantidade = "1")
    {
        const qsizetype antes = dialogs->texts().size();
        principal->miCadastroContrato->click();
        TfmAssContCadLocEquip* form = fmAssContCadLocEquip.get();
        pesquisaContrato(contrato);
        form->btPesqContrato->click();
        aba(*form, form->tsEquipamentos);
        host::ui::DataGrid* grade = form->dbgdAssContCadLocEquipItens;
        novaLinhaNaGrade(grade, "PRCODIGO", produto);
        celula(grade, "ACITQUANTIDADE", quantidade);
        celula(grade, "ACITNUMEROSERIE", serie);
        celula(grade, "ACITVALORUNITARIO", "150,00", Qt::Key_Return);
        form->btSalvar->click();
        QTest::keyClick(grade, Qt::Key_Escape);
        form->close();
        return dialogs->texts().mid(antes);
    }
    // "Andaime tubular" registered with its pieces (AND-001..003); its code.
    QString andaimeComPecas(const QStringList& pecas = {"AND-001", "AND-002", "AND-003"})
    {
        TfmCadastroHost& produtos = cadastroDeProdutos();
        const QString produto = novoProdutoDeLocacao(produtos, "Andaime tubular");
        EXPECT_TRUE(pecasComSerie(produtos, pecas, "001"));
        produtos.close();
        return produto;
    }
    static QString foraDasPecas(const QString& produto, const QString& numeros)
    {
        return QString("Nº(s) de Série não cadastrado(s) no produto %1 - Andaime tubular: %2.").arg(produto, numeros);
    }
    // The check-in of the one serial number typed in an emptied list: the rows listed.
    int entradaSo(const QString& serie)
    {
        if (fmAssEntradaEquip)
            fmAssEntradaEquip->edNroSerie->clear();
        return entradaListada(serie);
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
    // Out on contract 4, after its return (a movement on no contract) from contract 3.
    EXPECT_EQ(lido("select ACCODIGO from AUGC50NS where NSNUMERO = 'CMP-10-0107' order by NSCODIGO desc"),
              (QStringList{"4", "", "3"}));
}

// The company's product with its pieces registered: a number none of them
// carries (a typing slip) is refused where typed, naming the product, and
// leaves no line and no movement; its own piece goes out.
TEST_F(LocacaoSerieLocadaTest, ANumberNoneOfTheProductsRegisteredPiecesCarryIsRefusedNamingTheProduct)
{
    const QString produto = andaimeComPecas();
    ASSERT_EQ(recusas(), QStringList{}) << vistos();
    struct Caso {
        const char* serie;
        const char* desconhecidos;   // empty: one of its pieces
    };
    const Caso casos[] = {
        {"AND-0O1", "AND-0O1"},
        {"ZZZ-999", "ZZZ-999"},
        {"AND-002; ZZZ-999", "ZZZ-999"},
        {"AND-001", ""},
    };
    for (const Caso& caso : casos) {
        const QString texto = salvaLinhaCom("LC-2026-002", caso.serie, produto).join('|');
        const bool recusada = *caso.desconhecidos != 0;
        EXPECT_EQ(texto.contains(foraDasPecas(produto, caso.desconhecidos)), recusada)
            << caso.serie << ": " << vistos();
        EXPECT_EQ(linhas(caso.serie), recusada ? 0 : 1) << caso.serie;
    }
    EXPECT_EQ(lido("select NSNUMERO from AUGC50NS where ACCODIGO = 4"), QStringList{"AND-001"});
}

// The same slip typed on an assistance order's requested and configured lines.
TEST_F(LocacaoSerieLocadaTest, ATypingSlipOnAnOrdersLineIsRefusedNamingTheProduct)
{
    const QString produto = andaimeComPecas();
    TfmAssVendas& venda = novoDocumentoDeAssistencia("Pedido");
    const QString pedido = dmTec->quAssVenda->fieldByName("NUMERO_PEDIDO")->asString();
    for (const LinhasDoPedido& caso : kLinhasDoPedido) {
        const qsizetype antes = dialogs->texts().size();
        host::ui::DataGrid* grade = linhaNoPedido(venda, caso, produto);
        celula(grade, "VEITNUMEROSERIE", "AND-0O1");
        celula(grade, "QUANTIDADE", "1");
        celula(grade, "VALOR", "300,00", Qt::Key_Return);
        venda.bbSalvar->click();
        EXPECT_TRUE(dialogs->texts().mid(antes).join('|').contains(foraDasPecas(produto, "AND-0O1")))
            << caso.tabela << ": " << vistos();
        QTest::keyClick(grade, Qt::Key_Escape);
        EXPECT_EQ(lido(QString("select count(*) from %1 where NUMERO_PEDIDO = '%2'").arg(caso.tabela, pedido)),
                  QStringList{"0"})
            << caso.tabela;
    }
    venda.close();
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

// BT-0001 never moved; the other desk books it on contract 3 and commits
// the moment this desk's save starts taking L0002's pieces.
TEST_F(LocacaoSerieLocadaTest, APieceThatNeverMovedBookedByAnotherDeskDuringTheSaveIsRefusedNamingItsContract)
{
    exec("create trigger TR_OUTRA_MESA for ACEC1101 before update as begin"
         " if (new.CODIGO = 'L0002' and not exists (select 1 from AUGC50NS where NSNUMERO = 'BT-0001')) then"
         " in autonomous transaction do insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, NSSTATUS, ACCODIGO,"
         " ACITCODIGO) values (gen_id(GEN_NSCODIGO, 1), 'BT-0001', 'L0002', 'L', 3, 6); end");
    tr().commitRetaining();
    const QStringList recusadas = salvaLinhaCom("LC-2026-002", "BT-0001");
    EXPECT_TRUE(recusadas.join('|').contains("O Nº de Série \"BT-0001\" já está locado no contrato 3.")) << vistos();
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

// AND-001 and AND-002 out on one line of contract 3; AND-001 comes back.
TEST_F(LocacaoSerieLocadaTest, ALineOfTwoPiecesComesBackPieceByPiece)
{
    const QString produto = andaimeComPecas();
    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento();
    ASSERT_NE(form, nullptr);
    linhaComSerie(*form, produto, "2", "AND-001; AND-002");
    form->btSalvar->click();
    form->close();
    ASSERT_EQ(recusas(), QStringList{}) << vistos();
    const QString retorno = "select coalesce(ACITRETORNO, 'N') from AATC05ACIT where ACCODIGO = 3 and PRCODIGO = '" +
                            produto + "'";
    ASSERT_EQ(entradaSo("AND-001"), 1) << vistos();
    confirmaEntradaComObservacao(*fmAssEntradaEquip);
    EXPECT_EQ(lido(retorno), QStringList{"N"}) << "AND-002 is still out";
    EXPECT_EQ(entradaSo("AND-002"), 1) << "the check-in still lists it";
    fmAssEntradaEquip->close();

    const QStringList recusada = salvaLinhaCom("LC-2026-002", "AND-002", produto);
    EXPECT_TRUE(recusada.join('|').contains("O Nº de Série \"AND-002\" já está locado no contrato 3.")) << vistos();
    EXPECT_EQ(linhas("AND-002"), 0);
    const qsizetype antes = recusas().size();
    salvaLinhaCom("LC-2026-002", "AND-001", produto);
    EXPECT_EQ(recusas().size(), antes) << "the piece back goes out again; " << vistos();
    EXPECT_EQ(linhas("AND-001"), 1);

    // The last piece back: the line with it.
    ASSERT_EQ(entradaSo("AND-002"), 1) << vistos();
    confirmaEntradaComObservacao(*fmAssEntradaEquip);
    fmAssEntradaEquip->close();
    EXPECT_EQ(lido(retorno), QStringList{"S"});
}

// Four pieces typed on a line of quantity 4: the cell holds 30 characters.
TEST_F(LocacaoSerieLocadaTest, ALineNamingFewerPiecesThanItsQuantityIsRefusedBeforeAnythingIsStored)
{
    const QString produto = andaimeComPecas({"AND-0001", "AND-0002", "AND-0003", "AND-0004"});
    const QStringList textos =
        salvaLinhaCom("LC-2026-002", "AND-0001; AND-0002; AND-0003; AND-0004", produto, "4");
    EXPECT_TRUE(textos.join('|').contains("A quantidade da linha (4) difere da quantidade de Nº(s) de Série"
                                          " informados (3): AND-0001, AND-0002, AND-0003."))
        << vistos();
    EXPECT_EQ(lido("select count(*) from AATC05ACIT where ACCODIGO = 4"), QStringList{"0"});
    EXPECT_EQ(lido("select count(*) from AUGC50NS where ACCODIGO = 4"), QStringList{"0"});
}

// While the clerk's justification editor is open, the technician's desk
// saves a justification for the same item.
TEST_F(LocacaoSerieLocadaTest, TheCheckInsNoteKeepsBothDesksTextsAndTheCheckInTellsWhatItStored)
{
    ASSERT_EQ(entradaListada("CMP-10-0107"), 1) << vistos();
    const QString item = fmAssEntradaEquip->quConsulta->fieldByName("ACITCODIGO")->asString();
    dialogs->answer("Sim", "Confirma a Entrada do(s) Equipamento(s) consultados?");
    dialogs->modal("fmObservacao", [this, item](host::ui::Form& form) {
        outraMesa("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('3J', 'U', " + item +
                  ", 'Técnico: sem avaria')");
        auto& obs = static_cast<TfmObservacao&>(form);
        obs.dbmeObservacao->setFocus();
        QTest::keyClicks(obs.dbmeObservacao, "Cliente devolveu limpo");
        QTest::mouseClick(obs.bbGravar, Qt::LeftButton);
    });
    fmAssEntradaEquip->bbConfirma->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_TRUE(dialogs->texts().contains("Registrada a Entrada de: 1 Equipamento(s).")) << vistos();
    EXPECT_EQ(lido("select OBTEXTO from AUGC70OB where OBCODIGO = '3J' and OBID = 'U' and OBSEQUENCIA = " + item),
              QStringList{"Técnico: sem avaria\r\nCliente devolveu limpo"});
}

}  // namespace
}  // namespace moduletest
