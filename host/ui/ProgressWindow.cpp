#include "host/ui/ProgressWindow.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWidget>

namespace host::ui {

ProgressWindow& ProgressWindow::instance()
{
    static ProgressWindow progress;
    return progress;
}

void ProgressWindow::ensureWindow()
{
    if (window_)
        return;
    window_ = new QWidget(nullptr, Qt::SplashScreen | Qt::WindowStaysOnTopHint);
    window_->setObjectName("fmSplash");
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(window_);
    label_ = new QLabel(window_);
    label_->setObjectName("laMensagem");
    bar_ = new QProgressBar(window_);
    bar_->setObjectName("pbProgresso");
    layout->addWidget(label_);
    layout->addWidget(bar_);
    window_->resize(400, 80);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, window_, &QObject::deleteLater);
}

void ProgressWindow::refresh(bool pintar)
{
    ensureWindow();
    const bool agora = pintar || !pintado_.isValid() || pintado_.elapsed() >= 200;
    // Between paints the controls take their values without painting (the
    // bar would repaint itself at once on every new percentage; the label
    // only asks for a paint); enabled again the bar only asks too, and the
    // paint comes with the next events processed (a message shown over the
    // window, the next paint here). Only the bar is held: holding the window
    // would ask every control of it for a paint on every step.
    label_->setText(text_);
    bar_->setUpdatesEnabled(false);
    bar_->setRange(0, std::max(total_, 0));
    bar_->setValue(std::min(position_, std::max(total_, 0)));
    bar_->setUpdatesEnabled(true);
    if (!agora)
        return;
    pintado_.start();
    // Long work runs on the interface thread: let the window paint itself.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ProgressWindow::show(int total, const QString& text)
{
    total_ = total;
    position_ = 0;
    text_ = text;
    shown_ = true;
    ensureWindow();
    window_->show();
    refresh(true);
}

void ProgressWindow::increment(int steps, const QString& text)
{
    if (!shown_)
        return;
    position_ += steps;
    if (!text.isEmpty())
        text_ = text;
    refresh(false);
}

void ProgressWindow::hide()
{
    shown_ = false;
    position_ = 0;
    if (window_) {
        window_->setUpdatesEnabled(true);
        window_->hide();
    }
}

void ProgressWindow::prepare(int count, const QString& text, const QString& action)
{
    if (action == "Mostrar")
        show(count, text);
    else if (action == "Incrementar")
        increment(count, text);
    else if (action == "Ocultar")
        hide();
}

} // namespace host::ui
