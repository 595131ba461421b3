#pragma once
// What the assistance-order rules of TdmTec share (internal to data/).

#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include <QDateTime>
#include <QString>

namespace pedidoass {

inline QString parametro(const char* nome)
{
    return dmGlobal->Parametro(QString::fromLatin1(nome));
}

// Today at midnight, the date the audit rows carry.
inline QDateTime hoje()
{
    return QDateTime(QDate::currentDate(), QTime(0, 0));
}

// The refusal prefix of the order rules' warnings.
inline const QString kAbortada = QStringLiteral("Aviso: operação abortada.\r");

// The display text of a status letter for an order ("1") or a proposal ("0").
QString textoStatus(const QString& tipo, const QString& status);
// "Pedido" for an order, "Proposta" for anything else.
QString textoTipo(const QString& tipo);

}  // namespace pedidoass
