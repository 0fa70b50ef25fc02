#include "tests/support/test_support.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace varnel::testing {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "varnel-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

SurfacePtr MakeSurface24(int width, int height, const std::function<Rgb(int x, int y)>& colour) {
  SurfacePtr surface(
      SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0));
  if (!surface) throw std::runtime_error("SDL_CreateRGBSurface failed");
  SurfaceLock lock(surface.get());
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<uint8_t*>(surface->pixels) + y * surface->pitch;
    for (int x = 0; x < width; ++x) {
      const Rgb c = colour(x, y);
      row[x * 3 + 0] = c.r;
      row[x * 3 + 1] = c.g;
      row[x * 3 + 2] = c.b;
    }
  }
  return surface;
}

SurfacePtr MakeSurface8(int width, int height, const std::vector<Rgb>& palette,
                        const std::function<uint8_t(int x, int y)>& index) {
  SurfacePtr surface(SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 8, 0, 0, 0, 0));
  if (!surface) throw std::runtime_error("SDL_CreateRGBSurface failed");
  std::vector<SDL_Color> colours;
  for (const Rgb& c : palette) colours.push_back(SDL_Color{c.r, c.g, c.b, 0});
  SDL_SetColors(surface.get(), colours.data(), 0, static_cast<int>(colours.size()));
  SurfaceLock lock(surface.get());
  for (int y = 0; y < height; ++y) {
    auto* row = static_cast<uint8_t*>(surface->pixels) + y * surface->pitch;
    for (int x = 0; x < width; ++x) row[x] = index(x, y);
  }
  return surface;
}

void SaveBmp(SDL_Surface* surface, const std::string& path) {
  if (SDL_SaveBMP_RW(surface, SDL_RWFromFile(path.c_str(), "wb"), 1) != 0)
    throw std::runtime_error("SDL_SaveBMP_RW failed for " + path);
}

std::string WriteBmp24(const std::string& path, int width, int height,
                       const std::function<Rgb(int x, int y)>& colour) {
  SurfacePtr surface = MakeSurface24(width, height, colour);
  SaveBmp(surface.get(), path);
  return path;
}

std::vector<uint8_t> ReadAllBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::vector<uint8_t> bytes(static_cast<std::size_t>(in.tellg()));
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
    throw std::runtime_error("cannot read " + path);
  return bytes;
}

void WriteAllBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

void MarkAsViewerProgram(std::vector<uint8_t>& bytes) {
  if (bytes.size() < 0xC0) throw std::runtime_error("a viewer program holds at least 192 bytes");
  bytes[3] = 0xEA;
  bytes[0xB2] = 0x96;
}

std::vector<uint8_t> FakeViewerProgram(std::size_t length, uint8_t fill) {
  std::vector<uint8_t> bytes(length, fill);
  MarkAsViewerProgram(bytes);
  return bytes;
}

std::string TestDataPath(const std::string& name) {
  return std::string(VARNEL_TEST_SUPPORT_DATA_DIR) + "/" + name;
}

std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

RunResult RunShellCommand(const std::string& command) {
  RunResult run;
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return run;
  std::array<char, 4096> buffer{};
  std::size_t got = 0;
  while ((got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
    run.output.append(buffer.data(), got);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

}  // namespace varnel::testing
