#pragma once

#include <string>

namespace vorelind {

// The utility component: reads an executable's version record into display
// texts (Shift-JIS), and runs a program to its end. Its operations overwrite
// their output texts, raise nothing and show nothing; what can't be read
// stays empty.
class TCommonUtil {
public:
    // The four texts of the record's fixed part. When the record or its
    // fixed part can't be read, the outputs keep what the caller had in them.
    void GetFixedVersionInfo(const std::string& fileName, std::string& OSText, std::string& VersionText,
                             std::string& FlagsText, std::string& TypeText);

    // The four fixed-part texts and the twelve standard string values of the
    // string table that the first translation entry selects. Every output is
    // emptied first.
    void GetVersionInfo(const std::string& fileName, std::string& OSText, std::string& VersionText,
                        std::string& FlagsText, std::string& TypeText, std::string& Comments,
                        std::string& CompanyName, std::string& FileDescription, std::string& FileVersion,
                        std::string& InternalName, std::string& LegalCopyright, std::string& LegalTrademarks,
                        std::string& OriginalFilename, std::string& PrivateBuild, std::string& ProductName,
                        std::string& ProductVersion, std::string& SpecialBuild);

    // Runs the UTF-8 command line and returns when the program has ended, while
    // the windows keep handling their events. Defined in its own library,
    // vorelind_commonutil_run, since it needs the event loop that the
    // command-line tool does without.
    void RunAndWait(const std::string& commandLine);
};

} // namespace vorelind
