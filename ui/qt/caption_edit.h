#pragma once

#include <QPlainTextEdit>
#include <cstddef>
#include <functional>
#include <vector>

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
  // Told what was left out of an insertion: the characters a caption cannot hold, and
  // whether the rest went over the limit.
  using LeftOutHandler = std::function<void(const std::vector<char32_t>& refused, bool overLimit)>;
  void setLeftOutHandler(LeftOutHandler handler) { leftOut_ = std::move(handler); }
  std::size_t limit() const { return limit_; }
  QString rawText() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  struct Admitted {
    QString text;                   // line breaks as '\n'
    std::vector<char32_t> refused;  // characters a caption cannot hold, in order
    bool overLimit = false;         // the rest did not fit
    bool complete() const { return refused.empty() && !overLimit; }
  };
  // The part of text that may go in place of the current selection.
  Admitted Admissible(const QString& text) const;
  // Beeps and says what was left out.
  void ReportLeftOut(const Admitted& admitted);

  std::size_t limit_ = 0;
  LeftOutHandler leftOut_;
};

}  // namespace varnel
