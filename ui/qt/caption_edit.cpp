#include "ui/qt/caption_edit.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <limits>

#include "ui/model/caption_rules.h"
#include "ui/qt/qt_text.h"

namespace varnel {

CaptionEdit::CaptionEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
}

QString CaptionEdit::rawText() const {
  return document()->toRawText();
}

CaptionEdit::Admitted CaptionEdit::Admissible(const QString& text) const {
  QString normalised = text;
  normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  normalised.replace(QChar('\r'), QChar('\n'));
  const std::size_t limit = limit_ == 0 ? std::numeric_limits<std::size_t>::max() : limit_;
  std::size_t room = CaptionRoom(StoredCaptionLength(rawText()),
                                 StoredCaptionLength(textCursor().selectedText()), limit);
  Admitted admitted;
  // By code point, so a character beyond the 16-bit range is one character, not two halves.
  for (const char32_t c : normalised.toUcs4()) {
    if (!IsCaptionCharacter(c)) {
      admitted.refused.push_back(c);
      continue;
    }
    const std::size_t cost = c == U'\n' ? 2 : 1;
    if (cost > room) {
      admitted.overLimit = true;
      break;
    }
    room -= cost;
    admitted.text += QChar(static_cast<char16_t>(c));
  }
  return admitted;
}

void CaptionEdit::ReportLeftOut(const Admitted& admitted) {
  QApplication::beep();
  if (leftOut_) leftOut_(admitted.refused, admitted.overLimit);
}

void CaptionEdit::keyPressEvent(QKeyEvent* event) {
  const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const QString typed = lineBreak ? QStringLiteral("\n") : event->text();
  // A character beyond the 16-bit range arrives as two halves, neither printable alone.
  const bool inserts = lineBreak || (!typed.isEmpty() && QChar::isPrint(typed.toUcs4().front()));
  if (inserts && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
    if (isReadOnly()) return QPlainTextEdit::keyPressEvent(event);
    const Admitted admitted = Admissible(typed);
    if (!admitted.complete()) {
      event->accept();
      if (!admitted.text.isEmpty()) insertPlainText(admitted.text);
      ReportLeftOut(admitted);
      return;
    }
    if (lineBreak) {
      // Shift+Enter would put a line separator, which the stored text has no form for.
      event->accept();
      insertPlainText(QStringLiteral("\n"));
      return;
    }
  }
  QPlainTextEdit::keyPressEvent(event);
}

void CaptionEdit::inputMethodEvent(QInputMethodEvent* event) {
  const Admitted admitted = Admissible(event->commitString());
  if (!admitted.complete()) {
    event->setCommitString(admitted.text, event->replacementStart(), event->replacementLength());
  }
  QPlainTextEdit::inputMethodEvent(event);
  if (!admitted.complete()) ReportLeftOut(admitted);
}

bool CaptionEdit::canInsertFromMimeData(const QMimeData* source) const {
  return source->hasText();
}

void CaptionEdit::insertFromMimeData(const QMimeData* source) {
  if (!source->hasText()) return;
  const Admitted admitted = Admissible(source->text());
  if (!admitted.text.isEmpty()) insertPlainText(admitted.text);
  if (!admitted.complete()) ReportLeftOut(admitted);
}

}  // namespace varnel
