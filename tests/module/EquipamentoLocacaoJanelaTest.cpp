// The rentable-equipment register opened through the dispatcher: a new
// record with its code, free until a status is chosen, and the status
// stored by its first letter, a status
// set by the contracts shown in words, the accessories tab by type, the
// control by quantity, the search (cancelled too), the accessory and group
// grids of the current equipment saved on leaving them, the hidden
// duplication prompt, closing that only hides, and its picture.

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "rental/uAssEquipamentoLocacao.h"
#include "tests/support/TestDatabase.h"

#include "host/Upesq.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"

#include <QLabel>
#include <QPushButton>

namespace moduletest {
namespace {

using host::ui::Form;

class EquipamentoLocacaoJanelaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO, EVNSNUMERO, EVSTATUS, EVVALORCOMPRA) values"
             " (31, 'L', 'Honda', 'Gerador G5', 'NS-31', 'L', 4500)");
        exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO, EVSTATUS) values"
             " (32, 'L', 'Stihl', 'Betoneira B2', 'D')");
        exec("insert into AUGC20EV (EVCODIGO, EVID, EVMARCA, EVMODELO, EVNSNUMERO) values"
             " (41, 'A', 'Honda', 'Cabo 10m', 'C-41')");
        exec("insert into AUGC20EVIT (EVCODIGO, EVCODIGOVINCULADO, EVITQUANTIDADE) values (32, 41, 1)");
        exec("insert into ACEC1201 (CODIGO, DESCRICAO) values ('G77', 'Geradores')");
    }
    TfmAssEquipamentoLocacao& abrir()
    {
        return abrirJanela(fmAssEquipamentoLocacao, "fmAssEquipamentoLocacao");
    }
    // The general search answered with the row whose column holds the value.
    void pesquisa(const QString& coluna, const QString& valor)
    {
        dialogs->modal("fmPesquisa", [coluna, valor](Form& janela) {
            auto& p = static_cast<TfmPesquisa&>(janela);
            ASSERT_TRUE(p.dataSource()->dataset()->locate(coluna, valor)) << valor.toStdString();
            QTest::keyClick(p.grid(), Qt::Key_Return);
        });
    }
    void buscar(TfmAssEquipamentoLocacao& form, int codigo)
    {
        pesquisa("EVCODIGO", QString::number(codigo));
        form.bbPesquisa->click();
    }
    // The user's choice of the item in the combo.
    static void escolhe(host::ui::DataComboBox* combo, const QString& texto)
    {
        const int i = combo->findText(texto);
        ASSERT_GE(i, 0) << texto.toStdString();
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    }
};

TEST_F(EquipamentoLocacaoJanelaTest, ANewRecordGetsACodeAndStoresTheStatusLetter)
{
    const int proximo = one("select max(EVCODIGO) from AUGC20EV").toInt() + 1;
    TfmAssEquipamentoLocacao& form = abrir();
    EXPECT_EQ(form.caption(), "Controle Equipamentos para Locação");
    EXPECT_TRUE(form.bbSalvar->isDefault());
    for (QPushButton* oculto : {form.bbAnterior, form.bbProximo, form.bbDuplicar})
        EXPECT_TRUE(oculto->isHidden());
    EXPECT_FALSE(form.bbFoto->isHidden());
    EXPECT_EQ(form.bbImprimir->text(), "&Imprimir");
    EXPECT_EQ(form.dbedDataCompra->editMask(), "!99/99/00;1;_");
    form.pcEquipamento->setActivePage(form.tsGrupos);
    form.bbNovo->click();
    EXPECT_EQ(form.pcEquipamento->activePage(), form.tsObservacao);
    EXPECT_EQ(form.dbedCodigo->text(), QString::number(proximo));
    escolhe(form.dbcbTipoEquipamento, "L - Equipamento de locação principal");
    escolhe(form.dbcbStatus, "Vendido");
    digita(form.dbedModelo, "Compressor C9");
    form.bbSalvar->click();
    EXPECT_EQ(lido(QString("select EVID || EVSTATUS || ' ' || EVMODELO from AUGC20EV where EVCODIGO = %1").arg(proximo)),
              QStringList{"LV Compressor C9"});

    // A second new record while one is edited: the question saves it first;
    // with no status chosen it is free.
    form.bbNovo->click();
    EXPECT_EQ(form.dbcbStatus->currentText(), "Disponível");
    escolhe(form.dbcbTipoEquipamento, "A - Acessório do equipamento de locação");
    digita(form.dbedModelo, "Mangueira");
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form.bbNovo->click();
    EXPECT_EQ(lido(QString("select EVID || coalesce(EVSTATUS, '-') || ' ' || EVMODELO from AUGC20EV where EVCODIGO = %1")
                       .arg(proximo + 1)),
              QStringList{"AD Mangueira"});
    EXPECT_EQ(form.dbedCodigo->text(), QString::number(proximo + 2));
    form.bbCancelar->click();
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(EquipamentoLocacaoJanelaTest, TheSearchShowsTheStatusInWordsAndTheTabsByTypeAndControl)
{
    TfmAssEquipamentoLocacao& form = abrir();
    form.pcEquipamento->setActivePage(form.tsGrupos);
    dialogs->modal("fmPesquisa", [](Form&) {});
    form.bbPesquisa->click();
    EXPECT_EQ(form.pcEquipamento->activePage(), form.tsObservacao) << "also when the search is cancelled";
    EXPECT_FALSE(dmTec->quEquipamentoLocacao->active()) << "the dataset as it was";

    buscar(form, 31);
    EXPECT_EQ(dmTec->quEquipamentoLocacao->recordCount(), 1);
    EXPECT_EQ(form.dbcbStatus->currentText(), "Locado") << "the contracts' 'L'";
    EXPECT_EQ(form.dbcbTipoEquipamento->currentText(), "L - Equipamento de locação principal");
    EXPECT_TRUE(form.tsAcessorios->tabVisible());
    escolhe(form.dbcbTipoEquipamento, "A - Acessório do equipamento de locação");
    EXPECT_FALSE(form.tsAcessorios->tabVisible()) << "no accessories for an accessory";
    form.bbCancelar->click();
    EXPECT_TRUE(form.tsAcessorios->tabVisible());

    // Quantity control enables the quantities instead of the serial number.
    escolhe(form.dbcbTipoControle, "Q - Controle por quantidade");
    EXPECT_TRUE(form.seQtdeTotal->isEnabled());
    EXPECT_TRUE(form.laQuantidade->isEnabled());
    EXPECT_FALSE(form.dbedNumeroSerie->isEnabled());
    EXPECT_FALSE(form.tsAcessorios->isEnabled());
    escolhe(form.dbcbTipoControle, "I - Controle individual");
    EXPECT_FALSE(form.seQtdeBloqueada->isEnabled());
    EXPECT_TRUE(form.dbedNumeroSerie->isEnabled());
    EXPECT_EQ(dmTec->quEquipamentoLocacao->fieldByName("EVQTDETOTAL")->asFloat(), 1) << "a total of 0 becomes 1";
    form.bbSalvar->click();
    EXPECT_EQ(lido("select EVEQUIPTOCONTROLE || ' ' || cast(EVQTDETOTAL as integer) || ' ' ||"
                   " cast(EVQTDEBLOQUEADA as integer) from AUGC20EV where EVCODIGO = 31"),
              QStringList{"I 1 0"});

    buscar(form, 41);
    EXPECT_FALSE(form.tsAcessorios->tabVisible());
    EXPECT_EQ(form.dbcbStatus->currentText(), "");
}

TEST_F(EquipamentoLocacaoJanelaTest, AccessoriesAndGroupsOfTheCurrentEquipmentSavedOnLeavingTheGrid)
{
    TfmAssEquipamentoLocacao& form = abrir();
    buscar(form, 31);
    EXPECT_TRUE(dmTec->quAcessoriosLocacao->isEmpty()) << "32's accessory is not 31's";
    form.pcEquipamento->setActivePage(form.tsAcessorios);
    form.dbgdAcessorios->setFocus();
    form.dbgdAcessorios->setSelectedIndex(0);
    dialogs->modal("fmPesquisa", [](Form& janela) {
        auto& p = static_cast<TfmPesquisa&>(janela);
        EXPECT_FALSE(p.dataSource()->dataset()->locate("EVCODIGO", "31")) << "accessories only";
        ASSERT_TRUE(p.dataSource()->dataset()->locate("EVCODIGO", "41"));
        QTest::keyClick(p.grid(), Qt::Key_Return);
    });
    form.dbgdAcessorios->editButtonClick();
    form.pcEquipamento->setActivePage(form.tsGrupos);
    form.dbgdGrupos->setFocus();
    EXPECT_EQ(lido("select EVCODIGO || '-' || EVCODIGOVINCULADO from AUGC20EVIT order by EVCODIGO"),
              (QStringList{"31-41", "32-41"}));

    form.dbgdGrupos->setSelectedIndex(0);
    pesquisa("CODIGO", "G77");
    form.dbgdGrupos->editButtonClick();
    form.dbgdAcessorios->setFocus();
    EXPECT_EQ(lido("select EVCODIGO || '-' || GRCODIGO from AUGC20EVGR"), QStringList{"31-G77"});

    buscar(form, 32);
    EXPECT_EQ(dmTec->quAcessoriosLocacao->recordCount(), 1);
    EXPECT_TRUE(dmTec->quEquipamentoGrupo->isEmpty());
    buscar(form, 31);
    EXPECT_EQ(dmTec->quEquipamentoGrupo->fieldByName("DESCRICAO")->asString(), "Geradores");
    EXPECT_EQ(dmTec->quAcessoriosLocacao->fieldByName("EVMODELO")->asString(), "Cabo 10m");
}

TEST_F(EquipamentoLocacaoJanelaTest, DuplicatingRefusesANonIntegerAndClosingOnlyHides)
{
    TfmAssEquipamentoLocacao& form = abrir();
    dialogs->enter("abc", "Informe a quantidade de itens a serem duplicados:");
    dialogs->acknowledge("Valor informado é inválido.");
    form.bbDuplicar->click();
    dialogs->enter("2");
    form.bbDuplicar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    form.bbSair->click();
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(&abrir(), &form) << "the same window again";
}

TEST_F(EquipamentoLocacaoJanelaTest, PictureOfAnEquipmentWithItsAccessories)
{
    TfmAssEquipamentoLocacao& form = abrir();
    buscar(form, 32);
    form.pcEquipamento->setActivePage(form.tsAcessorios);
    guardaFoto(form, "fmAssEquipamentoLocacao.png");
}

// Equipment a rental contract or another equipment's accessories use is
// not deleted; the message says where it is used. A free one is.
TEST_F(EquipamentoLocacaoJanelaTest, EquipmentUnderAContractOrAsAnAccessoryIsNotDeleted)
{
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO) values (801, '00004')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, EVCODIGO) values (1, 801, '00004',"
         " 'P0004', 31)");
    tr().commitRetaining();
    TfmAssEquipamentoLocacao& form = abrir();
    auto exclui = [&](int codigo, const QString& aviso) {
        buscar(form, codigo);
        dialogs->answer("Sim", "Confirma a exclusão do registro?");
        if (!aviso.isEmpty())
            dialogs->acknowledge(aviso);
        form.bbExcluir->click();
        EXPECT_EQ(dialogs->pending(), 0) << codigo;
    };
    exclui(31, "O registro 31 - Gerador G5 não pode ser excluído: está em uso em contratos de locação.");
    exclui(41, "O registro 41 - Cabo 10m não pode ser excluído: está em uso em acessórios de outros equipamentos.");
    EXPECT_EQ(lido("select EVCODIGO from AUGC20EV order by EVCODIGO"), (QStringList{"31", "32", "41"}));
    exclui(32, {});
    EXPECT_EQ(lido("select EVCODIGO from AUGC20EV order by EVCODIGO"), (QStringList{"31", "41"}));
}

}  // namespace
}  // namespace moduletest
