#pragma once

#include <string>
#include <vector>

// The texts of the patch table as the host's windows show them.
std::vector<std::wstring> EnglishTexts();
std::vector<std::wstring> FrenchTexts();
