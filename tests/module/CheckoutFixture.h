#pragma once
// The checkout window and its list on the demonstration database: orders
// whose requested and configured lines, contracts and serials are written
// straight into the tables, the windows opened through the dispatcher.

#include "tests/module/AssVendasFixture.h"

#include "rental/uAssCheckout.h"
#include "rental/uAssCheckoutConsulta.h"
#include "rental/uAssCheckoutProtocolo.h"
#include "rental/uAssContLocEquipCad.h"

#include "contract_data/uDataTecCont.h"
#include "host/Udatamod.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Errors.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>

namespace moduletest {

class CheckoutTest : public AssVendasJanelaTest {
protected:
    void SetUp() override
    {
        AssVendasJanelaTest::SetUp();
        parametro("ATSENHAOPERACOESESPECIAIS", "segredo");
        uPackageAss::CriarDataTec();
        uPackageAss::CriarDataTecContrato();
    }
    TfmAssCheckoutConsulta& abrirLista() { return abrirJanela(fmAssCheckoutConsulta, "fmAssCheckout"); }
    // The list searched with every status, then the order's checkout by a double click.
    TfmAssCheckout& abrirCheckout(const QString& numero)
    {
        TfmAssCheckoutConsulta& lista = abrirLista();
        lista.cbStatus->setCurrentText("Todos");
        lista.bbPesquisar->click();
        EXPECT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", numero)) << numero.toStdString();
        lista.dbgdConsultaDblClick();
        TfmAssCheckout* form = fmAssCheckout;
        EXPECT_NE(form, nullptr);
        return *form;
    }
    // A requested and a configured line of the order (complement "S" or "N").
    void linha(const QString& numero, int cod, double requerida, double configurada, const QString& complemento = "N",
               const QString& pendencia = {}, const QString& produto = "P0001")
    {
        if (requerida > 0)
            exec(QString("insert into AVEC85IT (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT,"
                         " VEITCOMPLEMENTO) values ('%1', %2, '%3', %4, 10, 10, '%5')")
                     .arg(numero).arg(cod).arg(produto).arg(requerida).arg(complemento));
        if (configurada > 0)
            exec(QString("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT,"
                         " VEITCOMPLEMENTO, VECODIGOPENDENCIA) values ('%1', %2, '%3', %4, 10, 10, '%5', %6)")
                     .arg(numero).arg(cod).arg(produto).arg(configurada).arg(complemento)
                     .arg(pendencia.isEmpty() ? QString("null") : "'" + pendencia + "'"));
        tr().commitRetaining();
    }
    // A contract with its header texts, items and the serials of its first product.
    void contratoProtocolo(int codigo, int itens, bool complemento = true)
    {
        exec(QString("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACCONTRATANTE, ACTIPODESC,"
                     " ACCONTATO, ACCONTENTREGA, ACCONTRETIRADA, ACNFREMESSA, ACCOMPROVANTE, ACPEDIDOCLIENTE)"
                     " values (%1, 'LOC-%1', '00004', '00004', 'Locação mensal', 1, 2, 3, '004512', 'N', 'OC-77')")
                 .arg(codigo));
        for (int i = 1; i <= itens; ++i)
            exec(QString("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITQUANTIDADE,"
                         " ACITNUMEROSERIE, ACITCOMPLEMENTO) values (%1, %2, '00004', '%3', 1, '%4', 'N')")
                     .arg(codigo * 100 + i).arg(codigo).arg(i % 2 ? "P0001" : "P0002")
                     .arg(i % 2 ? "<selecionado>" : ""));
        if (complemento)
            exec(QString("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, ACITQUANTIDADE,"
                         " ACITCOMPLEMENTO) values (%1, %2, '00004', 'P0003', 2, 'S')")
                     .arg(codigo * 100 + 99).arg(codigo));
        for (const char* serie : {"A1", "B2"})
            exec(QString("insert into AUGC50NS (NSCODIGO, NSNUMERO, PRCODIGO, ACCODIGO) values"
                         " ((select coalesce(max(NSCODIGO), 0) + 1 from AUGC50NS), '%1', 'P0001', %2)")
                     .arg(serie).arg(codigo));
        tr().commitRetaining();
    }
    QString statusLido(const QString& numero)
    {
        return lido("select coalesce(IMPRESSO_NF, '') from AVEC8501 where NUMERO_PEDIDO = '" + numero + "'").toString();
    }
    // Order 00724 released with contract 7403 (one P0001 at 10,00), its checkout
    // reopened from the list and a P0003 at 100,00 requested and configured on
    // the order window.
    void reabrirComLinhaNova()
    {
        parametro("ATMODOPEDIDOASSISTENCIA", "E");
        pedido("00724", "1", "L");
        contratoProtocolo(7403, 1, false);
        exec("update AVEC8501 set ACCODIGO = 7403 where NUMERO_PEDIDO = '00724'");
        linha("00724", 1, 1, 1);
        // The contract was made at the order's total then.
        exec("update AVEC8501 set VALOR_TOTAL = 10 where NUMERO_PEDIDO = '00724'");
        exec("update AATC05AC set ACVALOR = 10, ACVALORPARCELA = 10 where ACCODIGO = 7403");
        exec("update ACEC1101 set PCO_VENDA = 100 where CODIGO = 'P0003'");
        tr().commitRetaining();

        TfmAssCheckoutConsulta& lista = abrirLista();
        lista.cbStatus->setCurrentText("Todos");
        lista.bbPesquisar->click();
        ASSERT_TRUE(lista.quConsulta->locate("NUMERO_PEDIDO", "00724"));
        senha("segredo");
        lista.miReabrirCheckout->trigger();
        ASSERT_EQ(statusLido("00724"), "");

        // The new equipment is requested and configured on the order window.
        TfmAssVendas& venda = abrir();
        CarregaPedidoAssVenda("00724", {});
        aba(venda.pcPedido, venda.tsEquipSolicitados);
        for (host::ui::DataGrid* grade : {venda.dbgdAssVendaItens, venda.dbgdAssVendaCotado}) {
            if (grade == venda.dbgdAssVendaCotado)
                aba(venda.pcPedido, venda.tsEquipConfigurados);
            grade->setSelectedIndex(grade->columnByField("CODIGO")->index());
            pesquisa("CODIGO", "P0003");
            if (grade == venda.dbgdAssVendaCotado)
                pesquisa("CODIGO", "P0003");   // the requested line it fulfils
            grade->editButtonClick();
        }
        ASSERT_EQ(lido("select count(*) from AVEC85LX where NUMERO_PEDIDO = '00724'").toInt(), 2);
        fechar(venda);
    }

    // The checkout confirmed, then "Liberar Faturamento" answered "Sim".
    TfmAssCheckout& liberarDeNovo()
    {
        TfmAssCheckout& form = abrirCheckout("00724");
        dialogs->answer("Sim", "Confirma Checkout dos Equipamentos?").acknowledge("Checkout Finalizado com Sucesso!");
        QTest::mouseClick(form.btConfirmarCheckout, Qt::LeftButton);
        dialogs->answer("Sim", "Confirma a liberação do Faturamento do Pedido?");
        return form;
    }
    // The password prompt answered.
    void senha(const QString& valor) { dialogs->enter(valor, "Informe a senha para Reabrir Checkout:"); }
    // The register's print button replaced by a stand-in that records the
    // press and, when asked, refuses as a handler ending its operation does.
    void registroNotaFiscal(int& pressionado, bool recusar)
    {
        TfmAssContCadLocEquip* registro = fmAssContCadLocEquip.create();
        QObject::disconnect(registro->btImprimir, &QPushButton::clicked, nullptr, nullptr);
        QObject::connect(registro->btImprimir, &QPushButton::clicked, [&pressionado, recusar] {
            host::ui::runGuarded([&pressionado, recusar] {
                ++pressionado;
                EXPECT_GT(dmTecContrato->quCtrCadastro->fieldByName("ACCODIGO")->asInteger(), 0);
                if (recusar)
                    dmGlobal->MostraAviso("Aviso: operação abortada.\rNota recusada", true);
            });
        });
    }
    static TfmVisualizadorRelatorio* visualizador()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* v = qobject_cast<TfmVisualizadorRelatorio*>(w); v && v->isVisible())
                return v;
        return nullptr;
    }
};

}  // namespace moduletest
