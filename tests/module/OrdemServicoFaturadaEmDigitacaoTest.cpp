// An order billed in "Faturamento de OS" while its header is being typed in
// the order window of the same desk: the user's save keeps the billing (the
// document and the billing's situation) and the typing of the fields the
// billing does not touch, both read back through a connection of their own.

#include "tests/module/OrdemServicoPedidoVendaFixture.h"

#include "host/Upesq.h"
#include "host/data/Query.h"
#include "host/ui/DataEdit.h"
#include "service_orders/uAssFaturamento.h"

#include <QPushButton>
#include <QTest>

namespace moduletest {
namespace {

class FaturadaEmDigitacaoTest : public OrdemServicoPedidoTest {
protected:
    void SetUp() override
    {
        OrdemServicoPedidoTest::SetUp();
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('5949', 'Outras saídas', '2')");
        exec("insert into AUGC0901 (CODIGO_BANCO, NOME_BANCO, NUMERO_DO_BANCO) values ('341', 'Itaú', '341')");
        exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO, ASID) values (17, 'Faturada', 'N', 'A')");
        servico(1, 60, 100, 100);
        exec("update AATC01AO set AODATASAIDA = '2026-11-10', AOVALORTOTAL = 100 where AOCODIGO = 42");
        tr().commitRetaining();
    }
    void escolhe(const QString& coluna, const QVariant& valor)
    {
        dialogs->modal("fmPesquisa", [coluna, valor](host::ui::Form& janela) {
            auto& p = static_cast<TfmPesquisa&>(janela);
            ASSERT_TRUE(p.dataSource()->dataset()->locate(coluna, valor)) << valor.toString().toStdString();
            QTest::keyClick(p.grid(), Qt::Key_Return);
        });
    }
    // The order billed in the billing window, situation 17 chosen.
    QString fatura()
    {
        TfmAssFaturamento& faturamento = abrirJanela(fmAssFaturamento, "fmAssFaturamento");
        faturamento.bbPesquisar->click();
        EXPECT_TRUE(faturamento.quRegEnc->locate("AOCODIGO", 42));
        faturamento.dbgdAssFaturamentoPesq->onDblClick();
        escolhe("CODIGO", "01");
        escolhe("CODIGO_BANCO", "341");
        escolhe("ASCODIGO", 17);
        dialogs->acknowledge("Documento gerado");
        faturamento.bbGera->click();
        EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
        return committed("select CRDOCUMENTO from AATC01AO where AOCODIGO = 42").toString();
    }
};

TEST_F(FaturadaEmDigitacaoTest, TheSaveOfTheTypedHeaderKeepsTheBilling)
{
    TfmAssOrdemServico& form = abrir();
    digita(form.dbedContato, "Marta no balcão");
    ASSERT_EQ(dmTec->quOS->state(), host::data::DatasetState::Edit);

    const QString documento = fatura();
    ASSERT_FALSE(documento.isEmpty());

    form.activateWindow();
    EXPECT_EQ(form.dbedContato->text(), "Marta no balcão") << "the typing stays on screen";
    form.bbSalvar->click();
    EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
    EXPECT_EQ(dmTec->quOS->state(), host::data::DatasetState::Browse);
    EXPECT_EQ(lido("select CRDOCUMENTO || '|' || ASCODIGO || '|' || AOCONTATO from AATC01AO where AOCODIGO = 42"),
              QStringList{documento + "|17|Marta no balcão"})
        << "the billing and the typing both stored";

    // Saved again, nothing goes back.
    digita(form.dbedContato, "Marta");
    form.bbSalvar->click();
    EXPECT_EQ(lido("select CRDOCUMENTO || '|' || ASCODIGO || '|' || AOCONTATO from AATC01AO where AOCODIGO = 42"),
              QStringList{documento + "|17|Marta"});
}

}  // namespace
}  // namespace moduletest
