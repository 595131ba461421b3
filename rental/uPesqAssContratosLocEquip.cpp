// The rental-contract search: the statement of the thirteen filters and the
// order, the dialog with its look-up buttons, and SelecionaContrato.

#include "rental/uPesqAssContratosLocEquip.h"

#include "contracts/uPesqAssContratos.h"

#include "host/FiltroDia.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqcli.h"
#include "host/Upesqgeral.h"
#include "host/Upesqprod.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Caption.h"
#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Dialogs.h"
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"
#include "host/ui/FixedListComboBox.h"
#include "host/ui/FormBuilders.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/StatusBar.h"
#include "host/db/Database.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using host::ui::named;

host::ui::FormVar<TfmPesquisaAssContratosLocEquip> fmPesquisaAssContratosLocEquip("fmPesquisaAssContratosLocEquip");

namespace uPesqAssContratosLocEquip {

namespace {

const char* const kColunasLocEquip =
    " ac.accodigo, ac.acnumerocontrato, ac.actipodesc, ac.acperiododesc, ac.accontratante, "
    "cl.nome, ac.acdescricao, ac.accomprovantedatahora, ac.acdataretirada";

// The items (and their products) are joined only for the filters that read
// them: each contract is then listed once by itself, with no distinct to sort
// the whole list by every column.
const char* const kFromLocEquip = "\nfrom aatc05ac ac";
const char* const kItensLocEquip = "\n left outer join aatc05acit acit on acit.accodigo = ac.accodigo";
const char* const kClientesLocEquip = "\n left outer join augc0301 cl on cl.codigo_cliente = ac.accontratante";
const char* const kProdutosLocEquip = "\n left outer join acec1101 eqp on eqp.codigo = acit.prcodigo";
const char* const kOndeLocEquip = "\nwhere ac.accodigo > 0";

// A distinct list orders only by what it selects: the equipment and item
// orders select one value per contract (its first in alphabetical order),
// so each contract still comes once.
struct OrdemLocEquip {
    const char* coluna;
    const char* selecionada;   // nullptr: a column already selected
};
const OrdemLocEquip kOrdensLocEquip[] = {
    {"ac.accodigo", nullptr},
    {"ac.acnumerocontrato", nullptr},
    {"cl.nome", nullptr},
    {"ordemequipamento",
     "(select min(oe.descricao) from aatc05acit oi join acec1101 oe on oe.codigo = oi.prcodigo"
     " where oi.accodigo = ac.accodigo) as ordemequipamento"},
    {"ordemnsequipamento",
     "(select min(ons.nsnumero) from augc50ns ons where ons.accodigo = ac.accodigo) as ordemnsequipamento"},
    {"ordemitem",
     "(select min(op.descricao) from aatc05acit oi join agpc03cm ocm on ocm.prcodigo = oi.prcodigo"
     " join acec1101 op on op.codigo = ocm.cmcodigo where oi.accodigo = ac.accodigo) as ordemitem"},
    {"ordemnsitem",
     "(select min(ons.nsnumero) from aatc05acit oi join agpc03cm ocm on ocm.prcodigo = oi.prcodigo"
     " join augc50ns ons on ons.prcodigo = ocm.cmcodigo where oi.accodigo = ac.accodigo) as ordemnsitem"},
};

bool informado(const QString& texto) { return !texto.trimmed().isEmpty(); }

QString padrao(const QString& texto, Filtro::Onde onde)
{
    return PadraoOnde(texto.toUpper(), static_cast<int>(onde));
}

QString like(const char* coluna, const QString& texto, Filtro::Onde onde)
{
    return QString(" and upper(%1) like ").arg(QString::fromLatin1(coluna)) + QuotedStr(padrao(texto, onde));
}

}  // namespace

QString Condicoes(const Filtro& f)
{
    QString sql;
    if (f.codigo != 0)
        sql += "\n and ac.accodigo = " + QString::number(f.codigo);
    if (informado(f.numero))
        sql += "\n" + like("ac.acnumerocontrato", f.numero, f.onde);
    if (informado(f.cliente))
        sql += "\n" + like("cl.nome", f.cliente, f.onde);
    if (informado(f.equipamento))
        sql += "\n" + like("eqp.descricao", f.equipamento, f.onde);
    if (informado(f.nsEquipamento))
        sql += "\n and acit.accodigo in (select sl1.accodigo from augc50ns sl1 where sl1.nsnumero = " +
               QuotedStr(f.nsEquipamento) + ")";
    if (informado(f.item))
        sql += "\n and acit.prcodigo in (select ns.cmcodigo from augc50ns ns"
               " left outer join acec1101 pc on pc.codigo = ns.prcodigo where pc.descricao = " +
               QuotedStr(f.item) + ")";
    if (informado(f.nsItem))
        sql += "\n and acit.prcodigo in (select cm.prcodigo from agpc03cm cm"
               " left outer join augc50ns ns on ns.prcodigo = cm.cmcodigo and ns.cmcodigo = cm.prcodigo"
               " left outer join acec1101 pc on pc.codigo = cm.prcodigo where ns.nsnumero = " +
               QuotedStr(f.nsItem) + ")";
    if (f.retirada.isValid())
        // A proof stamped in the first minute after midnight belongs to the day before.
        sql += "\n and ac.accomprovantedatahora >= '" + f.retirada.toString("MM/dd/yyyy") + " 00:01:00'" +
               " and ac.accomprovantedatahora <= " + DateTimeFimToSQL(host::db::localDateTime(f.retirada));
    if (f.retiradaEm.isValid())
        sql += "\n and " + host::condicaoNoDia("ac.acdataretirada", f.retiradaEm);
    switch (f.status) {
    case 1:
        sql += "\n and ac.accomprovantedatahora is null  and ac.acdataretirada is null";
        break;
    case 2:
        sql += "\n and ac.accomprovantedatahora is not null  and ac.acdataretirada is null";
        break;
    case 3:
        sql += "\n and ac.accomprovantedatahora is not null  and ac.acdataretirada is not null";
        break;
    default:
        break;
    }
    if (f.desativados.startsWith('S'))
        sql += "\n and ac.actipo = " + QuotedStr("#");
    if (f.terminoDe.isValid())
        sql += "\n and " + host::condicaoDesdeODia("ac.acdatavalidade", f.terminoDe);
    if (f.terminoAte.isValid())
        sql += "\n and " + host::condicaoAteODia("ac.acdatavalidade", f.terminoAte);
    return sql;
}

QString SqlPesquisa(const Filtro& filtro)
{
    const OrdemLocEquip& ordem = kOrdensLocEquip[filtro.ordem >= 0 && filtro.ordem < 7 ? filtro.ordem : 0];
    const bool itens = informado(filtro.equipamento) || informado(filtro.nsEquipamento) || informado(filtro.item) ||
                       informado(filtro.nsItem);
    QString sql = QString(itens ? "select distinct" : "select") + QString::fromLatin1(kColunasLocEquip);
    if (ordem.selecionada)
        sql += ", " + QString::fromLatin1(ordem.selecionada);
    sql += QString::fromLatin1(kFromLocEquip);
    if (itens)
        sql += QString::fromLatin1(kItensLocEquip) + kClientesLocEquip + kProdutosLocEquip;
    else
        sql += QString::fromLatin1(kClientesLocEquip);
    return sql + kOndeLocEquip + Condicoes(filtro) + "\nOrder by " + QString::fromLatin1(ordem.coluna);
}

int CodigoDigitado(const QString& texto)
{
    bool ok = false;
    const int codigo = texto.trimmed().toInt(&ok);
    return ok ? codigo : 0;
}

bool SelecionaContrato(int& contrato, QString& numero)
{
    TfmPesquisaAssContratosLocEquip* dialogo = fmPesquisaAssContratosLocEquip.create();
    host::ui::ReleaseOnExit liberar(fmPesquisaAssContratosLocEquip);
    if (dialogo->showModal() != host::ui::ModalResult::Ok)
        return false;
    // Each search puts a new query in place: the list is read once the dialog is done.
    host::data::Query& consulta = *dialogo->quConsulta;
    if (!consulta.active() || consulta.isEmpty())
        return false;
    contrato = consulta.fieldByName("ACCODIGO")->asInteger();
    numero = consulta.fieldByName("ACNUMEROCONTRATO")->asString();
    consulta.close();
    dmGlobal->quAuxiliar->close();
    return true;
}

}  // namespace uPesqAssContratosLocEquip

using namespace uPesqAssContratosLocEquip;

TfmPesquisaAssContratosLocEquip::TfmPesquisaAssContratosLocEquip(QWidget* parent)
    : host::ui::Form(parent),
      quConsulta(CriarIbQuery("quConsulta")),
      dsConsulta(std::make_unique<host::data::DataSource>(nullptr, "dsConsulta", quConsulta.get()))
{
    setCaption("Pesquisa de Contratos de Locação Equipamentos");
    setCentered(true);
    criarControles();
    CarregarConfiguracaoJanela(this);
    SalvarConfiguracaoDBGrid(dbgdContratosLocEqui, true);
    onClose = [this](host::ui::CloseAction& action) {
        FormClose();
        action = host::ui::CloseAction::Free;
    };
}

TfmPesquisaAssContratosLocEquip::~TfmPesquisaAssContratosLocEquip()
{
    destroyControls();
    dsConsulta->setDataset(nullptr);
}

QWidget* TfmPesquisaAssContratosLocEquip::criarFiltros()
{
    auto* campo = named<QGroupBox>("gbCampo", "Campo", this);
    auto* g = new QGridLayout(campo);
    g->setVerticalSpacing(2);
    int linha = 0;
    // Every control is made inside the box it shows in: a control made
    // without a parent is a window of its own until the layout moves it.
    auto adiciona = [&](const QString& caption, QWidget* controle, QPushButton* lupa = nullptr) {
        g->addWidget(new host::ui::Caption(caption, campo), linha, 0);
        g->addWidget(controle, linha, 1);
        if (lupa) {
            lupa->setToolTip("Pesquisa");
            g->addWidget(lupa, linha, 2);
        }
        ++linha;
    };
    auto texto = [campo](const char* nome, int maximo) {
        auto* e = named<QLineEdit>(nome, campo);
        e->setMaxLength(maximo);
        return e;
    };
    edCodigo = texto("edCodigo", 10);
    adiciona("Código", edCodigo);
    edNroContrato = texto("edNroContrato", 50);
    adiciona("Nº Contrato", edNroContrato);
    // A text filter with the look-up button that fills it (the button
    // before it in the tab order, as it always was).
    auto comLupa = [&](QLineEdit*& edit, const char* nome, int maximo, const QString& caption, QPushButton*& lupa,
                       const char* nomeLupa) {
        lupa = host::ui::makeSearchButton(campo, nomeLupa);
        edit = texto(nome, maximo);
        adiciona(caption, edit, lupa);
    };
    comLupa(edCliente, "edCliente", 60, "Cliente", sbPesqCli, "sbPesqCli");
    comLupa(edEquipamento, "edEquipamento", 28, "Equipamento", sbPesqEquip, "sbPesqEquip");
    comLupa(edNSEquipamento, "edNSEquipamento", 28, "Nº Série", sbPesqNSEquip, "sbPesqNSEquip");
    comLupa(edItem, "edItem", 28, "Item", sbPesqItem, "sbPesqItem");
    comLupa(edNSItem, "edNSItem", 28, "Nº Série", sbPesqNSItem, "sbPesqNSItem");
    deRetirada = new host::ui::DateEdit("deRetirada", campo);
    adiciona("Retirada", deRetirada);
    deRetiradaEm = new host::ui::DateEdit("deRetiradaEm", campo);
    adiciona("Retirada Em", deRetiradaEm);
    cbStatusRetirada = named<host::ui::FixedListComboBox>(
        "cbStatusRetirada", QStringList{"Todas", "Não Definida", "Pendente", "Realizada"}, campo);
    adiciona("Status", cbStatusRetirada);
    deTerminoDe = new host::ui::DateEdit("deTerminoDe", campo);
    adiciona("Término De", deTerminoDe);
    deTerminoAte = new host::ui::DateEdit("deTerminoAte", campo);
    adiciona("Término Até", deTerminoAte);
    cbDesativados = named<host::ui::FixedListComboBox>("cbDesativados", QStringList{"Todos", "Somente"}, campo);
    cbDesativados->setCurrentIndex(-1);
    adiciona("Desativados", cbDesativados);
    return campo;
}

void TfmPesquisaAssContratosLocEquip::criarControles()
{
    // Each part is made inside the window, in the order the focus goes
    // through them: "OK" first (it has the focus when the window opens).
    bbPesquisa = host::ui::makeButton(this, "bbPesquisa", "OK");
    QWidget* filtros = criarFiltros();

    auto* onde = named<QGroupBox>("gbOnde", "Onde", this);
    rgOnde = host::ui::whereGroup(this, onde, rbComecando, rbContendo, rbTerminando);

    auto* ordem = named<QGroupBox>("gbOrdem", "Ordenar por ", this);
    rgOrdem = host::ui::radioGroup(this, ordem,
        {{nullptr, "rbOrdem0", "Código"}, {nullptr, "rbOrdem1", "Número Contrato"}, {nullptr, "rbOrdem2", "Cliente"},
         {nullptr, "rbOrdem3", "Equipamento"}, {nullptr, "rbOrdem4", "NS Equipamento"}, {nullptr, "rbOrdem5", "Item"},
         {nullptr, "rbOrdem6", "NS Item"}});

    bbPesquisa->setDefault(true);
    bbPesquisa->setAutoDefault(true);
    connect(bbPesquisa, &QPushButton::clicked, this, [this] { host::ui::runGuarded([this] { bbPesquisaClick(); }); });
    auto liga = [this](QPushButton* b, void (TfmPesquisaAssContratosLocEquip::*h)()) {
        connect(b, &QPushButton::clicked, this, [this, h] { host::ui::runGuarded([this, h] { (this->*h)(); }); });
    };
    liga(sbPesqCli, &TfmPesquisaAssContratosLocEquip::sbPesqCliClick);
    liga(sbPesqEquip, &TfmPesquisaAssContratosLocEquip::sbPesqEquipClick);
    liga(sbPesqItem, &TfmPesquisaAssContratosLocEquip::sbPesqItemClick);
    liga(sbPesqNSEquip, &TfmPesquisaAssContratosLocEquip::sbPesqNSEquipClick);
    liga(sbPesqNSItem, &TfmPesquisaAssContratosLocEquip::sbPesqNSItemClick);

    dbgdContratosLocEqui = new host::ui::DataGrid("dbgdContratosLocEqui", this);
    dbgdContratosLocEqui->setDataSource(dsConsulta.get());
    dbgdContratosLocEqui->setReadOnlyGrid(true);
    dbgdContratosLocEqui->setRowSelect(true);
    dbgdContratosLocEqui->changeColumnsTogether([this] {
        dbgdContratosLocEqui->addColumn("ACCODIGO", "Código", 50);
        dbgdContratosLocEqui->addColumn("ACNUMEROCONTRATO", "Nº Contrato", 90);
        dbgdContratosLocEqui->addColumn("ACTIPODESC", "Tipo Contrato", 100);
        dbgdContratosLocEqui->addColumn("ACPERIODODESC", "Período", 80);
        dbgdContratosLocEqui->addColumn("ACCONTRATANTE", "Código", 50);
        dbgdContratosLocEqui->addColumn("NOME", "Contratante", 200);
        dbgdContratosLocEqui->addColumn("ACDESCRICAO", "Projeto", 140);
        dbgdContratosLocEqui->addColumn("ACCOMPROVANTEDATAHORA", "Data Retirada", 100);
        dbgdContratosLocEqui->addColumn("ACDATARETIRADA", "Retirada Em", 80);
    });
    dbgdContratosLocEqui->onDblClick = [this] { dbgdContratosLocEquiDblClick(); };
    dbgdContratosLocEqui->onTitleClick = [this](host::ui::GridColumn& coluna) {
        host::ui::sortByColumn(*dbgdContratosLocEqui, coluna);
        SalvarConfiguracaoDBGrid(dbgdContratosLocEqui, false);
    };

    stInformacao = new host::ui::StatusBar("stInformacao", this);
    stInformacao->addPanel(220);
    stInformacao->addPanel(0);

    auto* topo = new QHBoxLayout;
    topo->addWidget(filtros, 2);
    auto* direita = new QVBoxLayout;
    direita->addWidget(onde);
    direita->addWidget(ordem);
    direita->addWidget(bbPesquisa);
    direita->addStretch();
    topo->addLayout(direita);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 0);
    janela->addLayout(topo);
    janela->addWidget(dbgdContratosLocEqui, 1);
    janela->addWidget(stInformacao);
    resize(900, 640);
}

QString TfmPesquisaAssContratosLocEquip::Pesquisar(int code, int status, const QString& number,
                                                   const QString& customer, const QString& equipment,
                                                   const QString& equipmentSerial, const QString& item,
                                                   const QString& itemSerial, const QDate& pickUp,
                                                   const QDate& pickUpOn, const QString& deactivated,
                                                   const QDate& validFrom, const QDate& validTo)
{
    Filtro f;
    f.codigo = code;
    f.status = status;
    f.numero = number;
    f.cliente = customer;
    f.equipamento = equipment;
    f.nsEquipamento = equipmentSerial;
    f.item = item;
    f.nsItem = itemSerial;
    f.retirada = pickUp;
    f.retiradaEm = pickUpOn;
    f.desativados = deactivated;
    f.terminoDe = validFrom;
    f.terminoAte = validTo;
    f.onde = static_cast<Filtro::Onde>(std::max(0, rgOnde->checkedId()));
    f.ordem = std::max(0, rgOrdem->checkedId());
    struct FechaAuxiliarLocEquip {
        ~FechaAuxiliarLocEquip()
        {
            if (dmGlobal)
                dmGlobal->quAuxiliar->close();
        }
    } fecha;
    // The statement runs on a query of its own: a failing one leaves the list as it was.
    std::unique_ptr<host::data::Query> nova = CriarIbQuery("quConsulta");
    nova->setSql(SqlPesquisa(f));
    const QString campos = parametroMaiusculo("ATCAMPOSZELTOCREATOR");
    if (campos == "S" || campos == "D")
        AdicionaFieldZeltoCreatorAlias(nova.get(), "AATC05AC", "ac");
    if (bDetectarErroSQL)
        dmGlobal->MostraAvisoExtenso("Sql da Consulta:", nova->sql(), false, "Confirmação");
    nova->open();
    nova->fetchAll();
    dsConsulta->setDataset(nova.get());
    quConsulta = std::move(nova);
    return "Registros Encontrados: " + QString::number(quConsulta->recordCount());
}

bool TfmPesquisaAssContratosLocEquip::FiltrosValidos()
{
    // A filter the search cannot use is refused and stays on screen to be mended.
    const QString codigo = edCodigo->text().trimmed();
    bool numero = false;
    codigo.toInt(&numero);
    if (!codigo.isEmpty() && !numero) {
        host::ui::Dialogs::warning("Código inválido: " + codigo);
        edCodigo->setFocus();
        return false;
    }
    return host::ui::checkTypedDates({deRetirada, deRetiradaEm, deTerminoDe, deTerminoAte});
}

void TfmPesquisaAssContratosLocEquip::bbPesquisaClick()
{
    if (!FiltrosValidos())
        return;
    const QString resultado =
        Pesquisar(CodigoDigitado(edCodigo->text()), cbStatusRetirada->currentIndex(), edNroContrato->text(),
                  edCliente->text(), edEquipamento->text(), edNSEquipamento->text(), edItem->text(),
                  edNSItem->text(), deRetirada->date().date(), deRetiradaEm->date().date(),
                  cbDesativados->currentText(), deTerminoDe->date().date(), deTerminoAte->date().date());
    stInformacao->setPanelText(0, resultado);
}

void TfmPesquisaAssContratosLocEquip::dbgdContratosLocEquiDblClick()
{
    // Before a search, or on an empty list, there is no contract to hand back.
    if (quConsulta->active() && !quConsulta->isEmpty())
        setModalResult(host::ui::ModalResult::Ok);
}

void TfmPesquisaAssContratosLocEquip::sbPesqCliClick()
{
    QString nome, codigo, fantasia;
    if (SelecionaCliente(nome, codigo, fantasia))
        edCliente->setText(nome.trimmed());
}

namespace {

// The chosen product's description, trimmed, into the filter; a cancelled search changes nothing.
void produtoEscolhido(QLineEdit* destino)
{
    QString codigo, descricao;
    double preco = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
    if (SelecionaProduto(codigo, descricao, preco, estoque, reservado, promocional, custo))
        destino->setText(descricao.trimmed());
}

void numeroSerieEscolhido(QLineEdit* destino)
{
    QString v1, v2, v3;
    if (SelecionaPesquisaGeral(98, "NSNUMERO", "NSNUMERO", "NSNUMERO", v1, v2, v3))
        destino->setText(v1);
}

}  // namespace

void TfmPesquisaAssContratosLocEquip::sbPesqEquipClick() { produtoEscolhido(edEquipamento); }

void TfmPesquisaAssContratosLocEquip::sbPesqItemClick() { produtoEscolhido(edItem); }

void TfmPesquisaAssContratosLocEquip::sbPesqNSEquipClick() { numeroSerieEscolhido(edNSEquipamento); }

void TfmPesquisaAssContratosLocEquip::sbPesqNSItemClick() { numeroSerieEscolhido(edNSItem); }

void TfmPesquisaAssContratosLocEquip::FormClose()
{
    SalvarConfiguracaoJanela(this);
    SalvarConfiguracaoDBGrid(dbgdContratosLocEqui, false);
}
