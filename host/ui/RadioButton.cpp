#include "host/ui/RadioButton.h"

#include "host/db/KeptByText.h"

#include <QFont>
#include <QHash>
#include <QStyle>

namespace host::ui {
namespace {

// Bounded as the captions' sizes are (Caption.cpp).
constexpr qsizetype kMaxRadioSizes = 4096;

// What Qt's measuring of a radio button reads: its text (mnemonic
// included), font, style, and the resolution of the font's metrics, which
// the text is measured at and the style scales the indicator by (equal
// fonts may differ in it).
struct RadioLook {
    QString text;
    QFont font;
    qreal dpi;
    const QStyle* style;

    bool operator==(const RadioLook& other) const
    {
        return dpi == other.dpi && style == other.style && text == other.text && font == other.font;
    }
};

size_t qHash(const RadioLook& look, size_t seed = 0)
{
    return qHashMulti(seed, look.text, look.font, look.dpi, look.style);
}

}  // namespace

QSize RadioButton::sizeHint() const
{
    // Polishing may give the button its font: the look is read after it, as Qt measures.
    ensurePolished();
    // A button with an icon, or styled by a style sheet (whose rules may
    // depend on the button itself), is measured by Qt as before.
    if (!icon().isNull() || testAttribute(Qt::WA_StyleSheet))
        return QRadioButton::sizeHint();
    static QHash<RadioLook, QSize> remembered;
    const RadioLook look{text(), font(), fontMetrics().fontDpi(), style()};
    return host::db::keptByText<QSize, kMaxRadioSizes>(remembered, look,
                                                       [this](const RadioLook&) { return QRadioButton::sizeHint(); });
}

// Qt's own minimum is the size hint.
QSize RadioButton::minimumSizeHint() const { return sizeHint(); }

} // namespace host::ui
