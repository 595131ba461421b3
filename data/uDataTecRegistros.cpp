// Handlers of the registers (defects, technicians, equipment models,
// labour-hour types, situations, basic contracts): the delete audit, the
// customisation hook and the commit of each saved row.
//
// Delete audit: the before-delete handler leaves a text identifying the row in
// sCodigoExcluido; the after-delete handler writes the audit record with the
// label directly followed by that text.

#include "data/uDataTec.h"
#include "data/uDataTecExclusao.h"

#include "host/PilvCpr70.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/db/Database.h"

#include <stdexcept>

using host::data::Dataset;
using uDataTec::gravarExclusao;

namespace {

QString campo(const Dataset& dataset, const char* nome)
{
    return dataset.fieldByName(QString::fromLatin1(nome))->asString();
}

void guardarCodigoExcluido(const QString& texto)
{
    sCodigoExcluido = texto;
}

// The technician being deleted, for its after-delete handler.
QString tecnicoExcluido;

}  // namespace

void uDataTec::gravarExclusao(const QString& acao, const QString& rotulo, const QString& tabela)
{
    const QDateTime agora = QDateTime::currentDateTime();
    dmGlobal->GravaLog(IbUserName(), acao, rotulo + sCodigoExcluido, tabela, host::db::localDateTime(agora.date()),
                       agora);
}

void uDataTec::excluirFilhosAntes(std::unique_ptr<host::db::Savepoint>& guarda, const std::function<void()>& passos)
{
    guarda = std::make_unique<host::db::Savepoint>(*dmGlobal->IBTransaction1);
    try {
        passos();
    } catch (...) {
        guarda.reset();   // rolls back to the savepoint
        throw;
    }
}

void uDataTec::confirmarFilhos(std::unique_ptr<host::db::Savepoint>& guarda)
{
    if (!guarda)
        return;
    guarda->release();
    guarda.reset();
}

namespace {

uDataTec::ExclusaoContrato& exclusaoContratoInstalada()
{
    static uDataTec::ExclusaoContrato exclusao;
    return exclusao;
}

}  // namespace

void uDataTec::InstalarExclusaoContrato(ExclusaoContrato exclusao)
{
    exclusaoContratoInstalada() = std::move(exclusao);
}

const uDataTec::ExclusaoContrato& uDataTec::exclusaoContrato()
{
    const ExclusaoContrato& exclusao = exclusaoContratoInstalada();
    // Without it a contract would go with its forecasts and items left behind.
    if (!exclusao.antes || !exclusao.depois)
        throw std::logic_error("a exclusão de contratos não está disponível: o módulo de contratos não foi carregado");
    return exclusao;
}

void TdmTec::NotificarBeforePost(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "BEFOREPOST");
}

void TdmTec::NotificarBeforeClose(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "BEFORECLOSE");
}

// ---- defects ----

void TdmTec::quDefeitoBeforeDelete(Dataset& DataSet)
{
    recusarExclusaoEmUso(DataSet, campo(*quDefeito, "ADCODIGO") + " - " + campo(*quDefeito, "ADDESCRICAO"));
    guardarCodigoExcluido(campo(*quDefeito, "ADCODIGO") + "/" + campo(*quDefeito, "ADDESCRICAO"));
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
}

void TdmTec::quDefeitoAfterDelete(Dataset& DataSet)
{
    gravarExclusao("Deletou Cadastro de Defeito", "Código/Descrição:", "AATC02AD");
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

void TdmTec::quDefeitoAfterPost(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
    commitRetaining();
}

// ---- technicians ----

void TdmTec::quTecnicosBeforeDelete(Dataset& DataSet)
{
    // A login without a technician row is unrestricted.
    if (!UsuarioMestre())
        dmGlobal->MostraErro("Somente o usuário mestre exclui um técnico: o cadastro guarda as restrições do "
                             "usuário do sistema de mesmo nome.");
    recusarExclusaoEmUso(DataSet, campo(*quTecnicos, "ATCODIGO") + " - " + campo(*quTecnicos, "ATNOME"));
    tecnicoExcluido = campo(*quTecnicos, "ATCODIGO").trimmed();
    guardarCodigoExcluido(campo(*quTecnicos, "ATCODIGO") + "/" + campo(*quTecnicos, "ATNOME"));
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
}

void TdmTec::quTecnicosAfterDelete(Dataset& DataSet)
{
    // The models it served go with it: the next new technician takes this
    // code again and would inherit them.
    if (!tecnicoExcluido.isEmpty())
        DeletaRegistros("AATC06ATIT", "where ATCODIGO = " + tecnicoExcluido);
    tecnicoExcluido.clear();
    gravarExclusao("Deletou Cadastro de Técnicos", "Código/Técnico:", "AATC06AT");
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

void TdmTec::quTecnicosAfterPost(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
    commitRetaining();
}

void TdmTec::quTecnicosBeforeOpen(Dataset&)
{
    if (bDetectarErroSQL)
        dmGlobal->MostraAviso("Sql Tecnicos: \r" + quTecnicos->sql(), false);
}

void TdmTec::quTecEquipBeforeDelete(Dataset& DataSet)
{
    guardarCodigoExcluido(campo(*quTecEquip, "ATCODIGO") + "/" + campo(*quTecEquip, "EQUIPAMENTO"));
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
}

void TdmTec::quTecEquipAfterDelete(Dataset& DataSet)
{
    gravarExclusao("Equip./Aut. autorizados para técnicos", "Técnico/Equip. ou Aut.:", "AATC06ATIT");
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

// ---- equipment models (also the rental equipment's before delete) ----

void TdmTec::quEquipamentoBeforeDelete(Dataset& DataSet)
{
    // The text comes from the register's current row whichever dataset is deleting.
    if (&DataSet == quEquipamento)
        recusarExclusaoEmUso(DataSet, campo(DataSet, "AECODIGO") + " - " + campo(DataSet, "AEDESCRICAO"));
    else
        recusarExclusaoEmUso(DataSet, campo(DataSet, "EVCODIGO") + " - " + campo(DataSet, "EVMODELO"));
    QString texto = "/";
    if (quEquipamento->active() && !quEquipamento->isEmpty())
        texto = campo(*quEquipamento, "AECODIGO") + "/" + campo(*quEquipamento, "AEDESCRICAO");
    guardarCodigoExcluido(texto);
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
}

void TdmTec::quEquipamentoAfterDelete(Dataset& DataSet)
{
    gravarExclusao("Deletou Cadastro de Equipamento", "Código/Equipamento:", "AATC03AE");
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

void TdmTec::quEquipamentoAfterPost(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
    commitRetaining();
}

void TdmTec::quEquipamentoAfterScroll(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "AFTERSCROLL");
}

void TdmTec::quEquipamentoAfterOpen(Dataset& DataSet)
{
    dmGlobal->SetaMascaraFieldSemDisplay(DataSet);
}

// ---- labour-hour types ----

void TdmTec::quHoraTecnicaBeforeDelete(Dataset& DataSet)
{
    recusarExclusaoEmUso(DataSet, campo(*quHoraTecnica, "AHCODIGO") + " - " + campo(*quHoraTecnica, "AHDESCRICAO"));
    guardarCodigoExcluido(campo(*quHoraTecnica, "AHCODIGO") + "/" + campo(*quHoraTecnica, "AHDESCRICAO"));
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
}

void TdmTec::quHoraTecnicaAfterDelete(Dataset& DataSet)
{
    gravarExclusao("Deletou Hora Técnica", "Código/Descrição:", "AATC04AH");
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

void TdmTec::quHoraTecnicaAfterPost(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
    commitRetaining();
}

// ---- situations ----

void TdmTec::quOSSituacaoBeforeDelete(Dataset& DataSet)
{
    recusarExclusaoEmUso(DataSet, campo(*quOSSituacao, "ASCODIGO") + " - " + campo(*quOSSituacao, "ASDESCRICAO"));
    guardarCodigoExcluido(campo(*quOSSituacao, "ASCODIGO") + "/" + campo(*quOSSituacao, "ASDESCRICAO"));
    ZelDevVerificarEvento(&DataSet, "BEFOREDELETE");
}

void TdmTec::quOSSituacaoAfterDelete(Dataset& DataSet)
{
    gravarExclusao("Deletou Cadastro de Situação", "Código/Descrição:", "AATC01AS");
    ZelDevVerificarEvento(&DataSet, "AFTERDELETE");
}

void TdmTec::quOSSituacaoAfterPost(Dataset& DataSet)
{
    ZelDevVerificarEvento(&DataSet, "AFTERPOST");
    commitRetaining();
}

// ---- basic contracts: the contract register's delete, never the hook ----

void TdmTec::quContratoBeforeDelete(Dataset&)
{
    exclusaoContrato_ = uDataTec::exclusaoContrato().antes(quContratoACCODIGO->asInteger());
    contratoExcluido_ = quContratoACCODIGO->asInteger();
    guardarCodigoExcluido(campo(*quContrato, "ACCODIGO") + "/" + campo(*quContrato, "ACDESCRICAO"));
}

void TdmTec::quContratoAfterDelete(Dataset&)
{
    uDataTec::confirmarFilhos(exclusaoContrato_);
    uDataTec::exclusaoContrato().depois(contratoExcluido_);
    gravarExclusao("Deletou Contrato", "Código/Decsrição:", "AATC05AC");
}

void TdmTec::quContEquipBeforeDelete(Dataset&)
{
    guardarCodigoExcluido(campo(*quContEquip, "AECODIGO"));
}

void TdmTec::quContEquipAfterDelete(Dataset&)
{
    gravarExclusao("Deletou Equip./Aut. do Contrato", "Código:", "AUGC03CO");
}

void TdmTec::quContServBeforeDelete(Dataset&)
{
    guardarCodigoExcluido(campo(*quContServ, "COCIDADE") + "/" + campo(*quContServ, "COENDERECO"));
}

void TdmTec::quContServAfterDelete(Dataset&)
{
    gravarExclusao("Deletou Serviços do Contrato", "Código/Descrição:", "AUGC03CO");
}
