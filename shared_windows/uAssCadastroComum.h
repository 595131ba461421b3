#pragma once
// What the registers of technicians, labour hours and equipment share: the
// named buttons of the button bar, the move that saves first, and the list
// report of a register's whole table that puts the register back afterwards.

#include <QString>

#include <functional>

class QBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace host::data {
class Dataset;
class Query;
}  // namespace host::data
class TqrRelatorio;

namespace uAssCadastroComum {

// A named button added to the bar; a click runs the action under the host's
// error handling (a refusal ends only that click).
QPushButton* BotaoCadastro(QWidget* janela, QBoxLayout* barra, const char* nome, const QString& texto,
                           std::function<void()> acao);

// What is typed into the edit turns to upper case as it is typed.
void MaiusculasAoDigitar(QLineEdit* edit);

// Saves the pending row, then moves to the previous or the next one.
void MoverSalvando(host::data::Dataset& dataset, bool proximo);

// Previews the host's list report over the register's query, opened on
// sqlTodos while it prints (empty: as it stands); `montar` gives the titles
// and columns. The report is freed afterwards and the query, when it was
// switched, goes back to its own statement and is opened again, on every way
// out.
void RelatorioCadastro(host::data::Query& registro, const QString& sqlTodos,
                       const std::function<void(TqrRelatorio&)>& montar);

}  // namespace uAssCadastroComum
