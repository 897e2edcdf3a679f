#include "batch/TKeyRegister.h"

#include <charconv>

namespace ndlemo {

std::string_view TKeyRegister::Folded(std::string_view key) const {
    size_t i = 0;
    while (i < key.size() && !(key[i] >= 'A' && key[i] <= 'Z'))
        ++i;
    if (i == key.size())
        return key;
    m_Scratch.assign(key);
    for (char& c : m_Scratch) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return m_Scratch;
}

bool TKeyRegister::AsNumber(std::string_view key, uint64_t& number) {
    if (key.empty() || key.size() > MaxDigits)
        return false;
    uint64_t value = 0;
    for (char c : key) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    number = Encoded(key.size(), value);
    return true;
}

size_t TKeyRegister::Slot(uint64_t group) const {
    uint64_t h = group;
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    size_t mask = m_Groups.size() - 1;
    size_t i = static_cast<size_t>(h) & mask;
    while (m_Groups[i].Key != 0 && m_Groups[i].Key != group + 1)
        i = (i + 1) & mask;
    return i;
}

void TKeyRegister::Grow() {
    std::vector<TGroup> old;
    old.swap(m_Groups);
    m_Groups.assign(old.empty() ? 64 : old.size() * 2, TGroup());
    for (const TGroup& g : old) {
        if (g.Key != 0)
            m_Groups[Slot(g.Key - 1)] = g;
    }
}

bool TKeyRegister::Contains(std::string_view key) const {
    uint64_t number = 0;
    if (AsNumber(key, number)) {
        if (m_Groups.empty())
            return false;
        const TGroup& g = m_Groups[Slot(number >> GroupBits)];
        return g.Key != 0 && ((g.Members >> (number & GroupMask)) & 1) != 0;
    }
    return m_Texts.find(Folded(key)) != m_Texts.end();
}

bool TKeyRegister::AddNumber(uint64_t number) {
    // At most half full, so that probe runs stay short.
    if ((m_GroupCount + 1) * 2 > m_Groups.size())
        Grow();
    uint64_t bit = 1ull << (number & GroupMask);
    TGroup& g = m_Groups[Slot(number >> GroupBits)];
    if (g.Key == 0) {
        g.Key = (number >> GroupBits) + 1;
        ++m_GroupCount;
    } else if (g.Members & bit) {
        return true;
    }
    g.Members |= bit;
    ++m_NumberCount;
    return false;
}

bool TKeyRegister::Add(std::string_view key) {
    uint64_t number = 0;
    if (AsNumber(key, number))
        return AddNumber(number);
    // One look-up: the node is made only when the key is new.
    return !m_Texts.insert(std::string(Folded(key))).second;
}

bool TKeyRegister::Add(std::string_view prefix, int32_t number) {
    // The same number that AsNumber makes of the joined text; a prefix of up to seven digits leaves room for the
    // ten digits a number can have.
    uint64_t value = 0;
    bool digits = prefix.size() <= MaxDigits - 10;
    for (size_t i = 0; digits && i < prefix.size(); ++i) {
        digits = prefix[i] >= '0' && prefix[i] <= '9';
        value = value * 10 + static_cast<uint64_t>(prefix[i] - '0');
    }
    if (digits && number >= 0) {
        size_t length = prefix.size() + 1;
        uint64_t scale = 10;
        for (; static_cast<uint64_t>(number) >= scale; scale *= 10)
            ++length;
        return AddNumber(Encoded(length, value * scale + static_cast<uint64_t>(number)));
    }
    char buf[16];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, number);
    m_Joined.assign(prefix);
    m_Joined.append(buf, end);
    return Add(m_Joined);
}

void TKeyRegister::Clear() {
    m_Groups.clear();
    m_GroupCount = 0;
    m_NumberCount = 0;
    m_Texts.clear();
}

} // namespace ndlemo
