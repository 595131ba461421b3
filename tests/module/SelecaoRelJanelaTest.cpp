// The service-order report selection, opened through the dispatcher: the
// statement of each report kind (its text and its rows on the database),
// the kind layouts and toggles, the pickers, the invoice-date notice, the
// failure warning, and the previews and prints of its four reports.

#include "tests/module/SelecaoRelFixture.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Uvisualrel.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/EditControls.h"
#include "host/ui/SearchWindow.h"
#include "service_orders/uAssOSSelecaoRelImp.h"
#include "service_orders/uAssOSSelecaoSituacaoRel.h"
#include "service_orders/uAssOSTotalCliImp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QToolButton>

namespace moduletest {
namespace {

using uAssOSSelecaoRel::FiltroSelecaoOS;

class SelecaoRelJanelaTest : public SelecaoRelTest {
protected:
    // Rows of a statement on the database: the listed column of each.
    QStringList coluna(const QString& sql, const QString& nome)
    {
        host::data::Query q(nullptr, "quTeste");
        q.setTransaction(dmGlobal->IBTransaction1.get());
        q.setSql(sql);
        QStringList valores;
        for (q.open(); !q.eof(); q.next())
            valores << q.fieldByName(nome)->asString();
        return valores;
    }
    static bool semImpressora() { return QPrinterInfo::defaultPrinter().isNull(); }
};

// ---- the statements ----

TEST_F(SelecaoRelJanelaTest, ItemsStatementSumsEachItemsLinesOnceAndTakesItsFilters)
{
    FiltroSelecaoOS f;
    const QString vazio = uAssOSSelecaoRel::SqlSelecaoOS(f);
    EXPECT_TRUE(vazio.contains("where not(it.aoitcodigo is null) \ngroup by")) << "no filter, no condition";
    EXPECT_EQ(coluna(vazio, "AOITCODIGO"), (QStringList{"9011", "9012", "9041", "9021", "9031"}))
        << "every item of every order, by customer and order";
    // An item with two service and two parts lines: one row, each line once.
    host::data::Query q(nullptr, "quItens");
    q.setTransaction(dmGlobal->IBTransaction1.get());
    q.setSql(vazio);
    q.open();
    ASSERT_TRUE(q.locate("AOITCODIGO", 9011));
    EXPECT_DOUBLE_EQ(q.fieldByName("TOTSERV")->asFloat(), 150);
    EXPECT_DOUBLE_EQ(q.fieldByName("VALORPECAS")->asFloat(), 30);
    EXPECT_DOUBLE_EQ(q.fieldByName("AOVALORTOTAL")->asFloat(), 180) << "the order's own total";
    EXPECT_EQ(q.fieldByName("HORAS")->asInteger(), 90);
    EXPECT_EQ(q.fieldByName("HORASANDAMENTO")->asInteger(), 25);
    double soma = 0;
    for (q.first(); !q.eof(); q.next())
        if (q.fieldByName("AOCODIGO")->asInteger() == 901)
            soma += q.fieldByName("AOVALORTOTAL")->asFloat();
    EXPECT_DOUBLE_EQ(soma, 180) << "the order's rows add up to its total, not more";
    ASSERT_TRUE(q.locate("AOITCODIGO", 9021));
    EXPECT_DOUBLE_EQ(q.fieldByName("AOVALORTOTAL")->asFloat(), 85) << "with the travel expenses";
    q.close();

    f.clienteIni = "T0001";
    f.clienteFim = "T0001";
    f.tecIni = "1";
    f.tecFim = "1";
    f.servico = "revisão";
    f.osIni = "900";
    f.osFim = "905";
    f.periodoIni = "01/04/2026";
    f.periodoFim = "30/04/2026";
    f.periodoCobranca = true;
    f.atendente = "Ana";
    const QString sql = uAssOSSelecaoRel::SqlSelecaoOS(f);
    EXPECT_TRUE(sql.contains("where not(it.aoitcodigo is null) \n"
                             " and (os.clcodigo between 'T0001' and 'T0001')\n"
                             " and (it.AOITEQUIPCODIGO between 1 and 1)\n"
                             " and (prod.DESCRICAO containing 'revisão')\n"
                             " and (os.aocodigo between 900 and 905)\n"
                             " and (os.AODATACOBRANCA between '04/01/2026 00:00:00' and '04/30/2026 23:59:59')\n"
                             " and (os.aoatendente = 'Ana')\n"
                             "group by"))
        << sql.toStdString();
    EXPECT_TRUE(sql.endsWith("order by os.clcodigo, os.aocodigo, os.aodataentrada"));
    EXPECT_EQ(coluna(sql, "AOITCODIGO"), QStringList{"9011"});
    EXPECT_EQ(coluna(sql, "SERVICO"), QStringList{"Limpeza e revisão preventiva"});
}

TEST_F(SelecaoRelJanelaTest, SituationStatementListsItemsWithSituationAndTechnician)
{
    FiltroSelecaoOS f;
    EXPECT_EQ(coluna(uAssOSSelecaoRel::SqlSelecaoSituacao(f), "AOITCODIGO"),
              (QStringList{"9011", "9012", "9021", "9031", "9041"}));
    f.osIni = "901";
    f.osFim = "902";
    f.tecIni = "2";
    f.periodoIni = "15/03/2026";
    const QString sql = uAssOSSelecaoRel::SqlSelecaoSituacao(f);
    EXPECT_TRUE(sql.contains("where not(it.aoitcodigo is null) \n"
                             " and (it.AOCODIGO between 901 and 902)\n"
                             " and (os.AODATAENTRADA between '03/15/2026 00:00:00' and '03/15/2026 23:59:59')\n"
                             " and (os.ATCodigo = '2')\n"
                             "order by it.AOCODIGO, os.CLCODIGO, os.AODATAENTRADA"))
        << sql.toStdString();
    EXPECT_EQ(coluna(sql, "AOCODIGO"), QStringList{"902"});
    EXPECT_EQ(coluna(sql, "SITUACAO"), QStringList{"Concluída"});
    EXPECT_EQ(coluna(sql, "ATNOME"), QStringList{"MARIA APARECIDA SOUZA"});
}

TEST_F(SelecaoRelJanelaTest, CustomerEquipmentStatementFiltersEquipmentCodesAndDateValues)
{
    FiltroSelecaoOS f;
    EXPECT_EQ(coluna(uAssOSSelecaoRel::SqlClienteporEquipamento(f), "AOCODIGO").size(), 5);
    f.osIni = "3";
    f.osFim = "3";
    f.dataIni = QDateTime(QDate(2026, 3, 11), QTime(0, 0));
    f.atendente = "bi";
    const QString sql = uAssOSSelecaoRel::SqlClienteporEquipamento(f);
    EXPECT_TRUE(sql.contains("where not(it.aoitcodigo is null) \n"
                             " and (it.AOITEQUIPCodigo between 3 and 3)\n"
                             " and os.AODATAENTRADA >= '03/11/2026 00:00:00'\n"
                             " and (os.AOATENDENTE containing 'bi')\n"
                             "group by it.AOITEQUIPDESCRICAO"))
        << sql.toStdString();
    EXPECT_TRUE(sql.endsWith("order by os.clcodigo, it.AOITEQUIPDESCRICAO"));
    EXPECT_EQ(coluna(sql, "AOCODIGO"), QStringList{"903"}) << "equipment 3 of an order entered after the date";
}

TEST_F(SelecaoRelJanelaTest, TotalizerStatementByCustomerNameTypeAndHeaderField)
{
    FiltroSelecaoOS f;
    f.cliente = "beta";
    f.atendente = "Climatização";
    f.campoOS = "AOATENDENTE";
    f.valorCampoOS = "bi";
    const QString sql = uAssOSSelecaoRel::SqlTotalizadorCliente(f);
    EXPECT_TRUE(sql.contains("where not(os.aocodigo is null)\n"
                             "    and upper(cli.nome) containing 'BETA'\n"
                             " and (eq.aetipo = 'Climatização')\n"
                             " and (upper(os.AOATENDENTE) like '%BI%')\n"
                             "order by cli.nome, os.aocodigo"))
        << sql.toStdString();
    EXPECT_EQ(coluna(sql, "AOCODIGO"), QStringList{"903"});
    f = {};
    f.campoOS = "AOVALORTOTAL";
    f.tipoCampoOS = host::data::FieldType::Float;
    f.valorCampoOS = "85";
    EXPECT_TRUE(uAssOSSelecaoRel::SqlTotalizadorCliente(f).contains(" and ((os.AOVALORTOTAL) = 85)"));
    EXPECT_EQ(coluna(uAssOSSelecaoRel::SqlTotalizadorCliente(f), "AOCODIGO"), QStringList{"902"});
}

}  // namespace
}  // namespace moduletest
