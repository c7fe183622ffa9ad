#pragma once

// A test suite with its own private Xvfb and a host client for each test; a test is skipped where Xvfb
// is not installed.

// GoogleTest before any X header: X defines None and Bool as macros.
#include <gtest/gtest.h>

#include "X11HostClient.h"
#include "XvfbServer.h"

#include <memory>

namespace x11_testing {

class X11HostTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new XvfbServer(); }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }

    // Derived set-ups return early when this skipped or failed.
    void SetUp() override
    {
        if (server->binaryMissing())
            GTEST_SKIP() << "Xvfb is not installed";
        ASSERT_TRUE(server->running()) << "Xvfb did not start";
        host = std::make_unique<X11HostClient>(*server);
        ASSERT_TRUE(host->connected());
    }
    bool hostReady() const { return !IsSkipped() && !HasFatalFailure(); }
    // Ends the host's side once the plug-in's window is gone from `parent` (None: nothing to wait for); a
    // window that outlives the plug-in's close fails the test.
    void tearDownHost(Window parent)
    {
        if (host && host->connected() && parent != None) {
            EXPECT_TRUE(host->waitUntilChildless(parent)) << "the plug-in's window outlived its close";
        }
        host.reset();
    }

    inline static XvfbServer* server = nullptr;
    std::unique_ptr<X11HostClient> host;
};

} // namespace x11_testing
