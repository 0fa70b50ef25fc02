// The mgba headers lay out their structures by the build flags in flags.h, which none of
// them includes itself: it must come first.
#include <mgba/flags.h>
// clang-format off
#include <mgba/core/core.h>
#include <mgba/core/log.h>
#include <mgba-util/vfs.h>
// clang-format on

#include <fcntl.h>

#include <cstdarg>
#include <stdexcept>

#include "tests/viewer/gba_emulator.h"

namespace varnel::testing {
namespace {

void DiscardLog(mLogger*, int, mLogLevel, const char*, va_list) {}

mLogger* QuietLogger() {
  static mLogger logger{DiscardLog, nullptr};
  return &logger;
}

// Each 5-bit channel is widened to 8 bits in the video buffer; its top five bits give it back.
uint16_t To15(uint32_t pixel) {
  const uint32_t r = (pixel >> 3) & 0x1F;
  const uint32_t g = (pixel >> 11) & 0x1F;
  const uint32_t b = (pixel >> 19) & 0x1F;
  return static_cast<uint16_t>(r | (g << 5) | (b << 10));
}

}  // namespace

GbaEmulator::GbaEmulator(const std::string& imagePath)
    : video_(static_cast<std::size_t>(kGbaScreenWidth) * kGbaScreenHeight) {
  mLogSetDefaultLogger(QuietLogger());
  core_ = mCoreFind(imagePath.c_str());
  if (core_ == nullptr) throw std::runtime_error("libmgba does not take " + imagePath);
  if (!core_->init(core_)) {
    core_ = nullptr;
    throw std::runtime_error("libmgba could not start a core");
  }
  // No user configuration: the emulator's own defaults, no BIOS file.
  mCoreInitConfig(core_, nullptr);
  core_->opts.skipBios = true;
  core_->opts.useBios = false;
  unsigned width = 0;
  unsigned height = 0;
  core_->desiredVideoDimensions(core_, &width, &height);
  if (width != kGbaScreenWidth || height != kGbaScreenHeight)
    throw std::runtime_error("unexpected screen size from libmgba");
  core_->setVideoBuffer(core_, reinterpret_cast<color_t*>(video_.data()), kGbaScreenWidth);
  if (!mCoreLoadFile(core_, imagePath.c_str())) {
    mCoreConfigDeinit(&core_->config);
    core_->deinit(core_);
    core_ = nullptr;
    throw std::runtime_error("libmgba could not load " + imagePath);
  }
  core_->reset(core_);
}

GbaEmulator::~GbaEmulator() {
  if (core_ == nullptr) return;
  mCoreConfigDeinit(&core_->config);
  core_->deinit(core_);
}

void GbaEmulator::HoldKeys(uint32_t keys) {
  core_->setKeys(core_, keys);
}

void GbaEmulator::RunFrames(int frames) {
  for (int i = 0; i < frames; ++i) {
    core_->runFrame(core_);
    ++framesRun_;
  }
}

void GbaEmulator::Press(uint32_t keys) {
  HoldKeys(keys);
  RunFrames(1);
  ReleaseKeys();
  RunFrames(1);
}

Screen15 GbaEmulator::Screen() const {
  Screen15 screen(video_.size());
  for (std::size_t i = 0; i < video_.size(); ++i) screen[i] = To15(video_[i]);
  return screen;
}

}  // namespace varnel::testing

namespace varnel::testing {

uint16_t GbaEmulator::Read16(uint32_t address) const {
  return static_cast<uint16_t>(core_->busRead16(core_, address));
}

void GbaEmulator::SavePng(const std::string& path) const {
  VFile* file = VFileOpen(path.c_str(), O_CREAT | O_TRUNC | O_WRONLY);
  if (file == nullptr) throw std::runtime_error("cannot write " + path);
  const bool written = mCoreTakeScreenshotVF(core_, file);
  file->close(file);
  if (!written) throw std::runtime_error("libmgba could not write " + path);
}

}  // namespace varnel::testing
