#include "ui/htmlmask.h"

#include "platform/displaytext.h"
#include "ui/errorreport.h"
#include "ui/windowlook.h"
#include "util/filemask.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace vorelind {

TMaskSetForm::TMaskSetForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("MaskSetForm"));
    setFixedSize(200, 116);
    setFont(designFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    setPanelBackground(*this, QColor(128, 255, 128));
    buildMaskgroup();
    buildPanel1();
    runHandler([this] { FormCreate(); });
}

int TMaskSetForm::itemIndex() const
{
    return m_items->checkedId();
}

void TMaskSetForm::setItemIndex(int index)
{
    m_items->button(index)->setChecked(true);
}

std::string TMaskSetForm::extension() const
{
    return fromDisplayText(extedit->text());
}

void TMaskSetForm::setExtension(std::string_view extension)
{
    extedit->setText(toDisplayText(extension));
}

void TMaskSetForm::FormCreate()
{
    Panel1->hide();
}

void TMaskSetForm::FormActivate()
{
    m_savedChoice = itemIndex();
    Panel1->setVisible(m_savedChoice > kAllFiles);
}

void TMaskSetForm::MaskgroupClick()
{
    if (itemIndex() == kOneExtension) {
        Panel1->show();
        extedit->setFocus();
    } else {
        close();
    }
}

QChar TMaskSetForm::exteditKeyPress(QChar key)
{
    if (key == QLatin1Char('.') || key == QLatin1Char('*'))
        return {};
    return key;
}

void TMaskSetForm::exteditKeyDown(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        close();
    } else if (key == Qt::Key_Escape) {
        setItemIndex(m_savedChoice);
        close();
    }
}

bool TMaskSetForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != extedit || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    runHandler([&] { exteditKeyDown(key); });
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
        return true;
    const QString typed = keyEvent->text();
    return typed.size() == 1 && exteditKeyPress(typed.front()).isNull();
}

void TMaskSetForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    move(screen()->availableGeometry().center() - rect().center());
    // Activation arrives later, or not at all on some window systems; a
    // shown dialog is treated as activated at once.
    runHandler([this] { FormActivate(); });
}

void TMaskSetForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        runHandler([this] { FormActivate(); });
}

void TMaskSetForm::keyPressEvent(QKeyEvent* event)
{
    // Esc closes the dialog only from extedit, not as a cancel.
    if (event->key() != Qt::Key_Escape)
        QDialog::keyPressEvent(event);
}

void TMaskSetForm::buildMaskgroup()
{
    Maskgroup = new QGroupBox(QStringLiteral("対象拡張子変更"), this);
    Maskgroup->setObjectName(QStringLiteral("Maskgroup"));
    Maskgroup->setGeometry(rect());
    setPanelBackground(*Maskgroup, QColor(128, 255, 255));
    m_items = new QButtonGroup(this);
    auto* layout = new QVBoxLayout(Maskgroup);
    const QString items[] = {QStringLiteral("Html (*.html , *.htm)"), QStringLiteral("すべてのファイル ( *.* )"),
                             QStringLiteral("指定拡張子")};
    for (int index = 0; index < 3; ++index) {
        auto* item = new QRadioButton(items[index], Maskgroup);
        m_items->addButton(item, index);
        layout->addWidget(item);
    }
    m_items->button(kHtmlFiles)->setChecked(true);
    connect(m_items, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            runHandler([this] { MaskgroupClick(); });
    });
}

void TMaskSetForm::buildPanel1()
{
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(95, 84, 73, 24);
    setPanelBackground(*Panel1, QColor(128, 255, 255));
    auto* label = new QLabel(QStringLiteral("*."), Panel1);
    label->setFont(designFont(QStringLiteral("ＭＳ ゴシック"), 13, QFont::Bold));
    label->setGeometry(4, 4, 18, 16);
    extedit = new QLineEdit(Panel1);
    extedit->setObjectName(QStringLiteral("extedit"));
    extedit->setGeometry(22, 2, 49, 20);
    extedit->setAttribute(Qt::WA_InputMethodEnabled, false);
    extedit->installEventFilter(this);
}

} // namespace vorelind
