#include "batch/TDokladImp.h"

#include "batch/FieldChecks.h"

namespace ndlemo {

void TDokladImp::Vycisti() {
    Aktivni = false;
    while (!Osoby.empty()) {
        Osoby.back()->Vycisti();
        if (m_Spare.size() < MaxSpare)
            m_Spare.push_back(std::move(Osoby.back()));
        Osoby.pop_back();
    }
    if (!m_Index.empty())
        m_Index = {};
    Doklad.Vycisti();
}

int TDokladImp::NajdiOsobu(std::string_view cisloPojistence) const {
    if (Osoby.size() > IndexFrom) {
        auto it = m_Index.find(cisloPojistence);
        return it == m_Index.end() ? -1 : it->second;
    }
    for (size_t i = 0; i < Osoby.size(); ++i) {
        if (SameText(Osoby[i]->CisloPojistence, cisloPojistence))
            return static_cast<int>(i);
    }
    return -1;
}

int TDokladImp::PridejOsobu(std::string_view cisloPojistence) {
    if (NajdiOsobu(cisloPojistence) >= 0)
        return -1;
    if (m_Spare.empty()) {
        Osoby.push_back(std::make_unique<TPojOsobaImp>(cisloPojistence));
    } else {
        Osoby.push_back(std::move(m_Spare.back()));
        m_Spare.pop_back();
        Osoby.back()->CisloPojistence = cisloPojistence;
    }
    int index = static_cast<int>(Osoby.size()) - 1;
    if (Osoby.size() > IndexFrom) {
        if (m_Index.empty()) {
            for (size_t i = 0; i < Osoby.size(); ++i)
                m_Index.emplace(Osoby[i]->CisloPojistence, static_cast<int>(i));
        } else {
            m_Index.emplace(Osoby.back()->CisloPojistence, index);
        }
    }
    return index;
}

TDate TDokladImp::CachePeriodEnd() {
    m_PeriodEnd = TDate();
    TDate konec = ndlemo::KonecObdobi(Doklad.Mesic, Doklad.Rok);
    m_PeriodMonth = Doklad.Mesic;
    m_PeriodYear = Doklad.Rok;
    m_PeriodEnd = konec;
    return konec;
}

} // namespace ndlemo
