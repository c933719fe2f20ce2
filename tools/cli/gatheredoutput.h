#pragma once

#include "document/walksinks.h"

#include <cstddef>
#include <memory>
#include <string_view>

namespace vorelind {

// Gathers many short pieces of output and writes them on some tens of
// kilobytes at a time.
class GatheredOutput {
public:
    explicit GatheredOutput(ListingSink& out);

    // Returns room for a piece of at most the given bytes, a few hundred.
    char* room(std::size_t bytes)
    {
        if (m_used + bytes > kSize)
            flush();
        return m_bytes.get() + m_used;
    }
    // Takes the first bytes of the room last returned.
    void take(std::size_t bytes) { m_used += bytes; }
    // Writes a piece of any size after those gathered.
    void write(std::string_view bytes);
    // Writes on the pieces gathered.
    void flush();

private:
    static constexpr std::size_t kSize = 64 * 1024;

    ListingSink& m_out;
    std::unique_ptr<char[]> m_bytes;
    std::size_t m_used = 0;
};

} // namespace vorelind
