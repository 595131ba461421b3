#include "host/report/Impressoras.h"

#include <QPrinterInfo>

namespace host::report {

namespace {

struct EstadoImpressoras {
    std::optional<QStringList> substituta;
    int indice = -1;
};

EstadoImpressoras& estadoImpressoras()
{
    static EstadoImpressoras estado;
    return estado;
}

}  // namespace

QStringList impressorasInstaladas()
{
    const EstadoImpressoras& estado = estadoImpressoras();
    return estado.substituta ? *estado.substituta : QPrinterInfo::availablePrinterNames();
}

int indiceImpressora()
{
    EstadoImpressoras& estado = estadoImpressoras();
    if (estado.indice >= impressorasInstaladas().size())
        estado.indice = -1;   // removed meanwhile
    return estado.indice;
}

void selecionaImpressora(int indice)
{
    estadoImpressoras().indice = indice >= 0 && indice < impressorasInstaladas().size() ? indice : -1;
}

int indiceDaImpressora(const QString& nome) { return nome.isEmpty() ? -1 : int(impressorasInstaladas().indexOf(nome)); }

QString impressoraAtual()
{
    const int indice = indiceImpressora();
    return indice < 0 ? QString() : impressorasInstaladas().value(indice);
}

void definirImpressorasInstaladas(const std::optional<QStringList>& lista)
{
    estadoImpressoras().substituta = lista;
    estadoImpressoras().indice = -1;
}

}  // namespace host::report
