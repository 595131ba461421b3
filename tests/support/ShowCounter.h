#pragma once
// Counts how many times windows of one object name are brought up on the
// screen while it lives (every Show event of such a top-level window).

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QString>
#include <QWidget>

namespace testsupport {

class ShowCounter : public QObject {
public:
    explicit ShowCounter(const QString& objectName) : name_(objectName) { qApp->installEventFilter(this); }
    ~ShowCounter() override { qApp->removeEventFilter(this); }
    int count() const { return count_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() && watched->objectName() == name_ &&
            static_cast<QWidget*>(watched)->isWindow())
            ++count_;
        return false;
    }

private:
    QString name_;
    int count_ = 0;
};

}  // namespace testsupport
