#include "core/qtinteraction.h"
#include "core/qttranslations.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QHeaderView>

#include <gtest/gtest.h>
#include <memory>

TEST(QtDialogs, SpeakJapaneseForAJapaneseUser)
{
    ASSERT_TRUE(installQtTranslations(QLocale(QLocale::Japanese, QLocale::Japan)));
    for (const char *text : {"Cancel", "Open", "Save"}) {
        SCOPED_TRACE(text);
        EXPECT_NE(QCoreApplication::translate("QPlatformTheme", text), QLatin1String(text));
    }
}

TEST(QtDialogs, FileFiltersShowOnceAndColumnsAreReadable)
{
    Interaction::FileRequest request;
    request.filter = QStringLiteral("HTMLﾌｧｲﾙ(*.html;*.htm)|*.html;*.htm|全てのﾌｧｲﾙ(*.*)|*.*");
    std::unique_ptr<QFileDialog> dialog(createFileDialog(request));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_TRUE(dialog->testOption(QFileDialog::HideNameFilterDetails));
    for (QHeaderView *header : dialog->findChildren<QHeaderView *>())
        EXPECT_GE(header->defaultSectionSize(), 150);
}
