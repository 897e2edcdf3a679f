#pragma once

#include "batch/EConvertError.h"
#include "support/ESubroutineError.h"
#include "support/TFormatSettings.h"

#include <string>
#include <string_view>

namespace ndlemo::test {

// The message of the error of type E that f raises, or a marker when it raises none.
template <typename E, typename F> std::string MessageOf(F&& f) {
    try {
        f();
    } catch (const E& e) {
        return e.what();
    }
    return "<no error>";
}

// The message that f raises as either error kind (a conversion error marked "convert: "), or "<no error>".
template <typename F> std::string Outcome(F&& f) {
    try {
        f();
    } catch (const ESubroutineError& e) {
        return e.what();
    } catch (const EConvertError& e) {
        return "convert: " + std::string(e.what());
    }
    return "<no error>";
}

// The message of a field filled with the text bad, by the conversion kind of its layout: "integer", "decimal" or
// "date".
inline std::string NotANumber(std::string_view kind, const std::string& bad) {
    if (kind == "date")
        return "Nepřípustná hodnota \"" + bad + "\" pro datum";
    return "'" + bad + "' is not a valid " + (kind == "integer" ? "integer" : "floating point") + " value";
}

// The same as Outcome gives it, the conversion errors marked.
inline std::string NotANumberOutcome(std::string_view kind, const std::string& bad) {
    return (kind == "date" ? "" : "convert: ") + NotANumber(kind, bad);
}

// Sets regional settings for one test and puts the previous ones back.
class TFormatSettingsGuard {
public:
    explicit TFormatSettingsGuard(const TFormatSettings& settings) : m_Saved(TFormatSettings::Current()) {
        TFormatSettings::Set(settings);
    }
    ~TFormatSettingsGuard() { TFormatSettings::Set(m_Saved); }
    TFormatSettingsGuard(const TFormatSettingsGuard&) = delete;
    TFormatSettingsGuard& operator=(const TFormatSettingsGuard&) = delete;

private:
    TFormatSettings m_Saved;
};

inline TFormatSettings WithDecimalSeparator(std::string separator) {
    TFormatSettings s;
    s.DecimalSeparator = std::move(separator);
    return s;
}

} // namespace ndlemo::test
