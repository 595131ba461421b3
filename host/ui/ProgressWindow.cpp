#include "host/ui/ProgressWindow.h"

#include <QApplication>
#include <QCommonStyle>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QStyleOptionProgressBar>
#include <QVBoxLayout>
#include <QWidget>

#include <array>
#include <optional>

namespace host::ui {

namespace {

// The flat style of the bar, remembering where the bar's parts go: the bar
// asks for them on every new value, to know whether it must repaint, and
// measures its text each time; they change only with its size, text or font.
class EstiloPlano : public QCommonStyle {
public:
    QRect subElementRect(SubElement parte, const QStyleOption* opcao, const QWidget* widget) const override
    {
        const auto* barra = qstyleoption_cast<const QStyleOptionProgressBar*>(opcao);
        const int i = indice(parte);
        if (!barra || i < 0)
            return QCommonStyle::subElementRect(parte, opcao, widget);
        Lembrado& lembrado = lembrados_[size_t(i)];
        if (!lembrado.chave || !mesmaBarra(*lembrado.chave, *barra)) {
            lembrado.chave.emplace(*barra);
            lembrado.retangulo = QCommonStyle::subElementRect(parte, opcao, widget);
        }
        return lembrado.retangulo;
    }

private:
    struct Lembrado {
        std::optional<QStyleOptionProgressBar> chave;
        QRect retangulo;
    };

    static int indice(SubElement parte)
    {
        switch (parte) {
        case SE_ProgressBarGroove: return 0;
        case SE_ProgressBarContents: return 1;
        case SE_ProgressBarLabel: return 2;
        default: return -1;
        }
    }

    // What the flat style's placing of the parts reads.
    static bool mesmaBarra(const QStyleOptionProgressBar& a, const QStyleOptionProgressBar& b)
    {
        return a.rect == b.rect && a.text == b.text && a.textVisible == b.textVisible &&
               a.textAlignment == b.textAlignment && a.direction == b.direction &&
               (a.state & State_Horizontal) == (b.state & State_Horizontal) && a.fontMetrics == b.fontMetrics;
    }

    mutable std::array<Lembrado, 3> lembrados_;
};

}  // namespace

ProgressWindow& ProgressWindow::instance()
{
    static ProgressWindow progress;
    return progress;
}

void ProgressWindow::ensureWindow()
{
    if (window_)
        return;
    // It never takes the focus from the user's windows, nor the activation
    // the next window opened expects.
    window_ = new QWidget(nullptr, Qt::SplashScreen | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
    window_->setObjectName("fmSplash");
    window_->setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(window_);
    label_ = new QLabel(window_);
    label_->setObjectName("laMensagem");
    bar_ = new QProgressBar(window_);
    bar_->setObjectName("pbProgresso");
    // Drawn flat: the application's style paints the bar with stripes whose
    // blending it hands to helper threads, and a batch repainting it every
    // 100 ms on a busy machine waited for those threads longer than it painted.
    auto* plano = new EstiloPlano;
    plano->setParent(window_);
    bar_->setStyle(plano);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    window_->resize(400, 80);
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, window_, &QObject::deleteLater);
}

void ProgressWindow::refresh()
{
    if (!onScreen()) {
        // Short work ends before anyone could read the window: it neither
        // comes up nor lets the event loop run.
        if (desde_.elapsed() < minimumDuration_)
            return;
        ensureWindow();
        window_->show();
    }
    const bool agora = !pintado_.isValid() || pintado_.elapsed() >= 100;
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
    if (batches_ > 0 && shown_) {
        ++nested_;
        return;
    }
    total_ = total;
    position_ = 0;
    text_ = text;
    shown_ = true;
    desde_.start();
    // Up now only without a minimum duration, and then painted now unless
    // painted within the last 100 ms: one routine after another (a contract
    // each) paints at the same pace as one long routine.
    refresh();
}

void ProgressWindow::increment(int steps, const QString& text)
{
    if (!shown_ || nested_ > 0)
        return;
    advance(steps, text);
}

void ProgressWindow::advance(int steps, const QString& text)
{
    position_ += steps;
    if (!text.isEmpty())
        text_ = text;
    refresh();
}

void ProgressWindow::hide()
{
    if (nested_ > 0) {
        --nested_;
        return;
    }
    shown_ = false;
    position_ = 0;
    // At once, never when the event loop next runs: a window left up would
    // take the activation of the next window opened.
    if (onScreen())
        window_->hide();
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

BatchProgress::BatchProgress(int total, const QString& text)
{
    ProgressWindow& janela = ProgressWindow::instance();
    janela.show(total, text);
    ++janela.batches_;
}

BatchProgress::~BatchProgress()
{
    ProgressWindow& janela = ProgressWindow::instance();
    // A batch inside another hides as any nested routine does; the outermost
    // hides the window whatever its rows left shown.
    if (--janela.batches_ == 0)
        janela.nested_ = 0;
    janela.hide();
}

void BatchProgress::step(const QString& text)
{
    ProgressWindow& janela = ProgressWindow::instance();
    if (janela.shown_ && janela.nested_ == 0)
        janela.advance(1, text);
}

} // namespace host::ui
