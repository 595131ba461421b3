#pragma once
// dmTec on a copy of a database whose module tables the schema upgrade has
// already brought up to date (built once per run), with scripted dialogs, and
// helpers that fill the rows the loaders select.

#include "tests/tec/TecFixture.h"

#include "host/ui/ScriptedDialogs.h"

#include <QStringList>

#include <memory>

namespace tectest {

class LoadersTest : public TecTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The values of one column over the rows of a dataset, in order.
    static QStringList coluna(host::data::Dataset& dataset, const QString& campo);

    void ordem(int codigo, const QString& cliente = "00001", const QString& tipo = "A", int situacao = 0);
    void item(int codigo, int ordem, int modelo = 0);   // ordem 0: attached to no order; modelo 0: none
    void modelo(int codigo, const QString& identificador);
    void situacao(int codigo, const QString& tipo, const QString& id);
    void tecnico(int codigo, const QString& nome, const QString& ativo);

    std::unique_ptr<host::ui::ScriptedDialogs> dialogos;
};

}  // namespace tectest
