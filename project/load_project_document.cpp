#include "project/load_project_document.h"

#include "document/picture_row.h"
#include "files/binary_file.h"
#include "files/file_error.h"
#include "project/byte_source.h"
#include "project/load_report.h"

namespace varnel {

ProjectDocumentLoad LoadProjectDocument(const std::string& path, ProjectRows rows) {
  ProjectDocumentLoad load;
  BinaryFile file = BinaryFile::OpenForReading(path);
  FileByteSource source(file);
  ProjectFileHandlers handlers;
  handlers.header = [&load](const ProjectHeader& header) {
    load.document.options = header.options;
    load.document.rows.reserve(header.pictureCount);
  };
  std::vector<StoredPicture> pictures;
  handlers.picture = [&pictures](const StoredPicture& picture) { pictures.push_back(picture); };
  load.read = ReadProjectFile(source, handlers);
  if (!load.read.headerRead()) throw FileError(path, NoHeaderMessage(path));

  load.foundElsewhere = RelocateMovedPictures(pictures, path);
  const auto makeRow = rows == ProjectRows::kLoadPictures ? MakePictureRow : MakeUnloadedPictureRow;
  for (const StoredPicture& picture : pictures) {
    MakeRowResult made = makeRow(picture.path, picture.sizingIndex, picture.effectIndex,
                                 picture.caption, picture.fitIndex);
    if (made.ok()) {
      load.document.rows.push_back(std::move(made.row));
    } else {
      load.leftOut.push_back(picture.path);
      load.whyLeftOut.push_back(made.failure.empty() ? kPictureNotLoaded : made.failure);
    }
  }
  load.problems = LoadProblemsMessage(path, load.read, load.leftOut, load.whyLeftOut);
  return load;
}

}  // namespace varnel
