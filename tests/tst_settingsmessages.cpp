#include "platform/files/messages.h"
#include "platform/store/messages.h"
#include "settings/messages.h"

#include <QStringDecoder>
#include <QTest>

class TestSettingsMessages : public QObject {
    Q_OBJECT

private slots:
    void shiftJisMatchesItsText_data();
    void shiftJisMatchesItsText();
};

void TestSettingsMessages::shiftJisMatchesItsText_data()
{
    using namespace vorelind::messages;
    QTest::addColumn<QByteArray>("sjis");
    QTest::addColumn<QString>("text");

    QTest::newRow("kWrongValueType") << QByteArray(kWrongValueType) << QString::fromUtf8("'%s' のデータ型が不正です");
    QTest::newRow("kKeyNotCreated") << QByteArray(kKeyNotCreated) << QString::fromUtf8("キー %s の作成に失敗しました");
    QTest::newRow("kValueNotStored") << QByteArray(kValueNotStored) << QString::fromUtf8("'%s' の設定に失敗しました");
    QTest::newRow("kValueNotRead") << QByteArray(kValueNotRead) << QString::fromUtf8("'%s' の取得に失敗しました");
    QTest::newRow("kCannotOpenFile") << QByteArray(kCannotOpenFile) << QString::fromUtf8("ファイル %s は開けません");
    QTest::newRow("kStoreUnreadable") << QByteArray(kStoreUnreadable) << QString::fromUtf8("設定ファイル %s を読めません");
    QTest::newRow("kStoreMalformed") << QByteArray(kStoreMalformed) << QString::fromUtf8("設定ファイル %s の書式が不正です");
}

void TestSettingsMessages::shiftJisMatchesItsText()
{
    QFETCH(QByteArray, sjis);
    QFETCH(QString, text);
    QStringDecoder decoder("Shift_JIS");
    const QString decoded = decoder.decode(sjis);
    QVERIFY(!decoder.hasError());
    QCOMPARE(decoded, text);
}

QTEST_GUILESS_MAIN(TestSettingsMessages)
#include "tst_settingsmessages.moc"
