// The items window of one contractual customer.

#include "contracts/uAssContCadIt.h"

#include "contracts/uAssContCadRegras.h"
#include "contract_data/uDataTecCont.h"
#include "contract_data/uDataTecContRegras.h"

#include "host/Udatamod.h"
#include "host/Uglobal.h"
#include "host/Upesqprod.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Errors.h"
#include "host/ui/SearchWindow.h"

#include <QLabel>
#include <QVBoxLayout>

host::ui::FormVar<TfmAssContCadIt> fmAssContCadIt("fmAssContCadIt");

using host::ui::GridColumn;

TfmAssContCadIt::TfmAssContCadIt(QWidget* parent) : host::ui::Form(parent)
{
    uDataTecContRegras::ExigeModulosContrato();
    setCaption("Itens do Cliente do Contrato");
    setStayOnTop(true);
    setCentered(true);
    resize(760, 360);
    fonte_ = std::make_unique<host::data::DataSource>(nullptr, "dsCOntItem", dmTecContrato->quCtrCadastroIt);
    dsCOntItem = fonte_.get();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    dbgdAssContCadIt = new host::ui::DataGrid("dbgdAssContCadIt", this);
    dbgdAssContCadIt->setDataSource(dsCOntItem);
    auto coluna = [this](const char* campo, const QString& titulo, int largura) {
        return dbgdAssContCadIt->addColumn(campo, titulo, largura);
    };
    coluna("ACCODIGO", "Cód.Contrato", 60);
    coluna("PRCODIGO", "Cód. Produto", 90)->setButtonStyle(GridColumn::ButtonStyle::Ellipsis);
    coluna("DESCRICAO", "Produto", 200)->setReadOnly(true);
    coluna("ACITNUMEROSERIE", "Nº Série", 100);
    coluna("ACITGARANTIA", "Garantia", 60)->setPickList({"Sim", "Não"});
    coluna("ACITGARANTIADATA", "Data Garantia", 80);
    coluna("ACITVALOR", "Valor", 80);
    coluna("ValorDividido", "Valor Garantia", 80);
    coluna("ACTIPO", "Tipo Cobertura ", 90)->setReadOnly(true);
    coluna("ACITOBSERVACAO", "Observação", 160)->setButtonStyle(GridColumn::ButtonStyle::Ellipsis);
    layout->addWidget(dbgdAssContCadIt, 1);
    paClienteContrato = new QLabel("Valor Total R$    ", this);
    paClienteContrato->setObjectName("paClienteContrato");
    paClienteContrato->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->addWidget(paClienteContrato);

    dsCOntItem->onDataChange = [this](host::data::DataSource&, host::data::Field*) { dsCOntItemDataChange(); };
    dbgdAssContCadIt->onEditButtonClick = [this] { dbgdAssContCadItEditButtonClick(); };
    dbgdAssContCadIt->onTitleClick = [this](GridColumn& c) { dbgdAssContCadItTitleClick(c); };
    dbgdAssContCadIt->onDrawColumnCell = [this](host::ui::CellStyle& style, int, GridColumn&, bool) {
        dbgdAssContCadItDrawColumnCell(style);
    };
    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onClose = [this](host::ui::CloseAction& action) {
        FormClose();
        action = host::ui::CloseAction::Free;
    };
}

TfmAssContCadIt::~TfmAssContCadIt()
{
    delete dbgdAssContCadIt;
    fonte_.reset();
}

void TfmAssContCadIt::FormCreate()
{
    SalvarConfiguracaoDBGrid(dbgdAssContCadIt, true);
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, "");
    dsCOntItemDataChange();
}

void TfmAssContCadIt::FormShow() { SalvarConfiguracaoDBGrid(dbgdAssContCadIt, true); }

void TfmAssContCadIt::FormClose()
{
    SalvarConfiguracaoDBGrid(dbgdAssContCadIt, false);
    SalvarAlteracoes(*dmTecContrato->quCtrCadastroIt);
    SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo);
    release();
    fmAssContCadIt.clear();
}

// The customer's total on the contract of the customers page's row.
void TfmAssContCadIt::dsCOntItemDataChange()
{
    host::data::Query& clientes = *dmTecContrato->quContratoCli;
    if (!clientes.active() || clientes.isEmpty())
        return;
    const double total = uAssContCad::TotalItensCliente(clientes.fieldByName("ACCODIGO")->asInteger(),
                                                        clientes.fieldByName("CLCODIGO")->asString());
    paClienteContrato->setText("Valor Total R$ " + host::data::formatFloat("###,###,###,###,##0.00", total) +
                               "    ");
}

void TfmAssContCadIt::dbgdAssContCadItEditButtonClick()
{
    GridColumn* coluna = dbgdAssContCadIt->selectedColumn();
    if (!coluna)
        return;
    if (coluna->fieldName().compare("ACITOBSERVACAO", Qt::CaseInsensitive) == 0) {
        uAssContCad::ShowJanela("fmAssContCadDet");
        return;
    }
    if (coluna->fieldName().compare("PRCODIGO", Qt::CaseInsensitive) != 0)
        return;
    QString codigo, descricao;
    double preco = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
    if (!SelecionaProduto(codigo, descricao, preco, estoque, reservado, promocional, custo))
        return;
    host::data::Query& itens = *dmTecContrato->quCtrCadastroIt;
    if (!itens.editing())
        itens.edit();
    itens.fieldByName("PRCODIGO")->setAsString(codigo);
}

void TfmAssContCadIt::dbgdAssContCadItTitleClick(GridColumn& coluna)
{
    host::ui::sortByColumn(*dbgdAssContCadIt, coluna);
    SalvarConfiguracaoDBGrid(dbgdAssContCadIt, false);
}

// Items with detail lines stand out.
void TfmAssContCadIt::dbgdAssContCadItDrawColumnCell(host::ui::CellStyle& style)
{
    host::data::Query& itens = *dmTecContrato->quCtrCadastroIt;
    const int item = itens.fieldByName("ACITCODIGO")->asInteger();
    if (item > 0 && !CarregaDado("FIRST 1 PRCODIGO", "AATC05ACDT", "WHERE ACITCODIGO = " + QuotedStr(QString::number(item)))
                         .isEmpty())
        style.background = QColor(151, 203, 255);
}
