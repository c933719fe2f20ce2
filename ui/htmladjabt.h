#pragma once

#include "ui/abouttexts.h"

#include <QDialog>

#include <functional>

class QFrame;
class QLabel;
class QPushButton;

namespace vorelind {

class TInternetLabel;

// The About dialog: product name, version, remarks with the conversion
// library's version, copyright and a contact address. It is created once and
// reused; each opening sets its three texts afresh.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    using ModalHook = std::function<void(TAboutBox& dialog)>;

    explicit TAboutBox(QWidget* parent = nullptr);

    // Shows the version, remarks and copyright lines.
    void setTexts(const AboutTexts& texts);

    // Shows the dialog modally and returns when it is closed.
    void showModal();
    // Routes showModal() to the given function, so that tests never wait
    // for a click; an empty one restores the modal run.
    static void setModalHook(ModalHook hook);

    QFrame* Panel1;
    QLabel* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Copyright;
    QLabel* Comments;
    QLabel* Label1;
    TInternetLabel* InternetLabel1;
    QPushButton* OKButton;

public slots:
    void OKButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createPanel();
};

} // namespace vorelind
