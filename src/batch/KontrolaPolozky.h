#pragma once

#include "batch/TDokladImp.h"
#include "batch/TItemContext.h"
#include "batch/TRecordLine.h"

#include <string_view>

namespace ndlemo {

// Decodes and checks one item record "V" or "L" (UTF-8 line) of the open document and stores it under its
// insured person. Raises ESubroutineError or EConvertError at the first problem; a failed item is not stored.
void KontrolaPolozky(std::string_view line, TDokladImp& doklad, bool kontrolaModulo);
void KontrolaPolozky(const TRecordLine& line, TDokladImp& doklad, bool kontrolaModulo);

// The context of the items of a document that KontrolaDokladu has just opened.
[[nodiscard]] TItemContext ItemContextOf(TDokladImp& doklad);
void KontrolaPolozky(const TRecordLine& line, TDokladImp& doklad, const TItemContext& context, bool kontrolaModulo);

// Adds the diagnosis of a record "G" to the first free usable slot of the open document; beyond them it is
// dropped without a message.
void KontrolaVetyG(std::string_view line, TDokladImp& doklad);
void KontrolaVetyG(const TRecordLine& line, TDokladImp& doklad);

} // namespace ndlemo
