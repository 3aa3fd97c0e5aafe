#include "programs.h"

#include "test_files.h"

std::wstring UtilityExe() { return WindowsPathOf(KFP_UTILITY_EXE); }
std::wstring SampleHostExe() { return WindowsPathOf(KFP_SAMPLE_HOST_EXE); }
std::wstring HelperExe() { return WindowsPathOf(KFP_HELPER_EXE); }
