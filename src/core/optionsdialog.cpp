#include "core/optionsdialog.h"

#include "core/hook.h"

namespace {

Hook<void()> optionsDialog;

} // namespace

void showOptionsDialog()
{
    if (optionsDialog)
        optionsDialog();
}

std::function<void()> setOptionsDialog(std::function<void()> show)
{
    return optionsDialog.install(std::move(show));
}
