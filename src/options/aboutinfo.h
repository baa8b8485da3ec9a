#pragma once

#include <QString>

#include <optional>

// The texts of the About box and its debug switch; no windows here.

// "Ver 0.36.9", followed by "D" while the debug mode is on.
QString aboutVersionText(int major, int minor, int revision, bool debugMode);
// The version text of this program with the stored debug mode.
QString programVersionText();
// The About box's caption: the program title followed by "のﾊﾞｰｼﾞｮﾝ情報".
QString aboutCaption();
// Four lines about the author: rights, e-mail, circle, the circle's address.
QString aboutAuthorLines();
// The terms of use.
QString aboutDisclaimer();

// The answer typed at the password prompt switches the debug mode: the right password turns
// debug mode and tag colouring on, anything else (an empty answer too) turns both off, and the
// settings are saved at once. A cancelled prompt (nothing) changes and saves nothing. Returns
// the debug mode now in force.
bool applyDebugPassword(const std::optional<QString> &answer);
