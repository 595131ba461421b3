// The parts lines of a service order (quOSPecas): a new line's defaults and
// number, the stock check, what a typed quantity, reservation, location,
// group, equipment or manufacturer code does, the checks and totals before a
// line is saved, and what follows saving or deleting it (commit, the order's
// totals, the host's reserved quantity). The product rule that prices a line
// is in uDataTecPecasProduto.cpp.

#include "data/uDataTec.h"
#include "data/uDataTecLinhas.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Uprodutocodigofabricante.h"

#include "host/data/Abort.h"
#include "host/data/Format.h"
#include "host/ui/WindowRegistry.h"
#include "host/db/Database.h"

using host::data::Dataset;
using host::data::DatasetState;
using host::data::Field;

namespace {

// The unit value less the line's discount, in extended precision.
long double unitarioComDesconto(const TdmTec& tec)
{
    return static_cast<long double>(tec.quOSPecasAPVALUNITARIO->asFloat()) *
           (1.0L - static_cast<long double>(tec.quOSPecasAPDESCONTO->asFloat()) / 100.0L);
}

int proximaSequenciaPeca(int aoCodigo)
{
    return uDataTecLinhas::proximaDaOrdem("apsequencia", "AATC01AP", aoCodigo);
}

}  // namespace

// ---- stock check ---------------------------------------------------------------

void TdmTec::VerificaEstoquePeca(int, const QString& ProductCode, double PreviousQuantity, double NewQuantity)
{
    if (parametroAparado("ATESTOQUENEGATIVO").toUpper() != "N")
        return;
    const double disponivel = dmGlobal->PosicaoEstoque(ProductCode) - dmGlobal->Reservado(ProductCode, false, {});
    // A tolerance far below any quantity typed keeps 1.1 - 0.8 from counting
    // as more than 0.3: an increase equal to what is available passes.
    if (NewQuantity - PreviousQuantity > disponivel + 1e-9)
        dmGlobal->MostraAviso("Quantidade insuficiente em estoque disponível do produto código \"" + ProductCode +
                                  "\"",
                              true);
}

// ---- new line --------------------------------------------------------------------

void TdmTec::quOSPecasBeforeInsert(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, "BEFOREINSERT");
    // The order must exist before its first part.
    if (quOS->state() == DatasetState::Insert)
        SalvarAlteracoes(*quOS);
    uDataTecLinhas::gravarItemPendente(*this);
}

void TdmTec::quOSPecasNewRecord(Dataset& DataSet)
{
    ZerarFloatField(*quOSPecas);
    if (parametroAparado("ATRESERVAPECAS") == "A")
        quOSPecasAPRESERVA->setAsString("S");
    quOSPecasAPQUANTIDADE->setAsFloat(1);
    quOSPecasAPVALUNITARIO->setAsFloat(0);
    quOSPecasAPVALTOTAL->setAsFloat(0);
    quOSPecasAPDESCONTO->setAsFloat(0);
    quOSPecasQtdeTransito->setAsFloat(0);
    quOSPecasAPAUTORIZADO->setAsString("S");
    quOSPecasAPTIPO->setAsString("3");
    quOSPecasAPUSUARIOINSERCAO->setAsString(IbUserName());
    quOSPecasUGINSERIDO->setAsDateTime(QDateTime::currentDateTime());
    if (parametroAparado("ATLOCALPORFILIAL") == "S")
        quOSPecasLECODIGO->setAsString(
            CarregaDado("codigo", "acec1401", "where leFilial = " + QuotedStr(quOSAOLOCAL->asString())));
    quOSPecasAOCODIGO->setAsInteger(quOSAOCODIGO->asInteger());
    quOSPecasAOITCODIGO->setAsInteger(uDataTecLinhas::itemDaNovaLinha(*this));
    quOSPecasAPSEQUENCIA->setAsInteger(proximaSequenciaPeca(quOSAOCODIGO->asInteger()));
    ZelDevVerificarEvento(&DataSet, "ONNEWRECORD");
}

void TdmTec::quOSPecasBeforeEdit(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, "BEFOREEDIT");
}

// ---- typed values and field rules --------------------------------------------

void TdmTec::quOSPecasPRCODIGOSetText(Field&, const QString& Text)
{
    quOSPecasPRCODIGO->setAsString(dmGlobal->RetornaCodigoProduto(Text, {}, rFatorCodigoBarras));
}

// The line total, unrounded; a discount changed alone waits for the save.
void TdmTec::quOSPecasAPQUANTIDADEChange(Field&)
{
    quOSPecasAPVALTOTAL->setAsFloat(static_cast<double>(quOSPecasAPQUANTIDADE->asFloat() * unitarioComDesconto(*this)));
}

void TdmTec::quOSPecasAPVALUNITARIOChange(Field& Sender)
{
    quOSPecasAPQUANTIDADEChange(Sender);
}

void TdmTec::quOSPecasAPQUANTIDADESetText(Field&, const QString& Text)
{
    double digitado = uDataTecLinhas::numeroDigitado(Text);
    if (quOSPecasAPRESERVA->asString() == "S")
        VerificaEstoquePeca(quOSAOCODIGO->asInteger(), quOSPecasPRCODIGO->asString(),
                            quOSPecasAPQUANTIDADE->asFloat(), digitado);
    digitado = uDataTecLinhas::fracionarQuantidade(Text, quOSPecasUNIDADE_MEDIDA->asString(), digitado);
    quOSPecasAPQUANTIDADE->setAsFloat(digitado);
}

void TdmTec::quOSPecasAPRESERVASetText(Field&, const QString& Text)
{
    if (Text == "S" || Text == "Sim") {
        if (quOSASCODIGO->asInteger() > 0 &&
            CarregaDado("asReserva", "aatc01as", "where ascodigo = " + quOSASCODIGO->asString()) == "N")
            dmGlobal->MostraAviso("Situação não permiti reservar peça!", true);
        VerificaEstoquePeca(quOSAOCODIGO->asInteger(), quOSPecasPRCODIGO->asString(), 0,
                            quOSPecasAPQUANTIDADE->asFloat());
    }
    quOSPecasAPRESERVA->setAsString(Text);
}

void TdmTec::quOSPecasLECODIGOChange(Field&)
{
    const QString local = quOSPecasLECODIGO->asString();
    if (!local.trimmed().isEmpty() && ContadorDados("codigo", "acec1401", local, {}, false) == 0)
        dmGlobal->MostraAviso("Local inválido", true);
}

void TdmTec::quOSPecasGRUPOChange(Field&)
{
    const QString grupo = quOSPecasGRUPO->asString();
    if (!grupo.isEmpty())
        quOSPecasDESCRICAOGRUPO->setAsString(CarregaDado("DESCRICAO", "ACEC1201", "WHERE CODIGO =" + QuotedStr(grupo)));
}

void TdmTec::quOSPecasAOITEQUIPCODIGOChange(Field&)
{
    uDataTecLinhas::equipamentoDaLinha(*this, quOSPecasAOITEQUIPCODIGO, quOSPecasEQUIPAMENTO);
}

void TdmTec::quOSPecasPRCODIGOFORNECEDORChange(Field&)
{
    SelecionaProdutoCodigoFabricante(quOSPecasPRCODIGOFORNECEDOR->asString(), quOSPecasPRCODIGO);
}

// ---- saving and deleting ---------------------------------------------------------

void TdmTec::quOSPecasBeforePost(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, "BEFOREPOST");
    // Taken again: another desk may have saved a line of the order since
    // this one was created.
    if (quOSPecas->state() == DatasetState::Insert)
        quOSPecasAPSEQUENCIA->setAsInteger(proximaSequenciaPeca(quOSPecasAOCODIGO->asInteger()));
    if (quOSPecasPRCODIGO->text().isEmpty())
        dmGlobal->MostraErro("Preenchimento da peça obrigatória");
    const long double unitario = unitarioComDesconto(*this);
    quOSPecasAPVALTOTAL->setAsFloat(static_cast<double>(quOSPecasAPQUANTIDADE->asFloat() * unitario));
    quOSPecasAPVALORTOTALREQUERIDO->setAsFloat(
        static_cast<double>(quOSPecasAPQUANTIDADEREQUERIDA->asFloat() * unitario));
    if (quOSPecasAPRESERVA->asString() == "S" && parametroAparado("ATCONFERERESERVA") == "A") {
        const double gravada = CarregaNumero("APQUANTIDADE", "AATC01AP",
                                             "WHERE AOCODIGO = " + quOSPecasAOCODIGO->asString() +
                                                 " and APSEQUENCIA = " + quOSPecasAPSEQUENCIA->asString());
        VerificaEstoquePeca(quOSAOCODIGO->asInteger(), quOSPecasPRCODIGO->asString(), gravada,
                            quOSPecasAPQUANTIDADE->asFloat());
    }
    if (parametroAparado("ATFORMULATOTALOS") == "I")
        OSCalculaImpostoCorrente();
    ZelDevVerificarEvento(&DataSet, "BEFOREPOST");
}

void TdmTec::quOSPecasAfterPost(Dataset& DataSet)
{
    dmGlobal->IBTransaction1->commitRetaining();
    // The re-totals below write only the header, so this one re-read serves
    // until the reservation changes the product's reserved quantity.
    quOSPecas->refresh();
    const int aoCodigo = quOSPecasAOCODIGO->asInteger();
    const QString produto = quOSPecasPRCODIGO->asString();
    uDataTecLinhas::retotalizarOrdem(aoCodigo, "AATC01AP", "AATC01AA", true);
    if (reservaPecasAtualizada()) {
        dmGlobal->Reservado(produto, true, {});
        if (quOSPecas->active() && !quOSPecas->isEmpty())
            quOSPecas->refresh();
    }
    if (quOSItem->active() && !quOSItem->isEmpty())
        quOSItem->refresh();
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
    if (dmGlobal->quEmpresa->fieldByName("UGESPECIFICOEMPRESA")->asInteger() == 16)
        quOSPecas->last();
}

QString totalPecaSql(const QString& quantidade)
{
    return "(" + quantidade + ") * coalesce(APVALUNITARIO, 0) * (1 - coalesce(APDESCONTO, 0) / 100.00)";
}

// Every part line takes its required quantity, with its total; reservations
// and the order's totals follow. All of it is stored by one commit or none
// (the header's own post asks for one midway). A line with no required
// quantity keeps its quantity. A billed order keeps the quantities it was
// billed with.
void TdmTec::PecasComQuantidadeRequerida(int aoCodigo)
{
    RecusarOrdemFaturada(aoCodigo, DocumentoDaOrdem(aoCodigo),
                         "as quantidades das suas peças não podem mais ser alteradas");
    host::db::runAsOneCommit(*dmGlobal->IBTransaction1, [&] {
        const QString condicao = "Where aoCodigo = " + QString::number(aoCodigo);
        Update2Campos("aatc01ap", "apQuantidade", "apQuantidadeRequerida", "APVALTOTAL",
                      totalPecaSql("apQuantidadeRequerida"), condicao + " and apQuantidadeRequerida is not null");
        if (reservaPecasAtualizada())
            for (const QString& produto :
                 CarregaVariosDados("distinct PRCODIGO", "AATC01AP", condicao + " and APRESERVA = 'S'", ";")
                     .split(';', Qt::SkipEmptyParts))
                dmGlobal->Reservado(produto, true, {});
        uDataTecLinhas::retotalizarOrdem(aoCodigo, "AATC01AP", "AATC01AA", true);
    });
}

void TdmTec::quOSPecasAfterDelete(Dataset& DataSet)
{
    const QDateTime agora = QDateTime::currentDateTime();
    const int aoCodigo = quOSAOCODIGO->asInteger();
    dmGlobal->GravaLog(IbUserName(), "Deletou Peças da O.S. " + QString::number(aoCodigo),
                       "Código:" + sCodigoExcluido, "AATC01AP", host::db::localDateTime(agora.date()), agora);
    AtualizarOSCorrentePecas(aoCodigo, "AATC01AP", false);
    if (reservaPecasAtualizada())
        dmGlobal->Reservado(sCodigoExcluido, true, {});
    if (quOSItem->active() && !quOSItem->isEmpty())
        quOSItem->refresh();
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

// ---- opening and calculated fields -----------------------------------------------

void TdmTec::quOSPecasBeforeOpen(Dataset&)
{
    transitoPecas_.clear();
    quOSPecasAPVALUNITARIO->setReadOnly(parametroAparado("ATBLOQUEIAPRECOPECA") == "I");
}

// Quantity still to arrive on open purchase-order items and its latest
// expected delivery, in one statement per product; a failing read is not
// kept, so the next row tries again.
const TdmTec::TransitoPeca& TdmTec::transitoPeca(const QString& produto)
{
    auto encontrado = transitoPecas_.constFind(produto);
    if (encontrado != transitoPecas_.constEnd())
        return *encontrado;
    std::unique_ptr<host::data::Query> consulta = CriarIbQuery();
    consulta->setSql("select sum(quantidade - Coalesce(QUANTIDADE_RECEBIDA,0)) as QUANTIDADE, max(ENTREGA) as ENTREGA"
                     " from ACOC80IT Where CODIGO = :PRODUTO AND ( Coalesce(OCITBAIXADO,'') = 'O') ");
    consulta->paramByName("PRODUTO")->setAsString(produto);
    consulta->open();
    TransitoPeca transito;
    transito.quantidade = consulta->fieldByName("QUANTIDADE")->asFloat();
    transito.entrega = consulta->fieldByName("ENTREGA")->asDateTime();
    consulta->close();
    return *transitoPecas_.insert(produto, transito);
}

void TdmTec::quOSPecasCalcFields(Dataset&)
{
    if (parametroAparado("ATMODOCONSULTAPECA") != "Q")
        return;
    try {
        const TransitoPeca& transito = transitoPeca(quOSPecasPRCODIGO->asString());
        quOSPecasQtdeTransito->setAsFloat(transito.quantidade);
        if (transito.entrega.isValid())
            quOSPecasDataTransito->setAsDateTime(transito.entrega);
        else
            quOSPecasDataTransito->clear();
    } catch (const std::exception&) {
        // the in-transit figures are a hint on the grid, never a reason to fail a read
    }
}

// ---- bindings --------------------------------------------------------------------

void TdmTec::bindPecasHandlers()
{
    auto onField = [this](void (TdmTec::*handler)(Field&)) {
        return [this, handler](Field& field) { (this->*handler)(field); };
    };
    auto onText = [this](void (TdmTec::*handler)(Field&, const QString&)) {
        return [this, handler](Field& field, const QString& text) { (this->*handler)(field, text); };
    };
    quOSPecasPRCODIGO->onSetText = onText(&TdmTec::quOSPecasPRCODIGOSetText);
    quOSPecasPRCODIGO->onChange = onField(&TdmTec::quOSPecasPRCODIGOChange);
    quOSPecasAPQUANTIDADE->onSetText = onText(&TdmTec::quOSPecasAPQUANTIDADESetText);
    quOSPecasAPQUANTIDADE->onChange = onField(&TdmTec::quOSPecasAPQUANTIDADEChange);
    quOSPecasAPVALUNITARIO->onChange = onField(&TdmTec::quOSPecasAPVALUNITARIOChange);
    quOSPecasAPRESERVA->onSetText = onText(&TdmTec::quOSPecasAPRESERVASetText);
    quOSPecasLECODIGO->onChange = onField(&TdmTec::quOSPecasLECODIGOChange);
    quOSPecasGRUPO->onChange = onField(&TdmTec::quOSPecasGRUPOChange);
    quOSPecasAOITEQUIPCODIGO->onChange = onField(&TdmTec::quOSPecasAOITEQUIPCODIGOChange);
    quOSPecasPRCODIGOFORNECEDOR->onChange = onField(&TdmTec::quOSPecasPRCODIGOFORNECEDORChange);
}

bool reservaPecasAtualizada()
{
    const QString modo = parametroAparado("ATRESERVAPECAS");
    return modo == "A" || modo == "S";
}
