// The documents of one service order over dmTec's live datasets: the summary
// budget letter, the complete budget and the order receipt.

#include "data/udmRelTecRelatorios.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/Udatamod.h"
#include "host/Uglobal.h"
#include "host/data/Format.h"

using namespace host::report;
using namespace udmRelTec;

namespace {

const QString kValorOrcamento = QStringLiteral("###,###,##0.00");
const ColunasLinha kServicos{"PRCODIGO", "DESCRICAO", "AAQUANTIDADE", "AAVALOR", "AAVALORTOTAL"};
const ColunasLinha kPecas{"PRCODIGO", "DESCRICAO", "APQUANTIDADE", "APVALUNITARIO", "APVALTOTAL"};

// Title band: the company and the document's title lines.
Band* tituloDocumento(Report& report, const DataRef& empresa, const QString& linha1, const QString& linha2)
{
    Band* band = report.addBand(BandKind::Title, "bnTitulo", 38);
    cabecalhoEmpresa(*band, empresa);
    titulo(*band, "qrlaTitulo", 21, linha1, 12);
    titulo(*band, "qrlaSubtitulo", 28.5, linha2, 10);
    band->addShape("qrshTitulo", 0, 36, report.page().printableWidth(), 1, ShapeKind::HorizontalLine);
    return band;
}

// A caption and a right-aligned money value on one line of a totals band.
void linhaTotal(Band& band, const QString& nome, double top, const QString& caption, const DataRef& os,
                const QString& campo)
{
    rotulo(band, "qrla" + nome, 110, top, 50, caption, true);
    valor(band, "qrte" + nome, 160, top, 30, os, campo, kValorOrcamento);
}

Memo* memoCampo(Band& band, const QString& nome, double top, const DataRef& dataset, const QString& campo)
{
    Memo* memo = band.addMemo(nome, 0, top, 190, 4.5);
    memo->setDataField(dataset, campo);
    memo->setAutoStretch(true);
    return memo;
}

}  // namespace

// ---- summary budget ------------------------------------------------------------------

TfrOrdemServResumido::TfrOrdemServResumido(TDmRelTec& dm) : Report(nullptr, QStringLiteral("frOrdemServResumido")), dm_(dm)
{
    setTitle(QStringLiteral("Relatório de Ordem de Serviço"));
    const DataRef os(dm.dsOS);
    tituloDocumento(*this, DataRef(dm.frxDBEmpresa), "Relatório de Ordem de Serviço", "Resumido");

    bnCliente = addBand(BandKind::Detail, "bnCliente", 34);
    rotulo(*bnCliente, "qrlaOrcamento", 0, 0, 30, "Orçamento Nº:", true);
    bnCliente->addDataText("qrteOrcamento", 30, 0, 30, 4.5, os, "AOCODIGO")->setDisplayFormat("000000000");
    rotulo(*bnCliente, "qrlaData", 140, 0, 15, "Data:", true);
    bnCliente->addDataText("qrteData", 155, 0, 35, 4.5, os, "AODATAENTRADA")->setDisplayFormat("dd/mm/yyyy");
    blocoCliente(*bnCliente, os, 6);
    memoCampo(*bnCliente, "qrmeMensagem996", 28, DataRef(dm.dsOrdemServResumido), "qrlaMensagem996");

    bnItens = tabelaItens(*bnCliente, "bnItens", DataRef(dm.dsOsItem), "- Equipamento(s):");
    bnServicos = tabelaLinhas(*bnCliente, "bnServicos", DataRef(dm.dsOsAndamento), "- Serviço(s):", kServicos);
    bnPecas = tabelaLinhas(*bnCliente, "bnPecas", DataRef(dm.dsOsPecas), "- Peça(s):", kPecas);

    bnTotais = addBand(BandKind::Summary, "bnTotais", 12);
    linhaTotal(*bnTotais, "TotalServicos", 2, "Total de Serviços:", os, "AOVALORSERVICO");
    linhaTotal(*bnTotais, "TotalPecas", 7, "Total de Peças:", os, "AOVALORPECAS");

    bnDespesas = addBand(BandKind::Summary, "bnDespesas", 15);
    linhaTotal(*bnDespesas, "DespViagem", 0, "Despesas de Viagem:", os, "AODESPVIAGEM");
    linhaTotal(*bnDespesas, "DespExtras", 5, "Despesas Extras:", os, "AODESPDIVERSAS");
    linhaTotal(*bnDespesas, "Desconto", 10, "Desconto:", os, "AODESCONTO");
    bnDespesas->beforePrint = [this](Band&, bool& imprimir) { imprimir = variableText("visibleDespesas") == "1"; };

    bnFechamento = addBand(BandKind::Summary, "bnFechamento", 45);
    linhaTotal(*bnFechamento, "TotalOrcamento", 1, "Valor Total do Orçamento:", os, "AOVALORTOTAL");
    rotulo(*bnFechamento, "qrlaPagamento", 0, 8, 45, "Condição de Pagamento:", true);
    // The payment terms' description, read from the host's table when its look-up list is not open.
    bnFechamento->addExprText("qrexPagamento", 45, 8, 145, 4.5, [os] {
        const QString descricao = texto(os, "DescricaoTabVcto");
        const QString tabela = texto(os, "TVCODIGO");
        if (!descricao.isEmpty() || tabela.trimmed().isEmpty())
            return QVariant(descricao);
        return QVariant(CarregaDado("DESCRICAO", "AFVT0101", "where CODIGO = " + QuotedStr(tabela)));
    });
    rotulo(*bnFechamento, "qrlaAtenciosamente", 0, 15, 60, "Atenciosamente,");
    memoCampo(*bnFechamento, "qrmeMensagem997", 22, DataRef(dm.dsOrdemServResumido), "qrlaMensagem997");
    memoCampo(*bnFechamento, "qrmeMensagem998", 28, DataRef(dm.dsOrdemServResumido), "qrlaMensagem998");
    memoCampo(*bnFechamento, "qrmeMensagem999", 34, DataRef(dm.dsOrdemServResumido), "qrlaMensagem999");
    rodapePagina(*this, "bnRodape");
    beforePrint = [this](Report&) { dm_.ReiniciaDatasets(); };
}

// ---- complete budget ---------------------------------------------------------------

TfrOrdemServCompleto::TfrOrdemServCompleto(TDmRelTec& dm) : Report(nullptr, QStringLiteral("frOrdemServCompleto")), dm_(dm)
{
    setTitle(QStringLiteral("ORÇAMENTO"));
    const DataRef os(dm.dsOS);
    const DataRef itens(dm.dsOsItem);
    const DataRef servicos(dm.dsOsAndamento);
    Band* bnTitulo = tituloDocumento(*this, DataRef(dm.frxDBEmpresa), "ORÇAMENTO", {});
    bnTitulo->addExprText("qrexNumero", 0, 28.5, 190, 5, [os] {
        return QVariant("Nº " + host::data::formatFloat("000000000", numero(os, "AOCODIGO")));
    })->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

    bnCliente = addBand(BandKind::Detail, "bnCliente", 33);
    blocoCliente(*bnCliente, os, 0);
    // A company shows its CNPJ and state registration, a person the CPF and identity.
    auto juridica = [os] { return texto(os, "PESSOA_FISICAOUJURIDICA") == "J"; };
    bnCliente->addExprText("qrexDocumento1", 0, 20, 90, 4.5, [os, juridica] {
        return QVariant((juridica() ? "CNPJ: " : "CPF: ") + texto(os, "CGC_CNPJ"));
    });
    bnCliente->addExprText("qrexDocumento2", 95, 20, 95, 4.5, [os, juridica] {
        return QVariant(juridica() ? "Insc. Est.: " + texto(os, "CLIE") : "RG: " + texto(os, "NUMERO_IDENTIDADE"));
    });
    rotulo(*bnCliente, "qrlaDataChamado", 0, 26, 30, "Data Chamado:", true);
    bnCliente->addExprText("qrexDataChamado", 30, 26, 40, 4.5, [this] { return QVariant(variableText("dataChamado")); });
    rotulo(*bnCliente, "qrlaHoraChamado", 95, 26, 15, "Hora:", true);
    bnCliente->addExprText("qrexHoraChamado", 110, 26, 30, 4.5, [this] { return QVariant(variableText("HoraChamado")); });

    bnItens = bnCliente->addSubDetail("bnItens", 16, itens);
    bnItens->setPrintIfEmpty(false);
    rotulo(*bnItens, "qrlaEquipamento", 0, 1, 25, "Equipamento:", true);
    bnItens->addDataText("qrteEquipamento", 25, 1, 100, 4.5, itens, "AOITEQUIPDESCRICAO");
    rotulo(*bnItens, "qrlaAtendimento", 130, 1, 25, "Atendimento:", true);
    bnItens->addExprText("qrexAtendimento", 155, 1, 35, 4.5, [os] {
        const QString atendimento = texto(os, "AOATENDIMENTO");
        return QVariant(atendimento == "I" ? "Interno" : atendimento == "E" ? "Externo" : atendimento);
    });
    rotulo(*bnItens, "qrlaDefeito", 0, 6, 25, "Defeito:", true);
    bnItens->addDataText("qrteDefeito", 25, 6, 165, 4.5, itens, "AOITDEFEITO");
    rotulo(*bnItens, "qrlaSerie", 0, 11, 25, "Nº de Série:", true);
    bnItens->addDataText("qrteSerie", 25, 11, 45, 4.5, itens, "AOITSERIE");
    rotulo(*bnItens, "qrlaGarantia", 72, 11, 18, "Garantia:", true);
    bnItens->addDataText("qrteGarantia", 90, 11, 48, 4.5, itens, "AOITGARANTIA");
    rotulo(*bnItens, "qrlaNotaFiscal", 140, 11, 22, "Nota Fiscal:", true);
    bnItens->addDataText("qrteNotaFiscal", 162, 11, 28, 4.5, itens, "AOITNUMERONOTAFISCAL");

    bnServicos = bnCliente->addSubDetail("bnServicos", 4.5, servicos);
    bnServicos->setPrintIfEmpty(false);
    Band* cabServicos = bnServicos->addHeader("bnCabServicos", 11);
    rotulo(*cabServicos, "qrlaServicos", 0, 1, 100, "Serviços", true);
    rotulo(*cabServicos, "qrlaTitDescricao", 0, 6, 110, "Descrição", true);
    rotulo(*cabServicos, "qrlaTitQuantidade", 112, 6, 24, "Qtde./Tempo", true)->setAlignment(Qt::AlignRight | Qt::AlignTop);
    rotulo(*cabServicos, "qrlaTitValor", 138, 6, 26, "Valor", true)->setAlignment(Qt::AlignRight | Qt::AlignTop);
    rotulo(*cabServicos, "qrlaTitTotal", 166, 6, 24, "Total", true)->setAlignment(Qt::AlignRight | Qt::AlignTop);
    // A line with worked time shows its hour type, the minutes and the hour price ("Variado" when the five differ).
    auto temTempo = [servicos] { return numero(servicos, "AATOTAL") > 0; };
    auto horaVariada = [servicos] {
        const double primeira = numero(servicos, "AHHORA1");
        for (int i = 2; i <= 5; ++i)
            if (numero(servicos, QStringLiteral("AHHORA%1").arg(i)) != primeira)
                return true;
        return false;
    };
    bnServicos->addExprText("qrexDescricao", 0, 0, 110, 4.5, [servicos, temTempo] {
        if (!temTempo())
            return QVariant(texto(servicos, "DESCRICAO"));
        const QString hora = texto(servicos, "DescricaoHora");
        return QVariant(hora.isEmpty() ? texto(servicos, "DESCHORA") : hora);
    });
    bnServicos->addExprText("qrexQuantidade", 112, 0, 24, 4.5, [servicos, temTempo] {
        return temTempo() ? QVariant(texto(servicos, "AATOTAL"))
                          : QVariant(host::data::formatFloat("0.##", numero(servicos, "AAQUANTIDADE")));
    })->setAlignment(Qt::AlignRight | Qt::AlignTop);
    bnServicos->addExprText("qrexValor", 138, 0, 26, 4.5, [servicos, temTempo, horaVariada] {
        if (temTempo() && horaVariada())
            return QVariant(QStringLiteral("Variado"));
        return QVariant(host::data::formatFloat(kValorOrcamento, numero(servicos, temTempo() ? "AHHORA1" : "AAVALOR")));
    })->setAlignment(Qt::AlignRight | Qt::AlignTop);
    valor(*bnServicos, "qrteTotal", 166, 0, 24, servicos, "AAVALORTOTAL", kValorOrcamento);
    bnServicos->beforePrint = [this](Band&, bool& imprimir) { bnServicosBeforePrint(imprimir); };

    bnPecas = tabelaLinhas(*bnCliente, "bnPecas", DataRef(dm.dsOsPecas), "Produtos Utilizados (Peças)", kPecas);

    bnTotais = addBand(BandKind::Summary, "bnTotais", 34);
    linhaTotal(*bnTotais, "TotalPecas", 2, "Total Peças:", os, "AOVALORPECAS");
    linhaTotal(*bnTotais, "TotalServicos", 7, "Total Serviços:", os, "AOVALORSERVICO");
    linhaTotal(*bnTotais, "DespViagem", 12, "Desp. Viagem:", os, "AODESPVIAGEM");
    linhaTotal(*bnTotais, "Total", 17, "Total:", os, "AOVALORTOTAL");
    rotulo(*bnTotais, "qrlaValidade", 0, 24, 45, "Validade do Orçamento:", true);
    bnTotais->addDataText("qrteValidade", 45, 24, 40, 4.5, os, "AOVALIDADEORCAMENTO")->setDisplayFormat("dd/mm/yyyy");
    rotulo(*bnTotais, "qrlaLiberacao", 0, 29, 45, "Previsão de Liberação:", true);
    bnTotais->addExprText("qrexLiberacao", 45, 29, 60, 4.5, [os] {
        const int dias = int(numero(os, "AOPREVLIBERACAO"));
        return QVariant(dias <= 0 ? QStringLiteral("Imediato") : QStringLiteral("%1 dia(s)").arg(dias));
    });

    bnLaudo = addBand(BandKind::Summary, "bnLaudo", 24);
    const std::pair<const char*, const char*> laudo[] = {
        {"Defeito Constatado:", "AODESCRICAOLAUDO"}, {"Causa:", "AOCAUSA"}, {"Solução:", "AOSOLUCAO"}};
    double top = 1;
    for (const auto& [caption, campo] : laudo) {
        rotulo(*bnLaudo, QStringLiteral("qrla%1").arg(campo), 0, top, 40, QString::fromUtf8(caption), true);
        bnLaudo->addMemo(QStringLiteral("qrme%1").arg(campo), 40, top, 150, 4.5)->setDataField(os, campo);
        static_cast<Memo*>(bnLaudo->controls().back())->setAutoStretch(true);
        top += 5;
    }
    rotulo(*bnLaudo, "qrlaObservacoes", 0, top, 40, "Observações:", true);
    Memo* observacoes = bnLaudo->addMemo("qrmeObservacoes", 40, top, 150, 4.5);
    observacoes->setAutoStretch(true);
    bnLaudo->beforePrint = [this, os, observacoes](Band&, bool& imprimir) {
        imprimir = texto(os, "AOIMPRIMIRLAUDO") != "N";
        observacoes->setText(texto(os, "AOOBSERVACAO") + sObservacaoHoras);
    };
    rodapePagina(*this, "bnRodape");
    beforePrint = [this](Report&) {
        dm_.ReiniciaDatasets();
        sObservacaoHoras.clear();
    };
}

void TfrOrdemServCompleto::bnServicosBeforePrint(bool& imprimir)
{
    const DataRef servicos(dm_.dsOsAndamento);
    imprimir = texto(servicos, "AAAUTORIZADO") != "N";
    if (!imprimir || numero(servicos, "AATOTAL") <= 0)
        return;
    QString precos;
    bool variada = false;
    for (int i = 1; i <= 5; ++i) {
        const double preco = numero(servicos, QStringLiteral("AHHORA%1").arg(i));
        variada = variada || preco != numero(servicos, "AHHORA1");
        precos += QStringLiteral("   %1ª Hora: ").arg(i) + host::data::formatFloat("###,##0.00", preco);
    }
    if (variada)
        sObservacaoHoras += "\nValores da Hora Técnica (Variada): " + precos;
}

// ---- order receipt ----------------------------------------------------------------

TfrOrdemServComprovante::TfrOrdemServComprovante(TDmRelTec& dm)
    : Report(nullptr, QStringLiteral("frOrdemServComprovante")), dm_(dm)
{
    setTitle(QStringLiteral("Comprovante de Ordem de Serviço"));
    const DataRef os(dm.dsOS);
    tituloDocumento(*this, DataRef(dm.frxDBEmpresa), "Ordem de Serviço", "Comprovante");

    Band* bnOrdem = addBand(BandKind::Detail, "bnOrdem", 28);
    rotulo(*bnOrdem, "qrlaOS", 0, 0, 20, "Nº OS:", true);
    bnOrdem->addDataText("qrteOS", 20, 0, 30, 4.5, os, "AOCODIGO")->setDisplayFormat("000000000");
    rotulo(*bnOrdem, "qrlaEntrada", 60, 0, 20, "Entrada:", true);
    bnOrdem->addDataText("qrteEntrada", 80, 0, 25, 4.5, os, "AODATAENTRADA")->setDisplayFormat("dd/mm/yyyy");
    bnOrdem->addDataText("qrteHoraEntrada", 105, 0, 15, 4.5, os, "AOHORAENTRADA")->setDisplayFormat("hh:nn");
    rotulo(*bnOrdem, "qrlaAtendente", 125, 0, 22, "Atendente:", true);
    bnOrdem->addDataText("qrteAtendente", 147, 0, 43, 4.5, os, "AOATENDENTE");
    blocoCliente(*bnOrdem, os, 6);

    tabelaItens(*bnOrdem, "bnItens", DataRef(dm.dsOsItem), "Equipamentos");
    tabelaLinhas(*bnOrdem, "bnServicos", DataRef(dm.dsOsAndamento), "Despesas com Serviços", kServicos);
    tabelaLinhas(*bnOrdem, "bnPecas", DataRef(dm.dsOsPecas), "Despesas com Peças", kPecas);

    Band* bnResumo = addBand(BandKind::Summary, "bnResumo", 36);
    linhaTotal(*bnResumo, "Total", 2, "Valor Total:", os, "AOVALORTOTAL");
    rotulo(*bnResumo, "qrlaObservacao", 0, 9, 25, "Observação:", true);
    memoCampo(*bnResumo, "qrmeObservacao", 14, os, "AOOBSERVACAO");
    bnResumo->addShape("qrshAssinatura", 0, 30, 90, 1, ShapeKind::HorizontalLine);
    rotulo(*bnResumo, "qrlaAssinatura", 0, 31, 90, "Assinatura do Cliente");
    rodapePagina(*this, "bnRodape");
    beforePrint = [this](Report&) { dm_.ReiniciaDatasets(); };
}
