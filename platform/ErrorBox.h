// The error box: shows the text, then abandons the current command with a
// user-abort exception. Every command handler runs inside RunCommand, which
// swallows that exception so the program goes on.
#pragma once

#include <exception>
#include <functional>
#include <string>

struct UserAbort : std::exception {
  const char* what() const noexcept override { return "command abandoned"; }
};

[[noreturn]] void ThrowErrorMessage(const std::string& text);

// Runs a command; returns false when the command was abandoned by the error box.
bool RunCommand(const std::function<void()>& command);
