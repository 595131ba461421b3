// The captions of the one-letter columns, both ways, and the text handlers of
// the header's hour credit, instalment value and dates.

#include "tests/contracts/ContractsFixture.h"

#include "contract_data/uDataTecContLegendas.h"
#include "host/Udmglobal.h"
#include "host/data/Abort.h"
#include "host/data/Field.h"

using host::data::Field;

namespace contractstest {
namespace {

using uDataTecCont::mapeamento;

struct Caso {
    const char* dataset;
    const char* campo;
    const char* opcao;     // ATOPCAOCONTRATO
    const char* codigo;
    const char* texto;     // shown for the code
    const char* volta;     // code stored when the text is entered ("" names no option)
};

const Caso kCasos[] = {
    {"quCtrCadastro", "ACPERIODO", "", "S", "S - Semestral", "S"},
    {"quCtrObjeto", "AJPERIODO", "", "S", "S - Semestral", "S"},
    {"quCtrCadastroIt", "ACITPERIODO", "", "Q", "Q - Quinzenal", "Q"},
    {"quCtrCadastro", "ACMODALIDADE", "", "I", "Intermédio", "I"},
    {"quCtrObjeto", "AJMODALIDADE", "", "P", "Postecipado", "P"},
    {"quCtrCadastro", "ACSITUACAO", "", "A", "A - Ativo", "A"},
    {"quCtrCadastro", "ACSITUACAO", "", "#", "# - Desativado", "#"},
    {"quCtrCadastro", "ACSITUACAO", "", "1", "", ""},   // named by no option: refused by the field
    {"quCtrCadastro", "ACSITUACAO", "E", "A", "", ""},
    {"quCtrCadastro", "ACSITUACAO", "E", "3", "3 - Não Possui", "3"},
    {"quCtrCadastro", "ACTIPO", "", "U", "U - Licença de Uso", "U"},
    {"quCtrCadastroIt", "ACTIPO", "", "M", "Mão-de-obra", "M"},
    {"quCtrObjeto", "AJTIPO", "", "V", "Venda", "V"},
    {"quCtrObjeto", "AJGERAFATURA", "", "L", "Lançamento", "L"},
    {"quCtrObjeto", "AJFRANQUIA", "", "K", "KM", "K"},
    {"quCtrObjeto", "AJFRANQUIA", "", "", "Nenhum", "N"},
    {"quCtrCadastro", "ACTIPOFRANQUIA", "", "G", "Grupo", "G"},
    {"quCtrCadastro", "ACTIPOFRANQUIA", "", "X", "Item", "I"},
    {"quCtrCadastro", "ACVALORFIXO", "", "N", "Não", "N"},
    {"quCtrCadastro", "ACVALORFIXO", "", "P", "PMC", "P"},
    {"quCtrCadastro", "ACSEPARASERVICO", "", "D", "Discriminar Itens", "D"},
    {"quCtrCadastro", "ACVINCULO", "", "C", "Complementar", "C"},
    {"quCtrCadastro", "ACJUROAPLICAR", "", "P", "Portador", "P"},
    {"quCtrCadastro", "ACPORTADORPREVISAO", "", "P", "Previsão", "P"},
    {"quCtrCadastro", "ACCOMPROVANTE", "", "C", "Carta de Devolução", "C"},
    {"quCtrCadastro", "ACCOMPROVANTERETIRADA", "", "X", "Não", "N"},
    {"quCtrCadastroIt", "ACITENCERRADO", "", "S", "Sim", "S"},
    {"quCtrCadastroIt", "ACITRETORNO", "", "", "Não", "N"},
    {"quCtrCadastro", "ACRENOVACAO", "", "S", "Sim", "S"},
    {"quCtrCadastro", "ACRENOVACAO", "E", "X", "X", "X"},
    {"quCtrCadastroIt", "ACITGARANTIA", "", "S", "Sim ", "S"},
    {"quCtrCadastroIt", "ACITGARANTIA", "", "Z", "", ""},
    {"quCtrCadastroEquip", "COGARANTIA", "", "1", "1- Garantia de Fábrica ", "1"},
    {"quCtrCadastroIt", "ACITTIPORECEBER", "", "1", "1 - Parcela A Vista", "1"},
    {"quCtrVeiculo", "ACEVSITUACAO", "", "I", "Inativo", "I"},
    {"quCtrVeiculo", "ACEVTIPO", "", "", "Titular", "T"},
    {"quCtrVeiculo", "ACEVADITIVO", "", "S", "Substituição", "S"},
    {"quCtrCadastroMedidor", "COID", "", "G", "Grupo", "G"},
    {"quCtrCadastroMedidor", "COID", "", "M", "Medidor", "M"},
    {"quCtrCobertura", "ABDESLOCA", "", "N", "Não", "N"},
    {"quContratoCli", "ACCLATIVO", "", "S", "Sim", "S"},
    {"quCtrCadastroIt", "ACITDEVOLVIDO", "", "Q", "", ""},
    {"quCtrCadastro", "ACNATUREZA", "", "D", "D - Duplicata/Fatura", "D"},
    {"quCtrCadastro", "ACNATUREZA", "", "M", "M- Memorando", "M"},
    {"quCtrObjeto", "AJTIPOPAGAMENTO", "", "B", "B - Depósito em Conta", "B"},
    {"quCtrCadastro", "ACTIPOPAGAMENTO", "", "2", "2 - Duplicata/Boleto", "2"},
};

using CaptionsTest = ContractDataTest;

TEST_F(CaptionsTest, EveryMappingBothWays)
{
    for (const Caso& caso : kCasos) {
        SCOPED_TRACE(std::string(caso.dataset) + "." + caso.campo + " " + caso.codigo + " option " + caso.opcao);
        setOption(caso.opcao);
        const auto& m = mapeamento(caso.dataset, caso.campo);
        EXPECT_EQ(m.texto(caso.codigo), QString(caso.texto));
        const QString texto = QString(caso.texto).isEmpty() ? QString(caso.codigo) : QString(caso.texto);
        EXPECT_EQ(m.codigo(texto), QString(caso.volta));
    }
}

// A kind typed as the user names it: its code or its name, any case; a text
// naming no option is refused by the field, which keeps its value.
TEST_F(CaptionsTest, ATypedNameOrCodeStoresItsOptionAndOtherTextIsRefused)
{
    const auto& m = mapeamento("quCtrCadastro", "ACTIPOPAGAMENTO");
    EXPECT_EQ(m.codigo("Recibo"), "3");
    EXPECT_EQ(m.codigo("cheque"), "4");
    EXPECT_EQ(m.codigo("c"), "C");
    EXPECT_EQ(m.codigo("Pix"), "");
    EXPECT_EQ(mapeamento("quCtrCadastro", "ACSITUACAO").codigo("suspenso"), "S");

    CarregaContrato(0);
    dm->quCtrCadastro->append();
    Field* tipo = dm->quCtrCadastro->fieldByName("ACTIPOPAGAMENTO");
    tipo->setText("recibo");
    EXPECT_EQ(tipo->asString(), "3");
    EXPECT_THROW(tipo->setText("Pix"), host::Abort);
    EXPECT_EQ(messages().last(), "\"Pix\" não é uma das opções da lista.");
    EXPECT_EQ(tipo->asString(), "3");
    dm->quCtrCadastro->cancel();
}

TEST_F(CaptionsTest, EveryMappedFieldHasItsHandlers)
{
    for (const auto& m : uDataTecCont::mapeamentos())
        for (const QString& campo : m.campos) {
            Field* field = dm->find<host::data::Query>(m.dataset)->fieldByName(campo);
            EXPECT_TRUE(field->onGetText && field->onSetText) << field->name().toStdString();
        }
}

class HeaderTextTest : public ContractDataTest {
protected:
    void SetUp() override
    {
        ContractDataTest::SetUp();
        exec("insert into AATC05AC (ACCODIGO, ACSITUACAO, ACHORACREDITO, ACDATAVALIDADE, ACVALORPARCELA) "
             "values (1, 'A', 90, '2026-05-01', 10)");
        CarregaContrato(1);
    }
    Field* campo(const char* nome) { return dm->quCtrCadastro->fieldByName(nome); }
};

TEST_F(HeaderTextTest, SituationShowsItsCaptionThroughTheField)
{
    EXPECT_EQ(campo("ACSITUACAO")->displayText(), "A - Ativo");
    setOption("E");
    EXPECT_EQ(campo("ACSITUACAO")->displayText(), "");
    campo("ACSITUACAO")->setText("2 - Não");
    EXPECT_EQ(campo("ACSITUACAO")->asString(), "2");
    EXPECT_EQ(campo("ACSITUACAO")->displayText(), "2 - Não");
}

TEST_F(HeaderTextTest, ANullCodeShowsTheCaptionOfOtherValues)
{
    ASSERT_TRUE(campo("ACTIPOFRANQUIA")->isNull());
    EXPECT_EQ(campo("ACTIPOFRANQUIA")->displayText(), "Item");
    EXPECT_EQ(campo("ACTIPOFRANQUIA")->text(), "Item");
    EXPECT_EQ(campo("ACCOMPROVANTERETIRADA")->displayText(), "Não");
    EXPECT_EQ(campo("ACPERIODO")->displayText(), "");   // no caption for other values
    campo("ACTIPOFRANQUIA")->setText("Grupo");
    EXPECT_EQ(campo("ACTIPOFRANQUIA")->displayText(), "Grupo");
}

TEST_F(HeaderTextTest, OrderAndProposalDatesShowTheZeroDateEmpty)
{
    for (const char* nome : {"DataPedido", "DataProposta"}) {
        campo(nome)->setAsDateTime(QDateTime(QDate(1899, 12, 30), QTime(0, 0)));
        EXPECT_EQ(campo(nome)->displayText(), "") << nome;
        campo(nome)->setAsDateTime(QDateTime(QDate(2026, 6, 15), QTime(0, 0)));
        EXPECT_EQ(campo(nome)->displayText(), "15/06/2026") << nome;
    }
}

TEST_F(HeaderTextTest, HourCreditIsShownInHoursAndStoredInMinutes)
{
    EXPECT_EQ(campo("ACHORACREDITO")->displayText(), "1,50");
    campo("ACHORACREDITO")->setText("2");
    EXPECT_DOUBLE_EQ(campo("ACHORACREDITO")->asFloat(), 120);
    campo("ACHORACREDITO")->setText("-1");
    EXPECT_DOUBLE_EQ(campo("ACHORACREDITO")->asFloat(), 120);
    campo("ACHORACREDITO")->setText("");
    EXPECT_DOUBLE_EQ(campo("ACHORACREDITO")->asFloat(), 120);
    EXPECT_THROW(campo("ACHORACREDITO")->setText("duas"), host::data::DatasetError);
    campo("ACHORACREDITO")->setAsInteger(0);
    EXPECT_EQ(campo("ACHORACREDITO")->displayText(), "");
}

TEST_F(HeaderTextTest, InstalmentValueIsCutToCentsAndABadNumberOnlyWarns)
{
    exec("update AATC05AC set ACVALORFIXO = 'S' where ACCODIGO = 1");
    CarregaContrato(1);
    campo("ACVALORPARCELA")->setText("33,339");
    EXPECT_DOUBLE_EQ(campo("ACVALORPARCELA")->asFloat(), 33.33);
    campo("ACVALORPARCELA")->setText("abc");
    EXPECT_DOUBLE_EQ(campo("ACVALORPARCELA")->asFloat(), 33.33);
    // An empty text is no number either: it warns and keeps the value.
    campo("ACVALORPARCELA")->setText("");
    EXPECT_DOUBLE_EQ(campo("ACVALORPARCELA")->asFloat(), 33.33);
    EXPECT_EQ(messages(), (QStringList{"Valor abc inválido.", "Valor  inválido."}));
}

// A value that is not fixed is the items' on the header's post: a typed one
// it would replace is refused with the reason; the items' own is taken.
TEST_F(HeaderTextTest, ATypedValueNotFixedIsRefusedUnlessItIsTheItemsValue)
{
    exec("update AATC05AC set ACVALORFIXO = 'N', ACPERIODO = 'M', ACMODALIDADE = 'A' where ACCODIGO = 1");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITVALOR, ACITGARANTIA)"
         " values (1, 1, '', 'S0001', 42.5, 'N')");
    CarregaContrato(1);
    const double antes = campo("ACVALORPARCELA")->asFloat();
    campo("ACVALORPARCELA")->setText("99");
    EXPECT_DOUBLE_EQ(campo("ACVALORPARCELA")->asFloat(), antes);
    EXPECT_EQ(messages(), QStringList{"Com \"Fixar Valor\" \"Não\" o \"Valor Parcela\" é o dos itens do contrato"
                                      " (42,50), não 99,00. Para manter o valor digitado, escolha \"Sim\" em"
                                      " \"Fixar Valor\"."});
    campo("ACVALORPARCELA")->setText("42,50");
    EXPECT_DOUBLE_EQ(campo("ACVALORPARCELA")->asFloat(), 42.5);
}

TEST_F(HeaderTextTest, DatesClearOnTheEmptyMaskAndRefuseWhatIsNoDate)
{
    campo("ACDATAVALIDADE")->setText("  /  /  ");
    EXPECT_TRUE(campo("ACDATAVALIDADE")->isNull());
    campo("ACDATAVALIDADE")->setText("15/06/26");
    EXPECT_EQ(campo("ACDATAVALIDADE")->asDateTime().date(), QDate(2026, 6, 15));
    EXPECT_THROW(campo("ACDATAVALIDADE")->setText("31/02/05"), host::Abort);
    EXPECT_EQ(campo("ACDATAVALIDADE")->asDateTime().date(), QDate(2026, 6, 15));
    EXPECT_EQ(messages(), QStringList{"Data informada inválida."});
}

TEST_F(HeaderTextTest, FranchiseKindStoresUGOrI)
{
    for (const auto& [texto, codigo] : std::initializer_list<std::pair<const char*, const char*>>{
             {"Única", "U"}, {"Grupo", "G"}, {"Item", "I"}, {"qualquer", "I"}}) {
        campo("ACTIPOFRANQUIA")->setText(texto);
        EXPECT_EQ(campo("ACTIPOFRANQUIA")->asString(), codigo) << texto;
    }
}

}  // namespace
}  // namespace contractstest
