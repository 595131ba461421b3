// The host executable's scheduled job: "techassist --os-contratos" makes the
// periodic service orders of the contracts without a window and lists them.

#include "tests/front/ExecutavelNoBanco.h"

#include "host/db/Database.h"

namespace {

class OrdensContratosJob : public testfront::ExecutavelNoBanco {
protected:
    QString executar(int& codigo) { return ExecutavelNoBanco::executar({"--os-contratos"}, codigo); }
};

}  // namespace

TEST_F(OrdensContratosJob, MakesTheDueOrdersHeadlessAndPrintsThem)
{
    int codigo = -1;
    // The first start brings the module's tables up to date; no contract yet.
    EXPECT_EQ(executar(codigo), "Nenhuma ordem de serviço gerada.\n") << erros.toStdString();
    EXPECT_EQ(codigo, 0);

    const QDate hoje = QDate::currentDate();
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO, ACCONTRATANTE, ACCODIGOINTEGRACAO, ACAPROVAIP, ACDATAIMPLANTACAO,"
         " ACDATAVALIDADE, ACDATABASE) values (7, '00002', '00002', '30-MENSAL', 'S', :IMP, :VAL, :BASE)",
         {{"IMP", QDateTime(hoje.addDays(-60), QTime(0, 0))},
          {"VAL", QDateTime(hoje.addDays(300), QTime(0, 0))},
          {"BASE", QDateTime(hoje.addDays(-10), QTime(0, 0))}});
    exec("insert into AUGC03CO (COCODIGO, ACCODIGO, AECODIGO, COSERIE, COIDENTIFICADOR) values (1, 7, 1, 'SN-1', 'E')");
    global->IBTransaction1->commit();

    const QString saida = executar(codigo);
    EXPECT_EQ(codigo, 0) << erros.toStdString();
    const int ordem = one("select AOCODIGO from AATC01AO where CLCODIGO = '00002' and AORETORNO = 'C'").toInt();
    ASSERT_GT(ordem, 0) << erros.toStdString();
    const QDate entrada = one("select AODATAENTRADA from AATC01AO where AOCODIGO = :O", {{"O", ordem}}).toDateTime().date();
    EXPECT_EQ(saida, QString("OS %1  Contrato 7  Cliente 00002  Entrada %2\n")
                         .arg(ordem, 9, 10, QChar('0'))
                         .arg(entrada.toString("dd/MM/yyyy")));
    // Run again the same day: nothing more is due.
    EXPECT_EQ(executar(codigo), "Nenhuma ordem de serviço gerada.\n");
}
