#pragma once

#include <string>

namespace vorelind {

class Registry;

// The file mask in force until the user sets one.
inline constexpr char kDefaultFileMask[] = "*.htm*";

// The three views that the stored settings come from and go to.
class SettingsViews {
public:
    virtual ~SettingsViews() = default;
    virtual std::string fileMask() const = 0;
    virtual void setFileMask(const std::string& mask) = 0;
    virtual std::string folder() const = 0;
    virtual void setFolder(const std::string& folder) = 0; // raises AppError when the folder can't be entered
    virtual bool convertsToShiftJis() const = 0;
    virtual void setConvertsToShiftJis(bool on) = 0;
};

// The executable's file name without folder and extension.
std::string programNameOf(const std::string& executablePath);

// Reads "MASK", "DIRECTORY" and "NKF" from the section HTMLTREESTRUCT of the
// program's key and applies them to the views in that order, absent values
// giving their defaults. Creates the program key but never the section.
// Raises AppError; the values applied before the failure stay in force.
void readSettings(SettingsViews& views, const std::string& programName);

// Writes the three values, each in its own open, store and close. Raises
// AppError; the values written before the failure stay stored.
void writeSettings(const SettingsViews& views, const std::string& programName);

// The same on a given registry.
void readSettings(SettingsViews& views, const std::string& programName, Registry& registry);
void writeSettings(const SettingsViews& views, const std::string& programName, Registry& registry);

// The folder shown when none is stored: "C:\" on Windows, the root elsewhere.
std::string defaultFolder();

} // namespace vorelind
