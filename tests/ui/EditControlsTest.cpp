// Spin, date and currency edits (unbound and data-aware) and the colour
// dialog, driven through their widgets: typed text, keys and the calendar.

#include "host/data/Abort.h"
#include "host/data/DataSource.h"
#include "host/data/MemDataset.h"
#include "host/ui/Colors.h"
#include "host/ui/Dialogs.h"
#include "host/ui/EditControls.h"
#include "host/ui/ScriptedDialogs.h"
#include "tests/support/ScopedTimeZone.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QTest>
#include <QToolButton>

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace host::ui;
using host::data::DataSource;
using host::data::DatasetState;
using host::data::FieldType;
using host::data::MemDataset;

namespace {

void leaveControl(QWidget& widget)
{
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&widget, &out);
}

void enter(QWidget& widget)
{
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(&widget, &in);
}

// A date picked in an open calendar, with Enter as the user does.
void pick(QCalendarWidget* calendar, const QDate& date)
{
    ASSERT_NE(calendar, nullptr);
    calendar->setSelectedDate(date);
    QTest::keyClick(calendar->findChild<QAbstractItemView*>(), Qt::Key_Return);
}

void typeOver(QLineEdit& edit, const QString& text)
{
    edit.setFocus();
    edit.selectAll();
    edit.home(false);
    QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, text);
}

class EditControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        rental.addField("ACITQUANTIDADE", FieldType::Int32);
        rental.addField("ACITDATAENTREGA", FieldType::DateTime);
        rental.addField("ACITVALOR", FieldType::Float);
        rental.open();
        rental.append();
        rental.fieldByName("ACITQUANTIDADE")->setAsInteger(2);
        rental.fieldByName("ACITDATAENTREGA")->setAsDateTime(QDateTime(QDate(2026, 5, 4), QTime(0, 0)));
        rental.fieldByName("ACITVALOR")->setAsFloat(1234.5);
        rental.post();
        window.show();
        QApplication::setActiveWindow(&window);
    }

    MemDataset rental{nullptr, "quCtrEquipLocacao"};
    DataSource source{nullptr, "dsLocacao", &rental};
    QWidget window;
    ScriptedDialogs dialogs;
};

} // namespace

TEST_F(EditControlsTest, SpinEditsKeepTheirRangeAndTheBoundOneWritesTheField)
{
    SpinEdit hour("rxspRetiradaHora", &window);
    hour.setRange(0, 23);
    int changes = 0;
    hour.onChange = [&] { ++changes; };
    hour.setFocus();
    QTest::keyClick(&hour, Qt::Key_Up);
    QTest::keyClicks(&hour, "99");   // beyond the maximum: refused
    EXPECT_LE(hour.value(), 23);
    EXPECT_GE(changes, 1);

    DataSpinEdit quantity("dbspQuantidade", &window);
    quantity.setRange(0, 1000);
    quantity.bind(&source, "ACITQUANTIDADE");
    EXPECT_EQ(quantity.value(), 2);
    quantity.setFocus();
    QTest::keyClick(&quantity, Qt::Key_Up);
    EXPECT_EQ(rental.state(), DatasetState::Edit);
    QTest::keyClick(&quantity, Qt::Key_Return);
    EXPECT_EQ(rental.fieldByName("ACITQUANTIDADE")->asInteger(), 3);
    QTest::keyClick(&quantity, Qt::Key_Up);
    QTest::keyClick(&quantity, Qt::Key_Escape);   // Esc gives the field's value back
    EXPECT_EQ(quantity.value(), 3);
    rental.cancel();
    EXPECT_EQ(quantity.value(), 2);               // a row shown is no change
    EXPECT_EQ(rental.state(), DatasetState::Browse);
}

TEST_F(EditControlsTest, DateEditReadsTwoDigitYearsRefusesBadDatesAndBlankIsNoDate)
{
    DateEdit date("edIncData", &window);
    int changes = 0;
    date.onChange = [&] { ++changes; };
    typeOver(date, "050449");   // a two-digit year is this century's, shown whole
    QTest::keyClick(&date, Qt::Key_Return);
    EXPECT_EQ(date.date().date(), QDate(2049, 4, 5));
    EXPECT_EQ(date.dateText(), "05/04/2049");
    typeOver(date, "01011950");
    leaveControl(date);
    EXPECT_EQ(date.date().date(), QDate(1950, 1, 1));
    EXPECT_EQ(changes, 2);

    dialogs.acknowledge("Data inválida");
    typeOver(date, "31022050");
    leaveControl(date);
    EXPECT_EQ(date.date().date(), QDate(1950, 1, 1));   // the last good date stays
    EXPECT_EQ(date.displayText(), "31/02/2050") << "the refused text stays to be mended";
    leaveControl(date);   // left again: not told twice
    dialogs.acknowledge("Data inválida: 31/02/2050");
    EXPECT_FALSE(date.checkTyped()) << "still refused, told again to the action reading it";
    dialogs.acknowledge("Data inválida: 31/02/2050");
    EXPECT_THROW(host::ui::requireTypedDates({&date}), host::Abort);
    EXPECT_EQ(dialogs.pending(), 0);
    date.setDate(QDateTime(QDate(1950, 1, 1), QTime()));   // a date set by the window replaces it
    EXPECT_EQ(date.displayText(), "01/01/1950");
    dialogs.acknowledge("Data inválida: 31/02/2050");
    typeOver(date, "31022050");
    leaveControl(date);
    EXPECT_EQ(dialogs.pending(), 0) << "typed again, told again";

    dialogs.acknowledge("Data inválida: 01/01/202_");   // a year of three digits is not read
    typeOver(date, "0101202");
    leaveControl(date);
    EXPECT_EQ(date.date().date(), QDate(1950, 1, 1));
    EXPECT_EQ(date.displayText(), "01/01/202_");

    typeOver(date, "");
    leaveControl(date);
    EXPECT_FALSE(date.date().isValid());
    EXPECT_EQ(date.dateText(), "");

    DateEdit full("deEmissaoEm", &window);
    full.setDate(QDateTime(QDate(2026, 12, 7), QTime(15, 30)));
    EXPECT_EQ(full.displayText(), "07/12/2026");
    EXPECT_EQ(full.date().time(), QTime(0, 0));
    full.setFocus();
    QTest::keyClick(&full, Qt::Key_F4);
    ASSERT_NE(full.calendarButton()->calendar(), nullptr);
    EXPECT_EQ(full.calendarButton()->calendar()->selectedDate(), QDate(2026, 12, 7));
    pick(full.calendarButton()->calendar(), QDate(2026, 12, 24));
    EXPECT_EQ(full.date().date(), QDate(2026, 12, 24));
    EXPECT_EQ(full.calendarButton()->calendar(), nullptr);
    EXPECT_EQ(dialogs.pending(), 0);
}

// Summer time in Brazil once began at midnight: 04/11/2018 had no 00:00
// there. That day picked in the calendar is still that day, in an unbound
// edit and in the field of a bound one, not an empty date.
TEST_F(EditControlsTest, ADayWhoseMidnightTheZoneSkippedIsPickedLikeAnyOther)
{
    const testsupport::ScopedTimeZone saoPaulo("America/Sao_Paulo");
    const QDate skipped(2018, 11, 4);
    DateEdit issue("deEmissao", &window);
    issue.setFocus();
    QTest::keyClick(&issue, Qt::Key_F4);
    pick(issue.calendarButton()->calendar(), skipped);
    EXPECT_EQ(issue.date().date(), skipped);
    EXPECT_EQ(issue.displayText(), "04/11/2018");

    DataDateEdit delivery("dbdeEntrega", &window);
    delivery.bind(&source, "ACITDATAENTREGA");
    delivery.setFocus();
    QTest::keyClick(&delivery, Qt::Key_F4);
    pick(delivery.calendarButton()->calendar(), skipped);
    ASSERT_FALSE(rental.fieldByName("ACITDATAENTREGA")->isNull());
    EXPECT_EQ(rental.fieldByName("ACITDATAENTREGA")->asDateTime().date(), skipped);
    EXPECT_EQ(delivery.displayText(), "04/11/2018");
    rental.post();
    EXPECT_EQ(rental.fieldByName("ACITDATAENTREGA")->asDateTime().date(), skipped);
    EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(EditControlsTest, CurrencyEditShowsTheDisplayFormatAndTakesPlainTypedValues)
{
    CurrencyEdit value("edIncValor", &window);
    EXPECT_EQ(value.displayText(), " 0,00");
    value.setValue(-1234.5);
    EXPECT_EQ(value.displayText(), "- 1.234,50");
    typeOver(value, "1.234,567");
    QTest::keyClick(&value, Qt::Key_Return);
    EXPECT_DOUBLE_EQ(value.value(), 1234.567);
    leaveControl(value);
    EXPECT_EQ(value.displayText(), " 1.234,57");
    enter(value);
    EXPECT_EQ(value.text(), "1234,567");   // typing starts from the plain value

    dialogs.acknowledge("Valor inválido: 12.34");
    typeOver(value, "12.34");   // a point is only a thousands separator
    leaveControl(value);
    EXPECT_EQ(value.text(), "12.34") << "the text refused stays to be mended";
    EXPECT_EQ(value.selectedText(), "12.34");
    dialogs.acknowledge("Valor inválido: 12.34");
    EXPECT_THROW(value.value(), host::Abort) << "an action reading the box is refused in words";
    value.setDisplayFormat("#,##0.0");
    EXPECT_EQ(value.displayText(), "1.234,6");
    EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(EditControlsTest, BoundDateAndCurrencyEditsWriteThroughTheFieldsText)
{
    DataDateEdit delivery("dbdeEntrega", &window);
    delivery.bind(&source, "ACITDATAENTREGA");
    EXPECT_EQ(delivery.displayText(), "04/05/2026");
    delivery.setFocus();
    QTest::keyClick(&delivery, Qt::Key_F4);
    pick(delivery.calendarButton()->calendar(), QDate(2026, 6, 1));
    EXPECT_EQ(rental.state(), DatasetState::Edit);
    EXPECT_EQ(rental.fieldByName("ACITDATAENTREGA")->asDateTime().date(), QDate(2026, 6, 1));
    rental.post();

    DataCurrencyEdit amount("dbedValor", &window);
    amount.bind(&source, "ACITVALOR");
    EXPECT_EQ(amount.displayText(), " 1.234,50");
    amount.setFocus();
    enter(amount);
    EXPECT_EQ(amount.text(), "1234,5");
    amount.selectAll();
    QTest::keyClicks(&amount, "-10,25");
    leaveControl(amount);
    EXPECT_DOUBLE_EQ(rental.fieldByName("ACITVALOR")->asFloat(), -10.25);
    EXPECT_EQ(amount.displayText(), "- 10,25");
    rental.post();
    rental.fieldByName("ACITVALOR")->setDisplayFormat("0.0");
    amount.setDisplayFormat({});
    EXPECT_EQ(amount.displayText(), "-10,3");   // the field's own format
}

TEST_F(EditControlsTest, ColourDialogGivesTheClassicColourText)
{
    dialogs.enter("clRed").cancel();
    QString color = colorToString(clBlack);
    EXPECT_TRUE(Dialogs::chooseColor(color));
    EXPECT_EQ(color, "clRed");
    EXPECT_EQ(stringToColor(color), clRed);
    EXPECT_FALSE(Dialogs::chooseColor(color));
    EXPECT_EQ(color, "clRed");
    EXPECT_EQ(dialogs.shown().at(0).kind, DialogKind::Color);
}

// A box as wide as twelve characters takes the size Qt gives a box that
// adjusts to that many characters and an icon, whatever its items and font,
// beside other controls in a layout; its list is built only when it first
// drops, and then lists every item.
TEST_F(EditControlsTest, CharacterWidthComboTakesQtsSizeForItsCharactersAndBuildsItsListWhenItDrops)
{
    auto* layout = new QHBoxLayout(&window);
    const QStringList campos = {"", "AOCODIGO", "AODESCRICAOSERVICOEXECUTADO_COMPLEMENTAR", "Situação"};
    for (const QStringList& itens : {QStringList{}, campos}) {
        for (const int pontos : {8, 11, 20}) {
            QFont fonte = window.font();
            fonte.setPointSize(pontos);
            auto nossa = std::make_unique<CharacterWidthComboBox>("cbCampos", 12);
            auto qt = std::make_unique<QComboBox>();
            qt->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
            qt->setMinimumContentsLength(12);
            for (QComboBox* c : {static_cast<QComboBox*>(nossa.get()), qt.get()}) {
                c->setFont(fonte);
                c->addItems(itens);
                layout->addWidget(c);
            }
            EXPECT_EQ(nossa->objectName(), "cbCampos");
            EXPECT_EQ(nossa->sizeHint(), qt->sizeHint()) << pontos << " points, " << itens.size() << " items";
            EXPECT_EQ(nossa->minimumSizeHint(), qt->minimumSizeHint()) << pontos << " points";
            QCoreApplication::sendPostedEvents();
            window.adjustSize();
            EXPECT_EQ(nossa->size(), qt->size()) << pontos << " points";
        }
    }
    auto* lista = new CharacterWidthComboBox("cbCamposIt", 12);
    lista->addItems(campos);
    layout->addWidget(lista);
    QCoreApplication::sendPostedEvents();
    window.adjustSize();
    EXPECT_EQ(lista->findChild<QAbstractItemView*>(), nullptr) << "no list before it drops";
    lista->showPopup();
    ASSERT_NE(lista->findChild<QAbstractItemView*>(), nullptr);
    EXPECT_EQ(lista->view()->model()->rowCount(), campos.size());
    lista->hidePopup();
}
