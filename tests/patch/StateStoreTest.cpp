#include "patch/StateStore.h"

#include "patch/FileReplacement.h"
#include "patch/StateText.h"
#include "support/TempDir.h"
#include "synth/SynthParamIds.h"
#include "synth/params/FakeEngine.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace korvel::veldro {
namespace {

namespace fs = std::filesystem;

struct Status {
    std::string text;
    bool isError;
    bool operator==(const Status&) const = default;
};

std::string contentOf(const fs::path& path)
{
    return readWholeFile(path.string()).value_or("<missing>");
}

void writeFile(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// A state text that sets the change time, padded with blanks to size bytes.
std::string stateOfSize(double changeTime, std::size_t size)
{
    std::string text = "{\"apply.changetime\": " + std::to_string(static_cast<int>(changeTime)) + "}";
    text.resize(size, ' ');
    return text;
}

// Makes the temp folder current while the store is made, as a host's folder.
class StateStoreTest : public testing::Test {
protected:
    StateStoreTest()
        : previous(fs::current_path())
    {
        fs::current_path(folder.path());
        store.emplace(rig.params);
        store->setStatusSink([this](const std::string& text, bool isError) { statuses.push_back({text, isError}); });
        rig.params.setPatchCount(130);
    }
    ~StateStoreTest() override { fs::current_path(previous); }

    double changeTime() const { return rig.params.getParam(param_id::CHANGE_TIME).second; }
    fs::path stateFile() const { return folder.file("veldro.json"); }

    fs::path previous;
    testing_support::TempDir folder;
    test::ParamsRig rig;
    std::optional<StateStore> store;
    std::vector<Status> statuses;
};

TEST_F(StateStoreTest, TheStateFileLoadsFromTheFolderCurrentAtCreation)
{
    writeFile(stateFile(), stateOfSize(9, 200));
    EXPECT_EQ(store->getStateFilePath(), stateFile().string());
    store->loadPatchFile(store->getPatchFilePath());
    EXPECT_EQ(changeTime(), 9);
    EXPECT_TRUE(store->isDefaultPath());
    EXPECT_EQ(statuses, (std::vector<Status>{{"Loaded " + stateFile().string(), false}}));

    store->loadPatchFile("./veldro.json");
    EXPECT_TRUE(store->isDefaultPath()) << "the same file by its relative name";
    EXPECT_EQ(store->getPatchFilePath(), stateFile().string());
}

TEST_F(StateStoreTest, RelativePathsAreRememberedWhole)
{
    writeFile(folder.file(".hidden.json"), stateOfSize(2, 150));
    store->loadPatchFile(".hidden.json");
    EXPECT_EQ(store->getPatchFilePath(), folder.file(".hidden.json").string());
}

TEST_F(StateStoreTest, OnlyFilesOfMoreThan100BytesAreApplied)
{
    writeFile(folder.file("short.json"), stateOfSize(3, 100));
    store->loadPatchFile(folder.file("short.json").string());
    EXPECT_NE(changeTime(), 3);
    writeFile(folder.file("long.json"), stateOfSize(4, 101));
    store->loadPatchFile(folder.file("long.json").string());
    EXPECT_EQ(changeTime(), 4);
    store->loadPatchFile(folder.file("missing.json").string());
    EXPECT_EQ(changeTime(), 4);
    EXPECT_EQ(statuses, (std::vector<Status>{
                            {"Error opening file - " + folder.file("short.json").string() + " holds no patches", true},
                            {"Loaded " + folder.file("long.json").string(), false},
                            {"Error opening file - cannot read " + folder.file("missing.json").string(), true},
                        }));
}

TEST_F(StateStoreTest, AnotherFileClearsTheDefaultFlagUntilLoadedAgain)
{
    const std::string other = folder.file("other.json").string();
    writeFile(other, stateOfSize(5, 150));
    store->loadPatchFile(other);
    EXPECT_FALSE(store->isDefaultPath());
    EXPECT_EQ(store->getPatchFilePath(), other);
    store->loadPatchFile(other);
    EXPECT_TRUE(store->isDefaultPath());
}

TEST_F(StateStoreTest, AnUnreadableFileIsReportedAndChangesNothing)
{
    const std::string broken = folder.file("broken.json").string();
    writeFile(broken, "{\"apply.changetime\": 6, \"patch.1\": {" + std::string(120, ' '));
    store->loadPatchFile(broken);
    EXPECT_NE(changeTime(), 6);
    EXPECT_TRUE(store->isDefaultPath());
    EXPECT_EQ(store->getPatchFilePath(), stateFile().string());
    EXPECT_EQ(statuses, (std::vector<Status>{{"Error opening file - " + broken + " is not a patch file", true}}));
    EXPECT_FALSE(fs::exists(broken + ".bak")) << "only the state file is kept aside";
}

TEST_F(StateStoreTest, AJsonFileThatIsNoStateIsReportedAndTheStateFileStaysInUse)
{
    const std::string other = folder.file("other.json").string();
    writeFile(other, "{\"not\": \"a state\"}" + std::string(120, ' '));
    rig.params.setParamImmediate(param_id::CHANGE_TIME, 8);
    store->loadPatchFile(other);
    EXPECT_EQ(statuses, (std::vector<Status>{{"Error opening file - " + other + " is not a patch file", true}}));
    EXPECT_TRUE(store->isDefaultPath());
    EXPECT_EQ(store->getPatchFilePath(), stateFile().string());
    ASSERT_TRUE(store->saveStateFile());
    EXPECT_EQ(contentOf(stateFile()), serialize(rig.params));
}

TEST_F(StateStoreTest, AnUnreadableStateFileIsKeptBeforeItCanBeOverwritten)
{
    const std::string broken = "[" + std::string(200, '{');
    writeFile(stateFile(), broken);
    store->loadPatchFile(store->getPatchFilePath());
    EXPECT_EQ(contentOf(folder.file("veldro.json.bak")), broken);
    ASSERT_TRUE(store->saveStateFile());
    EXPECT_EQ(contentOf(stateFile()), serialize(rig.params));
    EXPECT_EQ(contentOf(folder.file("veldro.json.bak")), broken);
}

TEST_F(StateStoreTest, SavingAppendsTheExtensionAndRemembersThePath)
{
    store->savePatchFile(folder.file("mine").string());
    EXPECT_EQ(contentOf(folder.file("mine.json")), serialize(rig.params));
    EXPECT_EQ(store->getPatchFilePath(), folder.file("mine.json").string());
    EXPECT_TRUE(store->isDefaultPath());
    store->savePatchFile(folder.file("yours.json").string());
    EXPECT_TRUE(fs::exists(folder.file("yours.json")));
    EXPECT_FALSE(fs::exists(folder.file("yours.json.json")));
    EXPECT_EQ(statuses, (std::vector<Status>{{"Saved " + folder.file("mine.json").string(), false},
                                             {"Saved " + folder.file("yours.json").string(), false}}));
}

TEST_F(StateStoreTest, AFailedSaveIsReportedAndLeavesNoTemporaryFile)
{
    fs::create_directory(folder.file("taken.json"));
    writeFile(folder.file("taken.json") / "inside", "kept");
    store->savePatchFile(folder.file("taken.json").string());
    EXPECT_EQ(statuses, (std::vector<Status>{{"Error saving patch file - " + folder.file("taken.json").string(), true}}));
    EXPECT_EQ(contentOf(folder.file("taken.json") / "inside"), "kept");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
    store->savePatchFile(folder.file("no such folder/x.json").string());
    EXPECT_EQ(statuses.size(), 2u);
}

TEST_F(StateStoreTest, TheStateFileIsWrittenOnlyWhileInUseAndWhereverTheHostHasMoved)
{
    writeFile(stateFile(), "old");
    fs::create_directory(folder.file("elsewhere"));
    fs::current_path(folder.file("elsewhere"));
    rig.params.setParamImmediate(param_id::CHANGE_TIME, 8);
    ASSERT_TRUE(store->saveStateFile());
    EXPECT_EQ(contentOf(stateFile()), serialize(rig.params));
    EXPECT_FALSE(fs::exists(folder.file("elsewhere") / "veldro.json"));

    const std::string other = folder.file("other.json").string();
    writeFile(other, stateOfSize(5, 150));
    store->loadPatchFile(other);
    writeFile(stateFile(), "old");
    EXPECT_TRUE(store->saveStateFile());
    EXPECT_EQ(contentOf(stateFile()), "old");
}

TEST(FileReplacement, ReplacesByRenamingSoTheOldFileIsNeverTruncated)
{
    testing_support::TempDir folder;
    const fs::path target = folder.file("target.json");
    writeFile(target, "old text");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_hard_link(target, folder.file("old.link"));
    ASSERT_TRUE(replaceFile(target.string(), "new text"));
    EXPECT_EQ(contentOf(target), "new text");
    EXPECT_EQ(contentOf(folder.file("old.link")), "old text") << "the old file was whole until the rename";
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// The files in folder, by name.
std::vector<std::string> filesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FileReplacement, AWriteKilledHalfWayLeavesNothingTheNextWriteKeeps)
{
    testing_support::TempDir folder;
    const fs::path target = folder.file("veldro.json");
    writeFile(target, "old text");
    // A child killed by the file size limit in the middle of its write, as a host killed while saving.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit limit{4096, 4096};
        const rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::setrlimit(RLIMIT_CORE, &noCore);
        replaceFile(target.string(), std::string(1 << 20, 'x'));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
    ASSERT_EQ(filesIn(folder.path()).size(), 2u) << "the killed write left its temporary file";

    ASSERT_TRUE(replaceFile(target.string(), "new text"));
    EXPECT_EQ(contentOf(target), "new text");
    EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{"veldro.json"});
}

} // namespace
} // namespace korvel::veldro
