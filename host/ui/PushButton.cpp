#include "host/ui/PushButton.h"

#include "host/ui/KeptSize.h"

#include <QDialogButtonBox>

namespace host::ui {

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
    const int features = int(isDefault()) | int(autoDefault()) << 1 | int(isFlat()) << 2;
    return keptButtonSize(remembered, *this, text(), features, [this] { return QPushButton::sizeHint(); });
}

} // namespace host::ui
