// Keys unique over a whole table, taken by two desks at once: each desk's
// save draws its key through the data module's own rule while the other
// desk's row, keyed by the same rule, is still uncommitted. Both rows are
// stored (two of them through their registers' windows). A technician draws
// them as the master user does. A start on a database whose rows were stored
// by other means leaves every generator at the largest key, so the next key
// drawn follows it. A number kept per document (a contract item's details)
// meets another desk's only on the same document, and loses no typing.

#include "tests/module/ModuleFixture.h"

#include "contract_data/uDataTecCont.h"
#include "contracts/uAssCadMedidor.h"
#include "data/uDataTec.h"
#include "host/UcadastroListagem.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/schema/HostSchema.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/SearchWindow.h"
#include "module/uPackageAss.h"
#include "service_orders/uAssEquipamento.h"

#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace moduletest {
namespace {

using host::data::Dataset;
using host::ui::Form;

// One key: the rule that draws it, and the least row of its table.
struct Chave {
    const char* tabela;
    const char* coluna;
    const char* gerador;
    std::function<int()> sorteia;   // the key the save would store, drawn by the data module's rule
    const char* linha;              // insert of a row with that key (%1)
};

// A new row's key given when the row is made.
int chaveDaNovaLinha(Dataset& dados, const char* coluna)
{
    if (!dados.active())
        dados.open();
    dados.append();
    const int chave = dados.fieldByName(coluna)->asInteger();
    dados.cancel();
    return chave;
}

// A key given by the save itself (before the row is written): the rule runs
// as the save runs it; what it checks after the key does not matter here.
int chaveDaGravacao(Dataset& dados, const char* coluna)
{
    if (!dados.active())
        dados.open();
    dados.append();
    try {
        if (dados.beforePost)
            dados.beforePost(dados);
    } catch (...) {
    }
    const int chave = dados.fieldByName(coluna)->asInteger();
    dados.cancel();
    return chave;
}

class ChavesDuasMesasTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        uPackageAss::ShowJanelaTec("fmAssTecnico");   // the data modules
    }

    std::vector<Chave> chaves()
    {
        TdmTec& t = *dmTec;
        TdmTecContrato& c = *dmTecContrato;
        return {
            {"AATC05ACEV", "ACEVCODIGO", "GEN_ACEVCODIGO", [&c] { return chaveDaGravacao(*c.quCtrVeiculo, "ACEVCODIGO"); },
             "insert into AATC05ACEV (ACEVCODIGO) values (%1)"},
            {"AUGC20EV", "EVCODIGO", "GEN_EVCODIGO", [&t] { return chaveDaNovaLinha(*t.quEquipamentoLocacao, "EVCODIGO"); },
             "insert into AUGC20EV (EVCODIGO, EVID) values (%1, 'L')"},
            {"AUGC20EVGR", "EVGRSEQUENCIA", "GEN_EVGRSEQUENCIA",
             [&t] { return chaveDaGravacao(*t.quEquipamentoGrupo, "EVGRSEQUENCIA"); },
             "insert into AUGC20EVGR (EVGRSEQUENCIA) values (%1)"},
            {"AUGC20KM", "KMCODIGO", "GEN_KMCODIGO", [this] { return chaveDaQuilometragem(); },
             "insert into AUGC20KM (KMCODIGO) values (%1)"},
            {"AATC11AJ", "AJCODIGO", "GEN_AJCODIGO", [&c] { return chaveDaNovaLinha(*c.quCtrObjeto, "AJCODIGO"); },
             "insert into AATC11AJ (AJCODIGO) values (%1)"},
            {"AUGC03CO", "COCODIGO", "GEN_COCODIGO", [&c] { return chaveDaNovaLinha(*c.quCtrCadastroEquip, "COCODIGO"); },
             "insert into AUGC03CO (COCODIGO) values (%1)"},
            {"AUGC03CO", "COCODIGO", "GEN_COCODIGO", [&t] { return chaveDaNovaLinha(*t.quContServ, "COCODIGO"); },
             "insert into AUGC03CO (COCODIGO) values (%1)"},
            {"AATC05CO", "COCODIGO", "GEN_AATC05CO_COCODIGO",
             [&c] { return chaveDaNovaLinha(*c.quCtrCadastroMedidor, "COCODIGO"); },
             "insert into AATC05CO (COCODIGO) values (%1)"},
            {"AATC05ACITCO", "ACITCOCODIGO", "GEN_ACITCOCODIGO",
             [&c] { return chaveDaNovaLinha(*c.quCtrCadastroItCo, "ACITCOCODIGO"); },
             "insert into AATC05ACITCO (ACITCOCODIGO, ACITCODIGO) values (%1, 0)"},
            {"AATC05FG", "FGCODIGO", "GEN_FGCODIGO", [&c] { return chaveDaGravacao(*c.QuFranquiaPorGrupo, "FGCODIGO"); },
             "insert into AATC05FG (FGCODIGO, COCODIGO) values (%1, 0)"},
            {"AATC07AI", "AICODIGO", "GEN_AICODIGO", [&t] { return chaveDaNovaLinha(*t.quSolicita, "AICODIGO"); },
             "insert into AATC07AI (AICODIGO, AIID, AISEQUENCIA) values (%1, 'C', 0)"},
            {"AATC01AS", "ASCODIGO", "GEN_ASCODIGO", [&t] { return chaveDaNovaLinha(*t.quOSSituacao, "ASCODIGO"); },
             "insert into AATC01AS (ASCODIGO) values (%1)"},
            {"AATC08AF", "AFCODIGO", "GEN_AFCODIGO", [&t] { return chaveDaGravacao(*t.quOSCusto, "AFCODIGO"); },
             "insert into AATC08AF (AFCODIGO) values (%1)"},
            {"AATC03AECL", "AECLCODIGO", "GEN_AECLCODIGO", [&t] { return chaveDaGravacao(*t.quEquipCli, "AECLCODIGO"); },
             "insert into AATC03AECL (AECLCODIGO) values (%1)"},
            {"AATC03AE", "AECODIGO", "GEN_AECODIGO", [&t] { return chaveDaNovaLinha(*t.quEquipamento, "AECODIGO"); },
             "insert into AATC03AE (AECODIGO) values (%1)"},
            {"AATC01AAAD", "AAADSEQUENCIA", "GEN_AAADSEQUENCIA",
             [&t] { return chaveDaGravacao(*t.quOSAndDef, "AAADSEQUENCIA"); },
             "insert into AATC01AAAD (AAADSEQUENCIA) values (%1)"},
            {"AATC01AOAD", "AOADCODIGO", "GEN_AOADCODIGO", [&t] { return chaveDaGravacao(*t.quOSItemDef, "AOADCODIGO"); },
             "insert into AATC01AOAD (AOADCODIGO) values (%1)"},
            {"AATC02AD", "ADCODIGO", "GEN_ADCODIGO", [&t] { return chaveDaNovaLinha(*t.quDefeito, "ADCODIGO"); },
             "insert into AATC02AD (ADCODIGO) values (%1)"},
            {"AATC06AT", "ATCODIGO", "GEN_ATCODIGO", [&t] { return chaveDaNovaLinha(*t.quTecnicos, "ATCODIGO"); },
             "insert into AATC06AT (ATCODIGO) values (%1)"},
            {"AATC06ATDC", "ATDCCODIGO", "GEN_ATDCCODIGO", [&t] { return chaveDaNovaLinha(*t.QuTecDesc, "ATDCCODIGO"); },
             "insert into AATC06ATDC (ATDCCODIGO) values (%1)"},
            {"AATC04AH", "AHCODIGO", "GEN_AHCODIGO", [&t] { return chaveDaNovaLinha(*t.quHoraTecnica, "AHCODIGO"); },
             "insert into AATC04AH (AHCODIGO) values (%1)"},
            {"AATC05AC", "ACCODIGO", "GEN_ACCODIGO", [&t] { return chaveDaNovaLinha(*t.quContrato, "ACCODIGO"); },
             "insert into AATC05AC (ACCODIGO) values (%1)"},
        };
    }

    // The mileage list of a vehicle: a reading added on it.
    int chaveDaQuilometragem()
    {
        int chave = 0;
        dialogs->modal("fmPesquisa", [&chave](Form& janela) {
            auto& lista = static_cast<TfmPesquisa&>(janela);
            chave = chaveDaNovaLinha(*lista.dataSource()->dataset(), "KMCODIGO");
            QTest::keyClick(&lista, Qt::Key_Escape);
        });
        AbreMovimentoKMVeiculo(0, 1);
        return chave;
    }

    // The other desk draws a key through the rule, on a transaction of its
    // own, and writes its row without committing.
    int outraMesaGravaSemConfirmar(const Chave& chave)
    {
        outra_.open({dbPath});
        transacao_ = std::make_unique<host::db::Transaction>(outra_);
        std::swap(dmGlobal->IBTransaction1, transacao_);
        int sorteada = 0;
        try {
            sorteada = chave.sorteia();
        } catch (...) {
            std::swap(dmGlobal->IBTransaction1, transacao_);
            throw;
        }
        std::swap(dmGlobal->IBTransaction1, transacao_);
        host::db::executeSql(*transacao_, QString(chave.linha).arg(sorteada));
        return sorteada;
    }
    void outraMesaConfirma()
    {
        transacao_->commit();
        transacao_.reset();
        outra_.close();
    }

    QStringList recusas() const
    {
        QStringList textos = dialogs->failures();
        for (const host::ui::DialogRequest& d : dialogs->shown())
            if (d.kind == host::ui::DialogKind::Warning || d.kind == host::ui::DialogKind::Error)
                textos << d.text;
        return textos;
    }
    std::string vistos() const { return dialogs->texts().join(" | ").toStdString(); }

    host::db::Connection outra_;
    std::unique_ptr<host::db::Transaction> transacao_;
};

TEST_F(ChavesDuasMesasTest, EachKeyDrawnByTwoDesksAtOnceStoresBothRows)
{
    for (const Chave& chave : chaves()) {
        SCOPED_TRACE(std::string(chave.tabela) + "." + chave.coluna);
        int daOutra = 0;
        int desta = 0;
        try {
            daOutra = outraMesaGravaSemConfirmar(chave);
            desta = chave.sorteia();
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
            transacao_.reset();
            outra_.close();
            continue;
        }
        EXPECT_GT(desta, 0);
        EXPECT_NE(desta, daOutra);
        try {
            host::db::executeSql(tr(), QString(chave.linha).arg(desta));
            tr().commitRetaining();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "this desk's row refused: " << e.what();
            tr().rollbackRetaining();
        }
        outraMesaConfirma();
        EXPECT_EQ(lido(QString("select count(*) from %1 where %2 in (%3, %4)")
                           .arg(chave.tabela, chave.coluna)
                           .arg(daOutra)
                           .arg(desta)),
                  QStringList{"2"});
    }
}

// A technician, not the master user, draws every key as the master user does.
TEST_F(ChavesDuasMesasTest, AUserWhoIsNotTheMasterUserDrawsEachKey)
{
    entrarComo("MARIA");
    uPackageAss::ShowJanelaTec("fmAssTecnico");
    for (const Chave& chave : chaves()) {
        SCOPED_TRACE(std::string(chave.tabela) + "." + chave.coluna);
        try {
            EXPECT_GT(chave.sorteia(), 0);
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
        }
    }
}

// The first start after the generators came, by a technician who may not
// make them: the start goes on; the master user's start makes them, and the
// technician draws from them.
TEST_F(ChavesDuasMesasTest, AStartByAUserWhoMayNotMakeTheGeneratorsGoesOnAndTheMastersStartMakesThem)
{
    exec("drop generator GEN_KMCODIGO");
    tr().commitRetaining();
    entrarComo("MARIA");
    EXPECT_NO_THROW(host::createHostSchema(tr()));
    EXPECT_FALSE(host::db::generatorExists(tr(), "GEN_KMCODIGO"));
    entrarComo("SYSDBA");
    host::createHostSchema(tr());
    entrarComo("MARIA");
    EXPECT_GT(chaveDaQuilometragem(), 0);
}

// A database whose generators an earlier version made without granting
// them: after the master user's start a technician draws their keys.
TEST_F(ChavesDuasMesasTest, AfterTheMastersStartATechnicianDrawsFromGeneratorsMadeWithoutAGrant)
{
    for (const char* gerador : {"GEN_ACCODIGO", "GEN_NSCODIGO", "GEN_KMCODIGO"})
        exec(QString("revoke usage on generator %1 from public").arg(gerador));
    tr().commitRetaining();
    host::createHostSchema(tr());
    entrarComo("MARIA");
    uPackageAss::ShowJanelaTec("fmAssTecnico");
    EXPECT_GT(chaveDaNovaLinha(*dmTec->quContrato, "ACCODIGO"), 0);
    EXPECT_GT(chaveDaQuilometragem(), 0);
}

// Rows stored with larger keys by other means (an import, an older
// version): the start leaves each generator at the largest key, and the
// rule's next key follows it.
TEST_F(ChavesDuasMesasTest, AStartOnStoredRowsRaisesEachGeneratorToTheLargestKey)
{
    const std::vector<Chave> lista = chaves();
    QStringList guardadas;
    for (const Chave& chave : lista)
        if (!guardadas.contains(chave.tabela)) {
            outraMesa(QString(chave.linha).arg(30000));
            guardadas << chave.tabela;
        }
    host::raiseGeneratorsToKeys(tr());
    tr().commitRetaining();
    for (const Chave& chave : lista) {
        SCOPED_TRACE(std::string(chave.tabela) + "." + chave.coluna);
        EXPECT_EQ(one(QString("select gen_id(%1, 0) from rdb$database").arg(chave.gerador)).toInt(), 30000);
    }
    for (const Chave& chave : lista) {
        SCOPED_TRACE(std::string(chave.tabela) + "." + chave.coluna);
        const int proxima = chave.sorteia();
        EXPECT_GT(proxima, 30000);
        EXPECT_LE(proxima, 30003) << "the next keys, not a jump";
    }
}

// The meter register: a new meter saved while another desk's new meter is
// still uncommitted. Both are stored, each under its own code.
TEST_F(ChavesDuasMesasTest, ANewMeterSavedWhileAnotherDeskAddsOneKeepsBoth)
{
    uPackageAss::ShowJanelaTec("fmAssCadMedidor");
    TfmAssCadMedidor* form = fmAssCadMedidor.get();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    const int daOutra = outraMesaGravaSemConfirmar(
        {"AATC05CO", "COCODIGO", "", [] { return chaveDaNovaLinha(*dmTecContrato->quCtrCadastroMedidor, "COCODIGO"); },
         "insert into AATC05CO (COCODIGO, CODESCRICAO, COID) values (%1, 'Da outra mesa', 'M')"});

    form->bbNovo->click();
    digita(form->dbedDescricao, "Copiadoras do andar");
    form->bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    outraMesaConfirma();

    EXPECT_EQ(lido("select CODESCRICAO from AATC05CO where CODESCRICAO in ('Da outra mesa', 'Copiadoras do andar')"
                   " order by CODESCRICAO"),
              (QStringList{"Copiadoras do andar", "Da outra mesa"}));
    EXPECT_NE(lido("select COCODIGO from AATC05CO where CODESCRICAO = 'Copiadoras do andar'"),
              QStringList{QString::number(daOutra)});
    form->close();
}

// The equipment-model register: the code shown on "Novo" is the one stored,
// and another desk's model added at the same time keeps its own.
TEST_F(ChavesDuasMesasTest, ANewModelSavedWhileAnotherDeskAddsOneKeepsBothUnderTheirCodes)
{
    TfmAssEquipamento& form = abrirJanela(fmAssEquipamento, "fmAssEquipamento");
    const int daOutra = outraMesaGravaSemConfirmar(
        {"AATC03AE", "AECODIGO", "", [] { return dmTec->CodigoDisponivelEquipamento(); },
         "insert into AATC03AE (AECODIGO, AEDESCRICAO) values (%1, 'Modelo da outra mesa')"});

    form.bbNovo->click();
    const QString mostrado = form.dbedCodigo->text();
    EXPECT_NE(mostrado, QString::number(daOutra));
    digita(form.dbedDescricao, "Balanca de bancada");
    form.bbSalvar->click();
    EXPECT_EQ(recusas(), QStringList{}) << vistos();
    outraMesaConfirma();

    EXPECT_EQ(lido("select AEDESCRICAO from AATC03AE where AECODIGO = " + mostrado),
              QStringList{"Balanca de bancada"});
    EXPECT_EQ(lido(QString("select AEDESCRICAO from AATC03AE where AECODIGO = %1").arg(daOutra)),
              QStringList{"Modelo da outra mesa"});
    form.close();
}

// A contract item's details are numbered per item: two desks collide only on
// the same item, and then the second save is refused with the row it typed
// still there, saved by the next try under the next number.
TEST_F(ChavesDuasMesasTest, TwoDesksAddingADetailToTheSameItemLoseNoTyping)
{
    exec("insert into AATC05AC (ACCODIGO, CLCODIGO) values (901, '00001')");
    exec("insert into AATC05ACIT (ACITCODIGO, CLCODIGO, PRCODIGO, ACCODIGO) values (9010, '00001', 'P0001', 901)");
    exec("insert into AATC05ACDT (ACITCODIGO, ACDTSEQUENCIA, PRCODIGO) values (9010, 1, 'P0001')");
    tr().commitRetaining();
    uPackageAss::CriarDataTecContrato();
    dmTecContrato->CarregaContratoItem("00001", "901");
    uPackageAss::ShowJanelaTec("fmAssContCadDet");
    Dataset& detalhes = *dmTecContrato->quCtrCadastroDet;
    ASSERT_TRUE(detalhes.active());
    const int daOutra = outraMesaGravaSemConfirmar(
        {"AATC05ACDT", "ACDTSEQUENCIA", "", [&detalhes] { return chaveDaGravacao(detalhes, "ACDTSEQUENCIA"); },
         "insert into AATC05ACDT (ACITCODIGO, ACDTSEQUENCIA, PRCODIGO) values (9010, %1, 'P0002')"});

    detalhes.append();
    detalhes.fieldByName("ACDTOBSERVACAO")->setAsString("Cabo extra");
    EXPECT_ANY_THROW(detalhes.post());
    EXPECT_EQ(detalhes.state(), host::data::DatasetState::Insert);
    EXPECT_EQ(detalhes.fieldByName("ACDTOBSERVACAO")->asString(), "Cabo extra");

    outraMesaConfirma();
    detalhes.post();
    tr().commitRetaining();
    EXPECT_EQ(lido("select ACDTSEQUENCIA || '|' || coalesce(ACDTOBSERVACAO, '') from AATC05ACDT"
                   " where ACITCODIGO = 9010 order by ACDTSEQUENCIA"),
              (QStringList{"1|", QString::number(daOutra) + "|", QString::number(daOutra + 1) + "|Cabo extra"}));
    if (fmPesquisa.get())
        fmPesquisa->close();
}

}  // namespace
}  // namespace moduletest
