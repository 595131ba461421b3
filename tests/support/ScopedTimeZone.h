#pragma once
// Sets the process time zone for one test and puts the old one back: the
// local times of a zone with summer time, whatever zone the run has.

#include <cstdlib>
#include <ctime>
#include <string>

namespace testsupport {

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ")) {
            old_ = old;
            hadOld_ = true;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone()
    {
        if (hadOld_)
            setenv("TZ", old_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::string old_;
    bool hadOld_ = false;
};

}  // namespace testsupport
