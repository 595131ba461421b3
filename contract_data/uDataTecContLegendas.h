#pragma once
// The captions of the one-letter code columns of the contract datasets. Each
// mapping turns a stored code into the text shown and a typed or picked text
// back into the code stored.

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace uDataTecCont {

struct Mapeamento {
    QString dataset;
    QStringList campos;
    std::function<QString(const QString& codigo)> texto;    // code -> caption ("" when none)
    std::function<QString(const QString& texto)> codigo;    // caption -> code ("" clears the field)
};

// Every mapping, with the datasets and fields it is bound to.
const std::vector<Mapeamento>& mapeamentos();
const Mapeamento& mapeamento(const QString& dataset, const QString& campo);

}  // namespace uDataTecCont
