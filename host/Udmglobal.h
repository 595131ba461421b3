#pragma once
// The host's data module TdmGlobal (global dmGlobal): the one connection and
// transaction, the parameter record, the company record, the host's shared
// datasets, messages, the log, the schema routines and the customer, product,
// sales-order, receivable, stock and tax routines the module relies on.
//
// Creating a TdmGlobal opens the database and makes it dmGlobal; destroying
// it empties dmGlobal. One exists at a time.

#include "host/data/Component.h"
#include "host/data/Query.h"
#include "host/db/Database.h"
#include "host/db/KeptByText.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <map>
#include <memory>

class QMenu;

namespace host::data {
class Dataset;
}
namespace host::ui {
class DataLookupCombo;
class GridColumn;
}
class QWidget;

// The host's schema script object: its text is replaced and run statement by
// statement (";" ends a statement outside quotes and comments). DDL is
// committed (retaining) after each statement, so the next one sees it.
class TIBScript : public host::Component {
public:
    explicit TIBScript(host::Component* owner = nullptr, const QString& name = {});
    host::db::Transaction* transaction = nullptr;
    QString Script;
    void ExecuteScript();
    static QStringList splitStatements(const QString& script);
};

// What DesdobraContasReceber splits: a value over a payment-term table.
// The document whose serial-number movements (AUGC50NS) a check counts:
// the references given (not empty or 0) must all match.
struct DocumentoNumeroSerie {
    QString venda;              // VECODIGO
    int ordemServico = 0;       // AOCODIGO
    int contrato = 0;           // ACCODIGO
    int itemContrato = 0;       // ACITCODIGO
};

// A stock document (ACEM1401) as the stock-document writer takes it.
struct DocumentoEstoque {
    QDateTime data;         // invalid: today
    QString serie;
    QString local;          // stock location of the document (LOCAL_DOC)
    QString tipo;           // "E" entry, "S" exit
    QString hora;
    QString cliente;        // empty: "00000"
    QString operacao;
    QString observacao;     // who made it ("Usuário: ...")
    double total = 0;       // TOTAL_DOC
    QString numero;         // taken by the caller from the series; empty: the series' next
};
// The product record the stock-item writer takes its values from.
struct ProdutoEstoque {
    QString codigo, descricao, unidade;
    double valorUnitario = 0;   // PCO_VENDA
    double custo = 0;           // PCO_CUSTO
    bool encontrado = false;
};
// One item of a stock document (ACEM14IT).
struct ItemDocumentoEstoque {
    QString local;              // of the document (MELOCAL)
    QString documento;
    int sequencia = 0;
    double quantidade = 0;
    QString cliente, serie, operacao, produto;
    QDateTime data;             // invalid: today
    double valorUnitario = 0;
    double valorTotal = 0;
    QString hora;
    QString localProduto;       // the stock location the quantity moves at
    int aoCodigo = 0;
    // Further columns and their SQL literals, as the host's other writers
    // take them (", AICODIGO" and " , 12").
    QString colunasExtras, valoresExtras;
    QString observacao;         // OBSERVACAO_PRODUTO: the line's own text
    int acCodigo = 0;           // the contract the line bills, 0 = none
};

// The invoice and bank collection document of billed receivables, by the
// ranges that select them: the receivables of the branch whose number,
// customer, emission and due date lie in the ranges (dates by whole days;
// an invalid date leaves its side open). The three texts are the
// collection's instruction lines.
struct FaturaBoletoLocacao {
    QString filial;
    QString documentoIni, documentoFim;
    QString clienteIni, clienteFim;
    QString banco;
    QDateTime emissaoIni, emissaoFim;
    QDateTime vencimentoIni, vencimentoFim;
    QString texto1, texto2, texto3;
};

struct DesdobramentoReceber {
    double valorTotal = 0;
    QString tabelaVencimento;      // AFVT0101.CODIGO: instalments and days
    QString documento;             // NUMERO_DOCUMENTO of every instalment
    QString cliente;
    QString vendedor;
    QDateTime dataEmissao;         // invalid: today
    QString operacao;              // fiscal operation code (OFCODIGO)
    QString filial;
    QString situacao = "A";        // SITUACAO_DOCUMENTO ("V" = forecast)
    int aoCodigo = 0;              // service order, 0 = none
    QString observacao;
    QString banco;                 // NUMERO_DO_BANCO of every instalment; empty: none
};

// Tax inputs of a document line and what the tax routines return. The rules
// are in host/tax-engine.md.
struct ImpostoItemEntrada {
    QString produto;
    double aliquotaIPILinha = 0;   // the line's own rates, used when above 0
    double aliquotaICMSLinha = 0;
    QString operacaoLinha;
    QString operacaoDocumento;
    QString cliente;
    QString filial;
    QString parametroImposto;      // ATPARAMETROIMPOSTO, passed through
    // What the document already holds of its operation, the product and the
    // customer (joined into its rows). With dadosInformados false the routines
    // read them from AFVC0901, ACEC1101 and AUGC0301 instead. A line operation
    // other than the document's is always read from its row.
    bool dadosInformados = false;
    double icmsOperacao = 0;        // AFVC0901.ICMS
    double percentualCalculo = 0;   // AFVC0901.PERC_CALC: share of the value the ICMS taxes (0 = all)
    QString assumeICMS;             // AFVC0901.ASSUME_ICMS_SN: "S" the operation's rate even when 0
    QString baseCalculoIPI;         // AFVC0901.BASE_CALC_IPI: "S" the IPI enters the ICMS base
    double reducaoICMS = 0;         // ACEC1101.ICMS_PARA_REDUCAO: base reduction in percent
    QString tipoProduto;            // ACEC1101.COM_FAB_S_FS: "7" a service (no IPI, no ICMS)
    QString imune;                  // ACEC1101.PRIMUNE: "S" immune to IPI
    QString inscricaoCliente;       // AUGC0301.CLIE: empty or "ISENTO" a final consumer
    QString estadoCliente;          // AUGC0301.ESTADO
    double totalProdutosDocumento = 0;   // the document's products total
};
struct PercentuaisImposto {
    double ipi = 0, icms = 0;
    double terceiro = 0;           // the ICMS base reduction (percent), for the ICMS step
    double substituicao = 0;       // the operation's added-value margin (MVA, percent) when it substitutes
    double icmsSubstituicao = 0;   // the ICMS rate of the substitution
};
struct ValoresIPI {
    double valor = 0, base = 0;
};
struct ValoresICMS {
    double base = 0, valor = 0, baseSubstituicao = 0, valorSubstituicao = 0;
};
struct OutrosImpostos {
    double cofins = 0, ir = 0, inss = 0, csll = 0, pis = 0;
    double cofinsSub = 0, irSub = 0, inssSub = 0, csllSub = 0, pisSub = 0;   // retained by the customer
};

class TdmGlobal : public host::Component {
public:
    // Opens the database (a file path or server:path) with the given account.
    // Closing rolls back what was not committed: the host saves explicitly.
    explicit TdmGlobal(const QString& databaseName, const QString& user = "SYSDBA",
                       const QString& password = "masterkey");
    ~TdmGlobal() override;

    std::unique_ptr<host::db::Connection> Database1;
    std::unique_ptr<host::db::Transaction> IBTransaction1;
    TIBScript* IBScript1 = nullptr;

    // Host datasets (all on IBTransaction1).
    host::data::Query* quEmpresa = nullptr;          // the company record (EMPRESA), open
    host::data::Query* quTabVenc = nullptr;          // payment terms (AFVT0101): CODIGO, DESCRICAO
    host::data::Query* quReceber = nullptr;          // receivables (ACRC5001), editable; CarregaParcelasReceber
    host::data::Query* quMov = nullptr;              // stock document (ACEM1401)
    host::data::Query* quMovItem = nullptr;          // its items (ACEM14IT)
    host::data::Query* quClienteConsulta = nullptr;  // the current customer (AUGC0301), CarregaCliente
    host::data::Query* quAuxiliar = nullptr;         // shared ad-hoc queries
    // Look-up lists of the entry windows' combos (UdmglobalCadastros.cpp).
    host::data::Query* quClienteLista = nullptr;     // customers (AUGC0301): CODIGO_CLIENTE, NOME, CGC_CNPJ
    host::data::Query* quOperacao = nullptr;         // fiscal operations (AFVC0901), CarregaOperacaoTransacao
    host::data::Query* quRepresentante = nullptr;    // representatives (AUGC0501 of type "R"): CODIGO, NOME
    host::data::Query* quAuxiliar2 = nullptr;
    host::data::Query* quCXContas = nullptr;         // cash-flow accounts (ACXC9001) by description
    host::data::Query* quFornecedorLista = nullptr;  // suppliers (AUGC0501): FCOD, FNOME, FTIPO
    host::data::Query* quBanco = nullptr;            // banks (AUGC0901): CODIGO_BANCO, NOME_BANCO
    // Salesmen and managers (AUGC0501, every kind: the manager search that
    // fills their fields offers them all): FCOD, FNOME, FTIPO; CarregaVendedores.
    host::data::Query* quVendedor = nullptr;
    // Opens quOperacao on "select * from AFVC0901 <condition> <order>" (the
    // condition with its own "where"; no order: by code) and makes the
    // operation given current when it is listed.
    void CarregaOperacaoTransacao(const QString& operacao, const QString& condicao, const QString& ordem);
    // Pop-up menus the host lends to grids: puGeral, the general one, and
    // puPesq, the search lists' one. Each offers "Exportar para Excel" of the
    // grid it popped up on. Made only when the process has a user interface.
    QMenu* puGeral = nullptr;
    QMenu* puPesq = nullptr;
    QString sLocalEstoqueAtual;                      // current stock location ("001")
    // The login as the engine names it (CURRENT_USER), read once at the
    // start: a plain name folded to capitals, a quoted one or one that is no
    // plain name ("maria.silva") as typed.
    const QString& UsuarioBanco() const { return usuarioBanco_; }
    QString sTextoRegraFiscal;                       // first input of RetornaOperacaoRegraFiscal

    // ---- parameter record (table PARAMETROS: NOME, VALOR) ----
    // A field read as text; "" when it has no row.
    QString Parametro(const QString& nome) const;
    int ParametroInteiro(const QString& nome) const;     // 0 when empty or not a number
    double ParametroNumero(const QString& nome) const;   // C locale or "0,80"; 0 when empty
    // Writes the field (row inserted or updated, not committed).
    void SetParametro(const QString& nome, const QString& valor);
    QStringList NomesParametros() const;                  // every field with a row, sorted
    void CarregaParametros();                             // re-reads the table
    void CarregaEmpresa();                                // reopens quEmpresa and the branches' CNPJs
    // The company's tax number as its documents print it: the branch's own
    // when one was typed ("Filiais" of Sistema > Parâmetros), else the
    // company record's, else the one branch's typed. With no branch given,
    // the user's branch, else the default one (ATLOCALPADRAO).
    QString CnpjEmpresa(const QString& filial = {}) const;

    // ---- messages (bDesligarMensagens mutes these three; they still abort) ----
    // Shows the text; with bAbandonar, then ends the operation (host::Abort).
    void MostraAviso(const QString& texto, bool bAbandonar = false);
    // Shows the text as an error and ends the operation; never returns.
    [[noreturn]] void MostraErro(const QString& texto);
    // What a database failure means to the user, in Portuguese; the engine's
    // own text goes to the log under the origin.
    QString TextoErroBanco(const host::db::DbError& erro, const QString& origem);
    // A message with a long detail text (an SQL text, a list).
    void MostraAvisoExtenso(const QString& titulo, const QString& texto, bool bAbandonar = false,
                            const QString& caption = {});
    QString MostraPergunta(const QString& texto, const QStringList& captions, int lastIndex = -1);

    // ---- log ----
    // A trace line in the system folder's log file and host::logTrace().
    void Log(const QString& origem, const QString& texto, const QString& detalhe = {});
    // One audit row in ARQLOG.
    void GravaLog(const QString& usuario, const QString& acao, const QString& observacao,
                  const QString& tabela, const QDateTime& data = {}, const QDateTime& hora = {});

    // ---- datasets and progress ----
    // The host's display formats and masks on the dataset's fields by type:
    // floats "###,###,##0.00", date-times "dd/mm/yyyy" with mask "!99/99/99;1;_".
    void SetaMascaraField(host::data::Dataset& dataset);
    void SetaMascaraFieldSemDisplay(host::data::Dataset& dataset);   // masks only
    // Amounts only: floats without a format of their own show "###,###,##0.00";
    // dates and typing are left as they are.
    static void SetaFormatoValor(host::data::Dataset& dataset);
    // The same for the named fields only, where other floats are counts or limits.
    static void SetaFormatoValor(host::data::Dataset& dataset, const QStringList& campos);
    // The progress window: "Mostrar" (count = total), "Incrementar", "Ocultar".
    void PreparaSplashForm(int count, const QString& texto, const QString& acao);

    // ---- files ----
    // Line <indice> (from 0) of a text file of the system folder (a name
    // with a folder of its own is read where it names) into linha; false
    // when the line is empty or missing (the file included).
    bool RetornaLinhaArquivo(const QString& arquivo, int indice, QString& linha) const;

    // ---- texts ----
    // Edits one text of AUGC70OB (code, kind, sequence) in TfmObservacao:
    // `query` is the observation dataset (quObsGeral: parameters obCodigo,
    // obId, obSequencia; `campo` its text field). "&Gravar" writes the row
    // (a new one when the text had none) and commits retaining; cancel leaves
    // it as it was. bSomenteLeitura shows the text without changing it;
    // iTamanhoMaximo (0 = none) limits what is typed. The dataset is closed
    // afterwards. True when a text was written.
    bool InserirObservacaoAdicional(const QString& campo, const QString& codigo, const QString& id, int sequencia,
                                    host::data::Query* query, bool bSomenteLeitura, int iTamanhoMaximo,
                                    const QString& caption);

    // A memo field of a caller's row edited in the observation window under
    // the caption: "&Gravar" leaves the row in edit with the text (the caller
    // or the user posts it), "&Cancelar" gives the field its text back. The
    // number is kept for the callers; with bSomenteLeitura the text is only
    // shown. True when the text was taken.
    bool InserirObservacaoMemo(host::data::Dataset* dataset, int iModo, const QString& campo,
                               const QString& caption, bool bSomenteLeitura);

    // Copies one AUGC70OB text (source code, sequence and kind) to another
    // key (target code, sequence and kind), replacing the text stored there;
    // nothing when the source has none. Nothing is committed.
    void ImportaObservacaoAdicional(const QString& codigoOrigem, const QString& sequenciaOrigem,
                                    const QString& idOrigem, const QString& codigoDestino,
                                    const QString& sequenciaDestino, const QString& idDestino);

    // ---- schema ----
    // Does the table exist, or with a column name the column of that table.
    bool VerificaExistenciaTabelaCampo(const QString& tabela, const QString& coluna = {});

    // ---- customers and receivables ----
    void CarregaCliente(const QString& cliente);                       // opens quClienteConsulta
    // True when the customer has an open receivable due before today (the
    // late-payment block); with bAbortar the warning is shown and the
    // operation ends.
    bool PVVerificaBloqueioAtraso(const QString& cliente, bool bAbortar = true);
    // True when the customer's open receivables plus the value stay within
    // LIMITE_CREDITO (0 = no limit); otherwise a warning (abandoning with bAbortar).
    bool LimiteCredito(const QString& cliente, double valor, bool bAbortar = true);
    // Opens quReceber on one customer and document, plus an extra condition.
    void CarregaParcelasReceber(const QString& cliente, const QString& documento,
                                const QString& condicao = {}, const QString& ordem = {});
    void CarregaTabelaVencimento(const QString& condicao = {});       // opens quTabVenc
    // The look-up lists of the entry windows (UdmglobalCadastros.cpp).
    // Opens quOperacao on the operations the condition ("and ..." on the
    // alias op, or empty) leaves, in the given order clause.
    void CarregaOperacaoTransacao(const QString& condicao, const QString& ordem);
    // Opens quClienteLista (by name) when closed or when a customer was
    // changed here since (ClientesAlterados); open, it stays: its combos read
    // it as they show it, and the customer shown by its code.
    void CarregaListaClientes();
    // A customer was written or deleted: the next CarregaListaClientes reads the list again.
    void ClientesAlterados() { listaClientesAlterada_ = true; }
    void CarregaRepresentantes();      // (re)opens quRepresentante, by name
    void CarregaListaFornecedores();   // (re)opens quFornecedorLista, by name
    void CarregaBancos();              // (re)opens quBanco, by code
    void CarregaVendedores();          // (re)opens quVendedor, by name
    void CarregaContasCaixa();         // (re)opens quCXContas
    // With bAtivar, dropping a customer combo down opens the customer search
    // instead of the whole register, and the choice is written into the
    // combo's field (the window and caption are the caller's, unused here).
    void VerificaListagemCliente(bool bAtivar, host::ui::DataLookupCombo* combo, QWidget* janela,
                                 const QString& caption);
    // quReceber's NUMERO_DOCUMENTO set-text handler: digits padded to six.
    void quReceberNUMERO_DOCUMENTOSetText(host::data::Field& field, const QString& text);

    // ---- receivable instalments, cash forecast and observations ----
    // (UdmglobalReceber.cpp; the cash-forecast dialog is UCXPrevisao.h)
    host::data::Query* quCXPrev = nullptr;     // cash-forecast rows (ACXC94XP), editable; CarregaCXPrevisao
    host::data::Query* quObsGeral = nullptr;   // one observation (AUGC70OB), editable; CarregaObservacao
    // The equipment (serial number) whose composition the composition texts
    // are built for; empty: the product's own composition. The composition
    // window sets it to the serial it shows.
    QString sNumeroSerieComposicao;
    // A statement prepared once per connection and kept for the routines that
    // run it again and again (its parameters are cleared and an open cursor
    // closed each time it is handed out).
    host::db::Statement& ComandoPreparado(const QString& sql);
    // The same for a text written in the code, found again by where it is
    // (and checked against it): a routine asking for its statement row after
    // row neither converts nor compares the whole text each time.
    host::db::Statement& ComandoPreparado(const char* sql);
    // The billing period of an instalment, stored with its row: the planned
    // boleto date and the span it covers (CRPREVBOLETO, CREMISSAOINI,
    // CREMISSAOFIN; an invalid date is stored empty).
    struct PeriodoParcela {
        QDateTime previsaoBoleto, inicio, fim;
    };
    // Appends one ACRC5001 row, arguments in the order the contract module
    // passes them (see ParcelaReceber in UdmglobalReceber.cpp for the column
    // of each), with its period when given. Nothing is committed. A value
    // below zero is refused (RecusaReceberNegativo), as in DesdobraContasReceber.
    void InseriParcelaReceber(const QString& cliente, const QString& documento, const QString& serie,
                              const QString& filial, const QString& tipoPagamento, const QString& situacao,
                              const QString& pedido, const QString& vendedor, const QString& portador,
                              const QString& pedidoCliente, const QString& banco, const QString& nossoNumero,
                              double sequencia, double valor, double desconto, double juros, double multa,
                              double valorPago, double abatimento, double despesa, double pag10,
                              const QDateTime& emissao, const QDateTime& vencimento, const QDateTime& lancamento,
                              double valorOriginal, const QString& operacao, const QString& tabelaVencimento,
                              const QString& obs10, int aoCodigo, const QString& observacao, const QString& origem,
                              const QString& documentoOriginal, int acitCodigo, int contaDebito, int contaCredito,
                              const QString& tipoVencimento, const QString& historico, int parcela,
                              const PeriodoParcela* periodo = nullptr);
    // Appends one payable (ACPC6001), arguments in the order the service
    // orders pass them (see UdmglobalPagar.cpp for the column of each).
    // Nothing is committed; true once the row is written, a database error
    // propagates.
    bool InseriParcelaPagar(const QString& fornecedor, const QString& documento, const QString& filial,
                            const QString& situacao, const QString& tipoPagamento, const QString& portador,
                            const QString& banco, const QString& pedido, const QString& parcela,
                            const QString& historico, int sequencia, double valor, double desconto, double juros,
                            double multa, double valorPago, const QDateTime& emissao, const QDateTime& vencimento,
                            const QDateTime& lancamento, int conta, const QString& tipoDocumento);
    // Appends one ACXC94XP row: "C" a contract's template row, "R" a row of
    // one receivable. An empty code is stored "00". Nothing is committed.
    void InserirCXPrevisao(const QString& documento, const QString& emitente, const QString& local,
                           const QString& tipo, const QString& codigo, const QString& conta,
                           const QString& historico, int sequencia, double valor, bool bRealizado,
                           const QString& observacao, int contrato, int parcela);
    // Opens quCXPrev on the "R" rows of one receivable, or ("C") on the
    // template rows of a contract at a branch.
    void CarregaCXPrevisao(const QString& documento, const QString& emitente, int sequencia, const QString& local);
    void CarregaCXPrevisaoContrato(int contrato, const QString& local);
    // Deletes one receivable with its cash-forecast rows and observation
    // (what quReceber's delete does). Nothing is committed. Returns the
    // receivables deleted (0 when it was not there).
    int ExcluirParcelaReceber(const QString& documento, const QString& cliente, double sequencia,
                              const QString& filial);
    // The same, only while the receivable is still a forecast: one billed
    // meanwhile stays with its cash rows and observation. Returns the
    // receivables deleted (0 when it is gone or no longer a forecast).
    int ExcluirPrevisaoReceber(const QString& documento, const QString& cliente, double sequencia,
                               const QString& filial);
    // A new receivable's document number, six digits or more: past the
    // largest number any receivable holds, so no customer holds it yet, and
    // drawn from a generator, so two desks drawing at once take two numbers.
    // With a quantity, the first of that many consecutive numbers, all of
    // them this desk's.
    QString ProximoNumeroReceber(int quantidade = 1);
    // The largest of the customer's receivable numbers that hold only
    // digits, as written; "" when it holds none. One row of an index.
    QString MaiorNumeroReceberCliente(const QString& cliente);
    // Whether one of the customer's receivables holds the number as written.
    bool ClienteTemNumeroReceber(const QString& cliente, const QString& numero);
    // A receivable's write refused by its unique key (another desk took it).
    static bool ChaveReceberOcupada(const std::exception& erro);
    // Says so in the user's words and abandons the operation.
    void RecusaChaveReceberOcupada(const QString& documento, const QString& cliente, double sequencia);
    // Every receivable that meets the condition (on ACRC5001's columns, no
    // "where"), with their cash-forecast rows and observations. Returns the
    // receivables deleted. Nothing is committed.
    int ExcluirParcelasReceber(const QString& condicao);
    // Writes the text of one observation (AUGC70OB): a new row, or the
    // existing row replaced or, with bAcrescentar, extended after a carriage
    // return. Nothing is committed.
    void GravaObservacao(const QString& codigo, const QString& id, int sequencia, const QString& texto,
                         bool bAcrescentar = false);
    void CarregaObservacao(const QString& codigo, const QString& id, int sequencia);   // opens quObsGeral
    // The host's own handlers of quReceber and quCXPrev; screens lend the
    // datasets others for a while and put these back.
    void quReceberBeforePost(host::data::Dataset& dataset);
    void quReceberBeforeDelete(host::data::Dataset& dataset);
    void quCXPrevNewRecord(host::data::Dataset& dataset);
    void quCXPrevBeforeClose(host::data::Dataset& dataset);

    // The remanufacture note of a service order: the internal codes of its
    // approved items (AOITAPROVADO "S"), in item order, after "Cód. Int.: "
    // and joined by ", "; "" when none is approved or has a code.
    QString RetornaObservacaoRemanufatura(int aoCodigo);

    // ---- stock and prices ----
    double PosicaoEstoque(const QString& produto);                     // ESTOQUE of ACEC1101
    // The stock documents: a header and its items. The document takes the
    // next number of its series at its location (six digits, returned).
    // Nothing is committed.
    QString InseriDocumentoAcem1401(const DocumentoEstoque& documento);
    void InseriItemAcem14it(const ItemDocumentoEstoque& item);
    // Loads the product record (produtoCarregado) the item writer's values
    // come from; an unknown product leaves it empty, encontrado false.
    const ProdutoEstoque& CarregarProduto(const QString& produto);
    ProdutoEstoque produtoCarregado;
    // Opens quMov on the document of that number, customer, series,
    // operation and location (no row when there is none) and quMovItem on
    // its items by sequence; bComProduto adds each item's product
    // DESCRICAO, the condition (on ACEM14IT's columns under the alias "it",
    // starting with "and") narrows them.
    void CarregarDocumento(const QString& documento, const QString& cliente, const QString& serie,
                           const QString& operacao, const QString& local);
    void CarregaDocumentoItem(const QString& documento, const QString& cliente, const QString& serie,
                              const QString& operacao, const QString& local, bool bComProduto,
                              const QString& condicao);
    // Issues the invoice and bank collection document (a row of ACRC50FB)
    // of every billed receivable the ranges select that has none yet, and
    // marks the receivable with the bank, its collection number and the
    // day it was issued. Returns how many were issued. Nothing is committed.
    int AbrirFaturaBoletoDocumentoContratoLocEquip(const FaturaBoletoLocacao& fatura);
    // The product's stock (ACEC1101.ESTOQUE) and its position at the
    // location (ACEC11PO: POENTRADA for an addition, POSAIDA for a
    // subtraction; the location given, else the current one; a missing
    // position row is created), as the sales order's stock move does, each
    // under its own savepoint. Nothing is committed.
    void SomaEstoque(const QString& produto, double quantidade, const QString& local = {});
    void SubtraiEstoque(const QString& produto, double quantidade, const QString& local = {});
    // The type of a fiscal operation (AFVC0901.TIPO_OP); "" when unknown.
    QString TipoOperacao(const QString& operacao);
    // A product that carries serial numbers (PRGERANS "O" or "Ú") must have,
    // on the document, one movement (AUGC50NS) per unit of the quantity:
    // fewer are refused with a message (ending the operation with bAbortar)
    // and false. Products without serial numbers always pass.
    bool NumeroSerieProdutoObrigatorio(const QString& produto, double quantidade,
                                       const DocumentoNumeroSerie& documento, const QDateTime& data,
                                       bool bAbortar = true);
    // Quantity reserved (QTDE_PRODUCAO); with bRecalcular first recomputes it
    // from the reserved, not yet withdrawn parts lines of service orders.
    double Reservado(const QString& produto, bool bRecalcular = false, const QString& marca = {});
    double CotacaoMoeda(const QString& moeda, const QDateTime& data, bool bUltima = true);
    // Own code, other code (OUTRO_CODIGO), alternative code or package bar
    // code (ACEC11CB) of a product, in that order of preference, in one
    // statement; unknown text comes back as typed (upper case), for the
    // caller's own "not registered" rule; "" only for empty text. fator is
    // the units a package bar code stands for (CBFATOR), 1 otherwise.
    QString RetornaCodigoProduto(const QString& texto, const QString& tipo, double& fator);
    // The quick product entry of a grid's product title: sModo "B" asks a
    // bar code (any code RetornaCodigoProduto knows), "P" a shelf position
    // (PRPOSICIONAMENTO), "C" a product code; the product found goes into the
    // field of the line being entered, or of a new line appended, left for
    // the user to complete. Another mode or an empty entry does nothing; an
    // unknown product is told ("Produto não encontrado!") and writes nothing.
    // The column is kept for the callers.
    bool PesquisaRapidaProduto(const QString& sModo, const QString& sCampo, host::data::Dataset* dataset,
                               host::ui::GridColumn* coluna);
    // Refuses (MostraAviso with abandon) a product already on the document.
    void VerificaVendaProdutoRepetido(const QString& produto, const QString& colunaProduto,
                                      const QString& tabela, const QString& condicao,
                                      const QString& colunaQuantidade, host::data::Dataset* dataset);
    // A unit that cannot be split ("UN", "PC", "CX"...) gets whole quantities:
    // a fraction is refused (with bAbortar) or rounded up.
    double VerificaUnidadeFracionamento(const QString& unidade, double valor, bool bMensagem = true,
                                        bool bAbortar = true);
    // The operation chosen by the per-product rule table AFVC09OU for the
    // customer's state; the operation given when no rule applies.
    QString RetornaOperacaoRegraFiscal(const QString& chave, const QString& cliente,
                                       const QString& operacao, const QString& produto,
                                       QString& mensagem, bool bMensagem, const QString& filial,
                                       int condicaoTributaria = 0);

    // ---- sales orders ----
    // Inserts an AVEC8501 row and returns its number: the largest numeric
    // number plus one, six digits ("000124"). The branch keeps its last two
    // characters (a stock location "001" names branch "01"); a date of 0
    // (invalid or before 1900) means today. Nothing is committed.
    QString InserirPedidoVenda(const QString& cliente, const QString& vendedor,
                               const QString& transportadora, const QString& tabelaVencimento,
                               const QString& representante, const QString& operacao,
                               const QString& tipo, const QString& observacao, const QString& contato,
                               const QString& filial, const QString& pedidoCliente, int condicaoTributaria,
                               const QDateTime& data, const QString& aux1, const QString& aux2);
    // The sales-order record (AVEC8501) that callers edit and post: opened on
    // one order by CarregaPedidoVenda; its header columns are written back.
    // Besides the columns it carries LIMITE_DESCONTO, the largest general
    // discount (DESCONTO_GERAL) of the order, an amount: rLimitePedido as it
    // is when the record goes into edit, null (no limit) when that is
    // negative, and null as loaded.
    host::data::Query* quPedidoVenda = nullptr;
    void CarregaPedidoVenda(const QString& pedido);
    // quPedidoVenda, made (closed) when no order was loaded yet.
    host::data::Query* RegistroPedidoVenda();
    // The record's totals from its lines: VEVALORTOTALBRUTOITEM (quantity x
    // unit value), VEVALORTOTALDESCONTO (what the lines' discounts take plus
    // the general discount) and VALOR_TOTAL (the lines' totals plus the
    // travel and other expenses less the general discount). An order without
    // lines keeps the totals it has: they were given by hand. The record is
    // put in edit when it is not; the caller posts it.
    void PedidoVendaAtualizarTotalizador();
    // The same VALOR_TOTAL as an SQL expression over the stored order whose
    // AVEC8501 row is named `pedido` in the statement: what an order's stored
    // total and its invoice are made of.
    static QString SqlTotalPedidoVenda(const QString& pedido);
    // VALOR_TOTAL of the stored order written by that rule. Nothing is
    // committed.
    void GravarTotalPedidoVenda(const QString& pedido);
    // The lines of the order take the payment-term table's discount (AFVT0101
    // DESCONTO, percent) and their totals are computed again; a table without
    // a discount leaves the lines as they are; the record, when it shows that
    // order, totals the re-priced lines. Nothing is committed.
    void AtualizaVendaItemPrecoTabelaVencimento(const QString& pedido, const QString& tabela);
    // Merges the order's coinciding lines: the same product, unit value,
    // discount, operation (VEITCFOP) and stock location, none delivered apart
    // (VEITENTREGA) and none with an additional observation. The line with the
    // lowest COD takes the quantities and totals; the others are deleted.
    // Nothing is committed. Returns the number of lines deleted.
    int SomarPedidoItensCoincidentes(const QString& pedido);
    // Ends a batch of line insertions: the orders whose lines were inserted
    // without summing their total (InserirPedidoVendaItem's bAtualizaTotal
    // false) get VALOR_TOTAL from their lines and header (GravarTotalPedidoVenda),
    // and the work is committed.
    void PVLacoGravacaoItem();
    // Hands the order to the invoice queue: its VEFILANF becomes "S". An
    // unknown order raises. Nothing is committed.
    void EnviaPedidoFilaAbreNota(const QString& pedido);
    // The additional text of kind `id` (AUGC70OB) of an order line: the order
    // is the code, the line code the sequence; an existing text is replaced,
    // an empty text is not stored. Nothing is committed.
    void InserirObservacaoAdicionalTabela(const QString& pedido, const QString& linha, const QString& id,
                                          const QString& texto);
    // The fiscal operation of the type (AFVC0901.TIPO_OP) that most sales
    // orders carry (the smallest code on a tie, also among unused ones); ""
    // when no operation has the type.
    QString RetornaOperacaoMaisUsada(const QString& tipo);
    // The number the next sales order of the branch gets (the largest numeric
    // number plus one, six digits); nothing is reserved or written.
    QString ProximoNumeroVendas(const QString& filial, const QString& serie = {}, const QString& tipo = {});
    // The next line number of a sales order (its largest COD + 1).
    int SequenciaVendasItem(const QString& pedido);
    // Gives the dataset's stock-location column the current stock location
    // when it is empty, and returns the column's location. The operation and
    // the customer do not change the location in this host.
    QString VerificaLocalEstoqueOperacao(const QString& operacao, const QString& coluna, const QString& cliente,
                                         host::data::Dataset* dataset);
    // Recomputes the product's reservation (QTDE_PRODUCAO): the reserved parts
    // lines of service orders and the requested lines, not cancelled, of the
    // sales orders ready to bill. The collection is not reserved apart here.
    void AtualizaReservaEstoqueProduto(const QString& produto, const QString& colecao);
    // True when the freight of an order is charged to the customer: freight
    // mode "2" (by the recipient); the operation takes no part in this host.
    bool RetornaFreteCobrar(const QString& operacao, const QString& frete);
    // The key of the dataset's current row ("NUMERO_PEDIDO=000123", key
    // columns as its update object's delete names them, joined by ";"), and
    // its record in UGCHAVEEXCLUIDA once the row is gone (not committed).
    void MontaChavePrimariaExcluida(QString& texto, host::data::Dataset& dataset);
    void GravaChavePrimariaExcluida(QString& texto, const QString& tabela);
    // Appends a line (COD = the order's largest + 1) and returns its COD; the
    // extra columns and values (", COL1, COL2" / ", 1, 'x'") are added to the insert.
    // The line's stock location is `local`, or the current one when empty.
    // bReserva adds the quantity to the product's reservation, bBaixaEstoque
    // takes it from its stock at once, bAtualizaTotal sums the order's
    // VALOR_TOTAL again. The observation is cut to the column (25).
    int InserirPedidoVendaItem(const QString& produto, const QString& pedido, double quantidade,
                               double desconto, bool bReserva, bool bBaixaEstoque,
                               double valorUnitario, double valorAux1, double valorAux2,
                               const QString& observacao, int aoCodigo, const QString& local,
                               bool bAtualizaTotal, const QString& operacao, const QString& colunasExtras,
                               const QString& valoresExtras);
    // A line of products still to deliver (VEITENTREGA "F", future): the
    // first thirteen arguments as InserirPedidoVendaItem (11 the service
    // order or contract, 12 the stock location, "" the current one), then the
    // operation, salesman, unit, serial number, information text and origin
    // order of the line ("" leaves each empty) and the origin line sequence
    // (0 or less: none). Returns the line's COD, the order's largest.
    int InseriProdutoPendencia(const QString& produto, const QString& pedido, double quantidade, double desconto,
                               bool bReserva, bool bBaixaEstoque, double valorUnitario, double valorAux1,
                               double valorAux2, const QString& observacao, int codigoOrigem, const QString& local,
                               bool bAtualizaTotal, const QString& operacao, const QString& vendedor,
                               const QString& unidade, const QString& numeroSerie, const QString& informacao,
                               const QString& pedidoOrigem, int sequenciaOrigem);

    // ---- receivables ----
    // The value of a receivable billed by an invoice of the operation: when
    // the operation withholds ISSQN (OFCALCISSQN "S" with a rate above 0)
    // the tax, cut to cents, comes off the document's value, which the
    // customer pays less it; other operations leave the value as it is.
    void CRVerificaOperacaoSubtracao(const QString& documento, const QString& cliente, const QString& serie,
                                     const QString& filial, const QString& operacao, double& valor);
    // Splits the value into one ACRC5001 row per instalment of the payment
    // term (AFVT0101: QUANTAS_VEZES instalments, the first DIA__INICIAL days
    // after the emission (30 when 0), then every 30 days); the cents the
    // division leaves go to the first. An unknown payment term is refused
    // with a message. Nothing is committed. Returns the count.
    int DesdobraContasReceber(const DesdobramentoReceber& dados);
    // Refuses (MostraErro) a receivable's value below zero, to the cent.
    void RecusaReceberNegativo(double valor);

    // ---- taxes of a document line (host/tax-engine.md) ----
    // The four steps run in this order, each taking what the one before gave.
    // Rates: IPI and ICMS from the line, else the operation and the product;
    // the base reduction and the substitution of the operation.
    PercentuaisImposto NFCarregaPercentualIPIeICMS(const ImpostoItemEntrada& entrada);
    // IPI on the line total.
    ValoresIPI NFCarregaBaseValorIPI(double aliquotaIPI, double totalLinha);
    // ICMS and substitution on the line total (valorIPI as the IPI step gave it).
    ValoresICMS NFCarregaBaseValorICMS(const ImpostoItemEntrada& entrada, const PercentuaisImposto& taxas,
                                       double totalLinha, double valorIPI);
    // PIS, COFINS, CSLL, IR and INSS at the product's rates (else the
    // parameters ATALIQUOTA*); PIS and COFINS on the total less the line's
    // ICMS value; an operation that marks a tax "R" has it retained.
    OutrosImpostos NFCarregaOutrosImpostosItem(const ImpostoItemEntrada& entrada, double totalLinha,
                                               double valorIPI = 0, double valorICMS = 0);

    // The branch as the sales-order and receivable tables hold it: its last
    // two characters ("001" is stored "01").
    static QString CodigoFilialCurto(const QString& filial);

private:
    void attachReceivableUpdates();
    void criarDatasetsReceber();
    void criarMenus();
    std::unique_ptr<QMenu> menuGeral_, menuPesq_;
    struct ReceberSql;                         // prepared inserts of UdmglobalReceber.cpp
    std::shared_ptr<ReceberSql> receberSql_;
    ReceberSql& receberSql();
    host::db::Statement& receberComPeriodo();
    std::map<QString, std::unique_ptr<host::db::Statement>> preparados_;   // of ComandoPreparado
    // The same statements by where their text is written in the code.
    QHash<const char*, host::db::KeptAt<host::db::Statement*>> preparadosNoCodigo_;
    int excluirReceberPorChave(const QString& documento, const QString& cliente, double sequencia,
                               const QString& filial, const QString& condicao);
    struct ContextoCXPrev {                    // what quCXPrev is open on
        QString tipo, documento, emitente, local;
        int sequencia = 0, contrato = 0;
    } cxPrev_;
    QHash<QString, QString> parametros_;   // upper-case name -> value
    QString usuarioBanco_;
    bool listaClientesAlterada_ = false;
    std::map<QString, QString> cnpjFiliais_;   // branch code -> the CNPJ typed for it (none: not listed)
    QStringList pedidosSemTotal_;          // orders whose total PVLacoGravacaoItem sums, in order
    QSet<QString> pedidosSemTotalVistos_;  // the same, to ask in one step whether one is there
};

extern TdmGlobal* dmGlobal;

// A parameter of dmGlobal as the rules compare it: as stored, without the
// spaces around it, or without them and in capitals.
QString parametro(const char* nome);
QString parametroAparado(const char* nome);
QString parametroMaiusculo(const char* nome);
// Keeps dmGlobal's work so far and its open cursors (the host's one transaction).
void commitRetaining();

// The contact people (AUGC3701) of a customer, in the query of that name that
// dmGlobal keeps (made on the first call, reused afterwards): rows of
// category "C" linked to the customer, of one contact type when given, by
// name. An empty customer code leaves the query as it is, unopened.
host::data::Query* CarregaClienteContatos(const QString& nome, const QString& cliente, const QString& tipo = {});

namespace host {
// Each call of the four tax routines, in order, with the amounts it was given
// ("NFCarregaBaseValorICMS total=100 ipi=12.349"); the newest 1000 are kept.
const QStringList& taxCalls();
void clearTaxCalls();
}  // namespace host
