#pragma once
// The host package PilvCpr70: the customisation hook. This installation has
// no customisations, so the hook changes nothing; while recording is on
// (tests turn it on) it records each call, so that tests can check which
// events a data module reports, in which order.

#include <QString>
#include <QList>
#include <QStringList>

namespace host::data {
class Dataset;
}

// Called by the data modules' dataset handlers with the event in capitals
// ("ONNEWRECORD", "BEFOREPOST", ...). The result means nothing.
bool ZelDevVerificarEvento(host::data::Dataset* dataset, const QString& evento);

namespace host::ui {
class DataGrid;
}

// The default edit-button action of a grid: the search that belongs to the
// field of the selected column, by its name (customers for CLCODIGO and
// CODIGO_CLIENTE, products for PRCODIGO, technicians for ATCODIGO, ...; the
// table is in PilvCpr70Pesquisa.cpp). On a choice the row goes into edit and
// the field takes the chosen code. False when the field has no search or
// none was chosen.
bool AbrirPesquisaReferentePelaGrid(host::ui::DataGrid* grid);

namespace host {
struct HookCall {
    QString dataset;   // the dataset's name ("" for none)
    QString event;
};
// Off unless turned on: a session reports a dozen events an order, and a
// running application must not keep them all.
void recordHookCalls(bool on);
const QList<HookCall>& hookCalls();
void clearHookCalls();
// "quOS:BEFOREPOST" for each call, in order (short form for assertions).
QStringList hookCallTexts();
}  // namespace host
