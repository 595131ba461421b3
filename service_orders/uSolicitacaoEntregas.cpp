#include "service_orders/uSolicitacaoEntregas.h"

#include "data/uDataTec.h"
#include "host/data/DataSource.h"
#include "host/data/Query.h"
#include "host/ui/DataGrid.h"

#include <QVBoxLayout>

host::ui::FormVar<TfmSolicitacaoEntregas> fmSolicitacaoEntregas("fmSolicitacaoEntregas");

TfmSolicitacaoEntregas::TfmSolicitacaoEntregas(QWidget* parent) : host::ui::Form(parent)
{
    setCaption("Entregas");
    dsEntregas = std::make_unique<host::data::DataSource>(nullptr, "dsEntregas", dmTec->quSolicitacaoItEnt);
    dbgdEntregas = new host::ui::DataGrid("dbgdEntregas");
    dbgdEntregas->setDataSource(dsEntregas.get());
    dbgdEntregas->addColumn("AICODIGO", {}, 70);
    dbgdEntregas->addColumn("AISEQUENCIAREF", {}, 90);
    dbgdEntregas->addColumn("AIENTQTDENTREGUE", {}, 90);
    dbgdEntregas->addColumn("AIENTDATAENTREGUE", {}, 120);
    dbgdEntregas->addColumn("RESPONSAVEL", "Responsável", 160);
    dbgdEntregas->addColumn("PRCODIGO", "Cód. Produto", 90);
    dbgdEntregas->addColumn("DESCRICAO", "Descrição Produto", 220);
    (new QVBoxLayout(this))->addWidget(dbgdEntregas);
    resize(860, 320);
    // Shown again on the next use.
    onClose = [](host::ui::CloseAction& action) { action = host::ui::CloseAction::Hide; };
}

TfmSolicitacaoEntregas::~TfmSolicitacaoEntregas()
{
    dbgdEntregas->setDataSource(nullptr);
}
