#include "document/sourceforview.h"
#include "kanjisamples.h"
#include "testlines.h"

#include <QTest>

#include <string>

using namespace vorelind;
using namespace std::string_view_literals;

Q_DECLARE_METATYPE(vorelind::TextVerdict)

class TestSourceForView : public QObject {
    Q_OBJECT

private slots:
    void viewReceivesConvertedText_data();
    void viewReceivesConvertedText();
    void refusedOptionLeavesTheTextUnconverted();
    void conversionOffLoadsTheBytes();
    void checksUtf16ByItsConvertedText_data();
    void checksUtf16ByItsConvertedText();
};

void TestSourceForView::viewReceivesConvertedText_data()
{
    QTest::addColumn<std::string>("fileBytes");
    QTest::addColumn<std::string>("expected");

    const std::string page = shiftJis(kSamplePageInView);
    QTest::newRow("Shift-JIS") << shiftJis(kSamplePage) << page;
    QTest::newRow("EUC-JP") << eucJpPage() << page;
    QTest::newRow("ISO-2022-JP") << iso2022FromEucJp(eucJpPage()) << page;
    QTest::newRow("UTF-8") << std::string(kSamplePage) << page;
    // Loaded before converting, these would keep one character.
    QTest::newRow("UTF-16LE") << utf16LePage() << page;
    QTest::newRow("UTF-16BE") << utf16BePage() << page;

    // Loaded before converting, the byte FC (or 82) would take the line break
    // after it for a Shift-JIS second byte.
    const std::string_view lines = "<p>日\n本\r語\r\nあ\nい\r\n";
    const std::string linesInView = shiftJis("<p>日\r\n本\r\n語\r\nあ\r\nい\r\n");
    QTest::newRow("EUC-JP lines ending in a kanji") << recoded(lines, "EUC-JP") << linesInView;
    QTest::newRow("UTF-8 lines ending in kana") << std::string(lines) << linesInView;

    QTest::newRow("UTF-8 ends at its first NUL") << std::string("<p>あ\0い</p>"sv) << shiftJis("<p>あ");
    QTest::newRow("UTF-16LE ends at its first NUL character")
        << "\xff\xfe" + recoded(std::string("<p>あ\0い</p>"sv), "UTF-16LE") << shiftJis("<p>あ");
}

void TestSourceForView::viewReceivesConvertedText()
{
    QFETCH(std::string, fileBytes);
    QFETCH(std::string, expected);

    QCOMPARE(bytes(sourceForView(fileBytes, true)), bytes(expected));
}

void TestSourceForView::refusedOptionLeavesTheTextUnconverted()
{
    const std::string euc = recoded("<p>かな</p>\n", "EUC-JP");

    QCOMPARE(bytes(convertedSourceText(euc, false)), bytes(loadText(euc)));
    QCOMPARE(bytes(convertedSourceText(euc, true)), bytes(shiftJis("<p>かな</p>\r\n")));
}

void TestSourceForView::conversionOffLoadsTheBytes()
{
    const std::string euc = recoded("<p>かな</p>\n", "EUC-JP");

    QCOMPARE(bytes(sourceForView(euc, false)), bytes(loadText(euc)));
}

void TestSourceForView::checksUtf16ByItsConvertedText_data()
{
    QTest::addColumn<std::string>("fileBytes");
    QTest::addColumn<bool>("convertToShiftJis");
    QTest::addColumn<TextVerdict>("expected");

    QTest::newRow("UTF-16BE, conversion on") << utf16BePage() << true << TextVerdict::Text;
    QTest::newRow("UTF-16BE, conversion off") << utf16BePage() << false << TextVerdict::NotText;
    const std::string kanjiFirst = "\xff\xfe" + recoded("一日<p>", "UTF-16LE");
    QTest::newRow("UTF-16LE starting with kanji, on") << kanjiFirst << true << TextVerdict::Text;
    QTest::newRow("UTF-16LE starting with kanji, off") << kanjiFirst << false << TextVerdict::NotText;
    QTest::newRow("UTF-16LE line of 129 characters without a marker")
        << "\xff\xfe" + recoded(std::string(129, 'a') + "<p>", "UTF-16LE") << true << TextVerdict::NotText;
    QTest::newRow("short UTF-16LE without a marker") << "\xff\xfe" + recoded("日本", "UTF-16LE") << true
                                                     << TextVerdict::EndOfFile;
    QTest::newRow("binary file stays refused") << std::string("\x01\x02<p>", 5) << true << TextVerdict::NotText;
}

void TestSourceForView::checksUtf16ByItsConvertedText()
{
    QFETCH(std::string, fileBytes);
    QFETCH(bool, convertToShiftJis);
    QFETCH(TextVerdict, expected);

    QCOMPARE(judgeSourceHead(fileBytes, convertToShiftJis), expected);
}

QTEST_APPLESS_MAIN(TestSourceForView)
#include "tst_sourceforview.moc"
