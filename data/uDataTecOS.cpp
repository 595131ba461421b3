// Delete audit and guard conventions of the service-order datasets. The audit
// texts of the header, items and accessories are left in sCodigoExcluido by
// their before-delete handlers; parts and service lines pass the edit guard
// before anything else happens.

#include "data/uDataTec.h"
#include "data/uDataTecExclusao.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/db/Database.h"

using host::data::Dataset;
using uDataTec::gravarExclusao;

void TdmTec::quOSAfterDelete(Dataset& DataSet)
{
    // Writes the audit record too, before the deletion's commit.
    ExcluirDependentesOS();
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

void TdmTec::quOSItemAfterDelete(Dataset& DataSet)
{
    quOSItemExcluido();
    // The order's totals lose the deleted item's lines before the audit is written.
    const int ordem = quOSAOCODIGO->asInteger();
    AtualizarOSCorrentePecas(ordem, "AATC01AP", false);
    AtualizarOSCorrentePecas(ordem, "AATC01AA", false);
    gravarExclusao("Deletou Itens da O.S.", "Número O.S./Equip. ou Aut.:", "AATC01AOIT");
    // The header's new totals committed the deletion: the audit goes with it.
    dmGlobal->IBTransaction1->commitRetaining();
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

void TdmTec::quOSAcessoriosAfterDelete(Dataset& DataSet)
{
    gravarExclusao("Deletou Acessório da O.S.", "Número O.S./Acessório:", "AATC01AR");
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

void TdmTec::quOSAcessoriosBeforeDelete(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, "BEFOREDELETE");
    sCodigoExcluido = quOSAcessoriosAOCODIGO->asString() + "/" + quOSAcessoriosARDESCRICAO->asString();
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
}

void TdmTec::quOSAcessoriosAfterPost(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
    dmGlobal->IBTransaction1->commitRetaining();
}

void TdmTec::quOSPecasBeforeDelete(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, "BEFOREDELETE");
    sCodigoExcluido = quOSPecasPRCODIGO->asString();
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
}

void TdmTec::quOSAndamentoBeforeDelete(Dataset& DataSet)
{
    RestricaoInserindoOS(DataSet, "BEFOREDELETE");
    // The line's number is taken again by the order's next line: its time
    // entries and defects go with it, under a savepoint and uncommitted, so
    // that a failed delete of the line keeps them (quOSAndamentoDeleteError).
    uDataTec::excluirFilhosAntes(exclusaoServico_, [&] {
        const QString linha = "where AOCODIGO = " + ValueToSQL(quOSAndamentoAOCODIGO->value())
                              + " and AACODIGO = " + ValueToSQL(quOSAndamentoAACODIGO->value());
        DeletaRegistros("AATC01AAIT", linha);
        DeletaRegistros("AATC01AAAD", linha);
        sCodigoExcluido = quOSAndamentoAOCODIGO->asString() + "/" + quOSAndamentoPRCODIGO->asString();
        ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
    });
}

void TdmTec::quOSAndamentoDeleteError(Dataset&)
{
    exclusaoServico_.reset();   // rolls back to the savepoint
}
