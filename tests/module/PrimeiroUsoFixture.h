#pragma once
// The demonstration company exactly as the first start leaves it on a fresh
// machine: the default database made by the start-up code in a data folder
// of its own, the module's upgrade run over it with the main window up, the
// demonstration documents loaded, and every parameter at its default. Built
// once per test program and copied for each test. Every message is noted;
// a refusal (a warning or an error) or an unexpected question fails the walk.

#include "tests/module/ContLocFixture.h"

#include <QStringList>

class TfmAssContCad;
class TfmAssContCadLocEquip;
class TfmAssEntradaEquip;
class TfmAssSolicitacao;
class TfmAssVendas;
class TfmCadastroHost;
class TMenuItem;

namespace moduletest {

// An assistance order's requested or configured lines: their table, tab and grid.
struct LinhasDoPedido {
    const char* tabela;
    host::ui::TabSheet* TfmAssVendas::*aba;
    host::ui::DataGrid* TfmAssVendas::*grade;
};
extern const LinhasDoPedido kLinhasDoPedido[2];

class PrimeiroUsoTest : public ContLocTest {
protected:
    QString templatePath() override;
    void SetUp() override;

    // The texts of the warnings and errors shown so far, and of the dialogs
    // the walk did not expect.
    QStringList recusas() const;
    // The user's click on the page's tab.
    static void clicaAba(host::ui::PageControl* paginas, host::ui::TabSheet* pagina);
    // The cell of a look-up column opened on the current row, its item
    // chosen by typing the start of its text, then Enter.
    static void escolheNaLista(host::ui::DataGrid* grade, const char* campo, const QString& inicio);
    // A click on the grid's current cell of the column, its editor waited
    // for; then Ctrl+Delete pressed in it.
    static void ctrlDeleteNaCelula(host::ui::DataGrid* grade, const char* campo);
    // On the parts request window: a new request of order 42 saved, then a
    // row of part P0003, quantity 2, its responsible chosen as MARIA in the
    // look-up cell (left open). The request's number.
    int pedidoDePecaComResponsavel(TfmAssSolicitacao& janela);
    // On the check-in window: the listed pieces confirmed, with the note
    // "Voltou sem avaria".
    void confirmaEntradaComObservacao(TfmAssEntradaEquip& janela);
    // The general search answered with the row whose column holds the value.
    void pesquisa(const QString& coluna, const QVariant& valor);
    // "Sistema > Parâmetros" from the menu: the parameter's cell typed, saved.
    void parametroNaJanela(const QString& nome, const QString& valor);
    // The demonstration's contracts found and deleted in the service register.
    void excluiContratosDaDemonstracao(TfmAssContCad& form);
    // The demonstration's two assistance documents deleted in their window.
    void excluiDocumentosDeAssistenciaDaDemonstracao();
    // "Cadastro de Contratos" from the menu: a new principal rental contract
    // "HZ-1" of the customer (contractor and billed), saved; the window.
    TfmAssContCadLocEquip& contratoDeLocacaoNovo(const QString& cliente);
    // "Cadastro de Produtos" opened from the Cadastros menu.
    TfmCadastroHost& cadastroDeProdutos();
    // In the product register, on the product shown: a row of the stock
    // grid for the location with what came in, then "Salvar". False when
    // the register shows no stock per location.
    bool estoqueNoLocal(TfmCadastroHost& produtos, const QString& local, const QString& entrada);
    // The register opened from the Cadastros menu on the record found by its text.
    static TfmCadastroHost* cadastroEm(TMenuItem* menu, const QString& sigla, const QString& texto);
    // "Excluir" confirmed on the register's record found by its text.
    void excluiNoCadastro(TMenuItem* menu, const QString& sigla, const QString& texto);
    // The product's stock at the store all gone out, then its location's row
    // deleted and the product saved.
    void estoqueBaixado(const QString& nome, const QString& entradas);
    // The assistance window opened on a new document of its kind
    // ("Proposta" or "Pedido") for customer 00004 with its contacts, saved.
    TfmAssVendas& novoDocumentoDeAssistencia(const QString& tipo);
    // On the assistance window: the lines' tab clicked, Insert pressed in
    // their grid and the product's code typed in the new line; the grid.
    static host::ui::DataGrid* linhaNoPedido(TfmAssVendas& venda, const LinhasDoPedido& linhas,
                                             const QString& produto);
    // The product register's detail grid that has the column, if any.
    static host::ui::DataGrid* detalheCom(TfmCadastroHost& produtos, const char* coluna);
    // A new row of the detail grid at the location with the column typed,
    // then "Salvar".
    static void linhaNoLocal(TfmCadastroHost& produtos, host::ui::DataGrid& grade, const QString& local,
                             const char* coluna, const QString& valor);
    // Every text shown so far, in order, for a failure's message.
    std::string vistos() const { return dialogs->texts().join(" | ").toStdString(); }
};

}  // namespace moduletest
