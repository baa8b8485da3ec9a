#include "core/optionsdialog.h"

#include <utility>

namespace {

std::function<void()> &installed()
{
    static std::function<void()> show;
    return show;
}

} // namespace

void showOptionsDialog()
{
    if (installed())
        installed()();
}

std::function<void()> setOptionsDialog(std::function<void()> show)
{
    return std::exchange(installed(), std::move(show));
}
