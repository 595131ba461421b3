#include "service_orders/uAssEscolhaOrdem.h"

#include <stdexcept>

bool EscolherOrdemServicoPecas(int& aoCodigo)
{
    (void)aoCodigo;
    // The order search is not part of this build yet: say so rather than
    // act as if the user had cancelled.
    throw std::runtime_error("A pesquisa de ordens de serviço não está disponível.");
}
