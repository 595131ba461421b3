// The statements of the service-order report selection and of its printouts.

#include "service_orders/uAssOSSelecaoRelSql.h"

#include "data/udmRelTec.h"
#include "host/Udatamod.h"
#include "host/Uglobal.h"

namespace uAssOSSelecaoRel {

namespace {

using host::data::FieldType;

QString linhaFiltroSelecao(const QString& coluna, const QString& de, const QString& ate, FieldType tipo,
                           const QString& modo)
{
    const QString condicao = AdicionaFiltro(coluna, de, ate, tipo, modo);
    return condicao.isEmpty() ? QString() : condicao + "\n";
}

// The entry date, or the collection date when the period caption says so.
QString colunaPeriodo(const FiltroSelecaoOS& f)
{
    return f.periodoCobranca ? QStringLiteral("os.AODATACOBRANCA") : QStringLiteral("os.AODATAENTRADA");
}

// The sum of a column over the current item's service or parts lines. Summed
// per item rather than over a join of both kinds of line: the join gives one
// row per pair of a service and a parts line and counted each value as many
// times as the item had lines of the other kind.
QString somaDoItem(const QString& expressao, const QString& tabela)
{
    return "(select " + expressao + " from " + tabela +
           " l where l.aocodigo = it.aocodigo and l.aoitcodigo = it.aoitcodigo)";
}

// An order's own money (travel and extra expenses) on the row of its first
// item only: the rows are summed per customer and overall, and an order of
// several items counted them once per item.
QString despesaDaOrdem(const QString& coluna)
{
    return "case when it.aoitcodigo = (select min(p.aoitcodigo) from aatc01aoit p where p.aocodigo = it.aocodigo)"
           " then coalesce(" + coluna + ",0) else 0 end";
}

const char* const kSelectDocumento = "Select first 1 documento, data, Baixa from acem14it where aocodigo = ";

}  // namespace

QString SqlSelecaoOS(const FiltroSelecaoOS& f)
{
    const QString servicos = somaDoItem("sum(l.AAVALORTOTAL)", "aatc01aa");
    const QString pecas = somaDoItem("sum(l.APVALTOTAL)", "aatc01ap");
    const QString viagem = despesaDaOrdem("os.AODESPVIAGEM");
    const QString extras = despesaDaOrdem("os.AODESPDIVERSAS");
    QString sql =
        "select it.AOITCODIGO, os.aovalorservico, os.aovalorpecas, it.AOITEQUIPDESCRICAO, it.AOITPLACA,\n"
        "  it.AOITSERIE, cli.NOME as Cliente, os.AODATAENTRADA, os.AODATASAIDA, os.AOCODIGO,\n"
        "  coalesce(" + servicos + ",0)+coalesce(" + pecas + ",0)+" + viagem + "+" + extras + " as AOVALORTOTAL,\n"
        "  os.aoDesconto,\n"
        "  (select cast(sum(cc.cttempototal) as integer) from cadcom cc\n"
        "    where cc.contrato = os.aocodigo and cc.idorigem = 'A') as HorasAndamento,\n"
        "  os.AOATENDENTE, " + servicos + " as TotServ,\n"
        "  " + pecas + " as VALORPECAS,\n"
        "  " + viagem + " as DESPVIAGEM, " + extras + " as DESEXTRA,\n"
        "  " + somaDoItem("cast(sum(l.AATOTAL) as integer)", "aatc01aa") + " as Horas,\n"
        "  max(prod.DESCRICAO) as Servico, os.clcodigo\n"
        "from aatc01aoit it\n"
        "left outer join aatc01ao os on (os.aocodigo = it.aocodigo)\n"
        "left outer join aatc01aa serv on (serv.aocodigo = it.aocodigo and serv.aoitcodigo = it.aoitcodigo)\n"
        "left outer join acec1101 prod on (prod.codigo = serv.prcodigo)\n"
        "left outer join augc0301 cli on (cli.codigo_cliente = os.clcodigo)\n"
        "where not(it.aoitcodigo is null) \n";
    sql += linhaFiltroSelecao("os.clcodigo", f.clienteIni, f.clienteFim, FieldType::String, "F");
    sql += linhaFiltroSelecao("it.AOITEQUIPCODIGO", f.tecIni, f.tecFim, FieldType::Int32, "F");
    sql += linhaFiltroSelecao("prod.DESCRICAO", f.servico, f.servico, FieldType::String, "C");
    sql += linhaFiltroSelecao("os.aocodigo", f.osIni, f.osFim, FieldType::Int32, "F");
    sql += linhaFiltroSelecao(colunaPeriodo(f), f.periodoIni, f.periodoFim, FieldType::DateTime, "F");
    sql += linhaFiltroSelecao("os.aoatendente", f.atendente, {}, FieldType::String, "I");
    sql += "group by it.AOITCODIGO, it.AOCODIGO, os.aovalorservico, os.aovalorpecas, it.AOITEQUIPDESCRICAO,\n"
           "  it.AOITPLACA, it.AOITSERIE, os.AODATAENTRADA, os.AODATASAIDA, os.AOCODIGO, os.AOVALORTOTAL,\n"
           "  os.aoDesconto, os.AOATENDENTE, cli.NOME, os.AOVALORSERVICO, os.AOVALORPECAS, os.AODESPVIAGEM,\n"
           "  os.AODESPDIVERSAS, os.clcodigo\n"
           "order by os.clcodigo, os.aocodigo, os.aodataentrada";
    return sql;
}

QString SqlSelecaoItemOS(const FiltroSelecaoOS& f)
{
    QString sql = TDmRelTec::sqlSelecaoItemOS();
    sql += linhaFiltroSelecao("os.clcodigo", f.clienteIni, f.clienteFim, FieldType::String, "F");
    sql += linhaFiltroSelecao("os.aocodigo", f.osIni, f.osFim, FieldType::Int32, "F");
    sql += linhaFiltroSelecao("os.aodataentrada", f.periodoIni, f.periodoFim, FieldType::DateTime, "F");
    sql += linhaFiltroSelecao("os.aoatendente", f.atendente, {}, FieldType::String, "I");
    return sql + "order by os.AOCODIGO";
}

QString SqlSelecaoSituacao(const FiltroSelecaoOS& f)
{
    QString sql =
        "select it.AOCODIGO, it.AOITPLACA, it.AOITCODIGO, it.AOITSERIE, os.CLCODIGO, os.ASCODIGO, os.AOTIPOOS,\n"
        "  os.AODATAENTRADA, os.AODATASAIDA, os.AOVALORPECAS, os.AOVALORSERVICO, os.aoDesconto, os.AOVALORTOTAL,\n"
        "  os.VECODIGO, Cli.NOME as Cliente, Sit.ASDESCRICAO as Situacao, Tec.AtNome\n"
        "from AATC01AOIT it\n"
        "left outer join aatc01ao os on (os.aocodigo = it.aocodigo)\n"
        "left outer join avec8501 pv on (os.veCodigo = pv.NUMERO_PEDIDO)\n"
        "left outer join augc0301 cli on (cli.codigo_cliente = os.clcodigo)\n"
        "left outer join aatc01as Sit on (Sit.asCodigo = os.asCodigo)\n"
        "left outer join aatc06AT Tec on (Tec.ATCodigo = os.ATCodigo)\n"
        "where not(it.aoitcodigo is null) \n";
    sql += linhaFiltroSelecao("os.CLCODIGO", f.clienteIni, f.clienteFim, FieldType::String, "F");
    sql += linhaFiltroSelecao("it.AOCODIGO", f.osIni, f.osFim, FieldType::Int32, "F");
    sql += linhaFiltroSelecao(colunaPeriodo(f), f.periodoIni, f.periodoFim, FieldType::DateTime, "F");
    sql += linhaFiltroSelecao("os.ATCodigo", f.tecIni, f.tecFim, FieldType::String, "F");
    return sql + "order by it.AOCODIGO, os.CLCODIGO, os.AODATAENTRADA";
}

QString SqlClienteporEquipamento(const FiltroSelecaoOS& f)
{
    const QString colunas = "it.AOITEQUIPDESCRICAO, it.AOITMARCA, it.AOITMODELO, it.AOITSERIE, it.AOITPLACA,\n"
                            "  it.AOITMOTORNUMERO, it.AOITCARROCERIANUMERO, it.AOCODIGO, Cli.Nome, os.clcodigo";
    QString sql = "select it.AOITEQUIPDESCRICAO, it.AOITMARCA, it.AOITMODELO, it.AOITSERIE, it.AOITPLACA,\n"
                  "  it.AOITMOTORNUMERO, it.AOITCARROCERIANUMERO, it.AOCODIGO, Cli.Nome as Cliente, os.clcodigo\n"
                  "from aatc01aoit it\n"
                  "left outer join aatc01ao os on (os.aocodigo = it.aocodigo)\n"
                  "left outer join augc0301 cli on (cli.codigo_cliente = os.clcodigo)\n"
                  "where not(it.aoitcodigo is null) \n";
    sql += linhaFiltroSelecao("os.clcodigo", f.clienteIni, f.clienteFim, FieldType::String, "F");
    sql += linhaFiltroSelecao("it.AOITEQUIPCodigo", f.osIni, f.osFim, FieldType::Int32, "F");
    // An empty date edit gives no date at all, which is not after 01/01/1900.
    const QDateTime limite(QDate(1900, 1, 1), QTime(0, 0));
    if (f.dataIni.isValid() && f.dataIni > limite)
        sql += " and os.AODATAENTRADA >= " + DateTimeIniToSQL(f.dataIni) + "\n";
    if (f.dataFim.isValid() && f.dataFim > limite)
        sql += " and os.AODATAENTRADA <= " + DateTimeFimToSQL(f.dataFim) + "\n";
    sql += linhaFiltroSelecao("os.AOATENDENTE", f.atendente, f.atendente, FieldType::String, "C");
    return sql + "group by " + colunas + "\norder by os.clcodigo, it.AOITEQUIPDESCRICAO";
}

QString SqlTotalizadorCliente(const FiltroSelecaoOS& f)
{
    QString sql = "select os.*, cli.nome as cliente, serv.aavalortotal as totserv, serv.prcodigo as codserv,\n"
                  "  peca.apvaltotal as totpeca, peca.prcodigo as codpeca\n"
                  "from aatc01ao os\n"
                  "left outer join aatc01aoit it on (it.aocodigo = os.aocodigo)\n"
                  "left outer join aatc01ap peca on (peca.aocodigo = os.aocodigo)\n"
                  "left outer join aatc01aa serv on (serv.aocodigo = os.aocodigo)\n"
                  "left outer join aatc03ae eq on (it.aoitequipcodigo = eq.aecodigo)\n"
                  "left outer join augc0301 cli on (cli.codigo_cliente = os.clcodigo)\n"
                  "where not(os.aocodigo is null)\n";
    if (!f.cliente.trimmed().isEmpty())
        sql += "    and upper(cli.nome) containing " + QuotedStr(f.cliente.trimmed().toUpper()) + "\n";
    sql += linhaFiltroSelecao("os.aocodigo", f.osIni, f.osFim, FieldType::Int32, "F");
    sql += linhaFiltroSelecao(f.periodoCobranca ? "os.aodatacobranca" : "os.aodataentrada", f.periodoIni,
                              f.periodoFim, FieldType::DateTime, "F");
    sql += linhaFiltroSelecao("eq.aetipo", f.atendente, {}, FieldType::String, "I");
    if (!f.campoOS.isEmpty() && !f.valorCampoOS.trimmed().isEmpty()) {
        if (f.tipoCampoOS == FieldType::String || f.tipoCampoOS == FieldType::Memo)
            sql += linhaFiltroSelecao("upper(os." + f.campoOS + ")", "%" + f.valorCampoOS.trimmed().toUpper() + "%",
                                      {}, f.tipoCampoOS, "I");
        else
            sql += linhaFiltroSelecao("(os." + f.campoOS + ")", f.valorCampoOS, {}, f.tipoCampoOS, "I");
    }
    return sql + "order by cli.nome, os.aocodigo";
}

QString SqlServicosTotalizador(const QString& ordem)
{
    return "select serv.prcodigo as codserv, serv.aavalortotal as valserv, prod.descricao as servico\n"
           "from aatc01aa serv\n"
           "  left outer join acec1101 prod on (prod.codigo = serv.prcodigo)\n"
           "where serv.aocodigo = " + QuotedStr(ordem) + "\n"
           "    and serv.aaautorizado = 'S'\n"
           "    and serv.aatipo = '3'";
}

QString SqlPecasTotalizador(const QString& ordem)
{
    return "select peca.prcodigo as codpeca, peca.apvaltotal as valpeca, prod.descricao as peca\n"
           "from aatc01ap peca\n"
           "  left outer join acec1101 prod on (prod.codigo = peca.prcodigo)\n"
           "where peca.aocodigo = " + QuotedStr(ordem) + "\n"
           "    and peca.apautorizado = 'S'\n"
           "    and peca.aptipo = '3'";
}

QString SqlTotalServicosOS(const QString& ordem)
{
    return "select sum(aavalortotal) from aatc01aa where aocodigo = " + QuotedStr(ordem) +
           " and aaautorizado = 'S' and aatipo = '3'";
}

QString SqlTotalPecasOS(const QString& ordem)
{
    return "select sum(apvaltotal) from aatc01ap where aocodigo = " + QuotedStr(ordem) +
           " and apautorizado = 'S' and aptipo = '3'";
}

QString SqlPrimeiroDocumento(const QString& ordem, const QString& nfIni, const QString& nfFim)
{
    return QString::fromLatin1(kSelectDocumento) + ordem + AdicionaFiltro("Data", nfIni, nfFim, FieldType::DateTime, "F");
}

QString SqlSegundoDocumento(const QString& ordem, const QString& primeiro, const QString& nfIni,
                            const QString& nfFim)
{
    return QString::fromLatin1(kSelectDocumento) + " " + ordem + "  and Documento <> " + QuotedStr(primeiro.left(6)) +
           AdicionaFiltro("Data", nfIni, nfFim, FieldType::DateTime, "F");
}

}  // namespace uAssOSSelecaoRel
