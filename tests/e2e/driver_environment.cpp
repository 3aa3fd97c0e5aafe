// The driver reads other programs' windows in real pixels, whatever the
// resolution a test sets for them: its manifest makes it aware of the
// resolution, which this checks before any test runs.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

class DpiAwareDriver : public testing::Environment {
public:
    void SetUp() override {
        ASSERT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
                  DPI_AWARENESS_PER_MONITOR_AWARE);
    }
};

const auto* const kEnvironment = testing::AddGlobalTestEnvironment(new DpiAwareDriver);

}  // namespace
