#pragma once

#include <unicode/ucnv.h>
#include <unicode/uversion.h>

namespace vorelind {

// The ICU functions the codecs call. They are bound on first use rather
// than linked, so that a run that converts nothing, as most command-line
// runs on a page and its plain path do, never maps and relocates ICU: some
// 3 MB of pages, as much as a 3 MB page's own bytes.
struct IcuLibrary {
    decltype(&ucnv_open) open;
    decltype(&ucnv_close) close;
    decltype(&ucnv_setToUCallBack) setToUCallBack;
    decltype(&ucnv_toUnicode) toUnicode;
    decltype(&ucnv_setFallback) setFallback;
    decltype(&ucnv_setSubstChars) setSubstChars;
    decltype(&ucnv_fromUnicode) fromUnicode;
    decltype(&u_errorName) errorName;
    // The callback that stops decoding at each invalid sequence.
    UConverterToUCallback stopAtInvalid;
    decltype(&u_getVersion) getVersion;
    decltype(&u_versionToString) versionToString;
};

// Loads ICU and binds its functions on the first call, once for all
// threads; raises AppError when ICU cannot be loaded.
const IcuLibrary& icuLibrary();

} // namespace vorelind
