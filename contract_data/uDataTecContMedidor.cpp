// Usage measured by meters: the excess of a billing month over the contract's
// franchise, and the consumption of the compositions of an equipment line.
// Readings (AATC05ACITCO) hold a meter's running total, so the usage of a
// month is the month's reading less the reading of the latest earlier date.

#include "contract_data/uDataTecCont.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Format.h"

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

QString primeiroDiaDoMes(const QDateTime& data)
{
    return QuotedStr(host::data::formatDateTime("mm/01/yyyy", data));
}

const QString kLeiturasDoItem =
    "AATC05ACITCO CO Left Outer Join AATC05ACIT IT on (IT.ACITCODIGO=CO.ACITCODIGO)";

// Month reading and previous reading of one item, as the contract's billing
// has always read them: the largest running total billed in the month, and
// the sum of the running totals on the latest billing date before it.
void leiturasDeUmItem(const QString& contrato, int item, const QDateTime& data, double& mes, double& anterior)
{
    const QString filtro = " and IT.ACITCODIGO = " + QString::number(item);
    const QString condicao = " Where IT.ACCODIGO=" + contrato + filtro + condicaoMes("ACITCODATAFATURAMENTO", data);
    mes = CarregaNumero("max(Coalesce(ACITCOCONTADORTOTAL,0))", kLeiturasDoItem, condicao);
    mostraPasso("Contador do Contrato: " + selectTexto("max(Coalesce(ACITCOCONTADORTOTAL,0))", kLeiturasDoItem, condicao));

    const QString condicaoAnterior =
        " Where IT.ACCODIGO=" + contrato + filtro +
        " and CO.ACITCODATAFATURAMENTO = (Select First 1 cc.ACITCODATAFATURAMENTO from AATC05ACITCO CC " +
        " Left Outer Join AATC05ACIT II on (II.ACITCODIGO=CC.ACITCODIGO) " + " Where II.ACCODIGO=" + contrato +
        " and cc.ACITCODATAFATURAMENTO < " + primeiroDiaDoMes(data) + " and II.ACITCODIGO = " + QString::number(item) +
        " Order by cc.ACITCODATAFATURAMENTO Desc)";
    anterior = CarregaNumero("sum(ACITCOCONTADORTOTAL)", kLeiturasDoItem, condicaoAnterior);
    mostraPasso("Contador Anterior do Contrato: " +
                selectTexto("sum(ACITCOCONTADORTOTAL)", kLeiturasDoItem, condicaoAnterior));
}

// The same over every item of the contract, item by item: each meter's own
// month reading and its own latest earlier reading. A largest total over
// several meters less a sum over them would mix unrelated counters. Items
// without a reading in the month add nothing.
void leiturasDeTodosItens(const QString& contrato, const QDateTime& data, double& mes, double& anterior)
{
    const QString porItem = "(Select CO.ACITCODIGO, max(Coalesce(CO.ACITCOCONTADORTOTAL,0)) CONTADOR from " +
                            kLeiturasDoItem + " Where IT.ACCODIGO=" + contrato +
                            condicaoMes("CO.ACITCODATAFATURAMENTO", data) + " group by CO.ACITCODIGO) MES";
    mes = CarregaNumero("Coalesce(sum(MES.CONTADOR),0)", porItem, "");
    mostraPasso("Contador do Contrato: " + selectTexto("Coalesce(sum(MES.CONTADOR),0)", porItem, ""));

    const QString condicaoAnterior =
        " Where IT.ACCODIGO=" + contrato +
        " and CO.ACITCODATAFATURAMENTO = (Select max(CC.ACITCODATAFATURAMENTO) from AATC05ACITCO CC" +
        " Where CC.ACITCODIGO = CO.ACITCODIGO and CC.ACITCODATAFATURAMENTO < " + primeiroDiaDoMes(data) + ")" +
        " and exists (Select 1 from AATC05ACITCO MM Where MM.ACITCODIGO = CO.ACITCODIGO" +
        condicaoMes("MM.ACITCODATAFATURAMENTO", data) + ")";
    anterior = CarregaNumero("Coalesce(sum(CO.ACITCOCONTADORTOTAL),0)", kLeiturasDoItem, condicaoAnterior);
    mostraPasso("Contador Anterior do Contrato: " +
                selectTexto("Coalesce(sum(CO.ACITCOCONTADORTOTAL),0)", kLeiturasDoItem, condicaoAnterior));
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
    double mes = 0, anterior = 0;
    if (item >= 1)
        leiturasDeUmItem(contratoSql, item, dataFaturamento, mes, anterior);
    else
        leiturasDeTodosItens(contratoSql, dataFaturamento, mes, anterior);

    const QString filtro = item >= 1 ? " and IT.ACITCODIGO = " + QString::number(item) : QString();
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
    // and equipment line; one composition when the caller names it.
    const QString umaComposicao = item > 0 && sequencia > 0 ? "\r and ACCM.ACITCODIGO = " + QString::number(item) +
                                                                  " and ACCM.CMSEQUENCIA = " + QString::number(sequencia)
                                                            : QString();
    const QString daComposicao = "%1.PRCODIGO = MES.PRCODIGO and %1.CMCODIGO = MES.CMCODIGO and "
                                 "%1.CMSEQUENCIA = MES.CMSEQUENCIA and %1.EVCODIGO = MES.EVCODIGO";
    const QString porComposicao =
        "(Select CO.PRCODIGO, CO.CMCODIGO, CO.CMSEQUENCIA, CO.EVCODIGO, "
        "max(Coalesce(CO.ACITCOCONTADORTOTAL,0)) CONTADOR from AATC05ACITCO CO \r"
        "Join aatc05accm ACCM on (\r  ACCM.PRCODIGO=CO.PRCODIGO and ACCM.cmcodigo=CO.cmcodigo and "
        "ACCM.cmsequencia=CO.cmsequencia and ACCM.ACEVCODIGO=CO.EVCODIGO)"
        " Where ACCM.ACCODIGO=" +
        QString::number(contrato) + " and ACCM.ACEVCODIGO =" + QuotedStr(QString::number(equipamento.trimmed().toInt())) + umaComposicao +
        condicaoMes("CO.ACITCODATAFATURAMENTO", dataFaturamento, "\r") +
        " group by CO.PRCODIGO, CO.CMCODIGO, CO.CMSEQUENCIA, CO.EVCODIGO) MES";
    const QString consumo =
        "Coalesce(sum(MES.CONTADOR - Coalesce((Select sum(CA.ACITCOCONTADORTOTAL) from AATC05ACITCO CA Where " +
        daComposicao.arg("CA") +
        " and CA.ACITCODATAFATURAMENTO = (Select max(CB.ACITCODATAFATURAMENTO) from AATC05ACITCO CB Where " +
        daComposicao.arg("CB") + " and CB.ACITCODATAFATURAMENTO < " + primeiroDiaDoMes(dataFaturamento) +
        ")),0)),0) as acitcocontador";
    mostraPasso("CalculaConsumoExcedenteComposto:" + selectTexto(consumo, porComposicao, ""));
    return CarregaNumero(consumo, porComposicao, "");
}
