#pragma once

#include "ui/model/cartridge_meter.h"

namespace varnel {

class CSlideshowDlg;

// What the show would take of the 32 MiB the console reads, kept current as the show
// changes, and Fit to Cartridge; worked out from the rows' picture sizes without
// converting anything.
class CartridgeSpace {
 public:
  explicit CartridgeSpace(CSlideshowDlg& window) : window_(window) {}
  CartridgeSpace(const CartridgeSpace&) = delete;
  CartridgeSpace& operator=(const CartridgeSpace&) = delete;

  const CartridgeMeter& meter() const { return meter_; }
  void Refresh();
  // Sets "Resized Only" on the largest full-size pictures, one at a time, until the show
  // fits into a cartridge; a show that cannot be made to fit is left as it is.
  void OnFitToCartridge();

 private:
  CSlideshowDlg& window_;
  CartridgeMeter meter_;
};

}  // namespace varnel
