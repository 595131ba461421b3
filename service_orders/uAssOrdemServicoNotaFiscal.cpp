// The service-order window's sales-document button ("&Venda"): the closing
// dialog, the items' order or the menu of sales order, invoice and return
// document; the invoice of the order through the host's invoice form with
// the contract-hour credit taken first; the order numbers that open the
// host's sales-order window.

#include "service_orders/uAssOrdemServico.h"
#include "service_orders/uAssOrdemServicoComum.h"
#include "service_orders/uAssOrdemServicoFecha.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Unotafiscal.h"
#include "host/Uprincipal.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/ui/DataTextControls.h"

#include <QLineEdit>
#include <QPushButton>


namespace {

// Lowered in one statement: a change another desk made to the credit since
// the question was asked is kept. Not committed here. False when the
// contract is gone (another desk deleted it since the question).
bool GravaHoraCreditoContrato(int contrato, double minutos)
{
    return host::db::executeSql(*dmGlobal->IBTransaction1,
                                "update AATC05AC set ACHORACREDITO = coalesce(ACHORACREDITO, 0) - :MINUTOS"
                                " where ACCODIGO = :CONTRATO",
                                {{"MINUTOS", minutos}, {"CONTRATO", contrato}}) > 0;
}

// The authorised chargeable minutes of the order's items under the contract.
double minutosDoContratoNaOS(int ordem, int contrato)
{
    return CarregaNumero("Sum(Serv.AaTotal)", "Aatc01AA Serv",
                         "join aatc01aoit it on (serv.aoitcodigo = it.aoitcodigo)"
                         " where serv.aocodigo = " +
                             QuotedStr(QString::number(ordem)) +
                             " and serv.aaAutorizado = 'S' and serv.aaTipo = '3' and it.accodigo = " +
                             QString::number(contrato));
}

void abrirPedidoNaJanelaDeVendas(const QString& pedido)
{
    if (pedido.trimmed().isEmpty())
        return;
    if (fmPrincipal)
        fmPrincipal->miPedidoVenda->click();
    dmGlobal->CarregaPedidoVenda(pedido);
}

void fecharJanelaOSAposNota()
{
    if (TfmAssOrdemServico* tela = fmAssOrdemServico.get())
        tela->close();
}

}  // namespace

void TfmAssOrdemServico::bbPedidoVendaClick()
{
    if (parametro("ATIMPRIMECOMPROVANTEOS") == "S" && parametro("ATMODOFECHAMENTOOS") != "R") {
        SelecionaFechamentoOS();
        return;
    }
    if (dmTec->quOSOFCODIGO->asString().trimmed().isEmpty())
        dmGlobal->MostraErro("Informe uma operação válida");
    if (parametro("ATMODOFATURAMENTOOS") == "5") {
        QString pedido;
        OSEmissaoPedidoItens(true, pedido);
        return;
    }
    const QString escolha = MostraPergunta("Selecione a opção desejada:\r1)Pedido de Venda\r2)Nota Fiscal\r"
                                           "3)Nota de Devolução dos Equipamentos",
                                           {"1)Venda", "2)Nota", "3)Devolução", "Cancelar"});
    if (escolha == "1)Venda") {
        const QString tela = parametro("ATOPCAOTELAOS");
        QString despesas;
        OSEmissaoPedidoVenda(tela != "V" && tela != "1", true, false, sAuxiliarGeral, despesas);
    } else if (escolha == "2)Nota") {
        OSEmissaoNotaFiscal();
    } else if (escolha == "3)Devolução") {
        OSEmissaoPedidoDevolucao();
    }
}

void TfmAssOrdemServico::dbtePedidoVendasClick()
{
    abrirPedidoNaJanelaDeVendas(dmTec->quOSVECODIGO->asString());
}

void TfmAssOrdemServico::dbtePedidoVendaServicoClick()
{
    abrirPedidoNaJanelaDeVendas(dmTec->quOSVECODIGOSERVICO->asString());
}

void TfmAssOrdemServico::AbaterHorasCreditoDoServicoNoContrato(int ServiceOrderCode)
{
    if (parametro("ATUTILIZACONTRATOS") != "S")
        return;
    std::unique_ptr<host::data::Query> itens = CriarIbQuery("quItensContrato");
    itens->setSql("select AOITEQUIPCODIGO, ACCODIGO from AATC01AOIT where AOCODIGO = :AOCODIGO order by ACCODIGO");
    itens->paramByName("AOCODIGO")->setAsInteger(ServiceOrderCode);
    itens->open();
    int anterior = 0;
    for (itens->first(); !itens->eof(); itens->next()) {
        const int contrato = itens->fieldByName("ACCODIGO")->asInteger();
        // Items without a contract have no credit to take from.
        if (contrato == anterior || contrato == 0)
            continue;
        anterior = contrato;
        const double minutos = minutosDoContratoNaOS(ServiceOrderCode, contrato);
        if (MostraPergunta("Tem certeza que deseja abater " + QString::number(minutos, 'g', 15) +
                               " minutos, do contrato " + QString::number(contrato) +
                               "\rreferente as horas dos serviços executados nesta OS?",
                           {"Sim", "Não"}) == "Sim" &&
            !GravaHoraCreditoContrato(contrato, minutos))
            dmGlobal->MostraAviso("O contrato " + QString::number(contrato) +
                                  " não existe mais (excluído por outro usuário); os " +
                                  QString::number(minutos, 'g', 15) + " minutos não foram abatidos.");
    }
}

void OSEmissaoNotaFiscal()
{
    TfmAssOrdemServico* tela = fmAssOrdemServico.get();
    if (!tela)
        return;
    QString servico, despesas;
    const QString principal = tela->OSEmissaoPedidoVenda(false, false, false, servico, despesas);
    tela->AbaterHorasCreditoDoServicoNoContrato(dmTec->quOSAOCODIGO->asInteger());
    dmGlobal->EnviaPedidoFilaAbreNota(principal);
    const QString pagadorServico = dmTec->quOSCLCODIGOCOBRANCASERVICO->asString().trimmed();
    tela->hide();
    try {
        auto* nota = new TfmNotaFiscal(fmPrincipal);
        fmNotaFiscal = nota;
        const auto carregar = [nota](const QString& pedido) {
            nota->edPedido->setText(pedido);
            nota->sbCarregaPedido->click();
        };
        carregar(principal);
        // With the progress screen open the user issues the invoice himself.
        const bool andamento = fmAssAndamento.get() != nullptr;
        ordem_servico::minimizarAndamento();
        nota->showNonModal();
        if (!andamento)
            nota->GerarNotaFiscal(false);
        const QString primeira = nota->edDocumento->text();
        dmGlobal->PVLacoGravacaoItem();
        // Without a separate service order its number is the main one,
        // already invoiced above.
        if (!pagadorServico.isEmpty() && !servico.trimmed().isEmpty() && servico != principal) {
            dmGlobal->EnviaPedidoFilaAbreNota(servico);
            carregar(servico);
            if (!andamento) {
                nota->GerarNotaFiscal(false);
                dmGlobal->IBTransaction1->commitRetaining();
            }
            nota->NFSelecionaLote(primeira, nota->edDocumento->text(), {}, nota->edSerie->text());
        }
    } catch (...) {
        fecharJanelaOSAposNota();
        throw;
    }
    fecharJanelaOSAposNota();
}
