#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace zuv {

// One literal argument of a command text: an integer or a quoted string.
using CommandArg = std::variant<long long, std::string>;

struct CommandArgs {
  std::vector<CommandArg> values;

  std::size_t size() const { return values.size(); }
  bool has(std::size_t i) const { return i < values.size(); }
  // Integer argument i, or nullopt when it was left out or is not a number.
  std::optional<long long> integer(std::size_t i) const;
  // String argument i, or nullopt when it was left out or is not a string.
  std::optional<std::string> text(std::size_t i) const;
};

struct ParsedCommand {
  std::string name;
  CommandArgs args;
};

// Parses texts such as "CBPickCard(17, 3)", "CBClosePickFigure('Ok', 2)" or
// "CBSetRandomSeed;". Returns nullopt with a reason when the text does not parse.
std::optional<ParsedCommand> ParseCommandText(const std::string& text, std::string* error = nullptr);

// Runs command texts: every control, menu item and clickable picture carries
// one, and tests drive the program through the same texts.
class CommandDispatcher {
 public:
  using Handler = std::function<void(const CommandArgs&)>;
  using ErrorSink = std::function<void(const std::string&)>;

  CommandDispatcher();

  // `inputs` is the declared number of arguments; fewer are passed on and the
  // command falls back to its defaults, more are a run-time error.
  void add(const std::string& name, int inputs, Handler handler);
  bool contains(const std::string& name) const;

  // Returns false (after reporting the error) when the text cannot be run.
  bool run(const std::string& text);

  // Errors go to standard error; tests may watch them here as well.
  void setErrorSink(ErrorSink sink) { errorSink_ = std::move(sink); }
  const std::string& lastError() const { return lastError_; }

 private:
  void report(const std::string& message);

  struct Entry {
    int inputs;
    Handler handler;
  };
  std::map<std::string, Entry> commands_;
  ErrorSink errorSink_;
  std::string lastError_;
};

// The text of the run-time error for a call with too many arguments.
std::string TooManyInputsError(const std::string& name, int declared);

}  // namespace zuv
