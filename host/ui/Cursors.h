#pragma once
// The application-wide cursor: the hourglass while long work runs.

namespace host::ui {

enum class CursorShape { Default, HourGlass, SqlWait };

// Sets the cursor of the whole application; Default gives back the normal one.
void setScreenCursor(CursorShape shape);
CursorShape screenCursor();

// The hourglass for the length of a scope; the previous cursor comes back on
// every path out, a failure included.
class WaitCursor {
public:
    explicit WaitCursor(CursorShape shape = CursorShape::HourGlass);
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    CursorShape previous_;
};

} // namespace host::ui
