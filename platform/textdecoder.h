#pragma once

#include <string>
#include <string_view>

struct UConverter;

namespace vorelind {

// Decodes the bytes of one encoding to UTF-16, piece by piece: through ICU,
// on Windows through the system's code pages.
class TextDecoder {
public:
    // Opens the converter that ICU knows by that name; raises AppError when
    // there is none.
    explicit TextDecoder(const char* icuName);
    ~TextDecoder();
    TextDecoder(const TextDecoder&) = delete;
    TextDecoder& operator=(const TextDecoder&) = delete;

    // Appends the UTF-16 form of the bytes to out; every invalid or
    // unassigned sequence becomes U+FFFD. Unless last is set, a character
    // cut at the end of the bytes waits for the next call. Returns the offset
    // just past the first invalid sequence, or npos when there was none.
    std::size_t decode(std::string_view bytes, std::u16string& out, bool last);

private:
#ifdef _WIN32
    void decodeCharacters(std::string_view bytes, std::u16string& out, bool last, std::size_t& firstFailure);

    unsigned m_codePage;
    std::string m_pending; // the start of a character cut at the end of the last piece
#else
    UConverter* m_converter;
#endif
};

} // namespace vorelind
