#pragma once
// The contract register opened through the dispatcher, with the clerk's
// gestures its window tests share: a tab clicked, a list entry chosen, the
// search window answered, the window closed.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssContCad.h"
#include "contract_data/uDataTecCont.h"
#include "host/Upesq.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"

#include <QPushButton>
#include <QTabBar>
#include <QTest>

namespace moduletest {

class ContratoCadastroTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        parametro("ATUTILIZACONTRATOS", "S");
    }
    TfmAssContCad& abrir() { return abrirJanela(fmAssContCad, "fmAssContCad"); }
    void fechar(TfmAssContCad& form)
    {
        form.bbSair->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // The user's click on the page's tab; the window may refuse the change.
    static void clicaAba(TfmAssContCad& form, host::ui::TabSheet* pagina)
    {
        QTabBar* barra = form.pcContrato->tabBar();
        QTest::mouseClick(barra, Qt::LeftButton, {}, barra->tabRect(pagina->pageIndex()).center());
    }
    // The click that must show the page.
    static void aba(TfmAssContCad& form, host::ui::TabSheet* pagina)
    {
        clicaAba(form, pagina);
        ASSERT_EQ(form.pcContrato->activePage(), pagina);
    }
    static void escolhe(host::ui::DataComboBox* combo, const QString& texto)
    {
        const int i = combo->findText(texto);
        ASSERT_GE(i, 0) << texto.toStdString();
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    }
    // The search window answered with the row whose column holds the value.
    void pesquisa(const QString& coluna, const QString& valor)
    {
        dialogs->modal("fmPesquisa", [coluna, valor](host::ui::Form& janela) {
            auto& p = static_cast<TfmPesquisa&>(janela);
            ASSERT_TRUE(p.dataSource()->dataset()->locate(coluna, valor)) << valor.toStdString();
            QTest::keyClick(p.grid(), Qt::Key_Return);
        });
    }
    // Contract 801 of customer 00004, 1234,56 a month due on the 10th, with
    // its forecasts of February and March 2027; committed.
    void contratoComPrevisoes()
    {
        exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACSITUACAO, ACLOCAL, ACPERIODO,"
             " ACMODALIDADE, ACVENCIMENTO, ACVALORFIXO, ACVALORPARCELA) values (801, 'N801', '00004', 'A', '01', 'M',"
             " 'A', 10, 'S', 1234.56)");
        for (const char* mes : {"02", "03"})
            exec(QString("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                         " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO) values"
                         " ('0000%1', '00004', 1, '01', 'V', 1234.56, '2027-01-01', '2027-%1-10', 801)")
                     .arg(mes));
        tr().commitRetaining();
    }
};

}  // namespace moduletest
