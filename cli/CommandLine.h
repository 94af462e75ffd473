// The options of quillon-check.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace qm::cli {

class ECommandLineError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

enum class TOutputFormat { Text, Json };

struct TCheckCommand {
  std::vector<std::string> paths;
  bool suggest = false;
  TOutputFormat format = TOutputFormat::Text;
  std::string dataFolder;  // empty: the program's data folder
  int jobs = 0;            // 0: one per processor
  std::string language;    // empty: chosen per file
  bool listLanguages = false;
  bool help = false;
  bool version = false;
};

// Raises ECommandLineError naming the offending argument.
TCheckCommand ParseCommandLine(const std::vector<std::string>& arguments);

std::string UsageText();

} // namespace qm::cli
