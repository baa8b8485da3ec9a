#include "document/spacemarks.h"

#include "core/settings.h"
#include "support/documentfixture.h"
#include "support/qstringprinter.h"

#include <QImage>

TEST(SpaceMarks, OnlyFullWidthSpacesAndTabsAreMarked)
{
    struct Case
    {
        const char *what;
        QString line;
        QList<int> wide;
        QList<int> tabs;
    };
    const QList<Case> cases = {
        {"empty", QString(), {}, {}},
        {"half-width spaces are left alone", QStringLiteral("a b  c"), {}, {}},
        {"a full-width space", QStringLiteral("日本\u3000語"), {2}, {}},
        {"tabs and full-width spaces", QStringLiteral("\t<P>\u3000\u3000\t"), {4, 5}, {0, 6}},
        {"the ideographic full stop is no space", QStringLiteral("。、"), {}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QList<int> wide, tabs;
        for (const MarkedCharacter &m : markedCharacters(c.line))
            (m.mark == SpaceMark::WideSpace ? wide : tabs) << m.position;
        EXPECT_EQ(wide, c.wide);
        EXPECT_EQ(tabs, c.tabs);
    }
}

using SpaceMarksOption = DocumentFixture;

TEST_F(SpaceMarksOption, TheViewCommandDrawsMarksButLeavesTheTextAlone)
{
    storeSpaceMarksShown(false);
    text().setSpaceMarksShown(false);
    const QString content = QStringLiteral("\u3000\t\u3000");
    text().setText(content);
    doc->blnFlgDirty = false;
    doc->resize(300, 120);
    doc->show();
    const QImage plain = text().viewport()->grab().toImage();

    ASSERT_TRUE(doc->run(QStringLiteral("mnuViewSpaceMarks_Click")));
    EXPECT_TRUE(storedSpaceMarksShown());
    EXPECT_TRUE(text().spaceMarksShown());
    EXPECT_TRUE(doc->action(QStringLiteral("mnuViewSpaceMarks"))->isChecked());
    const QImage marked = text().viewport()->grab().toImage();
    EXPECT_NE(plain, marked) << "the marks are drawn";
    EXPECT_EQ(text().text(), content) << "the marks are never characters of the text";
    EXPECT_FALSE(doc->blnFlgDirty);

    // A window opened later starts with the stored option.
    frmDocument later;
    EXPECT_TRUE(later.txtText->spaceMarksShown());

    ASSERT_TRUE(doc->run(QStringLiteral("mnuViewSpaceMarks_Click")));
    EXPECT_FALSE(storedSpaceMarksShown());
    EXPECT_FALSE(text().spaceMarksShown());
    EXPECT_EQ(text().viewport()->grab().toImage(), plain);
}
