#pragma once

#include <QString>
#include <string>

namespace varnel {

// The model holds option texts and captions as Latin-1 bytes (one byte a character, as
// the project file and the image store them) and paths and titles as UTF-8.
QString FromLatin1(const std::string& text);
QString FromUtf8(const std::string& text);
// Characters outside Latin-1 become '?'; only the number boxes use it, and their rule
// removes anything that is not a digit.
std::string ToLatin1(const QString& text);

// A caption as a text box shows it: each CR LF (or a lone CR or LF) is one line break.
QString CaptionForDisplay(const std::string& caption);
// The raw text of a text box as caption bytes: every line or paragraph break becomes
// CR LF, as the caption box of the original platform delivers it.
std::string CaptionFromEditor(const QString& rawText);
// Characters a caption stores for this text: a line break counts twice (CR LF).
std::size_t StoredCaptionLength(const QString& rawText);

}  // namespace varnel
