// The rental registers' rules without a window: the page loaders, the
// linked-contract columns, the deletion password, the end of validity, the
// instalment value change and colours, the re-instalment dates, the pick-up
// moment and status; the value change and the customer-order stamp on
// receivables of the database.

#include "tests/module/ModuleFixture.h"

#include "contract_data/uDataTecContRegras.h"
#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContLocacao.h"
#include "data/uDataTec.h"
#include "rental/uAssContLocRegras.h"

#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"

namespace moduletest {
namespace {

using namespace uAssContLoc;

TEST(ContLocRegras, EachPageRunsItsLoader)
{
    EXPECT_EQ(CargaDaPagina("tsEquipamentos"), CargaPagina::Equipamentos);
    EXPECT_EQ(CargaDaPagina("tsEquipamentosEncerrados"), CargaPagina::EquipamentosEncerrados);
    EXPECT_EQ(CargaDaPagina("tsComplementos"), CargaPagina::Complementos);
    EXPECT_EQ(CargaDaPagina("tsComplementosEncerrados"), CargaPagina::ComplementosEncerrados);
    EXPECT_EQ(CargaDaPagina("tsEquipamentosSolicitados"), CargaPagina::EquipamentosSolicitados);
    EXPECT_EQ(CargaDaPagina("tsParcelas"), CargaPagina::Parcelas);
    EXPECT_EQ(CargaDaPagina("tsObsSR"), CargaPagina::ObsSR);
    EXPECT_EQ(CargaDaPagina("tsObsAdicionais"), CargaPagina::ObsAdicionais);
    for (const char* outra : {"tsDadosAdicionais", "tsHistorico", "tsCustosVariaveis", "tsDadosRetirada",
                              "tsContratosVinculados", ""})
        EXPECT_EQ(CargaDaPagina(outra), CargaPagina::Nenhuma) << outra;
}

TEST(ContLocRegras, LinkedContractsShowPrincipalsReadOnlyAndComplementsEditable)
{
    const ColunasVinculo c = ColunasContratosVinculados("C");
    EXPECT_TRUE(c.muda);
    EXPECT_EQ(c.campos, (QStringList{"AOCODIGOPRINCIPAL", "CLNOMEPRINCIPAL", "ACVALORPARCELAPRINCIPAL"}));
    EXPECT_TRUE(c.somenteLeitura);
    const ColunasVinculo p = ColunasContratosVinculados("P");
    EXPECT_EQ(p.campos, (QStringList{"ACCODIGOCOMPLEMENTO", "CLNOMECOMPLEMENTO", "ACVALORPARCELACOMPLEMENTO"}));
    EXPECT_FALSE(p.somenteLeitura);
    EXPECT_FALSE(ColunasContratosVinculados("").muda) << "any other kind leaves the grid";
}

TEST(ContLocRegras, PasswordAndValidity)
{
    EXPECT_FALSE(PedeSenhaExclusao("  "));
    EXPECT_TRUE(PedeSenhaExclusao("abc"));
    EXPECT_TRUE(SenhaExclusaoConfere("abc", " abc "));
    EXPECT_TRUE(SenhaExclusaoConfere(" abc", "abc"));
    EXPECT_FALSE(SenhaExclusaoConfere("abc", "ab c"));
    const QDateTime inicio(QDate(2024, 3, 1), QTime(0, 0));
    EXPECT_EQ(TerminoPorDias(inicio, 30), QDateTime(QDate(2024, 3, 31), QTime(0, 0)));
    EXPECT_FALSE(TerminoPorDias(inicio, 0).isValid());
    EXPECT_FALSE(TerminoPorDias(inicio, -3).isValid());
    EXPECT_FALSE(TerminoPorDias({}, 30).isValid()) << "no start, no end";
}

TEST(ContLocRegras, OnlyForecastsWithoutABoletoChange)
{
    const QDateTime vazia = uDataTecContLocacao::dataZero();
    const QDateTime emitido(QDate(2024, 3, 1), QTime(0, 0));
    EXPECT_TRUE(ParcelaAlteravel(true, "V", vazia, false));
    EXPECT_TRUE(ParcelaAlteravel(true, "V", {}, false));
    EXPECT_FALSE(ParcelaAlteravel(true, "V", emitido, false));
    EXPECT_FALSE(ParcelaAlteravel(true, "*", vazia, false));
    EXPECT_FALSE(ParcelaAlteravel(true, "", vazia, false)) << "a billed instalment";
    EXPECT_TRUE(ParcelaAlteravel(false, "V", vazia, true));
    EXPECT_FALSE(ParcelaAlteravel(false, "V", vazia, false)) << "not selected";
    EXPECT_FALSE(ParcelaAlteravel(false, "*", vazia, true)) << "a selected paid row is left alone";
}

TEST(ContLocRegras, InstalmentColours)
{
    const QDate hoje(2024, 3, 10);
    const QDateTime ontem(hoje.addDays(-1), QTime(0, 0));
    const QDateTime hojeVence(hoje, QTime(0, 0));
    EXPECT_EQ(uDataTecContRegras::CorParcela("", ontem, hoje), QColor(255, 213, 213));
    EXPECT_FALSE(uDataTecContRegras::CorParcela("", hojeVence, hoje).isValid()) << "due today stays white";
    EXPECT_EQ(uDataTecContRegras::CorParcela("*", ontem, hoje), QColor(166, 202, 240));
    EXPECT_EQ(uDataTecContRegras::CorParcela("V", ontem, hoje), QColor(255, 255, 213));
    EXPECT_EQ(uDataTecContRegras::CorParcela("*", ontem, hoje, true, Qt::blue), QColor(Qt::blue)) << "selection first";
}

TEST(ContLocRegras, ReinstalmentDatesAndPickUp)
{
    EXPECT_EQ(UltimoDiaMesTexto(QDate(2024, 2, 10)), "29/02/2024");
    EXPECT_EQ(UltimoDiaMesTexto(QDate(2023, 2, 1)), "28/02/2023");
    EXPECT_EQ(UltimoDiaMesTexto(QDate(2024, 12, 31)), "31/12/2024");
    const QDate hoje(2024, 3, 10);
    EXPECT_FALSE(EmissaoAntesDeHoje(hoje, hoje));
    EXPECT_TRUE(EmissaoAntesDeHoje(hoje.addDays(-1), hoje));
    EXPECT_FALSE(EmissaoAntesDeHoje({}, hoje));
    EXPECT_FALSE(VencimentoAntesDaEmissao(hoje, hoje)) << "equal passes";
    EXPECT_TRUE(VencimentoAntesDaEmissao(hoje, hoje.addDays(-1)));
    EXPECT_FALSE(VencimentoAntesDaEmissao(hoje, {}));

    const QDateTime planejado(QDate(2024, 3, 5), QTime(9, 30));
    EXPECT_EQ(MomentoRetirada(planejado, 14, 30), QDateTime(QDate(2024, 3, 5), QTime(14, 30, 0)));
    EXPECT_FALSE(MomentoRetirada({}, 14, 30).isValid()) << "no planned day: the field stays";
    EXPECT_EQ(StatusRetirada({}, {}), "Não Definida");
    EXPECT_EQ(StatusRetirada(planejado, {}), "Pendente");
    EXPECT_EQ(StatusRetirada(planejado, QDateTime(QDate(2024, 3, 6), QTime(0, 0))), "Realizada");
}

class ContLocReceberTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        uPackageAss::ShowJanelaTec("fmAssTecnico");   // the data modules
    }
    void parcela(const QString& documento, const QString& situacao, double valor, const QString& boleto = "null")
    {
        exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                     " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO, CRDATABOLETO,"
                     " OBS10) values ('%1', '00004', 1, '01', '%2', %3, '2024-01-01', '2024-02-10', 801, %4,"
                     " ' nota ')")
                 .arg(documento, situacao)
                 .arg(valor)
                 .arg(boleto));
    }
    QString valores() const
    {
        return lido("select NUMERO_DOCUMENTO || '=' || cast(VALOR_DOCUMENTO * 100 as integer) from ACRC5001"
                    " where AOCODIGO = 801 order by NUMERO_DOCUMENTO")
            .join(' ');
    }
};

TEST_F(ContLocReceberTest, TodasChangesForecastsWithoutBoletoAndSelecaoOnlySelectedForecasts)
{
    parcela("000001", "V", 100);
    parcela("000002", "*", 100);
    parcela("000003", "V", 100, "'2024-02-01'");
    parcela("000004", "V", 100, "'1899-12-30'");
    dmTecContrato->CarregaContratoParcelaLocEquip(801, "P");
    host::data::Query& receber = *dmGlobal->quReceber;
    EXPECT_EQ(AlterarValorParcelas(receber, true, {}, 150.456), 2);
    EXPECT_EQ(valores(), "000001=15045 000002=10000 000003=10000 000004=15045");
    // Selected: the paid one and the last forecast; only the forecast changes.
    EXPECT_EQ(AlterarValorParcelas(receber, false, {2, 4}, 80), 1);
    EXPECT_EQ(valores(), "000001=15045 000002=10000 000003=10000 000004=8000");

    AdicionarPedidoCliente(receber, "PC-9");
    EXPECT_EQ(lido("select OBS10 from ACRC5001 where AOCODIGO = 801 order by NUMERO_DOCUMENTO"),
              QStringList(4, "Pedido: PC-9 nota"));
}

// A complementary contract lists its own receivables and its principals'
// real ones, the contract bound by parameter in both places; the same load
// serves the next contract without preparing again.
TEST_F(ContLocReceberTest, ComplementaryContractListsItsPrincipalsRealReceivables)
{
    parcela("000001", "V", 100);
    parcela("000002", "*", 100);
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO) values ('000009', '00004', 1, '01', 'V', 5,"
         " '2024-01-01', '2024-03-10', 802)");
    exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (801, 802)");
    host::data::Query& receber = *dmGlobal->quReceber;
    const auto numeros = [&] {
        QStringList lidos;
        for (receber.first(); !receber.eof(); receber.next())
            lidos << receber.fieldByName("NUMERO_DOCUMENTO")->asString();
        return lidos;
    };
    dmTecContrato->CarregaContratoParcelaLocEquip(802, "C");
    EXPECT_EQ(numeros(), (QStringList{"000002", "000009"}));
    dmTecContrato->CarregaContratoParcelaLocEquip(802, "P");
    EXPECT_EQ(numeros(), QStringList{"000009"});
    const testsupport::StatementCounter contador;
    dmTecContrato->CarregaContratoParcelaLocEquip(801, "P");
    EXPECT_EQ(numeros(), (QStringList{"000001", "000002"}));
    EXPECT_EQ(contador.prepares(), 0);
}

}  // namespace
}  // namespace moduletest
