#pragma once
// TqrAssOSSelecaoRelImp (qrAssOSSelecaoRelImp): the printed orders by item
// of the report selection ("Relatório de Ordem de Serviço por Seleção"),
// grouped by customer with customer and overall totals, over its own query
// quPesqRel. The selection window creates it for one print and frees it.

#include "service_orders/uAssOSSelecaoRelComum.h"

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

namespace host::data {
class Query;
}

class TqrAssOSSelecaoRelImp : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSSelecaoRelImp(QWidget* parent = nullptr);
    ~TqrAssOSSelecaoRelImp() override;

    // The answer to "Deseja imprimir tempo de serviço ou andamento?":
    // "Serviço" leaves the progress time empty, "Andamento" the service time;
    // anything else prints both.
    QString sResposta;

    std::unique_ptr<host::data::Query> quPesqRel;
    std::unique_ptr<host::report::Report> QuickRep1;
    host::report::Band* qrbnColunas = nullptr;
    host::report::Band* qrbnDetalhe = nullptr;
    host::report::Band* qrbnGrupoCliente = nullptr;
    host::report::Band* qrbnRodapeCliente = nullptr;
    host::report::Band* qrbnResumo = nullptr;
    uAssOSSelecaoRel::ColunaSelecao qrEquipamento, qrSerie, qrHoras, qrHorasAndamento;

private:
    void criarTotais(host::report::Band& band, const QString& sufixo, const QString& caption);
    void QuickRep1BeforePrint();
};

extern host::ui::FormVar<TqrAssOSSelecaoRelImp> qrAssOSSelecaoRelImp;
