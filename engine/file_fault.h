#pragma once

#include <optional>

#include "patch_error.h"

// The platform file code asks this before each step of a replace: a value is
// the system error to fail that step with (see InjectFileFault).
std::optional<int> TakeInjectedFault(FileStep step);
