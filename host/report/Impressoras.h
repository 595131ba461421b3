#pragma once
// The system's printers as the classic printer object sees them: a list by
// name and the current one by its index there (-1: the default printer).
// Reports printed without a printer name go to the current one.

#include <QString>
#include <QStringList>

#include <optional>

namespace host::report {

QStringList impressorasInstaladas();
int indiceImpressora();
// An index outside the list selects the default printer (-1).
void selecionaImpressora(int indice);
// The index of a printer by name; -1 when it is not installed.
int indiceDaImpressora(const QString& nome);
// The name of the current printer; "" for the default one.
QString impressoraAtual();

// A stand-in for the system's list (tests and machines without a spooler);
// nullopt gives the system's list back. The current printer becomes the default.
void definirImpressorasInstaladas(const std::optional<QStringList>& lista);

}  // namespace host::report
