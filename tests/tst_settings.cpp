#include "platform/store/registryfile.h"
#include "kanjisamples.h"
#include "rootoverride.h"
#include "settings/listfile.h"
#include "settings/settings.h"
#include "testfiles.h"
#include "testlines.h"
#include "util/apperror.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace vorelind;

namespace {

const std::string kProgram = "vorelind-test";
const std::string kSectionPath = "SOFTWARE\\ZEMBRAKO\\" + kProgram + "\\HTMLTREESTRUCT";
const std::string kHeader = "Windows Registry Editor Version 5.00\r\n";
const std::string kKeys = "\r\n[HKEY_CURRENT_USER\\SOFTWARE]\r\n"
                          "\r\n[HKEY_CURRENT_USER\\SOFTWARE\\ZEMBRAKO]\r\n"
                          "\r\n[HKEY_CURRENT_USER\\SOFTWARE\\ZEMBRAKO\\vorelind-test]\r\n";
const std::string kSection = "\r\n[HKEY_CURRENT_USER\\SOFTWARE\\ZEMBRAKO\\vorelind-test\\HTMLTREESTRUCT]\r\n";

// The views, recording which of the first three the settings were applied to.
class FakeViews : public SettingsViews {
public:
    std::string fileMask() const override { return mask; }
    void setFileMask(const std::string& value) override
    {
        mask = value;
        applied += "mask ";
    }
    std::string folder() const override { return directory; }
    void setFolder(const std::string& value) override
    {
        if (value == missingFolder)
            throw AppError("cannot change to " + value);
        directory = value;
        applied += "folder ";
    }
    bool convertsToShiftJis() const override { return on; }
    void setConvertsToShiftJis(bool value) override
    {
        on = value;
        applied += "nkf ";
    }
    RulesChoice rulesChoice() const override { return rules; }
    void setRulesChoice(RulesChoice value) override { rules = value; }

    std::string mask = "designed";
    std::string directory = "/designed";
    bool on = false;
    RulesChoice rules = RulesChoice::Xml;
    std::string missingFolder;
    std::string applied;
};

// Passes every call on to the settings file.
class ForwardingRegistry : public Registry {
public:
    explicit ForwardingRegistry(const std::string& path)
        : m_file(path)
    {
    }
    RegistryStatus createKey(RegistryKey parent, const std::string& path, RegistryKey& key) override
    {
        return m_file.createKey(parent, path, key);
    }
    RegistryStatus openKey(RegistryKey parent, const std::string& path, RegistryKey& key) override
    {
        return m_file.openKey(parent, path, key);
    }
    RegistryStatus queryValueType(RegistryKey key, const std::string& name, std::uint32_t& type,
                                  std::uint32_t& size) override
    {
        return m_file.queryValueType(key, name, type, size);
    }
    RegistryStatus queryValueData(RegistryKey key, const std::string& name, std::uint32_t bufferSize,
                                  std::string& data) override
    {
        return m_file.queryValueData(key, name, bufferSize, data);
    }
    RegistryStatus setStringValue(RegistryKey key, const std::string& name, const std::string& text) override
    {
        return m_file.setStringValue(key, name, text);
    }
    void closeKey(RegistryKey key) override { m_file.closeKey(key); }

protected:
    RegistryFile m_file;
};

// A registry that can't store one value.
class RefusingRegistry : public ForwardingRegistry {
public:
    RefusingRegistry(const std::string& path, std::string refused)
        : ForwardingRegistry(path)
        , m_refused(std::move(refused))
    {
    }
    RegistryStatus setStringValue(RegistryKey key, const std::string& name, const std::string& text) override
    {
        if (name == m_refused)
            return RegistryStatus::Failed;
        return ForwardingRegistry::setStringValue(key, name, text);
    }

private:
    std::string m_refused;
};

// Another copy of the program stores a longer mask between the two queries.
class RacingRegistry : public ForwardingRegistry {
public:
    explicit RacingRegistry(const std::string& path)
        : ForwardingRegistry(path)
        , m_otherCopy(path)
    {
    }
    RegistryStatus queryValueType(RegistryKey key, const std::string& name, std::uint32_t& type,
                                  std::uint32_t& size) override
    {
        const RegistryStatus status = ForwardingRegistry::queryValueType(key, name, type, size);
        RegistryKey section = 0;
        if (name == "MASK" && m_otherCopy.createKey(kCurrentUser, kSectionPath, section) == RegistryStatus::Success) {
            m_otherCopy.setStringValue(section, name, "*.html;*.htm;*.xml");
            m_otherCopy.closeKey(section);
        }
        return status;
    }

private:
    RegistryFile m_otherCopy;
};

// A running copy of the program, started with the values it stores at exit.
// With a file size limit, the system kills it when a write passes the limit.
class Peer {
public:
    Peer(const QString& listPath, const QStringList& values, rlim_t fileSizeLimit = RLIM_INFINITY)
    {
        const QString program = QCoreApplication::applicationDirPath() + "/settingspeer";
        m_process.setChildProcessModifier([fileSizeLimit] {
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
        m_process.start(program, QStringList{QString::fromStdString(kProgram), listPath} + values);
    }

    bool waitUntilReady()
    {
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(10000))
                return false;
        }
        return m_process.readLine() == "ready\n";
    }

    void exit()
    {
        m_process.write("\n");
        m_process.closeWriteChannel();
    }

    bool exitedCleanly()
    {
        return m_process.waitForFinished(20000) && m_process.exitStatus() == QProcess::NormalExit
            && m_process.exitCode() == 0;
    }

    QByteArray errors() { return m_process.readAllStandardError(); }

private:
    QProcess m_process;
};

} // namespace

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstStartGivesDefaultsAndCreatesOnlyTheProgramKey();
    void roundTrip_data();
    void roundTrip();
    void rulesChoice_data();
    void rulesChoice();
    void conversionOption_data();
    void conversionOption();
    void storedTypes_data();
    void storedTypes();
    void unenterableFolderEndsTheRead();
    void failedWriteKeepsTheValuesBeforeIt();
    void valueChangingBetweenQueriesIsReadAsItWas();
    void readOnlyStore_data();
    void readOnlyStore();
    void malformedStoreIsReportedAndKept();
    void programName_data();
    void programName();
    void lastCopyToExitWins_data();
    void lastCopyToExitWins();
    void copiesExitingTogetherLeaveWholeFiles();
    void writerKilledMidwayLeavesWholeFiles_data();
    void writerKilledMidwayLeavesWholeFiles();

private:
    QString storePath() const { return m_config->filePath("vorelind/registry.reg"); }
    std::string storeText() const { return readFile(storePath()); }
    QStringList leftFiles() const;
    void writeStore(const std::string& sectionLines);
    RegistryStatus openSection();

    std::unique_ptr<QTemporaryDir> m_config;
};

void TestSettings::init()
{
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config->path()));
}

void TestSettings::cleanup()
{
    // Undo what a test made read-only, so that the folder can go.
    ::chmod(QFile::encodeName(m_config->path()).constData(), 0700);
    ::chmod(QFile::encodeName(m_config->filePath("vorelind")).constData(), 0700);
    m_config.reset();
}

// Files beside the settings file and the list other than these two.
QStringList TestSettings::leftFiles() const
{
    const QDir::Filters files = QDir::Files | QDir::Hidden | QDir::System;
    QStringList left = QDir(m_config->path()).entryList(files) + QDir(m_config->filePath("vorelind")).entryList(files);
    left.removeAll("ignore.trm");
    left.removeAll("registry.reg");
    return left;
}

void TestSettings::writeStore(const std::string& sectionLines)
{
    QVERIFY(QDir().mkpath(m_config->filePath("vorelind")));
    writeFile(storePath(), kHeader + kKeys + kSection + sectionLines);
}

RegistryStatus TestSettings::openSection()
{
    RegistryFile registry(storePath().toStdString());
    RegistryKey key = 0;
    return registry.openKey(kCurrentUser, kSectionPath, key);
}

void TestSettings::firstStartGivesDefaultsAndCreatesOnlyTheProgramKey()
{
    FakeViews views;
    readSettings(views, kProgram);
    QCOMPARE(bytes(views.mask), bytes("*.htm*"));
    QCOMPARE(bytes(views.directory), bytes("/"));
    QVERIFY(views.on);
    QCOMPARE(views.rules, RulesChoice::Automatic);
    QCOMPARE(bytes(views.applied), bytes("mask folder nkf "));
    QCOMPARE(bytes(storeText()), bytes(kHeader + kKeys));
    QCOMPARE(openSection(), RegistryStatus::NotFound);

    writeSettings(views, kProgram);
    QCOMPARE(bytes(storeText()), bytes(kHeader + kKeys + kSection
                                       + "\"MASK\"=\"*.htm*\"\r\n\"DIRECTORY\"=\"/\"\r\n\"NKF\"=\"1\"\r\n"
                                         "\"RULES\"=\"auto\"\r\n"));
}

void TestSettings::roundTrip_data()
{
    QTest::addColumn<std::string>("mask");
    QTest::addColumn<std::string>("folder");
    QTest::addColumn<bool>("on");

    QTest::newRow("option off") << std::string("*.xml") << std::string("/srv/pages") << false;
    QTest::newRow("empty mask is stored as it is") << std::string() << std::string("/tmp") << true;
    QTest::newRow("quotes, backslashes, several patterns")
        << std::string("*.htm*;\"*.x\\\"") << std::string("C:\\Users\\a\\") << true;
    QTest::newRow("Shift-JIS whose second bytes are 0x5C") << shiftJis("*.表") << shiftJis("/ソース/能力") << false;
    QTest::newRow("line break in a folder name") << std::string("*") << std::string("/a\nb") << true;
}

void TestSettings::roundTrip()
{
    QFETCH(std::string, mask);
    QFETCH(std::string, folder);
    QFETCH(bool, on);
    FakeViews written;
    written.mask = mask;
    written.directory = folder;
    written.on = on;
    writeSettings(written, kProgram);

    FakeViews read;
    read.on = !on;
    readSettings(read, kProgram);
    QCOMPARE(bytes(read.mask), bytes(mask));
    QCOMPARE(bytes(read.directory), bytes(folder));
    QCOMPARE(read.on, on);
}

void TestSettings::rulesChoice_data()
{
    QTest::addColumn<std::string>("stored");
    QTest::addColumn<RulesChoice>("choice");

    QTest::newRow("html") << std::string("html") << RulesChoice::Html;
    QTest::newRow("xml") << std::string("xml") << RulesChoice::Xml;
    QTest::newRow("a word of no choice is automatic") << std::string("HTML5") << RulesChoice::Automatic;
}

// The choice is stored as a word of its own beside the other values, and
// read back; a word no copy of the program writes falls back to automatic.
void TestSettings::rulesChoice()
{
    QFETCH(std::string, stored);
    QFETCH(RulesChoice, choice);
    writeStore("\"MASK\"=\"*.x\"\r\n\"DIRECTORY\"=\"/\"\r\n\"NKF\"=\"0\"\r\n\"RULES\"=\"" + stored + "\"\r\n");
    FakeViews views;
    views.on = true;
    readSettings(views, kProgram);
    QCOMPARE(views.rules, choice);
    QCOMPARE(bytes(views.mask), bytes("*.x"));
    QVERIFY(!views.on);

    writeSettings(views, kProgram);
    FakeViews read;
    readSettings(read, kProgram);
    QCOMPARE(read.rules, choice);
}

void TestSettings::conversionOption_data()
{
    QTest::addColumn<std::string>("stored");
    QTest::addColumn<bool>("on");

    QTest::newRow("0") << std::string("0") << false;
    QTest::newRow("1") << std::string("1") << true;
    QTest::newRow("2") << std::string("2") << true;
    QTest::newRow("-1") << std::string("-1") << true;
    QTest::newRow("leading blanks and zeros") << std::string("   000") << false;
    QTest::newRow("+0") << std::string("+0") << false;
    QTest::newRow("-0") << std::string("-0") << false;
    QTest::newRow("$0") << std::string("$0") << false;
    QTest::newRow("-$0") << std::string("-$0") << false;
    QTest::newRow("0x0") << std::string("0x0") << false;
    QTest::newRow("0X00") << std::string("0X00") << false;
    QTest::newRow("$1f") << std::string("$1f") << true;
    QTest::newRow("largest 32-bit value") << std::string("2147483647") << true;
    QTest::newRow("a word") << std::string("off") << true;
    QTest::newRow("the empty text") << std::string() << true;
    QTest::newRow("trailing blank") << std::string("0 ") << true;
    QTest::newRow("leading tab") << std::string("\t0") << true;
    QTest::newRow("sign twice") << std::string("+-0") << true;
    QTest::newRow("blank after the sign") << std::string("- 0") << true;
    QTest::newRow("prefix without digits") << std::string("0x") << true;
    QTest::newRow("$ alone") << std::string("$") << true;
    QTest::newRow("decimal point") << std::string("0.0") << true;
    QTest::newRow("hexadecimal digits without prefix") << std::string("0a") << true;
    // Beyond 32 bits is no integer; it must not wrap round to 0.
    QTest::newRow("2^32 in hexadecimal") << std::string("0x100000000") << true;
    QTest::newRow("2^32 in decimal") << std::string("4294967296") << true;
}

void TestSettings::conversionOption()
{
    QFETCH(std::string, stored);
    QFETCH(bool, on);
    RegistryFile registry(storePath().toStdString());
    RegistryKey key = 0;
    QCOMPARE(registry.createKey(kCurrentUser, kSectionPath, key), RegistryStatus::Success);
    QCOMPARE(registry.setStringValue(key, "NKF", stored), RegistryStatus::Success);
    FakeViews views;
    views.on = !on;
    readSettings(views, kProgram);
    QCOMPARE(views.on, on);
}

void TestSettings::storedTypes_data()
{
    QTest::addColumn<std::string>("lines");
    QTest::addColumn<QString>("message");
    QTest::addColumn<std::string>("applied");
    QTest::addColumn<std::string>("mask");

    QTest::newRow("REG_EXPAND_SZ is read as text")
        << std::string("\"MASK\"=hex(2):2a,2e,78,00\r\n") << QString("(no error)") << std::string("mask folder nkf ")
        << std::string("*.x");
    QTest::newRow("text ends at its first NUL")
        << std::string("\"MASK\"=hex(1):2a,00,2e,78,00\r\n") << QString("(no error)")
        << std::string("mask folder nkf ") << std::string("*");
    QTest::newRow("value of size 0 is the empty text")
        << std::string("\"MASK\"=hex(1):\r\n") << QString("(no error)") << std::string("mask folder nkf ")
        << std::string();
    QTest::newRow("NKF as DWORD fails after the values before it")
        << std::string("\"MASK\"=\"*.x\"\r\n\"NKF\"=dword:00000001\r\n")
        << QString::fromUtf8("'NKF' のデータ型が不正です") << std::string("mask folder ") << std::string("*.x");
    QTest::newRow("MASK as binary fails first")
        << std::string("\"MASK\"=hex:2a,00\r\n") << QString::fromUtf8("'MASK' のデータ型が不正です")
        << std::string() << std::string("designed");
    QTest::newRow("DIRECTORY as REG_MULTI_SZ")
        << std::string("\"DIRECTORY\"=hex(7):2f,00,00\r\n") << QString::fromUtf8("'DIRECTORY' のデータ型が不正です")
        << std::string("mask ") << std::string("*.htm*");
    QTest::newRow("empty DIRECTORY leaves the folder list where it is")
        << std::string("\"DIRECTORY\"=\"\"\r\n") << QString("(no error)") << std::string("mask nkf ")
        << std::string("*.htm*");
}

void TestSettings::storedTypes()
{
    QFETCH(std::string, lines);
    QFETCH(QString, message);
    QFETCH(std::string, applied);
    QFETCH(std::string, mask);
    writeStore(lines);
    FakeViews views;
    QCOMPARE(messageOf([&] { readSettings(views, kProgram); }), message);
    QCOMPARE(bytes(views.applied), bytes(applied));
    QCOMPARE(bytes(views.mask), bytes(mask));
}

void TestSettings::unenterableFolderEndsTheRead()
{
    writeStore("\"DIRECTORY\"=\"/gone\"\r\n\"NKF\"=\"1\"\r\n");
    FakeViews views;
    views.missingFolder = "/gone";
    QCOMPARE(messageOf([&] { readSettings(views, kProgram); }), QString("cannot change to /gone"));
    QCOMPARE(bytes(views.applied), bytes("mask "));
    QVERIFY(!views.on); // the option keeps the state it had
}

void TestSettings::failedWriteKeepsTheValuesBeforeIt()
{
    writeStore("\"MASK\"=\"old\"\r\n\"DIRECTORY\"=\"/old\"\r\n\"NKF\"=\"0\"\r\n");
    FakeViews views;
    views.mask = "new";
    views.directory = "/new";
    views.on = true;
    RefusingRegistry registry(storePath().toStdString(), "DIRECTORY");
    QCOMPARE(messageOf([&] { writeSettings(views, kProgram, registry); }),
             QString::fromUtf8("'DIRECTORY' の設定に失敗しました"));
    QCOMPARE(bytes(storeText()),
             bytes(kHeader + kKeys + kSection + "\"MASK\"=\"new\"\r\n\"DIRECTORY\"=\"/old\"\r\n\"NKF\"=\"0\"\r\n"));
}

// One reading of the settings reads the file once, so a copy that saves
// meanwhile changes nothing of what it gives.
void TestSettings::valueChangingBetweenQueriesIsReadAsItWas()
{
    writeStore("\"MASK\"=\"*.htm\"\r\n");
    FakeViews views;
    RacingRegistry registry(storePath().toStdString());
    readSettings(views, kProgram, registry);
    QCOMPARE(bytes(views.mask), bytes("*.htm"));
    QCOMPARE(bytes(views.applied), bytes("mask folder nkf "));
    FakeViews after;
    readSettings(after, kProgram);
    QCOMPARE(bytes(after.mask), bytes("*.html;*.htm;*.xml"));
}

void TestSettings::readOnlyStore_data()
{
    QTest::addColumn<QString>("readOnly"); // "file", "folder" or "config"
    QTest::addColumn<bool>("withSection");
    QTest::addColumn<QString>("message");

    const QString notStored = QString::fromUtf8("'MASK' の設定に失敗しました");
    QTest::newRow("read-only file") << "file" << true << notStored;
    QTest::newRow("read-only folder") << "folder" << true << notStored;
    QTest::newRow("read-only file without the section")
        << "file" << false << QString::fromUtf8("キー HTMLTREESTRUCT の作成に失敗しました");
    QTest::newRow("configuration folder read-only at the first start")
        << "config" << false << QString::fromUtf8("キー SOFTWARE\\ZEMBRAKO\\vorelind-test の作成に失敗しました");
}

void TestSettings::readOnlyStore()
{
    QFETCH(QString, readOnly);
    QFETCH(bool, withSection);
    QFETCH(QString, message);
    FakeViews views;
    if (withSection)
        writeSettings(views, kProgram);
    else if (readOnly != "config")
        readSettings(views, kProgram);
    const std::string before = storeText();
    const QString target = readOnly == "file" ? storePath()
        : readOnly == "folder"                 ? m_config->filePath("vorelind")
                                               : m_config->path();
    QCOMPARE(::chmod(QFile::encodeName(target).constData(), readOnly == "file" ? 0444 : 0555), 0);

    const WithoutRootOverride asUser;
    if (!asUser.modesBind())
        QSKIP("file modes can't be made to bind this process");
    views.mask = "changed";
    QCOMPARE(messageOf([&] { writeSettings(views, kProgram); }), message);
    QCOMPARE(bytes(storeText()), bytes(before));
    if (readOnly == "config")
        QCOMPARE(messageOf([&] { readSettings(views, kProgram); }), message);
}

void TestSettings::malformedStoreIsReportedAndKept()
{
    writeStore("\"MASK\"=\"*.htm\r\n");
    const std::string before = storeText();
    const QString message = QString::fromUtf8("設定ファイル %1:10 の書式が不正です").arg(storePath());
    FakeViews views;
    QCOMPARE(messageOf([&] { readSettings(views, kProgram); }), message);
    QCOMPARE(bytes(views.applied), bytes(""));
    QCOMPARE(messageOf([&] { writeSettings(views, kProgram); }), message);
    QCOMPARE(bytes(storeText()), bytes(before));
}

void TestSettings::programName_data()
{
    QTest::addColumn<std::string>("path");
    QTest::addColumn<std::string>("name");

    QTest::newRow("Windows path") << std::string("C:\\Program Files\\Vorelind\\X.exe") << std::string("X");
    QTest::newRow("no extension") << std::string("tools/bin/vorelind") << std::string("vorelind");
    QTest::newRow("only the last extension goes") << std::string("tools/vore.lind.exe") << std::string("vore.lind");
    QTest::newRow("dot in a folder name") << std::string("tools/v1.2/vorelind") << std::string("vorelind");
    QTest::newRow("hidden file keeps its dot") << std::string("home/u/.vorelind") << std::string(".vorelind");
    QTest::newRow("Shift-JIS with second byte 0x5C") << shiftJis("C:\\ツール\\表示.exe") << shiftJis("表示");
}

void TestSettings::programName()
{
    QFETCH(std::string, path);
    QFETCH(std::string, name);
    QCOMPARE(bytes(programNameOf(path)), bytes(name));
}

void TestSettings::lastCopyToExitWins_data()
{
    QTest::addColumn<bool>("firstExitsFirst");
    QTest::newRow("the copy started first exits first") << true;
    QTest::newRow("the copy started first exits last") << false;
}

void TestSettings::lastCopyToExitWins()
{
    QFETCH(bool, firstExitsFirst);
    // Both copies load the list; a list that was not loaded never replaces the file.
    const QString listPath = m_config->filePath("ignore.trm");
    writeFile(listPath, "");
    Peer first(listPath, {"*.first", "/first", "0", "P"});
    QVERIFY(first.waitUntilReady());
    Peer second(listPath, {"*.second", "/second", "1", "BR", "HR"});
    QVERIFY(second.waitUntilReady());

    Peer& earlier = firstExitsFirst ? first : second;
    Peer& later = firstExitsFirst ? second : first;
    earlier.exit();
    QVERIFY2(earlier.exitedCleanly(), earlier.errors().constData());
    later.exit();
    QVERIFY2(later.exitedCleanly(), later.errors().constData());

    FakeViews views;
    readSettings(views, kProgram);
    QCOMPARE(bytes(views.mask), bytes(firstExitsFirst ? "*.second" : "*.first"));
    QCOMPARE(bytes(views.directory), bytes(firstExitsFirst ? "/second" : "/first"));
    QCOMPARE(views.on, firstExitsFirst);
    QCOMPARE(bytes(readFile(listPath)), bytes(firstExitsFirst ? "BR\r\nHR\r\n" : "P\r\n"));
}

void TestSettings::copiesExitingTogetherLeaveWholeFiles()
{
    const QString listPath = m_config->filePath("ignore.trm");
    writeFile(listPath, "");
    std::vector<std::unique_ptr<Peer>> peers;
    QStringList masks;
    QList<QByteArray> lists;
    for (int i = 0; i < 6; ++i) {
        const QString tag = QString::number(i);
        masks << "*." + tag;
        lists << QByteArray("TAG" + tag.toLatin1() + "\r\n");
        peers.push_back(std::make_unique<Peer>(listPath, QStringList{"*." + tag, "/" + tag, "1", "TAG" + tag}));
    }
    for (const auto& peer : peers)
        QVERIFY(peer->waitUntilReady());
    for (const auto& peer : peers)
        peer->exit();
    for (const auto& peer : peers)
        QVERIFY2(peer->exitedCleanly(), peer->errors().constData());

    FakeViews views;
    readSettings(views, kProgram);
    QVERIFY2(masks.contains(QString::fromStdString(views.mask)), views.mask.c_str());
    QVERIFY(lists.contains(QByteArray::fromStdString(readFile(listPath))));
    QCOMPARE(QDir(m_config->filePath("vorelind")).entryList(QDir::Files), QStringList{"registry.reg"});
}

void TestSettings::writerKilledMidwayLeavesWholeFiles_data()
{
    QTest::addColumn<qint64>("fileSizeLimit");
    QTest::addColumn<bool>("settingsStored");

    // The settings file of this test takes some 300 bytes, the new list some 8 KB.
    QTest::newRow("killed writing the settings") << qint64(64) << false;
    QTest::newRow("killed writing the list") << qint64(4096) << true;
}

void TestSettings::writerKilledMidwayLeavesWholeFiles()
{
    QFETCH(qint64, fileSizeLimit);
    QFETCH(bool, settingsStored);
    const QString listPath = m_config->filePath("ignore.trm");
    writeFile(listPath, "P\r\n");
    FakeViews before;
    writeSettings(before, kProgram);
    const std::string storedBefore = storeText();
    QStringList values{"*.after", "/after", "0"};
    for (int i = 0; i < 1000; ++i)
        values << QString("TAG%1").arg(i);

    Peer writer(listPath, values, static_cast<rlim_t>(fileSizeLimit));
    QVERIFY(writer.waitUntilReady());
    writer.exit();
    QVERIFY(!writer.exitedCleanly());

    QCOMPARE(bytes(readFile(listPath)), bytes("P\r\n"));
    if (settingsStored) {
        FakeViews after;
        readSettings(after, kProgram);
        QCOMPARE(bytes(after.mask), bytes("*.after"));
    } else {
        QCOMPARE(bytes(storeText()), bytes(storedBefore));
    }

    // The next saves remove the new file that the killed copy left.
    QCOMPARE(leftFiles().size(), 1);
    writeSettings(before, kProgram);
    IgnoreListFile list(listPath.toStdString());
    list.save(list.load());
    QCOMPARE(leftFiles(), QStringList());
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
