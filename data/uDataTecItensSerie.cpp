// The serial number of an order item: the offer to copy the equipment of an
// earlier item with the same serial, and the manufacture date that company
// 12's serials carry in their fifth and sixth letters.

#include "data/uDataTec.h"
#include "data/uDataTecItens.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/ui/Errors.h"

#include <QDate>

#include <exception>
#include <stdexcept>

using host::data::Field;
using namespace Qt::StringLiterals;

namespace {

std::function<QDateTime()>& relogio()
{
    static std::function<QDateTime()> atual;
    return atual;
}

QString letraEm(const QString& letra, const char* const tabela[], const char* const valores[], int quantas)
{
    for (int i = 0; i < quantas; ++i)
        if (letra == QLatin1String(tabela[i]))
            return QString::fromLatin1(valores[i]);
    return {};
}

// The serials that stand for "no serial number".
bool semNumeroSerie(const QString& serie)
{
    return serie.trimmed().isEmpty() || serie == "SN" || serie == "sn" || serie == "S/N" || serie == "s/n";
}

}  // namespace

void uDataTecItens::setRelogio(std::function<QDateTime()> novo)
{
    relogio() = std::move(novo);
}

QDateTime uDataTecItens::agora()
{
    return relogio() ? relogio()() : QDateTime::currentDateTime();
}

QString RetornaAnoNumeroSerie(const QString& letra)
{
    // O is not used; I and J both stand for 2008.
    static const char* const letras[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K",
                                         "L", "M", "N", "P", "Q", "R", "S", "T", "U", "V"};
    static const char* const anos[] = {"2000", "2001", "2002", "2003", "2004", "2005", "2006",
                                       "2007", "2008", "2008", "2009", "2010", "2011", "2012",
                                       "2013", "2014", "2015", "2016", "2017", "2018", "2019"};
    return letraEm(letra, letras, anos, 21);
}

QString RetornaMesNumeroSerie(const QString& letra)
{
    // Two letters a month; I and O are not used.
    static const char* const letras[] = {"A", "B", "C", "D", "E", "F", "G", "H", "J", "K", "L", "M",
                                         "N", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
    static const char* const meses[] = {"1", "1", "2", "2", "3",  "3",  "4",  "4",  "5",  "5",  "6",  "6",
                                        "7", "7", "8", "8", "9", "9", "10", "10", "11", "11", "12", "12"};
    return letraEm(letra, letras, meses, 24);
}

void TdmTec::quOSItemAOITSERIEChange(Field& Sender)
{
    const QString serie = Sender.asString();
    copiarEquipamentoPorSerie(serie);
    informarFabricacaoPorSerie(serie);
}

void TdmTec::copiarEquipamentoPorSerie(const QString& sSerie)
{
    if (semNumeroSerie(sSerie) || parametro("ATUTILIZACONTRATOS") == u"S")
        return;
    // Read whole and closed before anything is copied: the copied code fills
    // the item from the register, which may set the serial again and run
    // this rule anew on the same query.
    const QVariantMap anterior = uDataTecItens::primeiraLinha(
        *dmGlobal->quAuxiliar,
        u"select AOITCODIGO, AOCODIGO, AOITEQUIPCODIGO, AOITEQUIPDESCRICAO, AOITMARCA, AOITMODELO, AOITDEFEITO, "
        u"AOITSERIE, AOITQUANTIDADE, AOITLOJACOMPRA, AOITDATACOMPRA, AOITCOR, AOITANOFABRICACAO, AOITKMINICIAL, "
        u"AOITPLACA, AOITCOMBUSTIVEL, AOITPOSICAOCOMBUSTIVEL, AOITFOTO, AOITNUMERONFREMESSA "
        u"from AATC01AOIT where aoitserie = :aoitserie"_s,
        {{u"aoitserie"_s, sSerie}});
    if (anterior.isEmpty())
        return;
    if (MostraPergunta("Deseja inserir o equipamento referente a este Nº de Série?", {"Sim", "Não"}) != "Sim")
        return;
    // The code first (it fills description, brand and model from the
    // register); the earlier item's own texts then win.
    quOSItemAOITEQUIPCODIGO->setAsInteger(anterior.value("AOITEQUIPCODIGO").toInt());
    for (Field* campo : {quOSItemAOITEQUIPDESCRICAO, quOSItemAOITMARCA, quOSItemAOITMODELO, quOSItemAOITCOR,
                         quOSItemAOITANOFABRICACAO, quOSItemAOITDATACOMPRA, quOSItemAOITLOJACOMPRA,
                         quOSItemAOITPLACA})
        campo->setValue(anterior.value(campo->fieldName()));
    quOSItemAOITKMINICIAL->setAsFloat(anterior.value("AOITKMINICIAL").toDouble());
    quOSItemAOITCOMBUSTIVEL->setValue(anterior.value("AOITCOMBUSTIVEL"));
    quOSItemAOITPOSICAOCOMBUSTIVEL->setValue(anterior.value("AOITPOSICAOCOMBUSTIVEL"));
}

void TdmTec::informarFabricacaoPorSerie(const QString& sSerie)
{
    if (!dmGlobal->quEmpresa->active() || dmGlobal->quEmpresa->isEmpty() || dmGlobal->quEmpresa->fieldByName("UGESPECIFICOEMPRESA")->asInteger() != 12)
        return;
    try {
        const QString serie = sSerie.toUpper();
        const QString ano = RetornaAnoNumeroSerie(serie.mid(4, 1));
        const QString mes = RetornaMesNumeroSerie(serie.mid(5, 1));
        if (ano.trimmed().isEmpty() || mes.trimmed().isEmpty())
            return;
        const QDate dia = QDate::fromString("01/" + mes + "/" + ano, "dd/M/yyyy");
        if (!dia.isValid())
            throw std::runtime_error(("Data inválida: 01/" + mes + "/" + ano).toStdString());
        const QDateTime fabricacao = host::db::localDateTime(dia);
        // Which serials are imported is not settled: every product is national for now.
        const QString origem = " nacional";
        if (uDataTecItens::agora() > fabricacao.addYears(2)) {
            quOSItemAOITGARANTIA->setAsString("3");   // no warranty
            dmGlobal->MostraAviso("Produto" + origem + " com data de fabricação maior do que 24 meses (2 anos): " + mes
                                      + "/" + ano,
                                  false);
        } else {
            quOSItemAOITGARANTIA->setAsString("1");   // factory warranty
            dmGlobal->MostraAviso("Produto" + origem + " com fabricação em " + mes + "/" + ano, false);
        }
    } catch (const std::exception&) {
        dmGlobal->MostraAviso("Número de Série Inválido\r" + host::ui::exceptionMessage(std::current_exception()),
                              true);
    }
}
