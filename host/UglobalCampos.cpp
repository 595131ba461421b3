// Uglobal: a dataset's field list for the free filters of search windows,
// the row counts the searches show (read no further than a limit), and the test for the silent end of an
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

QString SqlContagemLimitada(const QString& linhas)
{
    return QString("select Count(*) as TotReg from (\nselect first %1 1 as CONTADO\n").arg(kMaximoContado + 1) +
           linhas + "\n)";
}

QString NumeroContado(int contados)
{
    return contados > kMaximoContado ? "mais de " + QString::number(kMaximoContado) : QString::number(contados);
}

QString TextoEncontrados(int contados) { return "Registros Encontrados: " + NumeroContado(contados); }

int LinhasContadas(host::data::Dataset& lista)
{
    lista.fetchUpTo(kMaximoContado + 1);
    return lista.fetchedCount();
}

int TotalRegistros(const QString& tabela)
{
    return host::db::selectValue(*dmGlobal->IBTransaction1, SqlContagemLimitada("from " + tabela)).toInt();
}

QString TextoTotalRegistros(const QString& tabela) { return "Total de Registros: " + NumeroContado(TotalRegistros(tabela)); }

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
