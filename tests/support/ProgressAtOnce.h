#pragma once
// For a test that looks at the progress window itself: the window comes up
// as soon as the work shows it (short work otherwise never brings it up),
// and the minimum duration goes back as it was when the test ends.

#include "host/ui/ProgressWindow.h"

namespace testsupport {

class ProgressAtOnce {
public:
    explicit ProgressAtOnce(int minimumMs = 0)
        : before_(host::ui::ProgressWindow::instance().minimumDuration())
    {
        host::ui::ProgressWindow::instance().setMinimumDuration(minimumMs);
    }
    ~ProgressAtOnce() { host::ui::ProgressWindow::instance().setMinimumDuration(before_); }
    ProgressAtOnce(const ProgressAtOnce&) = delete;
    ProgressAtOnce& operator=(const ProgressAtOnce&) = delete;

private:
    int before_;
};

}  // namespace testsupport
