#include "host/data/Abort.h"
#include "host/data/DataSource.h"
#include "host/data/MemDataset.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Layouts.h"
#include "host/ui/ScriptedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSettings>
#include <QStandardItemModel>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "QtPrinters.h"
#include "tests/support/OnScreenDialogs.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace host::ui;
using host::data::DataSource;
using host::data::DatasetState;
using host::data::FieldType;
using host::data::MemDataset;

namespace {

class DataGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        defects.addField("ADCODIGO", FieldType::Int32);
        defects.addField("ADDESCRICAO", FieldType::String, 40);
        defects.open();
        for (auto [code, text] : {std::pair{1, "NAO LIGA"}, {2, "RUIDO"}}) {
            defects.append();
            defects.fieldByName("ADCODIGO")->setAsInteger(code);
            defects.fieldByName("ADDESCRICAO")->setAsString(text);
            defects.post();
        }
        lines.addField("AACODIGO", FieldType::Int32);
        lines.addField("AAQUANTIDADE", FieldType::Float);
        lines.addField("ADCODIGO", FieldType::Int32);
        lines.addLookupField("DEFEITO", FieldType::String, 40, "ADCODIGO", &defects, "ADCODIGO", "ADDESCRICAO");
        lines.open();
        for (int i = 1; i <= 3; ++i) {
            lines.append();
            lines.fieldByName("AACODIGO")->setAsInteger(i);
            lines.fieldByName("AAQUANTIDADE")->setAsFloat(i * 1.5);
            lines.fieldByName("ADCODIGO")->setAsInteger(1);
            lines.post();
        }
        lines.first();
        grid.setDataSource(&ds);
        grid.resize(600, 300);
        grid.show();
        QApplication::setActiveWindow(&grid);
    }

    QModelIndex cell(int row, const QString& field) { return grid.model()->index(row, grid.columnByField(field)->index()); }

    // Code, quantity and defect, as the service lines' grid is designed.
    static void addLineColumns(DataGrid& target)
    {
        target.addColumn("AACODIGO", "Código", 50);
        target.addColumn("AAQUANTIDADE", "Qtde.", 70);
        target.addColumn("DEFEITO", "Defeito", 200);
    }

    MemDataset defects{nullptr, "quDefeito"};
    MemDataset lines{nullptr, "quOSAndamento"};
    DataSource ds{nullptr, "dsAndamento", &lines};
    DataGrid grid{"dbgdOrdemServicoServicos"};
};

} // namespace

TEST_F(DataGridTest, ShowsTheDatasetsFieldsUntilColumnsAreAdded)
{
    ASSERT_EQ(grid.columnCount(), 4);
    EXPECT_FALSE(grid.customColumns());
    EXPECT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(grid.model()->data(cell(1, "AAQUANTIDADE")).toString(), "3");
    EXPECT_EQ(grid.model()->data(cell(2, "DEFEITO")).toString(), "NAO LIGA");

    grid.addColumn("AACODIGO", "Código", 50);
    grid.addColumn("AAQUANTIDADE", "Qtde.", 70);
    ASSERT_EQ(grid.columnCount(), 2);
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Qtde.");
    grid.column(1)->setTitle("Quantidade");
    grid.column(0)->setVisible(false);
    grid.column(1)->setWidth(120);
    EXPECT_EQ(grid.model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Quantidade");
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_EQ(grid.columnWidth(1), 120);
    EXPECT_EQ(grid.columnByField("aaquantidade"), grid.column(1));
}

TEST_F(DataGridTest, EditsTheDatasetInPlaceAndPostsWhenTheRowChanges)
{
    grid.setCurrentIndex(cell(1, "AAQUANTIDADE"));
    EXPECT_EQ(lines.recNo(), 2) << "the grid's row is the dataset's row";
    ASSERT_TRUE(grid.model()->setData(cell(1, "AAQUANTIDADE"), "7,25"));
    EXPECT_EQ(lines.state(), DatasetState::Edit);
    EXPECT_DOUBLE_EQ(lines.fieldByName("AAQUANTIDADE")->asFloat(), 7.25);

    grid.setCurrentIndex(cell(2, "AAQUANTIDADE"));
    EXPECT_EQ(lines.state(), DatasetState::Browse);
    EXPECT_EQ(lines.recNo(), 3);
    lines.setRecNo(2);
    EXPECT_DOUBLE_EQ(lines.fieldByName("AAQUANTIDADE")->asFloat(), 7.25);
    EXPECT_EQ(grid.currentIndex().row(), 1) << "the dataset's moves move the grid";
}

TEST_F(DataGridTest, TypingInACellGoesThroughTheEditor)
{
    grid.setCurrentIndex(cell(0, "AACODIGO"));
    grid.editCurrentCell();
    auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
    if (!editor)
        editor = grid.findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("15");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();   // the view commits the editor from its queue
    EXPECT_EQ(lines.fieldByName("AACODIGO")->asInteger(), 15);
    lines.post();
    EXPECT_EQ(grid.model()->data(cell(0, "AACODIGO")).toString(), "15");
}

TEST_F(DataGridTest, LookupColumnsDropTheirListAndWriteTheKey)
{
    grid.setCurrentIndex(cell(0, "DEFEITO"));
    grid.editCurrentCell();
    auto* combo = grid.findChild<QComboBox*>("lookupEditor");
    ASSERT_NE(combo, nullptr);
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->currentText(), "NAO LIGA");
    combo->hidePopup();
    combo->setCurrentIndex(1);
    grid.itemDelegate()->setModelData(combo, grid.model(), grid.currentIndex());
    EXPECT_EQ(lines.fieldByName("ADCODIGO")->asInteger(), 2);
    EXPECT_EQ(lines.fieldByName("DEFEITO")->asString(), "RUIDO");
}

TEST_F(DataGridTest, ReadOnlyColumnsRowSelectAndEditingOffRefuseEdits)
{
    grid.addColumn("AACODIGO");
    grid.addColumn("AAQUANTIDADE")->setReadOnly(true);
    EXPECT_TRUE(grid.model()->flags(grid.model()->index(0, 0)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(grid.model()->flags(grid.model()->index(0, 1)).testFlag(Qt::ItemIsEditable));
    EXPECT_FALSE(grid.model()->setData(grid.model()->index(0, 1), "9"));
    grid.setRowSelect(true);
    EXPECT_FALSE(grid.model()->flags(grid.model()->index(0, 0)).testFlag(Qt::ItemIsEditable));
    grid.setRowSelect(false);
    grid.setEditing(false);
    EXPECT_FALSE(grid.model()->flags(grid.model()->index(0, 0)).testFlag(Qt::ItemIsEditable));
    EXPECT_EQ(lines.state(), DatasetState::Browse);
}

TEST_F(DataGridTest, EventsReachTheirHandlers)
{
    grid.addColumn("AACODIGO", "Código", 50)->setButtonStyle(GridColumn::ButtonStyle::Ellipsis);
    grid.addColumn("AAQUANTIDADE", "Qtde.", 70);
    QStringList events;
    grid.onEditButtonClick = [&] { events << "button:" + grid.selectedField()->fieldName(); };
    grid.onColEnter = [&] { events << "enter:" + QString::number(grid.selectedIndex()); };
    grid.onColExit = [&] { events << "exit:" + QString::number(grid.selectedIndex()); };
    grid.onTitleClick = [&](GridColumn& c) { events << "title:" + c.fieldName(); };
    grid.onKeyDown = [&](int& key, Qt::KeyboardModifiers) {
        if (key >= Qt::Key_Shift && key <= Qt::Key_Alt)
            return;
        events << "key:" + QString::number(key, 16);
        if (key == Qt::Key_F2)
            key = 0;
    };

    grid.setSelectedIndex(0);
    events.clear();
    grid.setSelectedIndex(1);
    EXPECT_EQ(events, (QStringList{"exit:0", "enter:1"}));
    events.clear();
    grid.setSelectedIndex(0);
    QTest::keyClick(&grid, Qt::Key_Return, Qt::ControlModifier);
    emit grid.horizontalHeader()->sectionClicked(1);
    QTest::keyClick(&grid, Qt::Key_F2);
    EXPECT_EQ(events, (QStringList{"exit:1", "enter:0", "key:1000004", "button:AACODIGO", "title:AAQUANTIDADE",
                                   "key:1000031"}));
    EXPECT_EQ(grid.selectedField()->fieldName(), "AACODIGO");
}

TEST_F(DataGridTest, DrawCellHandlerSeesTheRowBeingDrawn)
{
    QList<int> codes;
    grid.onDrawColumnCell = [&](CellStyle& style, int, GridColumn& column, bool) {
        if (column.fieldName() == "AACODIGO")
            codes << lines.fieldByName("AACODIGO")->asInteger();
        style.background = Qt::red;
    };
    grid.grab();
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    EXPECT_EQ(codes, (QList<int>{1, 2, 3}));
    EXPECT_EQ(lines.recNo(), 1) << "drawing does not move the dataset";
}

TEST_F(DataGridTest, MultiSelectKeepsTheSelectedRows)
{
    grid.setMultiSelect(true);
    grid.selectRow(3);
    grid.selectRow(1);
    EXPECT_EQ(grid.selectedRows(), (QList<int>{1, 3}));
    grid.selectRow(1, false);
    EXPECT_EQ(grid.selectedRows(), QList<int>{3});
    grid.clearSelectedRows();
    EXPECT_TRUE(grid.selectedRows().isEmpty());
}

TEST_F(DataGridTest, ColumnsLayoutSurvivesSaveAndRestore)
{
    QTemporaryDir dir;
    Layouts::setFolder(dir.path());
    addLineColumns(grid);
    grid.moveColumn(2, 0);
    grid.column(1)->setWidth(99);
    grid.column(2)->setVisible(false);
    Layouts::saveGrid(&grid);

    DataGrid other("dbgdOrdemServicoServicos");
    other.setDataSource(&ds);
    addLineColumns(other);
    other.addColumn("ADCODIGO", "Cód. Defeito", 40);   // added since the layout was saved
    ASSERT_TRUE(Layouts::restoreGrid(&other));
    QStringList order;
    for (const auto& c : other.columns())
        order << c->fieldName();
    EXPECT_EQ(order, (QStringList{"DEFEITO", "AACODIGO", "AAQUANTIDADE", "ADCODIGO"}));
    EXPECT_EQ(other.column(1)->width(), 99);
    EXPECT_FALSE(other.column(2)->visible());
    EXPECT_FALSE(Layouts::restoreGrid(&other, "fmPesquisa_Outra"));

    // Saved again as it stands, the file is not rewritten (a mark in it
    // survives); a width changed since is stored.
    {
        QFile file(Layouts::settingsFile());
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("; marca\n");
    }
    Layouts::saveGrid(&grid);
    {
        QFile file(Layouts::settingsFile());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().contains("; marca")) << "the unchanged layout was written again";
    }
    grid.column(1)->setWidth(120);
    Layouts::saveGrid(&grid);
    ASSERT_TRUE(Layouts::restoreGrid(&other));
    EXPECT_EQ(other.column(1)->width(), 120);
    Layouts::setFolder({});
}

// Layouts written one after the other in one session (a grid with fewer
// columns than it had, another grid, a window) are what the next opening
// restores and what the file holds for the next session, with nothing of
// the earlier columns left behind.
TEST_F(DataGridTest, LayoutsWrittenInASessionAreTheFileTheNextSessionReads)
{
    QTemporaryDir dir;
    Layouts::setFolder(dir.path());
    addLineColumns(grid);
    grid.column(0)->setWidth(61);
    Layouts::saveGrid(&grid);

    DataGrid menor("dbgdOrdemServicoServicos");
    menor.setDataSource(&ds);
    menor.addColumn("DEFEITO", "Defeito", 180);
    Layouts::saveGrid(&menor);
    DataGrid outra("dbgdOutra");
    outra.setDataSource(&ds);
    outra.addColumn("AACODIGO", "Código", 33);
    Layouts::saveGrid(&outra);
    QWidget janela;
    janela.setObjectName("fmAssDefeito");
    janela.setGeometry(10, 20, 300, 200);
    Layouts::saveWindow(&janela);

    DataGrid aberta("dbgdOrdemServicoServicos");
    aberta.setDataSource(&ds);
    addLineColumns(aberta);
    ASSERT_TRUE(Layouts::restoreGrid(&aberta));
    EXPECT_EQ(aberta.column(0)->fieldName(), "DEFEITO");
    EXPECT_EQ(aberta.column(0)->width(), 180);
    EXPECT_EQ(aberta.column(1)->width(), 50) << "the earlier layout's width came back";

    // The next session reads the file itself.
    QSettings arquivo(Layouts::settingsFile(), QSettings::IniFormat);
    EXPECT_EQ(arquivo.value("Grade_dbgdOrdemServicoServicos/Colunas/size").toInt(), 1);
    EXPECT_FALSE(arquivo.contains("Grade_dbgdOrdemServicoServicos/Colunas/2/Campo"));
    EXPECT_EQ(arquivo.value("Grade_dbgdOutra/Colunas/1/Largura").toInt(), 33);
    EXPECT_EQ(arquivo.value("Janela_fmAssDefeito/Width").toInt(), 300);
    Layouts::setFolder({});
}

// A grid opened with the layout it was stored with is not laid out again:
// the restore changes nothing the view hears of.
TEST_F(DataGridTest, ALayoutStoredAsTheGridStandsLaysNothingOutWhenRestored)
{
    QTemporaryDir dir;
    const QString pasta = dir.filePath("layouts");
    Layouts::setFolder(pasta);
    addLineColumns(grid);
    grid.column(1)->setWidth(99);
    EXPECT_FALSE(Layouts::restoreGrid(&grid)) << "nothing stored yet";
    EXPECT_FALSE(QDir(pasta).exists()) << "reading a layout made its folder";
    Layouts::saveGrid(&grid);
    EXPECT_TRUE(QDir(pasta).exists());

    DataGrid other("dbgdOrdemServicoServicos");
    other.setDataSource(&ds);
    addLineColumns(other);
    other.column(1)->setWidth(99);
    int heard = 0;
    QObject::connect(other.model(), &QAbstractItemModel::modelReset, [&heard] { ++heard; });
    QObject::connect(other.model(), &QAbstractItemModel::layoutChanged, [&heard] { ++heard; });
    QObject::connect(other.model(), &QAbstractItemModel::headerDataChanged, [&heard] { ++heard; });
    ASSERT_TRUE(Layouts::restoreGrid(&other));
    EXPECT_EQ(heard, 0) << "the grid was laid out again";

    other.column(1)->setWidth(40);   // no longer as stored: restored and laid out
    heard = 0;
    ASSERT_TRUE(Layouts::restoreGrid(&other));
    EXPECT_EQ(other.column(1)->width(), 99);
    EXPECT_GT(heard, 0);
    Layouts::setFolder({});
}

namespace {

// What a grid shows of its columns: title, width or "oculta", one per column in order.
QStringList shownColumns(const DataGrid& grid)
{
    QStringList shown;
    for (int c = 0; c < grid.model()->columnCount(); ++c) {
        const QString title = grid.model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        shown << title + ":" + (grid.isColumnHidden(c) ? QString("oculta") : QString::number(grid.columnWidth(c)));
    }
    return shown;
}

} // namespace

TEST_F(DataGridTest, ARestoredLayoutIsShownAsTheGridItWasSavedFrom)
{
    QTemporaryDir dir;
    Layouts::setFolder(dir.path());
    addLineColumns(grid);
    grid.addColumn("ADCODIGO");   // as the user adds one
    grid.moveColumn(2, 0);
    grid.moveColumn(3, 1);
    grid.column(2)->setWidth(99);
    grid.column(3)->setVisible(false);
    lines.setRecNo(2);
    Layouts::saveGrid(&grid);
    const QStringList saved = shownColumns(grid);

    DataGrid other("dbgdOrdemServicoServicos");
    other.setDataSource(&ds);
    other.resize(600, 300);
    other.show();
    addLineColumns(other);
    ASSERT_TRUE(Layouts::restoreGrid(&other));
    EXPECT_EQ(shownColumns(other), saved);
    EXPECT_EQ(other.model()->index(0, 0).data().toString(), "NAO LIGA");
    EXPECT_EQ(other.model()->index(2, 2).data().toString(), "3");
    EXPECT_EQ(other.currentIndex().row(), 1) << "the grid left the dataset's row";

    // Restored again over itself, nothing changes; the user's resize is kept.
    ASSERT_TRUE(Layouts::restoreGrid(&other));
    EXPECT_EQ(shownColumns(other), saved);
    other.horizontalHeader()->resizeSection(2, 150);
    EXPECT_EQ(other.column(2)->width(), 150);
    other.column(2)->setWidth(150);
    EXPECT_EQ(other.columnWidth(2), 150);
    Layouts::setFolder({});
}

// Columns added together, to a grid of its own columns or of the
// dataset's, on rows already read, show each its title, width and cells
// and keep the current row; one added later goes after them.
TEST_F(DataGridTest, ColumnsAddedTogetherShowTitlesWidthsAndCellsOnTheRowsRead)
{
    lines.next();
    for (const bool proprias : {false, true}) {
        if (proprias)
            grid.addColumn("AACODIGO", "Código", 50);
        grid.changeColumnsTogether([&] {
            grid.addColumn("AAQUANTIDADE", "Qtde.", 70);
            grid.addColumn("DEFEITO", "Defeito", 200);
            grid.addColumn("AACODIGO", "Linha", 60);
        });
        const int primeira = proprias ? 1 : 0;
        ASSERT_EQ(grid.model()->columnCount(), primeira + 3) << proprias;
        EXPECT_EQ(grid.model()->headerData(primeira + 1, Qt::Horizontal, Qt::DisplayRole).toString(), "Defeito");
        EXPECT_GE(grid.columnWidth(primeira + 1), 200);
        EXPECT_EQ(grid.model()->rowCount(), 3);
        EXPECT_EQ(grid.model()->index(2, primeira + 1).data().toString(), "NAO LIGA");
        EXPECT_EQ(grid.model()->index(2, primeira + 2).data().toString(), "3");
        EXPECT_EQ(grid.currentIndex().row(), 1) << "the dataset's row";
        grid.addColumn("AAQUANTIDADE", "Depois", 80);
        EXPECT_EQ(grid.model()->headerData(primeira + 3, Qt::Horizontal, Qt::DisplayRole).toString(), "Depois");
        EXPECT_EQ(grid.model()->index(0, primeira + 3).data().toString(), grid.model()->index(0, primeira).data().toString());
        grid.clearColumns();
    }
}

TEST_F(DataGridTest, ColumnsChangedTogetherAreShownAlsoWhenAChangeFails)
{
    addLineColumns(grid);
    EXPECT_THROW(grid.changeColumnsTogether([&] {
        grid.moveColumn(2, 0);
        grid.column(1)->setVisible(false);
        throw std::runtime_error("falhou");
    }), std::runtime_error);
    EXPECT_EQ(grid.model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Defeito");
    EXPECT_EQ(grid.model()->index(0, 0).data().toString(), "NAO LIGA");
    EXPECT_TRUE(grid.isColumnHidden(1));

    // Later changes are shown as they come.
    grid.column(1)->setVisible(true);
    EXPECT_FALSE(grid.isColumnHidden(1));
    grid.column(2)->setWidth(321);
    EXPECT_EQ(grid.columnWidth(2), 321);
}

namespace {

// Qt's own measure of a title on a plain header over a plain model, in a font.
QSize medidaDoQt(const QString& titulo, const QFont& fonte, Qt::Orientation orientacao)
{
    QStandardItemModel modelo(1, 1);
    modelo.setHeaderData(0, orientacao, orientacao == Qt::Horizontal ? QVariant(titulo) : QVariant(), Qt::DisplayRole);
    QHeaderView cabecalho(orientacao);
    cabecalho.setModel(&modelo);
    cabecalho.setFont(fonte);
    return cabecalho.sizeHint();
}

} // namespace

// The header's titles are measured once and kept: a title changed, a longer
// one or the header's font made larger is measured anew, as Qt measures it.
TEST_F(DataGridTest, HeaderTitlesMeasureAsQtMeasuresThemAfterTitleAndFontChanges)
{
    addLineColumns(grid);
    QHeaderView* titulos = grid.horizontalHeader();
    QHeaderView* linhas = grid.verticalHeader();
    const QFont fonte = titulos->font();
    EXPECT_EQ(titulos->sectionSizeHint(2), medidaDoQt("Defeito", fonte, Qt::Horizontal).width());
    EXPECT_EQ(linhas->sizeHint().width(), medidaDoQt({}, linhas->font(), Qt::Vertical).width());

    const QString longo = "Defeito informado pelo cliente na entrada";
    grid.column(2)->setTitle(longo);
    EXPECT_EQ(titulos->sectionSizeHint(2), medidaDoQt(longo, fonte, Qt::Horizontal).width());
    EXPECT_GT(titulos->sectionSizeHint(2), titulos->sectionSizeHint(1));

    QFont maior = fonte;
    maior.setPointSizeF(fonte.pointSizeF() * 2);
    titulos->setFont(maior);
    linhas->setFont(maior);
    EXPECT_EQ(titulos->sectionSizeHint(2), medidaDoQt(longo, maior, Qt::Horizontal).width());
    EXPECT_EQ(titulos->sizeHint().height(), medidaDoQt(longo, maior, Qt::Horizontal).height());
    EXPECT_EQ(linhas->sizeHint().width(), medidaDoQt({}, maior, Qt::Vertical).width());
    EXPECT_GT(titulos->sizeHint().height(), medidaDoQt(longo, fonte, Qt::Horizontal).height());

    // Back to the first font: the window's other grids measure in it.
    titulos->setFont(fonte);
    linhas->setFont(fonte);
    EXPECT_EQ(titulos->sectionSizeHint(2), medidaDoQt(longo, fonte, Qt::Horizontal).width());
}

namespace {

// Opens the current cell's editor and types into it as the user would.
QLineEdit* typeInCurrentCell(DataGrid& grid, const QString& text)
{
    grid.editCurrentCell();
    auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
    if (!editor)
        return nullptr;
    editor->selectAll();
    QTest::keyClicks(editor, text);
    return editor;
}

} // namespace

TEST_F(DataGridTest, TypingInACellPutsTheRowInEditAndAPostWritesTheTypedText)
{
    grid.setCurrentIndex(cell(0, "AACODIGO"));
    ASSERT_NE(typeInCurrentCell(grid, "15"), nullptr);
    EXPECT_EQ(lines.state(), DatasetState::Edit) << "the first key typed puts the row in edit";

    lines.post();   // a save key or a tool button while the editor is still open
    EXPECT_EQ(lines.state(), DatasetState::Browse);
    EXPECT_EQ(lines.fieldByName("AACODIGO")->asInteger(), 15);
    EXPECT_EQ(lines.recNo(), 1);
}

TEST_F(DataGridTest, ADatasetMovedByCodeWhileACellIsTypedStaysWhereTheCodePutIt)
{
    grid.setCurrentIndex(cell(0, "AACODIGO"));
    ASSERT_NE(typeInCurrentCell(grid, "15"), nullptr);

    lines.next();   // posts the typed row, as leaving it in the grid would
    EXPECT_EQ(lines.recNo(), 2);
    EXPECT_EQ(lines.state(), DatasetState::Browse);
    EXPECT_EQ(grid.currentIndex().row(), 1);
    lines.first();
    EXPECT_EQ(lines.fieldByName("AACODIGO")->asInteger(), 15);

    grid.setCurrentIndex(cell(0, "AACODIGO"));
    grid.editCurrentCell();   // opened, nothing typed
    lines.last();
    EXPECT_EQ(lines.recNo(), 3);
    EXPECT_EQ(lines.state(), DatasetState::Browse);
}

TEST_F(DataGridTest, ARefusedEditGivesTheCellItsValueBack)
{
    lines.beforeEdit = [](host::data::Dataset&) { throw host::Abort(); };
    grid.setCurrentIndex(cell(0, "AACODIGO"));
    typeInCurrentCell(grid, "15");
    EXPECT_EQ(lines.state(), DatasetState::Browse);
    QCoreApplication::processEvents();
    grid.setCurrentIndex(cell(1, "AACODIGO"));
    lines.first();
    EXPECT_EQ(lines.fieldByName("AACODIGO")->asInteger(), 1);
}

TEST_F(DataGridTest, AnUntouchedMaskedDateCellLeavesTheRowAlone)
{
    MemDataset visits(nullptr, "quVisita");
    visits.addField("VIDATA", FieldType::Date)->setEditMask("!99/99/99;1;_");
    visits.addField("VIOBS", FieldType::String, 20);
    visits.open();
    visits.append();
    visits.fieldByName("VIOBS")->setAsString("SEM DATA");
    visits.post();
    ds.setDataset(&visits);
    grid.setCurrentIndex(grid.model()->index(0, grid.columnByField("VIDATA")->index()));
    grid.editCurrentCell();
    grid.setCurrentIndex(grid.model()->index(0, grid.columnByField("VIOBS")->index()));
    EXPECT_EQ(visits.state(), DatasetState::Browse);
    EXPECT_TRUE(visits.fieldByName("VIDATA")->isNull());
    ds.setDataset(&lines);
}

// A field rule that shows a real dialog while the cell editor is open: the
// dialog takes the focus and runs its own event loop, which closes the editor
// under the view; leaving the cell (Enter, Tab) must still end normally.
TEST_F(DataGridTest, AFieldRuleShowingADialogWhileACellIsTypedLeavesTheGridWorking)
{
    for (int key : {Qt::Key_Return, Qt::Key_Tab}) {
        SCOPED_TRACE(key);
        testsupport::OnScreenDialogs onScreen;
        int shown = 0;
        lines.fieldByName("AACODIGO")->onChange = [&](host::data::Field& f) {
            ++shown;
            host::ui::Dialogs::information("Código não encontrado.");
            auto rule = std::move(f.onChange);
            f.clear();
            f.onChange = std::move(rule);
            throw host::Abort();
        };
        grid.setFocus();
        grid.setCurrentIndex(cell(0, "AACODIGO"));
        QLineEdit* editor = typeInCurrentCell(grid, "999");
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key(key));
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(shown, 1) << "the rule runs once for the text typed";
        EXPECT_EQ(onScreen.texts(), QStringList{"Código não encontrado."});
        EXPECT_EQ(grid.model()->data(cell(0, "AACODIGO")).toString(), "") << "the refused code is not kept";
        EXPECT_EQ(grid.currentIndex().column(), cell(0, "AACODIGO").column()) << "the cell refused stays current";

        // The grid goes on: another cell is typed and stored.
        lines.fieldByName("AACODIGO")->onChange = nullptr;
        grid.setCurrentIndex(cell(0, "AACODIGO"));
        editor = typeInCurrentCell(grid, "7");
        ASSERT_NE(editor, nullptr);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        lines.post();
        EXPECT_EQ(lines.fieldByName("AACODIGO")->asInteger(), 7);
    }
}

// A width chosen for another font is a minimum: the title is never cut.
TEST_F(DataGridTest, ColumnsAreNeverNarrowerThanTheirTitles)
{
    grid.addColumn("AACODIGO", "Código da Ordem de Serviço", 20);
    grid.addColumn("AAQUANTIDADE", "Qtde.", 300);
    const QFontMetrics metrics(grid.horizontalHeader()->font());
    EXPECT_GE(grid.columnWidth(0), metrics.horizontalAdvance("Código da Ordem de Serviço"));
    EXPECT_EQ(grid.columnWidth(1), 300);
    EXPECT_EQ(grid.column(0)->width(), 20) << "the given width stays what is stored";
}

TEST_F(DataGridTest, CtrlDeleteAsksThenDeletesTheCurrentRowWhereTheGridMayChangeIt)
{
    ScriptedDialogs dialogs;
    grid.setFocus();
    lines.locate("AACODIGO", 2);
    // A grid that did not ask for the key neither asks nor deletes.
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(lines.recordCount(), 3);
    EXPECT_EQ(dialogs.shown().size(), 0u);
    grid.setDeleteKey(true);
    dialogs.answer("Não", "Confirma a exclusão do registro?");
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(lines.recordCount(), 3);
    dialogs.answer("Sim", "Confirma a exclusão do registro?");
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(lines.recordCount(), 2);
    EXPECT_FALSE(lines.locate("AACODIGO", 2));

    // A row still being typed is only let go: the row before it stays.
    lines.locate("AACODIGO", 3);
    QTest::keyClick(&grid, Qt::Key_Insert);
    ASSERT_EQ(lines.state(), DatasetState::Insert);
    dialogs.answer("Sim", "Confirma a exclusão do registro?");
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(lines.state(), DatasetState::Browse);
    EXPECT_EQ(lines.recordCount(), 2);

    // A read-only grid neither asks nor deletes; Delete alone deletes nothing.
    grid.setReadOnlyGrid(true);
    QTest::keyClick(&grid, Qt::Key_Delete, Qt::ControlModifier);
    grid.setReadOnlyGrid(false);
    QTest::keyClick(&grid, Qt::Key_Delete);
    EXPECT_EQ(lines.recordCount(), 2);
    EXPECT_EQ(dialogs.pending(), 0);
}

namespace {

// A long result read row by row as it is asked for, as a query reads its
// cursor: it counts the rows it was asked to read.
class LongResult : public host::data::Dataset {
public:
    explicit LongResult(int rows) : Dataset(nullptr, "quLongo"), rows_(rows) {}
    bool canModify() const override { return true; }
    int read = 0;

protected:
    void openData() override
    {
        read = 0;
        defineColumn("CODIGO", FieldType::Int32, 0);
    }
    bool fetchRow(MutableRowValues columns) override
    {
        if (read >= rows_)
            return false;
        columns[0] = ++read;
        return true;
    }
    void closeData() override {}
    void writeInsert(RowValues) override {}
    void writeModify(RowValues, RowValues) override {}
    void writeDelete(RowValues) override {}

private:
    int rows_;
};

class LongGridTest : public ::testing::Test {
protected:
    static constexpr int kRows = DataGrid::kPageRows * 3 + 50;

    void SetUp() override
    {
        result.open();
        grid.setDataSource(&source);
        grid.resize(300, 200);
        grid.show();
        QApplication::setActiveWindow(&grid);
        grid.setFocus();
    }
    QString codeAt(int row) { return grid.model()->index(row, 0).data().toString(); }
    int current() const { return result.fieldByName("CODIGO")->asInteger(); }

    LongResult result{kRows};
    DataSource source{nullptr, "dsLongo", &result};
    DataGrid grid{"dbgdLongo"};
};

} // namespace

// A long result opens on its first page; scrolling and the keys that go
// down read on, and Down on the last row read so far moves on instead of
// adding a row.
TEST_F(LongGridTest, OpensOnItsFirstPageAndTheScrollAndKeysReadOnToTheEnd)
{
    ASSERT_EQ(grid.model()->rowCount(), DataGrid::kPageRows);
    EXPECT_LE(result.read, DataGrid::kPageRows) << "not read to its end to open";
    EXPECT_EQ(codeAt(0), "1");

    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
    EXPECT_GE(grid.model()->rowCount(), 2 * DataGrid::kPageRows) << "the next page, scrolled to";
    EXPECT_LT(grid.model()->rowCount(), kRows);

    const int shown = grid.model()->rowCount();
    grid.setCurrentIndex(grid.model()->index(shown - 1, 0));
    ASSERT_EQ(current(), shown);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(result.state(), DatasetState::Browse) << "no row added below a row not the last";
    EXPECT_EQ(current(), shown + 1);
    QTest::keyClick(&grid, Qt::Key_PageDown);
    EXPECT_GT(current(), shown + 2);

    QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(current(), kRows);
    EXPECT_EQ(grid.model()->rowCount(), kRows);
    EXPECT_EQ(codeAt(kRows - 1), QString::number(kRows));
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(result.state(), DatasetState::Insert) << "below the true last row, a new row";
    result.cancel();
}

// Rows chosen by number, and every row chosen by Ctrl+A, reach past the
// rows read so far; the dataset moved by code past them is shown and followed.
TEST_F(LongGridTest, SelectionsAndTheDatasetMovedByCodeReachRowsNotYetRead)
{
    grid.setMultiSelect(true);
    grid.selectRow(kRows - 1);
    EXPECT_EQ(grid.selectedRows(), QList<int>{kRows - 1});
    grid.clearSelectedRows();
    QTest::keyClick(&grid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(grid.selectedRows().size(), kRows);
    grid.clearSelectedRows();
    grid.setMultiSelect(false);

    result.close();
    result.open();
    ASSERT_EQ(grid.model()->rowCount(), DataGrid::kPageRows);
    ASSERT_TRUE(result.locate("CODIGO", 2 * DataGrid::kPageRows + 7));
    EXPECT_GE(grid.model()->rowCount(), 2 * DataGrid::kPageRows + 7);
    EXPECT_EQ(grid.currentIndex().row(), 2 * DataGrid::kPageRows + 6) << "the grid follows the dataset";
}

// A window that counts its rows reads the result to its end behind the grid:
// a row then put in edit, by a key typed in its cell or by code, does not
// start the view again, so the rows marked and the editor typed in stay.
TEST_F(LongGridTest, ARowEditedInAResultReadAheadKeepsTheMarkedRowsAndTheEditor)
{
    grid.setMultiSelect(true);
    grid.setCurrentIndex(grid.model()->index(41, 0));
    ASSERT_EQ(current(), 42);
    grid.clearSelectedRows();
    grid.selectRow(3);
    grid.selectRow(5);
    ASSERT_EQ(grid.selectedRows(), (QList<int>{3, 5}));
    ASSERT_EQ(result.recordCount(), kRows);   // the window's "Total de Registros"
    ASSERT_EQ(grid.model()->rowCount(), DataGrid::kPageRows);

    grid.editCurrentCell();
    auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.currentIndex()));
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "9001");
    EXPECT_EQ(result.state(), DatasetState::Edit);
    EXPECT_EQ(grid.indexWidget(grid.currentIndex()), editor) << "the editor typed in is still open";
    EXPECT_EQ(grid.selectedRows(), (QList<int>{3, 5})) << "the marks stay while the row is typed";
    QTest::keyClick(editor, Qt::Key_Return);
    result.post();
    EXPECT_EQ(result.recNo(), 42);
    EXPECT_EQ(result.fieldByName("CODIGO")->asInteger(), 9001) << "the text typed is the row's";
    EXPECT_EQ(codeAt(41), "9001");

    result.edit();   // a rule of the window changing the current row
    result.fieldByName("CODIGO")->setAsInteger(9002);
    result.post();
    EXPECT_EQ(codeAt(41), "9002");
    EXPECT_EQ(grid.selectedRows(), (QList<int>{3, 5})) << "the marks stay when code edits the row";
    EXPECT_EQ(grid.currentIndex().row(), 41);
}

// Leaving a row being typed posts it, whatever key leaves it, also where the
// key finds no row to move to (the last row going down, the first going up):
// the row is never left pending until the window closes. Down on the last
// row adds a row only once the row is stored.
TEST_F(DataGridTest, EveryKeyThatLeavesARowBeingTypedPostsIt)
{
    grid.setFocus();
    struct Saida {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool atEnd;   // the new row past the last one, else before the first
    };
    const Saida saidas[] = {{Qt::Key_Down, Qt::NoModifier, true},     {Qt::Key_PageDown, Qt::NoModifier, true},
                            {Qt::Key_End, Qt::ControlModifier, true}, {Qt::Key_Up, Qt::NoModifier, false},
                            {Qt::Key_PageUp, Qt::NoModifier, false},  {Qt::Key_Home, Qt::ControlModifier, false}};
    int codigo = 20;
    for (const Saida& saida : saidas) {
        for (const bool editorAberto : {true, false}) {
            ++codigo;
            const std::string caso = QKeySequence(saida.key | saida.modifiers).toString().toStdString() +
                                     (editorAberto ? " (editor open)" : " (editor closed)");
            if (lines.editing())
                lines.cancel();
            const int linhas = lines.recordCount();
            if (saida.atEnd) {
                lines.last();
                QTest::keyClick(&grid, Qt::Key_Down);
            } else {
                lines.first();
                QTest::keyClick(&grid, Qt::Key_Insert);
            }
            ASSERT_EQ(lines.state(), DatasetState::Insert) << caso;
            grid.setCurrentIndex(cell(lines.recNo() - 1, "AACODIGO"));
            QLineEdit* editor = typeInCurrentCell(grid, QString::number(codigo));
            ASSERT_NE(editor, nullptr) << caso;
            if (!editorAberto) {
                QTest::keyClick(editor, Qt::Key_Return);
                QCoreApplication::processEvents();
            }
            QTest::keyClick(QApplication::focusWidget(), saida.key, saida.modifiers);
            QCoreApplication::processEvents();
            EXPECT_EQ(lines.state(), DatasetState::Browse) << caso;
            EXPECT_EQ(lines.recordCount(), linhas + 1) << caso << ": stored, and no other row added";
            EXPECT_TRUE(lines.locate("AACODIGO", codigo)) << caso;
        }
    }
    // Down on the last row, now stored, adds the next one.
    lines.last();
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(lines.state(), DatasetState::Insert);
    lines.cancel();

    // A click on another row posts the row being typed.
    lines.first();
    grid.setCurrentIndex(cell(0, "AACODIGO"));
    ASSERT_NE(typeInCurrentCell(grid, "99"), nullptr);
    const QRect outra = grid.visualRect(cell(2, "AAQUANTIDADE"));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, outra.center());
    EXPECT_EQ(lines.state(), DatasetState::Browse);
    EXPECT_EQ(lines.recNo(), 3);
    EXPECT_TRUE(lines.locate("AACODIGO", 99));
}
