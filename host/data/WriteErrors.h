#pragma once
// A write of a dataset's row the engine refused, told the way the user
// reads it: what happened, in Portuguese, with the fields named by their
// labels. The engine's own text stays in the error (message()) as detail
// for the log; userMessage() is what the user is shown.

#include "host/db/Database.h"

#include <QString>

namespace host::data {

class Dataset;

class WriteRefused : public host::db::DbError {
public:
    WriteRefused(const host::db::DbError& cause, const QString& userMessage);
    QString userMessage() const { return userMessage_; }

private:
    QString userMessage_;
};

// The user's reading of an engine refusal (empty for a failure it does not
// know); the dataset written, when known, names the field by its label.
QString userMessageFor(const host::db::DbError& error, const Dataset* dataset = nullptr);
// Any database failure for the user: the reading above, the text our own
// database layer wrote (no engine code), else a general sentence.
QString readableMessage(const host::db::DbError& error);

}  // namespace host::data
