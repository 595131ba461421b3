// Edit masks: parsing, the text shown in the edit and the value stored.
#include "host/data/Format.h"

#include <QStringList>

#include <algorithm>

namespace host::data {

EditMask::EditMask(const QString& mask) : text_(mask)
{
    if (mask.isEmpty())
        return;
    int i = 0;
    QString body;
    for (; i < mask.size() && mask[i] != QLatin1Char(';'); ++i) {
        body += mask[i];
        if (mask[i] == QLatin1Char('\\') && i + 1 < mask.size())
            body += mask[++i];
    }
    const QStringList fields = mask.mid(i + 1).split(QLatin1Char(';'));
    if (i < mask.size()) {
        saveLiterals_ = fields.value(0) != QLatin1String("0");
        if (fields.size() > 1 && !fields[1].isEmpty())
            blank_ = fields[1][0];
    }
    parse(body);
}

void EditMask::parse(const QString& body)
{
    Case caseChange = Case::Keep;
    auto input = [&](Kind kind, bool required) { positions_.push_back({kind, required, caseChange, QChar()}); };
    auto literal = [&](QChar c) { positions_.push_back({Kind::Literal, false, Case::Keep, c}); };
    for (int i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        const QChar next = i + 1 < body.size() ? body[i + 1] : QChar();
        switch (c.unicode()) {
        case '!': leadingBlanks_ = true; break;
        case '>':
            caseChange = next == QLatin1Char('<') ? Case::Keep : Case::Upper;
            i += next == QLatin1Char('<') ? 1 : 0;
            break;
        case '<':
            caseChange = next == QLatin1Char('>') ? Case::Keep : Case::Lower;
            i += next == QLatin1Char('>') ? 1 : 0;
            break;
        case '\\':
            if (!next.isNull())
                literal(body[++i]);
            break;
        case '0': input(Kind::Digit, true); break;
        case '9': input(Kind::Digit, false); break;
        case '#': input(Kind::DigitOrSign, false); break;
        case 'L': input(Kind::Letter, true); break;
        case 'l': input(Kind::Letter, false); break;
        case 'A': input(Kind::AlphaNum, true); break;
        case 'a': input(Kind::AlphaNum, false); break;
        case 'C': input(Kind::Any, true); break;
        case 'c': input(Kind::Any, false); break;
        case '_': literal(QLatin1Char(' ')); break;
        default: literal(c); break;
        }
    }
}

bool EditMask::isDateMask() const
{
    const QStringList groups = emptyText().split(QLatin1Char('/'));
    if (groups.size() != 3)
        return false;
    const bool digits = std::all_of(positions_.begin(), positions_.end(), [](const Position& p) {
        return p.kind == Kind::Literal ? p.literal == QLatin1Char('/') : p.kind == Kind::Digit;
    });
    return digits && groups[0].size() == 2 && groups[1].size() == 2
        && (groups[2].size() == 2 || groups[2].size() == 4);
}

QString EditMask::withFourDigitYear(const QString& mask)
{
    const EditMask parsed(mask);
    if (!parsed.isDateMask() || parsed.emptyText().size() != 8)
        return mask;
    // The year is the body's last two characters: two optional digits go
    // after them, so that a two-digit year typed is still taken (and read).
    int end = 0;
    while (end < mask.size() && mask[end] != QLatin1Char(';'))
        end += mask[end] == QLatin1Char('\\') ? 2 : 1;
    end = std::min<int>(end, int(mask.size()));
    return mask.left(end) + QStringLiteral("99") + mask.mid(end);
}

bool EditMask::isNull() const { return text_.isEmpty(); }
QString EditMask::mask() const { return text_; }
bool EditMask::saveLiterals() const { return saveLiterals_; }
QChar EditMask::blankChar() const { return blank_; }
int EditMask::length() const { return int(positions_.size()); }

bool EditMask::isLiteralAt(int pos) const
{
    return pos >= 0 && pos < length() && positions_[std::size_t(pos)].kind == Kind::Literal;
}

bool EditMask::accepts(int pos, QChar c) const
{
    if (pos < 0 || pos >= length())
        return false;
    const Position& p = positions_[std::size_t(pos)];
    const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
    switch (p.kind) {
    case Kind::Literal: return c == p.literal;
    case Kind::Digit: return digit;
    case Kind::DigitOrSign: return digit || c == QLatin1Char('+') || c == QLatin1Char('-');
    case Kind::Letter: return c.isLetter();
    case Kind::AlphaNum: return c.isLetterOrNumber();
    case Kind::Any: return !c.isNull();
    }
    return false;
}

bool EditMask::isBlankChar(QChar c) const { return c == QLatin1Char(' ') || c == blank_; }

QChar EditMask::converted(int pos, QChar c) const
{
    switch (positions_[std::size_t(pos)].caseChange) {
    case Case::Upper: return c.toUpper();
    case Case::Lower: return c.toLower();
    case Case::Keep: break;
    }
    return c;
}

QString EditMask::emptyText() const
{
    QString out;
    for (const Position& p : positions_)
        out += p.kind == Kind::Literal ? p.literal : QLatin1Char(' ');
    return out;
}

QString EditMask::editText(const QString& value) const
{
    if (isNull())
        return value;
    bool literalsInPlace = value.size() == length();
    for (int i = 0; literalsInPlace && i < length(); ++i)
        literalsInPlace = !isLiteralAt(i) || value[i] == positions_[std::size_t(i)].literal;
    return saveLiterals_ || literalsInPlace ? editTextFromFullValue(value) : editTextFromInputValue(value);
}

// A value with the literals: each literal of the value lines up with the
// mask's; a value that lacks them still fills the input positions in order.
QString EditMask::editTextFromFullValue(const QString& value) const { return layOut(value, true); }

// A value of input characters only; with "!" a short value is right-aligned.
QString EditMask::editTextFromInputValue(const QString& value) const
{
    const auto inputs = int(std::count_if(positions_.begin(), positions_.end(),
                                          [](const Position& p) { return p.kind != Kind::Literal; }));
    QString chars = value.left(inputs);
    if (leadingBlanks_ && chars.size() < inputs)
        chars.prepend(QString(inputs - chars.size(), QLatin1Char(' ')));
    return layOut(chars, false);
}

// The mask's literals with the value's characters in its input positions;
// `valueHasLiterals` steps over a value character equal to the literal.
QString EditMask::layOut(const QString& value, bool valueHasLiterals) const
{
    QString out;
    int vi = 0;
    for (int i = 0; i < length(); ++i) {
        const Position& p = positions_[std::size_t(i)];
        if (p.kind == Kind::Literal) {
            out += p.literal;
            if (valueHasLiterals && vi < value.size() && value[vi] == p.literal)
                ++vi;
            continue;
        }
        const QChar c = vi < value.size() ? value[vi++] : QLatin1Char(' ');
        out += isBlankChar(c) ? blank_ : converted(i, c);
    }
    return out;
}

QString EditMask::valueText(const QString& editText) const
{
    if (isNull())
        return editText;
    QString out;
    for (int i = 0; i < length(); ++i) {
        const Position& p = positions_[std::size_t(i)];
        if (p.kind == Kind::Literal) {
            if (saveLiterals_)
                out += p.literal;
            continue;
        }
        const QChar c = i < editText.size() ? editText[i] : QLatin1Char(' ');
        out += isBlankChar(c) ? QLatin1Char(' ') : converted(i, c);
    }
    if (saveLiterals_)
        return out;
    // Without literals the blanks carry no position: drop them on the side
    // the mask keeps them.
    if (leadingBlanks_) {
        int start = 0;
        while (start < out.size() && out[start] == QLatin1Char(' '))
            ++start;
        return out.mid(start);
    }
    while (out.endsWith(QLatin1Char(' ')))
        out.chop(1);
    return out;
}

bool EditMask::isBlank(const QString& editText) const
{
    if (isNull())
        return editText.trimmed().isEmpty();
    for (int i = 0; i < editText.size(); ++i) {
        const QChar c = editText[i];
        if (isBlankChar(c) || (isLiteralAt(i) && c == positions_[std::size_t(i)].literal))
            continue;
        return false;
    }
    return true;
}

bool EditMask::isComplete(const QString& editText) const
{
    for (int i = 0; i < length(); ++i) {
        const Position& p = positions_[std::size_t(i)];
        if (p.kind == Kind::Literal || !p.required)
            continue;
        const QChar c = i < editText.size() ? editText[i] : QLatin1Char(' ');
        if (isBlankChar(c) || !accepts(i, converted(i, c)))
            return false;
    }
    return true;
}

QString EditMask::qtInputMask() const
{
    if (isNull())
        return {};
    static const QString kQtSpecial = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{};");
    QString out;
    Case current = Case::Keep;
    for (const Position& p : positions_) {
        if (p.kind == Kind::Literal) {
            if (kQtSpecial.contains(p.literal))
                out += QLatin1Char('\\');
            out += p.literal;
            continue;
        }
        if (p.caseChange != current) {
            out += p.caseChange == Case::Upper ? QLatin1Char('>')
                : p.caseChange == Case::Lower  ? QLatin1Char('<')
                                               : QLatin1Char('!');
            current = p.caseChange;
        }
        switch (p.kind) {
        case Kind::Digit: out += p.required ? QLatin1Char('9') : QLatin1Char('0'); break;
        case Kind::DigitOrSign: out += QLatin1Char('#'); break;
        case Kind::Letter: out += p.required ? QLatin1Char('A') : QLatin1Char('a'); break;
        case Kind::AlphaNum: out += p.required ? QLatin1Char('N') : QLatin1Char('n'); break;
        case Kind::Any: out += p.required ? QLatin1Char('X') : QLatin1Char('x'); break;
        case Kind::Literal: break;
        }
    }
    return out + QLatin1Char(';') + blank_;
}

}  // namespace host::data
