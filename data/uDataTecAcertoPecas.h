#pragma once
// The parts settlement: parts taken out of stock into service orders, or
// brought back, in one batch of lines, written as stock documents
// (ACEM1401/ACEM14IT) through the host, with the stock moved and the orders'
// parts lines marked issued and, when asked, corrected.

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The parts lines of an order follow a stock movement of the settlement
// (uDataTecAcertoPecas.cpp): sTipo "S" (exit) adds the quantity to the
// order, "E" (entry) takes it off; the column is APQUANTIDADEREQUERIDA with
// bRequerida, else APQUANTIDADE. The order's lines change in total by the
// quantity once; an exit goes on lines no sales order took (a new line when
// every line of the product is sold). True when the stock movement may go
// ahead; the order's totals are summed again and the work committed.
bool VerificarPecaOrdemServico(const QString& sTipo, const QString& sProduto, double dQuantidade, int aoCodigo,
                               bool bRequerida);

// The same without putting the order dataset back: for a run of lines,
// under one VistaOrdemAcerto, so that the order is loaded once per order
// and not once per line.
bool CorrigirPecaOrdemServico(const QString& sTipo, const QString& sProduto, double dQuantidade, int aoCodigo,
                              bool bRequerida);
// The lines only: no savepoint, no re-total, no commit. For a settlement
// that takes one savepoint and one commit per line of its own and sums each
// order's totals again once, when it is done with the order.
// dBaixadoAntes, when given, receives the quantity of the product's issued
// pending lines before the correction (see MoverBaixadasAcerto).
bool CorrigirLinhasPecaOrdemServico(const QString& sTipo, const QString& sProduto, double dQuantidade, int aoCodigo,
                                    bool bRequerida, double* dBaixadoAntes = nullptr);
// The "B" mark of an order's parts lines no sales order took yet says the
// whole line has left the stock, so that the withdrawal bills it without
// taking it out again. After a settlement's line moved dMovido of a product
// (exits above 0, entries below), the issued lines of the product hold what
// they held before it (dBaixadoAntes, when a correction changed the lines
// in between; else what they hold now) plus dMovido, as far as the pending
// lines reach: the mark goes over line by line, a line cut in two where
// needed. sColuna is the quantity column counted.
void MoverBaixadasAcerto(int aoCodigo, const QString& sProduto, const QString& sColuna, double dMovido,
                         std::optional<double> dBaixadoAntes);
// What TdmTec's quOS shows when made is shown again when it goes (closed
// when it showed nothing).
class VistaOrdemAcerto {
public:
    VistaOrdemAcerto();
    ~VistaOrdemAcerto();
    VistaOrdemAcerto(const VistaOrdemAcerto&) = delete;
    VistaOrdemAcerto& operator=(const VistaOrdemAcerto&) = delete;

private:
    int mostrada_ = 0;
};

struct LinhaAcertoPecas {
    QString produto;
    QString descricao;
    double quantidade = 0;
    int aoCodigo = 0;
    QString local;       // stock location of the line; empty: ATLOCALESTOQUEPADRAO
    int aiCodigo = 0;    // the parts request the line came from
    double quantidadeRequerida = 0;
};

struct OpcoesAcertoPecas {
    QString tipo;                        // "S" exit, "E" entry
    QString operacao;
    bool inserirPeca = false;            // correct the orders' parts lines
    bool salvarRequerida = false;        // ... in the required quantity
    bool validarEntrada = false;         // entries limited by the order's exits
    bool cabecalhoIndependente = false;  // one document per run of one customer
};

// Where the settlement's lines come from (uDataTecAcertoPecasOrigem.cpp).
// A part leaves the stock for an order once, whichever of the settlement
// (typed, imported, handed over) and the order's sales orders (its stock
// button, its billing) comes first; the sources offer only what is left.
// A request's hand-over: per item line, what was delivered and has not
// left the stock yet, by an earlier settlement of the request or for its
// order another way; sJaBaixadas names, per product, what left the other
// way ("P0001: 2,00").
QList<LinhaAcertoPecas> PecasDaSolicitacaoAoAcerto(int aiCodigo, QStringList& sJaBaixadas);
// An order's parts lines. For an exit (bSaida), less what left the stock
// for the order already: lines marked issued, and what settlements issued
// beyond them; sJaBaixadas names each line so left out or cut down.
QList<LinhaAcertoPecas> PecasDaOrdemAoAcerto(int aoCodigo, bool bSaida, QStringList& sJaBaixadas);
// An exit of lines handed over by requests: no more than each request
// delivered and has not left the stock yet, whichever desk or way took it.
void VerificarSolicitacoesAcerto(const QList<LinhaAcertoPecas>& linhas);
// The same for one line about to be written, with the request's lines of
// the product held against another desk's settlement until the commit.
void ReservarSolicitacaoAcerto(const LinhaAcertoPecas& linha);

// Checks the lines and posts them (uDataTecAcertoPecasBaixa.cpp). Each
// line's work is committed on its own. Refusals end the operation through
// the host's messages; bGravou tells whether anything may have been written.
void BaixarPecas(const QList<LinhaAcertoPecas>& linhas, const OpcoesAcertoPecas& opcoes, bool& bGravou);

// The checks of BaixarPecas, each ending the operation when it refuses.
void VerificarEstoqueAcerto(const QList<LinhaAcertoPecas>& linhas);
// Lines of an order (above 0) the orders' table lacks: "Ordem de serviço
// não encontrada", naming them; nothing is written for an unknown order.
// With bInserirPeca, an order already billed is refused too: its parts
// lines may no longer change.
void VerificarOrdensAcerto(const QList<LinhaAcertoPecas>& linhas, bool bInserirPeca = false);
// What the refusal of a billed order says the settlement may not do.
inline constexpr const char* kAcertoOrdemFaturada = "suas peças não podem mais ser incluídas ou retiradas pelo acerto";
void VerificarEntradaAcerto(const LinhaAcertoPecas& linha);
void VerificarOrdensFinalizadasAcerto(const QList<LinhaAcertoPecas>& linhas, bool bInserirPeca);
