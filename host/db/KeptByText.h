#pragma once
// What a text reads into, kept per thread for the texts asked again and
// again (statements, display formats): a bounded number of them, all let go
// at once when full, so that texts built row by row never grow it for good.
// Beside it, the same for a text written in the code, found by where it is,
// and the value made last from the same inputs.

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstring>
#include <tuple>
#include <type_traits>

namespace host::db {

// The kept value for `text` (or a key holding the text and whatever else
// the value depends on), made by `make(text)` the first time. The reference
// holds until the next text is asked of the same table.
template <typename Value, qsizetype Most, typename Key, typename Make>
const Value& keptByText(QHash<Key, Value>& kept, const std::type_identity_t<Key>& text, Make make)
{
    if (auto it = kept.constFind(text); it != kept.constEnd())
        return *it;
    if (kept.size() >= Most)
        kept.clear();
    return *kept.insert(text, make(text));
}

// A value kept by the address of the text it was made of, with a copy of
// that text: where a text was may hold another one now (a caller's buffer).
template <typename Value>
struct KeptAt {
    QByteArray text;
    Value value;
};

// The kept value for the text at `text`, made by `make(text)` when nothing
// was made there or that place now holds another text: a routine asking
// row after row neither converts nor hashes the whole text. Bounded as
// keptByText is.
template <typename Value, qsizetype Most, typename Make>
const Value& keptByAddress(QHash<const char*, KeptAt<Value>>& kept, const char* text, Make make)
{
    if (auto it = kept.constFind(text); it != kept.constEnd() && std::strcmp(it->text.constData(), text) == 0)
        return it->value;
    if (kept.size() >= Most)
        kept.clear();
    return kept.insert(text, KeptAt<Value>{QByteArray(text), make(text)})->value;
}

// The value made last and the inputs it was made from: a run asks again
// and again with the same ones (one document kind, one table), so that one
// is kept instead of a table of them.
template <typename Value, typename... Keys>
class LastMade {
public:
    template <typename Make>
    const Value& of(const Keys&... keys, Make make)
    {
        if (!made_ || !(keys_ == std::tie(keys...))) {
            value_ = make();
            keys_ = std::tuple<Keys...>(keys...);
            made_ = true;
        }
        return value_;
    }

private:
    std::tuple<Keys...> keys_;
    Value value_{};
    bool made_ = false;
};

}  // namespace host::db
