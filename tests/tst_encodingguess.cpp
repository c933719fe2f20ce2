#include "platform/codecs/encodingguess.h"
#include "kanjisamples.h"
#include "testlines.h"

#include <QTest>

#include <optional>
#include <string>

using namespace vorelind;

Q_DECLARE_METATYPE(vorelind::SourceEncoding)
Q_DECLARE_METATYPE(std::optional<vorelind::SourceEncoding>)

namespace {

std::string metaCharset(std::string_view charset)
{
    return "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + std::string(charset) + "\">\r\n";
}

} // namespace

class TestEncodingGuess : public QObject {
    Q_OBJECT

private slots:
    void recognisesTheEncoding_data();
    void recognisesTheEncoding();
    void stopsReadingOnceTheBytesDecide_data();
    void stopsReadingOnceTheBytesDecide();
    void findsTheDeclaredCharset_data();
    void findsTheDeclaredCharset();
};

void TestEncodingGuess::recognisesTheEncoding_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<SourceEncoding>("expected");
    QTest::addColumn<int>("byteOrderMarkLength");

    QTest::newRow("empty") << std::string() << SourceEncoding::Ascii << 0;
    QTest::newRow("ASCII page") << std::string("<html><body>a</body></html>\r\n") << SourceEncoding::Ascii << 0;
    QTest::newRow("escape that designates nothing") << std::string("<p>\x1b[31mred</p>") << SourceEncoding::Ascii << 0;
    QTest::newRow("UTF-8 mark") << std::string("\xef\xbb\xbf<p>") << SourceEncoding::Utf8 << 3;
    QTest::newRow("UTF-16LE mark") << utf16LePage() << SourceEncoding::Utf16Le << 2;
    QTest::newRow("UTF-16BE mark") << utf16BePage() << SourceEncoding::Utf16Be << 2;
    QTest::newRow("ISO-2022-JP") << recoded("<p>かな</p>", "ISO-2022-JP") << SourceEncoding::Iso2022Jp << 0;
    QTest::newRow("ISO-2022-JP half-width katakana") << std::string("<p>\x1b(I61\x1b(B</p>") << SourceEncoding::Iso2022Jp << 0;
    QTest::newRow("UTF-8 page") << std::string(kSamplePage) << SourceEncoding::Utf8 << 0;
    QTest::newRow("EUC-JP page") << eucJpPage() << SourceEncoding::EucJp << 0;
    QTest::newRow("Shift-JIS page") << shiftJis(kSamplePage) << SourceEncoding::ShiftJis << 0;

    // Short pages of the kind ICU's own detector takes for UTF-16BE and IBM420.
    const std::string shortPage = "<html><head><title>テスト</title></head><body><p>日本語のページです。</p></body></html>\r\n";
    QTest::newRow("short Shift-JIS page") << shiftJis(shortPage) << SourceEncoding::ShiftJis << 0;
    QTest::newRow("short EUC-JP page") << recoded("<p>日本語のページです。</p>\r\n", "EUC-JP") << SourceEncoding::EucJp << 0;
    QTest::newRow("one UTF-8 word") << std::string("<p>漢字</p>") << SourceEncoding::Utf8 << 0;

    QTest::newRow("long ASCII head, then Shift-JIS") << repeated("<p>ascii</p>\r\n", 500) + shiftJis("<p>かな</p>")
                                                      << SourceEncoding::ShiftJis << 0;
    QTest::newRow("long ASCII head, then EUC-JP") << repeated("<p>ascii</p>\r\n", 500) + recoded("<p>かな</p>", "EUC-JP")
                                                   << SourceEncoding::EucJp << 0;

    // Both decode; the share of kana and punctuation in the EUC-JP reading decides.
    QTest::newRow("Shift-JIS half-width katakana that reads as EUC-JP")
        << shiftJis("<p>ｶﾀｶﾅ ﾃｷｽﾄ</p>") << SourceEncoding::ShiftJis << 0;
    QTest::newRow("EUC-JP hiragana that reads as Shift-JIS")
        << recoded("<p>ひらがなだけ</p>", "EUC-JP") << SourceEncoding::EucJp << 0;
    // When both decode, the page's declaration breaks the tie.
    QTest::newRow("ambiguous bytes declared EUC-JP")
        << metaCharset("EUC-JP") + shiftJis("<p>ｶﾀｶﾅ ﾃｷｽﾄ</p>") << SourceEncoding::EucJp << 0;
    QTest::newRow("ambiguous bytes declared Shift_JIS")
        << metaCharset("Shift_JIS") + recoded("<p>ひらがなだけ</p>", "EUC-JP") << SourceEncoding::ShiftJis << 0;
    // A declaration the bytes contradict does not count.
    QTest::newRow("Shift-JIS hiragana declared EUC-JP")
        << metaCharset("EUC-JP") + shiftJis("<p>ひらがな</p>") << SourceEncoding::ShiftJis << 0;

    QTest::newRow("bytes no Japanese encoding reads") << std::string("<p>\xff\xfd\xfe</p>") << SourceEncoding::Unknown << 0;
}

void TestEncodingGuess::recognisesTheEncoding()
{
    QFETCH(std::string, text);
    QFETCH(SourceEncoding, expected);
    QFETCH(int, byteOrderMarkLength);

    const EncodingGuess guess = guessEncoding(text);

    QCOMPARE(guess.encoding, expected);
    QCOMPARE(guess.byteOrderMarkLength, static_cast<std::size_t>(byteOrderMarkLength));
}

void TestEncodingGuess::stopsReadingOnceTheBytesDecide_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<int>("decidingBytes");

    // About 1.5 MB after the bytes that decide.
    const std::string shiftJisTail = repeated(shiftJis(kSamplePage), 10000);
    const std::string eucJpTail = repeated(eucJpPage(), 10000);
    QTest::newRow("byte order mark") << "\xff\xfe" + shiftJisTail << 2;
    QTest::newRow("ISO-2022-JP designation") << "<p>\x1b$B" + shiftJisTail << 4;
    QTest::newRow("Shift-JIS: one trial piece") << shiftJis("<p>かな</p>") + shiftJisTail << 3 + 1024;
    QTest::newRow("EUC-JP after an ASCII head: the head and one trial piece")
        << repeated("<p>ascii</p>", 1000) + recoded("<p>日本語</p>", "EUC-JP") + eucJpTail << 12000 + 3 + 1024;
}

void TestEncodingGuess::stopsReadingOnceTheBytesDecide()
{
    QFETCH(std::string, text);
    QFETCH(int, decidingBytes);

    QVERIFY(guessEncoding(text).bytesExamined <= static_cast<std::size_t>(decidingBytes));
}

void TestEncodingGuess::findsTheDeclaredCharset_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::optional<SourceEncoding>>("expected");

    QTest::newRow("http-equiv Shift_JIS") << metaCharset("Shift_JIS") << std::optional(SourceEncoding::ShiftJis);
    QTest::newRow("HTML5 meta, quoted, lower case") << std::string("<META CHARSET='euc-jp'>")
                                                   << std::optional(SourceEncoding::EucJp);
    QTest::newRow("XML declaration") << std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")
                                     << std::optional(SourceEncoding::Utf8);
    QTest::newRow("blanks around =") << std::string("<meta charset = x-sjis>") << std::optional(SourceEncoding::ShiftJis);
    QTest::newRow("the word charset before the declaration")
        << "<!-- the charset is below -->" + metaCharset("EUC-JP") << std::optional(SourceEncoding::EucJp);
    QTest::newRow("a charset the layer does not read") << metaCharset("ISO-8859-1") << std::optional<SourceEncoding>();
    QTest::newRow("no declaration") << std::string("<p>a</p>") << std::optional<SourceEncoding>();
    QTest::newRow("declaration beyond the first 4096 bytes")
        << repeated(" ", 4096) + metaCharset("EUC-JP") << std::optional<SourceEncoding>();
}

void TestEncodingGuess::findsTheDeclaredCharset()
{
    QFETCH(std::string, text);
    QFETCH(std::optional<SourceEncoding>, expected);

    QCOMPARE(declaredEncoding(text), expected);
}

QTEST_APPLESS_MAIN(TestEncodingGuess)
#include "tst_encodingguess.moc"
