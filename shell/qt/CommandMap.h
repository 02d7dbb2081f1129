// The commands one pane handles, by identifier; each runs inside RunCommand.
#pragma once

#include <functional>
#include <map>
#include <optional>

#include "platform/ErrorBox.h"

class CCommandMap {
 public:
  // enabled, when given, says whether the command may run now.
  void Add(int command, std::function<void()> handler, std::function<bool()> enabled = {}) {
    m_handlers[command] = std::move(handler);
    if (enabled) m_enabled[command] = std::move(enabled);
  }
  bool Has(int command) const { return m_handlers.count(command) != 0; }
  // False when the pane has no such command.
  bool Run(int command) const {
    auto it = m_handlers.find(command);
    if (it == m_handlers.end()) return false;
    RunCommand(it->second);
    return true;
  }
  // Nothing for a command without its own rule.
  std::optional<bool> Enabled(int command) const {
    auto it = m_enabled.find(command);
    if (it == m_enabled.end()) return std::nullopt;
    return it->second();
  }

 private:
  std::map<int, std::function<void()>> m_handlers;
  std::map<int, std::function<bool()>> m_enabled;
};
