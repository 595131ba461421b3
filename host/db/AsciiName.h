#pragma once
// Names (columns, parameters, tables) compared as callers write them
// against one kept upper-cased: ASCII letters in either case, without the
// Unicode tables.

#include <QChar>

namespace host::db {

inline unsigned asciiNameUnit(char c) { return static_cast<unsigned char>(c); }
inline unsigned asciiNameUnit(QChar c) { return c.unicode(); }

// Whether the first `upper.size()` units of `text` are the upper-cased name,
// ASCII letters in either case. Any other character matches only itself,
// so a name not written in ASCII matches no ASCII name.
template <typename Upper, typename Unit>
bool sameAsciiNameUnits(const Upper& upper, const Unit* text)
{
    for (decltype(upper.size()) i = 0; i < upper.size(); ++i) {
        unsigned c = text[i];
        if (c - 'a' < 26u)
            c -= 'a' - 'A';
        if (c != asciiNameUnit(upper[i]))
            return false;
    }
    return true;
}

}  // namespace host::db
