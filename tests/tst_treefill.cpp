#include "document/indentwalk.h"
#include "document/listing.h"
#include "tree/indenttree.h"
#include "tree/listingtreelines.h"
#include "tree/treefill.h"
#include "tree/treelinestream.h"
#include "testlines.h"

#include <QStringList>
#include <QTest>

#include <deque>

using namespace vorelind;

namespace {

// The tree in pre-order, one "level:text" entry per node.
void appendNode(const IndentTree& tree, NodeId node, int level, QStringList& out)
{
    const std::string_view text = tree.text(node);
    out << QString::number(level) + ":" + QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    for (std::size_t row = 0; row < tree.childCount(node); ++row)
        appendNode(tree, tree.child(node, row), level + 1, out);
}

QStringList dump(const IndentTree& tree)
{
    QStringList out;
    for (std::size_t row = 0; row < tree.topLevelCount(); ++row)
        appendNode(tree, tree.topLevel(row), 0, out);
    return out;
}

// The nodes point into the lines they were filled from, so the lines of
// every filled tree are kept for the whole test run.
IndentTree filled(const QStringList& lines)
{
    static std::deque<std::string> kept;
    std::vector<std::string_view> views;
    for (const QString& line : lines)
        views.push_back(kept.emplace_back(line.toStdString()));
    IndentTree tree;
    loadIndentedLines(tree, views);
    return tree;
}

// Every node's row leads back to the node through its parent.
bool rowsAreConsistent(const IndentTree& tree)
{
    for (NodeId node = 0; node < tree.nodeCount(); ++node) {
        const NodeId parent = tree.parent(node);
        const NodeId atRow = parent == kNoNode ? tree.topLevel(tree.row(node)) : tree.child(parent, tree.row(node));
        if (atRow != node)
            return false;
    }
    return true;
}

// Each line as the fill takes it: depth, its position and the node text;
// with the source, how many lines were told to be its bytes, and how many
// of those are not.
class LinesSeen : public TreeLineSink {
public:
    explicit LinesSeen(std::string_view source = {})
        : m_source(source)
    {
    }

    void addLine(const IndentedLine& line, std::size_t sourcePosition, bool verbatim) override
    {
        const std::size_t kept = line.depth > 0 ? kIndentedTextLength : line.fromLastBlank.size();
        lines << QString("%1 %2:").arg(line.depth).arg(sourcePosition)
                     + QString::fromLatin1(bytes(line.fromLastBlank.substr(0, kept)));
        if (!verbatim)
            return;
        ++verbatimLines;
        const std::string_view text = nodeText(line).substr(line.depth > 0 ? 1 : 0);
        if (sourcePosition == 0 || m_source.substr(sourcePosition - 1, text.size()) != text)
            ++notVerbatim;
    }

    QStringList lines;
    int verbatimLines = 0;
    int notVerbatim = 0;

private:
    std::string_view m_source;
};

// Where each line of a listing began: the first at 1, the next ones 10 on.
std::vector<std::size_t> lineSources(std::string_view listing)
{
    std::vector<std::size_t> sources{1};
    for (std::size_t pair = listing.find("\r\n"); pair != std::string_view::npos; pair = listing.find("\r\n", pair + 2))
        sources.push_back(sources.back() + 10);
    return sources;
}

} // namespace

class TestTreeFill : public QObject {
    Q_OBJECT

private slots:
    void fillsByDepth_data();
    void fillsByDepth();
    void cutsIndentedNodeTexts();
    void rowsSurviveInsertionsAtTheFront();
    void refillReplacesEveryNode();
    void nodesMappedAheadKeepTheirTexts();
    void streamedLinesAreTheListingsLines_data();
    void streamedLinesAreTheListingsLines();
    void walkedLinesAreTheListingsLines_data();
    void walkedLinesAreTheListingsLines();
};

void TestTreeFill::fillsByDepth_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("listing of a page")
        << QStringList{"", "<html>", "  <head>", "    <title>Test", "    </title>", "  </head>", "  <body>",
                       "    <p>Hello", "      <br>world", "      </p>", "    </body>", "  </html>"}
        << QStringList{"0:<html>", "1: <head>", "2: <title>Test", "2: </title>", "1: </head>", "1: <body>",
                       "2: <p>Hello", "3: <br>world", "3: </p>", "2: </body>", "1: </html>"};
    QTest::newRow("rise, equal, falls of one and two steps, empty line")
        << QStringList{"A", "  B", "    C", "    D", "  E", "  F", "    G", "      H", "", "  I", "J"}
        << QStringList{"0:A", "1: B", "2: C", "2: D", "1: E", "1: F", "2: G", "3: H", "2: I", "1:J"};
    QTest::newRow("fall from a top-level node goes to the front")
        << QStringList{"A", "    B", "  C", "D", "E"} << QStringList{"0:D", "0:A", "1: B", "0: C", "0:E"};
    QTest::newRow("indented first line sets no depth")
        << QStringList{"  A", "  B", "  C"} << QStringList{"0: A", "1: B", "1: C"};
    QTest::newRow("empty lines before the first line") << QStringList{"", "", "  A", "B"}
                                                       << QStringList{"0: A", "0:B"};
    QTest::newRow("tab-led line has depth 0") << QStringList{"A", "  B", "\tC"}
                                              << QStringList{"0:A", "1: B", "0:\tC"};
    QTest::newRow("line of blanks is a node of one blank") << QStringList{"A", "   "}
                                                           << QStringList{"0:A", "1: "};
    QTest::newRow("no lines") << QStringList{} << QStringList{};
    QTest::newRow("empty lines only") << QStringList{"", ""} << QStringList{};
}

void TestTreeFill::fillsByDepth()
{
    QFETCH(QStringList, lines);
    QFETCH(QStringList, expected);
    const IndentTree tree = filled(lines);
    QCOMPARE(dump(tree), expected);
    QVERIFY(rowsAreConsistent(tree));
}

void TestTreeFill::cutsIndentedNodeTexts()
{
    const QString longText(500, 'x');
    const IndentTree tree = filled({longText, " " + longText, "   " + longText});
    QCOMPARE(tree.text(0).size(), std::size_t(500));
    // The last leading blank stays and counts towards the 200 bytes.
    QCOMPARE(bytes(tree.text(1)), bytes(" " + std::string(199, 'x')));
    QCOMPARE(bytes(tree.text(2)), bytes(" " + std::string(199, 'x')));
}

void TestTreeFill::rowsSurviveInsertionsAtTheFront()
{
    QStringList lines{"A"};
    for (int i = 0; i < 50; ++i)
        lines << "    B" << "  C" << "D";
    const IndentTree tree = filled(lines);
    QCOMPARE(tree.topLevelCount(), std::size_t(101));
    QCOMPARE(bytes(tree.text(tree.topLevel(0))), QByteArray("D"));
    QVERIFY(rowsAreConsistent(tree));
}

void TestTreeFill::refillReplacesEveryNode()
{
    IndentTree tree = filled({"A", "  B"});
    const std::vector<std::string_view> lines{"C"};
    loadIndentedLines(tree, lines);
    QCOMPARE(dump(tree), QStringList{"0:C"});
}

// Megabytes of nodes are mapped ahead on a second thread while the fill
// writes them; that must leave every written node as it was.
void TestTreeFill::nodesMappedAheadKeepTheirTexts()
{
    constexpr std::size_t kNodes = 200000;
    std::vector<std::string> texts;
    std::vector<std::string_view> lines;
    texts.reserve(kNodes);
    for (std::size_t node = 0; node < kNodes; ++node)
        lines.push_back(texts.emplace_back(std::to_string(node)));
    IndentTree tree;
    tree.reserve(kNodes);
    loadIndentedLines(tree, lines);
    QCOMPARE(tree.nodeCount(), kNodes);
    for (NodeId node = 0; node < kNodes; ++node)
        QCOMPARE(tree.text(node), lines[node]);
}

void TestTreeFill::streamedLinesAreTheListingsLines_data()
{
    QTest::addColumn<QByteArray>("listing");

    QTest::newRow("lone CR and LF stay in their line")
        << QByteArray("<a>\r\n  <b>x\ny\rz\r\n\n  \r\r\n</a>");
    QTest::newRow("CR at the end of the node text")
        << QByteArray("<a>\r\n  " + QByteArray(198, 'x') + "\r\n  " + QByteArray(197, 'y') + "\r\r\n<c>");
    QTest::newRow("CR just past the node text")
        << QByteArray("<a>\r\n    " + QByteArray(199, 'x') + "\r\n  " + QByteArray(200, 'y') + "\r\n<c>");
    QTest::newRow("line at depth 0 kept whole") << QByteArray(QByteArray(300, 'x') + "\r\n  " + QByteArray(300, 'y'));
    QTest::newRow("empty lines take their positions") << QByteArray("\r\n\r\n<a>\r\n\r\n  <b>\r\n");
    QTest::newRow("blanks only, last line unended") << QByteArray("<a>\r\n   \r\n    ");
}

// The walk hands its listing on in pieces of any size, which may part a CR
// from its LF or a line's blanks from its text.
void TestTreeFill::streamedLinesAreTheListingsLines()
{
    QFETCH(QByteArray, listing);
    const std::string_view text(listing.constData(), static_cast<std::size_t>(listing.size()));
    const std::vector<std::size_t> sources = lineSources(text);

    Listing whole;
    whole.beginLines(sources);
    whole.write(text);
    whole.finish();
    const IndentedLines listed = treeLinesOf(whole);
    LinesSeen expected;
    for (std::size_t row = 0; row < listed.count; ++row)
        expected.addLine(listed.line(row), whole.sourcePosition(row), false);

    for (std::size_t piece = 1; piece <= text.size(); ++piece) {
        LinesSeen seen;
        TreeLineStream stream(seen);
        stream.beginLines(sources);
        for (std::size_t at = 0; at < text.size(); at += piece)
            stream.write(text.substr(at, piece));
        stream.finish();
        QCOMPARE(seen.lines, expected.lines);
    }
}

void TestTreeFill::walkedLinesAreTheListingsLines_data()
{
    QTest::addColumn<QByteArray>("source");

    QTest::newRow("raw lines with blanks of their own") << QByteArray("<a><script>\r\n  x\r\n\r\n</script><b>");
    QTest::newRow("raw line begun by a tag") << QByteArray("<a><b><pre>x\r\n</pre>\r\n<i>y</i></b>");
    QTest::newRow("raw block ending the source on CR LF") << QByteArray("<a><b><script>x\r\n");
    QTest::newRow("nesting deeper than a node text") << QByteArray("<p>").repeated(150) + "x";
    QTest::newRow("lines across the walk's chunks") << QByteArray("<p>text</p>").repeated(40000);
    QTest::newRow("raw lines begun by tags across the chunks")
        << QByteArray("<a><script>") + QByteArray("\r\n<x>").repeated(70000);
    // Lines whose bytes the walk altered must not be told to be the source's.
    QTest::newRow("slash of an empty tag left out") << QByteArray("<a><br/>x\r\n<b>");
    QTest::newRow("line break in a tag written as a blank") << QByteArray("<a><b\rc>x<i>");
    QTest::newRow("line break in a text left out") << QByteArray("<a>x\r\ny<b>");
    QTest::newRow("blanks before a tag in a raw block") << QByteArray("<a><pre>x<b>y\r\nz<c>w");
    QTest::newRow("raw line after a lone LF") << QByteArray("<a><pre>x\ny\r\nz</pre><i>");
    QTest::newRow("raw line led by blanks of the source") << QByteArray("<a><pre>x\r\n  y\r\n</pre><i>");
    QTest::newRow("line cut by a NUL") << QByteArray("<a><pre>x", 9) + QByteArray(1, '\0') + "y\r\nz</pre>";
}

// The walk leaves out most blanks that lead a line when the tree's stream
// takes them as a number; the lines must be those the written blanks give.
void TestTreeFill::walkedLinesAreTheListingsLines()
{
    QFETCH(QByteArray, source);
    const std::string_view text(source.constData(), static_cast<std::size_t>(source.size()));

    Listing whole;
    walkSource(text, ExcludedTags(), {}, whole);
    whole.finish();
    const IndentedLines listed = treeLinesOf(whole);
    LinesSeen expected;
    for (std::size_t row = 0; row < listed.count; ++row)
        expected.addLine(listed.line(row), whole.sourcePosition(row), false);

    LinesSeen seen(text);
    TreeLineStream stream(seen);
    walkSource(text, ExcludedTags(), {}, stream);
    stream.finish();
    QCOMPARE(seen.lines, expected.lines);
    QCOMPARE(seen.notVerbatim, 0);
    // Most lines of a page are the source's own, and are told so.
    QVERIFY(seen.verbatimLines * 2 >= expected.lines.size() - 2);
}

QTEST_APPLESS_MAIN(TestTreeFill)
#include "tst_treefill.moc"
