#pragma once
// The statements of the service-order report selection, one per search
// routine, as text built from the window's filter fields: a fixed select,
// one condition line per filled filter (the host's AdicionaFiltro), then the
// fixed group and order lines. Pure functions of the filters, so the window,
// the printed reports and the tests share them.

#include "host/data/Field.h"

#include <QDateTime>
#include <QString>

namespace uAssOSSelecaoRel {

// The texts of the filter fields as typed ("" for an empty field; dates as
// "dd/mm/yyyy").
struct FiltroSelecaoOS {
    QString clienteIni, clienteFim;   // edCliIni / edCliFim
    QString cliente;                  // edCliente (part of the name, kind 3)
    QString osIni, osFim;             // edOSIni / edOSFim: orders, or equipment in kind 2
    QString periodoIni, periodoFim;   // dePeriodoIni / dePeriodoFim
    QDateTime dataIni, dataFim;       // the same dates as values (kind 2); invalid when empty
    bool periodoCobranca = false;     // laPeriodo reads "Período Cob."
    QString atendente;                // edAtendente: attendant, or equipment type in kind 3
    QString tecIni, tecFim;           // edTecIni / edTecFim: equipment (kind 0) or technician (kind 1)
    QString servico;                  // EdServico
    QString campoOS;                  // the header field chosen in cbCamposOS ("" none)
    host::data::FieldType tipoCampoOS = host::data::FieldType::String;
    QString valorCampoOS;             // edCampoPesqOS
};

// Kind 0, grid and print: one row per order item with the item's service and
// parts totals, hours and a service description.
QString SqlSelecaoOS(const FiltroSelecaoOS& f);
// Kind 0, preview: one row per order item for the report data module.
QString SqlSelecaoItemOS(const FiltroSelecaoOS& f);
// Kind 1: one row per order item with the order's situation and technician.
QString SqlSelecaoSituacao(const FiltroSelecaoOS& f);
// Kind 2: the customers' equipment, one row per distinct item.
QString SqlClienteporEquipamento(const FiltroSelecaoOS& f);
// Kind 3: the orders with their items, parts and service lines, by customer.
QString SqlTotalizadorCliente(const FiltroSelecaoOS& f);

// The service and parts lines of an order listed by the totalizer: its
// authorised lines without warranty (type 3).
QString SqlServicosTotalizador(const QString& ordem);
QString SqlPecasTotalizador(const QString& ordem);
// "Total da OS:": the sums of those same lines.
QString SqlTotalServicosOS(const QString& ordem);
QString SqlTotalPecasOS(const QString& ordem);

// The first and second stock documents of an order in the invoice date range.
QString SqlPrimeiroDocumento(const QString& ordem, const QString& nfIni, const QString& nfFim);
QString SqlSegundoDocumento(const QString& ordem, const QString& primeiro, const QString& nfIni,
                            const QString& nfFim);

}  // namespace uAssOSSelecaoRel
