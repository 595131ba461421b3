#include "host/ui/PageControl.h"

#include "host/ui/Components.h"
#include "host/ui/Errors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTabBar>
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
class PageTabBar : public QTabBar {
public:
    PageTabBar(QWidget* parent, bool& userInput) : QTabBar(parent), userInput_(userInput) {}

protected:
    void mousePressEvent(QMouseEvent* event) override { asUser([&] { QTabBar::mousePressEvent(event); }); }
    void mouseReleaseEvent(QMouseEvent* event) override { asUser([&] { QTabBar::mouseReleaseEvent(event); }); }
    void keyPressEvent(QKeyEvent* event) override { asUser([&] { QTabBar::keyPressEvent(event); }); }
    void wheelEvent(QWheelEvent* event) override { asUser([&] { QTabBar::wheelEvent(event); }); }

private:
    template <class F>
    void asUser(F&& handle)
    {
        const bool outer = userInput_;
        userInput_ = true;
        handle();
        userInput_ = outer;
    }
    bool& userInput_;
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
