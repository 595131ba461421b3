#pragma once
// A piece (a serial number, a rental unit) is out on one contract line at a
// time. The save that puts it out holds a row that stands for the piece
// until its commit, then reads where the piece is: a second desk putting it
// out meanwhile meets the engine's lock error, told as a refusal, instead of
// putting it out twice.

#include "host/db/Database.h"

#include <QString>
#include <QStringView>

namespace host {

// The condition (" and ...") that the contract line (AATC05ACIT) under the
// alias has not come back: not returned by the check-in, closed or given
// back, as far as the table holds those marks. Empty without the contracts'
// lines table (no line can then be out).
struct CondicaoLinhaFora {
    bool linhas = false;
    QString naoVoltou;
};
CondicaoLinhaFora condicaoLinhaFora(db::Transaction& tr, const QString& alias);

// The select of the contract (ACCODIGO) of each contract line of the unit
// :UNIDADE, other than the line :ITEM, that has not come back. Empty without
// the contracts' lines table.
QString SelectContratosLinhaFora(db::Transaction& tr);

// The select of the contract (ACCODIGO) of each active vehicle line of the
// unit :UNIDADE that has not ended before the day :HOJE (an end before
// :ZERO, the zero date, is no end).
QString SelectContratosVeiculoAtivo();

// Holds the rows that stand for what is put out until the commit
// (db::holdRows: the table's rows of that key, the condition added).
// Another desk holding one of them: refused (message, abort) with "Aviso:
// operação abortada.\r" + oQue + " em gravação em outra estação neste
// momento: " + pecas + ". Tente novamente."
void SegurarPecas(db::Transaction& tr, QStringView tabela, db::NamedParams chave, const QString& condicao,
                  const QString& oQue, const QString& pecas);

// Puts the rental unit (AUGC20EV.EVCODIGO) out on the contract line
// (AATC05ACIT.ACITCODIGO, 0 while it has no key), in the current
// transaction: its register rows are held until the commit, and it is
// refused (message, abort) while another line, of this contract or another,
// has it and has not come back, or a vehicle line has it active, naming the
// contract that has it, or while another desk is putting it out. Three
// statements.
void TomarEquipamentoLocacao(int unidade, int item);

// Holds the rental unit's register rows until the commit (a rental line of
// a vehicle being written), refused while another desk holds them.
void SegurarEquipamentoLocacao(int unidade);

} // namespace host
