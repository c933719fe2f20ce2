#pragma once

namespace vorelind {

// The code page 932 character for one whose Unicode form other Japanese
// tables give differently: JIS-based tables decode WAVE DASH, EM DASH,
// DOUBLE VERTICAL LINE and MINUS SIGN where code page 932 has their
// full-width forms, and the Latin-1 signs where it has full-width ones.
// Every other character stays as it is.
inline char16_t codePage932Form(char16_t unit)
{
    switch (unit) {
    case u'\u301C': return u'\uFF5E'; // WAVE DASH
    case u'\u2014': return u'\u2015'; // EM DASH
    case u'\u2016': return u'\u2225'; // DOUBLE VERTICAL LINE
    case u'\u2212': return u'\uFF0D'; // MINUS SIGN
    case u'\u00A2': return u'\uFFE0'; // CENT SIGN
    case u'\u00A3': return u'\uFFE1'; // POUND SIGN
    case u'\u00AC': return u'\uFFE2'; // NOT SIGN
    default: return unit;
    }
}

} // namespace vorelind
