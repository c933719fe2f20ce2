#pragma once

#include "platform/shell.h"

#include <QStringList>

// Takes the shell's calls while it lives, so that no test starts a browser.
class ShellRecorder {
public:
    ShellRecorder()
    {
        vorelind::Shell::setOpener([this](const QString& target) { opened << target; });
    }
    ~ShellRecorder() { vorelind::Shell::setOpener({}); }
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

    QStringList opened;
};
