#pragma once

#include <QTreeWidget>
#include <string>
#include <vector>

namespace varnel {

// The picture list: a report view with one row per picture. It tells the window about
// keys before handling them itself, about clicks after its selection has followed them,
// and about picture files dropped onto it; it never changes its rows by itself.
class PictureListWidget : public QTreeWidget {
  Q_OBJECT

 public:
  explicit PictureListWidget(QWidget* parent = nullptr);

  // The window's key code for a key event, 0 for a key the window does not look at.
  static int ListKeyCode(const QKeyEvent& event);

 signals:
  void keyDown(int keyCode);
  void clickedInList();
  void filesDropped(const std::vector<std::string>& paths);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

}  // namespace varnel
