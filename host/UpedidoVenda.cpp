#include "host/UpedidoVenda.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"
#include "host/ui/FormBuilders.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

host::ui::FormVar<TfmPedidoVenda> fmPedidoVenda("fmPedidoVenda");

TfmPedidoVenda::TfmPedidoVenda(QWidget* parent)
    : host::ui::Form(parent),
      dsPedido(std::make_unique<host::data::DataSource>(nullptr, "dsPedido", dmGlobal->RegistroPedidoVenda())),
      quItens(CriarIbQuery("quItens")),
      dsItens(std::make_unique<host::data::DataSource>(nullptr, "dsItens", quItens.get()))
{
    setCaption("Pedido de Vendas");
    setCentered(true);
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
    quItens->setSql("select COD, CODIGO, QUANTIDADE, VALOR, DESCONTO, TOTAL_UNIT, OBS from AVEC85IT"
                    " where NUMERO_PEDIDO = :PEDIDO order by COD");
    quItens->onFieldsCreated = [](host::data::Dataset& itens) {
        itens.fieldByName("QUANTIDADE")->setDisplayFormat("###,###,##0.##");
        itens.fieldByName("VALOR")->setDisplayFormat("###,###,##0.00");
        itens.fieldByName("DESCONTO")->setDisplayFormat("0.00");
        itens.fieldByName("TOTAL_UNIT")->setDisplayFormat("###,###,##0.00");
    };

    auto* layout = new QVBoxLayout(this);
    auto* cabecalho = new QFormLayout;
    edPedido = new QLineEdit(this);
    edPedido->setObjectName("edPedido");
    cabecalho->addRow("Pedido", edPedido);
    const struct {
        host::ui::DataLabel** controle;
        const char* nome;
        const char* campo;
        const char* rotulo;
    } campos[] = {{&dbteCliente, "dbteCliente", "CODIGO_CLIENTE", "Cliente"},
                  {&dbteEmissao, "dbteEmissao", "DATA_EMISSAO", "Emissão"},
                  {&dbteOperacao, "dbteOperacao", "OPERACAO", "Operação"},
                  {&dbteTabela, "dbteTabela", "TABELA_VENCIMENTO", "Tabela Vencimento"},
                  {&dbteReferente, "dbteReferente", "VEREFERENTE", "Referente"},
                  {&dbteDespesaViagem, "dbteDespesaViagem", "VEVALORDESPESAVIAGEM", "Despesas com Viagem"},
                  {&dbteOutrasDespesas, "dbteOutrasDespesas", "VEVALORDESPESA", "Outras Despesas"},
                  {&dbteDesconto, "dbteDesconto", "DESCONTO_GERAL", "Desconto"},
                  {&dbteRepresentante, "dbteRepresentante", "COD_REPRES", "Representante"},
                  {&dbteTotal, "dbteTotal", "VALOR_TOTAL", "Total"}};
    for (const auto& c : campos) {
        *c.controle = host::ui::makeText(this, c.nome, dsPedido.get(), c.campo);
        cabecalho->addRow(c.rotulo, *c.controle);
    }
    layout->addLayout(cabecalho);
    dbgdItens = new host::ui::DataGrid("dbgdItens", this);
    dbgdItens->setDataSource(dsItens.get());
    const struct {
        const char* campo;
        const char* titulo;
        int largura;
    } colunas[] = {{"COD", "Item", 40},          {"CODIGO", "Produto", 90},  {"QUANTIDADE", "Quantidade", 80},
                   {"VALOR", "Valor Unitário", 90}, {"DESCONTO", "Desconto", 70}, {"TOTAL_UNIT", "Total", 90},
                   {"OBS", "Observação", 160}};
    for (const auto& c : colunas)
        dbgdItens->addColumn(c.campo, QString::fromUtf8(c.titulo), c.largura);
    layout->addWidget(dbgdItens, 1);
    resize(640, 520);

    connect(edPedido, &QLineEdit::returnPressed, this,
            [this] { host::ui::runGuarded([this] { edPedidoReturnPressed(); }); });
    dsPedido->onDataChange = [this](host::data::DataSource&, host::data::Field* campo) {
        if (!campo)
            seguirPedido();
    };
    seguirPedido();
}

TfmPedidoVenda::~TfmPedidoVenda()
{
    // The controls listen to the data sources: they go first.
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

void TfmPedidoVenda::edPedidoReturnPressed()
{
    dmGlobal->CarregaPedidoVenda(edPedido->text().trimmed());
}

// The lines follow the record: reopened when it shows another order.
void TfmPedidoVenda::seguirPedido()
{
    host::data::Dataset* registro = dsPedido->dataset();
    const QString pedido = registro && registro->active() && !registro->isEmpty()
                               ? registro->fieldByName("NUMERO_PEDIDO")->asString().trimmed()
                               : QString();
    if (pedido == pedidoItens_ && quItens->active())
        return;
    pedidoItens_ = pedido;
    if (!edPedido->hasFocus())
        edPedido->setText(pedido);
    quItens->close();
    quItens->paramByName("PEDIDO")->setAsString(pedido);
    quItens->open();
}
