// A line posted only while its document's header is stored (LineHeader).

#include "host/data/Query.h"

#include "host/data/Field.h"
#include "host/data/WrittenRows.h"
#include "host/db/Database.h"
#include "host/db/RowHold.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <utility>

namespace host::data {

namespace {

QString orKey(const QString& name, const QString& key)
{
    return name.isEmpty() ? key : name;
}

// A key not given yet: null, blank, or the zero a new line's numbers start at.
bool noKey(const QVariant& key)
{
    const QString text = key.toString().trimmed();
    return key.isNull() || text.isEmpty() || text == QLatin1String("0");
}

// The header's key of the line being posted: its own field, else the
// header's shown; null when neither holds one.
QVariant headerKeyOfLine(const Dataset& line, const LineHeader& link)
{
    if (const Field* own = line.findField(orKey(link.lineField, link.keyColumn)); own && !noKey(own->value()))
        return own->value();
    if (link.header && link.header->active() && !link.header->isEmpty())
        if (const Field* shown = link.header->findField(orKey(link.headerField, link.keyColumn)))
            return shown->value();
    return {};
}

bool sameKey(const QVariant& a, const QVariant& b)
{
    return a.toString().trimmed() == b.toString().trimmed();
}

// The header as the user knows it: its name field when the header shown is
// this one, else its key.
QString headerName(const LineHeader& link, const QVariant& key)
{
    const Dataset* header = link.header;
    if (!link.nameField.isEmpty() && header && header->active() && !header->isEmpty()) {
        const Field* keyField = header->findField(orKey(link.headerField, link.keyColumn));
        const Field* name = header->findField(link.nameField);
        if (keyField && name && sameKey(keyField->value(), key) && !name->asString().trimmed().isEmpty())
            return name->asString().trimmed();
    }
    return key.toString().trimmed();
}

}  // namespace

void Query::setLineHeader(LineHeader header)
{
    lineHeader_ = std::make_unique<LineHeader>(std::move(header));
}

void Query::holdLineHeader()
{
    if (!lineHeader_ || !transaction_)
        return;
    const LineHeader& link = *lineHeader_;
    if (link.applies && !link.applies())
        return;
    const QVariant key = headerKeyOfLine(*this, link);
    if (noKey(key)) {
        // No document shown at all: the line would name none.
        if (link.header && (!link.header->active() || link.header->isEmpty()))
            throw DatasetError(link.document + (link.feminine ? " não foi informada" : " não foi informado") +
                               ": a linha não foi gravada.");
        return;   // a document not numbered yet: nothing stored to look for
    }
    if (link.header && link.header->state() == DatasetState::Insert) {
        const Field* shown = link.header->findField(orKey(link.headerField, link.keyColumn));
        if (!shown || noKey(shown->value()) || sameKey(shown->value(), key))
            return;   // the header is being typed new: stored with its save
    }
    const QString header = link.table + '|' + key.toString().trimmed() + '|' + link.condition;
    if (headerHeld(*transaction_, header))
        return;   // held by an earlier line of this unit
    const host::db::RowsHeld held = host::db::holdRows(*transaction_, link.table, {{link.keyColumn, key}},
                                                      link.condition);
    if (held.one())
        noteHeaderHeld(*transaction_, header);
    // Held by another desk: it is stored as far as anyone committed.
    if (!held.none())
        return;
    throw DatasetError(link.document + " " + headerName(link, key) + (link.feminine ? " foi excluída" : " foi excluído") +
                       " em outra estação: a linha não foi gravada.");
}

}  // namespace host::data
