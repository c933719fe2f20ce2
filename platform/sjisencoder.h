#pragma once

#include <string>
#include <string_view>

struct UConverter;

namespace vorelind {

// Encodes UTF-16 to Shift-JIS (code page 932, NEC and IBM extensions
// included) piece by piece: through ICU, on Windows through the system's
// code page 932.
class SjisEncoder {
public:
    SjisEncoder();
    ~SjisEncoder();
    SjisEncoder(const SjisEncoder&) = delete;
    SjisEncoder& operator=(const SjisEncoder&) = delete;

    // Appends the Shift-JIS form of the text to out. A character with no
    // code page 932 form becomes "〓"; one whose Unicode form other Japanese
    // tables give differently (WAVE DASH, MINUS SIGN, CENT SIGN...) becomes
    // its code page 932 character. Unless last is set, a surrogate at the
    // end waits for the next call.
    void encode(std::u16string_view text, std::string& out, bool last);

private:
#ifdef _WIN32
    std::u16string m_pending; // a high surrogate at the end of the last piece
#else
    void encodePiece(std::u16string_view text, std::string& out, bool last);

    UConverter* m_converter;
#endif
};

} // namespace vorelind
