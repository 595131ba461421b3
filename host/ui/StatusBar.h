#pragma once
// A status bar of fixed panels, each a text addressed by position.

#include <QLabel>
#include <QList>
#include <QStatusBar>

namespace host::ui {

class StatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusBar(const QString& name, QWidget* parent = nullptr);

    // A panel of the given width (0: takes the remaining room).
    int addPanel(int width, const QString& text = {});
    int panelCount() const { return int(panels_.size()); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString& text);

private:
    QList<QLabel*> panels_;
};

} // namespace host::ui
