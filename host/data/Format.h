#pragma once

// Display formats, edit masks and typed-text parsing of the dataset layer.
// The format strings are the classic ones stored with the fields and screens;
// output follows Brazilian conventions: "." groups thousands, "," is the
// decimal separator, dates are dd/mm/yyyy.

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <vector>

namespace host::data {

// ---- numbers ---------------------------------------------------------------

// Number formats: "0" digit, "#" optional digit, "." decimal point position,
// "," thousands grouping (anywhere in the section), literal text in single or
// double quotes, ";" sections (positive;negative;zero), "E+00"/"E-00"
// scientific. An empty format gives formatFloatGeneral(). Rounds half away
// from zero on the value's 15 significant decimal digits, so binary fractions
// do not leak (1.005 with "0.00" gives "1,01"). A value that rounds to zero
// takes the zero section, or the positive one without a sign. More than 18
// integer digits without an exponent in the format fall back to the general
// form, as the classic engine does.
QString formatFloat(const QString& format, double value);

// Plain number form: up to 15 significant digits, no grouping, "," decimals,
// scientific ("1E20", "1,5E-10") outside 0.00001 .. 10^15.
QString formatFloatGeneral(double value);

// ---- dates and times -------------------------------------------------------

// Date/time formats: d dd ddd dddd ddddd dddddd, m mm mmm mmmm, yy yyyy,
// h hh, n nn, s ss, z zzz, t tt, c, am/pm a/p ampm, "/" date separator,
// ":" time separator, quoted literals, any letter case ("DD/MM/YY");
// "m"/"mm" right after h/hh (letters in between only) means minutes.
// Month and day names in Portuguese. An empty format means "c".
// An invalid QDateTime gives "".
QString formatDateTime(const QString& format, const QDateTime& value);
// The same for a lone date (midnight) or a lone time (on the zero date,
// 30/12/1899). Invalid values give "".
QString formatDate(const QString& format, const QDate& value);
QString formatTime(const QString& format, const QTime& value);
// `value` in decimal, zero-padded to `width` digits, appended to `out`:
// the digit writer of the formats above, for texts built per row.
void appendPadded(QString& out, int value, int width);
// Day, month and year, two digits each but `yearDigits` for the year (2 or
// 4), joined by `separator` ("dd/MM/yy", "dd/MM/yyyy", "ddMMyy").
QString dayMonthYear(const QDate& date, QStringView separator, int yearDigits);

// Two-digit years are this century's: 27 is 2027, 99 is 2099 (the dates
// typed here are of orders and contracts, not of births). Any other value is
// returned unchanged.
int expandTwoDigitYear(int year);

// ---- typed text ------------------------------------------------------------

// Floats: optional sign, digits with optional "." thousands groups of three,
// optional "," decimals, optional exponent ("1,5E3"); surrounding blanks are
// ignored. "1.234,56", "1234,56", "-3", ",5". An empty or blank text gives 0
// and true (callers that store NULL for empty text check that first).
// Garbage, misplaced separators or out-of-range values give false and leave
// out unchanged.
bool parseFloatText(const QString& text, double& out);

// Dates: "d/m/yy", "dd/mm/yy", "dd/mm/yyyy" (two-digit years expanded), blanks
// allowed around each number, optional " hh:nn" or " hh:nn:ss". A year of one
// or three digits is not read, nor are impossible dates and times: false, and
// out unchanged. The result is local time.
bool parseDateTimeText(const QString& text, QDateTime& out);
// Times: "hh:nn" or "hh:nn:ss", hours 0..23.
bool parseTimeText(const QString& text, QTime& out);

// ---- edit masks ------------------------------------------------------------

// Edit masks "mask;saveLiterals;blank". Mask characters: 0 digit required,
// 9 digit optional, # digit or sign optional, L/l letter required/optional,
// A/a letter or digit required/optional, C/c any character required/optional,
// ">" upper case, "<" lower case, "<>" no case change, "!" optional characters
// kept as leading blanks, "\\" next character literal, "_" a literal blank;
// anything else is a literal. Second section "0" strips literals from the
// stored value (default keeps them); third section is the blank character
// shown in empty positions (default "_"). The stored value has blanks as
// spaces.
class EditMask {
public:
    // A date mask typed with two-digit years ("!99/99/99;1;_", "!99/99/00;1;_")
    // widened to four ("!99/99/9999;1;_", "!99/99/0099;1;_"): a year typed
    // whole is kept whole, and two digits are still taken. Other masks come
    // back unchanged.
    static QString withFourDigitYear(const QString& mask);
    // Whether the mask is a day/month/year mask, of either year length.
    bool isDateMask() const;

    explicit EditMask(const QString& mask = {});

    bool isNull() const;                           // no mask
    QString mask() const;                          // the whole text as given
    bool saveLiterals() const;
    QChar blankChar() const;
    int length() const;                            // edit text length
    QString emptyText() const;                     // literals, spaces elsewhere ("  /  /  ")
    QString editText(const QString& value) const;  // stored value -> text shown in the edit
    QString valueText(const QString& editText) const;  // typed text -> value to store
    bool isBlank(const QString& editText) const;   // nothing typed ("  /  /  ", "__:__")
    bool isComplete(const QString& editText) const;  // every required position filled

    // Whether position pos of the edit text is a literal, and whether c may be
    // typed there (after the position's case conversion).
    bool isLiteralAt(int pos) const;
    bool accepts(int pos, QChar c) const;
    // The same mask in QLineEdit::setInputMask() syntax (the edit widget's
    // displayText() then goes through valueText()). Empty for a null mask.
    QString qtInputMask() const;

private:
    enum class Kind { Literal, Digit, DigitOrSign, Letter, AlphaNum, Any };
    enum class Case { Keep, Upper, Lower };
    struct Position {
        Kind kind = Kind::Literal;
        bool required = false;
        Case caseChange = Case::Keep;
        QChar literal;
    };

    void parse(const QString& body);
    bool isBlankChar(QChar c) const;
    QChar converted(int pos, QChar c) const;
    QString editTextFromFullValue(const QString& value) const;
    QString editTextFromInputValue(const QString& value) const;
    QString layOut(const QString& value, bool valueHasLiterals) const;

    QString text_;
    bool saveLiterals_ = true;
    QChar blank_ = QLatin1Char('_');
    bool leadingBlanks_ = false;
    std::vector<Position> positions_;
};

}  // namespace host::data
