#pragma once

#include "batch/TKeyRegister.h"
#include "batch/TPrijDavka.h"
#include "support/TDateTime.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ndlemo {

// One attached batch file: reads it record by record and collects its batches and error lines.
class TLemoSoubor {
public:
    TLemoSoubor() = default;
    TLemoSoubor(const TLemoSoubor&) = delete;
    TLemoSoubor& operator=(const TLemoSoubor&) = delete;
    TLemoSoubor(TLemoSoubor&&) = default;
    TLemoSoubor& operator=(TLemoSoubor&&) = default;
    ~TLemoSoubor() { Vycisti(); }

    std::string JmenoSouboru;
    int32_t Velikost = 0;
    std::string Zdroj;
    TDateTime DatumZdroje;
    std::vector<std::unique_ptr<TPrijDavka>> Davky;
    // "Řádek N: message" per record error, in the order found.
    std::vector<std::string> Chyby;
    bool KontrolaModulo = true;

    void Vycisti();

    // Reads and checks the whole file JmenoSouboru. The registers belong to the check run and are shared by
    // all its files; icz is the IČZ of the invoice. Raises ESubroutineError when the file is missing, cannot be
    // opened, is empty or holds no batch header; record errors go to Chyby and never stop the reading.
    void Nacti(TKeyRegister& batchKeys, TKeyRegister& docKeys, std::string_view icz);
    // The same reading over bytes already in memory (the file's whole content); JmenoSouboru only names it
    // in the messages.
    void NactiObsah(std::string_view obsah, TKeyRegister& batchKeys, TKeyRegister& docKeys, std::string_view icz);
};

} // namespace ndlemo
