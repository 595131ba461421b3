#pragma once
// The host's register listings: a dataset of the caller shown whole in the
// host search window, modally, to browse and edit in its grid, and the two
// listings of contract data the host offers the contract register (the
// franchise per meter group of a contract and the meter readings of a
// contract item). Each posts what was left in edit when it closes and frees
// its window whichever way it ends.

#include <QString>

namespace host::data {
class Query;
}

// The dataset reopened on the statement and listed under the caption; its
// layout is kept under the table's name. The dataset stays open on the row
// the user left it on.
void AbreCadastroListagem(const QString& caption, const QString& tabela, const QString& sql,
                          host::data::Query* dataset);
// The franchise rows of the contract (the dataset's :ACCODIGO parameter).
void FranquiaPorGrupoContrato(int contrato, host::data::Query* franquias);
// The readings of the item (the dataset reopened on its readings, newest first).
void SelecionaContadoresContrato(int item, host::data::Query* leituras);
// The mileage readings of a rentable vehicle (AUGC20KM), newest first, to
// read and enter; a new reading belongs to the vehicle and takes the next
// number. The movement argument is kept for the callers (0: all).
void AbreMovimentoKMVeiculo(int movimento, int veiculo);
