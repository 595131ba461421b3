// The observation editor, the dynamic form, the grid's reference search and
// the document pickers, driven offscreen through scripted modal windows.

#include "host/PilvCpr70.h"
#include "host/PilvCtb70.h"
#include "host/PilvTra70.h"
#include "host/UFormDinamica.h"
#include "host/Uobservacao.h"
#include "host/Upesq.h"
#include "host/Upesqforn.h"
#include "host/Upesqrec.h"
#include "host/data/DataSource.h"
#include "host/data/MemDataset.h"
#include "host/data/Query.h"
#include "host/data/UpdateSql.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Layouts.h"
#include "tests/support/HostDatabase.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using host::ui::Form;

namespace {

class Editors : public testsupport::HostDatabaseTest {
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        host::ui::Layouts::setFolder(layouts.path());
        observacoes = std::make_unique<host::data::Query>(nullptr, "quObsGeral");
        observacoes->setTransaction(&tr());
        observacoes->setSql("select * from AUGC70OB where OBCODIGO = :obCodigo and OBID = :obId"
                            " and OBSEQUENCIA = :obSequencia");
        atualizacao = std::make_unique<host::data::UpdateSql>(nullptr, "usObsGeral");
        atualizacao->setInsertSql("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO)"
                                  " values (:OBCODIGO, :OBID, :OBSEQUENCIA, :OBTEXTO)");
        atualizacao->setModifySql("update AUGC70OB set OBTEXTO = :OBTEXTO where OBCODIGO = :OLD_OBCODIGO"
                                  " and OBID = :OLD_OBID and OBSEQUENCIA = :OLD_OBSEQUENCIA");
        atualizacao->setDeleteSql("delete from AUGC70OB where OBCODIGO = :OLD_OBCODIGO and OBID = :OLD_OBID"
                                  " and OBSEQUENCIA = :OLD_OBSEQUENCIA");
        observacoes->setUpdateObject(atualizacao.get());
    }
    void TearDown() override
    {
        observacoes.reset();
        host::ui::Layouts::setFolder({});
        HostDatabaseTest::TearDown();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QString texto(const QString& codigo, const QString& id, int sequencia)
    {
        return one("select OBTEXTO from AUGC70OB where OBCODIGO = :C and OBID = :I and OBSEQUENCIA = :S",
                   {{"C", codigo}, {"I", id}, {"S", sequencia}})
            .toString();
    }
    static void digitar(QWidget* controle, const QString& texto)
    {
        controle->setFocus();
        QTest::keyClicks(controle, texto);
    }

    QTemporaryDir layouts;
    std::unique_ptr<host::data::UpdateSql> atualizacao;
    std::unique_ptr<host::data::Query> observacoes;
};

}  // namespace

TEST_F(Editors, ObservationEditorWritesANewTextAndChangesAnExistingOne)
{
    dialogs->modal("fmObservacao", [](Form& form) {
        auto& janela = static_cast<TfmObservacao&>(form);
        EXPECT_EQ(form.caption(), "Endereço de Entrega");
        digitar(janela.dbmeObservacao, "RUA A, 10");
        QTest::mouseClick(janela.bbGravar, Qt::LeftButton);
    });
    EXPECT_TRUE(dmGlobal->InserirObservacaoAdicional("obTexto", "000123", "V", 100, observacoes.get(), false, 0,
                                                     "Endereço de Entrega"));
    EXPECT_EQ(texto("000123", "V", 100), "RUA A, 10");
    EXPECT_FALSE(observacoes->active());

    dialogs->modal("fmObservacao", [](Form& form) {
        auto& janela = static_cast<TfmObservacao&>(form);
        EXPECT_EQ(form.caption(), "Observação Adicional");   // an empty caption
        EXPECT_EQ(janela.dbmeObservacao->text(), "RUA A, 10");
        janela.dbmeObservacao->moveCursor(QTextCursor::End);
        digitar(janela.dbmeObservacao, " FUNDOS");
        QTest::keyClick(janela.dbmeObservacao, Qt::Key_Return, Qt::ControlModifier);
    });
    EXPECT_TRUE(dmGlobal->InserirObservacaoAdicional("obTexto", "000123", "V", 100, observacoes.get(), false, 0, ""));
    EXPECT_EQ(texto("000123", "V", 100), "RUA A, 10 FUNDOS");
    tr().rollback();   // it was committed: a rollback keeps it
    EXPECT_EQ(texto("000123", "V", 100), "RUA A, 10 FUNDOS");
}

TEST_F(Editors, ObservationEditorCancelReadOnlyAndMaximumLength)
{
    exec("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('EQ1', 'P', -1, 'ORIGINAL')");
    dialogs->modal("fmObservacao", [](Form& form) {
        auto& janela = static_cast<TfmObservacao&>(form);
        digitar(janela.dbmeObservacao, "MUDADO");
        QTest::keyClick(janela.dbmeObservacao, Qt::Key_Escape);
    });
    dialogs->modal("fmObservacao", [](Form& form) {
        auto& janela = static_cast<TfmObservacao&>(form);
        EXPECT_FALSE(janela.bbGravar->isEnabled());
        EXPECT_TRUE(janela.dbmeObservacao->readOnlyControl());
        form.setModalResult(host::ui::ModalResult::Ok);
    });
    EXPECT_FALSE(dmGlobal->InserirObservacaoAdicional("obTexto", "EQ1", "P", -1, observacoes.get(), false, 0, ""));
    EXPECT_FALSE(dmGlobal->InserirObservacaoAdicional("obTexto", "EQ1", "P", -1, observacoes.get(), true, 0, ""));
    EXPECT_EQ(texto("EQ1", "P", -1), "ORIGINAL");

    dialogs->modal("fmObservacao", [](Form& form) {
        auto& janela = static_cast<TfmObservacao&>(form);
        digitar(janela.dbmeObservacao, "123456789012");
        EXPECT_EQ(janela.dbmeObservacao->text(), "1234567890");
        EXPECT_EQ(janela.laTamanho->text(), "10 de 10 caracteres");
        QTest::mouseClick(janela.bbGravar, Qt::LeftButton);
    });
    EXPECT_TRUE(dmGlobal->InserirObservacaoAdicional("obTexto", "00001", "R", 0, observacoes.get(), false, 10, ""));
    EXPECT_EQ(texto("00001", "R", 0), "1234567890");
    EXPECT_THROW(dmGlobal->InserirObservacaoAdicional("obTexto", "x", "R", 0, nullptr, false, 0, ""),
                 std::invalid_argument);
}

TEST_F(Editors, DynamicFormEditsTheRecordsColumnsAndKeepsItsKeys)
{
    exec("insert into AUGC0301 (CODIGO_CLIENTE, NOME, CIDADE) values ('00009', 'ANA', 'SANTOS')");
    dialogs->modal("fmFormDinamica", [](Form& form) {
        auto* chave = form.findChild<host::ui::DataEdit*>("dbedCODIGO_CLIENTE");
        ASSERT_NE(chave, nullptr);
        EXPECT_TRUE(chave->readOnlyControl());
        EXPECT_EQ(chave->text(), "00009");
        auto* cidade = form.findChild<host::ui::DataEdit*>("dbedCIDADE");
        ASSERT_NE(cidade, nullptr);
        cidade->selectAll();
        digitar(cidade, "CAMPINAS");
        QTest::mouseClick(form.findChild<QPushButton*>("bbGravar"), Qt::LeftButton);
    });
    EXPECT_TRUE(AbrirFormDinamica("AUGC0301", {"CODIGO_CLIENTE"}, {"Código"}, {"00009"}));
    EXPECT_EQ(one("select CIDADE || NOME from AUGC0301 where CODIGO_CLIENTE = '00009'").toString(), "CAMPINASANA");

    dialogs->modal("fmFormDinamica", [](Form& form) {
        auto* cidade = form.findChild<host::ui::DataEdit*>("dbedCIDADE");
        digitar(cidade, "XYZ");
        QTest::mouseClick(form.findChild<QPushButton*>("bbCancelar"), Qt::LeftButton);
    });
    EXPECT_FALSE(AbrirFormDinamica("AUGC0301", {"CODIGO_CLIENTE"}, {"Código"}, {"00009"}));
    EXPECT_EQ(one("select CIDADE from AUGC0301 where CODIGO_CLIENTE = '00009'").toString(), "CAMPINAS");

    dialogs->acknowledge("Registro não encontrado.");
    EXPECT_FALSE(AbrirFormDinamica("AUGC0301", {"CODIGO_CLIENTE"}, {"Código"}, {"99999"}));
    EXPECT_THROW(AbrirFormDinamica("AUGC0301", {"CODIGO_CLIENTE"}, {}, {}), std::invalid_argument);
}

TEST_F(Editors, GridReferenceSearchWritesTheChosenCodeIntoTheSelectedColumnsField)
{
    exec("insert into AATC06AT (ATCODIGO, ATNOME) values (7, 'PEDRO')");
    host::data::MemDataset linhas(nullptr, "quLinhas");
    linhas.addField("ATCODIGO", host::data::FieldType::Int32);
    linhas.addField("OUTRO", host::data::FieldType::String, 10);
    linhas.open();
    linhas.append();
    linhas.post();
    host::data::DataSource fonte(nullptr, "dsLinhas");
    fonte.setDataset(&linhas);
    host::ui::DataGrid grid("dbgdLinhas");
    grid.setDataSource(&fonte);
    grid.setSelectedIndex(1);
    EXPECT_FALSE(AbrirPesquisaReferentePelaGrid(&grid));   // no search for OUTRO: no window
    grid.setSelectedIndex(0);
    dialogs->modal("fmPesquisa", [](Form& form) {
        EXPECT_EQ(static_cast<TfmPesquisa&>(form).searchKind(), 74);
        QTest::keyClick(static_cast<TfmPesquisa&>(form).grid(), Qt::Key_Return);
    });
    EXPECT_TRUE(AbrirPesquisaReferentePelaGrid(&grid));
    EXPECT_EQ(linhas.state(), host::data::DatasetState::Edit);
    EXPECT_EQ(linhas.fieldByName("ATCODIGO")->asInteger(), 7);
    dialogs->modal("fmPesquisa", [](Form&) {});   // cancelled
    EXPECT_FALSE(AbrirPesquisaReferentePelaGrid(&grid));
    EXPECT_FALSE(AbrirPesquisaReferentePelaGrid(nullptr));
}

TEST_F(Editors, DocumentPickersGiveTheirValues)
{
    exec("insert into AUGC0501 (FCOD, FNOME, FTIPO) values ('T01', 'TRANSPORTES SUL', 'T')");
    exec("insert into AUGC0501 (FCOD, FNOME, FTIPO) values ('V01', 'VENDEDOR UM', 'V')");
    exec("insert into AUGC0501 (FCOD, FNOME, FTIPO) values ('V02', 'SYSDBA', 'V')");
    exec("insert into ACVC01TA (TACODIGO, TAPLACA, TAMODELO) values (4, 'ABC1D23', 'CAMINHÃO')");
    exec("insert into AVEC8501 (NUMERO_PEDIDO) values ('000077')");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL) values"
         " ('000321', '00001', 2, '01')");
    exec("insert into ACCC01PC (PCCODIGO, PCCLASSIFICACAO, PCDESCRICAO, PCTIPO) values (1, '1', 'ATIVO', 'S')");
    exec("insert into ACCC01PC (PCCODIGO, PCCLASSIFICACAO, PCDESCRICAO, PCTIPO) values (11, '1.1', 'CAIXA', 'A')");
    auto escolher = [](int esperadas) {
        return [esperadas](Form& form) {
            auto& janela = static_cast<TfmPesquisa&>(form);
            EXPECT_EQ(janela.dataSource()->dataset()->recordCount(), esperadas) << form.caption().toStdString();
            QTest::keyClick(janela.grid(), Qt::Key_Return);
        };
    };
    dialogs->modal("fmPesquisa", escolher(2))      // salesmen only
        .modal("fmPesquisa", escolher(1))          // a salesman login sees himself
        .modal("fmPesquisa", escolher(1))
        .modal("fmPesquisa", escolher(1))
        .modal("fmPesquisa", escolher(1))
        .modal("fmPesquisa", escolher(1));
    QString codigo, tipo = "V";
    ASSERT_TRUE(SelecionaFornecedor(codigo, tipo));
    EXPECT_EQ(tipo, "V");
    tipo.clear();
    ASSERT_TRUE(SelecionaFornecedor(codigo, tipo, false));
    EXPECT_EQ(codigo, "V02");
    int veiculo = 0;
    QString placa;
    ASSERT_TRUE(SelecionaVeiculo(veiculo, placa));
    EXPECT_EQ(veiculo, 4);
    EXPECT_EQ(placa, "ABC1D23");
    QString pedido;
    ASSERT_TRUE(SelecionaVenda(pedido));
    EXPECT_EQ(pedido, "000077");
    QString documento, cliente, filial;
    int sequencia = 0;
    ASSERT_TRUE(SelecionaReceber(documento, cliente, sequencia, filial));
    EXPECT_EQ(documento + cliente + QString::number(sequencia) + filial, "00032100001201");
    int conta = 0;
    QString descricao;
    ASSERT_TRUE(SelecionaCtbConta(conta, descricao));
    EXPECT_EQ(conta, 11);
    EXPECT_EQ(descricao, "CAIXA");

    dialogs->modal("fmPesquisa", [](Form&) {});
    EXPECT_FALSE(SelecionaVeiculo(veiculo, placa));
    EXPECT_EQ(veiculo, 0);   // callers go on only with a code above 0
    EXPECT_EQ(placa, "");
}

TEST_F(Editors, ObservationEditorWorksOnTheHostsObservationDataset)
{
    dialogs->modal("fmObservacao", [](Form& form) {
        digitar(static_cast<TfmObservacao&>(form).dbmeObservacao, "JUSTIFICADO");
        QTest::mouseClick(static_cast<TfmObservacao&>(form).bbGravar, Qt::LeftButton);
    });
    EXPECT_TRUE(dmGlobal->InserirObservacaoAdicional("obTexto", "12J", "U", 3, dmGlobal->quObsGeral, false, 0,
                                                     "Justificativa Entrada Equipamento"));
    EXPECT_EQ(texto("12J", "U", 3), "JUSTIFICADO");
    EXPECT_FALSE(dmGlobal->quObsGeral->active());
}
