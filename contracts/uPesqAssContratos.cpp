// The contract search: filters, match mode and order, the list with its
// count, and SelecionaContrato.

#include "contracts/uPesqAssContratos.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Errors.h"
#include "host/ui/FixedListComboBox.h"
#include "host/ui/PushButton.h"
#include "host/ui/StatusBar.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using host::ui::named;

host::ui::FormVar<TfmPesquisaAssContratos> fmPesquisaAssContratos("fmPesquisaAssContratos");

namespace uPesqAssContratos {

namespace {

const char* const kDe = "from AATC05AC cont\n"
                        " left outer join augc0301 cli on (cont.clcodigo = cli.codigo_cliente)\n"
                        "where not(accodigo is null)";

const char* const kOrdem[] = {"cont.acNumeroContrato", "cont.acDescricao", "cli.nome", "cont.acTipoContrato",
                              "cont.acValor"};

}  // namespace

QString Padrao(const QString& texto, FiltroPesquisaContratos::Onde onde)
{
    return PadraoOnde(texto.toUpper(), static_cast<int>(onde));
}

QString Condicoes(const FiltroPesquisaContratos& filtro)
{
    // The value is typed as the register shows it and compared with the
    // number's text in one form.
    const QString valor = ValorDigitadoComoTexto(filtro.valor);
    const QString colunaValor = "and " + ValorComoTextoSQL("cont.acValor") + " like ";
    const std::pair<const QString*, QString> filtros[] = {
        {&filtro.numero, "and upper(cont.acNumeroContrato) like "},
        {&filtro.descricao, "and upper(cont.acDescricao) like "},
        {&filtro.cliente, "and upper(cli.nome) like "},
        {&filtro.tipo, "and upper(cont.acTipoContrato) like "},
        {&valor, colunaValor},
    };
    QString sql;
    for (const auto& [texto, linha] : filtros)
        if (!texto->trimmed().isEmpty())
            sql += "\n" + linha + QuotedStr(Padrao(texto->trimmed(), filtro.onde));
    return sql;
}

QString SqlLista(const FiltroPesquisaContratos& filtro)
{
    const int ordem = filtro.ordem >= 0 && filtro.ordem < 5 ? filtro.ordem : 0;
    return "select cont.*, cli.nome as Cliente\n" + QString::fromUtf8(kDe) + Condicoes(filtro) + "\nOrder by " +
           QString::fromUtf8(kOrdem[ordem]);
}

QString SqlContagem(const FiltroPesquisaContratos& filtro)
{
    return SqlContagemLimitada(QString::fromUtf8(kDe) + Condicoes(filtro));
}

}  // namespace uPesqAssContratos

TfmPesquisaAssContratos::TfmPesquisaAssContratos(QWidget* parent)
    : host::ui::Form(parent),
      quPesquisa(CriarIbQuery("quPesquisa")),
      dsPesquisa(std::make_unique<host::data::DataSource>(nullptr, "dsPesquisa", quPesquisa.get()))
{
    setCaption("Pesquisa de Contratos");
    // The contract's value reads as the register writes it ("950,50").
    quPesquisa->onFieldsCreated = [](host::data::Dataset& d) { TdmGlobal::SetaFormatoValor(d, {"ACVALOR"}); };
    setStayOnTop(true);
    setCentered(true);
    setKeyPreview(true);
    criarControles();
    onKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { FormKeyDown(key, shift); };
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}

TfmPesquisaAssContratos::~TfmPesquisaAssContratos()
{
    dsPesquisa->setDataset(nullptr);
}

void TfmPesquisaAssContratos::criarControles()
{
    auto* filtros = named<QGroupBox>("gbFiltros", "Pesquisar");
    auto* fFiltros = new QFormLayout(filtros);
    // The filters are made inside their box (a control made without a
    // parent is a window of its own until the layout moves it).
    edNumeroContrato = named<QLineEdit>("edNumeroContrato", filtros);
    edNumeroContrato->setMaxLength(10);
    fFiltros->addRow("Nº Contrato", edNumeroContrato);
    edDescricao = named<QLineEdit>("edDescricao", filtros);
    fFiltros->addRow("Descrição", edDescricao);
    edCliente = named<QLineEdit>("edCliente", filtros);
    fFiltros->addRow("Cliente", edCliente);
    cbTipoContrato =
        named<host::ui::FixedListComboBox>("cbTipoContrato", QStringList{"", "Com Peça", "Sem Peça"}, filtros);
    cbTipoContrato->setEditable(true);
    fFiltros->addRow("Tipo de Contrato", cbTipoContrato);
    edValor = named<QLineEdit>("edValor", filtros);
    edValor->setMaxLength(28);
    fFiltros->addRow("Valor do Contrato", edValor);

    auto* onde = named<QGroupBox>("rgOnde", "Onde");
    grupoOnde_ = host::ui::whereGroup(this, onde, rbComecando, rbContendo, rbTerminando);

    auto* ordem = named<QGroupBox>("gbOrdem", "Ordenar por ");
    auto* lOrdem = new QVBoxLayout(ordem);
    cbOrdem = named<host::ui::FixedListComboBox>(
        "cbOrdem", QStringList{"Nº do Contrato", "Descrição", "Cliente", "Tipo de Contrato", "Valor do Contrato"},
        ordem);
    lOrdem->addWidget(cbOrdem);
    lOrdem->addStretch();

    bbOk = named<host::ui::PushButton>("bbOk", "OK");
    bbOk->setDefault(true);
    bbOk->setAutoDefault(true);
    bbCancelar = named<host::ui::PushButton>("bbCancelar", "Cancelar");
    connect(bbOk, &QPushButton::clicked, this, [this] { host::ui::runGuarded([this] { bbOkClick(); }); });
    connect(bbCancelar, &QPushButton::clicked, this,
            [this] { setModalResult(host::ui::ModalResult::Cancel); });

    dbgdContratos = new host::ui::DataGrid("dbgdContratos");
    dbgdContratos->setDataSource(dsPesquisa.get());
    dbgdContratos->setRowSelect(true);
    dbgdContratos->addColumn("ACNUMEROCONTRATO", "Nº do Contrato", 90);
    dbgdContratos->addColumn("ACDESCRICAO", "Descrição", 220);
    dbgdContratos->addColumn("CLIENTE", "Cliente", 200);
    dbgdContratos->addColumn("ACTIPOCONTRATO", "Tipo de Contrato", 100);
    dbgdContratos->addColumn("ACVALOR", "Valor do Contrato", 100);
    dbgdContratos->onDblClick = [this] { dbgdContratosDblClick(); };
    dbgdContratos->onKeyDown = [this](int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            key = 0;
            dbgdContratosDblClick();
        }
    };

    sbStatus = new host::ui::StatusBar("sbStatus");
    sbStatus->addPanel(220);
    sbStatus->addPanel(0);

    auto* topo = new QHBoxLayout;
    topo->addWidget(filtros, 2);
    topo->addWidget(onde);
    topo->addWidget(ordem);
    auto* botoes = new QVBoxLayout;
    botoes->addWidget(bbOk);
    botoes->addWidget(bbCancelar);
    botoes->addStretch();
    topo->addLayout(botoes);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 0);
    janela->addLayout(topo);
    janela->addWidget(dbgdContratos, 1);
    janela->addWidget(sbStatus);
    resize(760, 480);
}

FiltroPesquisaContratos TfmPesquisaAssContratos::filtro() const
{
    FiltroPesquisaContratos f;
    f.numero = edNumeroContrato->text();
    f.descricao = edDescricao->text();
    f.cliente = edCliente->text();
    f.tipo = cbTipoContrato->currentText();
    f.valor = edValor->text();
    f.onde = static_cast<FiltroPesquisaContratos::Onde>(std::max(0, grupoOnde_->checkedId()));
    f.ordem = cbOrdem->currentIndex();
    return f;
}

void TfmPesquisaAssContratos::bbOkClick()
{
    const FiltroPesquisaContratos f = filtro();
    quPesquisa->close();
    quPesquisa->setSql(uPesqAssContratos::SqlLista(f));
    quPesquisa->open();
    host::data::Query& contagem = *dmGlobal->quAuxiliar;
    contagem.close();
    contagem.setSql(uPesqAssContratos::SqlContagem(f));
    contagem.open();
    sbStatus->setPanelText(1, TextoEncontrados(contagem.fieldByName("TotReg")->asInteger()));
    if (sbStatus->panelText(0).isEmpty())
        sbStatus->setPanelText(0, TextoTotalRegistros("AATC05AC"));
}

void TfmPesquisaAssContratos::dbgdContratosDblClick()
{
    if (quPesquisa->active() && !quPesquisa->isEmpty())
        setModalResult(host::ui::ModalResult::Ok);
}

void TfmPesquisaAssContratos::FormKeyDown(int& key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_F11) {
        dbgdContratos->setFocus();
        key = 0;
    } else if (key == Qt::Key_F12) {
        edDescricao->setFocus();
        key = 0;
    }
}

bool uPesqAssContratos::SelecionaContrato(int& codigo, QString& numero)
{
    TfmPesquisaAssContratos* dialogo = fmPesquisaAssContratos.create();
    host::ui::ReleaseOnExit liberar(fmPesquisaAssContratos);
    if (dialogo->showModal() != host::ui::ModalResult::Ok || !dialogo->quPesquisa->active() ||
        dialogo->quPesquisa->isEmpty())
        return false;
    codigo = dialogo->quPesquisa->fieldByName("accodigo")->asInteger();
    numero = dialogo->quPesquisa->fieldByName("ACNUMEROCONTRATO")->asString();
    dialogo->quPesquisa->close();
    dmGlobal->quAuxiliar->close();
    return true;
}
