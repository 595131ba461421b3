// The contract invoicing window on the first start with receipts in use
// (ATRECIBOCONTRATO "S" typed in "Sistema > Parâmetros"): the run that
// writes the instalments with their invoices opens the invoice window on
// exactly the invoices it issued, found by number and series.

#include "tests/module/PrimeiroUsoFixture.h"

#include "contracts/uAssContFat.h"
#include "host/Udmglobal.h"
#include "host/Unotafiscal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/EditControls.h"

#include <QDate>
#include <QLineEdit>
#include <QPushButton>

namespace moduletest {
namespace {

class PrimeiroUsoNotasPorReciboTest : public PrimeiroUsoTest {
protected:
    // The invoices the invoice window lists, as "document/series".
    static QStringList listadas()
    {
        QStringList notas;
        if (!fmNotaFiscal || !fmNotaFiscal->quNotaFiscal->active())
            return notas;
        host::data::Query& lista = *fmNotaFiscal->quNotaFiscal;
        for (lista.first(); !lista.eof(); lista.next())
            notas << lista.fieldByName("DOCUMENTO")->asString() + "/" + lista.fieldByName("SERIE_DOC")->asString();
        return notas;
    }
};

TEST_F(PrimeiroUsoNotasPorReciboTest, TheRunWithInvoicesOpensTheInvoiceWindowOnItsInvoices)
{
    parametroNaJanela("ATRECIBOCONTRATO", "S");
    ASSERT_EQ(lido("select trim(VALOR) from PARAMETROS where NOME = 'ATRECIBOCONTRATO'"), QStringList{"S"});
    // The demonstration's maintenance object given its invoice operation, and
    // its contract marked active the way the installation's contract option
    // "E" marks it ("1 - Sim"), as the registers would.
    exec("update AATC11AJ set OFCODIGO = '5933' where AJCODIGO = 1");
    exec("update AATC05AC set ACSITUACAO = '1' where ACCODIGO = 1");
    // An invoice of another series under the number the first receipt takes:
    // not one of the run's.
    exec("insert into ACEM1401 (DOCUMENTO, SERIE_DOC, LOCAL_DOC) values ('000001', '01', '01')");
    dmGlobal->IBTransaction1->commitRetaining();

    TfmAssContFat& form = abrirJanela(fmAssContFat, "fmAssContFat");
    const QDate mes = QDate::currentDate().addMonths(4);
    digita(form.edUnNegocioIni, "01");
    digita(form.edContratoAleatorio, "CT-2026-001");
    digita(form.edPrevisaoIni, QDate(mes.year(), mes.month(), 1).toString("dd/MM/yyyy"));
    // Two months of the contract's advance modality: two instalments.
    digita(form.edPrevisaoFim, QDate(mes.year(), mes.month(), 1).addMonths(2).toString("dd/MM/yyyy"));
    digita(form.mdDataFaturamento, QDate::currentDate().toString("dd/MM/yyyy"));
    form.rgTipo->button(2)->click();
    dialogs->answer("Sim", "Tem certeza de que deseja gerar faturamento do período?");
    form.bbBaixar->click();

    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    const QStringList emitidas = lido("select DOCUMENTO || '/' || SERIE_DOC from ACEM1401 where COD_PEDIDO in"
                                      " (select NUMERO_PEDIDO from AVEC8501 where ACCODIGO = 1) order by DOCUMENTO");
    EXPECT_EQ(emitidas, (QStringList{"000001/RC", "000002/RC"})) << "one receipt a month";
    ASSERT_TRUE(fmNotaFiscal) << vistos();
    EXPECT_TRUE(fmNotaFiscal->isVisible());
    EXPECT_EQ(listadas(), emitidas) << vistos();
}

}  // namespace
}  // namespace moduletest
