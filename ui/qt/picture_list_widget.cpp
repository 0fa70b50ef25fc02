#include "ui/qt/picture_list_widget.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

#include "ui/model/control_ids.h"

namespace varnel {

namespace {

std::vector<std::string> LocalFiles(const QMimeData* data) {
  std::vector<std::string> paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  }
  return paths;
}

// The keypad's 8 and 2 with Num Lock on; with it off they arrive as the arrow keys.
bool IsKeypadDigit(const QKeyEvent& event, int key) {
  return event.key() == key && (event.modifiers() & Qt::KeypadModifier);
}

}  // namespace

PictureListWidget::PictureListWidget(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setAllColumnsShowFocus(true);
  setSortingEnabled(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragDropMode(QAbstractItemView::DropOnly);
  setAcceptDrops(true);
  header()->setStretchLastSection(false);
  header()->setSectionsMovable(false);
  header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

int PictureListWidget::ListKeyCode(const QKeyEvent& event) {
  if (IsKeypadDigit(event, Qt::Key_8)) return kKeyNumpad8;
  if (IsKeypadDigit(event, Qt::Key_2)) return kKeyNumpad2;
  switch (event.key()) {
    case Qt::Key_Up:
      return kKeyUp;
    case Qt::Key_Down:
      return kKeyDown;
    case Qt::Key_Insert:
      return kKeyInsert;
    case Qt::Key_Delete:
      return kKeyDelete;
    default:
      return 0;
  }
}

void PictureListWidget::keyPressEvent(QKeyEvent* event) {
  const int code = ListKeyCode(*event);
  if (code != 0) emit keyDown(code);
  // The list has no handling of its own for the keypad digits (it would search the rows
  // for a name starting with the digit).
  if (code == kKeyNumpad8 || code == kKeyNumpad2) {
    event->accept();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

void PictureListWidget::mouseReleaseEvent(QMouseEvent* event) {
  QTreeWidget::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) emit clickedInList();
}

// A list disabled while a long command runs takes no files: the drag shows they would not
// be taken (Qt hands drags to disabled widgets too).
void PictureListWidget::dragEnterEvent(QDragEnterEvent* event) {
  if (!isEnabled() || LocalFiles(event->mimeData()).empty()) return event->ignore();
  event->acceptProposedAction();
}

void PictureListWidget::dragMoveEvent(QDragMoveEvent* event) {
  if (!isEnabled() || LocalFiles(event->mimeData()).empty()) return event->ignore();
  event->acceptProposedAction();
}

void PictureListWidget::dropEvent(QDropEvent* event) {
  const std::vector<std::string> paths =
      isEnabled() ? LocalFiles(event->mimeData()) : std::vector<std::string>();
  if (paths.empty()) return event->ignore();
  event->acceptProposedAction();
  emit filesDropped(paths);
}

}  // namespace varnel
