#pragma once
// The windows asked for on the command line (--janela), opened through the
// module's dispatcher, with what was asked named when it opens nothing.

#include <QString>

namespace app {

// Opens `pedido` ("nome" or "nome;argumento") through `showJanelaTec`. An
// order window asked with an argument that is no order number, or the
// number of no order, is refused naming it; a name the dispatcher does not
// know is told with the name given.
void abrirJanelaPedida(const QString& pedido, void (*showJanelaTec)(const QString&));

}  // namespace app
