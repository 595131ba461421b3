// Fields: validate/change chains, typed text, sizes, texts through formats
// and masks, old values, calculated and look-up fields.
#include "tests/data/DataFixture.h"

#include "host/data/Abort.h"
#include "host/data/MemDataset.h"

#include <limits>
#include <stdexcept>

using namespace host::data;

namespace {

class Fields : public ::testing::Test {
protected:
    void SetUp() override
    {
        ds.setName("cdsLines");
        code = ds.addField("CODE", FieldType::String, 3);
        group = ds.addField("GRUPO", FieldType::String, 10);
        groupName = ds.addField("GRUPONOME", FieldType::String, 30);
        qty = ds.addField("QTD", FieldType::Float);
        price = ds.addField("PRECO", FieldType::Float);
        total = ds.addField("TOTAL", FieldType::Float);
        when = ds.addField("DATA", FieldType::DateTime);
        number = ds.addField("NUMERO", FieldType::Int32);
        ds.open();
        ds.append();
    }
    MemDataset ds;
    Field* code;
    Field* group;
    Field* groupName;
    Field* qty;
    Field* price;
    Field* total;
    Field* when;
    Field* number;
};

TEST_F(Fields, NamesAndLabels)
{
    EXPECT_EQ(code->name(), "cdsLinesCODE");
    EXPECT_EQ(code->displayLabel(), "CODE");
    code->setDisplayLabel("Código");
    EXPECT_EQ(code->displayLabel(), "Código");
    EXPECT_EQ(ds.fieldByName("qtd"), qty);
    EXPECT_EQ(ds.findField("nothing"), nullptr);
    EXPECT_THROW(ds.fieldByName("nothing"), DatasetError);
}

TEST_F(Fields, ChangeRulesChainThroughNestedAssignments)
{
    QStringList trail;
    code->onChange = [&](Field& f) {
        trail << "code";
        group->setAsString(f.asString() == "P1" ? "G1" : "G2");
    };
    group->onChange = [&](Field& f) {
        trail << "group";
        groupName->setAsString("Grupo " + f.asString());
    };
    auto retotal = [&](Field&) {
        trail << "total";
        total->setAsFloat(qty->asFloat() * price->asFloat());
    };
    qty->onChange = retotal;
    price->onChange = retotal;

    code->setAsString("P1");
    qty->setAsFloat(3);
    price->setAsFloat(2.5);
    EXPECT_EQ(trail.join(","), "code,group,total,total");
    EXPECT_EQ(groupName->asString(), "Grupo G1");
    EXPECT_DOUBLE_EQ(total->asFloat(), 7.5);
}

TEST_F(Fields, ValidateSeesTheNewValueAndARefusalKeepsTheOld)
{
    qty->setAsFloat(1);
    bool changed = false;
    qty->onValidate = [&](Field& f) {
        if (f.asFloat() < 0)
            throw host::Abort{};
    };
    qty->onChange = [&](Field&) { changed = true; };
    EXPECT_THROW(qty->setAsFloat(-2), host::Abort);
    EXPECT_DOUBLE_EQ(qty->asFloat(), 1);
    EXPECT_FALSE(changed);
    qty->setAsFloat(4);
    EXPECT_DOUBLE_EQ(qty->asFloat(), 4);
    EXPECT_TRUE(changed);
}

TEST_F(Fields, AbortInAChangeRuleKeepsTheValuesSetSoFar)
{
    code->onChange = [&](Field&) {
        group->setAsString("G9");
        throw host::Abort{};
    };
    EXPECT_THROW(code->setAsString("X"), host::Abort);
    EXPECT_EQ(code->asString(), "X");
    EXPECT_EQ(group->asString(), "G9");
    EXPECT_EQ(ds.state(), DatasetState::Insert);
}

TEST_F(Fields, SetTextRunsOnlyForTypedText)
{
    int typed = 0;
    code->onSetText = [&](Field& f, const QString& text) {
        ++typed;
        f.setAsString(text.left(1) == "s" ? "S" : "N");
    };
    code->setText("sim");
    EXPECT_EQ(code->asString(), "S");
    code->setAsString("Sim");   // by code: no set-text, cut to the size
    EXPECT_EQ(code->asString(), "Sim");
    EXPECT_EQ(typed, 1);
}

TEST_F(Fields, GetTextGivesDisplayAndEditText)
{
    code->setAsString("S");
    code->onGetText = [](Field& f, QString& text, bool display) {
        if (f.asString() == "S")
            text = display ? "Sim" : "s";
    };
    EXPECT_EQ(code->displayText(), "Sim");
    EXPECT_EQ(code->text(), "s");
    EXPECT_EQ(code->asString(), "S");
}

TEST_F(Fields, ValuesAreConvertedToTheFieldType)
{
    group->setAsString("Simultaneamente");
    EXPECT_EQ(group->asString(), "Simultanea");   // cut to size 10
    group->setAsString("");
    EXPECT_TRUE(group->isNull());
    number->setAsFloat(2.5);
    EXPECT_EQ(number->asInteger(), 2);   // half to even
    number->setAsString("41");
    EXPECT_EQ(number->asInteger(), 41);
    EXPECT_THROW(number->setAsString("4x"), DatasetError);
    EXPECT_EQ(number->asInteger(), 41);
    qty->setValue(QVariant());
    EXPECT_TRUE(qty->isNull());
    EXPECT_DOUBLE_EQ(qty->asFloat(), 0.0);
    qty->setAsInteger(3);
    EXPECT_EQ(qty->value().typeId(), QMetaType::Double);
    code->setAsBoolean(true);
    EXPECT_EQ(code->asString(), "S");
    EXPECT_TRUE(code->asBoolean());
    when->setAsDateTime(QDateTime(QDate(1899, 12, 31), QTime(12, 0)));
    EXPECT_DOUBLE_EQ(when->asFloat(), 1.5);
    when->setAsFloat(46000.25);
    EXPECT_EQ(when->asDateTime(), QDateTime(QDate(2025, 12, 9), QTime(6, 0)));
    number->clear();
    EXPECT_TRUE(number->isNull());
}

TEST_F(Fields, ValuesAFieldCannotHoldAreRefusedAndTheOldValueStays)
{
    Field* small = nullptr;
    {
        MemDataset other;
        small = other.addField("PEQUENO", FieldType::Int16);
        other.open();
        other.append();
        small->setAsInteger(32767);
        EXPECT_THROW(small->setAsInteger(32768), DatasetError);
        EXPECT_THROW(small->setAsString("-32769"), DatasetError);
        EXPECT_THROW(small->setAsFloat(-40000.0), DatasetError);
        EXPECT_EQ(small->asInteger(), 32767);
    }
    number->setAsInteger(7);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double bad : {1e20, -1e20, 2147483647.5 + 1.0, -2147483649.0, nan, inf, -inf})
        EXPECT_THROW(number->setAsFloat(bad), DatasetError) << bad;
    EXPECT_THROW(number->setAsString("99999999999"), DatasetError);
    EXPECT_EQ(number->asInteger(), 7);
    number->setAsFloat(2147483647.0);
    EXPECT_EQ(number->asInteger(), 2147483647);
    number->setAsFloat(-2147483648.0);
    EXPECT_EQ(number->asInteger(), -2147483648);

    qty->setAsFloat(1.5);
    EXPECT_THROW(qty->setAsFloat(nan), DatasetError);
    EXPECT_THROW(qty->setValue(inf), DatasetError);
    EXPECT_DOUBLE_EQ(qty->asFloat(), 1.5);
    qty->setAsFloat(1e20);   // a float field holds it
    EXPECT_THROW(qty->asInteger(), DatasetError);
}

// The typed setters store what a value of that type set through setValue
// would: same type, same value, same cut and same refusals, on every kind of
// field (a date field keeps the start of the day, an empty text is null).
TEST(TypedSetters, StoreWhatTheGeneralAssignmentStores)
{
    MemDataset typed, general;
    for (MemDataset* ds : {&typed, &general}) {
        ds->addField("I32", FieldType::Int32);
        ds->addField("I16", FieldType::Int16);
        ds->addField("F", FieldType::Float);
        ds->addField("S", FieldType::String, 5);
        ds->addField("M", FieldType::Memo);
        ds->addField("DT", FieldType::DateTime);
        ds->addField("D", FieldType::Date);
        ds->addField("T", FieldType::Time);
        ds->addCalculatedField("C", FieldType::Float);
        ds->open();
        ds->append();
    }
    auto same = [&](const char* name) {
        const QVariant a = typed.fieldByName(name)->value();
        const QVariant b = general.fieldByName(name)->value();
        EXPECT_EQ(a.typeId(), b.typeId()) << name;
        EXPECT_EQ(a, b) << name;
        if (a.typeId() == QMetaType::QDateTime) {
            EXPECT_EQ(a.toDateTime().timeSpec(), b.toDateTime().timeSpec()) << name;
        }
    };
    auto both = [&](const char* name, auto&& setTyped, const QVariant& value) {
        setTyped(typed.fieldByName(name));
        general.fieldByName(name)->setValue(value);
        same(name);
    };
    for (const char* name : {"I32", "I16", "F", "S", "M", "C"})
        for (int v : {0, -7, 32767, -32768}) {
            both(name, [&](Field* f) { f->setAsInteger(v); }, v);
        }
    for (const char* name : {"F", "I32", "I16", "S", "C"})
        for (double v : {2.5, -3.5, 1e-3}) {
            both(name, [&](Field* f) { f->setAsFloat(v); }, v);
        }
    for (const char* name : {"S", "M"})
        for (const QString& v : {QString("abc"), QString("abcdefgh"), QString(), QString("")}) {
            both(name, [&](Field* f) { f->setAsString(v); }, v);
        }
    const QList<QDateTime> times = {QDateTime(QDate(2026, 3, 1), QTime(0, 0)),
                                    QDateTime(QDate(2026, 3, 1), QTime(13, 45, 10)),
                                    QDateTime(QDate(2026, 3, 1), QTime(0, 0), Qt::UTC), QDateTime()};
    for (const char* name : {"DT", "D", "T", "F"})
        for (const QDateTime& v : times) {
            both(name, [&](Field* f) { f->setAsDateTime(v); }, v.isValid() ? QVariant(v) : QVariant());
        }
    typed.fieldByName("D")->setAsDateTime(QDateTime(QDate(2026, 3, 1), QTime(18, 30)));
    EXPECT_EQ(QDateTime(QDate(2026, 3, 1), QTime(0, 0)), typed.fieldByName("D")->asDateTime());

    // Out of a smallint's or an integer's reach: refused by both, the old value kept.
    typed.fieldByName("I16")->setAsInteger(5);
    EXPECT_THROW(typed.fieldByName("I16")->setAsInteger(32768), DatasetError);
    EXPECT_THROW(typed.fieldByName("I16")->setAsInteger(-32769), DatasetError);
    EXPECT_EQ(5, typed.fieldByName("I16")->asInteger());
    typed.fieldByName("F")->setAsFloat(1.5);
    EXPECT_THROW(typed.fieldByName("F")->setAsFloat(std::numeric_limits<double>::infinity()), DatasetError);
    EXPECT_DOUBLE_EQ(1.5, typed.fieldByName("F")->asFloat());
}

struct TextCase {
    FieldType type;
    QString format;
    QString mask;
    QVariant value;
    QString display;
    QString edit;
};

TEST(FieldTexts, DisplayFormatsAndEditMasks)
{
    const std::vector<TextCase> cases = {
        {FieldType::Int32, "000000000", "", 25, "000000025", "25"},
        {FieldType::Float, "###,###,##0.00", "", 1234.5, "1.234,50", "1234,5"},
        {FieldType::Float, "", "", 0.25, "0,25", "0,25"},
        {FieldType::DateTime, "", "!99/99/99;1;_", QDateTime(QDate(2026, 2, 1), QTime(0, 0)), "01/02/2026", "01/02/2026"},
        {FieldType::DateTime, "hh:mm", "!99:99;1;_", QDateTime(QDate(1899, 12, 30), QTime(8, 5)), "08:05", "08:05"},
        {FieldType::DateTime, "", "!99/99/99;1;_", QVariant(), "", "  /  /    "},
        {FieldType::String, "", "!99/99/99;1;_", QString("01/02/26"), "01/02/26", "01/02/26"},
        {FieldType::String, "", "99999-999;0;_", QString("12345678"), "12345-678", "12345-678"},
    };
    for (const TextCase& c : cases) {
        MemDataset ds;
        Field* f = ds.addField("F", c.type, 20);
        f->setDisplayFormat(c.format);
        f->setEditMask(c.mask);
        ds.open();
        ds.append();
        f->setValue(c.value);
        EXPECT_EQ(f->displayText(), c.display) << c.format.toStdString() << c.mask.toStdString();
        EXPECT_EQ(f->text(), c.edit) << c.format.toStdString() << c.mask.toStdString();
    }
}

TEST_F(Fields, TypedTextIsParsedByTypeAndMask)
{
    when->setEditMask("!99/99/99;1;_");
    when->setText("05/03/26");
    EXPECT_EQ(when->asDateTime().date(), QDate(2026, 3, 5));
    when->setText("  /  /  ");
    EXPECT_TRUE(when->isNull());
    qty->setText("1.234,5");
    EXPECT_DOUBLE_EQ(qty->asFloat(), 1234.5);
    EXPECT_THROW(qty->setText("abc"), DatasetError);
    EXPECT_DOUBLE_EQ(qty->asFloat(), 1234.5);
    qty->setText("");
    EXPECT_TRUE(qty->isNull());
    group->setEditMask("99999-999;0;_");
    group->setText("12345-678");
    EXPECT_EQ(group->asString(), "12345678");
    when->setEditMask("!99:99;1;_");
    when->setText("23:30");
    EXPECT_EQ(when->asDateTime(), QDateTime(QDate(1899, 12, 30), QTime(23, 30))) << "a time alone is of day zero";
    EXPECT_THROW(when->setText("25:99"), DatasetError);
    EXPECT_EQ(when->asDateTime().time(), QTime(23, 30));
}

TEST_F(Fields, RequiredFieldsAreCheckedAfterBeforePost)
{
    number->setRequired(true);
    number->setDisplayLabel("Número");
    try {
        ds.post();
        FAIL();
    } catch (const DatasetError& e) {
        EXPECT_TRUE(e.message().contains("Número"));
    }
    EXPECT_EQ(ds.state(), DatasetState::Insert);
    ds.beforePost = [&](Dataset&) { number->setAsInteger(1); };   // keys come in before-post
    ds.post();
    EXPECT_EQ(ds.state(), DatasetState::Browse);
}

// Posts skip the check when no field is marked: a mark cleared on a field
// that had none, or set twice, must not hide one set elsewhere.
TEST_F(Fields, RequiredMarksSetClearedAndRepeatedStillRefuseTheEmptyField)
{
    price->setRequired(false);   // never marked
    number->setRequired(true);
    EXPECT_THROW(ds.post(), DatasetError);
    number->setRequired(false);
    ds.post();
    EXPECT_EQ(ds.state(), DatasetState::Browse);
    qty->setRequired(true);
    qty->setRequired(true);
    qty->setRequired(false);
    price->setRequired(true);
    ds.append();
    EXPECT_THROW(ds.post(), DatasetError) << "price is still required";
    price->setAsFloat(3);
    ds.post();
    EXPECT_EQ(ds.state(), DatasetState::Browse);
}

TEST_F(Fields, OldValueIsTheValueAsPosted)
{
    price->setAsFloat(10);
    EXPECT_TRUE(price->oldValue().isNull());   // a new row has none
    ds.post();
    ds.edit();
    price->setAsFloat(12);
    EXPECT_DOUBLE_EQ(price->oldValue().toDouble(), 10);
    ds.post();
    EXPECT_DOUBLE_EQ(price->oldValue().toDouble(), 12);
    ds.edit();
    price->setAsFloat(15);
    ds.cancel();
    EXPECT_DOUBLE_EQ(price->asFloat(), 12);
}

TEST_F(Fields, ZeroFloatFieldsZeroesOnlyFloats)
{
    code->setAsString("A");
    ds.zeroFloatFields();
    EXPECT_EQ(qty->value(), QVariant(0.0));
    EXPECT_EQ(total->value(), QVariant(0.0));
    EXPECT_TRUE(number->isNull());
    EXPECT_EQ(code->asString(), "A");
}

TEST(CalculatedFields, ComputedPerRowAndOnChange)
{
    MemDataset ds;
    Field* a = ds.addField("A", FieldType::Int32);
    Field* twice = ds.addCalculatedField("TWICE", FieldType::Int32);
    int runs = 0;
    ds.onCalcFields = [&](Dataset&) {
        ++runs;
        twice->setAsInteger(a->asInteger() * 2);
    };
    EXPECT_THROW(ds.addField("B", FieldType::Int32); ds.open(); ds.addField("C", FieldType::Int32), DatasetError);
    ds.append();
    a->setAsInteger(4);
    EXPECT_EQ(twice->asInteger(), 8);
    ds.post();
    ds.append();
    a->setAsInteger(5);
    ds.post();
    ds.first();
    EXPECT_EQ(twice->asInteger(), 8);
    ds.next();
    EXPECT_EQ(twice->asInteger(), 10);
    {
        Dataset::RowScope row(ds, 1);   // a grid painting row 1
        EXPECT_EQ(twice->asInteger(), 8);
        EXPECT_EQ(a->asInteger(), 4);
    }
    EXPECT_EQ(twice->asInteger(), 10);
    EXPECT_GT(runs, 0);
}

// Calculated fields are worked out when read: a value a rule sets on one
// stays until the row changes, and a failing calculation is tried again.
TEST(CalculatedFields, ARuleValueStaysUntilTheRowChangesAndAFailureIsTriedAgain)
{
    MemDataset ds;
    Field* a = ds.addField("A", FieldType::Int32);
    Field* twice = ds.addCalculatedField("TWICE", FieldType::Int32);
    bool fail = false;
    ds.onCalcFields = [&](Dataset&) {
        if (fail)
            throw std::runtime_error("calc failed");
        twice->setAsInteger(a->asInteger() * 2);
    };
    ds.open();
    ds.append();
    a->setAsInteger(4);
    twice->setAsInteger(99);   // set by a rule, after the write
    EXPECT_EQ(twice->asInteger(), 99);
    a->setAsInteger(5);
    EXPECT_EQ(twice->asInteger(), 10);
    fail = true;
    a->setAsInteger(6);   // the value is written; the calculation fails where it is read
    EXPECT_EQ(a->asInteger(), 6);
    EXPECT_THROW(twice->asInteger(), std::runtime_error);
    fail = false;
    EXPECT_EQ(twice->asInteger(), 12);
    ds.post();
    ds.append();
    EXPECT_EQ(twice->asInteger(), 0);   // the new row's: A is null
    ds.cancel();
    EXPECT_EQ(twice->asInteger(), 12);
}

// A total worked out from the row follows what is typed in it before the
// post, and a value a validation refused leaves no total behind, even when
// the validation read the total to judge it.
TEST(CalculatedFields, ATotalFollowsTheEditedRowAndForgetsARefusedValue)
{
    MemDataset ds;
    Field* qty = ds.addField("QTY", FieldType::Int32);
    Field* price = ds.addField("PRICE", FieldType::Float);
    Field* total = ds.addCalculatedField("TOTAL", FieldType::Float);
    ds.onCalcFields = [&](Dataset&) { total->setAsFloat(qty->asInteger() * price->asFloat()); };
    qty->onValidate = [&](Field&) {
        if (total->asFloat() > 100)
            throw DatasetError("acima do limite");
    };
    ds.open();
    ds.append();
    qty->setAsInteger(2);
    price->setAsFloat(10);
    EXPECT_DOUBLE_EQ(total->asFloat(), 20);
    qty->setAsInteger(3);
    EXPECT_DOUBLE_EQ(total->asFloat(), 30) << "the quantity typed counts before the post";
    price->setAsFloat(20);   // the total not read since: the refusal below works it out
    EXPECT_THROW(qty->setAsInteger(50), DatasetError);
    EXPECT_EQ(qty->asInteger(), 3);
    EXPECT_DOUBLE_EQ(total->asFloat(), 60) << "the refused quantity's total stayed";
    ds.post();
    EXPECT_DOUBLE_EQ(total->asFloat(), 60);
}

TEST(LookupFields, ShowTheResultOfAnotherDatasetAndSetTheKey)
{
    MemDataset techs;
    techs.setName("quTecnicos");
    Field* techCode = techs.addField("ATCODIGO", FieldType::Int32);
    Field* techName = techs.addField("ATNOME", FieldType::String, 50);
    techs.open();
    for (auto [code, name] : {std::pair{1, "Ana"}, std::pair{2, "Bruno"}}) {
        techs.append();
        techCode->setAsInteger(code);
        techName->setAsString(name);
        techs.post();
    }
    techs.first();

    MemDataset orders;
    Field* key = orders.addField("ATCODIGO", FieldType::Int32);
    Field* desc = orders.addLookupField("DescTecnico", FieldType::String, 50, "ATCODIGO", &techs, "ATCODIGO", "ATNOME");
    orders.open();
    orders.append();
    EXPECT_TRUE(desc->isNull());
    key->setAsInteger(2);
    EXPECT_EQ(desc->asString(), "Bruno");
    EXPECT_EQ(techs.recNo(), 1);   // the look-up does not move the other dataset
    desc->setAsString("Ana");      // picking from the list assigns the key
    EXPECT_EQ(key->asInteger(), 1);
    EXPECT_EQ(desc->displayText(), "Ana");
    key->setAsInteger(7);
    EXPECT_TRUE(desc->isNull());
}

}  // namespace
