#pragma once
// TqrAssOSTotalCliImp (qrAssOSTotalCliImp): the totalizer of service orders
// by customer of the report selection: per order, the list of its authorised
// service and parts lines without warranty and their total; per customer and
// overall, the sums of those lists. Over its own query quRelTotCli, which
// gives one row per combination of an order's items and lines: the lines are
// read again per order, so each value counts once. The object stays in its
// global between previews; a print frees it.

#include "service_orders/uAssOSSelecaoRelComum.h"

#include "host/ui/Form.h"
#include "host/ui/WindowRegistry.h"

#include <memory>

namespace host::data {
class Query;
}

class TqrAssOSTotalCliImp : public host::ui::Form {
    Q_OBJECT
public:
    explicit TqrAssOSTotalCliImp(QWidget* parent = nullptr);
    ~TqrAssOSTotalCliImp() override;

    // The selection window's equipment type ("Tipo Eqto/Aut"), "" when empty.
    QString sTipoEquipamento;

    // The text lines of an order's service lines, then its parts lines:
    // code (11), description (50) and value (12, right-aligned); each value
    // is added to the customer's and the overall total.
    QStringList ListaLinhasOS(const QString& sOrdem);
    // "Total da OS:": its authorised type-3 parts plus service lines.
    double TotalOS(const QString& sOrdem);

    double rTotalCliente = 0;
    double rTotalGeral = 0;

    std::unique_ptr<host::data::Query> quRelTotCli;
    std::unique_ptr<host::report::Report> QuickRep1;
    host::report::Band* qrbnTitulo = nullptr;
    host::report::Label* qrlaSubtitulo = nullptr;
    host::report::Band* qrbnDetalhe = nullptr;
    host::report::Band* qrbnGrupoCliente = nullptr;
    host::report::Band* qrbnGrupoOS = nullptr;
    host::report::Band* qrbnLinhas = nullptr;
    host::report::Memo* qrmeLinhas = nullptr;
    host::report::Band* qrbnRodapeOS = nullptr;
    host::report::Band* qrbnRodapeCliente = nullptr;
    host::report::Band* qrbnResumo = nullptr;

private:
    void criarGrupos();
    void QuickRep1BeforePrint();
    void qrbnLinhasBeforePrint(bool& printBand);
};

extern host::ui::FormVar<TqrAssOSTotalCliImp> qrAssOSTotalCliImp;
