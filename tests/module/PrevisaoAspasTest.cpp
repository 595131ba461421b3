// The contract register's forecast actions over values with a quote: the
// forecast of a principal contract reaches its complementary one, and
// "Excluir Parcelas" takes a forecast whose document number holds a quote
// with its cash-forecast row, the log recording what went.

#include "tests/module/ContratoCadastroFixture.h"

#include "contract_data/uDataTecCont.h"
#include "host/ui/PageControl.h"

#include <QPushButton>

namespace moduletest {
namespace {

class PrevisaoAspasTest : public ContratoCadastroTest {
protected:
    void SetUp() override
    {
        ContratoCadastroTest::SetUp();
        parametro("ATOPCAOCONTRATO", "F");
        for (int codigo : {801, 802})
            exec(QString("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, ACDESCRICAO, CLCODIGO, ACSITUACAO,"
                         " ACLOCAL, ACPERIODO, ACMODALIDADE, ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA, ACVINCULO)"
                         " values (%1, 'N''%1', 'D''Ávila', '00004', 'A', '01', 'M', 'A', 10, 'S', 100, '%2')")
                     .arg(codigo)
                     .arg(codigo == 801 ? "P" : "C"));
        exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (801, 802)");
        tr().commitRetaining();
    }
};

TEST_F(PrevisaoAspasTest, TheComplementIsForecastWithItsPrincipal)
{
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsContParcAberta);
    dialogs->setAutoAcknowledgeMessages(true);
    dialogs->enter("01/02/2031", "Informe a data Inicial da previsão do contas a receber")
        .enter("2", "Informe o número de parcelas para previsão do contas a receber");
    form.bbPrevisionar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select AOCODIGO || '/' || count(*) from ACRC5001 where SITUACAO_DOCUMENTO = 'V'"
                   " group by AOCODIGO"),
              (QStringList{"801/2", "802/2"}));
}

TEST_F(PrevisaoAspasTest, AForecastWhoseDocumentHoldsAQuoteGoesWithItsCashRow)
{
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO)"
         " values ('D''01', '00004', 1, '01', 'V', 100, '2031-02-01', '2031-02-10', 801)");
    exec("insert into ACXC94XP (XPCHAVE, XPID, XPLOCAL, XPDOCUMENTO, XPEMITENTE, CRSEQUENCIA, XPVALOR)"
         " values (gen_id(GEN_XPCHAVE, 1), 'R', '01', 'D''01', '00004', 1, 100)");
    tr().commitRetaining();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsContParcAberta);
    ASSERT_EQ(form.dbgdContRecAberto->model()->rowCount(), 1);
    dialogs->setAutoAcknowledgeMessages(true);
    dialogs->answer("Sim", "Tem certeza de que deseja excluir todas previsões?");
    form.bbApagar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select count(*) from ACRC5001 where AOCODIGO = 801"), QStringList{"0"});
    EXPECT_EQ(lido("select count(*) from ACXC94XP where XPDOCUMENTO = 'D''01'"), QStringList{"0"});
    EXPECT_EQ(lido("select count(*) from AATC05AC where ACDESCRICAO = 'D''Ávila'"), QStringList{"2"});
}

}  // namespace
}  // namespace moduletest
