#pragma once
// Colours as the stored data writes them: the classic colour names ("clRed",
// "clWindow"), "$00BBGGRR" hexadecimal and plain decimal numbers. A colour
// value keeps the classic encoding (0x00BBGGRR; system colours carry the
// high byte 0xFF) so that a text read from a row is written back unchanged.

#include <QColor>
#include <QString>

#include <cstdint>

namespace host::ui {

using ColorValue = std::int32_t;

inline constexpr ColorValue clBlack = 0x000000;
inline constexpr ColorValue clWhite = 0xFFFFFF;
inline constexpr ColorValue clRed = 0x0000FF;
inline constexpr ColorValue clBlue = 0xFF0000;
inline constexpr ColorValue clNone = 0x1FFFFFFF;
inline constexpr ColorValue clDefault = 0x20000000;
inline constexpr ColorValue clSystemColor = static_cast<ColorValue>(0xFF000000);
inline constexpr ColorValue clWindow = clSystemColor | 5;
inline constexpr ColorValue clWindowText = clSystemColor | 8;
inline constexpr ColorValue clBtnFace = clSystemColor | 15;

// Parses a colour name, "$" hexadecimal or decimal text. Throws
// std::invalid_argument naming the text when it is none of these.
ColorValue stringToColor(const QString& text);
// The same, without throwing: false when the text is not a colour.
bool tryStringToColor(const QString& text, ColorValue& value);
// The name when the value has one, otherwise "$" and eight hexadecimal digits.
QString colorToString(ColorValue value);

// The colour to paint with; system colours come from the application palette.
QColor toQColor(ColorValue value);
ColorValue fromQColor(const QColor& color);

} // namespace host::ui
