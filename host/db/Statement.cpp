// Prepared statements: named parameters, message buffers, cursors.

#include "host/db/AsciiName.h"
#include "host/db/FbApi.h"
#include "host/db/Values.h"

#include <ibase.h>

#include <QHash>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <type_traits>
#include <utility>

using namespace Firebird;

namespace host::db {

using detail::Status;
using detail::MessageField;

struct Statement::Impl {
    // What every execution reads comes first, in as few cache lines as it
    // takes: between two executions the engine's own work evicts most of
    // ours, and each line read again is a miss. What only preparing,
    // describing or reading columns by name needs comes after.
    Transaction* tr = nullptr;
    IStatement* handle = nullptr;
    IMessageMetadata* inMeta = nullptr;
    // Per unique name, the values of the execution running with values of
    // the caller's (execute(span)); null: `values`.
    const QVariant* const* external = nullptr;
    IResultSet* cursor = nullptr;
    unsigned type = 0;
    int nextName = 0;                   // the name after the one set last
    mutable int affected = -1;          // -2: not asked yet
    bool blobParams = false;            // only then is the attachment asked for when binding
    bool pendingRow = false;            // a procedure's single output row, not yet fetched
    bool rowReady = false;

    std::vector<QVariant> values;       // per unique name
    std::vector<int> slotName;          // "?" position -> unique name index
    QStringList names;                  // unique names, upper-cased, first appearance order (each bound value is told its name)
    std::vector<std::string> asciiNames;   // per unique name: its bytes if all ASCII, else empty
    std::vector<MessageField> inFields;
    std::vector<unsigned char> inBuffer;
    // Per "?": a text value that might not fit its slot, encoded ahead (the
    // slot is widened for it); the others are encoded straight into the message.
    enum TextBinding : char { NotText, EncodedAhead, EncodeStraight };
    std::vector<size_t> textSlots;      // the "?" of text type
    std::vector<size_t> blobSlots;      // the "?" of blob type, written last
    std::vector<char> textBinding;      // per "?", as widenTextParams found it
    Status status;                      // reused: asking the engine for one per call is not free
    std::vector<MessageField> outFields;
    IMessageMetadata* outMeta = nullptr;
    std::vector<unsigned char> outBuffer;
    std::vector<QByteArray> textBytes;

    std::uint64_t serial = 0;   // of the preparation in `handle`
    std::uint64_t generation = 0;   // the connection's pool generation it was prepared in
    QString sql;
    QHash<QString, int> nameIndex;
    std::vector<unsigned> declaredLength;   // per "?": as described, before any widening
    std::vector<ColumnInfo> columns;
    QHash<QString, int> columnByName;

    ~Impl() {
        free();
        if (tr) tr->impl()->statements.erase(this);
    }

    Transaction& transaction() const {
        if (!tr) detail::raise("A transação do comando não existe mais.", sql);
        return *tr;
    }
    IAttachment* attachment() const { return transaction().impl()->liveConnection().impl()->attachment; }
    // The transaction is going away: its statements outlive it unprepared.
    void orphan() {
        free();
        tr = nullptr;
    }

    void free();
    // Hands the statement's preparation to its connection's pool (its cursor
    // closed, its values dropped, bound to no transaction); `self` keeps it
    // when the pool does not.
    static void letGo(std::unique_ptr<Impl>& self);
    // Takes the connection's kept preparation of the text in place of the
    // statement's own (which is let go); false when none is kept.
    static bool takePooled(std::unique_ptr<Impl>& self, const QString& sql);
    // Asked before every execution, where there is seldom a cursor to close.
    void closeCursor() {
        rowReady = false;
        pendingRow = false;
        if (cursor) closeOpenCursor();
    }
    void closeOpenCursor();
    void describe();
    int nameIndexOf(QAnyStringView name);
    int knownNameIndexOf(const QString& name) const;
    Q_DECL_COLD_FUNCTION Q_NEVER_INLINE int hashedNameIndexOf(QAnyStringView name);
    size_t checkedIndex(int index) const;
    const QVariant& valueAt(size_t slot) const {
        const int name = slotName[slot];
        return external ? *external[name] : values[size_t(name)];
    }
    void bindInput();
    bool bindInOnePass();
    void bindBlobs();
    void widenTextParams();
    void bindWidened();
    void check(Status& st) const {
        if (st.failed()) [[unlikely]]
            explainFailure(st);
    }
    Q_DECL_COLD_FUNCTION Q_NEVER_INLINE void explainFailure(Status& st) const;
    [[noreturn]] Q_DECL_COLD_FUNCTION Q_NEVER_INLINE void refuseColumn(int index) const;
    Q_NEVER_INLINE void blobInto(const MessageField& f, QVariant& target) const;
    // One cell of the fetched row into `target`: a null decided in place
    // (most cells of a wide row), a blob through the attachment.
    void cellInto(const MessageField& f, const unsigned char* buffer, QVariant& target) const {
        if (*reinterpret_cast<const short*>(buffer + f.nullOffset) != 0) return detail::dropHeld(target);
        if (f.type == SQL_BLOB) [[unlikely]]
            return blobInto(f, target);
        static detail::BlobWriter noBlobs{nullptr, nullptr};   // only a blob's reading uses it
        detail::readPresentInto(f, buffer, noBlobs, target);
    }
    void tellExecuted() const;
};

// The statement's own status serves (a cursor is closed about as often as
// one is opened, and asking the engine for a status costs an allocation and
// its release): every engine call clears the status it is given first.
void Statement::Impl::closeOpenCursor() {
    if (detail::runWatcher) detail::runWatcher->cursorClosed(serial);
    const detail::EngineCall call;
    cursor->close(&status);
    if ((&status)->getState() & IStatus::STATE_ERRORS) cursor->release();
    cursor = nullptr;
}

void Statement::Impl::free() {
    closeCursor();
    if (inMeta) inMeta->release();
    if (outMeta) outMeta->release();
    inMeta = outMeta = nullptr;
    if (handle) {
        Status st;
        const detail::EngineCall call;
        handle->free(&st);
        if ((&st)->getState() & IStatus::STATE_ERRORS) handle->release();
        handle = nullptr;
    }
    if (tr && tr->impl()->connection) tr->impl()->connection->impl()->statements.erase(this);
}

void Transaction::Impl::orphanStatements() {
    for (Statement::Impl* s : std::set<Statement::Impl*>(statements)) s->orphan();
    statements.clear();
}

// The open cursors are found among the transaction's statements when it ends,
// not kept in a set of their own that every cursor opened and closed changes.
void Transaction::Impl::releaseCursors() {
    for (Statement::Impl* s : statements)
        if (s->cursor) s->closeCursor();
}

void Connection::Impl::forgetStatements() {
    pool.forget();
    for (Statement::Impl* s : std::set<Statement::Impl*>(statements)) s->free();
}

void Statement::Impl::letGo(std::unique_ptr<Impl>& self) {
    Impl& s = *self;
    Connection* connection = s.handle && s.tr ? s.tr->impl()->connection : nullptr;
    if (!connection || !connection->impl()->attachment) return;
    s.closeCursor();
    for (QVariant& v : s.values) detail::dropHeld(v);
    s.tr->impl()->statements.erase(&s);
    connection->impl()->statements.erase(&s);
    s.tr = nullptr;
    s.external = nullptr;
    s.affected = -1;
    connection->impl()->pool.keep(self);
}

bool Statement::Impl::takePooled(std::unique_ptr<Impl>& self, const QString& sql) {
    Transaction* tr = self->tr;
    Connection* connection = tr ? tr->impl()->connection : nullptr;
    if (!connection || !connection->impl()->attachment) return false;
    std::unique_ptr<Impl> kept = connection->impl()->pool.take(sql);
    if (!kept) return false;
    letGo(self);
    self = std::move(kept);
    self->tr = tr;
    self->nextName = 0;
    tr->impl()->statements.insert(self.get());
    connection->impl()->statements.insert(self.get());
    tr->impl()->ensureStarted(*tr);
    return true;
}

namespace detail {

PreparedPool::PreparedPool() = default;
PreparedPool::~PreparedPool() = default;

std::unique_ptr<Statement::Impl> PreparedPool::take(const QString& sql) {
    const auto found = byText_.find(sql);
    if (found == byText_.end()) return nullptr;
    std::unique_ptr<Statement::Impl> impl = std::move(found.value()->second);
    entries_.erase(found.value());
    byText_.erase(found);
    return impl;
}

bool PreparedPool::keep(std::unique_ptr<Statement::Impl>& impl) {
    if (impl->generation != generation_ || impl->type == isc_info_sql_stmt_ddl || byText_.contains(impl->sql))
        return false;
    entries_.emplace_front(impl->sql, std::move(impl));
    byText_.insert(entries_.front().first, entries_.begin());
    if (int(entries_.size()) > kKept) {
        byText_.remove(entries_.back().first);
        entries_.pop_back();
    }
    return true;
}

void PreparedPool::forget() {
    byText_.clear();
    entries_.clear();
    ++generation_;
}

}  // namespace detail

Statement::Statement(Transaction& transaction) : d(std::make_unique<Impl>()) {
    d->tr = &transaction;
    transaction.impl()->statements.insert(d.get());
}

Statement::Statement(Transaction& transaction, const QString& sql) : Statement(transaction) { prepare(sql); }

// The preparation outlives the statement in the connection's pool.
Statement::~Statement() {
    if (d) Impl::letGo(d);
}

Transaction& Statement::transaction() const { return d->transaction(); }
bool Statement::isPrepared() const { return d->handle != nullptr; }
QString Statement::sql() const { return d->sql; }

bool Statement::isSelect() const {
    return d->type == isc_info_sql_stmt_select || d->type == isc_info_sql_stmt_select_for_upd ||
           (d->type == isc_info_sql_stmt_exec_procedure && !d->columns.empty());
}

void Statement::prepare(const QString& sql) {
    if (Impl::takePooled(d, sql)) return;
    d->free();
    d->sql = sql;
    const ParsedSql parsed = parseNamedParams(sql);
    d->names.clear();
    d->nameIndex.clear();
    d->slotName.clear();
    for (const QString& name : parsed.names) {
        auto it = d->nameIndex.find(name);
        if (it == d->nameIndex.end()) {
            it = d->nameIndex.insert(name, int(d->names.size()));
            d->names.append(name);
        }
        d->slotName.push_back(*it);
    }
    d->asciiNames.clear();
    for (const QString& name : std::as_const(d->names)) {
        const bool ascii = std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; });
        d->asciiNames.push_back(ascii ? name.toStdString() : std::string());
    }
    d->values.assign(d->names.size(), QVariant());
    d->nextName = 0;

    IAttachment* att = d->attachment();
    if (!att) detail::raise("Banco de dados não conectado.", sql);
    Transaction& tr = d->transaction();
    tr.impl()->ensureStarted(tr);
    Status st;
    const QByteArray text = parsed.text.toUtf8();
    detail::preparedStatements.fetch_add(1, std::memory_order_relaxed);
    const detail::EngineCall call;
    d->handle = att->prepare(&st, tr.impl()->handle, text.size(), text.constData(), 1,
                             IStatement::PREPARE_PREFETCH_METADATA);
    d->check(st);
    d->serial = detail::nextSerial();
    if (detail::watcher) detail::watcher->prepared(d->serial, tr.impl()->serial, text);
    Connection::Impl& connection = *tr.impl()->liveConnection().impl();
    connection.statements.insert(d.get());
    d->generation = connection.pool.generation();
    d->type = d->handle->getType(&st);
    st.check(sql);
    d->describe();
}

void Statement::Impl::describe() {
    Status st;
    IMessageMetadata* declaredIn = handle->getInputMetadata(&st);
    st.check(sql);
    inMeta = detail::coerceInput(declaredIn, inFields);
    declaredIn->release();
    inBuffer.assign(inMeta->getMessageLength(&st), 0);
    st.check(sql);
    if (inFields.size() != slotName.size())
        detail::raise(QString("O comando tem %1 parâmetros e o texto %2 nomes.")
                          .arg(inFields.size()).arg(slotName.size()), sql);
    declaredLength.clear();
    for (const MessageField& f : inFields) declaredLength.push_back(f.length);
    blobParams = std::any_of(inFields.begin(), inFields.end(),
                             [](const MessageField& f) { return f.type == SQL_BLOB; });
    textSlots.clear();
    blobSlots.clear();
    for (size_t i = 0; i < inFields.size(); ++i) {
        if (inFields[i].type == SQL_VARYING) textSlots.push_back(i);
        if (inFields[i].type == SQL_BLOB) blobSlots.push_back(i);
    }
    textBytes.assign(inFields.size(), QByteArray());
    textBinding.assign(inFields.size(), NotText);

    outMeta = handle->getOutputMetadata(&st);
    st.check(sql);
    outFields = detail::describeFields(outMeta);
    outBuffer.assign(outMeta->getMessageLength(&st), 0);
    columns.clear();
    columnByName.clear();
    for (unsigned i = 0; i < outFields.size(); ++i) {
        ColumnInfo c = detail::columnInfo(outMeta, i, outFields[i]);
        columnByName.insert(c.alias.toUpper(), int(i));
        if (!columnByName.contains(c.name.toUpper())) columnByName.insert(c.name.toUpper(), int(i));
        columns.push_back(std::move(c));
    }
}

const QStringList& Statement::paramNames() const { return d->names; }

bool Statement::hasParam(const QString& name) const { return d->knownNameIndexOf(name) >= 0; }

ColumnType Statement::paramType(const QString& name) const {
    const int index = d->knownNameIndexOf(name);
    for (size_t slot = 0; slot < d->slotName.size(); ++slot)
        if (d->slotName[slot] == index) return detail::columnTypeOf(d->inFields[slot]);
    return ColumnType::Unknown;
}

ColumnInfo Statement::paramInfo(const QString& name) const {
    const int index = d->knownNameIndexOf(name);
    for (size_t slot = 0; slot < d->slotName.size(); ++slot)
        if (d->slotName[slot] == index) return detail::paramInfo(d->inFields[slot], d->declaredLength[slot]);
    return ColumnInfo();
}

namespace {

// The same `n` bytes (one or more), compared a word at a time: a name
// written as the text has it, the usual case, costs a few instructions.
inline bool sameNameBytes(const char* a, const char* b, size_t n) {
    auto word8 = [](const char* p) { std::uint64_t v; std::memcpy(&v, p, 8); return v; };
    auto word4 = [](const char* p) { std::uint32_t v; std::memcpy(&v, p, 4); return v; };
    if (n >= 8) {
        for (size_t i = 0; i + 8 < n; i += 8)
            if (word8(a + i) != word8(b + i)) return false;
        return word8(a + n - 8) == word8(b + n - 8);
    }
    if (n >= 4) return word4(a) == word4(b) && word4(a + n - 4) == word4(b + n - 4);
    return a[0] == b[0] && a[n / 2] == b[n / 2] && a[n - 1] == b[n - 1];
}

bool sameAsciiName(const std::string& upper, QAnyStringView name) {
    if (upper.empty() || size_t(name.size()) != upper.size()) return false;
    return name.visit([&](auto view) {
        if constexpr (std::is_same_v<decltype(view), QStringView>) {
            return sameAsciiNameUnits(upper, view.utf16());
        } else {   // Latin-1 or UTF-8
            return sameNameBytes(upper.data(), view.data(), upper.size()) ||
                   sameAsciiNameUnits(upper, reinterpret_cast<const unsigned char*>(view.data()));
        }
    });
}

}  // namespace

// Routines set a row's parameters in the same order row after row: the name
// after the one set last is tried first, and only a miss builds a key to hash.
int Statement::Impl::nameIndexOf(QAnyStringView name) {
    const int n = int(asciiNames.size());
    const int guess = nextName < n ? nextName : 0;
    if (n > 0 && sameAsciiName(asciiNames[size_t(guess)], name)) {
        nextName = guess + 1;
        return guess;
    }
    return hashedNameIndexOf(name);
}

// The name's index, -1 when the statement has no such parameter: compared
// in place first, as setting a value does (asked row after row before a
// kept read is reused).
int Statement::Impl::knownNameIndexOf(const QString& name) const {
    for (size_t i = 0; i < asciiNames.size(); ++i)
        if (sameAsciiName(asciiNames[i], name)) return int(i);
    return nameIndex.value(name.toUpper(), -1);
}

// Callers that set a row's parameters in another order (from a map, sorted
// by name) miss the guess every time: the names are compared in place before
// a key is built (an upper-case copy of the name costs an allocation).
int Statement::Impl::hashedNameIndexOf(QAnyStringView name) {
    for (size_t i = 0; i < asciiNames.size(); ++i)
        if (sameAsciiName(asciiNames[i], name)) {
            nextName = int(i) + 1;
            return int(i);
        }
    const auto it = nameIndex.constFind(name.toString().toUpper());   // names are kept upper-case
    if (it == nameIndex.constEnd())
        detail::raise(QString("Parâmetro %1 não encontrado.").arg(name.toString()), sql);
    nextName = *it + 1;
    return *it;
}

void Statement::setParam(QAnyStringView name, const QVariant& value) { d->values[d->nameIndexOf(name)] = value; }

// A value made for the call (most are) is swapped in: copying a variant
// costs as much as finding the name, and a move would leave the caller an
// empty variant to destroy besides the old value; the caller's variant takes
// the old value away instead.
void Statement::setParam(QAnyStringView name, QVariant&& value) {
    d->values[d->nameIndexOf(name)].swap(value);
}

void Statement::setParam(int index, const QVariant& value) { d->values[d->checkedIndex(index)] = value; }
void Statement::setParam(int index, QVariant&& value) { d->values[d->checkedIndex(index)].swap(value); }

size_t Statement::Impl::checkedIndex(int index) const {
    if (index < 0 || index >= int(values.size()))
        detail::raise(QString("Parâmetro de índice %1 não existe.").arg(index), sql);
    return size_t(index);
}

QVariant Statement::param(const QString& name) const {
    auto it = d->nameIndex.constFind(name.toUpper());
    return it == d->nameIndex.constEnd() ? QVariant() : d->values[*it];
}

// A kept statement is handed out cleared, mostly with its values already
// gone or to be set again: only a value held is dropped (assigning an empty
// variant over each one is a call into the library per parameter).
void Statement::clearParams() {
    for (QVariant& v : d->values) detail::dropHeld(v);
}

// A text value longer than the declared parameter gets a wider message slot,
// so the engine itself judges it against the column (and reports truncation).
// Only a text whose UTF-8 might not fit (up to 3 bytes per UTF-16 unit) is
// encoded here; the rest go straight into the message when bound.
void Statement::Impl::widenTextParams() {
    bool wider = false;
    for (const size_t i : textSlots) {
        const QVariant& v = valueAt(i);
        const qsizetype units = detail::plainTextUnits(v);
        if (units < 0) {
            textBinding[i] = NotText;
            continue;
        }
        if (units * 3 <= qsizetype(inFields[i].length)) {
            textBinding[i] = EncodeStraight;
            continue;
        }
        QByteArray& bytes = textBytes[i];
        bytes = v.toString().toUtf8();
        textBinding[i] = EncodedAhead;
        if (bytes.size() > qsizetype(inFields[i].length)) {
            inFields[i].length = unsigned(bytes.size());
            wider = true;
        }
    }
    if (!wider) return;
    IMessageMetadata* rebuilt = detail::rebuildInput(inMeta, inFields);
    inMeta->release();
    inMeta = rebuilt;
    inBuffer.assign(inMeta->getMessageLength(&status), 0);
    status.check(sql);
}

namespace {

// The characters of the texts that no single-byte character set holds, each once.
QStringList wideCharacters(const QStringList& texts) {
    QStringList found;
    for (const QString& text : texts)
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].unicode() < 0x100) continue;
            const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            const QString character = text.mid(i, length);
            i += length - 1;
            if (!found.contains(character)) found.append(character);
        }
    return found;
}

}  // namespace

// The engine refuses text a column's character set cannot hold in its own
// words and without saying which character: the user is told which.
void Statement::Impl::explainFailure(Status& st) const {
    try {
        st.check(sql);
    } catch (const DbError& e) {
        if (e.gdsCode() == isc_no_priv || e.gdsCode() == isc_dyn_no_priv) throw e.withUserText(detail::noPermissionText(e, transaction().impl()->liveConnection().user()));
        if (e.gdsCode() != isc_transliteration_failed) throw;
        QStringList texts{sql};
        for (size_t i = 0; i < slotName.size(); ++i)
            if (valueAt(i).userType() == QMetaType::QString) texts.append(valueAt(i).toString());
        const QStringList characters = wideCharacters(texts);
        if (characters.isEmpty()) throw;
        const QString named = "\"" + characters.join("\", \"") + "\"";
        throw DbError(characters.size() == 1
                          ? QString("O caractere %1 não pode ser guardado no banco de dados: troque-o ou retire-o "
                                    "do texto.").arg(named)
                          : QString("Os caracteres %1 não podem ser guardados no banco de dados: troque-os ou "
                                    "retire-os do texto.").arg(named),
                      e.sqlCode(), e.gdsCode(), sql);
    }
}

// The usual row goes into the message in one pass. A text that might not
// fit its slot stops it: the texts are then encoded and their slots widened
// first (a wider slot moves the values after it), and every value written
// again. A blob is written to the database as it is bound: the pass leaves
// the blobs to its end, when no value can stop it any more (a blob made for
// a pass that stopped would be made twice).
void Statement::Impl::bindInput() {
    if (inFields.empty()) return;
    if (bindInOnePass()) return;
    widenTextParams();
    bindWidened();
}

bool Statement::Impl::bindInOnePass() {
    unsigned char* buffer = inBuffer.data();
    detail::BlobWriter noBlobs{nullptr, nullptr};
    const size_t count = inFields.size();
    for (size_t i = 0; i < count; ++i) {
        const MessageField& f = inFields[i];
        const QVariant& v = valueAt(i);
        switch (detail::writeQuick(f, buffer, v)) {
        case detail::QuickWrite::Written: break;
        case detail::QuickWrite::MightNotFit: return false;
        case detail::QuickWrite::Other:
            if (f.type == SQL_BLOB) break;   // a blob with a value: written last
            detail::writeConverted(f, buffer, v, noBlobs, std::as_const(names)[slotName[i]], sql);
        }
    }
    if (blobParams) bindBlobs();
    return true;
}

// The blobs of the pass, nulls written already.
void Statement::Impl::bindBlobs() {
    detail::BlobWriter blobs{attachment(), tr->impl()->handle};
    for (const size_t i : blobSlots) {
        const QVariant& v = valueAt(i);
        const QVariant::Private& p = v.data_ptr();
        if (p.is_null || !p.typeInterface()) continue;
        detail::writeConverted(inFields[i], inBuffer.data(), v, blobs, std::as_const(names)[slotName[i]], sql);
    }
}

void Statement::Impl::bindWidened() {
    detail::BlobWriter blobs{nullptr, nullptr};
    if (blobParams) blobs = {attachment(), tr->impl()->handle};
    for (size_t i = 0; i < inFields.size(); ++i) {
        const QVariant& v = valueAt(i);
        switch (textBinding[i]) {
        case EncodedAhead:
            detail::writeText(inFields[i], inBuffer.data(), textBytes[i]);
            textBytes[i] = QByteArray();
            break;
        case EncodeStraight: detail::encodeText(inFields[i], inBuffer.data(), v); break;
        default:
            detail::writeValue(inFields[i], inBuffer.data(), v, blobs, std::as_const(names)[slotName[i]],
                               sql);
        }
    }
}

// The watcher gets the message as sent, and each blob parameter's contents
// (its id in the message names a blob of this transaction only).
void Statement::Impl::tellExecuted() const {
    std::vector<EngineWatcher::BlobParam> blobs;
    for (size_t i = 0; blobParams && i < inFields.size(); ++i) {
        const QVariant& v = valueAt(i);
        if (inFields[i].type != SQL_BLOB || v.isNull()) continue;
        blobs.push_back({inFields[i].offset, v.userType() == QMetaType::QByteArray ? v.toByteArray()
                                                                                  : v.toString().toUtf8()});
    }
    detail::runWatcher->executed(serial, tr->impl()->serial, inMeta, inBuffer, blobs);
}

Statement::RowCount Statement::execute() {
    if (!d->handle) detail::raise("Comando não preparado.");
    d->closeCursor();
    d->affected = -1;
    Transaction::Impl& t = *d->transaction().impl();
    t.ensureStarted(*d->tr);
    t.retakeSavepoints();
    d->bindInput();
    ITransaction* tra = d->tr->impl()->handle;
    Status& st = d->status;
    detail::executedStatements.fetch_add(1, std::memory_order_relaxed);
    const detail::EngineCall call;
    if (d->type == isc_info_sql_stmt_select || d->type == isc_info_sql_stmt_select_for_upd) {
        d->cursor = d->handle->openCursor(&st, tra, d->inMeta, d->inBuffer.data(), d->outMeta, 0);
        d->check(st);
        if (detail::runWatcher) d->tellExecuted();
        return RowCount(this);
    }
    // A kept statement holds its tables in use, and would run on as it was
    // prepared: a schema change frees them first.
    if (d->type == isc_info_sql_stmt_ddl) {
        d->tr->forgetPrepared();
        t.liveConnection().impl()->pool.forget();
    }
    const bool returnsRow = !d->outFields.empty();
    d->handle->execute(&st, tra, d->inMeta, d->inBuffer.data(), returnsRow ? d->outMeta : nullptr,
                       returnsRow ? d->outBuffer.data() : nullptr);
    d->check(st);
    if (detail::runWatcher) d->tellExecuted();
    d->pendingRow = returnsRow;
    d->affected = d->type == isc_info_sql_stmt_ddl ? 0 : -2;
    return RowCount(this);
}

Statement::RowCount Statement::execute(std::span<const QVariant* const> values) {
    if (values.size() != d->values.size())
        detail::raise(QString("O comando tem %1 parâmetros e foram dados %2 valores.")
                          .arg(d->values.size()).arg(values.size()), d->sql);
    struct Bound {
        Impl& impl;
        ~Bound() { impl.external = nullptr; }
    } bound{*d};
    d->external = values.data();
    return execute();
}

int Statement::rowsAffected() const {
    if (d->affected == -2) {
        if (!d->handle) detail::raise("Comando não preparado.", d->sql);
        const detail::EngineCall call;
        d->affected = int(d->handle->getAffectedRecords(&d->status));
        d->status.check(d->sql);
    }
    return d->affected;
}

bool Statement::fetch() {
    if (d->pendingRow) {
        d->pendingRow = false;
        d->rowReady = true;
        return true;
    }
    d->rowReady = false;
    if (!d->cursor) return false;
    Status& st = d->status;
    const int result = [&] {
        const detail::EngineCall call;
        return d->cursor->fetchNext(&st, d->outBuffer.data());
    }();
    d->check(st);
    if (detail::runWatcher) detail::runWatcher->fetched(d->serial);
    if (result == IStatus::RESULT_OK) {
        d->rowReady = true;
        return true;
    }
    d->closeCursor();
    return false;
}

bool Statement::cursorOpen() const { return d->cursor != nullptr || d->pendingRow; }
void Statement::closeCursor() { d->closeCursor(); }

int Statement::columnCount() const { return int(d->columns.size()); }
const ColumnInfo& Statement::column(int index) const { return d->columns.at(size_t(index)); }

int Statement::columnIndex(const QString& aliasOrName) const {
    return d->columnByName.value(aliasOrName.toUpper(), -1);
}

QVariant Statement::value(int index) const {
    QVariant v;
    valueInto(index, v);
    return v;
}

// The refusals are made apart, so that the usual call saves and restores no
// more than reading needs. Only a blob is read through the attachment;
// asking for it on every cell of a walk is not free.
void Statement::valueInto(int index, QVariant& target) const {
    if (!d->rowReady || index < 0 || size_t(index) >= d->outFields.size()) [[unlikely]]
        d->refuseColumn(index);
    d->cellInto(d->outFields[size_t(index)], d->outBuffer.data(), target);
}

// A row's cells in one pass: the row and the columns checked once, each
// null cell decided in place (a wide row read again is mostly nulls).
void Statement::rowInto(std::span<QVariant> cells) const {
    const size_t count = cells.size();
    if (!d->rowReady || count > d->outFields.size()) [[unlikely]]
        d->refuseColumn(int(d->outFields.size()));
    const MessageField* fields = d->outFields.data();
    const unsigned char* buffer = d->outBuffer.data();
    QVariant* cell = cells.data();
    for (size_t c = 0; c < count; ++c) d->cellInto(fields[c], buffer, cell[c]);
}

void Statement::rowInto(std::span<QVariant> cells, std::span<const int> slotOf) const {
    if (!d->rowReady) [[unlikely]]
        d->refuseColumn(0);
    const size_t count = std::min(slotOf.size(), d->outFields.size());
    const MessageField* fields = d->outFields.data();
    const unsigned char* buffer = d->outBuffer.data();
    for (size_t c = 0; c < count; ++c)
        if (const size_t slot = size_t(slotOf[c]); slot < cells.size())   // -1: beyond any row
            d->cellInto(fields[c], buffer, cells[slot]);
}

void Statement::Impl::blobInto(const MessageField& f, QVariant& target) const {
    detail::BlobWriter blobs{attachment(), tr->impl()->handle};
    detail::readValueInto(f, outBuffer.data(), blobs, target);
}

void Statement::Impl::refuseColumn(int index) const {
    if (!rowReady) detail::raise("Não há registro corrente.", sql);
    detail::raise(QString("Coluna de índice %1 não existe.").arg(index), sql);
}

QVariant Statement::value(const QString& aliasOrName) const {
    const int i = columnIndex(aliasOrName);
    if (i < 0) detail::raise(QString("Coluna %1 não encontrada.").arg(aliasOrName), d->sql);
    return value(i);
}

bool Statement::isNull(int index) const {
    const MessageField& f = d->outFields.at(size_t(index));
    return *reinterpret_cast<const short*>(d->outBuffer.data() + f.nullOffset) != 0;
}

}  // namespace host::db
