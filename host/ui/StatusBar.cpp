#include "host/ui/StatusBar.h"

namespace host::ui {

StatusBar::StatusBar(const QString& name, QWidget* parent) : QStatusBar(parent)
{
    setObjectName(name);
    setSizeGripEnabled(false);
}

int StatusBar::addPanel(int width, const QString& text)
{
    auto* panel = new QLabel(text, this);
    panel->setObjectName(objectName() + "_panel" + QString::number(panels_.size()));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    if (width > 0)
        panel->setFixedWidth(width);
    addWidget(panel, width > 0 ? 0 : 1);
    panels_ << panel;
    return int(panels_.size()) - 1;
}

QString StatusBar::panelText(int index) const
{
    return index >= 0 && index < panels_.size() ? panels_.at(index)->text() : QString();
}

void StatusBar::setPanelText(int index, const QString& text)
{
    if (index >= 0 && index < panels_.size())
        panels_.at(index)->setText(text);
}

} // namespace host::ui
