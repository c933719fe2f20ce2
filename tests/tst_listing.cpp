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
    void indexesNonEmptyLinesOfAnyPieces_data();
    void indexesNonEmptyLinesOfAnyPieces();
    void keepsSourcePositionsGivenAheadOfAnyPieces();
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

void TestListing::indexesNonEmptyLinesOfAnyPieces_data()
{
    QTest::addColumn<QByteArray>("listing");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QList<int>>("blanks");

    QTest::newRow("empty lines left out")
        << QByteArray("\r\n<a>\r\n\r\n   \r\n  <b>") << QStringList{"<a>", "   ", "  <b>"} << QList<int>{0, 3, 2};
    QTest::newRow("lone CR and LF stay in the line")
        << QByteArray("a\rb\nc\r\nd") << QStringList{"a\rb\nc", "d"} << QList<int>{0, 0};
    QTest::newRow("CR before a pair") << QByteArray("a\r\r\nb") << QStringList{"a\r", "b"} << QList<int>{0, 0};
    QTest::newRow("LF after a pair") << QByteArray("a\r\n\nb") << QStringList{"a", "\nb"} << QList<int>{0, 0};
    QTest::newRow("lone CR and LF after blanks")
        << QByteArray("  \rb\r\n  \n\r\n \r\r\n") << QStringList{"  \rb", "  \n", " \r"} << QList<int>{2, 2, 1};
    QTest::newRow("nothing") << QByteArray() << QStringList{} << QList<int>{};
    // Blanks are passed over by words of eight and runs of four words.
    QTest::newRow("deep lines")
        << QByteArray(7, ' ') + "a\r\n" + QByteArray(8, ' ') + "b\r\n" + QByteArray(45, ' ') + "c\r\n" + QByteArray(32, ' ')
        << QStringList{QString(7, ' ') + "a", QString(8, ' ') + "b", QString(45, ' ') + "c", QString(32, ' ')}
        << QList<int>{7, 8, 45, 32};
}

// The walk hands the listing over in pieces that can split a CR LF pair,
// a line or its blanks anywhere: every split must index the same lines and
// blanks, and keep each line's bytes from its last blank on in one piece.
void TestListing::indexesNonEmptyLinesOfAnyPieces()
{
    QFETCH(QByteArray, listing);
    QFETCH(QStringList, expected);
    QFETCH(QList<int>, blanks);
    const std::string text = listing.toStdString();
    for (std::size_t split = 0; split <= text.size(); ++split) {
        Listing indexed;
        indexed.write(std::string_view(text).substr(0, split));
        indexed.write(std::string_view(text).substr(split));
        indexed.finish();
        QStringList lines;
        QStringList fromLastBlanks;
        QList<int> leading;
        for (std::size_t row = 0; row < indexed.lineCount(); ++row) {
            lines << QString(static_cast<qsizetype>(indexed.blanks(row)), ' ') + shown({indexed.lineText(row)}).join("");
            fromLastBlanks << shown({indexed.fromLastBlank(row)}).join("");
            leading << static_cast<int>(indexed.blanks(row));
        }
        QCOMPARE(lines, expected);
        QCOMPARE(leading, blanks);
        QStringList expectedFromLastBlanks = expected;
        for (qsizetype row = 0; row < blanks.size(); ++row)
            expectedFromLastBlanks[row].remove(0, std::max(0, blanks[row] - 1));
        QCOMPARE(fromLastBlanks, expectedFromLastBlanks);
    }
}

// The walk gives each piece's line positions ahead of it; an empty line
// still takes its position, and a node's text finds its line.
void TestListing::keepsSourcePositionsGivenAheadOfAnyPieces()
{
    const std::string text = "\r\n<a>\r\n\r\n  <b>\r\n    c";
    const std::vector<std::size_t> positions{1, 1, 5, 6, 9};
    for (std::size_t split = 0; split <= text.size(); ++split) {
        // Lines begin after the pairs that end before the split.
        std::size_t given = 1;
        for (std::size_t pair = text.find("\r\n"); pair != std::string::npos && pair + 2 <= split;
             pair = text.find("\r\n", pair + 2))
            ++given;
        Listing indexed;
        indexed.beginLines({positions.begin(), positions.begin() + static_cast<std::ptrdiff_t>(given)});
        indexed.write(std::string_view(text).substr(0, split));
        indexed.beginLines({positions.begin() + static_cast<std::ptrdiff_t>(given), positions.end()});
        indexed.write(std::string_view(text).substr(split));
        indexed.finish();
        QList<int> shownPositions;
        for (std::size_t row = 0; row < indexed.lineCount(); ++row) {
            shownPositions << static_cast<int>(indexed.sourcePosition(row));
            QCOMPARE(indexed.rowOf(indexed.lineText(row)), row);
            QCOMPARE(indexed.rowOf(indexed.fromLastBlank(row)), row);
        }
        QCOMPARE(shownPositions, (QList<int>{1, 6, 9}));
    }
}

QTEST_APPLESS_MAIN(TestListing)
#include "tst_listing.moc"
