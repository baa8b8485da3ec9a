#include "options/aboutinfo.h"

#include "core/interaction.h"
#include "core/settings.h"
#include "core/sharedstate.h"

namespace {

// Compared with the typed answer exactly, letter case included.
const QString DebugPassword = QStringLiteral("Ottla5926");

} // namespace

QString aboutVersionText(int major, int minor, int revision, bool debugMode)
{
    return QStringLiteral("Ver %1.%2.%3%4")
        .arg(major)
        .arg(minor)
        .arg(revision)
        .arg(debugMode ? QStringLiteral("D") : QString());
}

QString programVersionText()
{
    return aboutVersionText(ORVINE_VERSION_MAJOR, ORVINE_VERSION_MINOR, ORVINE_VERSION_PATCH,
                            shared().blnDebugMode);
}

QString aboutCaption()
{
    return applicationTitle() + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報");
}

QString aboutAuthorLines()
{
    return QStringLiteral("Copyright (C) Tolvane / Orvine 制作チーム\n"
                          "E-Mail : orvine@tolvane.example.jp\n"
                          "Tolvane　ＵＲＬ\n"
                          "https://tolvane.example.jp/");
}

QString aboutDisclaimer()
{
    return QStringLiteral("警告: このソフトウェアはフリーソフトウェアです。無保証であり、"
                          "使用によって生じたいかなる損害についても作者は責任を負いません。"
                          "再配布は無改変の場合に限り自由です。");
}

bool applyDebugPassword(const std::optional<QString> &answer)
{
    // A cancelled prompt is no answer: the switches and the stored settings stay as they are.
    if (!answer)
        return shared().blnDebugMode;
    const bool right = *answer == DebugPassword;
    shared().blnDebugMode = right;
    shared().blnTagColor = right;
    SaveSettings();
    return right;
}
