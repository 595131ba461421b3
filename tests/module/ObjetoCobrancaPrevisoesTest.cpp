// A contract starting in two months given an annual billing object, its
// forecasts recalculated: none falls before the start, and the object's
// periodicity is asked, not taken in silence.

#include "tests/module/ContratoCadastroFixture.h"

#include "host/ui/DataEdit.h"

#include <QDate>

namespace moduletest {
namespace {

class ObjetoCobrancaPrevisoesTest : public ContratoCadastroTest {
protected:
    void SetUp() override
    {
        ContratoCadastroTest::SetUp();
        const QDate hoje = QDate::currentDate();
        inicio = QDate(hoje.year(), hoje.month(), 1).addMonths(2);
        exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJPERIODO) values (900, 'Mensal', 'M')");
        exec("insert into AATC11AJ (AJCODIGO, AJDESCRICAO, AJPERIODO) values (901, 'Anual', 'A')");
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACPERIODO,"
             " ACMODALIDADE, ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA, AJCODIGO, ACDATAIMPLANTACAO, ACDATAVALIDADE)"
             " values (801, 'N801', '00004', 'A', '01', 'M', 'A', 10, 'S', 500, 900, :INICIO, :FIM)",
             {{"INICIO", QDateTime(inicio, QTime(0, 0))}, {"FIM", QDateTime(inicio.addYears(2), QTime(0, 0))}});
        exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
             " VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO) values ('000801', '00004', 1, '01', 'V',"
             " 500, :INICIO, :VENCIMENTO, 801)",
             {{"INICIO", QDateTime(inicio, QTime(0, 0))}, {"VENCIMENTO", QDateTime(inicio.addDays(9), QTime(0, 0))}});
        tr().commitRetaining();
    }
    QDate inicio;
};

TEST_F(ObjetoCobrancaPrevisoesTest, NoForecastBeforeTheStartAndThePeriodicityIsAsked)
{
    const struct {
        const char* resposta;
        QString periodo;
    } casos[] = {{"Sim", "A"}, {"Não", "M"}};
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.resposta);
        exec("update AATC05AC set AJCODIGO = 900, ACPERIODO = 'M' where ACCODIGO = 801");
        tr().commitRetaining();
        TfmAssContCad& form = abrir();
        CarregaContrato(801);
        dialogs->answer(caso.resposta, "O objeto de cobrança tem periodicidade \"A - Anual\" e o contrato, "
                                       "\"M - Mensal\". Deseja usar a periodicidade do objeto no contrato?")
            .answer("Sim", "Deseja recalcular parcelas de previsão?")
            .acknowledge();
        digita(form.dbedObjeto, "901");
        form.bbSalvar->click();
        const QString texto = dialogs->texts().join(" | ");
        EXPECT_EQ(dialogs->pending(), 0) << texto.toStdString();
        EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = 801 and DATA_VENCIMENTO < '" +
                       inicio.toString(Qt::ISODate) + "'"),
                  QStringList{"0"})
            << texto.toStdString();
        EXPECT_EQ(lido("select AJCODIGO || '|' || ACPERIODO from AATC05AC where ACCODIGO = 801"),
                  QStringList{"901|" + caso.periodo});
        fechar(form);
    }
}

}  // namespace
}  // namespace moduletest
