#include "ui/applicationsetup.h"

#include "look/qttranslation.h"
#include "ui/programicon.h"

#include <QApplication>
#include <QFileInfo>
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

QString fileToOpen(const QStringList& arguments)
{
    if (arguments.size() < 2 || arguments.at(1).isEmpty())
        return {};
    return QFileInfo(arguments.at(1)).absoluteFilePath();
}

} // namespace vorelind
