#include "gui/TextSender.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace korvel::gui {
namespace {

struct RecordingReceiver : ITextReceiver {
    void receiveText(const VSTGUI::UTF8String& text, VSTGUI::CColor colour) override
    {
        if (fail)
            throw std::runtime_error("display gone");
        texts.push_back(text.getString());
        colours.push_back(colour);
    }
    bool fail = false;
    std::vector<std::string> texts;
    std::vector<VSTGUI::CColor> colours;
};

TEST(TextSender, WithoutReceiverSendsNothing)
{
    ITextSender sender;
    EXPECT_EQ(sender.getTextReceiver(), nullptr);
    EXPECT_FALSE(sender.sendText("lost", VSTGUI::kRedCColor));
}

TEST(TextSender, DeliversTextAndColourToItsReceiver)
{
    RecordingReceiver receiver;
    ITextSender sender;
    sender.setTextReceiver(&receiver);
    EXPECT_TRUE(sender.sendText("loaded", VSTGUI::kTransparentCColor));
    EXPECT_EQ(receiver.texts, std::vector<std::string>{"loaded"});
    EXPECT_EQ(receiver.colours.front(), VSTGUI::kTransparentCColor);
}

TEST(TextSender, SwallowsTheReceiversFailure)
{
    RecordingReceiver receiver;
    receiver.fail = true;
    ITextSender sender;
    sender.setTextReceiver(&receiver);
    EXPECT_FALSE(sender.sendText("boom", VSTGUI::kRedCColor));
}

} // namespace
} // namespace korvel::gui
