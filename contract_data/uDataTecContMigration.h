#pragma once
// The contract tables: what the creation of TdmTecContrato creates and widens,
// in three blocks, through the host's schema routines. Block 1 runs unless
// AATC05AC.TVCODIGO and AATC05CO.COCODIGO exist, block 2 unless
// AATC05ACITCO.PRCODIGO and AATC05FG.FGCODIGO exist, block 3 always; on an
// up-to-date database the whole run is ten existence checks.

#include <QString>

#include <functional>
#include <span>

namespace uDataTecContMigration {

struct Coluna {
    const char* tabela;
    const char* definicao;   // handed to CriarCampoTabela as is
};

// CREATE TABLE statements of the tables the module creates.
QString sqlCriarTabela(const QString& tabela);
// The contract types a new table of types starts with, beside the types the
// stored contracts carry.
std::span<const char* const> tiposContratoIniciais();
// The columns of the first block, in their order of addition.
std::span<const Coluna> colunasBloco1();
// The columns of the second block's first step.
std::span<const Coluna> colunasBloco2();
// The layout AATC05ACIT is created with: a table of an earlier layout gets
// the columns it lacks.
std::span<const Coluna> colunasItemCriado();

// The previous-value columns a readjustment writes and its undo reads,
// added by the third block when missing.
std::span<const Coluna> colunasDesfazerReajuste();

void atualizarTabelasContrato();

// Test seam: called before each column is offered; a test throws from it to
// leave the run half-way. Empty by default.
using ObservadorColuna = std::function<void(const Coluna&)>;
void setObservadorColuna(ObservadorColuna observador);

}  // namespace uDataTecContMigration
