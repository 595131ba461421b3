// The receipt of a service order: bands, the once-only preparation and the
// band rules.

#include "service_orders/uAssOSComprovante.h"

#include "data/uDataTec.h"
#include "data/uDataTecConsultas.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Ufoto.h"
#include "host/Urelatorio.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/report/Report.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Dialogs.h"
#include "service_orders/uAssOrdemServico.h"

#include <QDir>
#include <QFile>

using namespace host::report;
using namespace uAssOSRelatorio;

host::ui::FormVar<TqrAssOSComprovante> qrAssOSComprovante("qrAssOSComprovante");

namespace {

// The paper of the print model "P": the engine's paper-size value 69, a
// fixed page of 210 x 140 mm (half an A4 sheet, landscape halves).
constexpr double kLarguraPapelModeloP = 210;
constexpr double kComprimentoPapelModeloP = 140;

void habilitarComprovante(const std::vector<Control*>& controles, bool on)
{
    for (Control* c : controles)
        c->setEnabled(on);
}

}  // namespace

TqrAssOSItensBanda criarBandaItensComprovante(Band& mestre, const QString& nome, host::data::Dataset* d)
{
    TqrAssOSItensBanda r;
    r.banda = mestre.addSubDetail(nome, 30, d);
    Band& b = *r.banda;
    const QString p = nome.mid(4);   // names of the controls per band
    auto par = [&](std::vector<Control*>* grupo, const QString& n, double l, double t, const QString& cap,
                   const QString& f, double w = 40) -> std::pair<Label*, DataText*> {
        Label* la = rotulo(b, "qrla" + p + n, l, t, 22, cap);
        DataText* te = campo(b, "qrte" + p + n, l + 22, t, w, d, f);
        if (grupo) {
            grupo->push_back(la);
            grupo->push_back(te);
        }
        return {la, te};
    };
    r.qrlaSerie = par(nullptr, "Serie", 0, 0, "Nº de Série:", "AOITSERIE").first;
    r.qrlaEquipamento = par(nullptr, "Equipamento", 64, 0, "Equipamento:", "AOITEQUIPDESCRICAO", 60).first;
    par(nullptr, "Codigo", 150, 0, "Código:", "AOITEQUIPCODIGO", 18);
    par(nullptr, "Marca", 0, 5, "Marca:", "AOITMARCA");
    par(nullptr, "Modelo", 64, 5, "Modelo:", "AOITMODELO");
    par(&r.equipamento, "Quantidade", 150, 5, "Quantidade:", "AOITQUANTIDADE", 18);
    auto loja = par(&r.equipamento, "LojaCompra", 0, 10, "Loja Compra:", "AOITLOJACOMPRA");
    r.lojaCompra = {loja.first, loja.second};
    par(nullptr, "DataCompra", 64, 10, "Data Compra:", "AOITDATACOMPRA");
    par(nullptr, "NotaFiscal", 150, 10, "Nota Fiscal:", "AOITNUMERONOTAFISCAL", 18);
    par(nullptr, "Cor", 0, 15, "Cor:", "AOITCOR");
    par(nullptr, "Ano", 64, 15, "Ano:", "AOITANOFABRICACAO");
    par(&r.veiculo, "Placa", 150, 15, "Placa:", "AOITPLACA", 18);
    par(&r.veiculo, "Consecionaria", 0, 20, "Consecionária:", "DESCRICAOCONSECIONARIA");
    par(&r.veiculo, "KmInicial", 64, 20, "Km Inicial:", "AOITKMINICIAL");
    par(&r.veiculo, "Combustivel", 150, 20, "Combustível:", "AOITCOMBUSTIVEL", 18);
    par(&r.veiculo, "PosCombustivel", 0, 25, "Posição Comb.:", "AOITPOSICAOCOMBUSTIVEL");
    par(&r.veiculo, "Renavan", 64, 25, "Renavan:", "AOITRENAVAN");
    par(&r.veiculo, "Carroceria", 150, 25, "Carroceria:", "AOITCARROCERIANUMERO", 18);
    par(&r.veiculo, "MarcaCarroceria", 0, 30, "Marca Carroc.:", "AOITCARROCERIAMARCA");
    par(&r.veiculo, "Motor", 64, 30, "Nº Motor:", "AOITMOTORNUMERO");
    auto defeito = par(nullptr, "Defeito", 0, 35, "Defeito:", "AOITDEFEITO", 168);
    r.qrlaDefeito = defeito.first;
    r.qrteDefeito = defeito.second;
    r.qrteDefeito->setWordWrap(true);
    r.qrteDefeito->setAutoStretch(true);
    b.setHeight(40);
    return r;
}

TqrAssOSComprovante::TqrAssOSComprovante(QWidget* parent) : TqrAssOSRelatorio(parent, "Ordem de Serviço")
{
    QuickRep->setPaper(PaperSize::Letter);
    quRelVeiculo = CriarIbQuery("quRelVeiculo");
    quRelVeiculo->setSql(uDataTec::selectArmazenado("quOSItem") +
                         "\nwhere It.AOCODIGO = :aoCodigo and Eqp.AEIDENTIFICADOR = 'V'\norder by It.AOITCODIGO");
    qrbnCabecalho = cabecalhoEmpresa(*QuickRep, "qrbnCabecalho", "Ordem de Serviço");
    qrimLogoTipo2 = qrbnCabecalho->addImage("qrimLogoTipo2", 0, 0, 190, 28);
    qrimLogoTipo2->setEnabled(false);
    criarCliente();
    criarLinhas();
    criarObservacao();
    QuickRep->beforePrint = [this](Report&) { QuickRepBeforePrint(); };
    qrbnCabecalho->beforePrint = [this](Band&, bool&) { qrbnCabecalhoBeforePrint(); };
    qrbnCliente->beforePrint = [this](Band&, bool&) {
        const bool cobranca = !dmTec->quOSCLCODIGOCLIENTECOBRANCA->asString().trimmed().isEmpty();
        qrlaFaturarPara->setEnabled(cobranca);
        qrteClienteCobranca->setEnabled(cobranca);
    };
    itens.banda->beforePrint = [this](Band&, bool& print) { qrsdItensOSBeforePrint(print); };
    qrbnObservacao->beforePrint = [this](Band&, bool&) { qrbnObservacaoBeforePrint(); };
}

TqrAssOSComprovante::~TqrAssOSComprovante() = default;

void TqrAssOSComprovante::criarCliente()
{
    host::data::Dataset* os = dmTec->quOS;
    qrbnCliente = QuickRep->addBand(BandKind::Detail, "qrbnCliente", 42);
    Band& b = *qrbnCliente;
    rotulo(b, "qrlaOS", 0, 0, 22, "Nº da OS:");
    campo(b, "qrteOS", 22, 0, 30, os, "AOCODIGO");
    rotulo(b, "qrlaAtendente", 64, 0, 22, "Atendente:");
    campo(b, "qrteAtendente", 86, 0, 40, os, "AOATENDENTE");
    rotulo(b, "qrlaTipoOS", 140, 0, 22, "Tipo OS:");
    campo(b, "qrteTipoOS", 162, 0, 28, os, "AOTIPOOS");
    rotulo(b, "qrlaCliente", 0, 5, 22, "Cliente:");
    campo(b, "qrteCliente", 22, 5, 104, os, "CLIENTE");
    rotulo(b, "qrlaContato", 130, 5, 18, "Contato:");
    campo(b, "qrteContato", 148, 5, 42, os, "AOCONTATO");
    rotulo(b, "qrlaEndereco", 0, 10, 22, "Endereço:");
    campo(b, "qrteEndereco", 22, 10, 104, os, "ENDERECO");
    rotulo(b, "qrlaBairro", 130, 10, 18, "Bairro:");
    campo(b, "qrteBairro", 148, 10, 42, os, "BAIRRO");
    rotulo(b, "qrlaCidade", 0, 15, 22, "Cidade:");
    campo(b, "qrteCidade", 22, 15, 60, os, "CIDADE");
    rotulo(b, "qrlaEstado", 84, 15, 10, "UF:");
    campo(b, "qrteEstado", 94, 15, 10, os, "ESTADO");
    rotulo(b, "qrlaCEP", 130, 15, 18, "CEP:");
    campo(b, "qrteCEP", 148, 15, 42, os, "CEP");
    rotulo(b, "qrlaFone", 0, 20, 22, "Fone:");
    qrteFone = b.addExprText("qrteFone", 22, 20, 60, 4, [] { return QVariant(telefoneCliente()); });
    qrlaCGC = rotulo(b, "qrlaCGC", 84, 20, 20, "CGC:");
    campo(b, "qrteCGC", 104, 20, 36, os, "CGC_CNPJ");
    qrlaRG = rotulo(b, "qrlaRG", 142, 20, 20, "Insc. Est.:");
    b.addExprText("qrteRG", 162, 20, 28, 4, [] { return QVariant(segundoDocumento()); });
    rotulo(b, "qrlaDataEntrada", 0, 25, 22, "Entrada:");
    campo(b, "qrteDataEntrada", 22, 25, 30, os, "AODATAENTRADA")->setDisplayFormat("dd/mm/yyyy");
    rotulo(b, "qrlaDataSaida", 64, 25, 22, "Saída:");
    campo(b, "qrteDataSaida", 86, 25, 30, os, "AODATASAIDA")->setDisplayFormat("dd/mm/yyyy");
    rotulo(b, "qrlaHoraSaida", 130, 25, 18, "Hora Saída:");
    qrteHoraSaida = b.addExprText("qrteHoraSaida", 148, 25, 20, 4, [] { return QVariant(); });
    qrteHoraSaida->onPrint = [this](TextControl&, QString& valor) { qrteHoraSaidaPrint(valor); };
    qrlaFaturarPara = rotulo(b, "qrlaFaturarPara", 0, 30, 22, "Faturar para:");
    qrteClienteCobranca = campo(b, "qrteClienteCobranca", 22, 30, 104, os, "CLIENTECOBRANCA");

    itens = criarBandaItensComprovante(b, "qrsdItensOS", dmTec->quOSItem);
    qrsdItensOS = itens.banda;
    qrsdItensOS->setPrintIfEmpty(false);
    Band* cabItens = qrsdItensOS->addHeader("qrbnCabItensOS", 6);
    rotulo(*cabItens, "qrlaItens", 0, 1, 80, "Equipamentos");
    qrlaAcessorios = rotulo(b, "qrlaAcessorios", 0, 36, 60, "Acessórios");
    qrshAcessorios = b.addShape("qrshAcessorios", 0, 35, 190, 1, ShapeKind::HorizontalLine);
    qrlaListaCodInt = b.addLabel("qrlaListaCodInt", 110, 36, 60, 4, QString());
    qrlaListaCodInt->setEnabled(false);

    veiculos = criarBandaItensComprovante(b, "qrsdVeiculosOS", quRelVeiculo.get());
    qrsdVeiculosOS = veiculos.banda;
    qrsdVeiculosOS->setEnabled(false);
    qrsdVeiculosOS->setPrintIfEmpty(false);
    qrbnRodVeiculos = qrsdVeiculosOS->addFooter("qrbnRodVeiculos", 2);
    qrbnRodVeiculos->addShape("qrshRodVeiculos", 0, 1, 190, 1, ShapeKind::HorizontalLine);
    veiculos.qrlaSerie->setCaption("Chassi:");
    veiculos.qrlaEquipamento->setCaption("Veículo:");
}

void TqrAssOSComprovante::criarLinhas()
{
    struct ColunaLinha {
        const char* nome;
        const char* titulo;
        const char* campo;
        double left, width;
        bool valor;
    };
    auto montar = [this](Band*& banda, Band*& cabecalho, const char* nome, const char* cab, const char* titulo,
                         host::data::Dataset* d, const char* prefixo, const char* obs,
                         std::initializer_list<ColunaLinha> colunas, bool servico) {
        banda = qrbnCliente->addSubDetail(nome, 4.5, d);
        banda->setEnabled(false);
        banda->setPrintIfEmpty(false);
        cabecalho = banda->addHeader(cab, 11);
        rotulo(*cabecalho, QString("qrla") + cab + "Titulo", 0, 1, 100, titulo);
        for (const ColunaLinha& c : colunas) {
            Label* la = rotulo(*cabecalho, QString("qrla") + prefixo + c.nome, c.left, 6, c.width, c.titulo);
            TextControl* te;
            if (QString(c.campo) == "DESCRICAO") {
                host::data::Dataset* linhas = d;
                te = banda->addExprText(QString("qrte") + prefixo + c.nome, c.left, 0, c.width, 4,
                                        [linhas, obs] { return QVariant(descricaoLinha(*linhas, obs)); });
            } else {
                te = campo(*banda, QString("qrte") + prefixo + c.nome, c.left, 0, c.width, d, c.campo);
            }
            if (c.valor) {
                te->setDisplayFormat("###,###,##0.00");
                te->setAlignment(Qt::AlignRight | Qt::AlignTop);
                la->setAlignment(Qt::AlignRight | Qt::AlignTop);
            }
            if (servico && c.valor) {
                totaisServico.push_back(la);
                totaisServico.push_back(te);
            }
        }
    };
    montar(qrbnServico, qrbnCabServico, "qrbnServico", "qrbnCabServico", "Despesas com Serviços", dmTec->quOSAndamento,
           "Srv", "AAOBSERVACAO",
           {{"Codigo", "Código", "PRCODIGO", 0, 20, false},
            {"Desc", "Descrição", "DESCRICAO", 22, 100, false},
            {"Qtde", "Qtde.", "AAQUANTIDADE", 124, 18, true},
            {"Valor", "Unitário", "AAVALOR", 144, 22, true},
            {"Total", "Total", "AAVALORTOTAL", 168, 22, true}},
           true);
    montar(qrbnPeca, qrbnCabPeca, "qrbnPeca", "qrbnCabPeca", "Despesas com Peças", dmTec->quOSPecas, "Pec",
           "APOBSERVACAO",
           {{"Codigo", "Código", "PRCODIGO", 0, 20, false},
            {"Descricao", "Descrição", "DESCRICAO", 22, 100, false},
            {"Qtde", "Qtde.", "APQUANTIDADE", 124, 18, true},
            {"Valor", "Unitário", "APVALUNITARIO", 144, 22, true},
            {"Total", "Total", "APVALTOTAL", 168, 22, true}},
           false);

    qrsdAcessorios = qrbnCliente->addSubDetail("qrsdAcessorios", 4.5, dmTec->quOSAcessorios);
    qrsdAcessorios->setPrintIfEmpty(false);
    campo(*qrsdAcessorios, "qrteAcessorioSeq", 0, 0, 12, dmTec->quOSAcessorios, "ARSEQUENCIA");
    campo(*qrsdAcessorios, "qrteAcessorioDesc", 14, 0, 150, dmTec->quOSAcessorios, "ARDESCRICAO");
    qrsdAcessorios->beforePrint = [](Band&, bool& print) {
        print = dmTec->quOSAcessorios->active() && !dmTec->quOSAcessorios->isEmpty();
    };
}

void TqrAssOSComprovante::criarObservacao()
{
    host::data::Dataset* os = dmTec->quOS;
    qrbnObservacao = QuickRep->addBand(BandKind::Summary, "qrbnObservacao", 60);
    Band& b = *qrbnObservacao;
    auto memo = [&b](const QString& nome, double top, bool ativo) {
        Memo* m = b.addMemo(nome, 22, top, 168, 4);
        m->setAutoStretch(true);
        m->setEnabled(ativo);
        return m;
    };
    rotulo(b, "qrlaLaudo", 0, 1, 22, "Laudo:");
    qrmeLaudo = memo("qrmeLaudo", 1, true);
    qrmeObservacao = memo("qrmeObservacao", 6, true);
    qrmeObservacao->setDataField(os, "AOOBSERVACAO");
    qrmeObsAdicional = memo("qrmeObsAdicional", 11, true);
    qrmeCausa = memo("qrmeCausa", 16, false);
    qrmeSolucao = memo("qrmeSolucao", 16, false);
    qrmeObsLaudo = memo("qrmeObsLaudo", 16, false);
    qrmeHistorico = memo("qrmeHistorico", 16, false);
    static const char* const quadro[] = {"M.D.O.:", "Peças:", "Seguro:", "Sub Total:", "Total:", "Serv. Externos:"};
    double top = 22;
    int i = 0;
    for (const char* caption : quadro) {
        quadroOficina.push_back(rotulo(b, "qrlaQuadro" + QString::number(++i), 130, top, 30, caption));
        top += 5;
    }
    quadroOficina.push_back(b.addShape("qrshQuadro", 128, 21, 62, 31, ShapeKind::Rectangle));
    b.addShape("qrshAssCliente", 0, 50, 60, 1, ShapeKind::HorizontalLine);
    b.addLabel("qrlaAssCliente", 0, 51, 60, 4, "Assinatura do Cliente");
    b.addShape("qrshAssTecnico", 64, 50, 60, 1, ShapeKind::HorizontalLine);
    b.addLabel("qrlaAssTecnico", 64, 51, 60, 4, "Assinatura do Técnico (Vendedor)");
    b.addLabel("qrlaData", 0, 56, 60, 4, "Data");

    qrbnObsOS = QuickRep->addBand(BandKind::Summary, "qrbnObsOS", 6);
    qrbnObsOS->setEnabled(false);
    rotulo(*qrbnObsOS, "qrlaObsOS", 0, 1, 22, "Obs. OS:");
    qrmeObsOS = qrbnObsOS->addMemo("qrmeObsOS", 22, 1, 168, 4);
    qrmeObsOS->setAutoStretch(true);
    qrbnObsCliente = QuickRep->addBand(BandKind::Summary, "qrbnObsCliente", 6);
    qrbnObsCliente->setEnabled(false);
    rotulo(*qrbnObsCliente, "qrlaObsCliente", 0, 1, 22, "Obs. Cliente:");
    qrmeObsCliente = qrbnObsCliente->addMemo("qrmeObsCliente", 22, 1, 168, 4);
    qrmeObsCliente->setAutoStretch(true);
    qrbnAssinatura = QuickRep->addBand(BandKind::Summary, "qrbnAssinatura", 14);
    qrbnAssinatura->setEnabled(false);
    qrbnAssinatura->addShape("qrshAssinatura", 60, 8, 70, 1, ShapeKind::HorizontalLine);
    qrbnAssinatura->addLabel("qrlaAssinatura", 60, 9, 70, 4, "Assinatura");
}

// ---- preparation ------------------------------------------------------------

void TqrAssOSComprovante::QuickRepBeforePrint()
{
    if (bPreparado_)
        return;
    // Marked done whatever happens: a failing preparation is not repeated
    // on the engine's next pass.
    struct Marca {
        bool& feito;
        ~Marca() { feito = true; }
    } marca{bPreparado_};

    const int ordem = ordemAtual();
    TdmTec& tec = *dmTec;
    if (!tec.quOSAcessorios->active())
        tec.CarregaOSAcessorios(ordem);
    const bool acessorios = !tec.quOSAcessorios->isEmpty();
    qrlaAcessorios->setEnabled(acessorios);
    qrshAcessorios->setEnabled(acessorios);

    HabilitaCamposTipoAssistencia();
    const bool juridica = pessoaJuridica();
    qrlaCGC->setCaption(juridica ? "CGC:" : "CPF:");
    qrlaRG->setCaption(juridica ? "Insc. Est.:" : "RG:");

    const QString foto = parametro("ATEXIBEFOTOOS");
    if (foto == "S") {
        itens.banda->addImage("qrimFotoItem", 150, 0, 40, 30)->setDataField(tec.quOSItem, "AOITFOTO");
        OcultarQuadroDadosOficina(true);
    } else if (foto == "N") {
        OcultarQuadroDadosOficina(!modoVeiculo());
    }
    if (parametro("ATOPCAODOCUMENTOOS") == "A")
        qrbnAssinatura->setEnabled(true);

    if (parametro("ATMODOIMPRESSAOOS") == "P") {
        prepararModeloP();
        if (ordem < 1)
            return;
    }
    VerificarItensAprovados();
    if (parametro("ATPESQUISAOSVEICULO") == "S")
        separarVeiculos();
}

void TqrAssOSComprovante::prepararModeloP()
{
    TdmTec& tec = *dmTec;
    QuickRep->setCustomPaper(kLarguraPapelModeloP, kComprimentoPapelModeloP);
    if (iModo_ != 20 && iModo_ != 21 && iModo_ != 22)
        iModo_ = 20;
    for (Band* banda : {qrbnServico, qrbnPeca, qrsdVeiculosOS})
        banda->setEnabled(true);
    habilitarComprovante(itens.veiculo, true);
    itens.qrlaDefeito->setTop(35);
    itens.qrteDefeito->setTop(35);
    itens.banda->setHeight(40);
    habilitarComprovante(veiculos.veiculo, true);
    const int ordem = ordemAtual();
    const int item = tec.quOSItem->active() && !tec.quOSItem->isEmpty() ? tec.quOSItemAOITCODIGO->asInteger() : 0;
    tec.CarregaOSAtributos(ordem, 0, true);
    AplicaPosicionamentoPagina(*QuickRep, iModo_, *QuickRep, qrbnCabecalho);
    const int itemAgora =
        tec.quOSItem->active() && !tec.quOSItem->isEmpty() ? tec.quOSItemAOITCODIGO->asInteger() : 0;
    if (ordemAtual() != ordem || itemAgora != item) {
        CarregaOrdemServico(ordem);
        tec.CarregaOSItens(ordem, 0);
        tec.CarregaOSAtributos(ordem, 0, true);
    }
    if (qrsdVeiculosOS->enabled()) {
        quRelVeiculo->close();
        quRelVeiculo->paramByName("aoCodigo")->setAsInteger(ordem);
        quRelVeiculo->open();
    }
    if (parametro("ATOPCAODOCUMENTOOS") == "S" &&
        host::ui::Dialogs::question("Deseja Centralizar Página?", {"Sim", "Não"}) == "Não")
        QuickRep->setMargins(0, 0, 0, 0);
    const QString remanufatura = tec.quOSAOREMANUFATURA->asString();
    if ((remanufatura == "R" || remanufatura == "C") && !RetornaSituacaoFinal(ordem))
        habilitarComprovante(totaisServico, false);
}

// Items split from vehicles: the items band keeps what is not a vehicle,
// the vehicles come from the receipt's own query.
void TqrAssOSComprovante::separarVeiculos()
{
    const QString ordem = QString::number(ordemAtual());
    host::data::Query& itensOS = *dmTec->quOSItem;
    SalvarAlteracoes(itensOS);
    itensOS.close();
    itensOS.setSql(uDataTec::selectArmazenado("quOSItem") + "\nwhere It.AOCODIGO = " + ordem +
                   " and (Eqp.AEIDENTIFICADOR <> 'V' or Eqp.AEIDENTIFICADOR is null)\norder by It.AOITCODIGO");
    itensOS.open();
    if (!quRelVeiculo->active()) {
        quRelVeiculo->paramByName("aoCodigo")->setAsInteger(ordemAtual());
        quRelVeiculo->open();
    }
}

void TqrAssOSComprovante::HabilitaCamposTipoAssistencia()
{
    const bool veiculo = modoVeiculo();
    for (TqrAssOSItensBanda* banda : {&itens, &veiculos}) {
        banda->qrlaSerie->setCaption(veiculo || banda == &veiculos ? "Chassi:" : "Nº de Série:");
        banda->qrlaEquipamento->setCaption(veiculo || banda == &veiculos ? "Veículo:" : "Equipamento:");
    }
    habilitarComprovante(itens.veiculo, veiculo);
    habilitarComprovante(itens.equipamento, !veiculo);
    itens.qrlaDefeito->setEnabled(!veiculo);
    itens.qrteDefeito->setEnabled(!veiculo);
    // Without the vehicle rows the defect moves up to the last equipment row.
    const double topoDefeito = veiculo ? 35 : 20;
    itens.qrlaDefeito->setTop(topoDefeito);
    itens.qrteDefeito->setTop(topoDefeito);
    itens.banda->setHeight(topoDefeito + 5);
    OcultarQuadroDadosOficina(!veiculo);
    if (parametro("ATMODOIMPRESSAOOS") != "P")
        qrbnObservacao->setHeight(veiculo ? 144.2 : 87);
}

void TqrAssOSComprovante::OcultarQuadroDadosOficina(bool Hide) { habilitarComprovante(quadroOficina, !Hide); }

void TqrAssOSComprovante::VerificarItensAprovados()
{
    if (!qrlaListaCodInt->enabled())
        return;
    qrlaListaCodInt->setWidth(80);
    qrlaListaCodInt->setCaption(dmGlobal->RetornaObservacaoRemanufatura(ordemAtual()));
}

// ---- band rules -------------------------------------------------------------

void TqrAssOSComprovante::qrbnCabecalhoBeforePrint()
{
    if (!qrimLogoTipo2->enabled())
        return;
    QByteArray foto;
    const QString codigo = "OSSERVICO";
    bool achou = CarregaFotoTabela(codigo + parametro("ATLOCALESTOQUEDOCUMENTO"), "A", 0, foto);
    if (!achou)
        achou = CarregaFotoTabela(codigo, "A", 0, foto);
    if (achou) {
        const QString arquivo = QDir(sCaminhoSistema).filePath("FotoTmpPV.bmp");
        if (QFile::exists(arquivo))
            QFile::remove(arquivo);
        if (!foto.isEmpty()) {
            QFile saida(arquivo);
            if (saida.open(QIODevice::WriteOnly))
                saida.write(foto);
        }
        qrimLogoTipo2->loadFromFile(arquivo);
    }
    qrimLogoTipo2->setGeometry(0, 0, QuickRep->page().printableWidth(), qrbnCabecalho->height());
    qrimLogoTipo2->setStretch(true);
}

void TqrAssOSComprovante::qrsdItensOSBeforePrint(bool&)
{
    bool semConsecionaria = false;
    if (TfmAssOrdemServico* tela = fmAssOrdemServico.get()) {
        host::ui::GridColumn* coluna = tela->dbgdOrdemServicoItens->columnByField("DESCRICAOCONSECIONARIA");
        semConsecionaria = !coluna || !coluna->visible();
    }
    const bool ocultar = semConsecionaria && parametro("ATPESQUISAOSVEICULO") != "S";
    habilitarComprovante(itens.lojaCompra, !ocultar && !modoVeiculo());
}

void TqrAssOSComprovante::qrbnObservacaoBeforePrint()
{
    TdmTec& tec = *dmTec;
    qrmeLaudo->setText(tec.quOSAODESCRICAOLAUDO->asString());
    qrmeCausa->setText(tec.quOSAOCAUSA->asString());
    qrmeSolucao->setText(tec.quOSAOSOLUCAO->asString());
    qrmeObsLaudo->setText(tec.quOSAOOBSLAUDO->asString());
    qrmeObsOS->setText(tec.quOSAOOBSERVACAO->asString());
    qrmeObsCliente->setText(tec.quOSOBSCLI->asString());
    qrmeObsAdicional->setText(observacaoAdicional(ordemAtual()));
    if (const QString historico = tec.quOSAOHISTORICO->asString(); !historico.trimmed().isEmpty())
        qrmeHistorico->setText(historico.trimmed());
}

void TqrAssOSComprovante::qrteHoraSaidaPrint(QString& Value)
{
    host::data::Field* campoHora = dmTec->quOSAOHORASAIDA;
    if (campoHora->isNull()) {
        Value.clear();
        return;
    }
    QDateTime hora = campoHora->asDateTime();
    const int minutos = dmGlobal->ParametroInteiro("ATMINUTOSSAIDAOSINTERNA");
    if (iModo_ == 22 && minutos > 0)
        hora = hora.addSecs(-60 * minutos);
    Value = host::data::formatDateTime("hh:nn", hora);
}
