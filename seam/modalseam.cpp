#include "seam/modalseam.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include <optional>

namespace vorelind {

namespace {

struct TestAnswers {
    bool answering = false;
    std::optional<QString> nextSaveFileName;
    std::function<void(QDialog&)> nextDialogAction;
    std::optional<int> nextNumber;
    QList<AnsweredMessage> messages;
};

TestAnswers& testAnswers()
{
    static TestAnswers answers;
    return answers;
}

} // namespace

void ModalSeam::showMessage(QWidget* parent, MessageIcon icon, const QString& caption, const QString& text)
{
    if (testAnswers().answering) {
        testAnswers().messages.append({icon, caption, text});
        return;
    }
    QMessageBox box(icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::Information, caption, text,
                    QMessageBox::Ok, parent);
    // Paths and file names are shown as they stand, never taken for markup.
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

QString ModalSeam::chooseSaveFile(QFileDialog& dialog)
{
    if (testAnswers().answering)
        return std::exchange(testAnswers().nextSaveFileName, std::nullopt).value_or(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void ModalSeam::runDialog(QDialog& dialog)
{
    if (!testAnswers().answering) {
        dialog.exec();
        return;
    }
    dialog.show();
    if (auto action = std::exchange(testAnswers().nextDialogAction, nullptr))
        action(dialog);
    dialog.hide();
}

std::optional<int> ModalSeam::askNumber(QWidget* parent, const QString& caption, const QString& label, int value,
                                        int minimum, int maximum)
{
    if (testAnswers().answering)
        return std::exchange(testAnswers().nextNumber, std::nullopt);
    bool accepted = false;
    const int number = QInputDialog::getInt(parent, caption, label, value, minimum, maximum, 1, &accepted);
    return accepted ? std::optional<int>(number) : std::nullopt;
}

void ModalSeam::answerForTests()
{
    testAnswers().answering = true;
}

void ModalSeam::setNextSaveFileName(const QString& path)
{
    testAnswers().nextSaveFileName = path;
}

void ModalSeam::setNextNumber(int number)
{
    testAnswers().nextNumber = number;
}

void ModalSeam::setNextDialogAction(std::function<void(QDialog&)> action)
{
    testAnswers().nextDialogAction = std::move(action);
}

QList<AnsweredMessage> ModalSeam::takeAnsweredMessages()
{
    return std::exchange(testAnswers().messages, {});
}

} // namespace vorelind
