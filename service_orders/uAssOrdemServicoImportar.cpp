// The import of outgoing invoices: their products become items of the order.

#include "service_orders/uAssOrdemServico.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesqdocsai.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "host/ui/Errors.h"
#include "host/ui/FormBuilders.h"

#include <QPushButton>

QPushButton* TfmAssOrdemServico::montarImportar(QWidget* cabecalho)
{
    bbImportar = host::ui::makeButton(cabecalho, "bbImportar", "Importar");
    bbImportar->setToolTip("Importar Saída");
    connect(bbImportar, &QPushButton::clicked, this, [this] { host::ui::runGuarded([this] { bbImportarClick(); }); });
    return bbImportar;
}

void TfmAssOrdemServico::bbImportarClick()
{
    SalvarAlteracoes(*dmTec->quOS);
    if (dmTec->quOS->isEmpty() || dmTec->quOSAOCODIGO->asInteger() <= 0)
        dmGlobal->MostraAviso(
            "Para importar uma nota fiscal de saída é necessário inserir uma Ordem de Serviço válida.", true);
    if (!dmTec->quOSItem->active() || dmTec->quOSItem->isEmpty())
        dmGlobal->MostraAviso("Para importar uma nota fiscal de saída é necessário inserir um Item na Ordem de Serviço.",
                              true);
    if (MostraPergunta("Tem certeza de que deseja importar produtos de uma nota fiscal de saída?", {"Sim", "Não"}) !=
        "Sim")
        return;
    const int ordem = dmTec->quOSItem->fieldByName("AOCODIGO")->asInteger();
    const int item = dmTec->quOSItem->fieldByName("AOITCODIGO")->asInteger();
    QString documento, serie, cliente, operacao, local;
    // The order is read again whatever the picker did.
    try {
        SelecionaDocumentoSaidaMultiplaOS(documento, serie, cliente, operacao, local, ordem, item);
    } catch (...) {
        CarregaOrdemServico(ordem);
        throw;
    }
    CarregaOrdemServico(ordem);
}
