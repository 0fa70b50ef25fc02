#pragma once

#include <string>

#include "picture/picture_file_facts.h"

namespace varnel {

// Why a picture whose header says this is refused before anything decodes it (a damaged
// structure, more than kMaxPicturePixels, more than the library's largest surface); empty
// when it is not. The program refuses such files without starting a decode; a decoder
// checks again.
std::string WhyNotDecodedFromHeader(const PictureFileFacts& facts);

// "the picture is too large: W x H pixels, more than the limit of ..."
std::string TooLargeText(int64_t width, int64_t height);

}  // namespace varnel
