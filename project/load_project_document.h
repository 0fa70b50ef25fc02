#pragma once

#include <string>
#include <vector>

#include "document/slideshow_document.h"
#include "project/project_file_reader.h"

namespace varnel {

struct ProjectDocumentLoad {
  SlideshowDocument document;
  ProjectReadResult read;
  std::vector<std::string> leftOut;  // paths whose pictures did not load, in file order
  std::string problems;              // for the user; empty when everything loaded
};

// Load without a window, for the command-line builder: the same reading and the same
// row rule as the Load command. Throws FileError when the file cannot be opened or read,
// or ends before its header does.
ProjectDocumentLoad LoadProjectDocument(const std::string& path);

}  // namespace varnel
