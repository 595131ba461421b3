#include "service_orders/uPesqAssOrdemServico.h"

#include "host/Upesq.h"

host::ui::FormVar<TfmPesquisaAssOrdemServico> fmPesquisaAssOrdemServico("fmPesquisaAssOrdemServico");

TfmPesquisaAssOrdemServico::TfmPesquisaAssOrdemServico(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Pesquisa de Ordem de Serviço");
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}

// Until the search window exists: the order items, newest order first.
bool SelecionaOrdemServico(int& iNumeroOrdem, int& iCodigoEquipamento, QString& SDescricao)
{
    const host::PesquisaDefinicao definicao{
        118, "Pesquisa de Ordem de Serviço", "fmPesquisaAssOrdemServicoItens",
        "select it.AOCODIGO, it.AOITEQUIPCODIGO, it.AOITEQUIPDESCRICAO, cl.NOME from AATC01AOIT it"
        " join AATC01AO os on os.AOCODIGO = it.AOCODIGO left join AUGC0301 cl on cl.CODIGO_CLIENTE = os.CLCODIGO",
        {}, "it.AOCODIGO desc",
        {{"AOCODIGO", "Nº OS", 70, "it.AOCODIGO"},
         {"AOITEQUIPDESCRICAO", "Equipamento", 200, "it.AOITEQUIPDESCRICAO"},
         {"NOME", "Cliente", 220, "cl.NOME"}},
        2};
    QVariantMap linha;
    if (!host::executarPesquisa(definicao, {}, linha))
        return false;
    iNumeroOrdem = host::textoPesquisa(linha, "AOCODIGO").toInt();
    iCodigoEquipamento = host::textoPesquisa(linha, "AOITEQUIPCODIGO").toInt();
    SDescricao = host::textoPesquisa(linha, "AOITEQUIPDESCRICAO");
    return true;
}
