// Number display formats and number parsing.
#include "host/data/Format.h"

#include "host/db/KeptByText.h"

#include <QHash>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

namespace host::data {
namespace {

constexpr QChar kThousands = QLatin1Char('.');
constexpr QChar kDecimal = QLatin1Char(',');
constexpr int kSignificantDigits = 15;  // what a double holds reliably
constexpr int kMaxFixedIntegerDigits = 18;

// A non-negative value as 0.digits x 10^exponent; no digits means zero.
struct Decimal {
    std::string digits;
    int exponent = 0;
    bool isZero() const { return digits.empty(); }
    char digitAt(int index) const
    {
        return index >= 0 && index < int(digits.size()) ? digits[std::size_t(index)] : '0';
    }
};

void trimTrailingZeros(Decimal& d)
{
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exponent = 0;
}

// Reading the double through its 15 significant digits first is what keeps
// 1.005 (binary 1.00499999...) rounding to 1.01.
Decimal toDecimal(double absValue)
{
    Decimal d;
    if (absValue == 0.0)
        return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", kSignificantDigits - 1, absValue);
    const std::string s(buf);
    const auto e = s.find('e');
    d.digits = s.substr(0, 1) + s.substr(2, e - 2);
    d.exponent = std::stoi(s.substr(e + 1)) + 1;
    trimTrailingZeros(d);
    return d;
}

// Keeps `keep` leading digits, rounding half away from zero.
void roundToDigits(Decimal& d, int keep)
{
    if (d.isZero() || keep >= int(d.digits.size()))
        return;
    if (keep < 0) {
        d = {};
        return;
    }
    const bool up = d.digits[std::size_t(keep)] >= '5';
    d.digits.resize(std::size_t(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[std::size_t(i)] == '9')
            d.digits[std::size_t(i--)] = '0';
        if (i >= 0) {
            ++d.digits[std::size_t(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    trimTrailingZeros(d);
}

QStringList splitSections(const QString& format)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (const QChar c : format) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char(';')) {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

// One section of a number format, parsed once.
class NumberPattern {
public:
    explicit NumberPattern(const QString& section) { parse(section); }

    bool scientific() const { return hasExponent_; }

    Decimal rounded(double absValue) const
    {
        Decimal d = toDecimal(absValue);
        if (hasExponent_)
            roundToDigits(d, std::max(1, intCount_ + decCount_));
        else
            roundToDigits(d, d.exponent + decCount_);
        return d;
    }

    QString render(const Decimal& d) const
    {
        return hasExponent_ ? renderScientific(d) : renderFixed(d);
    }

private:
    enum class Type { IntDigit, DecDigit, Point, Literal, Exponent };
    struct Token {
        Type type;
        QString text;  // literal text, or "E+"/"e-" style for the exponent
    };

    void parse(const QString& s);
    void addLiteral(const QString& text) { tokens_.push_back({Type::Literal, text}); }
    QString renderFixed(const Decimal& d) const;
    QString renderScientific(const Decimal& d) const;
    QString layOut(const QString& intDigits, const QString& decDigits, bool group,
                 const QString& exponentText) const;

    std::vector<Token> tokens_;
    int intCount_ = 0;
    int minInt_ = 0;
    int decCount_ = 0;
    int minDec_ = 0;
    bool thousands_ = false;
    bool hasExponent_ = false;
    int minExponentDigits_ = 1;
};

void NumberPattern::parse(const QString& s)
{
    bool afterPoint = false;
    int firstIntZero = -1;
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const int end = s.indexOf(c, i + 1);
            addLiteral(s.mid(i + 1, (end < 0 ? s.size() : end) - i - 1));
            i = end < 0 ? s.size() : end;
        } else if (c == QLatin1Char('0') || c == QLatin1Char('#')) {
            if (afterPoint) {
                ++decCount_;
                if (c == QLatin1Char('0'))
                    minDec_ = decCount_;
                tokens_.push_back({Type::DecDigit, {}});
            } else {
                if (c == QLatin1Char('0') && firstIntZero < 0)
                    firstIntZero = intCount_;
                ++intCount_;
                tokens_.push_back({Type::IntDigit, {}});
            }
        } else if (c == QLatin1Char('.')) {
            if (!afterPoint)
                tokens_.push_back({Type::Point, {}});
            afterPoint = true;
        } else if (c == QLatin1Char(',')) {
            thousands_ = true;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && !hasExponent_ && i + 1 < s.size()
                   && (s[i + 1] == QLatin1Char('+') || s[i + 1] == QLatin1Char('-'))) {
            hasExponent_ = true;
            tokens_.push_back({Type::Exponent, s.mid(i, 2)});
            i += 2;
            int zeros = 0;
            while (i < s.size() && s[i] == QLatin1Char('0') && zeros < 4) {
                ++zeros;
                ++i;
            }
            --i;
            minExponentDigits_ = std::max(1, zeros);
        } else {
            addLiteral(QString(c));
        }
    }
    minInt_ = firstIntZero < 0 ? 0 : intCount_ - firstIntZero;
}

QString NumberPattern::renderFixed(const Decimal& d) const
{
    QString intDigits;
    for (int i = 0; i < d.exponent; ++i)
        intDigits += QLatin1Char(d.digitAt(i));
    if (intDigits.size() < minInt_)
        intDigits.prepend(QString(minInt_ - intDigits.size(), QLatin1Char('0')));
    QString decDigits;
    for (int i = 0; i < decCount_; ++i)
        decDigits += QLatin1Char(d.digitAt(d.exponent + i));
    while (decDigits.size() > minDec_ && decDigits.endsWith(QLatin1Char('0')))
        decDigits.chop(1);
    return layOut(intDigits, decDigits, thousands_, {});
}

QString NumberPattern::renderScientific(const Decimal& d) const
{
    QString intDigits;
    QString decDigits;
    int exponent = 0;
    if (d.isZero()) {
        intDigits = QString(std::max(minInt_, intCount_ > 0 ? 1 : 0), QLatin1Char('0'));
    } else {
        for (int i = 0; i < intCount_; ++i)
            intDigits += QLatin1Char(d.digitAt(i));
        exponent = d.exponent - intCount_;
    }
    for (int i = 0; i < decCount_; ++i)
        decDigits += QLatin1Char(d.isZero() ? '0' : d.digitAt(intCount_ + i));
    while (decDigits.size() > minDec_ && decDigits.endsWith(QLatin1Char('0')))
        decDigits.chop(1);
    QString expDigits = QString::number(std::abs(exponent));
    if (expDigits.size() < minExponentDigits_)
        expDigits.prepend(QString(minExponentDigits_ - expDigits.size(), QLatin1Char('0')));
    QString sign;
    if (exponent < 0)
        sign = QStringLiteral("-");
    else if (std::any_of(tokens_.begin(), tokens_.end(),
                         [](const Token& t) { return t.type == Type::Exponent && t.text.endsWith(QLatin1Char('+')); }))
        sign = QStringLiteral("+");
    return layOut(intDigits, decDigits, false, sign + expDigits);
}

// Walks the pattern: integer digits fill the integer placeholders from the
// right (the first one takes any excess), literals stay where they are.
QString NumberPattern::layOut(const QString& intDigits, const QString& decDigits, bool group,
                            const QString& exponentText) const
{
    QString out;
    const int n = int(intDigits.size());
    auto emitDigit = [&](int k) {
        if (group && k > 0 && (n - k) % 3 == 0)
            out += kThousands;
        out += intDigits[k];
    };
    int intIndex = 0;
    int decIndex = 0;
    bool intDone = intCount_ > 0;
    for (const Token& t : tokens_) {
        switch (t.type) {
        case Type::IntDigit: {
            const int j = n - intCount_ + intIndex;
            if (intIndex == 0) {
                for (int k = 0; k <= j; ++k)
                    emitDigit(k);
            } else if (j >= 0) {
                emitDigit(j);
            }
            ++intIndex;
            break;
        }
        case Type::Point:
            if (!intDone) {  // ".00": the integer digits go before the point
                for (int k = 0; k < n; ++k)
                    emitDigit(k);
                intDone = true;
            }
            if (!decDigits.isEmpty())
                out += kDecimal;
            break;
        case Type::DecDigit:
            if (decIndex < decDigits.size())
                out += decDigits[decIndex];
            ++decIndex;
            break;
        case Type::Literal:
            out += t.text;
            break;
        case Type::Exponent:
            out += t.text[0] + exponentText;
            break;
        }
    }
    return out;
}

}  // namespace

QString formatFloatGeneral(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    const Decimal d = toDecimal(std::fabs(value));
    if (d.isZero())
        return QStringLiteral("0");
    QString out = value < 0 ? QStringLiteral("-") : QString();
    const QString digits = QString::fromStdString(d.digits);
    if (d.exponent > kSignificantDigits || std::fabs(value) < 1e-5) {
        out += digits[0];
        if (digits.size() > 1)
            out += kDecimal + digits.mid(1);
        return out + QLatin1Char('E') + QString::number(d.exponent - 1);
    }
    if (d.exponent <= 0)
        return out + QLatin1Char('0') + kDecimal + QString(-d.exponent, QLatin1Char('0')) + digits;
    for (int i = 0; i < d.exponent; ++i)
        out += QLatin1Char(d.digitAt(i));
    if (digits.size() > d.exponent)
        out += kDecimal + digits.mid(d.exponent);
    return out;
}

namespace {

// A format's sections (positive; negative; zero), each read into its pattern.
struct NumberFormat {
    explicit NumberFormat(const QString& format)
    {
        const QStringList sections = splitSections(format);
        for (const QString& section : sections)
            patterns.emplace_back(section);
        ownNegative = sections.size() > 1 && !sections[1].isEmpty();
        ownZero = sections.size() > 2 && !sections[2].isEmpty();
    }
    std::vector<NumberPattern> patterns;
    bool ownNegative = false;
    bool ownZero = false;
};

// Reports and lists format value after value with the same few formats: each
// is read once per thread (the reading costs more than the formatting).
const NumberFormat& numberFormat(const QString& format)
{
    thread_local QHash<QString, NumberFormat> read;
    return host::db::keptByText<NumberFormat, 256>(read, format,
                                                   [](const QString& text) { return NumberFormat(text); });
}

}  // namespace

namespace {

// The money format most lists and notes write ("###,###,##0.00"): a value of
// whole cents (what the rows hold) is written from its cents, grouped by
// hand, without reading the format's pattern or the value's decimal digits;
// any other value goes the general way, whose rounding decides it.
std::optional<QString> wholeCentsGrouped(const QString& format, double value)
{
    if (format.size() != 14 || format != QLatin1StringView("###,###,##0.00"))
        return std::nullopt;
    const double cents = value * 100;
    const double whole = std::round(cents);
    if (!(std::fabs(value) < 1e12) || std::fabs(cents - whole) > 1e-6)
        return std::nullopt;
    const qint64 total = qint64(whole);
    const quint64 magnitude = quint64(total < 0 ? -total : total);
    const QString units = QString::number(magnitude / 100);
    QString text;
    text.reserve(units.size() + units.size() / 3 + 4);
    if (total < 0)
        text += u'-';
    for (qsizetype i = 0; i < units.size(); ++i) {
        if (i > 0 && (units.size() - i) % 3 == 0)
            text += kThousands;
        text += units[i];
    }
    text += kDecimal;
    appendPadded(text, int(magnitude % 100), 2);
    return text;
}

}  // namespace

QString formatFloat(const QString& format, double value)
{
    if (format.isEmpty() || !std::isfinite(value))
        return formatFloatGeneral(value);
    if (std::optional<QString> text = wholeCentsGrouped(format, value))
        return *std::move(text);
    const NumberFormat& f = numberFormat(format);
    const bool negative = value < 0;
    const bool ownNegative = negative && f.ownNegative;
    const NumberPattern& pattern = f.patterns[ownNegative ? 1 : 0];
    const Decimal d = pattern.rounded(std::fabs(value));
    if (!pattern.scientific() && d.exponent > kMaxFixedIntegerDigits)
        return formatFloatGeneral(value);
    if (d.isZero())
        return f.patterns[f.ownZero ? 2 : 0].render({});
    const QString text = pattern.render(d);
    return negative && !ownNegative ? QLatin1Char('-') + text : text;
}

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// Integer part with optional "." groups of three; appends the bare digits.
bool scanIntegerPart(const QString& t, int& pos, QString& digits)
{
    const int start = pos;
    while (pos < t.size() && isDigit(t[pos]))
        digits += t[pos++];
    const int firstGroup = pos - start;
    if (pos >= t.size() || t[pos] != kThousands)
        return true;
    if (firstGroup < 1 || firstGroup > 3)
        return false;
    while (pos < t.size() && t[pos] == kThousands) {
        ++pos;
        int group = 0;
        while (pos < t.size() && isDigit(t[pos]) && group < 4) {
            digits += t[pos++];
            ++group;
        }
        if (group != 3)
            return false;
    }
    return true;
}

}  // namespace

bool parseFloatText(const QString& text, double& out)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        out = 0.0;
        return true;
    }
    int pos = 0;
    QString plain;
    if (t[pos] == QLatin1Char('-') || t[pos] == QLatin1Char('+'))
        plain += t[pos++];
    QString intDigits;
    if (!scanIntegerPart(t, pos, intDigits))
        return false;
    QString decDigits;
    if (pos < t.size() && t[pos] == kDecimal) {
        ++pos;
        while (pos < t.size() && isDigit(t[pos]))
            decDigits += t[pos++];
    }
    if (intDigits.isEmpty() && decDigits.isEmpty())
        return false;
    plain += (intDigits.isEmpty() ? QStringLiteral("0") : intDigits) + QLatin1Char('.')
        + (decDigits.isEmpty() ? QStringLiteral("0") : decDigits);
    if (pos < t.size() && (t[pos] == QLatin1Char('e') || t[pos] == QLatin1Char('E'))) {
        plain += QLatin1Char('e');
        ++pos;
        if (pos < t.size() && (t[pos] == QLatin1Char('-') || t[pos] == QLatin1Char('+')))
            plain += t[pos++];
        const int expStart = pos;
        while (pos < t.size() && isDigit(t[pos]))
            plain += t[pos++];
        if (pos == expStart)
            return false;
    }
    if (pos != t.size())
        return false;
    bool ok = false;
    const double v = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(v))
        return false;
    out = v;
    return true;
}

}  // namespace host::data
