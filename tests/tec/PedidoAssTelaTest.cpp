// What the assistance-order window decides without the window: enabling by
// kind and status, the lists of earlier values, the address texts composed
// from a contact, and the fiscal operations offered.

#include "tests/tec/PedidoAssFixture.h"

#include "data/uDataTec.h"
#include "data/uDataTecPedidoAssTela.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

namespace tectest {
namespace {

using assvenda::AcaoFinalizar;

class PedidoAssTelaTest : public PedidoAssTest {
protected:
    void contato(int codigo, const QString& endereco, const QString& bairro, const QString& cidade, const QString& uf,
                 const QString& cep)
    {
        exec(QString("insert into AUGC3701 (ANCODIGO, ANNOME, ANVINCULOCATEGORIA, ANVINCULOCODIGO, ANENDERECO,"
                     " ANBAIRRO, ANCIDADE, ANUF, ANCEP) values (%1, 'Contato %1', 'C', '00001', %2, %3, %4, %5, %6)")
                 .arg(codigo)
                 .arg(nulo(endereco), nulo(bairro), nulo(cidade), nulo(uf), nulo(cep)));
    }
    static QString nulo(const QString& texto) { return texto.isNull() ? QString("null") : "'" + texto + "'"; }
    QString enderecoGravado(const QString& numero, int sequencia)
    {
        return texto(QString("select OBTEXTO from AUGC70OB where OBCODIGO = '%1' and OBID = 'V' and OBSEQUENCIA = %2")
                         .arg(numero)
                         .arg(sequencia));
    }
    void pedido(const QString& numero, const QString& cliente, const QString& coluna, const QVariant& valor)
    {
        host::db::executeSql(*dmGlobal->IBTransaction1,
                             "insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, " + coluna + ") values (:N, :C, :V)",
                             {{"N", numero}, {"C", cliente}, {"V", valor}});
    }
};

struct LinhaHabilitacao {
    const char* status;
    bool editavel;
    bool finalizarProposta;
    AcaoFinalizar acaoProposta;
    bool finalizarPedido;
    AcaoFinalizar acaoPedido;
};

TEST_F(PedidoAssTelaTest, EveryStatusOfAProposalAndAnOrderEnablesWhatItsRowSays)
{
    const LinhaHabilitacao tabela[] = {
        {"", true, true, AcaoFinalizar::GerarPedido, false, AcaoFinalizar::Nenhuma},
        {"C", false, false, AcaoFinalizar::Nenhuma, false, AcaoFinalizar::Nenhuma},
        {"N", true, true, AcaoFinalizar::Nenhuma, true, AcaoFinalizar::GerarContrato},
        {"L", false, false, AcaoFinalizar::Nenhuma, false, AcaoFinalizar::Nenhuma},
        {"S", false, false, AcaoFinalizar::Nenhuma, false, AcaoFinalizar::Nenhuma},
        {"P", true, false, AcaoFinalizar::Nenhuma, false, AcaoFinalizar::Nenhuma},
    };
    for (const LinhaHabilitacao& l : tabela) {
        SCOPED_TRACE(std::string("status '") + l.status + "'");
        const auto proposta = assvenda::estadoTela("0", l.status, "");
        const auto pedido = assvenda::estadoTela("1", l.status, "");
        EXPECT_EQ(proposta.editavel, l.editavel);
        EXPECT_EQ(pedido.editavel, l.editavel);
        ASSERT_TRUE(proposta.finalizar && pedido.finalizar);
        EXPECT_EQ(*proposta.finalizar, l.finalizarProposta);
        EXPECT_EQ(*pedido.finalizar, l.finalizarPedido);
        EXPECT_EQ(proposta.acaoFinalizar, l.acaoProposta);
        EXPECT_EQ(pedido.acaoFinalizar, l.acaoPedido);
        EXPECT_EQ(proposta.textosVermelhos, QString(l.status) == "S");
        EXPECT_FALSE(proposta.abaConfigurados);
        EXPECT_TRUE(pedido.abaConfigurados);
        EXPECT_TRUE(pedido.legendaImpressao.isEmpty()) << "the caption changes only in mode E";
    }
    EXPECT_TRUE(assvenda::estadoTela("1", "   ", "").editavel) << "blanks count as empty";
    EXPECT_FALSE(assvenda::estadoTela("1", "X", "").editavel);

    const auto outro = assvenda::estadoTela("", "", "");
    EXPECT_FALSE(outro.finalizar) << "neither kind leaves the button as it was";
    EXPECT_FALSE(outro.abaConfigurados);
    EXPECT_EQ(assvenda::estadoTela("1", "", "E").legendaImpressao, "&Produção");
    EXPECT_EQ(assvenda::estadoTela("0", "", "E").legendaImpressao, "&Proposta");
    EXPECT_TRUE(assvenda::estadoTela("", "", "E").legendaImpressao.isEmpty());
}

TEST_F(PedidoAssTelaTest, TheListsTakeTheFirstThirtyDistinctNonEmptyValuesInOrder)
{
    for (int i = 1; i <= 40; ++i)
        pedido(QString("%1").arg(i, 5, 10, QChar('0')), "00001", "VEPERIODOLOCACAO",
               QString("Periodo %1").arg((i - 1) % 35 + 1, 2, 10, QChar('0')));
    pedido("00041", "00001", "VEPERIODOLOCACAO", QString(""));
    pedido("00042", "00001", "VEPERIODOLOCACAO", QVariant());
    QStringList esperado;
    for (int i = 1; i <= 30; ++i)
        esperado << QString("Periodo %1").arg(i, 2, 10, QChar('0'));
    EXPECT_EQ(assvenda::CarregaListaPeriodo(), esperado);
    EXPECT_TRUE(assvenda::CarregaListaTipoContrato().isEmpty());

    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('00002', 'Bia')");
    pedido("00050", "00001", "VEPROJETO", "Obra B");
    pedido("00051", "00001", "VEPROJETO", "Obra A");
    pedido("00052", "00001", "VEPROJETO", "Obra B");
    pedido("00053", "00002", "VEPROJETO", "Obra C");
    pedido("00054", "00002", "VEPEDIDOCLIENTE", "OC-77");
    EXPECT_EQ(assvenda::CarregaListaProjetos("00001"), (QStringList{"Obra A", "Obra B"}));
    EXPECT_EQ(assvenda::CarregaListaProjetos("00002"), QStringList{"Obra C"});
    EXPECT_TRUE(assvenda::CarregaListaProjetos("").isEmpty()) << "a new order without customer lists nobody's";
    EXPECT_EQ(assvenda::CarregaListaPedidosCliente("00002"), QStringList{"OC-77"});
    EXPECT_TRUE(assvenda::CarregaListaPedidosCliente("00001").isEmpty());
}

// The parts joined by their separators; the hyphens inside a part (a street's
// name, a postal code) stay.
TEST_F(PedidoAssTelaTest, TheContactsAddressKeepsTheHyphensInsideItsParts)
{
    contato(1, "Rua Sete-de-Setembro, 10", "Vila-Nova", "São Paulo", "SP", "04101-000");
    const QString numero = novoPedido();
    EXPECT_TRUE(assvenda::gravarEnderecoCadastro(numero, "1", assvenda::kSequenciaEntrega, "Entrega"));
    const QString gravado = enderecoGravado(numero, assvenda::kSequenciaEntrega);
    EXPECT_EQ(gravado, "Rua Sete-de-Setembro, 10 - Vila-Nova - São Paulo/SP - 04101-000");
    EXPECT_EQ(assvenda::textoEndereco(numero, assvenda::kSequenciaEntrega), gravado);

    // The stored row is replaced, not doubled; the billing text is its own.
    contato(2, "Av. Brasil, 5", "Centro", "Santos", "SP", "11000-000");
    EXPECT_TRUE(assvenda::gravarEnderecoCadastro(numero, "2", assvenda::kSequenciaEntrega, "Entrega"));
    EXPECT_TRUE(assvenda::gravarEnderecoCadastro(numero, "2", assvenda::kSequenciaCobranca, "Cobrança"));
    EXPECT_EQ(valor("select count(*) from AUGC70OB where OBID = 'V' and OBSEQUENCIA = 100"), 1);
    EXPECT_EQ(enderecoGravado(numero, assvenda::kSequenciaEntrega), "Av. Brasil, 5 - Centro - Santos/SP - 11000-000");
    EXPECT_EQ(enderecoGravado(numero, assvenda::kSequenciaCobranca), "Av. Brasil, 5 - Centro - Santos/SP - 11000-000");
    dmGlobal->IBTransaction1->rollback();
    EXPECT_EQ(enderecoGravado(numero, assvenda::kSequenciaCobranca), "Av. Brasil, 5 - Centro - Santos/SP - 11000-000")
        << "committed";
    EXPECT_FALSE(assvenda::textoEndereco("  ", assvenda::kSequenciaEntrega)) << "no number, nothing read";
}

TEST_F(PedidoAssTelaTest, AContactWithoutAddressWarnsAndLeavesTheStoredTextAlone)
{
    contato(3, QString(), QString(), QString(), QString(), QString());
    contato(4, "-", "", "", "", "-");
    const QString numero = novoPedido();
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('" + numero +
         "', 'V', 100, 'Texto digitado')");
    dialogos->acknowledge("Aviso: Endereço de Entrega não cadastrado!");
    dialogos->acknowledge("Aviso: Endereço de Entrega não cadastrado!");
    dialogos->acknowledge("Aviso: Endereço de Cobrança não cadastrado!");
    EXPECT_FALSE(assvenda::gravarEnderecoCadastro(numero, "3", assvenda::kSequenciaEntrega, "Entrega"));
    EXPECT_FALSE(assvenda::gravarEnderecoCadastro(numero, "4", assvenda::kSequenciaEntrega, "Entrega"))
        << "hyphens alone are no address";
    EXPECT_FALSE(assvenda::gravarEnderecoCadastro(numero, "", assvenda::kSequenciaCobranca, "Cobrança"))
        << "no contact chosen";
    EXPECT_EQ(dialogos->pending(), 0);
    EXPECT_EQ(enderecoGravado(numero, assvenda::kSequenciaEntrega), "Texto digitado");
    EXPECT_EQ(valor("select count(*) from AUGC70OB where OBID = 'V'"), 1);
}

TEST_F(PedidoAssTelaTest, TheOperationListLeavesOutItsTypesAndTheSalesmanSeesOnlyHisOwn)
{
    exec("delete from AFVC0901");
    // "7" was stored without a type, as the first start stores its operations.
    const char* const operacoes[][3] = {{"1", "1", nullptr}, {"2", "5", nullptr}, {"3", "1", "I"},
                                        {"4", "2", "V"},     {"5", "D", "V"},     {"6", "1", "N"},
                                        {"7", nullptr, nullptr}};
    const auto literal = [](const char* texto) { return texto ? QString("'%1'").arg(texto) : QString("null"); };
    for (const auto& o : operacoes)
        exec(QString("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP, OFCUPOMFISCAL, OFREGRAFILTRO)"
                     " values ('%1', 'Op %1', %2, %3, %4)")
                 .arg(o[0], literal(o[1]), literal(o[2]), QString(o[0]) == "6" ? QString("'P'") : QString("null")));
    auto listadas = [](const QString& condicao) {
        dmGlobal->CarregaOperacaoTransacao("", condicao, "Order by desc_op_nf ");
        QStringList codigos;
        for (dmGlobal->quOperacao->first(); !dmGlobal->quOperacao->eof(); dmGlobal->quOperacao->next())
            codigos << dmGlobal->quOperacao->fieldByName("COD_OP")->asString();
        return codigos;
    };
    EXPECT_EQ(listadas(assvenda::condicaoOperacoes("", false)), (QStringList{"1", "4", "6", "7"}));
    EXPECT_EQ(listadas(assvenda::condicaoOperacoes("R", false)), QStringList{"6"});
    EXPECT_EQ(listadas(assvenda::condicaoOperacoes("R", true)), QStringList{"4"});
}

}  // namespace
}  // namespace tectest
