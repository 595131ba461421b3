#include "host/ui/Layouts.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

using namespace host::ui;

namespace {
class LayoutsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Layouts::setFolder(dir.path());
    }
    void TearDown() override { Layouts::setFolder({}); }
    QTemporaryDir dir;
};
} // namespace

TEST_F(LayoutsTest, WindowGeometrySurvivesSaveAndRestoreUnderItsName)
{
    QWidget saved;
    saved.setObjectName("fmAssDefeito");
    saved.setGeometry(40, 50, 640, 480);
    Layouts::saveWindow(&saved);
    EXPECT_TRUE(Layouts::settingsFile().startsWith(dir.path()));

    QWidget restored;
    restored.setObjectName("fmAssDefeito");
    ASSERT_TRUE(Layouts::restoreWindow(&restored));
    EXPECT_EQ(restored.geometry(), QRect(40, 50, 640, 480));

    QWidget other;
    other.setObjectName("fmOutra");
    other.resize(100, 100);
    EXPECT_FALSE(Layouts::restoreWindow(&other)) << "nothing saved under that name";
    EXPECT_EQ(other.size(), QSize(100, 100));

    Layouts::saveWindow(&saved, "_Pesq_SelecionaDefeitoItem");
    EXPECT_TRUE(Layouts::restoreWindow(&other, "_Pesq_SelecionaDefeitoItem"));
    EXPECT_EQ(other.size(), QSize(640, 480));
}

// A user's layout is the user's only, written first or again, in a folder
// the first write makes.
TEST_F(LayoutsTest, TheLayoutFileAndItsFolderAreTheUsersOnly)
{
    Layouts::setFolder(dir.filePath("config/techassist"));
    QWidget janela;
    janela.setObjectName("fmAssDefeito");
    for (const QRect& lugar : {QRect(40, 50, 640, 480), QRect(60, 50, 640, 480)}) {
        janela.setGeometry(lugar);
        Layouts::saveWindow(&janela);
        EXPECT_EQ(QFile::permissions(Layouts::settingsFile()), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                   QFileDevice::ReadUser | QFileDevice::WriteUser);
    }
    EXPECT_EQ(QFile::permissions(Layouts::folder()) & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0);
}

// Started without HOME (a service), the layouts go to the account's home,
// not to a folder of the root one.
TEST_F(LayoutsTest, WithoutHomeTheFolderIsInTheAccountsHome)
{
    Layouts::setFolder({});
    const QByteArray casa = qgetenv("HOME"), config = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("HOME");
    qunsetenv("XDG_CONFIG_HOME");
    const QString pasta = Layouts::folder();
    qputenv("HOME", casa);
    if (!config.isNull())
        qputenv("XDG_CONFIG_HOME", config);
    EXPECT_TRUE(pasta.startsWith(QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_dir) + "/.config/"))
        << pasta.toStdString();
}

TEST_F(LayoutsTest, NamelessWindowsAreNotSaved)
{
    QWidget nameless;
    nameless.resize(300, 200);
    Layouts::saveWindow(&nameless);
    EXPECT_FALSE(Layouts::restoreWindow(&nameless));
}

// Closing a window whose place and size did not change leaves the layout
// file as it was (no rewrite, no sync); a moved window is stored.
TEST_F(LayoutsTest, AnUnchangedWindowRewritesNothingAndAMovedOneIsStored)
{
    QWidget janela;
    janela.setObjectName("fmPesquisaAssOrdemServico");
    janela.setGeometry(40, 50, 640, 480);
    Layouts::saveWindow(&janela);
    // A mark the layout file loses only when it is written again.
    {
        QFile file(Layouts::settingsFile());
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("; marca\n");
    }
    Layouts::saveWindow(&janela);
    QFile file(Layouts::settingsFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("; marca")) << "the unchanged layout was written again";
    file.close();

    janela.setGeometry(60, 50, 700, 480);
    Layouts::saveWindow(&janela);
    QWidget outra;
    outra.setObjectName("fmPesquisaAssOrdemServico");
    ASSERT_TRUE(Layouts::restoreWindow(&outra));
    EXPECT_EQ(outra.geometry(), QRect(60, 50, 700, 480));
}

// Reading layouts makes no folder: the layout folder is made when a layout
// is first written.
TEST_F(LayoutsTest, TheFolderIsMadeOnlyWhenALayoutIsWritten)
{
    const QString pasta = dir.filePath("config/techassist");
    Layouts::setFolder(pasta);
    QWidget janela;
    janela.setObjectName("fmPesquisaAssContratosLocEquip");
    janela.setGeometry(40, 50, 640, 480);
    EXPECT_FALSE(Layouts::restoreWindow(&janela));
    EXPECT_FALSE(QDir(pasta).exists()) << "reading a layout made its folder";
    Layouts::saveWindow(&janela);
    EXPECT_TRUE(QFile::exists(Layouts::settingsFile()));
    QWidget outra;
    outra.setObjectName("fmPesquisaAssContratosLocEquip");
    ASSERT_TRUE(Layouts::restoreWindow(&outra));
    EXPECT_EQ(outra.geometry(), QRect(40, 50, 640, 480));
}

// Another instance of the application saves layouts in the same file: what
// it saved since is what the next window and grid open with, and a layout
// it removed is gone, even right after this instance read the file.
TEST_F(LayoutsTest, WhatAnotherInstanceSavedSinceIsWhatOpens)
{
    QWidget janela;
    janela.setObjectName("fmAssContLocacao");
    janela.setGeometry(40, 50, 640, 480);
    Layouts::saveWindow(&janela);
    QWidget lida;
    lida.setObjectName("fmAssContLocacao");
    ASSERT_TRUE(Layouts::restoreWindow(&lida));

    // The other instance: its own writer of the same file, the same size of text.
    {
        QSettings outra(Layouts::settingsFile(), QSettings::IniFormat);
        outra.setValue("Janela_fmAssContLocacao/Left", 90);
        outra.setValue("Janela_fmAssContLocacao/Width", 700);
    }
    QWidget depois;
    depois.setObjectName("fmAssContLocacao");
    ASSERT_TRUE(Layouts::restoreWindow(&depois));
    EXPECT_EQ(depois.geometry(), QRect(90, 50, 700, 480));
    // Closed where the other instance left it: nothing to write.
    Layouts::saveWindow(&depois);

    QFile::remove(Layouts::settingsFile());
    QWidget semArquivo;
    semArquivo.setObjectName("fmAssContLocacao");
    semArquivo.resize(100, 100);
    EXPECT_FALSE(Layouts::restoreWindow(&semArquivo)) << "the removed file still gave a layout";
    EXPECT_EQ(semArquivo.size(), QSize(100, 100));
}

// A layout name as the data gives it (a slash doubled or at its end) is
// stored under the group the file keeps, found again, and not rewritten
// when the window closes as it opened.
TEST_F(LayoutsTest, ANameWithStraySlashesIsFoundAgain)
{
    QWidget janela;
    janela.setGeometry(40, 50, 640, 480);
    Layouts::saveWindow(&janela, "Pesquisa//Clientes/");
    QWidget outra;
    ASSERT_TRUE(Layouts::restoreWindow(&outra, "Pesquisa//Clientes/"));
    EXPECT_EQ(outra.geometry(), QRect(40, 50, 640, 480));
    {
        QFile file(Layouts::settingsFile());
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("; marca\n");
    }
    Layouts::saveWindow(&outra, "Pesquisa//Clientes/");
    QFile file(Layouts::settingsFile());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("; marca")) << "the unchanged layout was written again";
}
