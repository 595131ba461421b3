// The late-return fine a user accepts on a rental line, on the database the
// first start leaves with its defaults (option "T" where the fine exists):
// billed once, as one open receivable of the contract's billing customer,
// with the save of the line; nothing when it is declined or the save fails.

#include "tests/module/LocacaoPropriaFixture.h"

#include <cmath>

namespace moduletest {
namespace {

class MultaAtrasoFaturadaTest : public LocacaoPropriaTest {
protected:
    // The fine documents of the demonstration rental contract as another
    // desk reads them: "customer|cents|kind|situation|observation".
    QStringList documentosDeMulta() const
    {
        return lido("select trim(CODIGO_CLIENTE) || '|' || cast(round(VALOR_DOCUMENTO * 100) as integer) || '|' ||"
                    " coalesce(trim(SERIE_DOCUMENTO), '') || '|' || coalesce(trim(SITUACAO_DOCUMENTO), '') || '|' ||"
                    " OBSERVACAO from ACRC5001 where AOCODIGO = 3 and OBSERVACAO like 'Multa por atraso%'"
                    " order by DATA_LANCAMENTO, NUMERO_DOCUMENTO");
    }
    QString clienteDoContrato() const { return lido("select CLCODIGO from AATC05AC where ACCODIGO = 3").value(0); }
    // Both demonstration pieces out on 10/04/2031 for a month, due back on
    // 10/05/2031; the return judged at 10:00 of the day given.
    void alugadasEmAbrilDe2031(const QDate& retorno)
    {
        exec("update AATC05ACIT set ACITPERIODO = 'M', ACITVALORUNITARIO = ACITVALOR, ACITINSTALACAO = '2031-04-10',"
             " ACITDATAENTREGA = '2031-05-10', ACITHORASAIDA = '2031-04-10 09:00:00' where ACCODIGO = 3");
        devolvidaEm(retorno);
    }
    static void devolvidaEm(const QDate& retorno)
    {
        uDataTecContLocacao::setRelogio([retorno] { return QDateTime(retorno, QTime(10, 0)); });
    }
    // "Devolver Item" on the line, the fine question answered as given.
    void devolve(TfmAssContCad& form, int linha, const QString& multa, const QString& resposta)
    {
        ASSERT_TRUE(dmTecContrato->quCtrCadastroIt->locate("ACITCODIGO", linha));
        dialogs->answer("Sim", "Deseja devolver o item do contrato");
        dialogs->answer(resposta,
                        "O Equipamento foi devolvido com atraso, deseja gerar um documento de multa no valor de " +
                            multa);
        form.btDevolverItem->click();
    }
};

// The road the issue walks: a new company's own product registered with its
// stock, rented by its serial, checked in by it and returned 8 days late.
TEST_F(MultaAtrasoFaturadaTest, AProductRentedByItsSerialCheckedInAndReturnedLateBillsItsFineOnce)
{
    TfmCadastroHost& produtos = cadastroDeProdutos();
    const QString produto = novoProdutoDeLocacao(produtos, "Betoneira 400 L");
    ASSERT_FALSE(produto.isEmpty()) << vistos();
    ASSERT_TRUE(estoqueNoLocal(produtos, "001", "1")) << "the product register shows no stock per location";
    produtos.close();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();

    TfmAssContCad* form = &registroDeContratosNoItens();
    host::ui::DataGrid* grade = novoItem(*form, produto);
    celula(grade, "ACITNUMEROSERIE", "BT-0001");
    celula(grade, "ACITVALOR", "300,00");
    escolheNaLista(grade, "ACITPERIODO", "M");
    dialogs->answer("Não", "Deseja gerar novamente as provisões?");
    form->bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    const QString linha =
        lido("select ACITCODIGO from AATC05ACIT where ACCODIGO = 3 and PRCODIGO = '" + produto + "'").value(0);
    ASSERT_FALSE(linha.isEmpty()) << vistos();

    // It went out a month before it was due back, 8 days ago.
    const QDate entrega = QDate::currentDate().addDays(-8), saida = entrega.addMonths(-1);
    outraMesa(QString("update AATC05ACIT set ACITINSTALACAO = '%1', ACITDATAENTREGA = '%2', ACITHORASAIDA = '%1 09:00'"
                      " where ACITCODIGO = %3")
                  .arg(saida.toString(Qt::ISODate), entrega.toString(Qt::ISODate), linha));
    form->close();

    EXPECT_EQ(entradaListada("BT-0001"), 1) << vistos();
    confirmaEntradaComObservacao(*fmAssEntradaEquip);
    fmAssEntradaEquip->close();
    EXPECT_EQ(lido("select ACITRETORNO from AATC05ACIT where ACITCODIGO = " + linha), QStringList{"S"}) << vistos();

    form = &registroDeContratosNoItens();
    const double multa = 8 * 300.0 / saida.daysTo(entrega);
    const QString valor = QString::number(multa, 'f', 2).replace('.', ',');
    devolve(*form, linha.toInt(), valor, "Sim");
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    const QStringList umDocumento{QString("%1|%2|01||Multa por atraso - contrato 3, item %3: Betoneira 400 L")
                                      .arg(clienteDoContrato())
                                      .arg(std::llround(multa * 100))
                                      .arg(linha)};
    EXPECT_EQ(documentosDeMulta(), umDocumento) << vistos();
    EXPECT_EQ(lido("select ACITDEVOLVIDO from AATC05ACIT where ACITCODIGO = " + linha), QStringList{"S"});

    // Saved again, and again after the contract is opened anew with the
    // line's own receivable made again as a single one: the fine's
    // document is still the one.
    form->bbSalvar->click();
    form->close();
    form = &registroDeContratosNoItens();
    ASSERT_TRUE(dmTecContrato->quCtrCadastroIt->locate("ACITCODIGO", linha.toInt()));
    escolheNaLista(form->dbgdAssContCadItem, "ACITTIPORECEBER", "1");
    celula(form->dbgdAssContCadItem, "ACITVALOR", "310,00");
    const QString vencimento = QDate::currentDate().addDays(10).toString("dd/MM/yyyy");
    dialogs->answer("Sim", "Deseja gerar novamente as provisões?").enter(vencimento, "Informe a Data de Vencimento");
    form->bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(lido("select cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001 where ACITCODIGO = " + linha +
                   " and OBSERVACAO is null"),
              QStringList{"31000"})
        << vistos();
    EXPECT_EQ(documentosDeMulta(), umDocumento) << vistos();
}

// Declined on the generator, accepted on the compressor: only the
// compressor's fine is billed.
TEST_F(MultaAtrasoFaturadaTest, AFineDeclinedBillsNothing)
{
    alugadasEmAbrilDe2031(QDate(2031, 5, 18));
    TfmAssContCad& form = registroDeContratosNoItens();
    devolve(form, 5, "80,00", "Não");
    devolve(form, 6, "40,00", "Sim");
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(lido("select ACITDEVOLVIDO || '|' || coalesce(cast(ACITVALORMULTA as integer), 0) from AATC05ACIT"
                   " where ACITCODIGO in (5, 6) order by ACITCODIGO"),
              (QStringList{"S|0", "S|40"}));
    EXPECT_EQ(lido("select ACITCODIGO || '|' || cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001"
                   " where AOCODIGO = 3 and OBSERVACAO like 'Multa por atraso%'"),
              QStringList{"6|4000"});
}

// Returned again later, the line owes the larger fine: only what its first
// document did not bill is billed; the same fine accepted again bills
// nothing.
TEST_F(MultaAtrasoFaturadaTest, ALineReturnedAgainIsBilledOnlyWhatItsEarlierFineDidNotBill)
{
    alugadasEmAbrilDe2031(QDate(2031, 5, 18));
    TfmAssContCad& form = registroDeContratosNoItens();
    devolve(form, 5, "80,00", "Sim");
    devolvidaEm(QDate(2031, 5, 20));
    devolve(form, 5, "100,00", "Sim");
    devolve(form, 5, "100,00", "Sim");
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    const QString cliente = clienteDoContrato();
    const QString texto = "01||Multa por atraso - contrato 3, item 5: ";
    const QStringList documentos = documentosDeMulta();
    ASSERT_EQ(documentos.size(), 2) << documentos.join(" / ").toStdString();
    EXPECT_TRUE(documentos[0].startsWith(cliente + "|8000|" + texto)) << documentos[0].toStdString();
    EXPECT_TRUE(documentos[1].startsWith(cliente + "|2000|" + texto)) << documentos[1].toStdString();

    // The compressor, returned by another desk after this one read it: this
    // desk's return of it is refused and bills nothing.
    outraMesa("update AATC05ACIT set ACITDEVOLVIDO = 'S' where ACITCODIGO = 6");
    devolvidaEm(QDate(2031, 5, 18));
    devolve(form, 6, "40,00", "Sim");
    EXPECT_EQ(recusas().filter("alterado por outro usuário").size(), 1) << vistos();
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = 3 and ACITCODIGO = 6"), QStringList{"0"});
}

// Where every receivable of a contract carries the contract's number, the
// fine's takes it too, after the instalments already under it.
TEST_F(MultaAtrasoFaturadaTest, UnderTheContractsOwnNumberTheFineTakesTheNextSequence)
{
    parametro("ATPARCELASEMPREVISAO", "S");
    outraMesa("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
              " VALOR_DOCUMENTO, AOCODIGO) select '000003', CLCODIGO, 1, ACLOCAL, ' ', 450, 3 from AATC05AC"
              " where ACCODIGO = 3");
    alugadasEmAbrilDe2031(QDate(2031, 5, 18));
    TfmAssContCad& form = registroDeContratosNoItens();
    devolve(form, 5, "80,00", "Sim");
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(lido("select trim(NUMERO_DOCUMENTO) || '|' || cast(SEQUENCIA as integer) || '|' ||"
                   " cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001 where AOCODIGO = 3"
                   " and NUMERO_DOCUMENTO = '000003' order by SEQUENCIA"),
              (QStringList{"000003|1|45000", "000003|2|8000"}))
        << vistos();
}

// The generator's save refused by the database: no document stays behind;
// the compressor's, saved next, bills its own fine alone.
TEST_F(MultaAtrasoFaturadaTest, ASaveRefusedLeavesNoFineDocument)
{
    exec("create exception E_LINHA_RECUSADA 'linha recusada'");
    exec("create trigger T_RECUSA_DEVOLUCAO for AATC05ACIT before update as begin"
         " if (new.ACITDEVOLVIDO = 'S' and new.ACITCODIGO = 5) then exception E_LINHA_RECUSADA; end");
    dmGlobal->IBTransaction1->commitRetaining();
    alugadasEmAbrilDe2031(QDate(2031, 5, 18));
    TfmAssContCad& form = registroDeContratosNoItens();
    devolve(form, 5, "80,00", "Sim");
    EXPECT_FALSE(recusas().isEmpty()) << vistos();
    EXPECT_EQ(lido("select coalesce(ACITDEVOLVIDO, '') from AATC05ACIT where ACITCODIGO = 5"), QStringList{""});
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = 3 and ACITCODIGO = 5"), QStringList{"0"});

    // The user gives the refused line up (Esc) and returns the compressor.
    form.dbgdAssContCadItem->setFocus();
    QTest::keyClick(form.dbgdAssContCadItem, Qt::Key_Escape);
    ASSERT_FALSE(dmTecContrato->quCtrCadastroIt->editing());
    devolve(form, 6, "40,00", "Sim");
    EXPECT_EQ(lido("select ACITCODIGO || '|' || cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001"
                   " where AOCODIGO = 3 and OBSERVACAO like 'Multa por atraso%'"),
              QStringList{"6|4000"});
}

// The document refused by the database: the save is refused in Portuguese,
// the line stays as the user left it, nothing is stored.
TEST_F(MultaAtrasoFaturadaTest, AFineDocumentRefusedRefusesTheSaveAndKeepsTheLineAsTyped)
{
    exec("create exception E_DOCUMENTO_RECUSADO 'documento recusado'");
    exec("create trigger T_RECUSA_DOCUMENTO for ACRC5001 before insert as begin exception E_DOCUMENTO_RECUSADO; end");
    dmGlobal->IBTransaction1->commitRetaining();
    alugadasEmAbrilDe2031(QDate(2031, 5, 18));
    TfmAssContCad& form = registroDeContratosNoItens();
    devolve(form, 5, "80,00", "Sim");
    const QStringList mostradas = recusas();
    ASSERT_EQ(mostradas.size(), 1) << vistos();
    EXPECT_TRUE(mostradas[0].startsWith("Não foi possível gerar o documento de multa do item 5 do contrato 3."))
        << vistos();
    EXPECT_TRUE(mostradas[0].endsWith("O item não foi salvo.")) << vistos();
    host::data::Query& itens = *dmTecContrato->quCtrCadastroIt;
    EXPECT_TRUE(itens.editing());
    EXPECT_EQ(itens.fieldByName("ACITDEVOLVIDO")->asString(), "S");
    EXPECT_NEAR(itens.fieldByName("ACITVALORMULTA")->asFloat(), 80, 0.001);
    EXPECT_EQ(lido("select coalesce(ACITDEVOLVIDO, '') from AATC05ACIT where ACITCODIGO = 5"), QStringList{""});
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = 3 and ACITCODIGO = 5"), QStringList{"0"});
}

}  // namespace
}  // namespace moduletest
