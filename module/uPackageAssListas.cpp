// Ad-hoc lists on the host's generic search window: coverages, a customer's
// equipment, the details of a contract item, the equipment picker and the
// defects of an order item.

#include "module/uPackageAss.h"

#include "module/uPackageAssDados.h"

#include "data/uDataTec.h"
#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/data/Query.h"
#include "host/ui/Components.h"
#include "host/ui/Layouts.h"

#include <stdexcept>

namespace uPackageAss {

namespace {

using host::ui::DataGrid;
using host::ui::GridColumn;
using host::ui::Layouts::restoreGrid;
using host::ui::Layouts::saveGrid;

// A new search window over the dataset, held in fmPesquisa.
TfmPesquisa& novaPesquisa(host::data::Dataset* dataset, const QString& caption, int largura)
{
    auto* janela = new TfmPesquisa(nullptr);
    fmPesquisa = janela;
    janela->setDataset(dataset);
    janela->setCaption(caption);
    janela->setClientWidth(largura);
    return *janela;
}

void liberarPesquisa(TfmPesquisa* janela)
{
    if (janela)
        janela->release();
    if (fmPesquisa.get() == janela)
        fmPesquisa.clear();
}

// Runs a modal list, then closes its dataset and frees its window (emptying
// fmPesquisa) whichever way it ended.
template <class Corpo>
void executarLista(host::data::Dataset& dataset, TfmPesquisa*& janela, Corpo corpo)
{
    try {
        corpo();
    } catch (...) {
        dataset.close();
        liberarPesquisa(janela);
        throw;
    }
    dataset.close();
    liberarPesquisa(janela);
}

GridColumn& coluna(DataGrid& grid, const QString& campo, const QString& titulo, int largura)
{
    return *grid.addColumn(campo, titulo, largura);
}

host::data::Query& consultaDoContrato(const char* nome)
{
    host::data::Query* query = dados::consultaContrato(QString::fromLatin1(nome));
    if (!query)
        throw std::runtime_error(std::string("módulo de contratos sem a consulta ") + nome);
    return *query;
}

// The code of the host's current customer record ("" when none is loaded).
QString clienteCorrente()
{
    host::data::Query* cliente = dmGlobal->quClienteConsulta;
    if (!cliente || !cliente->active() || cliente->isEmpty())
        return {};
    host::data::Field* codigo = cliente->findField("CODIGO_CLIENTE");
    return codigo ? codigo->asString() : QString();
}

}  // namespace

void AbrirListaCoberturas()
{
    host::data::Query& coberturas = consultaDoContrato("quCtrCobertura");
    coberturas.open();
    TfmPesquisa* janela = &novaPesquisa(&coberturas, "Cadastro de Coberturas", 400);
    executarLista(coberturas, janela, [&] {
        DataGrid& grid = *janela->grid();
        const std::pair<const char*, const char*> colunas[] = {{"ABCODIGO", "Código"},
                                                                {"ABDESCRICAO", "Descrição"},
                                                                {"ABPECAS", "Peças"},
                                                                {"ABMDO", "Mão de Obra"},
                                                                {"ABDESLOCA", "Deslocamento"}};
        for (const auto& [campo, titulo] : colunas)
            coluna(grid, campo, QString::fromUtf8(titulo), -1);
        for (int i = 2; i < 5; ++i)
            grid.columns()[size_t(i)]->setPickList({"Sim", "Não"});
        janela->showModal();
    });
}

void AbrirListaEquipamentosCliente()
{
    host::data::Query& equipamentos = *dmTec->quEquipCli;
    dados::carregaEquipamentoCliente(clienteCorrente(), 0);
    TfmPesquisa* janela = &novaPesquisa(&equipamentos, "Equipamentos do Cliente", 600);
    executarLista(equipamentos, janela, [&] {
        janela->setSearchKind(29);
        DataGrid& grid = *janela->grid();
        coluna(grid, "AECODIGO", "Código ", 100).setButtonStyle(GridColumn::ButtonStyle::Ellipsis);
        coluna(grid, "aeDESCRICAO", "Descrição", 400).setReadOnly(true);
        // The list edits the customer's equipment in place: a piece goes with Ctrl+Delete.
        grid.setDeleteKey(true);
        host::ui::setPopupMenu(&grid, dmGlobal->puGeral);
        restoreGrid(&grid, "fmPesquisa_EquipamentoCliente");
        janela->showModal();
        saveGrid(&grid, "fmPesquisa_EquipamentoCliente");
    });
}

void AbrirListaDetalheItemContrato()
{
    host::data::Query& detalhes = consultaDoContrato("quCtrCadastroDet");
    dados::carregaContratoItemDetalheCorrente();
    TfmPesquisa& janela = novaPesquisa(&detalhes, "Detalhe/Composição de Item do Contrato", 600);
    janela.setSearchKind(31);
    janela.setStayOnTop(true);
    // It stays open beside the contract; closing it frees it.
    janela.setDefaultCloseAction(host::ui::CloseAction::Free);
    DataGrid& grid = *janela.grid();
    coluna(grid, "PRCODIGO", "Código Produto", 100).setButtonStyle(GridColumn::ButtonStyle::Ellipsis);
    coluna(grid, "DESCRICAO", "Descrição", 200);
    coluna(grid, "ACDTQUANTIDADE", "Qtde.", 70);
    coluna(grid, "ACDTOBSERVACAO", "Observação", 200);
    restoreGrid(&grid, "dbgdPesquisa_ContratoItemDetalhe");
    janela.showNonModal();
}

bool SelecionaEquipamentoCliente(int equipamento, const QString& cliente, int& escolhido)
{
    CriarDataTec();
    host::data::Query& equipamentos = *dmTec->quEquipCli;
    TfmPesquisa* janela = nullptr;
    bool confirmado = false;
    executarLista(equipamentos, janela, [&] {
        dados::carregaEquipamentoCliente(cliente, equipamento);
        janela = &novaPesquisa(&equipamentos, "Equipamentos do Cliente", 700);
        janela->setSearchKind(37);
        DataGrid& grid = *janela->grid();
        host::ui::createGridColumn(grid, 70, "Seq.", "AECLCODIGO");
        host::ui::createGridColumn(grid, 300, "Descrição", "aeDESCRICAO");
        host::ui::createGridColumn(grid, 200, "Série", "AECLNUMEROSERIE");
        host::ui::createGridColumn(grid, 200, "Patrimônio", "AECLNUMEROPATRIMONIO");
        grid.setRowSelect(true);
        grid.setEditing(false);
        host::ui::setPopupMenu(&grid, dmGlobal->puPesq);
        restoreGrid(&grid, "fmPesquisa_SelecionaEquipamentoCliente");
        confirmado = janela->showModal() == host::ui::ModalResult::Ok;
        saveGrid(&grid, "fmPesquisa_SelecionaEquipamentoCliente");
        // Whichever way the list closed, the caller gets the row it was on.
        host::data::Field* codigo = equipamentos.findField("AECLCODIGO");
        escolhido = codigo && equipamentos.active() && !equipamentos.isEmpty() ? codigo->asInteger() : 0;
    });
    return confirmado;
}

namespace {
// The item rules of the data module, which lies beneath this unit, open the
// list through this registration, made when the module loads.
[[maybe_unused]] const bool equipamentoClienteRegistrado =
    (RegistrarSelecionaEquipamentoCliente(&SelecionaEquipamentoCliente), true);
[[maybe_unused]] const bool defeitosItemRegistrado = (RegistrarSelecionaDefeitoItem(&SelecionaDefeitoItem), true);
}  // namespace

void SelecionaDefeitoItem(int ordem, int item, double chaveDocumento, int sequenciaDocumento)
{
    CriarDataTec();
    TdmTec& tec = *dmTec;
    host::data::Query& defeitos = *tec.quOSItemDef;
    TfmPesquisa* janela = nullptr;
    executarLista(defeitos, janela, [&] {
        tec.iDefeitoAOCODIGO = ordem;
        tec.iDefeitoAOITCODIGO = item;
        tec.rDefeitoMECHAVE = chaveDocumento;
        tec.iDefeitoMEITSEQUENCIA = sequenciaDocumento;
        dados::carregaDefeitoItem(ordem, item, chaveDocumento, sequenciaDocumento);
        janela = &novaPesquisa(&defeitos, "Defeitos do Item", 500);
        janela->setSearchKind(42);
        DataGrid& grid = *janela->grid();
        coluna(grid, "ADCODIGO", "Código", 50).setButtonStyle(GridColumn::ButtonStyle::Ellipsis);
        coluna(grid, "ADDESCRICAO", "Defeito", 250);
        coluna(grid, "AOADQUANTIDADE", "Qtde.", 50);
        host::ui::setPopupMenu(&grid, dmGlobal->puGeral);
        restoreGrid(&grid, "dbgdPesquisa_SelecionaDefeitoItem");
        janela->setObjectName("SelecionaDefeitoItem");
        CarregarConfiguracaoJanela(janela, bModoZeltoControlAtivo, false, "_Pesq_SelecionaDefeitoItem");
        janela->showModal();
    });
}

}  // namespace uPackageAss
