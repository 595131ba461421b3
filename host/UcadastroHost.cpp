// The register window of the host's tables: the list with its search, the
// row's fields, the detail grids and the record buttons.

#include "host/UcadastroHost.h"
#include "host/UcadastroHostDados.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/data/Abort.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/data/UpdateSql.h"
#include "host/db/Database.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"
#include "host/ui/WindowRegistry.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

using host::cadastro::Campo;
using host::cadastro::LinhasDetalhe;
using host::cadastro::nomeDoRegistro;
using host::cadastro::Tipo;
using host::ui::named;

namespace {

QString col(const char* nome) { return QString::fromLatin1(nome); }

QStringList legendas(const QStringList& opcoes)
{
    QStringList l;
    for (const QString& o : opcoes)
        l << o.section('=', 1);
    return l;
}

QWidget* controleDoCampo(const Campo& campo, host::data::DataSource* fonte)
{
    const QString nome = "db" + col(campo.coluna);
    if (campo.tipo == Tipo::Memo) {
        auto* memo = new host::ui::DataMemo(nome);
        memo->bind(fonte, col(campo.coluna));
        memo->setFixedHeight(60);
        return memo;
    }
    if (campo.tipo == Tipo::Lista) {
        auto* lista = new host::ui::DataComboBox(nome, host::ui::DataComboBox::Style::DropDownList);
        lista->setPickList(legendas(campo.opcoes));
        lista->bind(fonte, col(campo.coluna));
        return lista;
    }
    auto* edit = new host::ui::DataEdit(nome);
    edit->bind(fonte, col(campo.coluna));
    return edit;
}

}  // namespace

TfmCadastroHost::TfmCadastroHost(const host::cadastro::Descricao& descricao, QWidget* parent)
    : host::ui::Form(parent), descricao_(descricao)
{
    setObjectName("fmCadastro" + descricao.sigla);
    setCaption(descricao.titulo);
    setDefaultCloseAction(host::ui::CloseAction::Free);
    criarDados();
    criarControles();
    onPendingChanges = [this] { return exclusoesPendentes(); };
    onSaveChanges = [this] { salvar(); };
    onDiscardChanges = [this] { desfazerExclusoes(); };
    pesquisar();
}

TfmCadastroHost::~TfmCadastroHost()
{
    // The controls go before the data sources they show.
    destroyControls();
}

void TfmCadastroHost::criarDados()
{
    using namespace host::cadastro;
    lerOpcoes(descricao_.campos);
    for (Detalhe& detalhe : descricao_.detalhes)
        lerOpcoes(detalhe.campos);
    quRegistro = CriarIbQuery("quRegistro");
    upRegistro = std::make_unique<host::data::UpdateSql>(nullptr, "upRegistro");
    quRegistro->setSql(sqlSelecao(descricao_));
    prepararEscrita(*upRegistro, descricao_.tabela, colunasRegistro(descricao_), descricao_.chave.coluna);
    quRegistro->setUpdateObject(upRegistro.get());
    dsRegistro = std::make_unique<host::data::DataSource>(nullptr, "dsRegistro", quRegistro.get());
    usos_ = std::make_shared<Usos>(usosExistentes(descricao_));
    auto usos = usos_;
    host::data::Query& r = *quRegistro;
    r.onFieldsCreated = [this](host::data::Dataset& d) {
        prepararCampos(d, descricao_.chave, descricao_.campos);
    };
    r.onNewRecord = [this](host::data::Dataset& d) { preencherFixos(d, descricao_.fixos); };
    r.beforePost = [this](host::data::Dataset& d) {
        if (descricao_.conferir)
            descricao_.conferir(d);
        numerar(d, descricao_.chave, descricao_.tabela);
    };
    r.beforeScroll = [this](host::data::Dataset&) { deixarRegistro(); };
    r.afterScroll = [this](host::data::Dataset&) { abrirDetalhes(); };
    r.afterPost = [this](host::data::Dataset& d) {
        if (descricao_.aposGravar)
            descricao_.aposGravar(d.fieldByName(col(descricao_.chave.coluna))->value());
        registroAlterado();
        abrirDetalhes();
    };

    for (size_t i = 0; i < descricao_.detalhes.size(); ++i) {
        const Detalhe& d = descricao_.detalhes[i];   // the window's own copy: stays put
        DetalheAberto aberto{&d, std::make_unique<LinhasDetalhe>(nullptr, "quDetalhe" + QString::number(i)),
                             std::make_unique<host::data::UpdateSql>(), nullptr};
        aberto.query->setTransaction(dmGlobal->IBTransaction1.get());
        aberto.query->setSql(sqlDetalhe(d));
        prepararEscrita(*aberto.update, d.tabela, colunasDetalhe(d), d.chave.coluna, d.ligacao);
        aberto.query->setUpdateObject(aberto.update.get());
        aberto.fonte = std::make_unique<host::data::DataSource>(nullptr, "dsDetalhe" + QString::number(i),
                                                                aberto.query.get());
        host::data::Query& q = *aberto.query;
        q.onFieldsCreated = [&d](host::data::Dataset& ds) { prepararCampos(ds, d.chave, d.campos); };
        q.beforeInsert = [this, &d](host::data::Dataset&) {
            if (quRegistro->state() == host::data::DatasetState::Insert || quRegistro->isEmpty()) {
                dmGlobal->MostraAviso("Salve " + descricao_.registro + " antes de incluir " + d.titulo.toLower() + ".",
                                      true);
                throw host::Abort();
            }
        };
        q.onNewRecord = [this, &d](host::data::Dataset& ds) {
            preencherFixos(ds, d.fixos);
            ds.fieldByName(col(d.ligacao))->setValue(quRegistro->fieldByName(col(descricao_.chave.coluna))->value());
        };
        q.beforePost = [this, &d](host::data::Dataset& ds) {
            if (d.conferir)
                d.conferir(ds);
            numerar(ds, d.chave, d.tabela);
            exigirCodigoLivre(ds, d, descricao_.registro);
        };
        q.afterPost = [&d, &q](host::data::Dataset&) {
            if (d.aposGravar)
                d.aposGravar(q.paramByName("CODIGO")->value());
            dmGlobal->IBTransaction1->commitRetaining();
        };
        // A row in use is refused as it is deleted; the delete itself waits for the save.
        q.beforeDelete = [usos, i, &d](host::data::Dataset& ds) {
            const char* nome = d.campos.empty() ? nullptr : d.campos.front().coluna;
            const QString registro = nomeDoRegistro(ds, d.chave.coluna, nome);
            RecusarExclusaoEmUso(ds, col(d.chave.coluna), usos->detalhes[i], registro);
            if (const QString uso = d.emUso ? d.emUso(ds) : QString(); !uso.isEmpty())
                dmGlobal->MostraAviso(QString("O registro %1 não pode ser excluído: %2.").arg(registro, uso), true);
        };
        detalhes_.push_back(std::move(aberto));
    }
}

host::data::Query* TfmCadastroHost::detalhe(int i) const { return detalhes_.at(size_t(i)).query.get(); }

QWidget* TfmCadastroHost::controle(const QString& coluna) const
{
    for (const auto& [nome, widget] : controles_)
        if (nome.compare(coluna, Qt::CaseInsensitive) == 0)
            return widget;
    return nullptr;
}

QWidget* TfmCadastroHost::criarCampos()
{
    auto* painel = named<QWidget>("pnCampos");
    auto* grade = new QGridLayout(painel);
    grade->setContentsMargins(0, 0, 0, 0);
    auto* codigo = new host::ui::DataEdit("dbCodigo");
    codigo->bind(dsRegistro.get(), col(descricao_.chave.coluna));
    const bool digitado = descricao_.chave.numeracao == host::cadastro::Numeracao::Digitada;
    int n = 0;
    if (!digitado) {
        codigo->setReadOnlyControl(true);
        codigo->setPlaceholderText("Novo");
        grade->addWidget(new QLabel("Código"), 0, 0);
        grade->addWidget(codigo, 0, 1);
        controles_.emplace_back(col(descricao_.chave.coluna), codigo);
        n = 2;
    } else {
        delete codigo;
    }
    // Two columns of caption and control; a memo takes a whole row.
    for (const Campo& campo : descricao_.campos) {
        QWidget* controle = controleDoCampo(campo, dsRegistro.get());
        controles_.emplace_back(col(campo.coluna), controle);
        auto* legenda = new QLabel(campo.legenda + (campo.obrigatorio ? " *" : ""));
        legenda->setBuddy(controle);
        if (campo.tipo == Tipo::Memo) {
            n += n % 2;
            grade->addWidget(legenda, n / 2, 0);
            grade->addWidget(controle, n / 2, 1, 1, 3);
            n += 2;
            continue;
        }
        grade->addWidget(legenda, n / 2, (n % 2) * 2);
        grade->addWidget(controle, n / 2, (n % 2) * 2 + 1);
        ++n;
    }
    grade->setColumnStretch(1, 1);
    grade->setColumnStretch(3, 1);
    return painel;
}

QWidget* TfmCadastroHost::criarDetalhe(DetalheAberto& detalhe)
{
    auto* grupo = new QGroupBox(detalhe.descricao->titulo);
    grupo->setObjectName("gb" + col(detalhe.descricao->tabela));
    auto* layout = new QVBoxLayout(grupo);
    auto* grade = new host::ui::DataGrid("dbgd" + col(detalhe.descricao->tabela));
    grade->setDataSource(detalhe.fonte.get());
    for (const Campo& campo : detalhe.descricao->campos) {
        host::ui::GridColumn* coluna = grade->addColumn(col(campo.coluna), campo.legenda, 160);
        if (campo.tipo == Tipo::Lista) {
            coluna->setPickList(legendas(campo.opcoes));
            // Each choice whole ("017 - Equipamentos de locação devolvidos"), with the list's arrow.
            for (const QString& legenda : coluna->pickList())
                coluna->setWidth(std::max(coluna->width(), grade->fontMetrics().horizontalAdvance(legenda) + 28));
        }
    }
    grade->setMinimumHeight(110);
    // Its rows are the user's to delete, and typing into it when empty starts one.
    grade->setDeleteKey(true);
    grade->setTypingStartsRow(true);
    layout->addWidget(grade);
    dbgdDetalhes.push_back(grade);
    auto* excluir =
        named<QPushButton>("bbExcluir" + col(detalhe.descricao->tabela), detalhe.descricao->botaoExcluir);
    connect(excluir, &QPushButton::clicked, grade, [grade] { grade->deleteCurrentRow(); });
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(excluir);
    botoes->addStretch(1);
    layout->addLayout(botoes);
    bbExcluirDetalhes.push_back(excluir);
    return grupo;
}

void TfmCadastroHost::criarControles()
{
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(6, 6, 6, 6);

    auto* busca = new QHBoxLayout;
    busca->addWidget(new QLabel("Pesquisar (código ou nome)"));
    edPesquisa = named<QLineEdit>("edPesquisa");
    // The text goes between the two wildcards of the search.
    edPesquisa->setMaxLength(host::kTamanhoTextoPesquisa - 2);
    busca->addWidget(edPesquisa, 1);
    connect(edPesquisa, &QLineEdit::returnPressed, this, [this] { host::ui::runGuarded([this] { pesquisar(); }); });
    janela->addLayout(busca);

    dbgdLista = new host::ui::DataGrid("dbgdLista");
    dbgdLista->setDataSource(dsRegistro.get());
    dbgdLista->setRowSelect(true);
    dbgdLista->setReadOnlyGrid(true);
    dbgdLista->addColumn(col(descricao_.chave.coluna), "Código", 80);
    for (const Campo& campo : descricao_.campos)
        if (campo.naLista && campo.coluna != descricao_.chave.coluna)
            dbgdLista->addColumn(col(campo.coluna), campo.legenda, campo.coluna == descricao_.nome ? 280 : 140);
    dbgdLista->setMinimumHeight(150);
    janela->addWidget(dbgdLista, 1);

    janela->addWidget(criarCampos());
    for (DetalheAberto& detalhe : detalhes_)
        janela->addWidget(criarDetalhe(detalhe));

    auto* botoes = new QHBoxLayout;
    auto botao = [&](QPushButton*& membro, const char* nome, const QString& texto, std::function<void()> acao) {
        membro = named<QPushButton>(nome, texto);
        botoes->addWidget(membro);
        connect(membro, &QPushButton::clicked, this, [acao] { host::ui::runGuarded(acao); });
    };
    botao(bbNovo, "bbNovo", "&Novo", [this] { novo(); });
    botao(bbSalvar, "bbSalvar", "&Salvar", [this] { salvar(); });
    botao(bbCancelar, "bbCancelar", "&Cancelar", [this] { cancelar(); });
    botao(bbExcluir, "bbExcluir", "&Excluir", [this] { excluir(); });
    botoes->addStretch(1);
    botao(bbSair, "bbSair", "S&air", [this] { close(); });
    janela->addLayout(botoes);
    resize(820, descricao_.campos.size() > 8 ? 760 : 520);
}

void TfmCadastroHost::pesquisar(const QVariant& codigo)
{
    host::data::Query& r = *quRegistro;
    deixarRegistro();
    GravarPendente(r);
    r.close();
    const bool porCodigo = codigo.isValid() && !codigo.isNull();
    // A record asked for by its code is looked for among all: a search typed
    // earlier would leave the window on another record.
    if (porCodigo && edPesquisa)
        edPesquisa->clear();
    const QString texto = edPesquisa ? edPesquisa->text().trimmed().toUpper() : QString();
    r.paramByName("PESQUISA")->setAsString("%" + texto + "%");
    r.open();
    if (porCodigo && !r.locate(col(descricao_.chave.coluna), codigo))
        dmGlobal->MostraAviso("Código " + codigo.toString() + " não encontrado.", false);
}

void TfmCadastroHost::abrirDetalhes()
{
    const QVariant codigo = quRegistro->active() && !quRegistro->isEmpty()
                                ? quRegistro->fieldByName(col(descricao_.chave.coluna))->value()
                                : QVariant();
    if (descricao_.aoMostrar && !codigo.isNull())
        descricao_.aoMostrar(codigo);
    for (DetalheAberto& detalhe : detalhes_) {
        host::data::Query& q = *detalhe.query;
        if (q.active() && q.paramByName("CODIGO")->value() == codigo && !codigo.isNull())
            continue;
        // Deletes held were saved or let go as the record was left
        // (deixarRegistro); none is written without the save.
        detalhe.query->esquecerExclusoes();
        if (!excluindo_)
            GravarPendente(q);
        else if (q.active() && q.editing())
            q.cancel();
        q.close();
        q.paramByName("CODIGO")->setValue(codigo);
        q.open();
    }
}

void TfmCadastroHost::deixarRegistro()
{
    if (!excluindo_ && exclusoesPendentes() && !askToSaveChanges())
        throw host::Abort();
}

void TfmCadastroHost::novo()
{
    deixarRegistro();
    GravarPendente(*quRegistro);
    InserirRegistro(*quRegistro);
    if (QWidget* primeiro = controle(col(descricao_.campos.front().coluna)))
        primeiro->setFocus();
}

// The row and the detail rows deleted go together, or none does; the rows
// being typed in the details follow, each stored as it is posted.
// The host's lists read once that show this register read it again.
void TfmCadastroHost::registroAlterado()
{
    if (QLatin1String(descricao_.tabela) == QLatin1String("AUGC0301"))
        dmGlobal->ClientesAlterados();
}

void TfmCadastroHost::salvar()
{
    {
        host::db::Savepoint ponto(*dmGlobal->IBTransaction1);
        // The row's own refusal comes first: its typing and the deletes stay held.
        if (quRegistro->editing())
            quRegistro->post();
        gravarExclusoes(ponto);
        ponto.release();
    }
    SalvarJanela(*this, *quRegistro);
}

void TfmCadastroHost::gravarExclusoes(host::db::Savepoint& ponto)
{
    std::vector<LinhasDetalhe*> gravadas;
    try {
        for (DetalheAberto& detalhe : detalhes_) {
            LinhasDetalhe& linhas = *detalhe.query;
            if (!linhas.exclusoesPendentes())
                continue;
            gravadas.push_back(&linhas);
            linhas.gravarExclusoes();
            if (detalhe.descricao->aposGravar)
                detalhe.descricao->aposGravar(linhas.paramByName("CODIGO")->value());
        }
    } catch (...) {
        // Undone first, then read again and shown (a refused first delete
        // wrote nothing that would read them again).
        ponto.rollback();
        for (LinhasDetalhe* linhas : gravadas)
            mostrarComoGuardadas(*linhas);
        throw;
    }
}

bool TfmCadastroHost::exclusoesPendentes() const
{
    return std::any_of(detalhes_.begin(), detalhes_.end(),
                       [](const DetalheAberto& detalhe) { return detalhe.query->exclusoesPendentes(); });
}

void TfmCadastroHost::cancelar()
{
    cancelPendingRows();
    desfazerExclusoes();
}

void TfmCadastroHost::desfazerExclusoes()
{
    for (DetalheAberto& detalhe : detalhes_)
        if (detalhe.query->exclusoesPendentes())
            mostrarComoGuardadas(*detalhe.query);
}

void TfmCadastroHost::mostrarComoGuardadas(LinhasDetalhe& linhas)
{
    linhas.esquecerExclusoes();
    linhas.close();
    linhas.open();
}

// The row and its details' rows go together, or none does. A delete the
// checks or the database refuse leaves the row as the user typed it and its
// details shown as they were.
void TfmCadastroHost::excluir()
{
    host::data::Query& r = *quRegistro;
    if (!r.active() || r.isEmpty())
        return;
    if (r.state() == host::data::DatasetState::Insert) {
        r.cancel();
        return;
    }
    if (host::ui::Dialogs::question("Confirma a exclusão do registro?", {"Sim", "Não"}) != "Sim")
        return;
    // Checked before anything goes: the uses through the details count.
    RecusarExclusaoEmUso(r, col(descricao_.chave.coluna), usos_->registro,
                         nomeDoRegistro(r, descricao_.chave.coluna, descricao_.nome));
    const QVariant codigo = r.fieldByName(col(descricao_.chave.coluna))->value();
    {
        host::db::Savepoint ponto(*dmGlobal->IBTransaction1);
        for (DetalheAberto& detalhe : detalhes_)
            host::db::executeSql(*dmGlobal->IBTransaction1,
                                 "delete from " + col(detalhe.descricao->tabela) + " where " +
                                     host::cadastro::condicaoDetalhe(*detalhe.descricao),
                                 {{"CODIGO", codigo}});
        if (descricao_.aoExcluir)
            descricao_.aoExcluir(codigo);
        // The stored row is deleted, whatever was typed over it; the row
        // shown next opens its own details.
        QScopedValueRollback<bool> excluindo(excluindo_, true);
        r.remove();
        ponto.release();
    }
    registroAlterado();
    dmGlobal->IBTransaction1->commitRetaining();
}

namespace host::cadastro {

TfmCadastroHost* AbrirCadastroHost(const QString& sigla, const QVariant& codigo)
{
    const Descricao* d = descricao(sigla);
    if (!d)
        return nullptr;
    auto* janela = qobject_cast<TfmCadastroHost*>(host::ui::WindowRegistry::find("fmCadastro" + sigla));
    if (!janela)
        janela = new TfmCadastroHost(*d);
    // The user may stay on the record shown ("Cancelar"): the window comes up on it.
    if (codigo.isValid() && !codigo.isNull())
        host::ui::runGuarded([janela, &codigo] { janela->pesquisar(codigo); });
    janela->showNonModal();
    janela->raise();
    janela->activateWindow();
    return janela;
}

}  // namespace host::cadastro
