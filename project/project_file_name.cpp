#include "project/project_file_name.h"

#include "document/picture_row.h"

namespace varnel {

std::string WithProjectExtension(const std::string& chosen) {
  const std::string name = FileNameOfPath(chosen);
  if (name.empty()) return chosen;
  if (name.back() == '.') return chosen + std::string(kProjectExtension);
  if (name.find('.') != std::string::npos) return chosen;
  return chosen + "." + std::string(kProjectExtension);
}

std::string ProjectWindowCaption(const std::string& titleBase, const std::string& path) {
  return titleBase + " (" + FileNameOfPath(path) + ")";
}

}  // namespace varnel
