// Usage measured by meters: the excess of a billing month over the contract's
// franchise, and the consumption of the compositions of an equipment line.
// Readings (AATC05ACITCO) hold a meter's running total, so the usage of a
// month is the month's reading less the reading of the latest earlier date.

#include "contract_data/uDataTecCont.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/data/Format.h"
#include "host/db/Database.h"

namespace {

QString selectTexto(const QString& coluna, const QString& tabela, const QString& condicao)
{
    return "Select " + coluna + " from " + tabela + " " + condicao;
}

// The SQL of a step, shown when the host's SQL-display switch is on.
void mostraPasso(const QString& texto)
{
    if (bDetectarErroSQL)
        dmGlobal->MostraAviso(texto, false);
}

// " and extract(month ...) = mm  and extract(YEAR ...) = yyyy " over a column.
QString condicaoMes(const QString& coluna, const QDateTime& data, const QString& quebra = {})
{
    return quebra + " and extract (month FROM " + coluna + "  ) = " + host::data::formatDateTime("mm", data) + " " +
           quebra + " and extract (YEAR FROM " + coluna + "  ) =  " + host::data::formatDateTime("yyyy", data) + " ";
}

// " and <alias>.ACITCODATAFATURAMENTO < 'mm/01/yyyy'": billed before the month.
QString antesDoMes(const QString& alias, const QDateTime& data)
{
    return " and " + alias + ".ACITCODATAFATURAMENTO < " + QuotedStr(host::data::formatDateTime("mm/01/yyyy", data));
}

const QString kLeiturasDoItem =
    "AATC05ACITCO CO Left Outer Join AATC05ACIT IT on (IT.ACITCODIGO=CO.ACITCODIGO)";

// The same meter as CO's, for an alias of the readings: the item's own
// counter (its compositions' readings share its code and are no part of it),
// or the composition of an equipment line.
const QString kMesmoItem = "%1.ACITCODIGO = CO.ACITCODIGO and coalesce(%1.CMCODIGO, '') = ''";
const QString kMesmaComposicao = "%1.PRCODIGO = CO.PRCODIGO and %1.CMCODIGO = CO.CMCODIGO and "
                                 "%1.CMSEQUENCIA = CO.CMSEQUENCIA and %1.EVCODIGO = CO.EVCODIGO";

// A column of the reading that stands for the meter of CO over a span of
// billing dates: the reading of its latest date, and of that day the one
// typed last (a reading typed twice, or corrected at another desk, counts
// once).
QString leituraQueVale(const QString& coluna, const QString& alias, const QString& medidor, const QString& periodo)
{
    return "(Select First 1 " + alias + "." + coluna + " from AATC05ACITCO " + alias + " Where " + medidor.arg(alias) +
           periodo + " Order by " + alias + ".ACITCODATAFATURAMENTO Desc, " + alias + ".ACITCOCODIGO Desc)";
}

// Month reading and previous reading, item by item, summed over the items
// the filter keeps: the month's reading less the latest earlier one is the
// item's usage. An item not read in the month, or read below its last
// reading, used nothing: its previous reading counts at most its month's.
void leiturasDosItens(const QString& contrato, const QString& filtro, const QDateTime& data, double& mes,
                      double& anterior)
{
    const QString condicao = " Where IT.ACCODIGO=" + contrato + filtro + " and CO.ACITCOCODIGO = " +
                             leituraQueVale("ACITCOCODIGO", "CC", kMesmoItem,
                                            condicaoMes("CC.ACITCODATAFATURAMENTO", data));
    const QString somaMes = "Coalesce(sum(CO.ACITCOCONTADORTOTAL),0)";
    mes = CarregaNumero(somaMes, kLeiturasDoItem, condicao);
    mostraPasso("Contador do Contrato: " + selectTexto(somaMes, kLeiturasDoItem, condicao));

    const QString leituraDoMes =
        leituraQueVale("ACITCOCONTADORTOTAL", "MM", kMesmoItem, condicaoMes("MM.ACITCODATAFATURAMENTO", data));
    const QString condicaoAnterior = " Where IT.ACCODIGO=" + contrato + filtro + " and CO.ACITCOCODIGO = " +
                                     leituraQueVale("ACITCOCODIGO", "CA", kMesmoItem, antesDoMes("CA", data));
    const QString somaAnterior = "Coalesce(sum(minvalue(CO.ACITCOCONTADORTOTAL, " + leituraDoMes + ")),0)";
    anterior = CarregaNumero(somaAnterior, kLeiturasDoItem, condicaoAnterior);
    mostraPasso("Contador Anterior do Contrato: " + selectTexto(somaAnterior, kLeiturasDoItem, condicaoAnterior));
}

}  // namespace

double TdmTecContrato::CalculaValorExcedente(int contrato, const QDateTime& dataFaturamento,
                                             const QString& tipoFranquia, double& consumo, int item)
{
    consumo = 0;
    if (tipoFranquia == "U")
        return 0;
    mostraPasso("Tipo da Franquia:" + tipoFranquia);
    const QString contratoSql = QuotedStr(QString::number(contrato));
    const QString filtro = item >= 1 ? " and IT.ACITCODIGO = " + QString::number(item) : QString();
    double mes = 0, anterior = 0;
    leiturasDosItens(contratoSql, filtro, dataFaturamento, mes, anterior);

    const QString condicaoFranquia = "Where it.acCodigo=" + contratoSql + filtro;
    const double franquia = CarregaNumero("Sum(ACITQUANTIDADE)", "AATC05ACIT it ", condicaoFranquia);
    mostraPasso("Franquia do Contrato: " + selectTexto("Sum(ACITQUANTIDADE)", "AATC05ACIT it ", condicaoFranquia));

    consumo = mes - anterior;
    mostraPasso("Contador: " + host::data::formatFloatGeneral(consumo));
    return consumo > franquia ? consumo - franquia : 0;
}

double TdmTecContrato::CalculaConsumoExcedenteComposto(int contrato, const QDateTime& dataFaturamento,
                                                       const QString& /*texto*/, const QString& equipamento,
                                                       int item, int sequencia)
{
    // Readings belong to a composition by its product, component, sequence
    // and equipment line; one composition when the caller names it. Each
    // composition's usage is its standing reading of the month less its
    // standing reading before it, never below zero.
    const QString umaComposicao = item > 0 && sequencia > 0 ? "\r and ACCM.ACITCODIGO = " + QString::number(item) +
                                                                  " and ACCM.CMSEQUENCIA = " +
                                                                  QString::number(sequencia)
                                                            : QString();
    const QString condicao =
        " Where exists (Select 1 from aatc05accm ACCM Where ACCM.PRCODIGO=CO.PRCODIGO and ACCM.cmcodigo=CO.cmcodigo"
        " and ACCM.cmsequencia=CO.cmsequencia and ACCM.ACEVCODIGO=CO.EVCODIGO and ACCM.ACCODIGO=" +
        QString::number(contrato) + " and ACCM.ACEVCODIGO =" +
        QuotedStr(QString::number(equipamento.trimmed().toInt())) + umaComposicao + ")\r and CO.ACITCOCODIGO = " +
        leituraQueVale("ACITCOCODIGO", "CB", kMesmaComposicao,
                       condicaoMes("CB.ACITCODATAFATURAMENTO", dataFaturamento, "\r"));
    const QString consumo =
        "Coalesce(sum(maxvalue(0, CO.ACITCOCONTADORTOTAL - Coalesce(" +
        leituraQueVale("ACITCOCONTADORTOTAL", "CA", kMesmaComposicao, antesDoMes("CA", dataFaturamento)) +
        ",0))),0) as acitcocontador";
    mostraPasso("CalculaConsumoExcedenteComposto:" + selectTexto(consumo, "AATC05ACITCO CO", condicao));
    return CarregaNumero(consumo, "AATC05ACITCO CO", condicao);
}

// A reading below the meter's last one (a typing slip, or a meter replaced)
// is told as it is stored, where it was typed: usage below zero is never
// billed, so the slip would otherwise pass unseen.
void TdmTecContrato::AvisaLeituraMenor(host::data::Dataset& leitura)
{
    const auto campo = [&](const char* nome) { return leitura.fieldByName(QString::fromLatin1(nome)); };
    if (campo("ACITCODATAFATURAMENTO")->isNull())
        return;   // not yet in a billing month
    const std::shared_ptr<host::db::Statement> ultima = dmGlobal->IBTransaction1->prepared(
        "select first 1 ACITCOCONTADORTOTAL, ACITCODATAFATURAMENTO from AATC05ACITCO where ACITCODIGO = :ITEM"
        " and ACITCOCODIGO <> :LEITURA and ACITCODATAFATURAMENTO <= :DATA"
        " and coalesce(PRCODIGO, '') = :PRODUTO and coalesce(CMCODIGO, '') = :COMPONENTE"
        " and coalesce(CMSEQUENCIA, 0) = :SEQUENCIA order by ACITCODATAFATURAMENTO desc, ACITCOCODIGO desc");
    ultima->setParam("ITEM", campo("ACITCODIGO")->asInteger());
    ultima->setParam("LEITURA", campo("ACITCOCODIGO")->asInteger());
    ultima->setParam("DATA", campo("ACITCODATAFATURAMENTO")->asDateTime());
    ultima->setParam("PRODUTO", campo("PRCODIGO")->asString());
    ultima->setParam("COMPONENTE", campo("CMCODIGO")->asString());
    ultima->setParam("SEQUENCIA", campo("CMSEQUENCIA")->asInteger());
    ultima->execute();
    if (!ultima->fetch())
        return;
    const double anterior = ultima->value(0).toDouble();
    const QDateTime data = ultima->value(1).toDateTime();
    ultima->closeCursor();
    const double informado = campo("ACITCOCONTADORTOTAL")->asFloat();
    const auto contador = [](double valor) { return host::data::formatFloat("###,###,##0.####", valor); };
    if (informado < anterior)
        dmGlobal->MostraAviso("Atenção: o contador informado (" + contador(informado) +
                                  ") é menor que o último lançado para este medidor (" + contador(anterior) +
                                  " em " + host::data::formatDateTime("dd/mm/yyyy", data) + ").",
                              false);
}
