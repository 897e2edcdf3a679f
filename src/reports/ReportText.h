#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ndlemo {

// The lines of a multi-line text as a memo prints them: broken at CR LF, LF or CR (a break at the
// end starts no further line); an empty text has none.
[[nodiscard]] std::vector<std::string> SplitLines(std::string_view text);

} // namespace ndlemo
