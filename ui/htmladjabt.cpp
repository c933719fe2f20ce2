#include "ui/htmladjabt.h"

#include "look/windowlook.h"
#include "platform/codecs/displaytext.h"
#include "ui/aboutmessages.h"
#include "ui/internetlabel.h"
#include "ui/programicon.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace vorelind {

namespace {

const QColor kDialogColor(128, 255, 255);
const QColor kPanelColor(255, 255, 128);

const QString kDialogFont = QStringLiteral("ＭＳ Ｐゴシック");

QLabel* placedLabel(QWidget* parent, int left, int top, const QString& text = {})
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->move(left, top);
    label->adjustSize();
    return label;
}

// Sets a label's text and lets it take the size of that text.
void showText(QLabel* label, const std::string& sjis)
{
    label->setText(toDisplayText(sjis));
    label->adjustSize();
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(toDisplayText(messages::kAboutCaption));
    setWindowIcon(programIcon());
    setFont(designFont(kDialogFont, 12));
    setBackground(*this, kDialogColor);
    setFixedSize(298, 213);
    createPanel();

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setGeometry(111, 180, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);
}

void TAboutBox::createPanel()
{
    Panel1 = new QFrame(this);
    Panel1->setGeometry(8, 8, 281, 161);
    // A lowered outer and a raised inner bevel.
    Panel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    setBackground(*Panel1, kPanelColor);

    ProgramIcon = new QLabel(Panel1);
    ProgramIcon->setGeometry(8, 8, 65, 57);
    ProgramIcon->setPixmap(programIcon().pixmap(32, 32));
    ProgramIcon->setScaledContents(true);

    QFont productFont = designFont(kDialogFont, 16);
    productFont.setBold(true);
    ProductName = placedLabel(Panel1, 88, 16);
    ProductName->setFont(productFont);
    showText(ProductName, messages::kProductName);

    Version = placedLabel(Panel1, 88, 40);
    Copyright = placedLabel(Panel1, 8, 80);
    Comments = placedLabel(Panel1, 8, 104);
    Comments->setWordWrap(true);
    Comments->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Comments->resize(250, 26);
    Label1 = placedLabel(Panel1, 8, 136, toDisplayText(messages::kContactLabel));

    InternetLabel1 = new TInternetLabel(Panel1);
    QFont linkFont = designFont(kDialogFont, 15);
    linkFont.setItalic(true);
    linkFont.setUnderline(true);
    InternetLabel1->setFont(linkFont);
    // As high as the font's lines, or the underline falls outside the label.
    InternetLabel1->setGeometry(104, 136, 153, std::max(15, QFontMetrics(linkFont).height()));
    InternetLabel1->setFontColor(QColor(0, 0, 255));
    InternetLabel1->setText(toDisplayText(messages::kContactAddress));
    InternetLabel1->setExecutable(true);
    InternetLabel1->setHotColor(QColor(255, 0, 0));
}

void TAboutBox::setTexts(const AboutTexts& texts)
{
    showText(Version, texts.version);
    showText(Copyright, texts.copyright);
    // The remarks keep their size; their CR LF breaks the line.
    Comments->setText(toDisplayText(texts.comments).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void TAboutBox::OKButtonClick()
{
    accept();
}

void TAboutBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* shown = screen())
        move(shown->availableGeometry().center() - rect().center());
}

} // namespace vorelind
