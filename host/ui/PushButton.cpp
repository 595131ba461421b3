#include "host/ui/PushButton.h"

#include "host/db/KeptByText.h"

#include <QDialogButtonBox>
#include <QFont>
#include <QHash>
#include <QStyle>

namespace host::ui {
namespace {

// Bounded as the captions' sizes are (Caption.cpp).
constexpr qsizetype kMaxButtonSizes = 4096;

// What Qt's measuring of a push button reads: its text (mnemonic
// included), font with the resolution of its metrics, style, and the
// features the style adds room for (default, auto-default, flat).
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

size_t qHash(const ButtonLook& look, size_t seed = 0)
{
    return qHashMulti(seed, look.text, look.font, look.dpi, look.style, look.features);
}

}  // namespace

// Qt's minimum size hint of a push button is its size hint: it asks this one.
QSize PushButton::sizeHint() const
{
    // Polishing may give the button its font: the look is read after it, as Qt measures.
    ensurePolished();
    // A button with an icon or a menu, in a button box (whose style may show
    // icons), or styled by a style sheet (whose rules may depend on the
    // button itself), is measured by Qt as before.
    if (!icon().isNull() || menu() || testAttribute(Qt::WA_StyleSheet) ||
        qobject_cast<const QDialogButtonBox*>(parentWidget()))
        return QPushButton::sizeHint();
    static QHash<ButtonLook, QSize> remembered;
    const ButtonLook look{text(), font(), fontMetrics().fontDpi(), style(),
                          int(isDefault()) | int(autoDefault()) << 1 | int(isFlat()) << 2};
    return host::db::keptByText<QSize, kMaxButtonSizes>(remembered, look,
                                                        [this](const ButtonLook&) { return QPushButton::sizeHint(); });
}

} // namespace host::ui
