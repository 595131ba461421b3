// Field rules of the order items: the equipment code fills the item from the
// equipment register, the host's vehicle models or its vehicles; internal
// code, technician, dealer, plate and the customer's approval.

#include "data/uDataTec.h"
#include "data/uDataTecItens.h"

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Ulote.h"
#include "host/data/HandlerGuard.h"
#include "host/db/Database.h"

#include <QApplication>
#include <QStringBuilder>
#include <QWidget>

#include <utility>

using host::data::Field;
using host::data::Query;
using namespace Qt::StringLiterals;

namespace {

SelecionaEquipamentoClienteRotina selecionaEquipamentoCliente = nullptr;

const char* const kGradeItens = "dbgdOrdemServicoItens";
const char* const kGradeVeiculos = "dbgdOrdemServicoItensVeiculo";

// The item grid that holds the input focus, itself or through its cell
// editor; "" when another control or none has it.
QString gradeItensComFoco()
{
    for (QWidget* controle = QApplication::focusWidget(); controle; controle = controle->parentWidget())
        if (controle->objectName() == kGradeItens || controle->objectName() == kGradeVeiculos)
            return controle->objectName();
    return {};
}

}  // namespace

void RegistrarSelecionaEquipamentoCliente(SelecionaEquipamentoClienteRotina rotina)
{
    selecionaEquipamentoCliente = rotina;
}

namespace {
SelecionaDefeitoItemRotina selecionaDefeitoItem = nullptr;
}

void RegistrarSelecionaDefeitoItem(SelecionaDefeitoItemRotina rotina) { selecionaDefeitoItem = rotina; }

void AbrirDefeitosItem(int ordem, int item, double chaveDocumento, int sequenciaDocumento)
{
    if (selecionaDefeitoItem)
        selecionaDefeitoItem(ordem, item, chaveDocumento, sequenciaDocumento);
}

namespace uDataTecItens {

QVariantMap primeiraLinha(Query& consulta, const QString& sql, const QVariantMap& parametros)
{
    // A batch run keeps the statement prepared for its next row; the query
    // given still ends closed with the text.
    if (const auto lote = host::ExecucaoLote::comandoPreparado(*dmGlobal->IBTransaction1, sql)) {
        consulta.close();
        consulta.setSql(sql);
        for (auto it = parametros.begin(); it != parametros.end(); ++it)
            lote->setParam(it.key(), it.value());
        lote->execute();
        QVariantMap linha;
        if (lote->fetch()) {
            for (int c = 0; c < lote->columnCount(); ++c) {
                const host::db::ColumnInfo& coluna = lote->column(c);
                linha.insert((coluna.alias.isEmpty() ? coluna.name : coluna.alias).toUpper(), lote->value(c));
            }
            lote->closeCursor();
        }
        return linha;
    }
    consulta.close();
    consulta.setSql(sql);
    for (auto it = parametros.begin(); it != parametros.end(); ++it)
        consulta.paramByName(it.key())->setValue(it.value());
    QVariantMap linha;
    try {
        consulta.open();
        if (!consulta.isEmpty())
            for (Field* campo : consulta.fields())
                linha.insert(campo->fieldName().toUpper(), campo->value());
    } catch (...) {
        consulta.close();
        throw;
    }
    consulta.close();
    return linha;
}

}  // namespace uDataTecItens

using uDataTecItens::primeiraLinha;

void TdmTec::quOSItemAOITEQUIPCODIGOChange(Field& Sender)
{
    // Typing marks only the change it fires, not the codes set by the rules it runs.
    const bool digitado = std::exchange(bDigitandoEquipamento_, false);
    if (Sender.asString().isEmpty())
        return;
    const QString situacaoPorItem = parametro("ATSITUACAOPORITEM");
    if (situacaoPorItem == "S") {
        CarregaOsItemVeiculoDados(Sender.asInteger());
    } else if (situacaoPorItem == "M") {
        CarregaOsItemModeloDados(Sender.asInteger());
    } else {
        bDigitandoEquipamento_ = digitado;
        CarregaOsItemEquipamentoDados(Sender.asInteger());
    }
}

void TdmTec::quOSItemAOITEQUIPCODIGOSetText(Field& Sender, const QString& Text)
{
    // Only what the user types in the window passes the item-grid focus
    // rule; orders and items made by code set the code without it.
    host::data::DetachHandler semSetText(Sender.onSetText);
    const bool anterior = bDigitandoEquipamento_;
    bDigitandoEquipamento_ = true;
    try {
        Sender.setText(Text);
    } catch (...) {
        bDigitandoEquipamento_ = anterior;
        throw;
    }
    bDigitandoEquipamento_ = anterior;
}

void TdmTec::CarregaOsItemEquipamentoDados(int iCodigo)
{
    const bool digitado = std::exchange(bDigitandoEquipamento_, false);
    // A number needs no escaping: the quoted code is written in one piece.
    const QString codigo = u'\'' % QString::number(iCodigo) % u'\'';
    const QString sql = u"select aedescricao, aemarca, aemodelo, aecarroceriamarca, AEIDENTIFICADOR, AETIPO "
                        u"from aatc03ae where aecodigo = " % codigo;
    // A batch run reads each model once (the auxiliary query still ends with the text).
    dmGlobal->quAuxiliar->close();
    dmGlobal->quAuxiliar->setSql(sql);
    const QVariantMap modelo = host::ExecucaoLote::lembrada(u"AATC03AE"_s, sql, [&] {
                                   return QVariant(primeiraLinha(*dmGlobal->quAuxiliar, sql));
                               }).toMap();
    if (digitado && parametro("ATQUANTIDADEREQUERIDA") == "S") {
        // Vehicles and equipment are typed in their own grids.
        const QString grade = gradeItensComFoco();
        if (modelo.value("AEIDENTIFICADOR").toString() == "V") {
            if (grade != kGradeVeiculos)
                dmGlobal->MostraErro("Não foi possível inserir veículo. Para inserir selecione a aba \"Veículos\".");
        } else if (grade != kGradeItens) {
            dmGlobal->MostraErro(
                "Não foi possível inserir equipamento. Para inserir selecione a aba \"Itens da OS\".");
        }
    }
    quOSItemAOITEQUIPDESCRICAO->setValue(modelo.value(u"AEDESCRICAO"_s));
    quOSItemAOITMARCA->setValue(modelo.value(u"AEMARCA"_s));
    quOSItemAOITMODELO->setValue(modelo.value(u"AEMODELO"_s));
    quOSItemAOITCARROCERIAMARCA->setValue(modelo.value(u"AECARROCERIAMARCA"_s));
    quOSItemAETIPO->setValue(modelo.value(u"AETIPO"_s));

    const QString cliente = quOSCLCODIGO->asString();
    if (CarregaNumeroInteiro(u"count(*)"_s, u"AATC03AECL"_s,
                             u"WHERE AECODIGO = " % codigo % u" AND CLCODIGO = " % QuotedStr(cliente))
        <= 0)
        return;
    if (!selecionaEquipamentoCliente)
        throw std::logic_error("A lista de equipamentos do cliente não foi registrada.");
    int escolhido = 0;
    if (!selecionaEquipamentoCliente(iCodigo, cliente, escolhido))
        return;
    const QString condicao = "WHERE AECLCODIGO = " + QString::number(escolhido);
    quOSItemAOITSERIE->setAsString(CarregaDado("AECLNUMEROSERIE", "AATC03AECL", condicao));
    quOSItemAOITOBSERVACAO->setAsString(CarregaDado("AECLOBSERVACAO", "AATC03AECL", condicao));
}

void TdmTec::CarregaOsItemModeloDados(int iCodigo)
{
    const QVariantMap modelo =
        primeiraLinha(*dmGlobal->quAuxiliar, "Select * From AUGC23EN  Where enCodigo = " + QString::number(iCodigo));
    quOSItem->edit();
    quOSItemAOITMODELO->setValue(modelo.value("ENDESCRICAO"));
    // The brand code is a text column: a code that is not a positive number names no brand.
    const QString marca = modelo.value("ERCODIGO").toString().trimmed();
    if (marca.toDouble() > 0)
        quOSItemAOITMARCA->setAsString(CarregaDado("ERDESCRICAO", "AUGC24ER", "Where erCodigo = " + QuotedStr(marca)));
    quOSItemAOITEQUIPDESCRICAO->setAsString("Veículo " + quOSItemAOITMARCA->asString() + " "
                                            + quOSItemAOITMODELO->asString());
}

void TdmTec::CarregaOsItemVeiculoDados(int iCodigo)
{
    const QString codigo = QString::number(iCodigo);
    // Read whole before filling: the chassis fires the serial-number rules,
    // which use the same auxiliary query.
    const QVariantMap veiculo = primeiraLinha(*dmGlobal->quAuxiliar, "Select * From Augc20ev Where evCodigo = " + codigo);
    quOSItem->edit();
    quOSItemAOITEQUIPDESCRICAO->setAsString("Veículo - Placa " + veiculo.value("EVPLACA").toString());
    quOSItemAOITMARCA->setValue(veiculo.value("EVMARCA"));
    quOSItemAOITMODELO->setValue(veiculo.value("EVMODELO"));
    quOSItemAOITANOFABRICACAO->setValue(veiculo.value("EVANO"));
    quOSItemAOITCOMBUSTIVEL->setValue(veiculo.value("EVCOMBUSTIVEL"));
    quOSItemAOITCOR->setValue(veiculo.value("EVCOR"));
    quOSItemAOITDATACOMPRA->setValue(veiculo.value("EVDATACOMPRA"));
    quOSItemAOITPLACA->setValue(veiculo.value("EVPLACA"));
    quOSItemAOITSERIE->setValue(veiculo.value("EVCHASSI"));
    quOSItemAOITKMINICIAL->setAsFloat(CarregaNumero("First 1 PMDESTINOODOMETRO", "Acoc81PM",
                                                    "where evCodigo = " + codigo + " order by pmData Desc"));
}

void TdmTec::quOSItemAECODIGOINTERNOChange(Field& Sender)
{
    const QString texto = Sender.asString();
    if (texto.isEmpty())
        return;
    quOSItemAOITEQUIPCODIGO->setAsString(
        CarregaDado("aeCodigo", "aatc03ae", "where aeCodigoInterno = " + QuotedStr(texto)));
}

void TdmTec::quOSItemATCODIGOChange(Field& Sender)
{
    const QString texto = Sender.asString();
    if (texto.trimmed().isEmpty())
        return;
    quOSItemTECNICOITEM->setAsString(CarregaDado("atNome", "AATC06AT", "Where atCodigo = " + QuotedStr(texto)));
}

void TdmTec::quOSItemFOCONSECIONARIAChange(Field& Sender)
{
    // Removing the dealer is no unknown code: the check would refuse every attempt.
    if (Sender.asString().trimmed().isEmpty()) {
        quOSItemDESCRICAOCONSECIONARIA->clear();
        return;
    }
    const QVariantMap fornecedor = primeiraLinha(
        *dmGlobal->quAuxiliar, "select fnome from augc0501  where fcod      = " + QuotedStr(Sender.asString()));
    if (fornecedor.isEmpty())
        dmGlobal->MostraAviso("Código não encontrado.", true);
    quOSItemDESCRICAOCONSECIONARIA->setValue(fornecedor.value("FNOME"));
}

void TdmTec::quOSItemAOITPLACASetText(Field& Sender, const QString& Text)
{
    Sender.setAsString(Text.toUpper());
}

void TdmTec::quOSItemAOITAPROVADOChange(Field&)
{
    quOSItemAOITUSUARIO->setAsString(IbUserName());
}

void TdmTec::quOSItemAOITAPROVADOGetText(Field& Sender, QString& Text, bool)
{
    const QString valor = Sender.asString();
    if (valor == "S")
        Text = "Sim";
    else if (valor == "R")
        Text = "Rejeitado";
    else if (valor == "N")
        Text = "Não";
    else
        Text = valor;
}

void TdmTec::bindItemHandlers()
{
    using Change = void (TdmTec::*)(Field&);
    auto change = [this](Field* field, Change handler) {
        field->onChange = [this, handler](Field& f) { (this->*handler)(f); };
    };
    change(quOSItemAOITEQUIPCODIGO, &TdmTec::quOSItemAOITEQUIPCODIGOChange);
    change(quOSItemAOITSERIE, &TdmTec::quOSItemAOITSERIEChange);
    change(quOSItemAECODIGOINTERNO, &TdmTec::quOSItemAECODIGOINTERNOChange);
    change(quOSItemATCODIGO, &TdmTec::quOSItemATCODIGOChange);
    change(quOSItemFOCONSECIONARIA, &TdmTec::quOSItemFOCONSECIONARIAChange);
    change(quOSItemAOITAPROVADO, &TdmTec::quOSItemAOITAPROVADOChange);
    change(quEquipCliAECODIGO, &TdmTec::quEquipCliAECODIGOChange);
    change(quEquipCliCLCODIGO, &TdmTec::quEquipCliCLCODIGOChange);
    quOSItemAOITEQUIPCODIGO->onSetText = [this](Field& f, const QString& text) {
        quOSItemAOITEQUIPCODIGOSetText(f, text);
    };
    quOSItemAOITPLACA->onSetText = [this](Field& f, const QString& text) { quOSItemAOITPLACASetText(f, text); };
    quOSItemAOITAPROVADO->onGetText = [this](Field& f, QString& text, bool display) {
        quOSItemAOITAPROVADOGetText(f, text, display);
    };
    quOSItem->onDeleteError = [this](host::data::Dataset& d) { quOSItemDeleteError(d); };
}
