// The equipment search: its statements, the dialog and its two pickers.

#include "shared_windows/uPesqAssEquipamento.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqcli.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Errors.h"
#include "host/ui/PushButton.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/StatusBar.h"
#include "shared_windows/uPesqAssDefeitos.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

using host::ui::named;

host::ui::FormVar<TfmPesquisaAssEquipamento> fmPesquisaAssEquipamento("fmPesquisaAssEquipamento");

namespace uPesqAssEquipamento {

std::function<QString()> ClienteContratoEmCadastro;

namespace {

// The condition lines of the filled boxes, in the order the search writes them.
QString condicoesEquipamento(const FiltroEquipamento& f)
{
    // The wildcard goes where the defects search puts it, for the same "Onde".
    const auto onde = static_cast<uPesqAssDefeitos::Onde>(f.onde >= 0 && f.onde <= 2 ? f.onde : 1);
    auto padrao = [onde](const QString& texto) {
        return QuotedStr(uPesqAssDefeitos::PadraoDefeito(texto, onde).toUpper());
    };
    QString sql;
    if (f.ocultarInativos)
        sql += "\nand ((aeAtivo <>'N') or (aeAtivo is null))";
    if (!f.codigo.isEmpty())
        sql += "\nand aeCodigo like " + padrao(f.codigo);
    if (!f.descricao.isEmpty())
        sql += "\nand upper(aeDescricao COLLATE PT_PT) like " + padrao(f.descricao);
    if (!f.marca.isEmpty())
        sql += "\nand upper(aeMarca COLLATE PT_PT) like " + padrao(f.marca);
    if (!f.modelo.isEmpty())
        sql += "\nand upper(aeModelo COLLATE PT_PT) like " + padrao(f.modelo);
    if (!f.cliente.trimmed().isEmpty())
        sql += "\n and (select count(*) from aatc03aecl it where it.aecodigo =Equip.aeCodigo  and it.clCodigo = " +
               QuotedStr(f.cliente) + ")>0";
    return sql;
}

}  // namespace

QString SqlPesquisaEquipamento(const FiltroEquipamento& filtro, int ordem)
{
    static const char* const kOrdemEquipamento[] = {"aeCodigo", "aeDescricao", "aemarca", "aemodelo"};
    return "SELECT Equip.* FROM AATC03AE Equip where not(aecodigo  is null) " + condicoesEquipamento(filtro) +
           "\nOrder by " + kOrdemEquipamento[ordem >= 0 && ordem < 4 ? ordem : 0];
}

QString SqlContagemEquipamento(const FiltroEquipamento& filtro)
{
    return SqlContagemLimitada("from AATC03AE Equip where not(aecodigo is null)" + condicoesEquipamento(filtro));
}

}  // namespace uPesqAssEquipamento

TfmPesquisaAssEquipamento::TfmPesquisaAssEquipamento(QWidget* parent)
    : host::ui::Form(parent),
      quConsultaEquip(CriarIbQuery("quConsultaEquip")),
      dsConsultaEquip(std::make_unique<host::data::DataSource>(nullptr, "dsConsultaEquip", quConsultaEquip.get()))
{
    setCaption("Pesquisa de Equipamento");
    setStayOnTop(true);
    setCentered(true);
    // The statement and its values go to the log around each opening.
    LigaLogAbertura(*quConsultaEquip, {}, true);
    criarControles();
    SalvarConfiguracaoDBGrid(dbgdEquipamento, true);
    onShow = [this] { CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {}); };
    onClose = [this](host::ui::CloseAction& action) {
        SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
        action = host::ui::CloseAction::Free;
    };
}

TfmPesquisaAssEquipamento::~TfmPesquisaAssEquipamento()
{
    // The grid goes before the data source and query it shows.
    delete dbgdEquipamento;
}

void TfmPesquisaAssEquipamento::criarControles()
{
    gbCampo = named<QGroupBox>("gbCampo", "Campo");
    auto* campos = new QFormLayout(gbCampo);
    // The filters are made inside their box (a control made without a
    // parent is a window of its own until the layout moves it).
    auto caixa = [this, campos](QLineEdit*& membro, const char* nome, const QString& rotulo, int limite) {
        membro = named<QLineEdit>(nome, gbCampo);
        membro->setMaxLength(limite);
        campos->addRow(rotulo, membro);
    };
    caixa(edCodigo, "edCodigo", "Código", 4);
    caixa(edDescricao, "edDescricao", "Descrição", 28);
    caixa(edMarca, "edMarca", "Marca", 28);
    caixa(edModelo, "edModelo", "Modelo", 28);
    edCodCli = named<QLineEdit>("edCodCli", gbCampo);
    edCodCli->setMaxLength(28);
    sbPesqCli = named<QToolButton>("sbPesqCli", gbCampo);
    sbPesqCli->setText("...");
    connect(sbPesqCli, &QToolButton::clicked, this, [this] { host::ui::runGuarded([this] { sbPesqCliClick(); }); });
    auto* cliente = new QHBoxLayout;
    cliente->addWidget(edCodCli, 1);
    cliente->addWidget(sbPesqCli);
    campos->addRow("Código Cliente", cliente);
    ckOcultaInativo = named<QCheckBox>("ckOcultaInativo", "Ocultar Inativos", gbCampo);
    ckOcultaInativo->setChecked(true);
    campos->addRow(QString(), ckOcultaInativo);
    bbPesquisa = named<host::ui::PushButton>("bbPesquisa", "OK");
    bbPesquisa->setDefault(true);
    bbPesquisa->setAutoDefault(true);
    connect(bbPesquisa, &QPushButton::clicked, this, [this] { host::ui::runGuarded([this] { bbPesquisaClick(); }); });

    rgOnde = named<QGroupBox>("rgOnde", "Onde");
    grupoOnde_ = host::ui::whereGroup(this, rgOnde, rbComecando, rbContendo, rbTerminando);
    rgOrdem = named<QGroupBox>("rgOrdem", "Ordenar por ");
    grupoOrdem_ = host::ui::radioGroup(this, rgOrdem,
                                       {{&rbOrdemCodigo, "rbOrdemCodigo", "Código"},
                                        {&rbOrdemDescricao, "rbOrdemDescricao", "Descrição"},
                                        {&rbOrdemMarca, "rbOrdemMarca", "Marca"},
                                        {&rbOrdemModelo, "rbOrdemModelo", "Modelo"}});

    dbgdEquipamento = new host::ui::DataGrid("dbgdEquipamento");
    dbgdEquipamento->setDataSource(dsConsultaEquip.get());
    dbgdEquipamento->setReadOnlyGrid(true);
    dbgdEquipamento->setRowSelect(true);
    dbgdEquipamento->addColumn("AECODIGO", "Código", 60);
    dbgdEquipamento->addColumn("AEDESCRICAO", "Descrição", 280);
    dbgdEquipamento->addColumn("AEMARCA", "Marca", 150);
    dbgdEquipamento->addColumn("AEMODELO", "Modelo", 150);
    dbgdEquipamento->onDblClick = [this] { setModalResult(host::ui::ModalResult::Ok); };
    dbgdEquipamento->onTitleClick = [this](host::ui::GridColumn& coluna) { dbgdEquipamentoTitleClick(coluna); };
    // The layout is kept whenever the user may have changed it.
    dbgdEquipamento->onExit = [this] { SalvarConfiguracaoDBGrid(dbgdEquipamento, false); };
    dbgdEquipamento->onColumnMoved = [this] { SalvarConfiguracaoDBGrid(dbgdEquipamento, false); };

    sbStatus = new host::ui::StatusBar("sbStatus");
    sbStatus->addPanel(220);
    sbStatus->addPanel(0);

    auto* topo = new QHBoxLayout;
    topo->addWidget(gbCampo, 2);
    auto* botao = new QVBoxLayout;
    botao->addStretch();
    botao->addWidget(bbPesquisa);
    topo->addLayout(botao);
    topo->addWidget(rgOnde);
    topo->addWidget(rgOrdem);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 0);
    janela->addLayout(topo);
    janela->addWidget(dbgdEquipamento, 1);
    janela->addWidget(sbStatus);
    resize(760, 520);
}

void TfmPesquisaAssEquipamento::bbPesquisaClick()
{
    sbStatus->setPanelText(1, Pesquisar(edCodigo->text(), edDescricao->text(), edMarca->text(), edModelo->text(),
                                        edCodCli->text(), ckOcultaInativo->isChecked()));
    if (sbStatus->panelText(0).isEmpty() && dmGlobal->Parametro("ATSEMTOTALREGISTROS") != "S")
        sbStatus->setPanelText(0, TextoTotalRegistros("AATC03AE"));
}

QString TfmPesquisaAssEquipamento::Pesquisar(const QString& codigo, const QString& descricao, const QString& marca,
                                             const QString& modelo, const QString& cliente, bool ocultarInativos)
{
    using namespace uPesqAssEquipamento;
    const FiltroEquipamento filtro{codigo, descricao, marca, modelo, cliente, ocultarInativos,
                                   std::max(0, grupoOnde_->checkedId())};
    const QString sql = SqlPesquisaEquipamento(filtro, std::max(0, grupoOrdem_->checkedId()));
    if (bDetectarErroSQL)
        dmGlobal->MostraAvisoExtenso("Sql Consulta", sql, false, "Confirmação");
    quConsultaEquip->close();
    quConsultaEquip->setSql(sql);
    const QString personalizados = dmGlobal->Parametro("ATCAMPOSPERSONALIZADOS");
    if (personalizados == "S" || personalizados == "D")
        AdicionaFieldZeltoCreatorAlias(quConsultaEquip.get(), "AATC03AE", "EQUIP");
    quConsultaEquip->open();
    host::data::Query& contagem = *dmGlobal->quAuxiliar;
    contagem.close();
    contagem.setSql(SqlContagemEquipamento(filtro));
    contagem.open();
    return TextoEncontrados(contagem.fieldByName("TotReg")->asInteger());
}

void TfmPesquisaAssEquipamento::sbPesqCliClick()
{
    QString nome, codigo, fantasia;
    if (SelecionaCliente(nome, codigo, fantasia))
        edCodCli->setText(codigo);
}

void TfmPesquisaAssEquipamento::dbgdEquipamentoTitleClick(host::ui::GridColumn& coluna)
{
    host::ui::sortByColumn(*dbgdEquipamento, coluna);
    SalvarConfiguracaoDBGrid(dbgdEquipamento, false);
}

namespace {

// The current order's customer, where the e-mail option says the models are the customer's.
void presetClienteOrdem(TfmPesquisaAssEquipamento& dialogo)
{
    if (dmGlobal->Parametro("ATENVIOEMAILOS") != "C")
        return;
    const bool temOrdem = dmTec && dmTec->quOS->active() && !dmTec->quOS->isEmpty();
    dialogo.edCodCli->setText(temOrdem ? dmTec->quOSCLCODIGO->asString() : QString());
}

}  // namespace

bool SelecionaEquipamento(int& iCodigo, QString& sDescricao)
{
    static const QString kOrigem = "[SelecionaEquipamento]";
    dmGlobal->Log(kOrigem, "***INICIO");
    bool escolhido = false;
    {
        TfmPesquisaAssEquipamento* dialogo = fmPesquisaAssEquipamento.create();
        host::ui::ReleaseOnExit liberar(fmPesquisaAssEquipamento);
        presetClienteOrdem(*dialogo);
        host::data::Query& linha = *dialogo->quConsultaEquip;
        if (dialogo->showModal() == host::ui::ModalResult::Ok && linha.active() && !linha.isEmpty()) {
            iCodigo = linha.fieldByName("aecodigo")->asInteger();
            sDescricao = linha.fieldByName("aedescricao")->asString();
            linha.close();
            dmGlobal->quAuxiliar->close();
            escolhido = true;
        }
    }
    dmGlobal->Log(kOrigem, "***FIM");
    return escolhido;
}

bool SelecionaMultiplosEquipamento(QStringList& lista)
{
    static const QString kOrigem = "[SelecionaMultiplosEquipamento]";
    dmGlobal->Log(kOrigem, "***INICIO");
    bool ok = false;
    {
        TfmPesquisaAssEquipamento* dialogo = fmPesquisaAssEquipamento.create();
        host::ui::ReleaseOnExit liberar(fmPesquisaAssEquipamento);
        presetClienteOrdem(*dialogo);
        // The models of the contract being registered belong to its customer.
        if (dmGlobal->Parametro("ATUTILIZACONTRATOS") == "E" && uPesqAssEquipamento::ClienteContratoEmCadastro) {
            const QString contratante = uPesqAssEquipamento::ClienteContratoEmCadastro();
            if (!contratante.isEmpty())
                dialogo->edCodCli->setText(contratante);
        }
        lista.clear();
        dialogo->dbgdEquipamento->setMultiSelect(true);
        host::data::Query& linhas = *dialogo->quConsultaEquip;
        ok = dialogo->showModal() == host::ui::ModalResult::Ok;
        if (ok && linhas.active()) {
            for (int recNo : dialogo->dbgdEquipamento->selectedRows()) {
                linhas.setRecNo(recNo);
                lista << linhas.fieldByName("aecodigo")->asString();
            }
        }
        linhas.close();
    }
    dmGlobal->Log(kOrigem, "***FIM");
    return ok;
}
