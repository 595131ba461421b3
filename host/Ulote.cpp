#include "host/Ulote.h"

#include "host/Udmglobal.h"
#include "host/db/AsciiName.h"
#include "host/db/Database.h"
#include "host/ui/Form.h"

#include <algorithm>
#include <cmath>

namespace host {

ResultadoLote& ultimoResultadoLote()
{
    static ResultadoLote resultado;
    return resultado;
}

std::function<void(int)>& avisoFeitoLote()
{
    static std::function<void(int)> aviso;
    return aviso;
}

void ResultadoLote::feito(int numero)
{
    feitos << numero;
    if (avisoFeitoLote())
        avisoFeitoLote()(numero);
}

namespace {

ExecucaoLote* loteAtual = nullptr;

bool caractereDeNome(QChar c) { return c.isLetterOrNumber() || c == '_' || c == '$' || c == '.'; }

// The parameter of the read's i-th value (from 0), made once: every read
// of a run's rows names them again.
const QString& nomeDoValor(qsizetype i)
{
    static thread_local QStringList nomes;
    while (nomes.size() <= i)
        nomes << "TA_LOTE_" + QString::number(nomes.size() + 1);
    return nomes[i];
}

// The quoted values compared by "column = 'value'" become parameters: the
// rules paste the row's key into the text, and one statement per key would
// be prepared anew for every row of the run. Only a plain column on the
// left takes a parameter (its type is the column's); any other literal
// stays in the text.
struct LeituraParametrizada {
    QString texto;
    QStringList valores;
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
    // Plain text goes over in runs: the rules' reads are parsed on every row.
    leitura.texto.reserve(n + 16);
    auto copia = [&](qsizetype de, qsizetype ate) { leitura.texto += QStringView(sql).sliced(de, ate - de); };
    // The four characters that start something lie between '"' and '/':
    // letters, digits and spaces are passed over with one comparison.
    auto inicioEspecial = [&](qsizetype k) {
        const QChar c = sql[k];
        if (unsigned(c.unicode()) - u'"' > unsigned(u'/' - u'"'))
            return false;
        return c == '\'' || c == '"' || ((c == '-' || c == '/') && k + 1 < n && sql[k + 1] == (c == '-' ? '-' : '*'));
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
                leitura.valores << valor;
            } else {
                copia(i, fechado ? j + 1 : n);
            }
            i = fechado ? j + 1 : n;
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
bool valorConverteIgual(const db::ColumnInfo& coluna, const QString& valor)
{
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

// The table's name in "TABLE alias".
QStringView primeiraPalavra(const QString& tabela)
{
    QStringView texto = QStringView(tabela).trimmed();
    const qsizetype espaco = texto.indexOf(u' ');
    return espaco >= 0 ? texto.left(espaco) : texto;
}

QString nomeTabela(const QString& tabela)
{
    const QStringView texto = primeiraPalavra(tabela);
    // Table names are ASCII: upper-cased here, without the Unicode tables.
    QString nome(texto.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const char16_t c = texto[i].unicode();
        if (c >= 0x80)
            return texto.toString().toUpper();
        nome[i] = QChar(c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c);
    }
    return nome;
}

// The table's name when the text names one table, with an alias at most
// ("TABLE alias"); null for a join or a list of tables (a third word or a
// comma), whose reads are never kept. One pass: every read of a run asks.
QStringView tabelaUnica(const QString& tabela)
{
    QStringView primeira;
    int palavras = 0;
    const QChar* const fim = tabela.constEnd();
    for (const QChar* c = tabela.constBegin(); c < fim;) {
        if (c->isSpace()) {
            ++c;
            continue;
        }
        const QChar* const inicio = c;
        for (; c < fim && !c->isSpace(); ++c)
            if (*c == u',')
                return {};
        if (++palavras > 2)
            return {};
        if (palavras == 1)
            primeira = QStringView(inicio, c);
    }
    return primeira.isNull() ? QStringView(u"") : primeira;
}

}  // namespace

bool ExecucaoLote::ativa() { return loteAtual != nullptr; }

void ExecucaoLote::tabelasFixas(const QStringList& tabelas)
{
    for (const QString& tabela : tabelas)
        if (!lembradasDe(tabela))
            tabelasFixas_.append({nomeTabela(tabela), {}});
}

// Where the fixed table the text's first word names is in the list (which
// only grows, so a place stays); -1 for any other table. Compared in place:
// no name is copied per read.
qsizetype ExecucaoLote::tabelaFixa(const QString& tabela) const
{
    return tabelaFixa(primeiraPalavra(tabela));
}

qsizetype ExecucaoLote::tabelaFixa(QStringView palavra) const
{
    const bool ascii = std::all_of(palavra.begin(), palavra.end(), [](QChar c) { return c.unicode() < 0x80; });
    const QString nome = ascii ? QString() : nomeTabela(palavra.toString());
    for (qsizetype i = 0; i < tabelasFixas_.size(); ++i) {
        const QString& fixa = tabelasFixas_[i].nome;
        if (ascii ? palavra.size() == fixa.size() && db::sameAsciiNameUnits(fixa, palavra.utf16()) : nome == fixa)
            return i;
    }
    return -1;
}

// What was kept of the fixed table the text's first word names; null for
// any other table.
QHash<QString, QVariant>* ExecucaoLote::lembradasDe(const QString& tabela)
{
    const qsizetype i = tabelaFixa(tabela);
    return i < 0 ? nullptr : &tabelasFixas_[i].lembradas;
}

QVariant ExecucaoLote::lembrada(const QString& tabela, const QString& chave, const std::function<QVariant()>& ler)
{
    if (!loteAtual)
        return ler();
    // One table with an alias at most: a join may read a table the run changes.
    const QStringView nome = tabelaUnica(tabela);
    if (nome.isNull())
        return ler();
    ExecucaoLote& lote = *loteAtual;
    const qsizetype fixa = lote.tabelaFixa(nome);
    if (fixa < 0)
        return ler();
    const QHash<QString, QVariant>& lembradas = lote.tabelasFixas_.at(fixa).lembradas;
    const auto guardada = lembradas.constFind(chave);
    if (guardada != lembradas.constEnd())
        return *guardada;
    const QVariant valor = ler();
    // By its place: the read may have added fixed tables, moving them.
    lote.tabelasFixas_[fixa].lembradas.insert(chave, valor);
    return valor;
}

void ExecucaoLote::tabelaAlterada(const QString& tabela)
{
    if (!loteAtual)
        return;
    if (QHash<QString, QVariant>* lembradas = loteAtual->lembradasDe(tabela))
        lembradas->clear();
}

std::shared_ptr<db::Statement> ExecucaoLote::comandoPreparado(db::Transaction& tr, const QString& sql)
{
    return loteAtual ? tr.prepared(sql) : nullptr;
}

std::shared_ptr<db::Statement> ExecucaoLote::leituraPreparada(db::Transaction& tr, const QString& sql)
{
    if (!loteAtual)
        return nullptr;
    // Without quotes the text holds no value to bind: straight to its kept
    // statement, neither parsed nor copied.
    if (std::none_of(sql.cbegin(), sql.cend(), [](QChar c) { return c == u'\'' || c == u'"'; }))
        return tr.prepared(sql);
    const LeituraParametrizada leitura = parametrizar(sql);
    if (leitura.valores.isEmpty())
        return tr.prepared(sql);
    auto comando = tr.prepared(leitura.texto);
    for (qsizetype i = 0; i < leitura.valores.size(); ++i) {
        const QString& nome = nomeDoValor(i);
        if (!valorConverteIgual(comando->paramInfo(nome), leitura.valores[i]))
            return tr.prepared(sql);
        comando->setParam(nome, leitura.valores[i]);
    }
    return comando;
}


ExecucaoLote::ExecucaoLote(const QString& origem)
    : anteriorLote_(loteAtual), origem_(origem)
{
    anterior_ = ui::Dialogs::setBackend(this);
    loteAtual = this;
}

ExecucaoLote::~ExecucaoLote()
{
    loteAtual = anteriorLote_;
    ui::Dialogs::setBackend(anterior_);
}

void ExecucaoLote::responder(const QString& pergunta, const QString& resposta)
{
    respostas_.insert(pergunta, resposta);
}

ui::DialogReply ExecucaoLote::ask(const ui::DialogRequest& pedido)
{
    ui::DialogReply resposta;
    QString desfecho;
    if (ui::isMessage(pedido.kind)) {
        resposta.accepted = true;
        desfecho = "mensagem em lote";
    } else if (pedido.kind == ui::DialogKind::Question && respostas_.contains(pedido.text) &&
               pedido.options.contains(respostas_.value(pedido.text))) {
        resposta.accepted = true;
        resposta.text = respostas_.value(pedido.text);
        resposta.index = int(pedido.options.indexOf(resposta.text));
        desfecho = "respondida em lote: " + resposta.text;
    } else {
        desfecho = "sem resposta em lote (" + ui::dialogKindName(pedido.kind) + ")";
    }
    ultimoTexto_ = pedido.text;
    if (dmGlobal)
        dmGlobal->Log(origem_, pedido.text, desfecho);
    return resposta;
}

bool ExecucaoLote::runModal(ui::Form& form)
{
    ultimoTexto_ = form.objectName();
    if (dmGlobal)
        dmGlobal->Log(origem_, form.objectName(), "janela modal cancelada em lote");
    form.setModalResult(ui::ModalResult::Cancel);
    return true;
}

}  // namespace host
