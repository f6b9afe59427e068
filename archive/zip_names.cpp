#include "archive/zip_names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <set>
#include <string>

#include "archive/paths.h"

namespace vantrel::zip_names {
namespace {

bool isNameSeparator(char c) { return c == '/' || c == '\\'; }

// The name as a case-insensitive file system sees it: "/" for "\\", ASCII
// letters in lower case, no trailing "/".
std::string foldedName(std::string_view name) {
  if (isDirectoryName(name)) name.remove_suffix(1);
  std::string folded(name);
  for (char& c : folded) {
    c = c == '\\' ? '/' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return folded;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

bool isDirectoryName(std::string_view name) { return !name.empty() && name.back() == '/'; }

bool isSafeEntryName(std::string_view name) {
  if (isDirectoryName(name)) name.remove_suffix(1);
  if (name.empty()) return false;
  // A colon makes a drive ("C:x") or, on Windows, an alternate data stream.
  if (name.find(':') != std::string_view::npos) return false;
  // Control bytes (zero included) make names that can't be shown or typed.
  if (std::any_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
      }))
    return false;
  std::size_t start = 0;
  for (;;) {
    const auto end = std::find_if(name.begin() + start, name.end(), isNameSeparator);
    const std::string_view component(name.data() + start,
                                     static_cast<std::size_t>(end - name.begin()) - start);
    if (component.empty() || component == "." || component == "..") return false;
    if (end == name.end()) return true;
    start = static_cast<std::size_t>(end - name.begin()) + 1;
  }
}

bool haveClashingNames(const std::vector<std::string_view>& names) {
  std::set<std::string> entries;
  std::set<std::string> fileEntries;
  std::set<std::string> folders;  // every folder above some entry
  for (std::string_view name : names) {
    const std::string folded = foldedName(name);
    if (!entries.insert(folded).second) return true;
    if (!isDirectoryName(name)) fileEntries.insert(folded);
    for (auto slash = folded.find('/'); slash != std::string::npos;
         slash = folded.find('/', slash + 1)) {
      folders.insert(folded.substr(0, slash));
    }
  }
  return std::any_of(folders.begin(), folders.end(),
                     [&](const std::string& folder) { return fileEntries.count(folder) != 0; });
}

Text targetPath(const Text& destination, std::string_view name) {
  if (isDirectoryName(name)) name.remove_suffix(1);
  Text target = destination;
  if (target.empty() || target.back() != pathSeparator()) target += pathSeparator();
  for (char c : name) target += (c == '/') ? pathSeparator() : c;
  return target;
}

bool isStoredName(std::string_view fileName) {
  static constexpr std::array<std::string_view, 8> kCompressedSuffixes = {
      ".Z", ".zip", ".zoo", ".arc", ".lzh", ".arj", ".gz", ".tgz"};
  const auto dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view suffix = fileName.substr(dot);
  return std::any_of(kCompressedSuffixes.begin(), kCompressedSuffixes.end(),
                     [&](std::string_view known) { return equalsIgnoringCase(suffix, known); });
}

Text lastComponent(const Text& path) {
  const auto separator = lastSeparator(path);
  return separator == Text::npos ? path : path.substr(separator + 1);
}

}  // namespace vantrel::zip_names
