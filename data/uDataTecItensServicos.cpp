// The service lines that a saved order item generates, called by the item's
// after-post in this order: warranty line, vehicle check-list, remanufacture
// re-pricing, insurance question.

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include "host/data/HandlerGuard.h"
#include "host/db/Database.h"
#include "host/ui/Cursors.h"

#include <cmath>

using host::data::DetachHandler;

namespace {

// A row appended by a routine is its own work: a failure before its post
// takes it away again.
template <class Preencher>
void postarNovaLinha(host::data::Dataset& linhas, Preencher preencher)
{
    linhas.append();
    try {
        preencher();
        linhas.post();
    } catch (...) {
        if (linhas.editing())
            linhas.cancel();
        throw;
    }
}

// Hundredths written as the SQL expression "00000000200/100": the database
// divides in floating point.
QString centesimosSQL(double valor)
{
    const long long centesimos = std::llround(valor * 100);
    return (centesimos < 0 ? "-" : "") + QString::number(std::llabs(centesimos)).rightJustified(11, '0') + "/100";
}

}  // namespace

// The warranty line of an authorised item with factory warranty, priced at
// the model's warranty value; left for the next commit.
void TdmTec::OSInserirGarantiaCorrente()
{
    if (quOSItemAOITAUTORIZADO->asString() != "S" || quOSItemAOITGARANTIA->asString() != "1")
        return;
    const double valor =
        CarregaNumero("AEVALORGARANTIA", "AATC03AE", "WHERE AECODIGO = " + quOSItemAOITEQUIPCODIGO->asString());
    const QString servico = parametroAparado("ATSERVICOPADRAO");
    if (servico.isEmpty())
        dmGlobal->MostraAviso("Não foi informado código do serviço padrão para garantia do equipamento.", true);
    if (!quOSAndamento->active())
        quOSAndamento->open();
    // Neither priced, guarded nor re-totalled: the line is what the warranty pays.
    DetachHandler semAntesInserir(quOSAndamento->beforeInsert);
    DetachHandler semAntesGravar(quOSAndamento->beforePost);
    DetachHandler semDepoisGravar(quOSAndamento->afterPost);
    postarNovaLinha(*quOSAndamento, [&] {
        quOSAndamentoAACODIGO->setAsInteger(
            static_cast<int>(MaximoDado("aaCodigo", "aatc01aa", "aoCodigo", quOSAndamentoAOCODIGO->asString(), {}, false)) + 1);
        quOSAndamentoPRCODIGO->setAsString(servico);
        quOSAndamentoAAVALOR->setAsFloat(valor);
        quOSAndamentoAAQUANTIDADE->setAsFloat(1);
        quOSAndamentoAAAUTORIZADO->setAsString("N");
    });
}

// One line per check item of the vehicle, after the order's highest line,
// written straight into the table; all or none. quOSAndamento stays closed,
// so the order window reads the lines again.
void TdmTec::InserirItemVerificacaoVeiculoOS(int iEquipamento, int iOrdem, int iItem, double rKm)
{
    host::ui::WaitCursor ampulheta;
    std::unique_ptr<host::data::Query> verificacoes = CriarIbQuery();
    struct Fim {
        host::data::Query& consulta;
        ~Fim()
        {
            consulta.close();
            dmGlobal->PreparaSplashForm(0, {}, "Ocultar");
        }
    } fim{*verificacoes};
    verificacoes->setSql("Select It.prCodigo, it.ivCodigo from Augc20EvIv  Veic Left Outer Join Augc20iv It"
                         "                   On (it.ivCodigo = Veic.ivCodigo)          Where Veic.evCodigo = " +
                         QString::number(iEquipamento));
    verificacoes->open();
    verificacoes->fetchAll();
    dmGlobal->PreparaSplashForm(verificacoes->fetchedCount(), "Inserindo itens de verificação", "Mostrar");
    quOSAndamento->close();
    host::db::Savepoint linhas(*dmGlobal->IBTransaction1);
    // Read once: the lines below are this routine's own, numbered one after another.
    int aaCodigo = static_cast<int>(MaximoDado("aaCodigo", "aatc01aa", "aoCodigo", QString::number(iOrdem), {}, false));
    const QDateTime dia = hoje();
    for (verificacoes->first(); !verificacoes->eof(); verificacoes->next()) {
        InsertTable("AATC01AA",
                    {"prCodigo", "aoCodigo", "aoitCodigo", "aaQuantidade", "ivCodigo", "EvCodigo", "aaKM", "aaData",
                     "aaCodigo"},
                    {verificacoes->fieldByName("PRCODIGO")->value(), iOrdem, iItem, 0.0,
                     verificacoes->fieldByName("IVCODIGO")->value(), iEquipamento, rKm, dia, ++aaCodigo},
                    dmGlobal->quAuxiliar, true);
        dmGlobal->PreparaSplashForm(1, "Inserindo itens de verificação...", "Incrementar");
    }
    linhas.release();
}

// The approval date of the order once every item is answered; in a
// remanufacture or purchase order, the line that stands for the item takes
// the number of its approved items and their total.
void TdmTec::AtualizarItemRemanufatura()
{
    const QString ordem = quOSItemAOCODIGO->asString();
    if (CarregaNumero("count(*)", "aatc01aoit", "Where AOITAPROVADO is null and  aoCodigo = " + ordem) == 0 &&
        quOSAOCODIGO->asString() == ordem) {
        quOS->edit();
        quOSAODATAAPROVA->setAsDateTime(hoje());
        quOS->post();
    }
    const QString tipo = quOSAOREMANUFATURA->asString();
    // An item not made from a service line (typed in by hand) has no line to
    // rewrite; its empty number would only make the statements fail.
    const QString linha = quOSItemAACODIGO->asString();
    if ((tipo != "R" && tipo != "C") || linha.isEmpty())
        return;
    const QString descricao = quOSItemAOITEQUIPDESCRICAO->asString();
    const double aprovados =
        CarregaNumero("count(*)", "aatc01aoit",
                      "Where aoCodigo =" + ordem + "  and AOITEQUIPDESCRICAO = " + QuotedStr(descricao) +
                          "  and AACODIGO           = " + QuotedStr(linha) + "  and AOITAPROVADO       = 'S'");
    const QString condicao =
        "Where aoCodigo =" + ordem + "  And aaCodigo =" + linha + "  and prCodigo = " + QuotedStr(descricao);
    // Quantity and total change together or not at all.
    host::db::Savepoint quantidadeETotal(*dmGlobal->IBTransaction1);
    UpdateCampo("AATC01AA", "aaQuantidade", centesimosSQL(aprovados), condicao);
    // The line total rule: quantity times value less the line's discount, cut to cents.
    const double unitario = CarregaNumero("AAValor * (1 - coalesce(AADESCONTO, 0) / 100.00)", "Aatc01AA", condicao);
    UpdateCampo("AATC01AA", "AAValorTotal", centesimosSQL(Trunc2Casas(aprovados * unitario)), condicao);
    quantidadeETotal.release();
    dmGlobal->IBTransaction1->commitRetaining();
}

// The insurance line (product "101") of a vehicle order without service
// lines, when the user wants it.
void TdmTec::PerguntarSeguroVeiculoOS()
{
    if (ContadorDados("codigo", "acec1101", "101", {}, false) <= 0)
        return;
    // A closed list counts by the lines it holds when opened: the check-list
    // step closes it after writing lines of its own.
    const bool estavaAberto = quOSAndamento->active();
    if (!estavaAberto)
        quOSAndamento->open();
    if (!quOSAndamento->isEmpty()) {
        if (!estavaAberto)
            quOSAndamento->close();
        return;
    }
    if (MostraPergunta("Deseja que o veículo adquira o seguro?", {"Sim", "Não"}) != "Sim") {
        if (!estavaAberto)
            quOSAndamento->close();
        return;
    }
    postarNovaLinha(*quOSAndamento, [&] {
        quOSAndamentoPRCODIGO->setAsString("101");
        quOSAndamentoAAQUANTIDADE->setAsFloat(1);
        quOSAndamentoAATIPO->setAsString("3");
    });
    quOSAndamento->close();
}
