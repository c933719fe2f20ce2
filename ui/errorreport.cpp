#include "ui/errorreport.h"

#include "platform/codecs/displaytext.h"
#include "seam/modalseam.h"
#include "ui/applicationsetup.h"

#include <QApplication>

namespace vorelind {

void showErrorReport(const AppError& error)
{
    ModalSeam::showMessage(QApplication::activeWindow(), MessageIcon::Error, applicationTitle(),
                           toDisplayText(errorBoxText(error.what())));
}

} // namespace vorelind
