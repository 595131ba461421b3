#include "host/ui/KeptSize.h"

#include "host/db/KeptByText.h"

#include <QWidget>

namespace host::ui {

// Bounded as the captions' sizes are (Caption.cpp).
constexpr qsizetype kMaxButtonSizes = 4096;

size_t qHash(const ButtonLook& look, size_t seed)
{
    return qHashMulti(seed, look.text, look.font, look.dpi, look.style, look.features);
}

QSize keptButtonSize(QHash<ButtonLook, QSize>& kept, const QWidget& button, const QString& text, int features,
                     const std::function<QSize()>& measure)
{
    const ButtonLook look{text, button.font(), button.fontMetrics().fontDpi(), button.style(), features};
    return host::db::keptByText<QSize, kMaxButtonSizes>(kept, look, [&](const ButtonLook&) { return measure(); });
}

} // namespace host::ui
