// A location chooser for tests: records every question and answers from a
// queue (a row, or nothing for a skip); an empty queue skips.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/LocationChooser.h"

class ScriptedLocationChooser : public platform::LocationChooser {
 public:
  struct Question {
    std::string itemText;
    std::string storedLocation;
    std::vector<std::string> candidates;
  };

  ScriptedLocationChooser() { platform::SetLocationChooser(this); }
  ~ScriptedLocationChooser() override { platform::SetLocationChooser(nullptr); }

  std::optional<int> ChooseLocation(const std::string& itemText, const std::string& storedLocation,
                                    const std::vector<std::string>& candidates) override {
    questions.push_back({itemText, storedLocation, candidates});
    if (answers.empty()) return std::nullopt;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
  }

  std::deque<std::optional<int>> answers;
  std::vector<Question> questions;
};
