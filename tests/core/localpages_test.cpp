#include "core/localpages.h"

#include "core/settingsstore.h"
#include "support/qstringprinter.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QString readPage(LocalPage page)
{
    QFile file(localPagePath(page));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The search page tells how to choose another search page; following what it says must work.
TEST(SearchPage, TheSettingItNamesIsTheOneTheSearchButtonReads)
{
    const QString page = readPage(LocalPage::Search);
    ASSERT_FALSE(page.isEmpty());

    // "設定ファイル（~/.config/Orvine/Orvine.ini）の [Settings] にある SearchPage"
    const QRegularExpressionMatch file
        = QRegularExpression(QStringLiteral("~/\\.config/([^）)]+\\.ini)")).match(page);
    ASSERT_TRUE(file.hasMatch()) << "the page names no settings file";
    EXPECT_TRUE(SettingsStore::fileName().endsWith(QLatin1Char('/') + file.captured(1)))
        << SettingsStore::fileName().toStdString();
    const QRegularExpressionMatch setting
        = QRegularExpression(QStringLiteral("\\[([A-Za-z ]+)\\] にある ([A-Za-z]+)")).match(page);
    ASSERT_TRUE(setting.hasMatch()) << "the page names no setting";

    const QString chosen = QStringLiteral("https://www.example.jp/検索");
    SettingsStore::set(setting.captured(1), setting.captured(2), chosen);
    EXPECT_EQ(searchPageAddress(), chosen);
    SettingsStore::remove(setting.captured(1), setting.captured(2));
    EXPECT_EQ(searchPageAddress(), localPagePath(LocalPage::Search));
}

} // namespace
