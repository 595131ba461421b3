#pragma once
// The periodic service orders of the contracts, asked of the module by the
// host: headless from the command line (the host's scheduler runs
// "techassist --os-contratos"), or from the main window's contract menu.

#include <QDateTime>
#include <QString>
#include <QStringList>

class QLibrary;
class TfmPrincipal;

namespace app {

using LancaOrdemServico = void (*)(int, const QString&, const QString&, const QString&, const QString&,
                                   const QString&, const QString&, const QDateTime&, bool);

// The module's routine, or nullptr when the library does not export it.
LancaOrdemServico resolverLancaOrdemServico(QLibrary& biblioteca);

// Runs the automatic mode and returns one line per order it made
// ("OS 000000012  Contrato 5  Cliente 00002  Entrada 09/12/2026").
QStringList gerarOrdensContratos(LancaOrdemServico lanca);

// The contract menu's item runs the same job (the module shows its progress
// window) and tells the user what it made; without the routine the item
// stays disabled.
void ligarMenuOrdensContratos(TfmPrincipal& principal, LancaOrdemServico lanca);

// The command-line job: the lines on the standard output ("Nenhuma ordem de
// serviço gerada." when none) and the summary "N ordens geradas, M contratos
// com erro"; messages of the run (one line per failed contract) go to the
// error output. Exit codes below; 0 when every due contract got its order.
int executarOrdensContratos(LancaOrdemServico lanca);

constexpr int kSaidaContratosComErro = 1;   // the run ended, some contracts failed
constexpr int kSaidaSemRotina = 2;          // the module makes no periodic orders
constexpr int kSaidaFalhou = 7;             // the run itself failed (nothing after the failure was done)
constexpr int kSaidaOutraExecucao = 6;      // another run holds the database: nothing was done

}  // namespace app
