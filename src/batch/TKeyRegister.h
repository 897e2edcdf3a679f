#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace ndlemo {

// The run-wide register of batch or document keys, shared by all files of one check run so that duplicates
// are found across files. Keys are compared regardless of ASCII letter case.
class TKeyRegister {
public:
    [[nodiscard]] bool Contains(std::string_view key) const;
    // Adds the key; true when it was there already.
    bool Add(std::string_view key);
    void Clear();
    [[nodiscard]] size_t Size() const { return m_NumberCount + m_Texts.size(); }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
    };
    // Keys are digits; only a key with capitals needs a folded copy.
    [[nodiscard]] std::string_view Folded(std::string_view key) const;
    // A key of at most MaxDigits decimal digits as one number that keeps its length (leading zeros count).
    [[nodiscard]] static bool AsNumber(std::string_view key, uint64_t& number);
    [[nodiscard]] size_t Slot(uint64_t number) const;
    void Grow();

    static constexpr size_t MaxDigits = 17;
    // The usual keys (year and number) live in an open-addressed table of numbers: one look-up touches one
    // place, and neighbouring numbers lie side by side. Slot value 0 is empty; numbers are stored + 1.
    std::vector<uint64_t> m_Numbers;
    size_t m_NumberCount = 0;
    std::unordered_set<std::string, Hash, std::equal_to<>> m_Texts;
    mutable std::string m_Scratch;
};

} // namespace ndlemo
