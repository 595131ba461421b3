#pragma once
// Tabbed pages: each page a TabSheet that can be hidden as a tab while it
// stays a page, moved to another position and re-captioned (with "&"
// mnemonics). onChange runs when the user changes the page (tab bar, keys),
// as in the classic page control; changes made by code do not run it.

#include <QTabWidget>

#include <functional>

namespace host::ui {

class PageControl;

class TabSheet : public QWidget {
    Q_OBJECT
public:
    TabSheet(PageControl* pageControl, const QString& name, const QString& caption);

    PageControl* pageControl() const { return pageControl_; }
    QString caption() const;
    void setCaption(const QString& caption);
    bool tabVisible() const;
    void setTabVisible(bool visible);
    // Position among all pages, hidden ones included.
    int pageIndex() const;
    void setPageIndex(int index);
    int tag() const { return property("tag").toInt(); }
    void setTag(int tag) { setProperty("tag", tag); }

    std::function<void()> onEnter;
    std::function<void()> onExit;

private:
    PageControl* pageControl_;
};

class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(const QString& name, QWidget* parent = nullptr);

    TabSheet* addPage(const QString& name, const QString& caption);
    int pageCount() const { return count(); }
    TabSheet* page(int index) const;
    TabSheet* page(const QString& name) const;
    TabSheet* activePage() const;
    void setActivePage(TabSheet* page);
    int activePageIndex() const { return currentIndex(); }

    std::function<void()> onChange;     // the user changed the page
    std::function<void()> onEnter;
    std::function<void()> onExit;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void pageChanged(int index);

    bool userInput_ = false;
};

} // namespace host::ui
