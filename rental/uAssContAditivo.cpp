// The amendment window: the three options, their tabs and "&Salvar" with
// inclusion, substitution and return of a vehicle line.

#include "rental/uAssContAditivo.h"

#include "contract_data/uDataTecCont.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqgeral.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/Components.h"
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"
#include "host/ui/FormBuilders.h"
#include "host/ui/PageControl.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <stdexcept>

using host::ui::named;

host::ui::FormVar<TfmAssContAditivo> fmAssContAditivo("fmAssContAditivo");

namespace uAssContAditivo {

int NumeroAditivo(int contrato)
{
    return int(MaximoDado("ACEVADITIVONUMERO", "aatc05acev", "ACCODIGO", QString::number(contrato), {}, false)) + 1;
}

int CodigoVeiculo(const QString& texto)
{
    bool inteiro = false;
    const int codigo = texto.trimmed().toInt(&inteiro);
    if (!inteiro)
        throw std::runtime_error(QString("'%1' não é um valor inteiro válido.").arg(texto).toStdString());
    return codigo;
}

}  // namespace uAssContAditivo

using namespace uAssContAditivo;

namespace {

// Every edit of the tab, in the order they are shown.
QList<QLineEdit*> editsDaAbaAditivo(host::ui::TabSheet* aba) { return aba->findChildren<QLineEdit*>(); }

}  // namespace

TfmAssContAditivo::TfmAssContAditivo(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Aditivo");
    setStayOnTop(true);
    setCentered(true);
    criarControles();
    // The value proposed for a substitution is the current line's, once.
    host::data::Query* linhas = dmTecContrato ? dmTecContrato->quCtrVeiculo : nullptr;
    if (linhas && linhas->active() && !linhas->isEmpty())
        edSubValor->setValue(linhas->fieldByName("ACEVVALOR")->asFloat());
    onShow = [this] { FormShow(); };
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}

TfmAssContAditivo::~TfmAssContAditivo() { destroyControls(); }

void TfmAssContAditivo::criarControles()
{
    auto liga = [this](QAbstractButton* b, std::function<void()> acao) {
        connect(b, &QAbstractButton::clicked, this, [acao] { host::ui::runGuarded(acao); });
    };
    gbOpcao = named<QGroupBox>("gbOpcao", "Escolha a opção desejada ");
    auto* opcoes = new QHBoxLayout(gbOpcao);
    bbInc = host::ui::makeButton(gbOpcao, "bbInc", "&Inclusão");
    bbSub = host::ui::makeButton(gbOpcao, "bbSub", "&Su&bstituição");
    bbDev = host::ui::makeButton(gbOpcao, "bbDev", "&Devolução");
    for (QPushButton* b : {bbInc, bbSub, bbDev})
        opcoes->addWidget(b);
    liga(bbInc, [this] { bbIncClick(); });
    liga(bbSub, [this] { bbSubClick(); });
    liga(bbDev, [this] { bbDevClick(); });

    pcAditivo = new host::ui::PageControl("pcAditivo");
    // A tab's rows: caption, control and, for a vehicle, its search button.
    auto linha = [](QGridLayout* g, int r, const QString& rotulo, QWidget* controle, QToolButton* lupa = nullptr) {
        g->addWidget(new QLabel(rotulo), r, 0);
        g->addWidget(controle, r, 1);
        if (lupa)
            g->addWidget(lupa, r, 2);
    };
    auto grade = [](host::ui::TabSheet* aba) {
        auto* g = new QGridLayout;
        auto* coluna = new QVBoxLayout(aba);
        coluna->addLayout(g);
        coluna->addStretch();
        g->setColumnStretch(1, 1);
        return g;
    };
    auto lupa = [this](const char* nome, QLineEdit* veiculo, QLineEdit* placa) {
        auto* b = named<QToolButton>(nome);
        b->setText("...");
        b->setToolTip("Pesquisa");
        connect(b, &QToolButton::clicked, this,
                [this, veiculo, placa] { host::ui::runGuarded([&] { PesquisaVeiculo(veiculo, placa); }); });
        return b;
    };
    auto moeda = [](const char* nome) {
        auto* e = new host::ui::CurrencyEdit(nome);
        e->setDisplayFormat(" ,0.00;- ,0.00");
        return e;
    };

    tsInclusao = pcAditivo->addPage("tsInclusao", "Inclusão");
    QGridLayout* g = grade(tsInclusao);
    edIncVeic = named<QLineEdit>("edIncVeic");
    edIncPlaca = named<QLineEdit>("edIncPlaca");
    sbIncPesqVeic = lupa("sbIncPesqVeic", edIncVeic, edIncPlaca);
    edIncValor = moeda("edIncValor");
    edIncData = new host::ui::DateEdit("edIncData");
    linha(g, 0, "Veículo", edIncVeic, sbIncPesqVeic);
    linha(g, 1, "Placa", edIncPlaca);
    linha(g, 2, "Valor", edIncValor);
    linha(g, 3, "Data", edIncData);

    tsSubstituicao = pcAditivo->addPage("tsSubstituicao", "Substituição");
    g = grade(tsSubstituicao);
    edSubVeicAnt = named<QLineEdit>("edSubVeicAnt");
    edSubPlacaAnt = named<QLineEdit>("edSubPlacaAnt");
    sbSuvPesqVeic = lupa("sbSuvPesqVeic", edSubVeicAnt, edSubPlacaAnt);
    edSubData = new host::ui::DateEdit("edSubData");
    edSubVeicNovo = named<QLineEdit>("edSubVeicNovo");
    edSubPlacaNovo = named<QLineEdit>("edSubPlacaNovo");
    sbSuvPesqVeicNovo = lupa("sbSuvPesqVeicNovo", edSubVeicNovo, edSubPlacaNovo);
    edSubValor = moeda("edSubValor");
    linha(g, 0, "Veículo Subst.", edSubVeicAnt, sbSuvPesqVeic);
    linha(g, 1, "Placa Subst.", edSubPlacaAnt);
    linha(g, 2, "Data Fim", edSubData);
    linha(g, 3, "Veículo Novo", edSubVeicNovo, sbSuvPesqVeicNovo);
    linha(g, 4, "Placa Novo", edSubPlacaNovo);
    linha(g, 5, "Valor", edSubValor);

    tsDevolucao = pcAditivo->addPage("tsDevolucao", "Devolução");
    g = grade(tsDevolucao);
    edDevVeic = named<QLineEdit>("edDevVeic");
    edDevPlaca = named<QLineEdit>("edDevPlaca");
    sbDevPesqVeic = lupa("sbDevPesqVeic", edDevVeic, edDevPlaca);
    edDevData = new host::ui::DateEdit("edDevData");
    linha(g, 0, "Veículo", edDevVeic, sbDevPesqVeic);
    linha(g, 1, "Placa", edDevPlaca);
    linha(g, 2, "Data", edDevData);

    paBotoes = named<QWidget>("paBotoes");
    auto* botoes = new QHBoxLayout(paBotoes);
    botoes->setContentsMargins(0, 0, 0, 0);
    bbLimpa = host::ui::makeButton(paBotoes, "bbLimpa", "&Limpar");
    bbLimpa->setToolTip("Novo");
    bbSalva = host::ui::makeButton(paBotoes, "bbSalva", "&Salvar");
    bbSair = host::ui::makeButton(paBotoes, "bbSair", "S&air");
    botoes->addStretch();
    for (QPushButton* b : {bbLimpa, bbSalva, bbSair})
        botoes->addWidget(b);
    liga(bbLimpa, [this] { bbLimpaClick(); });
    liga(bbSalva, [this] { bbSalvaClick(); });
    liga(bbSair, [this] { close(); });

    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addWidget(gbOpcao);
    janela->addWidget(pcAditivo, 1);
    janela->addWidget(paBotoes);
    resize(440, 100);
}

void TfmAssContAditivo::FormShow()
{
    for (host::ui::TabSheet* aba : {tsInclusao, tsSubstituicao, tsDevolucao})
        aba->setTabVisible(false);
    pcAditivo->hide();
    paBotoes->hide();
    for (host::ui::TabSheet* aba : {tsInclusao, tsSubstituicao, tsDevolucao})
        limpaAba(aba);
    // The hidden parts leave the layout before the height is set.
    layout()->activate();
    resize(width(), 100);
}

void TfmAssContAditivo::limpaAba(host::ui::TabSheet* aba)
{
    for (QLineEdit* edit : editsDaAbaAditivo(aba)) {
        // The substitution's value stays what the window was given.
        if (edit == edSubValor)
            continue;
        if (auto* data = qobject_cast<host::ui::DateEdit*>(edit))
            data->setDate({});
        else if (auto* valor = qobject_cast<host::ui::CurrencyEdit*>(edit))
            valor->setValue(0);
        else
            edit->clear();
    }
}

void TfmAssContAditivo::escolheOpcao(host::ui::TabSheet* aba)
{
    for (host::ui::TabSheet* t : {tsInclusao, tsSubstituicao, tsDevolucao})
        t->setTabVisible(t == aba);
    pcAditivo->setActivePage(aba);
    pcAditivo->show();
    paBotoes->show();
    layout()->activate();
    resize(width(), 330);
    limpaAba(aba);
}

void TfmAssContAditivo::bbIncClick() { escolheOpcao(tsInclusao); }

void TfmAssContAditivo::bbSubClick() { escolheOpcao(tsSubstituicao); }

void TfmAssContAditivo::bbDevClick() { escolheOpcao(tsDevolucao); }

void TfmAssContAditivo::bbLimpaClick()
{
    for (host::ui::TabSheet* aba : {tsInclusao, tsSubstituicao, tsDevolucao})
        if (aba->tabVisible())
            limpaAba(aba);
}

void TfmAssContAditivo::PesquisaVeiculo(QLineEdit* veiculo, QLineEdit* placa)
{
    QString codigo, textoPlaca, modelo;
    if (!SelecionaPesquisaGeral(46, "EVCODIGO", "EVPlaca", "EVModelo", codigo, textoPlaca, modelo))
        return;
    veiculo->setText(codigo);
    placa->setText(textoPlaca);
}

int TfmAssContAditivo::contratoAtual() const
{
    const host::data::Query& contrato = *dmTecContrato->quCtrCadastro;
    if (!contrato.active() || contrato.isEmpty())
        return 0;
    return contrato.fieldByName("ACCODIGO")->asInteger();
}

// The new lines go to the lines of the contract amended: they are loaded
// when the window was opened before they were, or over another contract's
// (with rows or without).
void TfmAssContAditivo::abreLinhasDoContrato()
{
    const int contrato = contratoAtual();
    if (contrato <= 0)
        dmGlobal->MostraAviso("Aviso: operação abortada.\rAbra o contrato no cadastro antes de registrar o aditivo.",
                              true);
    host::data::Query& linhas = *dmTecContrato->quCtrVeiculo;
    if (linhas.active() && dmTecContrato->ContratoVeiculoCarregado() == contrato)
        return;
    // A row still being typed belongs to the list it was typed in.
    if (linhas.active())
        linhas.checkBrowseMode();
    dmTecContrato->CarregaContratoVeiculo(contrato, true);
}

void TfmAssContAditivo::bbSalvaClick()
{
    host::ui::requireTypedDates({edIncData, edSubData, edDevData});
    abreLinhasDoContrato();
    if (tsInclusao->tabVisible())
        SalvarInclusao();
    if (tsSubstituicao->tabVisible())
        SalvarSubstituicao();
    if (tsDevolucao->tabVisible())
        SalvarDevolucao();
    dmGlobal->MostraAviso("Operação efetuada com sucesso!", false);
}

void TfmAssContAditivo::IncluiLinha(const QString& aditivo, const QString& veiculo, const QString& placa,
                                    double valor, const QDateTime& inicio)
{
    host::data::Query& linhas = *dmTecContrato->quCtrVeiculo;
    linhas.append();
    try {
        linhas.fieldByName("ACEVADITIVONUMERO")->setAsInteger(NumeroAditivo(contratoAtual()));
        linhas.fieldByName("ACEVADITIVO")->setAsString(aditivo);
        // The code's rule loads the model and plate; the plate typed wins.
        linhas.fieldByName("EVCODIGO")->setAsString(veiculo);
        linhas.fieldByName("EVPLACA")->setAsString(placa);
        // A blank date keeps the new line's start (today).
        if (inicio.isValid())
            linhas.fieldByName("ACEVDATAINICIO")->setAsDateTime(inicio);
        linhas.fieldByName("ACEVVALOR")->setAsFloat(valor);
        linhas.post();
    } catch (...) {
        // A refused line is not left half typed among the contract's lines.
        if (linhas.editing())
            linhas.cancel();
        throw;
    }
}

void TfmAssContAditivo::SalvarInclusao()
{
    IncluiLinha("I", edIncVeic->text(), edIncPlaca->text(), edIncValor->value(), edIncData->date());
}

void TfmAssContAditivo::SalvarSubstituicao()
{
    // The new line's value is read first: a value refused on show ends the
    // substitution before the leaving line is closed.
    const double valor = edSubVeicNovo->text().isEmpty() ? 0 : edSubValor->value();
    const int contrato = contratoAtual();
    const QString antigo = edSubVeicAnt->text();
    if (!antigo.isEmpty() && dmTecContrato->VerificaExisteVeiculo(contrato, CodigoVeiculo(antigo), true)) {
        // The leaving line's marks and the vehicle's status commit together.
        host::db::CommitHold espera(*dmGlobal->IBTransaction1);
        host::db::Savepoint saida(*dmGlobal->IBTransaction1);
        dmTecContrato->EncerraLinhasVeiculo(
            contrato, CodigoVeiculo(antigo),
            {"S", edSubData->date(), "Veículo substituição: " + edSubPlacaNovo->text(), std::nullopt});
        dmTecContrato->AtualizaStatusVeiculoContrato(CodigoVeiculo(antigo));
        saida.release();
        espera.release();
    }
    if (!edSubVeicNovo->text().isEmpty())
        IncluiLinha("S", edSubVeicNovo->text(), edSubPlacaNovo->text(), valor, edSubData->date());
}

void TfmAssContAditivo::SalvarDevolucao()
{
    const int contrato = contratoAtual();
    const QString veiculo = edDevVeic->text();
    if (veiculo.isEmpty() || !dmTecContrato->VerificaExisteVeiculo(contrato, CodigoVeiculo(veiculo), true))
        return;
    // The returned line's marks and the vehicle's status commit together.
    host::db::CommitHold espera(*dmGlobal->IBTransaction1);
    host::db::Savepoint devolucao(*dmGlobal->IBTransaction1);
    dmTecContrato->EncerraLinhasVeiculo(contrato, CodigoVeiculo(veiculo),
                                        {"D", edDevData->date(), std::nullopt, NumeroAditivo(contrato)});
    dmTecContrato->AtualizaStatusVeiculoContrato(CodigoVeiculo(veiculo));
    devolucao.release();
    espera.release();
}
