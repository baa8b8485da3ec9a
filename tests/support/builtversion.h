#pragma once

#include <QString>

// The version the build gives the program, "0.36.9": what the windows show, read from the
// build rather than restated by each test.
inline QString builtVersion()
{
    return QStringLiteral("%1.%2.%3")
        .arg(ORVINE_VERSION_MAJOR)
        .arg(ORVINE_VERSION_MINOR)
        .arg(ORVINE_VERSION_PATCH);
}
