// The technicians register: the header with the rights, the tabs of the
// qualified models, the descendants, the address and other information, the
// record buttons, the searches and the list report.

#include "service_orders/uAssTecnico.h"

#include "data/uDataTec.h"
#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesqcep.h"
#include "host/Upesqgeral.h"
#include "host/Urelatorio.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Errors.h"
#include "host/ui/PageControl.h"
#include "host/ui/SearchWindow.h"
#include "shared_windows/uAssCadastroComum.h"
#include "shared_windows/uPesqAssEquipamento.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using host::ui::named;
using uAssCadastroComum::BotaoCadastro;

host::ui::FormVar<TfmAssTecnico> fmAssTecnico("fmAssTecnico");

namespace {

bool modoVeiculoTecnico() { return dmGlobal && dmGlobal->Parametro("ATMODOVEICULO") == "O"; }

}  // namespace

TfmAssTecnico::TfmAssTecnico(QWidget* parent)
    : host::ui::Form(parent),
      dsTecnicos_(std::make_unique<host::data::DataSource>(nullptr, "dsTecnicos", dmTec ? dmTec->quTecnicos : nullptr)),
      dsTecEquip_(std::make_unique<host::data::DataSource>(nullptr, "dsTecEquip", dmTec ? dmTec->quTecEquip : nullptr)),
      dsTecDesc_(std::make_unique<host::data::DataSource>(nullptr, "dsTecDesc", dmTec ? dmTec->QuTecDesc : nullptr))
{
    const bool veiculo = modoVeiculoTecnico();
    setCaption(veiculo ? "Cadastro de Mecânicos" : "Cadastro de Técnicos");
    setStayOnTop(true);
    setCentered(true);
    criarControles();
    dbgdEquipamentos->column(1)->setTitle(veiculo ? "Veículo" : "Equipamento");
    laNome->setText(veiculo ? "Mecânico" : "Técnico");
    pcTecnico->setActivePage(tsEquipamentos);
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    onShow = [this] {
        SalvarConfiguracaoDBGrid(dbgdEquipamentos, true);
        SalvarConfiguracaoDBGrid(dbgdDescendentes, true);
    };
    onActivate = [this] {
        if (dmTec)
            FormActivate();
    };
    onDeactivate = [] {
        if (dmTec)
            FecharGravando(*dmTec->quTecEquip);   // a line being typed is stored first
    };
    onClose = [this](host::ui::CloseAction& action) {
        SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
        if (dmTec)
            tecnicos().close();
        action = host::ui::CloseAction::Free;
    };
}

TfmAssTecnico::~TfmAssTecnico()
{
    // The controls go before the data sources they show.
    delete pcTecnico;
    delete pnCabecalho;
}

host::data::Dataset& TfmAssTecnico::tecnicos() const { return *dsTecnicos_->dataset(); }

void TfmAssTecnico::criarControles()
{
    pnCabecalho = criarCabecalho();

    pcTecnico = new host::ui::PageControl("pcTecnico");
    tsEquipamentos = pcTecnico->addPage("tsEquipamentos", "Equipamentos Habilitados Para o Técnico");
    dbgdEquipamentos = new host::ui::DataGrid("dbgdEquipamentos");
    dbgdEquipamentos->setDataSource(dsTecEquip_.get());
    dbgdEquipamentos->addColumn("AECODIGO", "Código", 70)->setButtonStyle(host::ui::GridColumn::ButtonStyle::Ellipsis);
    dbgdEquipamentos->addColumn("EQUIPAMENTO", "Equipamento", 320)->setReadOnly(true);
    dbgdEquipamentos->onEditButtonClick = [this] { host::ui::runGuarded([this] { dbgdEquipamentosEditButtonClick(); }); };
    dbgdEquipamentos->onTitleClick = [this](host::ui::GridColumn& c) { tituloClick(dbgdEquipamentos, c); };
    (new QVBoxLayout(tsEquipamentos))->addWidget(dbgdEquipamentos);

    tsDescendentes = pcTecnico->addPage("tsDescendentes", "Descendentes");
    dbgdDescendentes = new host::ui::DataGrid("dbgdDescendentes");
    dbgdDescendentes->setDataSource(dsTecDesc_.get());
    dbgdDescendentes->addColumn("ATCODIGOFILHO", "Código do Técnico", 110)
        ->setButtonStyle(host::ui::GridColumn::ButtonStyle::Ellipsis);
    auto* nome = dbgdDescendentes->addColumn("ATNOME", "Nome do Técnico", 300);
    nome->setButtonStyle(host::ui::GridColumn::ButtonStyle::Ellipsis);
    nome->setReadOnly(true);
    dbgdDescendentes->onEditButtonClick = [this] {
        host::ui::runGuarded([this] { dbgdDescendentesEditButtonClick(); });
    };
    dbgdDescendentes->onTitleClick = [this](host::ui::GridColumn& c) { tituloClick(dbgdDescendentes, c); };
    (new QVBoxLayout(tsDescendentes))->addWidget(dbgdDescendentes);

    tsEndereco = pcTecnico->addPage("tsEndereco", "Endereço");
    (new QVBoxLayout(tsEndereco))->addWidget(criarEndereco());
    tsOutrasInformacoes = pcTecnico->addPage("tsOutrasInformacoes", "Outras Informações");
    (new QVBoxLayout(tsOutrasInformacoes))->addWidget(criarOutrasInformacoes());

    auto* botoes = new QHBoxLayout;
    bbNovo = BotaoCadastro(this, botoes, "bbNovo", "&Novo", [this] { bbNovoClick(); });
    bbSalvar = BotaoCadastro(this, botoes, "bbSalvar", "&Salvar", [this] { SalvarJanela(*this, tecnicos()); });
    bbCancelar = BotaoCadastro(this, botoes, "bbCancelar", "&Cancelar", [this] { CancelarAlteracoes(tecnicos()); });
    bbExcluir = BotaoCadastro(this, botoes, "bbExcluir", "&Excluir", [this] { ExcluirRegistro(tecnicos()); });
    sbAnterior = BotaoCadastro(this, botoes, "sbAnterior", "<", [this] {
        uAssCadastroComum::MoverSalvando(tecnicos(), false);
    });
    sbProximo = BotaoCadastro(this, botoes, "sbProximo", ">", [this] {
        uAssCadastroComum::MoverSalvando(tecnicos(), true);
    });
    bbPesquisar = BotaoCadastro(this, botoes, "bbPesquisar", {}, [this] { bbPesquisarClick(); });
    bbPesquisar->setToolTip("Pesquisar");
    bbPesquisar->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    bbRelatorio = BotaoCadastro(this, botoes, "bbRelatorio", "&Relatório", [this] { bbRelatorioClick(); });
    bbSair = BotaoCadastro(this, botoes, "bbSair", "S&air", [this] { close(); });

    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addWidget(pnCabecalho);
    janela->addWidget(pcTecnico, 1);
    janela->addLayout(botoes);
    resize(720, 520);
}

QWidget* TfmAssTecnico::criarCabecalho()
{
    host::data::DataSource* ds = dsTecnicos_.get();
    auto* painel = named<QWidget>("pnCabecalho");
    auto* grade = new QGridLayout(painel);
    dbedCodigo = new host::ui::DataEdit("dbedCodigo");
    dbedCodigo->bind(ds, "ATCODIGO");
    dbedCodigo->setReadOnlyControl(true);
    dbedCodigo->setEnabled(false);
    grade->addWidget(named<QLabel>("laCodigo", "Código"), 0, 0);
    grade->addWidget(dbedCodigo, 1, 0);
    laNome = named<QLabel>("laNome", "Técnico");
    dbedNome = new host::ui::DataEdit("dbedNome");
    dbedNome->bind(ds, "ATNOME");
    uAssCadastroComum::MaiusculasAoDigitar(dbedNome);
    grade->addWidget(laNome, 0, 1, 1, 3);
    grade->addWidget(dbedNome, 1, 1, 1, 3);
    const QStringList simNao{"Sim", "Não"};
    auto combo = [&](host::ui::DataComboBox*& membro, const char* nome, const char* campo, const QStringList& itens,
                     const char* rotulo, int linha, int coluna) {
        membro = new host::ui::DataLetterComboBox(nome, itens);
        membro->bind(ds, campo);
        grade->addWidget(named<QLabel>(QByteArray("la").append(nome + 4).constData(), QString::fromUtf8(rotulo)),
                         linha, coluna);
        grade->addWidget(membro, linha + 1, coluna);
    };
    combo(dbcbAlterarOS, "dbcbAlterarOS", "ATALTERAROS", simNao, "Alterar OS", 2, 0);
    combo(dbcbAlterarLaudo, "dbcbAlterarLaudo", "ATALTERARLAUDO", simNao, "Alterar Laudo", 2, 1);
    combo(dbcbAcessoRestrito, "dbcbAcessoRestrito", "ATACESSORESTRITO",
          {"Sim", "Não", "Apenas Itens", "Exceto Itens"}, "Acesso Restrito", 2, 2);
    combo(dbcbAtivo, "dbcbAtivo", "ATATIVO", simNao, "Téc. Ativo", 2, 3);
    combo(dbcbAlterarSituacao, "dbcbAlterarSituacao", "ATALTERARSITUACAO",
          {"T - Todas", "E - Exceto Situação tipo Morta", "N - Nenhuma Situação"}, "Alterar Situação OS", 4, 0);
    grade->setColumnStretch(3, 1);
    return painel;
}

QWidget* TfmAssTecnico::criarEndereco()
{
    host::data::DataSource* ds = dsTecnicos_.get();
    auto* painel = named<QWidget>("pnEndereco");
    auto* campos = new QFormLayout(painel);
    auto editar = [ds](host::ui::DataEdit*& membro, const char* nome, const char* campo) {
        membro = new host::ui::DataEdit(nome);
        membro->bind(ds, campo);
        return membro;
    };
    editar(dbedCEP, "dbedCEP", "ATCEP");
    sbPesqCEP = named<QToolButton>("sbPesqCEP");
    sbPesqCEP->setText("...");
    connect(sbPesqCEP, &QToolButton::clicked, this, [this] { host::ui::runGuarded([this] { sbPesqCEPClick(); }); });
    auto* cep = new QHBoxLayout;
    cep->addWidget(dbedCEP);
    cep->addWidget(sbPesqCEP);
    cep->addStretch();
    campos->addRow("CEP", cep);
    auto* endereco = new QHBoxLayout;
    endereco->addWidget(editar(dbedEndereco, "dbedEndereco", "ATENDERECO"), 1);
    // The number sits beside the street; its caption is hidden.
    laNumero = named<QLabel>("laNumero", "Nº");
    laNumero->hide();
    endereco->addWidget(laNumero);
    endereco->addWidget(editar(dbedNumero, "dbedNumero", "ATENDNUMERO"));
    dbedNumero->setMaximumWidth(90);
    campos->addRow("Endereço", endereco);
    campos->addRow("Bairro", editar(dbedBairro, "dbedBairro", "ATBAIRRO"));
    campos->addRow("Cidade", editar(dbedCidade, "dbedCidade", "ATCIDADE"));
    dbcbUF = new host::ui::DataComboBox("dbcbUF", host::ui::DataComboBox::Style::DropDownList);
    dbcbUF->setPickList({"",   "AC", "AL", "AM", "AP", "BA", "CE", "DF", "ES", "GO", "MA", "MG", "MS", "MT",
                         "PA", "PB", "PE", "PI", "PR", "RJ", "RN", "RO", "RR", "RS", "SC", "SE", "SP", "TO"});
    dbcbUF->bind(ds, "ATUF");
    campos->addRow("Estado", dbcbUF);
    campos->addRow("Complemento", editar(dbedComplemento, "dbedComplemento", "ATENDCOMPLEMENTO"));
    return painel;
}

QWidget* TfmAssTecnico::criarOutrasInformacoes()
{
    host::data::DataSource* ds = dsTecnicos_.get();
    auto* painel = named<QWidget>("pnOutrasInformacoes");
    auto* campos = new QFormLayout(painel);
    dbedEmail = new host::ui::DataEdit("dbedEmail");
    dbedEmail->bind(ds, "ATEMAIL");
    campos->addRow("E-mail", dbedEmail);
    dbedUsuario = new host::ui::DataEdit("dbedUsuario");
    dbedUsuario->bind(ds, "ATUSUARIO");
    uAssCadastroComum::MaiusculasAoDigitar(dbedUsuario);
    campos->addRow("Usuário", dbedUsuario);
    return painel;
}

void TfmAssTecnico::FormActivate()
{
    dmTec->CarregarTecnicos(-1, false);
    if (!dmTec->quTecEquip->active())
        dmTec->quTecEquip->open();
    // The rights are the master user's to say (the data module refuses them to anyone else).
    const bool mestre = UsuarioMestre();
    for (QWidget* direito : {static_cast<QWidget*>(dbcbAlterarOS), static_cast<QWidget*>(dbcbAlterarLaudo),
                             static_cast<QWidget*>(dbcbAcessoRestrito), static_cast<QWidget*>(dbcbAlterarSituacao)})
        direito->setEnabled(mestre);
}

void TfmAssTecnico::bbNovoClick()
{
    try {
        InserirRegistro(tecnicos());
    } catch (const std::exception&) {
        // The row is left as the dataset has it; the name is typed next anyway.
    }
    dbedNome->setFocus();
}

void TfmAssTecnico::bbPesquisarClick()
{
    QString codigo, nada1, nada2;
    if (SelecionaPesquisaGeral(74, "ATCODIGO", "ATCODIGO", "ATCODIGO", codigo, nada1, nada2))
        tecnicos().locate("ATCODIGO", codigo.toInt());
}

void TfmAssTecnico::sbPesqCEPClick()
{
    QString cep, endereco, bairro, cidade, uf;
    if (!SelecionaCEP(cep, endereco, bairro, cidade, uf))
        return;
    host::data::Dataset& registro = tecnicos();
    registro.edit();
    registro.fieldByName("ATCEP")->setAsString(cep);
    registro.fieldByName("ATENDERECO")->setAsString(endereco);
    registro.fieldByName("ATBAIRRO")->setAsString(bairro);
    registro.fieldByName("ATCIDADE")->setAsString(cidade);
    registro.fieldByName("ATUF")->setAsString(uf);
}

void TfmAssTecnico::dbgdEquipamentosEditButtonClick()
{
    host::data::Field* campo = dbgdEquipamentos->selectedField();
    if (campo && campo->fieldName().compare("AECODIGO", Qt::CaseInsensitive) == 0) {
        int codigo = 0;
        QString descricao;
        if (!SelecionaEquipamento(codigo, descricao))
            return;
        host::data::Dataset& linha = *dbgdEquipamentos->dataset();
        if (linha.state() == host::data::DatasetState::Browse)
            linha.edit();
        linha.fieldByName("AECODIGO")->setAsInteger(codigo);
        linha.fieldByName("EQUIPAMENTO")->setAsString(descricao);
        return;
    }
    AbrirPesquisaReferentePelaGrid(dbgdEquipamentos);
}

void TfmAssTecnico::dbgdDescendentesEditButtonClick()
{
    host::data::Field* campo = dbgdDescendentes->selectedField();
    const QString nome = campo ? campo->fieldName().toUpper() : QString();
    if (nome == "ATCODIGOFILHO") {
        QString codigo, nada1, nada2;
        if (!SelecionaPesquisaGeral(74, "ATCODIGO", "ATCODIGO", "ATCODIGO", codigo, nada1, nada2))
            return;
        host::data::Dataset& linha = *dbgdDescendentes->dataset();
        if (linha.state() == host::data::DatasetState::Browse)
            linha.edit();
        bool numero = false;
        const int filho = codigo.trimmed().toInt(&numero);
        linha.fieldByName("ATCODIGOFILHO")->setAsInteger(numero ? filho : 0);
        return;
    }
    if (nome == "ATNOME")
        return;   // the name follows the code
    AbrirPesquisaReferentePelaGrid(dbgdDescendentes);
}

void TfmAssTecnico::tituloClick(host::ui::DataGrid* grade, host::ui::GridColumn& coluna)
{
    host::ui::sortByColumn(*grade, coluna);
    SalvarConfiguracaoDBGrid(grade, false);
}

void TfmAssTecnico::bbRelatorioClick()
{
    uAssCadastroComum::RelatorioCadastro(static_cast<host::data::Query&>(tecnicos()), {}, [](TqrRelatorio& r) {
        r.setTitulo("Cadastro de Técnicos");
        r.setSubtitulo("Assistência Técnica");
        r.setPrograma("AATC06AT");
        r.AdicionaColuna("Código", "ATCODIGO");
        r.AdicionaColuna("Nome do Técnico", "ATNOME");
        r.AdicionaColuna("Alterar OS", "ATALTERAROS");
        r.AdicionaColuna("Alterar Laudo", "ATALTERARLAUDO");
        r.AdicionaColuna("Acesso Restrito", "ATACESSORESTRITO");
        r.AdicionaColuna("Téc. Ativo", "ATATIVO");
    });
}
