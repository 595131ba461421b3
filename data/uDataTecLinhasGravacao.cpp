// A line of a service order (part, service, travel or extra expense, planned
// product) and the header's totals it changes are stored by one commit or
// not at all: the line's save or delete takes a savepoint and holds the
// commits its handlers ask for until the header is totalled again; a failure
// of any step undoes the line too, as does a line that leaves the order's
// total below its discounts. A line added to, deleted from or changed
// in amount on an order already billed is refused: the receivable was made
// of the total as it stood, and the difference would never be billed.

#include "data/uDataTec.h"

#include "host/Udmglobal.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"
#include "host/db/Database.h"

#include <cmath>
#include <memory>
#include <utility>

using host::data::Dataset;
using host::data::DatasetState;

namespace {

// The work of one line's save or delete, until it is kept or undone.
struct UnidadeDaLinha {
    std::unique_ptr<host::db::CommitHold> espera;
    std::unique_ptr<host::db::Savepoint> ponto;
    // The header was not being typed: a re-total that failed leaves no edit behind.
    bool cabecalhoParado = false;
    double totalAntes = 0;   // the order's stored grand total before the line

    void abrir(const Dataset& cabecalho)
    {
        desfazer();
        host::db::Transaction& tr = *dmGlobal->IBTransaction1;
        espera = std::make_unique<host::db::CommitHold>(tr);
        ponto = std::make_unique<host::db::Savepoint>(tr);
        cabecalhoParado = cabecalho.active() && cabecalho.state() == DatasetState::Browse;
        // As stored: a discount typed into the header is not stored yet.
        totalAntes = cabecalho.active() ? cabecalho.fieldByName("AOVALORTOTAL")->oldValue().toDouble() : 0.0;
    }
    void desfazer()
    {
        ponto.reset();    // rolls back to the savepoint
        espera.reset();   // the commits asked meanwhile are forgotten
    }
    void confirmar()
    {
        if (!ponto)
            return;
        ponto->release();
        ponto.reset();
        espera->release();   // the one commit of the line and its totals
        espera.reset();
    }
};

// The order the line belongs to: its own column, or the order shown for a
// line that takes it only when stored.
QVariant ordemDaLinha(Dataset& linha, const TdmTec& tec)
{
    const QVariant ordem = linha.fieldByName("AOCODIGO")->value();
    return ordem.isNull() ? tec.quOSAOCODIGO->value() : ordem;
}

bool valorAlterado(const host::data::Field& campo)
{
    return std::abs(campo.asFloat() - campo.oldValue().toDouble()) > 1e-9;
}

// The line's order as stored: another desk may have billed it since it was
// loaded here.
void recusarOrdemFaturada(const QVariant& ordem)
{
    if (!ordem.isNull())
        RecusarOrdemFaturada(ordem, DocumentoDaOrdem(ordem),
                             "suas linhas não podem mais ser incluídas, alteradas ou excluídas");
}

}  // namespace

QString DocumentoDaOrdem(const QVariant& ordem)
{
    return host::db::selectValue(*dmGlobal->IBTransaction1, "select CRDOCUMENTO from AATC01AO where AOCODIGO = :ORDEM",
                                 {{"ORDEM", ordem}})
        .toString()
        .trimmed();
}

void RecusarOrdemFaturada(const QVariant& ordem, const QString& documento, const QString& oQue)
{
    if (!documento.trimmed().isEmpty())
        dmGlobal->MostraAviso("A ordem de serviço " + ordem.toString() + " já foi faturada (contas a receber " +
                                  documento.trimmed() + "): " + oQue + ".",
                              true);
}

void TdmTec::bindUnidadesDasLinhas()
{
    // Each kind of line with the column its amount is counted from.
    const std::pair<Dataset*, const char*> linhas[] = {
        {quOSPecas, "APVALTOTAL"},        {quOSAndamento, "AAVALORTOTAL"}, {quOSDespViagem, "AVVALORTOTAL"},
        {quOSDespExtra, "AXVALOR"},       {quOSProj, "AQVALORTOTAL"},
    };
    for (const auto& [linha, coluna] : linhas) {
        auto unidade = std::make_shared<UnidadeDaLinha>();
        const QString valor = QString::fromLatin1(coluna);
        // A new line is refused before its own rule asks anything; a changed
        // one once that rule has priced it, when its amount moved (marking a
        // line as issued changes no amount and stays allowed). The unit opens
        // before the line's own rule, whose writes (a service's items, a
        // line's children) belong to it.
        auto antesDeGravar = [this, unidade, valor](Dataset::Event proprio) {
            return [this, unidade, valor, proprio](Dataset& d) {
                const bool nova = d.state() == DatasetState::Insert;
                if (nova)
                    recusarOrdemFaturada(ordemDaLinha(d, *this));
                unidade->abrir(*quOS);
                try {
                    if (proprio)
                        proprio(d);
                    if (!nova && d.editing() && valorAlterado(*d.fieldByName(valor)))
                        recusarOrdemFaturada(ordemDaLinha(d, *this));
                } catch (...) {
                    unidade->desfazer();
                    throw;
                }
            };
        };
        auto antesDeExcluir = [this, unidade](Dataset::Event proprio) {
            return [this, unidade, proprio](Dataset& d) {
                recusarOrdemFaturada(ordemDaLinha(d, *this));
                unidade->abrir(*quOS);
                try {
                    if (proprio)
                        proprio(d);
                } catch (...) {
                    unidade->desfazer();
                    throw;
                }
            };
        };
        auto concluir = [this, unidade](Dataset::Event proprio) {
            return [this, unidade, proprio](Dataset& d) {
                try {
                    if (proprio)
                        proprio(d);
                    // The line's total as the header now holds it: a line
                    // that leaves less than the discounts is refused.
                    if (!semCabecalho(*this) && unidade->ponto)
                        ExigeDescontoAteOTotalOS(unidade->totalAntes);
                } catch (...) {
                    const bool cancelarCabecalho = unidade->cabecalhoParado && unidade->ponto;
                    unidade->desfazer();
                    if (cancelarCabecalho && quOS->editing())
                        quOS->cancel();
                    throw;
                }
                unidade->confirmar();
            };
        };
        auto falhou = [unidade](Dataset::Event proprio) {
            return [unidade, proprio](Dataset& d) {
                if (proprio)
                    proprio(d);
                // A write tried again stays within the line's unit.
                if (!d.retryAsked())
                    unidade->desfazer();
            };
        };
        linha->beforePost = antesDeGravar(linha->beforePost);
        linha->afterPost = concluir(linha->afterPost);
        linha->onPostError = falhou(linha->onPostError);
        linha->beforeDelete = antesDeExcluir(linha->beforeDelete);
        linha->afterDelete = concluir(linha->afterDelete);
        linha->onDeleteError = falhou(linha->onDeleteError);
        linha->afterCancel = falhou(linha->afterCancel);
    }
}
