#pragma once
// Starts on one database take turns from before the host's schema is
// completed until every data module's upgrade has run: two starts at once
// would otherwise both upgrade the database, and the later one would meet
// the columns the first had just added.
//
// The turn is a lock of the open file (not of the process) on a byte of the
// database file far past its end: every user who may write the database can
// take it (a group's member too, who may not add names to the database's
// folder), the engine's own lock on the file is of another kind and never
// meets it, and it goes with the process that holds it, however that ends:
// no marker is left for later starts to judge.

#include <QString>

#include <memory>

namespace app {

class VezDoInicio {
public:
    // The turn on `banco`, waiting for another start that holds it and
    // saying so; refused (an exception naming the database) when that start
    // has not ended its turn in five minutes. None (nullptr, no wait) for a
    // server's database or a name that is no file this user may write: the
    // engine refuses those itself.
    static std::unique_ptr<VezDoInicio> tomar(const QString& banco);
    ~VezDoInicio();
    VezDoInicio(const VezDoInicio&) = delete;
    VezDoInicio& operator=(const VezDoInicio&) = delete;

private:
    explicit VezDoInicio(int arquivo) : arquivo_(arquivo) {}
    int arquivo_;
};

}  // namespace app
