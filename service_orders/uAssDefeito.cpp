// The defects register: one entry at a time, the search, the list report.

#include "service_orders/uAssDefeito.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Urelatorio.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"
#include "shared_windows/uAssCadastroComum.h"
#include "shared_windows/uPesqAssDefeitos.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using host::ui::named;

host::ui::FormVar<TfmAssDefeito> fmAssDefeito("fmAssDefeito");

TfmAssDefeito::TfmAssDefeito(QWidget* parent)
    : host::ui::Form(parent),
      dsDefeito_(std::make_unique<host::data::DataSource>(nullptr, "dsDefeito", dmTec ? dmTec->quDefeito : nullptr))
{
    setCaption("Cadastro de Defeitos");
    setStayOnTop(true);
    setCentered(true);
    setKeyPreview(true);
    criarControles();
    if (dmTec)
        defeitos().open();
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    onKeyDown = [this](int& key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Escape) {
            key = 0;
            host::ui::runGuarded([this] { bbPesquisarClick(); });
        }
    };
    onClose = [this](host::ui::CloseAction& action) {
        SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
        if (dmTec)
            defeitos().close();
        action = host::ui::CloseAction::Free;
    };
}

TfmAssDefeito::~TfmAssDefeito()
{
    // The controls go before the data source they show.
    delete pnEdicao;
}

host::data::Dataset& TfmAssDefeito::defeitos() const { return *dsDefeito_->dataset(); }

void TfmAssDefeito::criarControles()
{
    host::data::DataSource* ds = dsDefeito_.get();
    pnEdicao = named<QWidget>("pnEdicao");
    auto* campos = new QFormLayout(pnEdicao);
    dbedCodigo = new host::ui::DataEdit("dbedCodigo");
    dbedCodigo->bind(ds, "ADCODIGO");
    dbedCodigo->setEnabled(false);
    campos->addRow("Código", dbedCodigo);
    dbedDescricao = new host::ui::DataEdit("dbedDescricao");
    dbedDescricao->bind(ds, "ADDESCRICAO");
    campos->addRow("Descrição", dbedDescricao);
    dbcbTipo = new host::ui::DataLetterComboBox("dbcbTipo", {"Causa", "Defeito", "Solução"});
    dbcbTipo->bind(ds, "ADIDENTIFICADOR");
    campos->addRow("Tipo", dbcbTipo);
    dbmeObs = new host::ui::DataMemo("dbmeObs");
    dbmeObs->bind(ds, "ADOBSERVACAO");
    campos->addRow("Observação", dbmeObs);

    auto* botoes = new QHBoxLayout;
    auto botao = [&](QPushButton*& membro, const char* nome, const QString& texto, std::function<void()> acao) {
        membro = named<QPushButton>(nome, texto);
        botoes->addWidget(membro);
        connect(membro, &QPushButton::clicked, this, [acao] { host::ui::runGuarded(acao); });
    };
    botao(bbNovo, "bbNovo", "&Novo", [this] { bbNovoClick(); });
    botao(bbSalvar, "bbSalvar", "&Salvar", [this] { SalvarJanela(*this, defeitos()); });
    botao(bbCancelar, "bbCancelar", "&Cancelar", [this] { CancelarAlteracoes(defeitos()); });
    botao(bbExcluir, "bbExcluir", "&Excluir", [this] { ExcluirRegistro(defeitos()); });
    botao(bbPesquisar, "bbPesquisar", {}, [this] { bbPesquisarClick(); });
    bbPesquisar->setToolTip("Pesquisar");
    bbPesquisar->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    botao(bbRelatorio, "bbRelatorio", "&Relatório", [this] { bbRelatorioClick(); });
    botao(bbSair, "bbSair", "S&air", [this] { close(); });

    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addWidget(pnEdicao, 1);
    janela->addLayout(botoes);
    resize(560, 300);
}

void TfmAssDefeito::bbNovoClick()
{
    InserirRegistro(defeitos());
    dbedDescricao->setFocus();
}

void TfmAssDefeito::bbPesquisarClick()
{
    int codigo = 0;
    QString descricao, tipo, observacao;
    if (SelecionaDefeito(codigo, descricao, tipo, observacao))
        dmTec->CarregaDefeito(codigo);
}

void TfmAssDefeito::bbRelatorioClick()
{
    // The register goes back to its one-entry statement, empty, whatever the preview does.
    uAssCadastroComum::RelatorioCadastro(static_cast<host::data::Query&>(defeitos()), "select *      from AATC02AD ",
                                         [](TqrRelatorio& relatorio) {
                                             relatorio.setTitulo("Cadastro de Defeitos");
                                             relatorio.setSistema("Assistência Técnica");
                                             relatorio.setPrograma("AATC02AD");
                                             relatorio.AdicionaColuna("Código", "ADCODIGO");
                                             relatorio.AdicionaColuna("Descrição", "ADDESCRICAO");
                                             relatorio.AdicionaColuna("Tipo", "ADIDENTIFICADOR");
                                             relatorio.AdicionaColuna("Observação", "ADOBSERVACAO");
                                         });
}
