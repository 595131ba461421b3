// The equipment register: one model at a time, the search, the linked
// product, the type list and the list report.

#include "service_orders/uAssEquipamento.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesqprod.h"
#include "host/Urelatorio.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Band.h"
#include "host/report/Controls.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"
#include "shared_windows/uAssCadastroComum.h"
#include "shared_windows/uPesqAssEquipamento.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using host::ui::named;
using uAssCadastroComum::BotaoCadastro;

host::ui::FormVar<TfmAssEquipamento> fmAssEquipamento("fmAssEquipamento");

namespace {

bool modoVeiculoEquipamento() { return dmGlobal && dmGlobal->Parametro("ATMODOVEICULO") == "O"; }

}  // namespace

TfmAssEquipamento::TfmAssEquipamento(QWidget* parent)
    : host::ui::Form(parent),
      dsEquipamento_(
          std::make_unique<host::data::DataSource>(nullptr, "dsEquipamento", dmTec ? dmTec->quEquipamento : nullptr))
{
    // Vehicle installations keep vehicle models in the same register.
    setCaption(modoVeiculoEquipamento() ? "Cadastro de Veículos" : "Cadastro de Equipamentos");
    setStayOnTop(true);
    setCentered(true);
    setKeyPreview(true);
    criarControles();
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    onActivate = [this] {
        if (dmTec && !equipamentos().active())
            equipamentos().open();
    };
    onShow = [this] {
        aplicarModo();
        CarregaTipos();
    };
    onKeyDown = [this](int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Escape) {
            key = 0;
            host::ui::runGuarded([this] { bbPesquisarClick(); });
        }
    };
    onClose = [this](host::ui::CloseAction& action) {
        if (dmTec)
            equipamentos().close();
        SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
        action = host::ui::CloseAction::Free;
    };
}

TfmAssEquipamento::~TfmAssEquipamento()
{
    // The controls go before the data source they show.
    delete pnEdicao;
}

host::data::Dataset& TfmAssEquipamento::equipamentos() const { return *dsEquipamento_->dataset(); }

void TfmAssEquipamento::criarControles()
{
    host::data::DataSource* ds = dsEquipamento_.get();
    pnEdicao = named<QWidget>("pnEdicao");
    campos_ = new QFormLayout(pnEdicao);
    auto editar = [&](host::ui::DataEdit*& membro, const char* nome, const char* campo, const QString& rotulo) {
        membro = new host::ui::DataEdit(nome);
        membro->bind(ds, campo);
        campos_->addRow(rotulo, membro);
    };
    editar(dbedCodigo, "dbedCodigo", "AECODIGO", "Código");
    dbedCodigo->setEnabled(false);
    dbedCodigo->setReadOnlyControl(true);
    editar(dbedDescricao, "dbedDescricao", "AEDESCRICAO", "Descrição");
    editar(dbedMarca, "dbedMarca", "AEMARCA", "Marca");
    editar(dbedModelo, "dbedModelo", "AEMODELO", "Modelo");
    editar(dbedCarroceria, "dbedCarroceria", "AECARROCERIAMARCA", "Marca Carroceria");
    dbcbTipo = new host::ui::DataComboBox("dbcbTipo");
    dbcbTipo->bind(ds, "AETIPO");
    campos_->addRow("Tipo", dbcbTipo);
    dbcbId = new host::ui::DataLetterComboBox("dbcbId", {"Equipamento", "Veículo"});
    dbcbId->bind(ds, "AEIDENTIFICADOR");
    campos_->addRow("Identificador", dbcbId);
    dbcbAtivo = new host::ui::DataLetterComboBox("dbcbAtivo", {"Sim", "Não"});
    dbcbAtivo->bind(ds, "AEATIVO");
    campos_->addRow("Ativo", dbcbAtivo);
    editar(dbedValorGarantia, "dbedValorGarantia", "AEVALORGARANTIA", "Valor Garantia");
    editar(dbedCodInt, "dbedCodInt", "AECODIGOINTERNO", "Código Alternativo");
    dbedProdutoVinculado = new host::ui::DataEdit("dbedProdutoVinculado");
    dbedProdutoVinculado->bind(ds, "PRCODIGO");
    dbedProdutoVinculado->setEnabled(false);
    sbPesqProduto = named<QToolButton>("sbPesqProduto");
    sbPesqProduto->setText("...");
    connect(sbPesqProduto, &QToolButton::clicked, this,
            [this] { host::ui::runGuarded([this] { sbPesqProdutoClick(); }); });
    auto* produto = new QHBoxLayout;
    produto->addWidget(dbedProdutoVinculado, 1);
    produto->addWidget(sbPesqProduto);
    campos_->addRow("Produto Vinculado", produto);
    linhaProduto_ = produto;
    dbmeObservacao = new host::ui::DataMemo("dbmeObservacao");
    dbmeObservacao->bind(ds, "AEOBSERVACAO");
    campos_->addRow("Observação", dbmeObservacao);

    auto* botoes = new QHBoxLayout;
    bbNovo = BotaoCadastro(this, botoes, "bbNovo", "&Novo", [this] { bbNovoClick(); });
    bbSalvar = BotaoCadastro(this, botoes, "bbSalvar", "&Salvar", [this] { SalvarJanela(*this, equipamentos()); });
    bbCancelar =
        BotaoCadastro(this, botoes, "bbCancelar", "&Cancelar", [this] { CancelarAlteracoes(equipamentos()); });
    bbExcluir = BotaoCadastro(this, botoes, "bbExcluir", "&Excluir", [this] { ExcluirRegistro(equipamentos()); });
    bbPesquisar = BotaoCadastro(this, botoes, "bbPesquisar", {}, [this] { bbPesquisarClick(); });
    bbPesquisar->setToolTip("Pesquisar");
    bbPesquisar->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    bbRelatorio = BotaoCadastro(this, botoes, "bbRelatorio", "&Relatório", [this] { bbRelatorioClick(); });
    bbSair = BotaoCadastro(this, botoes, "bbSair", "S&air", [this] { close(); });

    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addWidget(pnEdicao, 1);
    janela->addLayout(botoes);
    resize(600, 460);
}

void TfmAssEquipamento::aplicarModo()
{
    const bool veiculo = modoVeiculoEquipamento();
    // A hidden row takes no room: the rows below it move up.
    campos_->setRowVisible(dbedCarroceria, veiculo);
    campos_->setRowVisible(linhaProduto_,
                           veiculo || dmGlobal->Parametro("ATVINCULAPRODUTOEQUIPAMENTO") == "S");
}

void TfmAssEquipamento::CarregaTipos()
{
    host::data::Query& tipos = *dmGlobal->quAuxiliar;
    tipos.close();
    tipos.setSql("select first 20 (AETIPO)   from aatc03ae              where AeTIPO is not null    group by AeTIPO "
                 "          Order by AeTipo            ");
    tipos.open();
    QStringList lista;
    for (tipos.first(); !tipos.eof(); tipos.next())
        lista << tipos.fields().front()->asString();
    tipos.close();
    dbcbTipo->setPickList(lista);
}

void TfmAssEquipamento::bbNovoClick()
{
    InserirRegistro(equipamentos());
    dbedDescricao->setFocus();
}

void TfmAssEquipamento::bbPesquisarClick()
{
    int codigo = 0;
    QString descricao;
    if (SelecionaEquipamento(codigo, descricao))
        dmTec->CarregaEquipamento(codigo);
}

void TfmAssEquipamento::sbPesqProdutoClick()
{
    QString codigo, descricao;
    double preco = 0, estoque = 0, reservado = 0, promocional = 0, custo = 0;
    if (!SelecionaProduto(codigo, descricao, preco, estoque, reservado, promocional, custo))
        return;
    host::data::Dataset& registro = equipamentos();
    registro.edit();
    registro.fieldByName("PRCODIGO")->setAsString(codigo);
    registro.post();
}

void TfmAssEquipamento::bbRelatorioClick()
{
    const bool veiculo = modoVeiculoEquipamento();
    const bool mostraGarantia = dmGlobal->Parametro("ATENVIOEMAILOS") == "G";
    uAssCadastroComum::RelatorioCadastro(
        static_cast<host::data::Query&>(equipamentos()), "Select * from aatc03ae ",
        [veiculo, mostraGarantia](TqrRelatorio& relatorio) {
            relatorio.setTitulo(veiculo ? "Cadastro de Veículos" : "Cadastro de Equipamentos");
            relatorio.setSistema("Assistência Técnica");
            relatorio.setPrograma("AATC03AE");
            relatorio.AdicionaColuna("Código", "AECODIGO");
            relatorio.AdicionaColuna("Descrição", "AEDESCRICAO");
            relatorio.AdicionaColuna("Marca", "AEMARCA");
            relatorio.AdicionaColuna("Modelo", "AEMODELO");
            if (veiculo)
                relatorio.AdicionaColuna("Marca da Carroceria", "AECARROCERIAMARCA");
            relatorio.AdicionaColuna("Valor da Garantia", "AEVALORGARANTIA");
            // The caption stays; the values print only where warranties are charged.
            for (host::report::Control* controle : relatorio.qrbnDetalhe->controls())
                if (auto* texto = dynamic_cast<host::report::DataText*>(controle))
                    if (texto->fieldName().compare("AEVALORGARANTIA", Qt::CaseInsensitive) == 0)
                        texto->setEnabled(mostraGarantia);
        });
}
