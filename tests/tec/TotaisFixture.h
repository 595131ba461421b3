#pragma once
// Orders with parts, service, expense and project lines written straight
// into their tables, for the totals and the rules that keep them.

#include "tests/tec/LoadersFixture.h"

#include "host/Udmglobal.h"

namespace tectest {

class TotaisTest : public LoadersTest {
protected:
    void SetUp() override
    {
        LoadersTest::SetUp();
        ordem(7);
        item(1, 7);
    }
    void modo(const QString& valor) { dmGlobal->SetParametro("ATFORMULATOTALOS", valor); }
    void peca(int ordem, int sequencia, double total, const QString& autorizado = "S", const QString& tipo = "3",
              double ipi = 0, double requerido = 0)
    {
        exec(QString("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APVALTOTAL, APAUTORIZADO,"
                     " APTIPO, APVALORIPI, APVALORTOTALREQUERIDO) values (%1, %2, 1, 'P1', %3, '%4', '%5', %6, %7)")
                 .arg(ordem)
                 .arg(sequencia)
                 .arg(total)
                 .arg(autorizado, tipo)
                 .arg(ipi)
                 .arg(requerido));
    }
    void servico(int ordem, int codigo, double total, const QString& autorizado = "S", const QString& tipo = "3",
                 double requerido = 0)
    {
        exec(QString("insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO, AAVALORTOTAL, AAAUTORIZADO,"
                     " AATIPO, AAVALORTOTALREQUERIDO) values (%1, %2, 1, 'S1', %3, '%4', '%5', %6)")
                 .arg(ordem)
                 .arg(codigo)
                 .arg(total)
                 .arg(autorizado, tipo)
                 .arg(requerido));
    }
    void viagem(int ordem, int codigo, double total) { despesa("AATC01AV", "AVCODIGO", "AVVALORTOTAL", ordem, codigo, total); }
    void extra(int ordem, int codigo, double valor) { despesa("AATC01AX", "AXCODIGO", "AXVALOR", ordem, codigo, valor); }
    void projeto(int ordem, int codigo, double total)
    {
        despesa("AATC01AQ", "AQCODIGO", "AQVALORTOTAL", ordem, codigo, total);
    }
    void despesa(const char* tabela, const char* chave, const char* coluna, int ordem, int codigo, double valor)
    {
        exec(QString("insert into %1 (AOCODIGO, %2, %3) values (%4, %5, %6)")
                 .arg(tabela, chave, coluna)
                 .arg(ordem)
                 .arg(codigo)
                 .arg(valor));
    }
    void descontos(double geral, double pecas, double servicos)
    {
        exec(QString("update AATC01AO set AODESCONTO = %1, AODESCONTOPECA = %2, AODESCONTOSERVICO = %3")
                 .arg(geral)
                 .arg(pecas)
                 .arg(servicos));
    }
    // One order with a line of every kind: parts 100 (IPI 10), services 50,
    // travel 20, extra 5, project 30; discounts 1, 2 and 3.
    void ordemCompleta()
    {
        peca(7, 1, 100, "S", "3", 10, 110);
        servico(7, 1, 50, "S", "3", 55);
        viagem(7, 1, 20);
        extra(7, 1, 5);
        projeto(7, 1, 30);
        descontos(1, 2, 3);
    }
    double total(host::data::Field* campo) const { return campo->asFloat(); }
};

}  // namespace tectest
