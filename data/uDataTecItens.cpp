// The order items (quOSItem): defaults of a new item, the checks and the key
// of a save, what follows a save, and the deletion with the item's defects.
// The field rules are in uDataTecItensCampos.cpp and uDataTecItensSerie.cpp.

#include "data/uDataTec.h"
#include "data/uDataTecExclusao.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/data/HandlerGuard.h"
#include "host/db/Database.h"

using host::data::Dataset;
using host::data::DatasetState;
using host::data::Field;
using namespace Qt::StringLiterals;

namespace {

// Closes the host's shared auxiliary query on every way out of a rule.
struct FechaAuxiliar {
    ~FechaAuxiliar() { dmGlobal->quAuxiliar->close(); }
};

}  // namespace

void TdmTec::quOSItemNewRecord(Dataset& DataSet)
{
    {
        // The zeroed equipment code is no choice of equipment: filling the
        // new item from "register 0" would give a vehicle item the
        // description "Veículo - Placa " and let it pass the description check.
        host::data::DetachHandler semPreenchimento(quOSItemAOITEQUIPCODIGO->onChange);
        ZerarNumericField(*quOSItem);
    }
    quOSItemAOITVALORNFREMESSA->setAsFloat(0);
    quOSItemAOITQUANTIDADE->setAsFloat(1);
    quOSItemAOITKMINICIAL->setAsFloat(0);
    // A header still being inserted was saved by the before-insert, so it has its number.
    quOSItemAOCODIGO->setValue(quOSAOCODIGO->value());
    // The initial item situation; none registered leaves the item without one.
    static const QString situacaoInicial = u"where (asid = 'I') and astipo='I'"_s;
    quOSItemASCODIGO->setAsString(CarregaDado(u"ascodigo"_s, u"aatc01as"_s, situacaoInicial));
    ZelDevVerificarEvento(&DataSet, u"ONNEWRECORD"_s);
}

void TdmTec::quOSItemBeforeInsert(Dataset& DataSet)
{
    if (quOS->state() == DatasetState::Insert)
        SalvarAlteracoes(*quOS);
    RestricaoInserindoOS(DataSet, u"BEFOREINSERT"_s);
}

void TdmTec::quOSItemBeforeEdit(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, u"BEFOREEDIT"_s);
}

void TdmTec::quOSItemBeforePost(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, u"BEFOREPOST"_s);
    if (quOSItemAOITEQUIPDESCRICAO->asString().trimmed().isEmpty() && parametro("ATMODOOS") != "D")
        dmGlobal->MostraErro("Preenchimento do equipamento obrigatório");
    VerificaEquipamentoOSCadastro();
    if (parametro("ATCONTROLEOS") == "P" && quOS->tag() != kTagAlteracaoInterna)
        OSSalvarMotivoAlteracao("Atualização de Item da OS", quOSItemASCODIGO->asInteger());
    ZelDevVerificarEvento(&DataSet, u"BEFOREPOST"_s);
    if (bDetectarErroSQL)
        SalvarSQLQuery(*quOSItem);
    // The key is taken once, on the first save; an item being edited keeps its own.
    if (quOSItem->state() == DatasetState::Insert)
        quOSItemAOITCODIGO->setAsInteger(
            CarregaNumeroInteiro(u"gen_id(gen_aoitcodigo,1)"_s, u"rdb$database"_s, {}, dmGlobal->quAuxiliar));
    if (bDetectarErroSQL)
        dmGlobal->MostraAviso("BeforePost " + dmGlobal->quAuxiliar->sql(), false);
}

void TdmTec::VerificaEquipamentoOSCadastro()
{
    // The settings that never offer a new model are read first, so a save
    // under them costs no count.
    const QString remanufatura = quOSAOREMANUFATURA->asString();
    const QString situacaoPorItem = parametro("ATSITUACAOPORITEM");
    if (parametro("ATRESTRICAOOS") == "B" || remanufatura == "R" || remanufatura == "C" || situacaoPorItem == "S"
        || situacaoPorItem == "M" || parametro("ATMODOOS") == "D")
        return;
    FechaAuxiliar fecha;
    const QString descricao = quOSItemAOITEQUIPDESCRICAO->asString();
    const int total = CarregaNumeroInteiro(u"count(*) as tot"_s, u"aatc03ae"_s,
                                           u"where upper(aedescricao) = "_s + QuotedStr(descricao.toUpper()),
                                           dmGlobal->quAuxiliar);
    if (total >= 1)
        return;
    if (MostraPergunta("Deseja inserir equipamento no cadastro?", {"Sim", "Não"}) != "Sim")
        return;
    // The new model is not linked to the item: its code stays as it was.
    const int codigo = CodigoDisponivelEquipamento();
    InsertTable("AATC03AE", {"AECODIGO", "AEDESCRICAO", "AEMARCA", "AEMODELO", "AECARROCERIAMARCA"},
                {codigo, descricao, quOSItemAOITMARCA->value(), quOSItemAOITMODELO->value(),
                 quOSItemAOITCARROCERIAMARCA->value()},
                dmGlobal->quAuxiliar, true);
    dmGlobal->IBTransaction1->commitRetaining();
}

void TdmTec::quOSItemAfterPost(Dataset& DataSet)
{
    dmGlobal->IBTransaction1->commitRetaining();
    quOSItem->refresh();
    // Counted again for each step, so a line the previous step made counts.
    auto semServicos = [&] {
        return CarregaNumero("COUNT(*)", "AATC01AA",
                             "WHERE AOCODIGO = " + quOSItemAOCODIGO->asString() +
                                 " AND AOITCODIGO = " + quOSItemAOITCODIGO->asString()) == 0;
    };
    const QString modo = parametro("ATMODOOS");
    if ((modo == "G" || modo == "1") && semServicos())
        OSInserirGarantiaCorrente();
    if (parametro("ATSITUACAOPORITEM") == "S" && semServicos())
        InserirItemVerificacaoVeiculoOS(quOSItemAOITEQUIPCODIGO->asInteger(), quOSItemAOCODIGO->asInteger(),
                                        quOSItemAOITCODIGO->asInteger(), quOSItemAOITKMINICIAL->asFloat());
    if (parametro("ATREMANUFATURA") == "S") {
        AtualizarItemRemanufatura();
        AtualizarOSCorrentePecas(quOSAOCODIGO->asInteger(), "AATC01AA", false);
    }
    if (parametro("ATMODOVEICULO") == "O")
        PerguntarSeguroVeiculoOS();
    if (parametro("ATRESTRICAOOS") == "B")
        OSSalvaAtualiza();
    ZelDevVerificarEvento(&DataSet, u"AFTERPOST"_s);
}

void TdmTec::quOSItemBeforeDelete(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, u"BEFOREDELETE"_s);
    // The defects go first, but under a savepoint and uncommitted: they are
    // kept when the item's own delete then fails (quOSItemDeleteError), and
    // become durable with the item's deletion.
    uDataTec::excluirFilhosAntes(exclusaoItem_, [&] {
        DeletaRegistros("AATC01AOAD", "where AOITCODIGO = " + ValueToSQL(quOSItemAOITCODIGO->value())
                                          + " AND AOCODIGO = " + ValueToSQL(quOSItemAOCODIGO->value()));
        sCodigoExcluido = quOSItemAOCODIGO->asString() + "/" + quOSItemAOITEQUIPCODIGO->asString();
        ZelDevVerificarEvento(&DataSet, u"BEFOREDELETE"_s);
    });
}

void TdmTec::quOSItemDeleteError(Dataset&)
{
    exclusaoItem_.reset();   // rolls back to the savepoint
}

void TdmTec::quOSItemExcluido()
{
    uDataTec::confirmarFilhos(exclusaoItem_);
}

void TdmTec::quOSItemBeforeOpen(Dataset&)
{
    quOSItemDescricaoSituacao->setVisible(parametro("ATMODOOS") == "E");
}

void TdmTec::quOSItemCalcFields(Dataset&)
{
    quOSItemEQUIPAMENTOCOMPLETO->setAsString(quOSItemAOITEQUIPDESCRICAO->asString() + "; "
                                             + quOSItemAOITMARCA->asString() + "; " + quOSItemAOITMODELO->asString()
                                             + "; " + quOSItemAOITSERIE->asString());
}
