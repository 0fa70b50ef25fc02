#pragma once

#include <string>
#include <utility>

namespace varnel {

// The profile: the values kept between runs, in an INI file named after the executable
// ("varnel.ini") in the user's configuration directory ($XDG_CONFIG_HOME, else
// ~/.config). Each read and each write opens the file anew, so a value stored by another
// run, or by hand, is what the next read returns.
class IniProfile {
 public:
  // The profile of the running program.
  static IniProfile ForApplication();

  explicit IniProfile(std::string filePath) : filePath_(std::move(filePath)) {}

  const std::string& filePath() const { return filePath_; }

  // The value stored under the key, or defaultValue when the file, the section or the key
  // is missing.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // Stores the value whole, whatever characters it holds; throws FileError when the file
  // cannot be written.
  void WriteString(const std::string& section, const std::string& key,
                   const std::string& value) const;

 private:
  std::string filePath_;
};

}  // namespace varnel
