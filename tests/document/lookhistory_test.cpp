#include "document/rtf.h"
#include "document/tagcolor.h"
#include "support/documentfixture.h"

#include <QTest>

#include <random>
#include <string_view>
#include <vector>

namespace {

// The text and the look of each character as a test expects them.
struct Page
{
    QString text;
    std::vector<Look> looks;

    bool operator==(const Page &) const = default;
};

Look lookOf(RichTextBox &box, int position)
{
    box.select(position, 1);
    return Look{box.selColor(), box.selBold()};
}

// What the box shows; a line break's two characters read the line end's look, which the
// model does not keep, so both are written as plain.
Page readBack(RichTextBox &box)
{
    Page page{box.text(), {}};
    for (int i = 0; i < page.text.size(); ++i) {
        const bool lineBreak = page.text.at(i) == u'\r' || page.text.at(i) == u'\n';
        page.looks.push_back(lineBreak ? Look{} : lookOf(box, i));
    }
    return page;
}

// A model of the page with its own undo history: each step of the test is one undo step.
class Model
{
public:
    explicit Model(Page page) : current(std::move(page)) {}

    const Page &page() const { return current; }

    void replace(int start, int removed, const QString &text, const std::vector<Look> &looks)
    {
        remember();
        current.text.replace(start, removed, text);
        current.looks.erase(current.looks.begin() + start, current.looks.begin() + start + removed);
        current.looks.insert(current.looks.begin() + start, looks.begin(), looks.end());
        plainLineBreaks();
    }
    void recolor(int start, int length, int color)
    {
        remember();
        for (int i = start; i < start + length; ++i)
            current.looks[i].color = color;
        plainLineBreaks();
    }
    void setBold(int start, int length, bool bold)
    {
        remember();
        for (int i = start; i < start + length; ++i)
            current.looks[i].bold = bold;
        plainLineBreaks();
    }
    void take(Page page)
    {
        remember();
        current = std::move(page);
    }
    void undo()
    {
        if (undone.empty())
            return;
        redone.push_back(current);
        current = undone.back();
        undone.pop_back();
    }
    void redo()
    {
        if (redone.empty())
            return;
        undone.push_back(current);
        current = redone.back();
        redone.pop_back();
    }

private:
    void remember()
    {
        undone.push_back(current);
        redone.clear();
    }
    void plainLineBreaks()
    {
        for (int i = 0; i < current.text.size(); ++i) {
            if (current.text.at(i) == u'\r' || current.text.at(i) == u'\n')
                current.looks[i] = Look{};
        }
    }

    Page current;
    std::vector<Page> undone;
    std::vector<Page> redone;
};

struct Session
{
    frmDocument &doc;
    RichTextBox &box;
    Model &model;
    std::mt19937 random;

    int below(int n) { return n <= 0 ? 0 : int(random() % unsigned(n)); }
    // A position that does not split a CR LF pair.
    int position()
    {
        const QString &text = model.page().text;
        int at = below(int(text.size()) + 1);
        if (at > 0 && at < text.size() && text.at(at) == u'\n')
            --at;
        return at;
    }
    // A stretch [start, start + length) that splits no CR LF pair, at least one character
    // long when the text is not empty.
    std::pair<int, int> stretch(int longest)
    {
        const QString &text = model.page().text;
        if (text.isEmpty())
            return {0, 0};
        int start = position();
        if (start == text.size())
            --start;
        if (text.at(start) == u'\n')
            --start;
        int end = std::min<int>(int(text.size()), start + 1 + below(longest));
        if (end < text.size() && text.at(end) == u'\n')
            ++end;
        return {start, end - start};
    }
    QString snippet()
    {
        static const char *const pieces[] = {"a", "<p>", "\r\n", "漢字", "=\"x\"", " "};
        QString text;
        for (int n = 1 + below(4); n > 0; --n)
            text += QString::fromUtf8(pieces[below(std::size(pieces))]);
        return text;
    }
    // The look that plain text written now takes.
    Look insertionLook() { return Look{box.selColor(), box.selBold()}; }
};

std::vector<Look> repeated(const QString &text, Look look)
{
    return std::vector<Look>(text.size(), look);
}

struct Step
{
    const char *name;
    void (*run)(Session &);
};

const Step steps[] = {
    {"plainText",
     [](Session &r) {
         const auto [start, length] = r.stretch(4);
         const QString text = r.snippet();
         r.box.select(start, r.below(2) == 0 ? 0 : length);
         const int removed = r.box.selLength();
         const Look look = r.insertionLook();
         r.box.setSelText(text);
         r.model.replace(start, removed, text, repeated(text, look));
     }},
    {"typing",
     [](Session &r) {
         r.box.setSelStart(r.position());
         const Look look = r.insertionLook();
         const int at = r.box.selStart();
         QTest::keyClick(&r.box, Qt::Key_A);
         r.model.replace(at, 0, QStringLiteral("a"), {look});
     }},
    {"backspace",
     [](Session &r) {
         const int at = r.position();
         r.box.setSelStart(at);
         QTest::keyClick(&r.box, Qt::Key_Backspace);
         if (at == 0)
             return;
         const bool lineBreak
             = at >= 2 && r.model.page().text.mid(at - 2, 2) == QLatin1String("\r\n");
         const int removed = lineBreak ? 2 : 1;
         r.model.replace(at - removed, removed, {}, {});
     }},
    {"pasteRichText",
     [](Session &r) {
         const auto [start, length] = r.stretch(3);
         const QList<RtfSpan> spans{
             {r.snippet().replace(QLatin1String("\r\n"), QLatin1String("\n")), TextColor::Red,
              true},
             {r.snippet().replace(QLatin1String("\r\n"), QLatin1String("\n")), 0x123456, false}};
         clipboardSetText(rtfFromSpans(spans), ClipboardFormat::Rtf);
         r.box.select(start, length);
         QTest::keyClick(&r.box, Qt::Key_V, Qt::ControlModifier);
         QString text;
         std::vector<Look> looks;
         for (const RtfSpan &span : spans) {
             QString lines = span.text;
             lines.replace(u'\n', QLatin1String("\r\n"));
             text += lines;
             const std::vector<Look> part = repeated(lines, Look{span.color, span.bold});
             looks.insert(looks.end(), part.begin(), part.end());
         }
         r.model.replace(start, length, text, looks);
     }},
    {"colouringPass",
     [](Session &r) {
         Color_set(r.doc);
         r.model.take(readBack(r.box)); // what the pass gives is checked elsewhere
     }},
    {"colourCommand",
     [](Session &r) {
         const auto [start, length] = r.stretch(6);
         if (length == 0)
             return;
         r.box.select(start, length);
         r.box.setSelColor(TextColor::Magenta);
         r.model.recolor(start, length, TextColor::Magenta);
     }},
    {"bold",
     [](Session &r) {
         const auto [start, length] = r.stretch(6);
         if (length == 0)
             return;
         r.box.select(start, length);
         const bool bold = r.below(2) == 0;
         r.box.setSelBold(bold);
         r.model.setBold(start, length, bold);
     }},
    {"undo",
     [](Session &r) {
         r.box.undo();
         r.model.undo();
     }},
    {"redo",
     [](Session &r) {
         r.box.redo();
         r.model.redo();
     }},
};

using LookHistory = DocumentFixture;

TEST_F(LookHistory, LooksFollowRandomEditsUndoAndRedo)
{
    shared().blnTagColor = false; // live colouring would add steps of its own
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        text().setText(QStringLiteral("<html>\r\n<body bgcolor=\"#fff\">\r\n本文\r\n</body>"));
        Model model(readBack(text()));
        Color_set(*doc);
        model.take(readBack(text()));
        Session run{*doc, text(), model, std::mt19937(seed)};
        for (int i = 0; i < 80; ++i) {
            const Step &step = steps[run.below(std::size(steps))];
            step.run(run);
            SCOPED_TRACE(testing::Message()
                         << "seed " << seed << ", step " << i << ": " << step.name);
            const Page shown = readBack(text());
            ASSERT_EQ(shown.text, model.page().text);
            ASSERT_TRUE(shown.looks == model.page().looks);
        }
    }
}

} // namespace

namespace {

TEST_F(LookHistory, RichTextOfASelectionAfterEditsKeepsItsLooks)
{
    text().setText(QStringLiteral("<a>\r\nb"));
    text().applyColorRuns(
        {{0, 3, TextColor::Blue, ColorRun::Off}, {0, 1, TextColor::Red, ColorRun::On}});
    text().setSelStart(1);
    text().setSelRtf(rtfFromSpans({{QStringLiteral("漢\n"), TextColor::Magenta, true}}));
    text().setSelStart(text().textLength());
    QTest::keyClick(&text(), Qt::Key_X); // takes the plain look of the "b" before it
    text().select(2, 2);
    QTest::keyClick(&text(), Qt::Key_Backspace); // the line break after 漢 goes
    text().selectAll();
    const QList<RtfSpan> expected{{QStringLiteral("<"), TextColor::Red, true},
                                  {QStringLiteral("漢"), TextColor::Magenta, true},
                                  // a line break goes with the text before it
                                  {QStringLiteral("a>\n"), TextColor::Blue, false},
                                  {QStringLiteral("bx"), TextColor::Black, false}};
    EXPECT_EQ(spansFromRtf(text().selRtf()), expected);
    EXPECT_EQ(text().selRtf(), rtfFromSpans(expected));
}

} // namespace
