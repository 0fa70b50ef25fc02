#pragma once

#include <QPlainTextEdit>
#include <cstddef>

namespace varnel {

// The caption box: a multi-line text box that takes only the characters a caption may
// hold (Latin-1, line breaks) and no more than its limit, counting a line break as the
// two characters it is stored as. Whatever is refused is refused as it is typed, pasted
// or dropped, so nothing reaches the show mangled.
class CaptionEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit CaptionEdit(QWidget* parent = nullptr);

  // 0: no limit.
  void setLimit(std::size_t limit) { limit_ = limit; }
  std::size_t limit() const { return limit_; }
  QString rawText() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  struct Admitted {
    QString text;   // line breaks as '\n'
    bool complete;  // nothing was refused
  };
  // The part of text that may go in place of the current selection.
  Admitted Admissible(const QString& text) const;

  std::size_t limit_ = 0;
};

}  // namespace varnel
