#pragma once
// What a text reads into, kept per thread for the texts asked again and
// again (statements, display formats): a bounded number of them, all let go
// at once when full, so that texts built row by row never grow it for good.

#include <QHash>
#include <QString>

namespace host::db {

// The kept value for `text`, made by `make(text)` the first time. The
// reference holds until the next text is asked of the same table.
template <typename Value, qsizetype Most, typename Make>
const Value& keptByText(QHash<QString, Value>& kept, const QString& text, Make make)
{
    if (auto it = kept.constFind(text); it != kept.constEnd())
        return *it;
    if (kept.size() >= Most)
        kept.clear();
    return *kept.insert(text, make(text));
}

}  // namespace host::db
