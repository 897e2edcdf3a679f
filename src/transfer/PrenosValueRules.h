#pragma once

#include "transfer/TransferSettings.h"

#include <string_view>

namespace ndlemo {

// Whether a setting may reach a command line, on top of the rule against blanks. Outside quotes the command
// interpreter redirects with "<" and ">", and the remote directory and the test file name reach the server's shell,
// so none may hold any of ; & | ` $ ' " < > \ or a control character, nor start with "-" (it would be read as an
// option of the tool). The port is digits only. The test file name is a bare file name in the output directory:
// no "/", not "." or "..", and not the name of a file of the installation there ("Nofile", the tools).
// A key file may keep a path part: only its file-name part reaches the command line. The value is taken trimmed.
[[nodiscard]] bool IsAcceptablePrenosValue(TPrenosValue kind, std::string_view value);

// Whether a name may stand on a command line as a bare file name: none of the characters above, no "/", not
// starting with "-", and not "." or "..".
[[nodiscard]] bool IsSafeFileName(std::string_view name);

// The file-name part of a key file setting: the text after the last path separator.
[[nodiscard]] std::string_view KeyFileNamePart(std::string_view pkf);

} // namespace ndlemo
