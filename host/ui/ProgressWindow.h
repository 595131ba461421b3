#pragma once
// The progress window of long work: shown with a total and a text, advanced
// step by step, hidden at the end. One window for the application.

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

    bool isShown() const { return shown_; }
    int total() const { return total_; }
    int position() const { return position_; }
    QString text() const { return text_; }

private:
    ProgressWindow() = default;
    void ensureWindow();
    // Shows the current text and position; `pintar` lets the window paint
    // itself now, otherwise at most every 200 ms (a batch that counts every
    // row would spend more time painting the window than doing its work).
    void refresh(bool pintar);

    QElapsedTimer pintado_;

    QPointer<QWidget> window_;
    QPointer<QLabel> label_;
    QPointer<QProgressBar> bar_;
    bool shown_ = false;
    int total_ = 0;
    int position_ = 0;
    QString text_;
};

} // namespace host::ui
