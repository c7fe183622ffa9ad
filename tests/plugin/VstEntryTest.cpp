#include "RecordingEffect.h"
#include "plugin/VstEntry.h"

#include <gtest/gtest.h>

namespace korvel::test {
namespace {

int created = 0;

AudioEffect* createRecording(audioMasterCallback audioMaster) {
    ++created;
    return new RecordingEffect(audioMaster);
}

AudioEffect* createFailing(audioMasterCallback) { throw std::runtime_error("no memory"); }

VstIntPtr hostVersion2400(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? 2400 : 0;
}

VstIntPtr hostVersion0(AEffect*, VstInt32, VstInt32, VstIntPtr, void*, float) { return 0; }

TEST(VstEntry, AHostAnsweringItsVersionGetsThePluginsRecord) {
    created = 0;
    AEffect* record = enterPlugin(hostVersion2400, createRecording);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(created, 1);
    EXPECT_EQ(record->magic, kEffectMagic);
    EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0), 1);
}

TEST(VstEntry, NoPluginForAHostAnsweringZeroOrWithoutCallback) {
    created = 0;
    EXPECT_EQ(enterPlugin(hostVersion0, createRecording), nullptr);
    EXPECT_EQ(enterPlugin(nullptr, createRecording), nullptr);
    EXPECT_EQ(created, 0);
}

TEST(VstEntry, AFailedCreationGivesNoPlugin) { EXPECT_EQ(enterPlugin(hostVersion2400, createFailing), nullptr); }

}  // namespace
}  // namespace korvel::test
