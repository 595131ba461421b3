// The rentable-equipment register: the record buttons, the search, the
// accessories and groups of the current equipment, the type and control
// rules of the screen and the hidden duplication prompt.

#include "rental/uAssEquipamentoLocacao.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesqgeral.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Dialogs.h"
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"
#include "host/ui/FormBuilders.h"
#include "host/ui/PageControl.h"
#include "shared_windows/uAssCadastroComum.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

using host::ui::named;
using uAssCadastroComum::BotaoCadastro;

host::ui::FormVar<TfmAssEquipamentoLocacao> fmAssEquipamentoLocacao("fmAssEquipamentoLocacao");

namespace {

const char* const kTipoPrincipalLocacao = "L - Equipamento de locação principal";

// A click on the frame of the record's data cancels its changes.
class CliqueQuadroLocacao : public QObject {
public:
    CliqueQuadroLocacao(QObject* dono, std::function<void()> acao) : QObject(dono), acao_(std::move(acao)) {}

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override
    {
        if (evento->type() == QEvent::MouseButtonRelease)
            host::ui::runGuarded(acao_);
        return QObject::eventFilter(alvo, evento);
    }

private:
    std::function<void()> acao_;
};

}  // namespace

TfmAssEquipamentoLocacao::TfmAssEquipamentoLocacao(QWidget* parent)
    : host::ui::Form(parent),
      dsEquipamentoLocacao(std::make_unique<host::data::DataSource>(nullptr, "dsEquipamentoLocacao",
                                                                    dmTec ? dmTec->quEquipamentoLocacao : nullptr)),
      dsAcessoriosLocacao(std::make_unique<host::data::DataSource>(nullptr, "dsAcessoriosLocacao",
                                                                   dmTec ? dmTec->quAcessoriosLocacao : nullptr)),
      dsEquipamentoGrupo(std::make_unique<host::data::DataSource>(nullptr, "dsEquipamentoGrupo",
                                                                  dmTec ? dmTec->quEquipamentoGrupo : nullptr))
{
    setCaption("Controle Equipamentos para Locação");
    setStayOnTop(true);
    setDefaultCloseAction(host::ui::CloseAction::Hide);
    criarControles();
    CarregarConfiguracaoJanela(this);
    SalvarConfiguracaoDBGrid(dbgdAcessorios, true);
    onActivate = [this] { pcEquipamento->setActivePage(pcEquipamento->page(0)); };
    onClose = [this](host::ui::CloseAction&) {
        SalvarConfiguracaoJanela(this);
        SalvarConfiguracaoDBGrid(dbgdAcessorios, false);
    };
    // What is shown follows the record: its type and control.
    dsEquipamentoLocacao->onDataChange = [this](host::data::DataSource&, host::data::Field* campo) {
        if (!campo || campo->fieldName() == "EVID")
            AplicaTipo();
        if (!campo || campo->fieldName() == "EVEQUIPTOCONTROLE")
            AplicaControle();
    };
}

TfmAssEquipamentoLocacao::~TfmAssEquipamentoLocacao()
{
    dsEquipamentoLocacao->onDataChange = nullptr;
    destroyControls();
    for (auto* ds : {dsEquipamentoLocacao.get(), dsAcessoriosLocacao.get(), dsEquipamentoGrupo.get()})
        ds->setDataset(nullptr);
}

host::data::Dataset& TfmAssEquipamentoLocacao::equipamentos() const { return *dsEquipamentoLocacao->dataset(); }

QWidget* TfmAssEquipamentoLocacao::criarDados()
{
    host::data::DataSource* ds = dsEquipamentoLocacao.get();
    gbDadosCadastrais = named<QGroupBox>("gbDadosCadastrais", "Dados Cadastrais");
    gbDadosCadastrais->installEventFilter(new CliqueQuadroLocacao(this, [this] { bbCancelarClick(); }));
    auto* g = new QGridLayout(gbDadosCadastrais);
    g->setVerticalSpacing(3);
    int linha = 0;
    auto adiciona = [&](const QString& rotulo, QWidget* controle, int coluna = 0) {
        g->addWidget(new QLabel(rotulo), linha, coluna);
        g->addWidget(controle, linha, coluna + 1);
        if (coluna > 0)
            ++linha;
    };
    auto edit = [&](host::ui::DataEdit*& membro, const char* nome, const char* campo) {
        membro = host::ui::makeEdit(gbDadosCadastrais, nome, ds, campo);
        return membro;
    };
    auto letras = [&](host::ui::DataLetterComboBox*& membro, const char* nome, const char* campo,
                      const QStringList& itens) {
        membro = new host::ui::DataLetterComboBox(nome, itens);
        membro->bind(ds, campo);
        return membro;
    };
    edit(dbedCodigo, "dbedCodigo", "EVCODIGO")->setReadOnlyControl(true);
    dbedCodigo->setEnabled(false);
    adiciona("Código", dbedCodigo);
    letras(dbcbTipoEquipamento, "dbcbTipoEquipamento", "EVID",
           {kTipoPrincipalLocacao, "A - Acessório do equipamento de locação"});
    adiciona("Tipo Equipamento", dbcbTipoEquipamento, 2);
    adiciona("Modelo", edit(dbedModelo, "dbedModelo", "EVMODELO"));
    adiciona("Marca", edit(dbedMarca, "dbedMarca", "EVMARCA"), 2);
    adiciona("Ano", edit(dbedAno, "dbedAno", "EVANO"));
    letras(dbcbStatus, "dbcbStatus", "EVSTATUS",
           {"Disponível", "Reservado", "Locado", "Sublocado", "Em Uso", "Vendido", "Inativo"});
    adiciona("Status", dbcbStatus, 2);
    adiciona("Valor de Compra", edit(dbedValorCompra, "dbedValorCompra", "EVVALORCOMPRA"));
    edit(dbedDataCompra, "dbedDataCompra", "EVDATACOMPRA")->setEditMask("!99/99/00;1;_");
    adiciona("Data de Compra", dbedDataCompra, 2);
    adiciona("Nº de Série", edit(dbedNumeroSerie, "dbedNumeroSerie", "EVNSNUMERO"));
    adiciona("Valor de Locação", edit(dbedValorLocacao, "dbedValorLocacao", "EVPRECOVENDA"), 2);
    adiciona("Filial", edit(dbedFilial, "dbedFilial", "EVLOCAL"));
    letras(dbcbTipoControle, "dbcbTipoControle", "EVEQUIPTOCONTROLE",
           {"I - Controle individual", "Q - Controle por quantidade"});
    adiciona("Tipo Controle", dbcbTipoControle, 2);
    // A vehicle's plate, read by the contracts' vehicle lines and texts.
    adiciona("Placa", edit(dbedPlaca, "dbedPlaca", "EVPLACA"));
    laQuantidade = named<QLabel>("laQuantidade", "Total:");
    seQtdeTotal = new host::ui::DataSpinEdit("seQtdeTotal");
    seQtdeTotal->bind(ds, "EVQTDETOTAL");
    seQtdeBloqueada = new host::ui::DataSpinEdit("seQtdeBloqueada");
    seQtdeBloqueada->bind(ds, "EVQTDEBLOQUEADA");
    for (auto* spin : {seQtdeTotal, seQtdeBloqueada})
        spin->setRange(0, 999999);
    auto* quantidades = new QHBoxLayout;
    quantidades->addWidget(seQtdeTotal);
    quantidades->addWidget(new QLabel("Bloq:"));
    quantidades->addWidget(seQtdeBloqueada);
    g->addWidget(laQuantidade, linha, 2);
    g->addLayout(quantidades, linha, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    dbcbTipoEquipamento->onChange = [this] { dbcbTipoEquipamentoChange(); };
    dbcbTipoControle->onChange = [this] { host::ui::runGuarded([this] { dbcbTipoControleChange(); }); };
    return gbDadosCadastrais;
}

void TfmAssEquipamentoLocacao::criarPaginas()
{
    pcEquipamento = new host::ui::PageControl("pcEquipamento");
    tsObservacao = pcEquipamento->addPage("tsObservacao", "Observação");
    auto* obs = new QVBoxLayout(tsObservacao);
    auto* sub = new QHBoxLayout;
    dbcbSubLocado = new host::ui::DataLetterComboBox("dbcbSubLocado", {"Sim", "Não"});
    dbcbSubLocado->bind(dsEquipamentoLocacao.get(), "EVSUBLOCADO");
    sub->addWidget(new QLabel("Sub-Locado"));
    sub->addWidget(dbcbSubLocado);
    sub->addStretch();
    obs->addLayout(sub);
    dbmeObservacao = new host::ui::DataMemo("dbmeObservacao");
    dbmeObservacao->bind(dsEquipamentoLocacao.get(), "EVOBSERVACAO");
    obs->addWidget(dbmeObservacao, 1);

    tsAcessorios = pcEquipamento->addPage("tsAcessorios", "Acessórios");
    dbgdAcessorios = host::ui::gridOnPage(tsAcessorios, "dbgdAcessorios", dsAcessoriosLocacao.get());
    host::ui::withButton(host::ui::addGridColumn(dbgdAcessorios, "EVCODIGOVINCULADO", "Código", 60));
    host::ui::readOnly(host::ui::addGridColumn(dbgdAcessorios, "EVMARCA", "Marca", 120));
    host::ui::readOnly(host::ui::addGridColumn(dbgdAcessorios, "EVMODELO", "Modelo", 120));
    host::ui::readOnly(host::ui::addGridColumn(dbgdAcessorios, "EVNSNUMERO", "Número de série", 110));
    host::ui::readOnly(host::ui::addGridColumn(dbgdAcessorios, "EVVALORCOMPRA", "Valor Garantia", 90));
    host::ui::addGridColumn(dbgdAcessorios, "EVITQUANTIDADE", "Quantidade", 80);
    dbgdAcessorios->onEditButtonClick = [this] { dbgdAcessoriosEditButtonClick(); };
    dbgdAcessorios->onExit = [this] {
        host::ui::runGuarded([this] { SalvarAlteracoes(*dsAcessoriosLocacao->dataset()); });
    };

    tsGrupos = pcEquipamento->addPage("tsGrupos", "Grupos");
    dbgdGrupos = host::ui::gridOnPage(tsGrupos, "dbgdGrupos", dsEquipamentoGrupo.get());
    host::ui::withButton(host::ui::addGridColumn(dbgdGrupos, "GRCODIGO", "Código", 60));
    host::ui::readOnly(host::ui::addGridColumn(dbgdGrupos, "DESCRICAO", "Descrição", 260));
    dbgdGrupos->onEditButtonClick = [this] { dbgdGruposEditButtonClick(); };
    dbgdGrupos->onExit = [this] {
        host::ui::runGuarded([this] { SalvarAlteracoes(*dsEquipamentoGrupo->dataset()); });
    };
}

void TfmAssEquipamentoLocacao::criarBotoes(QBoxLayout* barra)
{
    bbNovo = BotaoCadastro(this, barra, "bbNovo", "&Novo", [this] { bbNovoClick(); });
    bbSalvar = BotaoCadastro(this, barra, "bbSalvar", "&Salvar", [this] { SalvarJanela(*this, equipamentos()); });
    bbSalvar->setDefault(true);
    bbCancelar = BotaoCadastro(this, barra, "bbCancelar", "&Cancelar", [this] { bbCancelarClick(); });
    bbExcluir = BotaoCadastro(this, barra, "bbExcluir", "&Excluir", [this] { ExcluirRegistro(equipamentos()); });
    bbPesquisa = BotaoCadastro(this, barra, "bbPesquisa", "Pesquisa", [this] { bbPesquisaClick(); });
    bbAnterior = BotaoCadastro(this, barra, "bbAnterior", "<", [this] { equipamentos().prior(); });
    bbProximo = BotaoCadastro(this, barra, "bbProximo", ">", [this] { equipamentos().next(); });
    bbDuplicar = BotaoCadastro(this, barra, "bbDuplicar", "Duplicar item", [this] { bbDuplicarClick(); });
    for (QPushButton* oculto : {bbAnterior, bbProximo, bbDuplicar})
        oculto->hide();
    // Shown as the screen has them; neither photo nor printing is part of this register.
    bbFoto = host::ui::makeButton(this, "bbFoto", "Foto do Produto");
    bbImprimir = host::ui::makeButton(this, "bbImprimir", "&Imprimir");
    barra->addWidget(bbFoto);
    barra->addWidget(bbImprimir);
    barra->addStretch();
    bbSair = BotaoCadastro(this, barra, "bbSair", "S&air", [this] { close(); });
}

void TfmAssEquipamentoLocacao::criarControles()
{
    QWidget* dados = criarDados();
    criarPaginas();
    auto* botoes = new QHBoxLayout;
    criarBotoes(botoes);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addWidget(dados);
    janela->addWidget(pcEquipamento, 1);
    janela->addLayout(botoes);
    resize(820, 520);
}

void TfmAssEquipamentoLocacao::bbNovoClick()
{
    host::data::Dataset& registro = equipamentos();
    if (registro.editing() &&
        MostraPergunta("Deseja salvar as alterações ?", {"Sim", "Não"}) == "Sim")
        SalvarAlteracoes(registro);
    if (!registro.active())
        registro.open();
    InserirRegistro(registro);
    pcEquipamento->setActivePage(tsObservacao);
}

void TfmAssEquipamentoLocacao::bbCancelarClick()
{
    CancelarAlteracoes(equipamentos());
    pcEquipamento->setActivePage(tsObservacao);
}

void TfmAssEquipamentoLocacao::bbPesquisaClick()
{
    struct MostraObservacaoLocacao {
        TfmAssEquipamentoLocacao& janela;
        ~MostraObservacaoLocacao() { janela.pcEquipamento->setActivePage(janela.tsObservacao); }
    } mostra{*this};
    QString codigo, v2, v3;
    if (!SelecionaPesquisaGeral(47, "EVCODIGO", "EVCODIGO", "EVCODIGO", codigo, v2, v3))
        return;
    auto& registro = static_cast<host::data::Query&>(equipamentos());
    registro.close();
    LimpaFiltro(&registro);
    AlocaFiltro(&registro, "ev.evcodigo = " + QString::number(codigo.trimmed().toInt()));
    registro.open();
}

void TfmAssEquipamentoLocacao::bbDuplicarClick()
{
    QString quantidade = "0";
    host::ui::Dialogs::inputQuery("Duplicação de itens", "Informe a quantidade de itens a serem duplicados:",
                                  quantidade);
    bool inteiro = false;
    quantidade.trimmed().toInt(&inteiro);
    if (!inteiro)
        dmGlobal->MostraAviso("Valor informado é inválido.", true);
}

void TfmAssEquipamentoLocacao::AplicaTipo()
{
    host::data::Dataset* registro = dsEquipamentoLocacao->dataset();
    const bool principal = registro && registro->active() && !registro->isEmpty() &&
                           registro->fieldByName("EVID")->displayText() == kTipoPrincipalLocacao;
    tsAcessorios->setTabVisible(principal);
}

void TfmAssEquipamentoLocacao::AplicaControle()
{
    host::data::Dataset* registro = dsEquipamentoLocacao->dataset();
    const bool porQuantidade = registro && registro->active() && !registro->isEmpty() &&
                               registro->fieldByName("EVEQUIPTOCONTROLE")->asString() == "Q";
    laQuantidade->setEnabled(porQuantidade);
    seQtdeTotal->setEnabled(porQuantidade);
    seQtdeBloqueada->setEnabled(porQuantidade);
    dbedNumeroSerie->setEnabled(!porQuantidade);
    tsAcessorios->setEnabled(!porQuantidade);
}

void TfmAssEquipamentoLocacao::dbcbTipoEquipamentoChange() { AplicaTipo(); }

void TfmAssEquipamentoLocacao::dbcbTipoControleChange()
{
    AplicaControle();
    host::data::Dataset& registro = equipamentos();
    if (registro.fieldByName("EVEQUIPTOCONTROLE")->asString() == "Q" ||
        registro.fieldByName("EVQTDETOTAL")->asFloat() != 0)
        return;
    if (!registro.editing())
        registro.edit();
    registro.fieldByName("EVQTDETOTAL")->setAsFloat(1);
    registro.fieldByName("EVQTDEBLOQUEADA")->setAsFloat(0);
}

void TfmAssEquipamentoLocacao::dbgdAcessoriosEditButtonClick()
{
    if (dbgdAcessorios->selectedIndex() != RetornaColuna("EVCODIGOVINCULADO", dbgdAcessorios))
        return;
    QString modelo, marca, codigo;
    if (!SelecionaPesquisaGeral(47, "evmodelo", "evmarca", "evcodigo", modelo, marca, codigo,
                                "Where (Veic.EVID = 'A')") ||
        codigo.trimmed().isEmpty())
        return;
    host::data::Dataset& acessorios = *dsAcessoriosLocacao->dataset();
    if (acessorios.isEmpty())
        acessorios.append();
    else if (!acessorios.editing())
        acessorios.edit();
    acessorios.fieldByName("EVCODIGO")->setAsInteger(equipamentos().fieldByName("EVCODIGO")->asInteger());
    acessorios.fieldByName("EVCODIGOVINCULADO")->setAsString(codigo.trimmed());
}

void TfmAssEquipamentoLocacao::dbgdGruposEditButtonClick()
{
    QString codigo, v2, v3;
    if (!SelecionaPesquisaGeral(8, "CODIGO", "CODIGO", "CODIGO", codigo, v2, v3))
        return;
    host::data::Dataset& grupos = *dsEquipamentoGrupo->dataset();
    if (grupos.isEmpty())
        grupos.append();
    else if (!grupos.editing())
        grupos.edit();
    grupos.fieldByName("GRCODIGO")->setAsString(codigo);
}
