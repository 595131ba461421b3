// TdmGlobal: customers, receivables and the splitting of a value into
// instalments.

#include "host/Udatamod.h"
#include "host/Udmglobal.h"
#include "host/Uglobal.h"
#include "host/db/Database.h"

#include <cmath>

namespace {

// Receivables still to be paid: not paid, not a forecast ("V") nor cancelled ("C").
const char* kOpenReceivable =
    " and DATA_PAGAMENTO is null and coalesce(SITUACAO_DOCUMENTO, '') not in ('V', 'C', 'P')";

}  // namespace

void TdmGlobal::CarregaCliente(const QString& cliente)
{
    if (quClienteConsulta->active())
        quClienteConsulta->close();
    quClienteConsulta->paramByName("CODIGO_CLIENTE")->setAsString(cliente.trimmed());
    quClienteConsulta->open();
}

bool TdmGlobal::PVVerificaBloqueioAtraso(const QString& cliente, bool bAbortar)
{
    const int late = ContadorDados("CODIGO_CLIENTE", "ACRC5001", cliente.trimmed(),
                                   QString(kOpenReceivable) + " and DATA_VENCIMENTO < " +
                                       DateToSQL(hoje()));
    if (late == 0)
        return false;
    MostraAviso("Aviso: operação abortada.\rCliente com parcelas em atraso!", bAbortar);
    return true;
}

bool TdmGlobal::LimiteCredito(const QString& cliente, double valor, bool bAbortar)
{
    const QString key = "where CODIGO_CLIENTE = " + QuotedStr(cliente.trimmed());
    const double limit = CarregaNumero("LIMITE_CREDITO", "AUGC0301", key);
    if (limit <= 0)
        return true;
    const double open = CarregaNumero("sum(VALOR_DOCUMENTO)", "ACRC5001", key + kOpenReceivable);
    if (Arredonda2Monetario(open + valor) <= limit)
        return true;
    MostraAviso("Aviso: operação abortada.\rLimite de crédito do cliente excedido!", bAbortar);
    return false;
}

void TdmGlobal::CarregaParcelasReceber(const QString& cliente, const QString& documento,
                                       const QString& condicao, const QString& ordem)
{
    if (quReceber->active())
        quReceber->close();
    quReceber->setSql("select * from ACRC5001 where CODIGO_CLIENTE = :CODIGO_CLIENTE"
                      " and NUMERO_DOCUMENTO = :NUMERO_DOCUMENTO " + condicao +
                      " order by " + (ordem.trimmed().isEmpty() ? QString("SEQUENCIA") : ordem));
    quReceber->paramByName("CODIGO_CLIENTE")->setAsString(cliente.trimmed());
    quReceber->paramByName("NUMERO_DOCUMENTO")->setAsString(documento.trimmed());
    quReceber->open();
    if (host::data::Field* field = quReceber->findField("NUMERO_DOCUMENTO"))
        field->onSetText = [this](host::data::Field& f, const QString& text) {
            quReceberNUMERO_DOCUMENTOSetText(f, text);
        };
}

void TdmGlobal::quReceberNUMERO_DOCUMENTOSetText(host::data::Field& field, const QString& text)
{
    const QString typed = text.trimmed();
    bool digits = !typed.isEmpty();
    for (QChar c : typed)
        digits = digits && c.isDigit();
    field.setAsString(digits && typed.size() < 6 ? typed.rightJustified(6, '0') : typed);
}

void TdmGlobal::CarregaTabelaVencimento(const QString& condicao)
{
    if (quTabVenc->active())
        quTabVenc->close();
    quTabVenc->setSql("select * from AFVT0101 " + condicao + " order by CODIGO");
    quTabVenc->open();
}

int TdmGlobal::DesdobraContasReceber(const DesdobramentoReceber& dados)
{
    const QString term = "where CODIGO = " + QuotedStr(dados.tabelaVencimento.trimmed());
    // An unknown term would make up a single instalment nobody agreed to.
    if (ContadorDados("CODIGO", "AFVT0101", dados.tabelaVencimento.trimmed()) == 0)
        MostraErro("Tabela de vencimento \"" + dados.tabelaVencimento.trimmed() + "\" não cadastrada.");
    RecusaReceberNegativo(dados.valorTotal);
    const int count = std::max(1, CarregaNumeroInteiro("QUANTAS_VEZES", "AFVT0101", term));
    int firstDays = CarregaNumeroInteiro("DIA__INICIAL", "AFVT0101", term);
    if (firstDays <= 0)
        firstDays = 30;
    const QDateTime emission = dados.dataEmissao.isValid() ? dados.dataEmissao
                                                           : hoje();
    // Whole cents per instalment; what the division leaves goes to the first.
    const qint64 totalCents = std::llround(dados.valorTotal * 100.0);
    const qint64 eachCents = totalCents / count;
    const qint64 firstCents = totalCents - eachCents * (count - 1);
    // The instalments stand together: one refused leaves none of the others.
    host::db::Savepoint parcelas(*IBTransaction1);
    for (int i = 1; i <= count; ++i) {
        QVariantMap row{
            {"NUMERO_DOCUMENTO", dados.documento.trimmed()},
            {"CODIGO_CLIENTE", dados.cliente.trimmed()},
            {"SEQUENCIA", i},
            {"CODIGO_FILIAL", CodigoFilialCurto(dados.filial)},
            {"SITUACAO_DOCUMENTO", dados.situacao},
            {"VALOR_DOCUMENTO", double(i == 1 ? firstCents : eachCents) / 100.0},
            {"DATA_EMISSAO", emission},
            {"DATA_VENCIMENTO", emission.addDays(firstDays + 30 * (i - 1))},
            {"AOCODIGO", dados.aoCodigo > 0 ? QVariant(dados.aoCodigo) : QVariant()},
            {"OBSERVACAO", dados.observacao.left(255)},
            {"TVCODIGO", dados.tabelaVencimento.trimmed()},
            {"OFCODIGO", dados.operacao.trimmed()},
            {"NUMERO_DO_BANCO", dados.banco.trimmed().isEmpty() ? QVariant() : QVariant(dados.banco.trimmed())},
        };
        try {
            host::db::executeSql(*IBTransaction1,
                                 "insert into ACRC5001 (NUMERO_DOCUMENTO, CODIGO_CLIENTE, SEQUENCIA, CODIGO_FILIAL,"
                                 " SITUACAO_DOCUMENTO, VALOR_DOCUMENTO, DATA_EMISSAO, DATA_VENCIMENTO, AOCODIGO,"
                                 " OBSERVACAO, TVCODIGO, OFCODIGO, NUMERO_DO_BANCO) values (:NUMERO_DOCUMENTO,"
                                 " :CODIGO_CLIENTE, :SEQUENCIA, :CODIGO_FILIAL, :SITUACAO_DOCUMENTO, :VALOR_DOCUMENTO,"
                                 " :DATA_EMISSAO, :DATA_VENCIMENTO, :AOCODIGO, :OBSERVACAO, :TVCODIGO, :OFCODIGO,"
                                 " :NUMERO_DO_BANCO)",
                                 row);
        } catch (const std::exception& erro) {
            if (ChaveReceberOcupada(erro))
                RecusaChaveReceberOcupada(dados.documento, dados.cliente, i);
            throw;
        }
    }
    parcelas.release();
    return count;
}

host::data::Query* CarregaClienteContatos(const QString& nome, const QString& cliente, const QString& tipo)
{
    auto* consulta = dmGlobal->find<host::data::Query>(nome);
    if (!consulta) {
        consulta = dmGlobal->adopt(std::make_unique<host::data::Query>(nullptr, nome));
        consulta->setTransaction(dmGlobal->IBTransaction1.get());
    }
    const QString codigo = cliente.trimmed();
    if (codigo.isEmpty())
        return consulta;
    consulta->close();
    QString sql = "select sl.ancodigo, sl.annome from augc3701 sl where sl.anvinculocategoria = 'C' "
                  " and sl.anvinculocodigo = :CODCLI ";
    if (!tipo.trimmed().isEmpty())
        sql += " and sl.antipo = " + QuotedStr(tipo.trimmed());
    consulta->setSql(sql + " order by sl.annome ");
    consulta->paramByName("CODCLI")->setAsString(codigo);
    consulta->open();
    return consulta;
}
