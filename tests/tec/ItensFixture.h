#pragma once
// An order (10, customer 00001) loaded in dmTec with its items open, for the
// rules of the order items; helpers for the registers an item is filled from.

#include "tests/tec/LoadersFixture.h"

#include <QDateTime>
#include <QString>

namespace tectest {

class ItensTest : public LoadersTest {
protected:
    void SetUp() override;
    void TearDown() override;

    void parametro(const QString& nome, const QString& valor);
    // The company record's UGESPECIFICOEMPRESA.
    void empresa(int especifico);
    // A new item of the loaded order, with its description.
    void novoItem(const QString& descricao = "Furadeira");
    // Rows a second attachment sees: only what was committed.
    int linhasGravadas(const QString& tabela, const QString& condicao);

    // The customer-equipment list: answers with `escolhido` (0: cancelled)
    // and counts its calls.
    void listaEquipamentoCliente(int escolhido);

public:
    static int chamadasLista;
};

}  // namespace tectest
