// The test fixtures themselves: a set-up that fails part-way removes only
// what it made, never the folder the test program runs in.

#include "tests/support/HostDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// A host database whose template cannot be had (foreign lock files, a full disk).
class SemModelo : public testsupport::HostDatabaseTest {
public:
    void TestBody() override {}
    void montarEDesmontar()
    {
        try {
            SetUp();
        } catch (const std::exception&) {
        }
        TearDown();
    }

protected:
    QString templatePath() override { throw std::runtime_error("modelo indisponível"); }
};

TEST(HostDatabaseFixture, ASetUpThatFailsLeavesTheFolderItRunsIn)
{
    QTemporaryDir pasta;
    ASSERT_TRUE(pasta.isValid());
    QFile marca(pasta.path() + "/fonte.cpp");
    ASSERT_TRUE(marca.open(QIODevice::WriteOnly));
    marca.close();
    const QString antes = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(pasta.path()));
    {
        SemModelo fixture;
        fixture.montarEDesmontar();
    }
    QDir::setCurrent(antes);
    EXPECT_TRUE(QFileInfo::exists(pasta.path() + "/fonte.cpp"));
}

}  // namespace
