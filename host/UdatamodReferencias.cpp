// Links between stock documents and the service orders made from them.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"

void InsereACEM14REF(const ReferenciaACEM14& referencia)
{
    host::db::Statement& insere = dmGlobal->ComandoPreparado(
        "insert into ACEM14REF (REFAOCODIGO, REFODOCUMENTO, REFOSERIE_DOC, REFOCOD_CLI, REFOOPERACAO_DOC,"
        " REFOLOCAL_DOC, REFTIPO, REFOSEQUENCIA, REFODATA_DOC, REFDATA)"
        " values (:AO, :DOC, :SERIE, :CLI, :OPER, :LOCAL, :TIPO, :SEQ, :DATADOC, :DATA)");
    insere.setParam("AO", referencia.aoCodigo);
    insere.setParam("DOC", referencia.documento);
    insere.setParam("SERIE", referencia.serie);
    insere.setParam("CLI", referencia.cliente);
    insere.setParam("OPER", referencia.operacao);
    insere.setParam("LOCAL", referencia.local);
    insere.setParam("TIPO", referencia.tipo);
    insere.setParam("SEQ", referencia.sequencia);
    insere.setParam("DATADOC", referencia.dataDocumento.isValid() ? QVariant(referencia.dataDocumento) : QVariant());
    insere.setParam("DATA", referencia.dataReferencia.isValid() ? QVariant(referencia.dataReferencia) : QVariant());
    insere.execute();
}
