#include "document/messages.h"
#include "document/sourceloader.h"
#include "testfiles.h"
#include "testlines.h"
#include "util/apperror.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>

using namespace vorelind;

namespace {

// A folder holding a named pipe, a folder and an empty file.
class FaultFolder {
public:
    FaultFolder()
    {
        if (::mkfifo(path("pipe").c_str(), 0600) != 0 || !QDir(m_dir.path()).mkdir("folder"))
            qFatal("cannot prepare %s", qPrintable(m_dir.path()));
        writeFile(QString::fromStdString(path("empty.htm")), "");
    }

    // Names starting with '/' are taken as they stand.
    std::string path(const QString& name) const
    {
        return (name.startsWith('/') ? name : m_dir.filePath(name)).toStdString();
    }

private:
    QTemporaryDir m_dir;
};

} // namespace

class TestFileFaults : public QObject {
    Q_OBJECT

private slots:
    void specialFilesCannotBeOpened_data();
    void specialFilesCannotBeOpened();
    void specialFilesAreNotRead_data();
    void specialFilesAreNotRead();
    void emptyFileEndsTheCheck();
    void fileDeletedAfterTheCheckFailsTheLoad();
};

void TestFileFaults::specialFilesCannotBeOpened_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("folder") << "folder";
    QTest::newRow("named pipe, which would wait for a writer") << "pipe";
    QTest::newRow("device of zero bytes") << "/dev/zero";
    QTest::newRow("device without end that may look like text") << "/dev/urandom";
    QTest::newRow("empty device") << "/dev/null";
    QTest::newRow("missing file") << "missing.htm";
}

void TestFileFaults::specialFilesCannotBeOpened()
{
    QFETCH(QString, name);
    const FaultFolder folder;
    QCOMPARE(checkTextFile(folder.path(name)), TextCheck::CannotOpen);
}

void TestFileFaults::specialFilesAreNotRead_data()
{
    QTest::addColumn<QString>("name");

    QTest::newRow("folder") << "folder";
    QTest::newRow("named pipe") << "pipe";
    QTest::newRow("device without end") << "/dev/zero";
}

void TestFileFaults::specialFilesAreNotRead()
{
    QFETCH(QString, name);
    const FaultFolder folder;
    const std::string path = folder.path(name);
    const QString expected = fromSjis(formatMessage(messages::kCannotOpenFile, path));
    QCOMPARE(messageOf([&] { checkSourceFileSize(path); }), expected);
    QCOMPARE(messageOf([&] { readFileBytes(path); }), expected);
    QCOMPARE(messageOf([&] { loadSourceFile(path); }), expected);
}

void TestFileFaults::emptyFileEndsTheCheck()
{
    const FaultFolder folder;
    QCOMPARE(checkTextFile(folder.path("empty.htm")), TextCheck::EndOfFile);
}

void TestFileFaults::fileDeletedAfterTheCheckFailsTheLoad()
{
    const FaultFolder folder;
    const std::string path = folder.path("page.htm");
    writeFile(QString::fromStdString(path), "<p>x</p>");
    QCOMPARE(checkTextFile(path), TextCheck::Text);
    QVERIFY(QFile::remove(QString::fromStdString(path)));
    QCOMPARE(messageOf([&] { loadSourceFile(path); }), QString(std::strerror(ENOENT)));
}

QTEST_APPLESS_MAIN(TestFileFaults)
#include "tst_filefaults.moc"
