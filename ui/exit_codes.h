#pragma once

// The program's exit codes.
inline constexpr int ExitNormal = 0;        // the window was closed, or the update is complete
inline constexpr int ExitGuardStopped = 1;  // the host product (or another copy) was running
inline constexpr int ExitFailure = 2;       // a failure was reported to the user
