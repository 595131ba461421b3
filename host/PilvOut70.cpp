#include "host/PilvOut70.h"

#include "host/Udatamod.h"
#include "host/Uglobal.h"

QString NSRetornaCondicaoSQL(const QString& produto, const QString& documento, const QString& serie,
                             const QString& operacao, const QString& cliente, const QString& local,
                             int sequencia, const QDateTime&)
{
    return " and PRCODIGO = " + QuotedStr(produto.trimmed()) +
           " and NSDOCUMENTO = " + QuotedStr(documento.trimmed()) +
           " and NSSERIE = " + QuotedStr(serie.trimmed()) +
           " and NSOPERACAO = " + QuotedStr(operacao.trimmed()) +
           " and NSCLIENTE = " + QuotedStr(cliente.trimmed()) +
           " and LECODIGO = " + QuotedStr(local.trimmed()) +
           " and NSSEQUENCIA = " + QString::number(sequencia);
}

QString PesquisarEmailCodigoAleatorio(const QString& texto, int tipo, int modo)
{
    const QString like = QuotedStr("%" + texto.trimmed().toUpper() + "%");
    QString condition = "where (upper(ANNOME) like " + like + " or upper(ANEMAIL) like " + like + ")";
    if (modo == 2)
        condition += " and coalesce(ANEMAIL, '') <> ''";
    if (tipo != 0)
        condition += " and ANTIPO = " + QuotedStr(QString::number(tipo));
    QString emails = CarregaVariosDados("ANEMAIL", "AUGC3701", condition, ";");
    if (emails.endsWith(';'))
        emails.chop(1);
    return emails;
}
