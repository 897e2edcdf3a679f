#pragma once

#include <cstdint>
#include <string_view>

namespace ndlemo {

// The document types as a code, so that the checks of every item need not compare texts.
enum class ETypDokladu : uint8_t { Zadny, T01, T01s, T02, T02s, T03, T03s, T05, T06, T34, T36, T37 };

[[nodiscard]] inline ETypDokladu TypDokladuKod(std::string_view typ) {
    if (typ.size() < 2 || typ.size() > 3 || (typ.size() == 3 && typ[2] != 's'))
        return ETypDokladu::Zadny;
    bool s = typ.size() == 3;
    char a = typ[0];
    char b = typ[1];
    if (a == '0') {
        switch (b) {
        case '1':
            return s ? ETypDokladu::T01s : ETypDokladu::T01;
        case '2':
            return s ? ETypDokladu::T02s : ETypDokladu::T02;
        case '3':
            return s ? ETypDokladu::T03s : ETypDokladu::T03;
        case '5':
            return s ? ETypDokladu::Zadny : ETypDokladu::T05;
        case '6':
            return s ? ETypDokladu::Zadny : ETypDokladu::T06;
        default:
            return ETypDokladu::Zadny;
        }
    }
    if (a == '3' && !s) {
        switch (b) {
        case '4':
            return ETypDokladu::T34;
        case '6':
            return ETypDokladu::T36;
        case '7':
            return ETypDokladu::T37;
        default:
            return ETypDokladu::Zadny;
        }
    }
    return ETypDokladu::Zadny;
}

} // namespace ndlemo
