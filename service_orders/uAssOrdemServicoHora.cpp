#include "service_orders/uAssOrdemServicoHora.h"

#include "data/uDataTec.h"

#include "host/Udatamod.h"
#include "host/data/DataSource.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"
#include "host/ui/SearchWindow.h"

#include <QVBoxLayout>

host::ui::FormVar<TfmAssOrdemServicoHora> fmAssOrdemServicoHora("fmAssOrdemServicoHora");

TfmAssOrdemServicoHora::TfmAssOrdemServicoHora(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Horário de Execução do Serviço");
    setStayOnTop(true);
    setCentered(true);
    resize(420, 300);
    fonteHora_ = std::make_unique<host::data::DataSource>(nullptr, "dsHora", dmTec->quOSAndaIt);
    dsHora = fonteHora_.get();
    dbgdAssOrdemServicoHora = new host::ui::DataGrid("dbgdAssOrdemServicoHora", this);
    dbgdAssOrdemServicoHora->setDataSource(dsHora);
    dbgdAssOrdemServicoHora->addColumn("AAITDATA", {}, 100);
    dbgdAssOrdemServicoHora->addColumn("AAITINICIO", {}, 80);
    dbgdAssOrdemServicoHora->addColumn("AAITFIM", {}, 80);
    (new QVBoxLayout(this))->addWidget(dbgdAssOrdemServicoHora);
    dbgdAssOrdemServicoHora->onTitleClick = [this](host::ui::GridColumn& coluna) {
        dbgdAssOrdemServicoHoraTitleClick(coluna);
    };
    onShow = [this] { FormShow(); };
    // Freed on close, shown modally or not; its variable then reads empty.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Free; };
}

TfmAssOrdemServicoHora::~TfmAssOrdemServicoHora()
{
    // The grid goes before its data source.
    delete dbgdAssOrdemServicoHora;
}

void TfmAssOrdemServicoHora::FormShow() { SalvarConfiguracaoDBGrid(dbgdAssOrdemServicoHora, true); }

void TfmAssOrdemServicoHora::dbgdAssOrdemServicoHoraTitleClick(host::ui::GridColumn& Column)
{
    host::ui::sortByColumn(*dbgdAssOrdemServicoHora, Column);
    SalvarConfiguracaoDBGrid(dbgdAssOrdemServicoHora, false);
}

void SelecionaHorarioServico(int iOrdem, int iLinha)
{
    TfmAssOrdemServicoHora* janela = fmAssOrdemServicoHora.create();
    struct Liberacao {
        ~Liberacao()
        {
            if (TfmAssOrdemServicoHora* aberta = fmAssOrdemServicoHora.get())
                aberta->release();
            fmAssOrdemServicoHora.clear();
        }
    } liberacao;
    dmTec->CarregaOSAndamentoItem(iOrdem, iLinha);
    janela->showModal();
}
