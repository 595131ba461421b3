// The renewal window: the selection and options, the coloured list, the
// customer-order combo and the batch renewal of every listed contract.

#include "rental/uAssContRenovacao.h"

#include "shared_windows/uAssContComum.h"
#include "contract_data/uDataTecCont.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqcli.h"
#include "host/Upesqforn.h"
#include "host/data/Abort.h"
#include "host/data/DataSource.h"
#include "host/db/Database.h"
#include "host/data/Field.h"
#include "host/data/HandlerGuard.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"
#include "host/ui/EditControls.h"
#include "host/ui/Errors.h"
#include "host/ui/FormBuilders.h"
#include "host/ui/ProgressWindow.h"
#include "host/ui/RadioButton.h"
#include "host/ui/SearchWindow.h"
#include "host/ui/StatusBar.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using host::ui::named;
using namespace uAssContRenovacao;

host::ui::FormVar<TfmAssContRenovacao> fmAssContRenovacao("fmAssContRenovacao");

namespace {

const char* const kOrigemPesquisarRenovacao = "[TfmAssContRenovacao.Pesquisar]";

QString textoRenovacaoAuto(const QString& codigo)
{
    if (codigo == "S")
        return "Sim";
    if (codigo == "N")
        return "Não";
    return {};
}

// A zero date reads blank in the list.
void dataSemZero(host::data::Field& campo)
{
    campo.onGetText = [](host::data::Field& f, QString& texto, bool) {
        const QDateTime d = f.asDateTime();
        texto = (f.isNull() || !d.isValid() || d.date() <= DataZeroRenovacao()) ? QString()
                                                                                : d.date().toString("dd/MM/yyyy");
    };
}

}  // namespace

TfmAssContRenovacao::TfmAssContRenovacao(QWidget* parent)
    : host::ui::Form(parent),
      quConsulta(CriarIbQuery("quConsulta")),
      dsConsulta(std::make_unique<host::data::DataSource>(nullptr, "dsConsulta", quConsulta.get()))
{
    setCaption("Renovação de Contratos Locação Equipamentos");
    setStayOnTop(true);
    quConsulta->setSql(SqlBaseRenovacao());
    uAssContComum::LigaLogAbertura(*quConsulta);
    quConsulta->afterScroll = [this](host::data::Dataset&) { quConsultaAfterScroll(); };
    quConsulta->onFieldsCreated = [](host::data::Dataset& d) {
        if (host::data::Field* f = d.findField("ACRENOVACAO"))
            f->onGetText = [](host::data::Field& campo, QString& texto, bool) {
                texto = textoRenovacaoAuto(campo.asString().trimmed());
            };
        for (const char* nome : {"ACDATAIMPLANTACAO", "ACDATAVALIDADE"})
            if (host::data::Field* f = d.findField(nome))
                dataSemZero(*f);
        TdmGlobal::SetaFormatoValor(d);
    };
    criarControles();
    CarregarConfiguracaoJanela(this);
    SalvarConfiguracaoDBGrid(dbgdAssContRenovacao, true);
    deEmissaoEm->setDate(hoje());
    onClose = [this](host::ui::CloseAction& action) {
        FormClose();
        action = host::ui::CloseAction::Free;
    };
}

TfmAssContRenovacao::~TfmAssContRenovacao()
{
    destroyControls();
    dsConsulta->setDataset(nullptr);
}

QWidget* TfmAssContRenovacao::criarSelecao()
{
    auto* grupo = named<QGroupBox>("gbSelecao", "Seleção");
    auto* g = new QGridLayout(grupo);
    g->setVerticalSpacing(2);
    deTerminoDe = uAssContComum::EditData("deTerminoDe");
    deTerminoAte = uAssContComum::EditData("deTerminoAte");
    g->addWidget(new QLabel("Térmido de"), 0, 0);
    auto* datas = new QHBoxLayout;
    datas->addWidget(deTerminoDe);
    datas->addWidget(new QLabel("até"));
    datas->addWidget(deTerminoAte);
    datas->addStretch();
    g->addLayout(datas, 0, 1, 1, 3);
    auto codigoNome = [&](int linha, const QString& rotulo, QLineEdit*& codigo, const char* nomeCodigo,
                          QLineEdit*& nome, const char* nomeNome, QPushButton*& lupa, const char* nomeLupa) {
        g->addWidget(new QLabel(rotulo), linha, 0);
        codigo = uAssContComum::EditFiltro(nomeCodigo, 5);
        g->addWidget(codigo, linha, 1);
        nome = named<QLineEdit>(nomeNome);
        nome->setMinimumWidth(260);
        g->addWidget(nome, linha, 2);
        lupa = host::ui::makeSearchButton(grupo, nomeLupa);
        lupa->setToolTip("Pesquisa");
        g->addWidget(lupa, linha, 3);
    };
    codigoNome(1, "Cliente", edCodCliente, "edCodCliente", edCliente, "edCliente", btPesqCliente, "btPesqCliente");
    codigoNome(2, "Gerente", edCodGerente, "edCodGerente", edGerente, "edGerente", btPesqGerente, "btPesqGerente");
    g->addWidget(new QLabel("Código"), 3, 0);
    edCodigo = uAssContComum::EditFiltro("edCodigo", 10);
    g->addWidget(edCodigo, 3, 1);
    g->addWidget(new QLabel("Nº Contrato"), 4, 0);
    edNroContrato = named<QLineEdit>("edNroContrato");
    edNroContrato->setMaxLength(50);
    g->addWidget(edNroContrato, 4, 1, 1, 2);
    ckRenovacaoAuto = named<QCheckBox>("ckRenovacaoAuto", "Somente c/ renovação automática");
    g->addWidget(ckRenovacaoAuto, 5, 0, 1, 3);
    return grupo;
}

QWidget* TfmAssContRenovacao::criarOpcoes()
{
    auto* grupo = named<QGroupBox>("gbOpcoes", "Opções");
    auto* g = new QGridLayout(grupo);
    g->setVerticalSpacing(2);
    deProxVencimento = uAssContComum::EditData("deProxVencimento");
    g->addWidget(new QLabel("Próximo Vencimento"), 0, 0);
    g->addWidget(deProxVencimento, 0, 1);
    deEmissaoEm = uAssContComum::EditData("deEmissaoEm");
    g->addWidget(new QLabel("Emissão em"), 0, 2);
    g->addWidget(deEmissaoEm, 0, 3);

    auto* periodo = named<QGroupBox>("rgPeriodoVigencia", "Período da Vigência");
    auto* p = new QHBoxLayout(periodo);
    rgPeriodoVigencia = new QButtonGroup(this);
    rbAutomatico = named<host::ui::RadioButton>("rbAutomatico", "Automático", periodo);
    rbManual = named<host::ui::RadioButton>("rbManual", "Manual", periodo);
    rgPeriodoVigencia->addButton(rbAutomatico, 0);
    rgPeriodoVigencia->addButton(rbManual, 1);
    rbAutomatico->setChecked(true);
    deVigenciaDe = uAssContComum::EditData("deVigenciaDe");
    deVigenciaAte = uAssContComum::EditData("deVigenciaAte");
    p->addWidget(rbAutomatico);
    p->addWidget(rbManual);
    p->addWidget(new QLabel("De:"));
    p->addWidget(deVigenciaDe);
    p->addWidget(new QLabel("até:"));
    p->addWidget(deVigenciaAte);
    p->addStretch();
    g->addWidget(periodo, 1, 0, 1, 4);

    cbPedidoCliente = named<QComboBox>("cbPedidoCliente");
    cbPedidoCliente->setEditable(true);
    cbPedidoCliente->setMinimumWidth(200);
    g->addWidget(new QLabel("Pedido do Cliente Nº"), 2, 0);
    g->addWidget(cbPedidoCliente, 2, 1, 1, 3);
    ckRenovarValorContrato =
        named<QCheckBox>("ckRenovarValorContrato", "Utilizar Valor do Contrato na Renovação de Parcela(s)");
    g->addWidget(ckRenovarValorContrato, 3, 0, 1, 4);
    edTipoPgto = uAssContComum::EditFiltro("edTipoPgto", 2);
    g->addWidget(new QLabel("Tipo Pgto. (Renovação)"), 4, 0);
    g->addWidget(edTipoPgto, 4, 1);
    return grupo;
}

void TfmAssContRenovacao::criarControles()
{
    QWidget* selecao = criarSelecao();
    QWidget* opcoes = criarOpcoes();
    bbPesquisar = host::ui::makeButton(this, "bbPesquisar", "&Pesquisar");
    bbRenovar = host::ui::makeButton(this, "bbRenovar", "&Renovar");
    auto liga = [this](QAbstractButton* b, void (TfmAssContRenovacao::*h)()) {
        connect(b, &QAbstractButton::clicked, this, [this, h] { host::ui::runGuarded([this, h] { (this->*h)(); }); });
    };
    liga(bbPesquisar, &TfmAssContRenovacao::bbPesquisarClick);
    liga(bbRenovar, &TfmAssContRenovacao::bbRenovarClick);
    liga(btPesqCliente, &TfmAssContRenovacao::btPesqClienteClick);
    liga(btPesqGerente, &TfmAssContRenovacao::btPesqGerenteClick);
    liga(rbAutomatico, &TfmAssContRenovacao::rgPeriodoVigenciaClick);
    liga(rbManual, &TfmAssContRenovacao::rgPeriodoVigenciaClick);
    rgPeriodoVigenciaClick();
    cbPedidoCliente->setEnabled(false);

    dbgdAssContRenovacao = new host::ui::DataGrid("dbgdAssContRenovacao");
    dbgdAssContRenovacao->setDataSource(dsConsulta.get());
    dbgdAssContRenovacao->setReadOnlyGrid(true);
    dbgdAssContRenovacao->setRowSelect(true);
    host::ui::DataGrid* gr = dbgdAssContRenovacao;
    gr->addColumn("ACCODIGO", "Cod. Contrato", 80);
    gr->addColumn("ACNUMEROCONTRATO", "Nº Contrato", 90);
    gr->addColumn("ACCONTRATANTE", "Código", 50);
    gr->addColumn("NOME", "Contratante", 200);
    gr->addColumn("ANNOME", "Contato", 120);
    gr->addColumn("ANTELEFONE", "Telefone", 90);
    gr->addColumn("ACVALOR", "Valor Contrato", 90);
    gr->addColumn("ACRENOVACAO", "Automático", 70);
    gr->addColumn("FNOME", "Gerente", 140);
    gr->addColumn("ACDATAIMPLANTACAO", "Início Vigência", 95);
    gr->addColumn("ACDATAVALIDADE", "Término Vigência", 100);
    gr->addColumn("ULTVCTO", "Último Vcto.", 85);
    gr->onDrawColumnCell = [this](host::ui::CellStyle& estilo, int, host::ui::GridColumn&, bool selecionada) {
        const CorRenovacao cor = CorLinhaRenovacao(quConsulta->fieldByName("SITUACAODCTO")->asInteger(),
                                                   quConsulta->fieldByName("ACCOMPROVANTERETIRADA")->asString());
        PintaLinhaRenovacao(estilo, cor, selecionada);
    };
    gr->onTitleClick = [this](host::ui::GridColumn& coluna) { host::ui::sortByColumn(*dbgdAssContRenovacao, coluna); };

    stLegenda = new host::ui::StatusBar("stLegenda");
    for (CorRenovacao cor :
         {CorRenovacao::AbertoSemRetirada, CorRenovacao::AbertoComRetirada, CorRenovacao::Retirada})
        stLegenda->addPanel(250, LegendaRenovacao(cor));
    stInformacao = new host::ui::StatusBar("stInformacao");
    stInformacao->addPanel(220);
    stInformacao->addPanel(0);

    auto* botoes = new QVBoxLayout;
    botoes->addWidget(bbPesquisar);
    botoes->addWidget(bbRenovar);
    botoes->addStretch();
    auto* topo = new QHBoxLayout;
    topo->addWidget(selecao, 1);
    topo->addWidget(opcoes, 1);
    topo->addLayout(botoes);
    auto* janela = new QVBoxLayout(this);
    janela->setContentsMargins(4, 4, 4, 0);
    janela->addLayout(topo);
    janela->addWidget(dbgdAssContRenovacao, 1);
    janela->addWidget(stLegenda);
    janela->addWidget(stInformacao);
    resize(1100, 640);
}

bool TfmAssContRenovacao::listaVazia() const { return !quConsulta->active() || quConsulta->isEmpty(); }

void TfmAssContRenovacao::Pesquisar(const QDate& terminoDe, const QDate& terminoAte, const QString& codCliente,
                                    const QString& cliente, const QString& codGerente, const QString& gerente,
                                    int codigo, const QString& numero)
{
    dmGlobal->Log(kOrigemPesquisarRenovacao, "***INICIO");
    quConsulta->close();
    quConsulta->setSql(SqlBaseRenovacao());
    FiltroRenovacao f;
    f.terminoDe = terminoDe;
    f.terminoAte = terminoAte;
    f.codCliente = codCliente;
    f.cliente = cliente;
    f.codGerente = codGerente;
    f.gerente = gerente;
    f.codigo = codigo;
    f.numero = numero;
    f.somenteAutomatico = ckRenovacaoAuto->isChecked();
    for (const QString& condicao : CondicoesRenovacao(f))
        AlocaFiltroFinal(quConsulta.get(), condicao);
    quConsulta->open();
    quConsulta->fetchAll();
    mostrarTotal();
    cbPedidoCliente->setEnabled(!listaVazia());
    dmGlobal->Log(kOrigemPesquisarRenovacao, "***FIM");
}

// The count under the list, of what the list shows (an emptied list, none).
void TfmAssContRenovacao::mostrarTotal()
{
    const int total = quConsulta->active() ? quConsulta->recordCount() : 0;
    stInformacao->setPanelText(0, "Total de Registros: " + QString::number(total));
}

void TfmAssContRenovacao::bbPesquisarClick()
{
    host::ui::requireTypedDates({deTerminoDe, deTerminoAte});
    bool inteiro = false;
    int codigo = edCodigo->text().trimmed().toInt(&inteiro);
    if (!inteiro)
        codigo = 0;
    Pesquisar(deTerminoDe->date().date(), deTerminoAte->date().date(), edCodCliente->text().trimmed(),
              edCliente->text().trimmed(), edCodGerente->text().trimmed(), edGerente->text().trimmed(), codigo,
              edNroContrato->text().trimmed());
}

void TfmAssContRenovacao::quConsultaAfterScroll()
{
    const QString cliente = quConsulta->isEmpty() ? QString() : quConsulta->fieldByName("CLCODIGO")->asString().trimmed();
    if (cliente.isEmpty())
        return;
    const QString texto = cbPedidoCliente->currentText();
    host::data::Query& pedidos = *dmGlobal->quAuxiliar;
    pedidos.close();
    pedidos.setSql("select first 30 (ACDESCRICAO) from AATC05AC where ACCODIGO is not null"
                   " and coalesce(ACDESCRICAO, '') <> '' and ACCONTRATANTE = " +
                   QuotedStr(cliente) + " group by ACDESCRICAO order by ACDESCRICAO");
    pedidos.open();
    QStringList lista;
    for (pedidos.first(); !pedidos.eof(); pedidos.next())
        lista << pedidos.fields().front()->asString();
    pedidos.close();
    cbPedidoCliente->clear();
    cbPedidoCliente->addItems(lista);
    cbPedidoCliente->setEditText(texto);
}

void TfmAssContRenovacao::bbRenovarClick()
{
    if (listaVazia())
        return;
    host::ui::requireTypedDates({deProxVencimento, deVigenciaDe, deVigenciaAte, deEmissaoEm});
    // Without a due date every instalment would fall on the 30th of its month.
    const QDate vencimento = deProxVencimento->date().date();
    if (!vencimento.isValid() || vencimento <= DataZeroRenovacao())
        dmGlobal->MostraAviso("Aviso: operação abortada.\rInforme a data do Próximo Vencimento!", true);
    if (MostraPergunta("Confirma a renovação do(s) Contrato(s)?", {"Sim", "Não"}) != "Sim")
        return;
    struct FechaListaRenovacao {
        TfmAssContRenovacao& janela;
        ~FechaListaRenovacao()
        {
            janela.quConsulta->close();
            janela.cbPedidoCliente->setEnabled(false);
            janela.mostrarTotal();
        }
    } fecha{*this};
    // Every row in list order, whatever is selected; the customer orders are
    // not read again for each row the batch passes.
    host::data::DetachHandler semPedidos(quConsulta->afterScroll);
    // Nor does the grid follow the batch from row to row.
    const host::data::ControlsDisabled semGrade(*quConsulta);
    // One progress window for the batch: the generator's own, shown and
    // hidden per contract, would cost more than the renewal itself.
    host::ui::BatchProgress progresso(quConsulta->recordCount(), "Aguarde. Gerando parcelamento...");
    // The billing objects the instalments' texts name are read once for the
    // batch, not once per contract (the renewal changes none).
    const TdmTecContrato::MemoriaTextos memoria(*dmTecContrato);
    for (quConsulta->first(); !quConsulta->eof(); quConsulta->next()) {
        GerarContratoRenovado(quConsulta->fieldByName("ACCODIGO")->asInteger());
        progresso.step();
    }
}

void TfmAssContRenovacao::GerarContratoRenovado(int contrato)
{
    try {
        QDate inicio = DataZeroRenovacao(), fim = DataZeroRenovacao();
        QDate emissao = QDate::currentDate();
        double valor = 0;
        const TdmTecContrato::UltimaParcelaLoc ultima = dmTecContrato->UltimaParcelaLocEquip(contrato);
        // Renewed at another desk since the list was read (while the question
        // was open, say): its last instalment is no longer the one listed.
        if (ultima.vencimento != quConsulta->fieldByName("ULTVCTO")->asDateTime().date()) {
            dmGlobal->MostraAviso("O contrato " + QString::number(contrato) +
                                      " foi renovado em outra estação depois da pesquisa; não foi renovado de novo.",
                                  false);
            return;
        }
        if (ultima.existe)
            valor = ultima.valor;
        if (rbManual->isChecked()) {
            inicio = deVigenciaDe->date().date();
            fim = deVigenciaAte->date().date();
            emissao = deEmissaoEm->date().date();
        } else if (ultima.fimCobertura.isValid()) {
            inicio = ultima.fimCobertura.date();
            fim = inicio.addMonths(1);
        }
        if (ckRenovarValorContrato->isChecked())
            valor = CarregaNumero("ACVALOR", "AATC05AC", " WHERE ACCODIGO = " + QString::number(contrato));
        auto linha = [this](const char* campo) { return quConsulta->fieldByName(campo)->asString(); };
        ParcelasRenovacao p;
        const VencimentosRenovacao vencimentos = VencimentosDoPeriodo(inicio, fim, deProxVencimento->date().date());
        p.primeiroVencimento = TextoDataRenovacao(vencimentos.primeiro);
        p.dataFinal = TextoDataRenovacao(vencimentos.fim);
        p.cliente = linha("CLCODIGO");
        p.diaVencimento = QString("%1").arg(deProxVencimento->date().date().day(), 2, 10, QChar('0'));
        p.contrato = contrato;
        p.valor = valor;
        p.filial = linha("ACLOCAL");
        p.tipoPagamento = edTipoPgto->text().trimmed().isEmpty() ? linha("ACTIPOPAGAMENTO") : edTipoPgto->text().trimmed();
        p.banco = linha("BCCODIGO");
        p.emissao = TextoDataRenovacao(deProxVencimento->date().date());
        p.periodo = linha("ACPERIODO");
        p.filialPedido = linha("ACLOCAL");
        p.operacao = dmGlobal->Parametro("ATOPERACAOCONTRATO");
        p.flag = false;
        p.previsaoCaixa = true;
        p.vigenciaDe = host::db::localDateTime(inicio);
        p.vigenciaAte = host::db::localDateTime(fim);
        p.existentes = valor;
        p.valorFixo = true;
        p.pedidoCliente = cbPedidoCliente->currentText();
        p.previsaoBoleto = host::db::localDateTime(emissao);
        p.prorrogaValidade = true;
        gerador(p);
    } catch (const host::Abort&) {
        // The generator has shown its own refusal; the batch stops here.
        throw;
    } catch (...) {
        dmGlobal->MostraAviso("Não foi possível gerar novo Contrato.\rCauso do erro:" +
                                  host::ui::exceptionMessage(std::current_exception()),
                              true);
    }
}

void TfmAssContRenovacao::rgPeriodoVigenciaClick()
{
    const bool manual = rbManual->isChecked();
    deVigenciaDe->setEnabled(manual);
    deVigenciaAte->setEnabled(manual);
}

void TfmAssContRenovacao::btPesqClienteClick()
{
    QString nome, codigo, fantasia;
    if (!SelecionaCliente(nome, codigo, fantasia))
        return;
    edCodCliente->setText(codigo);
    edCliente->setText(nome);
}

void TfmAssContRenovacao::btPesqGerenteClick()
{
    QString codigo, tipo;
    if (!SelecionaFornecedor(codigo, tipo, dmGlobal->Parametro("ATPESQUISAGERENTE") != "N"))
        return;
    edCodGerente->setText(codigo);
    edGerente->setText(CarregaDado("FNOME", "AUGC0501", " where FCOD = " + QuotedStr(codigo)));
}

void TfmAssContRenovacao::FormClose()
{
    quConsulta->close();
    SalvarConfiguracaoJanela(this);
    SalvarConfiguracaoDBGrid(dbgdAssContRenovacao, false);
}
