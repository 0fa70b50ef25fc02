#include "bench/project_show_on_disk.h"

#include <SDL.h>
#include <stdlib.h>

#include <fstream>
#include <stdexcept>

#include "picture/sdl_picture.h"
#include "project/project_file_writer.h"
#include "tests/support/project_bytes.h"

namespace varnel::bench {

namespace {

constexpr int kPictureWidth = 64;
constexpr int kPictureHeight = 48;

std::string WritePicture(const std::string& path, int seed) {
  SurfacePtr surface(SDL_CreateRGBSurface(SDL_SWSURFACE, kPictureWidth, kPictureHeight, 24,
                                          0x0000FF, 0x00FF00, 0xFF0000, 0));
  if (!surface) throw std::runtime_error("SDL_CreateRGBSurface failed");
  {
    SurfaceLock lock(surface.get());
    auto* pixels = static_cast<uint8_t*>(surface->pixels);
    for (int i = 0; i < surface->pitch * surface->h; ++i) pixels[i] = uint8_t(i * 7 + seed);
  }
  if (SDL_SaveBMP_RW(surface.get(), SDL_RWFromFile(path.c_str(), "wb"), 1) != 0)
    throw std::runtime_error("cannot write " + path);
  return path;
}

}  // namespace

ProjectShowOnDisk::ProjectShowOnDisk() {
  std::string pattern =
      (std::filesystem::temp_directory_path() / "varnel-project-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  directory_ = pattern;
  std::vector<StoredPicture> pictures;
  for (int i = 0; i < kProjectRows; ++i) {
    const std::string path =
        WritePicture((directory_ / ("picture" + std::to_string(i) + ".bmp")).string(), i);
    paths_.push_back(path);
    pictures.push_back({path, "Caption of picture " + std::to_string(i) + "\r\nsecond line",
                        uint16_t(i % 3), uint16_t(i % 9)});
  }
  project_ = (directory_ / "show.vrn").string();
  bytes_ = testing::ProjectFileBytes(SlideshowOptions::DefaultsAfterNew(), pictures);
  std::ofstream out(project_, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes_.data()), std::streamsize(bytes_.size()));
  if (!out) throw std::runtime_error("cannot write " + project_);
}

ProjectShowOnDisk::~ProjectShowOnDisk() {
  std::error_code ignored;
  std::filesystem::remove_all(directory_, ignored);
}

}  // namespace varnel::bench
