// Writes the three settings through the registry and reads them back:
//   registryroundtrip PROGRAMNAME VALUES
// VALUES is a file that holds the mask and the folder, one line each, in
// Shift-JIS. Writes the values read in the same form to standard output and
// exits with 1 when they differ from those written. The registry is the
// real one of the Windows host.

#include "document/sourceloader.h"
#include "settings/listfile.h"
#include "settings/settings.h"
#include "util/apperror.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <string>
#include <vector>

namespace {

using namespace vorelind;

class StoredViews : public SettingsViews {
public:
    std::string fileMask() const override { return m_mask; }
    void setFileMask(const std::string& mask) override { m_mask = mask; }
    std::string folder() const override { return m_folder; }
    void setFolder(const std::string& folder) override { m_folder = folder; }
    bool convertsToShiftJis() const override { return m_converts; }
    void setConvertsToShiftJis(bool on) override { m_converts = on; }
    RulesChoice rulesChoice() const override { return m_rules; }
    void setRulesChoice(RulesChoice choice) override { m_rules = choice; }

private:
    std::string m_mask;
    std::string m_folder;
    bool m_converts = true;
    RulesChoice m_rules = RulesChoice::Automatic;
};

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fputs("usage: registryroundtrip PROGRAMNAME VALUES\n", stderr);
        return 2;
    }
    StoredViews written;
    written.setConvertsToShiftJis(false);
    StoredViews read;
    try {
        const std::vector<std::string> values = parseListText(readFileBytes(argv[2]));
        written.setFileMask(values.at(0));
        written.setFolder(values.at(1));
        writeSettings(written, argv[1]);
        readSettings(read, argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "registryroundtrip: %s\n", error.what());
        return 1;
    }
    _setmode(_fileno(stdout), _O_BINARY);
    const std::string text = listFileBytes({read.fileMask(), read.folder(), read.convertsToShiftJis() ? "1" : "0"});
    std::fwrite(text.data(), 1, text.size(), stdout);
    const bool same = read.fileMask() == written.fileMask() && read.folder() == written.folder()
        && read.convertsToShiftJis() == written.convertsToShiftJis();
    return same ? 0 : 1;
}
