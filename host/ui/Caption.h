#pragma once
// A fixed caption beside a control. Windows open many times a session with
// the same captions, and Qt measures each label's text anew (three layouts
// of the text a label): a caption takes Qt's own hints from the first label
// measured with the same text, font and look, so each is measured once.

#include <QLabel>

namespace host::ui {

class Caption : public QLabel {
public:
    explicit Caption(const QString& text, QWidget* parent = nullptr) : QLabel(text, parent) {}

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    struct Hints {
        QSize size, minimum;
    };
    Hints hints() const;
};

} // namespace host::ui
