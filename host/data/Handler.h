#pragma once
// An event handler of a dataset or field. A handler may replace or clear
// itself while it runs, so a call holds its own reference to the callable;
// copying a handler shares the callable (a counter), never copies what it
// captured: the rules' handlers capture more than a function object keeps
// inline, and every event called would otherwise allocate.

#include <cstddef>
#include <functional>
#include <memory>
#include <type_traits>
#include <utility>

namespace host::data {

template <class Signature>
class Handler;

template <class R, class... Args>
class Handler<R(Args...)> {
public:
    using Function = std::function<R(Args...)>;

    Handler() = default;
    Handler(std::nullptr_t) {}
    template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, Handler> &&
                                                std::is_invocable_r_v<R, F&, Args...>>>
    Handler(F&& callable)
    {
        Function function(std::forward<F>(callable));
        if (function)
            function_ = std::make_shared<const Function>(std::move(function));
    }

    explicit operator bool() const { return function_ != nullptr; }
    friend bool operator==(const Handler& handler, std::nullptr_t) { return !handler.function_; }

    R operator()(Args... args) const
    {
        if (!function_)
            throw std::bad_function_call();
        // Held for the call: the handler replaced meanwhile frees nothing in use.
        const std::shared_ptr<const Function> held = function_;
        return (*held)(std::forward<Args>(args)...);
    }

private:
    std::shared_ptr<const Function> function_;
};

}  // namespace host::data
