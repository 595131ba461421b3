// The rental billing window: its controls, queries and life cycle. The
// searches, billing and printing are in uAssContFatLocEquipAcoes.cpp.

#include "rental/uAssContFatLocEquip.h"

#include "shared_windows/uAssContComum.h"
#include "data/udmRelTec.h"
#include "host/Udmglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"
#include "host/ui/StatusBar.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using host::ui::named;
using uAssContComum::BotaoPesquisa;
using uAssContComum::EditData;
using uAssContComum::EditFiltro;

host::ui::FormVar<TfmAssContFatLocEquip> fmAssContFatLocEquip("fmAssContFatLocEquip");

namespace {

// "Faturado": a forecast ("V") is not billed yet; anything else is. Money
// and dates as the grids show them.
void camposFatLocEquip(host::data::Dataset& consulta)
{
    if (host::data::Field* situacao = consulta.findField("SITUACAO_DOCUMENTO"))
        situacao->onGetText = [](host::data::Field& f, QString& texto, bool) {
            texto = f.asString() == "V" ? "Não" : "Sim";
        };
    if (host::data::Field* valor = consulta.findField("VALOR_DOCUMENTO"))
        valor->setDisplayFormat("###,###,##0.00");
    for (const char* data :
         {"DATA_VENCIMENTO", "ACDATAIMPLANTACAO", "ACDATAVALIDADE", "CRPREVBOLETO", "CRBORDERODATA"})
        if (host::data::Field* campo = consulta.findField(data))
            campo->setDisplayFormat("dd/mm/yyyy");
}

}  // namespace

TfmAssContFatLocEquip::TfmAssContFatLocEquip(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Faturamento de Contratos (Locação de Equipamentos)");
    setStayOnTop(true);
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
    onShow = [this] { FormShow(); };
    // The rental documents print through the report data module.
    if (!DmRelTec)
        DmRelTec.create(nullptr);
    criarQueries();
    criarFiltros();
    criarGrades();
    criarBotoes();
}

TfmAssContFatLocEquip::~TfmAssContFatLocEquip()
{
    // The grids let go of their data sources before the queries go.
    dbgdAssContFatLocEquip->setDataSource(nullptr);
    dbgdAssContFatLocEquipVinc->setDataSource(nullptr);
}

void TfmAssContFatLocEquip::criarQueries()
{
    quConsulta_ = std::make_unique<host::data::Query>(nullptr, "quConsulta");
    quConsultaVinc_ = std::make_unique<host::data::Query>(nullptr, "quConsultaVinc");
    quConsulta = quConsulta_.get();
    quConsultaVinc = quConsultaVinc_.get();
    for (host::data::Query* query : {quConsulta, quConsultaVinc}) {
        query->setTransaction(dmGlobal->IBTransaction1.get());
        uAssContComum::LigaLogAbertura(*query);
        query->onFieldsCreated = [](host::data::Dataset& d) { camposFatLocEquip(d); };
    }
    quConsulta->setSql(uAssContFatLocEquip::SqlConsultaFatLocEquip({}));
    quConsultaVinc->setSql(uAssContFatLocEquip::SqlConsultaVincFatLocEquip({}));
    quConsulta->afterOpen = [this](host::data::Dataset&) { quConsultaMudouLinha(); };
    quConsulta->afterScroll = [this](host::data::Dataset&) { quConsultaMudouLinha(); };
    dsConsulta_ = std::make_unique<host::data::DataSource>(nullptr, "dsConsulta", quConsulta);
    dsConsultaVinc_ = std::make_unique<host::data::DataSource>(nullptr, "dsConsultaVinc", quConsultaVinc);
}

void TfmAssContFatLocEquip::criarFiltros()
{
    deDataIni = EditData("deDataIni");
    deDataFin = EditData("deDataFin");
    rgPeriodo = new host::ui::DataRadioGroup("rgPeriodo", "Período");
    rgPeriodo->setItems({"Vencimento", "Início Vigência", "Emissão Boleto", "Boleto Emitido"});
    rgPeriodo->setColumns(2);
    rgPeriodo->setItemIndex(0);
    rgOpcao = new host::ui::DataRadioGroup("rgOpcao", "Opção");
    rgOpcao->setItems({"Todos", "Faturados", "Não Faturados"});
    rgOpcao->setItemIndex(0);
    rgOpcao->onChange = [this] { rgOpcaoClick(); };
    edFilial = EditFiltro("edFilial", 2);
    laEmpresa = named<QLabel>("laEmpresa");
    edPedido = EditFiltro("edPedido", 50);
    edCodContrato = EditFiltro("edCodContrato", 10);
    edCodCliente = EditFiltro("edCodCliente", 5);
    edCliente = EditFiltro("edCliente", 60);
    sbPesqCliente = BotaoPesquisa("sbPesqCliente");
    connect(edFilial, &QLineEdit::textChanged, this, [this] { host::ui::runGuarded([this] { edFilialChange(); }); });
    connect(sbPesqCliente, &QToolButton::clicked, this,
            [this] { host::ui::runGuarded([this] { sbPesqClienteClick(); }); });
}

void TfmAssContFatLocEquip::criarGrades()
{
    auto grade = [](const char* nome, host::data::DataSource* fonte, const QString& tituloValor) {
        auto* g = new host::ui::DataGrid(nome);
        g->setDataSource(fonte);
        const std::tuple<const char*, QString, int> colunas[] = {
            {"ACCODIGO", "Cod. Contrato", 80},        {"ACNUMEROCONTRATO", "Nº Contrato", 100},
            {"NOME", "Cliente", 220},                 {"VALOR_DOCUMENTO", tituloValor, 100},
            {"SITUACAO_DOCUMENTO", "Faturado", 60},   {"DATA_VENCIMENTO", "Vencimento", 80},
            {"ACDATAIMPLANTACAO", "Início Vigência", 95}, {"ACDATAVALIDADE", "Término Vigência", 105},
            {"CRPREVBOLETO", "Emissão Boleto", 95},   {"CRBORDERODATA", "Boleto Emitido", 95}};
        for (const auto& [campo, titulo, largura] : colunas)
            g->addColumn(campo, titulo, largura);
        g->setRowSelect(true);
        g->setMultiSelect(true);
        if (dmGlobal->puGeral)
            host::ui::setPopupMenu(g, dmGlobal->puGeral);
        return g;
    };
    dbgdAssContFatLocEquip = grade("dbgdAssContFatLocEquip", dsConsulta_.get(), "Valor Documento");
    dbgdAssContFatLocEquipVinc = grade("dbgdAssContFatLocEquipVinc", dsConsultaVinc_.get(), "Valor");
    stConsulta = new host::ui::StatusBar("stConsulta");
    stConsulta->addPanel(250);
    stConsultaVinc = new host::ui::StatusBar("stConsultaVinc");
    stConsultaVinc->addPanel(250);
}

void TfmAssContFatLocEquip::criarBotoes()
{
    auto* gbFiltros = named<QGroupBox>("gbFiltros", "Seleção");
    auto* grade = new QGridLayout(gbFiltros);
    grade->addWidget(new QLabel("De:"), 0, 0);
    grade->addWidget(deDataIni, 0, 1, Qt::AlignLeft);
    grade->addWidget(new QLabel("Até"), 0, 2);
    grade->addWidget(deDataFin, 0, 3, Qt::AlignLeft);
    grade->addWidget(new QLabel("Filial (U.N.)"), 1, 0);
    grade->addWidget(edFilial, 1, 1, Qt::AlignLeft);
    grade->addWidget(laEmpresa, 1, 2, 1, 3);
    grade->addWidget(new QLabel("Cliente"), 2, 0);
    grade->addWidget(edCodCliente, 2, 1, Qt::AlignLeft);
    grade->addWidget(edCliente, 2, 2, 1, 2);
    grade->addWidget(sbPesqCliente, 2, 4, Qt::AlignLeft);
    grade->addWidget(new QLabel("Pedido"), 3, 0);
    grade->addWidget(edPedido, 3, 1, 1, 3);
    grade->addWidget(new QLabel("Cod. Contrato"), 4, 0);
    grade->addWidget(edCodContrato, 4, 1, Qt::AlignLeft);
    grade->setColumnStretch(3, 1);

    auto* paBotoes = named<QWidget>("paBotoes");
    auto* botoes = new QHBoxLayout(paBotoes);
    auto botao = [&](QPushButton*& membro, const char* nome, const QString& texto,
                     void (TfmAssContFatLocEquip::*acao)()) {
        membro = named<QPushButton>(nome, texto);
        botoes->addWidget(membro);
        connect(membro, &QPushButton::clicked, this,
                [this, acao] { host::ui::runGuarded([this, acao] { (this->*acao)(); }); });
    };
    botao(bbPesquisar, "bbPesquisar", "&Pesquisar", &TfmAssContFatLocEquip::bbPesquisarClick);
    botao(bbGerar, "bbGerar", "&Gerar faturamento", &TfmAssContFatLocEquip::bbGerarClick);
    botao(bbImprimir, "bbImprimir", "&Imprimir recibo", &TfmAssContFatLocEquip::bbImprimirClick);
    botoes->addStretch(1);
    bbSair = named<QPushButton>("bbSair", "S&air");
    botoes->addWidget(bbSair);
    connect(bbSair, &QPushButton::clicked, this, [this] { close(); });

    auto* topo = new QHBoxLayout;
    topo->addWidget(gbFiltros, 1);
    topo->addWidget(rgPeriodo);
    topo->addWidget(rgOpcao);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addLayout(topo);
    janela->addWidget(dbgdAssContFatLocEquip, 3);
    janela->addWidget(stConsulta);
    janela->addWidget(dbgdAssContFatLocEquipVinc, 2);
    janela->addWidget(stConsultaVinc);
    janela->addWidget(paBotoes);
    resize(1180, 680);
}

void TfmAssContFatLocEquip::FormShow() { edFilial->setText(parametroAparado("ATLOCALPADRAO")); }
