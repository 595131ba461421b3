// The totals of a service order's header: the sums of its lines, written into
// quOS, and the grand total chosen by ATFORMULATOTALOS. The sums run in SQL,
// whatever the number of lines: one statement for every kind of line when the
// header is totalled, one for the kind of line just saved.

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/FaixaDigitada.h"
#include "host/Uglobal.h"
#include "host/data/HandlerGuard.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

using host::data::Dataset;
using host::data::DatasetState;
using host::data::DetachHandler;
using host::data::Field;
using host::data::Query;

namespace {

QString modoTotal()
{
    return parametroAparado("ATFORMULATOTALOS");
}

TdmTec& modulo()
{
    if (!dmTec)
        throw std::logic_error("dmTec não foi criado");
    return *dmTec;
}

// Outside mode "T" only the lines the customer authorised and that carry no
// warranty ("3 - Sem Garantia") count; the condition is a further SQL line.
QString condicaoContagemFixa(const QString& prefixo, const QString& separadorTipo)
{
    return "\n and " + prefixo + "autorizado= 'S' and " + prefixo + "tipo" + separadorTipo + "'3'";
}

QString condicaoContagem(const QString& prefixo, const QString& separadorTipo)
{
    if (modoTotal() == "T")
        return {};
    return condicaoContagemFixa(prefixo, separadorTipo);
}

// The order asked for becomes quOS's row when it is not already.
void carregarOrdem(TdmTec& tec, int aoCodigo)
{
    if (!tec.quOS->active() || tec.quOSAOCODIGO->asInteger() != aoCodigo)
        CarregaOrdemServico(aoCodigo);
}

double somaDe(Query& consulta, const char* coluna)
{
    return consulta.fieldByName(QString::fromLatin1(coluna))->asFloat();
}

struct SomaLinhas {
    double total = 0, totalRequerido = 0, totalIPI = 0;
};

// The order's key is a parameter and each sum has a query of the module's
// own, so a sum stays prepared from one order to the next.
SomaLinhas somarLinhas(Query& consulta, const QString& sql, int aoCodigo, bool comIPI)
{
    consulta.close();
    consulta.setSql(sql);
    consulta.paramByName("aocodigo")->setAsInteger(aoCodigo);
    consulta.open();
    SomaLinhas soma{somaDe(consulta, "TOTAL"), somaDe(consulta, "TOTALREQ"),
                    comIPI ? somaDe(consulta, "TOTIPI") : 0.0};
    consulta.close();
    return soma;
}

QString sqlPecas(bool comIPI, const QString& separadorTipo)
{
    return QString("select (sum(apValTotal)) as Total,  (sum(apValorTotalRequerido)) as TotalReq") +
           (comIPI ? ",  sum(APVALORIPI) as TotIPI" : "") + " from AATC01AP  where aocodigo = :aocodigo" +
           condicaoContagem("ap", separadorTipo);
}

// Run after every saved service line: its two texts are built once.
QString sqlServicos()
{
    static const QString todas = QStringLiteral("select (sum(aaValorTotal)) as Total, (sum(aaValorTotalRequerido))"
                                                " as TotalReq from AATC01AA  where aocodigo = :aocodigo");
    static const QString contadas = todas + condicaoContagemFixa("aa", " = ");
    return modoTotal() == "T" ? todas : contadas;
}

struct SomasOrdem {
    SomaLinhas pecas, servicos;
    double despesasDiversas = 0, despesasViagem = 0, projeto = 0;
};

// Every kind of line of the order summed by one statement (over a network
// each statement is an exchange with the server): the parts' and the
// services' sums with the lines that count, the expenses' and the project's.
QString sqlTodasAsSomas()
{
    static const QString expressoes =
        QStringLiteral("select P.TOTAL as PECAS, P.TOTALREQ as PECASREQ, P.TOTIPI as PECASIPI,"
                       " S.TOTAL as SERVICOS, S.TOTALREQ as SERVICOSREQ,"
                       " (select sum(AxValor) from AATC01AX where AOCODIGO = :aocodigo) as DIVERSAS,"
                       " (select sum(avValorTotal) from AATC01AV where AOCODIGO = :aocodigo) as VIAGEM,"
                       " (select sum(aqValorTotal) from AATC01AQ where AOCODIGO = :aocodigo) as PROJETO");
    return expressoes + " from (" + sqlPecas(true, " = ") + ") P cross join (" + sqlServicos() + ") S";
}

SomasOrdem somarOrdem(TdmTec& tec, int aoCodigo)
{
    Query& consulta = tec.ConsultaPropria("quSomasOrdem");
    consulta.close();
    consulta.setSql(sqlTodasAsSomas());
    consulta.paramByName("aocodigo")->setAsInteger(aoCodigo);
    consulta.open();
    SomasOrdem somas;
    somas.pecas = {somaDe(consulta, "PECAS"), somaDe(consulta, "PECASREQ"), somaDe(consulta, "PECASIPI")};
    somas.servicos = {somaDe(consulta, "SERVICOS"), somaDe(consulta, "SERVICOSREQ"), 0.0};
    somas.despesasDiversas = somaDe(consulta, "DIVERSAS");
    somas.despesasViagem = somaDe(consulta, "VIAGEM");
    somas.projeto = somaDe(consulta, "PROJETO");
    consulta.close();
    return somas;
}

// One kind of line into the header: the guard is detached for this edit
// alone, and the header is posted with its new grand total.
void gravarParcial(TdmTec& tec, Field* total, Field* totalRequerido, const SomaLinhas& soma)
{
    DetachHandler semGuarda(tec.quOS->beforeEdit);
    tec.quOS->edit();
    total->setAsFloat(soma.total);
    totalRequerido->setAsFloat(soma.totalRequerido);
    OSAtualizaValorTotalCorrrente();
    tec.quOS->post();
}

// The sums into quOS's header fields and its grand total.
void gravarTotais(TdmTec& tec, const SomaLinhas& pecas, const SomaLinhas& servicos, double despesasDiversas,
                  double despesasViagem, double projeto);

}  // namespace

void OrdemServicoAtualizaTotalizador(int aoCodigo)
{
    TdmTec& tec = modulo();
    carregarOrdem(tec, aoCodigo);
    // An order that does not exist has no header to write into: editing an
    // empty quOS would append a blank order instead.
    if (semCabecalho(tec))
        return;
    DetachHandler semBeforePost(tec.quOS->beforePost);

    const SomasOrdem somas = somarOrdem(tec, aoCodigo);
    if (tec.quOS->state() == DatasetState::Browse)
        tec.quOS->edit();   // through the edit guard
    gravarTotais(tec, somas.pecas, somas.servicos, somas.despesasDiversas, somas.despesasViagem, somas.projeto);
}

void OrdemServicoTotaisVazios()
{
    TdmTec& tec = modulo();
    gravarTotais(tec, {}, {}, 0.0, 0.0, 0.0);
}

namespace {

void gravarTotais(TdmTec& tec, const SomaLinhas& pecas, const SomaLinhas& servicos, double despesasDiversas,
                  double despesasViagem, double projeto)
{
    tec.quOSAOVALORSERVICO->setAsFloat(servicos.total);
    tec.quOSAOVALORSERVICOSREQUERIDO->setAsFloat(servicos.totalRequerido);
    tec.quOSAOVALORPECAS->setAsFloat(pecas.total);
    tec.quOSAOVALORPECASREQUERIDO->setAsFloat(pecas.totalRequerido);
    tec.quOSAODESPDIVERSAS->setAsFloat(despesasDiversas);
    tec.quOSAODESPVIAGEM->setAsFloat(despesasViagem);
    tec.quOSAOVALORPROJETO->setAsFloat(projeto);
    tec.quOSAOVALORIPI->setAsFloat(pecas.totalIPI);
    OSAtualizaValorTotalCorrrente();
}

}  // namespace

void AtualizarOSCorrentePecas(int aoCodigo, const QString& tabela, bool bFechar)
{
    TdmTec& tec = modulo();
    carregarOrdem(tec, aoCodigo);
    const QString nome = tabela.toUpper();
    if (!semCabecalho(tec) && (nome == "AATC01AP" || nome == "AATC01AA")) {
        DetachHandler semBeforePost(tec.quOS->beforePost);
        // A failure to write the parts total reaches the caller as the
        // services' does: swallowing it left the header's totals behind the
        // lines with nobody told.
        if (nome == "AATC01AP")
            gravarParcial(tec, tec.quOSAOVALORPECAS, tec.quOSAOVALORPECASREQUERIDO,
                          somarLinhas(tec.ConsultaPropria("quSomaPecasParcial"), sqlPecas(false, "= "), aoCodigo,
                                      false));
        else
            gravarParcial(tec, tec.quOSAOVALORSERVICO, tec.quOSAOVALORSERVICOSREQUERIDO,
                          somarLinhas(tec.ConsultaPropria("quSomaServicos"), sqlServicos(), aoCodigo, false));
    }
    if (bFechar)
        tec.quOS->close();
}

void OSAtualizaValorTotalCorrrente()
{
    TdmTec& tec = modulo();
    auto valor = [](const Field* campo) { return static_cast<long double>(campo->asFloat()); };
    const QString modo = modoTotal();
    long double total = 0;
    if (modo == "P") {
        total = valor(tec.quOSAOVALORPECAS) + valor(tec.quOSAOVALORSERVICO);
    } else {
        total = valor(tec.quOSAODESPVIAGEM);
        if (modo != "0")
            total += valor(tec.quOSAODESPDIVERSAS);
        total = total + valor(tec.quOSAOVALORPECAS) + valor(tec.quOSAOVALORSERVICO) - valor(tec.quOSAODESCONTO) -
                valor(tec.quOSAODESCONTOPECA) - valor(tec.quOSAODESCONTOSERVICO) + valor(tec.quOSAOVALORPROJETO) +
                valor(tec.quOSAOVALORIPI);
    }
    tec.quOSAOVALORTOTAL->setAsFloat(static_cast<double>(total));
}

void ExigeDescontoAteOTotalOS(double totalAntes)
{
    TdmTec& tec = modulo();
    if (modoTotal() == "P")
        return;   // no discount enters that total
    const double descontos =
        tec.quOSAODESCONTO->asFloat() + tec.quOSAODESCONTOPECA->asFloat() + tec.quOSAODESCONTOSERVICO->asFloat();
    const double total = tec.quOSAOVALORTOTAL->asFloat();
    // An order stored below zero before this rule may still be saved, as
    // long as it does not fall further.
    if (std::llround(total * 100) >= std::min(0LL, std::llround(totalAntes * 100)))
        return;
    dmGlobal->MostraAviso(host::RecusaDescontoAteOValor(descontos, total + descontos,
                                                        "Desconto da ordem de serviço " + tec.quOSAOCODIGO->asString()),
                          true);
}

// A discount typed into the header changes the grand total at once, by the
// same formula as every re-total (the project value stays in it).
void TdmTec::quOSAODESCONTOChange(Field&)
{
    OSAtualizaValorTotalCorrrente();
}

bool semCabecalho(const TdmTec& tec)
{
    return !tec.quOS->active() ||
           (tec.quOS->state() == host::data::DatasetState::Browse && tec.quOS->isEmpty());
}
