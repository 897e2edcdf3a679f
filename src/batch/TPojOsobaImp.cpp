#include "batch/TPojOsobaImp.h"

namespace ndlemo {

void TPojOsobaImp::Vycisti() {
    CisloPojistence.clear();
    while (!Polozky.empty())
        Polozky.pop_back();
}

void TPojOsobaImp::PridejPolozku(const TDokladPolozka& polozka) {
    auto obj = std::make_unique<TDokPolObj>();
    obj->Polozka = polozka;
    Polozky.push_back(std::move(obj));
}

} // namespace ndlemo
