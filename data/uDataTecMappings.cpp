// The words behind the one-letter and one-digit code columns of TdmTec's
// queries: get-text handlers show the caption of the stored code (an edit
// control shows it too), a few set-text handlers store what was typed in
// capitals, and ValidaData takes typed dates. The captions are the system's
// own, spaces included.

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/Abort.h"
#include "host/data/Format.h"

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <initializer_list>
#include <stdexcept>
#include <utility>

using host::data::Field;

namespace {

using Legenda = std::initializer_list<std::pair<const char*, const char*>>;

// The caption of the first code equal to the whole stored text; semOutro for
// any other value, an empty one included.
QString legenda(const Field& campo, Legenda codigos, const QString& semOutro = {})
{
    const QString valor = campo.asString();
    for (const auto& [codigo, texto] : codigos)
        if (valor == QString::fromUtf8(codigo))
            return QString::fromUtf8(texto);
    return semOutro;
}

// The captions alone, for a typed text checked against them.
QStringList legendas(Legenda codigos)
{
    QStringList textos;
    for (const auto& par : codigos)
        textos << QString::fromUtf8(par.second);
    return textos;
}

QString simNao(const Field& campo)
{
    return RetornaSituacaoEquivalente(campo.asString(), "SIMNAO");
}

const Legenda kSimNao = {{"S", "Sim"}, {"N", "Não"}};
const Legenda kAutorizacaoLinha = {{"S", "Sim"}, {"N", "Não"}, {"E", "Espera"}, {"D", "Devolvido"}};
const Legenda kContagemHora = {
    {"E", "E - Hora exata"}, {"C", "C - Arredondar para cima"}, {"B", "B - Arredondar para baixo"}};

// The document printed for the order's sales order. A query of its own, so
// that a grid repainting while a routine holds the host's shared auxiliary
// query open cannot close it under that routine.
QString documentoImpresso(const Field& campo)
{
    const Field* pedido = campo.dataset().findField("VECODIGO");
    auto consulta = CriarIbQuery("quDocumentoImpresso");
    consulta->setSql("Select documento from acem1401 Where cod_pedido = " +
                     QuotedStr(pedido ? pedido->asString() : QString()));
    consulta->open();
    const QString documento = consulta->isEmpty() ? QString() : consulta->fieldByName("documento")->asString();
    consulta->close();
    return documento;
}

}  // namespace

// ---- captions of their own -------------------------------------------------

void TdmTec::quOSSituacaoASTIPOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"I", "I - Inicial"},
                            {"N", "N - Intermediária"},
                            {"F", "F - Final"},
                            {"M", "M - Morta"},
                            {"D", "D - Final Para Compra"},
                            {"S", "S - Final Para Remanufatura"},
                            {"R", "R - Inicial Para Remanufatura"},
                            {"C", "C - Inicial Para Compra"}});
}

void TdmTec::quOSSituacaoASIDGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"F", "Faturamento"}, {"I", "Item"}, {"P", "Produção"}}, "Assistência");
}

void TdmTec::quOSAOREMANUFATURAGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"A", "Assistência"}, {"R", "Remanufatura"}, {"C", "Compra"}});
}

void TdmTec::quOSAOPRIORIDADEGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"B", "Baixa"}, {"M", "Média"}, {"A", "Alta"}, {"U", "Urgente"}});
}

void TdmTec::quOSAOATENDIMENTOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"I", "Interno"}, {"E", "Externo"}});
}

void TdmTec::quOSAOTURNOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"M", "Manhã"}, {"T", "Tarde"}, {"N", "Noite"}});
}

void TdmTec::quOSAORETORNOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, kSimNao);
}

void TdmTec::quOSAOIMPRIMIRLAUDOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, kSimNao);
}

void TdmTec::quOSAOSEQATENDIMENTOGetText(Field& Sender, QString& Text, bool)
{
    const int lugar = Sender.asInteger();   // none reads as 0
    Text = lugar == 0 ? QString("Não Atendido") : QString::number(lugar);
}

void TdmTec::quOSIMPRESSO_NFGetText(Field& Sender, QString& Text, bool)
{
    const QString valor = Sender.asString();
    if (valor.isEmpty())
        Text = "Pedido não impresso";
    else if (valor == "N")
        Text = "Pedido na fila de Impressão";
    else if (valor == "S")
        Text = "Impresso Documento " + documentoImpresso(Sender);
    else
        Text.clear();
}

QString TextoStatusServicoOS(const QString& codigo)
{
    static const QHash<QString, QString> textos{{"S", "Serviço Executado"},
                                                {"A", "Serviço em Andamento"},
                                                {"P", "Serviço Suspenso"},
                                                {"T", "Serviço em Terceiro"}};
    return textos.value(codigo.trimmed());
}

void TdmTec::quOSItemAOITGARANTIAGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"1", "1- Garantia de Fábrica "},
                            {"2", "2- Garantia do Serviço"},
                            {"3", "3- Sem Garantia"},
                            {"4", "4- Cortesia"}});
}

void TdmTec::quOSItemAOITAUTORIZADOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"S", "Sim"}, {"N", "Não"}, {"D", "Devolvido"}, {"E", "Entregue"}}, Sender.asString());
}

void TdmTec::quOSItemAOITORIGINALGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"S", "Sim"}, {"N", "Não"}, {"R", "Remanufatura"}});
}

void TdmTec::quOSPecasAPTIPOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"1", "1- Garantia Total "}, {"2", "2- Garantia Parcial"}, {"3", "3- Sem Garantia"}});
}

void TdmTec::quOSAndamentoAATIPOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"1", "1 - Garantia Total"}, {"2", "2 - Garantia Parcial"}, {"3", "3 - Sem Garantia"}});
}

void TdmTec::quOSPecasAPAUTORIZADOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, kAutorizacaoLinha);
}

void TdmTec::quOSAndamentoAAAUTORIZADOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, kAutorizacaoLinha);
}

void TdmTec::quOSPecasAPRESERVAGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"S", "Sim"}, {"B", "Baixa"}}, "Não");
}

void TdmTec::quHoraTecnicaAHTIPOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, kContagemHora);
}

void TdmTec::quOSAndamentoAHTIPOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, kContagemHora);
}

void TdmTec::quDefeitoADIDENTIFICADORGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"C", "Causa"}, {"D", "Defeito"}, {"S", "Solução"}});
}

void TdmTec::quEquipamentoAEIDENTIFICADORGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"E", "Equipamento"}, {"V", "Veículo"}});
}

void TdmTec::quEquipamentoAEATIVOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"N", "Não"}}, "Sim");   // a model is active unless marked "N"
}

void TdmTec::quTecnicosATALTERAROSGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, kSimNao);
}

void TdmTec::quTecnicosATATIVOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, kSimNao);
}

void TdmTec::quTecnicosATACESSORESTRITOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"S", "Sim"}, {"N", "Não"}, {"A", "Apenas Itens"}, {"E", "Exceto Itens"}});
}

void TdmTec::quTecnicosATALTERARSITUACAOGetText(Field& Sender, QString& Text, bool)
{
    Text = legenda(Sender, {{"T", "T - Todas"}, {"E", "E - Exceto Situação tipo Morta"}, {"N", "N - Nenhuma Situação"}});
}

// ---- captions of the host's list "SIMNAO" ---------------------------------------

void TdmTec::quOSSituacaoASESTOQUEGetText(Field& Sender, QString& Text, bool)
{
    Text = simNao(Sender);
}

void TdmTec::quOSSituacaoASCLIENTEGetText(Field& Sender, QString& Text, bool)
{
    Text = simNao(Sender);
}

void TdmTec::quOSSituacaoASINTERNETGetText(Field& Sender, QString& Text, bool)
{
    Text = simNao(Sender);
}

void TdmTec::quOSSituacaoASEMAILGetText(Field& Sender, QString& Text, bool)
{
    Text = simNao(Sender);
}

void TdmTec::quOSSituacaoASRESERVAGetText(Field& Sender, QString& Text, bool)
{
    Text = Sender.asString() == "R" ? QString("Retirar") : simNao(Sender);
}

void TdmTec::quOSSituacaoASINSERCAOGetText(Field& Sender, QString& Text, bool)
{
    Text = Sender.asString() == "A" ? QString("Automática Pela Entrada") : simNao(Sender);
}

void TdmTec::quOSPecasAPPROMOCAOGetText(Field& Sender, QString& Text, bool)
{
    Text = simNao(Sender);
}

void TdmTec::quOSAndamentoAAPROMOCAOGetText(Field& Sender, QString& Text, bool)
{
    Text = simNao(Sender);
}

void TdmTec::quOSItemAOITEMAILENVIADOGetText(Field& Sender, QString& Text, bool)
{
    Text = simNao(Sender);
}

// ---- typed codes, stored in capitals with no check against the captions ----------

void TdmTec::quOSPecasAPTIPOSetText(Field& Sender, const QString& Text)
{
    Sender.setAsString(Text.toUpper());
}

void TdmTec::quOSAndamentoAATIPOSetText(Field& Sender, const QString& Text)
{
    Sender.setAsString(Text.toUpper());
}

// The grids' pick lists offer the captions ("Sim", "Não", "Devolvido"): the
// one-letter column keeps their first letter, as a typed letter; a text of
// no caption is refused.
void TdmTec::quOSPecasAPAUTORIZADOSetText(Field& Sender, const QString& Text)
{
    LetraDaLegenda(Sender, Text, legendas(kAutorizacaoLinha));
}

void TdmTec::quOSAndamentoAAAUTORIZADOSetText(Field& Sender, const QString& Text)
{
    LetraDaLegenda(Sender, Text, legendas(kAutorizacaoLinha));
}

void TdmTec::quHoraTecnicaAHTIPOSetText(Field& Sender, const QString& Text)
{
    Sender.setAsString(Text.toUpper());
}

void TdmTec::quOSItemAOITGARANTIASetText(Field& Sender, const QString& Text)
{
    Sender.setAsString(Text.toUpper());
}

// ---- dates -------------------------------------------------------------------------

void TdmTec::ValidaData(Field& Sender, const QString& Text)
{
    // A date left empty, whatever the control's mask shows for it (a two- or
    // four-digit year, blanks or underscores, or nothing), empties the field.
    const bool vazia = std::all_of(Text.begin(), Text.end(), [](QChar c) { return c == ' ' || c == '/' || c == '_'; });
    if (vazia) {
        Sender.clear();
        return;
    }
    QDateTime data;   // two-digit years as the dataset layer expands them
    bool aceita = host::data::parseDateTimeText(Text, data);
    if (aceita) {
        try {
            Sender.setAsDateTime(data);
        } catch (const std::exception&) {
            aceita = false;
        } catch (const host::Abort&) {
            aceita = false;
        }
    }
    if (!aceita)
        dmGlobal->MostraErro("Data informada inválida.");
}

// ---- binding -----------------------------------------------------------------------

void TdmTec::bindFieldTextHandlers()
{
    using GetText = void (TdmTec::*)(Field&, QString&, bool);
    using SetText = void (TdmTec::*)(Field&, const QString&);
    auto get = [this](Field* field, GetText handler) {
        field->onGetText = [this, handler](Field& f, QString& text, bool display) { (this->*handler)(f, text, display); };
    };
    auto set = [this](Field* field, SetText handler) {
        field->onSetText = [this, handler](Field& f, const QString& text) { (this->*handler)(f, text); };
    };

    get(quOSSituacaoASTIPO, &TdmTec::quOSSituacaoASTIPOGetText);
    get(quOSSituacaoASID, &TdmTec::quOSSituacaoASIDGetText);
    get(quOSAOREMANUFATURA, &TdmTec::quOSAOREMANUFATURAGetText);
    get(quOSAOPRIORIDADE, &TdmTec::quOSAOPRIORIDADEGetText);
    get(quOSAOATENDIMENTO, &TdmTec::quOSAOATENDIMENTOGetText);
    get(quOSAOTURNO, &TdmTec::quOSAOTURNOGetText);
    get(quOSAORETORNO, &TdmTec::quOSAORETORNOGetText);
    get(quOSAOIMPRIMIRLAUDO, &TdmTec::quOSAOIMPRIMIRLAUDOGetText);
    get(quOSAOSEQATENDIMENTO, &TdmTec::quOSAOSEQATENDIMENTOGetText);
    get(quOSIMPRESSO_NF, &TdmTec::quOSIMPRESSO_NFGetText);
    get(quOSItemAOITGARANTIA, &TdmTec::quOSItemAOITGARANTIAGetText);
    // The progress screen's list of items reads the warranty as the order's
    // items do, and the order number as the order search shows it.
    quPesqOS->onFieldsCreated = [this, get](host::data::Dataset& d) {
        if (Field* garantia = d.findField("AOITGARANTIA"))
            get(garantia, &TdmTec::quOSItemAOITGARANTIAGetText);
        if (Field* ordem = d.findField("AOCODIGO"))
            ordem->setDisplayFormat("000000000");
    };
    get(quOSItemAOITAUTORIZADO, &TdmTec::quOSItemAOITAUTORIZADOGetText);
    get(quOSItemAOITORIGINAL, &TdmTec::quOSItemAOITORIGINALGetText);
    get(quOSPecasAPTIPO, &TdmTec::quOSPecasAPTIPOGetText);
    get(quOSAndamentoAATIPO, &TdmTec::quOSAndamentoAATIPOGetText);
    get(quOSPecasAPAUTORIZADO, &TdmTec::quOSPecasAPAUTORIZADOGetText);
    get(quOSAndamentoAAAUTORIZADO, &TdmTec::quOSAndamentoAAAUTORIZADOGetText);
    get(quOSPecasAPRESERVA, &TdmTec::quOSPecasAPRESERVAGetText);
    get(quHoraTecnicaAHTIPO, &TdmTec::quHoraTecnicaAHTIPOGetText);
    get(quOSAndamentoAHTIPO, &TdmTec::quOSAndamentoAHTIPOGetText);
    get(quDefeitoADIDENTIFICADOR, &TdmTec::quDefeitoADIDENTIFICADORGetText);
    get(quEquipamentoAEIDENTIFICADOR, &TdmTec::quEquipamentoAEIDENTIFICADORGetText);
    get(quEquipamentoAEATIVO, &TdmTec::quEquipamentoAEATIVOGetText);
    get(quTecnicosATALTERAROS, &TdmTec::quTecnicosATALTERAROSGetText);
    get(quTecnicosATALTERARLAUDO, &TdmTec::quTecnicosATALTERAROSGetText);
    get(quTecnicosATATIVO, &TdmTec::quTecnicosATATIVOGetText);
    get(quTecnicosATACESSORESTRITO, &TdmTec::quTecnicosATACESSORESTRITOGetText);
    get(quTecnicosATALTERARSITUACAO, &TdmTec::quTecnicosATALTERARSITUACAOGetText);

    get(quOSSituacaoASESTOQUE, &TdmTec::quOSSituacaoASESTOQUEGetText);
    get(quOSSituacaoASCLIENTE, &TdmTec::quOSSituacaoASCLIENTEGetText);
    get(quOSSituacaoASINTERNET, &TdmTec::quOSSituacaoASINTERNETGetText);
    get(quOSSituacaoASAPROVA, &TdmTec::quOSSituacaoASINTERNETGetText);
    get(quOSSituacaoASEMAIL, &TdmTec::quOSSituacaoASEMAILGetText);
    get(quOSSituacaoASRESERVA, &TdmTec::quOSSituacaoASRESERVAGetText);
    get(quOSSituacaoASINSERCAO, &TdmTec::quOSSituacaoASINSERCAOGetText);
    get(quOSPecasAPPROMOCAO, &TdmTec::quOSPecasAPPROMOCAOGetText);
    get(quOSAndamentoAAPROMOCAO, &TdmTec::quOSAndamentoAAPROMOCAOGetText);
    get(quOSItemAOITEMAILENVIADO, &TdmTec::quOSItemAOITEMAILENVIADOGetText);

    set(quOSPecasAPTIPO, &TdmTec::quOSPecasAPTIPOSetText);
    set(quOSAndamentoAATIPO, &TdmTec::quOSAndamentoAATIPOSetText);
    set(quOSPecasAPAUTORIZADO, &TdmTec::quOSPecasAPAUTORIZADOSetText);
    set(quOSAndamentoAAAUTORIZADO, &TdmTec::quOSAndamentoAAAUTORIZADOSetText);
    set(quHoraTecnicaAHTIPO, &TdmTec::quHoraTecnicaAHTIPOSetText);
    set(quOSItemAOITGARANTIA, &TdmTec::quOSItemAOITGARANTIASetText);

    for (Field* data : {quOSAODATAENTRADA, quOSAODATASAIDA, quOSAODATAAPROVA, quOSItemAODATAENTRADA,
                        quOSItemAOITDATACOMPRA, quOSAndamentoAADATA, quOSDespViagemAVDATA, quOSDespExtraAXDATA,
                        quOSProjAQDATA, quOSContatoDATA_SOLICITADA, quContratoACDATAIMPLANTACAO,
                        quContratoACDATAVALIDADE})
        set(data, &TdmTec::ValidaData);
    for (const char* nome : {"DATA_EMISSAO", "VEITENTREGADATA", "VEITMOEDACOTACAODATA"})
        set(quAssVendaItem->fieldByName(nome), &TdmTec::ValidaData);
}
