// The self-test: every class of the module through the host's form tester.

#include "module/uPackageAss.h"

#include "module/uPackageAssDados.h"

#include "data/uDataTec.h"
#include "data/udmRelTec.h"
#include "host/Utesteautomatizado.h"
#include "contracts/uAssBasicoContratos.h"
#include "contracts/uAssBasicoContratosFaturamento.h"
#include "contracts/uAssBasicoContratosImp.h"
#include "contracts/uAssCadMedidor.h"
#include "contracts/uAssContCad.h"
#include "contracts/uAssContCadCM.h"
#include "contracts/uAssContCadIt.h"
#include "contracts/uAssContFat.h"
#include "contracts/uAssContObj.h"
#include "contracts/uAssContReajustarValor.h"
#include "contracts/uPesqAssContratos.h"
#include "rental/uAssCheckout.h"
#include "rental/uAssCheckoutConsulta.h"
#include "rental/uAssCheckoutProtocolo.h"
#include "rental/uAssContAditivo.h"
#include "rental/uAssContFatLocEquip.h"
#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssContLocRel.h"
#include "rental/uAssContLocacao.h"
#include "rental/uAssContRenovacao.h"
#include "rental/uAssContratoLocEquip.h"
#include "rental/uAssEntradaEquip.h"
#include "rental/uAssEquipamentoLocacao.h"
#include "rental/uAssImpProposta.h"
#include "rental/uAssVendas.h"
#include "rental/uAssVendasImp.h"
#include "rental/uAssVendasImp2.h"
#include "rental/uPesqAssContratosLocEquip.h"
#include "service_orders/uAssAndamento.h"
#include "service_orders/uAssBaixaPecas.h"
#include "service_orders/uAssClienteXEquipImp.h"
#include "service_orders/uAssConferenciaAcessorios.h"
#include "service_orders/uAssDefeito.h"
#include "service_orders/uAssEquipamento.h"
#include "service_orders/uAssFaturamento.h"
#include "service_orders/uAssFilaAtendimento.h"
#include "service_orders/uAssHoraTecnica.h"
#include "service_orders/uAssOSAndamento.h"
#include "service_orders/uAssOSColetaImp.h"
#include "service_orders/uAssOSComprasCliente.h"
#include "service_orders/uAssOSComprovante.h"
#include "service_orders/uAssOSComprovanteEqto.h"
#include "service_orders/uAssOSEtiquetas.h"
#include "service_orders/uAssOSHistorico.h"
#include "service_orders/uAssOSHistoricoOficina.h"
#include "service_orders/uAssOSHistoricoOficinaNA.h"
#include "service_orders/uAssOSLaudo.h"
#include "service_orders/uAssOSOrcamento.h"
#include "service_orders/uAssOSOrcamentoCompleto.h"
#include "service_orders/uAssOSPesquisaFic.h"
#include "service_orders/uAssOSPesquisaRel.h"
#include "service_orders/uAssOSRecibo.h"
#include "service_orders/uAssOSSelecaoRel.h"
#include "service_orders/uAssOSSelecaoRelImp.h"
#include "service_orders/uAssOSSelecaoSituacaoRel.h"
#include "service_orders/uAssOSTotalCliImp.h"
#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoCusto.h"
#include "service_orders/uAssOrdemServicoFecha.h"
#include "service_orders/uAssOrdemServicoHora.h"
#include "service_orders/uAssSituacao.h"
#include "service_orders/uAssSituacaoTroca.h"
#include "service_orders/uAssSolicitacao.h"
#include "service_orders/uAssTecnico.h"
#include "shared_windows/uPesqAssDefeitos.h"
#include "shared_windows/uPesqAssEquipamento.h"
#include "service_orders/uPesqAssOrdemServico.h"
#include "service_orders/uPesqAssOrdemServicoSimples.h"
#include "service_orders/uSolicitacaoEntregas.h"

#include "contract_data/uDataTecCont.h"

namespace uPackageAss {

void ExecutarAutomatizacaoDeTeste()
{
    TFmTesteAutomatizado& teste = *FmTesteAutomatizado.create();
    teste.Iniciar();
    teste.TestaForm("TdmTec", dmTec, false);
    teste.TestaForm("TdmTecContrato", dmTecContrato, false);
    teste.TestaForm("TDmRelTec", DmRelTec, false);
    teste.TestaForm("TfmAssAndamento", fmAssAndamento, true);
    teste.TestaForm("TfmAssBaixaPecas", fmAssBaixaPecas, true);
    teste.TestaForm("TfmAssBasicoContratos", fmAssBasicoContratos, true);
    teste.TestaForm("TfmAssBasicoContratosFaturamento", fmAssBasicoContratosFaturamento, true);
    teste.TestaForm("TqrAssBasicoContratosImp", qrAssBasicoContratosImp, true);
    teste.TestaForm("TfmAssCadMedidor", fmAssCadMedidor, true);
    teste.TestaForm("TfmAssCheckout", fmAssCheckout, true);
    teste.TestaForm("TfmAssCheckoutConsulta", fmAssCheckoutConsulta, true);
    teste.TestaForm("TqrAssCheckoutProtocolo", qrAssCheckoutProtocolo, true);
    teste.TestaForm("TqrAssClienteXEquipImp", qrAssClienteXEquipImp, true);
    teste.TestaForm("TfmAssConferenciaAcessorio", fmAssConferenciaAcessorio, true);
    teste.TestaForm("TfmAssContAditivo", fmAssContAditivo, true);
    teste.TestaForm("TfmAssContCad", fmAssContCad, true);
    teste.TestaForm("TfmAssContCadCM", fmAssContCadCM, true);
    teste.TestaForm("TfmAssContCadIt", fmAssContCadIt, true);
    teste.TestaForm("TfmAssContFat", fmAssContFat, true);
    teste.TestaForm("TfmAssContFatLocEquip", fmAssContFatLocEquip, true);
    teste.TestaForm("TfmAssContLocacao", fmAssContLocacao, true);
    teste.TestaForm("TfmAssContCadLocEquip", fmAssContCadLocEquip, true);
    teste.TestaForm("TfmAssContLocRel", fmAssContLocRel, true);
    teste.TestaForm("TfmAssContObj", fmAssContObj, true);
    teste.TestaForm("TqrAssContratoLocEquip", qrAssContratoLocEquip, true);
    teste.TestaForm("TfmAssContReaj", fmAssContReaj, true);
    teste.TestaForm("TfmAssContRenovacao", fmAssContRenovacao, true);
    teste.TestaForm("TfmAssDefeito", fmAssDefeito, true);
    teste.TestaForm("TfmAssEntradaEquip", fmAssEntradaEquip, true);
    teste.TestaForm("TfmAssEquipamento", fmAssEquipamento, true);
    teste.TestaForm("TfmAssEquipamentoLocacao", fmAssEquipamentoLocacao, true);
    teste.TestaForm("TfmAssFaturamento", fmAssFaturamento, true);
    teste.TestaForm("TfmAssFilaAtendimento", fmAssFilaAtendimento, true);
    teste.TestaForm("TfmAssHoraTecnica", fmAssHoraTecnica, true);
    teste.TestaForm("TqrAssImpProposta", qrAssImpProposta, true);
    teste.TestaForm("TfmAssOrdemServico", fmAssOrdemServico, true);
    teste.TestaForm("TfmAssOrdemServicoCusto", fmAssOrdemServicoCusto, true);
    teste.TestaForm("TfmAssOrdemServicoFecha", fmAssOrdemServicoFecha, true);
    teste.TestaForm("TfmAssOrdemServicoHora", fmAssOrdemServicoHora, true);
    teste.TestaForm("TqrAssOSAndamento", qrAssOSAndamento, true);
    teste.TestaForm("TqrAssOSColetaImp", qrAssOSColetaImp, true);
    teste.TestaForm("TfmAssOSComprasCliente", fmAssOSComprasCliente, true);
    teste.TestaForm("TqrAssOSComprovante", qrAssOSComprovante, true);
    teste.TestaForm("TqrAssOSComprovanteEqto", qrAssOSComprovanteEqto, true);
    teste.TestaForm("TqrAssOSEtiquetas", qrAssOSEtiquetas, true);
    teste.TestaForm("TqrAssOSHistorico", qrAssOSHistorico, true);
    teste.TestaForm("TqrAssOSHistoricoOficina", qrAssOSHistoricoOficina, true);
    teste.TestaForm("TqrAssOSHistoricoOficinaNA", qrAssOSHistoricoOficinaNA, true);
    teste.TestaForm("TfmAssOSLaudo", fmAssOSLaudo, true);
    teste.TestaForm("TqrAssOSOrcamento", qrAssOSOrcamento, true);
    teste.TestaForm("TqrAssOSOrcamentoCompleto", qrAssOSOrcamentoCompleto, true);
    teste.TestaForm("TqrAssOSPesquisaFic", qrAssOSPesquisaFic, true);
    teste.TestaForm("TqrAssOSPesquisaRel", qrAssOSPesquisaRel, true);
    teste.TestaForm("TqrAssOSRecibo", qrAssOSRecibo, true);
    teste.TestaForm("TfmAssOSSelecaoRel", fmAssOSSelecaoRel, true);
    teste.TestaForm("TqrAssOSSelecaoRelImp", qrAssOSSelecaoRelImp, true);
    teste.TestaForm("TqrAssOSSelecaoSituacaoRel", qrAssOSSelecaoSituacaoRel, true);
    teste.TestaForm("TqrAssOSTotalCliImp", qrAssOSTotalCliImp, true);
    teste.TestaForm("TfmAssSituacao", fmAssSituacao, true);
    teste.TestaForm("TfmAssSituacaoTroca", fmAssSituacaoTroca, true);
    teste.TestaForm("TfmAssSolicitacao", fmAssSolicitacao, true);
    teste.TestaForm("TfmAssTecnico", fmAssTecnico, true);
    teste.TestaForm("TfmAssVendas", fmAssVendas, true);
    teste.TestaForm("TqrAssVendasImp", qrAssVendasImp, true);
    teste.TestaForm("TqrAssVendasImp2", qrAssVendasImp2, true);
    teste.TestaForm("TfmPesquisaAssContratos", fmPesquisaAssContratos, true);
    teste.TestaForm("TfmPesquisaAssContratosLocEquip", fmPesquisaAssContratosLocEquip, true);
    teste.TestaForm("TfmPesquisaAssDefeitos", fmPesquisaAssDefeitos, true);
    teste.TestaForm("TfmPesquisaAssEquipamento", fmPesquisaAssEquipamento, true);
    teste.TestaForm("TfmPesquisaAssOrdemServico", fmPesquisaAssOrdemServico, true);
    teste.TestaForm("TfmPesquisaAssOrdemServicoSimples", fmPesquisaAssOrdemServicoSimples, true);
    teste.TestaForm("TfmSolicitacaoEntregas", fmSolicitacaoEntregas, true);
    teste.Finalizar();
}

}  // namespace uPackageAss
