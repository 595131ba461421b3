// The host's parameters window.

#include "host/Uparametros.h"

#include "host/Udmglobal.h"

#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/schema/HostParameterDescriptions.h"
#include "host/schema/HostParameters.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string_view>

namespace {

QTableWidget* nameValueGrid(QWidget* parent, const QString& name)
{
    auto* grid = new QTableWidget(0, 2, parent);
    grid->setObjectName(name);
    grid->setHorizontalHeaderLabels({"Nome", "Valor"});
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->verticalHeader()->setVisible(false);
    return grid;
}

void addRow(QTableWidget* grid, const QString& name, const QString& value)
{
    const int row = grid->rowCount();
    grid->insertRow(row);
    auto* nameItem = new QTableWidgetItem(name);
    nameItem->setFlags(nameItem->flags() & ~Qt::ItemIsEditable);
    grid->setItem(row, 0, nameItem);
    auto* valueItem = new QTableWidgetItem(value);
    valueItem->setData(Qt::UserRole, value);   // the stored value, to tell what changed
    grid->setItem(row, 1, valueItem);
}

// Names that share their beginning (ATALIQUOTA...) are told apart only whole.
void showWholeNames(QTableWidget* grid) { grid->resizeColumnToContents(0); }

// The parameters by what they do: the description comes first on screen; the
// field's name (which support staff and the manuals use) stays the first
// column of the model, next to its value, for whoever finds a row by it.
constexpr int kDescriptionColumn = 2;

QTableWidget* parameterGrid(QWidget* parent)
{
    QTableWidget* grid = nameValueGrid(parent, "grdParametros");
    grid->setColumnCount(3);
    grid->setHorizontalHeaderLabels({"Parâmetro", "Valor", "Descrição"});
    grid->horizontalHeader()->moveSection(kDescriptionColumn, 0);
    return grid;
}

void addParameterRow(QTableWidget* grid, const QString& name, const QString& value)
{
    addRow(grid, name, value);
    const std::string_view description = host::schema::parameterDescription(name.toStdString());
    auto* item = new QTableWidgetItem(QString::fromUtf8(description.data(), qsizetype(description.size())));
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    grid->setItem(grid->rowCount() - 1, kDescriptionColumn, item);
}

void showWholeDescriptions(QTableWidget* grid)
{
    showWholeNames(grid);
    grid->resizeColumnToContents(kDescriptionColumn);
}

bool changedCell(const QTableWidgetItem* item) { return item->text() != item->data(Qt::UserRole).toString(); }

bool changed(const QTableWidget* grid, int row) { return changedCell(grid->item(row, 1)); }

// Every field the system reads, set or not, and any other stored one.
QStringList parameterNames()
{
    QStringList names = dmGlobal->NomesParametros();
    for (const host::schema::ParameterDefault& field : host::schema::parameterDefaults())
        if (!names.contains(QLatin1String(field.name)))
            names << QLatin1String(field.name);
    names.sort();
    return names;
}

bool isBinary(const host::data::Field* field) { return field->dataType() == host::data::FieldType::Blob; }

// The branch columns the window edits, after the code, with their captions.
struct BranchColumn {
    const char* column;
    const char* caption;
    const char* widest = "";   // what the column is wide enough for before anything is typed
};
constexpr BranchColumn kBranchColumns[] = {
    {"NOME", "Nome"}, {"CNPJ", "CNPJ", "00.000.000/0000-00"}, {"SITE", "Site"}};

// The company record's boxes by the words the user knows them by; a column
// not listed here shows its own name.
QString legendaEmpresa(const QString& coluna)
{
    static const QHash<QString, QString> legendas{
        {"NOME", "Nome"},
        {"FONE", "Telefone"},
        {"FAX", "Fax"},
        {"ENDERECO", "Endereço"},
        {"CIDADE", "Cidade"},
        {"CEP", "CEP"},
        {"ESTADO", "UF"},
        {"CICCGC", "CNPJ"},
        {"UGESPECIFICOEMPRESA", "Personalização"},
        {"TIPO_IMP", "Tipo de Impressão"},
        {"UGDECIMALVALORPROD", "Casas Decimais do Valor"},
        {"EMAIL", "E-mail"},
        {"SITE", "Site"},
    };
    return legendas.value(coluna, coluna);
}

QTableWidgetItem* storedItem(const QString& value, bool editable)
{
    auto* item = new QTableWidgetItem(value);
    item->setData(Qt::UserRole, value);
    if (!editable)
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

}  // namespace

TfmParametros::TfmParametros(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Parâmetros");
    resize(900, 600);
    grdParametros = parameterGrid(this);
    grdEmpresa = nameValueGrid(this, "grdEmpresa");
    grdFiliais = new QTableWidget(0, 1 + int(std::size(kBranchColumns)), this);
    grdFiliais->setObjectName("grdFiliais");
    QStringList captions{"Código"};
    for (const BranchColumn& c : kBranchColumns)
        captions << QString::fromUtf8(c.caption);
    grdFiliais->setHorizontalHeaderLabels(captions);
    grdFiliais->horizontalHeader()->setStretchLastSection(true);
    grdFiliais->verticalHeader()->setVisible(false);
    // A value typed wider than its column widens it rather than show cut.
    connect(grdFiliais, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (grdFiliais->fontMetrics().horizontalAdvance(item->text()) + 16 > grdFiliais->columnWidth(item->column()))
            grdFiliais->resizeColumnToContents(item->column());
    });
    bbSalvar = new QPushButton("&Salvar", this);
    bbSalvar->setObjectName("bbSalvar");
    bbFechar = new QPushButton("&Fechar", this);
    bbFechar->setObjectName("bbFechar");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbSalvar);
    buttons->addWidget(bbFechar);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Parâmetros", this));
    layout->addWidget(grdParametros, 3);
    layout->addWidget(new QLabel("Empresa", this));
    layout->addWidget(grdEmpresa, 2);
    layout->addWidget(new QLabel("Filiais", this));
    layout->addWidget(grdFiliais, 1);
    layout->addLayout(buttons);

    connect(bbSalvar, &QPushButton::clicked, this, [this] { host::ui::runGuarded([this] { Salvar(); }); });
    connect(bbFechar, &QPushButton::clicked, this, [this] { close(); });
}

void TfmParametros::Carregar()
{
    grdParametros->setRowCount(0);
    for (const QString& name : parameterNames())
        addParameterRow(grdParametros, name, dmGlobal->Parametro(name));
    showWholeDescriptions(grdParametros);
    carregarFiliais();
    grdEmpresa->setRowCount(0);
    dmGlobal->CarregaEmpresa();
    if (dmGlobal->quEmpresa->isEmpty())
        return;
    for (host::data::Field* field : dmGlobal->quEmpresa->fields())
        if (!isBinary(field) && field->fieldName() != "CODIGO") {
            addRow(grdEmpresa, legendaEmpresa(field->fieldName()), field->asString());
            grdEmpresa->item(grdEmpresa->rowCount() - 1, 0)->setData(Qt::UserRole, field->fieldName());
        }
    showWholeNames(grdEmpresa);
}

void TfmParametros::Salvar()
{
    // One save is all or nothing: a value the database refuses undoes this
    // save's rows (back to the savepoint, so others' pending work stays) and
    // the remembered parameters, and leaves the typed values on screen.
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    host::db::Savepoint salvar(tr);
    try {
        gravarParametros();
        gravarEmpresa();
        gravarFiliais();
    } catch (...) {
        salvar.rollback();
        dmGlobal->CarregaParametros();
        throw;
    }
    salvar.release();
    tr.commitRetaining();
    Carregar();
    host::ui::Dialogs::information("Parâmetros gravados.");
}

void TfmParametros::gravarParametros()
{
    for (int row = 0; row < grdParametros->rowCount(); ++row)
        if (changed(grdParametros, row))
            dmGlobal->SetParametro(grdParametros->item(row, 0)->text(), grdParametros->item(row, 1)->text());
}

void TfmParametros::gravarEmpresa()
{
    QStringList sets;
    QVariantMap params;
    for (int row = 0; row < grdEmpresa->rowCount(); ++row) {
        if (!changed(grdEmpresa, row))
            continue;
        const QString column = grdEmpresa->item(row, 0)->data(Qt::UserRole).toString();
        const QString text = grdEmpresa->item(row, 1)->text();
        sets << column + " = :" + column;
        params.insert(column, text.isEmpty() ? QVariant() : QVariant(text));
    }
    if (sets.isEmpty() || dmGlobal->quEmpresa->isEmpty())
        return;
    params.insert("CODIGO_EMPRESA", dmGlobal->quEmpresa->fieldByName("CODIGO")->asVariant());
    host::db::executeSql(*dmGlobal->IBTransaction1,
                         "update EMPRESA set " + sets.join(", ") + " where CODIGO = :CODIGO_EMPRESA", params);
}

void TfmParametros::carregarFiliais()
{
    grdFiliais->setRowCount(0);
    QString sql = "select CODIGO";
    for (const BranchColumn& c : kBranchColumns)
        sql += ", " + QLatin1String(c.column);
    host::db::Statement st(*dmGlobal->IBTransaction1, sql + " from EA order by CODIGO");
    st.execute();
    while (st.fetch()) {
        const int row = grdFiliais->rowCount();
        grdFiliais->insertRow(row);
        for (int col = 0; col < grdFiliais->columnCount(); ++col)
            grdFiliais->setItem(row, col, storedItem(st.value(col).toString(), col > 0));
    }
    grdFiliais->resizeColumnsToContents();
    for (int i = 0; i < int(std::size(kBranchColumns)); ++i) {
        const int widest = grdFiliais->fontMetrics().horizontalAdvance(kBranchColumns[i].widest) + 16;
        grdFiliais->setColumnWidth(i + 1, std::max(grdFiliais->columnWidth(i + 1), widest));
    }
}

void TfmParametros::gravarFiliais()
{
    for (int row = 0; row < grdFiliais->rowCount(); ++row) {
        QStringList sets;
        QVariantMap params;
        for (int col = 1; col < grdFiliais->columnCount(); ++col) {
            const QTableWidgetItem* item = grdFiliais->item(row, col);
            if (!changedCell(item))
                continue;
            const QString column = QLatin1String(kBranchColumns[col - 1].column);
            const QString text = item->text().trimmed();
            sets << column + " = :" + column;
            params.insert(column, text.isEmpty() ? QVariant() : QVariant(text));
        }
        if (sets.isEmpty())
            continue;
        params.insert("CODIGO_FILIAL", grdFiliais->item(row, 0)->text());
        // A branch another desk removed meanwhile takes nothing: the save fails.
        if (host::db::executeSql(*dmGlobal->IBTransaction1,
                                 "update EA set " + sets.join(", ") + " where CODIGO = :CODIGO_FILIAL", params) == 0)
            throw std::runtime_error(QString("A filial %1 não existe mais.").arg(grdFiliais->item(row, 0)->text())
                                         .toStdString());
    }
}
