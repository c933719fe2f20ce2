#include "document/sizelimits.h"

#include "document/messages.h"
#include "util/apperror.h"
#include "util/machinememory.h"

#include <algorithm>

namespace vorelind {

namespace {

constexpr std::uint64_t kBudgetPerSourceByte = 64;
constexpr std::uint64_t kBudgetBase = 64 * kMebibyte;
constexpr std::uint64_t kMachineShare = 8;

} // namespace

std::size_t listingBudget(std::size_t sourceSize)
{
    const std::uint64_t budget = kBudgetPerSourceByte * sourceSize + kBudgetBase;
    const std::uint64_t machine = physicalMemoryBytes();
    if (machine == 0)
        return static_cast<std::size_t>(budget);
    return static_cast<std::size_t>(std::min(budget, machine / kMachineShare));
}

std::string listingTooLargeMessage(std::size_t budget)
{
    return formatMessage(messages::kListingTooLarge, std::to_string(budget));
}

std::string sourceTooLargeMessage(const std::string& fileName)
{
    return formatMessage(messages::kSourceTooLarge, fileName);
}

} // namespace vorelind
