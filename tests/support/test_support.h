#pragma once

#include <SDL.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "picture/sdl_picture.h"

namespace varnel::testing {

// A fresh directory below the system's temporary directory, removed with everything in
// it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  // The directory as a work directory: its path with a trailing separator.
  std::string workDirectory() const { return path_.string() + "/"; }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

struct Rgb {
  uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

// A 24-bit surface whose pixel (x, y), counted from the top-left, is colour(x, y).
SurfacePtr MakeSurface24(int width, int height, const std::function<Rgb(int x, int y)>& colour);
// An 8-bit palette surface; pixel (x, y) takes palette entry index(x, y).
SurfacePtr MakeSurface8(int width, int height, const std::vector<Rgb>& palette,
                        const std::function<uint8_t(int x, int y)>& index);

// Writes a surface as a BMP file; throws on failure.
void SaveBmp(SDL_Surface* surface, const std::string& path);
// Writes a 24-bit BMP of the given colours, for tests that need a picture file.
std::string WriteBmp24(const std::string& path, int width, int height,
                       const std::function<Rgb(int x, int y)>& colour);

std::vector<uint8_t> ReadAllBytes(const std::string& path);
void WriteAllBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// A stand-in viewer program: length bytes of fill, except the two marks of a console
// program's cartridge header a build looks for (the top byte 0xEA of a branch at 0 and
// 0x96 at 0xB2). length is at least 192, the header's size.
std::vector<uint8_t> FakeViewerProgram(std::size_t length, uint8_t fill);
// Stamps those two marks into bytes of at least 192.
void MarkAsViewerProgram(std::vector<uint8_t>& bytes);

// The committed test pictures (tests/data).
std::string TestDataPath(const std::string& name);

// What a command run through the shell gave.
struct RunResult {
  int status = -1;     // exit status; -1 when the process did not exit by itself
  std::string output;  // standard output and standard error together
};

// Text quoted for the shell, so that every byte reaches the program as it is.
std::string ShellQuote(const std::string& text);

// Runs a shell command, its standard error joined to its output, and waits for it.
RunResult RunShellCommand(const std::string& command);

// Whether a message says something, wherever in it.
inline bool Mentions(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace varnel::testing
