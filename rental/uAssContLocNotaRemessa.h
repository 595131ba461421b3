#pragma once
// The shipment invoice of a rental contract ("Nota Fiscal", the document
// that goes with the rented equipment): the contract's open lines become a
// temporary sales order, the host's invoice window invoices it, the contract
// and the invoice record each other, and the temporary order goes again.
// Works on the loaded contract of dmTecContrato (quCtrCadastro).

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace uAssContLocNotaRemessa {

// The unit value of a line: mode "E" the contract line's own value, any
// other mode the product's cost plus its percentage on cost; cut to cents.
double ValorUnitario(const QString& modo, double valorUnitarioContrato, double custo, double acrescimo);

// A contract line as the invoice reads it.
struct LinhaNota {
    QString produto;         // PRCODIGO
    int item = 0;            // ACITCODIGO
    double quantidade = 0;   // ACITQUANTIDADE
    double desconto = 0;     // ACITDESCONTO (percent)
    QString observacao;      // ACITOBSERVACAO
    QString complemento;     // ACITCOMPLEMENTO
};
// The parameters of the line's row on the temporary order.
QVariantMap ParametrosLinha(const LinhaNota& linha, int cod, double valorUnitario, const QString& unidadeMedida,
                            const QString& pedido, int contrato, const QDateTime& hoje);

// The text of the order line: the contract line's text without the
// product's description followed by "  -  ", a carriage return, then the
// serial list ("Nº Série: A1, B2") when the product carries serials.
QString TextoLinha(const QString& textoContrato, const QString& descricaoProduto, bool comSerie,
                   const QStringList& seriais);

struct DadosObservacao {
    QString endEntrega;       // ACENDENTREGA
    QString contatoEntrega;   // ANNOME of ACCONTENTREGA
    QString numeroContrato;   // ACNUMEROCONTRATO
    QString proposta;         // ACPROPOSTA
    QDateTime implantacao;    // ACDATAIMPLANTACAO
    QDateTime validade;       // ACDATAVALIDADE
    double valorParcela = 0;  // ACVALORPARCELA
};
// The invoice's note ('M'): delivery, contact, contract, proposal, validity, monthly value.
QString ObservacaoNota(const DadosObservacao& dados);

}  // namespace uAssContLocNotaRemessa

// The shipment invoice of the loaded contract (the caller saved its header
// first). Refusals end it before anything is written; once the temporary
// order exists it is removed again on every way out that issued no invoice.
void EmitirNotaFiscalRemessaLocacao();
