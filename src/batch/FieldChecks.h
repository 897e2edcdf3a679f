#pragma once

#include "support/TDate.h"

#include <optional>
#include <string>
#include <string_view>

namespace ndlemo {

// Checks of single fields of batch records; each raises ESubroutineError with the line's message.

// Raises "Nepřípustná hodnota "value" pro "label"".
[[noreturn]] void RaiseInvalidValue(std::string_view value, std::string_view label);

// Last day of the batch period given by its month and year texts.
[[nodiscard]] TDate KonecObdobi(std::string_view mesic, std::string_view rok);

// The value must have the required length (characters) and only the allowed characters, when given.
void KontrolaHodnoty(std::string_view hodnota, std::optional<size_t> delka, std::optional<std::string_view> znaky,
                     std::string_view nazev, std::string_view popisZnaku);

void KontrolaICP(std::string_view hodnota);
void KontrolaCislaPojistence(std::string_view hodnota);
void KontrolaModulo11(std::string_view hodnota);
// KontrolaCislaPojistence, then KontrolaModulo11 when modulo is set.
void CheckInsuranceNumber(std::string_view hodnota, bool modulo);
void KontrolaOdbornosti(std::string_view hodnota);
void KontrolaDiagnozy(std::string_view hodnota);
void KontrolaCharakteru(std::string_view hodnota);
void KontrolaKoduPojistovny(std::string_view hodnota);
void KontrolaLokalizace(std::string_view hodnota);
void KontrolaSkupinyLeku(std::string_view hodnota);

// The document type that a record letter gives in a batch of the type, or empty when the pair is not allowed.
[[nodiscard]] std::string_view TypDokladuZVety(std::string_view typDavky, std::string_view pismeno);

// Joins the non-empty trimmed parts of an address with ", ".
[[nodiscard]] std::string SpojAdresu(std::string_view cast1, std::string_view cast2, std::string_view cast3);

} // namespace ndlemo
