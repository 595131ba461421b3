// Statement helpers of Udatamod: neighbouring keys, column lists and the
// host filters that the loaders put into a query's statement.

#include "host/Udatamod.h"

#include "host/Udmglobal.h"
#include "host/data/Query.h"

#include <QHash>
#include <QRegularExpression>

#include <stdexcept>

namespace {

// Added conditions are framed by these comments, so LimpaFiltro finds them
// again; the database layer skips comments.
const QString kInicioFiltro = " /*filtro*/ ";
const QString kFimFiltro = " /*fim filtro*/ ";

QString semConector(const QString& condicao)
{
    static const QRegularExpression conector(R"(^\s*(where|and)\b)", QRegularExpression::CaseInsensitiveOption);
    return condicao.trimmed().remove(conector).trimmed();
}

// The outer-level (outside parentheses, quotes and comments) positions of
// the keywords; each at its first occurrence, -1 when absent.
struct Palavras {
    int where = -1, groupBy = -1, having = -1, orderBy = -1;
};

Palavras palavrasExternas(const QString& sql)
{
    static const QRegularExpression palavra(R"(\b(where|group\s+by|having|order\s+by)\b)",
                                            QRegularExpression::CaseInsensitiveOption);
    Palavras p;
    int depth = 0;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c == '\'' || c == '"') {
            const int fim = sql.indexOf(c, i + 1);
            i = fim < 0 ? sql.size() : fim;
        } else if (c == '/' && i + 1 < sql.size() && sql.at(i + 1) == '*') {
            const int fim = sql.indexOf("*/", i + 2);
            i = fim < 0 ? sql.size() : fim + 1;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        } else if (depth == 0 && c.isLetter() && (i == 0 || !sql.at(i - 1).isLetterOrNumber())) {
            const auto m = palavra.match(sql, i, QRegularExpression::NormalMatch,
                                         QRegularExpression::AnchorAtOffsetMatchOption);
            if (!m.hasMatch())
                continue;
            const QString w = m.captured(1).toLower();
            int* alvo = w == "where" ? &p.where : w.startsWith("group") ? &p.groupBy : w == "having" ? &p.having
                                                                                                      : &p.orderBy;
            if (*alvo < 0)
                *alvo = i;
        }
    }
    return p;
}

void alocar(host::data::Query* query, const QString& condicao, bool final)
{
    const QString texto = semConector(condicao);
    if (!query || texto.isEmpty())
        return;
    QString sql = query->sql();
    const Palavras p = palavrasExternas(sql);
    int posicao = sql.size();
    if (!final)
        for (int fim : {p.groupBy, p.having, p.orderBy})
            if (fim >= 0 && fim < posicao)
                posicao = fim;
    const bool temWhere = p.where >= 0 && p.where < posicao;
    sql.insert(posicao, kInicioFiltro + (temWhere ? "and (" : "where (") + texto + ")" + kFimFiltro);
    query->setSql(sql);
}

}  // namespace

void LimpaFiltro(host::data::Query* query)
{
    if (!query)
        return;
    QString sql = query->sql();
    for (int inicio = sql.indexOf(kInicioFiltro); inicio >= 0; inicio = sql.indexOf(kInicioFiltro)) {
        const int fim = sql.indexOf(kFimFiltro, inicio);
        sql.remove(inicio, (fim < 0 ? sql.size() : fim + kFimFiltro.size()) - inicio);
    }
    query->setSql(sql);
}

void AlocaFiltro(host::data::Query* query, const QString& condicao) { alocar(query, condicao, false); }
void AlocaFiltro(const QString& condicao, host::data::Query* query) { alocar(query, condicao, false); }
void AlocaFiltroFinal(host::data::Query* query, const QString& condicao) { alocar(query, condicao, true); }

QString SQLComLigacao(const QString& sql, const QString& ligacao)
{
    if (ligacao.trimmed().isEmpty())
        return sql;
    const Palavras p = palavrasExternas(sql);
    int posicao = sql.size();
    for (int palavra : {p.where, p.groupBy, p.having, p.orderBy})
        if (palavra >= 0 && palavra < posicao)
            posicao = palavra;
    QString resultado = sql;
    resultado.insert(posicao, " " + ligacao.trimmed() + " ");
    return resultado;
}

void AlocaLigacao(host::data::Query* query, const QString& ligacao)
{
    if (query)
        query->setSql(SQLComLigacao(query->sql(), ligacao));
}

QString SQLFiltroFilial(const QString& tabela, const QString& alias)
{
    // The tables whose rows belong to one branch, and the column that says which.
    static const QHash<QString, QString> colunaFilial = {{"AATC01AO", "AOLOCAL"}};
    const QString coluna = colunaFilial.value(tabela.trimmed().toUpper());
    if (sFilialUsuario.trimmed().isEmpty() || coluna.isEmpty())
        return {};
    const QString prefixo = alias.trimmed().isEmpty() ? QString() : alias.trimmed() + ".";
    return " and (" + prefixo + coluna + " = '" + QString(sFilialUsuario.trimmed()).replace("'", "''") + "')";
}

void AdicionaFieldZeltoCreatorAlias(host::data::Query* query, const QString& tabela, const QString& alias)
{
    if (!query)
        return;
    QStringList campos;
    for (const QString& coluna : host::db::tableColumns(*dmGlobal->IBTransaction1, tabela))
        if (coluna.toUpper().startsWith("ZC_"))
            campos << (alias.trimmed().isEmpty() ? coluna : alias.trimmed() + "." + coluna);
    if (campos.isEmpty())
        return;
    // The outer select list ends at the first outer "from".
    static const QRegularExpression from(R"(\bfrom\b)", QRegularExpression::CaseInsensitiveOption);
    QString sql = query->sql();
    int depth = 0;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c == '\'') {
            const int fim = sql.indexOf(c, i + 1);
            i = fim < 0 ? sql.size() : fim;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        } else if (depth == 0 && (i == 0 || !sql.at(i - 1).isLetterOrNumber()) &&
                   from.match(sql, i, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption)
                       .hasMatch()) {
            sql.insert(i, ", " + campos.join(", ") + " ");
            query->setSql(sql);
            return;
        }
    }
}

QString RegistroAnteriorProximo(const QString& tabela, const QString& colunaChave, const QString& direcao,
                                const QString& valorAtual, const QString& condicao, const QString& colunaRetorno,
                                bool bCircular)
{
    const bool anterior = direcao.trimmed() == "<";
    if (!anterior && direcao.trimmed() != ">")
        throw std::invalid_argument("RegistroAnteriorProximo: direction is \"<\" or \">\"");
    const QString retorno = colunaRetorno.trimmed().isEmpty() ? colunaChave : colunaRetorno.trimmed();
    auto buscar = [&](bool comparar) {
        QStringList condicoes;
        if (comparar)
            condicoes << colunaChave + (anterior ? " < :ATUAL" : " > :ATUAL");
        if (!semConector(condicao).isEmpty())
            condicoes << "(" + semConector(condicao) + ")";
        QString sql = "select first 1 " + retorno + " from " + tabela;
        if (!condicoes.isEmpty())
            sql += " where " + condicoes.join(" and ");
        sql += " order by " + colunaChave + (anterior ? " desc" : "");
        QVariantMap params;
        if (comparar)
            params.insert("ATUAL", valorAtual.trimmed());
        return host::db::selectValue(*dmGlobal->IBTransaction1, sql, params);
    };
    const bool temAtual = !valorAtual.trimmed().isEmpty();
    QVariant valor = buscar(temAtual);
    if (!valor.isValid() && temAtual) {
        if (!bCircular)
            return valorAtual;
        valor = buscar(false);
    }
    if (!valor.isValid() || valor.isNull())
        return temAtual ? valorAtual : QString();
    if (valor.typeId() == QMetaType::Double && valor.toDouble() == double(qint64(valor.toDouble())))
        return QString::number(qint64(valor.toDouble()));
    return valor.toString().trimmed();
}

QString RetornarCampos(const QString& tabela, const QString& separador, const QString& colunasExcluidas, int iModo)
{
    if (iModo != 0)
        throw std::invalid_argument("RetornarCampos: mode 0 is the only mode");
    QStringList excluidas;
    for (const QString& nome : QString(colunasExcluidas).replace(';', ',').split(',', Qt::SkipEmptyParts))
        excluidas << nome.trimmed().toUpper();
    QStringList colunas;
    for (const QString& coluna : host::db::tableColumns(*dmGlobal->IBTransaction1, tabela.trimmed().toUpper()))
        if (!excluidas.contains(coluna.trimmed().toUpper()))
            colunas << coluna.trimmed();
    return colunas.join(separador);
}
