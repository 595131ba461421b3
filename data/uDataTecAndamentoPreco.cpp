// Pricing and time of a service line: the seconds between two times, the
// hour-type pricing of the worked minutes, the pricing by printed quantity,
// and the order items a service line of a remanufacture or purchase order
// inserts.

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include "host/data/Field.h"
#include "host/data/HandlerGuard.h"
#include "host/db/Database.h"

#include <cmath>

using host::data::DetachHandler;
using host::data::Field;

int SegundosEntreHorarios(const QDateTime& A, const QDateTime& B)
{
    const double a = A.isValid() ? host::data::dateTimeToDays(A) : 0;
    const double b = B.isValid() ? host::data::dateTimeToDays(B) : 0;
    // nearbyint rounds half to even in the default rounding mode.
    int segundos = static_cast<int>(std::nearbyint((a - b) * 24 * 60 * 60));
    if (b > a)
        segundos += 86400;
    return segundos;
}

namespace {

// The price of the hour in which minutes beyond `horas` whole hours fall.
double precoDaHora(const TdmTec& tec, int horas)
{
    switch (horas) {
    case 0: return tec.quOSAndamentoAHHORA1->asFloat();
    case 1: return tec.quOSAndamentoAHHORA2->asFloat();
    case 2: return tec.quOSAndamentoAHHORA3->asFloat();
    case 3: return tec.quOSAndamentoAHHORA4->asFloat();
    default: return tec.quOSAndamentoAHHORA5->asFloat();
    }
}

// The first `horas` whole hours, each at its own price; every hour after the
// fifth at the fifth's.
double precoDasHoras(const TdmTec& tec, int horas)
{
    double valor = 0;
    for (int hora = 0; hora < horas && hora < 5; ++hora)
        valor += precoDaHora(tec, hora);
    if (horas > 5)
        valor += tec.quOSAndamentoAHHORA5->asFloat() * (horas - 5);
    return valor;
}

double fatorDesconto(const TdmTec& tec)
{
    return 1 - tec.quOSAndamentoAADESCONTO->asFloat() / 100;
}

}  // namespace

void TdmTec::OSAndamentoCalculaTotalItem()
{
    const int minutos = quOSAndamentoAATOTAL->asInteger();
    int horas = minutos / 60;
    const int resto = minutos % 60;
    double valor = 0;
    if (resto > 0) {
        const QString tipo = quOSAndamentoAHTIPO->asString();
        if (tipo == "E")
            valor = Trunc2Casas(precoDaHora(*this, horas) / 60 * resto);   // exact: the minutes at their hour's price
        else if (tipo == "C")
            ++horas;   // rounded up to a whole hour
        // "B": the minutes are dropped
    }
    valor += precoDasHoras(*this, horas);
    if (valor > 0)
        quOSAndamentoAAVALORTOTAL->setAsFloat(Trunc2Casas(valor * fatorDesconto(*this)));
    else   // no minutes or no hour prices: quantity times unit value
        quOSAndamentoAAVALORTOTAL->setAsFloat(Trunc2Casas(
            quOSAndamentoAAQUANTIDADE->asFloat() * quOSAndamentoAAVALOR->asFloat() * fatorDesconto(*this)));
    quOSAndamentoAAVALORTOTALREQUERIDO->setAsFloat(quOSAndamentoAAQUANTIDADEREQUERIDA->asFloat() *
                                                   quOSAndamentoAAVALOR->asFloat());
}

// The printed quantity is the number of hours, at the first hour's price.
// A stored line whose priced values did not change keeps what it has (a
// total adjusted by hand stays).
void TdmTec::precificarPorQuantidadeImpressa()
{
    std::unique_ptr<host::data::Query> gravada = CriarIbQuery();
    gravada->setSql("select aaQuantidade, AADESCONTO, AHCODIGO, AAQUANTIDADEIMPRESSA, AAVALOR from AATC01AA"
                    " where AOCODIGO = " + quOSAOCODIGO->asString() + " and AACODIGO = " +
                    quOSAndamentoAACODIGO->asString());
    gravada->open();
    bool igual = !gravada->isEmpty();
    const std::pair<const char*, Field*> comparados[] = {
        {"AAQUANTIDADE", quOSAndamentoAAQUANTIDADE}, {"AADESCONTO", quOSAndamentoAADESCONTO},
        {"AHCODIGO", quOSAndamentoAHCODIGO},         {"AAQUANTIDADEIMPRESSA", quOSAndamentoAAQUANTIDADEIMPRESSA},
        {"AAVALOR", quOSAndamentoAAVALOR}};
    for (const auto& [coluna, campo] : comparados)
        igual = igual && gravada->fieldByName(QString::fromLatin1(coluna))->asFloat() == campo->asFloat();
    gravada->close();
    if (igual)
        return;
    const double horas = quOSAndamentoAAQUANTIDADEIMPRESSA->asFloat();
    const double primeiraHora = quOSAndamentoAHHORA1->asFloat();
    quOSAndamentoAAVALOR->setAsFloat(primeiraHora);
    quOSAndamentoAATOTAL->setAsFloat(horas * 60);   // rounded to whole minutes by the field
    quOSAndamentoAAQUANTIDADE->setAsFloat(1);
    quOSAndamentoAAVALORTOTAL->setAsFloat(Trunc2Casas(horas * primeiraHora * fatorDesconto(*this)));
}

bool TdmTec::InserirItensPeloServico(double Quantidade, const QString& Produto, const QString& Especie,
                                     int Sequencia)
{
    if (MostraPergunta("Deseja inserir itens desse serviço?", {"Sim", "Não"}) != "Sim")
        return false;
    // The items carry their own key and need none of the item save's checks.
    DetachHandler semAntes(quOSItem->beforePost);
    DetachHandler semDepois(quOSItem->afterPost);
    CancelarAlteracoes(*quOSItem);
    // All the items or none.
    host::db::Savepoint itens(*dmGlobal->IBTransaction1);
    bool inserido = false;
    try {
        for (double restante = Quantidade; restante > 0; restante -= 1) {
            quOSItem->append();
            quOSItemAOITEQUIPCODIGO->setAsString("0");
            quOSItemAOITEQUIPDESCRICAO->setAsString(Produto);
            quOSItemAOITORIGINAL->setAsString("S");
            quOSItemAOITESPECIE->setAsString(Especie);
            quOSItemAOITQUANTIDADE->setAsFloat(1);
            quOSItemAACODIGO->setAsInteger(Sequencia);
            quOSItemAOITCODIGO->setAsInteger(
                CarregaNumeroInteiro("gen_id(gen_aoitcodigo,1)", "rdb$database", "", dmGlobal->quAuxiliar));
            quOSItem->post();
            inserido = true;
        }
        itens.release();
    } catch (...) {
        // The items already posted are gone from the database: read the list again.
        itens.rollback();
        CancelarAlteracoes(*quOSItem);
        quOSItem->close();
        quOSItem->open();
        throw;
    }
    return inserido;
}
