// LancaOrdemServico, the host's call for service orders made without the
// service-order window: the periodic orders of contracts (automatic), the
// removal of a stock document's orders (code -123) and the orders of a
// stock document's items (any other call). The modes are in
// data/uDataTecOSAutomatica.h; the routine has no unit-qualified name.

#include "module/uPackageAss.h"

#include "data/uDataTecOSAutomatica.h"
#include "host/Udmglobal.h"

namespace {
constexpr int kCodigoExclusao = -123;
}

extern "C" void LancaOrdemServico(int codigo, const QString& cliente, const QString& serie, const QString& local,
                                  const QString& operacao, const QString& documento, const QString& produto,
                                  const QDateTime& dataDocumento, bool automatico)
{
    const QString origem = "[LancaOrdemServico]";
    dmGlobal->Log(origem, "***INICIO");
    uPackageAss::CriarDataTec();
    const uDataTecOSAutomatica::DocumentoEstoque doc{cliente, serie, local, operacao, documento};
    if (automatico)
        uDataTecOSAutomatica::LancarOrdensContratos();
    else if (codigo == kCodigoExclusao)
        uDataTecOSAutomatica::ExcluirOrdensDocumento(doc);
    else
        uDataTecOSAutomatica::LancarOrdensDocumento(doc, codigo, produto, dataDocumento);
    dmGlobal->Log(origem, "***FIM");
}
