#include "host/ui/PageControl.h"

#include "host/ui/Components.h"
#include "host/ui/Errors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>
#include <QToolButton>
#include <QWheelEvent>

namespace host::ui {

TabSheet::TabSheet(PageControl* pageControl, const QString& name, const QString& caption)
    : QWidget(pageControl), pageControl_(pageControl)
{
    setObjectName(name);
    pageControl->addTab(this, caption);
    watchFocus(this, [this] { if (onEnter) onEnter(); }, [this] { if (onExit) onExit(); });
}

QString TabSheet::caption() const { return pageControl_->tabText(pageIndex()); }

void TabSheet::setCaption(const QString& caption) { pageControl_->setTabText(pageIndex(), caption); }

bool TabSheet::tabVisible() const { return pageControl_->isTabVisible(pageIndex()); }

void TabSheet::setTabVisible(bool visible) { pageControl_->setTabVisible(pageIndex(), visible); }

int TabSheet::pageIndex() const { return pageControl_->indexOf(const_cast<TabSheet*>(this)); }

void TabSheet::setPageIndex(int index)
{
    const int from = pageIndex();
    const int to = std::clamp(index, 0, pageControl_->count() - 1);
    if (from != to)
        pageControl_->tabBar()->moveTab(from, to);
}

namespace {

// Marks the page changes that the user makes on the tabs.
//
// Qt reckons the right-hand scroll button from the strip's last tab even when
// that tab is hidden, and so disables it while shown tabs still lie past the
// edge; the bar keeps that button enabled while the last shown tab is cut.
class PageTabBar : public QTabBar {
public:
    PageTabBar(QWidget* parent, bool& userInput) : QTabBar(parent), userInput_(userInput) {}

protected:
    void tabLayoutChange() override
    {
        QTabBar::tabLayoutChange();
        watchRightScroll();
        mendRightScroll();
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == rightScroll_ && event->type() == QEvent::EnabledChange)
            mendRightScroll();
        return QTabBar::eventFilter(watched, event);
    }
    void mousePressEvent(QMouseEvent* event) override { asUser([&] { QTabBar::mousePressEvent(event); }); }
    void mouseReleaseEvent(QMouseEvent* event) override { asUser([&] { QTabBar::mouseReleaseEvent(event); }); }
    void keyPressEvent(QKeyEvent* event) override { asUser([&] { QTabBar::keyPressEvent(event); }); }
    void wheelEvent(QWheelEvent* event) override { asUser([&] { QTabBar::wheelEvent(event); }); }

private:
    void watchRightScroll()
    {
        if (rightScroll_)
            return;
        for (QToolButton* b : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
            if (b->arrowType() == Qt::RightArrow)
                rightScroll_ = b;
        if (rightScroll_)
            rightScroll_->installEventFilter(this);
    }
    void mendRightScroll()
    {
        if (!rightScroll_ || !rightScroll_->isVisible() || rightScroll_->isEnabled() || mending_)
            return;
        int last = count() - 1;
        while (last >= 0 && !isTabVisible(last))
            --last;
        if (last < 0 || last == count() - 1)
            return;
        int edge = rightScroll_->x();
        for (QToolButton* b : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
            if (b->isVisible())
                edge = std::min(edge, b->x());
        if (tabRect(last).right() >= edge) {
            mending_ = true;
            rightScroll_->setEnabled(true);
            mending_ = false;
        }
    }

    template <class F>
    void asUser(F&& handle)
    {
        const bool outer = userInput_;
        userInput_ = true;
        handle();
        userInput_ = outer;
    }
    bool& userInput_;
    QToolButton* rightScroll_ = nullptr;
    bool mending_ = false;
};

} // namespace

PageControl::PageControl(const QString& name, QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new PageTabBar(this, userInput_));
    // Tabs keep their whole captions; a strip wider than the window scrolls.
    setUsesScrollButtons(true);
    setElideMode(Qt::ElideNone);
    tabBar()->setExpanding(false);
    setObjectName(name);
    connect(this, &QTabWidget::currentChanged, this, &PageControl::pageChanged);
    watchFocus(this, [this] { if (onEnter) onEnter(); }, [this] { if (onExit) onExit(); });
}

TabSheet* PageControl::addPage(const QString& name, const QString& caption)
{
    return new TabSheet(this, name, caption);
}

TabSheet* PageControl::page(int index) const { return qobject_cast<TabSheet*>(widget(index)); }

TabSheet* PageControl::page(const QString& name) const
{
    for (int i = 0; i < count(); ++i)
        if (widget(i)->objectName() == name)
            return page(i);
    return nullptr;
}

TabSheet* PageControl::activePage() const { return qobject_cast<TabSheet*>(currentWidget()); }

void PageControl::setActivePage(TabSheet* page) { setCurrentWidget(page); }

void PageControl::keyPressEvent(QKeyEvent* event)
{
    const bool outer = userInput_;
    userInput_ = true;
    QTabWidget::keyPressEvent(event);
    userInput_ = outer;
}

void PageControl::pageChanged(int index)
{
    // The focus leaves a page that is no longer shown, so that its exit runs.
    QWidget* focus = QApplication::focusWidget();
    TabSheet* old = nullptr;
    for (int i = 0; i < count() && focus; ++i)
        if (i != index && widget(i)->isAncestorOf(focus))
            old = page(i);
    if (old)
        tabBar()->setFocus();
    if (userInput_ && onChange)
        runGuarded(onChange);
}

} // namespace host::ui
