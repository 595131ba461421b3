#include "service_orders/uPesqAssEquipamento.h"

#include "host/Udmglobal.h"
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
    static const QString kOrigem = "[SelecionaEquipamento]";
    dmGlobal->Log(kOrigem, "***INICIO");
    host::PesquisaDefinicao definicao{
        0, "Pesquisa de Equipamento", "fmPesquisaAssEquipamento",
        "select eq.AECODIGO, eq.AEDESCRICAO, eq.AEMARCA, eq.AEMODELO from AATC03AE eq", {}, "eq.AEDESCRICAO",
        {{"AECODIGO", "Código", 60, "eq.AECODIGO"},
         {"AEDESCRICAO", "Descrição", 260, "eq.AEDESCRICAO"},
         {"AEMARCA", "Marca", 120, "eq.AEMARCA"},
         {"AEMODELO", "Modelo", 120, "eq.AEMODELO"}},
        1};
    QVariantMap linha;
    const bool escolhido = host::executarPesquisa(definicao, {}, linha);
    if (escolhido) {
        iCodigo = host::valorPesquisa(linha, "AECODIGO").toInt();
        sDescricao = host::textoPesquisa(linha, "AEDESCRICAO");
    }
    dmGlobal->Log(kOrigem, "***FIM");
    return escolhido;
}
