#pragma once
// Small helpers shared by the units of the service-order window.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"

namespace ordem_servico {

inline QString parametro(const char* nome) { return dmGlobal->Parametro(nome); }

// The company-specific code of the host's company record (0 without one).
inline int empresaEspecifica()
{
    host::data::Query& empresa = *dmGlobal->quEmpresa;
    if (!empresa.active() || empresa.isEmpty() || !empresa.findField("UGESPECIFICOEMPRESA"))
        return 0;
    return empresa.fieldByName("UGESPECIFICOEMPRESA")->asInteger();
}

// The grid's selected column is the one bound to the field.
inline bool naColuna(const host::ui::DataGrid* grade, const char* campo)
{
    const int coluna = RetornaColuna(campo, grade);
    return coluna >= 0 && coluna == grade->selectedIndex();
}

}  // namespace ordem_servico
