#include "util/filemask.h"
#include "testlines.h"

#include <QTest>

using namespace vorelind;

class TestFileMask : public QObject {
    Q_OBJECT

private slots:
    void matching_data();
    void matching();
    void dialogChoice_data();
    void dialogChoice();
};

void TestFileMask::matching_data()
{
    QTest::addColumn<std::string>("mask");
    QTest::addColumn<std::string>("name");
    QTest::addColumn<bool>("matches");

    QTest::newRow("html mask takes .htm") << std::string("*.htm*") << std::string("index.htm") << true;
    QTest::newRow("html mask takes .html") << std::string("*.htm*") << std::string("index.html") << true;
    QTest::newRow("html mask, case ignored") << std::string("*.htm*") << std::string("INDEX.HTML") << true;
    QTest::newRow("html mask leaves .txt") << std::string("*.htm*") << std::string("notes.txt") << false;
    QTest::newRow("html mask takes .htm inside a name") << std::string("*.htm*") << std::string("a.html.bak") << true;
    QTest::newRow("all files take a name with an extension") << std::string("*.*") << std::string("a.b") << true;
    QTest::newRow("all files take a name without one") << std::string("*.*") << std::string("README") << true;
    QTest::newRow("*. takes a name without an extension") << std::string("*.") << std::string("Makefile") << true;
    QTest::newRow("*. leaves a name with one") << std::string("*.") << std::string("a.txt") << false;
    QTest::newRow("one extension") << std::string("*.txt") << std::string("Notes.TXT") << true;
    QTest::newRow("one extension is whole") << std::string("*.txt") << std::string("notes.txt2") << false;
    QTest::newRow("? is one character") << std::string("a?c.htm") << std::string("abc.htm") << true;
    QTest::newRow("? is not zero characters") << std::string("a?c.htm") << std::string("ac.htm") << false;
    QTest::newRow("? takes a double-byte character whole")
        << std::string("?.htm") << std::string("\x95\x5c.htm") << true;
    QTest::newRow("second byte is no letter to fold")
        << std::string("\x82\x61.htm") << std::string("\x82\x41.htm") << false;
    QTest::newRow("star backtracks") << std::string("*ab*ab") << std::string("xabyab") << true;
    QTest::newRow("union of patterns, second matches") << std::string("*.htm*;*.txt") << std::string("a.txt") << true;
    QTest::newRow("union of patterns, none matches") << std::string("*.htm*;*.txt") << std::string("a.css") << false;
    QTest::newRow("empty mask matches nothing") << std::string("") << std::string("a.htm") << false;
    QTest::newRow("empty pattern between separators") << std::string(";") << std::string("a") << false;
}

void TestFileMask::matching()
{
    QFETCH(std::string, mask);
    QFETCH(std::string, name);
    QFETCH(bool, matches);
    QCOMPARE(matchesFileMask(mask, name), matches);
}

void TestFileMask::dialogChoice_data()
{
    QTest::addColumn<std::string>("mask");
    QTest::addColumn<int>("choice");
    QTest::addColumn<std::string>("extension");
    QTest::addColumn<std::string>("rebuilt");

    QTest::newRow("html") << std::string("*.htm*") << 0 << std::string("htm*") << std::string("*.htm*");
    QTest::newRow("all files") << std::string("*.*") << 1 << std::string("*") << std::string("*.*");
    QTest::newRow("one extension") << std::string("*.txt") << 2 << std::string("txt") << std::string("*.txt");
    QTest::newRow("two patterns") << std::string("*.txt;*.css") << 2 << std::string("txt;*.css")
                                  << std::string("*.txt;*.css");
    QTest::newRow("not starting with *. loses two characters")
        << std::string("ab.txt") << 2 << std::string(".txt") << std::string("*..txt");
    QTest::newRow("extension cut at 20") << "*." + std::string(25, 'x') << 2 << std::string(20, 'x')
                                         << "*." + std::string(20, 'x');
    QTest::newRow("mask shorter than three") << std::string("*.") << 2 << std::string() << std::string("*.");
    QTest::newRow("html in upper case is another extension")
        << std::string("*.HTM*") << 2 << std::string("HTM*") << std::string("*.HTM*");
}

void TestFileMask::dialogChoice()
{
    QFETCH(std::string, mask);
    QFETCH(int, choice);
    QFETCH(std::string, extension);
    QFETCH(std::string, rebuilt);
    QCOMPARE(maskChoiceOf(mask), choice);
    QCOMPARE(bytes(presetExtensionOf(mask)), bytes(extension));
    QCOMPARE(bytes(maskForChoice(choice, presetExtensionOf(mask))), bytes(rebuilt));
}

QTEST_APPLESS_MAIN(TestFileMask)
#include "tst_filemask.moc"
