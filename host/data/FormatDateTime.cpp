// Date and time display formats, two-digit years and date/time parsing.
#include "host/data/Format.h"
#include "host/data/Field.h"
#include "host/db/Database.h"

#include <algorithm>
#include <array>

namespace host::data {
namespace {

const std::array<const char*, 12> kLongMonths = {
    "janeiro", "fevereiro", "março", "abril", "maio", "junho",
    "julho", "agosto", "setembro", "outubro", "novembro", "dezembro"};
const std::array<const char*, 12> kShortMonths = {
    "jan", "fev", "mar", "abr", "mai", "jun", "jul", "ago", "set", "out", "nov", "dez"};
// Sunday first, as QDate::dayOfWeek() % 7 counts.
const std::array<const char*, 7> kLongDays = {
    "domingo", "segunda-feira", "terça-feira", "quarta-feira", "quinta-feira", "sexta-feira", "sábado"};
const std::array<const char*, 7> kShortDays = {"dom", "seg", "ter", "qua", "qui", "sex", "sáb"};

const QString kShortDateFormat = QStringLiteral("dd/mm/yyyy");
const QString kLongDateFormat = QStringLiteral("dddd, d 'de' mmmm 'de' yyyy");
const QString kShortTimeFormat = QStringLiteral("hh:nn");
const QString kLongTimeFormat = QStringLiteral("hh:nn:ss");

QString name(const char* utf8) { return QString::fromUtf8(utf8); }

// How many times the character at pos repeats (case-insensitively).
int runLength(const QString& f, int pos)
{
    const QChar c = f[pos].toUpper();
    int n = 1;
    while (pos + n < f.size() && f[pos + n].toUpper() == c)
        ++n;
    return n;
}

bool startsWithNoCase(const QString& f, int pos, QLatin1StringView what)
{
    return QStringView(f).mid(pos, what.size()).compare(what, Qt::CaseInsensitive) == 0;
}

// am/pm specifiers anywhere outside quotes switch hours to a 12-hour clock.
bool usesTwelveHourClock(const QString& f)
{
    QChar quote;
    for (int i = 0; i < f.size(); ++i) {
        const QChar c = f[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c.toLower() != QLatin1Char('a')) {
            continue;
        } else if (startsWithNoCase(f, i, QLatin1StringView("am/pm")) || startsWithNoCase(f, i, QLatin1StringView("a/p"))
                   || startsWithNoCase(f, i, QLatin1StringView("ampm"))) {
            return true;
        }
    }
    return false;
}

class DateTimeWriter {
public:
    DateTimeWriter(const QDate& date, const QTime& time) : date_(date), time_(time) {}

    QString write(const QString& format, int depth = 0)
    {
        twelveHour_ = usesTwelveHourClock(format);
        QChar lastLetter;
        for (int i = 0; i < format.size();) {
            const QChar c = format[i];
            if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
                const int end = format.indexOf(c, i + 1);
                out_ += format.mid(i + 1, (end < 0 ? format.size() : end) - i - 1);
                i = end < 0 ? format.size() : end + 1;
                continue;
            }
            QChar token = c.toUpper();
            if (token == QLatin1Char('M') && lastLetter == QLatin1Char('H'))
                token = QLatin1Char('N');
            if (c.isLetter())
                lastLetter = token;
            i += writeToken(format, i, token, depth);
        }
        return out_;
    }

private:
    // Writes the token starting at pos and returns how many characters it used.
    int writeToken(const QString& f, int pos, QChar token, int depth)
    {
        const int n = runLength(f, pos);
        switch (token.unicode()) {
        case 'D': return writeDay(n, depth);
        case 'M': return writeMonth(n);
        case 'Y':
            n <= 2 ? appendPadded(out_, date_.year() % 100, 2) : appendPadded(out_, date_.year(), 4);
            return n;
        case 'H': {
            int h = time_.hour();
            if (twelveHour_)
                h = h % 12 == 0 ? 12 : h % 12;
            return writeNumber(h, std::min(n, 2));
        }
        case 'N': return writeNumber(time_.minute(), std::min(n, 2));
        case 'S': return writeNumber(time_.second(), std::min(n, 2));
        case 'Z':
            n == 1 ? appendPadded(out_, time_.msec(), 1) : appendPadded(out_, time_.msec(), 3);
            return std::min(n, 3);
        case 'T':
            nested(n == 1 ? kShortTimeFormat : kLongTimeFormat, depth);
            return std::min(n, 2);
        case 'C':
            nested(kShortDateFormat, depth);
            if (time_ != QTime(0, 0)) {
                out_ += QLatin1Char(' ');
                nested(kLongTimeFormat, depth);
            }
            return 1;
        case 'A': return writeAmPm(f, pos);
        default:
            out_ += f[pos];
            return 1;
        }
    }

    int writeNumber(int value, int digits)
    {
        appendPadded(out_, value, digits == 1 ? 1 : 2);
        return digits;
    }

    int writeDay(int n, int depth)
    {
        const int weekday = date_.dayOfWeek() % 7;
        switch (std::min(n, 6)) {
        case 1: appendPadded(out_, date_.day(), 1); break;
        case 2: appendPadded(out_, date_.day(), 2); break;
        case 3: out_ += name(kShortDays[std::size_t(weekday)]); break;
        case 4: out_ += name(kLongDays[std::size_t(weekday)]); break;
        case 5: nested(kShortDateFormat, depth); break;
        default: nested(kLongDateFormat, depth); break;
        }
        return std::min(n, 6);
    }

    int writeMonth(int n)
    {
        const auto month = std::size_t(date_.month() - 1);
        switch (std::min(n, 4)) {
        case 1: appendPadded(out_, date_.month(), 1); break;
        case 2: appendPadded(out_, date_.month(), 2); break;
        case 3: out_ += name(kShortMonths[month]); break;
        default: out_ += name(kLongMonths[month]); break;
        }
        return std::min(n, 4);
    }

    // "am/pm" and "a/p" keep the case they are written in; "ampm" gives AM/PM.
    int writeAmPm(const QString& f, int pos)
    {
        const bool pm = time_.hour() >= 12;
        if (startsWithNoCase(f, pos, QLatin1StringView("am/pm"))) {
            const QString word = f.mid(pos + (pm ? 3 : 0), 2);
            out_ += word;
            return 5;
        }
        if (startsWithNoCase(f, pos, QLatin1StringView("a/p"))) {
            out_ += f[pos + (pm ? 2 : 0)];
            return 3;
        }
        if (startsWithNoCase(f, pos, QLatin1StringView("ampm"))) {
            out_ += pm ? QStringLiteral("PM") : QStringLiteral("AM");
            return 4;
        }
        out_ += f[pos];
        return 1;
    }

    void nested(const QString& format, int depth)
    {
        if (depth > 2)
            return;
        DateTimeWriter inner(date_, time_);
        out_ += inner.write(format, depth + 1);
    }

    QDate date_;
    QTime time_;
    bool twelveHour_ = false;
    QString out_;
};

// Reads an unsigned number of 1..maxDigits digits, blanks allowed around it.
bool readNumber(const QString& t, int& pos, int maxDigits, int& value, int& digits)
{
    while (pos < t.size() && t[pos] == QLatin1Char(' '))
        ++pos;
    value = 0;
    digits = 0;
    while (pos < t.size() && t[pos].isDigit() && t[pos].unicode() < 128) {
        if (++digits > maxDigits)
            return false;
        value = value * 10 + (t[pos++].unicode() - '0');
    }
    while (pos < t.size() && t[pos] == QLatin1Char(' '))
        ++pos;
    return digits > 0;
}

bool expect(const QString& t, int& pos, QChar c)
{
    if (pos >= t.size() || t[pos] != c)
        return false;
    ++pos;
    return true;
}

// "hh:nn[:ss]" from pos to the end of t.
bool readTime(const QString& t, int pos, QTime& out)
{
    int h = 0, m = 0, s = 0, digits = 0;
    if (!readNumber(t, pos, 2, h, digits) || !expect(t, pos, QLatin1Char(':'))
        || !readNumber(t, pos, 2, m, digits))
        return false;
    if (pos < t.size() && (!expect(t, pos, QLatin1Char(':')) || !readNumber(t, pos, 2, s, digits)))
        return false;
    if (pos != t.size() || !QTime::isValid(h, m, s))
        return false;
    out = QTime(h, m, s);
    return true;
}

// Where the clock jumps forward (daylight saving started at midnight in
// Brazil until 2019) the typed moment does not exist locally: take the first
// one that does instead of an invalid value.
QDateTime localDateTime(const QDate& date, const QTime& time)
{
    QDateTime dt = host::db::localDateTime(date, time);
    if (!dt.isValid() && time.hour() < 23)
        dt = QDateTime(date, time.addSecs(3600));
    if (!dt.isValid())
        dt = date.startOfDay();
    return dt;
}

}  // namespace

// Written digit by digit: lists format a date per row, and a formatted
// argument costs more than the rest of the date.
void appendPadded(QString& out, int value, int width)
{
    if (value < 0) {
        out += QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
        return;
    }
    char digits[12];
    int n = 0;
    do {
        digits[n++] = char('0' + value % 10);
        value /= 10;
    } while (value != 0);
    for (int i = n; i < width; ++i)
        out += QLatin1Char('0');
    while (n > 0)
        out += QLatin1Char(digits[--n]);
}

QString dayMonthYear(const QDate& date, QStringView separator, int yearDigits)
{
    QString out;
    out.reserve(6 + 2 * separator.size() + yearDigits);
    appendPadded(out, date.day(), 2);
    out += separator;
    appendPadded(out, date.month(), 2);
    out += separator;
    appendPadded(out, yearDigits == 2 ? date.year() % 100 : date.year(), yearDigits);
    return out;
}

QString formatDateTime(const QString& format, const QDateTime& value)
{
    if (!value.isValid())
        return {};
    DateTimeWriter writer(value.date(), value.time());
    return writer.write(format.isEmpty() ? QStringLiteral("c") : format);
}

QString formatDate(const QString& format, const QDate& value)
{
    if (!value.isValid())
        return {};
    DateTimeWriter writer(value, QTime(0, 0));
    return writer.write(format.isEmpty() ? QStringLiteral("c") : format);
}

QString formatTime(const QString& format, const QTime& value)
{
    if (!value.isValid())
        return {};
    DateTimeWriter writer(diaZero(), value);
    return writer.write(format.isEmpty() ? QStringLiteral("c") : format);
}

int expandTwoDigitYear(int year)
{
    if (year < 0 || year > 99)
        return year;
    return 2000 + year;
}

bool parseDateTimeText(const QString& text, QDateTime& out)
{
    const QString t = text.trimmed();
    int pos = 0;
    int day = 0, month = 0, year = 0, digits = 0, yearDigits = 0;
    if (!readNumber(t, pos, 2, day, digits) || !expect(t, pos, QLatin1Char('/'))
        || !readNumber(t, pos, 2, month, digits) || !expect(t, pos, QLatin1Char('/')))
        return false;
    // The year stops at the blank before a time, so read it without the
    // trailing-blank skip.
    while (pos < t.size() && t[pos] == QLatin1Char(' '))
        ++pos;
    const int yearStart = pos;
    while (pos < t.size() && t[pos].isDigit() && t[pos].unicode() < 128)
        year = year * 10 + (t[pos++].unicode() - '0');
    yearDigits = pos - yearStart;
    if (yearDigits != 2 && yearDigits != 4)
        return false;
    if (yearDigits == 2)
        year = expandTwoDigitYear(year);
    const QDate date(year, month, day);
    if (!date.isValid())
        return false;
    QTime time(0, 0);
    if (pos < t.size()) {
        if (t[pos] != QLatin1Char(' ') || !readTime(t, pos + 1, time))
            return false;
    }
    out = localDateTime(date, time);
    return true;
}

bool parseTimeText(const QString& text, QTime& out)
{
    QTime time;
    if (!readTime(text.trimmed(), 0, time))
        return false;
    out = time;
    return true;
}

}  // namespace host::data
