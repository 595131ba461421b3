// The composition window: which components it lists, modal and not.

#include "host/PilvPro70.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "tests/support/HostDatabase.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using host::ui::Form;

namespace {

class Composicao : public testsupport::HostDatabaseTest {
protected:
    void SetUp() override
    {
        HostDatabaseTest::SetUp();
        exec("insert into ACEC1101 (CODIGO, DESCRICAO) values ('EQ1', 'Compressor')");
        exec("insert into ACEC1101 (CODIGO, DESCRICAO) values ('MOT', 'Motor')");
        componente(2, "MOT", 1, "");
        componente(1, "FIL", 3, "");
        componente(3, "MOT", 2, "NS-9");
    }
    void TearDown() override
    {
        HostDatabaseTest::TearDown();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void componente(int sequencia, const QString& codigo, double quantidade, const QString& serie)
    {
        exec("insert into AGPC03CM (PRCODIGO, CMSEQUENCIA, CMCODIGO, CMQUANTIDADE, CMVALOR, CMNUMEROSERIE)"
             " values ('EQ1', :SEQ, :COD, :QTD, 10, :NS)",
             {{"SEQ", sequencia}, {"COD", codigo}, {"QTD", quantidade},
              {"NS", serie.isEmpty() ? QVariant() : QVariant(serie)}});
    }
    static QStringList componentes(TfmComposicao& janela)
    {
        QStringList lista;
        auto& q = *janela.quComposicao;
        for (q.first(); !q.eof(); q.next())
            lista << q.fieldByName("CMSEQUENCIA")->asString() + ":" + q.fieldByName("CMCODIGO")->asString() + ":"
                         + q.fieldByName("DESCRICAO")->asString();
        return lista;
    }
};

}  // namespace

TEST_F(Composicao, ListsTheProductsOwnComponentsOrThoseOfTheEquipment)
{
    TfmComposicao janela;
    janela.CarregaComposicao(" EQ1 ", "");
    EXPECT_EQ(componentes(janela), (QStringList{"1:FIL:", "2:MOT:Motor"}));
    EXPECT_EQ(janela.laProduto->text(), "Produto: EQ1 - Compressor");

    janela.CarregaComposicao("EQ1", "NS-9");
    EXPECT_EQ(componentes(janela), QStringList{"3:MOT:Motor"});
    EXPECT_TRUE(janela.laProduto->text().endsWith("Nº Série: NS-9"));

    // An equipment with nothing of its own shows the product's composition.
    janela.CarregaComposicao("EQ1", "NS-1");
    EXPECT_EQ(componentes(janela).size(), 2);

    janela.CarregaComposicao("NADA", "");
    EXPECT_TRUE(janela.quComposicao->isEmpty());
    EXPECT_EQ(janela.laProduto->text(), "Produto: NADA");
}

TEST_F(Composicao, ModalWindowClosesWithEscapeAndTheOtherIsReusedAndFreedOnClose)
{
    bool visto = false;
    dialogs->modal("fmComposicao", [&](Form& form) {
        visto = true;
        auto& janela = static_cast<TfmComposicao&>(form);
        EXPECT_EQ(componentes(janela).size(), 1);
        EXPECT_TRUE(janela.dbgdComposicao->readOnlyGrid());
        QTest::keyClick(janela.dbgdComposicao, Qt::Key_Escape);
    });
    AbrirComposicao("EQ1", "NS-9", true);
    EXPECT_TRUE(visto);
    EXPECT_FALSE(fmComposicao);

    AbrirComposicao("EQ1", "", false);
    TfmComposicao* janela = fmComposicao;
    ASSERT_NE(janela, nullptr);
    EXPECT_TRUE(janela->isVisible());
    AbrirComposicao("EQ1", "NS-9", false);
    EXPECT_EQ(fmComposicao.get(), janela);
    EXPECT_EQ(componentes(*janela).size(), 1);
    janela->bbFechar->click();
    EXPECT_FALSE(fmComposicao);
}
