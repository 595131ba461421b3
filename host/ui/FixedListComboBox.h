#pragma once
// A drop-down list of fixed items: the search windows' filters ("Status",
// "Tipo", "Ordenar por"). Windows open many times a session with the same
// lists, and Qt measures every item's text again for each box, twice when
// it first shows: this box measures a list once per items and font for the
// session and sizes itself as Qt sizes a box of its contents. Its items are
// the ones it was made with; items changed later are measured as they come
// (Qt's box keeps the size of the items it first measured, or first
// showed, until its font or style changes). A box sized otherwise (by
// characters, with icons) is measured by Qt.

#include <QComboBox>
#include <QStringList>

namespace host::ui {

class FixedListComboBox : public QComboBox {
public:
    explicit FixedListComboBox(const QStringList& items, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    bool measuresItself() const;
};

} // namespace host::ui
