// What every test of the driver relies on, set up once for the whole run.
#include "registry_setting.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

namespace {

class DriverEnvironment : public testing::Environment {
public:
    void SetUp() override {
        // The driver reads other programs' windows in real pixels, whatever the
        // resolution a test sets for them: its manifest makes it aware of it.
        ASSERT_EQ(GetAwarenessFromDpiAwarenessContext(GetThreadDpiAwarenessContext()),
                  DPI_AWARENESS_PER_MONITOR_AWARE);
        // Under Xvfb no window manager runs, and Wine waits two seconds for one
        // whenever a window it lets the manager handle is hidden: every message box.
        unmanagedWindows_ =
            std::make_unique<RegistrySetting>(L"Software\\Wine\\X11 Driver", L"Managed", L"N");
    }
    void TearDown() override { unmanagedWindows_.reset(); }

private:
    std::unique_ptr<RegistrySetting> unmanagedWindows_;
};

const auto* const kEnvironment = testing::AddGlobalTestEnvironment(new DriverEnvironment);

}  // namespace
