// The check-in window: its controls, the three ways to build the list, the
// search, the confirmation with a justification per item, and the
// equipment's configuration.

#include "rental/uAssEntradaEquip.h"

#include "host/PilvPro70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqgeral.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Dialogs.h"
#include "host/ui/Errors.h"
#include "host/ui/FormBuilders.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QStringDecoder>
#include <QVBoxLayout>

using host::data::Dataset;
using host::ui::named;

host::ui::FormVar<TfmAssEntradaEquip> fmAssEntradaEquip("fmAssEntradaEquip");

TfmAssEntradaEquip::TfmAssEntradaEquip(QWidget* parent)
    : host::ui::Form(parent),
      quConsulta(CriarIbQuery("quConsulta")),
      dsConsulta(std::make_unique<host::data::DataSource>(nullptr, "dsConsulta", quConsulta.get()))
{
    setCaption("Entrada de Equipamentos");
    setDefaultCloseAction(host::ui::CloseAction::Hide);
    setStayOnTop(true);
    criarControles();
    onShow = [this] { FormShow(); };
}

TfmAssEntradaEquip::~TfmAssEntradaEquip()
{
    destroyControls();
    dsConsulta->setDataset(nullptr);
}

void TfmAssEntradaEquip::criarControles()
{
    laNroSerie = named<QLabel>("laNroSerie", "Nº Série");
    edNroSerie = named<QLineEdit>("edNroSerie");
    bbIncluir = host::ui::makeButton(this, "bbIncluir", "Incluir Nº Série");
    bbPesqEquip = host::ui::makeButton(this, "bbPesqEquip", "Pesquisar Nº Série");
    bbCarregaArq = host::ui::makeButton(this, "bbCarregaArq", "Carregar Nº Série");
    bbPesquisar = host::ui::makeButton(this, "bbPesquisar", "&Pesquisar");
    bbConfirma = host::ui::makeButton(this, "bbConfirma", "&Confirma Entrada");
    auto liga = [this](QPushButton* b, void (TfmAssEntradaEquip::*h)()) {
        connect(b, &QPushButton::clicked, this, [this, h] { host::ui::runGuarded([this, h] { (this->*h)(); }); });
    };
    liga(bbIncluir, &TfmAssEntradaEquip::bbIncluirClick);
    liga(bbPesqEquip, &TfmAssEntradaEquip::bbPesqEquipClick);
    liga(bbCarregaArq, &TfmAssEntradaEquip::bbCarregaArqClick);
    liga(bbPesquisar, &TfmAssEntradaEquip::bbPesquisarClick);
    liga(bbConfirma, &TfmAssEntradaEquip::bbConfirmaClick);

    dbgdAssEntradaEquip = new host::ui::DataGrid("dbgdAssEntradaEquip");
    dbgdAssEntradaEquip->setDataSource(dsConsulta.get());
    dbgdAssEntradaEquip->setReadOnlyGrid(true);
    dbgdAssEntradaEquip->setRowSelect(true);
    dbgdAssEntradaEquip->setToolTip("Duplo clique para visualizar Configuração do equipamento.");
    dbgdAssEntradaEquip->addColumn("PRCODIGO", "Código", 80);
    dbgdAssEntradaEquip->addColumn("NSNUMERO", "Nº Série", 120);
    dbgdAssEntradaEquip->addColumn("PRODUTO", "Produto", 220);
    dbgdAssEntradaEquip->addColumn("LOCAL", "Local", 120);
    dbgdAssEntradaEquip->addColumn("ACCODIGO", "Contrato", 60);
    dbgdAssEntradaEquip->addColumn("ACNUMEROCONTRATO", "Nº Contrato", 100);
    dbgdAssEntradaEquip->addColumn("ACDATAVALIDADE", "Fim Validade", 90);
    dbgdAssEntradaEquip->addColumn("CLIENTE", "Cliente", 180);
    dbgdAssEntradaEquip->onDblClick = [this] { dbgdAssEntradaEquipDblClick(); };
    laTotalRegistros = named<QLabel>("laTotalRegistros", "Total de Registros: 0");
    laAbrirCfgEquipamento =
        host::ui::makeLink(this, "laAbrirCfgEquipamento", "Clique aqui para ver Configuração do Equipamento");
    laAbrirCfgEquipamento->onClick = [this] { laAbrirCfgEquipamentoClick(); };

    auto* lista = new QHBoxLayout;
    lista->addWidget(laNroSerie);
    recuoLista_ = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    lista->addSpacerItem(recuoLista_);
    lista->addWidget(edNroSerie, 1);
    auto* botoes = new QHBoxLayout;
    for (QPushButton* b : {bbIncluir, bbPesqEquip, bbCarregaArq, bbPesquisar, bbConfirma})
        botoes->addWidget(b);
    botoes->addStretch(1);
    auto* rodape = new QHBoxLayout;
    rodape->addWidget(laTotalRegistros);
    recuoConfiguracao_ = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    rodape->addSpacerItem(recuoConfiguracao_);
    rodape->addWidget(laAbrirCfgEquipamento);
    rodape->addStretch(1);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addLayout(lista);
    janela->addLayout(botoes);
    janela->addWidget(dbgdAssEntradaEquip, 1);
    janela->addLayout(rodape);
    resize(980, 480);
}

bool TfmAssEntradaEquip::modoCodigoBarras() const
{
    return parametroAparado("ATMODOPEDIDOASSISTENCIA") == "E";
}

void TfmAssEntradaEquip::FormShow()
{
    const bool codigoBarras = modoCodigoBarras();
    bbPesqEquip->setVisible(!codigoBarras);
    bbCarregaArq->setVisible(!codigoBarras);
    laNroSerie->setText(codigoBarras ? "Código Barras" : "Nº Série");
    const int recuo = codigoBarras ? 10 : 0;
    recuoLista_->changeSize(recuo, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    recuoConfiguracao_->changeSize(recuo, 0, QSizePolicy::Fixed, QSizePolicy::Minimum);
    layout()->invalidate();
}

// ---- the list ----

void TfmAssEntradaEquip::bbIncluirClick()
{
    QString valor;
    const QString pergunta = modoCodigoBarras() ? "Informe Código de Barras." : "Informe Nº Série.";
    if (!host::ui::Dialogs::inputQuery("Entrada de Dados", pergunta, valor) || valor.trimmed().isEmpty())
        return;
    edNroSerie->setText(uAssEntradaEquip::AdicionaValorLista(edNroSerie->text(), valor));
}

void TfmAssEntradaEquip::bbPesqEquipClick()
{
    QString numero, v2, v3;
    if (SelecionaPesquisaGeral(98, "NSNUMERO", "NSNUMERO", "NSNUMERO", numero, v2, v3) && !numero.isEmpty())
        edNroSerie->setText(uAssEntradaEquip::AdicionaValorLista(edNroSerie->text(), numero));
}

void TfmAssEntradaEquip::bbCarregaArqClick() { CarregarArquivo(); }

bool TfmAssEntradaEquip::CarregarArquivo()
{
    QString caminho;
    if (!host::ui::Dialogs::openFile("Abrir", "CSV (MS-DOS) (*.csv)|*.csv", caminho))
        return false;
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        dmGlobal->MostraErro("Não foi possível abrir o arquivo " + caminho + ".");
    const QByteArray bytes = arquivo.readAll();
    // Files saved by spreadsheets are often in the Windows code page, not UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString texto = utf8.decode(bytes);
    if (utf8.hasError())
        texto = QString::fromLatin1(bytes);
    edNroSerie->setText(uAssEntradaEquip::ListaDoArquivo(texto.split('\n')));
    return true;
}

// ---- search and confirmation ----

void TfmAssEntradaEquip::bbPesquisarClick() { Pesquisar(edNroSerie->text()); }

void TfmAssEntradaEquip::Pesquisar(const QString& lista)
{
    const QString valores = lista.trimmed();
    if (!uAssEntradaEquip::ListaValida(valores))
        dmGlobal->MostraAviso("Aviso: operação abortada.\rLista de Nº Série inválida!", true);
    quConsulta->close();
    quConsulta->setSql(uAssEntradaEquip::SqlConsulta(valores, modoCodigoBarras()));
    quConsulta->open();
    quConsulta->fetchAll();
    laTotalRegistros->setText("Total de Registros: " + QString::number(quConsulta->recordCount()));
}

void TfmAssEntradaEquip::bbConfirmaClick() { ExecutaEntradaEquipamentos(); }

void TfmAssEntradaEquip::ExecutaEntradaEquipamentos()
{
    if (dmGlobal->MostraPergunta(naoEncontrados() + "Confirma a Entrada do(s) Equipamento(s) consultados?",
                                 {"Sim", "Não"}) != "Sim")
        return;
    int registrados = 0;
    std::exception_ptr falha;
    if (quConsulta->active()) {
        Dataset& linhas = *quConsulta;
        host::data::ControlsDisabled parado(linhas);
        try {
            for (linhas.first(); !linhas.eof(); linhas.next()) {
                const QString contrato = linhas.fieldByName("ACCODIGO")->asString();
                const QString produto = linhas.fieldByName("PRCODIGO")->asString();
                // The line listed: the one the movement names, or each of the
                // product's lines when it names none.
                const int linha = linhas.fieldByName("ACITCODIGO")->asInteger();
                if (!uAssEntradaEquip::MarcaRetornoItens(
                        contrato.toInt(), produto, linhas.fieldByName("NSNUMERO")->asString(),
                        linha > 0 ? linha : linhas.fieldByName("NSACITCODIGO")->asInteger()))
                    dmGlobal->MostraAviso("Aviso: operação abortada.\rO equipamento " + produto.trimmed() +
                                              " do contrato " + contrato +
                                              " não existe mais no contrato (excluído por outro usuário);"
                                              " sua entrada não foi registrada.",
                                          true);
                // Stored: counted before its note, which may still fail.
                ++registrados;
                dmGlobal->InserirObservacaoAdicional(
                    "obTexto", contrato + "J", "U", linhas.fieldByName("ACITCODIGO")->asInteger(),
                    dmGlobal->quObsGeral, false, 0,
                    "Justificativa Entrada Equipamento: \"" + linhas.fieldByName("PRODUTO")->asString() + "\".");
            }
        } catch (...) {
            // The rows marked so far stay marked: they are counted and listed again below.
            falha = std::current_exception();
        }
    }
    if (registrados > 0) {
        dmGlobal->MostraAviso("Registrada a Entrada de: " + QString::number(registrados) + " Equipamento(s).");
        Pesquisar(edNroSerie->text());
    }
    if (falha)
        std::rethrow_exception(falha);
}

// The list's values that no listed row carries, told before anything is
// stored: a number typed wrong is not checked in without a word.
QString TfmAssEntradaEquip::naoEncontrados() const
{
    QStringList listados;
    if (quConsulta->active()) {
        const char* coluna = modoCodigoBarras() ? "OUTRO_CODIGO" : "NSNUMERO";
        Dataset& linhas = *quConsulta;
        host::data::ControlsDisabled parado(linhas);
        for (linhas.first(); !linhas.eof(); linhas.next())
            listados << linhas.fieldByName(coluna)->asString().trimmed();
        linhas.first();
    }
    const QStringList faltam = uAssEntradaEquip::ValoresNaoEncontrados(edNroSerie->text(), listados);
    if (faltam.isEmpty())
        return {};
    return QString(modoCodigoBarras() ? "Código(s) de Barras" : "Nº(s) de Série") +
           " não encontrado(s) entre os equipamentos locados: " + faltam.join(", ") + ".\r";
}

// ---- the equipment's configuration ----

void TfmAssEntradaEquip::dbgdAssEntradaEquipDblClick()
{
    if (!quConsulta->active() || quConsulta->isEmpty())
        return;
    const QString produto = quConsulta->fieldByName("PRCODIGO")->asString().trimmed();
    if (produto.isEmpty())
        return;
    dmGlobal->InserirObservacaoAdicional("obTexto", produto, "P", -1, dmGlobal->quObsGeral, false, 0,
                                         "Configuração do Equipamento");
}

void TfmAssEntradaEquip::laAbrirCfgEquipamentoClick()
{
    if (!quConsulta->active() || quConsulta->isEmpty())
        return;
    const QString produto = quConsulta->fieldByName("PRCODIGO")->asString();
    AbrirComposicao(produto, quConsulta->fieldByName("NSNUMERO")->asString(), true);
    dmGlobal->CarregarProduto(produto);
}
