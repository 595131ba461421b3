#pragma once
// The register window's data rules (UcadastroHostDados.cpp), apart from its
// controls.

#include "host/UcadastroHost.h"
#include "host/data/Query.h"

#include <QByteArray>
#include <QVariant>

#include <vector>

namespace host::cadastro {

// The list of the register: the rows of its filter whose code or name holds
// :PESQUISA ("%TEXT%"), by name.
QString sqlSelecao(const Descricao& d);
// Which rows of the detail's table belong to the register's row :CODIGO:
// those linked to it and holding the detail's fixed values (the table may
// hold other registers' rows under the same code).
QString condicaoDetalhe(const Detalhe& d);
// The rows of a detail of the register's row :CODIGO.
QString sqlDetalhe(const Detalhe& d);
QStringList colunasRegistro(const Descricao& d);
QStringList colunasDetalhe(const Detalhe& d);
// Insert, modify and delete of a row by its key (the writes are guarded); a
// detail's rows by their code within the register's row (the `ligacao`
// column): a code typed per row (a stock location) repeats across the
// register's rows.
void prepararEscrita(host::data::UpdateSql& update, const char* tabela, const QStringList& todas, const char* chave,
                     const char* ligacao = nullptr);
// Captions, requirements, masks and pick lists of the fields; the code
// read-only where the numbering gives it.
void prepararCampos(host::data::Dataset& dados, const Chave& chave, const std::vector<Campo>& campos);
// The code of a new row, from the numbering, when none was typed.
void numerar(host::data::Dataset& dados, const Chave& chave, const char* tabela);
// A code typed per row names one row of the register's row (`registro`, as
// the messages name it): a new row under a code it already has is refused,
// and a code another desk is saving at once too.
void exigirCodigoLivre(const host::data::Dataset& linha, const Detalhe& d, const QString& registro);
void preencherFixos(host::data::Dataset& dados, const QVariantMap& fixos);
// The options of the fields that list another register's rows, read now
// (one statement per such field).
void lerOpcoes(std::vector<Campo>& campos);
// The record as a message names it: its code and name ("00012 - Prensa").
QString nomeDoRegistro(const host::data::Dataset& dados, const char* chave, const char* nome);

// A detail's rows as the register shows them: a row the user deletes
// leaves the grid at once and its table only when the register is saved.
class LinhasDetalhe : public host::data::Query {
public:
    using Query::Query;
    bool exclusoesPendentes() const { return !excluidas_.empty(); }
    // The deletes held so far written, each guarded as its row was read
    // (a row another desk changed meanwhile refuses it); the caller
    // commits them or undoes them together.
    void gravarExclusoes();
    void esquecerExclusoes() { excluidas_.clear(); }

protected:
    void writeDelete(RowValues oldValues) override;

private:
    std::vector<std::vector<QVariant>> excluidas_;
};

// The places of the register and of its details that this database has;
// a detail's place checks the register's code through the detail's rows
// (their conditions are kept in textos).
struct Usos {
    std::vector<UsoDeCadastro> registro;
    std::vector<std::vector<UsoDeCadastro>> detalhes;   // per detail, its rows' own places
    std::vector<QByteArray> textos;
};
Usos usosExistentes(const Descricao& d);

}  // namespace host::cadastro
