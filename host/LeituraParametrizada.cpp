#include "host/LeituraParametrizada.h"

#include "host/db/Database.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace host {

namespace {

bool caractereDeNome(QChar c) { return c.isLetterOrNumber() || c == '_' || c == '$' || c == '.'; }

// The parameter of the read's i-th value (from 0), made once: every read
// names them again.
const QString& nomeDoValor(qsizetype i)
{
    static thread_local QStringList nomes;
    while (nomes.size() <= i)
        nomes << "TA_VALOR_" + QString::number(nomes.size() + 1);
    return nomes[i];
}

// The values compared by "column = 'value'" or "column = 123" become
// parameters. Only a plain column on the left takes a parameter (its type
// is the column's); any other literal stays in the text.
struct Valor {
    QString texto;
    bool entreAspas = true;
};

struct LeituraParametrizada {
    QString texto;
    QList<Valor> valores;
};

LeituraParametrizada parametrizar(const QString& sql)
{
    LeituraParametrizada leitura;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    auto comparacaoComColuna = [&](qsizetype aspa) {
        qsizetype j = aspa - 1;
        while (j >= 0 && sql[j].isSpace())
            --j;
        if (j < 1 || sql[j] != '=' || QStringLiteral("<>!=:").contains(sql[j - 1]))
            return false;
        --j;
        while (j >= 0 && sql[j].isSpace())
            --j;
        qsizetype fim = j;
        while (j >= 0 && caractereDeNome(sql[j]))
            --j;
        return fim > j && sql[j + 1].isLetter();
    };
    // The value ends the comparison ("= 'X' || Y" stays in the text).
    auto terminaComparacao = [&](qsizetype depois) {
        while (depois < n && sql[depois].isSpace())
            ++depois;
        return depois >= n || sql[depois] == ')' || sql[depois] == ';' || sql[depois].isLetter();
    };
    // Plain text goes over in runs: every single-value read is parsed.
    leitura.texto.reserve(n + 16);
    auto copia = [&](qsizetype de, qsizetype ate) { leitura.texto += QStringView(sql).sliced(de, ate - de); };
    // The characters that start something lie between '"' and '9': letters
    // and spaces are passed over with one comparison. A digit starts a
    // number only outside a name ("AATC01AO").
    auto inicioEspecial = [&](qsizetype k) {
        const QChar c = sql[k];
        if (unsigned(c.unicode()) - u'"' > unsigned(u'9' - u'"'))
            return false;
        if (c.isDigit())
            return k == 0 || !caractereDeNome(sql[k - 1]);
        return c == '\'' || c == '"' || ((c == '-' || c == '/') && k + 1 < n && sql[k + 1] == (c == '-' ? '-' : '*'));
    };
    // A whole number ends at a character that cannot go on a name or a
    // number ("1.5", "1e3" stay in the text).
    auto fimDoNumero = [&](qsizetype k) {
        while (k < n && sql[k].isDigit())
            ++k;
        return k < n && caractereDeNome(sql[k]) ? qsizetype(-1) : k;
    };
    while (i < n) {
        const QChar c = sql[i];
        if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            const qsizetype fim = sql.indexOf('\n', i);
            const qsizetype ate = fim < 0 ? n : fim;
            copia(i, ate);
            i = ate;
        } else if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            const qsizetype fim = sql.indexOf("*/", i + 2);
            const qsizetype ate = fim < 0 ? n : fim + 2;
            copia(i, ate);
            i = ate;
        } else if (c == '\'' || c == '"') {
            QString valor;
            qsizetype j = i + 1;
            bool fechado = false;
            while (j < n) {
                const qsizetype aspa = sql.indexOf(c, j);
                if (aspa < 0) {
                    j = n;
                    break;
                }
                valor += QStringView(sql).sliced(j, aspa - j);
                if (aspa + 1 < n && sql[aspa + 1] == c) {
                    valor += c;
                    j = aspa + 2;
                    continue;
                }
                j = aspa;
                fechado = true;
                break;
            }
            if (fechado && comparacaoComColuna(i) && terminaComparacao(j + 1)) {
                leitura.texto += u':';
                leitura.texto += nomeDoValor(leitura.valores.size());
                leitura.valores << Valor{valor, true};
            } else {
                copia(i, fechado ? j + 1 : n);
            }
            i = fechado ? j + 1 : n;
        } else if (c.isDigit() && inicioEspecial(i)) {
            const qsizetype fim = fimDoNumero(i);
            if (fim > 0 && comparacaoComColuna(i) && terminaComparacao(fim)) {
                leitura.texto += u':';
                leitura.texto += nomeDoValor(leitura.valores.size());
                leitura.valores << Valor{sql.sliced(i, fim - i), false};
                i = fim;
            } else {
                // The rest of the number or name goes over as it is.
                qsizetype ate = i + 1;
                while (ate < n && caractereDeNome(sql[ate]))
                    ++ate;
                copia(i, ate);
                i = ate;
            }
        } else {
            qsizetype fim = i + 1;
            while (fim < n && !inicioEspecial(fim))
                ++fim;
            copia(i, fim);
            i = fim;
        }
    }
    return leitura;
}

// A value bound as a parameter converts as the engine converts the quoted
// text: text columns take it as it is, integer columns plain digits. Dates
// (the engine reads "02/03/2026" month first) and fractions stay in the text.
// So does a value the parameter cannot hold (a text longer than the column,
// a number past a smallint's or integer's range): compared as a literal it
// simply matches no row, bound it would be refused.
bool valorConverteIgual(const db::ColumnInfo& coluna, const Valor& lido)
{
    const QString& valor = lido.texto;
    const bool inteira = coluna.type == db::ColumnType::SmallInt || coluna.type == db::ColumnType::Integer ||
                         coluna.type == db::ColumnType::BigInt;
    // A bare number against any other column is compared as the engine
    // converts it there ("4" and "00004" alike): left in the text.
    if (!lido.entreAspas && (!inteira || coluna.scale != 0))
        return false;
    switch (coluna.type) {
    case db::ColumnType::Char:
    case db::ColumnType::VarChar: return valor.size() <= coluna.size;
    case db::ColumnType::SmallInt:
    case db::ColumnType::Integer:
    case db::ColumnType::BigInt: {
        const QStringView digitos = QStringView(valor).trimmed();
        if (digitos.isEmpty() || digitos.size() > 9)
            return false;
        // At most nine digits: summed exactly, without the library's parsing.
        double absoluto = 0;
        for (qsizetype i = 0; i < digitos.size(); ++i) {
            if (i == 0 && digitos[i] == '-' && digitos.size() > 1)
                continue;
            if (!digitos[i].isDigit())
                return false;
            absoluto = absoluto * 10 + digitos[i].digitValue();
        }
        // As stored: a scaled column keeps hundredths and the like as units.
        const double guardado = absoluto * std::pow(10.0, -coluna.scale);
        const double limite = coluna.type == db::ColumnType::SmallInt ? 32767.0
                              : coluna.type == db::ColumnType::Integer ? 2147483647.0
                                                                       : 9.0e18;
        return guardado <= limite;
    }
    default: return false;
    }
}


}  // namespace

std::shared_ptr<db::Statement> leituraComParametros(db::Transaction& tr, const QString& sql)
{
    // Without quotes or digits the text holds no value to bind: straight to
    // its kept statement, neither parsed nor copied.
    if (std::none_of(sql.cbegin(), sql.cend(), [](QChar c) { return c == u'\'' || c == u'"' || c.isDigit(); }))
        return tr.prepared(sql);
    const LeituraParametrizada leitura = parametrizar(sql);
    // A text left whole may be made for one read (a date in it): kept once
    // asked again, so such texts never push the kept statements out.
    if (leitura.valores.isEmpty())
        return tr.preparedIfRepeated(sql);
    auto comando = tr.prepared(leitura.texto);
    for (qsizetype i = 0; i < leitura.valores.size(); ++i) {
        const QString& nome = nomeDoValor(i);
        const Valor& valor = leitura.valores[i];
        if (!valorConverteIgual(comando->paramInfo(nome), valor))
            return tr.preparedIfRepeated(sql);
        comando->setParam(nome, valor.texto);
    }
    return comando;
}

}  // namespace host
