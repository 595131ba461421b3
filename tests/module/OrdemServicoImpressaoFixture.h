#pragma once
// The service-order window on demonstration order 42, for the tests of its
// printed documents: each preview's pages are read back as a text dump when
// the viewer opens (and may be written as a PDF next to the test program).

#include "tests/module/ModuleFixture.h"

#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/report/Uvisualrel.h"
#include "host/schema/HostSchema.h"
#include "service_orders/uAssOrdemServico.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>

#include <functional>

namespace moduletest {

class OrdemServicoImpressaoTest : public ModuleTest {
protected:
    void SetUp() override
    {
        ModuleTest::SetUp();
        ASSERT_TRUE(host::loadDemoDocuments(*dmGlobal->IBTransaction1, QDate(2026, 11, 20)));
    }
    TfmAssOrdemServico& abrir()
    {
        uPackageAss::ShowJanelaTec("fmAssOrdemServico;42");
        TfmAssOrdemServico* form = fmAssOrdemServico.get();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        return *form;
    }
    // The next preview's pages as a text dump; with a file name the pages
    // are also written as a PDF beside the test program (a test artefact).
    void aguardarPrevia(QString& dump, const QString& pdf = {}, const std::function<void()>& durante = {})
    {
        dialogs->modal("fmVisualizadorRelatorio", [&dump, pdf, durante](host::ui::Form& janela) {
            const auto& pages = static_cast<TfmVisualizadorRelatorio&>(janela).pages();
            dump = pages.textDump();
            if (!pdf.isEmpty())
                pages.exportPdf(arquivoArtefato(pdf));
            if (durante)
                durante();
        });
    }
    QString previsto(const std::function<void()>& imprimir, const QString& pdf = {})
    {
        QString dump;
        aguardarPrevia(dump, pdf);
        imprimir();
        EXPECT_EQ(dialogs->pending(), 0) << "every scripted dialog was shown";
        return dump;
    }
    static QString arquivoArtefato(const QString& nome)
    {
        return QDir(QCoreApplication::applicationDirPath()).filePath(nome);
    }
    // The band lines of a dump whose band has the name.
    static QStringList linhasDe(const QString& dump, const QString& banda)
    {
        QStringList linhas;
        for (const QString& linha : dump.split('\n'))
            if (linha.section(':', 0, 0).section(' ', 1) == banda)
                linhas << linha;
        return linhas;
    }
    QVariant valor(const QString& sql) { return host::db::selectValue(*dmGlobal->IBTransaction1, sql); }
    // A value read through an attachment of its own: what is stored.
    QVariant gravado(const QString& sql) const
    {
        host::db::Connection conexao;
        conexao.open({dbPath});
        host::db::Transaction leitura(conexao);
        leitura.start();
        return host::db::selectValue(leitura, sql);
    }
};

}  // namespace moduletest
