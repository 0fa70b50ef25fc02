// The mgba headers lay out their structures by the build flags in flags.h, which none of
// them includes itself: it must come first.
#include <mgba/flags.h>
// clang-format off
#include <mgba/core/core.h>
#include <mgba/core/log.h>
#include <mgba-util/vfs.h>
// clang-format on

#include <algorithm>
#include <cstdarg>
#include <stdexcept>

#include "emulator/console_emulator.h"
#include "files/binary_file.h"
#include "files/display_text.h"
#include "files/file_error.h"
#include "files/replacement_file.h"

namespace varnel {

namespace {

// The cartridge address space: no image the console can run is larger.
constexpr std::uintmax_t kMaxImageBytes = 32u * 1024 * 1024;

static_assert(sizeof(color_t) == sizeof(uint32_t), "libmgba built with 32-bit pixels expected");

void DiscardLog(mLogger*, int, mLogLevel, const char*, va_list) {}

// Without a logger of our own the library prints its log on standard output.
void SilenceLibraryLog() {
  static mLogger logger{DiscardLog, nullptr};
  mLogSetDefaultLogger(&logger);
}

// The image is opened as the other programs open their files: only an ordinary file, and
// never waiting (a FIFO named by mistake would otherwise hang the player).
std::vector<uint8_t> ReadImage(const std::string& path) {
  BinaryFile file = BinaryFile::OpenForReading(path);
  const uint64_t length = file.Length();
  const std::string shown = DisplayPath(path);
  if (length == 0) throw std::runtime_error("The image " + shown + " is empty.");
  if (length > kMaxImageBytes)
    throw std::runtime_error("The image " + shown + " is larger than a cartridge holds (32 MiB).");
  std::vector<uint8_t> bytes(static_cast<std::size_t>(length));
  if (file.Read(bytes.data(), bytes.size()) != bytes.size())
    throw std::runtime_error("The image " + shown + " could not be read.");
  return bytes;
}

// The buffer holds red in its low byte; the top byte is not defined.
uint32_t ToRgb(uint32_t pixel) {
  const uint32_t r = pixel & 0xFF;
  const uint32_t g = (pixel >> 8) & 0xFF;
  const uint32_t b = (pixel >> 16) & 0xFF;
  return 0xFF000000u | (r << 16) | (g << 8) | b;
}

}  // namespace

ConsoleEmulator::ConsoleEmulator(const std::string& imagePath) : video_(kConsoleScreenPixels) {
  SilenceLibraryLog();
  const std::vector<uint8_t> image = ReadImage(imagePath);
  // The core keeps its own copy: the file may change on disk while the image runs.
  VFile* rom = VFileMemChunk(image.data(), image.size());
  if (rom == nullptr)
    throw std::runtime_error("Not enough memory for the image " + DisplayPath(imagePath));
  core_ = mCoreFindVF(rom);
  if (core_ == nullptr) {
    rom->close(rom);
    throw std::runtime_error("The file " + DisplayPath(imagePath) + " is not a console image.");
  }
  if (!core_->init(core_)) {
    rom->close(rom);
    core_ = nullptr;
    throw std::runtime_error("The console emulator could not start.");
  }
  // No user configuration: the emulator's own defaults, no BIOS file.
  mCoreInitConfig(core_, nullptr);
  core_->opts.skipBios = true;
  core_->opts.useBios = false;
  unsigned width = 0;
  unsigned height = 0;
  core_->desiredVideoDimensions(core_, &width, &height);
  const bool screenFits = width == kScreenWidth && height == kScreenHeight;
  if (!screenFits) rom->close(rom);
  // Once handed to loadROM the file belongs to the core, taken or not.
  if (!screenFits || !core_->loadROM(core_, rom)) {
    mCoreConfigDeinit(&core_->config);
    core_->deinit(core_);
    core_ = nullptr;
    throw std::runtime_error("The console emulator does not take the image " +
                             DisplayPath(imagePath) + ".");
  }
  core_->setVideoBuffer(core_, reinterpret_cast<color_t*>(video_.data()), kScreenWidth);
  core_->reset(core_);
}

ConsoleEmulator::~ConsoleEmulator() {
  mCoreConfigDeinit(&core_->config);
  core_->deinit(core_);
}

void ConsoleEmulator::Restart() {
  core_->reset(core_);
  HoldKeys(0);
}

void ConsoleEmulator::HoldKeys(ConsoleKeys keys) {
  heldKeys_ = keys;
  core_->setKeys(core_, keys);
}

void ConsoleEmulator::RunFrames(int frames) {
  for (int i = 0; i < frames; ++i) {
    core_->runFrame(core_);
    ++framesRun_;
  }
}

ScreenRgb ConsoleEmulator::ScreenAsRgb() const {
  ScreenRgb screen(video_.size());
  for (std::size_t i = 0; i < video_.size(); ++i) screen[i] = ToRgb(video_[i]);
  return screen;
}

std::vector<uint8_t> ConsoleEmulator::ScreenAsPng() const {
  VFile* memory = VFileMemChunk(nullptr, 0);
  if (memory == nullptr) throw std::runtime_error("Not enough memory for a screenshot.");
  std::vector<uint8_t> png;
  if (mCoreTakeScreenshotVF(core_, memory)) {
    png.resize(static_cast<std::size_t>(std::max<ssize_t>(memory->size(memory), 0)));
    memory->seek(memory, 0, SEEK_SET);
    if (memory->read(memory, png.data(), png.size()) != static_cast<ssize_t>(png.size()))
      png.clear();
  }
  memory->close(memory);
  if (png.empty()) throw std::runtime_error("The screen could not be made into a PNG picture.");
  return png;
}

// Written as the builder writes images: complete or not at all, only over an ordinary
// file, never waiting on a FIFO.
void ConsoleEmulator::SavePng(const std::string& path) const {
  const std::vector<uint8_t> png = ScreenAsPng();
  try {
    ReplacementFile out(path);
    out.file().Write(png.data(), png.size());
    out.Commit();
  } catch (const FileError& error) {
    const std::string cause = error.cause().empty() ? error.what() : error.cause();
    throw std::runtime_error("The screenshot " + DisplayPath(path) +
                             " could not be written: " + cause + ".");
  }
}

}  // namespace varnel
