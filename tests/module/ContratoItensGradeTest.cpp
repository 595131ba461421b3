// A contract typed as a clerk types it: the header through its boxes, the
// items through the cells of the items grid, then "Salvar", a change of
// page and the close, each with an item row still pending. The rows are read
// back through a connection of their own, forecast and found in the
// invoicing window.

#include "tests/module/ContratoCadastroFixture.h"
#include "tests/support/ScopedTimeZone.h"

#include "contracts/uAssContCad.h"
#include "contracts/uAssContFat.h"
#include "contract_data/uDataTecCont.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/StatusBar.h"

#include <QAbstractItemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

namespace moduletest {
namespace {

using host::data::DatasetState;
using host::ui::Form;

class ContratoItensGradeTest : public ContratoCadastroTest {
protected:
    host::data::Query& ctr() { return *dmTecContrato->quCtrCadastro; }
    host::data::Query& itens() { return *dmTecContrato->quCtrCadastroIt; }
    // Types into the cell of the column on the current row; Tab leaves it
    // unless the text is to stay in the open editor.
    static void celula(host::ui::DataGrid* grade, const char* campo, const QString& texto, bool sair = true)
    {
        grade->setFocus();
        grade->setSelectedIndex(grade->columnByField(campo)->index());
        // The first key opens the cell's editor, which takes the rest.
        QTest::keyClick(grade, texto.at(0).toLatin1());
        QTest::keyClicks(QApplication::focusWidget(), texto.mid(1));
        if (sair)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    // A new item row typed in the grid: product and value.
    void novoItem(TfmAssContCad& form, const QString& produto, const QString& valor, bool sair = true)
    {
        form.dbgdAssContCadItem->setFocus();
        QTest::keyClick(form.dbgdAssContCadItem, Qt::Key_Insert);
        ASSERT_EQ(itens().state(), DatasetState::Insert);
        celula(form.dbgdAssContCadItem, "PRCODIGO", produto);
        celula(form.dbgdAssContCadItem, "ACITVALOR", valor, sair);
    }
    // A connection of its own sees only what was committed.
    QVariant lido(const QString& sql)
    {
        host::db::Connection conexao;
        conexao.open({dbPath});
        host::db::Transaction transacao(conexao);
        const QVariant v = host::db::selectValue(transacao, sql);
        transacao.commit();
        return v;
    }
    int novoContrato(TfmAssContCad& form)
    {
        form.bbNovo->click();
        EXPECT_EQ(ctr().state(), DatasetState::Insert);
        digita(form.dbedNumeroContrato, "CT-7001");
        escolhe(form.dbcbPeriodo, "M - Mensal");
        digita(form.dbedVencimento, "10");
        return ctr().fieldByName("ACCODIGO")->asInteger();
    }
    // A new contract of customer 00004, found in the search window.
    int contratoDoCliente(TfmAssContCad& form)
    {
        const int codigo = novoContrato(form);
        pesquisa("CODIGO_CLIENTE", "00004");
        form.sbPesqCli->click();
        return codigo;
    }
};

// The items page of a new contract lists none of another contract of the
// same customer, whatever the contract option: it would edit them.
TEST_F(ContratoItensGradeTest, TheItemsPageOfANewContractListsNoneOfAnotherContract)
{
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO) values (990, 'CT-2027/001',"
         " '00004', 'A')");
    exec("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITVALOR) values (9901, '00004',"
         " 'S0003', 990, 600)");
    exec("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITVALOR) values (9902, '00004',"
         " 'S0002', 990, 634.56)");
    for (const char* opcao : {"E", ""}) {
        SCOPED_TRACE(opcao);
        parametro("ATOPCAOCONTRATO", opcao);
        TfmAssContCad& form = abrir();
        contratoDoCliente(form);
        aba(form, form.tsItens);
        EXPECT_EQ(form.dbgdAssContCadItem->model()->rowCount(), 0);
        form.bbCancelar->click();
        fechar(form);
    }
}

// "Salvar" with the item still pending, a change of page and the close:
// every item typed is stored, and the value rule counts them.
TEST_F(ContratoItensGradeTest, ItemsTypedInTheGridReachTheDatabaseOnSaveOnPageChangeAndOnClose)
{
    TfmAssContCad& form = abrir();
    const int codigo = contratoDoCliente(form);
    aba(form, form.tsItens);
    ASSERT_EQ(form.pcContrato->activePage(), form.tsItens);
    novoItem(form, "S0003", "250", false);
    // The new contract was stored when its first item began; its value is
    // brought to the items' when the user agrees.
    dialogs->answer("Sim", "O valor dos itens foi alterado, deseja alterar valor do contrato?");
    form.bbSalvar->click();
    EXPECT_EQ(ctr().state(), DatasetState::Browse);
    EXPECT_EQ(lido(QString("select count(*) from AATC05ACIT where ACCODIGO = %1 and PRCODIGO = 'S0003'"
                           " and ACITVALOR = 250 and CLCODIGO = '00004'")
                       .arg(codigo))
                  .toInt(),
              1);
    EXPECT_DOUBLE_EQ(lido(QString("select ACVALORPARCELA from AATC05AC where ACCODIGO = %1").arg(codigo)).toDouble(),
                     250)
        << "the header's value counts the item posted before it";
    EXPECT_EQ(form.dbgdAssContCadItem->model()->rowCount(), 1) << "the item stays on screen";

    // Another item, left pending by a click on another page.
    novoItem(form, "S0002", "80");
    dialogs->answer("Sim", "O valor dos itens foi alterado, deseja alterar valor do contrato?");
    aba(form, form.tsContDadosAdicionais);
    EXPECT_EQ(form.pcContrato->activePage(), form.tsContDadosAdicionais);
    EXPECT_EQ(lido(QString("select count(*) from AATC05ACIT where ACCODIGO = %1").arg(codigo)).toInt(), 2);
    EXPECT_DOUBLE_EQ(lido(QString("select ACVALORPARCELA from AATC05AC where ACCODIGO = %1").arg(codigo)).toDouble(),
                     330);

    // A third, pending when the window closes: the close asks, "Sim" saves it.
    aba(form, form.tsItens);
    ASSERT_EQ(form.dbgdAssContCadItem->model()->rowCount(), 2);
    novoItem(form, "S0001", "120", false);
    dialogs->setAutoAcknowledgeMessages(true);
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    dialogs->answer("Não", "O valor dos itens foi alterado, deseja alterar valor do contrato?");
    fechar(form);
    EXPECT_EQ(fmAssContCad.get(), nullptr);
    EXPECT_EQ(lido(QString("select count(*) from AATC05ACIT where ACCODIGO = %1").arg(codigo)).toInt(), 3);
    EXPECT_DOUBLE_EQ(lido(QString("select sum(ACITVALOR) from AATC05ACIT where ACCODIGO = %1").arg(codigo)).toDouble(),
                     450);
}

// An item its rule refuses stays on screen with the rule's message, on
// "Salvar", on a change of page and on the close alike.
TEST_F(ContratoItensGradeTest, AnItemTheRuleRefusesStaysOnScreenWithItsMessage)
{
    TfmAssContCad& form = abrir();
    const int codigo = contratoDoCliente(form);
    form.bbSalvar->click();
    ASSERT_EQ(ctr().state(), DatasetState::Browse);
    aba(form, form.tsItens);
    novoItem(form, "S0003", "250");
    itens().fieldByName("ACITGARANTIA")->setAsString("S");   // warranty without its date

    dialogs->acknowledge("Data Inválida de limite da garantia!");
    form.bbSalvar->click();
    EXPECT_EQ(itens().state(), DatasetState::Insert) << "kept on screen";
    EXPECT_EQ(itens().fieldByName("PRCODIGO")->asString(), "S0003");

    dialogs->acknowledge("Data Inválida de limite da garantia!");
    clicaAba(form, form.tsContDadosAdicionais);
    EXPECT_EQ(form.pcContrato->activePage(), form.tsItens) << "the page with the refused row stays";
    EXPECT_EQ(itens().state(), DatasetState::Insert);

    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    dialogs->acknowledge("Data Inválida de limite da garantia!");
    form.bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fmAssContCad.get(), &form) << "the window stays open on the refused row";
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido(QString("select count(*) from AATC05ACIT where ACCODIGO = %1").arg(codigo)).toInt(), 0);

    // Corrected, it goes with the next change of page.
    form.dbgdAssContCadItem->setFocus();
    itens().fieldByName("ACITGARANTIA")->setAsString("N");
    dialogs->answer("Não", "O valor dos itens foi alterado, deseja alterar valor do contrato?");
    aba(form, form.tsContDadosAdicionais);
    EXPECT_EQ(form.pcContrato->activePage(), form.tsContDadosAdicionais);
    EXPECT_EQ(lido(QString("select count(*) from AATC05ACIT where ACCODIGO = %1").arg(codigo)).toInt(), 1);
    EXPECT_EQ(dialogs->pending(), 0);
}

// "Salvar" clicked with the mouse takes the focus off the items page, which
// stays shown: its rows stay on screen, the one just typed included.
TEST_F(ContratoItensGradeTest, ItemsStayOnScreenAfterSalvarClickedWithTheMouse)
{
    TfmAssContCad& form = abrir();
    const int codigo = contratoDoCliente(form);
    QTest::mouseClick(form.bbSalvar, Qt::LeftButton);
    aba(form, form.tsItens);
    dialogs->setAutoAcknowledgeMessages(true);
    novoItem(form, "S0003", "250", false);
    dialogs->answer("Não", "O valor dos itens foi alterado, deseja alterar valor do contrato?");
    QTest::mouseClick(form.bbSalvar, Qt::LeftButton);
    EXPECT_EQ(lido(QString("select count(*) from AATC05ACIT where ACCODIGO = %1").arg(codigo)).toInt(), 1);
    EXPECT_EQ(form.pcContrato->activePage(), form.tsItens);
    EXPECT_EQ(form.dbgdAssContCadItem->model()->rowCount(), 1) << "the stored item is shown";

    novoItem(form, "S0002", "80", false);
    dialogs->answer("Não", "O valor dos itens foi alterado, deseja alterar valor do contrato?");
    QTest::mouseClick(form.bbSalvar, Qt::LeftButton);
    EXPECT_EQ(form.dbgdAssContCadItem->model()->rowCount(), 2);
    EXPECT_EQ(lido(QString("select count(*) from AATC05ACIT where ACCODIGO = %1").arg(codigo)).toInt(), 2);
    EXPECT_EQ(dialogs->pending(), 0);
}

// The arrows to another contract reload the register: the item and the
// header being typed are stored first.
TEST_F(ContratoItensGradeTest, TheArrowsStoreTheItemAndTheHeaderBeingTyped)
{
    TfmAssContCad& form = abrir();
    const int codigo = contratoDoCliente(form);
    QTest::mouseClick(form.bbSalvar, Qt::LeftButton);
    aba(form, form.tsItens);
    dialogs->setAutoAcknowledgeMessages(true);
    novoItem(form, "S0003", "250", false);
    ASSERT_EQ(itens().state(), DatasetState::Insert);
    dialogs->answer("Não", "O valor dos itens foi alterado, deseja alterar valor do contrato?");
    form.sbAnt->click();
    EXPECT_EQ(lido(QString("select count(*) from AATC05ACIT where ACCODIGO = %1 and PRCODIGO = 'S0003'").arg(codigo))
                  .toInt(),
              1);

    // The header typed over, then the arrow back to it.
    form.sbProx->click();
    ASSERT_EQ(ctr().fieldByName("ACCODIGO")->asInteger(), codigo);
    digita(form.dbedNumeroContrato, "CT-7002");
    form.sbAnt->click();
    EXPECT_EQ(lido(QString("select ACNUMEROCONTRATO from AATC05AC where ACCODIGO = %1").arg(codigo)).toString(),
              "CT-7002");
    EXPECT_EQ(dialogs->pending(), 0);
}

// The header as the user met it: the contracting party chosen and
// no billing customer, "Natureza" and the typed value the rule replaces.
TEST_F(ContratoItensGradeTest, TheContractorBillsTheCaptionsShowAndTheValueRuleShowsAtOnce)
{
    TfmAssContCad& form = abrir();
    const int codigo = novoContrato(form);
    EXPECT_EQ(form.dbcbNatureza->currentText(), "A - Em Carteira") << "the new contract's default";
    escolhe(form.dbcbNatureza, "D - Duplicata/Fatura");
    EXPECT_EQ(ctr().fieldByName("ACNATUREZA")->asString(), "D");
    EXPECT_EQ(form.dbcbTipoPgto->currentText(), "2 - Duplicata/Boleto");

    pesquisa("CODIGO_CLIENTE", "00002");
    form.sbPesqContratante->click();
    EXPECT_EQ(ctr().fieldByName("ACCONTRATANTE")->asString(), "00002");
    EXPECT_EQ(ctr().fieldByName("CLCODIGO")->asString(), "00002") << "the contractor is billed when none else is";
    pesquisa("CODIGO_CLIENTE", "00004");
    form.sbPesqContratante->click();
    EXPECT_EQ(ctr().fieldByName("CLCODIGO")->asString(), "00004") << "still the contractor's";
    pesquisa("CODIGO_CLIENTE", "00005");
    form.sbPesqCli->click();
    pesquisa("CODIGO_CLIENTE", "00002");
    form.sbPesqContratante->click();
    EXPECT_EQ(ctr().fieldByName("CLCODIGO")->asString(), "00005") << "a billing customer of its own stays";

    // "Fixar Valor" is "Não": a typed value the items' would replace is refused, and said why.
    ASSERT_EQ(form.dbcbFixo->currentText(), "Não");
    dialogs->acknowledge("Com \"Fixar Valor\" \"Não\" o \"Valor Parcela\" é o dos itens do contrato (0,00), não"
                         " 300,00. Para manter o valor digitado, escolha \"Sim\" em \"Fixar Valor\".");
    digita(form.dbedValorParcela, "300");
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(form.dbedValorParcela->text(), "0,00") << "no item yet";
    escolhe(form.dbcbFixo, "Sim");
    digita(form.dbedValorParcela, "300");
    EXPECT_EQ(form.dbedValorParcela->text(), "300,00");
    form.bbSalvar->click();
    ASSERT_EQ(ctr().state(), DatasetState::Browse);
    EXPECT_EQ(lido(QString("select ACNATUREZA from AATC05AC where ACCODIGO = %1").arg(codigo)).toString(), "D");

    // Reloaded, the stored codes show their captions.
    CarregaContrato(codigo);
    EXPECT_EQ(form.dbcbNatureza->currentText(), "D - Duplicata/Fatura");
    EXPECT_EQ(form.dbedValorParcela->text(), "300,00");
}

// The whole road: typed through the grids, saved, read back, forecast and
// listed with its customer by the invoicing window.
TEST_F(ContratoItensGradeTest, AContractTypedThroughTheGridsIsForecastAndListedForInvoicing)
{
    TfmAssContCad& form = abrir();
    const int codigo = novoContrato(form);
    escolhe(form.dbcbDeveGerar, "A - Ativo");
    pesquisa("CODIGO_CLIENTE", "00004");
    form.sbPesqContratante->click();
    aba(form, form.tsItens);
    novoItem(form, "S0003", "150");
    novoItem(form, "S0002", "80", false);
    dialogs->answer("Sim", "O valor dos itens foi alterado, deseja alterar valor do contrato?");
    form.bbSalvar->click();
    ASSERT_EQ(ctr().state(), DatasetState::Browse);
    EXPECT_DOUBLE_EQ(lido(QString("select ACVALORPARCELA from AATC05AC where ACCODIGO = %1").arg(codigo)).toDouble(),
                     230);
    EXPECT_EQ(lido(QString("select CLCODIGO from AATC05AC where ACCODIGO = %1").arg(codigo)).toString(), "00004");

    aba(form, form.tsContParcAberta);
    dialogs->enter("01/02/2031", "Informe a data Inicial da previsão do contas a receber")
        .enter("3", "Informe o número de parcelas")
        .acknowledge("Operação efetuada com sucesso! Parcelas criadas:3");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    for (const host::ui::DialogRequest& pedido : dialogs->shown())
        if (pedido.text.startsWith("Informe o número de parcelas")) {
            EXPECT_EQ(pedido.value, "0") << "a count shows as a whole number";
        }
    EXPECT_EQ(lido(QString("select count(*) from ACRC5001 where AOCODIGO = %1 and SITUACAO_DOCUMENTO = 'V'"
                           " and CODIGO_CLIENTE = '00004' and VALOR_DOCUMENTO = 230")
                       .arg(codigo))
                  .toInt(),
              3);
    fechar(form);

    TfmAssContFat& fat = abrirJanela(fmAssContFat, "fmAssContFat");
    digita(fat.edUnNegocioIni, "01");
    digita(fat.edContratoAleatorio, "'CT-7001'");
    fat.bbPesquisar->click();
    ASSERT_EQ(fat.dbgdAssContFat->model()->rowCount(), 1);
    EXPECT_EQ(fat.dbgdAssContFat->column(1)->field()->displayText(), "Clínica Saúde & Vida S/A");
    EXPECT_DOUBLE_EQ(fat.quPesq->fieldByName("ACVALORPARCELA")->asFloat(), 230);
}

// An item saved without its product is refused naming the column the user
// sees, not the table's.
TEST_F(ContratoItensGradeTest, AnItemWithoutItsProductIsRefusedNamingTheProductColumn)
{
    TfmAssContCad& form = abrir();
    const int codigo = contratoDoCliente(form);
    form.bbSalvar->click();
    ASSERT_EQ(ctr().state(), DatasetState::Browse);
    aba(form, form.tsItens);
    form.dbgdAssContCadItem->setFocus();
    QTest::keyClick(form.dbgdAssContCadItem, Qt::Key_Insert);
    ASSERT_EQ(itens().state(), DatasetState::Insert);
    celula(form.dbgdAssContCadItem, "ACITVALOR", "250");
    dialogs->acknowledge("Campo obrigatório não informado: ");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    // The field's own label, else the column's title: both say "Produto".
    const QString aviso = dialogs->texts().last();
    EXPECT_TRUE(aviso.endsWith("Produto") && !aviso.contains("PRCODIGO")) << aviso.toStdString();
    EXPECT_EQ(lido(QString("select count(*) from AATC05ACIT where ACCODIGO = %1").arg(codigo)).toInt(), 0);
}

// Summer time in Brazil once began at midnight (04/11/2018 00:00 never
// happened there): a forecast whose instalments fall due that day, and
// whose span ends on it, is made like any other, each with its own date.
TEST_F(ContratoItensGradeTest, AForecastAcrossAMidnightTheZoneSkippedKeepsEveryInstalmentAndItsDate)
{
    const testsupport::ScopedTimeZone saoPaulo("America/Sao_Paulo");
    TfmAssContCad& form = abrir();
    const int codigo = novoContrato(form);
    escolhe(form.dbcbDeveGerar, "A - Ativo");
    pesquisa("CODIGO_CLIENTE", "00004");
    form.sbPesqContratante->click();
    digita(form.dbedVencimento, "4");
    escolhe(form.dbcbFixo, "Sim");
    digita(form.dbedValorParcela, "300");
    form.bbSalvar->click();
    ASSERT_EQ(ctr().state(), DatasetState::Browse);

    aba(form, form.tsContParcAberta);
    dialogs->enter("03/09/2018", "Informe a data Inicial da previsão do contas a receber")
        .enter("3", "Informe o número de parcelas")
        .acknowledge("Operação efetuada com sucesso! Parcelas criadas:3");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido(QString("select list(extract(day from DATA_VENCIMENTO) || '/' || extract(month from DATA_VENCIMENTO)"
                           " || '/' || extract(year from DATA_VENCIMENTO), ' ') from (select DATA_VENCIMENTO"
                           " from ACRC5001 where AOCODIGO = %1 and SITUACAO_DOCUMENTO = 'V' order by 1)")
                       .arg(codigo))
                  .toString(),
              "4/10/2018 4/11/2018 4/12/2018");
}

// Under the default option two desks add items to one contract: this desk's
// item is neither refused nor left out of the contract's value.
TEST_F(ContratoItensGradeTest, AnotherDesksItemNeitherRefusesThisDesksItemNorShortensTheValue)
{
    parametro("ATOPCAOCONTRATO", "E");
    TfmAssContCad& form = abrir();
    const QString contrato = QString::number(novoContrato(form));
    escolhe(form.dbcbTipoDesc, form.dbcbTipoDesc->itemText(0));
    pesquisa("CODIGO_CLIENTE", "00004");
    form.sbPesqCli->click();
    aba(form, form.tsItens);
    novoItem(form, "S0003", "250");
    form.bbSalvar->click();
    outraMesa("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO, ACITVALOR, ACITQUANTIDADE)"
              " values (9911, '00004', 'S0002', " + contrato + ", 100, 1)");
    outraMesa("update AATC05AC set ACVALOR = ACVALOR + 100 where ACCODIGO = " + contrato);
    novoItem(form, "S0002", "80");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->failures(), QStringList{});
    EXPECT_EQ(lido("select cast(ACVALOR as integer) || ' ' || (select cast(sum(ACITVALOR) as integer) from"
                   " AATC05ACIT where ACCODIGO = C.ACCODIGO) from AATC05AC C where ACCODIGO = " + contrato)
                  .toString(),
              "430 430");
}

}  // namespace
}  // namespace moduletest
