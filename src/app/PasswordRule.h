#pragma once

#include <string>
#include <string_view>

namespace ndlemo {

// Appended to the workplace password, it switches the modulo check of the insured persons' numbers off for the
// whole run.
inline constexpr std::string_view NoModuloSuffix = "NOMODCHK";

// The password rule of the login: with a workplace code set, the password must be the code itself or the code
// followed by the suffix (exact, case-sensitive; both are trimmed first). Returns the no-modulo flag; raises
// ESubroutineError "Chybné heslo" for a wrong password. An empty workplace code accepts any password.
[[nodiscard]] bool ApplyPasswordRule(std::string_view pracoviste, std::string_view password);

// What the login dialog hands back: whether it was closed with OK and the two texts, trimmed.
struct TLoginResult {
    bool Ok = false;
    std::string User;
    std::string Password;

    // The start may go on only with OK and both texts non-empty.
    [[nodiscard]] bool Accepted() const { return Ok && !User.empty() && !Password.empty(); }
};

} // namespace ndlemo
