#include "host/Ulote.h"

#include "host/Udmglobal.h"
#include "host/db/AsciiName.h"
#include "host/db/Database.h"
#include "host/ui/Form.h"

#include <algorithm>

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
