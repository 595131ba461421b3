#pragma once
// The progress screen over orders in several situations: 42 "Em análise"
// with two items (the first with a service and a part), 43 dead
// ("Cancelada"), 44 without items, 45 without a situation (branch "02"),
// 46 "Aberta" whose technician is MARIA; two item situations (11, 12).

#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "host/data/Query.h"
#include "module/uPackageAss.h"
#include "service_orders/uAssAndamento.h"

namespace moduletest {

class AndamentoJanelaTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO, ASID) values (11, 'Item aguardando', 'N', 'I')");
        exec("insert into AATC01AS (ASCODIGO, ASDESCRICAO, ASTIPO, ASID) values (12, 'Item pronto', 'N', 'I')");
        ordem(42, 2, "2026-11-02", "01", 1, 100, 60, 40);
        ordem(43, 6, "2026-11-03", "01", 1, 50, 50, 0);
        ordem(44, 2, "2026-11-04", "01", 1, 70, 70, 0);
        ordem(45, 0, "2026-11-05", "02", 1, 20, 20, 0);
        ordem(46, 1, "2026-11-06", "01", 2, 10, 10, 0);
        item(42, 1, "Impressora", 11);
        item(42, 2, "Notebook", 0);
        item(43, 3, "Monitor", 0);
        item(45, 4, "Teclado", 0);
        item(46, 5, "Scanner", 0);
        exec("insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR, AAVALORTOTAL,"
             " AAVALORAUXILIAR, AAAUTORIZADO) values (42, 1, 1, 'S0001', 1, 30, 30, 7, 'S')");
        exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APQUANTIDADE, APVALUNITARIO,"
             " APVALTOTAL, APAUTORIZADO) values (42, 1, 1, 'P0001', 1, 12.5, 12.5, 'S')");
        tr().commitRetaining();   // read back through other connections
        principal = std::make_unique<TfmPrincipal>();
        principal->OnAbrirJanela = [](const QString& nome) { uPackageAss::ShowJanelaTec(nome); };
    }

    void ordem(int codigo, int situacao, const char* entrada, const char* filial, int tecnico, double total,
               double servicos, double pecas)
    {
        exec(QString("insert into AATC01AO (AOCODIGO, CLCODIGO, ASCODIGO, ATCODIGO, AODATAENTRADA, AOBAIXA,"
                     " AOPRIORIDADE, AOLOCAL, AOVALORTOTAL, AOVALORSERVICO, AOVALORPECAS)"
                     " values (%1, '00003', %2, %3, '%4', 'A', 'M', '%5', %6, %7, %8)")
                 .arg(codigo)
                 .arg(situacao > 0 ? QString::number(situacao) : QString("null"))
                 .arg(tecnico)
                 .arg(entrada, filial)
                 .arg(total)
                 .arg(servicos)
                 .arg(pecas));
    }
    void item(int ordemItem, int codigo, const char* descricao, int situacao)
    {
        exec(QString("insert into AATC01AOIT (AOCODIGO, AOITCODIGO, AOITEQUIPDESCRICAO, AOITDEFEITO, ASCODIGO)"
                     " values (%1, %2, '%3', 'Defeito %2', %4)")
                 .arg(ordemItem)
                 .arg(codigo)
                 .arg(descricao)
                 .arg(situacao > 0 ? QString::number(situacao) : QString("null")));
    }

    // Opened through the dispatcher; activation searches the first situation of type "I" (1: order 46).
    TfmAssAndamento& abrir() { return abrirJanela(fmAssAndamento, "fmAssAndamento"); }

    // The order codes listed, in order.
    QStringList ordensListadas()
    {
        QStringList codigos;
        host::data::Query& lista = *dmTec->quPesqOS;
        if (!lista.active())
            return codigos;
        const int atual = lista.recNo();
        for (lista.first(); !lista.eof(); lista.next())
            codigos << lista.fieldByName("AOCODIGO")->asString() + "/" + lista.fieldByName("AOITCODIGO")->asString();
        if (atual > 0)
            lista.setRecNo(atual);
        return codigos;
    }
};

}  // namespace moduletest
