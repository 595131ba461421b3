#pragma once
// The silent exception: it ends the current operation with no message. Raised
// in a dataset's before-event it cancels that action and leaves the dataset as
// it was; raised in a field rule it ends the operation with the values set so
// far. The UI loop and the host routines catch it and show nothing.
//
// Deliberately not a std::exception: code that reports std::exception's
// message to the user must not report this one.

namespace host {

struct Abort final {};

[[noreturn]] inline void abortOperation() { throw Abort{}; }

}  // namespace host
