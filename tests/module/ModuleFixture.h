#pragma once
// The host on a demonstration database with its main window, scripted
// dialogs and the module's front door; every window, the data modules and
// the main window are freed after each test.

#include "tests/module/JanelaLegivel.h"
#include "tests/support/HostDatabase.h"

#include "host/Uprincipal.h"
#include "host/ui/WindowRegistry.h"
#include "module/uPackageAss.h"

#include <QTest>

#include <memory>
#include <ostream>

// Failed expectations show texts and lists of texts as they read.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << "{\n  \"" << list.join("\",\n  \"").toStdString() << "\"}";
}
QT_END_NAMESPACE

namespace host::ui {
class DataGrid;
}

namespace moduletest {

class ModuleTest : public testsupport::HostDemoDatabaseTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // The demonstration database with the module's own upgrades already run
    // (service tables and contract tables), as a running installation has it.
    QString templatePath() override;

    void parametro(const QString& nome, const QString& valor);
    // Reconnects as another database user (embedded: no password check), as
    // a technician logs in; the tables are granted to everyone first.
    void entrarComo(const QString& usuario);
    void criarPrincipal();
    // "origin|text" of the log lines under that origin.
    QStringList logDe(const QString& origem) const;
    // The first column of every row of the statement as another attachment
    // reads it (what was committed), one text per row.
    QStringList lido(const QString& sql) const;
    // The records the host's connection has read so far (by scan or by
    // index), as the engine's monitoring tells another attachment.
    qint64 registrosLidos();
    // Another desk on the same database: one row written and committed
    // through an attachment of its own.
    void outraMesa(const QString& sql) const;

    // Opens the window by name through the dispatcher, with the data modules
    // created first, and waits until it is the active window.
    template <class T>
    T& abrirJanela(host::ui::FormVar<T>& variavel, const QString& nome)
    {
        uPackageAss::ShowJanelaTec("fmAssTecnico");
        uPackageAss::ShowJanelaTec(nome);
        T* form = variavel.get();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        return *form;
    }
    // Types the text into the control and leaves it with Tab.
    static void digita(QWidget* controle, const QString& texto);
    // Types the text into the grid's cell editor of the column bound to the
    // field, on the current row, and leaves it with the key given.
    static void celula(host::ui::DataGrid* grade, const char* campo, const QString& texto,
                       Qt::Key fim = Qt::Key_Tab);
    // Insert pressed in the grid, then the text typed into the column's cell and Enter.
    static void novaLinhaNaGrade(host::ui::DataGrid* grade, const char* campo, const QString& texto);

    std::unique_ptr<TfmPrincipal> principal;
};

}  // namespace moduletest
