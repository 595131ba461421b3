// TdmGlobal: payables (ACPC6001). A payable is one row; the module's
// technician payment writes a few at a time and commits them itself.

#include "host/Udmglobal.h"

#include "host/db/Database.h"

namespace {

// The payable's columns, in the order of InseriParcelaPagar's arguments.
const QStringList& colunasPagar()
{
    static const QStringList colunas = {
        "CODIGO_FORNECEDOR", "NUMERO_DOCUMENTO", "PGLOCAL", "SITUACAO_DOCUMENTO", "TIPO_PAGAMENTO",
        "CODIGO_PORTADOR", "NUMERO_DO_BANCO", "PEDIDO", "PARCELA", "HISTORICO",
        "SEQUENCIA_DOCUMENTO", "VALOR_DOCUMENTO", "VALOR_DESCONTO", "VALOR_JUROS", "VALOR_MULTA",
        "VALOR_PAGO", "DATA_EMISSAO", "DATA_VENCIMENTO", "DATA_LANCAMENTO", "PCCODIGO",
        "TIPO_DOCUMENTO"};
    return colunas;
}

QVariant textoPagarOuNulo(const QString& texto)
{
    return texto.trimmed().isEmpty() ? QVariant() : QVariant(texto);
}

QVariant dataPagarOuNula(const QDateTime& data)
{
    return data.isValid() ? QVariant(data) : QVariant();
}

}  // namespace

bool TdmGlobal::InseriParcelaPagar(const QString& fornecedor, const QString& documento, const QString& filial,
                                   const QString& situacao, const QString& tipoPagamento, const QString& portador,
                                   const QString& banco, const QString& pedido, const QString& parcela,
                                   const QString& historico, int sequencia, double valor, double desconto,
                                   double juros, double multa, double valorPago, const QDateTime& emissao,
                                   const QDateTime& vencimento, const QDateTime& lancamento, int conta,
                                   const QString& tipoDocumento)
{
    QStringList parametros;
    for (const QString& coluna : colunasPagar())
        parametros << ":" + coluna;
    host::db::Statement& st = ComandoPreparado("insert into ACPC6001 (" + colunasPagar().join(", ") + ") values (" +
                                               parametros.join(", ") + ")");
    const QVariantList valores = {fornecedor.trimmed(),
                                  documento.trimmed(),
                                  filial.trimmed(),
                                  textoPagarOuNulo(situacao),
                                  textoPagarOuNulo(tipoPagamento),
                                  textoPagarOuNulo(portador),
                                  textoPagarOuNulo(banco),
                                  textoPagarOuNulo(pedido),
                                  textoPagarOuNulo(parcela),
                                  textoPagarOuNulo(historico),
                                  sequencia,
                                  valor,
                                  desconto,
                                  juros,
                                  multa,
                                  valorPago,
                                  dataPagarOuNula(emissao),
                                  dataPagarOuNula(vencimento),
                                  dataPagarOuNula(lancamento),
                                  conta == 0 ? QVariant() : QVariant(conta),
                                  textoPagarOuNulo(tipoDocumento)};
    for (int i = 0; i < valores.size(); ++i)
        st.setParam(i, valores[i]);
    st.execute();
    return true;
}
