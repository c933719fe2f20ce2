#include "document/sourceindex.h"
#include "testlines.h"

#include <QTest>

#include <string>

using namespace vorelind;

constexpr std::size_t kRow = SourceIndex::kRowBytes;

// Each row as the place of its first byte, a blank and its bytes.
QStringList rowsWithPlaces(const SourceIndex& index, std::string_view text)
{
    QStringList rows;
    for (std::size_t row = 0; row < index.rowCount(); ++row)
        rows << QString::fromStdString(lineColumnText(index.at(index.rowOffset(row))) + ' ')
                    + QString::fromLatin1(bytes(index.row(text, row)));
    return rows;
}

class TestSourceIndex : public QObject {
    Q_OBJECT

private slots:
    void rowsAndTheirLines_data();
    void rowsAndTheirLines();
    void linesOfEitherIndexAgree_data();
    void linesOfEitherIndexAgree();
    void rowsStopAtTheLimit_data();
    void rowsStopAtTheLimit();
};

void TestSourceIndex::rowsAndTheirLines_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("CR LF, LF and a lone CR each end a row, CR LF alone a line")
        << std::string("a\r\nb\nc\rd") << QStringList{"1:1 a", "2:1 b", "2:3 c", "2:5 d"};
    QTest::newRow("empty lines stay, the last break starts no row")
        << std::string("a\r\n\r\n\nb\r\n") << QStringList{"1:1 a", "2:1 ", "3:1 ", "3:2 b"};
    QTest::newRow("a long line goes on over rows")
        << std::string(kRow + 1, 'a') + "\nb" << QStringList{"1:1 " + QString(kRow, 'a'), "1:1025 a", "1:1027 b"};
    QTest::newRow("a character across the cut opens the next row")
        << std::string(kRow - 1, 'a') + "\x95\x5c" + "b"
        << QStringList{"1:1 " + QString(kRow - 1, 'a'), QString::fromLatin1("1:1024 \x95\x5c" "b")};
    QTest::newRow("a line of exactly one row") << std::string(kRow, 'a') << QStringList{"1:1 " + QString(kRow, 'a')};
}

void TestSourceIndex::rowsAndTheirLines()
{
    QFETCH(std::string, text);
    QFETCH(QStringList, rows);
    QCOMPARE(rowsWithPlaces(SourceIndex::linesAndRowsOf(text), text), rows);
}

void TestSourceIndex::linesOfEitherIndexAgree_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first byte") << std::string("<a>") << 0 << "1:1";
    QTest::newRow("after CR LF") << std::string("x\r\n<a>") << 3 << "2:1";
    QTest::newRow("on the LF of a pair") << std::string("x\r\n<a>") << 2 << "1:3";
    QTest::newRow("column counts bytes") << crlfJoined({"a", "\x82\xa0<b>"}) << 5 << "2:3";
    QTest::newRow("lone LF as second byte") << std::string("\x81\n<b>") << 2 << "1:3";
    QTest::newRow("lone CR as second byte") << std::string("\x81\r<b>") << 2 << "1:3";
    QTest::newRow("CR as second byte, then a line break") << std::string("\x81\r\r\n<b>") << 4 << "2:1";
    QTest::newRow("third line") << std::string("\r\n\r\nab") << 5 << "3:2";
    QTest::newRow("the end of a text closed by CR LF, where no row is") << std::string("a\r\n") << 3 << "2:1";
}

// The lines alone, as the command-line tool takes them, and the lines
// found with the rows, as the window takes them, name the same places.
void TestSourceIndex::linesOfEitherIndexAgree()
{
    QFETCH(std::string, text);
    QFETCH(int, offset);
    QFETCH(QString, expected);
    const SourceIndex lines = SourceIndex::linesOf(text);
    const SourceIndex linesAndRows = SourceIndex::linesAndRowsOf(text);
    const auto at = static_cast<std::size_t>(offset);
    QCOMPARE(QString::fromStdString(lineColumnText(lines.at(at))), expected);
    QCOMPARE(QString::fromStdString(lineColumnText(linesAndRows.at(at))), expected);
    QCOMPARE(linesAndRows.lineCount(), lines.lineCount());
    QCOMPARE(lineCountOf(text), lines.lineCount());
}

void TestSourceIndex::rowsStopAtTheLimit_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("complete");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<QByteArray>("lastRow");

    QTest::newRow("the limit met at the end leaves the index complete")
        << std::string("a\r\nb\r\n") << 2 << true << 3 << QByteArray("b");
    QTest::newRow("the limit before a line leaves that line out")
        << std::string("a\r\nb") << 1 << false << 1 << QByteArray("a");
    QTest::newRow("the limit inside a long line") << std::string(2 * kRow + 1, 'a') + "\r\nb" << 2 << false << 1
                                                  << QByteArray(kRow, 'a');
}

void TestSourceIndex::rowsStopAtTheLimit()
{
    QFETCH(std::string, text);
    QFETCH(int, limit);
    QFETCH(bool, complete);
    QFETCH(int, lineCount);
    QFETCH(QByteArray, lastRow);
    const SourceIndex index = SourceIndex::linesAndRowsOf(text, static_cast<std::size_t>(limit));
    QCOMPARE(index.complete(), complete);
    QCOMPARE(index.rowCount(), static_cast<std::size_t>(limit));
    QCOMPARE(index.lineCount(), static_cast<std::size_t>(lineCount));
    QCOMPARE(bytes(index.row(text, index.rowCount() - 1)), lastRow);
}

QTEST_APPLESS_MAIN(TestSourceIndex)
#include "tst_sourceindex.moc"
