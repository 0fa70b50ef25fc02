#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace varnel {

// The console's screen at a whole-number scale, pixels kept square and sharp (each console
// pixel a block of scale x scale), centred on black in whatever room the window gives.
class ConsoleView : public QWidget {
 public:
  static constexpr int kMinScale = 1;
  static constexpr int kMaxScale = 6;

  explicit ConsoleView(QWidget* parent = nullptr);

  void SetScreen(const QImage& screen);
  const QImage& screen() const { return screen_; }
  // The scale the window is sized for.
  void SetPreferredScale(int scale);
  int preferredScale() const { return preferredScale_; }
  // The largest scale from 1 to 6 that fits the widget's present size.
  int shownScale() const;

  QSize sizeHint() const override;
  // Told the shown scale whenever the widget's size changes.
  void SetScaleListener(std::function<void(int)> listener) { scaleListener_ = std::move(listener); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage screen_;
  int preferredScale_ = 2;
  std::function<void(int)> scaleListener_;
};

}  // namespace varnel
