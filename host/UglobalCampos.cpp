// Uglobal: a dataset's field list for the free filters of search windows,
// the row count the searches show, and the test for the silent end of an
// operation.

#include "host/Uglobal.h"

#include "host/Udmglobal.h"
#include "host/data/Abort.h"
#include "host/data/Dataset.h"
#include "host/data/Field.h"

#include <QComboBox>

void CarregaCamposTabela(QComboBox* combo, const host::data::Dataset& dataset)
{
    // Every label in one insertion: a table has a hundred fields or more.
    QStringList rotulos;
    rotulos.reserve(dataset.fieldCount());
    for (const host::data::Field* campo : dataset.fields())
        rotulos << campo->displayLabel();
    combo->clear();
    combo->addItems(rotulos);
    combo->setCurrentIndex(-1);
}

int TotalRegistros(const QString& tabela)
{
    return host::db::selectValue(*dmGlobal->IBTransaction1, "select count(*) from " + tabela).toInt();
}

bool OperacaoAbortada(std::exception_ptr falha)
{
    try {
        if (falha)
            std::rethrow_exception(falha);
    } catch (const host::Abort&) {
        return true;
    } catch (...) {
    }
    return false;
}
