// The defects register opened through the dispatcher (new entry, the search
// on Esc loading the chosen entry, the list report leaving it empty) and the
// defects search (its statements, the inverted "Onde", the kind letter, the
// counts, the single and the multiple picker).

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/data/MemDataset.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/StatusBar.h"
#include "service_orders/uAssDefeito.h"
#include "shared_windows/uPesqAssDefeitos.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace moduletest {
namespace {

using host::ui::Form;
using uPesqAssDefeitos::Onde;

class DefeitoJanelaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO, ADIDENTIFICADOR, ADOBSERVACAO)"
             " values (901, 'XABC', 'D', 'Tela xabc')");
        exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO, ADIDENTIFICADOR, ADOBSERVACAO)"
             " values (902, 'ABCX', 'C', 'Causa abcx')");
        exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO, ADIDENTIFICADOR) values (903, 'ZABCZ', 'S')");
    }
    TfmAssDefeito& abrir() { return abrirJanela(fmAssDefeito, "fmAssDefeito"); }
    // The descriptions listed by the search, in its order.
    static QStringList listadas(TfmPesquisaAssDefeitos& busca)
    {
        QStringList nomes;
        host::data::Query& q = *busca.quConsulta;
        for (q.first(); !q.eof(); q.next())
            nomes << q.fieldByName("ADDESCRICAO")->asString();
        return nomes;
    }
};

// The search's statements run on the database: each filled box narrows the
// rows, a quote and an accent are text, the order follows the choice.
TEST_F(DefeitoJanelaTest, StatementsWithOneLinePerFilledBox)
{
    using namespace uPesqAssDefeitos;
    exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO, ADIDENTIFICADOR) values (912, 'Copo d''água', 'S')");
    exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO, ADIDENTIFICADOR) values (120, 'Copo d''água', 'D')");
    exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO, ADIDENTIFICADOR) values (913, 'Luz apagada', 'D')");
    exec("insert into AATC02AD (ADCODIGO, ADDESCRICAO, ADIDENTIFICADOR) values (914, 'Sem luz', 'D')");
    tr().commitRetaining();
    EXPECT_EQ(lido(SqlPesquisaDefeitos({}, {}, {}, Onde::Contendo, 0)),
              lido("select ADCODIGO from AATC02AD order by ADCODIGO"))
        << "no box filled: every defect";
    EXPECT_EQ(lido(SqlPesquisaDefeitos("12", "d'ÁGUA", "S", Onde::Contendo, 2)), QStringList{"912"})
        << "code, description (any case, the quote as text) and kind together";
    EXPECT_EQ(lido(SqlPesquisaDefeitos({}, "abc", {}, Onde::Contendo, 2)), (QStringList{"902", "901", "903"}))
        << "by kind: C, D, S";
    EXPECT_EQ(lido(SqlPesquisaDefeitos({}, "abc", {}, Onde::Contendo, 1)), (QStringList{"902", "901", "903"}))
        << "by description";
    EXPECT_EQ(one(SqlContagemDefeitos({}, "luz", {}, Onde::ComecandoCom)).toInt(), 1) << "what begins with it";
    EXPECT_EQ(one(SqlContagemDefeitos({}, "luz", {}, Onde::TerminandoCom)).toInt(), 1) << "what ends with it";
    EXPECT_EQ(one(SqlContagemDefeitos("9", "copo D'ÁGUA", {}, Onde::Contendo)).toInt(), 1);
    EXPECT_EQ(PadraoDefeito("abc", Onde::ComecandoCom), "abc%");
    EXPECT_EQ(PadraoDefeito("abc", Onde::TerminandoCom), "%abc");
}

// Esc in a field with typed text gives the field its stored value back; the
// register's own Esc (its search) comes with the next one.
TEST_F(DefeitoJanelaTest, EscInAFieldRestoresItsStoredValueBeforeTheSearch)
{
    TfmAssDefeito& form = abrir();
    host::data::Dataset& registro = *form.dbedDescricao->dataset();
    auto escolher901 = [this] {
        dialogs->modal("fmPesquisaAssDefeitos", [](Form& janela) {
            auto& busca = static_cast<TfmPesquisaAssDefeitos&>(janela);
            busca.edCodigo->setText("901");
            busca.bbPesquisa->click();
            busca.dbgdPesqDefeito->onDblClick();
        });
    };
    escolher901();
    QTest::keyClick(&form, Qt::Key_Escape);
    ASSERT_EQ(form.dbedDescricao->text(), "XABC");

    form.dbedDescricao->setFocus();
    form.dbedDescricao->selectAll();
    QTest::keyClicks(form.dbedDescricao, "ab");
    QTest::keyClick(form.dbedDescricao, Qt::Key_Escape);
    EXPECT_EQ(form.dbedDescricao->text(), "XABC") << "the stored value, no search opened";
    EXPECT_EQ(dialogs->shown().size(), 1u);

    escolher901();
    QTest::keyClick(form.dbedDescricao, Qt::Key_Escape);
    EXPECT_EQ(dialogs->pending(), 0) << "the next Esc is the window's";
    EXPECT_EQ(registro.fieldByName("ADDESCRICAO")->asString(), "XABC");
}

TEST_F(DefeitoJanelaTest, SearchOndeKindCodeAndCountsOnTheDatabase)
{
    bool conferido = false;
    dialogs->modal("fmPesquisaAssDefeitos", [&](Form& janela) {
        auto& busca = static_cast<TfmPesquisaAssDefeitos&>(janela);
        EXPECT_EQ(busca.caption(), "Pesquisa de Defeitos");
        EXPECT_EQ(busca.gbCampo->title(), "Campo");
        EXPECT_EQ(busca.edCodigo->maxLength(), 10);
        EXPECT_TRUE(busca.rbContendo->isChecked());
        EXPECT_TRUE(busca.rbOrdemCodigo->isChecked());
        EXPECT_EQ(busca.bbPesquisa->text(), "OK");
        EXPECT_TRUE(busca.bbPesquisa->isDefault());
        EXPECT_FALSE(busca.quConsulta->active()) << "empty until the first search";
        ASSERT_EQ(busca.dbgdPesqDefeito->columnCount(), 3);
        EXPECT_EQ(busca.dbgdPesqDefeito->column(2)->title(), "Identificador");

        // "Começando com" finds what begins with the text, "Terminando com" what ends with it.
        busca.edDescricao->setText("abc");
        busca.rbComecando->setChecked(true);
        busca.bbPesquisa->click();
        EXPECT_EQ(listadas(busca), QStringList{"ABCX"});
        EXPECT_EQ(busca.sbStatus->panelText(1), "Registros Encontrados: 1");
        const int total = one("select count(*) from AATC02AD").toInt();
        EXPECT_EQ(busca.sbStatus->panelText(0), "Total de Registros: " + QString::number(total));
        busca.rbTerminando->setChecked(true);
        busca.bbPesquisa->click();
        EXPECT_EQ(listadas(busca), QStringList{"XABC"});
        busca.rbContendo->setChecked(true);
        busca.rbOrdemDescricao->setChecked(true);
        busca.bbPesquisa->click();
        EXPECT_EQ(listadas(busca), (QStringList{"ABCX", "XABC", "ZABCZ"}));
        EXPECT_EQ(busca.sbStatus->panelText(1), "Registros Encontrados: 3");

        // The kind by its first letter; shown as its word.
        busca.cbTipo->setCurrentText("Solução");
        busca.bbPesquisa->click();
        EXPECT_EQ(listadas(busca), QStringList{"ZABCZ"});
        EXPECT_EQ(busca.quConsulta->fieldByName("ADIDENTIFICADOR")->text(), "Solução");
        busca.cbTipo->setCurrentIndex(0);

        // The code compared as text (a small integer column with LIKE).
        busca.edDescricao->clear();
        busca.edCodigo->setText("90");
        busca.rbTerminando->setChecked(true);
        busca.bbPesquisa->click();
        EXPECT_EQ(busca.sbStatus->panelText(1), "Registros Encontrados: 0") << "no code ends with 90";
        busca.rbComecando->setChecked(true);
        busca.bbPesquisa->click();
        EXPECT_EQ(busca.sbStatus->panelText(1), "Registros Encontrados: 3");
        const QStringList log = logDe("[quConsultaOpen]");
        ASSERT_GE(log.size(), 3);
        EXPECT_EQ(log.first(), "***INICIO");
        EXPECT_TRUE(log[log.size() - 2].contains("ad.adCodigo like '90%'")) << "the statement logged before opening";
        EXPECT_EQ(log.last(), "***FIM");

        busca.quConsulta->locate("ADCODIGO", 902);
        busca.dbgdPesqDefeito->onDblClick();
        conferido = true;
    });
    int codigo = 0;
    QString descricao, tipo, observacao;
    EXPECT_TRUE(SelecionaDefeito(codigo, descricao, tipo, observacao));
    EXPECT_TRUE(conferido);
    EXPECT_EQ(codigo, 902);
    EXPECT_EQ(descricao, "ABCX");
    EXPECT_EQ(tipo, "C");
    EXPECT_EQ(observacao, "Causa abcx");
    EXPECT_FALSE(fmPesquisaAssDefeitos);
    EXPECT_FALSE(dmGlobal->quAuxiliar->active());
}

TEST_F(DefeitoJanelaTest, TheMultiplePickerAppendsTheSelectedRowsHoweverItCloses)
{
    host::data::MemDataset destino;
    destino.addField("ADCODIGO", host::data::FieldType::String, 10);
    destino.open();
    auto selecionar = [](bool ok) {
        return [ok](Form& janela) {
            auto& busca = static_cast<TfmPesquisaAssDefeitos&>(janela);
            EXPECT_TRUE(busca.dbgdPesqDefeito->multiSelect());
            busca.edDescricao->setText("abc");
            busca.bbPesquisa->click();
            ASSERT_EQ(busca.quConsulta->recordCount(), 3);
            busca.dbgdPesqDefeito->selectRow(3);
            busca.dbgdPesqDefeito->selectRow(1);
            if (ok)
                busca.setModalResult(host::ui::ModalResult::Ok);
            else
                busca.close();
        };
    };
    int codigo = 0;
    QString descricao;
    dialogs->modal("fmPesquisaAssDefeitos", selecionar(false));
    EXPECT_FALSE(SelecionaDefeitoMulti(codigo, descricao, &destino));
    ASSERT_EQ(destino.recordCount(), 2);
    destino.first();
    EXPECT_EQ(destino.fieldByName("ADCODIGO")->asString(), "901");
    destino.next();
    EXPECT_EQ(destino.fieldByName("ADCODIGO")->asString(), "903");
    EXPECT_EQ(codigo, 903);
    EXPECT_EQ(descricao, "ZABCZ");

    dialogs->modal("fmPesquisaAssDefeitos", selecionar(true));
    EXPECT_TRUE(SelecionaDefeitoMulti(codigo, descricao, &destino));
    EXPECT_EQ(destino.recordCount(), 4);
    EXPECT_FALSE(fmPesquisaAssDefeitos);
}

// "Sair" with a new entry typed asks; "Sim" stores it and the window closes.
TEST_F(DefeitoJanelaTest, LeavingWithANewEntryTypedAsksAndSimStoresIt)
{
    TfmAssDefeito& form = abrir();
    QPointer<TfmAssDefeito> janela(&form);
    form.bbNovo->click();
    digita(form.dbedDescricao, "Sem imagem");
    form.dbcbTipo->setCurrentIndex(1);
    emit form.dbcbTipo->activated(1);
    dialogs->answer("Sim", "Deseja salvar as alterações ?");
    form.bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(!janela || !janela->isVisible());
    EXPECT_EQ(committed("select ADDESCRICAO || '|' || ADIDENTIFICADOR from AATC02AD where ADCODIGO = 904").toString(),
              "Sem imagem|D");
    EXPECT_EQ(dialogs->pending(), 0);
}

TEST_F(DefeitoJanelaTest, RegisterNewEntrySearchOnEscAndTheReportLeavesItEmpty)
{
    TfmAssDefeito& form = abrir();
    host::data::Query& registro = *dmTec->quDefeito;
    EXPECT_EQ(form.caption(), "Cadastro de Defeitos");
    EXPECT_TRUE(registro.active());
    EXPECT_TRUE(registro.isEmpty()) << "no entry until one is picked or created";
    EXPECT_FALSE(form.dbedCodigo->isEnabled());
    EXPECT_EQ(form.dbcbTipo->pickList(), (QStringList{"Causa", "Defeito", "Solução"}));
    EXPECT_EQ(form.bbPesquisar->toolTip(), "Pesquisar");
    for (auto [botao, texto] : {std::pair{form.bbNovo, "&Novo"}, {form.bbSalvar, "&Salvar"},
                                {form.bbCancelar, "&Cancelar"}, {form.bbExcluir, "&Excluir"},
                                {form.bbRelatorio, "&Relatório"}, {form.bbSair, "S&air"}})
        EXPECT_EQ(botao->text(), QString::fromUtf8(texto));

    form.bbNovo->click();
    ASSERT_TRUE(registro.editing());
    EXPECT_EQ(form.dbedCodigo->text(), "904") << "the highest code + 1";
    digita(form.dbedDescricao, "Sem imagem");
    form.dbcbTipo->setCurrentIndex(2);
    emit form.dbcbTipo->activated(2);
    form.dbmeObs->setFocus();
    form.dbmeObs->setPlainText("Trocar o cabo de vídeo");
    form.bbSalvar->setFocus();
    form.bbSalvar->click();
    EXPECT_EQ(committed("select ADDESCRICAO || '|' || ADIDENTIFICADOR || '|' || ADOBSERVACAO from AATC02AD"
                        " where ADCODIGO = 904")
                  .toString(),
              QString::fromUtf8("Sem imagem|S|Trocar o cabo de vídeo"));

    dialogs->modal("fmPesquisaAssDefeitos", [](Form& janela) {
        auto& busca = static_cast<TfmPesquisaAssDefeitos&>(janela);
        busca.edCodigo->setText("901");
        busca.bbPesquisa->click();
        busca.dbgdPesqDefeito->onDblClick();
    });
    QTest::keyClick(&form, Qt::Key_Escape);
    ASSERT_TRUE(registro.active());
    EXPECT_EQ(form.dbedDescricao->text(), "XABC");
    EXPECT_EQ(form.dbcbTipo->text(), "Defeito");
    EXPECT_EQ(form.dbmeObs->text(), "Tela xabc");

    QString texto;
    dialogs->modal("fmVisualizadorRelatorio", [&](Form& janela) {
        texto = static_cast<TfmVisualizadorRelatorio&>(janela).pages().textDump();
    });
    form.bbRelatorio->click();
    EXPECT_TRUE(texto.contains("Cadastro de Defeitos"));
    EXPECT_TRUE(texto.contains("AATC02AD"));
    EXPECT_TRUE(texto.contains("ZABCZ"));
    EXPECT_TRUE(texto.contains("Trocar o cabo de vídeo"));
    EXPECT_TRUE(registro.active());
    EXPECT_TRUE(registro.isEmpty()) << "the report leaves the register empty";

    form.bbSair->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(fmAssDefeito);
    EXPECT_FALSE(registro.active());
}

TEST_F(DefeitoJanelaTest, PictureOfTheRegisterAndTheSearch)
{
    TfmAssDefeito& form = abrir();
    dmTec->CarregaDefeito(901);
    guardaFoto(form, "fmAssDefeito.png");
    dialogs->modal("fmPesquisaAssDefeitos", [](Form& janela) {
        auto& busca = static_cast<TfmPesquisaAssDefeitos&>(janela);
        busca.edDescricao->setText("abc");
        busca.bbPesquisa->click();
        guardaFoto(busca, "fmPesquisaAssDefeitos.png");
        busca.close();
    });
    int codigo = 0;
    QString descricao, tipo, observacao;
    EXPECT_FALSE(SelecionaDefeito(codigo, descricao, tipo, observacao));
}

}  // namespace
}  // namespace moduletest
