#pragma once
// The service-order picker as the parts windows use it: true with the
// chosen order, false when the user cancelled.

bool EscolherOrdemServicoPecas(int& aoCodigo);
