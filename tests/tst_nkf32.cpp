#include "platform/codecs/nkf32.h"
#include "kanjisamples.h"
#include "testlines.h"

#include <unicode/uvernum.h>

#include <QTest>

#include <cstring>
#include <string>

using namespace vorelind;

namespace {

// Characters written as JIS-based tables decode them, and as code page 932 does.
constexpr std::string_view kJisForms = "<p>波ダッシュ\u301C マイナス\u2212 平行\u2016 \u00A2\u00A3\u00AC</p>\n";
constexpr std::string_view kCodePage932Forms = "<p>波ダッシュ\uFF5E マイナス\uFF0D 平行\u2225 \uFFE0\uFFE1\uFFE2</p>\n";

// Enough Japanese for the guess to decide before the bytes that follow.
std::string longJapanese()
{
    std::string text;
    while (text.size() < 3000)
        text += "日本語の文章です。";
    return text;
}

} // namespace

class TestNkf32 : public QObject {
    Q_OBJECT

private slots:
    void acceptsOnlyTheShiftJisOption_data();
    void acceptsOnlyTheShiftJisOption();
    void convertsEveryRecognisedEncoding_data();
    void convertsEveryRecognisedEncoding();
    void leavesWhatItNeedNotOrCannotConvert_data();
    void leavesWhatItNeedNotOrCannotConvert();
    void substitutesWhatCodePage932CannotHold_data();
    void substitutesWhatCodePage932CannotHold();
    void versionFitsTheCallersArea();
};

void TestNkf32::acceptsOnlyTheShiftJisOption_data()
{
    QTest::addColumn<QByteArray>("options");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("-s") << QByteArray("-s") << true;
    QTest::newRow("EUC-JP output") << QByteArray("-e") << false;
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("-s with an unknown option") << QByteArray("-s -x") << false;
    QTest::newRow("no dash") << QByteArray("s") << false;
}

void TestNkf32::acceptsOnlyTheShiftJisOption()
{
    QFETCH(QByteArray, options);
    QFETCH(bool, accepted);

    QCOMPARE(SetNkfOption(options.constData()) == 0, accepted);
}

void TestNkf32::convertsEveryRecognisedEncoding_data()
{
    QTest::addColumn<std::string>("input");
    QTest::addColumn<std::string>("expected");

    const std::string page = shiftJis(kSamplePage);
    QTest::newRow("UTF-8") << std::string(kSamplePage) << page;
    QTest::newRow("UTF-8 with a byte order mark") << "\xef\xbb\xbf" + std::string(kSamplePage) << page;
    QTest::newRow("UTF-16LE with a byte order mark") << utf16LePage() << page;
    QTest::newRow("UTF-16BE with a byte order mark") << utf16BePage() << page;
    QTest::newRow("EUC-JP with NEC row 13") << eucJpPage() << page;
    QTest::newRow("ISO-2022-JP with NEC row 13 and ESC ( I") << iso2022FromEucJp(eucJpPage()) << page;

    const std::string_view plain = "<title>日本語</title>\r\n<p>漢字とかなとカナ。</p>\r\n";
    QTest::newRow("ISO-2022-JP as iconv writes it") << recoded(plain, "ISO-2022-JP") << shiftJis(plain);

    const std::string differing = shiftJis(kCodePage932Forms);
    QTest::newRow("UTF-8 with JIS forms of ～ − ‖ ¢ £ ¬") << std::string(kJisForms) << differing;
    QTest::newRow("EUC-JP as a JIS-based table writes them") << recoded(kJisForms, "EUC-JP") << differing;
    QTest::newRow("UTF-8 EM DASH") << std::string("<p>ダッシュ\u2014</p>") << shiftJis("<p>ダッシュ\u2015</p>");

    QTest::newRow("UTF-8 byte order mark before ASCII") << std::string("\xef\xbb\xbf<p>a</p>") << std::string("<p>a</p>");
    QTest::newRow("UTF-16LE ASCII") << std::string("\xff\xfe<\0p\0>\0\r\0\n\0", 12) << std::string("<p>\r\n");
}

void TestNkf32::convertsEveryRecognisedEncoding()
{
    QFETCH(std::string, input);
    QFETCH(std::string, expected);

    QCOMPARE(bytes(NkfConvert(input)), bytes(expected));
}

void TestNkf32::leavesWhatItNeedNotOrCannotConvert_data()
{
    QTest::addColumn<std::string>("input");

    QTest::newRow("empty") << std::string();
    QTest::newRow("ASCII with every line break") << std::string("<p>a</p>\r\n<p>b</p>\n<p>c</p>\r");
    QTest::newRow("Shift-JIS page") << shiftJis(kSamplePage);
    QTest::newRow("Shift-JIS half-width katakana only") << shiftJis("<p>ｶﾀｶﾅ ﾃｽﾄ</p>");
    // A round trip through Unicode would turn NEC's selection (ED 40) into IBM's (FA 5C).
    QTest::newRow("Shift-JIS IBM extensions and NEC's selection of them") << std::string("<p>\xfa\x40\xfa\x5c\xed\x40</p>");
    QTest::newRow("Shift-JIS with a broken byte") << shiftJis("<p>かな</p>") + "\xff";
    QTest::newRow("bytes no Japanese encoding reads") << std::string("<p>\xff\xfd\xfe</p>");
}

void TestNkf32::leavesWhatItNeedNotOrCannotConvert()
{
    QFETCH(std::string, input);

    QCOMPARE(bytes(NkfConvert(input)), bytes(input));
}

void TestNkf32::substitutesWhatCodePage932CannotHold_data()
{
    QTest::addColumn<std::string>("input");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("UTF-8 Latin and an emoji") << std::string("<p>かな\u00E9\U0001F600</p>")
                                              << shiftJis("<p>かな") + kGeta + kGeta + "</p>";
    QTest::newRow("EUC-JP JIS X 0212 kanji") << recoded("<p>かな\u4E02</p>", "EUC-JP")
                                             << shiftJis("<p>かな") + kGeta + "</p>";
    const std::string japanese = longJapanese();
    QTest::newRow("UTF-8 broken byte after the guess decided") << japanese + "\xff<p>"
                                                               << shiftJis(japanese) + kGeta + "<p>";
    QTest::newRow("UTF-8 cut in its last character") << japanese + "\xe3\x81" << shiftJis(japanese) + kGeta;
}

void TestNkf32::substitutesWhatCodePage932CannotHold()
{
    QFETCH(std::string, input);
    QFETCH(std::string, expected);

    QCOMPARE(bytes(NkfConvert(input)), bytes(expected));
}

void TestNkf32::versionFitsTheCallersArea()
{
    char buffer[kNkfVersionBufferSize];
    std::memset(buffer, 'x', sizeof buffer);

    GetNkfVersion(buffer);

    const std::size_t length = strnlen(buffer, sizeof buffer);
    QVERIFY(length < sizeof buffer);
    const std::string version(buffer, length);
    QVERIFY2(version.find("ICU " U_ICU_VERSION) != std::string::npos, version.c_str());
}

QTEST_APPLESS_MAIN(TestNkf32)
#include "tst_nkf32.moc"
