#pragma once
// TqrAssVendasImp2 (qrAssVendasImp2): the printed rental order "Pedido de
// Locação e Serviço": the production order's lines under a title band that
// adds the contract, proposal, billing data and the order's value. Created on
// the first print and kept for the next.

#include "rental/uAssVendasImpComum.h"

#include "host/ui/WindowRegistry.h"

class TqrAssVendasImp2 : public TqrAssVendasImpBase {
    Q_OBJECT
public:
    explicit TqrAssVendasImp2(QWidget* parent = nullptr);

    host::report::RichText* qrrtEndEntrega = nullptr;
    host::report::RichText* qrrtEndCobranca = nullptr;

private:
    void criarTitulo();
};

extern host::ui::FormVar<TqrAssVendasImp2> qrAssVendasImp2;

// Previews the rental order of the assistance order (NUMERO_PEDIDO).
void VisualizarPedidoLocacaoAssVenda(const QString& pedido);
