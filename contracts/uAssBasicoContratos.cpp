// The basic contract register: the contract's fields, the equipment and
// services pages, the record buttons, the pickers and the print question.

#include "contracts/uAssBasicoContratos.h"

#include "contracts/uPesqAssContratos.h"
#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesqcli.h"
#include "host/Upesqprod.h"
#include "host/Uprincipal.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"
#include "host/ui/PageControl.h"
#include "service_orders/uAssOrdemServico.h"
#include "shared_windows/uPesqAssEquipamento.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using host::ui::named;

host::ui::FormVar<TfmAssBasicoContratos> fmAssBasicoContratos("fmAssBasicoContratos");

namespace uAssBasicoContratos {

bool ModoVeiculo()
{
    return dmGlobal->Parametro("ATMODOVEICULO") == "O";
}

}  // namespace uAssBasicoContratos

namespace {

host::data::Query& contratoBasico() { return *dmTec->quContrato; }

// The register buttons and pickers put the contract into edit unless it is
// already being edited or inserted.
void editarContrato()
{
    if (!contratoBasico().editing())
        contratoBasico().edit();
}

}  // namespace

TfmAssBasicoContratos::TfmAssBasicoContratos(QWidget* parent)
    : host::ui::Form(parent),
      dsContrato(std::make_unique<host::data::DataSource>(nullptr, "dsContrato", dmTec->quContrato)),
      dsContEquip(std::make_unique<host::data::DataSource>(nullptr, "dsContEquip", dmTec->quContEquip)),
      dsContServ(std::make_unique<host::data::DataSource>(nullptr, "dsContServ", dmTec->quContServ)),
      dsCliente(std::make_unique<host::data::DataSource>(nullptr, "dsCliente", dmGlobal->quClienteLista))
{
    setCaption("Cadastro de Contratos");
    setStayOnTop(true);
    setCentered(true);
    setKeyPreview(true);
    criarControles();
    // The contract list belongs to the service-order window while it is open.
    if (!JanelaOrdemServico(false))
        dmTec->CarregaContrato(0);
    pcContrato->setActivePage(tsEquipamentos);
    AjustaTitulosEquipamento();
    onActivate = [this] { FormActivate(); };
    onDeactivate = [this] { FormDeactivate(); };
    onClose = [this](host::ui::CloseAction& action) { FormClose(action); };
    onKeyDown = [this](int& key, Qt::KeyboardModifiers shift) { FormKeyDown(key, shift); };
}

TfmAssBasicoContratos::~TfmAssBasicoContratos()
{
    for (auto* fonte : {dsContrato.get(), dsContEquip.get(), dsContServ.get(), dsCliente.get()})
        fonte->setDataset(nullptr);
}

void TfmAssBasicoContratos::criarControles()
{
    host::data::DataSource* ds = dsContrato.get();
    auto editar = [ds](host::ui::DataEdit*& membro, const char* nome, const char* campo) {
        membro = new host::ui::DataEdit(nome);
        membro->bind(ds, campo);
        return membro;
    };
    auto lista = [ds](host::ui::DataComboBox*& membro, const char* nome, const char* campo, const QStringList& itens) {
        membro = new host::ui::DataComboBox(nome, host::ui::DataComboBox::Style::DropDownList);
        membro->setPickList(itens);
        membro->bind(ds, campo);
        return membro;
    };
    auto pesquisa = [this](QToolButton*& membro, const char* nome, std::function<void()> acao) {
        membro = named<QToolButton>(nome);
        membro->setText("...");
        connect(membro, &QToolButton::clicked, this, [acao] { host::ui::runGuarded(acao); });
        return membro;
    };
    auto linha = [](std::initializer_list<QWidget*> widgets) {
        auto* l = new QHBoxLayout;
        for (QWidget* w : widgets)
            l->addWidget(w);
        return l;
    };

    auto* dados = named<QGroupBox>("gbContrato", "Dados do Contrato");
    auto* esquerda = new QFormLayout;
    auto* direita = new QFormLayout;
    esquerda->addRow("Nº do Contrato", editar(dbedNumeroContrato, "dbedNumeroContrato", "ACNUMEROCONTRATO"));
    esquerda->addRow("Descrição", editar(dbedDescricao, "dbedDescricao", "ACDESCRICAO"));
    esquerda->addRow("Valor do Contrato", editar(dbedValor, "dbedValor", "ACVALOR"));
    laCliente = new host::ui::DataLabel("laCliente");
    laCliente->setText("Cliente");
    laCliente->setCursor(Qt::PointingHandCursor);
    laCliente->onClick = [this] { laClienteClick(); };
    dblcCliente = new host::ui::DataLookupCombo("dblcCliente");
    dblcCliente->setListSource(dsCliente.get());
    dblcCliente->setKeyField("CODIGO_CLIENTE");
    dblcCliente->setListField("NOME");
    dblcCliente->bind(ds, "CLCODIGO");
    pesquisa(sbPesqCliente, "sbPesqCliente", [this] { sbPesqClienteClick(); });
    esquerda->addRow(laCliente, linha({dblcCliente, sbPesqCliente}));
    editar(dbedContato, "dbedContato", "CONTATO")->setReadOnlyControl(true);
    esquerda->addRow("Contato:", dbedContato);
    esquerda->addRow("Prioridade", lista(dbcbPrioridade, "dbcbPrioridade", "ACPRIORIDADE", {"Baixa", "Média", "Alta"}));
    esquerda->addRow("Atendimento", lista(dbcbAtendimento, "dbcbAtendimento", "ACATENDIMENTO", {"Interno", "Externo"}));
    direita->addRow("Tipo ", lista(dbcbTipoContrato, "dbcbTipoContrato", "ACTIPOCONTRATO", {"Com Peça", "Sem Peça"}));
    direita->addRow("Data Implantação", editar(dbedDataImplantacao, "dbedDataImplantacao", "ACDATAIMPLANTACAO"));
    direita->addRow("Data Validade", editar(dbedDataValidade, "dbedDataValidade", "ACDATAVALIDADE"));
    direita->addRow("Limite de Chamadas", editar(dbedLimite, "dbedLimite", "ACLIMITE"));
    direita->addRow("Limite de Hora", editar(dbedLimiteHora, "dbedLimiteHora", "ACLIMITEHORA"));
    direita->addRow("Valor Cham./Hora Exced.", editar(dbedValorExcedente, "dbedValorExcedente", "ACVALORCHAMADAEXCEDENTE"));
    editar(dbedServico, "dbedServico", "PRCODIGO");
    pesquisa(sbPesqServico, "sbPesqServico", [this] { sbPesqServicoClick(); });
    direita->addRow("Código no Cadastro Serviço:", linha({dbedServico, sbPesqServico}));
    auto* colunas = new QHBoxLayout(dados);
    colunas->addLayout(esquerda, 1);
    colunas->addLayout(direita, 1);

    auto* texto = named<QGroupBox>("gbTexto", "Texto Adicional");
    dbmeTexto = new host::ui::DataMemo("dbmeTexto");
    dbmeTexto->bind(ds, "ACTEXTO");
    (new QVBoxLayout(texto))->addWidget(dbmeTexto);
    texto->setMaximumHeight(110);

    criarGrades();

    auto* botoes = new QHBoxLayout;
    auto botao = [&](QPushButton*& membro, const char* nome, const QString& rotulo, std::function<void()> acao) {
        membro = named<QPushButton>(nome, rotulo);
        botoes->addWidget(membro);
        connect(membro, &QPushButton::clicked, this, [acao] { host::ui::runGuarded(acao); });
    };
    botao(bbNovo, "bbNovo", "&Novo", [this] { bbNovoClick(); });
    botao(bbSalvar, "bbSalvar", "&Salvar", [this] { bbSalvarClick(); });
    botao(bbCancelar, "bbCancelar", "&Cancelar", [] { CancelarAlteracoes(contratoBasico()); });
    botao(bbExcluir, "bbExcluir", "&Excluir", [] { ExcluirRegistro(contratoBasico()); });
    botao(bbPesquisar, "bbPesquisar", "&Pesquisar", [this] { bbPesquisarClick(); });
    botao(bbRelatorio, "bbRelatorio", "&Relatório", [this] { bbRelatorioClick(); });
    botao(bbSair, "bbSair", "S&air", [this] { close(); });

    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addWidget(dados);
    janela->addWidget(texto);
    janela->addWidget(pcContrato, 1);
    janela->addLayout(botoes);
    resize(780, 600);
}

void TfmAssBasicoContratos::criarGrades()
{
    pcContrato = new host::ui::PageControl("pcContrato");
    tsEquipamentos = pcContrato->addPage("tsEquipamentos", "Equipamentos");
    tsServicos = pcContrato->addPage("tsServicos", "Serviços");

    dbgdEquipamentos = new host::ui::DataGrid("dbgdEquipamentos");
    dbgdEquipamentos->setDataSource(dsContEquip.get());
    dbgdEquipamentos->addColumn("AECODIGO", "Código", 60)->setButtonStyle(host::ui::GridColumn::ButtonStyle::Ellipsis);
    dbgdEquipamentos->addColumn("DESCEQUIP", "Equipamento", 200)->setReadOnly(true);
    dbgdEquipamentos->addColumn("COPLACA", "Placa", 70);
    dbgdEquipamentos->addColumn("COSERIE", "Nº de Série", 110);
    dbgdEquipamentos->addColumn("COCODIGOINTERNO", "Cód. Interno", 80);
    dbgdEquipamentos->addColumn("COVALOR", "Valor", 80);
    dbgdEquipamentos->addColumn("COENDERECO", "Endereço", 180);
    dbgdEquipamentos->addColumn("COBAIRRO", "Bairro", 100);
    dbgdEquipamentos->addColumn("COCIDADE", "Cidade", 100);
    dbgdEquipamentos->addColumn("COESTADO", "Estado", 40);
    dbgdEquipamentos->onEditButtonClick = [this] { dbgdEquipamentosEditButtonClick(); };
    dbgdEquipamentos->onTitleClick = [this](host::ui::GridColumn& coluna) {
        dbgdEquipamentosTitleClick(coluna.index());
    };
    dbgdEquipamentos->onDblClick = [] { uAssBasicoContratos::CopiarEquipamentoParaOS(); };
    (new QVBoxLayout(tsEquipamentos))->addWidget(dbgdEquipamentos);

    dbgdServicos = new host::ui::DataGrid("dbgdServicos");
    dbgdServicos->setDataSource(dsContServ.get());
    dbgdServicos->addColumn("COCIDADE", "Código", 90)->setButtonStyle(host::ui::GridColumn::ButtonStyle::Ellipsis);
    dbgdServicos->addColumn("COENDERECO", "Descrição", 300);
    dbgdServicos->addColumn("COVALOR", "Valor", 90);
    for (const char* oculto : {"COCODIGO", "ACCODIGO", "COIDENTIFICADOR"})
        dbgdServicos->addColumn(oculto)->setVisible(false);
    dbgdServicos->onEditButtonClick = [this] { dbgdServicosEditButtonClick(); };
    dbgdServicos->onDblClick = [] { uAssBasicoContratos::CopiarServicoParaOS(); };
    (new QVBoxLayout(tsServicos))->addWidget(dbgdServicos);
}

void TfmAssBasicoContratos::AjustaTitulosEquipamento()
{
    const bool veiculo = uAssBasicoContratos::ModoVeiculo();
    struct Titulo {
        const char* campo;
        const char* veiculo;
        const char* equipamento;
    };
    static const Titulo titulos[] = {
        {"DESCEQUIP", "Veículo", "Equipamento"}, {"COSERIE", "Chassi", "Nº de Série"},
        {"COCODIGOINTERNO", "Combustível", "Cód. Interno"}, {"COENDERECO", "Marca", "Endereço"},
        {"COBAIRRO", "Modelo", "Bairro"}, {"COCIDADE", "Cor", "Cidade"},
        {"COESTADO", "Ano Fab.", "Estado"},
    };
    for (const Titulo& t : titulos)
        dbgdEquipamentos->columnByField(t.campo)->setTitle(veiculo ? t.veiculo : t.equipamento);
    dbgdEquipamentos->columnByField("COPLACA")->setVisible(veiculo);
    dbgdEquipamentos->columnByField("COVALOR")->setVisible(!veiculo);
}

void TfmAssBasicoContratos::FormActivate()
{
    const int atual = contratoBasico().active() && !contratoBasico().isEmpty() ? dmTec->quContratoACCODIGO->asInteger() : 0;
    for (host::data::Query* detalhe : {dmTec->quContEquip, dmTec->quContServ})
        if (!detalhe->active()) {
            detalhe->paramByName("accodigo")->setAsInteger(atual);
            detalhe->open();
        }
    dmGlobal->CarregaListaClientes();
}

void TfmAssBasicoContratos::FormDeactivate()
{
    // Leaving the window ends its lines: what is being typed is stored first.
    for (host::data::Dataset* d : {static_cast<host::data::Dataset*>(dmTec->quContEquip),
                                   static_cast<host::data::Dataset*>(dmTec->quContServ),
                                   static_cast<host::data::Dataset*>(dmGlobal->quClienteLista)})
        FecharGravando(*d);
}

void TfmAssBasicoContratos::FormClose(host::ui::CloseAction& action)
{
    contratoBasico().close();
    action = host::ui::CloseAction::Free;
}

void TfmAssBasicoContratos::FormKeyDown(int& key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_Escape) {
        key = 0;
        host::ui::runGuarded([this] { bbPesquisarClick(); });
    }
}

void TfmAssBasicoContratos::bbNovoClick()
{
    InserirRegistro(contratoBasico());
    // The cursor goes to the contract number when the field can take it.
    if (dbedNumeroContrato->isVisible() && dbedNumeroContrato->isEnabled())
        dbedNumeroContrato->setFocus();
}

void TfmAssBasicoContratos::bbSalvarClick()
{
    SalvarAlteracoes(contratoBasico());
    SalvarAlteracoes(*dmTec->quContEquip);
    saveChanges();
}

void TfmAssBasicoContratos::bbPesquisarClick()
{
    int codigo = 0;
    QString numero;
    if (!uPesqAssContratos::SelecionaContrato(codigo, numero))
        return;
    saveChanges();   // the reload drops the rows shown: what is being typed goes first
    dmTec->CarregaContrato(codigo);
}

void TfmAssBasicoContratos::bbRelatorioClick()
{
    const QString escolha = MostraPergunta("Deseja imprimir o relatório resumido ou completo?", {"Resumido", "Completo"});
    if (escolha == "Completo")
        uAssBasicoContratos::ImprimirContratoCompleto();
    else if (escolha == "Resumido")
        uAssBasicoContratos::ImprimirContratosResumido();
}

void TfmAssBasicoContratos::sbPesqClienteClick()
{
    editarContrato();
    QString nome, codigo, fantasia;
    if (SelecionaCliente(nome, codigo, fantasia))
        dmTec->quContratoCLCODIGO->setAsString(codigo);
}

void TfmAssBasicoContratos::sbPesqServicoClick()
{
    editarContrato();
    QString codigo, descricao;
    double preco = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
    if (SelecionaProduto(codigo, descricao, preco, estoque, reservado, promocional, custo))
        dmTec->quContratoPRCODIGO->setAsString(codigo);
}

void TfmAssBasicoContratos::laClienteClick()
{
    const QString escolha =
        MostraPergunta("Deseja acessar o cadastro de pessoa Física ou Jurídica?", {"Física", "Jurídica"});
    if (!fmPrincipal)
        return;
    const char* item = escolha == "Física" ? "miCadastroPessoaFisica"
                       : escolha == "Jurídica" ? "miCadastroPessoaJuridica" : nullptr;
    if (TMenuItem* menu = item ? fmPrincipal->findMenuItem(item) : nullptr)
        menu->click();
}

void TfmAssBasicoContratos::dbgdEquipamentosEditButtonClick()
{
    int codigo = 0;
    QString descricao;
    if (!SelecionaEquipamento(codigo, descricao))
        return;
    host::data::Query& equipamentos = *dmTec->quContEquip;
    if (!equipamentos.editing())
        equipamentos.edit();
    dmTec->quContEquipAECODIGO->setAsInteger(codigo);
    dmTec->quContEquipDESCEQUIP->setAsString(descricao);
    // The column after the description (the plate shows only for vehicles).
    dbgdEquipamentos->setSelectedIndex(dbgdEquipamentos->columnByField("COPLACA")->visible() ? 2 : 3);
}

void TfmAssBasicoContratos::dbgdServicosEditButtonClick()
{
    QString codigo, descricao;
    double preco = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
    if (!SelecionaProduto(codigo, descricao, preco, estoque, reservado, promocional, custo))
        return;
    host::data::Query& servicos = *dmTec->quContServ;
    if (!servicos.editing())
        servicos.edit();
    dmTec->quContServCOCIDADE->setAsString(codigo);
    dbgdServicos->setSelectedIndex(2);
}

void TfmAssBasicoContratos::dbgdEquipamentosTitleClick(int coluna)
{
    // The second column's title opens the register of the equipment models.
    if (coluna == 1 && fmPrincipal)
        fmPrincipal->AbrirJanela("fmAssEquipamento");
}
