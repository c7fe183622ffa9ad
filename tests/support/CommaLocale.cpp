#include "support/CommaLocale.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale>

namespace testing_support {

CommaDecimalLocale::CommaDecimalLocale()
{
    name = installedName();
    if (!name && generate())
        name = installedName();
    if (name)
        std::locale::global(std::locale(*name));
}

CommaDecimalLocale::~CommaDecimalLocale()
{
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
    unsetenv("LOCPATH");
}

std::optional<std::string> CommaDecimalLocale::installedName()
{
    for (const char* candidate : { "de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE" }) {
        if (std::setlocale(LC_ALL, candidate) && std::strcmp(std::localeconv()->decimal_point, ",") == 0)
            return candidate;
    }
    std::setlocale(LC_ALL, "C");
    return std::nullopt;
}

bool CommaDecimalLocale::generate()
{
    const std::string command = "localedef -i de_DE -f UTF-8 '" + folder.file("de_DE.UTF-8").string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return false;
    setenv("LOCPATH", folder.path().c_str(), 1);
    return true;
}

} // namespace testing_support
