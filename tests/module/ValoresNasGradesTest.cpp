// Amounts in the grids of the module's windows, opened through the
// dispatcher on rows holding 1234.5: every cell reads "1.234,50", as the
// host's formats write money, and a value typed in such a cell is still
// read as the user means it (stored back through another attachment).

#include "tests/module/ContLocFixture.h"
#include "tests/module/ContratoCadastroFixture.h"

#include "contracts/uAssContCad.h"
#include "rental/uAssContRenovacao.h"
#include "rental/uAssEquipamentoLocacao.h"
#include "host/Upesq.h"
#include "host/data/DataSource.h"
#include "host/ui/SearchWindow.h"
#include "host/Udmglobal.h"
#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "host/ui/PageControl.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

// The text a grid shows in the column of `campo`, first row.
QString textoNaGradeDeValores(host::ui::DataGrid* grade, const char* campo)
{
    host::ui::GridColumn* coluna = grade->columnByField(campo);
    if (!coluna)
        return "(sem coluna " + QString::fromLatin1(campo) + ")";
    return grade->model()->index(0, coluna->index()).data().toString();
}

struct CelulaDeValor {
    host::ui::DataGrid* grade;
    const char* campo;
};

void esperaValoresFormatados(std::initializer_list<CelulaDeValor> celulas)
{
    for (const CelulaDeValor& celula : celulas) {
        SCOPED_TRACE(celula.grade->objectName().toStdString() + " " + celula.campo);
        EXPECT_EQ(textoNaGradeDeValores(celula.grade, celula.campo), "1.234,50");
    }
}

class ValoresLocacaoTest : public ContLocTest {
protected:
    void SetUp() override
    {
        ContLocTest::SetUp();
        contrato(801);
        exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO, EVVALORCOMPRA)"
             " values (31, 'L', 'Honda', 'Gerador G5', 1234.5)");
        item(1, 801, "P0004", "N", "EVCODIGO, ACITVALOR, ACITVALORUNITARIO", "31, 1234.5, 1234.5");
        parcela("000001", "V", 1234.5);
        tr().commitRetaining();
    }
};

TEST_F(ValoresLocacaoTest, ScreenQShowsTheLinesAndInstalmentsAmountsFormattedAndReadsATypedOne)
{
    parametro("ATOPCAOCONTRATO", "Q");
    TfmAssContLocacao& form = abrirJanela(fmAssContLocacao, "fmAssContLocacao");
    CarregaContrato(801);
    aba(form, form.tsEquipamentos);
    esperaValoresFormatados({{form.dbgdAssContEquipamentoLocacao, "ACITVALOR"},
                             {form.dbgdAssContEquipamentoLocacao, "VALORCOMPRAEQUIPTO"}});
    aba(form, form.tsParcelas);
    esperaValoresFormatados({{form.dbgdAssContCadLocEquiParcelas, "VALOR_DOCUMENTO"}});

    aba(form, form.tsEquipamentos);
    celula(form.dbgdAssContEquipamentoLocacao, "ACITVALOR", "2.345,60", Qt::Key_Return);
    form.btSalvar->click();
    EXPECT_EQ(lido("select cast(ACITVALOR * 100 as integer) from AATC05ACIT"), QStringList{"234560"});
    EXPECT_EQ(textoNaGradeDeValores(form.dbgdAssContEquipamentoLocacao, "ACITVALOR"), "2.345,60");
}

TEST_F(ValoresLocacaoTest, ScreenEShowsTheItemsAndInstalmentsAmountsFormatted)
{
    TfmAssContCadLocEquip& form = abrirJanela(fmAssContCadLocEquip, "fmAssContratosLocEquip");
    CarregaContrato(801);
    aba(form, form.tsEquipamentos);
    esperaValoresFormatados({{form.dbgdAssContCadLocEquipItens, "ACITVALORUNITARIO"}});
    aba(form, form.tsParcelas);
    esperaValoresFormatados({{form.dbgdAssContCadLocEquiParcelas, "VALOR_DOCUMENTO"}});
}

TEST_F(ValoresLocacaoTest, TheRenewalListShowsTheContractValueFormatted)
{
    exec("update AATC05AC set ACVALOR = 1234.5 where ACCODIGO = 801");
    tr().commitRetaining();
    TfmAssContRenovacao& form = abrirJanela(fmAssContRenovacao, "fmAssContRenovacao");
    form.deProxVencimento->setDate(QDateTime(QDate(2024, 2, 10), QTime(0, 0)));
    form.edCodigo->setText("801");
    form.bbPesquisar->click();
    ASSERT_EQ(form.dbgdAssContRenovacao->model()->rowCount(), 1);
    esperaValoresFormatados({{form.dbgdAssContRenovacao, "ACVALOR"}});
}

class ValoresEquipamentoLocacaoTest : public ModuleTest {};

TEST_F(ValoresEquipamentoLocacaoTest, TheRentableEquipmentShowsItsAccessorysGuaranteeValueFormatted)
{
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO) values (32, 'L', 'Stihl', 'Betoneira B2')");
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO, EVVALORCOMPRA) values"
         " (41, 'A', 'Honda', 'Cabo 10m', 1234.5)");
    exec("insert into AUGC20EVIT (EVCODIGO, EVCODIGOVINCULADO, EVITQUANTIDADE) values (32, 41, 1)");
    tr().commitRetaining();
    TfmAssEquipamentoLocacao& form = abrirJanela(fmAssEquipamentoLocacao, "fmAssEquipamentoLocacao");
    dialogs->modal("fmPesquisa", [](host::ui::Form& janela) {
        auto& p = static_cast<TfmPesquisa&>(janela);
        ASSERT_TRUE(p.dataSource()->dataset()->locate("EVCODIGO", 32));
        QTest::keyClick(p.grid(), Qt::Key_Return);
    });
    form.bbPesquisa->click();
    ASSERT_EQ(form.dbgdAcessorios->model()->rowCount(), 1);
    esperaValoresFormatados({{form.dbgdAcessorios, "EVVALORCOMPRA"}});
}

class ValoresContratoTest : public ContratoCadastroTest {};

TEST_F(ValoresContratoTest, TheServiceContractShowsItsInstalmentsFormatted)
{
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACPERIODO, ACMODALIDADE,"
         " ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA) values (801, 'N801', '00004', 'A', '01', 'M', 'A', 10, 'S',"
         " 1234.5)");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL, SITUACAO_DOCUMENTO,"
         " VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO) values ('000001', '00004', 1, '01', 'V',"
         " 1234.5, '2020-01-01', '2020-02-10', 801)");
    tr().commitRetaining();
    TfmAssContCad& form = abrir();
    CarregaContrato(801);
    aba(form, form.tsContParcAberta);
    esperaValoresFormatados({{form.dbgdContRecAberto, "VALOR_DOCUMENTO"}});
}

}  // namespace
}  // namespace moduletest
