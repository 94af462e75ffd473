#include "cli/CommandLine.h"

#include <charconv>

namespace qm::cli {

namespace {

// "--name=value" or "--name value".
bool TakeValue(const std::vector<std::string>& args, size_t& i, const std::string& name, std::string& value) {
  const std::string& arg = args[i];
  if (arg == name) {
    if (i + 1 >= args.size()) throw ECommandLineError("option " + name + " needs a value");
    value = args[++i];
    return true;
  }
  if (arg.rfind(name + "=", 0) == 0) {
    value = arg.substr(name.size() + 1);
    return true;
  }
  return false;
}

int ParseJobs(const std::string& text) {
  int jobs = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), jobs);
  if (error != std::errc() || end != text.data() + text.size() || jobs < 1 || jobs > 1024)
    throw ECommandLineError("--jobs needs a number from 1 to 1024, not \"" + text + "\"");
  return jobs;
}

} // namespace

TCheckCommand ParseCommandLine(const std::vector<std::string>& args) {
  TCheckCommand command;
  bool onlyPaths = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string value;
    if (onlyPaths || arg.empty() || arg[0] != '-' || arg == "-") {
      command.paths.push_back(arg);
    } else if (arg == "--") {
      onlyPaths = true;
    } else if (arg == "--suggest") {
      command.suggest = true;
    } else if (arg == "--help" || arg == "-h") {
      command.help = true;
    } else if (arg == "--version") {
      command.version = true;
    } else if (arg == "--list-languages") {
      command.listLanguages = true;
    } else if (TakeValue(args, i, "--format", value)) {
      if (value == "text") command.format = TOutputFormat::Text;
      else if (value == "json") command.format = TOutputFormat::Json;
      else throw ECommandLineError("--format must be text or json, not \"" + value + "\"");
    } else if (TakeValue(args, i, "--data", value)) {
      if (value.empty()) throw ECommandLineError("--data needs a folder");
      command.dataFolder = value;
    } else if (TakeValue(args, i, "--jobs", value) || (arg.rfind("-j", 0) == 0 && arg.size() > 2 && (value = arg.substr(2), true))) {
      command.jobs = ParseJobs(value);
    } else if (TakeValue(args, i, "--language", value)) {
      command.language = value;
    } else {
      throw ECommandLineError("unknown option " + arg);
    }
  }
  if (!command.help && !command.version && !command.listLanguages && command.paths.empty())
    throw ECommandLineError("no file or folder to check");
  return command;
}

std::string UsageText() {
  return "usage: quillon-check [options] PATH...\n"
         "Checks the spelling of the comments, strings and text in source files.\n"
         "Folders are searched recursively (hidden entries skipped).\n"
         "\n"
         "  --suggest           add the first suggestions to each misprint\n"
         "  --format text|json  one line per misprint, FILE:LINE:COL: WORD (text),\n"
         "                      or one JSON object per line (json)\n"
         "  --data DIR          data folder with config.dat, dictionaries.dat and the\n"
         "                      dictionaries (default: the program's data folder)\n"
         "  --jobs N, -jN       check N files at a time (default: one per processor)\n"
         "  --language NAME     lex every file as this language (see --list-languages)\n"
         "  --list-languages    print the language names and exit\n"
         "  --help              print this text and exit\n"
         "  --version           print the version and exit\n"
         "\n"
         "Exit status: 0 no misprint, 1 misprints found, 2 an error occurred.\n";
}

} // namespace qm::cli
