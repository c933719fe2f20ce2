#include "platform/codecs/sjistext.h"
#include "kanjisamples.h"
#include "testlines.h"

#include <QTest>

#include <string>

using namespace vorelind;

class TestSjisText : public QObject {
    Q_OBJECT

private slots:
    void convertsAcrossPieceBoundaries_data();
    void convertsAcrossPieceBoundaries();
    void encodesUtf16_data();
    void encodesUtf16();
    void showsShiftJisOnTerminals();
};

void TestSjisText::convertsAcrossPieceBoundaries_data()
{
    QTest::addColumn<std::string>("input");
    QTest::addColumn<QByteArray>("encoding");
    QTest::addColumn<std::string>("expected");

    // Odd and even offsets put characters across the 64 KiB pieces.
    for (const std::string_view head : {std::string_view("a"), std::string_view("ab")}) {
        const std::string text = std::string(head) + repeated("かな漢字ｶﾅ①\r\n", 12000);
        const QByteArray offset = QByteArray::number(static_cast<int>(head.size()));
        QTest::newRow("EUC-JP, head " + offset) << recoded(text, "EUC-JP-MS") << QByteArray("EUC-JP") << shiftJis(text);
        QTest::newRow("UTF-8, head " + offset) << std::string(text) << QByteArray("UTF-8") << shiftJis(text);
        QTest::newRow("UTF-16LE, head " + offset) << recoded(text, "UTF-16LE") << QByteArray("UTF-16LE") << shiftJis(text);
    }
    std::string emoji = "a";
    std::string getas = "a";
    for (int i = 0; i < 20000; ++i) {
        emoji += "\U0001F600";
        getas += kGeta;
    }
    QTest::newRow("UTF-16LE surrogate pairs across pieces")
        << recoded(emoji, "UTF-16LE") << QByteArray("UTF-16LE") << getas;
}

void TestSjisText::convertsAcrossPieceBoundaries()
{
    QFETCH(std::string, input);
    QFETCH(QByteArray, encoding);
    QFETCH(std::string, expected);

    QCOMPARE(bytes(encodingToSjis(input, encoding.constData())), bytes(expected));
}

void TestSjisText::encodesUtf16_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("kana, NEC row 13, IBM extension") << QString::fromUtf8("かナｶ①㈱ⅰ")
                                                     << shiftJis("かナｶ①㈱ⅰ");
    QTest::newRow("JIS forms of ～ − ‖ ¢ £ ¬ —") << QString::fromUtf16(u"\u301C\u2212\u2016\u00A2\u00A3\u00AC\u2014")
                                               << std::string("\x81\x60\x81\x7c\x81\x61\x81\x91\x81\x92\x81\xca\x81\x5c");
    QTest::newRow("Latin letter, emoji, lone surrogate") << QString::fromUtf16(u"\u00E9\U0001F600") + QChar(0xD800) + "a"
                                                         << std::string(kGeta) + kGeta + kGeta + "a";
    QTest::newRow("replacement character") << QString(QChar(0xFFFD)) << std::string(kGeta);
}

void TestSjisText::encodesUtf16()
{
    QFETCH(QString, text);
    QFETCH(std::string, expected);

    const std::u16string_view units(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
    QCOMPARE(bytes(utf16ToSjis(units)), bytes(expected));
}

void TestSjisText::showsShiftJisOnTerminals()
{
    const std::string_view utf8 = "「テスト」　①\r\n";

    QCOMPARE(sjisToUtf8(shiftJis(utf8)), std::string(utf8));
}

QTEST_APPLESS_MAIN(TestSjisText)
#include "tst_sjistext.moc"
