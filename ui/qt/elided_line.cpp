#include "ui/qt/elided_line.h"

namespace varnel {

namespace {
// The ellipsis and the last few characters of the part: less than that says nothing.
constexpr int kLeastShownCharacters = 4;
}  // namespace

QString ElideFromPartStart(const QFontMetrics& metrics, const QString& text,
                           const QString& shortenable, int width) {
  if (metrics.horizontalAdvance(text) <= width) return text;
  const qsizetype at = shortenable.isEmpty() ? -1 : text.indexOf(shortenable);
  if (at >= 0) {
    const QString before = text.left(at);
    const QString after = text.mid(at + shortenable.size());
    // Joined texts may be a pixel or two wider than their parts measured apart (kerning),
    // so the room is narrowed until the whole line fits.
    for (int room = width - metrics.horizontalAdvance(before) - metrics.horizontalAdvance(after);
         room > 0; room -= 2) {
      const QString part = metrics.elidedText(shortenable, Qt::ElideLeft, room);
      if (part.size() < kLeastShownCharacters) break;
      const QString line = before + part + after;
      if (metrics.horizontalAdvance(line) <= width) return line;
    }
  }
  return metrics.elidedText(text, Qt::ElideRight, width);
}

}  // namespace varnel
