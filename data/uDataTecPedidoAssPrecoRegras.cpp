// The money values of a requested line (quAssVendaItem) typed or changed by
// the user: the unit price against the company's rules on lowering it, the
// discount, the IPI rate, the two IPI-inclusive values that may be typed
// instead of the price, and the line's IPI amount. The line total's own
// change rule is kept out of what these write.

#include "data/uDataTec.h"
#include "data/uDataTecPedidoAss.h"
#include "data/uDataTecPedidoAssPreco.h"

#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/UdmglobalPrecos.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Format.h"
#include "host/data/HandlerGuard.h"

#include <cmath>

using host::data::DetachHandler;
using host::data::Field;

namespace {

// Prices are compared in whole cents, so 99.99 typed is below 100.00 and
// 100.00 typed never is, whatever the binary doubles hold.
qint64 centavosPreco(double valor)
{
    return std::llround(valor * 100);
}

const QString kValorMenor = QStringLiteral("Nos Dados da Empresa está configurado para não permitir alteração de valor para menos!");

}  // namespace

double TdmTec::PVAssPrecoReferenciaItem()
{
    if (campoItem("VEITPROMOCAO").asString() == "S")
        return CarregaNumero("PRPRECOPROMOCIONAL", "acec1101",
                             "where codigo = " + QuotedStr(campoItem("CODIGO").asString()));
    if (parametro("ATTABELAPRECOITEM") == "M")
        return campoItem("VEITVALORORIGINAL").asFloat();
    return campoItem("PCO_VENDA").asFloat();
}

void TdmTec::PVAssVerificaValorDigitado(double digitado)
{
    const double referencia = PVAssPrecoReferenciaItem();
    const bool menor = centavosPreco(digitado) < centavosPreco(referencia);
    const QString regra = parametro("ATREGRAVALORITEM");
    const QString grupo = campoItem("GRUPO").asString();
    if (regra == "T" && !grupo.isEmpty()) {
        const QString tipo = CarregaDado("GRTIPOVENDA", "ACEC1201", "Where Codigo=" + QuotedStr(grupo));
        if (tipo == "P")
            dmGlobal->MostraErro("Nos Dados da Empresa está configurado para não permitir alteração de valor!");
        if (tipo == "N" && menor)
            dmGlobal->MostraErro(kValorMenor);
        return;
    }
    if (UsuarioMestre() || !menor)
        return;
    if (regra == "M" || parametro("ATVALORMENORITEM") == "N")
        dmGlobal->MostraErro(kValorMenor);
    if (regra == "A") {
        QString senha;
        if (!SelecionaSenha("Senha para valor menor",
                            "Informe a senha para permitir venda de itens com valor menor que o permitido:", senha))
            host::abortOperation();
        if (senha != parametro("ATSENHAVALORMENOR"))
            dmGlobal->MostraErro("Senha inválida.");
    }
}

void TdmTec::quAssVendaItemVALORSetText(Field& Sender, const QString& Text)
{
    DetachHandler semTotal(campoItem("TOTAL_UNIT").onChange);
    try {
        double digitado = 0;
        if (!host::data::parseFloatText(Text, digitado))
            host::abortOperation();
        PVAssVerificaValorDigitado(digitado);
        Sender.setAsFloat(digitado);
        PVVerificaItemFreteAcrescimo(Sender.asFloat(), campoItem("VEITVALORORIGINAL").asFloat(),
                                     campoPedido("CIDADE").asString(), campoPedido("VEREDESPACHOTIPO").asString(),
                                     campoPedido("CODIG_TRANSPORTADORA").asString(),
                                     campoPedido("RCCODIGOREDESPACHO").asString());
        const double valor = Sender.asFloat();
        const double desconto = campoItem("DESCONTO").asFloat();
        campoItem("VEITVALORCOMDESCONTO").setAsFloat(desconto != 0 ? Trunc2Casas(valor * (1 - desconto / 100)) : valor);
        PVAssValorComIPIItem(pedidoass::valorComIPI(valor, campoItem("IPI").asFloat()));
        // The line's total follows the new price as the save will compute it,
        // not only once the line is stored.
        PVAssVerificaValorTotalItem();
    } catch (...) {
        dmGlobal->MostraAviso("Valor Unitário Inválido.", true);
    }
}

void TdmTec::quAssVendaItemDESCONTOSetText(Field& Sender, const QString& Text)
{
    if (parametro("ATDESCONTODIGITAVEL") != "S")
        return;
    double desconto = 0;
    if (!host::data::parseFloatText(Text, desconto))
        dmGlobal->MostraErro(QStringLiteral("Valor %s inválido.").replace("%s", Text));
    Sender.setAsFloat(desconto);
}

void TdmTec::quAssVendaItemDESCONTOChange(Field&)
{
    const double quantidade = campoItem("QUANTIDADE").asFloat();
    const double valor = campoItem("VALOR").asFloat();
    if (!(quantidade > 0 && valor > 0))
        return;
    DetachHandler semTotal(campoItem("TOTAL_UNIT").onChange);
    const double desconto = campoItem("DESCONTO").asFloat();
    double total = valor * quantidade;
    if (desconto != 0) {
        total = Trunc2Casas(total * (1 - desconto / 100));
        campoItem("VEITVALORCOMDESCONTO").setAsFloat(valor * (1 - desconto / 100));
    }
    campoItem("TOTAL_UNIT").setAsFloat(total);
}

void TdmTec::quAssVendaItemIPIChange(Field&)
{
    const double valor = campoItem("VALOR").asFloat();
    const double ipi = campoItem("IPI").asFloat();
    if (ipi > 0)
        campoItem("VEITVALORIPISEMDESCONTO").setAsFloat(pedidoass::valorComIPI(valor, ipi));
    PVAssValorComIPIItem(pedidoass::valorComIPI(valor, ipi));
    PVAssValorIPIItem();
}

void TdmTec::quAssVendaItemVEITVALORUNITARIOIPIChange(Field& Sender)
{
    DetachHandler semRegra(Sender.onChange);
    const double comIPI = Sender.asFloat();
    const double ipi = campoItem("IPI").asFloat();
    if (ipi > 0 && comIPI > 0)
        campoItem("VALOR").setAsFloat(comIPI / (ipi / 100 + 1));
    else if (comIPI > 0)
        campoItem("VALOR").setAsFloat(comIPI);
}

// The discount that brings the price with IPI down to the typed value. The
// IPI is taken out first: the typed value has it, the discount applies to
// the price without it.
void TdmTec::quAssVendaItemVEITVALORCOMIPIDESCONTOChange(Field& Sender)
{
    const double digitado = Sender.asFloat();
    const double valor = campoItem("VALOR").asFloat();
    if (parametro("ATDESCONTOPELOVALOR") != "C" || !(digitado > 0) || !(valor > 0))
        return;
    const double comIPI = pedidoass::valorComIPI(valor, campoItem("IPI").asFloat());
    campoItem("DESCONTO").setAsFloat((comIPI - digitado) * (100 / comIPI));
}

// The price with IPI of the line, written without running its own rule
// (which would give back a price recomputed through a division).
void TdmTec::PVAssValorComIPIItem(double valor)
{
    Field& comIPI = campoItem("VEITVALORUNITARIOIPI");
    DetachHandler semRegra(comIPI.onChange);
    comIPI.setAsFloat(valor);
}

// VEITVALORIPI holds the line's IPI amount (what the order's IPI total sums
// when taxes are kept per line): the line total times the rate, in cents.
void TdmTec::PVAssValorIPIItem()
{
    const double ipi = campoItem("IPI").asFloat();
    const double valorIPI = ipi > 0 ? std::round(campoItem("TOTAL_UNIT").asFloat() * ipi) / 100 : 0;
    if (campoItem("VEITVALORIPI").asFloat() != valorIPI)
        campoItem("VEITVALORIPI").setAsFloat(valorIPI);
}
