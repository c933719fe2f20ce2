#include "document/listing.h"
#include "launch/lineanalysislaunch.h"
#include "platform/codecs/displaytext.h"
#include "platform/codecs/sjistext.h"
#include "listingoftext.h"
#include "testfiles.h"
#include "testlines.h"
#include "util/apperror.h"

#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>

using namespace vorelind;

Q_DECLARE_METATYPE(std::vector<std::string>)

namespace {

std::string fileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// What the runner saw: the command line, and the work file and its side file at that moment.
struct RunnerView {
    std::vector<std::string> commands;
    std::vector<std::string> workFiles;
    std::vector<std::string> rulesFiles;
};

} // namespace

class TestLineAnalysisLaunch : public QObject {
    Q_OBJECT

private slots:
    void writesWorkFileForTheRunAndDeletesIt_data();
    void writesWorkFileForTheRunAndDeletesIt();
    void deletesWorkFileWhenToolDoesNotStart();
    void refusesSecondRunWhileOneWaits();
    void unwritableWorkFileStartsNothing_data();
    void unwritableWorkFileStartsNothing();
};

void TestLineAnalysisLaunch::writesWorkFileForTheRunAndDeletesIt_data()
{
    QTest::addColumn<std::vector<std::string>>("lines");
    QTest::addColumn<std::string>("title");
    QTest::addColumn<std::string>("workFileBytes");

    QTest::newRow("lines as they stand, each + CR LF")
        << std::vector<std::string>{"<html>", "  <body>  ", "  </body>"} << fromDisplayText(u"「a.htm」"_qs)
        << std::string("<html>\r\n  <body>  \r\n  </body>\r\n");
    QTest::newRow("nothing loaded: empty file, empty title") << std::vector<std::string>{} << std::string()
                                                             << std::string();
}

void TestLineAnalysisLaunch::writesWorkFileForTheRunAndDeletesIt()
{
    QFETCH(std::vector<std::string>, lines);
    QFETCH(std::string, title);
    QFETCH(std::string, workFileBytes);
    QTemporaryDir folder;
    const std::string executableFolder = folder.path().toStdString() + "/";
    const std::string workFile = executableFolder + "w.htm";
    RunnerView seen;
    LineAnalysisLaunch launch([&](const std::string& command) {
        seen.commands.push_back(command);
        seen.workFiles.push_back(fileBytes(workFile));
        seen.rulesFiles.push_back(fileBytes(workFile + ".rules"));
    });

    std::string listing;
    for (const std::string& line : lines)
        listing += line + "\r\n";
    QVERIFY(launch.run(listingOfText(listing), executableFolder, title, {TagRules::Html, {"LI", "P"}}));

    QCOMPARE(seen.commands, std::vector<std::string>{"kivalter " + workFile + " " + sjisToUtf8(title)});
    QCOMPARE(seen.workFiles.size(), std::size_t(1));
    QCOMPARE(bytes(seen.workFiles[0]), bytes(workFileBytes));
    QCOMPARE(bytes(seen.rulesFiles[0]), bytes("html\r\nLI\r\nP\r\n"));
    QVERIFY(!std::filesystem::exists(workFile));
    QVERIFY(!std::filesystem::exists(workFile + ".rules"));
}

void TestLineAnalysisLaunch::deletesWorkFileWhenToolDoesNotStart()
{
    QTemporaryDir folder;
    const std::string executableFolder = folder.path().toStdString() + "/";
    LineAnalysisLaunch launch([](const std::string&) {});

    QVERIFY(launch.run(listingOfText("<p>"), executableFolder, "t", {}));

    QVERIFY(!std::filesystem::exists(executableFolder + "w.htm"));
}

void TestLineAnalysisLaunch::refusesSecondRunWhileOneWaits()
{
    QTemporaryDir folder;
    const std::string executableFolder = folder.path().toStdString() + "/";
    int runs = 0;
    bool secondAccepted = true;
    std::string workFileAfterSecond;
    LineAnalysisLaunch* self = nullptr;
    LineAnalysisLaunch launch([&](const std::string&) {
        ++runs;
        secondAccepted = self->run(listingOfText("<other>"), executableFolder, "second", {});
        workFileAfterSecond = fileBytes(executableFolder + "w.htm");
    });
    self = &launch;

    QVERIFY(launch.run(listingOfText("<first>"), executableFolder, "first", {}));

    QCOMPARE(runs, 1);
    QVERIFY(!secondAccepted);
    QCOMPARE(bytes(workFileAfterSecond), bytes("<first>\r\n"));
    QVERIFY(!launch.running());
}

void TestLineAnalysisLaunch::unwritableWorkFileStartsNothing_data()
{
    QTest::addColumn<QString>("fault");

    QTest::newRow("folder missing") << "missing";
    QTest::newRow("symbolic link to a file elsewhere") << "link";
    QTest::newRow("symbolic link to a special file") << "special";
    QTest::newRow("named pipe, which would wait for a reader") << "pipe";
}

void TestLineAnalysisLaunch::unwritableWorkFileStartsNothing()
{
    QFETCH(QString, fault);
    QTemporaryDir folder;
    const std::string elsewhere = folder.path().toStdString() + "/elsewhere.txt";
    std::ofstream(elsewhere) << "kept";
    const std::string executableFolder = folder.path().toStdString() + (fault == "missing" ? "/missing/" : "/");
    const std::string workFile = executableFolder + "w.htm";
    if (fault == "link")
        std::filesystem::create_symlink(elsewhere, workFile);
    else if (fault == "special") {
        makeSocketFile(folder.path().toStdString() + "/socket");
        std::filesystem::create_symlink("socket", workFile);
    }
    else if (fault == "pipe")
        QCOMPARE(::mkfifo(workFile.c_str(), 0600), 0);
    int runs = 0;
    LineAnalysisLaunch launch([&](const std::string&) { ++runs; });

    try {
        launch.run(listingOfText("<p>"), executableFolder, "t", {});
        QFAIL("no error raised");
    } catch (const AppError& error) {
        const std::string expected = fromDisplayText(u"ファイル "_qs) + workFile + fromDisplayText(u" を作成できません"_qs);
        QCOMPARE(bytes(error.what()), bytes(expected));
    }

    QCOMPARE(runs, 0);
    QCOMPARE(bytes(fileBytes(elsewhere)), bytes("kept"));
    QVERIFY(!launch.running());
    std::error_code ignored;
    std::filesystem::remove(workFile, ignored);
    QVERIFY(launch.run(listingOfText("<p>"), folder.path().toStdString() + "/", "t", {}));
    QCOMPARE(runs, 1);
}

QTEST_GUILESS_MAIN(TestLineAnalysisLaunch)
#include "tst_lineanalysislaunch.moc"
