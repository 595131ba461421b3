#pragma once
// The assistance-order window on the demonstration database: customer 00004
// with three contacts, orders and lines written straight into the tables,
// and the helpers that drive the window's tabs and grids.

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/Upesq.h"
#include "host/db/Database.h"
#include "host/ui/DataGrid.h"
#include "host/ui/PageControl.h"
#include "rental/uAssVendas.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace moduletest {

using host::data::DatasetState;

class AssVendasJanelaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        parametro("ATOPCAOCONTRATO", "E");   // contacts follow the customer
        for (int i = 1; i <= 3; ++i)
            exec(QString("insert into AUGC3701 (ANCODIGO, ANNOME, ANVINCULOCATEGORIA, ANVINCULOCODIGO, ANENDERECO,"
                         " ANBAIRRO, ANCIDADE, ANUF, ANCEP) values (%1, 'Contato %1', 'C', '00004',"
                         " 'Rua Conceição, 30%1', 'Cambuí', 'Campinas', 'SP', '13010-050')")
                     .arg(i));
    }
    TfmAssVendas& abrir() { return abrirJanela(fmAssVendas, "fmAssVenda"); }
    host::data::Query& venda() { return *dmTec->quAssVenda; }
    host::data::Field& cab(const char* nome) { return *venda().fieldByName(nome); }
    // A connection of its own sees only what was committed.
    QVariant lido(const QString& sql)
    {
        host::db::Connection conexao;
        conexao.open({dbPath});
        host::db::Transaction transacao(conexao);
        const QVariant v = host::db::selectValue(transacao, sql);
        transacao.commit();
        return v;
    }
    void pedido(const QString& numero, const QString& tipo, const QString& status = {}, const QString& cliente = "00004")
    {
        exec(QString("insert into AVEC8501 (NUMERO_PEDIDO, CODIGO_CLIENTE, AUX2, IMPRESSO_NF, VELOCAL,"
                     " ANCODIGOCONTATO, ANCODIGOENTREGA, ANCODIGOCOBRANCA, DATA_EMISSAO, VALOR_TOTAL)"
                     " values ('%1', '%2', '%3', %4, '01', 1, 2, 3, '2026-12-01', 1234.5)")
                 .arg(numero, cliente, tipo, status.isNull() ? QString("null") : "'" + status + "'"));
        tr().commitRetaining();
    }
    void linhas(const QString& numero, int quantas)
    {
        for (int cod = 1; cod <= quantas; ++cod) {
            exec(QString("insert into AVEC85IT (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT, OBS)"
                         " values ('%1', %2, 'P0001', 1, 89.9, 89.9, 'Linha %2')")
                     .arg(numero)
                     .arg(cod));
            exec(QString("insert into AVEC85LX (NUMERO_PEDIDO, COD, CODIGO, QUANTIDADE, VALOR, TOTAL_UNIT,"
                         " VEITCODIGOREF) values ('%1', %2, 'P0001', 1, 89.9, 89.9, %2)")
                     .arg(numero)
                     .arg(cod));
        }
    }
    static void aba(host::ui::PageControl* paginas, host::ui::TabSheet* pagina)
    {
        QTabBar* barra = paginas->tabBar();
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(pagina->pageIndex()).center());
        ASSERT_EQ(paginas->activePage(), pagina);
    }
    static QStringList titulos(host::ui::DataGrid* grade)
    {
        QStringList t;
        for (int i = 0; i < grade->columnCount(); ++i)
            t << grade->column(i)->title();
        return t;
    }
    static QStringList rotulos(QWidget* area)
    {
        QStringList t;
        for (QLabel* l : area->findChildren<QLabel*>())
            if (!l->text().isEmpty() && !l->objectName().startsWith("dbte") && l->objectName() != "laNomeFilial")
                t << l->text();
        return t;
    }
    // The host picker (fmPesquisa) answered with the row whose column holds the value.
    void pesquisa(const QString& coluna, const QString& valor)
    {
        dialogs->modal("fmPesquisa", [coluna, valor](host::ui::Form& janela) {
            auto& p = static_cast<TfmPesquisa&>(janela);
            ASSERT_TRUE(p.dataSource()->dataset()->locate(coluna, valor)) << valor.toStdString();
            QTest::keyClick(p.grid(), Qt::Key_Return);
        });
    }
    static void fechar(TfmAssVendas& form)
    {
        form.bbSair->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

}  // namespace moduletest
