// One generated service order as one unit of work, and the header and the
// service line that every generated order gets.

#include "data/uDataTecOSAutomaticaComum.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Ulote.h"
#include "host/data/Abort.h"
#include "host/data/Query.h"
#include "host/db/Database.h"

using host::data::DatasetState;

namespace uDataTecOSAutomatica::comum {

namespace {

// After a failure the datasets may hold a row half made: it goes, so that
// the next order starts clean and nothing is posted by a later move.
void descartarPendentes()
{
    for (host::data::Dataset* dados : {dmTec->quOSAndamento, dmTec->quOSItem, dmTec->quOS})
        if (dados->active() && dados->editing())
            dados->cancel();
}

// quOSAndamento already holds every line of the order, as its loader left
// it (no item filter) with nothing pending: the order's maker loaded it
// before the items, whose rules keep it current.
bool linhasCarregadas(int aoCodigo)
{
    const host::data::Query& linhas = *dmTec->quOSAndamento;
    const host::data::Param* ordem = linhas.findParam("aocodigo");
    return linhas.active() && !linhas.editing() && ordem && !ordem->isNull() && ordem->asInteger() == aoCodigo &&
           !linhas.sql().contains("Anda.AOITCODIGO =");
}

}  // namespace

void log(const QString& texto) { dmGlobal->Log(kOrigem, texto); }

bool ordemInteira(host::ExecucaoLote& lote, const std::function<void()>& passos, QString& falha)
{
    lote.limpar();
    host::db::Transaction& tr = *dmGlobal->IBTransaction1;
    try {
        host::db::CommitHold comites(tr);
        host::db::Savepoint ordem(tr);
        try {
            passos();
        } catch (...) {
            ordem.rollback();
            descartarPendentes();
            throw;
        }
        ordem.release();
        comites.release();
        return true;
    } catch (...) {
        falha = TratarExcecao(std::current_exception());
        if (falha.isEmpty())
            falha = lote.ultimoTexto().isEmpty() ? QString("Operação abortada.") : lote.ultimoTexto();
        log(" EXCEPTION --> " + falha);
        return false;
    }
}

int novaOrdem(const QString& retorno, const QString& cliente, const QDateTime& entrada)
{
    TdmTec& tec = *dmTec;
    InserirRegistro(*tec.quOS);
    // A host whose insert routine stores the new row at once leaves it in
    // browse: it is loaded again by its number and edited. Here an order is
    // numbered at its first save, so the new row is still being inserted.
    if (tec.quOS->state() == DatasetState::Browse && tec.quOSAOCODIGO->asInteger() > 0) {
        CarregaOrdemServico(tec.quOSAOCODIGO->asInteger());
        tec.quOS->edit();
    }
    tec.quOSAORETORNO->setAsString(retorno);
    tec.quOSCLCODIGO->setAsString(cliente);
    if (entrada.isValid())
        tec.quOSAODATAENTRADA->setAsDateTime(entrada);
    tec.quOS->post();
    return tec.quOSAOCODIGO->asInteger();
}

void novaLinhaServico(int aoCodigo, bool passos)
{
    TdmTec& tec = *dmTec;
    if (passos)
        log("Vai carregar os servicos");
    if (!linhasCarregadas(aoCodigo))
        tec.CarregaOSAndamento(aoCodigo, 0);
    if (passos)
        log("Vai inserir os servicos");
    tec.quOSAndamento->append();
    tec.quOSAndamentoPRCODIGO->setAsString(parametro("ATSERVICOPADRAO"));
    if (passos)
        log("Vai confirmar inserção dos serviços");
    tec.quOSAndamento->post();
    // Where the installation totals orders on screen, the line's rules leave
    // the header's new totals in edit for the user to save; nobody will here.
    SalvarAlteracoes(*tec.quOS);
}

}  // namespace uDataTecOSAutomatica::comum
