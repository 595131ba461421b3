#pragma once
// Internal to host/db: conversion between QVariant and the engine's message buffers.

#include "host/db/FbApi.h"

#include <memory>
#include <new>
#include <vector>

namespace host::db::detail {

struct MessageField {
    unsigned type = 0;      // SQL_xxx without the nullable bit
    int subType = 0;
    unsigned length = 0;    // bytes in the message
    int scale = 0;
    unsigned charset = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
};

// Reads and writes blobs inside the statement's transaction.
struct BlobWriter {
    Firebird::IAttachment* attachment;
    Firebird::ITransaction* transaction;
};

std::vector<MessageField> describeFields(Firebird::IMessageMetadata* meta);
ColumnType columnTypeOf(const MessageField& field);
ColumnInfo columnInfo(Firebird::IMessageMetadata* meta, unsigned index, const MessageField& field);
// A parameter's type, scale and size (characters for text) as the engine
// described it, whatever length its slot was widened to since.
ColumnInfo paramInfo(const MessageField& field, unsigned declaredLength);

// The declared input message with text parameters turned into VARYING, so a
// value is never padded or cut by us.
Firebird::IMessageMetadata* coerceInput(Firebird::IMessageMetadata* declared, std::vector<MessageField>& fields);
// The same message with the lengths now in `fields`.
Firebird::IMessageMetadata* rebuildInput(Firebird::IMessageMetadata* current, std::vector<MessageField>& fields);

// Any value into its slot: a null first (the cheap case, whatever the
// slot), then the commonest pairs as they are, then the general conversion.
void writeValue(const MessageField& field, unsigned char* buffer, const QVariant& value, BlobWriter& blobs,
                const QString& paramName, const QString& sql);
// The general conversion alone, for a value writeQuick left (Other): what
// writeQuick already tried is not tried again.
void writeConverted(const MessageField& field, unsigned char* buffer, const QVariant& value, BlobWriter& blobs,
                    const QString& paramName, const QString& sql);
void writeText(const MessageField& field, unsigned char* buffer, const QByteArray& utf8);
// A value sent as its text (strings and the like, not converted by type):
// its length in UTF-16 units (an upper bound for numbers), whose UTF-8
// takes at most three bytes a unit; -1 for a null or any other value.
qsizetype plainTextUnits(const QVariant& value);
// Writes a plain text value as UTF-8 straight into its slot, which must hold
// three bytes for each of its units.
void encodeText(const MessageField& field, unsigned char* buffer, const QVariant& value);
// The usual row written in one pass: a null (any slot, a blob's too), a text
// held as a string whose UTF-8 fits its slot at three bytes a unit, and the
// commonest pairs of value and type, written as they are. MightNotFit: a
// text whose slot may need widening first (nothing written); Other: left to
// writeConverted (nothing written), as is every blob that is not null.
enum class QuickWrite { Written, MightNotFit, Other };
QuickWrite writeQuick(const MessageField& field, unsigned char* buffer, const QVariant& value);
QVariant readValue(const MessageField& field, const unsigned char* buffer, BlobWriter& blobs);
// The same into `target`, which is left as it is when it already holds that
// text: a row read again after its own save holds most of what it reads.
void readValueInto(const MessageField& field, const unsigned char* buffer, BlobWriter& blobs, QVariant& target);
// The same for a value the caller found not null (its flag read in place).
void readPresentInto(const MessageField& field, const unsigned char* buffer, BlobWriter& blobs, QVariant& target);
// A text of ASCII digits alone (a key pasted into a read's text and bound
// in its place) as the integer the general conversion makes of it, scaled
// to the slot: false for any other text, and for one the general
// conversion might round (past 15 digits, or 2^53 scaled), left to it.
bool digitsInteger(QStringView text, int scale, qint64& value);

// A variant emptied in place when it holds a value: its type read from the
// variant itself, the value destroyed where it is (asking QVariant whether
// it is valid, or assigning an empty one over it, is a call into the
// library each).
inline void dropHeld(QVariant& v) {
    if (v.data_ptr().typeInterface()) {
        std::destroy_at(&v);
        ::new (static_cast<void*>(&v)) QVariant();
    }
}

// Engine date and time encodings.
QDateTime fromTimestamp(const ISC_TIMESTAMP& ts);
ISC_TIMESTAMP toTimestamp(const QDateTime& dt);
QDate fromIscDate(ISC_DATE d);
ISC_DATE toIscDate(const QDate& d);
QTime fromIscTime(ISC_TIME t);
ISC_TIME toIscTime(const QTime& t);

}  // namespace host::db::detail
