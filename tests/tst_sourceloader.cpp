#include "document/messages.h"
#include "document/sourceloader.h"
#include "util/filename.h"
#include "testfiles.h"
#include "testlines.h"

#include <QTest>

using namespace vorelind;

Q_DECLARE_METATYPE(vorelind::TextVerdict)

class TestSourceLoader : public QObject {
    Q_OBJECT

private slots:
    void judgesTheFirstBytes_data();
    void judgesTheFirstBytes();
    void loadsLineBreaksAsCrLf_data();
    void loadsLineBreaksAsCrLf();
    void takesTheFileNameAfterTheLastSeparator_data();
    void takesTheFileNameAfterTheLastSeparator();
    void messagesReadAsTheProgramWords();
};

void TestSourceLoader::judgesTheFirstBytes_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<TextVerdict>("expected");

    QTest::newRow("tag first") << QByteArray("<html>") << TextVerdict::Text;
    QTest::newRow("CR first") << QByteArray("\r") << TextVerdict::Text;
    QTest::newRow("LF after text") << QByteArray("plain words\n") << TextVerdict::Text;
    QTest::newRow("byte order mark before a tag") << QByteArray("\xEF\xBB\xBF<p>") << TextVerdict::Text;
    QTest::newRow("shift-jis before a tag") << QByteArray("\x95\x5c\x8e\xa6<p>") << TextVerdict::Text;
    QTest::newRow("tab and high bytes carry on") << QByteArray("\t\xFF\x80 <") << TextVerdict::Text;
    QTest::newRow("NUL before any marker") << QByteArray("ab\0<", 4) << TextVerdict::NotText;
    QTest::newRow("byte 8 before any marker") << QByteArray("\x08<") << TextVerdict::NotText;
    QTest::newRow("marker at byte 129") << QByteArray(128, 'x') + "<" << TextVerdict::Text;
    QTest::newRow("marker at byte 130") << QByteArray(129, 'x') + "<" << TextVerdict::NotText;
    QTest::newRow("short file without marker") << QByteArray(128, 'x') << TextVerdict::EndOfFile;
    QTest::newRow("empty file") << QByteArray() << TextVerdict::EndOfFile;
}

void TestSourceLoader::judgesTheFirstBytes()
{
    QFETCH(QByteArray, head);
    QFETCH(TextVerdict, expected);
    QCOMPARE(judgeText(std::string_view(head.constData(), static_cast<std::size_t>(head.size()))), expected);
}

void TestSourceLoader::loadsLineBreaksAsCrLf_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("CR LF stays") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone LF") << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << QByteArray("a\r\nb\r\n");
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QByteArray("a\r\n\r\nb");
    QTest::newRow("CR CR LF") << QByteArray("a\r\r\nb") << QByteArray("a\r\n\r\nb");
    QTest::newRow("lone breaks among CR LF") << QByteArray("\na\r\nb\rc\r\n\n") << QByteArray("\r\na\r\nb\r\nc\r\n\r\n");
    QTest::newRow("text ends at the first NUL") << QByteArray("a\nb\0c\n", 6) << QByteArray("a\r\nb");
    // The byte after a lead byte belongs to the character, even a CR or LF.
    QTest::newRow("second byte LF is no break") << QByteArray("\x81\na\n") << QByteArray("\x81\na\r\n");
    QTest::newRow("second byte CR is no break") << QByteArray("\xE0\r\n") << QByteArray("\xE0\r\r\n");
    QTest::newRow("second byte that is a lead byte") << QByteArray("\x81\x81\n") << QByteArray("\x81\x81\r\n");
    QTest::newRow("lead byte at the end") << QByteArray("a\x81") << QByteArray("a\x81");
    QTest::newRow("half-width katakana is one byte") << QByteArray("\xB1\n") << QByteArray("\xB1\r\n");
    QTest::newRow("empty") << QByteArray() << QByteArray();
}

void TestSourceLoader::loadsLineBreaksAsCrLf()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, expected);
    QCOMPARE(::bytes(loadText(std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())))),
             expected);
}

void TestSourceLoader::takesTheFileNameAfterTheLastSeparator_data()
{
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("windows path") << QByteArray("C:\\doc\\index.html") << QByteArray("index.html");
    QTest::newRow("drive only") << QByteArray("C:index.html") << QByteArray("index.html");
    QTest::newRow("unix path") << QByteArray("/home/u/page.htm") << QByteArray("page.htm");
    QTest::newRow("no folder") << QByteArray("page.htm") << QByteArray("page.htm");
    // 0x95 0x5C is one character whose second byte is a backslash.
    QTest::newRow("shift-jis second byte is no separator")
        << QByteArray("C:\\doc\\\x95\x5c.html") << QByteArray("\x95\x5c.html");
    QTest::newRow("shift-jis folder name") << QByteArray("C:\\\x95\x5c\\a.html") << QByteArray("a.html");
    QTest::newRow("ends in a separator") << QByteArray("C:\\doc\\") << QByteArray();
}

void TestSourceLoader::takesTheFileNameAfterTheLastSeparator()
{
    QFETCH(QByteArray, path);
    QFETCH(QByteArray, expected);
    QCOMPARE(bytes(fileNameOf(path.toStdString())), expected);
}

void TestSourceLoader::messagesReadAsTheProgramWords()
{
    QCOMPARE(fromSjis(openFailureMessage("a.html")), QString("誰かがそのファイルa.htmlを握っていませんか"));
    QCOMPARE(fromSjis(messages::kOpenFailureCaption), QString("I/Oエラー"));
    QCOMPARE(fromSjis(notTextMessage("a.html")), QString("a.htmlはテキストファイルではないのでは？"));
    QCOMPARE(fromSjis(messages::kNotTextCaption), QString("読めません"));
    QCOMPARE(fromSjis(messages::kCannotCreateFile), QString("ファイル %s を作成できません"));
    const std::string title = documentTitle("index.html");
    QCOMPARE(fromSjis(title + messages::kOriginalTabSuffix), QString("「index.html」　オリジナル"));
    QCOMPARE(fromSjis(title + messages::kIndentedTabSuffix), QString("「index.html」　インデント"));
    QCOMPARE(fromSjis(title + messages::kStructureTabSuffix), QString("「index.html」　構造化"));
}

QTEST_APPLESS_MAIN(TestSourceLoader)
#include "tst_sourceloader.moc"
