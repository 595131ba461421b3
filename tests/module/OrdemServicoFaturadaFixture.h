#pragma once
// Order 42 ready for "Faturamento de OS": its exit date and total set, an
// operation, a bank and the billing's situation on file, and the billing
// window driven as the user does it.

#include "tests/module/OrdemServicoPedidoVendaFixture.h"

#include "host/Upesq.h"
#include "service_orders/uAssFaturamento.h"

#include <QPushButton>
#include <QTest>

namespace moduletest {

class OrdemServicoFaturadaTest : public OrdemServicoPedidoTest {
protected:
    // The situation the billing will choose, and its description.
    OrdemServicoFaturadaTest(int situacao, const char* descricao) : situacao_(situacao), descricao_(descricao) {}

    void SetUp() override
    {
        OrdemServicoPedidoTest::SetUp();
        exec("insert into AFVC0901 (COD_OP, DESC_OP_NF, TIPO_OP) values ('5949', 'Outras saídas', '2')");
        exec("insert into AUGC0901 (CODIGO_BANCO, NOME_BANCO, NUMERO_DO_BANCO) values ('341', 'Itaú', '341')");
        exec(QString("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO, ASID) values (%1, '%2', 'N', 'A')")
                 .arg(situacao_)
                 .arg(descricao_));
        servico(1, 60, 100, 100);
        exec("update AATC01AO set AODATASAIDA = '2026-11-10', AOVALORTOTAL = 100 where AOCODIGO = 42");
        tr().commitRetaining();
    }
    // The row of the search window that holds the value, chosen with Enter.
    void escolhe(const QString& coluna, const QVariant& valor)
    {
        dialogs->modal("fmPesquisa", [coluna, valor](host::ui::Form& janela) {
            auto& p = static_cast<TfmPesquisa&>(janela);
            ASSERT_TRUE(p.dataSource()->dataset()->locate(coluna, valor)) << valor.toString().toStdString();
            QTest::keyClick(p.grid(), Qt::Key_Return);
        });
    }
    // The order billed in the billing window with branch 01, bank 341 and
    // the fixture's situation; the document it got, as committed.
    QString fatura()
    {
        TfmAssFaturamento& faturamento = abrirJanela(fmAssFaturamento, "fmAssFaturamento");
        faturamento.bbPesquisar->click();
        EXPECT_TRUE(faturamento.quRegEnc->locate("AOCODIGO", 42));
        faturamento.dbgdAssFaturamentoPesq->onDblClick();
        escolhe("CODIGO", "01");
        escolhe("CODIGO_BANCO", "341");
        escolhe("ASCODIGO", situacao_);
        dialogs->acknowledge("Documento gerado");
        faturamento.bbGera->click();
        EXPECT_EQ(dialogs->pending(), 0) << dialogs->texts().join(" | ").toStdString();
        return committed("select CRDOCUMENTO from AATC01AO where AOCODIGO = 42").toString();
    }

private:
    int situacao_;
    QString descricao_;
};

}  // namespace moduletest
