#include "platform/command_dispatcher.h"

#include <cctype>
#include <charconv>
#include <iostream>

namespace zuv {

std::optional<long long> CommandArgs::integer(std::size_t i) const {
  if (!has(i)) return std::nullopt;
  if (const auto* n = std::get_if<long long>(&values[i])) return *n;
  return std::nullopt;
}

std::optional<std::string> CommandArgs::text(std::size_t i) const {
  if (!has(i)) return std::nullopt;
  if (const auto* s = std::get_if<std::string>(&values[i])) return *s;
  return std::nullopt;
}

namespace {

class Parser {
 public:
  explicit Parser(const std::string& text) : s_(text) {}

  std::optional<ParsedCommand> parse(std::string* error) {
    ParsedCommand cmd;
    skipSpace();
    if (pos_ >= s_.size() || !(std::isalpha(static_cast<unsigned char>(s_[pos_])))) {
      return fail(error, "a command name was expected");
    }
    while (pos_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '_')) {
      cmd.name += s_[pos_++];
    }
    skipSpace();
    if (peek('(')) {
      ++pos_;
      skipSpace();
      if (peek(')')) {
        ++pos_;
      } else {
        for (;;) {
          skipSpace();
          auto arg = parseArg(error);
          if (!arg) return std::nullopt;
          cmd.args.values.push_back(*arg);
          skipSpace();
          if (peek(',')) { ++pos_; continue; }
          if (peek(')')) { ++pos_; break; }
          return fail(error, "',' or ')' was expected");
        }
      }
    }
    skipSpace();
    if (peek(';')) ++pos_;
    skipSpace();
    if (pos_ != s_.size()) return fail(error, "unexpected text after the command");
    return cmd;
  }

 private:
  std::optional<CommandArg> parseArg(std::string* error) {
    if (peek('\'') || peek('"')) {
      const char quote = s_[pos_++];
      std::string value;
      while (pos_ < s_.size()) {
        if (s_[pos_] == quote) {
          // A doubled quote stands for one quote character inside the string.
          if (pos_ + 1 < s_.size() && s_[pos_ + 1] == quote) {
            value += quote;
            pos_ += 2;
            continue;
          }
          ++pos_;
          return CommandArg{value};
        }
        value += s_[pos_++];
      }
      fail(error, "a string is not closed");
      return std::nullopt;
    }
    const std::size_t start = pos_;
    if (peek('-') || peek('+')) ++pos_;
    while (pos_ < s_.size() && std::isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
    long long value = 0;
    const char* first = s_.data() + start + (s_[start] == '+' ? 1 : 0);
    const auto [end, ec] = std::from_chars(first, s_.data() + pos_, value);
    if (pos_ == start || ec != std::errc() || end != s_.data() + pos_) {
      fail(error, "an integer or a quoted string was expected");
      return std::nullopt;
    }
    return CommandArg{value};
  }

  bool peek(char c) const { return pos_ < s_.size() && s_[pos_] == c; }
  void skipSpace() {
    while (pos_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[pos_]))) ++pos_;
  }
  std::nullopt_t fail(std::string* error, const std::string& why) {
    if (error) *error = why + " at column " + std::to_string(pos_ + 1);
    return std::nullopt;
  }

  const std::string& s_;
  std::size_t pos_ = 0;
};

}  // namespace

std::optional<ParsedCommand> ParseCommandText(const std::string& text, std::string* error) {
  return Parser(text).parse(error);
}

std::string TooManyInputsError(const std::string& name, int declared) {
  return "Run-time Error: File: " + name + " Line: 1 Column: 1 The function \"" + name +
         "\" was called with more than the declared number of inputs (" + std::to_string(declared) + ").";
}

CommandDispatcher::CommandDispatcher() = default;

void CommandDispatcher::add(const std::string& name, int inputs, Handler handler) {
  commands_[name] = Entry{inputs, std::move(handler)};
}

bool CommandDispatcher::contains(const std::string& name) const { return commands_.count(name) != 0; }

bool CommandDispatcher::run(const std::string& text) {
  std::string why;
  const auto parsed = ParseCommandText(text, &why);
  if (!parsed) {
    report("Run-time Error: the command text \"" + text + "\" cannot be read: " + why + ".");
    return false;
  }
  const auto it = commands_.find(parsed->name);
  if (it == commands_.end()) {
    report("Run-time Error: File: " + parsed->name + " Line: 1 Column: 1 Undefined function \"" + parsed->name + "\".");
    return false;
  }
  if (static_cast<int>(parsed->args.size()) > it->second.inputs) {
    report(TooManyInputsError(parsed->name, it->second.inputs));
    return false;
  }
  // Copy the handler: a command may replace commands while it runs.
  const Handler handler = it->second.handler;
  handler(parsed->args);
  return true;
}

void CommandDispatcher::report(const std::string& message) {
  lastError_ = message;
  std::cerr << message << std::endl;
  if (errorSink_) errorSink_(message);
}

}  // namespace zuv
