#pragma once

#include <string_view>

namespace varnel {

// How the command-line programs speak to the terminal: every message and every line of
// output goes through here, its control characters made visible (DisplayText), so that
// nothing taken from an argument, a file name or a file's contents can send the terminal
// commands.

// Writes "program: message" and a line feed on standard error.
void SayOnStandardError(std::string_view program, std::string_view message);

// Writes text on standard output as it is but for the escapes.
void WriteToStandardOutput(std::string_view text);

// The exit status of a program about to end with `status`: 1 when some of its standard
// output could not be written (a full disk, a closed descriptor), said on standard error,
// so that a script never takes lost output for success.
int StatusAfterStandardOutput(std::string_view program, int status);

}  // namespace varnel
