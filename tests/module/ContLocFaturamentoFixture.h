#pragma once
// Rental billing on the demonstration database: a principal contract with
// two complements linked to it, their instalments (with cash rows and
// notes), the billing window opened through the dispatcher and driven
// through its buttons, and the receipt preview read back.

#include "tests/module/ContLocFixture.h"

#include "rental/uAssContFatLocEquip.h"
#include "rental/uAssContLocFaturamento.h"

#include "host/Udmglobal.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "host/ui/StatusBar.h"

#include <QDate>
#include <QLineEdit>
#include <QPushButton>

namespace moduletest {

class ContLocFatTest : public ContLocTest {
protected:
    void SetUp() override
    {
        ContLocTest::SetUp();
        dmGlobal->quReceber->close();
        // 801 principal with its bank; 802 and 803 its complements.
        contrato(801, "ACVINCULO, BCCODIGO, ACVALOR, ACPEDIDO, ACDATAIMPLANTACAO, ACDATAVALIDADE",
                 "'P', '001', 500, 'PED-9', '2024-01-01', '2024-12-31'");
        contrato(802, "ACVINCULO", "'C'");
        contrato(803, "ACVINCULO", "'C'");
        exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (801, 802)");
        exec("insert into AATC05ACVI (ACCODIGOPRINCIPAL, ACCODIGOCOMPLEMENTO) values (801, 803)");
        parcela("000101", "V", 200, 801, "2024-03-10");
        parcela("000102", "V", 100.005, 802, "2024-03-15");
        parcela("000103", "V", 50, 803, "2024-03-20");
        for (const char* documento : {"000102", "000103"}) {
            exec(QString("insert into ACXC94XP (XPID, XPLOCAL, XPDOCUMENTO, XPEMITENTE, CRSEQUENCIA) values"
                         " ('R', '01', '%1', '00004', 1)")
                     .arg(documento));
            exec(QString("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('%100004' || '1',"
                         " 'R', 1, 'mensagem')")
                     .arg(documento));
        }
        dmGlobal->IBTransaction1->commitRetaining();
    }
    TfmAssContFatLocEquip& abrirFat() { return abrirJanela(fmAssContFatLocEquip, "fmAssContFatLocEquip"); }
    // The window searched with the option chosen (its click searches).
    TfmAssContFatLocEquip& pesquisado(int opcao = uAssContFatLocEquip::Todos)
    {
        TfmAssContFatLocEquip& form = abrirFat();
        if (form.rgOpcao->itemIndex() == opcao)
            form.bbPesquisar->click();
        else
            form.rgOpcao->setItemIndex(opcao);
        return form;
    }
    void gerar(TfmAssContFatLocEquip& form)
    {
        dialogs->answer("Sim", "Confirma o Faturamento dos Contratos?");
        form.bbGerar->click();
    }
    // The column's shown texts, one per row of the grid.
    static QStringList coluna(host::ui::DataGrid* grade, const QString& campo)
    {
        QStringList textos;
        int c = 0;
        while (c < grade->columnCount() && grade->column(c)->fieldName() != campo)
            ++c;
        for (int r = 0; r < grade->model()->rowCount(); ++r)
            textos << grade->model()->index(r, c).data().toString();
        return textos;
    }
    // "document|value|situation" of the receivables of a contract, committed.
    QStringList receber(int contratoReceber) const
    {
        return lido(QString("select trim(NUMERO_DOCUMENTO) || '|' || cast(VALOR_DOCUMENTO * 100 as integer) || '|' ||"
                            " coalesce(SITUACAO_DOCUMENTO, '-') from ACRC5001 where AOCODIGO = %1"
                            " order by DATA_VENCIMENTO, NUMERO_DOCUMENTO")
                        .arg(contratoReceber));
    }
    // The text of the receipt preview that the action opens.
    QStringList previas(const std::function<void()>& acao, int quantas = 1)
    {
        QStringList dumps;
        for (int i = 0; i < quantas; ++i)
            dialogs->modal("fmVisualizadorRelatorio", [&dumps](host::ui::Form& janela) {
                dumps << static_cast<TfmVisualizadorRelatorio&>(janela).pages().textDump();
                janela.close();
            });
        acao();
        return dumps;
    }
};

}  // namespace moduletest
