#pragma once
// The builder of the sales order of one contract instalment, shared by the
// full routine (order and invoice) and the order-only routine of the batch.

#include "contract_data/uDataTecCont.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <map>

namespace uDataTecContNota {

// The series of a contract's invoice when receipts are in use
// (ATRECIBOCONTRATO "S"): "RC" unless the contract's ACCOMPROVANTE is "N",
// then the service series, then the contract document type.
QString SerieRecibo(const QString& comprovante);

// The invoices of a run as the emission window is to find them: by number
// and series under ATRECIBOCONTRATO "S" (a receipt and an invoice may share
// a number), by number otherwise. What AbreEmissaoCarregaNota takes: the
// quoted numbers, or under "S" the condition over numbers and series (the
// numbers of each series in one list condition, of any size).
class SelecaoNotas {
public:
    void adiciona(const QString& numero, const QString& comprovante);
    bool vazia() const { return numeros_.isEmpty() && porSerie_.empty(); }
    QString texto() const;

private:
    QStringList numeros_;
    std::map<QString, QStringList> porSerie_;
};

// The instalment as the callers hand it over.
struct Parcela {
    QString cliente;
    int contrato = 0;
    double valor = 0;
    int objeto = 0;
    int sequencia = 0;
    QDateTime vencimento;
    QString filial;
    bool bUsaDataFaturamento = false;
    QDateTime dataFaturamento;
};

// What a line reads of a billing object.
struct Objeto {
    double percentual = 100;   // AJVALORPERCENTUAL; 0 or below is 100
    QString operacao;          // OFCODIGO
    QString texto;             // AJOBJETO
};

class GeradorPedido {
public:
    GeradorPedido(TdmTecContrato& dm, const Parcela& parcela, bool bApenasPedido);
    // Writes and stamps the order (one unit: a failure leaves none of it),
    // commits, and returns its number.
    QString Gera();
    const QString& geraPV() const { return geraPV_; }

private:
    void CarregaContrato();
    void VerificaOperacao();
    void AjustaValorIssqn();
    void CopiaModelo();
    void CabecalhoNovo();
    void Carimba(const QString& serie);
    QString SerieNota() const;

    // ---- lines (uDataTecContNotaLinhas.cpp) ----
    void LinhasPorSeparacao();
    void LinhasApenasPedido();
    void LinhasClientes();
    void LinhasItens(bool bPorPreco);
    void LinhaRateio();
    void LinhasComposicao();
    void LinhasEquipamento();
    void LinhaPadrao();
    void LinhaExcedenteItem(int item, double precoExcedente);
    double ExcedenteContrato();
    void Complementar(double valor, const QString& cliente);
    void ComplementaresF(const QString& cliente);
    void ComplementaresV();
    void LinhaAuxiliar(double valor, const QString& cliente);
    void LinhasFranquia();
    void LinhaFranquia(double consumo, double franquia, double preco, const QString& grupo);

    // ---- helpers ----
    const Objeto& objeto(int codigo);
    double Percentual(int codigo, double valor);   // Trunc2(P(object) x value / 100)
    QString TextoObjeto();                          // the instalment object's text, read once
    QString NomeFantasia(const QString& cliente);
    int Linha(const QString& produto, double quantidade, double desconto, double unitario,
              const QString& nota, int contratoLinha = 0, const QString& operacao = {});
    int LinhaCfop(const QString& operacao, const QString& produto, double quantidade, double desconto,
                  double unitario, const QString& nota);
    void Cfop(int linha, const QString& operacao);

    TdmTecContrato& dm_;
    Parcela parcela_;
    bool apenasPedido_;
    QString contrato_;
    QString modo_, produtoContrato_;
    QDateTime dataTexto_, dataMedicao_;
    double valor_ = 0;
    QString pedido_, operacao_;
    QString geraPV_, modelo_, tabela_, separacao_, tipoFranquia_, comprovante_;
    double franquia_ = 0, precoExcedenteFranquia_ = 0;
    double valorParcelaContrato_ = 0;   // ACVALORPARCELA: what the value rule falls back to
    int objetoAuxiliar_ = 0;
    std::map<int, Objeto> objetos_;
    QString textoObjeto_;
    bool textoObjetoLido_ = false;
    bool complementaresFeitos_ = false;
};

}  // namespace uDataTecContNota
