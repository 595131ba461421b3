#pragma once
// A push button of the windows built in code (makeButton, makeSearchButton).
// Windows open many times a session with the same buttons, and Qt measures
// each button's text anew: a push button takes Qt's hint from the first
// button measured with the same text, font and look, so each is measured
// once. A change of text, font or look is a new look, measured as Qt
// measures it.

#include <QPushButton>

namespace host::ui {

class PushButton : public QPushButton {
public:
    explicit PushButton(const QString& text, QWidget* parent = nullptr) : QPushButton(text, parent) {}

    QSize sizeHint() const override;
};

} // namespace host::ui
