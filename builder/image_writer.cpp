#include "builder/image_writer.h"

#include <string>

#include "builder/build_failure.h"
#include "builder/caption_block.h"
#include "builder/picture_pipeline.h"
#include "builder/show_plan.h"
#include "document/number_rules.h"
#include "files/display_text.h"

namespace varnel {

namespace {

std::string PictureName(const PictureEntry& row, std::size_t index) {
  return "picture " + std::to_string(index + 1) + " (" + DisplayPath(row.path) + ")";
}

}  // namespace

ImageWriter::ImageWriter(BuildHost& host, const SlideshowDocument& document, BinaryFile& image)
    : host_(host), document_(document), options_(document.options), image_(image) {
  context_.preview = &host.Preview();
}

void ImageWriter::CopyTemplate(const std::vector<uint8_t>& program) {
  image_.Write(program.data(), program.size());
  templateLength_ = program.size();
  host_.Progress().StepIt();
}

void ImageWriter::FillZerosToPictureData() {
  image_.WriteZeros(kPictureDataOffset - templateLength_);
  host_.Progress().StepIt();
}

uint16_t ImageWriter::WritePictures() {
  const uint16_t introCount = IntroCountOf(options_);
  PicturePipeline pipeline(document_, host_.BuildWorkers());
  uint16_t written = 0;
  for (std::size_t r = 0; r < document_.rows.size(); ++r) {
    StopIfCancelled();
    PreparedPicture& picture = pipeline.Next();
    const PictureEntry& row = document_.rows[r];
    if (!picture.loaded) {
      host_.PictureLeftOut(row.path, picture.whyNotLoaded);
      continue;
    }
    const bool intro = written < introCount;
    // An earlier picture that did not load moves the intro's end.
    if (intro != picture.introAssumed) {
      RemakeVersions(options_, row, intro, picture);
      if (!picture.loaded) {  // gone or changed since it was first loaded
        host_.PictureLeftOut(row.path, picture.whyNotLoaded);
        continue;
      }
    }
    const SlideRecord record = WritePicture(row, r, picture);
    WriteSlideRecord(image_, written, record);
    ++written;
    host_.Progress().StepIt();
  }
  return written;
}

RomHeader ImageWriter::MakeHeader(uint16_t pictureCount) const {
  RomHeader header;
  header.pictureCount = pictureCount;
  header.introCount = IntroCountOf(options_);
  header.thumbnails = static_cast<uint8_t>(options_.thumbnails);
  header.helpScreen = static_cast<uint8_t>(options_.helpScreen);
  header.timeLimit = static_cast<uint8_t>(options_.timeLimit);
  header.slideTimeMs = static_cast<uint16_t>(int64_t{DecimalValue(options_.secondsText)} * 1000);
  header.keyUse = static_cast<uint8_t>(options_.keyUse);
  return header;
}

SlideRecord ImageWriter::WritePicture(const PictureEntry& row, std::size_t index,
                                      const PreparedPicture& picture) {
  const PictureVersions& versions = picture.versions;
  SlideRecord record;
  record.width = versions.recordWidth;
  record.height = versions.recordHeight;
  record.effect = versions.effect;
  record.fullSizeData =
      WriteVersion(row, index, versions.fullSize,
                   picture.VersionPixels(versions.fullSize, picture.fullSize), picture.sourceMade);
  host_.Progress().StepIt();
  StopIfCancelled();
  record.resizedData =
      WriteVersion(row, index, versions.resized,
                   picture.VersionPixels(versions.resized, picture.resized), picture.sourceMade);
  host_.Progress().StepIt();
  StopIfCancelled();
  record.thumbnailData = WriteVersion(row, index, versions.thumbnail,
                                      picture.VersionPixels(versions.thumbnail, picture.thumbnail),
                                      picture.sourceMade);
  host_.Progress().StepIt();
  if (versions.caption) record.captionText = AppendCaption(row, index);
  host_.Progress().StepIt();
  return record;
}

// Appends one version; the address of its pixels, or 0 when it is not in the image.
uint32_t ImageWriter::WriteVersion(const PictureEntry& row, std::size_t index,
                                   const VersionChoice& version, const BitmapView& made,
                                   bool sourceMade) {
  if (!version.wanted) return 0;
  if (!version.made) {
    host_.PictureNote(row.path, version.whyNot);
    return 0;
  }
  const uint64_t length = image_.Length();
  EnsureFits(length + AlignmentBytesFor(length) + version.PixelBytes(), row, index);
  const uint32_t offset = made.empty() ? 0 : AppendResized(image_, made, context_);
  if (offset == 0) {
    host_.PictureNote(row.path, "the " + std::to_string(version.width) + " x " +
                                    std::to_string(version.height) + " version could not be made" +
                                    (sourceMade ? "" : " (the picture could not be converted)"));
    return 0;
  }
  return AddressOf(offset);
}

void ImageWriter::StopIfCancelled() {
  if (host_.CancelRequested()) throw BuildFailure("The build was cancelled.");
}

uint32_t ImageWriter::AppendCaption(const PictureEntry& row, std::size_t index) {
  const uint64_t length = image_.Length();
  const uint64_t alignment = AlignmentBytesFor(length);
  const std::vector<uint8_t> block = MakeCaptionBlock(row.caption);
  EnsureFits(length + alignment + block.size(), row, index);
  image_.Seek(length);
  image_.WriteZeros(alignment);
  const uint64_t start = image_.Length();
  image_.Write(block.data(), block.size());
  return AddressOf(start);
}

void ImageWriter::EnsureFits(uint64_t end, const PictureEntry& row, std::size_t index) const {
  if (end <= kCartridgeMaxBytes) return;
  throw BuildFailure("The show does not fit into a cartridge: " + PictureName(row, index) +
                     " would end the image past the 32 MiB the console can read. "
                     "Remove pictures or choose smaller versions for them.");
}

}  // namespace varnel
