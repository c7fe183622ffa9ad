#include "PatchSamples.h"

#include "patch/StateText.h"
#include "support/TempDir.h"
#include "synth/SynthParamIds.h"
#include "synth/params/FakeEngine.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <locale>
#include <string>

namespace korvel::veldro {
namespace {

// Puts the process under a locale with a decimal comma (generated with
// localedef when none is installed) and back to "C" afterwards.
class CommaDecimalLocale {
public:
    CommaDecimalLocale()
    {
        const std::string generated = "localedef -i de_DE -f UTF-8 '" + folder.file("de_DE.UTF-8").string() + "' >/dev/null 2>&1";
        if (!use("de_DE.UTF-8") && !use("fr_FR.UTF-8") && std::system(generated.c_str()) == 0) {
            setenv("LOCPATH", folder.path().c_str(), 1);
            use("de_DE.UTF-8");
        }
    }
    ~CommaDecimalLocale()
    {
        std::locale::global(std::locale::classic());
        std::setlocale(LC_ALL, "C");
        unsetenv("LOCPATH");
    }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    bool active() const { return isActive; }

private:
    bool use(const char* name)
    {
        isActive = std::setlocale(LC_ALL, name) && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
        if (isActive)
            std::locale::global(std::locale(name));
        return isActive;
    }

    testing_support::TempDir folder;
    bool isActive = false;
};

TEST(StateTextLocale, ADecimalCommaLocaleNeitherWritesNorReadsCommas)
{
    test::ParamsRig rig;
    rig.params.setPatchCount(130);
    rig.params.getPatch(1) = patch_test::fullSlot(1);
    rig.params.setParamImmediate(param_id::CHANGE_TIME, 0.25);
    const std::string classic = serialize(rig.params);

    CommaDecimalLocale locale;
    if (!locale.active())
        GTEST_SKIP() << "no decimal-comma locale could be installed or generated";
    EXPECT_EQ(serialize(rig.params), classic);
    test::ParamsRig reader;
    reader.params.setPatchCount(130);
    ASSERT_TRUE(deserialize(reader.params, classic));
    EXPECT_EQ(reader.params.getParam(param_id::CHANGE_TIME).second, 0.25);
    EXPECT_EQ(serialize(reader.params), classic);
}

} // namespace
} // namespace korvel::veldro
