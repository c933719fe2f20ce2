// SjisEncoder through the system's code page 932.

#include "platform/sjisencoder.h"

#include "platform/codepage932.h"

#include <windows.h>

namespace vorelind {

namespace {

constexpr unsigned kCodePage932 = 932;

// "〓", the customary mark for a character that Shift-JIS cannot hold.
constexpr char kSubstitute[] = "\x81\xac";

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

} // namespace

SjisEncoder::SjisEncoder() = default;

SjisEncoder::~SjisEncoder() = default;

void SjisEncoder::encode(std::u16string_view text, std::string& out, bool last)
{
    std::u16string units = std::move(m_pending);
    m_pending.clear();
    units.reserve(units.size() + text.size());
    for (const char16_t unit : text)
        units += codePage932Form(unit);
    if (!last && !units.empty() && isHighSurrogate(units.back())) {
        m_pending = units.back();
        units.pop_back();
    }
    if (units.empty())
        return;
    const auto* wide = reinterpret_cast<const wchar_t*>(units.data());
    const int count = static_cast<int>(units.size());
    const std::size_t used = out.size();
    // A unit gives at most two bytes; best-fit guesses would hide what is lost.
    out.resize(used + units.size() * 2);
    const int written = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide, count, out.data() + used,
                                            static_cast<int>(units.size() * 2), kSubstitute, nullptr);
    out.resize(used + static_cast<std::size_t>(written > 0 ? written : 0));
}

} // namespace vorelind
