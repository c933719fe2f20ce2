#include "platform/displaytext.h"
#include "platform/shell.h"
#include "testlines.h"
#include "ui/internetlabel.h"
#include "ui/modalseam.h"

#include <QEnterEvent>
#include <QTest>

using namespace vorelind;

namespace {

const QColor kNormal(0, 0, 255);
const QColor kHot(255, 0, 0);
const QColor kPushed(0, 128, 0);
const QColor kBlack(0, 0, 0);

// Takes the shell's calls for one test; the modal seam answers the message boxes.
class DesktopRecorder {
public:
    DesktopRecorder()
    {
        ModalSeam::answerForTests();
        ModalSeam::takeAnsweredMessages();
        Shell::setOpener([this](const QString& target) { opened << target; });
    }
    ~DesktopRecorder() { Shell::setOpener({}); }

    // The message boxes shown, as "icon|text|caption".
    QStringList messages() const
    {
        QStringList shown;
        for (const AnsweredMessage& message : ModalSeam::takeAnsweredMessages()) {
            const QString icon = message.icon == MessageIcon::Error ? u"error"_qs : u"information"_qs;
            shown << icon + u'|' + message.text + u'|' + message.caption;
        }
        return shown;
    }

    QStringList opened;
};

void configure(TInternetLabel& label, const QString& caption)
{
    label.setText(caption);
    label.resize(150, 15);
    label.setFontColor(kNormal);
    label.setHotColor(kHot);
    label.setPushedColor(kPushed);
    label.setLaunchPause(std::chrono::milliseconds(0));
}

void sendPointerEvent(TInternetLabel& label, const QString& step)
{
    if (step == "enter") {
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(&label, &enter);
    } else if (step == "leave") {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&label, &leave);
    } else if (step == "press") {
        QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));
    } else if (step == "release inside") {
        QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(5, 5));
    } else if (step == "release outside") {
        QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(-20, -20));
    }
}

} // namespace

class TestInternetLabel : public QObject {
    Q_OBJECT

private slots:
    void publishedPropertiesStartAsDesigned();
    void colourFollowsPointer_data();
    void colourFollowsPointer();
    void pressLaunchesCaptionTarget_data();
    void pressLaunchesCaptionTarget();
    void hourglassShowsDuringLaunch();
};

void TestInternetLabel::publishedPropertiesStartAsDesigned()
{
    TInternetLabel label;

    QCOMPARE(label.property("Executable").toBool(), false);
    QCOMPARE(label.property("HotTrack").toBool(), true);
    QCOMPARE(label.property("HotColor").value<QColor>(), QColor(128, 0, 0));
    QCOMPARE(label.property("PushedColor").value<QColor>(), QColor(255, 0, 0));
    QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
    QVERIFY(label.setProperty("HotColor", QColor(1, 2, 3)));
    QCOMPARE(label.hotColor(), QColor(1, 2, 3));
}

void TestInternetLabel::colourFollowsPointer_data()
{
    QTest::addColumn<bool>("hotTrack");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QList<QColor>>("colours");

    QTest::newRow("enter, press, release over the label, leave")
        << true << QStringList{"enter", "press", "release inside", "leave"}
        << QList<QColor>{kHot, kPushed, kHot, kNormal};
    QTest::newRow("release off the label restores the remembered colour")
        << true << QStringList{"enter", "press", "release outside"} << QList<QColor>{kHot, kPushed, kNormal};
    QTest::newRow("tracking off changes nothing")
        << false << QStringList{"enter", "press", "release inside", "leave"}
        << QList<QColor>{kNormal, kNormal, kNormal, kNormal};
    QTest::newRow("leave before any enter takes the initial remembered black")
        << true << QStringList{"leave"} << QList<QColor>{kBlack};
}

void TestInternetLabel::colourFollowsPointer()
{
    QFETCH(bool, hotTrack);
    QFETCH(QStringList, steps);
    QFETCH(QList<QColor>, colours);
    DesktopRecorder desktop;
    TInternetLabel label;
    configure(label, "no target here");
    label.setHotTrack(hotTrack);

    QList<QColor> seen;
    for (const QString& step : steps) {
        sendPointerEvent(label, step);
        seen << label.fontColor();
    }

    QCOMPARE(seen, colours);
    QVERIFY(desktop.opened.isEmpty());
    QCOMPARE(desktop.messages(), QStringList());
}

void TestInternetLabel::pressLaunchesCaptionTarget_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("executable");
    QTest::addColumn<bool>("hotTrack");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QStringList>("opened");
    QTest::addColumn<QStringList>("messages");

    const QStringList none;
    QTest::newRow("address becomes a mail link")
        << "vorelind@example.com" << true << true << Qt::LeftButton << QStringList{"mailto:vorelind@example.com"}
        << none;
    QTest::newRow("right button launches too")
        << "a@example.com" << true << true << Qt::RightButton << QStringList{"mailto:a@example.com"} << none;
    QTest::newRow("middle button, tracking off")
        << "a@example.com" << true << false << Qt::MiddleButton << QStringList{"mailto:a@example.com"} << none;
    QTest::newRow("scheme given: unchanged even with @")
        << "http://example.com/~a@b" << true << true << Qt::LeftButton << QStringList{"http://example.com/~a@b"}
        << none;
    QTest::newRow("mail link unchanged") << "mailto:a@example.com" << true << true << Qt::LeftButton
                                         << QStringList{"mailto:a@example.com"} << none;
    QTest::newRow("drive path unchanged")
        << "C:\\docs\\a.htm" << true << true << Qt::LeftButton << QStringList{"C:\\docs\\a.htm"} << none;
    QTest::newRow("not executable: message, no launch")
        << "a@example.com" << false << true << Qt::LeftButton << none
        << QStringList{u"error|実行するように設定されていません|無効"_qs};
    QTest::newRow("neither : nor @: nothing, even when not executable")
        << u"お問い合せ"_qs << false << true << Qt::LeftButton << none << none;
}

void TestInternetLabel::pressLaunchesCaptionTarget()
{
    QFETCH(QString, caption);
    QFETCH(bool, executable);
    QFETCH(bool, hotTrack);
    QFETCH(Qt::MouseButton, button);
    QFETCH(QStringList, opened);
    QFETCH(QStringList, messages);
    DesktopRecorder desktop;
    TInternetLabel label;
    configure(label, caption);
    label.setExecutable(executable);
    label.setHotTrack(hotTrack);

    QTest::mousePress(&label, button, {}, QPoint(5, 5));

    QCOMPARE(desktop.opened, opened);
    QCOMPARE(desktop.messages(), messages);
}

void TestInternetLabel::hourglassShowsDuringLaunch()
{
    DesktopRecorder desktop;
    TInternetLabel label;
    configure(label, "a@example.com");
    label.setExecutable(true);
    Qt::CursorShape duringLaunch = Qt::ArrowCursor;
    Shell::setOpener([&](const QString&) { duringLaunch = label.cursor().shape(); });

    QTest::mousePress(&label, Qt::LeftButton, {}, QPoint(5, 5));

    QCOMPARE(duringLaunch, Qt::WaitCursor);
    QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
}

QTEST_MAIN(TestInternetLabel)
#include "tst_internetlabel.moc"
