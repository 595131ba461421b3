// A product line typed into each window that takes them, through the grid's
// cell editors as a user types it, on the demonstration company with its
// default options: the product's description shows in the row once the line
// is stored, and the line's total follows the quantity and price typed
// before the row is left.

#include "tests/module/PrimeiroUsoFixture.h"

#include "contracts/uAssContCad.h"
#include "data/uDataTec.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/PageControl.h"
#include "rental/uAssVendas.h"
#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssSolicitacao.h"

#include <QAbstractItemModel>
#include <QPushButton>

namespace moduletest {
namespace {

class LinhasDeProdutoTest : public PrimeiroUsoTest {
protected:
    // The text the grid shows in the column of `campo` on the current row.
    static QString vista(host::ui::DataGrid* grade, const char* campo)
    {
        host::ui::GridColumn* coluna = grade->columnByField(campo);
        if (!coluna)
            return QString("(sem coluna %1)").arg(campo);
        return grade->model()->index(grade->currentIndex().row(), coluna->index()).data().toString();
    }
    static void novaLinha(host::ui::DataGrid* grade)
    {
        grade->setFocus();
        QTest::keyClick(grade, Qt::Key_Insert);
    }
    TfmAssOrdemServico& ordem42(host::ui::TabSheet* TfmAssOrdemServico::*pagina)
    {
        uPackageAss::ShowJanelaTec("fmAssOrdemServico;42");
        TfmAssOrdemServico& form = *fmAssOrdemServico.get();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        clicaAba(form.pcOrdemServico, form.*pagina);
        return form;
    }
    TfmAssVendas& pedidoDemonstracao(host::ui::TabSheet* TfmAssVendas::*pagina)
    {
        TfmAssVendas& form = abrirJanela(fmAssVendas, "fmAssVenda");
        CarregaPedidoAssVenda("000002", "");
        clicaAba(form.pcPedido, form.*pagina);
        return form;
    }
};

TEST_F(LinhasDeProdutoTest, TheDescriptionOfAProductTypedShowsOnceTheLineIsStored)
{
    {
        SCOPED_TRACE("service-order parts");
        TfmAssOrdemServico& form = ordem42(&TfmAssOrdemServico::tsPecasOS);
        novaLinha(form.dbgdOrdemServicoPecas);
        celula(form.dbgdOrdemServicoPecas, "PRCODIGO", "P0001");
        celula(form.dbgdOrdemServicoPecas, "APQUANTIDADE", "1");
        form.bbSalvar->click();
        EXPECT_EQ(vista(form.dbgdOrdemServicoPecas, "DESCRICAO"), "Fonte de alimentação bivolt 110/220V");
        form.bbSair->click();
    }
    {
        SCOPED_TRACE("parts request");
        TfmAssSolicitacao& janela = abrirJanela(fmAssSolicitacao, "fmAssSolicitacao");
        janela.bbNovo->click();
        digita(janela.dbedOS, "42");
        janela.bbSalvar->click();
        host::ui::DataGrid* grade = janela.dbgdAssSolicitacao;
        novaLinha(grade);
        celula(grade, "PRCODIGO", "P0003");
        celula(grade, "AIQUANTIDADE", "2");
        escolheNaLista(grade, "DescricaoTecnico", "MARIA");
        janela.bbSalvar->click();
        EXPECT_EQ(vista(grade, "DESCRICAO"), "Cartucho de toner preto");
        janela.bbSair->click();
    }
    {
        SCOPED_TRACE("assistance order");
        TfmAssVendas& form = pedidoDemonstracao(&TfmAssVendas::tsEquipSolicitados);
        novaLinha(form.dbgdAssVendaItens);
        celula(form.dbgdAssVendaItens, "CODIGO", "P0003");
        celula(form.dbgdAssVendaItens, "QUANTIDADE", "2");
        form.bbSalvar->click();
        EXPECT_EQ(vista(form.dbgdAssVendaItens, "DESCRICAO"), "Cartucho de toner preto");
        form.bbSair->click();
    }
    {
        SCOPED_TRACE("rental contract");
        TfmAssContCadLocEquip& form = abrirJanela(fmAssContCadLocEquip, "fmAssContratosLocEquip");
        CarregaContrato(3);
        aba(form, form.tsEquipamentos);
        novaLinha(form.dbgdAssContCadLocEquipItens);
        celula(form.dbgdAssContCadLocEquipItens, "PRCODIGO", "L0002");
        celula(form.dbgdAssContCadLocEquipItens, "ACITQUANTIDADE", "1");
        form.btSalvar->click();
        EXPECT_EQ(vista(form.dbgdAssContCadLocEquipItens, "DESCRICAO"), "Compressor de ar 10 pés");
        EXPECT_EQ(lido("select PRCODIGO from AATC05ACIT where ACCODIGO = 3 order by ACITCODIGO"),
                  (QStringList{"L0001", "L0002", "L0002"}));
        fechar(form);
    }
    {
        SCOPED_TRACE("service contract");
        TfmAssContCad& form = abrirJanela(fmAssContCad, "fmAssContCad");
        CarregaContrato(1);
        clicaAba(form.pcContrato, form.tsItens);
        novaLinha(form.dbgdAssContCadItem);
        celula(form.dbgdAssContCadItem, "PRCODIGO", "S0002");
        dialogs->answer("Não", "O valor dos itens foi alterado, deseja alterar valor do contrato?");
        form.bbSalvar->click();
        EXPECT_EQ(vista(form.dbgdAssContCadItem, "DESCRICAO"), "Visita técnica");
    }
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
}

TEST_F(LinhasDeProdutoTest, TheLinesTotalFollowsTheQuantityAndPriceTypedBeforeTheRowIsLeft)
{
    {
        SCOPED_TRACE("service-order parts");
        TfmAssOrdemServico& form = ordem42(&TfmAssOrdemServico::tsPecasOS);
        host::ui::DataGrid* grade = form.dbgdOrdemServicoPecas;
        ASSERT_TRUE(dmTec->quOSPecas->locate("PRCODIGO", "P0005"));
        celula(grade, "APQUANTIDADE", "3");
        EXPECT_EQ(vista(grade, "APVALTOTAL"), "106,50");
        celula(grade, "APVALUNITARIO", "10");
        EXPECT_EQ(vista(grade, "APVALTOTAL"), "30,00");
        dialogs->answer("Não", "Deseja salvar as alterações ?");
        form.bbSair->click();
    }
    {
        SCOPED_TRACE("assistance order, configured lines");
        TfmAssVendas& form = pedidoDemonstracao(&TfmAssVendas::tsEquipConfigurados);
        host::ui::DataGrid* grade = form.dbgdAssVendaCotado;
        novaLinha(grade);
        celula(grade, "CODIGO", "P0003");
        celula(grade, "QUANTIDADE", "2");
        EXPECT_EQ(vista(grade, "TOTAL_UNIT"), "240,00") << "before the line is stored";
        celula(grade, "VALOR", "50");
        EXPECT_EQ(vista(grade, "TOTAL_UNIT"), "100,00");
        form.bbSalvar->click();
        EXPECT_EQ(lido("select cast(TOTAL_UNIT * 100 as integer) from AVEC85LX where NUMERO_PEDIDO = '000002'"
                       " and CODIGO = 'P0003'"),
                  QStringList{"10000"});
        celula(grade, "QUANTIDADE", "3");
        EXPECT_EQ(vista(grade, "TOTAL_UNIT"), "150,00") << "a stored line edited again";
    }
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
}

}  // namespace
}  // namespace moduletest
