#pragma once

#include <string>

namespace kelvox {

// The shell's results when it cannot open a document, as the Windows shell
// numbers them; a result above 32 is success.
enum LaunchResult : int {
    kLaunchFileNotFound = 2,
    kLaunchPathNotFound = 3,
    kLaunchAccessDenied = 5,
    kLaunchNoAssociation = 31,
    kLaunchSucceeded = 33,
};

// The warning text for a launch result; empty for success and for results
// that show nothing.
std::string LaunchFailureText(int result);

} // namespace kelvox
