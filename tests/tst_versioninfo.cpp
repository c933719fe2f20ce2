#include "executablebuilder.h"
#include "platform/version/versioninfo.h"
#include "testfiles.h"
#include "testlines.h"
#include "platform/version/commonutil.h"
#include "util/versiontexts.h"
#include "versionblock.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <array>

using namespace vorelind;

namespace {

using Texts = std::array<std::string, 16>;

const FixedFileInfo kOwnFixedPart{0x10002, 0x31, 0x10002, 0x31, 0x3F, 0, 4, 1, 0};

const std::vector<TextValue> kStrings = {
    {"Comments", "HTMLファイルをタグで構造化、束ねる"},
    {"CompanyName", "ZEMBRAKO"},
    {"FileVersion", "1.2.0.49"},
    {"ProductName", "Vorelind"},
};

// The sixteen outputs as UTF-8, in the reader's order, for readable comparisons.
QStringList utf8Texts(const Texts& texts)
{
    QStringList list;
    for (const std::string& text : texts)
        list << fromSjis(text);
    return list;
}

Texts versionInfo(const QString& path)
{
    Texts t;
    TCommonUtil().GetVersionInfo(path.toStdString(), t[0], t[1], t[2], t[3], t[4], t[5], t[6], t[7], t[8], t[9],
                                 t[10], t[11], t[12], t[13], t[14], t[15]);
    return t;
}

// The sixteen outputs expected: the four fixed-part texts, then the twelve
// string values, named values given and all others empty.
QStringList expectedTexts(const QStringList& fixedTexts, const std::vector<TextValue>& strings)
{
    static const QStringList names = {"Comments",        "CompanyName",    "FileDescription", "FileVersion",
                                      "InternalName",    "LegalCopyright", "LegalTrademarks", "OriginalFilename",
                                      "PrivateBuild",    "ProductName",    "ProductVersion",  "SpecialBuild"};
    QStringList texts = fixedTexts;
    for (const QString& name : names) {
        QString text;
        for (const TextValue& value : strings) {
            if (QString::fromStdString(value.name) == name)
                text = QString::fromUtf8(value.text.c_str());
        }
        texts << text;
    }
    return texts;
}

const QStringList kOwnFixedTexts = {" Win32", "1.2.0.49", QString::fromUtf8("正規版"), QString::fromUtf8("アプリケーション")};
const QStringList kNoFixedTexts = {"", "", "", ""};

std::string record(const VersionBlock& root)
{
    return versionRecordBytes(root);
}

VersionBlock ownRecord()
{
    return standardRecord(kOwnFixedPart, 0x0411, 0x03A4, kStrings);
}

} // namespace

class TestVersionInfo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void ownExecutables_data();
    void ownExecutables();
    void builtRecords_data();
    void builtRecords();
    void fixedPartLeavesOutputsAloneWhenUnread_data();
    void fixedPartLeavesOutputsAloneWhenUnread();
    void everyTruncationReadsNothing();
    void osLabels_data();
    void osLabels();
    void flagsLabels_data();
    void flagsLabels();
    void typeLabels_data();
    void typeLabels();
    void versionNumbers_data();
    void versionNumbers();
    void stringTableKeys_data();
    void stringTableKeys();
    void commandLinePrintsTheRecord();

private:
    QString writeExecutable(const std::string& bytes);
    QTemporaryDir m_folder;
    int m_files = 0;
};

QString TestVersionInfo::writeExecutable(const std::string& bytes)
{
    const QString path = m_folder.filePath(QString("file%1.exe").arg(++m_files));
    writeFile(path, bytes);
    return path;
}

void TestVersionInfo::initTestCase()
{
    QVERIFY2(!qEnvironmentVariable("VORELIND_BIN_DIR").isEmpty(), "VORELIND_BIN_DIR names the built programs");
}

void TestVersionInfo::ownExecutables_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("vorelind-cli") << qEnvironmentVariable("VORELIND_BIN_DIR") + "/vorelind-cli";
    QTest::newRow("this test") << QCoreApplication::applicationFilePath();
}

void TestVersionInfo::ownExecutables()
{
    QFETCH(QString, path);
    const QStringList expected = {" Win32", "1.2.0.49", QString::fromUtf8("正規版"), QString::fromUtf8("アプリケーション"),
                                  QString::fromUtf8("HTMLファイルをタグで構造化、束ねる"), "ZEMBRAKO",
                                  QString::fromUtf8("HTML・XMLファイルのタグ構造表示ツール"), "1.2.0.49", "",
                                  "(C) ZEMBRAKO", "ZEMBRAKO", "", "", "Vorelind", "1.0", ""};
    QCOMPARE(utf8Texts(versionInfo(path)), expected);

    // The change notes, which the program itself never reads.
    std::vector<char> buffer(fileVersionInfoSize(path.toStdString()) + 1);
    QVERIFY(fileVersionInfo(path.toStdString(), static_cast<std::uint32_t>(buffer.size() - 1), buffer.data()));
    for (const auto& [name, text] : {std::pair("1.1", "<pre><script>対応。スペースつめ"),
                                     std::pair("1.2", "XMLの/>に対応。文字コードに対応")}) {
        void* value = nullptr;
        std::uint32_t length = 0;
        QVERIFY(verQueryValue(buffer.data(), std::string("\\StringFileInfo\\041103A4\\") + name, value, length));
        QCOMPARE(fromSjis(static_cast<const char*>(value)), QString::fromUtf8(text));
    }
}

void TestVersionInfo::builtRecords_data()
{
    QTest::addColumn<std::string>("file");
    QTest::addColumn<QStringList>("expected");

    const std::string own = record(ownRecord());
    const QStringList ownTexts = expectedTexts(kOwnFixedTexts, kStrings);
    QTest::newRow("PE32") << peWithVersionRecord(own) << ownTexts;
    QTest::newRow("PE32+") << peWithVersionRecord(own, true) << ownTexts;
    QTest::newRow("ELF 32 bits") << elfWithVersionRecord(own, false) << ownTexts;
    QTest::newRow("ELF 64 bits") << elfWithVersionRecord(own, true) << ownTexts;

    {
        // English first, then Japanese: only the first entry selects a table.
        VersionBlock root = ownRecord();
        VersionBlock english = standardRecord(kOwnFixedPart, 0x0409, 0x04B0, {{"CompanyName", "First"}}).children[0].children[0];
        root.children[0].children.insert(root.children[0].children.begin(), english);
        root.children[1].children[0].value = translationBytes(0x0409, 0x04B0) + translationBytes(0x0411, 0x03A4);
        QTest::newRow("several translations") << peWithVersionRecord(record(root))
                                              << expectedTexts(kOwnFixedTexts, {{"CompanyName", "First"}});
    }
    {
        VersionBlock root = ownRecord();
        root.value.clear();
        QTest::newRow("no fixed part") << peWithVersionRecord(record(root)) << expectedTexts(kNoFixedTexts, kStrings);
    }
    {
        VersionBlock root = ownRecord();
        root.value.resize(40); // the type fields would lie beyond it
        QTest::newRow("fixed part cut short") << peWithVersionRecord(record(root))
                                              << expectedTexts(kNoFixedTexts, kStrings);
    }
    {
        VersionBlock root = ownRecord();
        root.children.pop_back();
        QTest::newRow("no translation table") << peWithVersionRecord(record(root)) << expectedTexts(kOwnFixedTexts, {});
    }
    {
        VersionBlock root = ownRecord();
        root.children[0].children[0].key = "041103a4";
        QTest::newRow("string table under a lower-case key")
            << peWithVersionRecord(record(root)) << expectedTexts(kOwnFixedTexts, kStrings);
    }
    {
        VersionBlock root = ownRecord();
        root.children[0].key = "STRINGFILEINFO";
        root.children[0].children[0].children[0].key = "comments";
        root.children[1].key = "varfileinfo";
        root.children[1].children[0].key = "TRANSLATION";
        QTest::newRow("names in other case") << peWithVersionRecord(record(root))
                                             << expectedTexts(kOwnFixedTexts, kStrings);
    }
    QTest::newRow("code page 65001 gives the key 0411FDE9")
        << peWithVersionRecord(record(standardRecord(kOwnFixedPart, 0x0411, 0xFDE9, kStrings)))
        << expectedTexts(kOwnFixedTexts, kStrings);
    QTest::newRow("empty value, and names missing from the table")
        << peWithVersionRecord(record(standardRecord(kOwnFixedPart, 0x0411, 0x03A4, {{"Comments", ""}, {"SpecialBuild", "x"}})))
        << expectedTexts(kOwnFixedTexts, {{"SpecialBuild", "x"}});
    QTest::newRow("text that Shift-JIS can't hold")
        << peWithVersionRecord(record(standardRecord(kOwnFixedPart, 0x0411, 0x03A4, {{"Comments", "a€😀b"}})))
        << expectedTexts(kOwnFixedTexts, {{"Comments", "a〓〓b"}});
    QTest::newRow("no record") << std::string("<html></html>") << expectedTexts(kNoFixedTexts, {});
    QTest::newRow("PE without resources") << peWithoutResources() << expectedTexts(kNoFixedTexts, {});
}

void TestVersionInfo::builtRecords()
{
    QFETCH(std::string, file);
    QFETCH(QStringList, expected);
    QCOMPARE(utf8Texts(versionInfo(writeExecutable(file))), expected);
}

void TestVersionInfo::fixedPartLeavesOutputsAloneWhenUnread_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("expected");

    const QStringList kept = {"os", "version", "flags", "type"};
    QTest::newRow("no such file") << m_folder.filePath("missing.exe") << kept;
    QTest::newRow("no record") << writeExecutable("plain text") << kept;
    VersionBlock root = ownRecord();
    root.value.clear();
    QTest::newRow("record without fixed part") << writeExecutable(peWithVersionRecord(record(root))) << kept;
    QTest::newRow("record with fixed part") << writeExecutable(peWithVersionRecord(record(ownRecord())))
                                            << kOwnFixedTexts;
}

void TestVersionInfo::fixedPartLeavesOutputsAloneWhenUnread()
{
    QFETCH(QString, path);
    QFETCH(QStringList, expected);
    std::string os = "os";
    std::string version = "version";
    std::string flags = "flags";
    std::string type = "type";
    TCommonUtil().GetFixedVersionInfo(path.toStdString(), os, version, flags, type);
    QCOMPARE((QStringList{fromSjis(os), fromSjis(version), fromSjis(flags), fromSjis(type)}), expected);
}

void TestVersionInfo::everyTruncationReadsNothing()
{
    const std::string own = record(ownRecord());
    const QStringList nothing = expectedTexts(kNoFixedTexts, {});
    const QStringList whole = expectedTexts(kOwnFixedTexts, kStrings);
    for (const std::string& file : {peWithVersionRecord(own), elfWithVersionRecord(own, true)}) {
        const std::size_t recordEnd = file.find(own) + own.size();
        for (std::size_t length = 0; length < file.size(); ++length) {
            const QString path = writeExecutable(file.substr(0, length));
            const QStringList texts = utf8Texts(versionInfo(path));
            // Past the record only fields that the reader doesn't need can be missing.
            if (length < recordEnd || texts != whole)
                QCOMPARE(texts, nothing);
            QVERIFY(QFile::remove(path));
        }
    }
}

void TestVersionInfo::osLabels_data()
{
    QTest::addColumn<uint>("fileOs");
    QTest::addColumn<QString>("label");

    QTest::newRow("0x40004") << 0x40004u << " Win32 WinNT";
    QTest::newRow("4") << 4u << " Win32";
    QTest::newRow("0") << 0u << "";
    QTest::newRow("0x10001") << 0x10001u << " Win16 MS-DOS";
    QTest::newRow("0x20002") << 0x20002u << " 16bitOS";
    QTest::newRow("0x30003") << 0x30003u << " 32bitOS";
    QTest::newRow("0x40000") << 0x40000u << " WinNT";
    QTest::newRow("other halves add nothing") << 0x50005u << "";
}

void TestVersionInfo::osLabels()
{
    QFETCH(uint, fileOs);
    QFETCH(QString, label);
    QCOMPARE(fromSjis(osText(fileOs)), label);
}

void TestVersionInfo::flagsLabels_data()
{
    QTest::addColumn<uint>("flags");
    QTest::addColumn<QString>("label");

    QTest::newRow("1") << 1u << QString::fromUtf8("DEBUG版");
    QTest::newRow("2") << 2u << QString::fromUtf8("開発版");
    QTest::newRow("4") << 4u << QString::fromUtf8("パッチ版");
    QTest::newRow("8") << 8u << QString::fromUtf8("プライベート版");
    QTest::newRow("16") << 16u << QString::fromUtf8("ライセンス情報設定異常");
    QTest::newRow("32") << 32u << QString::fromUtf8("スペシャルビルド版");
    QTest::newRow("0") << 0u << QString::fromUtf8("正規版");
    QTest::newRow("two flags together") << 3u << QString::fromUtf8("正規版");
    QTest::newRow("64") << 64u << QString::fromUtf8("正規版");
}

void TestVersionInfo::flagsLabels()
{
    QFETCH(uint, flags);
    QFETCH(QString, label);
    QCOMPARE(fromSjis(flagsText(flags)), label);
}

void TestVersionInfo::typeLabels_data()
{
    QTest::addColumn<uint>("type");
    QTest::addColumn<uint>("subtype");
    QTest::addColumn<QString>("label");

    const char* const types[] = {"目的不明", "アプリケーション", "DLL", nullptr, nullptr, "仮想デバイス", "目的不明", "スタティックリンクライブラリ", "目的不明"};
    for (uint type = 0; type < 9; ++type) {
        if (types[type])
            QTest::addRow("type %u", type) << type << 0u << QString::fromUtf8(types[type]);
    }
    const char* const drivers[] = {"デバイスドライバ＝デバイス不明", "プリンタドライバ", "キーボードドライバ", "言語ドライバ",
                                   "ディスプレイドライバ", "マウスドライバ", "ネットワークドライバ", "システムドライバ",
                                   "インストール可能ドライバ", "サウンドドライバ", "コミュニケーションドライバ", "?"};
    for (uint subtype = 0; subtype < 12; ++subtype)
        QTest::addRow("driver %u", subtype) << 3u << subtype << QString::fromUtf8(drivers[subtype]);
    const char* const fonts[] = {"未知の形式のフォント", "ラスターフォント", "ベクターフォント", "TrueTypeフォント", "未知の形式のフォント"};
    for (uint subtype = 0; subtype < 5; ++subtype)
        QTest::addRow("font %u", subtype) << 4u << subtype << QString::fromUtf8(fonts[subtype]);
}

void TestVersionInfo::typeLabels()
{
    QFETCH(uint, type);
    QFETCH(uint, subtype);
    QFETCH(QString, label);
    QCOMPARE(fromSjis(typeText(type, subtype)), label);
}

void TestVersionInfo::versionNumbers_data()
{
    QTest::addColumn<uint>("mostSignificant");
    QTest::addColumn<uint>("leastSignificant");
    QTest::addColumn<QString>("text");

    QTest::newRow("1.2.0.49") << 0x10002u << 0x31u << "1.2.0.49";
    QTest::newRow("parts above 9") << 0xA0000u << 0x4A610001u << "10.0.19041.1";
    QTest::newRow("largest parts") << 0xFFFFFFFFu << 0xFFFFFFFFu << "65535.65535.65535.65535";
}

void TestVersionInfo::versionNumbers()
{
    QFETCH(uint, mostSignificant);
    QFETCH(uint, leastSignificant);
    QFETCH(QString, text);
    QCOMPARE(fromSjis(versionText(mostSignificant, leastSignificant)), text);
}

void TestVersionInfo::stringTableKeys_data()
{
    QTest::addColumn<uint>("language");
    QTest::addColumn<uint>("codePage");
    QTest::addColumn<QString>("key");

    QTest::newRow("Japanese, 932") << 0x0411u << 0x03A4u << "041103A4";
    QTest::newRow("Japanese, UTF-8") << 0x0411u << 0xFDE9u << "0411FDE9";
    QTest::newRow("zero-padded") << 0x9u << 0x4B0u << "000904B0";
}

void TestVersionInfo::stringTableKeys()
{
    QFETCH(uint, language);
    QFETCH(uint, codePage);
    QFETCH(QString, key);
    QCOMPARE(QString::fromStdString(stringTableKey(language, codePage)), key);
}

void TestVersionInfo::commandLinePrintsTheRecord()
{
    const QString cli = qEnvironmentVariable("VORELIND_BIN_DIR") + "/vorelind-cli";
    QProcess process;
    process.start(cli, {"version", cli});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
    QCOMPARE(lines.size(), 17); // sixteen lines and the end
    QCOMPARE(lines[0], QString(" Win32").prepend("OSText="));
    QCOMPARE(lines[1], QString("VersionText=1.2.0.49"));
    QCOMPARE(lines[2], QString::fromUtf8("FlagsText=正規版"));
    QCOMPARE(lines[3], QString::fromUtf8("TypeText=アプリケーション"));
    QCOMPARE(lines[4], QString::fromUtf8("Comments=HTMLファイルをタグで構造化、束ねる"));
    QCOMPARE(lines[15], QString("SpecialBuild="));

    process.start(cli, {"version", writeExecutable("plain text")});
    QVERIFY(process.waitForFinished());
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(process.readAllStandardError().contains("no version record"));
}

QTEST_GUILESS_MAIN(TestVersionInfo)
#include "tst_versioninfo.moc"
