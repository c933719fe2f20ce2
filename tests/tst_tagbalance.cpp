#include "document/indentwalk.h"
#include "document/listing.h"
#include "document/listingmarks.h"
#include "document/tagbalance.h"
#include "testlines.h"

#include <QTest>

#include <string>
#include <vector>

using namespace vorelind;

namespace {

// The unpaired tags as "start NAME@OFFSET, end NAME@OFFSET", in the order found.
QString described(const std::vector<UnbalancedTag>& tags)
{
    QStringList parts;
    for (const UnbalancedTag& tag : tags) {
        parts << QString("%1 %2@%3")
                     .arg(tag.side == TagSide::Start ? "start" : "end")
                     .arg(QString::fromLatin1(tag.name.data(), static_cast<qsizetype>(tag.name.size())))
                     .arg(tag.offset);
    }
    return parts.join(", ");
}

// The findings on the text under the rules, with at most one name excluded, described.
QString findingsOn(const std::string& text, const QString& excluded, TagRules rules)
{
    std::vector<std::string> entries;
    if (!excluded.isEmpty())
        entries.push_back(excluded.toStdString());
    return described(unbalancedTags(text, ExcludedTags(entries), rules));
}

// The marks of a walked source as "ROW:start NAME, ROW:end NAME".
QString marksOf(const std::string& source, const std::vector<std::string>& excluded)
{
    Listing listing;
    walkSource(source, ExcludedTags(excluded), {}, listing);
    listing.finish();
    const ListingMarks marks(listing, unbalancedTags(source, ExcludedTags(excluded)));
    QStringList parts;
    for (std::size_t index = 0; index < marks.count(); ++index) {
        const UnbalancedTag& tag = marks[index].tag;
        parts << QString("%1:%2 %3")
                     .arg(marks[index].row)
                     .arg(tag.side == TagSide::Start ? "start" : "end")
                     .arg(QString::fromLatin1(tag.name.data(), static_cast<qsizetype>(tag.name.size())));
    }
    return parts.join(", ");
}

} // namespace

class TestTagBalance : public QObject {
    Q_OBJECT

private slots:
    void unpairedTags_data();
    void unpairedTags();
    void htmlRules_data();
    void htmlRules();
    void rulesChosenByTheText_data();
    void rulesChosenByTheText();
    void markupExtent_data();
    void markupExtent();
    void marksLieOnTheRowsThatHoldThem_data();
    void marksLieOnTheRowsThatHoldThem();
    void stepsFromMarkToMark_data();
    void stepsFromMarkToMark();
};

void TestTagBalance::unpairedTags_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<QString>("excluded");
    QTest::addColumn<QString>("expected");

    QTest::newRow("balanced page") << std::string("<html><head><title>t</title></head><body></body></html>")
                                   << QString() << QString();
    QTest::newRow("tag inside a comment") << std::string("<div><!-- <p> --></div>") << QString() << QString();
    QTest::newRow("a > does not end a comment") << std::string("<!-- a > <p> -->") << QString() << QString();
    QTest::newRow("comment ends after -->, not at its own dashes")
        << std::string("<!--><p>--><b>") << QString() << "start b@11";
    QTest::newRow("declaration and instruction")
        << std::string("<!DOCTYPE html><?xml version=\"1.0\"?><p></p>") << QString() << QString();
    QTest::newRow("server code ends at %>, not at >") << std::string("<% if (a > b) %><p>") << QString()
                                                     << "start p@16";
    QTest::newRow("self-closing slash inside quotes") << std::string("<p title=\"a/>b\">x") << QString()
                                                      << "start p@0";
    QTest::newRow("single quotes hold a double quote") << std::string("<a title='\"'>x</a>") << QString()
                                                       << QString();
    QTest::newRow("script text holds no tags")
        << std::string("<script>if (a<b) document.write(\"</p>\");</ScRiPt>") << QString() << QString();
    QTest::newRow("style text holds no tags") << std::string("<style>p>a{}</b></STYLE>") << QString() << QString();
    QTest::newRow("script ends only at its own name") << std::string("<script>x</scripts><p></script>")
                                                      << QString() << QString();
    QTest::newRow("unclosed script swallows the rest") << std::string("<script>x<p></p>") << QString()
                                                       << "start script@0";
    QTest::newRow("self-closed script opens no text") << std::string("<script src=x /></b>") << QString()
                                                      << "end b@16";
    QTest::newRow("empty elements, start and end")
        << std::string("<br><img src=a><hr></br><input><wbr><meta></meta>") << QString() << QString();
    QTest::newRow("unclosed list items") << std::string("<ul><li>a<li>b</ul>") << QString()
                                         << "start li@4, start li@9";
    QTest::newRow("excluded list items") << std::string("<ul><li>a<li>b</ul>") << "LI" << QString();
    QTest::newRow("excluded names compare upper-cased") << std::string("<ul><li>a</ul>") << "li" << "start li@4";
    QTest::newRow("self-closed tags") << std::string("<x/><y /><a href=x/>") << QString() << QString();
    QTest::newRow("overlapping tags") << std::string("<b><i></b></i>") << QString() << "start i@3, end i@10";
    QTest::newRow("end tag closes the topmost of its name") << std::string("<a><a></a>") << QString()
                                                            << "start a@0";
    QTest::newRow("found in source order") << std::string("<a></x>") << QString() << "start a@0, end x@3";
    QTest::newRow("an end tag after its pair closed closes nothing") << std::string("<p>a</p></p>") << QString()
                                                                     << "end p@8";
    QTest::newRow("an end tag's name must end where the open one's does")
        << std::string("<a></ab>") << QString() << "start a@0, end ab@3";
    QTest::newRow("script text right after its start tag ends at once")
        << std::string("<script src=\"a.js\"></script><p>") << QString() << "start p@28";
    QTest::newRow("source is an empty element") << std::string("<video><source src=x></video>") << QString()
                                                << QString();
    QTest::newRow("names compared without case, given as written") << std::string("<DIV></div><Span>")
                                                                   << QString() << "start Span@11";
    QTest::newRow("name bytes") << std::string("<my-tag:x.y_z2 a=1></MY-TAG:X.Y_Z2><p\tclass=a></p>")
                                << QString() << QString();
    QTest::newRow("names of eight bytes and longer told apart")
        << std::string("<abcdefgh><abcdefghij></ABCDEFGHIJ></abcdefghi>") << QString()
        << "start abcdefgh@0, end abcdefghi@35";
    QTest::newRow("other < are text") << std::string("a < b <1> </ p> <> </> <-") << QString() << QString();
    QTest::newRow("stray end tag") << std::string("x</p>") << QString() << "end p@1";
    QTest::newRow("end of text inside a start tag") << std::string("<p class=\"x") << QString() << "start p@0";
    QTest::newRow("end of text after the slash") << std::string("<p/") << QString() << "start p@0";
    QTest::newRow("end of text inside an end tag") << std::string("<div>t</div") << QString() << QString();
    QTest::newRow("end of text inside a comment") << std::string("<div><!-- </div>") << QString()
                                                  << "start div@0";
    QTest::newRow("end of text inside server code") << std::string("<div><% </div>") << QString()
                                                    << "start div@0";
    QTest::newRow("end of text inside a quote") << std::string("<a href=\"x></a>") << QString() << "start a@0";
    QTest::newRow("end of text right after <") << std::string("<a><") << QString() << "start a@0";
}

void TestTagBalance::unpairedTags()
{
    QFETCH(std::string, text);
    QFETCH(QString, excluded);
    QFETCH(QString, expected);
    QCOMPARE(findingsOn(text, excluded, TagRules::Xml), expected);
}

void TestTagBalance::htmlRules_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<QString>("excluded");
    QTest::addColumn<QString>("expected");

    const std::string doctype = "<!DOCTYPE html>";
    QTest::newRow("li closed by li") << std::string("<ul><li>a<li>b</ul>") << QString() << QString();
    QTest::newRow("li stops at a special element") << std::string("<li><ul><li>x</ul>") << QString() << QString();
    QTest::newRow("li closes through a div") << std::string("<ul><li><div><li>x</div></ul>") << QString()
                                             << "start div@8, end div@18";
    QTest::newRow("dt and dd closed by each other") << std::string("<dl><dt>a<dd>b<dt>c</dl>") << QString()
                                                    << QString();
    QTest::newRow("p closed by a list; its end tag stray")
        << std::string("<p>intro<ul><li>x</ul></p>") << QString() << "end p@22";
    QTest::newRow("p closed by hr") << std::string("<p>a<hr></p>") << QString() << "end p@8";
    QTest::newRow("formatting closed and reopened by each p, found once")
        << std::string("<p><b>x<p>y<p>z<p>w") << QString() << "start b@3";
    QTest::newRow("formatting reopened before an inline start tag")
        << std::string("<p><b>x<p><i>y</i></b>") << QString() << "start b@3";
    QTest::newRow("p closed by table under a doctype") << doctype + "<p><table></table></p>" << QString()
                                                      << "end p@33";
    QTest::newRow("quirks: table leaves p open") << std::string("<p><table></table></p>") << QString() << QString();
    QTest::newRow("old transitional doctype is quirks")
        << std::string("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"><p><table></table></p>")
        << QString() << QString();
    QTest::newRow("with its system id it is not")
        << std::string("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" \"x.dtd\"><p><table>"
                       "</table></p>")
        << QString() << "end p@89";
    QTest::newRow("option by option and optgroup")
        << std::string("<select><option>a<option>b<optgroup><option>c<optgroup></select>") << QString() << QString();
    QTest::newRow("ruby parts") << std::string("<ruby>a<rp>(<rt>b<rp>)</ruby>") << QString() << QString();
    QTest::newRow("cells and rows") << std::string("<table><tr><td>a<td>b<tr><th>c</table>") << QString()
                                    << QString();
    QTest::newRow("sections by sections")
        << std::string("<table><thead><tr><td>a<tbody><tr><td>b<tfoot><tr><td>c</table>") << QString() << QString();
    QTest::newRow("implied section closed by its end tag")
        << std::string("<table><tr><td>x</tbody></table>") << QString() << QString();
    QTest::newRow("colgroup closed by anything but col")
        << std::string("<table><colgroup><col><col><tr><td>a</table>") << QString() << QString();
    QTest::newRow("table end closes a cell's content") << std::string("<table><tr><td><div>x</table>") << QString()
                                                       << "start div@15";
    QTest::newRow("second a: the first is unclosed") << std::string("<a href=1>x<a href=2>y</a>") << QString()
                                                     << "start a@0";
    QTest::newRow("heading closes a heading") << std::string("<h1>a<h2>b</h2>") << QString() << "start h1@0";
    QTest::newRow("any heading end closes a heading") << std::string("<h1>a</h2>") << QString() << QString();
    QTest::newRow("p end with no p") << std::string("<div></p></div>") << QString() << "end p@5";
    QTest::newRow("li end closes its children") << std::string("<ul><li><span>a</li></ul>") << QString()
                                                << "start span@8";
    QTest::newRow("dd end with no dd") << std::string("x</dd>") << QString() << "end dd@1";
    QTest::newRow("cell end outside a table") << std::string("<div></td></div>") << QString() << "end td@5";
    QTest::newRow("end tag past a special element")
        << std::string("<span><div></span></div>") << QString() << "start span@0, end span@11";
    QTest::newRow("formatting closed by a block's end is unclosed, its later end no stray")
        << std::string("<p><b>x</p>y</b>") << QString() << "start b@3";
    QTest::newRow("formatting closed, no text to reopen it: its end is stray")
        << std::string("<div><b>x</div></b>") << QString() << "start b@5, end b@15";
    QTest::newRow("formatting end around a block") << std::string("<b><div>x</b></div>") << QString() << "end b@9";
    QTest::newRow("formatting end around an inline: the end tag, then the inline's")
        << std::string("<b><span>x</b></span>") << QString() << "end b@10, end span@14";
    QTest::newRow("end tag of a void element") << std::string("<img src=a></img>") << QString() << "end img@11";
    QTest::newRow("form end leaves what it holds open") << std::string("<form><div></form></div>") << QString()
                                                      << "start div@6";
    QTest::newRow("select inside a select ends the first")
        << std::string("<select><option>a<select>b</select>") << QString() << "end select@26";
    QTest::newRow("form inside a form dropped") << std::string("<form><form></form>") << QString() << QString();
    QTest::newRow("formatting left open") << std::string("<em>x") << QString() << "start em@0";
    QTest::newRow("html, head and body implied and left open")
        << std::string("<html><head><title>t</title><body><p>x</html></head>") << QString() << QString();
    QTest::newRow("body end inside a table") << std::string("<table><tr><td>x</body></table>") << QString()
                                             << "end body@16";
    QTest::newRow("textarea and title hold text")
        << std::string("<title><b></title><textarea><p></TEXTAREA>") << QString() << QString();
    QTest::newRow("/> does not close a div") << std::string("<div/><br/>") << QString() << "start div@0";
    QTest::newRow("/> closes inside svg") << std::string("<svg><circle/><g></g></svg><p>") << QString() << QString();
    QTest::newRow("unquoted value ending in /") << std::string("<a href=/path/>x</a>") << QString() << QString();
    QTest::newRow("a quote inside an unquoted value opens nothing")
        << std::string("<a title=x\"y>z</a>") << QString() << QString();
    QTest::newRow("excluded never reported") << std::string("<div><span></div></span>") << "SPAN" << QString();
}

void TestTagBalance::htmlRules()
{
    QFETCH(std::string, text);
    QFETCH(QString, excluded);
    QFETCH(QString, expected);
    QCOMPARE(findingsOn(text, excluded, TagRules::Html), expected);
}

void TestTagBalance::rulesChosenByTheText_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<bool>("xml");

    QTest::newRow("xml declaration after a byte order mark and blanks")
        << std::string("\xEF\xBB\xBF \r\n<?xml version=\"1.0\"?><a/>") << true;
    QTest::newRow("xhtml doctype after a comment")
        << std::string("<!-- c --><!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\">") << true;
    QTest::newRow("html doctype") << std::string("<!doctype html><html>") << false;
    QTest::newRow("no doctype") << std::string("<p>x") << false;
    QTest::newRow("xml declaration after a tag") << std::string("<p><?xml version=\"1.0\"?>") << false;
}

void TestTagBalance::rulesChosenByTheText()
{
    QFETCH(std::string, text);
    QFETCH(bool, xml);
    QCOMPARE(rulesFor(text), xml ? TagRules::Xml : TagRules::Html);
}

void TestTagBalance::markupExtent_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("markup");

    QTest::newRow("start tag, a quoted > inside") << std::string("<a title=\"x>y\">z") << 0
                                                   << QByteArray("<a title=\"x>y\">");
    QTest::newRow("end tag") << std::string("x</div >y") << 1 << QByteArray("</div >");
    QTest::newRow("comment to its -->") << std::string("<!-- a > b -->c") << 0 << QByteArray("<!-- a > b -->");
    QTest::newRow("declaration") << std::string("<!DOCTYPE html>x") << 0 << QByteArray("<!DOCTYPE html>");
    QTest::newRow("server code to its %>") << std::string("<% a > b %>x") << 0 << QByteArray("<% a > b %>");
    QTest::newRow("a < of text is itself") << std::string("a < b") << 2 << QByteArray("<");
    QTest::newRow("the text ends inside the tag") << std::string("x<p class=\"y>") << 1
                                                   << QByteArray("<p class=\"y>");
}

void TestTagBalance::markupExtent()
{
    QFETCH(std::string, text);
    QFETCH(int, offset);
    QFETCH(QByteArray, markup);
    const auto start = static_cast<std::size_t>(offset);
    QCOMPARE(bytes(std::string_view(text).substr(start, markupEnd(text, start) - start)), markup);
}

void TestTagBalance::marksLieOnTheRowsThatHoldThem_data()
{
    QTest::addColumn<std::string>("source");
    QTest::addColumn<QString>("excluded");
    QTest::addColumn<QString>("marks");

    QTest::newRow("each tag on the line it starts") << crlfJoined({"<div>", "<p>a", "</span>"}) << QString()
                                                    << "0:start div, 1:start p, 2:end span";
    QTest::newRow("text before the first tag has a line of its own") << std::string("abc</x>") << QString()
                                                                    << "1:end x";
    QTest::newRow("a tag inside a raw block, on the block's line") << crlfJoined({"<pre>", "x<b>y", "</pre>"})
                                                                  << QString() << "1:start b";
    QTest::newRow("marks sharing a line") << std::string("<pre><i><u></pre>") << QString()
                                          << "0:start i, 0:start u";
    QTest::newRow("an excluded tag has a line but no mark") << std::string("<div><font>x</div>") << "FONT"
                                                            << QString();
    QTest::newRow("no listing, no marks") << std::string() << QString() << QString();
}

void TestTagBalance::marksLieOnTheRowsThatHoldThem()
{
    QFETCH(std::string, source);
    QFETCH(QString, excluded);
    QFETCH(QString, marks);
    std::vector<std::string> entries;
    if (!excluded.isEmpty())
        entries.push_back(excluded.toStdString());
    QCOMPARE(marksOf(source, entries), marks);
}

void TestTagBalance::stepsFromMarkToMark_data()
{
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("row");     // -1: no current row
    QTest::addColumn<int>("visited"); // -1: none visited
    QTest::addColumn<int>("expected");

    // Marks 0 on row 0, 1 and 2 on row 1, 3 on row 2.
    QTest::newRow("next from no row: the first") << true << -1 << -1 << 0;
    QTest::newRow("next: the first on a later row") << true << 0 << -1 << 1;
    QTest::newRow("next: the second of a shared row") << true << 1 << 1 << 2;
    QTest::newRow("next: after the shared row") << true << 1 << 2 << 3;
    QTest::newRow("next: visited elsewhere, from the row") << true << 1 << 0 << 3;
    QTest::newRow("next after the last: the first") << true << 2 << 3 << 0;
    QTest::newRow("previous from no row: the last") << false << -1 << -1 << 3;
    QTest::newRow("previous: the first of a shared row") << false << 1 << 2 << 1;
    QTest::newRow("previous: the last on an earlier row") << false << 2 << -1 << 2;
    QTest::newRow("previous before the first: the last") << false << 0 << 0 << 3;
}

void TestTagBalance::stepsFromMarkToMark()
{
    QFETCH(bool, forward);
    QFETCH(int, row);
    QFETCH(int, visited);
    QFETCH(int, expected);
    const std::string source = crlfJoined({"<a>", "<pre><i><u></pre>", "<b>"});
    Listing listing;
    walkSource(source, ExcludedTags(), {}, listing);
    listing.finish();
    const ListingMarks marks(listing, unbalancedTags(source, ExcludedTags()));
    const auto given = [](int value) { return value < 0 ? std::nullopt : std::optional<std::size_t>(value); };
    const std::optional<std::size_t> step =
        forward ? marks.next(given(row), given(visited)) : marks.previous(given(row), given(visited));
    QCOMPARE(step, given(expected));
    QVERIFY(!ListingMarks().next(given(row), given(visited)));
}

QTEST_APPLESS_MAIN(TestTagBalance)
#include "tst_tagbalance.moc"
