// The simple search of the progress list: the statement of one order field
// and one item field, the technician restriction, and the window refilling
// the list on order 42.

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "service_orders/uPesqAssOrdemServicoSimples.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace moduletest {
namespace {

using host::data::FieldType;
using uPesqAssOrdemServicoSimples::SqlPesquisaSimplesOS;

TEST(PesquisaSimplesOSSqlTest, EmptyTextsAddNothingTextFieldsArePatternsOthersAsTyped)
{
    const QString semFiltro = SqlPesquisaSimplesOS({"AOCONTATO", FieldType::String, ""}, {}, {});
    EXPECT_TRUE(semFiltro.startsWith("Select it.*, TecIt.atNome as TECNICOITEM, eq.aedescricao as equipamento,"));
    EXPECT_TRUE(semFiltro.contains("From AATC01AOIT it\n"));
    EXPECT_TRUE(semFiltro.endsWith(" Where (it.aoitCodigo >= 0 ) \norder by OS.aodataentrada, IT.aocodigo,"
                                   " IT.aoitequipcodigo  "))
        << semFiltro.toStdString();

    const QString texto = SqlPesquisaSimplesOS({"AOCONTATO", FieldType::String, "jo'ao"},
                                               {"AOITSERIE", FieldType::String, "ab"}, {});
    EXPECT_TRUE(texto.contains("Upper(OS.AOCONTATO)")) << texto.toStdString();
    EXPECT_TRUE(texto.contains("'%JO''AO%'"));
    EXPECT_TRUE(texto.contains("Upper(IT.AOITSERIE)"));
    EXPECT_TRUE(texto.contains("'%AB%'"));

    const QString numero = SqlPesquisaSimplesOS({"AOCODIGO", FieldType::Int32, "42"}, {}, " and upper(tec.atnome) ='ANA'");
    EXPECT_TRUE(numero.contains("(OS.AOCODIGO)")) << numero.toStdString();
    EXPECT_FALSE(numero.contains("Upper(OS.AOCODIGO)"));
    EXPECT_FALSE(numero.contains("%"));
    EXPECT_TRUE(numero.contains(" and upper(tec.atnome) ='ANA'\norder by")) << "the restriction before the order";
}

class PesquisaSimplesOSTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE, AOCONTATO)"
             " values (42, '00003', '2026-11-02', 'A', 'M', 'Joana')");
        exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOBAIXA, AOPRIORIDADE, AOCONTATO)"
             " values (43, '00003', '2026-11-03', 'A', 'M', 'Pedro')");
        exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO, AOITSERIE) values (42, 1, 'Item 1', 'sn-1')");
        exec("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO, AOITSERIE) values (43, 2, 'Item 2', 'sn-2')");
        uPackageAss::CriarDataTec();
    }
    // The window driven: order field and item field by name, their texts.
    void pesquisar(const QString& campoOS, const QString& textoOS, const QString& campoItem, const QString& textoItem)
    {
        dialogs->modal("fmPesquisaAssOrdemServicoSimples", [=](host::ui::Form& janela) {
            auto& busca = static_cast<TfmPesquisaAssOrdemServicoSimples&>(janela);
            EXPECT_EQ(busca.caption(), "Pesquisa Simples de Ordem de Serviço");
            EXPECT_TRUE(busca.laTipoGarantia3->isHidden());
            busca.onActivate();
            EXPECT_EQ(busca.cbCamposOS->count(), dmTec->quOS->fieldCount());
            auto escolher = [](QComboBox* combo, host::data::Dataset& dados, const QString& campo) {
                if (!campo.isEmpty())
                    combo->setCurrentIndex(dados.fieldByName(campo)->index());
            };
            escolher(busca.cbCamposOS, *dmTec->quOS, campoOS);
            escolher(busca.cbCamposOSItens, *dmTec->quOSItem, campoItem);
            busca.edCampoPesqOS->setText(textoOS);
            busca.edCampoPesqOSItens->setText(textoItem);
            busca.bbOk->click();
        });
        TfmPesquisaAssOrdemServicoSimples* janela = fmPesquisaAssOrdemServicoSimples.create();
        janela->showModal();
    }
    QStringList ordens()
    {
        QStringList lista;
        host::data::Query& q = *dmTec->quPesqOS;
        for (q.first(); !q.eof(); q.next())
            lista << q.fieldByName("AOCODIGO")->asString();
        return lista;
    }
};

TEST_F(PesquisaSimplesOSTest, TheListFollowsTheOrderFieldTheItemFieldAndTheRestriction)
{
    pesquisar("AOCONTATO", "joa", {}, {});
    EXPECT_EQ(ordens(), QStringList{"42"});
    pesquisar({}, {}, "AOITSERIE", "SN-2");
    EXPECT_EQ(ordens(), QStringList{"43"}) << "the item's text upper-cased against its upper-cased column";
    pesquisar("AOCONTATO", "", {}, {});
    EXPECT_EQ(ordens(), (QStringList{"42", "43"})) << "an empty text adds nothing";
    pesquisar("AOCODIGO", "43", {}, {});
    EXPECT_EQ(ordens(), QStringList{"43"});

    exec("insert into AATC06AT (ATCODIGO, ATNOME, ATATIVO, ATACESSORESTRITO) values (91, 'ANA', 'S', 'S')");
    exec("update AATC01AO set ATCODIGO = 91 where AOCODIGO = 43");
    entrarComo("ANA");
    uPackageAss::CriarDataTec();
    EXPECT_EQ(uPesqAssOrdemServicoSimples::CondicaoTecnicoRestrito(), " and upper(tec.atnome) ='ANA'");
    pesquisar({}, {}, {}, {});
    EXPECT_EQ(ordens(), QStringList{"43"}) << "a restricted technician sees only his orders";
}

}  // namespace
}  // namespace moduletest
