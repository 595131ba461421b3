// A form larger than the free area of its screen (a small notebook or
// projector screen): its contents keep their designed size and scroll
// inside the window instead of being squeezed below what they need.

#include "host/ui/Form.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMoveEvent>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace host::ui {
namespace {

// Scrolls by its bars and the wheel only: the keys a control leaves go on
// to the window as before, and the control that takes the focus is
// brought into view.
class FormContentScroll : public QScrollArea {
public:
    explicit FormContentScroll(QWidget* parent) : QScrollArea(parent)
    {
        setObjectName("formContentScroll");
        setFrameShape(QFrame::NoFrame);
        setFocusPolicy(Qt::NoFocus);
        setWidgetResizable(true);
        focusFollower_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
            if (now && widget() && widget()->isAncestorOf(now))
                ensureWidgetVisible(now);
        });
    }
    // The contents are destroyed after this class's part of the object, and
    // a control losing its focus then would call into a scroll area no
    // longer there: the connection goes first.
    ~FormContentScroll() override { disconnect(focusFollower_); }

protected:
    void keyPressEvent(QKeyEvent* event) override { event->ignore(); }

private:
    QMetaObject::Connection focusFollower_;
};

// The size the window was built for: the size its code gave it (or its
// layout's preferred size), never less than what its contents need.
QSize designedFormSize(const QWidget& form)
{
    QSize size = form.testAttribute(Qt::WA_Resized) ? form.size() : form.sizeHint();
    if (QLayout* contents = form.layout())
        size = size.expandedTo(contents->totalMinimumSize());
    return size;
}

}  // namespace

bool Form::fitToScreen(const QRect& available)
{
    if (contentScroll_)
        return true;
    QLayout* contents = layout();
    if (!contents || available.isEmpty())
        return false;
    const QSize designed = designedFormSize(*this);
    if (designed.width() <= available.width() && designed.height() <= available.height())
        return false;
    auto* conteudo = new QWidget;
    conteudo->setObjectName("formContents");
    // Takes the layout off the form with every control it arranges; controls
    // placed without it go along where they stand.
    conteudo->setLayout(contents);
    for (QWidget* filho : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!filho->isWindow() && filho != conteudo)
            filho->setParent(conteudo);
    conteudo->setMinimumSize(designed);
    auto* area = new FormContentScroll(this);
    area->setWidget(conteudo);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(0, 0, 0, 0);
    janela->addWidget(area);
    area->setVisible(true);
    contentScroll_ = area;
    resize(designed.boundedTo(available.size()));
    return true;
}

void Form::fitToOwnScreen()
{
    if (QScreen* tela = screen())
        fitToScreen(tela->availableGeometry());
}

void Form::keepInsideScreen()
{
    // Whatever placed the window (its code, its kept layout, the window
    // manager, the user's last drag before it was hidden), its frame opens
    // inside the free area of the screen it is on.
    QScreen* tela = screen();
    if (!tela || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
        return;
    const QRect livre = tela->availableGeometry();
    const QSize moldura = frameGeometry().size() - size();
    if (livre.isEmpty() || livre.contains(frameGeometry()))
        return;
    resize(size().boundedTo(livre.size() - moldura));
    // A window whose minimum size is larger than the screen still does not
    // fit: its top left corner (title bar, first fields) stays on the screen.
    const auto inside = [](int at, int first, int last) { return std::max(first, std::min(at, last)); };
    QRect quadro = frameGeometry();
    quadro.moveLeft(inside(quadro.left(), livre.left(), livre.right() + 1 - quadro.width()));
    quadro.moveTop(inside(quadro.top(), livre.top(), livre.bottom() + 1 - quadro.height()));
    move(quadro.topLeft());
}

void Form::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // The window manager's placement of a window just shown, its frame now
    // known; later moves are the user's own.
    if (placingAfterShow_ && event->spontaneous()) {
        placingAfterShow_ = false;
        keepInsideScreen();
    }
}

void Form::setVisible(bool visible)
{
    // A window its opener merely shows gets the place it asks for as well.
    if (visible && !isVisible() && !placed_ && isWindow())
        applyPlacement();
    else if (visible && !isVisible())
        fitToOwnScreen();
    QWidget::setVisible(visible);
}

}  // namespace host::ui
