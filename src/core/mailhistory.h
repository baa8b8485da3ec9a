#pragma once

#include <QString>
#include <QStringList>

// The mail addresses used before in mail links, kept in the settings store (section
// "Recent MailTo") in the order of their first use, with the one used last as the default.
namespace MailHistory {

// The stored addresses in order; empty when none is stored. A stored count beyond
// MaxReadAddresses (a damaged file) reads only that many.
QStringList addresses();
// The address the mail dialog shows when it opens (empty when none is stored).
QString defaultAddress();
// Appends `address` (exact, case-sensitive comparison) when it is not listed yet, makes it the
// default and writes the whole list again; an address already listed, or an empty (blank)
// one, writes nothing.
void remember(const QString &address);

inline constexpr int MaxReadAddresses = 10000;

} // namespace MailHistory
