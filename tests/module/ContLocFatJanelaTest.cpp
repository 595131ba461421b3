// The rental billing window opened through the dispatcher: its controls,
// the two statements under the filters, the lower grid following the upper
// one, the branch name, the customer search, billing from its buttons and
// its picture with instalments listed.

#include "tests/module/ContLocFaturamentoFixture.h"

#include "host/Upesq.h"
#include "host/ui/SearchWindow.h"

#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

namespace moduletest {
namespace {

using namespace uAssContFatLocEquip;

TEST_F(ContLocFatTest, TheStatementsFollowTheFilters)
{
    FiltrosFatLocEquip f;
    f.dataIni = "31/02/2024";   // not a date: the period goes
    f.dataFin = "31/03/2024";
    f.codCliente = "00004";
    f.cliente = "Clínica";
    f.codContrato = "801";
    f.pedido = "P'1 ";
    const QString listagem = SqlConsultaFatLocEquip(f);
    EXPECT_FALSE(listagem.contains("data_vencimento >=")) << listagem.toStdString();
    EXPECT_TRUE(listagem.contains(" and cli.codigo_cliente = '00004'"));
    EXPECT_FALSE(listagem.contains("containing")) << "the code wins over the name";
    EXPECT_TRUE(listagem.contains(" and cont.acpedido = 'P''1 '")) << "as typed, quoted";
    EXPECT_TRUE(listagem.contains(" and cont.accodigo = 801"));
    EXPECT_TRUE(listagem.endsWith(" order by cont.ACCODIGO, rec.DATA_VENCIMENTO, rec.SEQUENCIA"));
    const QString vinculos = SqlConsultaVincFatLocEquip(f);
    EXPECT_FALSE(vinculos.contains("accodigo = 801")) << "the contract narrows the upper list only";
    EXPECT_TRUE(vinculos.contains("vi.ACCODIGOPRINCIPAL = :ACCODIGO"));

    f.dataIni = "01/03/2024";
    f.periodo = BoletoEmitido;
    f.opcao = NaoFaturados;
    f.codCliente.clear();
    f.codContrato = "8 or 1=1";
    const QString periodo = SqlConsultaFatLocEquip(f);
    EXPECT_TRUE(periodo.contains(" and rec.crborderodata >= '03/01/2024 00:00:00' and rec.crborderodata <= "
                                 "'03/31/2024 23:59:59.9999'"))
        << periodo.toStdString();
    EXPECT_TRUE(periodo.contains(" and rec.situacao_documento = 'V'"));
    EXPECT_TRUE(periodo.contains(" and cli.nome containing 'Clínica'"));
    EXPECT_TRUE(periodo.contains(" and 1 = 0")) << "a code that is no number lists nothing";
}

TEST_F(ContLocFatTest, OpensWithItsControlsAndTheLowerGridFollowsTheContractFilterOnlyAbove)
{
    contrato(804, "ACVINCULO, BCCODIGO", "'P', '001'");
    parcela("000201", "V", 90, 804, "2024-03-10");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = abrirFat();
    EXPECT_EQ(form.caption(), "Faturamento de Contratos (Locação de Equipamentos)");
    EXPECT_TRUE(form.stayOnTop());
    EXPECT_EQ(form.edFilial->text(), "01");
    EXPECT_EQ(form.laEmpresa->text(), "Assistência Técnica Exemplo - Matriz");
    form.edFilial->setText("0");
    EXPECT_EQ(form.laEmpresa->text(), "");
    form.edFilial->setText("01");
    EXPECT_EQ(form.rgPeriodo->itemIndex(), Vencimento);
    EXPECT_EQ(form.rgOpcao->itemIndex(), Todos);
    QStringList titulos;
    for (int c = 0; c < form.dbgdAssContFatLocEquip->columnCount(); ++c)
        titulos << form.dbgdAssContFatLocEquip->column(c)->title();
    EXPECT_EQ(titulos, (QStringList{"Cod. Contrato", "Nº Contrato", "Cliente", "Valor Documento", "Faturado",
                                    "Vencimento", "Início Vigência", "Término Vigência", "Emissão Boleto",
                                    "Boleto Emitido"}));
    EXPECT_EQ(form.dbgdAssContFatLocEquipVinc->columnByField("VALOR_DOCUMENTO")->title(), "Valor");
    EXPECT_EQ(QStringList({form.bbPesquisar->text(), form.bbGerar->text(), form.bbImprimir->text(),
                           form.bbSair->text()}),
              (QStringList{"&Pesquisar", "&Gerar faturamento", "&Imprimir recibo", "S&air"}));

    form.bbPesquisar->click();
    EXPECT_EQ(form.stConsulta->panelText(0), "Total de Registros: 2");
    EXPECT_EQ(coluna(form.dbgdAssContFatLocEquipVinc, "ACCODIGO"), (QStringList{"802", "803"}));
    EXPECT_EQ(coluna(form.dbgdAssContFatLocEquipVinc, "VALOR_DOCUMENTO"), (QStringList{"100,01", "50,00"}));
    form.quConsulta->next();
    EXPECT_EQ(form.stConsultaVinc->panelText(0), "Total de Registros: 0") << "804 has no complements";

    form.edCodContrato->setText("801");
    form.bbPesquisar->click();
    EXPECT_EQ(coluna(form.dbgdAssContFatLocEquip, "ACCODIGO"), QStringList{"801"});
    EXPECT_EQ(form.stConsultaVinc->panelText(0), "Total de Registros: 2");

    // A period the complements miss leaves the lower grid empty.
    form.deDataIni->setDate(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
    form.deDataFin->setDate(QDateTime(QDate(2024, 3, 12), QTime(0, 0)));
    form.bbPesquisar->click();
    EXPECT_EQ(form.stConsulta->panelText(0), "Total de Registros: 1");
    EXPECT_EQ(form.stConsultaVinc->panelText(0), "Total de Registros: 0");
    // "Faturados" searches at once.
    form.rgOpcao->setItemIndex(Faturados);
    EXPECT_EQ(form.stConsulta->panelText(0), "Total de Registros: 0");
}

TEST_F(ContLocFatTest, TheCustomerSearchFillsCodeAndName)
{
    TfmAssContFatLocEquip& form = abrirFat();
    pesquisa("CODIGO_CLIENTE", "00004");
    form.sbPesqCliente->click();
    EXPECT_EQ(form.edCodCliente->text(), "00004");
    EXPECT_EQ(form.edCliente->text(), "Clínica Saúde & Vida S/A");
}

TEST_F(ContLocFatTest, DeclinedConfirmationBillsNothingAndTheOtherNamesOpenItUnderOptionQ)
{
    TfmAssContFatLocEquip& form = pesquisado();
    dialogs->answer("Não", "Confirma o Faturamento dos Contratos?");
    form.bbGerar->click();
    EXPECT_EQ(receber(801), QStringList{"000101|20000|V"});
    form.bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(fmAssContFatLocEquip.get(), nullptr);
    parametro("ATOPCAOCONTRATO", "Q");
    for (const char* nome : {"fmAssContratosFaturamento", "fmAssContFat"}) {
        abrirJanela(fmAssContFatLocEquip, nome).close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// The window with a principal's instalments listed and its complements below.
TEST_F(ContLocFatTest, PictureOfTheBillingWindowWithInstalmentsListed)
{
    contrato(804, "ACVINCULO, BCCODIGO, ACVALOR", "'P', '001', 90");
    parcela("000201", "", 90, 804, "2024-02-10");
    parcela("000202", "V", 90, 804, "2024-03-10");
    dmGlobal->IBTransaction1->commitRetaining();
    TfmAssContFatLocEquip& form = pesquisado();
    ASSERT_EQ(form.quConsulta->recordCount(), 3);
    guardaFoto(form, "fmAssContFatLocEquip.png");
}

}  // namespace
}  // namespace moduletest
