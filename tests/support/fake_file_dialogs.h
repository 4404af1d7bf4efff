#pragma once

#include <deque>

#include "platform/file_dialogs.h"

namespace zuv::testing {

// File dialogs answered by the test: each call takes the next queued answer
// (nullopt = the user cancels) and records the filter and title it was shown with.
class FakeFileDialogs : public FileDialogs {
 public:
  struct Shown {
    QString filter;
    QString title;
  };

  std::deque<std::optional<FileChoice>> answers;
  std::vector<Shown> shown;

  std::optional<FileChoice> getOpenFile(const QString& filter, const QString& title) override {
    return next(filter, title);
  }
  std::optional<FileChoice> getSaveFile(const QString& filter, const QString& title) override {
    return next(filter, title);
  }

 private:
  std::optional<FileChoice> next(const QString& filter, const QString& title) {
    shown.push_back({filter, title});
    std::optional<FileChoice> answer;
    if (!answers.empty()) {
      answer = std::move(answers.front());
      answers.pop_front();
    }
    return answer;
  }
};

}  // namespace zuv::testing
