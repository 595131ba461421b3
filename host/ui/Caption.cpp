#include "host/ui/Caption.h"

#include "host/db/KeptByText.h"

#include <QFont>
#include <QHash>
#include <QMovie>
#include <QPicture>
#include <QPixmap>
#include <QStyle>
#include <QTextDocument>

#include <array>

namespace host::ui {
namespace {

// Bounded: a caption whose text changes as the user works would otherwise
// keep every text it ever showed.
constexpr qsizetype kMaxRemembered = 4096;

// What Qt's measuring of a label reads: its text, font (with the
// resolution its metrics are taken at: equal fonts may differ in it) and
// everything else that moves or sizes the text.
struct Look {
    QString text;
    QFont font;
    qreal dpi;
    std::array<int, 17> values;
    const QStyle* style;

    bool operator==(const Look& other) const
    {
        return values == other.values && dpi == other.dpi && style == other.style && text == other.text &&
               font == other.font;
    }
};

size_t qHash(const Look& look, size_t seed = 0)
{
    return qHashMulti(seed, look.text, look.font, look.dpi,
                      qHashRange(look.values.begin(), look.values.end(), seed), look.style);
}

Look lookOf(const QLabel& label)
{
    const QMargins m = label.contentsMargins();
    const QSize min = label.minimumSize(), max = label.maximumSize();
    // The font's resolution, not the screen's asked of the widget: the
    // label measures with its font's metrics, and finding the widget's
    // screen costs more than the rest of the look together.
    return {label.text(),
            label.font(),
            label.fontMetrics().fontDpi(),
            {int(label.alignment()), label.indent(), label.margin(),
             label.frameWidth(), label.frameStyle(), m.left(), m.top(), m.right(), m.bottom(), min.width(),
             min.height(), max.width(), max.height(), int(label.layoutDirection()), int(label.textFormat()),
             int(label.textInteractionFlags()), label.buddy() != nullptr},
            label.style()};
}

// Only plain one-line texts: pictures, animations, rich text and wrapping
// are measured by Qt as before.
bool plainText(const QLabel& label)
{
    if (label.wordWrap() || label.movie() || !label.pixmap().isNull() || !label.picture().isNull())
        return false;
    return label.textFormat() == Qt::PlainText ||
           (label.textFormat() == Qt::AutoText && !Qt::mightBeRichText(label.text()));
}

}  // namespace

Caption::Hints Caption::hints() const
{
    // Polishing may give the label its font and margins: the look is read after it, as Qt measures.
    ensurePolished();
    if (!plainText(*this))
        return {QLabel::sizeHint(), QLabel::minimumSizeHint()};
    static QHash<Look, Hints> remembered;
    return host::db::keptByText<Hints, kMaxRemembered>(remembered, lookOf(*this), [this](const Look&) {
        return Hints{QLabel::sizeHint(), QLabel::minimumSizeHint()};
    });
}

QSize Caption::sizeHint() const { return hints().size; }

QSize Caption::minimumSizeHint() const { return hints().minimum; }

} // namespace host::ui
