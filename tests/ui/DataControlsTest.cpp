#include "host/data/DataSource.h"
#include "host/data/MemDataset.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/ScriptedDialogs.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace host::ui;
using host::data::DataSource;
using host::data::DatasetState;
using host::data::Field;
using host::data::FieldType;
using host::data::MemDataset;

namespace {

// The focus leaving a control, as a click elsewhere does.
void leave(QWidget& widget)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&widget, &out);
}

// An order with a customer, a status letter, a yes/no flag and a date.
class DataControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        orders.addField("AOCODIGO", FieldType::Int32);
        orders.addField("CLCODIGO", FieldType::Int32);
        orders.addField("AOBAIXA", FieldType::String, 1);
        orders.addField("AOIMPRIMIRLAUDO", FieldType::String, 1);
        orders.addField("AODATASAIDA", FieldType::DateTime);
        orders.addField("AOLAUDO", FieldType::Memo);
        orders.open();
        orders.append();
        orders.fieldByName("AOCODIGO")->setAsInteger(1);
        orders.fieldByName("CLCODIGO")->setAsInteger(20);
        orders.fieldByName("AOBAIXA")->setAsString("A");
        orders.fieldByName("AOIMPRIMIRLAUDO")->setAsString("S");
        orders.fieldByName("AODATASAIDA")->setAsDateTime(QDateTime(QDate(2024, 3, 5), QTime(0, 0)));
        orders.post();

        customers.addField("CODIGO_CLIENTE", FieldType::Int32);
        customers.addField("NOME", FieldType::String, 40);
        customers.open();
        for (auto [code, name] : {std::pair{10, "ANA"}, {20, "BRUNO"}, {30, "CARLA"}})
            addCustomer(code, name);
        window.show();
        QApplication::setActiveWindow(&window);
    }

    void addCustomer(int code, const QString& name)
    {
        customers.append();
        customers.fieldByName("CODIGO_CLIENTE")->setAsInteger(code);
        customers.fieldByName("NOME")->setAsString(name);
        customers.post();
    }

    // The order's customer chosen from the customers' list.
    void bindCustomerCombo(DataLookupCombo& combo, const QString& listFields, int shownField = 0)
    {
        combo.setListSource(&dsCliente);
        combo.setKeyField("CODIGO_CLIENTE");
        combo.setListField(listFields);
        combo.setListFieldIndex(shownField);
        combo.bind(&dsOrdem, "CLCODIGO");
    }

    // An order item whose customer's name is a look-up field over the customers.
    void openItemsWithCustomerName(MemDataset& items)
    {
        items.addField("CLCODIGO", FieldType::Int32);
        items.addLookupField("NOMECLIENTE", FieldType::String, 40, "CLCODIGO", &customers, "CODIGO_CLIENTE", "NOME");
        items.open();
        items.append();
    }

    MemDataset orders{nullptr, "quOS"};
    MemDataset customers{nullptr, "quClienteConsulta"};
    DataSource dsOrdem{nullptr, "dsOrdem", &orders};
    DataSource dsCliente{nullptr, "dsCliente", &customers};
    QWidget window;
};

} // namespace

TEST_F(DataControlsTest, LookupComboSetsTheKeyFieldAndShowsTheListText)
{
    DataLookupCombo combo("dblcCliente", &window);
    bindCustomerCombo(combo, "CODIGO_CLIENTE;NOME", 1);
    EXPECT_EQ(combo.text(), "BRUNO");
    EXPECT_EQ(combo.keyValue().toInt(), 20);

    combo.setCurrentIndex(2);
    emit combo.activated(2);   // the user picks CARLA
    EXPECT_EQ(orders.state(), DatasetState::Edit);
    EXPECT_EQ(orders.fieldByName("CLCODIGO")->asInteger(), 30);
    EXPECT_EQ(combo.text(), "CARLA");

    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Delete);
    EXPECT_TRUE(orders.fieldByName("CLCODIGO")->isNull());
    EXPECT_EQ(combo.text(), "");

    orders.fieldByName("CLCODIGO")->setAsInteger(10);   // code changes the field: the combo follows
    EXPECT_EQ(combo.text(), "ANA");
    orders.fieldByName("CLCODIGO")->setAsInteger(99);   // a key not in the list shows nothing
    EXPECT_EQ(combo.text(), "");

    addCustomer(99, "DANI");   // the list follows its dataset
    EXPECT_EQ(combo.text(), "DANI");
}

TEST_F(DataControlsTest, LookupComboOnALookupFieldWritesItsKeyField)
{
    MemDataset items(nullptr, "quOSItem");
    openItemsWithCustomerName(items);
    DataSource ds(nullptr, "dsItens", &items);
    DataLookupCombo combo("dblcNome", &window);
    combo.bind(&ds, "NOMECLIENTE");
    ASSERT_EQ(combo.count(), 3);
    combo.setCurrentIndex(0);
    emit combo.activated(0);
    EXPECT_EQ(items.fieldByName("CLCODIGO")->asInteger(), 10);
    EXPECT_EQ(items.fieldByName("NOMECLIENTE")->asString(), "ANA");
}

TEST_F(DataControlsTest, UnboundLookupComboKeepsItsOwnKey)
{
    DataLookupCombo combo("dblcFiltro", &window);
    combo.setListSource(&dsCliente);
    combo.setKeyField("CODIGO_CLIENTE");
    combo.setListField("NOME");
    combo.setKeyValue(30);
    EXPECT_EQ(combo.text(), "CARLA");
    combo.setKeyValue(-1);
    EXPECT_EQ(combo.text(), "");
    EXPECT_EQ(combo.keyValue().toInt(), -1);
}

namespace {

// Drops the combo's list down as the user does and returns the table shown.
QTableView& dropDown(DataLookupCombo& combo)
{
    QTest::mouseClick(&combo, Qt::LeftButton);
    auto* table = qobject_cast<QTableView*>(combo.view());
    if (!table || !table->isVisible())
        throw std::runtime_error("the list did not drop down as a table");
    return *table;
}

// The texts a dropped-down list shows, one line per row, the columns shown between "|".
QStringList shownRows(const QTableView& table)
{
    QStringList rows;
    const QAbstractItemModel* model = table.model();
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            if (!table.isColumnHidden(c) && table.columnWidth(c) > 0)
                cells << model->index(r, c).data().toString();
        rows << cells.join('|');
    }
    return rows;
}

// Clicks a row of the dropped-down list, which closes it with that choice.
void clickRow(DataLookupCombo& combo, QTableView& table, int row)
{
    const QModelIndex cell = table.model()->index(row, combo.modelColumn());
    const QPoint at = table.visualRect(cell).center();
    QTest::mouseMove(table.viewport(), at);
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, at);
    if (table.isVisible())
        throw std::runtime_error("the list stayed dropped down after a click on a row");
}

} // namespace

TEST_F(DataControlsTest, LookupComboDroppedDownShowsTheListAndWritesTheRowClicked)
{
    DataLookupCombo combo("dblcCliente", &window);
    bindCustomerCombo(combo, "CODIGO_CLIENTE;NOME", 1);
    combo.show();
    QApplication::processEvents();

    QTableView& table = dropDown(combo);
    EXPECT_EQ(shownRows(table), (QStringList{"10|ANA", "20|BRUNO", "30|CARLA"}));
    clickRow(combo, table, 2);
    EXPECT_EQ(orders.state(), DatasetState::Edit);
    EXPECT_EQ(orders.fieldByName("CLCODIGO")->asInteger(), 30);
    EXPECT_EQ(combo.text(), "CARLA");

    // Rows added to the list's dataset are in the list dropped down next.
    addCustomer(40, "DANI");
    QTableView& again = dropDown(combo);
    EXPECT_EQ(shownRows(again), (QStringList{"10|ANA", "20|BRUNO", "30|CARLA", "40|DANI"}));
    clickRow(combo, again, 3);
    EXPECT_EQ(orders.fieldByName("CLCODIGO")->asInteger(), 40);
    EXPECT_EQ(combo.text(), "DANI");

    // The list's dataset closed and opened again with other rows.
    customers.close();
    customers.open();
    addCustomer(50, "EDU");
    QTableView& reopened = dropDown(combo);
    QStringList rows = shownRows(reopened);
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_EQ(rows.last(), "50|EDU");
    clickRow(combo, reopened, int(rows.size()) - 1);
    EXPECT_EQ(orders.fieldByName("CLCODIGO")->asInteger(), 50);
    EXPECT_EQ(combo.text(), "EDU");
}

TEST_F(DataControlsTest, LookupComboDroppedDownFollowsItsListFieldsAndShownColumn)
{
    DataLookupCombo combo("dblcCliente", &window);
    bindCustomerCombo(combo, "NOME");
    combo.show();
    QApplication::processEvents();

    QTableView& names = dropDown(combo);
    EXPECT_EQ(shownRows(names), (QStringList{"ANA", "BRUNO", "CARLA"}));
    clickRow(combo, names, 0);
    EXPECT_EQ(orders.fieldByName("CLCODIGO")->asInteger(), 10);
    EXPECT_EQ(combo.text(), "ANA");

    // Other list fields, and the closed combo showing the second of them.
    combo.setListField("NOME;CODIGO_CLIENTE");
    combo.setListFieldIndex(1);
    EXPECT_EQ(combo.text(), "10");
    QTableView& both = dropDown(combo);
    EXPECT_EQ(shownRows(both), (QStringList{"ANA|10", "BRUNO|20", "CARLA|30"}));
    clickRow(combo, both, 1);
    EXPECT_EQ(orders.fieldByName("CLCODIGO")->asInteger(), 20);
    EXPECT_EQ(combo.text(), "20");

    combo.setListFieldIndex(0);
    EXPECT_EQ(combo.text(), "BRUNO");
    QTableView& first = dropDown(combo);
    EXPECT_EQ(shownRows(first), (QStringList{"ANA|10", "BRUNO|20", "CARLA|30"}));
    clickRow(combo, first, 2);
    EXPECT_EQ(orders.fieldByName("CLCODIGO")->asInteger(), 30);
    EXPECT_EQ(combo.text(), "CARLA");
}

TEST_F(DataControlsTest, LookupComboOnALookupFieldDroppedDownWritesTheKeyOfTheRowClicked)
{
    MemDataset items(nullptr, "quOSItem");
    openItemsWithCustomerName(items);
    DataSource ds(nullptr, "dsItens", &items);
    DataLookupCombo combo("dblcNome", &window);
    combo.bind(&ds, "NOMECLIENTE");
    combo.show();
    QApplication::processEvents();

    QTableView& table = dropDown(combo);
    EXPECT_EQ(shownRows(table), (QStringList{"ANA", "BRUNO", "CARLA"}));
    clickRow(combo, table, 1);
    EXPECT_EQ(items.fieldByName("CLCODIGO")->asInteger(), 20);
    EXPECT_EQ(items.fieldByName("NOMECLIENTE")->asString(), "BRUNO");
    EXPECT_EQ(combo.text(), "BRUNO");

    // The look-up's rows read again when it drops down again.
    addCustomer(40, "DANI");
    QTableView& again = dropDown(combo);
    EXPECT_EQ(shownRows(again), (QStringList{"ANA", "BRUNO", "CARLA", "DANI"}));
    clickRow(combo, again, 3);
    EXPECT_EQ(items.fieldByName("CLCODIGO")->asInteger(), 40);
    EXPECT_EQ(combo.text(), "DANI");
}

TEST_F(DataControlsTest, RadioGroupMapsItemsToValues)
{
    DataRadioGroup group("dbrgStatusServ", "Status do Serviço", &window);
    group.setItems({"Executado", "Andamento", "Suspenso", "Terceiro"});
    group.setValues({"S", "A", "P", "T"});
    int changes = 0;
    group.onChange = [&] { ++changes; };
    group.bind(&dsOrdem, "AOBAIXA");
    EXPECT_EQ(group.itemIndex(), 1);
    EXPECT_EQ(changes, 0) << "showing a row is no choice";

    group.button(2)->click();
    EXPECT_EQ(orders.fieldByName("AOBAIXA")->asString(), "P");
    EXPECT_EQ(changes, 1);

    group.setItemIndex(0);
    EXPECT_EQ(orders.fieldByName("AOBAIXA")->asString(), "S");
    EXPECT_EQ(changes, 2);

    orders.fieldByName("AOBAIXA")->setAsString("X");   // no item has this value
    EXPECT_EQ(group.itemIndex(), -1);
    orders.fieldByName("AOBAIXA")->setAsString("T");
    EXPECT_EQ(group.itemIndex(), 3);
    EXPECT_EQ(changes, 2);
}

TEST_F(DataControlsTest, CheckBoxMapsCheckedAndUncheckedValues)
{
    DataCheckBox check("dbckImprimirLaudo", "Imprimir Laudo no Orçamento", &window);
    check.setValueChecked("S;s");
    check.setValueUnchecked("N");
    check.bind(&dsOrdem, "AOIMPRIMIRLAUDO");
    EXPECT_TRUE(check.isChecked());
    check.click();
    EXPECT_EQ(orders.fieldByName("AOIMPRIMIRLAUDO")->asString(), "N");
    check.click();
    EXPECT_EQ(orders.fieldByName("AOIMPRIMIRLAUDO")->asString(), "S") << "the first checked value is written";
    orders.fieldByName("AOIMPRIMIRLAUDO")->setAsString("s");
    EXPECT_TRUE(check.isChecked()) << "any listed value, any case";
    orders.fieldByName("AOIMPRIMIRLAUDO")->clear();
    EXPECT_FALSE(check.isChecked());
}

TEST_F(DataControlsTest, ReadOnlyFieldsAndClosedDatasetsRefuseChanges)
{
    DataCheckBox check("dbckImprimirLaudo", "Imprimir", &window);
    check.setValueChecked("S");
    check.setValueUnchecked("N");
    check.bind(&dsOrdem, "AOIMPRIMIRLAUDO");
    orders.fieldByName("AOIMPRIMIRLAUDO")->setReadOnly(true);
    check.click();
    EXPECT_TRUE(check.isChecked()) << "the box shows the field again";
    EXPECT_EQ(orders.state(), DatasetState::Browse);
    EXPECT_EQ(orders.fieldByName("AOIMPRIMIRLAUDO")->asString(), "S");

    DataEdit edit("dbedCodigo", &window);
    edit.bind(&dsOrdem, "AOCODIGO");
    EXPECT_EQ(edit.text(), "1");
    orders.close();
    EXPECT_EQ(edit.text(), "");
    EXPECT_TRUE(edit.isReadOnly());
}

TEST_F(DataControlsTest, ControlsTheWindowDisabledStayDisabledWhileRowsChange)
{
    DataCheckBox check("dbckImprimirLaudo", "Imprimir", &window);
    check.bind(&dsOrdem, "AOIMPRIMIRLAUDO");
    DataRadioGroup group("dbrgStatusServ", "Status", &window);
    group.setItems({"Executado", "Andamento"});
    group.setValues({"S", "A"});
    group.bind(&dsOrdem, "AOBAIXA");
    DataComboBox combo("dbcbBaixa", DataComboBox::Style::DropDownList, &window);
    combo.setPickList({"A", "S"});
    combo.bind(&dsOrdem, "AOBAIXA");
    DataLookupCombo lookup("dblcCliente", &window);
    lookup.setListSource(&dsCliente);
    lookup.setKeyField("CODIGO_CLIENTE");
    lookup.setListField("NOME");
    lookup.bind(&dsOrdem, "CLCODIGO");
    const QList<QWidget*> controls{&check, &group, &combo, &lookup};
    for (QWidget* control : controls)
        control->setEnabled(false);   // the window's own rule, e.g. while the order is closed

    orders.append();   // another row shown, then the first again
    orders.cancel();
    orders.edit();
    orders.fieldByName("AOBAIXA")->setAsString("S");
    orders.post();
    for (QWidget* control : controls)
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_EQ(group.itemIndex(), 0);
    EXPECT_EQ(lookup.currentText(), "BRUNO");
}

TEST_F(DataControlsTest, TheChangeThatStartsANewRowOnAnEmptyDatasetIsKept)
{
    // On an empty dataset the first change starts a new row; showing that
    // row must not wipe out what the user typed or clicked.
    MemDataset empty(nullptr, "quVazio");
    empty.addField("CODIGO", FieldType::Int32);
    empty.addField("FLAG", FieldType::String, 1);
    empty.addField("STATUS", FieldType::String, 1);
    empty.addField("OBS", FieldType::Memo);
    empty.open();
    empty.onNewRecord = [](host::data::Dataset& d) { d.fieldByName("STATUS")->setAsString("A"); };
    DataSource ds(nullptr, "dsVazio", &empty);

    DataEdit edit("dbedCodigo", &window);
    edit.bind(&ds, "CODIGO");
    edit.setFocus();
    QTest::keyClicks(&edit, "7");
    EXPECT_EQ(empty.state(), DatasetState::Insert);
    EXPECT_EQ(edit.text(), "7");
    edit.commit();
    EXPECT_EQ(empty.fieldByName("CODIGO")->asInteger(), 7);
    empty.cancel();

    DataMemo memo("dbmmObs", &window);
    memo.bind(&ds, "OBS");
    memo.setFocus();
    QTest::keyClicks(&memo, "ok");
    memo.commit();
    EXPECT_EQ(empty.fieldByName("OBS")->asString(), "ok");
    empty.cancel();

    DataCheckBox check("dbckFlag", "Flag", &window);
    check.setValueChecked("S");
    check.setValueUnchecked("N");
    check.bind(&ds, "FLAG");
    check.click();
    EXPECT_EQ(empty.state(), DatasetState::Insert);
    EXPECT_EQ(empty.fieldByName("FLAG")->asString(), "S");
    EXPECT_TRUE(check.isChecked());
    empty.cancel();

    DataRadioGroup group("dbrgStatus", "Status", &window);
    group.setItems({"Andamento", "Suspenso"});
    group.setValues({"A", "P"});
    group.bind(&ds, "STATUS");
    group.button(1)->click();
    EXPECT_EQ(empty.fieldByName("STATUS")->asString(), "P") << "the click wins over the new row's default";
    EXPECT_EQ(group.itemIndex(), 1);
    empty.cancel();

    DataComboBox combo("dbcbStatus", DataComboBox::Style::DropDownList, &window);
    combo.setPickList({"A", "P"});
    combo.bind(&ds, "STATUS");
    combo.setCurrentIndex(1);
    emit combo.activated(1);   // the user's pick
    EXPECT_EQ(empty.fieldByName("STATUS")->asString(), "P");
    EXPECT_EQ(combo.currentText(), "P");
}

TEST_F(DataControlsTest, AFailingChangeOrEnterHandlerOfAnEditIsShownNotThrown)
{
    ScriptedDialogs dialogs;
    DataEdit edit("dbedCodigo", &window);
    edit.bind(&dsOrdem, "AOCODIGO");
    edit.onEnter = [] { throw std::runtime_error("Entrada recusada"); };
    edit.onChange = [] { throw std::runtime_error("Código recusado"); };
    dialogs.acknowledge("Entrada recusada").acknowledge("Código recusado");
    edit.show();
    EXPECT_NO_THROW(edit.setFocus());
    edit.selectAll();
    EXPECT_NO_THROW(QTest::keyClicks(&edit, "5"));
    EXPECT_EQ(dialogs.pending(), 0);
    edit.commit();
    EXPECT_EQ(orders.fieldByName("AOCODIGO")->asInteger(), 5) << "the typing itself stands";
}

TEST_F(DataControlsTest, ComboTextTypedAndEnteredGoesToTheFieldNotIntoThePickList)
{
    DataComboBox combo("dbcbBaixa", DataComboBox::Style::DropDown, &window);
    combo.setPickList({"A", "P"});
    combo.bind(&dsOrdem, "AOBAIXA");
    combo.show();
    combo.setFocus();
    combo.lineEdit()->selectAll();
    QTest::keyClicks(combo.lineEdit(), "X");
    QTest::keyClick(combo.lineEdit(), Qt::Key_Return);
    EXPECT_EQ(combo.pickList(), (QStringList{"A", "P"}));
    EXPECT_EQ(orders.fieldByName("AOBAIXA")->asString(), "X") << "Enter writes the text, as in an edit";
    EXPECT_EQ(orders.state(), DatasetState::Edit);
}

TEST_F(DataControlsTest, DateMaskTurnsAnEmptyMaskIntoAnEmptyField)
{
    DataEdit edit("edDataSaida", &window);
    edit.setEditMask("!99/99/99;1;_");
    edit.bind(&dsOrdem, "AODATASAIDA");
    EXPECT_EQ(edit.displayText(), "05/03/2024") << "a date's year is shown whole";

    edit.setFocus();
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_EQ(edit.valueText(), "");
    edit.commit();
    EXPECT_TRUE(orders.fieldByName("AODATASAIDA")->isNull());
    EXPECT_EQ(orders.state(), DatasetState::Edit);

    edit.selectAll();
    QTest::keyClicks(&edit, "01022024");
    EXPECT_EQ(edit.valueText(), "01/02/2024");
    edit.commit();
    EXPECT_EQ(orders.fieldByName("AODATASAIDA")->asDateTime().date(), QDate(2024, 2, 1));
}

TEST_F(DataControlsTest, EditWritesOnPostAndShowsBadTextAsAnError)
{
    DataEdit edit("dbedCodigo", &window);
    edit.bind(&dsOrdem, "AOCODIGO");
    edit.setFocus();
    edit.selectAll();
    QTest::keyClicks(&edit, "42");
    EXPECT_EQ(orders.state(), DatasetState::Edit);
    orders.post();   // the typed text goes into the field before the row is written
    EXPECT_EQ(orders.fieldByName("AOCODIGO")->asInteger(), 42);

    ScriptedDialogs dialogs;
    dialogs.acknowledge("não é um valor inteiro válido");
    edit.selectAll();
    QTest::keyClicks(&edit, "4x");
    leave(edit);   // leaving the edit writes the text: the field refuses it
    EXPECT_EQ(dialogs.pending(), 0);
    EXPECT_EQ(orders.fieldByName("AOCODIGO")->asInteger(), 42);
}

TEST_F(DataControlsTest, GetTextAndSetTextHandlersShowAndAcceptCaptions)
{
    Field* kind = orders.fieldByName("AOBAIXA");
    const QStringList captions{"S - Executado", "A - Andamento", "P - Suspenso"};
    kind->onGetText = [&](Field& f, QString& text, bool) {
        for (const QString& c : captions)
            if (c.startsWith(f.asString() + " "))
                text = c;
    };
    kind->onSetText = [](Field& f, const QString& text) { f.setAsString(text.left(1)); };

    DataComboBox combo("dbcbBaixa", DataComboBox::Style::DropDownList, &window);
    combo.setPickList(captions);
    combo.bind(&dsOrdem, "AOBAIXA");
    EXPECT_EQ(combo.text(), "A - Andamento");
    combo.setCurrentIndex(2);
    emit combo.activated(2);
    EXPECT_EQ(kind->asString(), "P");

    DataEdit edit("dbedBaixa", &window);
    edit.bind(&dsOrdem, "AOBAIXA");
    EXPECT_EQ(edit.text(), "P - Suspenso");
    edit.setFocus();
    edit.selectAll();
    QTest::keyClicks(&edit, "S - Executado");
    edit.commit();
    EXPECT_EQ(kind->asString(), "S");
    EXPECT_EQ(combo.text(), "S - Executado");

    DataLabel label("dbteBaixa", &window);
    label.bind(&dsOrdem, "AOBAIXA");
    EXPECT_EQ(label.text(), "S - Executado");
    int clicks = 0;
    label.onClick = [&] { ++clicks; };
    QTest::mouseClick(&label, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST_F(DataControlsTest, MemoRebindsAndRunsItsExitAfterWriting)
{
    DataMemo memo("dbmeLaudo", &window);
    memo.bind(&dsOrdem, "AOLAUDO");
    QString seenOnExit;
    memo.onExit = [&] { seenOnExit = orders.fieldByName("AOLAUDO")->asString(); };
    memo.setFocus();
    QTest::keyClicks(&memo, "tela quebrada");
    leave(memo);
    EXPECT_EQ(seenOnExit, "tela quebrada") << "the text is in the field when the exit handler runs";

    memo.bind(&dsOrdem, "AOBAIXA");
    EXPECT_EQ(memo.text(), "A");
}

TEST_F(DataControlsTest, ImageLoadsABlobFromAFile)
{
    MemDataset photos(nullptr, "quOSItem");
    photos.addField("AOITFOTO", FieldType::Blob);
    photos.open();
    photos.append();
    photos.post();
    DataSource ds(nullptr, "dsItens", &photos);
    DataImage image("dbimFoto", &window);
    image.bind(&ds, "AOITFOTO");
    EXPECT_FALSE(image.hasPicture());

    QTemporaryDir dir;
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString path = dir.filePath("foto.bmp");
    ASSERT_TRUE(picture.save(path));
    EXPECT_FALSE(image.loadFromFile(dir.filePath("nada.bmp")));
    EXPECT_EQ(photos.state(), DatasetState::Browse);
    ASSERT_TRUE(image.loadFromFile(path));
    EXPECT_EQ(photos.state(), DatasetState::Edit);
    EXPECT_FALSE(photos.fieldByName("AOITFOTO")->asBytes().isEmpty());
    EXPECT_TRUE(image.hasPicture());
}

TEST(CheckListBox, ChecksAndReportsOnlyUserClicks)
{
    CheckListBox list("clOpcoesDespesas");
    list.setItems({"Serviço", "Despesas com Peças", "Despesas com Viagem", "Despesas Extras"});
    QList<int> clicked;
    list.onClickCheck = [&](int index) { clicked << index; };
    list.setChecked(2, true);
    EXPECT_TRUE(list.checked(2));
    EXPECT_FALSE(list.checked(0));
    EXPECT_TRUE(clicked.isEmpty());
    list.item(0)->setCheckState(Qt::Checked);   // as the user's click does
    EXPECT_EQ(clicked, QList<int>{0});
    EXPECT_FALSE(list.checked(9));
}
