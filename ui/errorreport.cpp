#include "ui/errorreport.h"

#include "platform/displaytext.h"
#include "ui/applicationsetup.h"
#include "ui/modalseam.h"

#include <QApplication>

namespace vorelind {

void showErrorReport(const AppError& error)
{
    ModalSeam::showMessage(QApplication::activeWindow(), MessageIcon::Error, applicationTitle(),
                           toDisplayText(errorBoxText(error.what())));
}

} // namespace vorelind
