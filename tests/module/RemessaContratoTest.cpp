// The shipment invoice and the supply order of a contract: the line values
// of the temporary order (cost cut to cents, quantity times cost, the period
// text, the two-character unit), the invoice tied to the contract and the
// temporary order gone, the refusal while every loaded item is invoiced, a
// failed line undoing only itself, and the supply order from the contracting
// customer's price list with its refusals.

#include "tests/module/FechaJanelaNota.h"
#include "tests/module/ModuleFixture.h"

#include "contracts/uAssContCad.h"
#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContRemessa.h"
#include "host/Udmglobal.h"
#include "host/Unotafiscal.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/PageControl.h"
#include "host/ui/Errors.h"
#include <QPushButton>

namespace moduletest {
namespace {

using uDataTecContRemessa::ItemRemessa;

// As the button runs it: a refusal ends the action silently.
void remessa() { host::ui::runGuarded([] { EmitirRemessaContrato(); }); }
void abastecimento() { host::ui::runGuarded([] { GerarOrdemAbastecimento(); }); }

TEST(RemessaLinha, TheLineCarriesTheCutCostTheTotalThePeriodAndTwoCharactersOfTheUnit)
{
    ItemRemessa item{"P0001", 8901, 3, 5, QDateTime(QDate(2026, 1, 5), QTime(0, 0)),
                     QDateTime(QDate(2026, 12, 31), QTime(0, 0)), "S"};
    const QDateTime hoje(QDate(2026, 12, 7), QTime(0, 0));
    const QVariantMap p = uDataTecContRemessa::ParametrosLinha(item, 10.339, "UNID", "000042", 970, hoje);
    EXPECT_DOUBLE_EQ(p["VALOR"].toDouble(), 10.33);
    EXPECT_DOUBLE_EQ(p["TOTAL_UNIT"].toDouble(), 3 * 10.339);
    EXPECT_EQ(p["OBS"].toString(), "Dt: 05/01/26 até 31/12/26");
    EXPECT_EQ(p["VEITUNIDADE"].toString(), "UN");
    EXPECT_EQ(p["ACITCODIGO"].toString(), "8901");
    EXPECT_EQ(p["COD"].toInt(), 8901);
    EXPECT_EQ(p["aoCodigo"].toInt(), 970);
    EXPECT_EQ(p["BAIXA"].toString(), "");
    EXPECT_EQ(p["DATA_EMISSAO"].toDateTime(), hoje);

    EXPECT_EQ(uDataTecContRemessa::ParametrosLinha(item, 1, "H", "1", 1, hoje)["VEITUNIDADE"].toString(), "H");
    EXPECT_EQ(uDataTecContRemessa::ObservacaoPeriodo({}, {}), "Dt:  até ");
}

class RemessaContratoTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        parametro("ATUTILIZACONTRATOS", "S");
        uPackageAss::ShowJanelaTec("fmAssTecnico");   // the data modules
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('R6', 'Remessa', '6')");
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACLOCAL, ACCONTRATANTE, ACVALOR)"
             " values (970, 'R-970', '00003', '01', '00002', 100)");
        item(8901, "P0001", 2, "2026-01-05", "2026-12-31");
        item(8902, "P0003", 1, nullptr, nullptr);
        carregar();
    }
    void item(int codigo, const QString& produto, double quantidade, const char* inicio, const char* fim)
    {
        auto data = [](const char* d) { return d ? QString("'%1'").arg(d) : QString("null"); };
        exec(QString("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITQUANTIDADE, ACITDESCONTO,"
                     " ACITINSTALACAO, ACITDATAENCERRAMENTO, ACITNUMEROSERIE) values (%1, 970, '00003', '%2', %3, 0,"
                     " %4, %5, 'NS-%1')")
                 .arg(codigo)
                 .arg(produto)
                 .arg(quantidade)
                 .arg(data(inicio), data(fim)));
    }
    void carregar()
    {
        CarregaContrato(970);
        dmTecContrato->CarregaContratoItem("00003", "970");
    }
    QString documento() { return one("select ACNFREMESSA from AATC05AC where ACCODIGO = 970").toString().trimmed(); }
};

TEST_F(RemessaContratoTest, TheInvoiceIsTiedToTheContractTheTemporaryOrderGoesAndASecondOneIsRefused)
{
    const int pedidos = one("select count(*) from AVEC8501").toInt();
    dialogs->answer("Sim", "Deseja emitir nota fiscal de remessa?");
    dialogs->acknowledge("gerado com Sucesso!");
    remessa();
    const QString nota = documento();
    ASSERT_FALSE(nota.isEmpty());
    EXPECT_EQ(dialogs->texts().last(), "Documento \"" + nota + "\" gerado com Sucesso!");
    EXPECT_EQ(one("select count(*) from AVEC8501").toInt(), pedidos) << "the temporary order is removed";
    EXPECT_EQ(one("select ACCODIGO || '|' || COD_CLI || '|' || OPERACAO_DOC from ACEM1401 where DOCUMENTO = '" + nota +
                  "'")
                  .toString(),
              "970|00003|R6");
    EXPECT_EQ(one("select list(VEITSEQUENCIA || ':' || CODIGOPRODUTO || ':' || cast(VALOR_TOTAL_UNIT as numeric(9,2))"
                  " || ':' || OBSERVACAO_PRODUTO, ' # ') from (select * from ACEM14IT where DOCUMENTO = '" +
                  nota + "' order by VEITSEQUENCIA)")
                  .toString(),
              "8901:P0001:90.00:Dt: 05/01/26 até 31/12/26 # 8902:P0003:70.00:Dt:  até ")
        << "total = quantity x cost";
    EXPECT_TRUE(one("select ACNFREMESSAEMISSAO from AATC05AC where ACCODIGO = 970").toDateTime().isValid());
    EXPECT_EQ(fmNotaFiscal.get(), nullptr) << "the invoice window is released";

    dialogs->answer("Sim");
    dialogs->acknowledge("Contrato já possui Documento: " + nota + ".");
    remessa();
    EXPECT_EQ(documento(), nota);

    item(8903, "P0005", 4, nullptr, nullptr);
    carregar();
    dialogs->answer("Sim");
    dialogs->acknowledge("gerado com Sucesso!");
    remessa();
    EXPECT_NE(documento(), nota) << "an item not yet invoiced allows a new shipment";
}

// Another desk holds the contract row, uncommitted, while the invoice is
// emitted: the refusal reads in words, and no invoice, temporary order or
// document number is left, not even pending in this desk's transaction; once
// the other desk is done the shipment goes through.
TEST_F(RemessaContratoTest, TheContractHeldAtAnotherDeskLeavesNoInvoiceAndIsToldInWords)
{
    tr().commitRetaining();
    const QStringList antes = lido("select count(*) from ACEM1401 union all select count(*) from AVEC8501");
    const struct {
        const char* outraMesa;
        const char* aviso;
    } casos[] = {
        {"update AATC05AC set ACVALOR = 101 where ACCODIGO = 970",
         "Código do Erro: O registro está sendo alterado por outro usuário. Tente de novo em instantes."},
        {nullptr, "gerado com Sucesso!"},
    };
    for (const auto& caso : casos) {
        host::db::Connection outra;
        outra.open({dbPath});
        host::db::Transaction mesa(outra);
        if (caso.outraMesa)
            host::db::executeSql(mesa, caso.outraMesa);
        dialogs->answer("Sim", "Deseja emitir nota fiscal de remessa?").acknowledge(caso.aviso);
        remessa();
        mesa.rollback();
        EXPECT_EQ(dialogs->pending(), 0) << caso.aviso;
        if (!caso.outraMesa)
            break;
        EXPECT_FALSE(dmTecContrato->quCtrCadastro->editing());
        tr().commitRetaining();
        EXPECT_EQ(lido("select count(*) from ACEM1401 union all select count(*) from AVEC8501"), antes);
        EXPECT_TRUE(documento().isEmpty());
    }
    EXPECT_FALSE(documento().isEmpty());
}

TEST_F(RemessaContratoTest, NothingIsWrittenWhenRefusedBeforeTheOrder)
{
    const int pedidos = one("select count(*) from AVEC8501").toInt();
    dialogs->answer("Não", "Deseja emitir nota fiscal de remessa?");
    remessa();

    dmTecContrato->CarregaContratoItem("99999", "970");
    dialogs->answer("Sim");
    dialogs->acknowledge("Não existem itens para Emissão S/Remessa!");
    remessa();

    carregar();
    exec("delete from AFVC0901 where TIPO_OP = '6'");
    dialogs->answer("Sim");
    dialogs->modal("fmPesquisa", {});
    dialogs->acknowledge("Código da Operação Inválido!");
    remessa();
    EXPECT_EQ(one("select count(*) from AVEC8501").toInt(), pedidos);
    EXPECT_TRUE(documento().isEmpty());
}

TEST_F(RemessaContratoTest, AFailedLineUndoesOnlyItselfAndEndsTheShipment)
{
    exec("alter table AVEC85IT add constraint CK_TESTE_REMESSA check (CODIGO <> 'P0003')");
    dialogs->answer("Sim");
    dialogs->acknowledge("Erro ao Gerar Nota Fiscal.");
    remessa();
    const QString pedido = one("select max(NUMERO_PEDIDO) from AVEC8501").toString();
    EXPECT_EQ(one("select list(COD) from AVEC85IT where NUMERO_PEDIDO = '" + pedido + "'").toString(), "8901")
        << "the line before stays, the failed one left nothing";
    EXPECT_EQ(one("select FRETE || IMPRESSO_NF from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'").toString(), "1N");
    EXPECT_TRUE(documento().isEmpty());
    EXPECT_EQ(dmTecContrato->quCtrCadastroIt->recNo(), 1);
    EXPECT_FALSE(dmTecContrato->quCtrCadastroIt->controlsDisabled());
}

// The user closes the invoice window before the invoice is issued: no
// success is claimed, no document is recorded and the temporary order the
// shipment made is gone, the orders already there stay.
TEST_F(RemessaContratoTest, WindowClosedDuringTheEmissionIsNoSuccessAndLeavesNoOrder)
{
    const QStringList pedidos = lido("select NUMERO_PEDIDO from AVEC8501 order by NUMERO_PEDIDO");
    const QStringList notas = lido("select count(*) from ACEM1401");
    TfmAssContCad& cadastro = abrirJanela(fmAssContCad, "fmAssContCad");
    carregar();
    cadastro.pcContrato->setActivePage(cadastro.tsItens);
    dialogs->answer("Sim", "Deseja emitir nota fiscal de remessa?");
    dialogs->acknowledge("Nota Fiscal não emitida.");
    {
        FechaJanelaNota fecha;
        cadastro.btRemessaIten->click();
    }
    EXPECT_EQ(dialogs->pending(), 0);
    for (const QString& texto : dialogs->texts())
        EXPECT_FALSE(texto.contains("Sucesso")) << texto.toStdString();
    EXPECT_EQ(lido("select NUMERO_PEDIDO from AVEC8501 order by NUMERO_PEDIDO"), pedidos);
    EXPECT_EQ(lido("select count(*) from AVEC85IT where AOCODIGO = 970"), QStringList{"0"}) << "nor its lines";
    EXPECT_EQ(lido("select count(*) from ACEM1401"), notas);
    EXPECT_EQ(lido("select coalesce(ACNFREMESSA, '') from AATC05AC where ACCODIGO = 970"), QStringList{""});
}

// The products' costs are read once for the shipment, not once per line:
// more lines of products already on it cost only their own writes.
TEST_F(RemessaContratoTest, TheCostsOfTheProductsAreReadOnceForTheShipment)
{
    auto custo = [this] {
        const auto antes = host::db::statementCount();
        dialogs->answer("Sim", "Deseja emitir nota fiscal de remessa?");
        dialogs->acknowledge("gerado com Sucesso!");
        remessa();
        EXPECT_FALSE(documento().isEmpty());
        exec("update AATC05AC set ACNFREMESSA = null where ACCODIGO = 970");
        exec("delete from ACEM14IT");
        return host::db::statementCount() - antes;
    };
    carregar();
    const auto duasLinhas = custo();
    item(8903, "P0001", 1, nullptr, nullptr);
    item(8904, "P0003", 1, nullptr, nullptr);
    carregar();
    const auto quatroLinhas = custo();
    // Each line: its savepoint, its insert and its commit at the most.
    EXPECT_LE(quatroLinhas - duasLinhas, 2u * 3u) << duasLinhas << " / " << quatroLinhas;
}

TEST_F(RemessaContratoTest, SupplyOrderOfThePriceListFromTheCompanyToItself)
{
    exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP, COD_NATUREZA) values ('AB', 'Abastecimento', '6',"
         " '05949')");
    exec("insert into ACEC11PD (PRCODIGO, CLCODIGO, PDVALOR) values ('P0001', '00002', 80.559)");
    exec("insert into ACEC11PD (PRCODIGO, CLCODIGO, PDVALOR) values ('P0003', '00002', 100)");
    ASSERT_TRUE(dmTecContrato->quCtrCadastroIt->locate("ACITCODIGO", 8902));
    dialogs->acknowledge("gerada com sucesso.");
    abastecimento();
    const QString pedido = one("select max(NUMERO_PEDIDO) from AVEC8501").toString();
    EXPECT_EQ(dialogs->texts().last(), "Ordem de Abastecimento " + pedido + " gerada com sucesso.");
    EXPECT_EQ(one("select CODIGO_CLIENTE || '|' || CODIGO_ENTREGA || '|' || VENSREMESSASUP || '|' || IMPRESSO_NF || '|'"
                  " || OPERACAO from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'")
                  .toString(),
              "00001|00002|NS-8902|N|AB")
        << "the company's own customer record, delivered to the contracting customer";
    EXPECT_EQ(one("select list(CODIGO || ':' || cast(QUANTIDADE as integer) || ':' || cast(VALOR as numeric(9,2)) ||"
                  " ':' || AOCODIGO, ' ') from (select * from AVEC85IT where NUMERO_PEDIDO = '" + pedido +
                  "' order by COD)")
                  .toString(),
              "P0001:1:80.55:970 P0003:1:100.00:970");
    EXPECT_EQ(one("select cast(VALOR_TOTAL as numeric(9,2)) from AVEC8501 where NUMERO_PEDIDO = '" + pedido + "'")
                  .toString(),
              "180.55");
}

TEST_F(RemessaContratoTest, SupplyOrderRefusalsAndAnEmptyPriceList)
{
    const int pedidos = one("select count(*) from AVEC8501").toInt();
    dialogs->acknowledge("Operação de Remessa de Abastecimento (05949) não encontrada.");
    abastecimento();
    exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP, COD_NATUREZA) values ('AB', 'Abastecimento', '6',"
         " '05949')");
    exec("update AUGC0301 set CGC_CNPJ = 'outro' where CODIGO_CLIENTE = '00001'");
    dialogs->acknowledge("Cliente não encontrado. Cadastro do cliente deve ser o mesmo cadastro nos dados da empresa.");
    abastecimento();
    EXPECT_EQ(one("select count(*) from AVEC8501").toInt(), pedidos);

    exec("update AUGC0301 set CGC_CNPJ = '12.345.678/0001-95' where CODIGO_CLIENTE = '00001'");
    dialogs->acknowledge("gerada com sucesso.");
    abastecimento();
    const QString pedido = one("select max(NUMERO_PEDIDO) from AVEC8501").toString();
    EXPECT_EQ(one("select count(*) from AVEC85IT where NUMERO_PEDIDO = '" + pedido + "'").toInt(), 0);
}

}  // namespace
}  // namespace moduletest
