// Paying the technician of the current order: one payable of the host per
// expense kind the order bills, to a supplier the user picks.

#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoComum.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Upesqforn.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/Dialogs.h"


void TfmAssOrdemServico::btPagarTecnicoClick()
{
    sAuxiliarGeral.clear();
    QString fornecedor, tipo;
    if (!SelecionaFornecedor(fornecedor, tipo, parametro("ATFORNECEDORTODOS") != "N"))
        return;
    host::data::Query& os = *dmTec->quOS;
    const int ordem = ordemAtual();
    const QString documento = QString("%1").arg(ordem, 6, 10, QChar('0'));
    const QString filial = os.fieldByName("AOLOCAL")->asString();
    const QString tecnico = os.fieldByName("TECNICO")->asString();
    int sequencia = CarregaNumeroInteiro("coalesce(max(sequencia_documento),0)", "ACPC6001",
                                         " where pglocal = " + QuotedStr(filial) + " and numero_documento = " +
                                             QuotedStr(documento) + " and codigo_fornecedor = " +
                                             QuotedStr(fornecedor)) +
                    1;
    const std::pair<const char*, const char*> tipos[] = {
        {"Despesas com Peças", "AOVALORPECAS"},
        {"Serviço", "AOVALORSERVICO"},
        {"Despesas com Viagem", "AODESPVIAGEM"},
        {"Despesas Extras", "AODESPDIVERSAS"},
    };
    // The run's payables are kept or undone together.
    host::db::Transaction& transacao = *dmGlobal->IBTransaction1;
    host::db::Savepoint pagamento(transacao);
    const QDateTime dia = hoje();
    bool resultado = false;
    for (const auto& [texto, coluna] : tipos) {
        const QString tipoDespesa = QString::fromUtf8(texto);
        if (!GetValueOpcaoDespesa(tipoDespesa))
            continue;
        const QString historico = QString("O.S: %1 - Tecnico: %2 - Tipo: %3").arg(ordem).arg(tecnico, tipoDespesa);
        resultado = dmGlobal->InseriParcelaPagar(fornecedor, documento, filial, "D", " ", "", "", "", "001", historico,
                                                 sequencia, os.fieldByName(coluna)->asFloat(), 0, 0, 0, 0, dia,
                                                 dia, dia, 0, "RC");
        ++sequencia;
    }
    pagamento.release();
    transacao.commitRetaining();
    if (resultado)
        host::ui::Dialogs::information("Operação efetuada com sucesso!");
}
