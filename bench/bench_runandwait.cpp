// Measures what waiting for another process costs this one: the processor
// time that runAndWait uses while a child sleeps. The wait sits in the event
// loop, so the figure should stay near zero however long the child runs.

#include "platform/process/processlauncher.h"

#include <QCoreApplication>

#include <chrono>
#include <ctime>
#include <iostream>
#include <string>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const std::string seconds = argc > 1 ? argv[1] : "2";

    const std::clock_t cpuStart = std::clock();
    const auto wallStart = std::chrono::steady_clock::now();
    vorelind::runAndWait("sleep " + seconds);
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();

    std::cout << "waited " << wall << " s for 'sleep " << seconds << "', processor time used " << cpu << " s ("
              << (wall > 0 ? 100.0 * cpu / wall : 0.0) << " % of one core)\n";
    return 0;
}
