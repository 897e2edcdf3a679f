#include "transfer/LetterScramble.h"

#include "support/TextCodec.h"

namespace ndlemo {

namespace {
// The server's password in scrambled form.
constexpr std::string_view StoredScpPassword = "ZeHVXHQwwN";
} // namespace

std::string LetterScramble(std::string_view text) {
    const size_t length = Utf8Length(text);
    const size_t shift = length < ScrambleTable.size() ? length : 0;
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = ScrambleTable[(static_cast<size_t>(c - 'a') + shift) % ScrambleTable.size()];
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(ScrambleTable[(static_cast<size_t>(c - 'A') + shift) % ScrambleTable.size()] - 'a' +
                                  'A');
    }
    return out;
}

std::string BuiltInScpPassword() {
    return LetterScramble(StoredScpPassword);
}

} // namespace ndlemo
