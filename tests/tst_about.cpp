#include "platform/codecs/displaytext.h"
#include "platform/codecs/nkf32.h"
#include "testlines.h"
#include "seam/modalseam.h"
#include "ui/abouttexts.h"
#include "ui/htmladjabt.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace vorelind;

Q_DECLARE_METATYPE(AboutTexts)

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void textsFromVersionRecord_data();
    void textsFromVersionRecord();
    void nkfVersionIsTheLibraryTextUpToItsNul();
    void eachOpeningShowsTheTextsAfresh();
    void runsThroughTheModalSeam();
    void okAndEnterCloseTheDialog();
};

void TestAbout::textsFromVersionRecord_data()
{
    QTest::addColumn<std::string>("versionText");
    QTest::addColumn<std::string>("comments");
    QTest::addColumn<std::string>("copyright");
    QTest::addColumn<std::string>("nkfVersion");
    QTest::addColumn<AboutTexts>("expected");

    const std::string comment = fromDisplayText(u"HTMLファイルをタグで構造化、束ねる"_qs);
    QTest::newRow("own version record")
        << std::string("1.2.0.49") << comment << std::string("Zembrako 2001") << std::string("2.1.5")
        << AboutTexts{"Ver.1.2.0.49", "Remarks:" + comment + fromDisplayText(u"\r\nNkf2.1.5を使用"_qs),
                      "Copyright:Zembrako 2001"};
    QTest::newRow("no version record")
        << std::string() << std::string() << std::string() << std::string("2.1.5")
        << AboutTexts{"Ver.", fromDisplayText(u"Remarks:\r\nNkf2.1.5を使用"_qs), "Copyright:"};
    QTest::newRow("library gives an empty version")
        << std::string("1.0") << std::string("c") << std::string() << std::string()
        << AboutTexts{"Ver.1.0", fromDisplayText(u"Remarks:c\r\nNkfを使用"_qs), "Copyright:"};
}

void TestAbout::textsFromVersionRecord()
{
    QFETCH(std::string, versionText);
    QFETCH(std::string, comments);
    QFETCH(std::string, copyright);
    QFETCH(std::string, nkfVersion);
    QFETCH(AboutTexts, expected);

    const AboutTexts texts = aboutTexts(versionText, comments, copyright, nkfVersion);

    QCOMPARE(bytes(texts.version), bytes(expected.version));
    QCOMPARE(bytes(texts.comments), bytes(expected.comments));
    QCOMPARE(bytes(texts.copyright), bytes(expected.copyright));
}

void TestAbout::nkfVersionIsTheLibraryTextUpToItsNul()
{
    char written[kNkfVersionBufferSize] = {};
    GetNkfVersion(written);

    const std::string version = nkfVersionText();

    QVERIFY(!version.empty());
    QCOMPARE(bytes(version), QByteArray(written));
}

void TestAbout::eachOpeningShowsTheTextsAfresh()
{
    TAboutBox dialog;
    const AboutTexts first = aboutTexts("1.2.0.49", "first", "A", "2.1");
    const AboutTexts second = aboutTexts("", "", "", "");

    dialog.setTexts(first);
    dialog.setTexts(first);
    QCOMPARE(dialog.Version->text(), u"Ver.1.2.0.49"_qs);
    QCOMPARE(dialog.Comments->text(), u"Remarks:first\nNkf2.1を使用"_qs);
    QCOMPARE(dialog.Copyright->text(), u"Copyright:A"_qs);
    dialog.setTexts(second);
    QCOMPARE(dialog.Version->text(), u"Ver."_qs);
    QCOMPARE(dialog.Comments->text(), u"Remarks:\nNkfを使用"_qs);
    QCOMPARE(dialog.Copyright->text(), u"Copyright:"_qs);
    QCOMPARE(dialog.ProductName->text(), u"Vorelind"_qs);
}

void TestAbout::runsThroughTheModalSeam()
{
    TAboutBox dialog;
    dialog.setTexts(aboutTexts("1.2.0.49", "", "", ""));
    QString shownVersion;
    bool shownWhileRunning = false;
    ModalSeam::answerForTests();
    ModalSeam::setNextDialogAction([&](QDialog& shown) {
        shownVersion = static_cast<TAboutBox&>(shown).Version->text();
        shownWhileRunning = shown.isVisible();
    });

    ModalSeam::runDialog(dialog);

    QCOMPARE(shownVersion, u"Ver.1.2.0.49"_qs);
    QVERIFY(shownWhileRunning);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.windowTitle(), u"バージョン情報"_qs);
    QCOMPARE(dialog.size(), QSize(298, 213));
}

void TestAbout::okAndEnterCloseTheDialog()
{
    TAboutBox dialog;
    dialog.open();
    QVERIFY(dialog.isVisible());
    QTest::mouseClick(dialog.OKButton, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());

    dialog.open();
    QTest::keyClick(&dialog, Qt::Key_Return);
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
