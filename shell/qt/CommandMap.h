// The commands one pane handles, by identifier; each runs inside RunCommand.
#pragma once

#include <functional>
#include <map>

#include "platform/ErrorBox.h"

class CCommandMap {
 public:
  void Add(int command, std::function<void()> handler) { m_handlers[command] = std::move(handler); }
  bool Has(int command) const { return m_handlers.count(command) != 0; }
  // False when the pane has no such command.
  bool Run(int command) const {
    auto it = m_handlers.find(command);
    if (it == m_handlers.end()) return false;
    RunCommand(it->second);
    return true;
  }

 private:
  std::map<int, std::function<void()>> m_handlers;
};
