#include "document/exporttidy.h"
#include "util/apperror.h"
#include "listingoftext.h"
#include "testfiles.h"
#include "testlines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <optional>
#include <sys/stat.h>

using namespace vorelind;

namespace {

using Lines = std::vector<std::string>;

Listing listingOf(const Lines& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return listingOfText(text);
}

Lines tidied(const Lines& lines)
{
    Listing listing = listingOf(lines);
    tidyForExport(listing);
    Lines result;
    for (std::size_t row = 0; row < listing.lineCount(); ++row)
        result.push_back(std::string(listing.blanks(row), ' ').append(listing.lineText(row)));
    return result;
}

class CollectedBytes : public ListingSink {
public:
    void write(std::string_view bytes) override { text.append(bytes); }
    std::string text;
};

QStringList shown(const Lines& lines)
{
    QStringList list;
    for (const std::string& line : lines)
        list << QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size()));
    return list;
}

} // namespace

Q_DECLARE_METATYPE(Lines)

class TestExportTidy : public QObject {
    Q_OBJECT

private slots:
    void trimsTrailingBlanksAndControlBytes_data();
    void trimsTrailingBlanksAndControlBytes();
    void findsTheFirstNonBlank();
    void tidiesLines_data();
    void tidiesLines();
    void streamedExportTidiesAlike_data() { tidiesLines_data(); }
    void streamedExportTidiesAlike();
    void secondExportRemovesOnlyBlanks();
    void writesEveryLineWithCrLf();
    void failedExportKeepsTheTarget_data();
    void failedExportKeepsTheTarget();
    void linkIsWrittenThrough();
    void producerFailureKeepsTheTarget_data();
    void producerFailureKeepsTheTarget();
};

void TestExportTidy::trimsTrailingBlanksAndControlBytes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("blanks") << QByteArray("abc  ") << QByteArray("abc");
    QTest::newRow("tab") << QByteArray("abc\t") << QByteArray("abc");
    QTest::newRow("control bytes") << QByteArray("a\r\n\x01 ") << QByteArray("a");
    QTest::newRow("blanks only") << QByteArray("   ") << QByteArray();
    QTest::newRow("one blank") << QByteArray(" ") << QByteArray();
    QTest::newRow("leading blanks stay") << QByteArray("  a ") << QByteArray("  a");
    QTest::newRow("double-byte character at the end") << QByteArray("a\x81\x40") << QByteArray("a\x81\x40");
}

void TestExportTidy::trimsTrailingBlanksAndControlBytes()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(bytes(TrimTail(text.toStdString())), expected);
}

void TestExportTidy::findsTheFirstNonBlank()
{
    QCOMPARE(FirstNonBlankPos("  <pre>"), std::size_t(3));
    QCOMPARE(FirstNonBlankPos("\t<pre>"), std::size_t(2));
    QCOMPARE(FirstNonBlankPos("\x81\x40"), std::size_t(1));
    QCOMPARE(FirstNonBlankPos(" \r "), std::size_t(0));
}

void TestExportTidy::tidiesLines_data()
{
    QTest::addColumn<Lines>("lines");
    QTest::addColumn<Lines>("expected");

    QTest::newRow("page with a pre block")
        << Lines{"<body>", "  <!-- note -->", "  <pre>one", "    two   <b>x  </b>", "  </pre>",
                 "  <img src=\"a.png\">", "</body>"}
        << Lines{"<body>", "  <!-- note -->", "  <pre>one", "two   <b>x  </b>", "  </pre>",
                 "  <img src=\"a.png\">", "</body>"};
    QTest::newRow("trailing blanks go outside blocks, marker lines keep theirs")
        << Lines{"abc  ", "x\t", "   ", "  <pre>a  ", "  b  ", "  </pre>  "}
        << Lines{"abc", "x", "", "  <pre>a  ", "b", "  </pre>  "};
    QTest::newRow("block lines lose up to p + 1 blanks")
        << Lines{"    <PRE>", "      word", "x", "        deep", "    </pre>", "      after"}
        << Lines{"    <PRE>", "word", "x", "  deep", "    </pre>", "      after"};
    // A block line that the listing led with the tag's own depth keeps its tag.
    QTest::newRow("block line beginning with a tag keeps it")
        << Lines{"  <pre>", "  <b>bold</b>", "  </pre>"} << Lines{"  <pre>", "<b>bold</b>", "  </pre>"};
    QTest::newRow("lower-case markers open and close blocks")
        << Lines{"<script>", "  x();", "</script>", "  y"} << Lines{"<script>", "x();", "</script>", "  y"};
    QTest::newRow("a path holding /pre closes a block")
        << Lines{"<pre>", "  a", "<a href=\"/preview/\">", "  b"}
        << Lines{"<pre>", "a", "<a href=\"/preview/\">", "  b"};
    QTest::newRow("opening and closing on one line opens a block")
        << Lines{"  <script src=\"x\"></script>", "      a", "  <p>", "  </script>", "    b"}
        << Lines{"  <script src=\"x\"></script>", "  a", "<p>", "  </script>", "    b"};
    // The listing keeps a line's blanks as a count; a deep line gets them
    // back, in more than one piece.
    QTest::newRow("block nested thousands of levels deep")
        << Lines{std::string(9000, ' ') + "<pre>", std::string(9004, ' ') + "keep", std::string(9000, ' ') + "x \t",
                 std::string(9001, ' ') + "\t", std::string(9000, ' ') + "</pre>"}
        << Lines{std::string(9000, ' ') + "<pre>", "  keep", "x", "", std::string(9000, ' ') + "</pre>"};
    // Block lines are kept whole, however long.
    QTest::newRow("long block line is not cut")
        << Lines{"<script>", "  " + std::string(5000, 'x'), "</script>"}
        << Lines{"<script>", std::string(5000, 'x'), "</script>"};
    QTest::newRow("empty list") << Lines{} << Lines{};
}

void TestExportTidy::tidiesLines()
{
    QFETCH(Lines, lines);
    QFETCH(Lines, expected);
    QCOMPARE(shown(tidied(lines)), shown(expected));
}

// The command-line tool tidies the listing as the walk hands it over, in
// pieces that can split a line or a CR LF pair anywhere: byte by byte, it
// must save what the window saves.
void TestExportTidy::streamedExportTidiesAlike()
{
    QFETCH(Lines, lines);
    QFETCH(Lines, expected);
    std::string listing = "\r\n";
    for (const std::string& line : lines)
        listing += line + "\r\n\r\n";
    CollectedBytes saved;
    ExportStream stream(saved);
    for (const char byte : listing)
        stream.write(std::string_view(&byte, 1));
    stream.finish();
    std::string expectedBytes;
    for (const std::string& line : expected)
        expectedBytes += line + "\r\n";
    QCOMPARE(bytes(saved.text), bytes(expectedBytes));
}

void TestExportTidy::secondExportRemovesOnlyBlanks()
{
    const Lines once = tidied({"  <pre>", "      four blanks left", "    <b>x", "    y", "  </pre>"});
    QCOMPARE(shown(once), shown({"  <pre>", "  four blanks left", "<b>x", "y", "  </pre>"}));
    QCOMPARE(shown(tidied(once)), shown({"  <pre>", "four blanks left", "<b>x", "y", "  </pre>"}));
}

void TestExportTidy::writesEveryLineWithCrLf()
{
    QTemporaryDir dir;
    const std::string path = dir.filePath("out.htm").toStdString();
    const std::string deep = std::string(9000, ' ') + "<b>";
    writeExportFile(path, listingOf({"<p>", "\x95\x5c", deep}));
    QFile file(QString::fromStdString(path));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("<p>\r\n\x95\x5c\r\n") + QByteArray::fromStdString(deep + "\r\n"));

    writeExportFile(path, Listing());
    QCOMPARE(QFileInfo(QString::fromStdString(path)).size(), 0);
}

void TestExportTidy::failedExportKeepsTheTarget_data()
{
    QTest::addColumn<QString>("fault");

    QTest::newRow("folder missing") << "missing";
    QTest::newRow("disk full midway") << "full";
    QTest::newRow("named pipe, which would wait for a reader") << "pipe";
    QTest::newRow("socket, a special file like a device") << "socket";
}

void TestExportTidy::failedExportKeepsTheTarget()
{
    QFETCH(QString, fault);
    QTemporaryDir dir;
    std::string path = dir.filePath(fault == "missing" ? "no/such/folder/out.htm" : "out.htm").toStdString();
    if (fault == "pipe")
        QCOMPARE(::mkfifo(path.c_str(), 0600), 0);
    else if (fault == "socket")
        makeSocketFile(path);
    else if (fault == "full")
        writeExportFile(path, listingOf({"the page as it was"}));
    const QStringList filesBefore = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    const Listing listing = listingOf(Lines(5000, std::string(100, 'x')));
    std::optional<FileSizeLimit> limit;
    if (fault == "full")
        limit.emplace(4096);

    try {
        writeExportFile(path, listing);
        QFAIL("no error raised");
    } catch (const AppError& error) {
        // "ファイル %s を作成できません" with the path.
        QCOMPARE(bytes(error.what()),
                 bytes("\x83\x74\x83\x40\x83\x43\x83\x8b " + path + " \x82\xf0\x8d\xec\x90\xac\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1"));
    }

    limit.reset();
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), filesBefore);
    if (fault == "full")
        QCOMPARE(bytes(readFile(QString::fromStdString(path))), bytes("the page as it was\r\n"));
    if (fault == "pipe")
        QVERIFY(std::filesystem::is_fifo(path));
    if (fault == "socket")
        QVERIFY(std::filesystem::is_socket(path));
}

void TestExportTidy::linkIsWrittenThrough()
{
    QTemporaryDir dir;
    const std::string page = dir.filePath("page.htm").toStdString();
    const std::string link = dir.filePath("link.htm").toStdString();
    writeExportFile(page, listingOf({"old"}));
    std::filesystem::create_symlink("page.htm", link);

    writeExportFile(link, listingOf({"new"}));

    QVERIFY(std::filesystem::is_symlink(link));
    QCOMPARE(bytes(readFile(QString::fromStdString(page))), bytes("new\r\n"));
}

void TestExportTidy::producerFailureKeepsTheTarget_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");

    QTest::newRow("the producer's own error") << "raises" << "the walk stopped";
    // The disk frees up after a piece failed: the file would have a hole.
    QTest::newRow("a failed piece before a written one") << "hole" << "ファイル %1 を作成できません";
}

void TestExportTidy::producerFailureKeepsTheTarget()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const std::string path = dir.filePath("out.htm").toStdString();
    writeExportFile(path, listingOf({"the page as it was"}));
    const std::string piece(2 << 20, 'x');

    const QString raised = messageOf([&] {
        replaceExportFile(path, [&](ListingSink& out) {
            if (fault == "raises")
                throw AppError("the walk stopped");
            std::optional<FileSizeLimit> limit(std::in_place, 4096);
            out.write(piece);
            limit.reset();
            out.write(piece);
        });
    });

    QCOMPARE(raised, message.arg(QString::fromStdString(path)));
    QCOMPARE(bytes(readFile(QString::fromStdString(path))), bytes("the page as it was\r\n"));
}

QTEST_APPLESS_MAIN(TestExportTidy)
#include "tst_exporttidy.moc"
