#include "host/ui/Layouts.h"

#include <QTemporaryDir>
#include <QWidget>

#include "QtPrinters.h"

#include <gtest/gtest.h>

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

TEST_F(LayoutsTest, NamelessWindowsAreNotSaved)
{
    QWidget nameless;
    nameless.resize(300, 200);
    Layouts::saveWindow(&nameless);
    EXPECT_FALSE(Layouts::restoreWindow(&nameless));
}
