#include "ui/applicationsetup.h"

#include "look/qttranslation.h"
#include "platform/codecs/systemmessages.h"
#include "ui/programicon.h"

#include <QApplication>
#include <QFont>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace vorelind {

namespace {

// A page's views and its analysis take blocks of several megabytes. Freed,
// they go straight back to the system: left to itself, glibc raises this
// bound whenever a large block is freed and then keeps such blocks, and the
// old copies of every list that grew, in its heaps, one per thread. Below a
// few megabytes the heaps' reuse of freed memory saves more time than it costs.
void returnLargeBlocksToTheSystem()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 4 * 1024 * 1024);
#endif
}

} // namespace

QString applicationTitle()
{
    return QStringLiteral("Vorelind");
}

void setUpApplication()
{
    returnLargeBlocksToTheSystem();
    QCoreApplication::setApplicationName(applicationTitle());
    QApplication::setWindowIcon(programIcon());
    installQtTranslations();
    // The system's error texts follow the window's language, as Qt's own texts do.
    useJapaneseSystemMessages();
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
}

std::filesystem::path fileToOpen(const std::filesystem::path& file)
{
    if (file.empty())
        return {};
    return std::filesystem::absolute(file).lexically_normal();
}

} // namespace vorelind
