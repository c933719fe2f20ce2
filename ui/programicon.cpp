#include "ui/programicon.h"

namespace vorelind {

QIcon programIcon()
{
    return QIcon(QStringLiteral(":/vorelind/vorelind.png"));
}

} // namespace vorelind
