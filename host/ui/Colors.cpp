#include "host/ui/Colors.h"

#include <QApplication>
#include <QPalette>

#include <array>
#include <stdexcept>

namespace host::ui {
namespace {

struct NamedColor {
    const char* name;
    ColorValue value;
};

// Where two names share a value the first one is the name written back.
constexpr std::array<NamedColor, 52> kNamedColors{{
    {"clBlack", 0x000000}, {"clMaroon", 0x000080}, {"clGreen", 0x008000},
    {"clOlive", 0x008080}, {"clNavy", 0x800000}, {"clPurple", 0x800080},
    {"clTeal", 0x808000}, {"clGray", 0x808080}, {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF}, {"clLime", 0x00FF00}, {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000}, {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF}, {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0}, {"clLtGray", 0xC0C0C0},
    {"clDkGray", 0x808080},
    {"clScrollBar", clSystemColor | 0}, {"clBackground", clSystemColor | 1},
    {"clActiveCaption", clSystemColor | 2}, {"clInactiveCaption", clSystemColor | 3},
    {"clMenu", clSystemColor | 4}, {"clWindow", clSystemColor | 5},
    {"clWindowFrame", clSystemColor | 6}, {"clMenuText", clSystemColor | 7},
    {"clWindowText", clSystemColor | 8}, {"clCaptionText", clSystemColor | 9},
    {"clActiveBorder", clSystemColor | 10}, {"clInactiveBorder", clSystemColor | 11},
    {"clAppWorkSpace", clSystemColor | 12}, {"clHighlight", clSystemColor | 13},
    {"clHighlightText", clSystemColor | 14}, {"clBtnFace", clSystemColor | 15},
    {"clBtnShadow", clSystemColor | 16}, {"clGrayText", clSystemColor | 17},
    {"clBtnText", clSystemColor | 18}, {"clInactiveCaptionText", clSystemColor | 19},
    {"clBtnHighlight", clSystemColor | 20}, {"cl3DDkShadow", clSystemColor | 21},
    {"cl3DLight", clSystemColor | 22}, {"clInfoText", clSystemColor | 23},
    {"clInfoBk", clSystemColor | 24}, {"clHotLight", clSystemColor | 26},
    {"clMenuHighlight", clSystemColor | 29}, {"clMenuBar", clSystemColor | 30},
    {"clNone", clNone}, {"clDefault", clDefault},
}};

bool parseNumber(const QString& text, ColorValue& value)
{
    QString t = text.trimmed();
    bool ok = false;
    qint64 number = 0;
    if (t.startsWith('$'))
        number = t.mid(1).toLongLong(&ok, 16);
    else if (t.startsWith("0x", Qt::CaseInsensitive))
        number = t.mid(2).toLongLong(&ok, 16);
    else
        number = t.toLongLong(&ok, 10);
    if (!ok || number < INT32_MIN || number > qint64(0xFFFFFFFF))
        return false;
    value = static_cast<ColorValue>(static_cast<std::uint32_t>(number));
    return true;
}

QPalette::ColorRole roleOf(int systemIndex, QPalette::ColorGroup& group)
{
    group = QPalette::Active;
    switch (systemIndex) {
    case 5: return QPalette::Base;                    // clWindow
    case 8: case 7: return QPalette::Text;            // clWindowText, clMenuText
    case 13: case 29: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 16: return QPalette::Dark;
    case 17: group = QPalette::Disabled; return QPalette::Text;
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;
    case 21: return QPalette::Shadow;
    case 22: return QPalette::Midlight;
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    case 26: return QPalette::Link;
    default: return QPalette::Button;                  // clBtnFace and the rest
    }
}

} // namespace

bool tryStringToColor(const QString& text, ColorValue& value)
{
    const QString t = text.trimmed();
    for (const auto& named : kNamedColors) {
        if (t.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0) {
            value = named.value;
            return true;
        }
    }
    return parseNumber(t, value);
}

ColorValue stringToColor(const QString& text)
{
    ColorValue value = 0;
    if (!tryStringToColor(text, value))
        throw std::invalid_argument(("'" + text + "' não é uma cor válida").toStdString());
    return value;
}

QString colorToString(ColorValue value)
{
    for (const auto& named : kNamedColors)
        if (named.value == value)
            return QString::fromLatin1(named.name);
    return "$" + QString::number(static_cast<std::uint32_t>(value), 16).toUpper().rightJustified(8, '0');
}

QColor toQColor(ColorValue value)
{
    if (value == clNone || value == clDefault)
        return {};
    if ((value & clSystemColor) == clSystemColor) {
        QPalette::ColorGroup group;
        QPalette::ColorRole role = roleOf(value & 0xFF, group);
        return QApplication::palette().color(group, role);
    }
    const auto v = static_cast<std::uint32_t>(value);
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

ColorValue fromQColor(const QColor& color)
{
    if (!color.isValid())
        return clNone;
    return ColorValue(color.red() | (color.green() << 8) | (color.blue() << 16));
}

} // namespace host::ui
