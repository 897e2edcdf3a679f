// libFuzzer target: the batch file reader over arbitrary bytes. Besides crashes and sanitizer reports it fails
// when an error other than the reader's own file-level error escapes, or when an error line is not valid UTF-8
// (a record sliced inside a character).

#include "batch/TKeyRegister.h"
#include "batch/TLemoSoubor.h"
#include "support/ESubroutineError.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

bool IsValidUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        auto b = static_cast<unsigned char>(s[i]);
        size_t len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
        if (len == 0 || i + len > s.size())
            return false;
        for (size_t k = 1; k < len; ++k) {
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += len;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view content(reinterpret_cast<const char*>(data), size);
    ndlemo::TKeyRegister batchKeys;
    ndlemo::TKeyRegister docKeys;
    ndlemo::TLemoSoubor reader;
    reader.JmenoSouboru = "fuzz.txt";
    // Both settings of the modulo rule, chosen by the input so that the fuzzer can steer it.
    reader.KontrolaModulo = size % 2 == 0;
    try {
        reader.NactiObsah(content, batchKeys, docKeys, "12345678");
    } catch (const ndlemo::ESubroutineError& e) {
        reader.Chyby.push_back(e.Message());
    }
    for (const auto& line : reader.Chyby) {
        if (!IsValidUtf8(line)) {
            std::fprintf(stderr, "error line is not valid UTF-8: %s\n", line.c_str());
            std::abort();
        }
    }
    return 0;
}
