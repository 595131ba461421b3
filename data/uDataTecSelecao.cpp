// The defect picker of a service line: its defects and fixes in the host's
// generic search window, edited in place through quOSAndDef.

#include "data/uDataTec.h"

#include "host/Udmglobal.h"
#include "host/Upesq.h"
#include "host/ui/Components.h"
#include "host/ui/DataGrid.h"
#include "host/ui/Layouts.h"

#include <stdexcept>

namespace {

const char* const kLayout = "fmPesquisa_SelecionaOSAndamentoDefeito";

void liberar(TfmPesquisa* janela)
{
    if (janela)
        janela->release();
    if (fmPesquisa.get() == janela)
        fmPesquisa.clear();
}

}  // namespace

bool SelecionaOSAndamentoDefeito(int aoCodigo, int aaCodigo)
{
    if (!dmTec)
        throw std::logic_error("SelecionaOSAndamentoDefeito: the data modules are created by the caller");
    host::data::Query& defeitos = *dmTec->quOSAndDef;
    TfmPesquisa* janela = nullptr;
    bool confirmado = false;
    try {
        dmTec->CarregaOSAndamentoDefeito(aoCodigo, aaCodigo);
        janela = new TfmPesquisa(nullptr);
        fmPesquisa = janela;
        janela->setSearchKind(39);
        janela->setDataset(&defeitos);
        host::ui::DataGrid& grid = *janela->grid();
        grid.addColumn("ADCODIGO", "Código", 70)->setButtonStyle(host::ui::GridColumn::ButtonStyle::Ellipsis);
        grid.addColumn("ADDESCRICAO", "Defeitos/Solução", 300);
        host::ui::setPopupMenu(&grid, dmGlobal->puGeral);
        janela->setCaption("Defeitos/Soluções do Serviço");
        janela->setClientWidth(500);
        host::ui::Layouts::restoreGrid(&grid, kLayout);
        confirmado = janela->showModal() == host::ui::ModalResult::Ok;
        host::ui::Layouts::saveGrid(&grid, kLayout);
    } catch (...) {
        defeitos.close();
        liberar(janela);
        throw;
    }
    defeitos.close();
    liberar(janela);
    return confirmado;
}
