// Cancelling a contract: the open receivables due from the cancellation date
// on go with their cash rows; forecasts, late-return fines and settled,
// negotiated or otherwise closed receivables stay.

#include "contract_data/uDataTecCont.h"

#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/db/Database.h"

void TdmTecContrato::CtrVerificaCancelamentoCR()
{
    host::data::Dataset& cabecalho = *quCtrCadastro;
    if (cabecalho.fieldByName("ACSITUACAO")->asString().trimmed().toUpper() != "C")
        return;
    const int contrato = cabecalho.fieldByName("ACCODIGO")->asInteger();
    // Only the post that moves the stored situation to "C" (a contract not
    // yet stored is not cancelled).
    if (CarregaDado("ACSITUACAO", "AATC05AC", "where ACCODIGO = " + QString::number(contrato)).trimmed().toUpper() ==
        "C")
        return;
    if (MostraPergunta("O contrato está sendo cancelado pois foi alterada situação.\rDeseja excluir contas a receber "
                       "em aberto após data do cancelamento?",
                       {"Sim", "Não"}) != "Sim")
        return;
    host::data::Field* data = cabecalho.fieldByName("ACDATACANCELAMENTO");
    if (data->isNull()) {
        QDateTime escolhida = hoje();
        if (!SelecionaData("Data de cancelamento", "Informe a data de cancelamento", escolhida))
            host::abortOperation();
        data->setAsDateTime(escolhida);
    }
    // Nothing is committed here: the header's post commits the deletions
    // with the cancelled contract, or a refusal takes them back.
    const int excluidas = dmGlobal->ExcluirParcelasReceber(
        // A late-return fine is owed for what happened before: it stays.
        QString("codigo_cliente = %1 and aoCodigo = %2 and DATA_VENCIMENTO >= %3 and"
                " (NOT(Situacao_Documento In ('*','D','#','C','V','E')) or (Situacao_Documento is Null))"
                " and coalesce(ORIGEM, '') <> 'M'")
            .arg(QuotedStr(cabecalho.fieldByName("CLCODIGO")->asString().trimmed()))
            .arg(contrato)
            .arg(DateToSQL(host::db::localDateTime(data->asDateTime().date()))));
    // Told after the header is written: a later refusal takes them back.
    avisoCancelamento_ = QString::number(excluidas) + " parcela(s) excluída(s) com sucesso!";
}
