#pragma once
// TqrAssVendasImp (qrAssVendasImp): the printed production order "Pedido de
// Locação": the order's customer, dates, delivery and supplies, then its
// lines with the value and serials of the configured ones. Created on the
// first print and kept for the next.

#include "rental/uAssVendasImpComum.h"

#include "host/ui/WindowRegistry.h"

class TqrAssVendasImp : public TqrAssVendasImpBase {
    Q_OBJECT
public:
    explicit TqrAssVendasImp(QWidget* parent = nullptr);

    host::report::RichText* qrrtEndEntrega = nullptr;

private:
    void criarTitulo();
};

extern host::ui::FormVar<TqrAssVendasImp> qrAssVendasImp;

// Previews the production order of the assistance order (NUMERO_PEDIDO).
void VisualizarPedidoProducaoAssVenda(const QString& pedido);
