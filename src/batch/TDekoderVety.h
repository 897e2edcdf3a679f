#pragma once

#include "batch/Conversions.h"
#include "batch/TVeta.h"
#include "support/ESubroutineError.h"

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace ndlemo {

// The conversion kinds of the record layouts applied to the columns of one line. Text and lenient-integer
// columns that no check reads need not be decoded at all: those kinds never fail.
class TDekoderVety {
public:
    explicit TDekoderVety(const TVeta& veta) : m_Veta(veta) {}

    [[nodiscard]] std::string_view Text(size_t od, size_t sirka) const { return OrezText(m_Veta.Sloupce(od, sirka)); }
    [[nodiscard]] int32_t Cele(size_t od, size_t sirka) const { return TextNaCeleCislo(m_Veta.Sloupce(od, sirka)); }
    [[nodiscard]] double Cislo(size_t od, size_t sirka) const { return TextNaCislo(m_Veta.Sloupce(od, sirka)); }
    [[nodiscard]] TDate Datum(size_t od, size_t sirka) const { return TextNaDatum(m_Veta.Sloupce(od, sirka)); }
    // Columns decoded for their errors only.
    void OverCele(size_t od, size_t sirka) const { OverCeleCislo(m_Veta.Sloupce(od, sirka)); }
    void OverCislo(size_t od, size_t sirka) const { ndlemo::OverCislo(m_Veta.Sloupce(od, sirka)); }

    [[nodiscard]] bool MaDelku(std::initializer_list<size_t> delky) const {
        for (size_t d : delky) {
            if (m_Veta.Delka() == d)
                return true;
        }
        return false;
    }
    // Raises "Chybná délka věty "label"" unless the line has one of the lengths.
    void Delka(std::initializer_list<size_t> delky, std::string_view label) const {
        if (!MaDelku(delky))
            ChybnaDelka(label);
    }
    [[noreturn]] static void ChybnaDelka(std::string_view label) {
        throw ESubroutineError("Chybná délka věty \"%s\"", label);
    }

private:
    const TVeta& m_Veta;
};

} // namespace ndlemo
