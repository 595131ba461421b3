#pragma once
// The parts settlement: parts taken out of stock into service orders, or
// brought back, in one batch of lines, written as stock documents
// (ACEM1401/ACEM14IT) through the host, with the stock moved and the orders'
// parts lines marked issued and, when asked, corrected.

#include <QList>
#include <QString>

// The parts lines of an order follow a stock movement of the settlement
// (uDataTecAcertoPecas.cpp): sTipo "S" (exit) adds the quantity to the
// order, "E" (entry) takes it off; the column is APQUANTIDADEREQUERIDA with
// bRequerida, else APQUANTIDADE. The order's lines change in total by the
// quantity once. True when the stock movement may go ahead; the order's
// totals are summed again and the work committed.
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
bool CorrigirLinhasPecaOrdemServico(const QString& sTipo, const QString& sProduto, double dQuantidade, int aoCodigo,
                                    bool bRequerida);
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
};

struct OpcoesAcertoPecas {
    QString tipo;                        // "S" exit, "E" entry
    QString operacao;
    bool inserirPeca = false;            // correct the orders' parts lines
    bool salvarRequerida = false;        // ... in the required quantity
    bool validarEntrada = false;         // entries limited by the order's exits
    bool cabecalhoIndependente = false;  // one document per run of one customer
};

// Checks the lines and posts them (uDataTecAcertoPecasBaixa.cpp). Each
// line's work is committed on its own. Refusals end the operation through
// the host's messages; bGravou tells whether anything may have been written.
void BaixarPecas(const QList<LinhaAcertoPecas>& linhas, const OpcoesAcertoPecas& opcoes, bool& bGravou);

// The checks of BaixarPecas, each ending the operation when it refuses.
void VerificarEstoqueAcerto(const QList<LinhaAcertoPecas>& linhas);
void VerificarEntradaAcerto(const LinhaAcertoPecas& linha);
void VerificarOrdensFinalizadasAcerto(const QList<LinhaAcertoPecas>& linhas, bool bInserirPeca);
