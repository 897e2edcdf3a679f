#pragma once

#include "batch/TDavka.h"
#include "batch/TDokladImp.h"
#include "batch/TRecordLine.h"

#include <string_view>

namespace ndlemo {

// Decodes and checks one document record (UTF-8 line) of the open batch into the document; the document is
// open (Aktivni) only when all checks pass. Raises ESubroutineError or EConvertError at the first problem.
void KontrolaDokladu(std::string_view line, const TDavka& davka, TDokladImp& doklad, bool kontrolaModulo);
void KontrolaDokladu(const TRecordLine& line, const TDavka& davka, TDokladImp& doklad, bool kontrolaModulo);

} // namespace ndlemo
