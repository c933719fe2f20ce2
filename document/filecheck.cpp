#include "document/filecheck.h"

#include "document/documentpipeline.h"
#include "platform/codecs/sjistext.h"
#include "util/apperror.h"
#include "util/filename.h"

#include <new>

namespace vorelind {

std::string checkFileBalance(const std::string& path, bool convertToShiftJis, const ExcludedTags& excluded,
                             std::optional<TagRules> rules, const std::function<void(const CheckedText&)>& describe)
{
    return checkLoadedFile(path, convertToShiftJis, rules, [&](std::string_view source, TagRules chosen) {
        const std::vector<UnbalancedTag> found = unbalancedTags(source, excluded, chosen);
        describe(CheckedText{source, chosen, found});
    });
}

namespace {

// Why the action failed, in Shift-JIS; empty when it did not.
std::string failureOf(const std::function<void()>& action)
{
    try {
        action();
        return {};
    } catch (const Refusal& refusal) {
        return refusal.what();
    } catch (const AppError& error) {
        return error.what();
    } catch (const std::bad_alloc&) {
        return "out of memory";
    } catch (const std::exception& error) {
        return error.what();
    }
}

DocumentRequest requestFor(const std::string& path, bool convertToShiftJis)
{
    return DocumentRequest{path, fileNameOf(pathText(path)), convertToShiftJis};
}

} // namespace

std::string checkLoadedFile(const std::string& path, bool convertToShiftJis, std::optional<TagRules> rules,
                            const std::function<void(std::string_view source, TagRules rules)>& check)
{
    return failureOf([&] {
        const std::string source = loadDocument(requestFor(path, convertToShiftJis));
        check(source, rules.value_or(rulesFor(source)));
    });
}

std::string checkFileAsWritten(const std::string& path, std::optional<TagRules> rules,
                               const std::function<void(std::string_view source, TagRules rules)>& check)
{
    return failureOf([&] {
        readDocumentAsWritten(requestFor(path, false),
                              [&](std::string_view source) { check(source, rules.value_or(rulesFor(source))); });
    });
}

} // namespace vorelind
