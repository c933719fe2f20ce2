#include "document/tagnames.h"

namespace vorelind {

namespace {

constexpr std::size_t kFirstTableSize = 256;

} // namespace

TagNames::TagNames()
    : m_slots(kFirstTableSize)
{
}

std::uint32_t TagNames::idOf(std::string_view name, std::uint32_t hash)
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const Slot& entry = m_slots[slot];
        if (entry.idPlusOne == 0)
            return add(name, hash, slot);
        const std::uint32_t id = entry.idPlusOne - 1;
        if (entry.hash == hash && equalWithoutAsciiCase(m_upperNames[id], name))
            return id;
    }
}

std::uint32_t TagNames::add(std::string_view name, std::uint32_t hash, std::size_t slot)
{
    const auto id = static_cast<std::uint32_t>(m_upperNames.size());
    m_upperNames.push_back(upperAscii(name));
    m_hashes.push_back(hash);
    m_slots[slot] = {id + 1, hash};
    if (2 * m_upperNames.size() > m_slots.size())
        grow();
    return id;
}

void TagNames::grow()
{
    m_slots.assign(2 * m_slots.size(), Slot{});
    const std::size_t mask = m_slots.size() - 1;
    for (std::uint32_t id = 0; id < m_upperNames.size(); ++id) {
        std::size_t slot = m_hashes[id] & mask;
        while (m_slots[slot].idPlusOne != 0)
            slot = (slot + 1) & mask;
        m_slots[slot] = {id + 1, m_hashes[id]};
    }
}

} // namespace vorelind
