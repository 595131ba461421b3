// Data sources and links: notifications to controls, disabled controls,
// re-pointing at run time, auto-edit.
#include "host/data/DataSource.h"
#include "host/data/MemDataset.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace host::data;

namespace {

struct RecordingLink : DataLink {
    QStringList seen;
    QString pendingText;
    void activeChanged() override { seen << "active"; }
    void dataChanged(Field* field) override { seen << (field ? "field:" + field->fieldName() : "row"); }
    void stateChanged() override { seen << "state"; }
    void updateData() override
    {
        if (!pendingText.isEmpty())
            dataset()->fieldByName("NAME")->setAsString(pendingText);
        pendingText.clear();
    }
    QString take()
    {
        const QString text = seen.join(",");
        seen.clear();
        return text;
    }
};

class Sources : public ::testing::Test {
protected:
    void SetUp() override
    {
        ds.addField("NAME", FieldType::String, 20);
        ds.open();
        for (const char* name : {"a", "b"}) {
            ds.append();
            ds.fieldByName("NAME")->setAsString(name);
            ds.post();
        }
        ds.first();
        source.setDataset(&ds);
        link.setDataSource(&source);
        link.take();
    }
    MemDataset ds;
    DataSource source;
    RecordingLink link;
};

TEST_F(Sources, ControlsHearScrollsFieldChangesAndStates)
{
    ds.next();
    EXPECT_EQ(link.take(), "row");
    ds.fieldByName("NAME")->setAsString("c");
    EXPECT_EQ(link.take(), "state,field:NAME");
    ds.post();
    EXPECT_EQ(link.take(), "row,state");
    ds.close();
    EXPECT_EQ(link.take(), "active");
}

TEST_F(Sources, DisabledControlsHearOneChangeAtTheEnd)
{
    ds.disableControls();
    ds.disableControls();
    EXPECT_TRUE(ds.controlsDisabled());
    ds.next();
    ds.edit();
    ds.fieldByName("NAME")->setAsString("x");
    ds.post();
    ds.enableControls();
    EXPECT_EQ(link.take(), "");
    ds.enableControls();
    EXPECT_FALSE(ds.controlsDisabled());
    EXPECT_EQ(link.take(), "state,row");
}

TEST_F(Sources, DataSourceEventsAndRepointing)
{
    int dataChanges = 0;
    int stateChanges = 0;
    source.onDataChange = [&](DataSource&, Field*) { ++dataChanges; };
    source.onStateChange = [&](DataSource&) { ++stateChanges; };
    ds.next();
    ds.edit();
    EXPECT_EQ(dataChanges, 1);
    EXPECT_EQ(stateChanges, 1);
    ds.cancel();

    MemDataset other;
    other.addField("NAME", FieldType::String, 20);
    other.open();
    source.setDataset(&other);
    EXPECT_EQ(link.take().right(6), "active");
    EXPECT_EQ(link.dataset(), &other);
    ds.first();
    EXPECT_EQ(link.take(), "");   // the old dataset no longer reaches the controls
    source.setDataset(&ds);
}

TEST_F(Sources, AutoEditDecidesWhetherControlsMayEdit)
{
    source.setAutoEdit(false);
    EXPECT_FALSE(link.edit());
    EXPECT_EQ(ds.state(), DatasetState::Browse);
    source.setAutoEdit(true);
    EXPECT_TRUE(link.edit());
    EXPECT_EQ(ds.state(), DatasetState::Edit);
}

TEST_F(Sources, PostTakesTheTextStillBeingTyped)
{
    ds.edit();
    link.pendingText = "typed";
    ds.post();
    EXPECT_EQ(ds.fieldByName("NAME")->asString(), "typed");
}

TEST(SourceLifetime, ADestroyedDatasetLeavesItsSourcesEmpty)
{
    DataSource source;
    RecordingLink link;
    link.setDataSource(&source);
    {
        MemDataset ds;
        ds.addField("NAME", FieldType::String, 5);
        source.setDataset(&ds);
    }
    EXPECT_EQ(source.dataset(), nullptr);
    EXPECT_FALSE(link.active());
}

}  // namespace
