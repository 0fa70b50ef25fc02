#pragma once

#include <string>
#include <string_view>

namespace varnel {

inline constexpr std::string_view kProjectExtension = "vrn";
// The one entry of the Save and Load dialogs' file-type list.
inline constexpr std::string_view kProjectFileFilter = "Varnel Files (*.vrn)";

// The name the Save dialog settles on, before it asks about replacing a file: ".vrn" is
// added when the chosen file name has no extension ("show" and "show." both become
// "show.vrn"); a name with any other extension stays as chosen.
std::string WithProjectExtension(const std::string& chosen);

// The window caption after Save or Load: "Varnel 1.3 (myshow.vrn)", the file's name
// without its directory.
std::string ProjectWindowCaption(const std::string& titleBase, const std::string& path);

}  // namespace varnel
