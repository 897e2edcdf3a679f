#pragma once

#include "batch/TDokPolObj.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ndlemo {

// An insured person of the current document with the items that belong to it.
class TPojOsobaImp {
public:
    TPojOsobaImp() = default;
    explicit TPojOsobaImp(std::string_view cisloPojistence) : CisloPojistence(cisloPojistence) {}
    ~TPojOsobaImp() { Vycisti(); }
    TPojOsobaImp(const TPojOsobaImp&) = delete;
    TPojOsobaImp& operator=(const TPojOsobaImp&) = delete;

    std::string CisloPojistence;
    std::vector<std::unique_ptr<TDokPolObj>> Polozky;

    // Empties the number and frees the items, the last first.
    void Vycisti();
    // Stores a copy of the item at the end of Polozky.
    void PridejPolozku(const TDokladPolozka& polozka);
};

} // namespace ndlemo
