#pragma once

#include "app/qt/template_dialog.h"

namespace varnel {

// The About box (template 100): the icon, the version, a description and the About
// picture. Its Close button (id 1) ends it.
class CAboutDlg : public TemplateDialog {
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace varnel
