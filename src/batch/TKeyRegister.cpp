#include "batch/TKeyRegister.h"

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
    // The length in the top bits keeps "012" apart from "12".
    number = (static_cast<uint64_t>(key.size()) << 58) | value;
    return true;
}

size_t TKeyRegister::Slot(uint64_t number) const {
    // Runs of 16 neighbouring numbers share one mixed base, so consecutive documents stay close together.
    uint64_t base = number >> 4;
    base ^= base >> 33;
    base *= 0xff51afd7ed558ccdull;
    base ^= base >> 33;
    return static_cast<size_t>((base << 4) ^ (number & 15)) & (m_Numbers.size() - 1);
}

void TKeyRegister::Grow() {
    std::vector<uint64_t> old;
    old.swap(m_Numbers);
    m_Numbers.assign(old.empty() ? 1024 : old.size() * 2, 0);
    for (uint64_t stored : old) {
        if (stored == 0)
            continue;
        size_t i = Slot(stored - 1);
        while (m_Numbers[i] != 0)
            i = (i + 1) & (m_Numbers.size() - 1);
        m_Numbers[i] = stored;
    }
}

bool TKeyRegister::Contains(std::string_view key) const {
    uint64_t number = 0;
    if (AsNumber(key, number)) {
        if (m_Numbers.empty())
            return false;
        for (size_t i = Slot(number); m_Numbers[i] != 0; i = (i + 1) & (m_Numbers.size() - 1)) {
            if (m_Numbers[i] == number + 1)
                return true;
        }
        return false;
    }
    return m_Texts.find(Folded(key)) != m_Texts.end();
}

bool TKeyRegister::Add(std::string_view key) {
    uint64_t number = 0;
    if (AsNumber(key, number)) {
        // At most half full, so that probe runs stay short.
        if ((m_NumberCount + 1) * 2 > m_Numbers.size())
            Grow();
        size_t i = Slot(number);
        for (; m_Numbers[i] != 0; i = (i + 1) & (m_Numbers.size() - 1)) {
            if (m_Numbers[i] == number + 1)
                return true;
        }
        m_Numbers[i] = number + 1;
        ++m_NumberCount;
        return false;
    }
    // One look-up: the node is made only when the key is new.
    return !m_Texts.insert(std::string(Folded(key))).second;
}

void TKeyRegister::Clear() {
    m_Numbers.clear();
    m_NumberCount = 0;
    m_Texts.clear();
}

} // namespace ndlemo
