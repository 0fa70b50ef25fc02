#pragma once

#include <QFontMetrics>
#include <QString>

namespace varnel {

// The text as a one-line label `width` pixels wide shows it: whole when it fits; else with
// `shortenable`, a part of it such as a path, cut at its start, so that the part's end (a
// file name) and the words around it stay in sight; when even the words around it do not
// fit, or the part is not in the text, the whole text cut at its end.
QString ElideFromPartStart(const QFontMetrics& metrics, const QString& text,
                           const QString& shortenable, int width);

}  // namespace varnel
