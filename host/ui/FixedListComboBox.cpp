#include "host/ui/FixedListComboBox.h"

#include "host/db/KeptByText.h"

#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHash>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtMath>

#include <algorithm>

namespace host::ui {
namespace {

// Bounded as the captions' sizes are (Caption.cpp).
constexpr qsizetype kMaxListWidths = 4096;

// What the width of a list's widest item depends on: the items, the font
// and the resolution of its metrics (equal fonts may differ in it).
struct ListLook {
    QStringList items;
    QFont font;
    qreal dpi;

    bool operator==(const ListLook& other) const
    {
        return dpi == other.dpi && items == other.items && font == other.font;
    }
};

size_t qHash(const ListLook& look, size_t seed = 0)
{
    return qHashMulti(seed, look.items, look.font, look.dpi);
}

}  // namespace

FixedListComboBox::FixedListComboBox(const QStringList& items, QWidget* parent) : QComboBox(parent)
{
    addItems(items);
}

bool FixedListComboBox::measuresItself() const
{
    const SizeAdjustPolicy policy = sizeAdjustPolicy();
    if ((policy != AdjustToContentsOnFirstShow && policy != AdjustToContents) || minimumContentsLength() > 0)
        return false;
    for (int i = 0; i < count(); ++i)
        if (!itemIcon(i).isNull())
            return false;
    return true;
}

// As Qt sizes a box of its contents: the widest item (or seven x's for no
// item) and the placeholder, a line of text high (14 pixels at least) with
// a pixel above and below, framed as the style frames a drop-down list.
QSize FixedListComboBox::sizeHint() const
{
    if (!measuresItself())
        return QComboBox::sizeHint();
    const QFontMetrics fm = fontMetrics();
    int width = 0;
    if (count() == 0) {
        width = 7 * fm.horizontalAdvance(QLatin1Char('x'));
    } else {
        static QHash<ListLook, int> widest;
        ListLook look{{}, font(), fm.fontDpi()};
        look.items.reserve(count());
        for (int i = 0; i < count(); ++i)
            look.items.append(itemText(i));
        width = host::db::keptByText<int, kMaxListWidths>(widest, look, [&fm](const ListLook& l) {
            int largest = 0;
            for (const QString& item : l.items)
                largest = std::max(largest, fm.boundingRect(item).width());
            return largest;
        });
    }
    QSize contents(width, std::max(qCeil(QFontMetricsF(fm).height()), 14) + 2);
    if (!placeholderText().isEmpty())
        contents.setWidth(std::max(contents.width(), fm.boundingRect(placeholderText()).width()));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this);
}

// Qt's minimum for a box sized to its contents is measured as its size.
QSize FixedListComboBox::minimumSizeHint() const
{
    return measuresItself() ? sizeHint() : QComboBox::minimumSizeHint();
}

} // namespace host::ui
