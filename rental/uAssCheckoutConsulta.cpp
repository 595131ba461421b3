// The checkout list: its search, the status texts, the back-order colours,
// the double click and the pop-up menu (which also prints the row's order).

#include "rental/uAssCheckoutConsulta.h"

#include "contract_data/uDataTecContLocacao.h"
#include "rental/uAssCheckout.h"
#include "rental/uAssCheckoutRegras.h"
#include "rental/uAssVendas.h"
#include "rental/uAssVendasImp.h"
#include "rental/uAssVendasImp2.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"
#include "host/ui/FormBuilders.h"
#include "host/ui/RadioButton.h"
#include "host/ui/StatusBar.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include <exception>

host::ui::FormVar<TfmAssCheckoutConsulta> fmAssCheckoutConsulta("fmAssCheckoutConsulta");

namespace {

const QString kSqlConsultaCheckout = QStringLiteral(
    "select coalesce(ped.impresso_nf, '') as IMPRESSO_NF, ped.numero_pedido, cl.nome, ped.vedataproducao,"
    " ped.vedatanegociacao, ped.vecodigopendencia from AVEC8501 ped left outer join AUGC0301 cl"
    " on(ped.codigo_cliente = cl.codigo_cliente) where aux2 = '1' ");

bool dataInformadaConsulta(const QDateTime& data)
{
    return data.isValid() && data.date() != uDataTecContLocacao::dataZero().date();
}

}  // namespace

namespace uAssCheckoutConsulta {

QString TextoStatus(const QString& status)
{
    if (status.isEmpty())
        return QStringLiteral("Pendente");
    if (status == "C")
        return QStringLiteral("Em Produção");
    if (status == "N")
        return QStringLiteral("Pronto para Faturar");
    if (status == "L")
        return QStringLiteral("Liberado a Entrega");
    if (status == "S")
        return QStringLiteral("Entregue");
    // A back-order is listed too: it is checked out once its goods arrive.
    if (status == "P")
        return QStringLiteral("Pendência Pedido");
    return {};
}

QString LetraStatus(const QString& texto)
{
    const QString t = texto.trimmed();
    if (t == "Em Produção")
        return QStringLiteral("C");
    if (t == "Pronto para Faturar")
        return QStringLiteral("N");
    if (t == "Liberado a Entrega")
        return QStringLiteral("L");
    if (t == "Entregue")
        return QStringLiteral("S");
    if (t == "Pendência Pedido")
        return QStringLiteral("P");
    if (t == "Todos")
        return QStringLiteral("T");
    return {};
}

}  // namespace uAssCheckoutConsulta

TfmAssCheckoutConsulta::TfmAssCheckoutConsulta(QWidget* parent)
    : host::ui::Form(parent), quConsulta(CriarIbQuery("quConsulta"))
{
    setCaption("Consulta de Pedidos para Checkout");
    setCentered(true);
    resize(900, 560);
    quConsulta->setSql(kSqlConsultaCheckout);
    quConsulta->afterOpen = [](host::data::Dataset& dados) {
        dados.fieldByName("NUMERO_PEDIDO")->setDisplayLabel("Pedido");
        host::data::Field& status = *dados.fieldByName("IMPRESSO_NF");
        status.setDisplayLabel("Status");
        status.onGetText = [](host::data::Field& campo, QString& texto, bool) {
            texto = uAssCheckoutConsulta::TextoStatus(campo.asString());
        };
        dados.fieldByName("NOME")->setDisplayLabel("Cliente");
        dados.fieldByName("VEDATANEGOCIACAO")->setDisplayLabel("Data Negociação");
        dados.fieldByName("VEDATAPRODUCAO")->setDisplayLabel("Data Entrega");
        dados.fieldByName("VECODIGOPENDENCIA")->setDisplayLabel("Pedido Pendência");
    };
    dsConsulta = std::make_unique<host::data::DataSource>(nullptr, "dsConsulta", quConsulta.get());
    montarTela();
    ligarEventos();
    onClose = [this](host::ui::CloseAction& action) {
        FormClose();
        action = host::ui::CloseAction::Free;
    };
}

TfmAssCheckoutConsulta::~TfmAssCheckoutConsulta() { destroyControls(); }

void TfmAssCheckoutConsulta::montarTela()
{
    auto* principal = new QVBoxLayout(this);
    principal->setContentsMargins(4, 4, 4, 4);
    auto* selecao = new QWidget(this);
    selecao->setObjectName("paSelecao");
    auto* h = new QHBoxLayout(selecao);
    h->setContentsMargins(0, 0, 0, 0);
    auto* ordem = new QGroupBox("Ordenar por", selecao);
    ordem->setObjectName("rgOrdenar");
    auto* ho = new QHBoxLayout(ordem);
    rbDataEntrega = host::ui::named<host::ui::RadioButton>("rbDataEntrega", "Data Entrega", ordem);
    rbNumeroPedido = host::ui::named<host::ui::RadioButton>("rbNumeroPedido", "Nº Pedido", ordem);
    rbDataEntrega->setChecked(true);
    ho->addWidget(rbDataEntrega);
    ho->addWidget(rbNumeroPedido);
    h->addWidget(ordem);
    h->addWidget(new QLabel("Status:", selecao));
    cbStatus = host::ui::named<QComboBox>("cbStatus", selecao);
    cbStatus->setEditable(true);
    cbStatus->addItems({"Todos", "Pendente", "Em Produção", "Pronto para Faturar", "Liberado a Entrega", "Entregue",
                        "Pendência Pedido"});
    cbStatus->setMinimumContentsLength(18);
    h->addWidget(cbStatus);
    h->addWidget(new QLabel("Data de Entrega de:", selecao));
    edDataDe = new host::ui::DateEdit("edDataDe", selecao);
    h->addWidget(edDataDe);
    h->addWidget(new QLabel("até:", selecao));
    edDataAte = new host::ui::DateEdit("edDataAte", selecao);
    h->addWidget(edDataAte);
    bbPesquisar = host::ui::makeButton(selecao, "bbPesquisar", "&Pesquisar");
    h->addWidget(bbPesquisar);
    h->addStretch(1);
    principal->addWidget(selecao);

    dbgdConsulta = new host::ui::DataGrid("dbgdConsulta", this);
    dbgdConsulta->setDataSource(dsConsulta.get());
    dbgdConsulta->setReadOnlyGrid(true);
    dbgdConsulta->setRowSelect(true);
    dbgdConsulta->setToolTip("Duplo clique para abrir Checkout do Pedido selecionado.");
    host::ui::addGridColumn(dbgdConsulta, "NUMERO_PEDIDO", "Pedido", 80);
    host::ui::addGridColumn(dbgdConsulta, "IMPRESSO_NF", "Status", 130);
    host::ui::addGridColumn(dbgdConsulta, "NOME", "Cliente", 300);
    host::ui::addGridColumn(dbgdConsulta, "VEDATANEGOCIACAO", "Data Negociação", 110);
    host::ui::addGridColumn(dbgdConsulta, "VEDATAPRODUCAO", "Data Entrega", 100);
    host::ui::addGridColumn(dbgdConsulta, "VECODIGOPENDENCIA", "Pedido Pendência", 110);
    principal->addWidget(dbgdConsulta, 1);
    stbConsulta = new host::ui::StatusBar("stbConsulta", this);
    stbConsulta->addPanel(0, "Total de Registros: 0");
    principal->addWidget(stbConsulta);

    pmConsulta = host::ui::named<QMenu>("pmConsulta", this);
    auto acao = [this](const char* nome, const QString& texto) {
        QAction* a = pmConsulta->addAction(texto);
        a->setObjectName(nome);
        return a;
    };
    miAbrirPedido = acao("miAbrirPedido", "Abrir Pedido");
    miAbrirPedidoPendencia = acao("miAbrirPedidoPendencia", "Abrir Pedido Pendência");
    miReabrirCheckout = acao("miReabrirCheckout", "Reabrir Checkout");
    miImprimirPedidoProducao = acao("miImprimirPedidoProducao", "Imprimir Pedido Produção");
    miImprimirPedidoLocacao = acao("miImprimirPedidoLocacao", "Imprimir Pedido Locação");
    host::ui::setPopupMenu(dbgdConsulta, pmConsulta);
}

void TfmAssCheckoutConsulta::ligarEventos()
{
    connect(bbPesquisar, &QPushButton::clicked, this, [this] { host::ui::runGuarded([this] { bbPesquisarClick(); }); });
    auto menu = [this](QAction* a, void (TfmAssCheckoutConsulta::*handler)()) {
        connect(a, &QAction::triggered, this, [this, handler] { host::ui::runGuarded([&] { (this->*handler)(); }); });
    };
    menu(miAbrirPedido, &TfmAssCheckoutConsulta::miAbrirPedidoClick);
    menu(miAbrirPedidoPendencia, &TfmAssCheckoutConsulta::miAbrirPedidoPendenciaClick);
    menu(miReabrirCheckout, &TfmAssCheckoutConsulta::miReabrirCheckoutClick);
    menu(miImprimirPedidoProducao, &TfmAssCheckoutConsulta::miImprimirPedidoProducaoClick);
    menu(miImprimirPedidoLocacao, &TfmAssCheckoutConsulta::miImprimirPedidoLocacaoClick);
    dbgdConsulta->onDblClick = [this] { dbgdConsultaDblClick(); };
    dbgdConsulta->onDrawColumnCell = [this](host::ui::CellStyle& estilo, int, host::ui::GridColumn&, bool) {
        if (campoLinha("VECODIGOPENDENCIA").trimmed().isEmpty())
            return;
        estilo.background = QColor(255, 255, 170);
        estilo.foreground = Qt::black;
    };
}

QString TfmAssCheckoutConsulta::campoLinha(const char* nome) const
{
    if (!quConsulta->active() || quConsulta->isEmpty())
        return {};
    return quConsulta->fieldByName(QString::fromLatin1(nome))->asString();
}

void TfmAssCheckoutConsulta::ConsultarPedidos(const QDateTime& de, const QDateTime& ate, const QString& status,
                                              const QString& ordem)
{
    host::data::Query& q = *quConsulta;
    q.close();
    q.setSql(kSqlConsultaCheckout);
    if (status != "T")
        AlocaFiltroFinal(&q, "coalesce(ped.impresso_nf, '') = " + QuotedStr(status));
    if (dataInformadaConsulta(de))
        AlocaFiltroFinal(&q, "vedataproducao >= " + DateTimeIniToSQL(de));
    if (dataInformadaConsulta(ate))
        AlocaFiltroFinal(&q, "vedataproducao <= " + DateTimeFimToSQL(ate));
    if (!ordem.trimmed().isEmpty())
        q.setSql(q.sql() + ordem);
    q.open();
    q.last();
    q.first();
    mostrarTotal();
}

void TfmAssCheckoutConsulta::mostrarTotal()
{
    stbConsulta->setPanelText(0, "Total de Registros: " + QString::number(quConsulta->recordCount()));
}

void TfmAssCheckoutConsulta::MostrarStatusGravado()
{
    host::data::Query& q = *quConsulta;
    if (!q.active())
        return;
    const QString atual = campoLinha("NUMERO_PEDIDO");
    q.close();
    q.open();
    if (!atual.isEmpty())
        q.locate("NUMERO_PEDIDO", atual);
    mostrarTotal();
}

void TfmAssCheckoutConsulta::bbPesquisarClick()
{
    // A period the search cannot use is refused and stays on screen to be mended.
    if (!host::ui::checkTypedDates({edDataDe, edDataAte}))
        return;
    const QString ordem = rbNumeroPedido->isChecked() ? QStringLiteral(" Order By numero_pedido desc ")
                                                      : QStringLiteral(" Order By vedataproducao desc ");
    ConsultarPedidos(edDataDe->date(), edDataAte->date(), uAssCheckoutConsulta::LetraStatus(cbStatus->currentText()),
                     ordem);
}

// An order another desk deleted is not opened empty: the user is told and
// the list is read again.
bool TfmAssCheckoutConsulta::pedidoExiste(const QString& numero)
{
    if (!CarregaDado("NUMERO_PEDIDO", "AVEC8501", " where NUMERO_PEDIDO = " + QuotedStr(numero)).isEmpty())
        return true;
    dmGlobal->MostraAviso(QString("O pedido %1 não existe mais.").arg(numero), false);
    MostrarStatusGravado();
    return false;
}

// The listed row's order, when it is still stored.
bool TfmAssCheckoutConsulta::linhaComPedido(const char* campo)
{
    return quConsulta->active() && !quConsulta->isEmpty() && pedidoExiste(campoLinha(campo));
}

void TfmAssCheckoutConsulta::AbrirCheckoutPedido(const QString& numero)
{
    dmTec->quAssVenda->close();
    SelecionaCheckoutPedido(numero);
}

void TfmAssCheckoutConsulta::dbgdConsultaDblClick()
{
    if (!linhaComPedido("NUMERO_PEDIDO"))
        return;
    if (campoLinha("IMPRESSO_NF") == "N")
        miAbrirPedidoClick();
    else
        AbrirCheckoutPedido(campoLinha("NUMERO_PEDIDO"));
}

namespace {

void abrirPedidoConsulta(const QString& numero)
{
    TfmAssVendas* form = fmAssVendas;
    if (!form)
        form = fmAssVendas.create();
    CarregaPedidoAssVenda(numero, {});
    if (!form->isVisible())
        form->showNonModal();
}

}  // namespace

void TfmAssCheckoutConsulta::miAbrirPedidoClick()
{
    if (linhaComPedido("NUMERO_PEDIDO"))
        abrirPedidoConsulta(campoLinha("NUMERO_PEDIDO"));
}

void TfmAssCheckoutConsulta::miAbrirPedidoPendenciaClick()
{
    if (linhaComPedido("VECODIGOPENDENCIA"))
        abrirPedidoConsulta(campoLinha("VECODIGOPENDENCIA"));
}

// Any listed order returns to "Pendente", whatever its status.
void TfmAssCheckoutConsulta::miReabrirCheckoutClick()
{
    if (!linhaComPedido("NUMERO_PEDIDO") || !asscheckout::SenhaReabrirCheckout())
        return;
    UpdateCampoCommit("AVEC8501", "IMPRESSO_NF", "''",
                      " where NUMERO_PEDIDO = " + QuotedStr(campoLinha("NUMERO_PEDIDO")));
    bbPesquisarClick();
}

void TfmAssCheckoutConsulta::miImprimirPedidoProducaoClick()
{
    if (quConsulta->active() && !quConsulta->isEmpty())
        VisualizarPedidoProducaoAssVenda(campoLinha("NUMERO_PEDIDO"));
}

void TfmAssCheckoutConsulta::miImprimirPedidoLocacaoClick()
{
    if (quConsulta->active() && !quConsulta->isEmpty())
        VisualizarPedidoLocacaoAssVenda(campoLinha("NUMERO_PEDIDO"));
}

void TfmAssCheckoutConsulta::FormClose()
{
    dmTec->quAssVendaItem->close();
    dmTec->quAssVendaCotado->close();
    quConsulta->close();
    release();
    fmAssCheckoutConsulta.clear();
}

void SelecionaConsultaCheckout()
{
    try {
        TfmAssCheckoutConsulta* form = fmAssCheckoutConsulta;
        if (!form)
            form = fmAssCheckoutConsulta.create();
        form->cbStatus->setCurrentIndex(3);
        form->bbPesquisarClick();
        if (!form->isVisible())
            form->showModal();
    } catch (const std::exception&) {
        dmGlobal->MostraAviso("Erro: " + host::ui::exceptionMessage(std::current_exception()), true);
    }
}
