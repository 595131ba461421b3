// The printed orders by item of the report selection.

#include "service_orders/uAssOSSelecaoRelImp.h"

#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"

using namespace host::report;
using namespace uAssOSSelecaoRel;

host::ui::FormVar<TqrAssOSSelecaoRelImp> qrAssOSSelecaoRelImp("qrAssOSSelecaoRelImp");

TqrAssOSSelecaoRelImp::TqrAssOSSelecaoRelImp(QWidget* parent)
    : host::ui::Form(parent),
      quPesqRel(std::make_unique<host::data::Query>(nullptr, "quPesqRel")),
      QuickRep1(std::make_unique<Report>(nullptr, QStringLiteral("QuickRep1")))
{
    setCaption("Relatório de Ordem de Serviço por Seleção");
    quPesqRel->setTransaction(dmGlobal->IBTransaction1.get());
    Report& r = *QuickRep1;
    r.setTitle("Relatório de Ordem de Serviço por Seleção");
    r.setLandscape(true);
    r.font().setPointSizeF(7);
    r.setDataSet(quPesqRel.get());
    const DataRef dados(quPesqRel.get());
    TituloSelecao(r, "Relatório de Ordem de Serviço por Seleção");
    qrbnColunas = r.addBand(BandKind::ColumnHeader, "qrbnColunas", 6);
    qrbnDetalhe = r.addBand(BandKind::Detail, "qrbnDetalhe", 5);
    Band& c = *qrbnColunas;
    Band& d = *qrbnDetalhe;
    AdicionaColuna(c, d, dados, "OS", "Nº da OS", "AOCODIGO", 0, 16, kOrdemSelecao);
    qrEquipamento = AdicionaColuna(c, d, dados, "Equipamento", "Equipamento", "AOITEQUIPDESCRICAO", 17, 30);
    qrSerie = AdicionaColuna(c, d, dados, "Serie", "Nº de Série", "AOITSERIE", 48, 22);
    AdicionaColuna(c, d, dados, "DataEntrada", "Data Ent.", "AODATAENTRADA", 71, 14, "dd/mm/yy");
    AdicionaColuna(c, d, dados, "DataSaida", "Data Saída", "AODATASAIDA", 86, 14, "dd/mm/yy");
    AdicionaColuna(c, d, dados, "Atendente", "Atendente", "AOATENDENTE", 101, 18);
    AdicionaColuna(c, d, dados, "Servico", "Serviço", "SERVICO", 120, 30);
    qrHoras = AdicionaColuna(c, d, dados, "Horas", "Tempo (Min.)", "HORAS", 151, 14, "0");
    qrHorasAndamento = AdicionaColuna(c, d, dados, "HorasAndamento", "Andamento", "HORASANDAMENTO", 166, 14, "0");
    AdicionaColuna(c, d, dados, "ValorServico", "Vlr. Serviço", "TOTSERV", 181, 16, kValorSelecao);
    AdicionaColuna(c, d, dados, "ValorPecas", "Vlr. Peças", "VALORPECAS", 198, 16, kValorSelecao);
    AdicionaColuna(c, d, dados, "DespViagem", "Desp. Viagem", "DESPVIAGEM", 215, 15, kValorSelecao);
    AdicionaColuna(c, d, dados, "DespExtras", "Desp. Extras", "DESEXTRA", 231, 15, kValorSelecao);
    AdicionaColuna(c, d, dados, "Desconto", "Desconto", "AODESCONTO", 247, 13, kValorSelecao);
    AdicionaColuna(c, d, dados, "ValorTotal", "Valor Total", "AOVALORTOTAL", 261, 16, kValorSelecao);
    c.addShape("qrshColunas", 0, 5.5, 277, 0.5, ShapeKind::HorizontalLine);

    qrbnGrupoCliente = d.addGroup("qrbnGrupoCliente", 6, "CLIENTE");
    RotuloSelecao(*qrbnGrupoCliente, "qrlaCliente", 0, 1, 18, "CLIENTE:");
    qrbnGrupoCliente->addDataText("qrteCliente", 18, 1, 150, 4.5, dados, "CLIENTE")->font().setBold(true);
    qrbnRodapeCliente = qrbnGrupoCliente->addFooter("qrbnRodapeCliente", 7);
    criarTotais(*qrbnRodapeCliente, "Cliente", "Totalizadores:");
    qrbnResumo = r.addBand(BandKind::Summary, "qrbnResumo", 8);
    criarTotais(*qrbnResumo, "Geral", "Totalizadores Gerais:");
    RodapeSelecao(r);
    r.beforePrint = [this](Report&) { QuickRep1BeforePrint(); };
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}

TqrAssOSSelecaoRelImp::~TqrAssOSSelecaoRelImp() = default;

// The sums of the rows of the group (or of all rows) under the money columns.
void TqrAssOSSelecaoRelImp::criarTotais(Band& band, const QString& sufixo, const QString& caption)
{
    RotuloSelecao(band, "qrlaTotais" + sufixo, 120, 1, 40, caption);
    host::data::Query* q = quPesqRel.get();
    const std::tuple<const char*, const char*, double, double> somas[] = {
        {"ValorServico", "TOTSERV", 181, 16},  {"ValorPecas", "VALORPECAS", 198, 16},
        {"DespViagem", "DESPVIAGEM", 215, 15}, {"DespExtras", "DESEXTRA", 231, 15},
        {"ValorTotal", "AOVALORTOTAL", 261, 16},
    };
    for (const auto& [nome, campo, left, width] : somas) {
        const QString fieldName = QString::fromLatin1(campo);
        Aggregate* soma = band.addAggregate("qrag" + QString::fromLatin1(nome) + sufixo, left, 1, width, 4.5,
                                            AggregateKind::Sum, *qrbnDetalhe,
                                            [q, fieldName] { return q->fieldByName(fieldName)->asFloat(); });
        soma->setDisplayFormat(kValorSelecao);
        soma->setAlignment(Qt::AlignRight | Qt::AlignTop);
    }
}

void TqrAssOSSelecaoRelImp::QuickRep1BeforePrint()
{
    const bool veiculo = dmGlobal->Parametro("ATMODOVEICULO") == "O";
    qrEquipamento.titulo->setCaption(veiculo ? "Veículo" : "Equipamento");
    qrSerie.titulo->setCaption(veiculo ? "Placa" : "Nº de Série");
    qrSerie.texto->setFieldName(veiculo ? "AOITPLACA" : "AOITSERIE");
    qrHorasAndamento.texto->setEnabled(sResposta != "Serviço");
    qrHoras.texto->setEnabled(sResposta != "Andamento");
}
