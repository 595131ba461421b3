// The technicians and labour-hour registers opened through the dispatcher:
// the rights only the master user changes, the vehicle captions, the
// postal-code search filling the address, the qualified models picked in
// the equipment search, the descendants, the moves that save first, the new
// hour type's defaults and both list reports.

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssHoraTecnica.h"
#include "service_orders/uAssTecnico.h"
#include "shared_windows/uPesqAssEquipamento.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace moduletest {
namespace {

using host::ui::Form;

class CadastroTecnicoTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AUGC08CP (CPCEP, CPENDERECO, CPBAIRRO, CPCIDADE, CPUF)"
             " values ('13010-001', 'Rua Barão de Jaguara', 'Centro', 'Campinas', 'SP')");
        exec("insert into AUGC08CP (CPCEP, CPENDERECO, CPBAIRRO, CPCIDADE, CPUF)"
             " values ('80010-000', 'Rua XV de Novembro', 'Centro', 'Curitiba', 'PR')");
    }
    TfmAssTecnico& abrir()
    {
        uPackageAss::ShowJanelaTec("fmAssTecnico");
        TfmAssTecnico* form = fmAssTecnico.get();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        return *form;
    }
    // The host picker (fmPesquisa) answered with the row whose column holds the value.
    void pesquisa(const QString& coluna, const QVariant& valor)
    {
        dialogs->modal("fmPesquisa", [coluna, valor](Form& janela) {
            auto& p = static_cast<TfmPesquisa&>(janela);
            ASSERT_TRUE(p.dataSource()->dataset()->locate(coluna, valor)) << valor.toString().toStdString();
            QTest::keyClick(p.grid(), Qt::Key_Return);
        });
    }
    static void fechar(Form& form)
    {
        form.close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(CadastroTecnicoTest, OnlyTheMasterUserChangesTheOrderReportAndRestrictedRights)
{
    {
        TfmAssTecnico& form = abrir();
        EXPECT_EQ(form.caption(), "Cadastro de Técnicos");
        for (QWidget* combo : {static_cast<QWidget*>(form.dbcbAlterarOS), static_cast<QWidget*>(form.dbcbAlterarLaudo),
                               static_cast<QWidget*>(form.dbcbAcessoRestrito), static_cast<QWidget*>(form.dbcbAtivo),
                               static_cast<QWidget*>(form.dbcbAlterarSituacao)})
            EXPECT_TRUE(combo->isEnabled()) << combo->objectName().toStdString();
        fechar(form);
    }
    entrarComo("PEDRO");
    ASSERT_FALSE(UsuarioMestre());
    TfmAssTecnico& form = abrir();
    EXPECT_FALSE(form.dbcbAlterarOS->isEnabled());
    EXPECT_FALSE(form.dbcbAlterarLaudo->isEnabled());
    EXPECT_FALSE(form.dbcbAcessoRestrito->isEnabled());
    EXPECT_TRUE(form.dbcbAtivo->isEnabled());
    EXPECT_FALSE(form.dbcbAlterarSituacao->isEnabled()) << "the situations she may choose restrict her too";
    // What stays open to him is saved.
    ASSERT_TRUE(dmTec->quTecnicos->locate("ATCODIGO", 2));
    dmTec->quTecnicos->edit();
    form.dbcbAtivo->setCurrentIndex(1);
    emit form.dbcbAtivo->activated(1);
    form.bbSalvar->click();
    EXPECT_EQ(committed("select ATATIVO from AATC06AT where ATCODIGO = 2").toString(), "N");
}

// A restricted technician cannot lift her restriction in the register:
// renaming her row, or deleting it, would leave her login without one.
TEST_F(CadastroTecnicoTest, ARestrictedTechnicianNeitherRenamesNorDeletesHerOwnRow)
{
    exec("insert into AATC06AT (ATCODIGO, ATNOME, ATALTERAROS, ATACESSORESTRITO, ATATIVO)"
         " values (30, 'MARIA', 'N', 'S', 'S')");
    entrarComo("MARIA");
    TfmAssTecnico& form = abrir();
    ASSERT_TRUE(dmTec->quTecnicos->locate("ATCODIGO", 30));
    form.dbedNome->setFocus();
    form.dbedNome->selectAll();
    QTest::keyClicks(form.dbedNome, "maria souza");
    dialogs->acknowledge("Somente o usuário mestre altera o nome de um técnico");
    form.bbSalvar->click();
    form.bbCancelar->click();
    dialogs->answer("Sim", "Confirma a exclusão do registro?")
        .acknowledge("Somente o usuário mestre exclui um técnico");
    form.bbExcluir->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select ATNOME || ATACESSORESTRITO from AATC06AT where ATCODIGO = 30"), QStringList{"MARIAS"});
}

TEST_F(CadastroTecnicoTest, VehicleModeNamesMechanicsAndTheEquipmentTabComesFirst)
{
    {
        TfmAssTecnico& form = abrir();
        EXPECT_EQ(form.pcTecnico->activePage(), form.tsEquipamentos);
        EXPECT_EQ(form.tsEquipamentos->caption(), "Equipamentos Habilitados Para o Técnico");
        EXPECT_EQ(form.dbgdEquipamentos->column(1)->title(), "Equipamento");
        EXPECT_EQ(form.laNome->text(), "Técnico");
        QStringList abas;
        for (int i = 0; i < form.pcTecnico->pageCount(); ++i)
            abas << form.pcTecnico->page(i)->caption();
        EXPECT_EQ(abas, (QStringList{"Equipamentos Habilitados Para o Técnico", "Descendentes", "Endereço",
                                     "Outras Informações"}));
        EXPECT_TRUE(form.laNumero->isHidden()) << "the number's caption is hidden";
        EXPECT_EQ(form.dbcbUF->pickList().size(), 28) << "27 states and the blank";
        fechar(form);
    }
    parametro("ATMODOVEICULO", "O");
    TfmAssTecnico& form = abrir();
    EXPECT_EQ(form.caption(), "Cadastro de Mecânicos");
    EXPECT_EQ(form.laNome->text(), "Mecânico");
    EXPECT_EQ(form.dbgdEquipamentos->column(1)->title(), "Veículo");
}

TEST_F(CadastroTecnicoTest, ANewTechnicianTakesItsAddressFromThePostalCodeSearch)
{
    TfmAssTecnico& form = abrir();
    form.bbNovo->click();
    ASSERT_TRUE(dmTec->quTecnicos->editing());
    const int codigo = form.dbedCodigo->text().toInt();
    EXPECT_EQ(codigo, one("select max(ATCODIGO) from AATC06AT").toInt() + 1);
    digita(form.dbedNome, "carla mendes");
    EXPECT_EQ(dmTec->quTecnicosATNOME->asString(), "CARLA MENDES") << "typed in upper case";
    pesquisa("CPCEP", "80010-000");
    form.sbPesqCEP->click();
    EXPECT_EQ(form.dbedEndereco->text(), "Rua XV de Novembro");
    digita(form.dbedNumero, "120");
    digita(form.dbedEmail, "carla@exemplo.com.br");
    digita(form.dbedUsuario, "carla");
    form.bbSalvar->click();
    EXPECT_EQ(lido(QString("select ATNOME || '|' || ATCEP || '|' || ATENDERECO || '|' || ATENDNUMERO || '|' ||"
                           " ATBAIRRO || '|' || ATCIDADE || '|' || ATUF || '|' || ATEMAIL || '|' || ATUSUARIO"
                           " from AATC06AT where ATCODIGO = %1")
                       .arg(codigo)),
              QStringList{"CARLA MENDES|80010-000|Rua XV de Novembro|120|Centro|Curitiba|PR|"
                          "carla@exemplo.com.br|CARLA"});

    // Cancelled: nothing changes.
    dialogs->modal("fmPesquisa", [](Form& janela) { janela.setModalResult(host::ui::ModalResult::Cancel); });
    form.sbPesqCEP->click();
    EXPECT_FALSE(dmTec->quTecnicos->editing());
}

TEST_F(CadastroTecnicoTest, QualifiedModelsComeFromTheEquipmentSearchAndDescendantsFromTheTechnicians)
{
    TfmAssTecnico& form = abrir();
    ASSERT_TRUE(dmTec->quTecnicos->locate("ATCODIGO", 1));
    EXPECT_TRUE(dmTec->quTecEquip->active());
    EXPECT_TRUE(dmTec->QuTecDesc->active());

    dmTec->quTecEquip->append();
    form.dbgdEquipamentos->setSelectedIndex(0);
    dialogs->modal("fmPesquisaAssEquipamento", [](Form& janela) {
        auto& busca = static_cast<TfmPesquisaAssEquipamento&>(janela);
        busca.edDescricao->setText("café");
        busca.bbPesquisa->click();
        ASSERT_EQ(busca.quConsultaEquip->recordCount(), 1);
        busca.dbgdEquipamento->onDblClick();
    });
    form.dbgdEquipamentos->editButtonClick();
    EXPECT_EQ(dmTec->quTecEquipEQUIPAMENTO->asString(), "Máquina de café expresso");
    dmTec->quTecEquip->post();
    EXPECT_EQ(lido("select AECODIGO from AATC06ATIT where ATCODIGO = 1"), QStringList{"4"});

    dmTec->QuTecDesc->append();
    form.dbgdDescendentes->setSelectedIndex(0);
    pesquisa("ATCODIGO", 2);
    form.dbgdDescendentes->editButtonClick();
    EXPECT_EQ(dmTec->QuTecDescATCODIGOFILHO->asInteger(), 2);
    // The name column's button picks nothing.
    form.dbgdDescendentes->setSelectedIndex(1);
    form.dbgdDescendentes->editButtonClick();
    dmTec->QuTecDesc->post();
    EXPECT_EQ(dmTec->QuTecDescATNOME->asString(), "MARIA APARECIDA SOUZA") << "the name comes with the saved row";
    EXPECT_EQ(lido("select ATCODIGOPAI || '>' || ATCODIGOFILHO from AATC06ATDC"), QStringList{"1>2"});

    // Moving to another technician reads its own lines.
    ASSERT_TRUE(dmTec->quTecnicos->locate("ATCODIGO", 2));
    EXPECT_TRUE(dmTec->quTecEquip->isEmpty());
    EXPECT_TRUE(dmTec->QuTecDesc->isEmpty());
    EXPECT_EQ(dialogs->pending(), 0);
}

// "Salvar" stores the lines typed in the register's grids, the row not left.
TEST_F(CadastroTecnicoTest, SalvarStoresTheLinesBeingTypedInTheGrids)
{
    TfmAssTecnico& form = abrir();
    ASSERT_TRUE(dmTec->quTecnicos->locate("ATCODIGO", 1));
    novaLinhaNaGrade(form.dbgdEquipamentos, "AECODIGO", "4");
    novaLinhaNaGrade(form.dbgdDescendentes, "ATCODIGOFILHO", "2");
    ASSERT_EQ(dmTec->QuTecDesc->state(), host::data::DatasetState::Insert);
    QTest::mouseClick(form.bbSalvar, Qt::LeftButton);
    EXPECT_EQ(lido("select AECODIGO from AATC06ATIT where ATCODIGO = 1"), QStringList{"4"});
    EXPECT_EQ(lido("select ATCODIGOPAI || '>' || ATCODIGOFILHO from AATC06ATDC"), QStringList{"1>2"});
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(CadastroTecnicoTest, TheSearchFindsAndTheMovesSaveFirstAndTheReportListsTheRights)
{
    TfmAssTecnico& form = abrir();
    pesquisa("ATCODIGO", 2);
    form.bbPesquisar->click();
    EXPECT_EQ(dmTec->quTecnicosATCODIGO->asInteger(), 2);
    dmTec->quTecnicos->edit();
    dmTec->quTecnicosATCIDADE->setAsString("Santos");
    form.sbAnterior->click();
    EXPECT_EQ(committed("select ATCIDADE from AATC06AT where ATCODIGO = 2").toString(), "Santos");
    EXPECT_NE(dmTec->quTecnicosATCODIGO->asInteger(), 2);

    QString texto;
    dialogs->modal("fmVisualizadorRelatorio", [&](Form& janela) {
        texto = static_cast<TfmVisualizadorRelatorio&>(janela).pages().textDump();
    });
    form.bbRelatorio->click();
    for (const char* esperado : {"Cadastro de Técnicos", "Assistência Técnica", "AATC06AT", "Nome do Técnico",
                                 "Acesso Restrito", "JOÃO DA SILVA", "MARIA APARECIDA SOUZA"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado;
    EXPECT_TRUE(dmTec->quTecnicos->active());
}

TEST_F(CadastroTecnicoTest, PictureOfTheTechniciansRegister)
{
    TfmAssTecnico& form = abrir();
    dmTec->quTecnicos->locate("ATCODIGO", 1);
    guardaFoto(form, "fmAssTecnico.png");
}

class CadastroHoraTecnicaTest : public ModuleTest {
protected:
    TfmAssHoraTecnica& abrir() { return abrirJanela(fmAssHoraTecnica, "fmAssHoraTecnica"); }
};

TEST_F(CadastroHoraTecnicaTest, ANewTypeHasTheNextCodeExactHoursAndZeroPrices)
{
    TfmAssHoraTecnica& form = abrir();
    EXPECT_EQ(form.caption(), "Hora Técnica");
    EXPECT_FALSE(form.dbedCodigo->isEnabled());
    EXPECT_EQ(form.dbcbTipo->pickList(),
              (QStringList{"E - Hora exata", "C - Arredondar para cima", "B - Arredondar para baixo"}));
    ASSERT_EQ(form.dbgdCadastroHoraTecnica->columnCount(), 8);
    EXPECT_EQ(form.dbgdCadastroHoraTecnica->column(2)->title(), "1ª Hora");
    const int proximo = one("select max(AHCODIGO) from AATC04AH").toInt() + 1;

    form.bbNovo->click();
    EXPECT_EQ(form.dbedCodigo->text(), QString::number(proximo));
    EXPECT_EQ(form.dbcbTipo->currentText(), "E - Hora exata");
    for (host::ui::DataEdit* hora : {form.dbedHora1, form.dbedHora2, form.dbedHora3, form.dbedHora4, form.dbedHora5})
        EXPECT_EQ(hora->field()->asFloat(), 0.0) << hora->objectName().toStdString();
    EXPECT_TRUE(form.dbedDescricao->hasFocus());
    digita(form.dbedDescricao, "Hora de bancada");
    digita(form.dbedHora1, "95");
    form.dbcbTipo->setCurrentIndex(1);
    emit form.dbcbTipo->activated(1);
    form.bbSalvar->click();
    EXPECT_EQ(lido(QString("select AHDESCRICAO || '|' || AHTIPO || '|' || cast(AHHORA1 as integer) || '|' ||"
                           " cast(AHHORA5 as integer)"
                           " from AATC04AH where AHCODIGO = %1")
                       .arg(proximo)),
              QStringList{"Hora de bancada|C|95|95"});
}

TEST_F(CadastroHoraTecnicaTest, MovingSavesTheRowFirstAndTheReportListsTheFiveHours)
{
    TfmAssHoraTecnica& form = abrir();
    host::data::Query& horas = *dmTec->quHoraTecnica;
    ASSERT_TRUE(horas.locate("AHCODIGO", 1));
    horas.edit();
    horas.fieldByName("AHDESCRICAO")->setAsString("Hora normal revista");
    form.sbProximo->click();
    EXPECT_EQ(committed("select AHDESCRICAO from AATC04AH where AHCODIGO = 1").toString(), "Hora normal revista");
    EXPECT_EQ(horas.fieldByName("AHCODIGO")->asInteger(), 2);

    QString texto;
    dialogs->modal("fmVisualizadorRelatorio", [&](Form& janela) {
        texto = static_cast<TfmVisualizadorRelatorio&>(janela).pages().textDump();
    });
    form.bbRelatorio->click();
    for (const char* esperado : {"Cadastro de Hora Técnica", "AATC04AH", "5ª Hora", "Hora normal revista",
                                 "Hora técnica de plantão"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(esperado))) << esperado;

    form.bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(fmAssHoraTecnica);
    EXPECT_FALSE(horas.active());
}

TEST_F(CadastroHoraTecnicaTest, PictureOfTheHourRegister)
{
    TfmAssHoraTecnica& form = abrir();
    guardaFoto(form, "fmAssHoraTecnica.png");
}

}  // namespace
}  // namespace moduletest

namespace moduletest {
namespace {

// Two desks on one technician: the name the other desk saved is kept, this
// desk's e-mail is refused with the row read again, then saved once redone.
TEST_F(CadastroTecnicoTest, ATechnicianSavedMeanwhileAtAnotherDeskIsRefusedAndReadAgain)
{
    TfmAssTecnico& form = abrir();
    ASSERT_TRUE(dmTec->quTecnicos->locate("ATCODIGO", 2));
    const QString nome = form.dbedNome->text();
    outraMesa("update AATC06AT set ATNOME = 'Nome da outra mesa' where ATCODIGO = 2");
    digita(form.dbedEmail, "novo@exemplo.com.br");
    dialogs->acknowledge("O registro foi alterado por outro usuário. Recarregue e tente de novo.");
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0);
    EXPECT_EQ(lido("select ATNOME || '/' || coalesce(ATEMAIL, '') from AATC06AT where ATCODIGO = 2"),
              QStringList{"Nome da outra mesa/"});
    EXPECT_EQ(form.dbedNome->text(), "Nome da outra mesa") << "was " << nome.toStdString();
    digita(form.dbedEmail, "novo@exemplo.com.br");
    form.bbSalvar->click();
    EXPECT_EQ(lido("select ATNOME || '/' || coalesce(ATEMAIL, '') from AATC06AT where ATCODIGO = 2"),
              QStringList{"Nome da outra mesa/novo@exemplo.com.br"});
}

}  // namespace
}  // namespace moduletest
