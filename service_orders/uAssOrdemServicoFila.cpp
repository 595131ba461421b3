// The service-order window's part of the external-service queue: sending the
// order to the queue, and the automatic choice of the technician.

#include "service_orders/uAssOrdemServico.h"

#include "service_orders/uAssFilaAtendimento.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Cursors.h"

namespace {

void abrirFilaDaOrdem()
{
    TdmTec& tec = *dmTec;
    SelecionaFilaAtendimento("", "N", tec.quOS->fieldByName("AODATASAIDA")->asDateTime(),
                             tec.quOS->fieldByName("AOSEQATENDIMENTO")->asInteger(),
                             tec.quOS->fieldByName("ATCODIGO")->asInteger());
}

}  // namespace

void TfmAssOrdemServico::sbEnviarFilaAtenClick() { abrirFilaDaOrdem(); }

void TfmAssOrdemServico::dbteFilaAtenClick() { abrirFilaDaOrdem(); }

int TfmAssOrdemServico::DistribuicaoAutomaticaOS()
{
    host::ui::WaitCursor ampulheta;
    host::data::Query& itens = *dmTec->quOSItem;
    const QString equipamento =
        itens.active() && !itens.isEmpty() ? itens.fieldByName("AOITEQUIPCODIGO")->asString().trimmed() : QString();
    // An item without equipment has no qualified technician (and an empty
    // code is no number to compare).
    const QStringList tecnicos =
        equipamento.isEmpty()
            ? QStringList()
            : CarregaVariosDados("ATCODIGO", "AATC06ATIT ", " where aecodigo = " + QuotedStr(equipamento), ";")
                  .split(';', Qt::SkipEmptyParts);
    int melhor = 10000;
    int resultado = 0;
    for (const QString& tecnico : tecnicos) {
        const int abertas = ContadorDados("atcodigo", "AATC01AO", tecnico,
                                          " and (AOBAIXA <> " + QuotedStr("S") + " or aobaixa is null) ", true);
        if (abertas >= melhor)
            continue;
        if (CarregaDado("ATATIVO", "AATC06AT", "WHERE ATCODIGO =" + QuotedStr(tecnico)).trimmed() == "S") {
            resultado = tecnico.toInt();
            melhor = abertas;
        }
    }
    return resultado;
}

void TfmAssOrdemServico::sbDistribuicaoOSClick()
{
    const int tecnico = DistribuicaoAutomaticaOS();
    if (tecnico <= 0) {
        dmGlobal->MostraAviso("Não foi possível encontrar técnico disponível para o serviço.");
        return;
    }
    host::data::Query& os = *dmTec->quOS;
    if (!os.editing())
        os.edit();
    os.fieldByName("ATCODIGO")->setAsInteger(tecnico);
    os.post();
}
