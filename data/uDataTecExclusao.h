#pragma once
// The delete audit shared by every dataset of TdmTec: the before-delete
// handler leaves the row's text in sCodigoExcluido, the after-delete handler
// writes the record with the label directly followed by that text.

#include <QString>

#include <functional>
#include <memory>

namespace host::db {
class Savepoint;
}

namespace uDataTec {

void gravarExclusao(const QString& acao, const QString& rotulo, const QString& tabela);

// A row's children deleted in its before-delete, under a savepoint kept in
// `guarda` and uncommitted: the row's delete error drops `guarda` (rolling
// them back), its after-delete confirms them with confirmarFilhos.
void excluirFilhosAntes(std::unique_ptr<host::db::Savepoint>& guarda, const std::function<void()>& passos);
void confirmarFilhos(std::unique_ptr<host::db::Savepoint>& guarda);

// A contract's delete is the contract data module's (its password, its
// billed instalments, what hangs on it), whichever register deletes it: the
// module installs it when it is made. `antes` refuses or removes under the
// savepoint it returns; `depois` follows the header's delete.
struct ExclusaoContrato {
    std::function<std::unique_ptr<host::db::Savepoint>(int contrato)> antes;
    std::function<void(int contrato)> depois;
};
void InstalarExclusaoContrato(ExclusaoContrato exclusao);
const ExclusaoContrato& exclusaoContrato();

}  // namespace uDataTec
