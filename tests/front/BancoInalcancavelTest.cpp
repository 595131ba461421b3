// A database named with --banco that this user cannot reach (a folder on
// the way it may not enter, a path through a file) is refused saying so and
// why, not as a file that does not exist.

#include "tests/front/ExecutavelNoBanco.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder of the run the other users reach.
QString pastaAlcancavel(const QTemporaryDir& pasta)
{
    EXPECT_TRUE(pasta.isValid());
    ::chmod(QFile::encodeName(pasta.path()).constData(), 0755);
    return pasta.path();
}

TEST(BancoInalcancavel, AFolderThisUserMayNotEnterIsNamedAsTheReason)
{
    const QString porque = testsupport::garantirUsuarios();
    if (!porque.isEmpty())
        GTEST_SKIP() << porque.toStdString();
    QTemporaryDir raiz(testsupport::pastaParaOutrosUsuarios() + "/inalcancavel-XXXXXX");
    const QString pasta = pastaAlcancavel(raiz);
    // Another user's folder, closed to the others, holding a database file.
    const QString fechada = pasta + "/so-do-outro";
    ASSERT_TRUE(QDir().mkpath(fechada));
    const QString banco = fechada + "/empresa.fdb";
    {
        QFile arquivo(banco);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    }
    ASSERT_EQ(::chown(QFile::encodeName(fechada).constData(), testsupport::uidDe(testsupport::outroTeste()), 0), 0);
    ::chmod(QFile::encodeName(fechada).constData(), 0700);

    const testfront::InicioComBanco i = testfront::iniciarComBanco(banco, pasta, testsupport::donoTeste());
    EXPECT_EQ(i.codigo, 3);
    // Whose the folder is, and that its group lets the user in.
    EXPECT_TRUE(i.erros.contains(QString("O banco de dados \"%1\" não pode ser alcançado: o usuário %2 do sistema não "
                                         "tem permissão para entrar na pasta \"%3\", que é de %4")
                                     .arg(banco, testsupport::donoTeste(), fechada, testsupport::outroTeste())) &&
                i.erros.contains("com permissões drwx------. Peça ao dono do banco que inclua esse usuário no grupo "
                                 "da pasta."))
        << i.erros.toStdString();
    EXPECT_FALSE(i.erros.contains("não existe")) << i.erros.toStdString();
}

TEST(BancoInalcancavel, APathThroughAFileIsToldSo)
{
    QTemporaryDir raiz;
    const QString pasta = pastaAlcancavel(raiz);
    {
        QFile arquivo(pasta + "/arquivo");
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    }
    const QString banco = pasta + "/arquivo/empresa.fdb";
    const testfront::InicioComBanco i = testfront::iniciarComBanco(banco, pasta);
    EXPECT_EQ(i.codigo, 3);
    EXPECT_TRUE(i.erros.contains(
        QString("O banco de dados \"%1\" não pode ser alcançado: uma parte do caminho não é uma pasta.").arg(banco)))
        << i.erros.toStdString();
}

// A device or a folder named by mistake is told as what it is.
TEST(BancoInalcancavel, ANameThatIsNoFileIsToldAsWhatItIs)
{
    QTemporaryDir pasta;
    for (const auto& [banco, tipo] : {std::pair<QString, QString>{"/dev/zero", "é um dispositivo"},
                                      std::pair<QString, QString>{pasta.path(), "é uma pasta"}}) {
        const testfront::InicioComBanco i = testfront::iniciarComBanco(banco);
        EXPECT_EQ(i.codigo, 3);
        EXPECT_TRUE(i.erros.contains(QString("O banco de dados \"%1\" não pode ser usado: %2").arg(banco, tipo)))
            << i.erros.toStdString();
        EXPECT_FALSE(i.erros.contains("trava")) << i.erros.toStdString();
    }
}

}  // namespace
