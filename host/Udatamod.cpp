// Udatamod: single values read and written through SQL text.

#include "host/Udatamod.h"
#include "host/LeituraParametrizada.h"
#include "host/Ulote.h"

#include "host/Udmglobal.h"
#include "host/Uglobal.h"

#include "host/data/Query.h"

#include <QLocale>

#include <stdexcept>

QString sCodigoExcluido;
QString sAuxiliarExclusao;
QString sCaminhoSistema;
bool bDetectarErroSQL = false;
bool bDesligarMensagens = false;
bool bModoZeltoControlAtivo = false;
QString sAuxiliarGeral;
QString sEmailDestino;
int iAuxiliarGeral = 0;
int iPMCCodigoContrato = 0;
double rAuxiliarGeral = 0;
double rFatorCodigoBarras = 1;
double rLimitePedido = -1;
QString sFilialUsuario;

namespace {

host::db::Transaction& transaction()
{
    if (!dmGlobal)
        throw std::logic_error("dmGlobal não foi criado");
    return *dmGlobal->IBTransaction1;
}

// Built in one allocation from UTF-16 pieces: asked for every single-value
// read, tens of times an order in a batch run, where a chain of `+` on
// byte literals converted and reallocated at each step.
QString selectText(const QString& coluna, const QString& tabela, const QString& condicao)
{
    QString sql;
    sql.reserve(14 + coluna.size() + tabela.size() + condicao.size());
    sql.append(u"select ").append(coluna).append(u" from ").append(tabela).append(u' ').append(condicao);
    return sql;
}

// The first value of the first row of the kept statement, its compared
// values bound; invalid when there is no row.
QVariant readValue(const QString& sql)
{
    const auto comando = host::leituraComParametros(transaction(), sql);
    comando->execute();
    if (!comando->fetch())
        return QVariant();
    QVariant value = comando->value(0);
    comando->closeCursor();
    return value;
}

// The first value of the first row; invalid when there is no row. The
// query given still ends with the text, as the callers may show it. A
// batch run keeps a read of a table it never changes for the rest of the run.
QVariant firstValue(const QString& tabela, const QString& sql, host::data::Query* query)
{
    if (query) {
        if (query->active())
            query->close();
        query->setSql(sql);
    }
    return host::ExecucaoLote::lembrada(tabela, sql, [&] { return readValue(sql); });
}

// "where <key column> = <key value> <extra>"; an empty key column takes
// every row. An unquoted key is pasted only when it is a number, so a key
// value can never become SQL of its own.
QString keyCondition(const QString& colunaChave, const QString& valorChave, const QString& condicaoExtra,
                     bool bSemAspas)
{
    const bool comChave = !QStringView(colunaChave).trimmed().isEmpty();
    QString valor;
    if (comChave) {
        // Whether the key is a number matters only where it may go unquoted.
        bool number = false;
        if (bSemAspas)
            QLocale::c().toDouble(QStringView(valorChave).trimmed(), &number);
        valor = number ? valorChave.trimmed() : QuotedStr(valorChave);
    }
    QString where;
    where.reserve(16 + colunaChave.size() + valor.size() + condicaoExtra.size());
    where.append(u"where 1=1");
    if (comChave)
        where.append(u" and ").append(colunaChave).append(u" = ").append(valor);
    return where.append(u' ').append(condicaoExtra);
}

void commit() { transaction().commitRetaining(); }

}  // namespace

QString CarregaDado(const QString& coluna, const QString& tabela, const QString& condicao,
                    host::data::Query* query)
{
    const QVariant value = firstValue(tabela, selectText(coluna, tabela, condicao), query);
    return value.isNull() ? QString() : value.toString();
}

double CarregaNumero(const QString& coluna, const QString& tabela, const QString& condicao,
                     host::data::Query* query)
{
    const QVariant value = firstValue(tabela, selectText(coluna, tabela, condicao), query);
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? number : 0.0;
}

int CarregaNumeroInteiro(const QString& coluna, const QString& tabela, const QString& condicao,
                         host::data::Query* query)
{
    const QVariant value = firstValue(tabela, selectText(coluna, tabela, condicao), query);
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? int(number) : 0;
}

QDateTime CarregaData(const QString& coluna, const QString& tabela, const QString& condicao,
                      host::data::Query* query)
{
    const QVariant value = firstValue(tabela, selectText(coluna, tabela, condicao), query);
    return value.isNull() ? QDateTime() : value.toDateTime();
}

QString CarregaVariosDados(const QString& coluna, const QString& tabela, const QString& condicao,
                           host::data::Query* query, const QString& separador)
{
    QString joined;
    const QString sql = selectText(coluna, tabela, condicao);
    if (query) {
        if (query->active())
            query->close();
        query->setSql(sql);
        query->open();
        for (query->first(); !query->eof(); query->next())
            joined += query->field(0)->asString() + separador;
        query->close();
        return joined;
    }
    const auto comando = host::leituraComParametros(transaction(), sql);
    comando->execute();
    while (comando->fetch())
        joined += (comando->isNull(0) ? QString() : comando->value(0).toString()) + separador;
    comando->closeCursor();
    return joined;
}

QString CarregaVariosDados(const QString& coluna, const QString& tabela, const QString& condicao,
                           const QString& separador)
{
    return CarregaVariosDados(coluna, tabela, condicao, nullptr, separador);
}

double MaximoDado(const QString& coluna, const QString& tabela, const QString& colunaChave,
                  const QString& valorChave, const QString& condicaoExtra, bool bSemAspas)
{
    return CarregaNumero("max(" + coluna + ")", tabela, keyCondition(colunaChave, valorChave, condicaoExtra, bSemAspas));
}

int ContadorDados(const QString& colunaChave, const QString& tabela, const QString& valorChave,
                  const QString& condicaoExtra, bool bSemAspas)
{
    return CarregaNumeroInteiro("count(*)", tabela, keyCondition(colunaChave, valorChave, condicaoExtra, bSemAspas));
}

void UpdateCampo(const QString& tabela, const QString& coluna, const QString& valorSQL, const QString& condicao)
{
    host::ExecucaoLote::tabelaAlterada(tabela);
    host::db::executeSql(transaction(), "update " + tabela + " set " + coluna + " = " + valorSQL + " " + condicao);
}

void UpdateCampoCommit(const QString& tabela, const QString& coluna, const QString& valorSQL,
                       const QString& condicao)
{
    UpdateCampo(tabela, coluna, valorSQL, condicao);
    commit();
}

void UpdateCampoValor(const QString& tabela, const QString& coluna, double valor, const QString& condicao)
{
    UpdateCampo(tabela, coluna, ValueToSQL(valor), condicao);
}

void UpdateCampoValorCommit(const QString& tabela, const QString& coluna, double valor, const QString& condicao)
{
    UpdateCampoValor(tabela, coluna, valor, condicao);
    commit();
}

void UpdateCampoVariavelCommit(const QString& tabela, const QString& coluna, const QVariant& valor,
                               const QString& condicao)
{
    host::ExecucaoLote::tabelaAlterada(tabela);
    host::db::executeSql(transaction(), "update " + tabela + " set " + coluna + " = :VALOR_NOVO " + condicao,
                         {{"VALOR_NOVO", valor}});
    commit();
}

void Update2Campos(const QString& tabela, const QString& coluna1, const QString& valor1, const QString& coluna2,
                   const QString& valor2, const QString& condicao)
{
    host::ExecucaoLote::tabelaAlterada(tabela);
    host::db::executeSql(transaction(), "update " + tabela + " set " + coluna1 + " = " + valor1 + ", " + coluna2 +
                                            " = " + valor2 + " " + condicao);
}

void Update2CampoValorCommit(const QString& tabela, const QString& coluna1, const QString& coluna2,
                             const QString& valor1, const QString& valor2, const QString& condicao)
{
    Update2Campos(tabela, coluna1, valor1, coluna2, valor2, condicao);
    commit();
}

void DeletaRegistros(const QString& tabela, const QString& condicao)
{
    DeletaRegistros(tabela, condicao, {});
}

void DeletaRegistros(const QString& tabela, const QString& condicao, const QVariantMap& parametros)
{
    host::ExecucaoLote::tabelaAlterada(tabela);
    host::db::executeSql(transaction(), "delete from " + tabela + " " + condicao, parametros);
}

void DeletaRegistrosCommit(const QString& tabela, const QString& condicao)
{
    DeletaRegistros(tabela, condicao);
    commit();
}

void InsertTable(const QString& tabela, const QStringList& colunas, const QVariantList& valores,
                 host::data::Query* query, bool bParametros)
{
    if (colunas.size() != valores.size())
        throw std::invalid_argument("InsertTable: colunas e valores em número diferente");
    host::ExecucaoLote::tabelaAlterada(tabela);
    QStringList names;
    QStringList values;
    QVariantMap params;
    for (qsizetype i = 0; i < colunas.size(); ++i) {
        names << colunas[i].trimmed();
        if (bParametros) {
            const QString param = "P" + QString::number(i);
            values << ":" + param;
            params.insert(param, valores[i]);
        } else {
            values << ValueToSQL(valores[i]);
        }
    }
    const QString sql = "insert into " + tabela + " (" + names.join(", ") + ") values (" + values.join(", ") + ")";
    if (!query) {
        host::db::executeSql(transaction(), sql, params);
        return;
    }
    if (query->active())
        query->close();
    query->setSql(sql);
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        query->paramByName(it.key())->setValue(it.value());
    query->execSql();
}

std::unique_ptr<host::data::Query> CriarIbQuery(const QString& nome)
{
    auto query = std::make_unique<host::data::Query>(nullptr, nome);
    query->setTransaction(&transaction());
    return query;
}

void AbrirComposicaoNumeroSerie(host::data::Query& composicao, const QString& numeroSerie)
{
    const QString serie = numeroSerie.trimmed();
    auto abrir = [&composicao](const QString& filtro) {
        composicao.close();
        composicao.paramByName("SERIE")->setAsString(filtro);
        composicao.open();
    };
    abrir(serie);
    if (!serie.isEmpty() && composicao.isEmpty())
        abrir(QString());
}
