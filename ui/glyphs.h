#pragma once

#include <QIcon>

namespace vorelind {

// The small images of the structure tab's buttons.
enum class Glyph { ExpandAll, CollapseAll, Browser };

// The glyph with its two images: the coloured one of the enabled button and
// the greyed one of the disabled button.
QIcon glyphIcon(Glyph glyph);

} // namespace vorelind
