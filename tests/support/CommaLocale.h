#pragma once

#include "support/TempDir.h"

#include <optional>
#include <string>

namespace testing_support {

// Switches the C and C++ locales of the process to one that writes a decimal
// comma, generating it with localedef when the system has none installed, and
// back to "C" when it goes.
class CommaDecimalLocale {
public:
    CommaDecimalLocale();
    ~CommaDecimalLocale();
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    // False when no such locale could be installed or generated.
    bool active() const { return name.has_value(); }

private:
    static std::optional<std::string> installedName();
    bool generate();

    TempDir folder;
    std::optional<std::string> name;
};

} // namespace testing_support
