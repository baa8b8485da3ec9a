#pragma once

#include <QString>
#include <QStringList>

// The HTML version the check assumes for a page that has no DOCTYPE. Automatic leaves the
// choice to HTML Tidy, which reads such a page by its content.
enum class AssumedHtmlVersion { Automatic, Html32, Html401Transitional, Html401Strict };

// The choices of the page check the user sets in the options.
struct PageCheckOptions
{
    // Message ids (HTML Tidy's keys such as MISSING_DOCTYPE, or the link check's) not listed.
    QStringList hiddenIds;
    AssumedHtmlVersion assumedVersion = AssumedHtmlVersion::Automatic;
    bool accessibility = false;

    bool operator==(const PageCheckOptions &) const = default;
};

// The ids of a list typed by the user: separated by blanks, commas or semicolons, in capitals.
QStringList parseMessageIds(const QString &typed);

// The stored options, and storing them.
PageCheckOptions storedPageCheckOptions();
void storePageCheckOptions(const PageCheckOptions &options);
