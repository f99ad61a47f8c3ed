#include "app/CommandLine.h"

#include <array>
#include <string_view>

#include "tvx_version.h"

namespace tvx {
namespace {

bool NotBoth(const LaunchOptions& options, std::string& error) {
  if (options.recordFile && options.replayFile) {
    error = "--record and --replay cannot be used together";
    return false;
  }
  return true;
}

struct OptionRow {
  std::string_view name;
  std::string_view argument;  // empty for a flag
  std::string_view help;
  // Applies the option; returns false with `error` set when the value is refused.
  bool (*apply)(CommandLineResult& result, std::string_view value, std::string& error);
};

constexpr std::array kOptions{
    OptionRow{"--help", "", "show this help and exit",
              [](CommandLineResult& r, std::string_view, std::string&) {
                r.action = CommandLineAction::ShowHelp;
                return true;
              }},
    OptionRow{"--version", "", "show the version and exit",
              [](CommandLineResult& r, std::string_view, std::string&) {
                r.action = CommandLineAction::ShowVersion;
                return true;
              }},
    OptionRow{"--data", "DIR", "read resources.tvx from DIR only",
              [](CommandLineResult& r, std::string_view value, std::string&) {
                r.options.dataFolder = std::string(value);
                return true;
              }},
    OptionRow{"--fullscreen", "", "play full screen (the default; Alt+Enter or F11 switches)",
              [](CommandLineResult& r, std::string_view, std::string&) {
                r.options.fullscreen = true;
                return true;
              }},
    OptionRow{"--windowed", "", "play in a window",
              [](CommandLineResult& r, std::string_view, std::string&) {
                r.options.fullscreen = false;
                return true;
              }},
    OptionRow{"--scale", "fit|integer", "fit (default): largest; integer: sharp whole multiples",
              [](CommandLineResult& r, std::string_view value, std::string& error) {
                r.options.scale = ScaleModeFromName(value);
                if (r.options.scale) return true;
                error = "--scale takes fit or integer, not '" + std::string(value) + "'";
                return false;
              }},
    OptionRow{"--mute", "", "no sound this run (F10 toggles and remembers mute)",
              [](CommandLineResult& r, std::string_view, std::string&) {
                r.options.mute = true;
                return true;
              }},
    OptionRow{"--record", "FILE", "record this game into the replay FILE",
              [](CommandLineResult& r, std::string_view value, std::string& error) {
                r.options.recordFile = std::string(value);
                return NotBoth(r.options, error);
              }},
    OptionRow{"--force", "", "let --record replace an existing FILE",
              [](CommandLineResult& r, std::string_view, std::string&) {
                r.options.force = true;
                return true;
              }},
    OptionRow{"--replay", "FILE", "show the game recorded in FILE instead of playing",
              [](CommandLineResult& r, std::string_view value, std::string& error) {
                r.options.replayFile = std::string(value);
                return NotBoth(r.options, error);
              }},
};

const OptionRow* FindOption(std::string_view name) {
  for (const OptionRow& row : kOptions) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

CommandLineResult Failure(std::string error) {
  CommandLineResult result;
  result.action = CommandLineAction::Fail;
  result.error = std::move(error);
  return result;
}

}  // namespace

CommandLineResult ParseCommandLine(int argc, const char* const* argv) {
  CommandLineResult result;
  for (int i = 1; i < argc; ++i) {
    std::string_view word = argv[i];
    std::string_view value;
    bool valueInline = false;
    if (std::size_t equals = word.find('='); word.starts_with("--") && equals != word.npos) {
      value = word.substr(equals + 1);
      word = word.substr(0, equals);
      valueInline = true;
    }
    const OptionRow* row = FindOption(word);
    if (row == nullptr) return Failure("unknown option '" + std::string(word) + "'");
    if (row->argument.empty() && valueInline) {
      return Failure("option '" + std::string(word) + "' takes no value");
    }
    if (!row->argument.empty() && !valueInline) {
      if (i + 1 >= argc)
        return Failure("option '" + std::string(word) + "' needs " + std::string(row->argument));
      value = argv[++i];
    }
    std::string error;
    if (!row->apply(result, value, error)) return Failure(error);
    // --help and --version win over whatever else is on the line.
    if (result.action != CommandLineAction::Play) return result;
  }
  return result;
}

std::string UsageText() {
  std::string text = "usage: tarvex [options]\n\noptions:\n";
  for (const OptionRow& row : kOptions) {
    std::string left = "  " + std::string(row.name);
    if (!row.argument.empty()) left += " " + std::string(row.argument);
    if (left.size() < 24)
      left.resize(24, ' ');
    else
      left += "  ";
    text += left + std::string(row.help) + "\n";
  }
  return text;
}

const char* ProgramVersion() { return kProgramVersion; }

}  // namespace tvx
