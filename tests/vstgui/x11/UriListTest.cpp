#include "vstgui/lib/platform/x11/x11urilist.h"

#include <gtest/gtest.h>

namespace VSTGUI::X11 {
namespace {

DroppedItem path(std::string text)
{
    return {std::move(text), true};
}
DroppedItem text(std::string text)
{
    return {std::move(text), false};
}

TEST(UriList, LocalFileUrisBecomeDecodedPathsAndOthersStayText)
{
    const struct {
        std::string_view payload;
        std::vector<DroppedItem> expected;
    } cases[] = {
        {"file:///home/a/drums.wav\r\n", {path("/home/a/drums.wav")}},
        {"file://localhost/tmp/x.json", {path("/tmp/x.json")}},
        {"FILE://LocalHost/tmp/x.json\n", {path("/tmp/x.json")}},
        {"file:///tmp/my%20loop%25.wav", {path("/tmp/my loop%.wav")}},
        {"file:///tmp/K%C3%B6ln.wav", {path("/tmp/K\xc3\xb6ln.wav")}},
        {"file:///a\r\nfile:///b\r\n", {path("/a"), path("/b")}},
        {"file:///a\nhttps://example.org/x.wav", {path("/a"), text("https://example.org/x.wav")}},
        // A path on another machine means nothing here; these are no file URIs at all.
        {"file://otherhost/tmp/x.wav", {text("file://otherhost/tmp/x.wav")}},
        {"file://localhost", {text("file://localhost")}},
        {"file:/tmp/x", {text("file:/tmp/x")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseUriList(c.payload), c.expected) << c.payload;
}

TEST(UriList, MalformedEscapesAreNotTakenAsPaths)
{
    // %00 would cut the zero-terminated path short and name a different file.
    for (std::string_view uri :
         {"file:///tmp/a%00b.wav", "file:///tmp/a%zz", "file:///tmp/a%4", "file:///tmp/a%"})
        EXPECT_EQ(parseUriList(uri), std::vector<DroppedItem>{text(std::string(uri))}) << uri;
}

TEST(UriList, CommentsBlankLinesAndTrailingNulAreSkipped)
{
    std::string payload = "# comment\r\n\r\nfile:///x\r\n\r\n";
    payload.push_back('\0');
    EXPECT_EQ(parseUriList(payload), std::vector<DroppedItem>{path("/x")});
    EXPECT_TRUE(parseUriList("").empty());
    EXPECT_TRUE(parseUriList(std::string(3, '\0')).empty());
}

TEST(UriList, PercentDecodeReportsFailure)
{
    std::string decoded;
    EXPECT_TRUE(percentDecode("a%2Fb%2fc", decoded));
    EXPECT_EQ(decoded, "a/b/c");
    EXPECT_TRUE(percentDecode("", decoded));
    EXPECT_EQ(decoded, "");
    EXPECT_FALSE(percentDecode("%G1", decoded));
    EXPECT_FALSE(percentDecode("%1", decoded));
    EXPECT_FALSE(percentDecode("%00", decoded));
}

} // namespace
} // namespace VSTGUI::X11
