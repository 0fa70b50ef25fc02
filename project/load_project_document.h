#pragma once

#include <string>
#include <vector>

#include "document/slideshow_document.h"
#include "project/moved_pictures.h"
#include "project/project_file_reader.h"

namespace varnel {

struct ProjectDocumentLoad {
  SlideshowDocument document;
  ProjectReadResult read;
  std::vector<std::string> leftOut;          // paths whose pictures did not load, in file order
  std::vector<std::string> whyLeftOut;       // for each of leftOut, why, for the user
  std::vector<MovedPicture> foundElsewhere;  // rows whose pictures were found moved
  std::string problems;                      // for the user; empty when everything loaded
};

// How the rows are made: each picture loaded, as the Load command makes them (rows whose
// pictures do not load are left out), or from the pictures' headers alone for a build,
// which loads every picture once itself and leaves out those that do not load.
enum class ProjectRows { kLoadPictures, kReadHeadersOnly };

// Load without a window, for the command-line builder: the same reading and, with
// kLoadPictures, the same row rule as the Load command. A picture missing from where the
// file says is looked for where a moved project would have it (FindMovedPicture); a row
// found so keeps its new path and is listed in foundElsewhere. Throws FileError when the
// file cannot be opened or read, or ends before its header does.
ProjectDocumentLoad LoadProjectDocument(const std::string& path,
                                        ProjectRows rows = ProjectRows::kLoadPictures);

}  // namespace varnel
