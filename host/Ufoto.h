#pragma once
// The host's picture viewer (unit Ufoto).

#include <QByteArray>
#include <QString>

namespace host::data {
class DataSource;
}

// The picture stored in the field of the source's current row, shown in a
// modal window ("fmFoto") until it is closed; nothing is changed.
void MostrarImagemCampo(host::data::DataSource* fonte, const QString& campo);

// The picture of the host photo table FOTO under code, kind and sequence:
// false when there is no row (the picture may still be empty).
bool CarregaFotoTabela(const QString& codigo, const QString& id, int sequencia, QByteArray& foto);
