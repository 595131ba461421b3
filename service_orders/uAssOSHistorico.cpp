// The history and the receipt note of a service order.

#include "service_orders/uAssOSHistorico.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/report/Report.h"
#include "host/Endereco.h"

using namespace host::report;
using namespace uAssOSRelatorio;

host::ui::FormVar<TqrAssOSHistorico> qrAssOSHistorico("qrAssOSHistorico");

namespace {

// ATOPCAODOCUMENTOOS "O": lines the customer did not authorise stay out.
void omitirNaoAutorizada(Band& banda, const char* campoAutorizado)
{
    host::data::Dataset* linhas = banda.dataSet();
    banda.beforePrint = [linhas, campoAutorizado](Band&, bool& print) {
        if (parametro("ATOPCAODOCUMENTOOS") == "O" && linhas->fieldByName(campoAutorizado)->asString() == "N")
            print = false;
    };
}

// A section footer carries the next section's caption and prints only when
// that section has rows.
Band* rodapeSecao(Band& secao, const QString& nome, const QString& caption, host::data::Dataset* proxima)
{
    Band* rodape = secao.addFooter(nome, 12);
    rotulo(*rodape, "qrla" + nome.mid(4) + "Titulo", 0, 1, 100, caption);
    rodape->beforePrint = [proxima](Band&, bool& print) { print = temLinhas(proxima); };
    return rodape;
}

}  // namespace

TqrAssOSHistoricoComum::TqrAssOSHistoricoComum(QWidget* parent, bool recibo)
    : TqrAssOSRelatorio(parent, recibo ? "Recibo" : "Ordem de Serviço"), bRecibo(recibo)
{
    QuickRep->setPaper(recibo ? PaperSize::A4 : PaperSize::Letter);
    qrbnCabecalho = cabecalhoEmpresa(*QuickRep, "qrbnCabecalho", recibo ? "Recibo" : "Ordem de Serviço");
    criarCliente();
    criarItens();
    criarLinhas();
    criarTotais();
    QuickRep->beforePrint = [this](Report&) { QuickRepBeforePrint(); };
    qrbnCliente->beforePrint = [this](Band&, bool&) { qrbnClienteBeforePrint(); };
    qrbnObservacao->beforePrint = [this](Band&, bool&) { qrbnObservacaoBeforePrint(); };
}

TqrAssOSHistoricoComum::~TqrAssOSHistoricoComum() = default;

TqrAssOSHistorico::TqrAssOSHistorico(QWidget* parent) : TqrAssOSHistoricoComum(parent, false) {}

void TqrAssOSHistoricoComum::criarCliente()
{
    host::data::Dataset* os = dmTec->quOS;
    qrbnCliente = QuickRep->addBand(BandKind::Detail, "qrbnCliente", 36);
    Band& b = *qrbnCliente;
    struct Par {
        const char *nome, *caption, *campo;
        double left, top, width;
    };
    static const Par pares[] = {
        {"OS", "Nº da OS:", "AOCODIGO", 0, 0, 30},          {"Cliente", "Cliente:", "CLIENTE", 64, 0, 104},
        {"Tecnico", "Técnico:", "DescTecnico", 0, 5, 40},    {"Contato", "Contato:", "AOCONTATO", 64, 5, 40},
        {"Atendente", "Atendente:", "AOATENDENTE", 128, 5, 40}, {"Entrada", "Entrada:", "AODATAENTRADA", 0, 10, 40},
        {"Saida", "Saída:", "AODATASAIDA", 64, 10, 40},      {"TipoOS", "Tipo OS:", "AOTIPOOS", 64, 15, 40},
    };
    for (const Par& p : pares) {
        rotulo(b, QString("qrla") + p.nome, p.left, p.top, 22, QString::fromUtf8(p.caption));
        DataText* t = campo(b, QString("qrte") + p.nome, p.left + 22, p.top, p.width, os, p.campo);
        if (QByteArray(p.campo).startsWith("AODATA"))
            t->setDisplayFormat("dd/mm/yyyy");
    }
    // The status as the user reads it, not its code.
    rotulo(b, "qrlaStatus", 0, 15, 22, "Status:");
    b.addExprText("qrteStatus", 22, 15, 40, 4,
                  [os] { return QVariant(TextoStatusServicoOS(os->fieldByName("AOBAIXA")->asString())); });
    rotulo(b, "qrlaFone", 128, 0, 12, "Fone:");
    b.addExprText("qrteFone", 140, 0, 50, 4, [] { return QVariant(telefoneCliente()); });
    rotulo(b, "qrlaHoraSaida", 128, 10, 22, "Hora Saída:");
    DataText* hora = campo(b, "qrteHoraSaida", 150, 10, 20, os, "AOHORASAIDA");
    hora->setDisplayFormat("hh:nn");
    rotulo(b, "qrlaTitEndereco", 0, 20, 22, "Endereço:");
    qrlaEndereco = b.addLabel("qrlaEndereco", 22, 20, 168, 4, QString());
    qrlaEnderecoCompleto = b.addLabel("qrlaEnderecoCompleto", 22, 25, 168, 4, QString());
}

void TqrAssOSHistoricoComum::criarItens()
{
    host::data::Dataset* d = dmTec->quOSItem;
    qrsdItens = qrbnCliente->addSubDetail("qrsdItens", 15, d);
    qrsdItens->setPrintIfEmpty(false);
    Band& b = *qrsdItens;
    qrlaEquipamento = rotulo(b, "qrlaEquipamento", 0, 0, 24, "Equipamento:");
    campo(b, "qrteEquipamento", 24, 0, 70, d, "AOITEQUIPDESCRICAO");
    qrlaSerie = rotulo(b, "qrlaSerie", 96, 0, 24, "Nº de Série:");
    campo(b, "qrteSerie", 120, 0, 40, d, "AOITSERIE");
    rotulo(b, "qrlaMarca", 0, 5, 24, "Marca:");
    campo(b, "qrteMarca", 24, 5, 40, d, "AOITMARCA");
    rotulo(b, "qrlaModelo", 66, 5, 20, "Modelo:");
    campo(b, "qrteModelo", 86, 5, 40, d, "AOITMODELO");
    auto par = [&](std::vector<Control*>& grupo, const char* nome, const QString& caption, const char* field,
                   double left, double top) {
        grupo.push_back(rotulo(b, QString("qrla") + nome, left, top, 24, caption));
        grupo.push_back(campo(b, QString("qrte") + nome, left + 24, top, 40, d, field));
    };
    par(equipamento, "LojaCompra", "Loja Compra:", "AOITLOJACOMPRA", 128, 5);
    par(equipamento, "Quantidade", "Quantidade:", "AOITQUANTIDADE", 0, 10);
    par(equipamento, "Defeito", "Defeito:", "AOITDEFEITO", 66, 10);
    par(veiculo, "Consecionaria", bRecibo ? "Consecionaria:" : "Consecionária:", "DESCRICAOCONSECIONARIA", 128, 5);
    par(veiculo, "Codigo", "Código:", "AOITEQUIPCODIGO", 0, 10);
    par(veiculo, "Placa", "Placa:", "AOITPLACA", 66, 10);
    par(veiculo, "Km", "Km:", "AOITKMINICIAL", 128, 10);
    qrbnRodItens = rodapeSecao(b, "qrbnRodItens", "Serviço", dmTec->quOSAndamento);
}

void TqrAssOSHistoricoComum::criarLinhas()
{
    TdmTec& tec = *dmTec;
    qrsdServico = tabelaLinhas(*qrbnCliente, "qrsdServico", tec.quOSAndamento, "Serv",
                               {{"Codigo", "Código", "PRCODIGO", 0, 20, false},
                                {"Descricao", "Descrição", "DESCRICAO", 22, 100, false},
                                {"Qtde", "Qtde.", "AAQUANTIDADE", 124, 18, true},
                                {"Valor", "Unitário", "AAVALOR", 144, 22, true},
                                {"Total", "Total", "AAVALORTOTAL", 168, 22, true}},
                               qrbnRodItens, "AAOBSERVACAO");
    qrbnRodServico = rodapeSecao(*qrsdServico, "qrbnRodServico", "Despesas com Peças", tec.quOSPecas);
    qrsdDespPecas = tabelaLinhas(*qrbnCliente, "qrsdDespPecas", tec.quOSPecas, "Pec",
                                 {{"Codigo", "Código", "PRCODIGO", 0, 20, false},
                                  {"Descricao", "Descrição", "DESCRICAO", 22, 100, false},
                                  {"Qtde", "Qtde.", "APQUANTIDADE", 124, 18, true},
                                  {"Valor", "Unitário", "APVALUNITARIO", 144, 22, true},
                                  {"Total", "Total", "APVALTOTAL", 168, 22, true}},
                                 qrbnRodServico, "APOBSERVACAO");
    qrbnRodPecas = rodapeSecao(*qrsdDespPecas, "qrbnRodPecas", "Despesas com Viagem", tec.quOSDespViagem);
    qrsdDespViagem = tabelaLinhas(*qrbnCliente, "qrsdDespViagem", tec.quOSDespViagem, "Viag",
                                  {{"Data", "Data", "AVDATA", 0, 22, false},
                                   {"Inicio", "Início", "AVHORAINICIO", 24, 16, false},
                                   {"Fim", "Fim", "AVHORAFIM", 42, 16, false},
                                   {"Km", "KM Perc.", "AVKMPERCORRIDO", 60, 20, true},
                                   {"Total", "Total", "AVVALORTOTAL", 168, 22, true}},
                                  qrbnRodPecas, nullptr);
    qrbnRodViagem = rodapeSecao(*qrsdDespViagem, "qrbnRodViagem", "Despesas Extras", tec.quOSDespExtra);
    qrsdDespExtra = tabelaLinhas(*qrbnCliente, "qrsdDespExtra", tec.quOSDespExtra, "Extra",
                                 {{"Numero", "Nº Documento", "AXNUMERO", 0, 30, false},
                                  {"Serie", "Série", "AXSERIE", 32, 14, false},
                                  {"Data", "Data", "AXDATA", 48, 22, false},
                                  {"Valor", "Valor", "AXVALOR", 168, 22, true}},
                                 qrbnRodViagem, nullptr);
    if (!bRecibo) {
        omitirNaoAutorizada(*qrsdServico, "AAAUTORIZADO");
        omitirNaoAutorizada(*qrsdDespPecas, "APAUTORIZADO");
    }
}

void TqrAssOSHistoricoComum::criarTotais()
{
    host::data::Dataset* os = dmTec->quOS;
    qrbnObservacao = QuickRep->addBand(BandKind::Summary, "qrbnObservacao", 40);
    Band& b = *qrbnObservacao;
    struct Total {
        const char *nome, *caption, *campo;
    };
    static const Total totais[] = {
        {"Pecas", "Peças:", "AOVALORPECAS"},      {"Viagem", "Viagem:", "AODESPVIAGEM"},
        {"Extras", "Extras:", "AODESPDIVERSAS"},  {"Servicos", "Serviços:", "AOVALORSERVICO"},
        {"Desconto", "Desconto:", "AODESCONTO"},  {"ValorTotal", "Valor Total da OS:", "AOVALORTOTAL"},
    };
    double top = 1;
    for (const Total& t : totais) {
        rotulo(b, QString("qrla") + t.nome, 130, top, 35, QString::fromUtf8(t.caption));
        DataText* valor = campo(b, QString("qrte") + t.nome, 165, top, 25, os, t.campo);
        valor->setDisplayFormat("###,###,##0.00");
        valor->setAlignment(Qt::AlignRight | Qt::AlignTop);
        top += 5;
    }
    rotulo(b, "qrlaLaudo", 0, 1, 18, "Laudo:");
    qrmeLaudo = b.addMemo("qrmeLaudo", 18, 1, 110, 4);
    qrmeLaudo->setAutoStretch(true);
    qrmeObsAdicional = b.addMemo("qrmeObsAdicional", 18, 20, 110, 4);
    qrmeObsAdicional->setAutoStretch(true);

    qrbnAssinaturas = qrbnObservacao->addChild("qrbnAssinaturas", 30);
    Band& a = *qrbnAssinaturas;
    a.addShape("qrshAssCliente", 0, 8, 80, 1, ShapeKind::HorizontalLine);
    a.addLabel("qrlaAssCliente", 0, 9, 80, 4, "Assinatura do Cliente");
    a.addShape("qrshAssTecnico", 100, 8, 80, 1, ShapeKind::HorizontalLine);
    a.addLabel("qrlaAssTecnico", 100, 9, 80, 4, "Assinatura do Técnico");
    rotulo(a, "qrlaObsOS", 0, 16, 24, "Obs. OS:");
    qrmeObsOS = a.addMemo("qrmeObsOS", 24, 16, 166, 4);
    qrmeObsOS->setAutoStretch(true);
    rotulo(a, "qrlaObsCliente", 0, 22, 24, "Obs. Cliente:");
    qrmeObsCliente = a.addMemo("qrmeObsCliente", 24, 22, 166, 4);
    qrmeObsCliente->setAutoStretch(true);
}

void TqrAssOSHistoricoComum::QuickRepBeforePrint()
{
    dmTec->CarregaOSAtributos(ordemAtual(), 0, true);
    const bool carro = modoVeiculo();
    qrlaEquipamento->setCaption(carro ? "Veículo:" : "Equipamento:");
    qrlaSerie->setCaption(carro ? "Chassi:" : "Nº de Série:");
    for (Control* c : veiculo)
        c->setEnabled(carro);
    for (Control* c : equipamento)
        c->setEnabled(!carro);
}

void TqrAssOSHistoricoComum::qrbnClienteBeforePrint()
{
    if (bRecibo) {
        qrlaEndereco->setCaption(dmTec->quOSENDERECO->asString());
        return;
    }
    std::unique_ptr<host::data::Query> endereco = CriarIbQuery("quEnderecoHistorico");
    endereco->setSql(
        "select coalesce(ENDERECO, '') as ENDERECO, " +
        host::compoeEnderecoSql({{"", "CLENDERECO"},
                                 {", ", "CLENDNUMERO"},
                                 {" ", "CLENDCOMPLEMENTO"},
                                 {", ", "BAIRRO"},
                                 {", ", "CIDADE"},
                                 {"/", "ESTADO"}}) +
        " as COMPLETO from augc0301 where CODIGO_CLIENTE = " +
        QuotedStr(dmTec->quOSCLCODIGO->asString()));
    endereco->open();
    qrlaEndereco->setCaption(endereco->fieldByName("ENDERECO")->asString());
    qrlaEnderecoCompleto->setCaption(endereco->fieldByName("COMPLETO")->asString());
}

void TqrAssOSHistoricoComum::qrbnObservacaoBeforePrint()
{
    TdmTec& tec = *dmTec;
    qrmeLaudo->setText(tec.quOSAODESCRICAOLAUDO->asString());
    qrmeObsAdicional->setText(observacaoAdicional(ordemAtual()));
    qrmeObsOS->setText(" " + tec.quOSAOOBSERVACAO->asString());
    qrmeObsCliente->setText(tec.quOSOBSCLI->asString());
}
