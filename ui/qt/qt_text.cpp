#include "ui/qt/qt_text.h"

namespace varnel {

namespace {
constexpr char16_t kParagraphSeparator = 0x2029;
constexpr char16_t kLineSeparator = 0x2028;

bool IsLineBreak(QChar c) {
  return c == QChar('\n') || c.unicode() == kParagraphSeparator || c.unicode() == kLineSeparator;
}
}  // namespace

QString FromLatin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToLatin1(const QString& text) {
  return text.toLatin1().toStdString();
}

QString CaptionForDisplay(const std::string& caption) {
  QString shown = FromLatin1(caption);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QChar('\r'), QChar('\n'));
  return shown;
}

std::string CaptionFromEditor(const QString& rawText) {
  std::string caption;
  caption.reserve(static_cast<std::size_t>(rawText.size()) + 8);
  for (QChar c : rawText) {
    if (IsLineBreak(c)) {
      caption += "\r\n";
    } else if (c == QChar('\r')) {
      continue;  // part of a break already counted
    } else if (c.unicode() <= 0xFF) {
      caption += static_cast<char>(c.unicode());
    }
  }
  return caption;
}

std::size_t StoredCaptionLength(const QString& rawText) {
  std::size_t length = 0;
  for (QChar c : rawText) {
    if (c == QChar('\r')) continue;
    length += IsLineBreak(c) ? 2 : 1;
  }
  return length;
}

}  // namespace varnel
