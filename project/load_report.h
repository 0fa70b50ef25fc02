#pragma once

#include <string>
#include <vector>

#include "project/moved_pictures.h"
#include "project/project_file_reader.h"

namespace varnel {

// What went wrong while a project was loaded, said for the user; empty when the whole
// file was read and every picture loaded. leftOut holds the paths whose pictures did not
// load, in file order.
// whyLeftOut, when given, holds the reason for each of leftOut, said after its path.
std::string LoadProblemsMessage(const std::string& path, const ProjectReadResult& read,
                                const std::vector<std::string>& leftOut,
                                const std::vector<std::string>& whyLeftOut = {});

// The reason for a picture that gave no row when no other is known.
inline constexpr char kPictureNotLoaded[] = "the picture could not be loaded";

// Which pictures were found elsewhere than the project says (where a moved project has
// them) and kept with their new places; empty when none were.
std::string FoundElsewhereMessage(const std::vector<MovedPicture>& moved);

// The message for a file that ends before its header does: nothing of it was loaded.
std::string NoHeaderMessage(const std::string& path);

}  // namespace varnel
