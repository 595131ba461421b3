// The search windows of the registers, opened through the dispatcher and
// run without a filter over more rows than their counts read: besides what
// the list itself reads, a search reads as many records for 1,500 rows as
// for 3,000, and both counts say there are more.

#include "tests/module/ModuleFixture.h"

#include "contracts/uAssBasicoContratos.h"
#include "contracts/uPesqAssContratos.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/StatusBar.h"
#include "service_orders/uAssDefeito.h"
#include "service_orders/uAssEquipamento.h"
#include "shared_windows/uPesqAssDefeitos.h"
#include "shared_windows/uPesqAssEquipamento.h"

#include <QPushButton>
#include <QTest>

#include <functional>

namespace moduletest {
namespace {

using host::ui::Form;

struct Pesquisa {
    const char* dialogo;
    const char* linha;   // one row more, numbered :N
    QString lista;       // the search's list without a filter
    std::function<void()> abrir;   // the register's search
    std::function<QPushButton*(Form&)> ok;
    std::function<host::ui::StatusBar*(Form&)> status;
};

class ContagemPesquisasTest : public ModuleTest {
protected:
    void acrescenta(const char* linha, int ate)
    {
        host::db::Statement insercao(tr(), linha);
        for (; criadas_ < ate; ++criadas_) {
            insercao.setParam("N", criadas_);
            insercao.execute();
        }
        tr().commitRetaining();
    }
    // The records "OK" reads beyond the list's own, and the two panels.
    qint64 alemDaLista(const Pesquisa& p, QStringList& paineis)
    {
        qint64 lidos = 0;
        dialogs->modal(p.dialogo, [&](Form& janela) {
            const qint64 antes = registrosLidos();
            p.ok(janela)->click();
            lidos = registrosLidos() - antes;
            paineis = QStringList{p.status(janela)->panelText(0), p.status(janela)->panelText(1)};
        });
        p.abrir();
        const qint64 antes = registrosLidos();
        one(p.lista);
        return lidos - (registrosLidos() - antes);
    }
    int criadas_ = 10000;
};

TEST_F(ContagemPesquisasTest, CountsReadTheSameWhateverTheRows)
{
    using namespace uPesqAssDefeitos;
    parametro("ATSEMTOTALREGISTROS", "N");
    const Pesquisa pesquisas[] = {
        {"fmPesquisaAssContratos",
         "insert into AATC05AC (ACCODIGO, ACNUMEROCONTRATO, CLCODIGO) values (:N, 'C', '00003')",
         uPesqAssContratos::SqlLista({}),
         [this] { abrirJanela(fmAssBasicoContratos, "fmAssContratos").bbPesquisar->click(); },
         [](Form& j) { return static_cast<TfmPesquisaAssContratos&>(j).bbOk; },
         [](Form& j) { return static_cast<TfmPesquisaAssContratos&>(j).sbStatus; }},
        {"fmPesquisaAssDefeitos",
         "insert into AATC02AD (ADCODIGO, ADDESCRICAO, ADIDENTIFICADOR) values (:N, 'Defeito', 'D')",
         SqlPesquisaDefeitos({}, {}, {}, Onde::Contendo, 0),
         [this] { QTest::keyClick(&abrirJanela(fmAssDefeito, "fmAssDefeito"), Qt::Key_Escape); },
         [](Form& j) { return static_cast<TfmPesquisaAssDefeitos&>(j).bbPesquisa; },
         [](Form& j) { return static_cast<TfmPesquisaAssDefeitos&>(j).sbStatus; }},
        {"fmPesquisaAssEquipamento", "insert into AATC03AE (AECODIGO, AEDESCRICAO) values (:N, 'Equipamento')",
         uPesqAssEquipamento::SqlPesquisaEquipamento({}, 0),
         [this] { QTest::keyClick(&abrirJanela(fmAssEquipamento, "fmAssEquipamento"), Qt::Key_Escape); },
         [](Form& j) { return static_cast<TfmPesquisaAssEquipamento&>(j).bbPesquisa; },
         [](Form& j) { return static_cast<TfmPesquisaAssEquipamento&>(j).sbStatus; }},
    };
    for (const Pesquisa& p : pesquisas) {
        criadas_ = 10000;
        QList<qint64> leituras;
        QStringList paineis;
        for (int ate : {11500, 11500, 13000}) {   // the first search reads what only a first one does
            acrescenta(p.linha, ate);
            leituras << alemDaLista(p, paineis);
        }
        EXPECT_EQ(leituras.value(1), leituras.value(2)) << p.dialogo;
        EXPECT_EQ(paineis, (QStringList{"Total de Registros: mais de 1000", "Registros Encontrados: mais de 1000"}))
            << p.dialogo;
    }
}

}  // namespace
}  // namespace moduletest
