#include "app/PasswordRule.h"

#include "support/ESubroutineError.h"
#include "support/TextRules.h"
#include "support/Utilities.h"

namespace ndlemo {

bool ApplyPasswordRule(std::string_view pracoviste, std::string_view password) {
    const std::string workplace = TrimWhitespace(pracoviste);
    const std::string entered = TrimWhitespace(password);
    const std::string withSuffix = workplace + std::string(NoModuloSuffix);
    if (!workplace.empty() && entered != workplace && entered != withSuffix)
        throw ESubroutineError("Chybné heslo");
    return entered == withSuffix;
}

} // namespace ndlemo
