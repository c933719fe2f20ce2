#include "platform/displaytext.h"
#include "kanjisamples.h"
#include "testlines.h"

#include <QTest>

#include <string>

using namespace vorelind;

class TestDisplayText : public QObject {
    Q_OBJECT

private slots:
    void showsInvalidBytesAsReplacementCharacters_data();
    void showsInvalidBytesAsReplacementCharacters();
    void roundTripsShiftJis_data();
    void roundTripsShiftJis();
    void typedCharactersWithoutShiftJisFormBecomeGeta();
    void shownTextIsCutAfterItsLength_data();
    void shownTextIsCutAfterItsLength();
};

void TestDisplayText::showsInvalidBytesAsReplacementCharacters_data()
{
    QTest::addColumn<std::string>("sjis");
    QTest::addColumn<QString>("expected");

    const QChar replacement(0xFFFD);
    QTest::newRow("lead byte cut at the end") << std::string("<p>\x82") << "<p>" + QString(replacement);
    QTest::newRow("lead byte before a tag") << std::string("\x82<p>") << replacement + QString("<p>");
    QTest::newRow("lead byte before a line break") << std::string("a\x82\r\nb") << "a" + QString(replacement) + "\r\nb";
    QTest::newRow("byte that opens nothing") << std::string("a\xfd" "b") << "a" + QString(replacement) + "b";
    QTest::newRow("unassigned double-byte code") << std::string("a\x85\x40" "b") << "a" + QString(replacement) + "b";
    QTest::newRow("UTF-8 loaded without conversion")
        << std::string("<p>\xe3\x81\x82</p>") << QString::fromUtf8("<p>\xe7\xb8\xba") + replacement + "</p>";
}

void TestDisplayText::showsInvalidBytesAsReplacementCharacters()
{
    QFETCH(std::string, sjis);
    QFETCH(QString, expected);

    QCOMPARE(toDisplayText(sjis), expected);
}

void TestDisplayText::shownTextIsCutAfterItsLength_data()
{
    QTest::addColumn<std::string>("sjis");
    QTest::addColumn<QString>("expected");

    const std::size_t shown = kShownTextLength;
    const QString ellipsis(QChar(0x2026));
    QTest::newRow("all of a text that fits") << std::string(shown, 'a') << QString(shown, 'a');
    QTest::newRow("one character more is cut") << std::string(shown + 1, 'a') << QString(shown, 'a') + ellipsis;
    QTest::newRow("a megabyte") << std::string(1 << 20, 'a') << QString(shown, 'a') + ellipsis;
    const auto hyo = [](std::size_t count) {
        std::string text;
        for (std::size_t i = 0; i < count; ++i)
            text += "\x95\x5c";
        return text;
    };
    QTest::newRow("double-byte characters that fit") << hyo(shown) << QString(shown, u'表');
    QTest::newRow("double-byte characters, one more") << hyo(shown + 1) << QString(shown, u'表') + ellipsis;
}

void TestDisplayText::shownTextIsCutAfterItsLength()
{
    QFETCH(std::string, sjis);
    QFETCH(QString, expected);

    QCOMPARE(toShownText(sjis), expected);
    QCOMPARE(shownText(toDisplayText(sjis)), expected);
}

void TestDisplayText::roundTripsShiftJis_data()
{
    QTest::addColumn<std::string>("sjis");

    QTest::newRow("sample page") << shiftJis(kSamplePage);
    QTest::newRow("user-defined area") << std::string("\xf0\x40\xf9\xfc");
    QTest::newRow("yen sign and overline as ASCII") << std::string("\\~");
    QTest::newRow("long text") << shiftJis(std::string(kSamplePage) + std::string(200000, 'a') + "かな");
}

void TestDisplayText::roundTripsShiftJis()
{
    QFETCH(std::string, sjis);

    QCOMPARE(bytes(fromDisplayText(toDisplayText(sjis))), bytes(sjis));
}

void TestDisplayText::typedCharactersWithoutShiftJisFormBecomeGeta()
{
    QCOMPARE(bytes(fromDisplayText(QString::fromUtf16(u"a\u00E9\U0001F600"))), bytes("a\x81\xac\x81\xac"));
}

QTEST_APPLESS_MAIN(TestDisplayText)
#include "tst_displaytext.moc"
