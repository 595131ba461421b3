#include "tests/module/ModuleFixture.h"

#include "data/uDataTec.h"
#include "data/udmRelTec.h"
#include "host/HostLog.h"
#include "host/db/Database.h"
#include "host/Udatamod.h"
#include "host/Uprincipal.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Layouts.h"
#include "host/ui/WindowRegistry.h"
#include "module/uPackageAssDados.h"
#include "tests/support/ModuleTemplate.h"
#include "tests/support/TestDatabase.h"

#include <QCoreApplication>
#include <QLineEdit>

#include "contract_data/uDataTecCont.h"

namespace moduletest {

QString ModuleTest::templatePath()
{
    return testsupport::moduleTemplateDatabase(HostDemoDatabaseTest::templatePath());
}

void ModuleTest::SetUp()
{
    HostDemoDatabaseTest::SetUp();
    host::ui::Layouts::setFolder(systemFolder);
    parametro("ATUTILIZACONTRATOS", "N");
    parametro("ATOPCAOCONTRATO", "");
}

void ModuleTest::TearDown()
{
    host::ui::WindowRegistry::freeAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    principal.reset();
    DmRelTec.free();
    dmTecContrato.free();
    dmTec.free();
    HostDemoDatabaseTest::TearDown();
}

void ModuleTest::parametro(const QString& nome, const QString& valor)
{
    global->SetParametro(nome, valor);
}

void ModuleTest::entrarComo(const QString& usuario)
{
    if (IbUserName() == "SYSDBA")
        testsupport::grantAllToPublic(*global->IBTransaction1, {"GEN_AOITCODIGO"});
    dmTecContrato.free();
    dmTec.free();
    global->IBTransaction1->commit();
    global.reset();
    global = std::make_unique<TdmGlobal>(dbPath, usuario, "x");
}

qint64 ModuleTest::registrosLidos()
{
    const QString desta = one("select CURRENT_CONNECTION from RDB$DATABASE").toString();
    return lido("select r.MON$RECORD_SEQ_READS + r.MON$RECORD_IDX_READS from MON$ATTACHMENTS a"
                " join MON$RECORD_STATS r on r.MON$STAT_ID = a.MON$STAT_ID where a.MON$ATTACHMENT_ID = " +
                desta)
        .value(0)
        .toLongLong();
}

QStringList ModuleTest::lido(const QString& sql) const
{
    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction leitura(outra);
    host::db::Statement st(leitura, sql);
    st.execute();
    QStringList linhas;
    while (st.fetch())
        linhas << st.value(0).toString().trimmed();
    return linhas;
}

void ModuleTest::outraMesa(const QString& sql) const
{
    host::db::Connection outra;
    outra.open({dbPath});
    host::db::Transaction escrita(outra);
    const int linhas = host::db::executeSql(escrita, sql);
    escrita.commit();
    ASSERT_EQ(linhas, 1) << sql.toStdString();
}

void ModuleTest::criarPrincipal() { principal = std::make_unique<TfmPrincipal>(); }

QStringList ModuleTest::logDe(const QString& origem) const
{
    QStringList linhas;
    for (const host::LogEntry& entrada : host::logTrace())
        if (entrada.origin == origem)
            linhas << entrada.text;
    return linhas;
}

void ModuleTest::celula(host::ui::DataGrid* grade, const char* campo, const QString& texto, Qt::Key fim)
{
    grade->setFocus();
    host::ui::GridColumn* coluna = grade->columnByField(campo);
    ASSERT_NE(coluna, nullptr) << campo;
    grade->setSelectedIndex(coluna->index());
    grade->editCurrentCell();
    QWidget* editor = grade->indexWidget(grade->currentIndex());
    auto* linha = qobject_cast<QLineEdit*>(editor);
    if (!linha && editor)
        linha = editor->findChild<QLineEdit*>();
    ASSERT_NE(linha, nullptr) << campo;
    linha->selectAll();
    QTest::keyClicks(linha, texto);
    QTest::keyClick(linha, fim);
    QCoreApplication::processEvents();
}

void ModuleTest::digita(QWidget* controle, const QString& texto)
{
    controle->setFocus();
    if (auto* linha = qobject_cast<QLineEdit*>(controle))
        linha->selectAll();
    else if (auto* interna = controle->findChild<QLineEdit*>())
        interna->selectAll();
    // A character beyond ASCII ("ç", Cyrillic, a typographic quote)
    // arrives as the text of a key press, as an input method sends it.
    for (const QChar c : texto) {
        if (c.unicode() < 0x80)
            QTest::keyClick(controle, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, controle, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QTest::keyClick(controle, Qt::Key_Tab);
}

void ModuleTest::novaLinhaNaGrade(host::ui::DataGrid* grade, const char* campo, const QString& texto)
{
    grade->setFocus();
    QTest::keyClick(grade, Qt::Key_Insert);
    celula(grade, campo, texto, Qt::Key_Return);
}

}  // namespace moduletest
