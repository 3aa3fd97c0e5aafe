#pragma once

#include <string>

// The built programs under test, as the build passes them to the driver.
std::wstring UtilityExe();
std::wstring SampleHostExe();
std::wstring HelperExe();
