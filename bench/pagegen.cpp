#include "pagegen.h"

#include <QStringList>

#include <iconv.h>
#include <random>
#include <stdexcept>

namespace pagegen {
namespace {

const QStringList phrases = {
    QStringLiteral("今日はとても良い天気でした"),
    QStringLiteral("近所の公園まで散歩に行ってきました"),
    QStringLiteral("桜の花がちょうど満開で"),
    QStringLiteral("写真をたくさん撮りました"),
    QStringLiteral("ホームページを開設してから一年が経ちました"),
    QStringLiteral("皆様のおかげでアクセス数が一万を超えました"),
    QStringLiteral("掲示板への書き込みもお待ちしています"),
    QStringLiteral("リンクはご自由にどうぞ"),
    QStringLiteral("相互リンクも大歓迎です"),
    QStringLiteral("最近は仕事が忙しくて更新が滞りがちです"),
    QStringLiteral("週末に家族で温泉へ出かけました"),
    QStringLiteral("料理のレシピを追加しました"),
    QStringLiteral("猫のﾀﾏが子猫を三匹産みました"),
    QStringLiteral("ﾊﾟｿｺﾝを新しく買い替えました"),
    QStringLiteral("お問い合わせはメールでお願いします"),
    QStringLiteral("このページはＩＥ５．０で確認しています"),
    QStringLiteral("画面の解像度は８００×６００推奨です"),
    QStringLiteral("山登りの記録を少しずつまとめています"),
    QStringLiteral("富士山の頂上から見た景色は格別でした"),
    QStringLiteral("次回の更新は来月の予定です"),
    QStringLiteral("①から⑩までの手順で作業してください"),
    QStringLiteral("詳しくは下の表をご覧ください"),
    QStringLiteral("東京都千代田区の小さな喫茶店を紹介します"),
    QStringLiteral("季節の花々と野鳥の観察日記です"),
};
const QStringList titles = {
    QStringLiteral("ようこそ！"), QStringLiteral("日記"),     QStringLiteral("お知らせ"),
    QStringLiteral("更新履歴"),   QStringLiteral("リンク集"), QStringLiteral("自己紹介"),
    QStringLiteral("写真館"),     QStringLiteral("掲示板"),   QStringLiteral("ﾘﾝｸ"),
};
const QStringList colors = {
    QStringLiteral("#FF0000"), QStringLiteral("#0000FF"), QStringLiteral("#008000"),
    QStringLiteral("#ff9900"), QStringLiteral("#666666"), QStringLiteral("#CC00CC"),
};
const QStringList aligns
    = {QStringLiteral("left"), QStringLiteral("center"), QStringLiteral("right")};

constexpr auto crlf = "\r\n";

// Encoded size in code page 932: ASCII and half-width katakana take one byte, the rest two.
qsizetype sjisBytes(const QString &text)
{
    qsizetype n = 0;
    for (QChar c : text)
        n += (c.unicode() < 0x80 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F)) ? 1 : 2;
    return n;
}

class Writer
{
public:
    explicit Writer(quint32 seed) : m_rng(seed) {}

    // std::mt19937's output is fixed by the standard; distributions are not, so no
    // std::uniform_int_distribution here.
    int pick(int n) { return int(m_rng() % quint32(n)); }
    const QString &pick(const QStringList &list) { return list.at(pick(int(list.size()))); }

    void line(const QString &text)
    {
        m_text += text;
        m_text += QLatin1String(crlf);
    }
    qsizetype bytes() const { return m_bytes + sjisBytes(m_text.mid(m_counted)); }
    void settle()
    {
        m_bytes += sjisBytes(m_text.mid(m_counted));
        m_counted = m_text.size();
    }
    QString &text() { return m_text; }

    QString sentence()
    {
        QString s = pick(phrases);
        if (pick(3) == 0)
            s += QStringLiteral("、") + pick(phrases);
        s += pick(5) == 0 ? QStringLiteral("！") : QStringLiteral("。");
        return s;
    }
    QString paragraph(int sentences)
    {
        QString s;
        for (int i = 0; i < sentences; ++i) {
            s += sentence();
            if (pick(4) == 0)
                s += QStringLiteral("<BR>") + QLatin1String(crlf);
        }
        return s;
    }
    QString link()
    {
        return QStringLiteral("<A href=\"page%1.html\">%2</A>").arg(pick(500)).arg(pick(titles));
    }
    QString image()
    {
        return QStringLiteral("<IMG src=\"images/photo%1.jpg\" width=\"%2\" height=\"%3\" "
                              "border=\"0\" alt=\"%4\">")
            .arg(pick(1000), 3, 10, QLatin1Char('0'))
            .arg(160 + pick(4) * 80)
            .arg(120 + pick(4) * 60)
            .arg(pick(titles));
    }

    void homeSection()
    {
        switch (pick(8)) {
        case 0:
            line(QStringLiteral("<!-- ここから%1 -->").arg(pick(titles)));
            line(QStringLiteral("<H3><FONT color=\"%1\">%2 %3年%4月%5日</FONT></H3>")
                     .arg(pick(colors), pick(titles))
                     .arg(1997 + pick(5))
                     .arg(1 + pick(12))
                     .arg(1 + pick(28)));
            line(QStringLiteral("<P>") + paragraph(3 + pick(5)) + QStringLiteral("</P>"));
            break;
        case 1: {
            line(QStringLiteral("<TABLE border=\"1\" cellpadding=\"4\" cellspacing=\"0\" "
                                "width=\"%1%\" bordercolor=\"#999999\">")
                     .arg(60 + pick(5) * 10));
            const int rows = 2 + pick(5);
            for (int r = 0; r < rows; ++r) {
                line(QStringLiteral("<TR>"));
                line(QStringLiteral("  <TD align=\"%1\" bgcolor=\"#ffffcc\">%2</TD>")
                         .arg(pick(aligns), link()));
                line(QStringLiteral("  <TD>%1</TD>").arg(sentence()));
                line(QStringLiteral("</TR>"));
            }
            line(QStringLiteral("</TABLE>"));
            break;
        }
        case 2:
            line(QStringLiteral("<CENTER>"));
            line(image() + QStringLiteral("<BR>"));
            line(QStringLiteral("<FONT size=\"2\" color=\"#666666\">%1</FONT>").arg(sentence()));
            line(QStringLiteral("</CENTER>"));
            break;
        case 3:
            line(QStringLiteral("<UL>"));
            for (int i = 0, n = 3 + pick(4); i < n; ++i)
                line(QStringLiteral("  <LI>") + link() + QStringLiteral("　") + sentence());
            line(QStringLiteral("</UL>"));
            break;
        case 4:
            line(QStringLiteral("<HR size=\"2\" width=\"80%\" noshade>"));
            line(QStringLiteral("<P align=\"%1\">").arg(pick(aligns)) + paragraph(2 + pick(4))
                 + QStringLiteral("</P>"));
            break;
        case 5:
            line(QStringLiteral("<P><FONT color=\"%1\"><B>%2</B></FONT>&nbsp;&nbsp;%3</P>")
                     .arg(pick(colors), pick(titles), sentence()));
            break;
        case 6:
            line(QStringLiteral("<P>") + paragraph(4 + pick(6)) + QStringLiteral("</P>"));
            break;
        default:
            line(QStringLiteral("<P>") + sentence() + QStringLiteral("&gt;&gt; ") + link()
                 + QStringLiteral(" &amp; ") + link() + QStringLiteral("</P>"));
            break;
        }
    }

    // Markup with as little text as possible: nested table cells, links, fonts, images,
    // form controls, headings and lists, all with quoted attributes.
    void denseSection()
    {
        switch (pick(4)) {
        case 0:
            line(QStringLiteral("<TABLE border=\"0\" cellspacing=\"1\" cellpadding=\"2\" "
                                "width=\"100%\"><TR>"));
            for (int i = 0; i < 4; ++i)
                line(QStringLiteral("<TD align=\"%1\" valign=\"top\" bgcolor=\"%2\"><B><FONT "
                                    "size=\"2\" color=\"%3\">%4</FONT></B></TD>")
                         .arg(pick(aligns), pick(colors), pick(colors), link()));
            line(QStringLiteral("</TR></TABLE>"));
            break;
        case 1:
            line(QStringLiteral("<FORM method=\"post\" action=\"/cgi-bin/bbs.cgi\"><INPUT "
                                "type=\"text\" name=\"n%1\" size=\"20\"><INPUT type=\"submit\" "
                                "value=\"OK\"></FORM>")
                     .arg(pick(100)));
            break;
        case 2:
            line(QStringLiteral("<UL type=\"disc\"><LI>%1<LI>%2<LI>%3</UL>")
                     .arg(link(), link(), link()));
            break;
        default:
            line(QStringLiteral("<H%1 align=\"center\"><A name=\"s%2\">%3</A></H%1>%4")
                     .arg(2 + pick(3))
                     .arg(pick(1000))
                     .arg(image(), QStringLiteral("<HR size=\"1\">")));
            break;
        }
    }

    // A spreadsheet row: a name, numbers, a date and a remark.
    void csvRow()
    {
        line(QStringLiteral("%1,%2,%3,%4/%5/%6,%7")
                 .arg(pick(titles))
                 .arg(100 + pick(9900))
                 .arg(pick(50))
                 .arg(1997 + pick(5))
                 .arg(1 + pick(12))
                 .arg(1 + pick(28))
                 .arg(sentence()));
    }

    void definitionList(qsizetype bytes)
    {
        line(QString::fromLatin1(definitionListStart));
        const qsizetype end = this->bytes() + bytes;
        for (int i = 1; this->bytes() < end; ++i) {
            line(QStringLiteral("<DT>用語%1</DT>").arg(i));
            line(QStringLiteral("<DD>") + sentence() + sentence() + QStringLiteral("</DD>"));
            if (i % 64 == 0)
                settle();
        }
        line(QStringLiteral("</DL>"));
    }

private:
    std::mt19937 m_rng;
    QString m_text;
    qsizetype m_bytes = 0;
    qsizetype m_counted = 0;
};

void fill(Writer &w, qsizetype until, Style style)
{
    for (int i = 0; w.bytes() < until; ++i) {
        switch (style) {
        case Style::HomePage: w.homeSection(); break;
        case Style::DenseMarkup:
        case Style::OneLine: w.denseSection(); break;
        case Style::Csv: w.csvRow(); break;
        }
        if (i % 32 == 0)
            w.settle();
    }
}

} // namespace

QString lastWord()
{
    return QStringLiteral("最後の合言葉");
}

QString pageText(qsizetype targetBytes, Style style, const Landmarks &landmarks, quint32 seed)
{
    Writer w(seed);
    w.text().reserve(targetBytes);
    if (style == Style::Csv) {
        fill(w, targetBytes, style);
        return w.text();
    }
    w.line(QStringLiteral("<HTML>"));
    w.line(QStringLiteral("<HEAD>"));
    w.line(QStringLiteral("<META http-equiv=\"Content-Type\" content=\"text/html; "
                          "charset=Shift_JIS\">"));
    w.line(QStringLiteral("<TITLE>山田花子のホームページ</TITLE>"));
    w.line(QStringLiteral("</HEAD>"));
    w.line(QStringLiteral("<BODY bgcolor=\"#FFFFFF\" text=\"#000000\" link=\"#0000FF\" "
                          "vlink=\"#800080\">"));
    w.line(QStringLiteral("<CENTER><FONT size=\"5\" color=\"#FF0000\">ようこそ！</FONT></CENTER>"));

    // Leave room for the landmarks so the page still ends near its target size.
    const bool anyLandmark = landmarks.definitionList || landmarks.lastCell || landmarks.lastWord;
    const qsizetype tail
        = (anyLandmark ? 4096 : 160) + (landmarks.definitionList ? definitionListBytes : 0);
    fill(w, qMax<qsizetype>(0, targetBytes - tail), style);
    if (landmarks.definitionList) {
        w.definitionList(definitionListBytes);
        fill(w, w.bytes() + 2048, style);
    }
    if (landmarks.lastCell) {
        w.line(QStringLiteral("<TABLE border=\"1\" width=\"100%\">"));
        w.line(QStringLiteral("<TR><TD>%1</TD>").arg(w.link()));
        w.line(QStringLiteral("<TD width=\"50%\" bgcolor=\"#ffcc00\" nowrap>%1</TD></TR>")
                   .arg(w.sentence()));
        w.line(QStringLiteral("</TABLE>"));
    }
    if (landmarks.lastWord)
        w.line(QStringLiteral("<P>") + w.sentence() + lastWord() + QStringLiteral("</P>"));
    w.line(QStringLiteral("<HR>"));
    w.line(QStringLiteral("<ADDRESS>Copyright (C) 1999 Hanako Yamada</ADDRESS>"));
    w.line(QStringLiteral("</BODY>"));
    w.text() += QStringLiteral("</HTML>");
    if (style == Style::OneLine)
        w.text().remove(QStringLiteral("\r\n"));
    return w.text();
}

QString fragmentText(qsizetype targetBytes, quint32 seed)
{
    Writer w(seed);
    fill(w, targetBytes, Style::HomePage);
    return w.text();
}

namespace {

QByteArray convert(const QByteArray &in, const char *to, const char *from, qsizetype room)
{
    QByteArray out(room, Qt::Uninitialized);
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1))
        throw std::runtime_error("iconv has no CP932");
    char *src = const_cast<char *>(in.constData());
    size_t srcLeft = size_t(in.size());
    char *dst = out.data();
    size_t dstLeft = size_t(out.size());
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    iconv_close(cd);
    if (rc == size_t(-1) || srcLeft != 0)
        throw std::runtime_error("text is not code page 932");
    out.truncate(out.size() - qsizetype(dstLeft));
    return out;
}

} // namespace

QByteArray toShiftJis(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return convert(utf8, "CP932", "UTF-8", utf8.size() + 16);
}

QString fromShiftJis(const QByteArray &bytes)
{
    // Every code page 932 byte becomes at most three UTF-8 bytes.
    return QString::fromUtf8(convert(bytes, "UTF-8", "CP932", bytes.size() * 3 + 16));
}

} // namespace pagegen
