#pragma once

#include <functional>
#include <utility>

// A function that a floor above installs for a floor below to call (a window, a dialog the
// lower floor cannot include). Empty until one is installed.
template <typename Signature> class Hook
{
public:
    using Function = std::function<Signature>;

    // Installs `function` and returns the one it replaces.
    Function install(Function function) { return std::exchange(installed, std::move(function)); }
    explicit operator bool() const { return bool(installed); }
    template <typename... Arguments> auto operator()(Arguments &&...arguments) const
    {
        return installed(std::forward<Arguments>(arguments)...);
    }

private:
    Function installed;
};
