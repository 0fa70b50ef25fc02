#include "document/picture_row.h"

#include <cstdio>

#include "document/label_tables.h"
#include "document/sdl_picture.h"

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

MakeRowResult MakePictureRow(const std::string& path, int sizingIndex, int effectIndex,
                             const std::string& caption) {
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
  SurfacePtr picture = LoadPicture(path);
  if (!picture) {
    result.error = RowError::kPictureNotLoaded;
    return result;
  }
  {
    SurfaceLock lock(picture.get());
    result.row.sizeText = SizeText(picture->w, picture->h, picture->format->BitsPerPixel);
    result.row.pictureWidth = picture->w;
    result.row.pictureHeight = picture->h;
  }
  result.row.fileName = FileNameOfPath(path);
  result.row.effectLabel = std::string(*effectLabel);
  result.row.sizingLabel = std::string(*sizingLabel);
  result.row.path = path;
  result.row.caption = caption;
  return result;
}

}  // namespace varnel
