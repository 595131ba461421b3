#pragma once
// Small helpers shared by the units of the service-order window.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "service_orders/uAssAndamento.h"

namespace ordem_servico {

// The company-specific code of the host's company record (0 without one).
inline int empresaEspecifica()
{
    host::data::Query& empresa = *dmGlobal->quEmpresa;
    if (!empresa.active() || empresa.isEmpty() || !empresa.findField("UGESPECIFICOEMPRESA"))
        return 0;
    return empresa.fieldByName("UGESPECIFICOEMPRESA")->asInteger();
}

// The situation an order takes once its sales or return order is made:
// ATSITUACAOPOSPEDIDO when it names a registered situation, else 0 (the
// order keeps its own; the default "0" names none).
inline int situacaoAposPedido()
{
    const int situacao = parametroAparado("ATSITUACAOPOSPEDIDO").toInt();
    if (situacao <= 0 ||
        CarregaNumeroInteiro("count(*)", "AATC01AS", "where ASCODIGO = " + QString::number(situacao)) == 0)
        return 0;
    return situacao;
}

// The grid's selected column is the one bound to the field.
inline bool naColuna(const host::ui::DataGrid* grade, const char* campo)
{
    const int coluna = RetornaColuna(campo, grade);
    return coluna >= 0 && coluna == grade->selectedIndex();
}

// The progress screen, when it exists, steps out of the way of the window
// opened over it; a hidden one stays hidden and shows minimised.
inline void minimizarAndamento()
{
    if (TfmAssAndamento* andamento = fmAssAndamento.get())
        andamento->setWindowState(andamento->windowState() | Qt::WindowMinimized);
}

}  // namespace ordem_servico
