// The customer's purchases window and the import of outgoing invoices into
// the service order opened through the dispatcher: declining the equipment
// ends with no item, accepting creates the model and an item that maps the
// purchase and keeps its generator key, the company-18 query, the host's
// menu entry on the current order's customer, and the header's import.

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "service_orders/uAssOSComprasCliente.h"
#include "service_orders/uAssOrdemServico.h"

#include <QPushButton>

namespace moduletest {
namespace {

using host::ui::Form;

class ComprasClienteTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE)"
             " values (42, '00003', '2026-11-02', 'A', 'M')");
        exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO) values (42, 1, 'Impressora')");
        exec("insert into ACEC1301 (CODIGO, DESCRICAO, MARCA) values ('B1', 'Marca B1', 'Marca X')");
        exec("insert into AUGC05LB (LBCODIGO, LBDESCRICAO) values ('M1', 'Modelo Y')");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO, COD_EMB_COLECAO, COMPLEMENTO_DESC)"
             " values ('P-1', 'Balança digital', 'B1', 'Com bateria')");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO) values ('P-2', 'Cabo de força')");
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('1949', 'Outras entradas', '5')");
        exec("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, DATA_EMISSAO) values ('000777', '00003',"
             " '2026-10-20')");
        documento("000060", "5102", "000777");
        linha("000060", "5102", 1, "P-1", 1, "SN-1", "M1");
        linha("000060", "5102", 2, "P-2", 3, "", "");
        documento("000061", "1949", "");
        linha("000061", "1949", 1, "P-2", 5, "", "");
    }
    void documento(const QString& numero, const QString& operacao, const QString& pedido, const QString& extra = {})
    {
        exec(QString("insert into ACEM1401 (DOCUMENTO, SERIE_DOC, COD_CLI, OPERACAO_DOC, LOCAL_DOC, COD_PEDIDO, DATA,"
                     " OPERACAOP) values ('%1', '1', '00003', '%2', '001', %3, '2026-10-21', %4)")
                 .arg(numero, operacao, pedido.isEmpty() ? "null" : "'" + pedido + "'",
                      extra.isEmpty() ? "null" : "'" + extra + "'"));
    }
    void linha(const QString& numero, const QString& operacao, int sequencia, const QString& produto,
               double quantidade, const QString& serie, const QString& modelo, const QString& baixa = {})
    {
        exec(QString("insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, COD_OP, MELOCAL, CODIGOPRODUTO, SEQUENCIA,"
                     " QUNATIDADEPRODUTO, MEITNUMEROSERIE, LBCODIGO, BAIXA) values ('%1', '1', '00003', '%2', '001',"
                     " '%3', %4, %5, %6, %7, %8)")
                 .arg(numero, operacao, produto)
                 .arg(sequencia)
                 .arg(quantidade)
                 .arg(serie.isEmpty() ? "null" : "'" + serie + "'", modelo.isEmpty() ? "null" : "'" + modelo + "'",
                      baixa.isEmpty() ? "null" : "'" + baixa + "'"));
    }
    TfmAssOrdemServico& abrirOrdem()
    {
        uPackageAss::ShowJanelaTec("fmAssOrdemServico;42");
        TfmAssOrdemServico* form = fmAssOrdemServico.get();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        return *form;
    }
    TfmAssOSComprasCliente& compras()
    {
        TfmAssOSComprasCliente* janela = fmAssOSComprasCliente.create();
        janela->CarregarComprasCliente("00003");
        return *janela;
    }
    static QStringList produtos()
    {
        QStringList lista;
        host::data::Query& q = *dmTec->quOSComprasCli;
        for (q.first(); !q.eof(); q.next())
            lista << q.fieldByName("DOCUMENTO")->asString() + ":" + q.fieldByName("CODIGOPRODUTO")->asString();
        return lista;
    }
};

// The equipment company's statement run on the database: a purchase line
// whose product has a model and whose document has a sales order, newest
// document first, dated by the order; a cancelled document or line, another
// customer's purchase and a product without a model stay out.
TEST_F(ComprasClienteTest, TheEquipmentCompanysQueryKeepsOnlyModelsAndLeavesCancelledOut)
{
    exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, PRCODIGO) values (990, 'Balança', 'P-1')");
    exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, PRCODIGO) values (991, 'Balança reserva', 'P-1')");
    documento("000062", "5102", "000777", "CA");
    linha("000062", "5102", 1, "P-1", 1, "SN-2", "");
    linha("000060", "5102", 3, "P-1", 2, "SN-3", "", "C");
    documento("000063", "5102", "000777");
    linha("000063", "5102", 1, "P-1", 1, "SN-4", "");
    linha("000061", "1949", 2, "P-1", 1, "SN-5", "");   // no sales order
    exec("update ACEM1401 set COD_CLI = '00004' where DOCUMENTO = '000063'");
    exec("update ACEM14IT set COD_CLI = '00004' where DOCUMENTO = '000063'");
    tr().commitRetaining();
    const auto compras = [this](const QString& cliente) {
        host::db::Statement st(tr(), uAssOSComprasCliente::SqlComprasClienteEquipamento());
        st.setParam("cliente", cliente);
        st.execute();
        QStringList linhas;
        while (st.fetch())
            linhas << st.value("DOCUMENTO").toString() + ":" + st.value("CODIGOPRODUTO").toString() + ":" +
                          st.value("MEITNUMEROSERIE").toString() + ":" + st.value("COD_PEDIDO").toString() + ":" +
                          st.value("DATA").toDateTime().date().toString(Qt::ISODate);
        return linhas;
    };
    EXPECT_EQ(compras("00003"), QStringList{"000060:P-1:SN-1:000777:2026-10-20"})
        << "one line however many models the product has";
    EXPECT_EQ(compras("00004"), QStringList{"000063:P-1:SN-4:000777:2026-10-20"});
}

TEST_F(ComprasClienteTest, DecliningTheEquipmentAbortsWithNoItem)
{
    abrirOrdem();
    TfmAssOSComprasCliente& janela = compras();
    EXPECT_EQ(janela.caption(), "Produtos Comprados pelo Cliente");
    ASSERT_EQ(janela.dbgdComprasCliente->columnCount(), 7);
    EXPECT_EQ(janela.dbgdComprasCliente->column(3)->title(), "Data Compra");
    EXPECT_EQ(produtos(), (QStringList{"000060:P-1", "000060:P-2", "000061:P-2"}))
        << "every purchase, with or without a model";
    ASSERT_TRUE(dmTec->quOSComprasCli->locate("CODIGOPRODUTO", "P-1"));
    dialogs->answer("Não", "Não há equipamento vinculado a este produto, deseja criar?");
    dialogs->acknowledge("Operação abortada!");
    janela.dbgdComprasCliente->onDblClick();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(one("select count(*) from AATC03AE where PRCODIGO = 'P-1'").toInt(), 0);
    EXPECT_EQ(one("select count(*) from AATC01AOIT where AOCODIGO = 42").toInt(), 1);
    EXPECT_TRUE(fmAssOSComprasCliente) << "the window stays";
}

TEST_F(ComprasClienteTest, AcceptingCreatesTheModelAndTheItemMapsThePurchaseUnderItsGeneratorKey)
{
    // The generator runs ahead of the stored keys, as when another desk drew some.
    const int gerado = one("select gen_id(GEN_AOITCODIGO, 500) from rdb$database").toInt();
    abrirOrdem();
    TfmAssOSComprasCliente& janela = compras();
    ASSERT_TRUE(dmTec->quOSComprasCli->locate("CODIGOPRODUTO", "P-1"));
    const int modelo = one("select max(AECODIGO) + 1 from AATC03AE").toInt();
    dialogs->answer("Sim", "deseja criar?");
    dialogs->acknowledge("Equipamento criado com sucesso!\nEquipamento código " + QString::number(modelo));
    janela.dbgdComprasCliente->onDblClick();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido(QString("select AEDESCRICAO || '|' || AEMARCA || '|' || AEMODELO || '|' || AEOBSERVACAO || '|' ||"
                           " AEIDENTIFICADOR || '|' || AEATIVO || '|' || PRCODIGO from AATC03AE where AECODIGO = %1")
                       .arg(modelo)),
              QStringList{"Balança digital|Marca X|Modelo Y|Com bateria|E|S|P-1"});
    const QStringList itens = lido(
        "select AOITCODIGO || '|' || AOITEQUIPCODIGO || '|' || AOITEQUIPDESCRICAO || '|' || AOITMARCA || '|' ||"
        " AOITMODELO || '|' || AOITSERIE || '|' || cast(AOITQUANTIDADE as integer) || '|' || AOITNUMERONFREMESSA ||"
        " '|' || AOITNUMERONOTAFISCAL from AATC01AOIT where AOCODIGO = 42 and AOITCODIGO <> 1");
    ASSERT_EQ(itens.size(), 1);
    const int chave = itens.first().section('|', 0, 0).toInt();
    EXPECT_GT(chave, gerado) << "the generator's key, not the table's largest plus one";
    EXPECT_EQ(itens.first().section('|', 1),
              QString::number(modelo) + "|Balança digital|Marca X|Modelo Y|SN-1|1|000777|000060");
    EXPECT_FALSE(fmAssOSComprasCliente.get() && fmAssOSComprasCliente->isVisible());

    // A product with a model asks nothing: its first model is taken.
    exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, PRCODIGO) values (990, 'Cabo', 'P-2')");
    exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, PRCODIGO) values (991, 'Cabo reserva', 'P-2')");
    TfmAssOSComprasCliente& outra = compras();
    ASSERT_TRUE(dmTec->quOSComprasCli->locate("CODIGOPRODUTO", "P-2"));
    outra.dbgdComprasCliente->onDblClick();
    EXPECT_EQ(one("select count(*) from AATC01AOIT where AOCODIGO = 42 and AOITEQUIPCODIGO in (990, 991)").toInt(), 1);
}

// The purchases listed for order 42 (customer 00003) go to no other order:
// the order window moved to 43 (customer 00004), a double click is refused
// and 43 gets no item.
TEST_F(ComprasClienteTest, APurchaseGoesOnlyToTheOrderItWasListedFor)
{
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE)"
         " values (43, '00004', '2026-11-03', 'A', 'M')");
    exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, PRCODIGO) values (990, 'Balança', 'P-1')");
    one("select gen_id(GEN_AOITCODIGO, 10) from rdb$database");   // past the stored item
    tr().commitRetaining();
    TfmAssOrdemServico& ordemServico = abrirOrdem();
    criarPrincipal();
    uPackageAss::CriarDataTec();
    principal->miComprasCliente->click();
    ASSERT_TRUE(fmAssOSComprasCliente);
    TfmAssOSComprasCliente& janela = *fmAssOSComprasCliente.get();
    ordemServico.sbProximo->click();
    ASSERT_EQ(dmTec->quOSAOCODIGO->asInteger(), 43);
    ASSERT_TRUE(dmTec->quOSComprasCli->locate("CODIGOPRODUTO", "P-1"));
    dialogs->acknowledge("Estes produtos foram listados para a O.S. 42 (cliente 00003), que não é mais a exibida.");
    janela.dbgdComprasCliente->onDblClick();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" # ").toStdString();
    EXPECT_EQ(lido("select count(*) from AATC01AOIT where AOCODIGO = 43"), QStringList{"0"});
}

TEST_F(ComprasClienteTest, TheEquipmentCompanyListsModelsOnlyWithTheirSalesOrder)
{
    exec("insert into AATC03AE (AECODIGO, AEDESCRICAO, PRCODIGO) values (990, 'Balança', 'P-1')");
    documento("000062", "5102", "000777", "CA");
    linha("000062", "5102", 1, "P-1", 1, "SN-2", "");
    linha("000060", "5102", 3, "P-1", 1, "SN-3", "", "C");
    exec("update EMPRESA set UGESPECIFICOEMPRESA = 18");
    dmGlobal->CarregaEmpresa();
    abrirOrdem();
    compras();
    EXPECT_EQ(produtos(), QStringList{"000060:P-1"}) << "no model, cancelled document and cancelled line left out";
    EXPECT_EQ(dmTec->quOSComprasCli->fieldByName("COD_PEDIDO")->asString(), "000777");
    EXPECT_EQ(dmTec->quOSComprasCli->fieldByName("DATA")->asDateTime().date(), QDate(2026, 10, 20));
    // Back to the designed query when the company is another.
    exec("update EMPRESA set UGESPECIFICOEMPRESA = 0");
    dmGlobal->CarregaEmpresa();
    compras();
    EXPECT_EQ(produtos().size(), 5);
}

TEST_F(ComprasClienteTest, TheHostsMenuOpensThePurchasesOfTheCurrentOrdersCustomer)
{
    criarPrincipal();
    EXPECT_FALSE(principal->miComprasCliente->enabled()) << "until the module hooks it";
    uPackageAss::CriarDataTec();
    ASSERT_TRUE(principal->miComprasCliente->enabled());
    EXPECT_EQ(principal->miComprasCliente->caption(), "Produtos Comprados pelo Cliente");
    CarregaOrdemServico(0);
    dialogs->acknowledge("Ordem de Serviço com cliente");
    principal->miComprasCliente->click();
    EXPECT_FALSE(fmAssOSComprasCliente);
    CarregaOrdemServico(42);
    principal->miComprasCliente->click();
    ASSERT_TRUE(fmAssOSComprasCliente);
    EXPECT_EQ(produtos().size(), 3);
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(ComprasClienteTest, TheHeaderImportsTheProductsOfTheChosenOutgoingInvoice)
{
    TfmAssOrdemServico& form = abrirOrdem();
    EXPECT_EQ(form.bbImportar->toolTip(), "Importar Saída");
    dialogs->answer("Não", "Tem certeza de que deseja importar produtos de uma nota fiscal de saída?");
    form.bbImportar->click();
    dialogs->answer("Sim", "Tem certeza");
    dialogs->modal("fmPesquisa", [](Form& janela) {
        auto& p = static_cast<TfmPesquisa&>(janela);
        host::data::Dataset& notas = *p.dataSource()->dataset();
        EXPECT_EQ(notas.recordCount(), 1) << "the entry document is not listed";
        ASSERT_TRUE(notas.locate("DOCUMENTO", "000060"));
        QTest::keyClick(p.grid(), Qt::Key_Return);
    });
    form.bbImportar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select AOITPRCODIGO || '|' || AOITEQUIPDESCRICAO || '|' || cast(AOITQUANTIDADE as integer) ||"
                   " '|' || coalesce(AOITSERIE, '') || '|' || AOITNUMERONOTAFISCAL from AATC01AOIT"
                   " where AOCODIGO = 42 and AOITCODIGO <> 1 order by AOITCODIGO"),
              (QStringList{"P-1|Balança digital|1|SN-1|000060", "P-2|Cabo de força|3||000060"}));
    EXPECT_EQ(dmTec->quOSItem->recordCount(), 3) << "the order read again";

    // An order without items has nothing to import into.
    exec("delete from AATC01AOIT where AOCODIGO = 42");
    CarregaOrdemServico(42);
    dialogs->acknowledge("é necessário inserir um Item na Ordem de Serviço.");
    form.bbImportar->click();
    EXPECT_EQ(dialogs->pending(), 0);
}

}  // namespace
}  // namespace moduletest
