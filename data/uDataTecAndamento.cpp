// The service lines of an order (quOSAndamento): a new line's defaults and
// number, the default item of a remanufacture order, the field rules (hour
// type, kind of service, typed quantity, line total, worked minutes, look-ups),
// the checks before a save, and what follows saving or deleting a line. The
// product rule is in uDataTecAndamentoProduto.cpp; hour pricing, the worked
// time and the items a service inserts in uDataTecAndamentoPreco.cpp.

#include "data/uDataTec.h"
#include "data/uDataTecExclusao.h"
#include "data/uDataTecLinhas.h"

#include "host/PilvCpr70.h"
#include "host/PilvTra70.h"
#include "host/Uautorizacao.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/Uprodutocodigofabricante.h"

#include "host/data/Abort.h"
#include "host/db/Database.h"

#include <cmath>

using host::data::Dataset;
using host::data::DatasetState;
using host::data::Field;
using namespace Qt::StringLiterals;

namespace {

bool ordemDeRemanufaturaOuCompra(const TdmTec& tec)
{
    const QString tipo = tec.quOSAOREMANUFATURA->asString();
    return tipo == "R" || tipo == "C";
}

int proximaLinha(const QString& aoCodigo)
{
    return static_cast<int>(MaximoDado(u"aaCodigo"_s, u"aatc01aa"_s, u"aoCodigo"_s, aoCodigo, {}, false)) + 1;
}

bool itensVazios(const TdmTec& tec)
{
    return !tec.quOSItem->active() || tec.quOSItem->isEmpty();
}

}  // namespace

// ---- new line ----------------------------------------------------------------------

void TdmTec::quOSAndamentoBeforeInsert(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, u"BEFOREINSERT"_s);
    // The order must exist before its first line.
    if (quOS->state() == DatasetState::Insert)
        SalvarAlteracoes(*quOS);
    uDataTecLinhas::gravarItemPendente(*this);
    const int equipamentoPadrao = parametroAparado("ATEQUIPAMENTOPADRAO").toInt();
    if (parametroAparado("ATREMANUFATURA") == "S" && itensVazios(*this) && equipamentoPadrao > 0) {
        if (!quOSItem->active())
            CarregaOSItens(quOSAOCODIGO->asInteger(), 0);
        if (quOSItem->isEmpty()) {
            quOSItem->append();
            quOSItemAOITEQUIPCODIGO->setAsInteger(equipamentoPadrao);
            quOSItem->post();
        }
    }
    // A service line always belongs to an existing item.
    if (itensVazios(*this))
        dmGlobal->MostraAviso("Não há equipamento válido cadastrado", true);
}

void TdmTec::quOSAndamentoNewRecord(Dataset& DataSet)
{
    ZerarFloatField(*quOSAndamento);
    quOSAndamentoAADATA->setAsDateTime(hoje());
    quOSAndamentoAATOTAL->setAsInteger(0);
    quOSAndamentoAAMINUTODESCONTADO->setAsInteger(0);
    quOSAndamentoAAQUANTIDADE->setAsFloat(1);
    quOSAndamentoAAVALOR->setAsFloat(0);
    quOSAndamentoAAVALORTOTAL->setAsFloat(0);
    quOSAndamentoAAAUTORIZADO->setAsString("S");
    quOSAndamentoAATIPO->setAsString("3");
    quOSAndamentoAOCODIGO->setAsInteger(quOSAOCODIGO->asInteger());
    quOSAndamentoAOITCODIGO->setAsInteger(uDataTecLinhas::itemDaNovaLinha(*this));
    if (ordemDeRemanufaturaOuCompra(*this))
        quOSAndamentoAAQUANTIDADE->setAsFloat(0);
    quOSAndamentoAACODIGO->setAsInteger(proximaLinha(quOSAOCODIGO->asString()));
    ZelDevVerificarEvento(&DataSet, u"ONNEWRECORD"_s);
}

void TdmTec::quOSAndamentoBeforeEdit(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, u"BEFOREEDIT"_s);
}

// ---- typed values and field rules --------------------------------------------------

void TdmTec::quOSAndamentoPRCODIGOSetText(Field&, const QString& Text)
{
    quOSAndamentoPRCODIGO->setAsString(dmGlobal->RetornaCodigoProduto(Text, {}, rFatorCodigoBarras));
}

void TdmTec::quOSAndamentoPRCODIGOFORNECEDORChange(Field&)
{
    SelecionaProdutoCodigoFabricante(quOSAndamentoPRCODIGOFORNECEDOR->asString(), quOSAndamentoPRCODIGO);
}

// The hour type's prices are copied into the line; the line is priced by
// them only when it is saved.
void TdmTec::quOSAndamentoAHCODIGOChange(Field&)
{
    const int codigo = quOSAndamentoAHCODIGO->asInteger();
    if (codigo <= 0)
        return;
    host::data::Query& auxiliar = *dmGlobal->quAuxiliar;
    auxiliar.close();
    auxiliar.setSql("select ahdescricao, ahhora1, ahhora2, ahhora3, ahhora4, ahhora5, ahtipo from AATC04AH"
                    " where AHCODIGO = " + QuotedStr(QString::number(codigo)));
    QVariantList valores;
    try {
        auxiliar.open();
        if (!auxiliar.isEmpty())
            for (const char* coluna : {"AHDESCRICAO", "AHHORA1", "AHHORA2", "AHHORA3", "AHHORA4", "AHHORA5", "AHTIPO"})
                valores << auxiliar.fieldByName(QString::fromLatin1(coluna))->value();
    } catch (...) {
        auxiliar.close();
        throw;
    }
    auxiliar.close();
    if (valores.isEmpty())
        dmGlobal->MostraAviso("Código não encontrado.", true);
    Field* destinos[] = {quOSAndamentoDESCHORA, quOSAndamentoAHHORA1, quOSAndamentoAHHORA2, quOSAndamentoAHHORA3,
                         quOSAndamentoAHHORA4,  quOSAndamentoAHHORA5, quOSAndamentoAHTIPO};
    for (int i = 0; i < valores.size(); ++i)
        destinos[i]->setValue(valores.at(i));
}

void TdmTec::quOSAndamentoAAESPECIEChange(Field&)
{
    const QString especie = quOSAndamentoAAESPECIE->asString();
    if (parametroAparado("ATREMANUFATURA") != "S" || especie.isEmpty())
        return;
    const double valor = CarregaNumero("daValor", "ACEC11da",
                                       "where prCodigo = " + QuotedStr(quOSAndamentoPRCODIGO->asString()) +
                                           " and daEspecie = " + QuotedStr(especie));
    if (valor > 0)
        quOSAndamentoAAVALOR->setAsFloat(valor);
}

void TdmTec::quOSAndamentoAAQUANTIDADESetText(Field&, const QString& Text)
{
    const double digitado = uDataTecLinhas::numeroDigitado(Text);
    quOSAndamentoAAQUANTIDADE->setAsFloat(
        uDataTecLinhas::fracionarQuantidade(Text, quOSAndamentoUNIDADE_MEDIDA->asString(), digitado));
}

// Quantity times value first, then the discount, cut to cents.
void TdmTec::quOSAndamentoAAVALORChange(Field&)
{
    quOSAndamentoAAVALORTOTAL->setAsFloat(Trunc2Casas(quOSAndamentoAAQUANTIDADE->asFloat() *
                                                      quOSAndamentoAAVALOR->asFloat() *
                                                      (1 - quOSAndamentoAADESCONTO->asFloat() / 100)));
}

// Whole minutes from start to end (the end before the start is the next
// day) less the break. A break longer than the interval leaves no minutes:
// its excess is no work done.
void TdmTec::quOSAndamentoAAHORAINICIOChange(Field&)
{
    const int segundos =
        SegundosEntreHorarios(quOSAndamentoAAHORAFIM->asDateTime(), quOSAndamentoAAHORAINICIO->asDateTime());
    const int minutos = segundos / 60 - quOSAndamentoAAMINUTODESCONTADO->asInteger();
    quOSAndamentoAATOTAL->setAsInteger(minutos < 0 ? 0 : minutos);
}

void TdmTec::quOSAndamentoATCODIGOChange(Field&)
{
    const int tecnico = quOSAndamentoATCODIGO->asInteger();
    if (tecnico > 0)
        quOSAndamentoATNOME->setAsString(CarregaDado("ATNOME", "AATC06AT", "WHERE ATCODIGO = " + QString::number(tecnico)));
}

void TdmTec::quOSAndamentoIVCODIGOChange(Field&)
{
    const int verificacao = quOSAndamentoIVCODIGO->asInteger();
    if (verificacao > 0)
        quOSAndamentoIVDESCRICAO->setAsString(
            CarregaDado("IVDESCRICAO", "Augc20iv", "Where ivCodigo = " + QString::number(verificacao)));
}

void TdmTec::quOSAndamentoGRUPOChange(Field&)
{
    const QString grupo = quOSAndamentoGRUPO->asString();
    if (!grupo.isEmpty())
        quOSAndamentoDESCRICAOGRUPO->setAsString(
            CarregaDado("DESCRICAO", "ACEC1201", "WHERE CODIGO =" + QuotedStr(grupo)));
}

void TdmTec::quOSAndamentoAOITEQUIPCODIGOChange(Field&)
{
    uDataTecLinhas::equipamentoDaLinha(*this, quOSAndamentoAOITEQUIPCODIGO, quOSAndamentoEQUIPAMENTO);
}

// ---- saving and deleting -----------------------------------------------------------

void TdmTec::quOSAndamentoBeforePost(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, u"BEFOREPOST"_s);
    // Taken again: another line may have been saved since this one was created.
    if (quOSAndamento->state() == DatasetState::Insert)
        quOSAndamentoAACODIGO->setAsInteger(proximaLinha(quOSAndamentoAOCODIGO->asString()));
    if (quOSAndamentoAOITCODIGO->text().isEmpty())
        dmGlobal->MostraErro("Preenchimento do equipamento obrigatório");
    // With contracts a line may go without a description, never without
    // both it and a service (a refused code leaves the line empty).
    if (quOSAndamentoDESCRICAO->asString().isEmpty() &&
        (parametroAparado("ATUTILIZACONTRATOS") != "S" || quOSAndamentoPRCODIGO->asString().trimmed().isEmpty()))
        dmGlobal->MostraErro("Preenchimento da descrição do serviço obrigatório");
    if (parametroAparado("ATREMANUFATURA") == "S" && quOSAndamentoAAESPECIE->asString().isEmpty())
        dmGlobal->MostraErro("Preenchimento da Espécie de Recarga obrigatório");
    const QString modoEmpresa = parametroAparado("ATMODOEMPRESA");
    const double padrao = quOSAndamentoPRQUANTIDADEPADRAO->asFloat();
    if ((modoEmpresa == "P" || modoEmpresa == "1") && padrao > 0 && quOSAndamentoAAQUANTIDADE->asFloat() != padrao &&
        !VerificaValidadeSenha(dmGlobal->Parametro("ATSENHAOPERACOESESPECIAIS"),
                               "Qtde. informada difere da qtde. padrão do produto. Informa a senha para operações "
                               "especiais para continuar."))
        host::abortOperation();
    try {
        if (ordemDeRemanufaturaOuCompra(*this) &&
            (quOSAndamento->state() == DatasetState::Insert || quOSAndamentoAAQUANTIDADEREQUERIDA->asFloat() == 0)) {
            if (quOSAndamentoAAQUANTIDADEREQUERIDA->asFloat() == 0) {
                double quantidade = 0;
                if (SelecionaValorNumerico("Quantidade", "Informe a quantidade desejada:", quantidade))
                    quOSAndamentoAAQUANTIDADEREQUERIDA->setAsFloat(quantidade);
            }
            // The items and the placeholder's deletion belong to this line: they
            // are taken back when its save fails (DesfazerItensDoServico). The
            // header's re-total after the placeholder's deletion commits: that
            // commit waits for the line.
            itemAnteriorDoServico_ = quOSAndamentoAOITCODIGO->value();
            esperaItensDoServico_ = std::make_unique<host::db::CommitHold>(*dmGlobal->IBTransaction1);
            itensDoServico_ = std::make_unique<host::db::Savepoint>(*dmGlobal->IBTransaction1);
            if (InserirItensPeloServico(quOSAndamentoAAQUANTIDADEREQUERIDA->asFloat(),
                                        quOSAndamentoPRCODIGO->asString(), quOSAndamentoAAESPECIE->asString(),
                                        quOSAndamentoAACODIGO->asInteger())) {
                // The placeholder item gives way to the items of the service. Without
                // a default equipment there is none: the items just made carry
                // code 0 and must stay.
                const int equipamentoPadrao = parametroAparado("ATEQUIPAMENTOPADRAO").toInt();
                if (equipamentoPadrao > 0 && quOSItem->locate("AOITEQUIPCODIGO", equipamentoPadrao))
                    quOSItem->remove();
                quOSAndamentoAOITCODIGO->setAsInteger(quOSItemAOITCODIGO->asInteger());
            } else {
                ConfirmarItensDoServico();
            }
        }
        // The span comes back in days: 13 minutes read as 12.999..., so the
        // entries' whole minutes are rounded, never cut.
        if (modoEmpresa == "T")
            quOSAndamentoAATOTAL->setAsInteger(static_cast<int>(std::lround(
                CarregaNumero("sum(AAitFIM - AAITINICIO)*24", "AATC01AAIT",
                              "Where aoCodigo =" + quOSAndamentoAOCODIGO->asString() +
                                  " and aaCodigo  =" + quOSAndamentoAACODIGO->asString()) *
                60)));
        if (parametroAparado("ATHORAPORQTDEIMPRESSA") == "S") {
            if (quOSAndamentoAHCODIGO->asInteger() > 0)
                precificarPorQuantidadeImpressa();
        } else {
            OSAndamentoCalculaTotalItem();
        }
        ZelDevVerificarEvento(&DataSet, u"BEFOREPOST"_s);
    } catch (...) {
        DesfazerItensDoServico();
        throw;
    }
}

// A line whose save fails after it inserted its items takes them back, the
// placeholder item returns, and the line points at its former item again.
void TdmTec::DesfazerItensDoServico()
{
    if (!itensDoServico_)
        return;
    itensDoServico_.reset();   // rolls back to the savepoint
    esperaItensDoServico_.reset();   // the commits asked meanwhile are forgotten
    quOSAndamentoAOITCODIGO->setValue(itemAnteriorDoServico_);
    CancelarAlteracoes(*quOSItem);
    quOSItem->close();
    quOSItem->open();
    // The header's re-total went with the savepoint: it shows what is stored again.
    if (quOS->active() && !quOS->editing() && !quOS->isEmpty())
        quOS->refresh();
}

void TdmTec::ConfirmarItensDoServico()
{
    if (!itensDoServico_)
        return;
    itensDoServico_->release();
    itensDoServico_.reset();
    esperaItensDoServico_->release();   // makes the commit asked meanwhile
    esperaItensDoServico_.reset();
}

void TdmTec::quOSAndamentoAfterPost(Dataset& DataSet)
{
    ConfirmarItensDoServico();
    // The vehicle's verification is recorded once the line that did it is
    // written, and committed with it: a refused or failed save records none.
    if (quOSAndamentoIVCODIGO->asInteger() > 0 && quOSAndamentoAAQUANTIDADE->asFloat() > 0 &&
        parametroAparado("ATSITUACAOPORITEM") == "S")
        AtualizarUltimaVerificacaoVeiculo(quOSAndamentoEVCODIGO->asInteger(), quOSAndamentoIVCODIGO->asInteger());
    dmGlobal->IBTransaction1->commitRetaining();
    // Brings the joined columns of what was saved (hour type, product, item).
    quOSAndamento->refresh();
    uDataTecLinhas::retotalizarOrdem(quOSAOCODIGO->asInteger(), "AATC01AA", "AATC01AP", true);
    if (quOSItem->active() && !quOSItem->isEmpty())
        quOSItem->refresh();
    ZelDevVerificarEvento(&DataSet, u"AFTERPOST"_s);
}

void TdmTec::quOSAndamentoAfterDelete(Dataset& DataSet)
{
    uDataTec::confirmarFilhos(exclusaoServico_);
    const QDateTime agora = QDateTime::currentDateTime();
    dmGlobal->GravaLog(IbUserName(), "Deletou Serviço da O.S.", "Número O.S./Código:" + sCodigoExcluido, "AATC01AA",
                       host::db::localDateTime(agora.date()), agora);
    uDataTecLinhas::retotalizarOrdem(quOSAOCODIGO->asInteger(), "AATC01AA", "AATC01AP", false);
    ZelDevVerificarEvento(&DataSet, u"AFTERDELETE"_s);
}

void TdmTec::quOSAndamentoCalcFields(Dataset&)
{
    const int minutos = quOSAndamentoAATOTAL->asInteger();
    quOSAndamentoTotalHoraReferente->setAsFloat(minutos > 0 ? Trunc2Casas(minutos / 60.0) : 0);
}

// ---- bindings ----------------------------------------------------------------------

void TdmTec::bindAndamentoHandlers()
{
    auto onField = [this](void (TdmTec::*handler)(Field&)) {
        return [this, handler](Field& field) { (this->*handler)(field); };
    };
    auto onText = [this](void (TdmTec::*handler)(Field&, const QString&)) {
        return [this, handler](Field& field, const QString& text) { (this->*handler)(field, text); };
    };
    quOSAndamentoPRCODIGO->onSetText = onText(&TdmTec::quOSAndamentoPRCODIGOSetText);
    quOSAndamentoPRCODIGO->onChange = onField(&TdmTec::quOSAndamentoPRCODIGOChange);
    quOSAndamentoPRCODIGOFORNECEDOR->onChange = onField(&TdmTec::quOSAndamentoPRCODIGOFORNECEDORChange);
    quOSAndamentoAHCODIGO->onChange = onField(&TdmTec::quOSAndamentoAHCODIGOChange);
    quOSAndamentoAAESPECIE->onChange = onField(&TdmTec::quOSAndamentoAAESPECIEChange);
    quOSAndamentoAAQUANTIDADE->onSetText = onText(&TdmTec::quOSAndamentoAAQUANTIDADESetText);
    for (Field* campo : {quOSAndamentoAAQUANTIDADE, quOSAndamentoAADESCONTO, quOSAndamentoAAVALOR})
        campo->onChange = onField(&TdmTec::quOSAndamentoAAVALORChange);
    for (Field* campo : {quOSAndamentoAAHORAINICIO, quOSAndamentoAAHORAFIM, quOSAndamentoAAMINUTODESCONTADO})
        campo->onChange = onField(&TdmTec::quOSAndamentoAAHORAINICIOChange);
    quOSAndamentoATCODIGO->onChange = onField(&TdmTec::quOSAndamentoATCODIGOChange);
    quOSAndamentoIVCODIGO->onChange = onField(&TdmTec::quOSAndamentoIVCODIGOChange);
    quOSAndamentoGRUPO->onChange = onField(&TdmTec::quOSAndamentoGRUPOChange);
    quOSAndamentoAOITEQUIPCODIGO->onChange = onField(&TdmTec::quOSAndamentoAOITEQUIPCODIGOChange);
    quOSAndamento->onDeleteError = [this](Dataset& d) { quOSAndamentoDeleteError(d); };
    quOSAndamento->onPostError = [this](Dataset&) { DesfazerItensDoServico(); };
}
