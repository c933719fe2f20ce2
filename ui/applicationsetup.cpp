#include "ui/applicationsetup.h"

#include "ui/programicon.h"
#include "ui/qttranslation.h"

#include <QApplication>
#include <QFont>

namespace vorelind {

QString applicationTitle()
{
    return QStringLiteral("Vorelind");
}

void setUpApplication()
{
    QCoreApplication::setApplicationName(applicationTitle());
    QApplication::setWindowIcon(programIcon());
    installQtTranslations();
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
}

} // namespace vorelind
