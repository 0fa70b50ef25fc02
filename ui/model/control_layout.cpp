#include "ui/model/control_layout.h"

#include <algorithm>

#include "builder/preview.h"
#include "ui/model/control_ids.h"

namespace varnel {

namespace {
// A closed drop-down list is its font's height plus its frame and margins.
constexpr int kClosedComboExtraPixels = 8;
}  // namespace

PixelRect ControlPixelRect(const ControlTemplate& control, const DialogBaseUnits& base) {
  PixelRect r = ToPixels(control.rect, base);
  if (control.Has(kStyleDropDownList)) {
    r.height = std::min(r.height, base.y + kClosedComboExtraPixels);
  }
  return r;
}

PixelRect ClientPixelRect(const DialogBaseUnits& base) {
  return ToPixels({0, 0, kMainWindowTemplate.width, kMainWindowTemplate.height}, base);
}

namespace {

// What surrounds the preview area in the template.
struct PreviewSurroundings {
  int top;     // the picture list's bottom edge
  int bottom;  // the picture info texts' top edge
  int right;   // the "Picture Options" frame's left edge
};

const ControlTemplate& PictureOptionsFrame() {
  for (const ControlTemplate& t : kMainWindowControls) {
    if (t.Has(kStyleGroupBox) && t.text == "Picture Options") return t;
  }
  return kMainWindowControls.front();  // not reached: the template holds the frame
}

PreviewSurroundings SurroundingsOfPreview(const DialogBaseUnits& base) {
  const PixelRect list = ControlPixelRect(*FindControlTemplate(kIdPictureList), base);
  const PixelRect info = ControlPixelRect(*FindControlTemplate(kIdSizeInfo), base);
  const PixelRect frame = ControlPixelRect(PictureOptionsFrame(), base);
  return {list.y + list.height, info.y, frame.x};
}

}  // namespace

// Worked case: with the template's font (6 x 13) the list ends at 237 and the info texts
// begin at 414, leaving 17 pixels beside the preview's 160, 13 of them above it: y = 250.
// With units 6 x 12 the list ends at 219 and the texts begin at 383: 4 pixels are left,
// 4 x 13 / 17 rounded gives 3 above it: y = 222.
PixelRect PreviewPixelRect(const DialogBaseUnits& base) {
  const PreviewSurroundings normal = SurroundingsOfPreview(kTemplateBaseUnits);
  const int normalSpare = normal.bottom - normal.top - kPreviewHeight;
  const int normalAbove = kPreviewY - normal.top;
  const PreviewSurroundings around = SurroundingsOfPreview(base);
  const int spare = std::max(around.bottom - around.top - kPreviewHeight, 0);
  const int above = (spare * normalAbove * 2 + normalSpare) / (normalSpare * 2);
  return {kPreviewX, around.top + above, kPreviewWidth, kPreviewHeight};
}

bool PreviewFitsLayout(const DialogBaseUnits& base) {
  const PreviewSurroundings around = SurroundingsOfPreview(base);
  const PixelRect preview = PreviewPixelRect(base);
  return preview.y > around.top && preview.y + preview.height < around.bottom &&
         preview.x + preview.width < around.right;
}

PixelRect MovedWithPreview(const PixelRect& rect, const DialogBaseUnits& base) {
  const PixelRect preview = PreviewPixelRect(base);
  return {rect.x + preview.x - kPreviewX, rect.y + preview.y - kPreviewY, rect.width, rect.height};
}

}  // namespace varnel
