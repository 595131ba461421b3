#pragma once
// Detaches an event handler for the length of a scope and puts the handler it
// found back on every path out, an exception included:
//
//     host::data::DetachHandler keep(quOS.beforeEdit);
//     quOS.edit();   // runs without the edit guard
//
// With a replacement the slot holds it meanwhile.

#include <utility>

namespace host::data {

template <class Slot>
class DetachHandler {
public:
    explicit DetachHandler(Slot& slot) : slot_(slot), saved_(std::move(slot)) { slot_ = nullptr; }
    DetachHandler(Slot& slot, Slot replacement) : slot_(slot), saved_(std::move(slot))
    {
        slot_ = std::move(replacement);
    }
    ~DetachHandler() { slot_ = std::move(saved_); }
    DetachHandler(const DetachHandler&) = delete;
    DetachHandler& operator=(const DetachHandler&) = delete;

    const Slot& saved() const { return saved_; }

private:
    Slot& slot_;
    Slot saved_;
};

}  // namespace host::data
