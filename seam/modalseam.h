#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class QDialog;
class QFileDialog;
class QWidget;

namespace vorelind {

enum class MessageIcon { Information, Error };

// A message box as a test saw it instead of the user.
struct AnsweredMessage {
    MessageIcon icon;
    QString caption;
    QString text;
};

// Every modal interaction of the windows passes through here: message
// boxes, the save dialog and the program's own dialogs. Tests switch on
// answering and give the next answers, so that nothing waits for a user.
class ModalSeam {
public:
    // A modal message box with one OK button.
    static void showMessage(QWidget* parent, MessageIcon icon, const QString& caption, const QString& text);
    // Runs a save dialog; returns the chosen path, or an empty text on cancel.
    static QString chooseSaveFile(QFileDialog& dialog);
    // Runs a dialog modally until it closes.
    static void runDialog(QDialog& dialog);
    // Asks for a whole number from minimum to maximum; none on cancel.
    static std::optional<int> askNumber(QWidget* parent, const QString& caption, const QString& label, int value,
                                        int minimum, int maximum);

    // From now on nothing modal is shown: message boxes are recorded, the
    // save dialog gives the next file name (a cancel when none is set), and
    // a dialog is shown, handed to the next action (if any) and hidden.
    static void answerForTests();
    static void setNextSaveFileName(const QString& path);
    static void setNextDialogAction(std::function<void(QDialog&)> action);
    // The next number asked for (a cancel when none is set).
    static void setNextNumber(int number);
    // Returns the recorded message boxes and forgets them.
    static QList<AnsweredMessage> takeAnsweredMessages();
};

} // namespace vorelind
