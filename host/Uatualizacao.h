#pragma once
// The host's schema routines (unit Uatualizacao, upgrade form fmAtualizacao,
// and Uatualizacaostp). Every DDL statement is committed (retaining) at once,
// so the statement after it sees the change.

#include <QString>
#include <QStringList>

#include <vector>

class TfmAtualizacao {
public:
    // Creates the parts-request tables AATC07AI and AATC07AIENT when missing.
    void CriarTabelaSolicitacaoPecas();
    // The host's dated upgrade of its own tables: creates whatever host table
    // or column is missing. bMensagem shows "Atualização concluída." at the end.
    void Atualizacao22012004(bool bMensagem = false);
    // True when the column exists with exactly that size (characters).
    bool VerificaTamanhoCampo(const QString& tabela, const QString& coluna, const QString& tamanho);
    // Adds the column ("NAME TYPE ...") when the table lacks it; valorPadrao,
    // when given, is appended as the column's DEFAULT (an SQL literal). True
    // when the column was added.
    bool CriarCampoTabela(const QString& tabela, const QString& definicao, const QString& valorPadrao = {});
    // Changes a text column to that size (VARCHAR(n)), when it exists and differs.
    void AlterarTamanhoCampo(const QString& tabela, const QString& coluna, const QString& tamanho);
    // Each "TABLE.COLUMN" still SMALLINT becomes INTEGER (every stored value
    // and every reader stays valid); the others, missing ones included, are
    // left as they are. One read of the column types when none is left. A
    // key holding the column is taken off and put back in the same commit:
    // a widening refused or stopped leaves the key as it was.
    void AlargarParaInteiro(const QStringList& colunas);
    // Each "TABLE.COLUMN" still a VARCHAR shorter than tamanho becomes
    // VARCHAR(tamanho) in its own character set (stored texts stay as they
    // are); the others, missing ones included, are left alone. One read of
    // the column types when none is left.
    void AlargarTexto(const QStringList& colunas, int tamanho);
};

extern TfmAtualizacao* fmAtualizacao;

// Uatualizacaostp: creates the cost table AATC08AF when missing.
void CriarTabelaATCusto();

