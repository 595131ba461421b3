#pragma once
// A watcher of what host/db asks of the engine (kept apart from Database.h:
// only the benchmarks and the layer itself need it).

#include <QByteArray>

#include <cstdint>
#include <span>

namespace Firebird {
class IMessageMetadata;
}

namespace host::db {

// What this layer asks of the engine, told as it happens to the one watcher
// of the process (the benchmarks keep a run's statements to replay them
// through the engine's own interface and so measure what this layer costs).
// None by default, and then each call costs one test. A statement is known
// by the number of its preparation, a transaction by the number of its start.
class EngineWatcher {
public:
    enum class End { Commit, CommitRetaining, Rollback, RollbackRetaining };
    // A blob parameter: where its id goes in the message, and its contents.
    struct BlobParam {
        unsigned offset;
        QByteArray bytes;
    };
    virtual ~EngineWatcher() = default;
    // The text as the engine received it ("?" for each parameter).
    virtual void prepared(std::uint64_t statement, std::uint64_t transaction, const QByteArray& sql) = 0;
    // Run with this input message (a select opens its cursor).
    virtual void executed(std::uint64_t statement, std::uint64_t transaction, Firebird::IMessageMetadata* input,
                          std::span<const unsigned char> message, std::span<const BlobParam> blobs) = 0;
    virtual void fetched(std::uint64_t statement) = 0;
    virtual void cursorClosed(std::uint64_t statement) = 0;
    virtual void ended(std::uint64_t transaction, End how) = 0;
    // Whether executions, fetches and closed cursors are told as well: a
    // recorder between its recordings needs only the preparations and the
    // ends, and the calls it would ignore are left out of what it measures.
    // Asked when the watcher is set and again at rewatchEngineRuns(); a
    // watcher that passes the calls on to the one it replaced wants the
    // runs that one wants as well.
    virtual bool wantsRuns() const { return true; }
};
// Replaces the watcher (null: none); returns the one it replaces.
EngineWatcher* watchEngine(EngineWatcher* watcher);
// Asks the watcher again whether it wants the runs (a recorder starting or
// stopping a recording).
void rewatchEngineRuns();

}  // namespace host::db
