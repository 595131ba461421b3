// Free codes of text columns that hold numbers.

#include "host/Udatamod.h"

#include "host/Udmglobal.h"
#include "host/db/Database.h"
#include "host/db/KeptByText.h"
#include "host/schema/HostSchema.h"

#include <algorithm>
#include <memory>
#include <set>

namespace {

// The condition as a conjunct: "where X" (any case) gives "X"; none gives
// none. Anything else cannot be joined to our own where-clause.
bool condicaoComoConjuncao(const QString& condicao, QString& conjuncao)
{
    const QString texto = condicao.trimmed();
    conjuncao.clear();
    if (texto.isEmpty())
        return true;
    if (!texto.startsWith("where", Qt::CaseInsensitive) || texto.size() < 6 || !texto.at(5).isSpace())
        return false;
    conjuncao = " and (" + texto.mid(6) + ")";
    return true;
}

// The largest number stored, found by the engine: only digits count, walked
// in the order of their padded digits (the host schema keeps a descending
// index on that expression for the receivables' document numbers, which
// leaves out every number holding a letter, so the walk stops at the first
// row whatever else the table holds). 0 when none; -1 when the condition is
// of a form the statement cannot take.
// The statement's text for a column, table and conjunct. A batch numbers a
// document per row on the same column and table: the last text is kept,
// since joining its dozen pieces cost more than the lookup of its statement.
const QString& textoMaiorCodigo(const QString& coluna, const QString& tabela, const QString& conjuncao)
{
    thread_local host::db::LastMade<QString, QString, QString, QString> ultimo;
    return ultimo.of(coluna, tabela, conjuncao, [&] {
        const QString ordem = host::numericTextOrder(coluna);
        return "select first 1 trim(" + coluna + ") from " + tabela + " where " + ordem + " is not null" +
               conjuncao + " order by " + ordem + " desc";
    });
}

qint64 maiorCodigoNumerico(const QString& coluna, const QString& tabela, const QString& condicao)
{
    QString conjuncao;
    if (!condicaoComoConjuncao(condicao, conjuncao))
        return -1;
    host::db::Statement& st = dmGlobal->ComandoPreparado(textoMaiorCodigo(coluna, tabela, conjuncao));
    st.execute();
    qint64 maior = 0;
    if (st.fetch()) {
        maior = st.value(0).toString().toLongLong();
        st.closeCursor();
    }
    return maior;
}

// Every positive number stored (the search past the maximum needs them all).
std::set<qint64> codigosNumericosUsados(const QString& coluna, const QString& tabela, const QString& condicao)
{
    host::db::Statement st(*dmGlobal->IBTransaction1,
                           QString("select distinct %1 from %2 %3").arg(coluna, tabela, condicao));
    st.execute();
    std::set<qint64> usados;
    while (st.fetch()) {
        bool numero = false;
        const qint64 valor = st.value(0).toString().trimmed().toLongLong(&numero);
        if (numero && valor > 0)
            usados.insert(valor);
    }
    return usados;
}

}  // namespace

QString CodigoCadastralDisponivel(const QString& coluna, const QString& tabela, int maximo,
                                  const QString& formato, const QString& condicao)
{
    qint64 maior = maiorCodigoNumerico(coluna, tabela, condicao);
    std::set<qint64> usados;
    if (maior < 0) {
        usados = codigosNumericosUsados(coluna, tabela, condicao);
        maior = usados.empty() ? 0 : *usados.rbegin();
    }
    qint64 livre = maior + 1;
    if (livre > maximo) {
        if (usados.empty())
            usados = codigosNumericosUsados(coluna, tabela, condicao);
        livre = 1;
        while (livre <= maximo && usados.count(livre))
            ++livre;
        if (livre > maximo)
            return {};
    }
    const int largura = int(formato.size());
    return QString::number(livre).rightJustified(largura, '0');
}

CodigosDisponiveis::CodigosDisponiveis(const QString& coluna, const QString& tabela, int maximo,
                                       const QString& formato)
    : coluna_(coluna), tabela_(tabela), formato_(formato), maximo_(maximo)
{
}

QString CodigosDisponiveis::proximo()
{
    if (ultimo_ < 0) {
        const qint64 maior = maiorCodigoNumerico(coluna_, tabela_, {});
        if (maior >= 0 && maior < maximo_)
            ultimo_ = maior;
    }
    if (ultimo_ < 0 || ultimo_ >= maximo_) {
        ultimo_ = -1;
        return CodigoCadastralDisponivel(coluna_, tabela_, maximo_, formato_);
    }
    ++ultimo_;
    return QString::number(ultimo_).rightJustified(int(formato_.size()), '0');
}

NumerosReceber::NumerosReceber(int bloco) : bloco_(std::max(bloco, 1)) {}

QString NumerosReceber::proximo()
{
    if (proximo_ > fim_) {
        proximo_ = dmGlobal->ProximoNumeroReceber(bloco_).toLongLong();
        fim_ = proximo_ + bloco_ - 1;
    }
    return QString::number(proximo_++).rightJustified(6, '0');
}

int ProximaChave(const QString& gerador, const QString& coluna, const QString& tabela, int quantidade)
{
    const qint64 n = std::max(quantidade, 1);
    // The largest key is one row of the column's descending index (the host
    // schema keeps one on every key a generator draws): the draw costs the
    // same whatever the table holds. Kept prepared: a batch draws per row.
    const std::shared_ptr<host::db::Statement> st = dmGlobal->IBTransaction1->prepared(
        QString("select gen_id(%1, %2), (select coalesce(max(%3), 0) from %4) from rdb$database")
            .arg(gerador)
            .arg(n)
            .arg(coluna, tabela));
    st->execute();
    st->fetch();
    const qint64 ultima = st->value(0).toLongLong();
    const qint64 maior = st->value(1).toLongLong();
    st->closeCursor();
    if (ultima - n >= maior)
        return int(ultima - n + 1);
    // Every draw of a generator is unique, so stepping it by the gap (and at
    // least by the block) keeps two stations that catch up at once apart as well.
    host::db::Statement passo(*dmGlobal->IBTransaction1,
                              QString("select gen_id(%1, %2) from rdb$database")
                                  .arg(gerador)
                                  .arg(std::max(n, maior - ultima + n)));
    passo.execute();
    passo.fetch();
    return int(passo.value(0).toLongLong() - n + 1);
}
