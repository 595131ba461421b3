#pragma once
// The progress window of long work: shown with a total and a text, advanced
// step by step, hidden at the end. One window for the application. Work
// that ends within the minimum duration never brings it up: the window comes
// up at the first step after it, as the platform's progress dialogs do.

#include <QLabel>
#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>
#include <QString>
#include <QWidget>

namespace host::ui {

class ProgressWindow {
public:
    static ProgressWindow& instance();

    void show(int total, const QString& text);
    void increment(int steps, const QString& text = {});
    void hide();
    // The classic entry: action "Mostrar" (count = total), "Incrementar"
    // (count = steps) or "Ocultar". Any other action does nothing.
    void prepare(int count, const QString& text, const QString& action);

    // Work shown before this many milliseconds have passed is not on the
    // screen yet (0: up at once).
    static constexpr int kMinimumDurationMs = 500;
    void setMinimumDuration(int ms) { minimumDuration_ = ms; }
    int minimumDuration() const { return minimumDuration_; }

    // Shown by the work (whether on the screen yet or not).
    bool isShown() const { return shown_; }
    int total() const { return total_; }
    int position() const { return position_; }
    QString text() const { return text_; }

private:
    friend class BatchProgress;
    ProgressWindow() = default;
    void ensureWindow();
    // Shows the current text and position, bringing the window up once the
    // work has lasted the minimum duration; it paints at most every 100 ms (a
    // batch that counts every row would spend more time painting the window
    // than doing its work).
    void refresh();
    bool onScreen() const { return window_ && window_->isVisible(); }
    void advance(int steps, const QString& text);

    // Inside a batch the window stays up: what the batch's rows show, advance
    // and hide of their own is absorbed (`nested_` counts their open shows).
    int batches_ = 0;
    int nested_ = 0;

    QElapsedTimer pintado_;
    QElapsedTimer desde_;   // since the work showed the window
    int minimumDuration_ = kMinimumDurationMs;

    QPointer<QWidget> window_;
    QPointer<QLabel> label_;
    QPointer<QProgressBar> bar_;
    bool shown_ = false;
    int total_ = 0;
    int position_ = 0;
    QString text_;
};

// The window of a batch, shown once for all its rows and hidden at the end
// (also when the batch stops on a failure). A routine the batch runs per row
// may use the window as it does alone; while the batch lasts its own show,
// steps and hide leave the batch's window as it is.
class BatchProgress {
public:
    BatchProgress(int total, const QString& text);
    ~BatchProgress();
    BatchProgress(const BatchProgress&) = delete;
    BatchProgress& operator=(const BatchProgress&) = delete;
    // One row done; an empty text keeps the last one.
    void step(const QString& text = {});
};

} // namespace host::ui
