#include "support/TTransferType.h"

namespace ndlemo {

int TTransferType::Index() const {
    for (size_t i = 0; i < Codes.size(); ++i) {
        if (Codes[i] == m_Text)
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace ndlemo
