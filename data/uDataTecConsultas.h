#pragma once
// The stored statements of TdmTec's queries, for the loaders that rebuild a
// query's text from them (a rebuilt text replaces the stored one in the query).

#include <QString>

namespace uDataTec {

// "select ... from ... joins" of the query, without condition and order.
QString selectArmazenado(const QString& consulta);
// The whole stored statement: select, condition and order.
QString consultaArmazenada(const QString& consulta);
// The stored condition alone ("" when none).
QString condicaoArmazenada(const QString& consulta);

}  // namespace uDataTec
