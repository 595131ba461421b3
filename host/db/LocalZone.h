#pragma once
// The local zone as the C library last read it: a value made in one zone is
// not kept for another (tests switch zones; a process otherwise keeps one).

#include <ctime>

namespace host::db {

struct LocalZone {
    long offset = 0;
    int daylight = 0;
    const char* standardName = nullptr;
    const char* summerName = nullptr;
    bool operator==(const LocalZone&) const = default;
};

inline LocalZone currentLocalZone() { return {::timezone, ::daylight, ::tzname[0], ::tzname[1]}; }

}  // namespace host::db
