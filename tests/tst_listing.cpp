#include "document/listing.h"
#include "testlines.h"

#include <QStringList>
#include <QTest>

using namespace vorelind;

namespace {

QStringList shown(const std::vector<std::string_view>& lines)
{
    QStringList list;
    for (const std::string_view line : lines)
        list << QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
    return list;
}

} // namespace

class TestListing : public QObject {
    Q_OBJECT

private slots:
    void splitsAtCrLfPairs_data();
    void splitsAtCrLfPairs();
    void listKeepsOnlyNonEmptyLines();
};

void TestListing::splitsAtCrLfPairs_data()
{
    QTest::addColumn<QByteArray>("listing");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("empty first line") << QByteArray("\r\n<a>\r\n  <b>") << QStringList{"", "<a>", "  <b>"};
    QTest::newRow("no piece after the last pair") << QByteArray("a\r\n") << QStringList{"a"};
    QTest::newRow("empty lines inside") << QByteArray("a\r\n\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("lone CR and LF stay in the line") << QByteArray("a\rb\nc\r\nd") << QStringList{"a\rb\nc", "d"};
    QTest::newRow("blank line stays") << QByteArray("a\r\n  \r\nb") << QStringList{"a", "  ", "b"};
    QTest::newRow("nothing") << QByteArray() << QStringList{};
}

void TestListing::splitsAtCrLfPairs()
{
    QFETCH(QByteArray, listing);
    QFETCH(QStringList, expected);
    QCOMPARE(shown(listingLines(listing.toStdString())), expected);
}

void TestListing::listKeepsOnlyNonEmptyLines()
{
    const std::string listing = "\r\n<a>\r\n\r\n  \r\n<b>";
    const std::vector<std::string> list = nonEmptyLines(listingLines(listing));
    QCOMPARE(list, (std::vector<std::string>{"<a>", "  ", "<b>"}));
}

QTEST_APPLESS_MAIN(TestListing)
#include "tst_listing.moc"
