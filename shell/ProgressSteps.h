// The arithmetic of the progress window: when a step refreshes the window and
// tests the Stop button, and the percent text of a bar position.
#pragma once

#include <string>

class CProgressSteps {
 public:
  int lower = 0;
  int upper = 100;
  int total = 100;
  int done = 0;

  // One step: the position to show (refreshing step) or -1 (a quiet step).
  int Step();
  // "40%"; never divides by zero.
  std::string PercentText(int position) const;

  // Shared by every progress window of the program run.
  static int& SharedCounter();
};
