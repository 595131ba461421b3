// The meter register: one meter or group in the edits, every one in the grid.

#include "contracts/uAssCadMedidor.h"

#include "contract_data/uDataTecCont.h"
#include "host/Udatamod.h"
#include "host/data/DataSource.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Errors.h"
#include "host/ui/SearchWindow.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

using host::ui::named;

host::ui::FormVar<TfmAssCadMedidor> fmAssCadMedidor("fmAssCadMedidor");

namespace {

host::data::Dataset* medidores()
{
    return dmTecContrato ? dmTecContrato->quCtrCadastroMedidor : nullptr;
}

}  // namespace

TfmAssCadMedidor::TfmAssCadMedidor(QWidget* parent)
    : host::ui::Form(parent),
      dsCadastro_(std::make_unique<host::data::DataSource>(nullptr, "dsCadastro", medidores()))
{
    setCaption("Cadastro Medidores");
    setStayOnTop(true);
    setCentered(true);
    criarControles();
    onActivate = [this] { FormActivate(); };
    onShow = [this] { SalvarConfiguracaoDBGrid(dbgdCadastro, true); };
    onClose = [this](host::ui::CloseAction& action) { FormClose(action); };
}

TfmAssCadMedidor::~TfmAssCadMedidor() = default;

void TfmAssCadMedidor::criarControles()
{
    auto* campos = new QFormLayout;
    dbedCodigo = named<host::ui::DataEdit>("dbedCodigo", "dbedCodigo");
    dbedCodigo->setReadOnlyControl(true);
    dbedDescricao = named<host::ui::DataEdit>("dbedDescricao", "dbedDescricao");
    dbedContador = named<host::ui::DataEdit>("dbedContador", "dbedContador");
    dbcbIdentificador = named<host::ui::DataComboBox>("dbcbIdentificador", "dbcbIdentificador",
                                                      host::ui::DataComboBox::Style::DropDownList);
    dbcbIdentificador->setPickList({"Medidor", "Grupo"});
    const std::pair<host::ui::DataControl*, const char*> ligacoes[] = {
        {dbedCodigo, "COCODIGO"}, {dbedDescricao, "CODESCRICAO"}, {dbedContador, "COCONTADOR"},
        {dbcbIdentificador, "COID"}};
    for (const auto& [controle, campo] : ligacoes)
        controle->bind(dsCadastro_.get(), campo);
    campos->addRow("Código", dbedCodigo);
    campos->addRow("Descrição", dbedDescricao);
    campos->addRow("Contador", dbedContador);
    campos->addRow("Identificador", dbcbIdentificador);

    auto* registros = named<QGroupBox>("gbRegistros", "Registros Cadastrados");
    dbgdCadastro = named<host::ui::DataGrid>("dbgdCadastro", "dbgdCadastro");
    dbgdCadastro->setDataSource(dsCadastro_.get());
    dbgdCadastro->setReadOnlyGrid(true);
    dbgdCadastro->setRowSelect(true);
    dbgdCadastro->addColumn("COCODIGO", "Código");
    dbgdCadastro->addColumn("CODESCRICAO", "Descrição", 250);
    dbgdCadastro->addColumn("COCONTADOR", "Contador");
    dbgdCadastro->addColumn("COID", "ID");
    dbgdCadastro->onTitleClick = [this](host::ui::GridColumn& coluna) {
        if (host::ui::sortByColumn(*dbgdCadastro, coluna))
            SalvarConfiguracaoDBGrid(dbgdCadastro, false);
    };
    (new QVBoxLayout(registros))->addWidget(dbgdCadastro);

    auto* botoes = new QHBoxLayout;
    auto botao = [&](QPushButton*& membro, const char* nome, const QString& texto, std::function<void()> acao) {
        membro = named<QPushButton>(nome, texto);
        botoes->addWidget(membro);
        connect(membro, &QPushButton::clicked, this, [this, acao] { host::ui::runGuarded(acao); });
    };
    botao(sbAnterior, "sbAnterior", "<", [this] { Mover(-1); });
    botao(sbProximo, "sbProximo", ">", [this] { Mover(1); });
    botao(bbNovo, "bbNovo", "&Novo", [this] { bbNovoClick(); });
    botao(bbSalvar, "bbSalvar", "&Salvar", [this] { SalvarJanela(*this, cadastro()); });
    botao(bbCancelar, "bbCancelar", "&Cancelar", [this] { CancelarAlteracoes(cadastro()); });
    botao(bbExcluir, "bbExcluir", "&Excluir", [this] { ExcluirRegistro(cadastro()); });
    botao(bbSair, "bbSair", "S&air", [this] { close(); });

    auto* janela = new QVBoxLayout(this);
    janela->addLayout(campos);
    janela->addWidget(registros, 1);
    janela->addLayout(botoes);
    resize(520, 420);
}

host::data::Dataset& TfmAssCadMedidor::cadastro() const
{
    if (!dsCadastro_->dataset())
        throw std::runtime_error("O módulo de contratos não está aberto.");
    return *dsCadastro_->dataset();
}

void TfmAssCadMedidor::FormActivate()
{
    if (host::data::Dataset* dataset = dsCadastro_->dataset(); dataset && !dataset->active())
        dataset->open();
}

void TfmAssCadMedidor::FormClose(host::ui::CloseAction& action)
{
    if (host::data::Dataset* dataset = dsCadastro_->dataset())
        dataset->close();
    action = host::ui::CloseAction::Free;
}

void TfmAssCadMedidor::bbNovoClick()
{
    InserirRegistro(cadastro());
    dbedDescricao->setFocus();
}

void TfmAssCadMedidor::Mover(int passo)
{
    host::data::Dataset& dataset = cadastro();
    SalvarAlteracoes(dataset);
    dataset.moveBy(passo);
}
