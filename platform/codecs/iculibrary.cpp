#include "platform/codecs/iculibrary.h"

#include "util/apperror.h"

#include <dlfcn.h>

#include <string>

// ICU's headers give each function its versioned name ("ucnv_open_72"),
// which is the name its library exports.
#define VORELIND_ICU_NAME(function) VORELIND_ICU_NAME_TEXT(function)
#define VORELIND_ICU_NAME_TEXT(name) #name
#define VORELIND_ICU_BIND(library, function) bound<decltype(&function)>(library, VORELIND_ICU_NAME(function))

namespace vorelind {

namespace {

constexpr char kLibrary[] = "libicuuc.so." U_ICU_VERSION_SHORT;

AppError loadError()
{
    const char* reason = dlerror();
    return AppError(std::string("ICU cannot be loaded: ") + (reason ? reason : kLibrary));
}

void* loadedLibrary()
{
    void* library = dlopen(kLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library)
        throw loadError();
    return library;
}

template <typename Function>
Function bound(void* library, const char* name)
{
    void* symbol = dlsym(library, name);
    if (!symbol)
        throw loadError();
    return reinterpret_cast<Function>(symbol);
}

IcuLibrary boundLibrary()
{
    void* const library = loadedLibrary();
    return IcuLibrary{
        VORELIND_ICU_BIND(library, ucnv_open),
        VORELIND_ICU_BIND(library, ucnv_close),
        VORELIND_ICU_BIND(library, ucnv_setToUCallBack),
        VORELIND_ICU_BIND(library, ucnv_toUnicode),
        VORELIND_ICU_BIND(library, ucnv_setFallback),
        VORELIND_ICU_BIND(library, ucnv_setSubstChars),
        VORELIND_ICU_BIND(library, ucnv_fromUnicode),
        VORELIND_ICU_BIND(library, u_errorName),
        VORELIND_ICU_BIND(library, UCNV_TO_U_CALLBACK_STOP),
        VORELIND_ICU_BIND(library, u_getVersion),
        VORELIND_ICU_BIND(library, u_versionToString),
    };
}

} // namespace

const IcuLibrary& icuLibrary()
{
    static const IcuLibrary library = boundLibrary();
    return library;
}

} // namespace vorelind
