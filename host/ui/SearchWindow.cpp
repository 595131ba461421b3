#include "host/ui/SearchWindow.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/Errors.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace host::ui {

SearchWindow::SearchWindow(QWidget* parent)
    : Form(parent), grid_(new DataGrid("dbgdGeral", this)),
      source_(std::make_unique<host::data::DataSource>(nullptr, "dsGeral"))
{
    setObjectName("fmPesquisa");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(grid_);
    grid_->setDataSource(source_.get());
    grid_->onDblClick = [this] { setModalResult(ModalResult::Ok); };
    grid_->onTitleClick = [this](GridColumn& column) { sortByColumn(*grid_, column); };
    grid_->onColEnter = [this] { searchText_.clear(); };
    grid_->onKeyDown = [this](int& key, Qt::KeyboardModifiers shift) {
        if (shift & (Qt::ControlModifier | Qt::AltModifier))
            return;
        const bool printable = key < 0x01000000 && QChar(key).isPrint();
        host::data::Dataset* data = source_->dataset();
        const bool editando = typingEdits_ && data && data->canModify();
        if (editando && (printable || key == Qt::Key_Backspace))
            return;   // the grid opens the cell's editor with the key
        if ((printable || key == Qt::Key_Backspace)
            && searchKey(key, printable ? QString(QChar(key)) : QString())) {
            key = 0;
        } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            key = 0;
            setModalResult(ModalResult::Ok);
        } else if (key == Qt::Key_Escape) {
            key = 0;
            setModalResult(ModalResult::Cancel);
        }
    };
    resize(500, 350);
}

SearchWindow::~SearchWindow()
{
    // The grid goes first: it still listens to the data source.
    delete grid_;
}

void SearchWindow::setDataset(host::data::Dataset* dataset) { source_->setDataset(dataset); }

void SearchWindow::enableSearchEdit(std::function<void(const QString& text)> onSearch)
{
    onSearch_ = std::move(onSearch);
    if (searchEdit_)
        return;
    searchEdit_ = new QLineEdit(this);
    searchEdit_->setObjectName("edPesquisa");
    searchEdit_->setPlaceholderText("Pesquisar");
    static_cast<QVBoxLayout*>(layout())->insertWidget(0, searchEdit_);
    searchEdit_->installEventFilter(this);
    connect(searchEdit_, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (onSearch_)
            runGuarded([&] { onSearch_(text); });
    });
    searchEdit_->setFocus();
}

bool SearchWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == searchEdit_ && event->type() == QEvent::KeyPress
        && searchEditKey(static_cast<QKeyEvent*>(event)->key()))
        return true;
    return Form::eventFilter(watched, event);
}

bool SearchWindow::searchEditKey(int key)
{
    host::data::Dataset* data = source_->dataset();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        setModalResult(ModalResult::Ok);
        return true;
    case Qt::Key_Escape:
        setModalResult(ModalResult::Cancel);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
        if (data && data->active())
            runGuarded([&] {
                const int page = 10;
                data->moveBy(key == Qt::Key_Down ? 1 : key == Qt::Key_Up ? -1 : key == Qt::Key_PageDown ? page : -page);
            });
        return true;
    default:
        return false;
    }
}

void SearchWindow::setGridPopupMenu(QMenu* menu) { setPopupMenu(grid_, menu); }

void SearchWindow::keyPressEvent(QKeyEvent* event)
{
    if (searchKey(event->key(), event->text()))
        return;
    Form::keyPressEvent(event);
}

bool SearchWindow::searchKey(int key, const QString& text) { return searchGridKey(*grid_, searchText_, key, text); }

bool searchGridKey(DataGrid& grid, QString& typed, int key, const QString& text)
{
    host::data::Dataset* data = grid.dataSource() ? grid.dataSource()->dataset() : nullptr;
    host::data::Field* field = grid.selectedField();
    if (!data || !data->active() || !field)
        return false;
    if (key == Qt::Key_Backspace && !typed.isEmpty()) {
        typed.chop(1);
    } else if (!text.isEmpty() && text.at(0).isPrint()) {
        typed += text;
    } else {
        return false;
    }
    if (!typed.isEmpty())
        runGuarded([&] {
            data->locate(field->fieldName(), typed, host::data::LocateCaseInsensitive | host::data::LocatePartialKey);
        });
    return true;
}

GridColumn* createGridColumn(DataGrid& grid, int width, const QString& title, const QString& fieldName)
{
    return grid.addColumn(fieldName, title, width);
}

namespace {

// Position of the outer "order by" (outside parentheses and quotes), or -1.
int outerOrderBy(const QString& sql)
{
    static const QRegularExpression orderBy(R"(\border\s+by\b)", QRegularExpression::CaseInsensitiveOption);
    int depth = 0;
    QChar quote;
    int found = -1;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            continue;
        }
        if (c == '\'' || c == '"')
            quote = c;
        else if (c == '(')
            ++depth;
        else if (c == ')')
            --depth;
        else if (depth == 0 && (c == 'o' || c == 'O')) {
            const auto match = orderBy.match(sql, i, QRegularExpression::NormalMatch,
                                             QRegularExpression::AnchorAtOffsetMatchOption);
            if (match.hasMatch())
                found = i;
        }
    }
    return found;
}

} // namespace

QString reorderedSql(const QString& sql, const QString& fieldName)
{
    const int at = outerOrderBy(sql);
    QString base = (at >= 0 ? sql.left(at) : sql).trimmed();
    const QString current = at >= 0 ? sql.mid(at).simplified().toLower() : QString();
    const QString ascending = "order by " + fieldName.toLower();
    const bool toggle = current == ascending;
    return base + "\norder by " + fieldName + (toggle ? " desc" : "");
}

bool sortByColumn(DataGrid& grid, GridColumn& column)
{
    auto* query = dynamic_cast<host::data::Query*>(grid.dataset());
    host::data::Field* field = column.field();
    if (!query || !field || field->kind() != host::data::FieldKind::Data)
        return false;
    return runGuarded([&] {
        query->checkBrowseMode();
        const QString fieldName = field->fieldName();
        query->close();
        query->setSql(reorderedSql(query->sql(), fieldName));
        query->open();
    });
}

} // namespace host::ui
