#pragma once
// What the contract invoicing window hands to its selection statement and to
// the forecast generator: the filters as typed, the statement built from
// them, and the generator's arguments read from one selected contract.

#include "host/data/Field.h"

#include <QString>
#include <QStringList>

namespace host::data {
class Dataset;
}

namespace uAssContFat {

// The filters of the window, as the user left them.
struct FiltrosFaturamento {
    QString opcaoContrato;                       // ATOPCAOCONTRATO
    QString campoLivre;                          // column of the free filter ("" none)
    host::data::FieldType tipoCampoLivre = host::data::FieldType::String;
    QString valorLivre;
    QString contratosAleatorios;                 // contract numbers, comma-separated
    QString contratoIni, contratoFim;            // contract codes
    QString contaIni, contaFim;
    QString filial;
    QString objetoIni, objetoFim;
    QString contratanteIni, contratanteFim;
    QString natureza;                            // the nature's letter ("" none)
    QString documentoIni, documentoFim;          // receivable documents (mode 3)
    QString vencimentoIni, vencimentoFim;        // due dates (mode 3)
    bool contasAbertas = false;                  // mode 3: every instalment not on an order
    int ordem = -1;                              // index of the order entry (-1 none)
};

// Modes of the "Gerar" radio group.
enum Modo { Previsao = 0, PorTabela = 1, ParcelaENota = 2, ApenasOficializar = 3 };

// The order entries and the clause each adds.
const QStringList& OrdensPesquisa();
QString ClausulaOrdem(int indice);

// The contract numbers typed in the list ("'00001','00002'" or 00001,00002):
// each number trimmed of blanks and of one pair of surrounding quotes. The
// selection quotes them again, so the text typed never becomes part of the
// statement, and takes any number of them.
QStringList NumerosContrato(const QString& texto);

// The selection statement of active, non-complementary contracts (mode 3:
// one row per instalment), or its row count.
QString SqlPesquisaContrato(const FiltrosFaturamento& filtros, int modo, bool bSemPrevisao, bool bContagem);

// The statement of the instalment view: its select and the condition.
QString SqlParcelasContrato(const QString& condicao);

// The arguments the forecast generator gets for the current contract row of
// the selection, in its parameter order.
struct ArgumentosParcelas {
    QString modalidade, periodoInicial, periodoFinal, cliente;
    bool nota = false;
    QString diaVencimento;
    int contrato = 0;
    double valorParcela = 0;
    QString filial, tipoPagamento, banco, dataEmissao, periodo;
    int objeto = 0;
    QString filialPedido, operacao;
    bool ultimo = false;
    QString textoObjeto;
    bool revisarCaixa = true;
    int contaDebito = 0, contaCredito = 0;
};
ArgumentosParcelas ArgumentosParcelasContrato(host::data::Dataset& selecao, const QString& periodoInicial,
                                              const QString& periodoFinal, const QString& dataEmissao, int modo);
// Runs InserirParcelasContrato with them.
void InserirParcelas(const ArgumentosParcelas& argumentos, int& contador, QStringList* aviso);

// The contracting-party code as stored: an integer written with five digits.
// False when the text is not an integer.
bool NormalizaContratante(const QString& texto, QString& codigo);

}  // namespace uAssContFat
