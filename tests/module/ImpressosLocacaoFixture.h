#pragma once
// The printed rental documents on the demonstration database: the viewer
// each entry routine opens is read back (text dump, PDF) and closed.

#include "tests/module/ModuleFixture.h"

#include "host/Udmglobal.h"
#include "host/report/Uvisualrel.h"
#include "tests/support/TestDatabase.h"

#include <QApplication>
#include <QCoreApplication>
#include <QProcess>

#include <memory>

namespace moduletest {

class ImpressosLocacaoTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        uPackageAss::CriarDataTec();
    }
    // The pages of the viewers the entry routine left open (the last one);
    // every viewer is closed.
    std::shared_ptr<const host::report::PreparedReport> previa()
    {
        std::shared_ptr<const host::report::PreparedReport> paginas;
        int abertos = 0;
        for (QWidget* janela : QApplication::topLevelWidgets())
            if (auto* visualizador = qobject_cast<TfmVisualizadorRelatorio*>(janela);
                visualizador && !visualizador->released() && visualizador->isVisible()) {
                ++abertos;
                paginas = std::make_shared<host::report::PreparedReport>(visualizador->pages());
                visualizador->close();
            }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(abertos, 1) << "one viewer open";
        return paginas;
    }
    // The band lines of a dump whose band has the name.
    static QStringList linhasBanda(const QString& dump, const QString& banda)
    {
        QStringList linhas;
        for (const QString& linha : dump.split('\n'))
            if (linha.section(':', 0, 0).section(' ', 1) == banda)
                linhas << linha;
        return linhas;
    }
    // qpdf accepts the PDF of the pages, and pdftotext reads the text back.
    void pdfValido(const host::report::PreparedReport& paginas, const QString& nome, const QString& contem)
    {
        const QString pdf = systemFolder + "/" + nome + ".pdf";
        paginas.exportPdf(pdf);
        int codigo = -1;
        executarImpresso("qpdf", {"--check", pdf}, &codigo);
        EXPECT_EQ(codigo, 0) << nome.toStdString();
        EXPECT_TRUE(executarImpresso("pdftotext", {pdf, "-"}).contains(contem)) << nome.toStdString();
    }
    static QString executarImpresso(const QString& programa, const QStringList& argumentos, int* codigo = nullptr)
    {
        QProcess processo;
        processo.start(programa, argumentos);
        processo.waitForFinished(30000);
        if (codigo)
            *codigo = processo.exitCode();
        return QString::fromUtf8(processo.readAllStandardOutput());
    }
};

}  // namespace moduletest
