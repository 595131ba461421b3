// frSelecaoItemOS: service orders by item, grouped by order, with the item's
// service and parts lines and the running totals of the orders.

#include "data/udmRelTecRelatorios.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/Format.h"

using namespace host::report;
using namespace udmRelTec;

namespace {

const QString kTotal = QStringLiteral("#,##0.00");

// The service or parts lines of the current item: description and value,
// under a header that prints only when there are lines.
Band* linhasDoItem(Band& item, const QString& sufixo, const DataRef& linhas, const QString& caption,
                   const QString& campoValor)
{
    Band* band = item.addSubDetail("bn" + sufixo, 4.5, linhas);
    band->setPrintIfEmpty(false);
    Band* cabecalho = band->addHeader("bnCab" + sufixo, 4.5);
    rotulo(*cabecalho, "qrla" + sufixo, 10, 0, 120, caption, true);
    rotulo(*cabecalho, "qrlaVlr" + sufixo, 150, 0, 40, "Vlr. " + caption, true)->setAlignment(Qt::AlignRight | Qt::AlignTop);
    band->addDataText("qrte" + sufixo, 10, 0, 120, 4.5, linhas, "DESCRICAO");
    valor(*band, "qrteVlr" + sufixo, 150, 0, 40, linhas, campoValor, kTotal);
    return band;
}

}  // namespace

TfrSelecaoItemOS::TfrSelecaoItemOS(TDmRelTec& dm) : Report(nullptr, QStringLiteral("frSelecaoItemOS")), dm_(dm)
{
    setTitle(QStringLiteral("Relatório de Ordem de Serviço"));
    const DataRef item(dm.dsSelecaoItemOS);
    const DataRef empresa(dm.frxDBEmpresa);
    setDataSet(item);

    bnTitulo = addBand(BandKind::Title, "bnTitulo", 24);
    bnTitulo->addDataText("qrteEmpresa", 0, 0, 190, 5, empresa, "NOME")->font().setBold(true);
    titulo(*bnTitulo, "qrlaTitulo", 8, "Relatório de Ordem de Serviço", 12);
    titulo(*bnTitulo, "qrlaSubtitulo", 15, "Por Seleção", 10);

    bnColunas = addBand(BandKind::ColumnHeader, "bnColunas", 6);
    rotulo(*bnColunas, "qrlaCliente", 0, 0.5, 45, "Cliente", true);
    rotulo(*bnColunas, "qrlaEntrada", 46, 0.5, 14, "Entrada", true);
    rotulo(*bnColunas, "qrlaSaida", 61, 0.5, 14, "Saída", true);
    rotulo(*bnColunas, "qrlaEquipamento", 76, 0.5, 36, "Equipamento", true);
    rotulo(*bnColunas, "qrlaSerie", 113, 0.5, 25, "Nº de Série", true);
    // The variable column is wide enough for "Andamento" in bold.
    rotulo(*bnColunas, "qrlaAtendente", 139, 0.5, 18, "Atendente", true);
    rotulo(*bnColunas, "qrlaColunaVariavel", 158, 0.5, 17, "Desconto", true)->setAlignment(Qt::AlignRight | Qt::AlignTop);
    rotulo(*bnColunas, "qrlaValor", 176, 0.5, 14, "Valor", true)->setAlignment(Qt::AlignRight | Qt::AlignTop);
    bnColunas->addShape("qrshColunas", 0, 5, 190, 1, ShapeKind::HorizontalLine);

    bnItem = addBand(BandKind::Detail, "bnItem", 5);
    bnItem->addDataText("qrteCliente", 0, 0, 45, 4.5, item, "CLIENTE");
    bnItem->addDataText("qrteEntrada", 46, 0, 14, 4.5, item, "AODATAENTRADA")->setDisplayFormat("dd/mm/yy");
    bnItem->addDataText("qrteSaida", 61, 0, 14, 4.5, item, "AODATASAIDA")->setDisplayFormat("dd/mm/yy");
    bnItem->addDataText("qrteEquipamento", 76, 0, 36, 4.5, item, "AOITEQUIPDESCRICAO");
    bnItem->addDataText("qrteSerie", 113, 0, 25, 4.5, item, "AOITSERIE");
    bnItem->addDataText("qrteAtendente", 139, 0, 18, 4.5, item, "AOATENDENTE");
    bnItem->addExprText("qrexColunaVariavel", 158, 0, 17, 4.5, [this, item] {
        if (variableText("Resposta") == "Andamento")
            return QVariant(int(numero(item, "ANDAMENTO")));
        return QVariant(host::data::formatFloat(formatoValorEmpresa(dm_.frxDBEmpresa), numero(item, "AODESCONTO")));
    })->setAlignment(Qt::AlignRight | Qt::AlignTop);
    bnItem->addExprText("qrexValor", 176, 0, 14, 4.5, [this, item] {
        return QVariant(host::data::formatFloat(formatoValorEmpresa(dm_.frxDBEmpresa),
                                                numero(item, "SERV") + numero(item, "PECAS")));
    })->setAlignment(Qt::AlignRight | Qt::AlignTop);

    bnGrupoOS = bnItem->addGroup("bnGrupoOS", 6, "AOCODIGO");
    rotulo(*bnGrupoOS, "qrlaOS", 0, 1, 35, "Ordem de Serviço: ", true);
    bnGrupoOS->addDataText("qrteOS", 35, 1, 30, 4.5, item, "AOCODIGO")->setDisplayFormat("000000000");
    bnGrupoOS->beforePrint = [this](Band&, bool&) { bnGrupoOSBeforePrint(); };
    bnRodapeOS = bnGrupoOS->addFooter("bnRodapeOS", 6);
    rotulo(*bnRodapeOS, "qrlaValorTotalOS", 130, 0.5, 30, "Valor Total: ", true);
    bnRodapeOS->addAggregate("qragValorTotalOS", 160, 0.5, 30, 4.5, AggregateKind::Sum, *bnItem,
                             [item] { return numero(item, "SERV") + numero(item, "PECAS"); })
        ->setAlignment(Qt::AlignRight | Qt::AlignTop);

    bnServico = linhasDoItem(*bnItem, "Servico", DataRef(dm.dsServicoOsRel), "Serviço", "AAVALORTOTAL");
    bnPeca = linhasDoItem(*bnItem, "Peca", DataRef(dm.dsPecasOSRel), "Peça", "APVALTOTAL");

    bnResumo = addBand(BandKind::Summary, "bnResumo", 30);
    bnResumo->addShape("qrshResumo", 0, 0, 190, 1, ShapeKind::HorizontalLine);
    const std::pair<const char*, std::function<double()>> totais[] = {
        {"Valor Total:  ", [this] { return rTotalPecas + rTotalServicos + rTotalExtras + rTotalViagem; }},
        {"Desp. Viagem: ", [this] { return rTotalViagem; }},
        {"Desp. Extras: ", [this] { return rTotalExtras; }},
        {"Serviços: ", [this] { return rTotalServicos; }},
        {"Peças: ", [this] { return rTotalPecas; }},
    };
    double top = 2;
    int n = 0;
    for (const auto& [caption, total] : totais) {
        ++n;
        rotulo(*bnResumo, QStringLiteral("qrlaTotal%1").arg(n), 120, top, 35, QString::fromUtf8(caption), true);
        bnResumo->addExprText(QStringLiteral("qrexTotal%1").arg(n), 155, top, 35, 4.5, [total] { return QVariant(total()); })
            ->setDisplayFormat(kTotal);
        static_cast<TextControl*>(bnResumo->controls().back())->setAlignment(Qt::AlignRight | Qt::AlignTop);
        top += 5;
    }
    rodapePagina(*this, "bnRodape");
    beforePrint = [this](Report&) { ReportBeforePrint(); };
}

void TfrSelecaoItemOS::ReportBeforePrint()
{
    dm_.ReiniciaDatasets();
    rTotalPecas = rTotalServicos = rTotalExtras = rTotalViagem = 0;
    // Vehicles or equipment, by the company's printing type.
    const bool veiculo = texto(DataRef(dm_.frxDBEmpresa), "TIPO_IMP") == "O";
    find<Label>("qrlaEquipamento")->setCaption(veiculo ? "Veículo" : "Equipamento");
    find<Label>("qrlaSerie")->setCaption(veiculo ? "Placa" : "Nº de Série");
    find<DataText>("qrteSerie")->setFieldName(veiculo ? "AOITPLACA" : "AOITSERIE");
    find<Label>("qrlaColunaVariavel")->setCaption(variableText("Resposta") == "Andamento" ? "Andamento" : "Desconto");
    find<Aggregate>("qragValorTotalOS")->setDisplayFormat(formatoValorEmpresa(DataRef(dm_.frxDBEmpresa)));
}

// Each order counts once in the running totals, when its group starts.
void TfrSelecaoItemOS::bnGrupoOSBeforePrint()
{
    const DataRef item(dm_.dsSelecaoItemOS);
    rTotalPecas += numero(item, "AOVALORPECAS");
    rTotalServicos += numero(item, "AOVALORSERVICO");
    rTotalExtras += numero(item, "DESEXTRA");
    rTotalViagem += numero(item, "DESPVIAGEM");
}
