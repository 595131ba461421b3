// The billing-object register: the object's texts, periodicity, billing,
// payment, operation, account, history and franchise options.

#include "contracts/uAssContObj.h"

#include "contract_data/uDataTecCont.h"
#include "data/uDataTec.h"
#include "host/OpcaoDigitada.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqgeral.h"
#include "host/Uprincipal.h"
#include "host/Urelatorio.h"
#include "host/data/CodigoNomeado.h"
#include "host/data/DataSource.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/FormBuilders.h"
#include "host/ui/Components.h"
#include "host/ui/DataChoiceControls.h"
#include "host/ui/DataEdit.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Errors.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <stdexcept>
#include <vector>

using host::ui::named;

host::ui::FormVar<TfmAssContObj> fmAssContObj("fmAssContObj");

namespace {

// The payment kind list: a stored code shows its entry, and what is chosen
// or typed is stored as the code of the option it names.
class ComboCodigo : public host::ui::DataComboBox {
public:
    using DataComboBox::DataComboBox;

protected:
    void refresh() override
    {
        host::data::Field* f = field();
        const QString codigo = f ? f->asString() : QString();
        int indice = -1;
        for (int i = 0; i < count() && !codigo.isEmpty(); ++i)
            if (itemText(i).startsWith(codigo))
                indice = i;
        setCurrentIndex(indice);
        setEditText(indice >= 0 ? itemText(indice) : codigo);
    }
    void writeField(host::data::Field& field) override
    {
        // The option the text names (code, caption or name); other text is refused.
        const QString texto = currentText().trimmed();
        std::vector<QString> itens;
        for (int i = 0; i < count(); ++i)
            itens.push_back(itemText(i));
        const QString codigo = host::data::codigoNomeado(host::data::opcoesDeLista(itens), texto);
        if (codigo.isEmpty() && !texto.isEmpty())
            host::RecusaOpcaoDigitada(field, texto);
        field.setAsString(codigo);
    }
};

host::data::Dataset* objetos()
{
    return dmTecContrato ? dmTecContrato->quCtrObjeto : nullptr;
}

// The condition of the operations offered: not of the types 5, A, 0 and D,
// and not of coupon kind I.
QString condicaoOperacoes()
{
    // An operation stored without a type is offered too: compared as it is,
    // its null type left it out of the list and its object's box blank.
    return "where coalesce(tipo_op, '') not in (" + QuotedStr("5") + ", " + QuotedStr("A") + ", " + QuotedStr("0") +
           ", " + QuotedStr("D") + ") and (OFCUPOMFISCAL <>" + QuotedStr("I") + " or OFCUPOMFISCAL is null) ";
}

void executaMenu(const char* item)
{
    if (!fmPrincipal)
        return;
    if (TMenuItem* menu = fmPrincipal->findMenuItem(item))
        menu->click();
}

}  // namespace

const QStringList& TfmAssContObj::TiposPagamento()
{
    static const QStringList tipos = {"1 - Carnê",    "2 - Duplicata/Boleto", "3 - Recibo",
                                      "4 - Cheque",   "5 - Fundo",            "6 - Endosso",
                                      "7 - R$",       "8 - Cartão",           "9 - CEntrega",
                                      "R - Reembolso Rodoviário",   "P - Reembolso Postal",
                                      "V - Venda à Vista Com Vale", "D - Débito em Conta",
                                      "B - Depósito em Conta",      "C - Carteira",
                                      "S - Cheque Presente",        "O - Bônus"};
    return tipos;
}

const QStringList& TfmAssContObj::ComplementosNF()
{
    static const QStringList complementos = {"1 - Nenhum", "2 - Objeto", "3 - Complemento",
                                             "4 - Objeto + Complemento", "5 - Complemento + Objeto"};
    return complementos;
}

TfmAssContObj::TfmAssContObj(QWidget* parent)
    : host::ui::Form(parent),
      dsCadastro_(std::make_unique<host::data::DataSource>(nullptr, "dsCadastro", objetos())),
      dsOperacao_(std::make_unique<host::data::DataSource>(nullptr, "dsOperacao", dmGlobal->quOperacao)),
      dsCxConta_(std::make_unique<host::data::DataSource>(nullptr, "dsCxConta", dmGlobal->quCXContas)),
      dsHistorico_(std::make_unique<host::data::DataSource>(nullptr, "dsHistorico",
                                                             dmTec ? dmTec->quAssHistorico : nullptr)),
      dsTabela_(std::make_unique<host::data::DataSource>(nullptr, "dsTabela", dmGlobal->quTabVenc))
{
    setCaption("Cadastro de Objetos");
    setStayOnTop(true);
    setCentered(true);
    criarControles();
    CarregarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    onActivate = [this] { FormActivate(); };
    onDeactivate = [this] { FormDeactivate(); };
    onClose = [this](host::ui::CloseAction& action) { FormClose(action); };
}

TfmAssContObj::~TfmAssContObj() = default;

void TfmAssContObj::criarControles()
{
    host::data::DataSource* ds = dsCadastro_.get();
    auto editar = [ds](host::ui::DataEdit*& membro, const char* nome, const char* campo) {
        membro = new host::ui::DataEdit(nome);
        membro->bind(ds, campo);
        return membro;
    };
    auto lista = [ds](host::ui::DataComboBox*& membro, const char* nome, const char* campo, const QStringList& itens,
                      bool fixa = true) {
        membro = new host::ui::DataComboBox(nome, fixa ? host::ui::DataComboBox::Style::DropDownList
                                                        : host::ui::DataComboBox::Style::DropDown);
        membro->setPickList(itens);
        membro->bind(ds, campo);
        return membro;
    };
    auto marcar = [ds](host::ui::DataCheckBox*& membro, const char* nome, const char* campo, const QString& texto) {
        membro = new host::ui::DataCheckBox(nome, texto);
        membro->setValueChecked("S");
        membro->setValueUnchecked("N");
        membro->bind(ds, campo);
        return membro;
    };
    auto consulta = [ds](host::ui::DataLookupCombo*& membro, const char* nome, const char* campo,
                         host::data::DataSource* fonte, const char* chave, const char* mostra) {
        membro = new host::ui::DataLookupCombo(nome);
        membro->setListSource(fonte);
        membro->setKeyField(chave);
        membro->setListField(mostra);
        membro->bind(ds, campo);
        return membro;
    };
    auto pesquisa = [this](QToolButton*& membro, const char* nome, std::function<void()> acao) {
        membro = named<QToolButton>(nome);
        membro->setText("...");
        connect(membro, &QToolButton::clicked, this, [acao] { host::ui::runGuarded(acao); });
        return membro;
    };
    auto rotulo = [](host::ui::DataLabel*& membro, const char* nome, const QString& texto, std::function<void()> acao) {
        membro = new host::ui::DataLabel(nome);
        membro->setText(texto);
        membro->setCursor(Qt::PointingHandCursor);
        membro->onClick = std::move(acao);
        return membro;
    };
    // A row of a code, its look-up and buttons: the code as wide as a code,
    // the look-up's description taking the rest.
    auto linha = [](std::initializer_list<QWidget*> widgets) {
        auto* l = new QHBoxLayout;
        for (QWidget* w : widgets) {
            if (auto* codigo = qobject_cast<host::ui::DataEdit*>(w))
                host::ui::fitCodeWidth(codigo, 7);
            l->addWidget(w, qobject_cast<host::ui::DataLookupCombo*>(w) ? 1 : 0);
        }
        return l;
    };

    auto* dados = named<QGroupBox>("gbDados", "Dados do Objeto");
    auto* fDados = new QFormLayout(dados);
    editar(dbedCodigo, "dbedCodigo", "AJCODIGO")->setReadOnlyControl(true);
    pesquisa(sbPesqObj, "sbPesqObj", [this] { sbPesqObjClick(); });
    pesquisa(sbAnt, "sbAnt", [this] { Mover("<"); })->setText("<");
    pesquisa(sbProx, "sbProx", [this] { Mover(">"); })->setText(">");
    auto* codigo = linha({dbedCodigo, sbPesqObj, sbAnt, sbProx});
    codigo->addStretch();
    fDados->addRow("Código", codigo);
    fDados->addRow("Descrição", editar(dbedDescricao, "dbedDescricao", "AJDESCRICAO"));
    fDados->addRow("Objeto", editar(dbedObj, "dbedObj", "AJOBJETO"));
    // "S - Semestral" beside the Part's four: the billing object hands its
    // period to the contract, and the forecast generator bills six-month periods.
    fDados->addRow("Periodicidade", lista(dbcbPeriodo, "dbcbPeriodo", "AJPERIODO",
                                          {"B - Bimestral", "M - Mensal", "T - Trimestral", "S - Semestral",
                                           "A - Anual"}));
    editar(dbedConta, "dbedConta", "CXCODIGO");
    consulta(dbcbCxConta, "dbcbCxConta", "CXCODIGO", dsCxConta_.get(), "CONTA", "DESCRICAO");
    pesquisa(sbPesqCxConta, "sbPesqCxConta", [this] { sbPesqCxContaClick(); });
    fDados->addRow(rotulo(laConta, "laConta", "Conta ", [] { executaMenu("miCadastroContaCaixa"); }),
                   linha({dbedConta, dbcbCxConta, sbPesqCxConta}));
    editar(dbedHistorico, "dbedHistorico", "HCCODIGO");
    consulta(dblcHist, "dblcHist", "HCCODIGO", dsHistorico_.get(), "HCCODIGO", "HCDESCRICAO");
    pesquisa(sbPEsqHistorico, "sbPEsqHistorico", [this] { sbPEsqHistoricoClick(); });
    fDados->addRow(rotulo(laHistorico, "laHistorico", "Histórico", [] { executaMenu("miCadastroHistorico"); }),
                   linha({dbedHistorico, dblcHist, sbPEsqHistorico}));
    fDados->addRow(marcar(dbchAtivo, "dbchAtivo", "AJATIVO", "Ativo"));

    auto* faturamento = named<QGroupBox>("gbFaturamento", "Dados do Faturamento");
    auto* fFat = new QFormLayout(faturamento);
    fFat->addRow("Deve Gerar", lista(dbcbDeveGerar, "dbcbDeveGerar", "AJGERAFATURA", {"Faturamento", "Lançamento"}));
    dbcbTipoPgto = new ComboCodigo("dbcbTipoPgto", host::ui::DataComboBox::Style::DropDown);
    dbcbTipoPgto->setPickList(TiposPagamento());
    dbcbTipoPgto->bind(ds, "AJTIPOPAGAMENTO");
    fFat->addRow(rotulo(laTipoPgto, "laTipoPgto", "Tipo Pgto.", [] { executaMenu("miCadastroOperacao"); }),
                 dbcbTipoPgto);
    consulta(dblcOperacao, "dblcOperacao", "OFCODIGO", dsOperacao_.get(), "COD_OP", "DESC_OP_NF;COD_OP");
    pesquisa(sbPesqOP, "sbPesqOP", [this] { sbPesqOPClick(); });
    fFat->addRow(rotulo(laOperacao, "laOperacao", "Operação", [this] { laOperacaoClick(); }),
                 linha({dblcOperacao, sbPesqOP}));
    fFat->addRow("Valor % do Contrato", editar(dbedValorPercentual, "dbedValorPercentual", "AJVALORPERCENTUAL"));
    fFat->addRow(marcar(dbckIncluirItens, "dbckIncluirItens", "AJPARCELANF", "Incluir Itens da Parcela na Nota Fiscal"));
    fFat->addRow(marcar(dbckIndiceReaj, "dbckIndiceReaj", "AJINDICEREAJUSTE", "Índice Somente Reajuste"));

    auto* complementares = named<QGroupBox>("gbComplementares", "Dados Complementares");
    auto* fCompl = new QFormLayout(complementares);
    fCompl->addRow("Compl. NF", lista(dbcbComplemNF, "dbcbComplemNF", "AJCOMPLNF", ComplementosNF()));
    fCompl->addRow("Compl. Histórico", editar(dbedComplHC, "dbedComplHC", "AJCOMPLHC"));
    fCompl->addRow("Objeto de Franquia", lista(dbcbFranquia, "dbcbFranquia", "AJFRANQUIA", {"KM", "Livre", "Nenhum"}));
    fCompl->addRow("Valor Diário", lista(dbcbValorDiario, "dbcbValorDiario", "AJVALORDIARIO", {"Sim", "Não"}));
    Label4 = named<QLabel>("Label4", "@I - Início ; @F - Final ; @C - Nº Contrato ; @M - Data ; @P - Parcela; @Q - "
                                     "Valor;\n@V - Período Locação Veículo ; @L - Placas ; @R - Mês "
                                     "Referencia/Vencimento;");
    fCompl->addRow(Label4);

    auto* botoes = new QHBoxLayout;
    auto botao = [&](QPushButton*& membro, const char* nome, const QString& texto, std::function<void()> acao) {
        membro = named<QPushButton>(nome, texto);
        botoes->addWidget(membro);
        connect(membro, &QPushButton::clicked, this, [acao] { host::ui::runGuarded(acao); });
    };
    botao(bbNovo, "bbNovo", "&Novo", [this] { InserirRegistro(objeto()); });
    botao(bbExcluir, "bbExcluir", "&Excluir", [this] { ExcluirRegistro(objeto()); });
    botao(bbSair, "bbSair", "S&air", [this] { close(); });
    botao(bbCancelar, "bbCancelar", "&Cancelar", [this] { CancelarAlteracoes(objeto()); });
    botao(bbSalvar, "bbSalvar", "&Salvar", [this] { SalvarJanela(*this, objeto()); });
    botao(bbRelatorio, "bbRelatorio", "&Relatório", [] { QuerytoRelatorio(*dmTecContrato->quCtrObjeto, true); });

    auto* colunas = new QHBoxLayout;
    auto* direita = new QVBoxLayout;
    direita->addWidget(faturamento);
    direita->addWidget(complementares);
    colunas->addWidget(dados, 1);
    colunas->addLayout(direita, 1);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 4);
    janela->addLayout(colunas, 1);
    janela->addLayout(botoes);
    // Wider than the classic 648: the look-ups show their descriptions whole.
    resize(880, 422);
}

host::data::Dataset& TfmAssContObj::objeto() const
{
    if (!dsCadastro_->dataset())
        throw std::runtime_error("O módulo de contratos não está aberto.");
    return *dsCadastro_->dataset();
}

std::vector<host::data::Dataset*> TfmAssContObj::listas() const
{
    std::vector<host::data::Dataset*> abertas = {dmGlobal->quTabVenc, dmGlobal->quCXContas};
    if (dmTec)
        abertas.push_back(dmTec->quAssHistorico);
    if (dmTecContrato)
        abertas.push_back(dmTecContrato->quPesqIndice);
    return abertas;
}

void TfmAssContObj::FormActivate()
{
    host::data::Dataset& dataset = objeto();
    if (!dataset.active())
        dataset.open();
    dmGlobal->CarregaOperacaoTransacao({}, condicaoOperacoes(), "Order by desc_op_nf ");
    for (host::data::Dataset* lista : listas())
        if (!lista->active())
            lista->open();
}

void TfmAssContObj::FormDeactivate()
{
    dmGlobal->quOperacao->close();
    for (host::data::Dataset* lista : listas())
        lista->close();
}

void TfmAssContObj::FormClose(host::ui::CloseAction& action)
{
    if (host::data::Dataset* dataset = dsCadastro_->dataset())
        dataset->close();
    SalvarConfiguracaoJanela(this, bModoZeltoControlAtivo, false, {});
    action = host::ui::CloseAction::Free;
}

void TfmAssContObj::sbPesqObjClick()
{
    QString codigo, descricao, outro;
    if (SelecionaPesquisaGeral(70, "ajCodigo", "ajDescricao", "ajCodigo", codigo, descricao, outro))
        dmTecContrato->CarregaObjeto(codigo.toInt());
}

void TfmAssContObj::Mover(const QString& direcao)
{
    host::data::Dataset& dataset = objeto();
    const QString atual = dataset.active() && !dataset.isEmpty() ? dataset.fieldByName("AJCODIGO")->asString() : "";
    dmTecContrato->CarregaObjeto(RegistroAnteriorProximo("AATC11AJ", "AJCODIGO", direcao, atual).toInt());
}

void TfmAssContObj::sbPEsqHistoricoClick()
{
    host::data::Dataset& dataset = objeto();
    dataset.edit();
    QString descricao, texto, codigo;
    if (SelecionaPesquisaGeral(113, "hcDescricao", "hcDescricao", "hcCodigo", descricao, texto, codigo))
        dataset.fieldByName("HCCODIGO")->setAsString(codigo);
}

void TfmAssContObj::sbPesqCxContaClick()
{
    QString descricao, texto, conta;
    if (!SelecionaPesquisaGeral(114, "descricao", "descricao", "conta", descricao, texto, conta))
        return;
    host::data::Dataset& dataset = objeto();
    if (!dataset.editing())
        dataset.edit();
    dataset.fieldByName("CXCODIGO")->setAsString(conta);
}

void TfmAssContObj::sbPesqOPClick()
{
    host::data::Dataset& dataset = objeto();
    dataset.edit();
    QString codigo, descricao, tipo;
    if (SelecionaPesquisaGeral(25, "COD_OP", "DESC_OP_NF", "COD_OP", codigo, descricao, tipo))
        dataset.fieldByName("OFCODIGO")->setAsString(codigo);
}

void TfmAssContObj::laOperacaoClick()
{
    executaMenu("miCadastroOperacao");
    const host::data::Dataset& dataset = objeto();
    const QString operacao =
        dataset.active() && !dataset.isEmpty() ? dataset.fieldByName("OFCODIGO")->asString() : QString();
    dmGlobal->CarregaOperacaoTransacao(operacao, {}, {});
}
