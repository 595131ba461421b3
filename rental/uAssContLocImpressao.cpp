// The print button of the two rental registers: the contract, a delivery
// protocol or (equipment register) the shipment invoice.

#include "contract_data/uDataTecCont.h"
#include "data/udmRelTec.h"
#include "data/udmRelTecRelatorios.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/data/Field.h"
#include "host/data/Query.h"
#include "rental/uAssCheckoutProtocolo.h"
#include "rental/uAssContLocEquipCad.h"
#include "rental/uAssContLocNotaRemessa.h"
#include "rental/uAssContratoLocEquip.h"
#include "rental/uAssContLocacao.h"

void TfmAssContCadLocEquip::btImprimirClick()
{
    const QString escolha =
        parametroLoc("ATMODOPEDIDOASSISTENCIA") == "E"
            ? MostraPergunta("Deseja Imprimir Contrato de Locação ou Nota Fiscal?", {"Contrato", "Nota Fiscal"})
            : MostraPergunta("Selecione o Tipo de Documento que deseja imprimir:",
                             {"Contrato", "Nota Fiscal", "Protocolo", "Cancelar"});
    const int codigo = codigoContrato();
    if (escolha == "Contrato") {
        dmTecContrato->CarregaContratoParcelaLocEquip(codigo, contrato().fieldByName("ACVINCULO")->asString());
        VisualizarContratoLocacaoEquipamentos(codigo);
    } else if (escolha == "Protocolo") {
        const QString modelo = MostraPergunta("Qual modelo de Protocolo deseja imprimir?", {"Entrega", "Retirada"});
        VisualizarProtocoloEntregaContrato(codigo, modelo.trimmed());
    } else if (escolha.trimmed() == "Nota Fiscal") {
        // The header is saved first, as the save button does.
        if (contrato().active() && !contrato().isEmpty()) {
            contrato().edit();
            btSalvarClick();
        }
        EmitirNotaFiscalRemessaLocacao();
    }
}

void TfmAssContLocacao::btImprimirClick()
{
    const QString escolha =
        MostraPergunta("Selecione o tipo de documento que deseja imprimir:", {"Contrato", "Protocolo", "Cancelar"});
    if (escolha == "Contrato") {
        carregarImpressao();
        DmRelTec->frxContrato->ShowReport();
    } else if (escolha == "Protocolo") {
        // Both models print the delivery of the equipment.
        MostraPergunta("Qual modelo de Protocolo deseja imprimir?", {"Entrega", "Devolução"});
        carregarImpressao();
        DmRelTec->frxEntregaEquipamentos->ShowReport();
    }
}

void TfmAssContLocacao::carregarImpressao()
{
    carregarEquipamentos();
    dmGlobal->CarregaCliente(contrato().fieldByName("CLCODIGO")->asString());
}
