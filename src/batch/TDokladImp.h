#pragma once

#include "batch/TDoklad.h"
#include "batch/TDokladPolozka.h"
#include "batch/TPojOsobaImp.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ndlemo {

// The document being read, refilled for every document record, with its insured persons.
class TDokladImp {
public:
    TDokladImp() = default;
    ~TDokladImp() { Vycisti(); }
    TDokladImp(const TDokladImp&) = delete;
    TDokladImp& operator=(const TDokladImp&) = delete;

    TDoklad Doklad;
    std::vector<std::unique_ptr<TPojOsobaImp>> Osoby;
    // The document passed all its checks and accepts item and diagnosis records.
    bool Aktivni = false;
    // Whether checked items are stored under their persons. The file reader turns it off: nothing reads the
    // items of its document, and a document with very many items must not hold them all.
    bool StoreItems = true;
    // The record into which a checked item is copied before it is stored; reused between items.
    TDokladPolozka ScratchItem;

    // Not open, no persons (freed the last first), the record cleared.
    void Vycisti();
    // Index of the person with exactly this insurance number, or -1.
    [[nodiscard]] int NajdiOsobu(std::string_view cisloPojistence) const;
    // Appends a person without items and returns its index; -1 (and nothing added) when the number is there.
    int PridejOsobu(std::string_view cisloPojistence);
    // The last day of the period of Doklad.Mesic and Doklad.Rok; raises like the period check. Remembered for
    // the items, which all ask for the same period.
    [[nodiscard]] TDate KonecObdobi() {
        if (!m_PeriodEnd.IsNull() && SameText(m_PeriodMonth, Doklad.Mesic) && SameText(m_PeriodYear, Doklad.Rok))
            return m_PeriodEnd;
        return CachePeriodEnd();
    }
    // Short texts (periods, insurance numbers) are compared for every item: up to sixteen bytes as two
    // overlapping words, without a library call.
    [[nodiscard]] static bool SameText(std::string_view a, std::string_view b) {
        size_t n = a.size();
        if (n != b.size())
            return false;
        if (n >= 8 && n <= 16)
            return SameBytes<uint64_t>(a, b, 0) && SameBytes<uint64_t>(a, b, n - 8);
        if (n >= 4 && n < 8)
            return SameBytes<uint32_t>(a, b, 0) && SameBytes<uint32_t>(a, b, n - 4);
        if (n < 4) {
            for (size_t i = 0; i < n; ++i) {
                if (a[i] != b[i])
                    return false;
            }
            return true;
        }
        return a == b;
    }

private:
    TDate CachePeriodEnd();
    // The sizeof(Word) bytes from offset on of both texts are equal.
    template <typename Word>
    [[nodiscard]] static bool SameBytes(std::string_view a, std::string_view b, size_t offset) {
        Word x;
        Word y;
        std::memcpy(&x, a.data() + offset, sizeof x);
        std::memcpy(&y, b.data() + offset, sizeof y);
        return x == y;
    }

    // Persons are looked up linearly while there are few; a document of one of the types whose persons come
    // from the items can have very many, and then an index keeps the look-up constant.
    static constexpr size_t IndexFrom = 16;
    static constexpr size_t MaxSpare = 64;
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, int, Hash, std::equal_to<>> m_Index;
    // Cleared persons kept for the next documents, so that refilling the document does not allocate.
    std::vector<std::unique_ptr<TPojOsobaImp>> m_Spare;
    std::string m_PeriodMonth;
    std::string m_PeriodYear;
    TDate m_PeriodEnd;
};

} // namespace ndlemo
