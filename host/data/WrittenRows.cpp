#include "host/data/WrittenRows.h"

#include "host/data/Dataset.h"
#include "host/db/Database.h"

#include <QString>

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace host::data {

namespace {

struct WrittenAt {
    Dataset* dataset;
    int depth;
    bool operator==(const WrittenAt&) const = default;
};

// A document's header row this transaction holds (updated to itself), at
// the savepoint depth of the hold: held until the commit, or until the
// work it was taken in is undone.
struct HeldAt {
    QString header;
    int depth;
};

using WorkEnd = host::db::Transaction::WorkEnd;

std::unordered_map<host::db::Transaction*, std::vector<WrittenAt>>& writtenByTransaction()
{
    static std::unordered_map<host::db::Transaction*, std::vector<WrittenAt>> written;
    return written;
}

std::unordered_map<host::db::Transaction*, std::vector<HeldAt>>& heldByTransaction()
{
    static std::unordered_map<host::db::Transaction*, std::vector<HeldAt>> held;
    return held;
}

// Work of a savepoint released belongs to the depth it joins.
template <class Entry>
void joinAt(std::vector<Entry>& entries, int depth)
{
    for (Entry& entry : entries)
        entry.depth = std::min(entry.depth, depth);
}

void headersWorkEnded(host::db::Transaction* transaction, WorkEnd end, int depth)
{
    auto found = heldByTransaction().find(transaction);
    if (found == heldByTransaction().end())
        return;
    std::vector<HeldAt>& held = found->second;
    if (end == WorkEnd::Joined) {
        joinAt(held, depth);
        return;
    }
    std::erase_if(held, [depth](const HeldAt& entry) { return entry.depth > depth; });
    if (held.empty())
        heldByTransaction().erase(found);
}

void listenTo(host::db::Transaction& transaction);

// The entries noted last, found again without hashing: rows are written one
// after another under one transaction. The map's elements stay where they
// are until erased, and an erase forgets them here.
struct LastNoted {
    host::db::Transaction* transaction = nullptr;
    std::vector<WrittenAt>* entries = nullptr;
};
LastNoted lastNoted;

// Entries deeper than `depth` are taken out; the datasets they name are returned once each.
std::vector<Dataset*> takeDeeperThan(std::vector<WrittenAt>& entries, int depth)
{
    std::vector<Dataset*> datasets;
    for (const WrittenAt& entry : entries)
        if (entry.depth > depth && std::find(datasets.begin(), datasets.end(), entry.dataset) == datasets.end())
            datasets.push_back(entry.dataset);
    std::erase_if(entries, [depth](const WrittenAt& entry) { return entry.depth > depth; });
    return datasets;
}

void workEnded(host::db::Transaction* transaction, WorkEnd end, int depth)
{
    headersWorkEnded(transaction, end, depth);
    auto found = writtenByTransaction().find(transaction);
    if (found == writtenByTransaction().end())
        return;
    std::vector<WrittenAt>& entries = found->second;
    if (end == WorkEnd::Joined) {
        joinAt(entries, depth);
        std::vector<WrittenAt> joined;
        for (const WrittenAt& entry : entries)
            if (std::find(joined.begin(), joined.end(), entry) == joined.end())
                joined.push_back(entry);
        entries = std::move(joined);
        return;
    }
    const std::vector<Dataset*> undone = takeDeeperThan(entries, depth);
    if (entries.empty()) {
        if (lastNoted.entries == &entries)
            lastNoted = {};
        writtenByTransaction().erase(found);
    }
    if (end != WorkEnd::Undone)
        return;
    for (Dataset* dataset : undone)
        dataset->writesUndone();
}

// One listener for both: the rows datasets wrote and the headers held.
void listenTo(host::db::Transaction& transaction)
{
    transaction.setWorkListener([tr = &transaction](WorkEnd end, int depth) { workEnded(tr, end, depth); });
}

}  // namespace

void noteRowsWritten(host::db::Transaction& transaction, Dataset& dataset)
{
    if (lastNoted.transaction != &transaction) {
        auto& written = writtenByTransaction();
        auto found = written.find(&transaction);
        if (found == written.end()) {
            listenTo(transaction);
            found = written.emplace(&transaction, std::vector<WrittenAt>{}).first;
        }
        lastNoted = {&transaction, &found->second};
    }
    const WrittenAt entry{&dataset, transaction.savepointDepth()};
    std::vector<WrittenAt>& entries = *lastNoted.entries;
    if (!entries.empty() && entries.back() == entry)
        return;   // the rows of one save: one entry
    if (std::find(entries.begin(), entries.end(), entry) == entries.end())
        entries.push_back(entry);
}

bool headerHeld(host::db::Transaction& transaction, const QString& header)
{
    auto found = heldByTransaction().find(&transaction);
    return found != heldByTransaction().end() &&
           std::any_of(found->second.begin(), found->second.end(),
                       [&header](const HeldAt& entry) { return entry.header == header; });
}

void noteHeaderHeld(host::db::Transaction& transaction, const QString& header)
{
    if (headerHeld(transaction, header))
        return;
    listenTo(transaction);
    heldByTransaction()[&transaction].push_back({header, transaction.savepointDepth()});
}

void forgetRowsWritten(Dataset& dataset)
{
    for (auto& [transaction, entries] : writtenByTransaction())
        std::erase_if(entries, [&dataset](const WrittenAt& entry) { return entry.dataset == &dataset; });
}

}  // namespace host::data
