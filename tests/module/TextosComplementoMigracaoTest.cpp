// The module's start on a database whose item texts were kept as kind "U"
// (a complement's under its contract, a line of the equipment-control
// register's under its own code): each moves to its contract, kind "Y",
// where the printouts read it, below the "Y" text an item has already; the
// contract's own notes and the check-in justifications stay as they were.

#include "tests/module/ContLocFixture.h"

#include "module/uPackageAss.h"
#include "module/uPackageAssDados.h"

namespace moduletest {
namespace {

using TextosComplementoMigracaoTest = ContLocTest;

TEST_F(TextosComplementoMigracaoTest, ComplementTextsKeptAsKindUMoveToKindY)
{
    contrato(901);
    item(9101, 901, "P0001");
    item(9102, 901, "P0005", "S");
    item(9103, 901, "P0003", "S");
    contrato(902);
    item(1, 902, "P0005", "S");
    auto texto = [this](const char* codigo, const char* tipo, int sequencia, const char* conteudo) {
        exec(QString("insert into AUGC70OB (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO) values ('%1', '%2', %3, '%4')")
                 .arg(codigo, tipo)
                 .arg(sequencia)
                 .arg(conteudo));
    };
    texto("901", "U", 1, "Boleto pelo correio");
    texto("901", "U", 2, "Entregar pela doca 2");
    texto("901", "U", -1, "Nota do contrato");
    texto("901", "Y", 9101, "Gerador revisado");
    texto("901", "U", 9102, "Correia extra");
    texto("901", "U", 9103, "Texto antigo");
    texto("901", "Y", 9103, "Texto do produto");
    texto("901J", "U", 9102, "Voltou sem avaria");
    texto("902", "U", 1, "Boleto ou complemento");
    // Lines of the equipment-control register, their texts under their own code.
    item(9104, 901, "P0002");
    texto("9104", "U", 9104, "Entregue na obra");
    texto("9101", "U", 9101, "Texto antigo da linha");
    tr().commitRetaining();

    parametro("ATUTILIZACONTRATOS", "S");
    criarPrincipal();
    uPackageAss::CriarDataTec();
    ASSERT_TRUE(uPackageAss::dados::existeContrato());

    EXPECT_EQ(lido("select OBCODIGO || '|' || OBID || '|' || OBSEQUENCIA || '|' || OBTEXTO from AUGC70OB"
                   " where OBCODIGO in ('901', '901J', '902', '9101', '9104')"
                   " order by OBCODIGO, OBID, OBSEQUENCIA"),
              (QStringList{"901|U|-1|Nota do contrato", "901|U|1|Boleto pelo correio", "901|U|2|Entregar pela doca 2",
                           "901|Y|9101|Gerador revisado\r\nTexto antigo da linha", "901|Y|9102|Correia extra",
                           "901|Y|9103|Texto do produto\r\nTexto antigo", "901|Y|9104|Entregue na obra",
                           "901J|U|9102|Voltou sem avaria", "902|U|1|Boleto ou complemento"}));
}

}  // namespace
}  // namespace moduletest
