#include "core/mailhistory.h"

#include "core/settingsstore.h"
#include "support/qstringprinter.h"
#include "support/scriptedinteraction.h"
#include "support/u8.h"
#include "tags/link/frmmailtoset.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include <gtest/gtest.h>

namespace {

const QString Section = QStringLiteral("Recent MailTo");

class MailHistoryTest : public testing::Test
{
protected:
    void SetUp() override { clear(); }
    void TearDown() override { clear(); }

    static void clear()
    {
        for (const char *key : {"MailNum", "DefaultURL", "1MailURL", "2MailURL", "3MailURL"})
            SettingsStore::remove(Section, QLatin1String(key));
    }

    // What the settings file on disk holds, read as a program started afresh would read it.
    static QString onDisk(const char *key)
    {
        QSettings file(SettingsStore::fileName(), QSettings::IniFormat);
        return file.value(Section + QLatin1Char('/') + QLatin1String(key)).toString();
    }

    // Opens the mail dialog, types `address` and presses OK.
    static QString useAddress(const QString &address)
    {
        frmMailtoSet dialog;
        dialog.cmbMail->setEditText(address);
        dialog.okButton()->click();
        return dialog.resultString();
    }
};

TEST_F(MailHistoryTest, FirstUseStartsEmptyAndStoresTheAddress)
{
    {
        frmMailtoSet dialog;
        EXPECT_EQ(dialog.cmbMail->currentText(), QString());
        EXPECT_EQ(dialog.cmbMail->count(), 0);
    }
    EXPECT_EQ(useAddress(u8("me@example.jp")), u8("<A href=\"mailto:me@example.jp\"></A>"));
    EXPECT_EQ(onDisk("MailNum"), u8("1"));
    EXPECT_EQ(onDisk("1MailURL"), u8("me@example.jp"));
    EXPECT_EQ(onDisk("DefaultURL"), u8("me@example.jp"));
}

TEST_F(MailHistoryTest, ALinkWithoutAddressLeavesTheHistoryAlone)
{
    for (const char *blank : {"", " ", "\t", "　"}) {
        EXPECT_EQ(useAddress(u8(blank)), u8("<A href=\"mailto:") + u8(blank) + u8("\"></A>"));
        EXPECT_EQ(onDisk("MailNum"), QString()) << blank;
    }
    useAddress(u8("me@example.jp"));
    useAddress(u8(""));
    EXPECT_EQ(onDisk("MailNum"), u8("1"));
    EXPECT_EQ(onDisk("DefaultURL"), u8("me@example.jp"));
    frmMailtoSet reopened;
    EXPECT_EQ(reopened.cmbMail->count(), 1);
    EXPECT_EQ(reopened.cmbMail->currentText(), u8("me@example.jp"));
}

TEST_F(MailHistoryTest, OrderDefaultAndDuplicatesAcrossARestart)
{
    useAddress(u8("first@x.jp"));
    useAddress(u8("second@x.jp"));
    useAddress(u8("first@x.jp")); // listed already: nothing is written
    useAddress(u8("First@x.jp")); // another address: the comparison is exact
    EXPECT_EQ(onDisk("MailNum"), u8("3"));
    EXPECT_EQ(onDisk("1MailURL"), u8("first@x.jp"));
    EXPECT_EQ(onDisk("2MailURL"), u8("second@x.jp"));
    EXPECT_EQ(onDisk("3MailURL"), u8("First@x.jp"));
    EXPECT_EQ(onDisk("DefaultURL"), u8("First@x.jp"));

    SettingsStore::sync();
    frmMailtoSet reopened;
    EXPECT_EQ(reopened.cmbMail->currentText(), u8("First@x.jp"));
    ASSERT_EQ(reopened.cmbMail->count(), 3);
    EXPECT_EQ(reopened.cmbMail->itemText(0), u8("first@x.jp"));
    EXPECT_EQ(reopened.cmbMail->itemText(1), u8("second@x.jp"));
}

TEST_F(MailHistoryTest, DamagedCountsReadSafely)
{
    const struct
    {
        const char *count;
        int listed;
    } cases[] = {{"-3", 0}, {"x", 0}, {"2", 2}, {"99999999", MailHistory::MaxReadAddresses}};
    for (const auto &c : cases) {
        SettingsStore::set(Section, QStringLiteral("MailNum"), QLatin1String(c.count));
        EXPECT_EQ(MailHistory::addresses().size(), c.listed) << c.count;
    }
}

TEST_F(MailHistoryTest, PastedMailUrlBecomesABareAddress)
{
    frmMailtoSet dialog;
    dialog.cmbMail->setEditText(u8("mailto:info@example.jp"));
    EXPECT_EQ(dialog.cmbMail->currentText(), u8("info@example.jp"));
    dialog.cmbMail->setEditText(u8("MAILTO:info@example.jp"));
    EXPECT_EQ(dialog.cmbMail->currentText(), u8("MAILTO:info@example.jp"));
}

} // namespace
