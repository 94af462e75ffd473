#include "RealFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace qm::test {

namespace fs = std::filesystem;

std::vector<std::string> FindRealFiles(const std::vector<RealFileSource>& sources, size_t maxFiles,
                                       size_t maxFileBytes, size_t maxTotalBytes) {
  std::vector<std::string> found;
  size_t total = 0;
  for (const auto& source : sources) {
    std::error_code error;
    if (!fs::is_directory(source.folder, error)) continue;
    std::vector<std::string> candidates;
    for (auto it = fs::recursive_directory_iterator(source.folder, fs::directory_options::skip_permission_denied, error);
         it != fs::recursive_directory_iterator() && candidates.size() < 20000; it.increment(error)) {
      if (error) break;
      if (!it->is_regular_file(error)) continue;
      std::string extension = it->path().extension().string();
      std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
      if (std::find(source.extensions.begin(), source.extensions.end(), extension) != source.extensions.end())
        candidates.push_back(it->path().string());
    }
    std::sort(candidates.begin(), candidates.end());
    for (const auto& path : candidates) {
      const auto size = static_cast<size_t>(fs::file_size(path, error));
      if (error || size == 0 || size > maxFileBytes) continue;
      if (found.size() >= maxFiles || total + size > maxTotalBytes) return found;
      found.push_back(path);
      total += size;
    }
  }
  return found;
}

std::vector<RealFileSource> RealFileSourcesFor(const std::string& languageName) {
  static const std::map<std::string, std::vector<RealFileSource>> table = {
      {"CandCPlusPlus", {{"/usr/include", {".h", ".hpp", ".c", ".cc"}}, {"/usr/include/c++", {".h", ".tcc"}}}},
      {"CSharp", {{"/usr/lib/node_modules", {".cs"}}, {"/usr/share", {".cs"}}}},
      {"Java", {{"/usr/share", {".java"}}, {"/usr/lib", {".java"}}}},
      {"JavaScript", {{"/usr/lib/node_modules/npm", {".js"}}, {"/usr/share/nodejs", {".js"}}}},
      {"PHP", {{"/usr/lib/google-cloud-sdk", {".php"}}, {"/usr/share", {".php"}}}},
      {"HTML", {{"/usr/share/doc", {".html", ".htm"}}, {"/root/.rustup", {".html"}}}},
      {"General_Multi-Highlighter", {{"/usr/share/doc", {".html", ".htm"}}, {"/root/.rustup", {".html"}}}},
      {"XML", {{"/usr/share/xml", {".xml"}}, {"/usr/share/metainfo", {".xml"}}, {"/usr/share/mime", {".xml"}}}},
      {"CascadingStyleSheet", {{"/usr/share", {".css"}}, {"/root/.rustup", {".css"}}}},
      {"Python", {{"/usr/lib/python3.11", {".py"}}}},
      {"Perl", {{"/usr/share/perl5", {".pm", ".pl"}}, {"/usr/share/perl", {".pm"}}}},
      {"Ruby", {{"/usr/lib/ruby", {".rb"}}, {"/usr/share", {".rb"}}}},
      {"ObjectPascal", {{"/usr/share/fpcsrc", {".pas", ".pp", ".inc"}}, {"/usr/lib/fpc", {".pas", ".pp"}}}},
      {"Fortran", {{"/usr/share", {".f", ".for", ".f90"}}, {"/usr/lib", {".f90"}}}},
      {"COBOL", {{"/usr/share", {".cob", ".cbl", ".cpy"}}}},
      {"x86Assembly", {{"/usr/share", {".asm"}}, {"/usr/lib", {".asm"}}}},
      {"MS-DOS_Batch", {{"/usr/lib/google-cloud-sdk", {".bat", ".cmd"}}, {"/usr/lib/node_modules", {".cmd", ".bat"}}}},
  };
  const auto it = table.find(languageName);
  return it == table.end() ? std::vector<RealFileSource>{} : it->second;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace qm::test
