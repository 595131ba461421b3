#include "host/ui/RadioButton.h"

#include "host/ui/KeptSize.h"

namespace host::ui {

QSize RadioButton::sizeHint() const
{
    // Polishing may give the button its font: the look is read after it, as Qt measures.
    ensurePolished();
    // A button with an icon, or styled by a style sheet (whose rules may
    // depend on the button itself), is measured by Qt as before.
    if (!icon().isNull() || testAttribute(Qt::WA_StyleSheet))
        return QRadioButton::sizeHint();
    static QHash<ButtonLook, QSize> remembered;
    return keptButtonSize(remembered, *this, text(), 0, [this] { return QRadioButton::sizeHint(); });
}

// Qt's own minimum is the size hint.
QSize RadioButton::minimumSizeHint() const { return sizeHint(); }

} // namespace host::ui
