// The situation register and the situation picker.

#include "service_orders/uAssSituacao.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Urelatorio.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Colors.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"

#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

using host::ui::named;

host::ui::FormVar<TfmAssSituacao> fmAssSituacao("fmAssSituacao");

namespace {

// A list of captions over one-letter codes: the stored code shows its
// caption, the caption chosen stores its code.
class ComboCodigoSituacao : public host::ui::DataComboBox {
public:
    ComboCodigoSituacao(const char* nome, std::vector<std::pair<QString, QString>> codigos)
        : DataComboBox(nome, Style::DropDownList), codigos_(std::move(codigos))
    {
        QStringList legendas;
        for (const auto& [codigo, legenda] : codigos_)
            legendas << legenda;
        setPickList(legendas);
    }

protected:
    void refresh() override
    {
        const host::data::Field* f = field();
        const QString codigo = f ? f->asString() : QString();
        int indice = -1;
        for (size_t i = 0; i < codigos_.size(); ++i)
            if (codigos_[i].first == codigo)
                indice = int(i);
        setCurrentIndex(indice);
    }
    void writeField(host::data::Field& field) override
    {
        const int i = currentIndex();
        if (i < 0 || codigos_[size_t(i)].first.isEmpty())
            field.clear();
        else
            field.setAsString(codigos_[size_t(i)].first);
    }

private:
    std::vector<std::pair<QString, QString>> codigos_;
};

const std::vector<std::pair<QString, QString>>& simNaoSituacao()
{
    static const std::vector<std::pair<QString, QString>> opcoes = {{"S", "Sim"}, {"N", "Não"}};
    return opcoes;
}

}  // namespace

TfmAssSituacao::TfmAssSituacao(QWidget* parent)
    : host::ui::Form(parent),
      dsSituacao_(std::make_unique<host::data::DataSource>(nullptr, "dsSituacao", dmTec ? dmTec->quOSSituacao : nullptr))
{
    setCaption("Cadastro de Situação ");
    setStayOnTop(true);
    setCentered(true);
    criarControles();
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    onActivate = [this] {
        if (!situacoes().active())
            dmTec->CarregaSituacao(0, "");
    };
    onShow = [this] { dmTec->CarregaSituacao(0, ""); };
    onClose = [this](host::ui::CloseAction& action) {
        if (!pnBotoes->isHidden())
            situacoes().close();
        SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
        action = host::ui::CloseAction::Free;
    };
    dsSituacao_->onDataChange = [this](host::data::DataSource&, host::data::Field*) { dsSituacaoDataChange(); };
    dsSituacao_->onStateChange = [this](host::data::DataSource&) { dsSituacaoDataChange(); };
}

TfmAssSituacao::~TfmAssSituacao()
{
    // The grid and controls go before the data source they show.
    delete gbSituacoes;
    delete pnEdicao;
}

host::data::Dataset& TfmAssSituacao::situacoes() const { return *dsSituacao_->dataset(); }

void TfmAssSituacao::criarControles()
{
    host::data::DataSource* ds = dsSituacao_.get();
    gbSituacoes = named<QGroupBox>("gbSituacoes", QString());
    auto* grade = new QVBoxLayout(gbSituacoes);
    dbgdSituacao = new host::ui::DataGrid("dbgdSituacao");
    dbgdSituacao->setDataSource(ds);
    dbgdSituacao->setReadOnlyGrid(true);
    dbgdSituacao->setRowSelect(true);
    dbgdSituacao->addColumn("ASCODIGO", "Código", 60);
    dbgdSituacao->addColumn("ASDESCRICAO", "Descrição", 240);
    dbgdSituacao->addColumn("ASTIPO", "Tipo", 200);
    grade->addWidget(dbgdSituacao);

    pnEdicao = named<QWidget>("pnEdicao");
    auto* campos = new QFormLayout(pnEdicao);
    auto editar = [ds](host::ui::DataEdit*& membro, const char* nome, const char* campo) {
        membro = new host::ui::DataEdit(nome);
        membro->bind(ds, campo);
        return membro;
    };
    auto lista = [ds](host::ui::DataComboBox*& membro, const char* nome, const char* campo,
                      const std::vector<std::pair<QString, QString>>& codigos) {
        membro = new ComboCodigoSituacao(nome, codigos);
        membro->bind(ds, campo);
        return membro;
    };
    campos->addRow("Código", editar(dbedCodigo, "dbedCodigo", "ASCODIGO"));
    dbedCodigo->setReadOnlyControl(true);
    campos->addRow("Descrição", editar(dbedDescricao, "dbedDescricao", "ASDESCRICAO"));
    connect(dbedDescricao, &QLineEdit::textEdited, dbedDescricao, [this](const QString& texto) {
        if (texto != texto.toUpper()) {
            const int cursor = dbedDescricao->cursorPosition();
            dbedDescricao->setText(texto.toUpper());
            dbedDescricao->setCursorPosition(cursor);
        }
    });
    campos->addRow("Tipo", lista(dbcbTipo, "dbcbTipo", "ASTIPO",
                                 {{"I", "I - Inicial"}, {"N", "N - Intermediária"}, {"F", "F - Final"},
                                  {"M", "M - Morta"}, {"R", "R - Inicial Para Remanufatura"},
                                  {"S", "S - Final Para Remanufatura"}, {"C", "C - Inicial Para Compra"},
                                  {"D", "D - Final Para Compra"}}));
    campos->addRow("Módulo", lista(dbcbID, "dbcbID", "ASID",
                                   {{"A", "Assistência"}, {"C", "C - Contas a Pagar"}, {"F", "Faturamento"},
                                    {"I", "Item"}, {"P", "Produção"}, {"S", "S - Fase Produção"},
                                    {"R", "R - Romaneio"}, {"M", "M - Item do Romaneio"},
                                    {"B", "B - Apuração de Impostos"}, {"O", "O - Ordem de Compra"},
                                    {"L", "L - Cliente"}, {"", ""}}));
    campos->addRow("Disponível Internet", lista(dbcbInternet, "dbcbInternet", "ASINTERNET", simNaoSituacao()));
    campos->addRow("Disponível Aprovação", lista(dbcbAprova, "dbcbAprova", "ASAPROVA", simNaoSituacao()));
    campos->addRow("Atualizar Estoque", lista(dbcbEstoque, "dbcbEstoque", "ASESTOQUE", simNaoSituacao()));
    campos->addRow("Verificar Limite Cliente", lista(dbcbCliente, "dbcbCliente", "ASCLIENTE", simNaoSituacao()));
    campos->addRow("Liberar Reserva ", lista(dbcbReserva, "dbcbReserva", "ASRESERVA",
                                             {{"S", "Sim"}, {"N", "Não"}, {"R", "Retirar"}}));
    campos->addRow("Apenas Para Inserção", lista(dbcbInsercao, "dbcbInsercao", "ASINSERCAO",
                                                 {{"S", "Sim"}, {"N", "Não"}, {"A", "Automática Pela Entrada"}}));
    editar(dbedCor, "dbedCor", "ASCOR")->setReadOnlyControl(true);
    shCor = named<QFrame>("shCor");
    shCor->setFixedSize(40, 20);
    shCor->setAutoFillBackground(true);
    sbCor = named<QToolButton>("sbCor");
    sbCor->setText("...");
    auto* cor = new QHBoxLayout;
    cor->addWidget(dbedCor, 1);
    cor->addWidget(shCor);
    cor->addWidget(sbCor);
    campos->addRow("Cor", cor);
    campos->addRow("Email de Aviso", lista(dbcbEmail, "dbcbEmail", "ASEMAIL", simNaoSituacao()));
    campos->addRow("Senha (Com Parâmetro)", editar(dbedSenha, "dbedSenha", "ASSENHA"));
    dbedSenha->setEchoMode(QLineEdit::Password);
    campos->addRow("Tempo Previsto (Min)", editar(dbedTempoPrevisto, "dbedTempoPrevisto", "ASTEMPOPREVISTO"));
    campos->addRow("Envia para a Fila", lista(dbcbEnviaFila, "dbcbEnviaFila", "ASENVIAFILA", simNaoSituacao()));
    campos->addRow("Valida Estoque", lista(dbcbValidaEstoque, "dbcbValidaEstoque", "ASVALIDAESTOQUE", simNaoSituacao()));
    campos->addRow("Bloqueia Alteração",
                   lista(dbcbBloqueiaEdicao, "dbcbBloqueiaEdicao", "ASBLOQUEAREDICAO", simNaoSituacao()));
    dbcbBloqueiaEdicao->setToolTip("Com essa opção o sistema irá bloquear a alteração na janela. (Liberar com senha)");

    pnBotoes = named<QWidget>("pnBotoes");
    auto* botoes = new QHBoxLayout(pnBotoes);
    auto botao = [&](QPushButton*& membro, const char* nome, const QString& texto, std::function<void()> acao) {
        membro = named<QPushButton>(nome, texto);
        botoes->addWidget(membro);
        connect(membro, &QPushButton::clicked, this, [acao] { host::ui::runGuarded(acao); });
    };
    botao(bbNovo, "bbNovo", "&Novo", [this] { bbNovoClick(); });
    botao(bbSalvar, "bbSalvar", "&Salvar", [this] { SalvarJanela(*this, situacoes()); });
    botao(bbCancelar, "bbCancelar", "&Cancelar", [this] { CancelarAlteracoes(situacoes()); });
    botao(bbExcluir, "bbExcluir", "&Excluir", [this] { ExcluirRegistro(situacoes()); });
    botao(bbAnterior, "bbAnterior", "&Anterior", [this] {
        SalvarAlteracoes(situacoes());
        situacoes().prior();
    });
    botao(bbProximo, "bbProximo", "&Próximo", [this] {
        SalvarAlteracoes(situacoes());
        situacoes().next();
    });
    botao(bbRelatorio, "bbRelatorio", "&Relatório", [this] { bbRelatorioClick(); });
    botao(bbSair, "bbSair", "S&air", [this] { close(); });
    connect(sbCor, &QToolButton::clicked, this, [this] { host::ui::runGuarded([this] { sbCorClick(); }); });

    auto* corpo = new QHBoxLayout;
    corpo->addWidget(gbSituacoes, 1);
    corpo->addWidget(pnEdicao);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addLayout(corpo, 1);
    janela->addWidget(pnBotoes);
    resize(900, 560);
}

void TfmAssSituacao::dsSituacaoDataChange()
{
    host::data::Dataset* dados = dsSituacao_->dataset();
    const bool comLinha = dados && dados->active() && !dados->isEmpty();
    const QString cor = comLinha ? dados->fieldByName("ASCOR")->asString() : QString();
    QPalette paleta = shCor->palette();
    paleta.setColor(QPalette::Window,
                    cor.trimmed().isEmpty() ? QColor(Qt::black) : host::ui::toQColor(host::ui::stringToColor(cor)));
    shCor->setPalette(paleta);
    const QString id = comLinha ? dados->fieldByName("ASID")->asString() : QString();
    auto em = [&id](std::initializer_list<const char*> ids) {
        for (const char* i : ids)
            if (id == i)
                return true;
        return false;
    };
    for (QWidget* w : std::initializer_list<QWidget*>{dbcbEstoque, dbcbCliente, dbcbInsercao, dbcbReserva})
        w->setEnabled(em({"A"}));
    for (QWidget* w : std::initializer_list<QWidget*>{dbcbEmail, dbedSenha})
        w->setEnabled(em({"A", "F"}));
    for (QWidget* w : std::initializer_list<QWidget*>{dbedCor, sbCor})
        w->setEnabled(em({"A", "F", "C", "P", "O"}));
    for (QWidget* w : std::initializer_list<QWidget*>{dbedTempoPrevisto, dbcbAprova})
        w->setEnabled(id != "L");
    dbcbInternet->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{dbcbEnviaFila, dbcbValidaEstoque, dbcbBloqueiaEdicao})
        w->setEnabled(em({"F"}));
}

void TfmAssSituacao::sbCorClick()
{
    host::data::Dataset& dados = situacoes();
    if (!dados.editing())
        dados.edit();
    QString cor = dados.fieldByName("ASCOR")->asString();
    if (host::ui::Dialogs::chooseColor(cor))
        dados.fieldByName("ASCOR")->setAsString(host::ui::colorToString(host::ui::stringToColor(cor)));
}

void TfmAssSituacao::bbNovoClick()
{
    try {
        InserirRegistro(situacoes());
    } catch (...) {
        // A refused new row leaves the register as it was.
    }
    dbedDescricao->setFocus();
}

void TfmAssSituacao::bbRelatorioClick()
{
    SalvarAlteracoes(situacoes());
    qrRelatorio.reset();
    qrRelatorio = std::make_unique<TqrRelatorio>(&situacoes());
    qrRelatorio->setTitulo("Cadastro de Situação");
    qrRelatorio->setSubtitulo("Assistência Técnica");
    qrRelatorio->setPrograma("AATC01AS");
    qrRelatorio->AdicionaColuna("Código", "ASCODIGO");
    qrRelatorio->AdicionaColuna("Descrição", "ASDESCRICAO");
    qrRelatorio->AdicionaColuna("Tipo", "ASTIPO");
    qrRelatorio->preview(true);
    qrRelatorio.reset();
}

bool SelecionaOSSituacao(int& asCodigo, QString& asDescricao)
{
    TfmAssSituacao* janela = fmAssSituacao.create();
    janela->pnEdicao->hide();
    janela->pnBotoes->hide();
    janela->gbSituacoes->setTitle("Situações Cadastradas");
    janela->dbgdSituacao->onDblClick = [janela] { janela->setModalResult(host::ui::ModalResult::Ok); };
    const bool ok = janela->showModal() == host::ui::ModalResult::Ok;
    if (ok) {
        asCodigo = dmTec->quOSSituacaoASCODIGO->asInteger();
        asDescricao = dmTec->quOSSituacaoASDESCRICAO->asString();
        dmTec->quOSSituacao->close();
    }
    return ok;
}
