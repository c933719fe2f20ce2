#include "util/filelines.h"

#include <QTest>

#include <string>

using namespace vorelind;

class TestFileLines : public QObject {
    Q_OBJECT

private slots:
    void linesOfEveryTag_data();
    void linesOfEveryTag();
};

namespace {

std::string padding(std::size_t bytes)
{
    return std::string(bytes, 'x');
}

} // namespace

void TestFileLines::linesOfEveryTag_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<bool>("backwards"); // read to the last '<' first
    QTest::addColumn<QStringList>("expected"); // LINE:COL of every '<', in source order

    // The text is read sixteen bytes at a time: the paddings put the breaks
    // at the edges of those blocks.
    QTest::newRow("a CR LF pair split between two blocks")
        << padding(15) + "\r\n<" << false << QStringList{"2:1"};
    QTest::newRow("a lone CR at the end of a block") << padding(15) + "\ry<" << false << QStringList{"2:2"};
    QTest::newRow("a lone LF after a CR that is a second byte, in the next block")
        << padding(14) + "\x81\r\n<" << false << QStringList{"2:1"};
    QTest::newRow("a CR as a second byte at the end of a block, a CR LF pair after it")
        << padding(14) + "\x81\r\r\n<" << false << QStringList{"2:1"};
    QTest::newRow("an LF as a second byte inside a block")
        << padding(5) + "\x83\n" + padding(10) + "<" << false << QStringList{"1:18"};
    QTest::newRow("an odd run of lead bytes takes the CR after it")
        << padding(4) + "\x81\x81\x81\r" + padding(10) + "<" << false << QStringList{"1:19"};
    QTest::newRow("an even run of lead bytes leaves the CR after it a break")
        << padding(4) + "\x81\x81\r" + padding(10) + "<" << false << QStringList{"2:11"};
    QTest::newRow("breaks after an offset in its block count for the next one")
        << "<a\r\n<b\n<c\r<" + padding(16) << false << QStringList{"1:1", "2:1", "3:1", "4:1"};
    QTest::newRow("a lone LF after a CR LF pair is a line of its own")
        << "<\r\r\n\n<" + padding(16) << false << QStringList{"1:1", "4:1"};
    QTest::newRow("blocks of lone LFs") << std::string(300, '\n') + "<" << false << QStringList{"301:1"};
    QTest::newRow("lines across blocks")
        << [] {
               std::string text;
               for (int line = 0; line < 300; ++line)
                   text += "a line of text.\r\n";
               return text + "<";
           }()
        << false << QStringList{"301:1"};
    QTest::newRow("an offset before the last one is read again from the start")
        << padding(20) + "\n<" + padding(20) + "\r\n<" << true << QStringList{"2:1", "3:1"};
}

void TestFileLines::linesOfEveryTag()
{
    QFETCH(std::string, text);
    QFETCH(bool, backwards);
    QFETCH(QStringList, expected);
    std::vector<std::size_t> tags;
    for (std::size_t at = text.find('<'); at != std::string::npos; at = text.find('<', at + 1))
        tags.push_back(at);
    QStringList found;
    FileLines lines(text);
    for (std::size_t index = 0; index < tags.size(); ++index) {
        const std::size_t tag = tags[backwards ? tags.size() - 1 - index : index];
        lines.readTo(tag);
        const QString position = QString("%1:%2").arg(lines.line()).arg(tag - lines.lineStart() + 1);
        if (backwards)
            found.prepend(position);
        else
            found.append(position);
    }
    QCOMPARE(found, expected);
}

QTEST_APPLESS_MAIN(TestFileLines)
#include "tst_filelines.moc"
