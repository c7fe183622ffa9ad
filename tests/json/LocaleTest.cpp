#include "ReadText.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale>
#include <optional>

using json_test::oneLine;
using json_test::readText;

namespace {

// Switches the C and C++ locales of the process to one that writes a decimal
// comma, generating it with localedef when the system has none installed.
class CommaDecimalLocale {
public:
    CommaDecimalLocale()
    {
        name = installedName();
        if (!name && generate())
            name = installedName();
        if (name)
            std::locale::global(std::locale(*name));
    }

    ~CommaDecimalLocale()
    {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, "C");
        unsetenv("LOCPATH");
    }

    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    bool active() const { return name.has_value(); }

private:
    static std::optional<std::string> installedName()
    {
        for (const char* candidate : { "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE" }) {
            if (std::setlocale(LC_ALL, candidate) && std::strcmp(std::localeconv()->decimal_point, ",") == 0)
                return candidate;
        }
        std::setlocale(LC_ALL, "C");
        return std::nullopt;
    }

    bool generate()
    {
        const std::string command = "localedef -i de_DE -f UTF-8 '" + folder.file("de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0)
            return false;
        setenv("LOCPATH", folder.path().c_str(), 1);
        return true;
    }

    testing_support::TempDir folder;
    std::optional<std::string> name;
};

TEST(Locale, NumbersStayClassicUnderADecimalCommaLocale)
{
    CommaDecimalLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "no decimal-comma locale could be installed or generated";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 0.5);
    ASSERT_STREQ(probe, "0,5") << "the locale is in effect";

    EXPECT_EQ(oneLine(readText("[0.5, -1.25, 100.125, 2e-2, 1e-07, 1234567.5]")),
        "[ 0.5, -1.25, 100.125, 0.02, 1e-07, 1234567.5 ]");
    EXPECT_EQ(readText("[1, 2, 3]").element(L"1.0").asNumber(), 2.0);
    testing::internal::CaptureStderr();
    readText("1e99999999999");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Exponent overflow: 1e+11\n");
}

} // namespace
