#pragma once
// Qt's size for a button showing a text, kept per look: windows open many
// times a session with the same buttons, and Qt measures each button's text
// anew. What Qt's measuring reads is the text (mnemonic included), the font
// with the resolution of its metrics (equal fonts may differ in it), the
// style, and the features the style adds room for.

#include <QFont>
#include <QHash>
#include <QSize>
#include <QString>

#include <functional>

class QStyle;
class QWidget;

namespace host::ui {

struct ButtonLook {
    QString text;
    QFont font;
    qreal dpi;
    const QStyle* style;
    int features;

    bool operator==(const ButtonLook& other) const
    {
        return features == other.features && dpi == other.dpi && style == other.style && text == other.text &&
               font == other.font;
    }
};

size_t qHash(const ButtonLook& look, size_t seed = 0);

// The size `measure` gives `button` (read after polishing) the first time
// its look is asked of `kept`, bounded as the captions' sizes are.
QSize keptButtonSize(QHash<ButtonLook, QSize>& kept, const QWidget& button, const QString& text, int features,
                     const std::function<QSize()>& measure);

} // namespace host::ui
