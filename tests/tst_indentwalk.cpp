#include "document/indentwalk.h"
#include "testlines.h"
#include "util/bytescan.h"

#include <QTest>

#include <string>
#include <vector>

using namespace vorelind;

namespace {

std::vector<std::string> entries(const QString& commaSeparated)
{
    std::vector<std::string> list;
    if (commaSeparated.isNull())
        return list;
    for (const QString& entry : commaSeparated.split(','))
        list.push_back(entry.toStdString());
    return list;
}

std::string repeated(char byte, std::size_t count)
{
    return std::string(count, byte);
}

// Records every report of a walk.
class RecordingSinks : public ProgressSink, public StatusSink, public RunLogSink {
public:
    void start(std::size_t maximum) override { this->maximum = maximum; }
    void advance(std::size_t steps) override { advances += steps; }
    void showPosition(std::size_t position, std::size_t total) override
    {
        lastPosition = position;
        lastTotal = total;
    }
    void appendLines(std::size_t firstPosition, std::size_t lastPosition, std::size_t firstOutputCount) override
    {
        for (std::size_t position = firstPosition; position <= lastPosition; ++position)
            log += "cntm=" + std::to_string(firstOutputCount + position - firstPosition) + " i="
                + std::to_string(position) + "\r\n";
    }

    WalkSinks sinks() { return WalkSinks{this, this, this}; }

    std::size_t maximum = 0;
    std::size_t advances = 0;
    std::size_t lastPosition = 0;
    std::size_t lastTotal = 0;
    std::string log;
};

const std::string kExample1 = crlfJoined({"<html>", "<head>", "<title>Test</title>", "</head>", "<body>",
                                          "<p>Hello<br>world</p>", "</body>", "</html>", ""});

} // namespace

class TestIndentWalk : public QObject {
    Q_OBJECT

private slots:
    void listing_data();
    void listing();
    void longTagNamesAreCutForMatching_data();
    void longTagNamesAreCutForMatching();
    void endOfSourceInsideEveryConstruct_data();
    void endOfSourceInsideEveryConstruct();
    void reportsEveryPositionButTheSlashOfSelfClosing();
    void emptySourceReportsNothing();
    void runLogCountsOutputBytes();
    void scanStopsAtEveryOffset_data();
    void scanStopsAtEveryOffset();
};

void TestIndentWalk::listing_data()
{
    QTest::addColumn<std::string>("source");
    QTest::addColumn<QString>("excluded");
    QTest::addColumn<std::string>("expected");

    const std::string example1Listing = crlfJoined({"", "<html>", "  <head>", "    <title>Test", "    </title>",
                                                    "  </head>", "  <body>", "    <p>Hello", "      <br>world"});
    QTest::newRow("nested page, unclosed br keeps the depth")
        << kExample1 << QString()
        << example1Listing + crlfJoined({"", "      </p>", "    </body>", "  </html>"});
    QTest::newRow("nested page, br excluded")
        << kExample1 << QString("BR") << example1Listing + crlfJoined({"", "    </p>", "  </body>", "</html>"});
    QTest::newRow("comment, pre block and self-closing image")
        << crlfJoined({"<body>", "<!-- note -->", "<pre>one", "two <b>x</b>", "</pre>", "<img src=\"a.png\"/>",
                       "</body>", ""})
        << QString()
        << crlfJoined({"", "<body>", "  <!-- note -->", "  <pre>one", "    two   <b>x  </b>", "  </pre>",
                       "  <img src=\"a.png\">", "</body>"});
    QTest::newRow("line break in text vanishes") << std::string("Hello\r\nWorld") << QString()
                                                 << std::string("HelloWorld");
    QTest::newRow("line break inside a tag is one blank")
        << std::string("<a\r\nhref=\"x\">") << QString() << crlfJoined({"", "<a href=\"x\">"});
    QTest::newRow("control bytes after a blank in a tag vanish")
        << std::string("<a \r\n\thref>") << QString() << crlfJoined({"", "<a href>"});
    QTest::newRow("line break inside an end tag is one blank")
        << std::string("<a></a\r\n>x") << QString() << crlfJoined({"", "<a>", "</a >x"});
    QTest::newRow("control byte right after < is one blank")
        << std::string("<\x01" "b>") << QString() << crlfJoined({"", "< b>"});
    QTest::newRow("tab ends a tag name")
        << std::string("<p\tx>y</p><b>") << QString("P") << crlfJoined({"", "<p x>y", "</p>", "<b>"});
    QTest::newRow("line break ends a tag name")
        << std::string("<p\nx>y</p><b>") << QString("P") << crlfJoined({"", "<p x>y", "</p>", "<b>"});
    QTest::newRow("declarations leave the depth alone")
        << std::string("<!DOCTYPE html><html><!-- c --><?xml v?><% x %><b>") << QString()
        << crlfJoined({"", "<!DOCTYPE html>", "<html>", "  <!-- c -->", "  <?xml v?>", "  <% x %>", "  <b>"});
    QTest::newRow("a < inside a comment is a tag")
        << std::string("<!-- a<b -->x") << QString() << crlfJoined({"", "<!-- a", "<b -->x"});
    QTest::newRow("self-closing tags lose their slash")
        << std::string("<br/>x<br />y<a href=x/>z") << QString()
        << crlfJoined({"", "<br>x", "<br >y", "<a href=x>z"});
    QTest::newRow("matching pairs line up") << std::string("<a><b></b></a>") << QString()
                                            << crlfJoined({"", "<a>", "  <b>", "  </b>", "</a>"});
    QTest::newRow("excluded tag is symmetric") << std::string("<div><p>x</p></div>") << QString("P")
                                               << crlfJoined({"", "<div>", "  <p>x", "  </p>", "</div>"});
    QTest::newRow("self-closing an excluded tag leaves the depth")
        << std::string("<div><br/><p>") << QString("BR") << crlfJoined({"", "<div>", "  <br>", "  <p>"});
    QTest::newRow("% ends only a start tag's name")
        << std::string("<a></x%y><b>") << QString("X%") << crlfJoined({"", "<a>", "</x%y>", "<b>"});
    QTest::newRow("excluded unclosed tag leaves the depth")
        << std::string("<p>x<div></div>") << QString("P") << crlfJoined({"", "<p>x", "<div>", "</div>"});
    QTest::newRow("lower-case excluded entry never matches")
        << std::string("<p>x<div></div>") << QString("p") << crlfJoined({"", "<p>x", "  <div>", "  </div>"});
    QTest::newRow("script keeps its lines, a < in it gets blanks")
        << std::string("<div><script>if (a<b)\r\nx();\r\n</script></div>") << QString()
        << crlfJoined({"", "<div>", "  <script>if (a  <b)", "    x();", "  </script>", "</div>"});
    QTest::newRow("script name ended by a line break opens a block")
        << std::string("<script\r\ntype=\"t\">a\r\n//c\r\nb</script>") << QString()
        << crlfJoined({"", "<script", "  type=\"t\">a", "  //c", "  b</script>"});
    QTest::newRow("pre end closes a script block")
        << std::string("<script>a</pre>b<c>") << QString() << crlfJoined({"", "<script>a</pre>b", "<c>"});
    QTest::newRow("script end in normal mode is an ordinary end tag")
        << std::string("<div></script>x") << QString() << crlfJoined({"", "<div>", "</script>x"});
    QTest::newRow("self-closing inside pre lowers the depth")
        << std::string("<div><pre>x<br/>y\r\n</pre><p>") << QString()
        << crlfJoined({"", "<div>", "  <pre>x  <br>y", "</pre>", "<p>"});
    QTest::newRow("self-closing script stays raw and takes the step before it")
        << std::string("<div><script src=\"x\"/><b>\r\nc</script>") << QString()
        << crlfJoined({"", "<div>", "  <script src=\"x\"><b>", "  c</script>"});
    QTest::newRow("depth below 0 is clamped at a start tag")
        << std::string("<a>/>/>/><b><c><d>") << QString() << crlfJoined({"", "<a>>>>", "<b>", "<c>", "  <d>"});
    QTest::newRow("depth below 0 is clamped at an end tag")
        << std::string("<a>/>/>/></b><c><d>") << QString() << crlfJoined({"", "<a>>>>", "</b>", "<c>", "  <d>"});
    QTest::newRow("listing ends at the first NUL")
        << std::string("<pre>a\0b</pre><c>", 17) << QString() << crlfJoined({"", "<pre>a"});
    QTest::newRow("name scan never reads the last byte")
        << std::string("<a><b></b") << QString("B") << crlfJoined({"", "<a>", "  <b>", "</b"});
    QTest::newRow("self-closing before any tag changes nothing")
        << std::string("/><a>") << QString() << crlfJoined({">", "<a>"});
    QTest::newRow("tabs and control bytes vanish outside blocks")
        << std::string("<a>\tx\x01y") << QString() << crlfJoined({"", "<a>xy"});
    QTest::newRow("shift-jis bytes are copied as they are")
        << std::string("<p>\x95\x5c\x8e\xa6") << QString() << crlfJoined({"", "<p>\x95\x5c\x8e\xa6"});
    QTest::newRow("empty excluded entry matches an empty name")
        << std::string("<a>< b>c</a>") << QString(",X") << crlfJoined({"", "<a>", "  < b>c", "</a>"});
}

void TestIndentWalk::listing()
{
    QFETCH(std::string, source);
    QFETCH(QString, excluded);
    QFETCH(std::string, expected);
    QCOMPARE(bytes(indentSource(source, ExcludedTags(entries(excluded)))), bytes(expected));
}

void TestIndentWalk::longTagNamesAreCutForMatching_data()
{
    QTest::addColumn<int>("excludedLength");
    QTest::addColumn<std::string>("expectedEndLine");

    const std::string endTag = "</" + repeated('N', 256) + ">";
    // A start tag's name holds 256 bytes, an end tag's 255.
    QTest::newRow("nothing excluded") << 0 << "  " + endTag;
    QTest::newRow("256 bytes match the start tag only") << 256 << endTag;
    QTest::newRow("255 bytes match the end tag only") << 255 << "    " + endTag;
}

void TestIndentWalk::longTagNamesAreCutForMatching()
{
    QFETCH(int, excludedLength);
    QFETCH(std::string, expectedEndLine);
    const std::string name = repeated('N', 256);
    std::vector<std::string> excluded;
    if (excludedLength > 0)
        excluded.push_back(repeated('N', static_cast<std::size_t>(excludedLength)));
    const std::string source = "<a><" + name + "></" + name + ">";
    const std::string expected = crlfJoined({"", "<a>", "  <" + name + ">", expectedEndLine});
    QCOMPARE(bytes(indentSource(source, ExcludedTags(excluded))), bytes(expected));
}

void TestIndentWalk::endOfSourceInsideEveryConstruct_data()
{
    QTest::addColumn<std::string>("source");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("after <") << std::string("<") << crlfJoined({"", "<"});
    QTest::newRow("after </") << std::string("</") << crlfJoined({"", "</"});
    QTest::newRow("inside a tag name") << std::string("<a><b") << crlfJoined({"", "<a>", "  <b"});
    QTest::newRow("inside an end tag name") << std::string("<a></b") << crlfJoined({"", "<a>", "</b"});
    QTest::newRow("inside a comment") << std::string("<!-- open") << crlfJoined({"", "<!-- open"});
    QTest::newRow("inside a quoted attribute") << std::string("<a href=\"x") << crlfJoined({"", "<a href=\"x"});
    QTest::newRow("right after a slash") << std::string("<a/") << crlfJoined({"", "<a/"});
    QTest::newRow("inside a script") << std::string("<script>x<") << crlfJoined({"", "<script>x<"});
    QTest::newRow("after a line break in pre") << std::string("<pre>x\r\n") << crlfJoined({"", "<pre>x", "  "});
}

void TestIndentWalk::endOfSourceInsideEveryConstruct()
{
    QFETCH(std::string, source);
    QFETCH(std::string, expected);
    QCOMPARE(bytes(indentSource(source, ExcludedTags())), bytes(expected));
}

void TestIndentWalk::reportsEveryPositionButTheSlashOfSelfClosing()
{
    RecordingSinks recorder;
    indentSource("<br/>", ExcludedTags(), recorder.sinks());
    QCOMPARE(recorder.maximum, std::size_t(5));
    QCOMPARE(recorder.advances, std::size_t(4));
    QCOMPARE(recorder.lastPosition, std::size_t(5));
    QCOMPARE(recorder.lastTotal, std::size_t(5));
    QCOMPARE(bytes(recorder.log), bytes(crlfJoined({"cntm=3 i=1", "cntm=4 i=2", "cntm=5 i=3", "cntm=6 i=5", ""})));

    // Progress goes in batches of positions; none is lost between them.
    RecordingSinks longer;
    std::string source;
    for (int tag = 0; tag < 3000; ++tag)
        source += "<br/>";
    indentSource(source, ExcludedTags(), longer.sinks());
    QCOMPARE(longer.advances, std::size_t(4 * 3000));
    QCOMPARE(longer.lastPosition, source.size());
}

void TestIndentWalk::emptySourceReportsNothing()
{
    RecordingSinks recorder;
    QCOMPARE(bytes(indentSource("", ExcludedTags(), recorder.sinks())), QByteArray());
    QCOMPARE(recorder.advances, std::size_t(0));
    QCOMPARE(recorder.lastPosition, std::size_t(0));
    QVERIFY(recorder.log.empty());
}

void TestIndentWalk::runLogCountsOutputBytes()
{
    RecordingSinks recorder;
    indentSource("<a>b</a>", ExcludedTags(), recorder.sinks());
    QCOMPARE(bytes(recorder.log), bytes(crlfJoined({"cntm=3 i=1", "cntm=4 i=2", "cntm=5 i=3", "cntm=6 i=4",
                                                    "cntm=9 i=5", "cntm=10 i=6", "cntm=11 i=7", "cntm=12 i=8", ""})));
}

void TestIndentWalk::scanStopsAtEveryOffset_data()
{
    QTest::addColumn<char>("byte");
    QTest::addColumn<bool>("controls");
    QTest::addColumn<bool>("stops");

    QTest::newRow("first stop byte") << '<' << true << true;
    QTest::newRow("third stop byte") << '>' << true << true;
    QTest::newRow("fourth stop byte") << '\n' << false << true;
    QTest::newRow("control byte") << '\x01' << true << true;
    QTest::newRow("control byte while only the fourth stops") << '\x01' << false << false;
    // A Shift-JIS lead byte is no control byte, though it is negative as a char.
    QTest::newRow("byte above 127") << '\x81' << true << false;
}

// The scan tests many bytes at a time: a stop is found wherever it lies
// within or across those blocks, and from wherever the scan starts.
void TestIndentWalk::scanStopsAtEveryOffset()
{
    QFETCH(char, byte);
    QFETCH(bool, controls);
    QFETCH(bool, stops);
    const ScanStops scanStops{'<', '/', '>', '\n', controls};
    for (std::size_t offset = 0; offset < 48; ++offset) {
        std::string text(48, 'x');
        text[offset] = byte;
        for (const std::size_t from : {std::size_t{0}, offset / 2, offset}) {
            const std::size_t found = findStop(text, from, scanStops);
            QCOMPARE(found, stops ? offset : text.size());
        }
    }
}

QTEST_APPLESS_MAIN(TestIndentWalk)
#include "tst_indentwalk.moc"
