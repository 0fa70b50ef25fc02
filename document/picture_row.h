#pragma once

#include <string>
#include <string_view>

#include "document/picture_entry.h"

namespace varnel {

enum class RowError {
  kNone,
  kPictureNotLoaded,       // the picture did not load (see failure)
  kEffectIndexOutOfRange,  // only a project file can bring one
  kSizingIndexOutOfRange,
  kFitIndexOutOfRange,
};

struct MakeRowResult {
  RowError error = RowError::kNone;
  PictureEntry row;     // meaningful only when error is kNone
  std::string failure;  // why the picture did not load, for the user
  bool ok() const { return error == RowError::kNone; }
};

// The part of a path after its last '/' or '\' (paths written by Windows builds keep
// their backslashes), or the whole path when it holds neither.
std::string FileNameOfPath(std::string_view path);

// "%ix%i (%iBits)"
std::string SizeText(int width, int height, int bitsPerPixel);

// Makes a row from a full path: the picture is loaded once for its size text and let
// go. Indices outside the label tables are refused before anything is loaded.
MakeRowResult MakePictureRow(const std::string& path, int sizingIndex, int effectIndex,
                             const std::string& caption, int fitIndex = kFitStretch);

// A row made without loading the picture, for a build, which loads every picture once and
// leaves out with its reason each one that does not load. Indices are checked as
// MakePictureRow checks them; the picture's size is what its file's header says where
// that is known (ShownSizeFromHeader), and the Size text stays empty.
MakeRowResult MakeUnloadedPictureRow(const std::string& path, int sizingIndex, int effectIndex,
                                     const std::string& caption, int fitIndex = kFitStretch);

}  // namespace varnel
