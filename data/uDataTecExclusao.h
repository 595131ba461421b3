#pragma once
// The delete audit shared by every dataset of TdmTec: the before-delete
// handler leaves the row's text in sCodigoExcluido, the after-delete handler
// writes the record with the label directly followed by that text.

#include <QString>

namespace uDataTec {

void gravarExclusao(const QString& acao, const QString& rotulo, const QString& tabela);

}  // namespace uDataTec
