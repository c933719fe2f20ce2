#include "ui/applicationsetup.h"
#include "ui/drivecombobox.h"
#include "ui/htmlmask.h"
#include "util/apperror.h"
#include "formundertest.h"
#include "testlines.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QStorageInfo>

using namespace vorelind;

namespace {

const QStringList kFolderFiles{"a.htm", "B.html", "c.txt", "Makefile", "D.HTM", "e.css", ".hidden.htm"};

// The dialog's state when its modal run began.
struct OpenState {
    int item = -1;
    bool panelShown = false;
    QString extension;
};

// Plays steps on the dialog as the user would: "click N" on item N,
// "type TEXT" into extedit, "clear" extedit, "enter" and "esc" in extedit.
void playSteps(TMaskSetForm& dialog, const QString& steps)
{
    auto* extedit = control<QLineEdit>(dialog, "extedit");
    for (const QString& step : steps.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString word = step.trimmed().section(QLatin1Char(' '), 0, 0);
        const QString argument = step.trimmed().section(QLatin1Char(' '), 1);
        if (word == QLatin1String("click"))
            dialog.findChildren<QRadioButton*>().at(argument.toInt())->click();
        else if (word == QLatin1String("type"))
            QTest::keyClicks(extedit, argument);
        else if (word == QLatin1String("clear"))
            extedit->clear();
        else if (word == QLatin1String("enter"))
            QTest::keyClick(extedit, Qt::Key_Return);
        else if (word == QLatin1String("esc"))
            QTest::keyClick(extedit, Qt::Key_Escape);
        else
            qFatal("unknown step %s", qPrintable(step));
    }
}

// Right-clicks the file list; the dialog's modal run records its opening
// state, plays the steps and tells whether the steps closed it.
OpenState rightClickWithSteps(WindowUnderTest& window, const QString& steps, bool* closed = nullptr)
{
    OpenState state;
    ModalSeam::setNextDialogAction([&](QDialog& shown) {
        auto& dialog = static_cast<TMaskSetForm&>(shown);
        state = {dialog.itemIndex(), control<QWidget>(dialog, "Panel1")->isVisible(),
                 control<QLineEdit>(dialog, "extedit")->text()};
        playSteps(dialog, steps);
        if (closed)
            *closed = !dialog.isVisible();
    });
    QWidget* viewport = control<FileListBox>(window.form, "FileListBox1")->viewport();
    QTest::mousePress(viewport, Qt::RightButton, {}, QPoint(5, viewport->height() - 5));
    QTest::mouseRelease(viewport, Qt::RightButton, {}, QPoint(5, viewport->height() - 5));
    return state;
}

QStringList listedFiles(const FileListBox& files)
{
    QStringList names;
    for (int row = 0; row < files.count(); ++row)
        names << files.item(row)->text();
    return names;
}

} // namespace

class TestHtmlMask : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void dialogChoosesTheMask_data();
    void dialogChoosesTheMask();
    void fileListShowsMatchingOrdinaryFiles_data();
    void fileListShowsMatchingOrdinaryFiles();
    void everyRightClickEmptiesTheDocumentViews();
    void leftPressNeverOpensTheDialog();
    void folderListFollowsTheChosenFolder();
    void folderThatCannotBeEnteredChangesNothing();
};

void TestHtmlMask::initTestCase()
{
    setUpApplication();
    ModalSeam::answerForTests();
}

void TestHtmlMask::dialogChoosesTheMask_data()
{
    QTest::addColumn<std::string>("mask");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("openItem");
    QTest::addColumn<bool>("panelShown");
    QTest::addColumn<QString>("openExtension");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<std::string>("result");

    QTest::newRow("html, then all files closes at once")
        << std::string("*.htm*") << "click 1" << 0 << false << "" << true << std::string("*.*");
    QTest::newRow("clicking the chosen item keeps it open")
        << std::string("*.htm*") << "click 0" << 0 << false << "" << false << std::string("*.htm*");
    QTest::newRow("one extension opens on item 2")
        << std::string("*.txt") << "enter" << 2 << true << "txt" << true << std::string("*.txt");
    QTest::newRow("dots and stars are not typed")
        << std::string("*.txt") << "clear; type h.t*m; enter" << 2 << true << "txt" << true << std::string("*.htm");
    QTest::newRow("empty extension gives *.")
        << std::string("*.txt") << "clear; enter" << 2 << true << "txt" << true << std::string("*.");
    QTest::newRow("esc after choosing item 2 puts item 0 back")
        << std::string("*.htm*") << "click 2; type css; esc" << 0 << false << "" << true << std::string("*.htm*");
    QTest::newRow("esc on item 2 keeps the edits")
        << std::string("*.txt") << "clear; type css; esc" << 2 << true << "txt" << true << std::string("*.css");
    QTest::newRow("two patterns come back unchanged") << std::string("*.txt;*.css") << "enter" << 2 << true
                                                      << "txt;*.css" << true << std::string("*.txt;*.css");
    QTest::newRow("a mask not starting with *. loses two characters")
        << std::string("ab.txt") << "enter" << 2 << true << ".txt" << true << std::string("*..txt");
    QTest::newRow("a long extension is cut to 20")
        << "*." + std::string(25, 'x') << "enter" << 2 << true << QString(20, 'x') << true
        << "*." + std::string(20, 'x');
}

void TestHtmlMask::dialogChoosesTheMask()
{
    QFETCH(std::string, mask);
    QFETCH(QString, steps);
    QFETCH(int, openItem);
    QFETCH(bool, panelShown);
    QFETCH(QString, openExtension);
    QFETCH(bool, closed);
    QFETCH(std::string, result);
    WindowUnderTest window;
    auto* files = control<FileListBox>(window.form, "FileListBox1");
    files->setMask(mask);

    bool closedBySteps = false;
    const OpenState opened = rightClickWithSteps(window, steps, &closedBySteps);

    QCOMPARE(opened.item, openItem);
    QCOMPARE(opened.panelShown, panelShown);
    QCOMPARE(opened.extension, openExtension);
    QCOMPARE(closedBySteps, closed);
    QCOMPARE(bytes(files->mask()), bytes(result));
    QCOMPARE(ModalSeam::takeAnsweredMessages().size(), 0);
}

void TestHtmlMask::fileListShowsMatchingOrdinaryFiles_data()
{
    QTest::addColumn<std::string>("mask");
    QTest::addColumn<QStringList>("listed");

    QTest::newRow("html files, case ignored") << std::string("*.htm*") << QStringList{"a.htm", "B.html", "D.HTM"};
    QTest::newRow("all files, no hidden ones, no folders")
        << std::string("*.*") << QStringList{"a.htm", "B.html", "c.txt", "D.HTM", "e.css", "Makefile"};
    QTest::newRow("names without an extension") << std::string("*.") << QStringList{"Makefile"};
    QTest::newRow("two patterns") << std::string("*.txt;*.css") << QStringList{"c.txt", "e.css"};
    QTest::newRow("empty mask lists nothing") << std::string() << QStringList{};
}

void TestHtmlMask::fileListShowsMatchingOrdinaryFiles()
{
    QFETCH(std::string, mask);
    QFETCH(QStringList, listed);
    QTemporaryDir folder;
    for (const QString& name : kFolderFiles)
        writeFile(folder.filePath(name), "x");
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("sub.htm")));

    FileListBox files;
    files.setMask(mask);
    files.setDirectory(folder.path());
    QCOMPARE(listedFiles(files), listed);
    QCOMPARE(QDir::currentPath(), folder.path());
    QCOMPARE(files.selectedPath(), QString());
    if (!listed.isEmpty()) {
        files.item(0)->setSelected(true);
        QCOMPARE(files.selectedPath(), folder.filePath(listed.at(0)));
    }
}

void TestHtmlMask::everyRightClickEmptiesTheDocumentViews()
{
    WindowUnderTest window;
    window.openDocument(QStringLiteral("page.htm"), "<html><body>x</body></html>");
    const QStringList captions = window.tabCaptions();

    rightClickWithSteps(window, QStringLiteral("click 0"));

    QCOMPARE(bytes(control<FileListBox>(window.form, "FileListBox1")->mask()), bytes("*.htm*"));
    QCOMPARE(window.source(), QStringList());
    QCOMPARE(window.listing(), QStringList());
    QCOMPARE(window.tree(), QStringList());
    QCOMPARE(window.tabCaptions(), captions);
    QCOMPARE(bytes(window.form.documentTitle()), bytes("\x81\x75page.htm\x81\x76"));
}

void TestHtmlMask::leftPressNeverOpensTheDialog()
{
    WindowUnderTest window;
    bool opened = false;
    ModalSeam::setNextDialogAction([&](QDialog&) { opened = true; });
    QTest::mouseClick(control<FileListBox>(window.form, "FileListBox1")->viewport(), Qt::LeftButton);
    QVERIFY(!opened);
    ModalSeam::setNextDialogAction(nullptr);
}

void TestHtmlMask::folderListFollowsTheChosenFolder()
{
    WindowUnderTest window;
    QVERIFY(QDir(window.folders.documents()).mkpath(QStringLiteral("Zeta/inner")));
    QVERIFY(QDir(window.folders.documents()).mkdir(QStringLiteral("alpha")));
    QVERIFY(QDir(window.folders.documents()).mkdir(QStringLiteral(".hidden")));
    writeFile(window.folders.document(QStringLiteral("Zeta/inside.htm")), "<p>");
    auto* folders = control<DirectoryListBox>(window.form, "DirectoryListBox1");
    folders->setDirectory(window.folders.documents());

    // The path from the root down, then the subfolders without regard to case.
    const QStringList entries = displayedRows(*folders->model());
    const int depth = window.folders.documents().count(QLatin1Char('/'));
    QCOMPARE(entries.size(), depth + 1 + 2);
    QCOMPARE(entries.at(depth + 1).trimmed(), QStringLiteral("alpha"));
    QCOMPARE(entries.at(depth + 2).trimmed(), QStringLiteral("Zeta"));

    QListWidgetItem* zeta = folders->item(depth + 2);
    folders->setCurrentItem(zeta);
    QTest::keyClick(folders, Qt::Key_Return);

    const QString opened = window.folders.document(QStringLiteral("Zeta"));
    QCOMPARE(folders->directory(), opened);
    QCOMPARE(QDir::currentPath(), opened);
    QCOMPARE(listedFiles(*control<FileListBox>(window.form, "FileListBox1")), QStringList{"inside.htm"});
    auto* drives = control<DriveComboBox>(window.form, "DriveComboBox1");
    const QString root = QStorageInfo(opened).rootPath();
    QCOMPARE(drives->currentData().toString(), root);

    // Choosing the drive moves the folder list to its root.
    emit drives->activated(drives->findData(root));
    QCOMPARE(folders->directory(), root);
    QCOMPARE(control<FileListBox>(window.form, "FileListBox1")->directory(), root);
}

void TestHtmlMask::folderThatCannotBeEnteredChangesNothing()
{
    WindowUnderTest window;
    auto* folders = control<DirectoryListBox>(window.form, "DirectoryListBox1");
    const QString missing = window.folders.document(QStringLiteral("gone"));
    try {
        folders->setDirectory(missing);
        QFAIL("a missing folder was entered");
    } catch (const AppError& error) {
        QCOMPARE(QString::fromLocal8Bit(error.what()), QString::fromLocal8Bit(strerror(ENOENT)));
    }
    QCOMPARE(folders->directory(), window.folders.documents());
    QCOMPARE(QDir::currentPath(), window.folders.documents());
}

QTEST_MAIN(TestHtmlMask)
#include "tst_htmlmask.moc"
