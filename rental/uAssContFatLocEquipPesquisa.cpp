// The statements of the rental billing screen.

#include "rental/uAssContFatLocEquipPesquisa.h"

#include "contract_data/uDataTecContParcelas.h"
#include "host/Uglobal.h"
#include "host/data/Format.h"

#include <QStringList>

namespace uAssContFatLocEquip {

namespace {

const char* const kColunasFatLocEquip =
    "cont.ACCODIGO, cont.ACNUMEROCONTRATO, cont.ACVALOR, cont.ACDATAVALIDADE, cont.ACDATAIMPLANTACAO,"
    " cont.ACCOMPROVANTE, cont.ACLOCAL, ";
const char* const kColunasReceberFatLocEquip =
    "cli.NOME, rec.SITUACAO_DOCUMENTO, rec.DATA_VENCIMENTO, rec.VALOR_DOCUMENTO, rec.CODIGO_CLIENTE,"
    " rec.SEQUENCIA, rec.CODIGO_FILIAL, rec.NUMERO_DOCUMENTO, rec.CRPREVBOLETO, rec.CRBORDERODATA";
// Only the contract's own instalments: an item's receivable or a late fine is
// not a month's rent to list or bill.
QString ligacoesFatLocEquip()
{
    return " left outer join AUGC0301 cli on (cont.CLCODIGO = cli.CODIGO_CLIENTE)"
           " left outer join ACRC5001 rec on (cont.ACCODIGO = rec.AOCODIGO and " +
           uDataTecContParcelas::CondicaoParcelaDoContrato("rec") + ")";
}
const char* const kOrdemFatLocEquip = " order by cont.ACCODIGO, rec.DATA_VENCIMENTO, rec.SEQUENCIA";

bool dataFatLocEquip(const QString& texto, QDateTime& data)
{
    return !texto.trimmed().isEmpty() && host::data::parseDateTimeText(texto.trimmed(), data) && data.isValid();
}

}  // namespace

QString CondicoesFatLocEquip(const FiltrosFatLocEquip& f)
{
    QString sql;
    if (f.opcao == Faturados)
        sql += " and rec.situacao_documento <> 'V'";
    else if (f.opcao == NaoFaturados)
        sql += " and rec.situacao_documento = 'V'";
    QDateTime ini, fin;
    if (dataFatLocEquip(f.dataIni, ini) && dataFatLocEquip(f.dataFin, fin)) {
        static const QStringList colunas = {"rec.data_vencimento", "cont.acdataimplantacao", "rec.crprevboleto",
                                            "rec.crborderodata"};
        const QString coluna = colunas.value(f.periodo, colunas.first());
        sql += " and " + coluna + " >= " + DateTimeIniToSQL(ini) + " and " + coluna + " <= " + DateTimeFimToSQL(fin);
    }
    if (!f.filial.trimmed().isEmpty())
        sql += " and cont.aclocal = " + QuotedStr(f.filial.trimmed());
    if (!f.codCliente.trimmed().isEmpty())
        sql += " and cli.codigo_cliente = " + QuotedStr(f.codCliente.trimmed());
    else if (!f.cliente.trimmed().isEmpty())
        sql += " and cli.nome containing " + QuotedStr(f.cliente.trimmed());
    if (!f.pedido.trimmed().isEmpty())
        sql += " and cont.acpedido = " + QuotedStr(f.pedido);
    return sql;
}

QString SqlConsultaFatLocEquip(const FiltrosFatLocEquip& f)
{
    QString sql = QString("select ") + kColunasFatLocEquip + "cont.BCCODIGO, " + kColunasReceberFatLocEquip +
                  ", rec.DATA_EMISSAO, rec.CRPEDIDOCLI from AATC05AC cont" + ligacoesFatLocEquip() +
                  " where cont.acvinculo = 'P' and rec.aoCodigo is not null" + CondicoesFatLocEquip(f);
    if (!f.codContrato.trimmed().isEmpty()) {
        // A number only: the text typed never becomes part of the statement.
        bool numero = false;
        const int codigo = f.codContrato.trimmed().toInt(&numero);
        sql += numero ? " and cont.accodigo = " + QString::number(codigo) : QString(" and 1 = 0");
    }
    return sql + kOrdemFatLocEquip;
}

namespace {

QString vinculosFatLocEquip(const FiltrosFatLocEquip& f, const QString& colunaPrincipal, const QString& condicao)
{
    return QString("select ") + colunaPrincipal + kColunasFatLocEquip + kColunasReceberFatLocEquip +
           " from AATC05ACVI vi left outer join AATC05AC cont on (cont.ACCODIGO = vi.ACCODIGOCOMPLEMENTO)" +
           ligacoesFatLocEquip() + " where " + condicao + CondicoesFatLocEquip(f) + kOrdemFatLocEquip;
}

}  // namespace

QString SqlConsultaVincFatLocEquip(const FiltrosFatLocEquip& f)
{
    return vinculosFatLocEquip(f, {}, "vi.ACCODIGOPRINCIPAL = :ACCODIGO");
}

QString SqlVinculosFaturarFatLocEquip(const FiltrosFatLocEquip& f)
{
    return vinculosFatLocEquip(f, "vi.ACCODIGOPRINCIPAL PRINCIPAL, ", "rec.AOCODIGO is not null");
}

}  // namespace uAssContFatLocEquip
