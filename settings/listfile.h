#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace vorelind {

// Splits list-file bytes into entries: CR LF, a lone CR and a lone LF each end
// a line, text after the last break is a line, and a NUL ends the text.
// Every line is an entry, an empty line an empty entry.
std::vector<std::string> parseListText(std::string_view bytes);

// The list file's bytes: every entry followed by CR LF.
std::string listFileBytes(const std::vector<std::string>& entries);

// The excluded-tag file "ignore.trm". Remembers whether its list was loaded, and never
// replaces an existing file with a list that was not loaded from it (a missing file is created).
class IgnoreListFile {
public:
    explicit IgnoreListFile(std::filesystem::path path);

    // Reads the entries with other writers locked out.
    std::vector<std::string> load(); // raises AppError "ファイル %s は開けません"

    // Writes the entries with exclusive access. Refused, with the same error
    // and the file untouched, when the file exists but its list was never
    // loaded: the user's entries would be lost.
    void save(const std::vector<std::string>& entries); // raises AppError "ファイル %s を作成できません"

    // Whether save() would be refused: the file exists and its list was never loaded.
    bool refusesSave() const;

private:
    std::filesystem::path m_path;
    bool m_loaded = false;
};

} // namespace vorelind
