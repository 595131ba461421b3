// The rental documents: the rental note over the host's stock document, and
// the contract and delivery protocol of the contract loaded in dmTecContrato.

#include "data/udmRelTecRelatorios.h"

#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/Endereco.h"

using namespace host::report;
using namespace udmRelTec;

namespace {

const QString kValor = QStringLiteral("###,###,##0.00");

Band* tituloLocacao(Report& report, const DataRef& empresa, const QString& caption)
{
    Band* band = report.addBand(BandKind::Title, "bnTitulo", 32);
    cabecalhoEmpresa(*band, empresa);
    titulo(*band, "qrlaTitulo", 22, caption, 12);
    band->addShape("qrshTitulo", 0, 30, report.page().printableWidth(), 1, ShapeKind::HorizontalLine);
    return band;
}

// The customer of a rental ("RelClienteContrato").
void blocoContratante(Band& band, const DataRef& cliente, double top)
{
    // Within the portrait page's 190 mm, where the contract and protocol print it.
    rotulo(band, "qrlaCliente", 0, top, 22, "Cliente:", true);
    band.addDataText("qrteCliente", 22, top, 108, 4.5, cliente, "NOME");
    rotulo(band, "qrlaDocumento", 132, top, 18, "CNPJ/CPF:", true);
    band.addDataText("qrteDocumento", 150, top, 40, 4.5, cliente, "CGC_CNPJ");
    rotulo(band, "qrlaEndereco", 0, top + 5, 22, "Endereço:", true);
    band.addExprText("qrexEndereco", 22, top + 5, 168, 4.5, [cliente] {
        return QVariant(host::compoeEndereco({{"", texto(cliente, "ENDERECO")},
                                              {" - ", texto(cliente, "BAIRRO")},
                                              {" - ", texto(cliente, "CIDADE")},
                                              {"/", texto(cliente, "ESTADO")}}));
    });
}

// The contract's equipment, then the accessories as the contract module holds them.
Band* equipamentosContrato(Band& master, TDmRelTec& dm, bool entrega)
{
    const DataRef equipamentos(dm.frxdbEquipamentoContrato);
    const DataRef acessorios(dm.frxdbAcessorioContrato);
    Band* band = master.addSubDetail("bnEquipamentos", 4.5, equipamentos);
    band->setPrintIfEmpty(false);
    Band* cabecalho = band->addHeader("bnCabEquipamentos", 11);
    rotulo(*cabecalho, "qrlaEquipamentos", 0, 1, 100, "Equipamentos", true);
    rotulo(*cabecalho, "qrlaTitProduto", 0, 6, 25, "Produto", true);
    rotulo(*cabecalho, "qrlaTitModelo", 27, 6, 60, "Modelo", true);
    rotulo(*cabecalho, "qrlaTitMarca", 89, 6, 35, "Marca", true);
    rotulo(*cabecalho, "qrlaTitSerie", 126, 6, 34, "Nº de Série", true);
    rotulo(*cabecalho, "qrlaTitUltima", 160, 6, 30, entrega ? "Entrega" : "Valor", true)
        ->setAlignment(Qt::AlignRight | Qt::AlignTop);
    band->addDataText("qrteProduto", 0, 0, 25, 4.5, equipamentos, "PRCODIGO");
    band->addDataText("qrteModelo", 27, 0, 60, 4.5, equipamentos, "MODELOEQUIPTO");
    band->addDataText("qrteMarca", 89, 0, 35, 4.5, equipamentos, "MARCAEQUIPTO");
    band->addDataText("qrteSerie", 126, 0, 34, 4.5, equipamentos, "NUMEROSERIEEQUIPTO");
    if (entrega)
        band->addDataText("qrteEntrega", 160, 0, 30, 4.5, equipamentos, "ACITDATAENTREGA")
            ->setDisplayFormat("dd/mm/yyyy");
    else
        valor(*band, "qrteValor", 160, 0, 30, equipamentos, "ACITVALOR", kValor);

    Band* acessoriosBand = master.addSubDetail("bnAcessorios", 4.5, acessorios);
    acessoriosBand->setPrintIfEmpty(false);
    rotulo(*acessoriosBand->addHeader("bnCabAcessorios", 6), "qrlaAcessorios", 0, 1, 100, "Acessórios", true);
    acessoriosBand->addDataText("qrteAcessorioProduto", 0, 0, 25, 4.5, acessorios, "PRCODIGO");
    acessoriosBand->addDataText("qrteAcessorioModelo", 27, 0, 60, 4.5, acessorios, "MODELOEQUIPTO");
    acessoriosBand->addDataText("qrteAcessorioMarca", 89, 0, 35, 4.5, acessorios, "MARCAEQUIPTO");
    acessoriosBand->addDataText("qrteAcessorioSerie", 126, 0, 34, 4.5, acessorios, "NUMEROSERIEEQUIPTO");
    return band;
}

Band* dadosContrato(Report& report, TDmRelTec& dm)
{
    const DataRef contrato(dm.frxdbCadastroContrato);
    Band* band = report.addBand(BandKind::Detail, "bnContrato", 17);
    rotulo(*band, "qrlaContrato", 0, 0, 30, "Nº Contrato:", true);
    band->addExprText("qrexContrato", 30, 0, 50, 4.5, [contrato] {
        const QString numero = texto(contrato, "ACNUMEROCONTRATO");
        return QVariant(numero.trimmed().isEmpty() ? texto(contrato, "ACCODIGO") : numero);
    })->font().setBold(true);
    rotulo(*band, "qrlaDataBase", 120, 0, 25, "Data Base:", true);
    band->addDataText("qrteDataBase", 145, 0, 45, 4.5, contrato, "ACDATABASE")->setDisplayFormat("dd/mm/yyyy");
    blocoContratante(*band, DataRef(dm.frxdbCliente), 6);
    return band;
}

// The rental note's header: the receipt document's, or, for an instalment
// billed without one, the instalment's own number, billing day and total.
bool temDocumentoNota(const DataRef& nota)
{
    host::data::Dataset* ds = nota.get();
    return ds && ds->active() && !ds->isEmpty();
}

QVariant numeroNota(const DataRef& nota, const DataRef& receber)
{
    return temDocumentoNota(nota) ? texto(nota, "DOCUMENTO") : texto(receber, "NUMERO_DOCUMENTO");
}

QVariant dataNota(const DataRef& nota, const DataRef& receber)
{
    QDateTime data;
    if (temDocumentoNota(nota)) {
        data = nota.get()->fieldByName("DATA")->asDateTime();
    } else if (host::data::Dataset* ds = receber.get(); ds && ds->active() && !ds->isEmpty()) {
        host::data::Field* faturado = ds->findField("CRDATABOLETO");
        data = faturado && !faturado->isNull() ? faturado->asDateTime() : ds->fieldByName("DATA_EMISSAO")->asDateTime();
    }
    return data.isValid() ? QVariant(host::data::formatDateTime("dd/mm/yyyy", data)) : QVariant(QString());
}

QVariant totalNota(const DataRef& nota, const DataRef& receber)
{
    if (temDocumentoNota(nota))
        return host::data::formatFloat(kValor, numero(nota, "TOTAL_DOC"));
    host::data::Dataset* ds = receber.get();
    if (!ds || !ds->active() || ds->isEmpty())
        return QString();
    // The instalments of the document, summed without moving the band's row.
    double total = 0;
    const host::data::Bookmark onde = ds->bookmark();
    {
        host::data::ControlsDisabled parado(*ds);
        for (ds->first(); !ds->eof(); ds->next())
            total += ds->fieldByName("VALOR_DOCUMENTO")->asFloat();
        if (ds->bookmarkValid(onde))
            ds->gotoBookmark(onde);
    }
    return host::data::formatFloat(kValor, total);
}

Band* assinaturas(Report& report, const QString& nome, double top, const QString& esquerda, const QString& direita)
{
    Band* band = report.addBand(BandKind::Summary, nome, top + 6);
    band->addShape(nome + "Linha1", 0, top, 85, 1, ShapeKind::HorizontalLine);
    rotulo(*band, nome + "Esquerda", 0, top + 1, 85, esquerda)->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    band->addShape(nome + "Linha2", 105, top, 85, 1, ShapeKind::HorizontalLine);
    rotulo(*band, nome + "Direita", 105, top + 1, 85, direita)->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return band;
}

}  // namespace

// ---- rental note ----------------------------------------------------------------------

TfrxNotaLocacao::TfrxNotaLocacao(TDmRelTec& dm) : Report(nullptr, QStringLiteral("frxNotaLocacao")), dm_(dm)
{
    setTitle(QStringLiteral("NOTA DE LOCAÇÃO DE BENS MÓVEIS"));
    setLandscape(true);
    const DataRef nota(dm.frxdbNota);
    const DataRef itens(dm.frxdbNotaItem);
    const DataRef receber(dm.frxdbNotaReceber);
    tituloLocacao(*this, DataRef(dm.frxDBEmpresa), "NOTA DE LOCAÇÃO DE BENS MÓVEIS");

    Band* bnNota = addBand(BandKind::Detail, "bnNota", 17);
    rotulo(*bnNota, "qrlaNota", 0, 0, 22, "Nota Nº:", true);
    bnNota->addExprText("qrteNota", 22, 0, 40, 4.5, [nota, receber] { return numeroNota(nota, receber); })
        ->font()
        .setBold(true);
    rotulo(*bnNota, "qrlaData", 80, 0, 15, "Data:", true);
    bnNota->addExprText("qrteData", 95, 0, 30, 4.5, [nota, receber] { return dataNota(nota, receber); });
    rotulo(*bnNota, "qrlaTotal", 200, 0, 30, "Valor Total:", true);
    bnNota->addExprText("qrteTotal", 230, 0, 47, 4.5, [nota, receber] { return totalNota(nota, receber); })
        ->setAlignment(Qt::AlignRight | Qt::AlignTop);
    blocoContratante(*bnNota, DataRef(dm.frxdbCliente), 6);

    Band* bnItens = bnNota->addSubDetail("bnItens", 4.5, itens);
    bnItens->setPrintIfEmpty(false);
    Band* cabItens = bnItens->addHeader("bnCabItens", 6);
    rotulo(*cabItens, "qrlaDescricao", 0, 1, 200, "Descrição", true);
    rotulo(*cabItens, "qrlaValor", 230, 1, 47, "Valor", true)->setAlignment(Qt::AlignRight | Qt::AlignTop);
    bnItens->addExprText("qrexDescricao", 0, 0, 225, 4.5, [itens] {
        return QVariant("Locação de equipamento " + texto(itens, "OBSERVACAO_PRODUTO"));
    });
    valor(*bnItens, "qrteValorItem", 230, 0, 47, itens, "VALOR_TOTAL_UNIT", kValor);

    Band* bnReceber = bnNota->addSubDetail("bnReceber", 4.5, receber);
    bnReceber->setPrintIfEmpty(false);
    Band* cabReceber = bnReceber->addHeader("bnCabReceber", 11);
    rotulo(*cabReceber, "qrlaVencimentos", 0, 1, 60, "Vencimentos", true);
    rotulo(*cabReceber, "qrlaDocumentoParcela", 0, 6, 50, "Documento", true);
    rotulo(*cabReceber, "qrlaVencimento", 60, 6, 30, "Vencimento", true);
    rotulo(*cabReceber, "qrlaValorParcela", 100, 6, 40, "Valor", true)->setAlignment(Qt::AlignRight | Qt::AlignTop);
    bnReceber->addExprText("qrexDocumentoParcela", 0, 0, 50, 4.5, [receber] {
        return QVariant(texto(receber, "NUMERO_DOCUMENTO") + "/" + texto(receber, "SEQUENCIA"));
    });
    bnReceber->addDataText("qrteVencimento", 60, 0, 30, 4.5, receber, "DATA_VENCIMENTO")->setDisplayFormat("dd/mm/yyyy");
    valor(*bnReceber, "qrteValorParcela", 100, 0, 40, receber, "VALOR_DOCUMENTO", kValor);

    Band* bnAviso = addBand(BandKind::Summary, "bnAviso", 10);
    rotulo(*bnAviso, "qrlaAviso", 0, 3, 277,
           "Esta nota somente terá validade como recibo após o pagamento dos valores faturados.");
    assinaturas(*this, "bnAssinaturas", 15, "Locador", "Locatário");
    rodapePagina(*this, "bnRodape");
    beforePrint = [this](Report&) { dm_.ReiniciaDatasets(); };
}

// ---- delivery protocol -----------------------------------------------------------------

TfrxEntregaEquipamentos::TfrxEntregaEquipamentos(TDmRelTec& dm)
    : Report(nullptr, QStringLiteral("frxEntregaEquipamentos")), dm_(dm)
{
    setTitle(QStringLiteral("PROTOCOLO DE ENTREGA DE EQUIPAMENTOS"));
    tituloLocacao(*this, DataRef(dm.frxDBEmpresa), "PROTOCOLO DE ENTREGA DE EQUIPAMENTOS");
    equipamentosContrato(*dadosContrato(*this, dm), dm, true);
    Band* bnDeclaracao = addBand(BandKind::Summary, "bnDeclaracao", 12);
    Memo* declaracao = bnDeclaracao->addMemo("qrmeDeclaracao", 0, 4, 190, 8);
    declaracao->setText("Declaro ter recebido os equipamentos acima relacionados em perfeito estado de "
                        "conservação e funcionamento.");
    declaracao->setAutoStretch(true);
    assinaturas(*this, "bnAssinaturas", 20, "Entregue por", "Recebido por");
    rodapePagina(*this, "bnRodape");
    beforePrint = [this](Report&) { dm_.ReiniciaDatasets(); };
}

// ---- rental contract ------------------------------------------------------------------

TfrxContrato::TfrxContrato(TDmRelTec& dm) : Report(nullptr, QStringLiteral("frxContrato")), dm_(dm)
{
    setTitle(QStringLiteral("CONTRATO DE LOCAÇÃO DE EQUIPAMENTOS"));
    const DataRef contrato(dm.frxdbCadastroContrato);
    tituloLocacao(*this, DataRef(dm.frxDBEmpresa), "CONTRATO DE LOCAÇÃO DE EQUIPAMENTOS");
    Band* bnContrato = dadosContrato(*this, dm);
    bnContrato->setHeight(27);
    rotulo(*bnContrato, "qrlaObjeto", 0, 16, 22, "Objeto:", true);
    Memo* objeto = bnContrato->addMemo("qrmeObjeto", 22, 16, 168, 4.5);
    objeto->setDataField(contrato, "ACOBJETO");
    objeto->setAutoStretch(true);
    rotulo(*bnContrato, "qrlaValorContrato", 0, 22, 22, "Valor:", true);
    bnContrato->addDataText("qrteValorContrato", 22, 22, 40, 4.5, contrato, "ACVALOR")->setDisplayFormat(kValor);
    rotulo(*bnContrato, "qrlaValidade", 120, 22, 25, "Validade:", true);
    bnContrato->addDataText("qrteValidade", 145, 22, 45, 4.5, contrato, "ACDATAVALIDADE")->setDisplayFormat("dd/mm/yyyy");
    equipamentosContrato(*bnContrato, dm, false);

    Band* bnClausulas = addBand(BandKind::Summary, "bnClausulas", 10);
    rotulo(*bnClausulas, "qrlaClausulas", 0, 2, 100, "Cláusulas", true);
    Memo* clausulas = bnClausulas->addMemo("qrmeClausulas", 0, 7, 190, 3);
    clausulas->setDataField(contrato, "ACTEXTO");
    clausulas->setAutoStretch(true);
    assinaturas(*this, "bnAssinaturas", 20, "Locador", "Locatário");
    rodapePagina(*this, "bnRodape");
    beforePrint = [this](Report&) { dm_.ReiniciaDatasets(); };
}
