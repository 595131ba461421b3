#pragma once
// The module's front door (unit uPackageAss): the lazy creation of the data
// modules with the hooks into the host's main menu, the window dispatcher,
// the self-test and the small services the host's other packages call.
//
// Every routine is a C++ function of the namespace uPackageAss (its
// unit-qualified name); the host looks the exported ones up by their plain
// names, declared extern "C" below. Loading the library creates nothing.

#include <QDateTime>
#include <QString>

class QObject;

namespace host::data {
class Query;
}

namespace uPackageAss {

// Creates dmTec and, when contracts are in use and the host's main window
// exists, dmTecContrato, and hooks five items of the host's contract menu.
// A failure is logged and shown ("Erro: ao abrir módulo Assistência."),
// then ends the operation; a module that failed is tried again next time.
void CriarDataTec();
// Creates dmTecContrato when it does not exist (failures reach the caller).
void CriarDataTecContrato();

// Opens the window of that name; see the table in uPackageAssJanelas.cpp.
void ShowJanelaTec(const QString& nome);
// The self-test of every class of the module through the host's form tester.
void ExecutarAutomatizacaoDeTeste();

// The service-order window on a new, unsaved order of the customer.
void AbreOrdemServicoCliente(const QString& cliente);
// Inserts a contract for the customer (its number is the customer code) and opens it.
void ContratoNovoAutomatico(const QString& cliente, const QString& conta);
// Modal list of a customer's equipment; true on OK. The chosen code receives
// the current row's AECLCODIGO whichever way the list was closed.
bool SelecionaEquipamentoCliente(int equipamento, const QString& cliente, int& escolhido);
// Modal list of the defects of an order item or of a sales-document item.
void SelecionaDefeitoItem(int ordem, int item, double chaveDocumento, int sequenciaDocumento);
// The query of the data modules with that component name (any letter case);
// the output is left as it is when none matches.
void RetornaTecQuery(const QString& nome, host::data::Query*& query);
// AOITCODIGO of quOSItem's current row, or -1 (closed, empty or code 0).
int RetornaTecOSItemCorrente();

// The ad-hoc lists of the dispatcher (host search window).
void AbrirListaCoberturas();            // "fmAssContCob"
void AbrirListaEquipamentosCliente();   // "fmAssEquipCli"
void AbrirListaDetalheItemContrato();   // "fmAssContCadDet"

}  // namespace uPackageAss

// The handlers bound to the host's contract menu and to its purchases item. The class has no state:
// its variable Formulario is never assigned, so the handlers are static.
class TFormulario {
public:
    static void AbreContrato(QObject* Sender);
    static void AbreFaturamento(QObject* Sender);
    static void AbreObjeto(QObject* Sender);
    static void AbreCobertura(QObject* Sender);
    static void AbreReajuste(QObject* Sender);
    static void AbreComprasCliente(QObject* Sender);
};
extern TFormulario* Formulario;

#define TA_EXPORT __attribute__((visibility("default")))

// The plain names the host resolves in the loaded library.
extern "C" {
TA_EXPORT void CriarDataTec();
TA_EXPORT void ShowJanelaTec(const QString& nome);
TA_EXPORT void AbreOrdemServicoCliente(const QString& cliente);
TA_EXPORT void ContratoNovoAutomatico(const QString& cliente, const QString& conta);
TA_EXPORT void SelecionaDefeitoItem(int ordem, int item, double chaveDocumento, int sequenciaDocumento);
TA_EXPORT void RetornaTecQuery(const QString& nome, host::data::Query*& query);
TA_EXPORT int RetornaTecOSItemCorrente();
// Service orders made for the host without the window: with `automatico` the
// periodic orders of the contracts whose period has come; otherwise, with
// code -123, the removal of the orders made from the stock document; any
// other code makes one order per qualifying item of the document (a code
// >= 0 with a product narrows it to that item). Only under this plain name.
TA_EXPORT void LancaOrdemServico(int codigo, const QString& cliente, const QString& serie, const QString& local,
                                 const QString& operacao, const QString& documento, const QString& produto,
                                 const QDateTime& dataDocumento, bool automatico);
}

// The signatures the host casts the resolved symbols to.
using TCriarDataTec = void (*)();
using TShowJanelaTec = void (*)(const QString&);
using TLancaOrdemServico = void (*)(int, const QString&, const QString&, const QString&, const QString&,
                                    const QString&, const QString&, const QDateTime&, bool);
