#pragma once

#include <string>
#include <string_view>

struct UConverter;

namespace vorelind {

// Decodes the bytes of one encoding to UTF-16 through ICU, piece by piece.
class TextDecoder {
public:
    // Opens ICU's converter of that name; raises AppError when ICU has none.
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
    UConverter* m_converter;
};

} // namespace vorelind
