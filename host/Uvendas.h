#pragma once
// The host's sales unit (Uvendas): the routines of TfmVendas that other
// packages call without opening the sales window.

#include <QString>

class TfmVendas {
public:
    // Moves the stock of a sales order (AVEC8501/AVEC85IT). With bBaixar,
    // every item not yet moved (BAIXA other than "S") leaves its product's
    // stock (ACEC1101.ESTOQUE) and its location's position (ACEC11PO.POSAIDA;
    // the item's LECODIGO, else the current location; a missing position row
    // is created) and is marked BAIXA "S", as is the order; the serial
    // numbers whose current movement belongs to the order get an exit
    // movement (status "V"). An item already moved is never moved again.
    // With bLiberarReserva the reserved quantity of every product moved is
    // recomputed (TdmGlobal::Reservado), so lines now in the order no longer
    // hold it. The other options are not used by this host. Nothing is
    // committed. Returns the number of items moved.
    static int Estoque(const QString& pedido, bool bBaixar, bool bOpcao3, bool bLiberarReserva, bool bOpcao5,
                       bool bOpcao6, bool bOpcao7, bool bOpcao8, bool bOpcao9, bool bOpcao10, bool bOpcao11);
    // The same move for one item of the order (its line code), when it is
    // written already moved: marked BAIXA "S", the order's move passes it by.
    static void EstoqueItem(const QString& pedido, int item);
};
