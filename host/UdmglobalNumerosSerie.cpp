// TdmGlobal: the serial-number check of a document's line and the copy of
// additional observation texts between keys.

#include "host/Udmglobal.h"

#include "host/Udatamod.h"
#include "host/Uglobal.h"
#include "host/data/Format.h"
#include "host/db/Database.h"

bool TdmGlobal::NumeroSerieProdutoObrigatorio(const QString& produto, double quantidade,
                                              const DocumentoNumeroSerie& documento, const QDateTime&,
                                              bool bAbortar)
{
    const QString codigo = produto.trimmed();
    if (codigo.isEmpty() || quantidade <= 0)
        return true;
    QString condicao;
    if (!documento.venda.trimmed().isEmpty())
        condicao += " and ns.VECODIGO = " + QuotedStr(documento.venda.trimmed());
    if (documento.ordemServico != 0)
        condicao += QString(" and ns.AOCODIGO = %1").arg(documento.ordemServico);
    if (documento.contrato != 0)
        condicao += QString(" and ns.ACCODIGO = %1").arg(documento.contrato);
    if (documento.itemContrato != 0)
        condicao += QString(" and ns.ACITCODIGO = %1").arg(documento.itemContrato);
    // The product's rule and the document's numbers in one read.
    host::db::Statement st(*IBTransaction1,
                           "select coalesce(pr.PRGERANS, ''), (select count(distinct ns.NSNUMERO) from AUGC50NS ns"
                           " where ns.PRCODIGO = pr.CODIGO" + condicao + ") from ACEC1101 pr where pr.CODIGO = :PRODUTO");
    st.setParam("PRODUTO", codigo);
    st.execute();
    if (!st.fetch())
        return true;
    const QString regra = st.value(0).toString().trimmed();
    const int informados = st.value(1).toInt();
    if (regra != "O" && regra != "Ú")
        return true;
    if (informados >= quantidade - 1e-9)
        return true;
    MostraAviso(QString("Aviso: operação abortada.\rO produto %1 exige número de série: informado(s) %2 de %3.")
                    .arg(codigo)
                    .arg(informados)
                    .arg(host::data::formatFloat("0.##", quantidade)),
                bAbortar);
    return false;
}

void TdmGlobal::ImportaObservacaoAdicional(const QString& codigoOrigem, const QString& sequenciaOrigem,
                                           const QString& idOrigem, const QString& codigoDestino,
                                           const QString& sequenciaDestino, const QString& idDestino)
{
    host::db::Statement st(*IBTransaction1,
                           "merge into AUGC70OB d"
                           " using (select OBTEXTO from AUGC70OB where OBCODIGO = :CODORIGEM and OBID = :IDORIGEM"
                           " and OBSEQUENCIA = :SEQORIGEM) o"
                           " on d.OBCODIGO = :CODDESTINO and d.OBID = :IDDESTINO and d.OBSEQUENCIA = :SEQDESTINO"
                           " when matched then update set d.OBTEXTO = o.OBTEXTO"
                           " when not matched then insert (OBCODIGO, OBID, OBSEQUENCIA, OBTEXTO)"
                           " values (:CODDESTINO, :IDDESTINO, :SEQDESTINO, o.OBTEXTO)");
    st.setParam("CODORIGEM", codigoOrigem.trimmed());
    st.setParam("IDORIGEM", idOrigem.trimmed());
    st.setParam("SEQORIGEM", sequenciaOrigem.trimmed().toInt());
    st.setParam("CODDESTINO", codigoDestino.trimmed());
    st.setParam("IDDESTINO", idDestino.trimmed());
    st.setParam("SEQDESTINO", sequenciaDestino.trimmed().toInt());
    st.execute();
}
