#pragma once
// A radio button of the windows' option boxes. Windows open many times a
// session with the same options, and Qt measures each button's text anew
// (its text laid out and the style asked for the indicator around it): a
// radio button takes Qt's hint from the first button measured with the
// same text, font and look, so each is measured once. A change of text or
// font is a new look, measured as Qt measures it.

#include <QRadioButton>

namespace host::ui {

class RadioButton : public QRadioButton {
public:
    explicit RadioButton(const QString& text, QWidget* parent = nullptr) : QRadioButton(text, parent) {}

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};

} // namespace host::ui
