#pragma once
// The host's picture viewer (unit Ufoto).

#include <QString>

namespace host::data {
class DataSource;
}

// The picture stored in the field of the source's current row, shown in a
// modal window ("fmFoto") until it is closed; nothing is changed.
void MostrarImagemCampo(host::data::DataSource* fonte, const QString& campo);
