#pragma once

#include <cstdint>
#include <string_view>

namespace ndlemo {

// The document types (TypDokladu) as a code, so that the checks of every item need not compare texts.
enum class TDocumentType : uint8_t {
    None,
    Type01,
    Type01s,
    Type02,
    Type02s,
    Type03,
    Type03s,
    Type05,
    Type06,
    Type34,
    Type36,
    Type37,
};

// The code of a TypDokladu text; None for any other text.
[[nodiscard]] inline TDocumentType DocumentTypeOf(std::string_view typDokladu) {
    if (typDokladu.size() < 2 || typDokladu.size() > 3 || (typDokladu.size() == 3 && typDokladu[2] != 's'))
        return TDocumentType::None;
    bool s = typDokladu.size() == 3;
    char a = typDokladu[0];
    char b = typDokladu[1];
    if (a == '0') {
        switch (b) {
        case '1':
            return s ? TDocumentType::Type01s : TDocumentType::Type01;
        case '2':
            return s ? TDocumentType::Type02s : TDocumentType::Type02;
        case '3':
            return s ? TDocumentType::Type03s : TDocumentType::Type03;
        case '5':
            return s ? TDocumentType::None : TDocumentType::Type05;
        case '6':
            return s ? TDocumentType::None : TDocumentType::Type06;
        default:
            return TDocumentType::None;
        }
    }
    if (a == '3' && !s) {
        switch (b) {
        case '4':
            return TDocumentType::Type34;
        case '6':
            return TDocumentType::Type36;
        case '7':
            return TDocumentType::Type37;
        default:
            return TDocumentType::None;
        }
    }
    return TDocumentType::None;
}

} // namespace ndlemo
