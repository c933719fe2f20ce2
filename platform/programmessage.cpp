#include "platform/programmessage.h"

#include "platform/displaytext.h"

#include <QApplication>
#include <QMessageBox>

namespace vorelind {

namespace {

ProgramMessage::Presenter& testPresenter()
{
    static ProgramMessage::Presenter presenter;
    return presenter;
}

} // namespace

void ProgramMessage::show(const std::string& text, const std::string& caption, MessageIcon icon)
{
    if (testPresenter()) {
        testPresenter()(text, caption, icon);
        return;
    }
    QMessageBox box(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    toDisplayText(caption), toDisplayText(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void ProgramMessage::setPresenter(Presenter presenter)
{
    testPresenter() = std::move(presenter);
}

} // namespace vorelind
