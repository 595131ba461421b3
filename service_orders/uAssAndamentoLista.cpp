// The progress list: its statement, the search and its counts, the item
// totals, the F7 totals, positioning on an order and the row colours.

#include "service_orders/uAssAndamento.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/data/Query.h"
#include "host/ui/Colors.h"
#include "host/ui/Cursors.h"
#include "host/ui/DataGrid.h"
#include "host/ui/DataLookupCombo.h"
#include "host/ui/DataTextControls.h"
#include "host/ui/Dialogs.h"
#include "host/ui/StatusBar.h"
#include "service_orders/uPesqAssOrdemServicoSimples.h"

#include <QLineEdit>
#include <QPushButton>

namespace uAssAndamento {

namespace {

const char* const kFormatoValorAndamento = "###,###,###,###,##0.00";

QString valorAndamento(double valor)
{
    return host::data::formatFloat(kFormatoValorAndamento, valor);
}

QString filtroFilialAndamento(const QString& filial)
{
    return AdicionaFiltro("os.aoLocal", filial, {}, host::data::FieldType::String, "I");
}

}  // namespace

QString SqlListaAndamento(const FiltroAndamento& filtro)
{
    QString sql =
        "Select it.AOCODIGO, it.AOITCODIGO, it.AOITEQUIPCODIGO, it.AOITEQUIPDESCRICAO, it.AOITMARCA, it.AOITMODELO,\n"
        "       it.AOITDEFEITO, it.AOITSERIE, it.AOITQUANTIDADE, it.AOITLOJACOMPRA, it.AOITDATACOMPRA, it.AOITCOR,\n"
        "       it.AOITANOFABRICACAO, it.AOITKMINICIAL, it.AOITPLACA, it.AOITCOMBUSTIVEL, it.AOITPOSICAOCOMBUSTIVEL,\n"
        "       it.AOITCODIGOINTERNO, it.AOITNUMERONOTAFISCAL, it.AOITNUMERONFREMESSA, it.AOITVALORNFREMESSA,\n"
        "       it.AOITGARANTIA, it.AOITRENAVAN, it.AOITCARROCERIAMARCA, it.AOITCARROCERIANUMERO,\n"
        "       it.AOITMOTORNUMERO, it.AOITAPROVADO, it.FOCONSECIONARIA, it.AOITESPECIE, it.AOITORIGINAL,\n"
        "       it.AOITUSUARIO, it.ACCODIGO, it.ASCODIGO, it.ATCODIGO, it.AOITOBSERVACAO, it.AOITVALORFRETE,\n"
        "       TecIt.atNome as TECNICOITEM, eq.aedescricao as equipamento, forn.fnome as DescricaoConsecionaria,\n"
        "       OS.aoDataEntrada, OS.aoValorTotal, Cli.Nome as Cliente, Cli.Endereco as EndCli,\n"
        "       tec.atNome as Tecnico, Sit.asTipo, Sit.asCor, SitItem.asDescricao as Situacao_Item,\n"
        "       SitItem.ASCODIGO as ASCODIGO_Item, OS.FOCODIGOREPRESENTANTE, Rep.fnome as Representante\n"
        "From AATC01AOIT it\n"
        "right outer join aatc01ao OS on (it.aoCodigo = Os.aoCodigo)\n"
        "left outer join aatc01as SitItem on (it.asCodigo = SitItem.asCodigo)\n"
        "left outer join aatc03ae eq on (it.aoitequipcodigo = eq.aecodigo)\n"
        "left outer join augc0501 forn on (IT.FOCONSECIONARIA = forn.fcod)\n"
        "left outer join aatc01as Sit on (os.ascodigo = Sit.ascodigo)\n"
        "left outer join augc0301 Cli on (OS.ClCodigo = Cli.Codigo_Cliente)\n"
        "left outer join aatc06at tec on (OS.atcodigo = tec.atcodigo)\n"
        "left outer join aatc06at TecIt on (it.atcodigo = TecIt.atcodigo)\n"
        "left outer join augc0501 Rep on (OS.FOCODIGOREPRESENTANTE = Rep.fcod)\n"
        "Where not(it.aoCodigo is null) ";
    if (filtro.excetoMorta) {
        sql += " and ((sit.ASTIPO <> 'M') or (sit.ASTIPO  is Null))";
    } else if (filtro.situacao > 0 && filtro.ordem == 0) {
        sql += " and os.ascodigo = " + QString::number(filtro.situacao);
    } else if (filtro.ordem != 0) {
        sql += " and os.aocodigo = " + QString::number(filtro.ordem);
    }
    if (filtro.filtroItemVisivel && filtro.situacaoItem > 0)
        sql += " and  it.asCodigo= " + QString::number(filtro.situacaoItem);
    sql += filtroFilialAndamento(filtro.filial);
    sql += filtro.restricaoTecnico;
    sql += "\norder by os.aodataentrada, os.aocodigo, it.aoitequipcodigo";
    return sql;
}

QString CondicaoTotaisAndamento(int situacao, int ordem, const QString& filial)
{
    QString condicao;
    if (situacao > 0)
        condicao += " and  os.ascodigo = " + QString::number(situacao);
    if (ordem != 0)
        condicao += " and  os.aocodigo = " + QString::number(ordem);
    return condicao + filtroFilialAndamento(filial);
}

QString TextoTotaisAndamento(double total, double servicos, double pecas, double auxiliar)
{
    return "Totalizadores da pesquisa: \rValor Total: " + valorAndamento(total) + "\r" + "Valor Serviços: " +
           valorAndamento(servicos) + "\r" + "Valor Peças: " + valorAndamento(pecas) + "\r" +
           "Valor Auxiliar (Serviços): " + valorAndamento(auxiliar) + "\r";
}

}  // namespace uAssAndamento

using uAssAndamento::FiltroAndamento;

int TfmAssAndamento::ordemDigitada() const
{
    const QString texto = edOS->text().trimmed();
    if (texto.isEmpty())
        return 0;
    bool numero = false;
    const int ordem = texto.toInt(&numero);
    if (!numero || ordem <= 0)
        dmGlobal->MostraAviso("Número da O.S. inválido: \"" + texto + "\".", true);
    return ordem;
}

void TfmAssAndamento::EfetuaPesquisaAndamentoOS(host::data::Query& Query)
{
    FiltroAndamento filtro;
    filtro.excetoMorta = modoExcetoMorta();
    filtro.situacao = situacaoEscolhida();
    filtro.ordem = ordemDigitada();
    filtro.filtroItemVisivel = filtrosExpandidos();
    filtro.situacaoItem = situacaoItemEscolhida();
    filtro.filial = edFilial->text();
    filtro.restricaoTecnico = uPesqAssOrdemServicoSimples::CondicaoTecnicoRestrito();
    {
        host::data::ControlsDisabled desligados(Query);
        host::ui::WaitCursor ampulheta;
        Query.close();
        Query.setSql(uAssAndamento::SqlListaAndamento(filtro));
        // An order number typed moves the situation list to that order's situation.
        if (!filtro.excetoMorta && filtro.ordem != 0) {
            const QString situacao =
                CarregaDado("asCodigo", "aatc01ao", "where aocodigo = " + QString::number(filtro.ordem)).trimmed();
            dblcSituacao->setKeyValue(situacao.isEmpty() ? QVariant() : QVariant(situacao.toInt()));
        }
        Query.open();
        if (host::data::Field* aprovado = Query.findField("aoitaprovado"))
            aprovado->onGetText = [](host::data::Field& f, QString& texto, bool exibir) {
                dmTec->quOSItemAOITAPROVADOGetText(f, texto, exibir);
            };
        if (dmGlobal->Parametro("ATTROCASITUACAOITEM") == "I" && !Query.isEmpty())
            OSAndamentoTotalizarServicoPeca(Query.fieldByName("AOCODIGO")->asInteger(),
                                            Query.fieldByName("AOITCODIGO")->asInteger());
    }
    Query.first();
}

void TfmAssAndamento::bbPesqClick()
{
    if (situacaoEscolhida() == 0 && edOS->text().isEmpty() && !modoExcetoMorta())
        dmGlobal->MostraAviso("Selecione uma Situação ou Número da O.S.", true);
    host::data::Query& lista = *dmTec->quPesqOS;
    EfetuaPesquisaAndamentoOS(lista);
    stInformacao->setPanelText(0, TextoTotalRegistros("AATC01AOIT"));
    stInformacao->setPanelText(1, TextoEncontrados(LinhasContadas(lista)));
}

void TfmAssAndamento::OSAndamentoTotalizarServicoPeca(int OS, int Item)
{
    stInfoTot->show();
    const QString condicao = "Where aoCodigo =" + QString::number(OS) + " and aoitCodigo = " + QString::number(Item);
    const double pecas = CarregaNumero("sum(APVALTOTAL)", "aatc01ap", condicao);
    const double servicos = CarregaNumero("sum(AAVALORTOTAL)", "aatc01aa", condicao);
    stInfoTot->setPanelText(0, "Valor Total: R$ " + uAssAndamento::valorAndamento(servicos + pecas));
    stInfoTot->setPanelText(1, "Valor Serviços: R$ " + uAssAndamento::valorAndamento(servicos));
    stInfoTot->setPanelText(2, "Valor Peças: R$ " + uAssAndamento::valorAndamento(pecas));
}

void TfmAssAndamento::TotalizadoresPesquisa()
{
    const QString condicao = uAssAndamento::CondicaoTotaisAndamento(situacaoEscolhida(), ordemDigitada(), edFilial->text());
    const QString onde = "Where not(aoCodigo is null) " + condicao;
    const double total = CarregaNumero("sum(AOVALORTOTAL)", "AATC01AO os", onde);
    const double servicos = CarregaNumero("sum(AOVALORSERVICO)", "AATC01AO os", onde);
    const double pecas = CarregaNumero("sum(AOVALORPECAS)", "AATC01AO os", onde);
    const double auxiliar = CarregaNumero("sum(aa.AAVALORAUXILIAR)", "AATC01AA aa",
                                          "where aa.aoCodigo in (select os.aoCodigo from AATC01AO os " + onde + ")");
    host::ui::Dialogs::information(uAssAndamento::TextoTotaisAndamento(total, servicos, pecas, auxiliar));
}

// Locates the list on the order with its controls disabled, then loads that
// order and its lines as a scroll would.
void TfmAssAndamento::PosicionarOSAtual(int OS)
{
    host::data::Query& lista = *dmTec->quPesqOS;
    if (!lista.active())
        return;
    {
        host::data::ControlsDisabled desligados(lista);
        lista.locate("AoCodigo", OS);
    }
    dmTec->quPesqOSAfterScroll(lista);
}

void TfmAssAndamento::localizarOrdem(int ordem)
{
    host::data::Query& lista = *dmTec->quPesqOS;
    if (!lista.active())
        return;
    host::ui::WaitCursor ampulheta;
    host::data::ControlsDisabled desligados(lista);
    lista.locate("AoCodigo", ordem);
}

void TfmAssAndamento::dblcSituacaoClick()
{
    if (!edOS->text().isEmpty())
        edOS->clear();
    bbPesq->click();
}

void TfmAssAndamento::edOSExit()
{
    if (!edOS->text().isEmpty())
        bbPesq->click();
}

void TfmAssAndamento::bbLimparClick()
{
    TdmTec& tec = *dmTec;
    // Clearing is best effort: a dataset that will not close stays as it is.
    try {
        edOS->clear();
        for (host::data::Dataset* d : {static_cast<host::data::Dataset*>(tec.quOSItem),
                                       static_cast<host::data::Dataset*>(tec.quOSContato),
                                       static_cast<host::data::Dataset*>(tec.quOSPecas),
                                       static_cast<host::data::Dataset*>(tec.quOSAndamento),
                                       static_cast<host::data::Dataset*>(tec.quPesqOS)})
            d->close();
    } catch (...) {
    }
    try {
        dblcSituacao->setFocus();
    } catch (...) {
    }
}

// ---- row colours ----------------------------------------------------------------

void TfmAssAndamento::dbgdAndamentoOSRegistrosDrawColumnCell(host::ui::CellStyle& style)
{
    const QString modo = dmGlobal->Parametro("ATTROCASITUACAOITEM");
    if (modo != "S" && modo != "I")
        return;
    const host::data::Field* cor = dmTec->quPesqOS->findField("asCor");
    if (!cor || cor->asString().trimmed().isEmpty())
        return;
    host::ui::ColorValue valor{};
    if (!host::ui::tryStringToColor(cor->asString().trimmed(), valor))
        return;
    style.background = host::ui::toQColor(valor);
    style.foreground = Qt::black;
}

void TfmAssAndamento::dbgdAssAndamentoServicoDrawColumnCell(host::ui::CellStyle& style)
{
    if (dmTec->quOSAndamentoAAAUTORIZADO->asString() != "N")
        return;
    style.background = Qt::red;
    style.foreground = Qt::white;
}

void TfmAssAndamento::dbgdAssAndamentoPecasDrawColumnCell(host::ui::CellStyle& style)
{
    const host::data::Field* autorizado = dmTec->quOSPecas->findField("APAUTORIZADO");
    if (!autorizado || autorizado->asString() != "N")
        return;
    style.background = Qt::red;
    style.foreground = Qt::white;
}
