#include "platform/lockedfile.h"
#include "platform/regfiletext.h"
#include "platform/registryfile.h"
#include "rootoverride.h"
#include "testfiles.h"
#include "testlines.h"
#include "util/apperror.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace vorelind;

namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00\r\n";

// "表" ends in 0x5C, the byte of "\"; "ソ" too.
const std::string kTable = "\x95\x5c";
const std::string kSo = "\x83\x5c";

// A REG_SZ's data: the text and its NUL.
std::string sz(const std::string& text)
{
    return text + '\0';
}

std::string describe(const std::vector<RegFileKey>& keys)
{
    std::string text;
    for (const RegFileKey& key : keys) {
        text += "[" + key.path + "]";
        for (const RegFileValue& value : key.values)
            text += " " + value.name + ":" + std::to_string(value.type) + "=" + QByteArray::fromStdString(value.data).toHex().toStdString();
        text += "\n";
    }
    return text;
}

} // namespace

class TestRegistryFile : public QObject {
    Q_OBJECT

private slots:
    void writesEveryTypeAndReadsItBack();
    void reads_data();
    void reads();
    void reportsTheFirstBadLine_data();
    void reportsTheFirstBadLine();
    void keyPaths_data();
    void keyPaths();
    void namesIgnoreCaseButNotSecondBytes();

    void createsKeysWithTheKeysAboveThem();
    void queriesLikeTheRegistry();
    void refusesWhatTheFileCannotHold();
    void replacesTheFileWholeAndKeepsItsMode();
    void reportsAFileThatCannotBeRead();
    void leavesAMalformedFileAlone();
    void removesTheNewFilesOfGoneWritersOnly();

private:
    QTemporaryDir m_folder;
    QString storePath() const { return m_folder.filePath("vorelind/registry.reg"); }
};

void TestRegistryFile::writesEveryTypeAndReadsItBack()
{
    const std::vector<RegFileKey> keys = {
        {"SOFTWARE", {}},
        {"SOFTWARE\\ZEMBRAKO\\" + kTable,
         {
             {"MASK", 1, sz("*.htm*")},
             {"DIRECTORY", 1, sz("C:\\\"q\"\\" + kSo)},
             {"", 1, sz("default")},
             {"NKF", 4, std::string("\x01\x00\x00\x80", 4)},
             {"PATH", 2, sz(sz("%A%"))},
             {"BLOB", 3, std::string("\x00\xff", 2)},
             {"LINES", 1, sz("a\r\nb")},   // a line break: no quoted form
             {"UNENDED", 1, std::string("abc", 3)},      // no terminating NUL
             {"HALF", 1, sz("a\x95")},      // a lone lead byte would take the quote
             {"SHORT", 4, std::string("\x01\x02", 2)},   // a DWORD of two bytes
             {"EMPTY", 0, std::string()},
         }},
    };
    const std::string expected = kHeader
        + "\r\n[HKEY_CURRENT_USER\\SOFTWARE]\r\n"
          "\r\n[HKEY_CURRENT_USER\\SOFTWARE\\ZEMBRAKO\\" + kTable + "]\r\n"
          "\"MASK\"=\"*.htm*\"\r\n"
          "\"DIRECTORY\"=\"C:\\\\\\\"q\\\"\\\\" + kSo + "\"\r\n"
          "@=\"default\"\r\n"
          "\"NKF\"=dword:80000001\r\n"
          "\"PATH\"=hex(2):25,41,25,00,00\r\n"
          "\"BLOB\"=hex:00,ff\r\n"
          "\"LINES\"=hex(1):61,0d,0a,62,00\r\n"
          "\"UNENDED\"=hex(1):61,62,63\r\n"
          "\"HALF\"=hex(1):61,95,00\r\n"
          "\"SHORT\"=hex(4):01,02\r\n"
          "\"EMPTY\"=hex(0):\r\n";
    const std::string text = regFileText(keys);
    QCOMPARE(bytes(text), bytes(expected));

    std::vector<RegFileKey> parsed;
    std::size_t badLine = 0;
    QVERIFY(parseRegFileText(text, parsed, badLine));
    QCOMPARE(bytes(describe(parsed)), bytes(describe(keys)));
}

void TestRegistryFile::reads_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("LF line ends, comments and blank lines")
        << std::string("Windows Registry Editor Version 5.00\n; note\n\n[HKEY_CURRENT_USER\\A]\n\"V\"=\"x\"\n")
        << std::string("[A] V:1=7800\n");
    QTest::newRow("hex list continued over lines")
        << kHeader + "[HKEY_CURRENT_USER\\A]\r\n\"V\"=hex(2):41,\\\r\n  00, \\\r\n  00\r\n"
        << std::string("[A] V:2=410000\n");
    QTest::newRow("root and keys in any case, sections merged, later value wins")
        << kHeader + "[hkey_current_user\\A\\B]\r\n\"v\"=\"1\"\r\n[HKEY_CURRENT_USER\\a\\b]\r\n\"V\"=\"2\"\r\n\"W\"=dword:1\r\n"
        << std::string("[A\\B] V:1=3200 W:4=01000000\n");
    QTest::newRow("empty binary and the root section")
        << kHeader + "[HKEY_CURRENT_USER]\r\n[HKEY_CURRENT_USER\\\\A\\]\r\n\"B\"=hex:\r\n"
        << std::string("[]\n[A] B:3=\n");
    QTest::newRow("Shift-JIS key and value names ending in 0x5C")
        << kHeader + "[HKEY_CURRENT_USER\\" + kTable + "]\r\n\"" + kSo + "\"=\"" + kTable + "\"\r\n"
        << "[" + kTable + "] " + kSo + ":1=955c00\n";
}

void TestRegistryFile::reads()
{
    QFETCH(std::string, text);
    QFETCH(std::string, expected);
    std::vector<RegFileKey> keys;
    std::size_t badLine = 0;
    QVERIFY2(parseRegFileText(text, keys, badLine), qPrintable(QString::number(badLine)));
    QCOMPARE(bytes(describe(keys)), bytes(expected));
}

void TestRegistryFile::reportsTheFirstBadLine_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<int>("line");

    const std::string section = "[HKEY_CURRENT_USER\\A]\r\n";
    QTest::newRow("empty file") << std::string() << 1;
    QTest::newRow("other header") << std::string("REGEDIT4\r\n") << 1;
    QTest::newRow("value before any section") << kHeader + "\"V\"=\"x\"\r\n" << 2;
    QTest::newRow("other root") << kHeader + "[HKEY_LOCAL_MACHINE\\A]\r\n" << 2;
    QTest::newRow("root name run on") << kHeader + "[HKEY_CURRENT_USERS\\A]\r\n" << 2;
    QTest::newRow("section not closed") << kHeader + "[HKEY_CURRENT_USER\\A\r\n" << 2;
    QTest::newRow("key deletion") << kHeader + "[-HKEY_CURRENT_USER\\A]\r\n" << 2;
    QTest::newRow("value deletion") << kHeader + section + "\"V\"=-\r\n" << 3;
    QTest::newRow("unknown escape") << kHeader + section + "\"V\"=\"a\\nb\"\r\n" << 3;
    QTest::newRow("quote not closed") << kHeader + section + "\"V\"=\"abc\r\n" << 3;
    QTest::newRow("text after the quote") << kHeader + section + "\"V\"=\"a\" b\r\n" << 3;
    QTest::newRow("name without equals") << kHeader + section + "\"V\" \"a\"\r\n" << 3;
    QTest::newRow("dword of nine digits") << kHeader + section + "\"V\"=dword:123456789\r\n" << 3;
    QTest::newRow("dword not hexadecimal") << kHeader + section + "\"V\"=dword:12g\r\n" << 3;
    QTest::newRow("hex byte of one digit") << kHeader + section + "\"V\"=hex:1,02\r\n" << 3;
    QTest::newRow("hex list ending in a comma") << kHeader + section + "\"V\"=hex:01,\r\n" << 3;
    QTest::newRow("hex type not a number") << kHeader + section + "\"V\"=hex(zz):01\r\n" << 3;
    QTest::newRow("bad line after good ones") << kHeader + section + "\"A\"=\"1\"\r\n\r\nnonsense\r\n" << 5;
}

void TestRegistryFile::reportsTheFirstBadLine()
{
    QFETCH(std::string, text);
    QFETCH(int, line);
    std::vector<RegFileKey> keys;
    std::size_t badLine = 0;
    QVERIFY(!parseRegFileText(text, keys, badLine));
    QCOMPARE(badLine, static_cast<std::size_t>(line));
}

void TestRegistryFile::keyPaths_data()
{
    QTest::addColumn<std::string>("parent");
    QTest::addColumn<std::string>("path");
    QTest::addColumn<std::string>("joined");
    QTest::addColumn<int>("names");

    QTest::newRow("plain") << std::string("A") << std::string("B\\C") << std::string("A\\B\\C") << 3;
    QTest::newRow("empty names dropped") << std::string("\\A\\") << std::string("\\\\B\\") << std::string("A\\B") << 2;
    QTest::newRow("root") << std::string() << std::string() << std::string() << 0;
    QTest::newRow("second byte 0x5C is no separator")
        << "SOFTWARE\\" + kTable << kSo + "\\" << "SOFTWARE\\" + kTable + "\\" + kSo << 3;
}

void TestRegistryFile::keyPaths()
{
    QFETCH(std::string, parent);
    QFETCH(std::string, path);
    QFETCH(std::string, joined);
    QFETCH(int, names);
    QCOMPARE(bytes(joinKeyPath(parent, path)), bytes(joined));
    QCOMPARE(keyPathNames(joined).size(), static_cast<std::size_t>(names));
}

void TestRegistryFile::namesIgnoreCaseButNotSecondBytes()
{
    QVERIFY(sameRegName("HtmlTreeStruct", "HTMLTREESTRUCT"));
    QVERIFY(!sameRegName("MASK", "MASKS"));
    // Two characters whose second bytes are "a" and "A": folding them would make them one.
    QVERIFY(!sameRegName("\x82\x61", "\x82\x41"));
    QVERIFY(sameRegName("a\x82\x61", "A\x82\x61"));
}

void TestRegistryFile::createsKeysWithTheKeysAboveThem()
{
    RegistryFile registry(storePath().toStdString());
    RegistryKey key = 0;
    QCOMPARE(registry.openKey(kCurrentUser, "SOFTWARE\\ZEMBRAKO", key), RegistryStatus::NotFound);
    QVERIFY(!QFileInfo::exists(storePath())); // reading creates nothing

    QCOMPARE(registry.createKey(kCurrentUser, "SOFTWARE\\ZEMBRAKO\\x\\", key), RegistryStatus::Success);
    QCOMPARE(bytes(readFile(storePath())),
             bytes(kHeader + "\r\n[HKEY_CURRENT_USER\\SOFTWARE]\r\n\r\n[HKEY_CURRENT_USER\\SOFTWARE\\ZEMBRAKO]\r\n"
                   "\r\n[HKEY_CURRENT_USER\\SOFTWARE\\ZEMBRAKO\\x]\r\n"));
    RegistryKey section = 0;
    QCOMPARE(registry.createKey(key, "HTMLTREESTRUCT", section), RegistryStatus::Success);
    QCOMPARE(registry.openKey(kCurrentUser, "software\\zembrako\\X\\htmltreestruct", section), RegistryStatus::Success);
    QFile::remove(storePath());
}

void TestRegistryFile::queriesLikeTheRegistry()
{
    RegistryFile registry(storePath().toStdString());
    RegistryKey key = 0;
    QCOMPARE(registry.createKey(kCurrentUser, "A", key), RegistryStatus::Success);
    QCOMPARE(registry.setStringValue(key, "Name", "text"), RegistryStatus::Success);

    std::uint32_t type = 0;
    std::uint32_t size = 0;
    QCOMPARE(registry.queryValueType(key, "NAME", type, size), RegistryStatus::Success);
    QCOMPARE(type, kRegSz);
    QCOMPARE(size, 5u); // the text and its NUL
    std::string data;
    QCOMPARE(registry.queryValueData(key, "name", 4, data), RegistryStatus::MoreData);
    QCOMPARE(registry.queryValueData(key, "name", 5, data), RegistryStatus::Success);
    QCOMPARE(bytes(data), bytes(sz("text")));
    QCOMPARE(registry.queryValueType(key, "Other", type, size), RegistryStatus::NotFound);

    registry.closeKey(key);
    QCOMPARE(registry.queryValueType(key, "Name", type, size), RegistryStatus::Failed);
    QFile::remove(storePath());
}

void TestRegistryFile::refusesWhatTheFileCannotHold()
{
    RegistryFile registry(storePath().toStdString());
    RegistryKey key = 0;
    QCOMPARE(registry.createKey(kCurrentUser, "A\r\nB", key), RegistryStatus::Failed);
    QCOMPARE(registry.createKey(kCurrentUser, "A", key), RegistryStatus::Success);
    QCOMPARE(registry.setStringValue(key, "two\nlines", "x"), RegistryStatus::Failed);
    QCOMPARE(registry.setStringValue(kCurrentUser, "ROOT", "x"), RegistryStatus::Failed);
    QFile::remove(storePath());
}

void TestRegistryFile::replacesTheFileWholeAndKeepsItsMode()
{
    RegistryFile registry(storePath().toStdString());
    RegistryKey key = 0;
    QCOMPARE(registry.createKey(kCurrentUser, "A", key), RegistryStatus::Success);
    QCOMPARE(::chmod(QFile::encodeName(storePath()).constData(), 0640), 0);
    QCOMPARE(registry.setStringValue(key, "V", "x"), RegistryStatus::Success);
    struct stat info;
    QCOMPARE(::stat(QFile::encodeName(storePath()).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, 0640u);
    QCOMPARE(QDir(m_folder.filePath("vorelind")).entryList(QDir::Files), QStringList{"registry.reg"});
    QFile::remove(storePath());
}

void TestRegistryFile::reportsAFileThatCannotBeRead()
{
    // A folder where the file should be can't be read, even by root.
    QVERIFY(QDir().mkpath(storePath()));
    RegistryFile registry(storePath().toStdString());
    RegistryKey key = 0;
    QCOMPARE(messageOf([&] { registry.openKey(kCurrentUser, "A", key); }),
             QString::fromUtf8("設定ファイル %1 を読めません").arg(storePath()));
    QVERIFY(QDir().rmdir(storePath()));
}

void TestRegistryFile::leavesAMalformedFileAlone()
{
    const std::string malformed = kHeader + "[HKEY_CURRENT_USER\\A]\r\n\"V\"=\"x\r\n";
    QVERIFY(QDir().mkpath(m_folder.filePath("vorelind")));
    writeFile(storePath(), malformed);
    RegistryFile registry(storePath().toStdString());
    RegistryKey key = 0;
    QCOMPARE(messageOf([&] { registry.createKey(kCurrentUser, "B", key); }),
             QString::fromUtf8("設定ファイル %1:3 の書式が不正です").arg(storePath()));
    QCOMPARE(bytes(readFile(storePath())), bytes(malformed));
    QFile::remove(storePath());
}

// A writer holds its new file locked; one that can be locked was left by a
// writer that is gone.
void TestRegistryFile::removesTheNewFilesOfGoneWritersOnly()
{
    const QString folder = m_folder.filePath("vorelind");
    QVERIFY(QDir().mkpath(folder));
    const QString gone = storePath() + ".vorelind-0badf00d";
    const QString live = storePath() + ".vorelind-12345678";
    const QStringList notNewFiles{storePath() + ".1234", storePath() + ".vorelind-123",
                                  folder + "/other.reg.vorelind-0badf00d"};
    for (const QString& path : QStringList{gone, live} + notNewFiles)
        writeFile(path, "part");
    const LockedFile liveWriter(live.toStdString(), LockedFile::Mode::Write);
    QVERIFY(liveWriter.isOpen());
    RegistryFile registry(storePath().toStdString());
    RegistryKey key = 0;

    QCOMPARE(registry.createKey(kCurrentUser, "A", key), RegistryStatus::Success);

    QVERIFY(!QFile::exists(gone));
    QVERIFY(QFile::exists(live));
    for (const QString& path : notNewFiles)
        QVERIFY2(QFile::exists(path), qPrintable(path));
    for (const QString& path : QStringList{live, storePath()} + notNewFiles)
        QFile::remove(path);
}

QTEST_GUILESS_MAIN(TestRegistryFile)
#include "tst_registryfile.moc"
