#pragma once
// Loads the module library by name and resolves the entry routines the host
// drives it through.

#include <QLibrary>
#include <QString>

namespace app {

struct Modulo {
    void (*CriarDataTec)() = nullptr;
    void (*ShowJanelaTec)(const QString&) = nullptr;
    // The contract data module's creation, under its unit-qualified name;
    // nullptr when the library has none.
    void (*CriarDataTecContrato)() = nullptr;
};

// The library next to the executable ("techassist_module"), or the path given.
QString caminhoModulo(const QString& informado = {});
// Loads and resolves; false with the reason in erro when something is missing.
bool carregarModulo(QLibrary& biblioteca, const QString& caminho, Modulo& modulo, QString& erro);

}  // namespace app
