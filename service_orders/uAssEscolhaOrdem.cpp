#include "service_orders/uAssEscolhaOrdem.h"

#include "service_orders/uPesqAssOrdemServico.h"

#include <QString>

bool EscolherOrdemServicoPecas(int& aoCodigo)
{
    int equipamento = 0;
    QString descricao;
    return SelecionaOrdemServico(aoCodigo, equipamento, descricao);
}
