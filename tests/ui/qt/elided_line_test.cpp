// A status line too narrow for its text gives way inside the image's path, from its start.
#include "ui/qt/elided_line.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>

namespace varnel {
namespace {

const QString kPath = QStringLiteral("/home/ann/Varnel/holidays/2026/summer/slide.gba");
const QString kLine = QStringLiteral("Wrote ") + kPath + QStringLiteral(" (12 pictures).");
const QChar kEllipsis(0x2026);

TEST(ElideFromPartStart, ShortensThePathFromItsStartSoTheFileNameAndTheWordsStay) {
  const QFontMetrics metrics(QApplication::font());
  const int whole = metrics.horizontalAdvance(kLine);
  EXPECT_EQ(ElideFromPartStart(metrics, kLine, kPath, whole), kLine);

  for (const QString& kept : {QStringLiteral("slide.gba"), QStringLiteral("summer/slide.gba")}) {
    const QString least =
        QStringLiteral("Wrote ") + kEllipsis + kept + QStringLiteral(" (12 pictures).");
    const int width = metrics.horizontalAdvance(least) + 2;
    const QString shown = ElideFromPartStart(metrics, kLine, kPath, width);
    SCOPED_TRACE(shown.toStdString());
    EXPECT_LE(metrics.horizontalAdvance(shown), width);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Wrote ") + kEllipsis));
    EXPECT_TRUE(shown.endsWith(kept + QStringLiteral(" (12 pictures).")));
    EXPECT_TRUE(kPath.endsWith(shown.mid(7).chopped(15)));
  }
}

TEST(ElideFromPartStart, CutsTheEndWhenThePathIsNotThereOrTheWordsAloneDoNotFit) {
  const QFontMetrics metrics(QApplication::font());
  const int narrow = metrics.horizontalAdvance(QStringLiteral("Wrote  (12 pictures)."));
  const QString tooNarrow = ElideFromPartStart(metrics, kLine, kPath, narrow);
  EXPECT_TRUE(tooNarrow.startsWith(QStringLiteral("Wrote"))) << tooNarrow.toStdString();
  EXPECT_TRUE(tooNarrow.endsWith(kEllipsis)) << tooNarrow.toStdString();
  EXPECT_LE(metrics.horizontalAdvance(tooNarrow), narrow);

  const int half = metrics.horizontalAdvance(kLine) / 2;
  for (const QString& part : {QString(), QStringLiteral("/elsewhere/slide.gba")}) {
    const QString shown = ElideFromPartStart(metrics, kLine, part, half);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Wrote /home"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(kEllipsis)) << shown.toStdString();
  }
}

}  // namespace
}  // namespace varnel
