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
  // Answers to "replace it?", in turn; No when none is left. The paths asked about.
  std::deque<bool> replaceAnswers;
  std::vector<QString> askedToReplace;

  std::optional<FileChoice> getOpenFile(const QString& filter, const QString& title) override {
    return next(filter, title);
  }
  std::optional<FileChoice> getSaveFile(const QString& filter, const QString& title) override {
    return next(filter, title);
  }

 protected:
  bool confirmReplace(const QString& path) override {
    askedToReplace.push_back(path);
    if (replaceAnswers.empty()) return false;
    const bool yes = replaceAnswers.front();
    replaceAnswers.pop_front();
    return yes;
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
