#include "file_fault.h"

#include "file_access.h"

namespace {
struct InjectedFault {
    FileStep step;
    int systemError;
};
std::optional<InjectedFault> pendingFault;
}  // namespace

void InjectFileFault(FileStep step, int systemError) { pendingFault = InjectedFault{step, systemError}; }

void ClearFileFault() { pendingFault.reset(); }

std::optional<int> TakeInjectedFault(FileStep step) {
    if (!pendingFault || pendingFault->step != step) return std::nullopt;
    const int error = pendingFault->systemError;
    pendingFault.reset();
    return error;
}
