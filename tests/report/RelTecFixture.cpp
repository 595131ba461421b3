#include "tests/report/RelTecFixture.h"

#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "data/udmRelTec.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/WindowRegistry.h"
#include "tests/support/ModuleTemplate.h"

#include <QCoreApplication>

namespace reltectest {

namespace {

QDateTime at(int year, int month, int day, int hour = 0, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

}  // namespace

QString RelTecTest::templatePath()
{
    return testsupport::moduleTemplateDatabase(HostDemoDatabaseTest::templatePath());
}

void RelTecTest::SetUp()
{
    HostDemoDatabaseTest::SetUp();
    insertOrders();
    insertRental();
    tr().commitRetaining();
    dmTec.create(nullptr);
}

void RelTecTest::TearDown()
{
    host::ui::WindowRegistry::freeAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    DmRelTec.free();
    dmTecContrato.free();
    dmTec.free();
    HostDemoDatabaseTest::TearDown();
}

void RelTecTest::insertOrders()
{
    // Order 1: a company customer, two items, three service lines (one not
    // authorised), two parts lines (one without a product), progress records.
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOHORAENTRADA, AOATENDENTE, AOCONTATO,"
         " AOVALORPECAS, AOVALORSERVICO, AODESPVIAGEM, AODESPDIVERSAS, AODESCONTO, AOVALORTOTAL, AOATENDIMENTO,"
         " AOPREVLIBERACAO, AOVALIDADEORCAMENTO, AOIMPRIMIRLAUDO, AODESCRICAOLAUDO, AOCAUSA, AOSOLUCAO,"
         " AOOBSERVACAO, TVCODIGO)"
         " values (1, '00002', :entrada, :hora, 'Carla', 'Sr. Paulo', 125.4, 270, 30, 10, 5, 430.4, 'E', 0,"
         " :validade, 'S', 'Fonte queimada', 'Surto de tensão', 'Troca da fonte', 'Cliente aguarda', '02')",
         {{"entrada", at(2026, 3, 5)}, {"hora", at(1899, 12, 30, 14, 30)}, {"validade", at(2026, 3, 15)}});
    exec("insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPDESCRICAO, AOITMARCA, AOITMODELO, AOITSERIE,"
         " AOITPLACA, AOITDEFEITO, AOITGARANTIA, AOITNUMERONOTAFISCAL)"
         " values (101, 1, 'Impressora laser', 'HP', 'P1102', 'SN-123', 'ABC1234', 'Não liga', '2', '5544')");
    exec("insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPDESCRICAO, AOITSERIE) values (102, 1, 'Notebook', 'SN-999')");
    exec("insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR, AAVALORTOTAL, AATOTAL,"
         " AHCODIGO, AAAUTORIZADO) values (1, 1, 101, 'S0001', 2, 120, 240, 120, 2, 'S')");
    exec("insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR, AAVALORTOTAL, AATOTAL,"
         " AAAUTORIZADO) values (1, 2, 101, 'S0002', 1, 30, 30, 0, 'S')");
    exec("insert into AATC01AA (AOCODIGO, AACODIGO, AOITCODIGO, PRCODIGO, AAQUANTIDADE, AAVALOR, AAVALORTOTAL, AATOTAL,"
         " AAAUTORIZADO) values (1, 3, 101, 'S0003', 1, 150, 150, 0, 'N')");
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APQUANTIDADE, APVALUNITARIO, APVALTOTAL)"
         " values (1, 1, 101, 'P0001', 1, 89.9, 89.9)");
    exec("insert into AATC01AP (AOCODIGO, APSEQUENCIA, AOITCODIGO, PRCODIGO, APQUANTIDADE, APVALUNITARIO, APVALTOTAL)"
         " values (1, 2, 101, null, 1, 35.5, 35.5)");
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, CTTEMPOTOTAL, DATA_SOLICITADA, HORA_SOLICITADA)"
         " values ('00002', 1, 1, 'A', 45, :data, :hora)",
         {{"data", at(2026, 3, 4)}, {"hora", at(1899, 12, 30, 9, 15)}});
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, CTTEMPOTOTAL) values ('00002', 2, 1, 'A', 15)");
    exec("insert into AATC03AECL (AECLCODIGO, AECODIGO, CLCODIGO, AECLNUMEROSERIE) values (1, 1, '00002', 'SN-123')");

    // Order 2: a person, one item without lines; its only progress record has another origin.
    exec("insert into AATC01AO (AOCODIGO, CLCODIGO, AODATAENTRADA, AOVALORTOTAL, AOVALORPECAS, AOVALORSERVICO,"
         " AODESPVIAGEM, AODESPDIVERSAS, AODESCONTO, AOATENDIMENTO, AOPREVLIBERACAO, AOIMPRIMIRLAUDO)"
         " values (2, '00003', :entrada, 0, 0, 0, 0, 0, 0, 'I', 3, 'N')",
         {{"entrada", at(2026, 3, 6)}});
    exec("insert into AATC01AOIT (AOITCODIGO, AOCODIGO, AOITEQUIPDESCRICAO, AOITSERIE) values (201, 2, 'Ar-condicionado', 'AC-7')");
    exec("insert into CADCOM (COD_CLI, SEQUENCIA, CONTRATO, IDORIGEM, CTTEMPOTOTAL, DATA_SOLICITADA, HORA_SOLICITADA)"
         " values ('00003', 1, 2, 'X', 100, :data, :hora)",
         {{"data", at(2026, 3, 1)}, {"hora", at(1899, 12, 30, 16, 40)}});
}

void RelTecTest::insertRental()
{
    exec("insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO, ACDATABASE, ACOBJETO, ACVALOR, ACTEXTO,"
         " ACDATAVALIDADE) values (7, 'LOC-0007', '00004', :base, 'Locação de impressoras', 500,"
         " 'Cláusula primeira: o locatário conserva os equipamentos.', :validade)",
         {{"base", at(2026, 2, 1)}, {"validade", at(2027, 1, 31)}});
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMODELO, EVMARCA, EVNSNUMERO) values (1, 'L', 'LaserJet', 'HP', 'EV-1')");
    exec("insert into AUGC20EV (EVCODIGO, EVID, EVMODELO, EVMARCA, EVNSNUMERO) values (2, 'A', 'Cabo USB', 'Genérico', 'EV-2')");
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, EVCODIGO, ACITVALOR, ACITDATAENTREGA)"
         " values (1001, 7, '00004', 'P0003', 1, 250, :entrega)",
         {{"entrega", at(2026, 2, 2)}});
    exec("insert into AATC05ACIT (ACITCODIGO, ACCODIGO, CLCODIGO, PRCODIGO, EVCODIGO, ACITEQUIPAMENTOPAI)"
         " values (1002, 7, '00004', 'P0005', 2, 1001)");
    exec("insert into ACEM1401 (DOCUMENTO, SERIE_DOC, COD_CLI, OPERACAO_DOC, LOCAL_DOC, DATA, TOTAL_DOC)"
         " values ('000123', '00001', '00004', 'RC', '01', :data, 750)",
         {{"data", at(2026, 3, 10)}});
    exec("insert into ACEM14IT (DOCUMENTO, SERIE, COD_CLI, COD_OP, MELOCAL, CODIGOPRODUTO, SEQUENCIA,"
         " OBSERVACAO_PRODUTO, VALOR_TOTAL_UNIT) values ('000123', '00001', '00004', 'RC', '01', 'P0003', 1,"
         " 'LaserJet EV-1 (fevereiro)', 750)");
    exec("insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, VALOR_DOCUMENTO, DATA_VENCIMENTO)"
         " values ('000123', '00004', 1, 750, :vencimento)",
         {{"vencimento", at(2026, 3, 20)}});
}

QString RelTecTest::previewed(const std::function<void()>& show)
{
    QString dump;
    dialogs->modal("fmVisualizadorRelatorio", [&](host::ui::Form& form) {
        dump = static_cast<TfmVisualizadorRelatorio&>(form).pages().textDump();
    });
    show();
    return dump;
}

QStringList bands(const QString& dump, const QStringList& names)
{
    QStringList lines;
    for (const QString& line : dump.split('\n'))
        if (QString name = line.section(' ', 1, 1); name.endsWith(':') && names.contains(name.left(name.size() - 1)))
            lines << line;
    return lines;
}

}  // namespace reltectest
