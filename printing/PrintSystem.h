#pragma once

#include <chrono>
#include <memory>

class QPrinter;

// How long a command waits for the print system before it gives up.
inline constexpr std::chrono::milliseconds kPrintSystemPatience{3000};

enum class PrintSystemAnswer {
    Answers, // it answered a request (or there is no print system to ask)
    Absent,  // nothing listens: the printer can be made at once and finds no queue
    Silent,  // it took the connection or the request and did not answer in time
};

// Asks the print system for its default queue and waits at most `patience`.
// The question runs on a thread of its own, so that a name that does not
// resolve or a server that never answers cannot hold the caller longer; a
// question still open from an earlier call is waited for again instead of
// asking anew.
PrintSystemAnswer askPrintSystem(std::chrono::milliseconds patience = kPrintSystemPatience);

// The system's default printer, made only once the print system has
// answered: making a printer asks the print system without any time limit.
// Throws AppError with a message for the clerk when it stays silent.
std::unique_ptr<QPrinter> openSystemPrinter();
