#pragma once
// The host's registers (customers, products, operations, payment terms,
// standard histories, cash accounts): one window, TfmCadastroHost, made from
// a small description of each table. The user finds a record in the list
// (typed text searches the code and the name), adds, changes and removes it;
// a row still used elsewhere is not removed (the message names the places),
// required fields and formats are refused with a message, new codes come
// from the host's numbering, and another desk's change meanwhile refuses the
// save. A register may show the rows of one detail table (a customer's
// contacts) in a grid of their own, where a row is deleted with its button
// or Ctrl+Delete and goes from the table when the register is saved.

#include "host/Udatamod.h"
#include "host/ui/Form.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <vector>

class QLineEdit;
class QPushButton;

namespace host::data {
class Dataset;
class DataSource;
class Field;
class Query;
class UpdateSql;
}  // namespace host::data
namespace host::db {
class Savepoint;
}  // namespace host::db
namespace host::ui {
class DataGrid;
}  // namespace host::ui

namespace host::cadastro {

struct Usos;
class LinhasDetalhe;
enum class Tipo { Texto, Inteiro, Valor, Data, Lista, Memo };

// One column the register shows and writes.
struct Campo {
    const char* coluna;
    QString legenda;
    Tipo tipo = Tipo::Texto;
    bool obrigatorio = false;
    QString mascara;        // classic edit mask ("99999-999;1;_")
    QStringList opcoes;     // Lista: "code=caption" pairs
    bool naLista = false;   // also a column of the list grid
    // Lista of the rows of another register: "select CODE, DESCRIPTION ...",
    // read when the window opens (the options become "CODE - DESCRIPTION").
    const char* consulta = nullptr;
};

// How a new row gets its code.
enum class Numeracao {
    Digitada,    // typed by the user (operations: the fiscal code)
    Cadastral,   // the next free number of a text code, zero-filled (CodigoCadastralDisponivel)
    Gerador,     // an integer key from a generator (ProximaChave)
};

struct Chave {
    const char* coluna;
    Numeracao numeracao = Numeracao::Digitada;
    QString formato;           // Cadastral: "00000"
    const char* gerador = nullptr;
};

// The rows of a detail table that belong to the register's row.
struct Detalhe {
    QString titulo;            // "Contatos"
    const char* tabela;
    Chave chave;
    const char* ligacao;       // column holding the register's code
    QVariantMap fixos;         // columns set on every row (the contact's category)
    std::vector<Campo> campos;
    std::vector<UsoDeCadastro> usos;
    QString registro;          // the row as the messages name it: "o contato"
    QString botaoExcluir;      // the caption of its delete button: "Excluir contato"
    // Checks of the detail's row about to be saved, as the register's own.
    std::function<void(host::data::Dataset&)> conferir;
    // Run after a row of the detail is saved or removed, with the register's
    // code, before the commit (a total the register's row keeps).
    std::function<void(const QVariant& codigo)> aposGravar = {};
    // What else keeps a row from being deleted, as the refusal names it
    // ("possui estoque de 2,00"); empty when nothing does.
    std::function<QString(const host::data::Dataset&)> emUso = {};
};

struct Descricao {
    QString sigla;             // "PJ": the window is "fmCadastroPJ"
    QString titulo;            // "Cadastro de Pessoa Jurídica"
    QString registro;          // "o cliente"
    const char* tabela;
    Chave chave;
    const char* nome;          // the column searched with the code, shown first
    QString filtro;            // the rows of this register among the table's
    QVariantMap fixos;         // columns set on new rows (the person type)
    std::vector<Campo> campos;
    std::vector<UsoDeCadastro> usos;
    std::vector<Detalhe> detalhes;
    // Checks of the row about to be saved beyond required fields (a tax
    // number's digits); a refusal shows its message and aborts the save.
    std::function<void(host::data::Dataset&)> conferir;
    // Run after the row is saved, with its code, before the commit (a total
    // the row keeps of its details: a product's stock).
    std::function<void(const QVariant& codigo)> aposGravar = {};
    // Run as the row is deleted, with its code, in the same unit: what else
    // of it goes with it (the product's movements that name no document).
    std::function<void(const QVariant& codigo)> aoExcluir = {};
    // Run with the code of the stored row shown (the customer shown becomes
    // the host's current one, whose lists the module opens).
    std::function<void(const QVariant& codigo)> aoMostrar = {};
};

// "PF", "PJ", "OP", "TV", "HC", "CX", "PR"; null for any other.
const Descricao* descricao(const QString& sigla);

// The check digits of a CPF (11 digits) or a CNPJ (14 digits), punctuation
// ignored.
bool cpfValido(const QString& cpf);
bool cnpjValido(const QString& cnpj);

}  // namespace host::cadastro

class TfmCadastroHost : public host::ui::Form {
    Q_OBJECT
public:
    explicit TfmCadastroHost(const host::cadastro::Descricao& descricao, QWidget* parent = nullptr);
    ~TfmCadastroHost() override;

    const host::cadastro::Descricao& descricao() const { return descricao_; }
    host::data::Query& registros() const { return *quRegistro; }
    host::data::Query* detalhe(int i) const;
    // The control of a column of the register, null when it has none.
    QWidget* controle(const QString& coluna) const;

    QLineEdit* edPesquisa = nullptr;
    host::ui::DataGrid* dbgdLista = nullptr;
    QPushButton* bbNovo = nullptr;
    QPushButton* bbSalvar = nullptr;
    QPushButton* bbCancelar = nullptr;
    QPushButton* bbExcluir = nullptr;
    QPushButton* bbSair = nullptr;
    std::vector<host::ui::DataGrid*> dbgdDetalhes;
    std::vector<QPushButton*> bbExcluirDetalhes;   // one per detail grid

    // The list read again with the typed text; the row of the code shown
    // when given.
    void pesquisar(const QVariant& codigo = {});
    void novo();
    void salvar();
    void registroAlterado();
    // The typing let go, and the detail rows deleted since the last save shown again.
    void cancelar();
    void excluir();

private:
    struct DetalheAberto {
        const host::cadastro::Detalhe* descricao;
        std::unique_ptr<host::cadastro::LinhasDetalhe> query;
        std::unique_ptr<host::data::UpdateSql> update;
        std::unique_ptr<host::data::DataSource> fonte;
    };
    void criarDados();
    void criarControles();
    QWidget* criarCampos();
    QWidget* criarDetalhe(DetalheAberto& detalhe);
    void abrirDetalhes();
    // Leaving the record with detail rows deleted and not saved asks as
    // closing does; "Cancelar" stays on it (aborts).
    void deixarRegistro();
    // The details' rows deleted since the last save go from their tables,
    // with the totals the register's row keeps; a refusal undoes them all
    // to the save's savepoint and shows the rows as stored.
    void gravarExclusoes(host::db::Savepoint& ponto);
    bool exclusoesPendentes() const;
    // The deletes held let go, their rows shown again as stored.
    void desfazerExclusoes();
    // The deletes held let go and the detail's rows read again as stored.
    static void mostrarComoGuardadas(host::cadastro::LinhasDetalhe& linhas);

    // The window's own copy: the options of the look-up fields are read in.
    host::cadastro::Descricao descricao_;
    std::unique_ptr<host::data::Query> quRegistro;
    std::unique_ptr<host::data::UpdateSql> upRegistro;
    std::unique_ptr<host::data::DataSource> dsRegistro;
    std::vector<DetalheAberto> detalhes_;
    std::vector<std::pair<QString, QWidget*>> controles_;
    std::shared_ptr<host::cadastro::Usos> usos_;
    // The row shown is being deleted: its details' rows being typed go with it.
    bool excluindo_ = false;
};

namespace host::cadastro {
// Opens (or brings up) the register of the sigla, on the row of the code when
// given. Null for an unknown sigla.
TfmCadastroHost* AbrirCadastroHost(const QString& sigla, const QVariant& codigo = {});
}  // namespace host::cadastro
