#include "kanjisamples.h"
#include "testfolder.h"
#include "testlines.h"

#include <QProcess>
#include <QTest>

#include <string>

// vorelind-cli's conversion: the convert command and the --sjis option.
class TestCliConvert : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void convertWritesTheViewText_data();
    void convertWritesTheViewText();
    void sjisOptionWalksTheConvertedText_data();
    void sjisOptionWalksTheConvertedText();
    void refusesAsTheOtherCommandsDo_data();
    void refusesAsTheOtherCommandsDo();

private:
    struct Run {
        int exitCode;
        QByteArray output;
    };
    Run runCli(const QStringList& arguments);
    QString writeFile(const std::string& bytes) { return m_folder.writeFile(bytes); }

    TestFolder m_folder;
};

TestCliConvert::Run TestCliConvert::runCli(const QStringList& arguments)
{
    QProcess process;
    process.start(qEnvironmentVariable("VORELIND_BIN_DIR") + "/vorelind-cli", arguments);
    if (!process.waitForFinished(30000))
        qFatal("vorelind-cli did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput()};
}

void TestCliConvert::initTestCase()
{
    QVERIFY(m_folder.isValid());
}

void TestCliConvert::convertWritesTheViewText_data()
{
    QTest::addColumn<std::string>("fileBytes");

    QTest::newRow("Shift-JIS") << shiftJis(kSamplePage);
    QTest::newRow("EUC-JP") << eucJpPage();
    QTest::newRow("ISO-2022-JP") << iso2022FromEucJp(eucJpPage());
    QTest::newRow("UTF-8") << std::string(kSamplePage);
    QTest::newRow("UTF-8 with a byte order mark") << "\xef\xbb\xbf" + std::string(kSamplePage);
    QTest::newRow("UTF-16LE") << utf16LePage();
    QTest::newRow("UTF-16BE") << utf16BePage();
}

void TestCliConvert::convertWritesTheViewText()
{
    QFETCH(std::string, fileBytes);

    const Run run = runCli({"convert", writeFile(fileBytes)});

    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.output, bytes(shiftJis(kSamplePageInView)));
}

void TestCliConvert::sjisOptionWalksTheConvertedText_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<std::string>("fileBytes");

    for (const QString& command : {QString("indent"), QString("tree"), QString("export")}) {
        QTest::newRow(qPrintable(command + ", EUC-JP")) << command << eucJpPage();
        QTest::newRow(qPrintable(command + ", UTF-16BE")) << command << utf16BePage();
    }
}

void TestCliConvert::sjisOptionWalksTheConvertedText()
{
    QFETCH(QString, command);
    QFETCH(std::string, fileBytes);

    const Run converted = runCli({command, "--sjis", writeFile(fileBytes)});
    const Run fromShiftJis = runCli({command, writeFile(shiftJis(kSamplePage))});

    QCOMPARE(converted.exitCode, 0);
    QCOMPARE(fromShiftJis.exitCode, 0);
    QVERIFY(converted.output.contains(bytes(shiftJis("日本語のテスト"))));
    QCOMPARE(converted.output, fromShiftJis.output);
}

void TestCliConvert::refusesAsTheOtherCommandsDo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<std::string>("fileBytes");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("binary file") << QStringList{"convert"} << std::string("\x01\x02<p>", 5) << 1;
    QTest::newRow("no marker in 129 bytes") << QStringList{"convert"} << std::string(200, 'a') << 1;
    QTest::newRow("convert takes no --sjis") << QStringList{"convert", "--sjis"} << std::string("<p>") << 2;
    QTest::newRow("check takes no --sjis") << QStringList{"check", "--sjis"} << std::string("<p>") << 2;
}

void TestCliConvert::refusesAsTheOtherCommandsDo()
{
    QFETCH(QStringList, arguments);
    QFETCH(std::string, fileBytes);
    QFETCH(int, exitCode);

    const Run run = runCli(arguments << writeFile(fileBytes));

    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(run.output.isEmpty());
}

QTEST_GUILESS_MAIN(TestCliConvert)
#include "tst_cliconvert.moc"
