#include "host/ui/DataGridParts.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/ui/DataEdit.h"
#include "host/ui/Errors.h"

#include <QApplication>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <QToolButton>

#include <algorithm>

namespace host::ui {
namespace {

// The user's first key in a cell puts its row in edit, as typing in any
// data control does; a refused edit gives the cell its value back.
void editOnTyping(QLineEdit* edit, const QModelIndex& index)
{
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, cell = QPersistentModelIndex(index)] {
        auto* model = const_cast<DataGridModel*>(static_cast<const DataGridModel*>(cell.model()));
        if (model)
            model->typed();
        if (cell.isValid() && !model->beginEdit(cell))
            edit->setText(cell.data(Qt::EditRole).toString());
    });
}

// A cell's text editor: a click into it with nothing typed types from the
// mask's first position, as in a box.
class CellEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        QLineEdit::mousePressEvent(event);
        typeFromFirstPositionWhenBlank(*this);
    }
};

} // namespace

EllipsisEditor::EllipsisEditor(DataGrid& grid, QWidget* parent) : QWidget(parent), edit_(new CellEdit(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* button = new QToolButton(this);
    button->setObjectName("btnEllipsis");
    button->setText("...");
    button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(edit_);
    layout->addWidget(button);
    setFocusProxy(edit_);
    connect(button, &QToolButton::clicked, &grid, [&grid] { grid.editButtonClick(); });
}

DataGridDelegate::DataGridDelegate(DataGrid& grid)
    : QStyledItemDelegate(&grid), grid_(grid), deleteKey_(new CellDeleteKey(grid))
{
}

void DataGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    GridColumn* column = grid_.column(index.column());
    host::data::Dataset* data = grid_.dataset();
    if (grid_.onDrawColumnCell && column && data && data->active()) {
        const bool selected = opt.state.testFlag(QStyle::State_Selected);
        CellStyle style;
        style.background = selected ? opt.palette.color(QPalette::Highlight)
            : opt.backgroundBrush.style() != Qt::NoBrush ? opt.backgroundBrush.color()
            : grid_.baseColor().isValid()                 ? grid_.baseColor()
                                                          : opt.palette.color(QPalette::Base);
        style.foreground = opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        style.font = opt.font;
        // The handler reads the row being drawn through the dataset's fields.
        runGuarded([&] {
            host::data::Dataset::RowScope scope(*data, index.row() + 1);
            grid_.onDrawColumnCell(style, index.column(), *column, selected);
        });
        opt.font = style.font;
        if (selected) {
            opt.palette.setColor(QPalette::Highlight, style.background);
            opt.palette.setColor(QPalette::HighlightedText, style.foreground);
        } else {
            opt.backgroundBrush = style.background;
            opt.palette.setColor(QPalette::Text, style.foreground);
        }
    }
    const QWidget* widget = opt.widget;
    QStyle* qstyle = widget ? widget->style() : QApplication::style();
    const QRect botao = paintedButton(opt, index);
    if (botao.isEmpty()) {
        qstyle->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
        return;
    }
    QStyleOptionViewItem texto = opt;
    texto.rect.setRight(botao.left() - 1);
    qstyle->drawControl(QStyle::CE_ItemViewItem, &texto, painter, widget);
    QStyleOptionButton desenho;
    desenho.rect = botao;
    desenho.text = QStringLiteral("...");
    desenho.state = QStyle::State_Enabled | QStyle::State_Raised;
    desenho.palette = opt.palette;
    desenho.fontMetrics = opt.fontMetrics;
    qstyle->drawControl(QStyle::CE_PushButton, &desenho, painter, widget);
}

QRect DataGridDelegate::paintedButton(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    GridColumn* column = grid_.column(index.column());
    if (!column || column->buttonStyle() != GridColumn::ButtonStyle::Ellipsis || index != grid_.currentIndex() ||
        index.flags().testFlag(Qt::ItemIsEditable))
        return {};
    // As wide as the editor's button of the other cells.
    const int largura = std::min(option.rect.width() / 2, option.fontMetrics.horizontalAdvance(QStringLiteral("...")) + 12);
    return QRect(option.rect.right() - largura + 1, option.rect.top(), largura, option.rect.height());
}

bool DataGridDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                   const QModelIndex& index)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && paintedButton(option, index).contains(mouse->position().toPoint())) {
            grid_.editButtonClick();
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

QWidget* DataGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    return track(makeEditor(parent, option, index));
}

QWidget* DataGridDelegate::track(QWidget* editor) const
{
    if (!editor)
        return nullptr;
    open_.insert(editor);
    editor->installEventFilter(deleteKey_);
    for (QLineEdit* edit : editor->findChildren<QLineEdit*>())
        edit->installEventFilter(deleteKey_);
    connect(editor, &QObject::destroyed, this, [this, editor] { open_.remove(editor); });
    return editor;
}

void DataGridDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    open_.remove(editor);
    QStyledItemDelegate::destroyEditor(editor, index);
}

QWidget* DataGridDelegate::makeEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const
{
    GridColumn* column = grid_.column(index.column());
    host::data::Field* f = column ? column->field() : nullptr;
    if (!f)
        return QStyledItemDelegate::createEditor(parent, option, index);
    if (f->kind() == host::data::FieldKind::Lookup) {
        auto* combo = new QComboBox(parent);
        combo->setObjectName("lookupEditor");
        QStringList texts;
        QVariantList keys;
        static_cast<const DataGridModel*>(index.model())->lookupList(index, *f, texts, keys);
        for (int i = 0; i < texts.size(); ++i)
            combo->addItem(texts.at(i), keys.at(i));
        return combo;
    }
    if (!column->pickList().isEmpty()) {
        auto* combo = new QComboBox(parent);
        combo->setObjectName("pickListEditor");
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->addItems(column->pickList());
        editOnTyping(combo->lineEdit(), index);
        return combo;
    }
    QLineEdit* edit = nullptr;
    QWidget* editor = nullptr;
    if (column->buttonStyle() == GridColumn::ButtonStyle::Ellipsis) {
        auto* ellipsis = new EllipsisEditor(grid_, parent);
        edit = ellipsis->edit();
        editor = ellipsis;
    } else {
        edit = new CellEdit(parent);
        editor = edit;
    }
    edit->setFrame(false);
    editOnTyping(edit, index);
    if (!f->editMask().isEmpty())
        edit->setInputMask(host::data::EditMask(f->editMask()).qtInputMask());
    else if (f->dataType() == host::data::FieldType::String && f->size() > 0)
        edit->setMaxLength(f->size());
    return editor;
}

void DataGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const QString display = index.data(Qt::DisplayRole).toString();
        const int at = combo->findText(combo->objectName() == "lookupEditor" ? display : text);
        combo->setCurrentIndex(at);
        if (combo->isEditable())
            combo->setEditText(text);
        return;
    }
    if (auto* ellipsis = qobject_cast<EllipsisEditor*>(editor)) {
        ellipsis->edit()->setText(text);
        return;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void DataGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* gridModel = static_cast<DataGridModel*>(model);
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        if (combo->objectName() == "lookupEditor") {
            if (combo->currentIndex() >= 0 && combo->currentText() != index.data(Qt::DisplayRole).toString())
                gridModel->setLookupKey(index, combo->currentData());
            return;
        }
        model->setData(index, combo->currentText(), Qt::EditRole);
        return;
    }
    QLineEdit* edit = nullptr;
    if (auto* ellipsis = qobject_cast<EllipsisEditor*>(editor))
        edit = ellipsis->edit();
    else
        edit = qobject_cast<QLineEdit*>(editor);
    if (!edit)
        return QStyledItemDelegate::setModelData(editor, model, index);
    // A masked edit gives its edit text, blanks included: the field reads it through its mask.
    const QString text = edit->inputMask().isEmpty() ? edit->text() : edit->displayText();
    const QString current = index.data(Qt::EditRole).toString();
    if (text == current)
        return;   // untouched cells do not put the row in edit
    if (!edit->inputMask().isEmpty()) {
        GridColumn* column = grid_.column(index.column());
        host::data::Field* f = column ? column->field() : nullptr;
        const host::data::EditMask mask(f ? f->editMask() : QString());
        if (mask.isBlank(text) && mask.isBlank(current))
            return;   // an empty masked cell, shown with the editor's blanks
    }
    model->setData(index, text, Qt::EditRole);
}

} // namespace host::ui
