// A running copy of the program as far as its stored state goes: reads the
// settings and the excluded-tag file at start, says "ready", and on a line
// from standard input stores the values it was given, as the program does
// when it exits.
//   settingspeer PROGRAM LISTFILE MASK FOLDER NKF(0|1) [ENTRY...]

#include "plainsettingsviews.h"
#include "settings/listfile.h"
#include "settings/settings.h"
#include "util/apperror.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char* argv[])
{
    if (argc < 6)
        return 2;
    const std::string program = argv[1];
    try {
        PlainSettingsViews views;
        vorelind::readSettings(views, program);
        vorelind::IgnoreListFile list(argv[2]);
        try {
            list.load();
        } catch (const vorelind::AppError&) {
            // The first start: the list file is created at exit.
        }
        std::cout << "ready" << std::endl;
        std::string line;
        std::getline(std::cin, line);

        views.setFileMask(argv[3]);
        views.setFolder(argv[4]);
        views.setConvertsToShiftJis(std::string(argv[5]) == "1");
        vorelind::writeSettings(views, program);
        list.save(std::vector<std::string>(argv + 6, argv + argc));
        return 0;
    } catch (const vorelind::AppError& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
}
