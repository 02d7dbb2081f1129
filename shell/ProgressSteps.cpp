#include "shell/ProgressSteps.h"

int& CProgressSteps::SharedCounter() {
  static int counter = 0;
  return counter;
}

int CProgressSteps::Step() {
  int& counter = SharedCounter();
  int position = -1;
  if (counter == 0) position = total > 0 ? static_cast<int>(static_cast<long long>(upper) * done / total) : upper;
  ++done;
  if (++counter == 10) counter = 0;
  return position;
}

std::string CProgressSteps::PercentText(int position) const {
  const int range = upper - lower;
  int percent = range != 0 ? static_cast<int>(static_cast<long long>(position - lower) * 100 / range) : 100;
  if (percent != 100) percent %= 100;
  return std::to_string(percent) + "%";
}
