// A late-return fine billed on the demonstration rental contract of the
// database the first start leaves, due after every instalment, then the
// forecast tools the user runs on the contract: none counts it (nor an
// item's own receivable) as an instalment, dates from it or deletes it.

#include "tests/module/LocacaoPropriaFixture.h"

#include "host/ui/DataChoiceControls.h"
#include "host/ui/EditControls.h"
#include "rental/uAssContRenovacao.h"
#include "tests/support/OnScreenDialogs.h"

namespace moduletest {
namespace {

// The contract's own instalments: not a fine, not an item's receivable.
const char* const kParcelas = " from ACRC5001 where AOCODIGO = 3 and ACITCODIGO is null and ORIGEM is distinct from 'M'";

class MultaEntreAsPrevisoesTest : public LocacaoPropriaTest {
protected:
    // The generator out from 10/04/2031 for a month, returned on 18/05/2031
    // in the contract register and its fine of 80,00 accepted: one open
    // document due on 15/06/2031, after every instalment. The clock is put
    // back to today.
    TfmAssContCad& multaFaturada()
    {
        exec("update AATC05ACIT set ACITPERIODO = 'M', ACITVALORUNITARIO = ACITVALOR, ACITINSTALACAO = '2031-04-10',"
             " ACITDATAENTREGA = '2031-05-10', ACITHORASAIDA = '2031-04-10 09:00:00' where ACCODIGO = 3");
        uDataTecContLocacao::setRelogio([] { return QDateTime(QDate(2031, 5, 18), QTime(10, 0)); });
        TfmAssContCad& form = registroDeContratosNoItens();
        EXPECT_TRUE(dmTecContrato->quCtrCadastroIt->locate("ACITCODIGO", 5));
        dialogs->answer("Sim", "Deseja devolver o item do contrato");
        dialogs->answer("Sim", "O Equipamento foi devolvido com atraso, deseja gerar um documento de multa no valor de "
                               "80,00");
        form.btDevolverItem->click();
        uDataTecContLocacao::setRelogio({});
        EXPECT_EQ(recusas(), QStringList{}) << vistos();
        EXPECT_EQ(multa(), QStringList{"8000|15-JUN-2031"}) << vistos();
        return form;
    }
    // "cents|due date" of the fine documents, as another desk reads them.
    QStringList multa() const
    {
        return lido("select cast(VALOR_DOCUMENTO * 100 as integer) || '|' || cast(DATA_VENCIMENTO as date)"
                    " from ACRC5001 where AOCODIGO = 3 and ORIGEM = 'M'");
    }
    QString dasParcelas(const QString& expressao) const
    {
        // A date read back as text starts with its ISO day.
        return lido("select " + expressao + kParcelas).value(0).left(expressao.contains("as date") ? 10 : -1);
    }
};

TEST_F(MultaEntreAsPrevisoesTest, GerarPrevisaoOfTheRentalRegisterCountsAndDatesOnlyTheInstalments)
{
    multaFaturada().close();
    const int planejadas = lido("select cast(ACQUANTIDADEPARCELA as integer) from AATC05AC where ACCODIGO = 3")
                               .value(0)
                               .toInt();
    const int existentes = dasParcelas("count(*)").toInt();
    const QDate ultima = QDate::fromString(dasParcelas("cast(max(DATA_VENCIMENTO) as date)"), Qt::ISODate);
    ASSERT_GT(planejadas, existentes);

    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento(false);
    ASSERT_NE(form, nullptr);
    form->bbPrevisionar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_TRUE(dialogs->texts().contains("Operação efetuada com sucesso! Parcelas criadas: " +
                                          QString::number(planejadas - existentes)))
        << vistos();
    EXPECT_EQ(dasParcelas("count(*)").toInt(), planejadas);
    // The first new one follows the last instalment, not the fine.
    EXPECT_EQ(lido("select cast(min(DATA_VENCIMENTO) as date)" + QString(kParcelas) + " and DATA_VENCIMENTO > '" +
                   ultima.toString(Qt::ISODate) + "'")
                  .value(0)
                  .left(10),
              ultima.addMonths(1).toString(Qt::ISODate));
    EXPECT_EQ(multa(), QStringList{"8000|15-JUN-2031"});
    form->close();
}

// Under ATPARCELASEMPREVISAO "S" "Excluir Parcelas" of the contract register
// deletes the open receivables too: the fine and the compressor's own
// receivable stay.
TEST_F(MultaEntreAsPrevisoesTest, ExcluirParcelasLeavesTheFineAndTheItemsOwnReceivable)
{
    TfmAssContCad& form = multaFaturada();
    ASSERT_TRUE(dmTecContrato->quCtrCadastroIt->locate("ACITCODIGO", 6));
    escolheNaLista(form.dbgdAssContCadItem, "ACITTIPORECEBER", "1");
    celula(form.dbgdAssContCadItem, "ACITVALOR", "160,00");
    dialogs->answer("Sim", "Deseja gerar novamente as provisões?")
        .enter(QDate::currentDate().addDays(10).toString("dd/MM/yyyy"), "Informe a Data de Vencimento");
    form.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    const QString doItem = "select count(*) from ACRC5001 where AOCODIGO = 3 and ACITCODIGO = 6";
    ASSERT_EQ(lido(doItem), QStringList{"1"}) << vistos();

    parametro("ATPARCELASEMPREVISAO", "S");
    clicaAba(form.pcContrato, form.tsContParcAberta);
    dialogs->answer("Sim", "Tem certeza de que deseja excluir todas previsões?");
    form.bbApagar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(dasParcelas("count(*)"), "0");
    EXPECT_EQ(multa(), QStringList{"8000|15-JUN-2031"});
    EXPECT_EQ(lido(doItem), QStringList{"1"});
}

// "Excluir Parcelas" of the rental register deletes the forecasts: the
// compressor's own forecast stays with the fine.
TEST_F(MultaEntreAsPrevisoesTest, ExcluirParcelasOfTheRentalRegisterLeavesTheItemsOwnForecast)
{
    TfmAssContCad& contratos = multaFaturada();
    ASSERT_TRUE(dmTecContrato->quCtrCadastroIt->locate("ACITCODIGO", 6));
    escolheNaLista(contratos.dbgdAssContCadItem, "ACITTIPORECEBER", "P");
    celula(contratos.dbgdAssContCadItem, "ACITVALOR", "160,00");
    dialogs->answer("Sim", "Deseja gerar novamente as provisões?");
    contratos.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    const QString doItem = "select count(*) from ACRC5001 where AOCODIGO = 3 and ACITCODIGO = 6"
                           " and SITUACAO_DOCUMENTO = 'V'";
    ASSERT_EQ(lido(doItem), QStringList{"1"}) << vistos();
    contratos.close();

    TfmAssContCadLocEquip* form = registroDeLocacaoNoEquipamento(false);
    ASSERT_NE(form, nullptr);
    aba(*form, form->tsParcelas);
    dialogs->answer("Sim", "Tem certeza de que deseja excluir todas previsões?");
    form->bbApagar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(dasParcelas("count(*)"), "0");
    EXPECT_EQ(lido(doItem), QStringList{"1"});
    EXPECT_EQ(multa(), QStringList{"8000|15-JUN-2031"});
    form->close();
}

// The contract cancelled with its open receivables from today on deleted:
// the fine is owed for what happened before and stays.
TEST_F(MultaEntreAsPrevisoesTest, CancellingTheContractKeepsTheFine)
{
    TfmAssContCad& form = multaFaturada();
    clicaAba(form.pcContrato, form.tsContDadosAdicionais);
    dialogs->answer("Não", "Deseja excluir provisões do contrato?");
    testsupport::escolheComSetas(*form.dbcbDeveGerar, form.dbcbDeveGerar->findText("C - Cancelado"));
    dialogs->answer("Sim", "Deseja excluir contas a receber em aberto após data do cancelamento?")
        .enter(QDate::currentDate().toString("dd/MM/yyyy"), "Informe a data de cancelamento");
    form.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(dialogs->pending(), 0) << vistos();
    EXPECT_EQ(lido("select ACSITUACAO from AATC05AC where ACCODIGO = 3"), QStringList{"C"}) << vistos();
    EXPECT_TRUE(dialogs->texts().contains("0 parcela(s) excluída(s) com sucesso!")) << vistos();
    EXPECT_EQ(multa(), QStringList{"8000|15-JUN-2031"});
}

// The renewal lists the last instalment's due date and carries on from the
// last instalment, at its value, not at the fine's.
TEST_F(MultaEntreAsPrevisoesTest, TheRenewalCarriesOnFromTheLastInstalment)
{
    multaFaturada().close();
    const QString ultima = dasParcelas("cast(max(DATA_VENCIMENTO) as date)");
    const int existentes = dasParcelas("count(*)").toInt();

    TfmAssContRenovacao& form = abrirJanela(fmAssContRenovacao, "fmAssContRenovacao");
    form.deProxVencimento->setDate(QDateTime(QDate::currentDate().addMonths(4), QTime(0, 0)));
    form.edCodigo->setText("3");
    form.bbPesquisar->click();
    ASSERT_EQ(form.dbgdAssContRenovacao->model()->rowCount(), 1) << vistos();
    EXPECT_EQ(form.quConsulta->fieldByName("ULTVCTO")->asDateTime().date().toString(Qt::ISODate), ultima);

    dialogs->answer("Sim", "Confirma a renovação do(s) Contrato(s)?");
    form.bbRenovar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    EXPECT_EQ(dasParcelas("count(*)").toInt(), existentes + 1) << vistos();
    EXPECT_EQ(lido("select first 1 cast(VALOR_DOCUMENTO * 100 as integer)" + QString(kParcelas) +
                   " order by DATA_VENCIMENTO desc"),
              QStringList{"45000"});
    EXPECT_EQ(multa(), QStringList{"8000|15-JUN-2031"});
}

}  // namespace
}  // namespace moduletest
