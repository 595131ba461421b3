#include "service_orders/uPesqAssEquipamento.h"

#include "host/Upesq.h"

host::ui::FormVar<TfmPesquisaAssEquipamento> fmPesquisaAssEquipamento("fmPesquisaAssEquipamento");

TfmPesquisaAssEquipamento::TfmPesquisaAssEquipamento(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa de Equipamento");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}

bool SelecionaEquipamento(int& iCodigo, QString& sDescricao)
{
    const host::PesquisaDefinicao modelos{
        0,
        "Pesquisa de Equipamento",
        "fmPesquisaAssEquipamento",
        "select ae.AECODIGO, ae.AEDESCRICAO, ae.AEMARCA, ae.AEMODELO from AATC03AE ae",
        {},
        "ae.AEDESCRICAO",
        {{"AEDESCRICAO", "Descrição", 220, "ae.AEDESCRICAO"},
         {"AECODIGO", "Código", 60, "ae.AECODIGO"},
         {"AEMARCA", "Marca", 100, "ae.AEMARCA"},
         {"AEMODELO", "Modelo", 100, "ae.AEMODELO"}},
        0};
    QVariantMap linha;
    if (!host::executarPesquisa(modelos, {}, linha))
        return false;
    iCodigo = host::valorPesquisa(linha, "AECODIGO").toInt();
    sDescricao = host::textoPesquisa(linha, "AEDESCRICAO");
    return true;
}
