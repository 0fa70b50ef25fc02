#pragma once

#include <optional>
#include <string>
#include <vector>

#include "project/stored_picture.h"

namespace varnel {

// A picture found elsewhere than its project file says.
struct MovedPicture {
  std::string storedPath;  // as the project file holds it
  std::string foundPath;   // where it is now
};

// Where a missing picture lies when its project was moved or copied together with its
// pictures: the stored path's last three, two or one components below the folder of the
// project file, the most specific first. For a project in /new holding
// /old/photos/2024/a.jpg: /new/photos/2024/a.jpg, then /new/2024/a.jpg, then /new/a.jpg.
// Stored paths are split at '/' and at '\' (a project saved on Windows). Nothing when the
// stored path names a file that exists (a picture that is there but damaged stays what
// it is) or when none of the places holds an ordinary file.
std::optional<std::string> FindMovedPicture(const std::string& storedPath,
                                            const std::string& projectPath);

// Gives every missing picture of a project its new path where FindMovedPicture finds one,
// and lists those it moved, in file order, for the user to be told.
std::vector<MovedPicture> RelocateMovedPictures(std::vector<StoredPicture>& pictures,
                                                const std::string& projectPath);

}  // namespace varnel
