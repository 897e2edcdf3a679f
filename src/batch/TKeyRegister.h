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
    // Adds the key made of prefix and the number in decimal, without building its text when it is all digits.
    bool Add(std::string_view prefix, int32_t number);
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
    // The length in the top bits keeps "012" apart from "12".
    [[nodiscard]] static uint64_t Encoded(size_t length, uint64_t value) {
        return (static_cast<uint64_t>(length) << 58) | value;
    }
    // The slot of the group, or the empty slot where it belongs.
    [[nodiscard]] size_t Slot(uint64_t group) const;
    bool AddNumber(uint64_t number);
    void Grow();

    static constexpr size_t MaxDigits = 17;
    // The usual keys (year and number) are numbers, kept in groups of 64 neighbouring numbers with one bit each,
    // in an open-addressed table of groups: the consecutive numbers of documents share a group, so the table
    // stays small enough for the cache and one look-up touches one place.
    static constexpr unsigned GroupBits = 6;
    static constexpr uint64_t GroupMask = (1u << GroupBits) - 1; // a bit of the 64-bit Members
    struct TGroup {
        uint64_t Key = 0; // the number without its low GroupBits, + 1; 0 is an empty slot
        uint64_t Members = 0;
    };
    std::vector<TGroup> m_Groups;
    size_t m_GroupCount = 0;
    size_t m_NumberCount = 0;
    std::unordered_set<std::string, Hash, std::equal_to<>> m_Texts;
    mutable std::string m_Scratch;
    std::string m_Joined;
};

} // namespace ndlemo
