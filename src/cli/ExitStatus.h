#pragma once

namespace decant {

// Exit statuses of decant-cli. A run stopped by a signal ends with 128 plus
// the signal's number, as shells report a process a signal ended.
enum ExitStatus : int {
    ExitSucceeded = 0,  // every file is in the library
    ExitIncomplete = 1, // a file failed or was not imported, or there was none
    ExitUsageError = 2, // bad arguments
};

inline int exitStatusForSignal(int signalNumber) {
    return 128 + signalNumber;
}

} // namespace decant
