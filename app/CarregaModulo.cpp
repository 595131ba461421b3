#include "app/CarregaModulo.h"

#include <QCoreApplication>
#include <QDir>

namespace app {

QString caminhoModulo(const QString& informado)
{
    if (!informado.isEmpty())
        return informado;
    return QDir(QCoreApplication::applicationDirPath()).filePath("techassist_module");
}

bool carregarModulo(QLibrary& biblioteca, const QString& caminho, Modulo& modulo, QString& erro)
{
    biblioteca.setFileName(caminho);
    if (!biblioteca.load()) {
        erro = biblioteca.errorString();
        return false;
    }
    modulo.CriarDataTec = reinterpret_cast<void (*)()>(biblioteca.resolve("CriarDataTec"));
    modulo.ShowJanelaTec = reinterpret_cast<void (*)(const QString&)>(biblioteca.resolve("ShowJanelaTec"));
    modulo.CriarDataTecContrato =
        reinterpret_cast<void (*)()>(biblioteca.resolve("_ZN11uPackageAss20CriarDataTecContratoEv"));
    if (!modulo.CriarDataTec || !modulo.ShowJanelaTec) {
        erro = "O módulo não exporta CriarDataTec e ShowJanelaTec: " + caminho;
        return false;
    }
    return true;
}

}  // namespace app
