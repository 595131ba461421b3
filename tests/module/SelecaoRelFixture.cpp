#include "tests/module/SelecaoRelFixture.h"

#include "host/Udmglobal.h"
#include "host/report/PreparedReport.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/WindowRegistry.h"

#include <QCoreApplication>

namespace moduletest {

void SelecaoRelTest::SetUp()
{
    ModuleTest::SetUp();
    for (const char* sql : {
             "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('T0001', 'Alfa Cliente')",
             "insert into AUGC0301 (CODIGO_CLIENTE, NOME) values ('T0002', 'Beta Cliente')",
             "insert into AATC01AO (AOCODIGO, CLCODIGO, ATCODIGO, ASCODIGO, AODATAENTRADA, AODATACOBRANCA, AOATENDENTE,"
             " AOVALORPECAS, AOVALORSERVICO, AODESPVIAGEM, AODESPDIVERSAS, AODESCONTO, AOVALORTOTAL)"
             " values (901, 'T0001', 1, 4, '03/10/2026', '04/20/2026', 'Ana', 30, 150, 0, 0, 0, 180)",
             "insert into AATC01AO (AOCODIGO, CLCODIGO, ATCODIGO, ASCODIGO, AODATAENTRADA, AODATACOBRANCA, AOATENDENTE,"
             " AOVALORPECAS, AOVALORSERVICO, AODESPVIAGEM, AODESPDIVERSAS, AODESCONTO, AOVALORTOTAL)"
             " values (902, 'T0002', 2, 5, '03/15/2026', '03/15/2026', 'Bia', 0, 80, 5, 0, 0, 85)",
             "insert into AATC01AO (AOCODIGO, CLCODIGO, ATCODIGO, ASCODIGO, AODATAENTRADA, AODATACOBRANCA, AOATENDENTE,"
             " AOVALORPECAS, AOVALORSERVICO, AODESPVIAGEM, AODESPDIVERSAS, AODESCONTO, AOVALORTOTAL)"
             " values (903, 'T0002', 2, 4, '03/20/2026', '03/20/2026', 'Bia', 40, 0, 0, 0, 0, 40)",
             "insert into AATC01AO (AOCODIGO, CLCODIGO, ATCODIGO, ASCODIGO, AODATAENTRADA, AODATACOBRANCA, AOATENDENTE,"
             " AOVALORPECAS, AOVALORSERVICO, AODESPVIAGEM, AODESPDIVERSAS, AODESCONTO, AOVALORTOTAL)"
             " values (904, 'T0001', 1, 5, '03/25/2026', '03/25/2026', 'Ana', 0, 0, 0, 0, 0, 0)",
             "insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPCODIGO, AOITEQUIPDESCRICAO, AOITSERIE, AOITPLACA)"
             " values (9011, 901, 1, 'Impressora laser', 'HP-901', 'AAA-0901')",
             "insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPCODIGO, AOITEQUIPDESCRICAO, AOITSERIE)"
             " values (9012, 901, 3, 'Ar-condicionado split', 'SPR-901')",
             "insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPCODIGO, AOITEQUIPDESCRICAO, AOITSERIE)"
             " values (9021, 902, 2, 'Notebook', 'DL-902')",
             "insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPCODIGO, AOITEQUIPDESCRICAO, AOITSERIE)"
             " values (9031, 903, 3, 'Ar-condicionado split', 'SPR-903')",
             "insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPCODIGO, AOITEQUIPDESCRICAO, AOITSERIE)"
             " values (9041, 904, 4, 'Máquina de café expresso', 'SAE-904')",
             "insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO, AAVALORTOTAL, AATOTAL, AAAUTORIZADO, AATIPO)"
             " values (901, 1, 9011, 'S0001', 100, 60, 'S', '3')",
             "insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO, AAVALORTOTAL, AATOTAL, AAAUTORIZADO, AATIPO)"
             " values (901, 2, 9011, 'S0003', 50, 30, 'S', '3')",
             "insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO, AAVALORTOTAL, AATOTAL, AAAUTORIZADO, AATIPO)"
             " values (902, 1, 9021, 'S0002', 80, 45, 'S', '3')",
             "insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APVALTOTAL, APAUTORIZADO, APTIPO)"
             " values (901, 1, 9011, 'P0001', 10, 'S', '3')",
             "insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APVALTOTAL, APAUTORIZADO, APTIPO)"
             " values (901, 2, 9011, 'P0005', 20, 'S', '3')",
             "insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APVALTOTAL, APAUTORIZADO, APTIPO)"
             " values (903, 1, 9031, 'P0004', 40, 'N', '3')",
             "insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, CTTEMPOTOTAL) values ('T0001', 901, 901, 'A', 25)",
             "insert into ACEM14IT (DOCUMENTO, AOCODIGO, DATA, BAIXA) values ('000111', 901, '03/12/2026', null)",
             "insert into ACEM14IT (DOCUMENTO, AOCODIGO, DATA, BAIXA) values ('000222', 902, '03/16/2026', 'C')",
             "insert into ACEM14IT (DOCUMENTO, AOCODIGO, DATA, BAIXA) values ('000223', 902, '03/17/2026', null)",
             "insert into ACEM14IT (DOCUMENTO, AOCODIGO, DATA, BAIXA) values ('000444', 904, '03/26/2026', 'N')",
             "insert into ACEM14IT (DOCUMENTO, AOCODIGO, DATA, BAIXA) values ('000445', 904, '03/27/2026', 'C')",
         })
        exec(sql);
    dmGlobal->IBTransaction1->commitRetaining();
}

QString SelecaoRelTest::vistaAberta()
{
    auto* janela = static_cast<TfmVisualizadorRelatorio*>(host::ui::WindowRegistry::find("fmVisualizadorRelatorio"));
    if (!janela)
        return {};
    const QString dump = janela->pages().textDump();
    janela->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return dump;
}

QStringList SelecaoRelTest::linhasDe(const QString& dump, const QString& banda)
{
    QStringList linhas;
    for (const QString& linha : dump.split('\n'))
        if (linha.section(':', 0, 0).section(' ', 1) == banda)
            linhas << linha;
    return linhas;
}

}  // namespace moduletest
