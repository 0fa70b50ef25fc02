#include "document/picture_row.h"

#include <cstdio>

#include "document/label_tables.h"
#include "picture/picture_loader.h"

namespace varnel {

std::string FileNameOfPath(std::string_view path) {
  const auto cut = path.find_last_of("/\\");
  if (cut == std::string_view::npos) return std::string(path);
  return std::string(path.substr(cut + 1));
}

std::string SizeText(int width, int height, int bitsPerPixel) {
  char text[64];
  std::snprintf(text, sizeof text, "%ix%i (%iBits)", width, height, bitsPerPixel);
  return text;
}

namespace {

// The row's texts that need no picture; an error for an index outside the label tables.
MakeRowResult RowWithoutPicture(const std::string& path, int sizingIndex, int effectIndex,
                                const std::string& caption, int fitIndex) {
  MakeRowResult result;
  const auto effectLabel = EffectLabel(effectIndex);
  if (!effectLabel) {
    result.error = RowError::kEffectIndexOutOfRange;
    return result;
  }
  const auto sizingLabel = SizingLabel(sizingIndex);
  if (!sizingLabel) {
    result.error = RowError::kSizingIndexOutOfRange;
    return result;
  }
  const auto fitLabel = FitLabel(fitIndex);
  if (!fitLabel) {
    result.error = RowError::kFitIndexOutOfRange;
    return result;
  }
  result.row.fileName = FileNameOfPath(path);
  result.row.effectLabel = std::string(*effectLabel);
  result.row.sizingLabel = std::string(*sizingLabel);
  result.row.path = path;
  result.row.caption = caption;
  result.row.fitLabel = std::string(*fitLabel);
  return result;
}

}  // namespace

MakeRowResult MakeUnloadedPictureRow(const std::string& path, int sizingIndex, int effectIndex,
                                     const std::string& caption, int fitIndex) {
  MakeRowResult result = RowWithoutPicture(path, sizingIndex, effectIndex, caption, fitIndex);
  if (!result.ok()) return result;
  if (const std::optional<ShownSize> size = ShownSizeFromHeader(path)) {
    result.row.pictureWidth = size->width;
    result.row.pictureHeight = size->height;
  }
  return result;
}

MakeRowResult MakePictureRow(const std::string& path, int sizingIndex, int effectIndex,
                             const std::string& caption, int fitIndex) {
  MakeRowResult result = RowWithoutPicture(path, sizingIndex, effectIndex, caption, fitIndex);
  if (!result.ok()) return result;
  const LoadedPictureSize picture = LoadPictureSize(path);
  if (!picture) {
    result.error = RowError::kPictureNotLoaded;
    result.failure = picture.failure;
    return result;
  }
  // The size as shown (after any turn), the depth as the file holds it.
  result.row.sizeText = SizeText(picture.width, picture.height, picture.bitsPerPixel);
  result.row.pictureWidth = picture.width;
  result.row.pictureHeight = picture.height;
  return result;
}

}  // namespace varnel
