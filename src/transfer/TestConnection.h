#pragma once

#include "support/TRequestList.h"
#include "transfer/TTransferContext.h"

#include <functional>
#include <optional>
#include <string>

namespace ndlemo {

// Proves the SCP chain: downloads the test file TestSpojDir/TestSpojFileName from the server into DirOut with pscp
// and returns its whole text, every line ended by CR LF (read as UTF-8, or as Windows-1250 when it is not). A stale
// local copy is deleted first. Raises ESubroutineError: "Soubor "%s" neexistuje" for a missing key file, "Nofile"
// or tool; "Nepřípustná hodnota "%s" pro "%s"" for a test directory or file name that cannot be used; "Test
// spojení skončil chybou: %d (%s) (Host:"%s", Port:"%s", Dir:"%s")" when pscp fails (logged at level 16 first);
// "Soubor testu spojení "%s" neexistuje" when pscp ended well but no file arrived.
[[nodiscard]] std::string TestConnection(const TTransferContext& context);

// The action "Test spojení" short of its window (the caller sets and clears the busy flag and shows the text in an
// information box captioned with the application title): the SCP settings are validated into a new request list
// first; when that holds requests, showRequests shows them and the result is empty. Otherwise TestConnection.
[[nodiscard]] std::optional<std::string> ExecuteTestSpojeni(const TTransferContext& context,
                                                            const std::function<void(TRequestList&)>& showRequests);

} // namespace ndlemo
