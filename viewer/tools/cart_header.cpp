// Fills in the cartridge header of the linked viewer program and writes the result as the
// viewer template: the logo, the title, game and maker codes, the fixed byte and the
// complement check that the console's boot program verifies before it starts a cartridge.
// The logo is the standard one (cart_logo.h) unless a file supplies other bytes.
//
// The template is padded with zero bytes to a whole number of 32-bit words: flash-cartridge
// writers and loaders move images in 16- and 32-bit units and may refuse or cut a ragged
// end. The builder zero-fills after the template anyway, so built images do not change.
//
// Usage: varnel_cart_header <program.bin> <Src.res> [--logo <file of 156 bytes>]

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "format/image_layout.h"
#include "viewer/tools/cart_logo.h"

namespace {

using namespace varnel;

constexpr std::size_t kImageSizeUnit = 4;

constexpr char kTitle[] = "VARNEL SHOW";
constexpr char kGameCode[] = "VRNL";
constexpr char kMakerCode[] = "00";

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

void PutText(std::vector<uint8_t>& image, std::size_t offset, const char* text,
             std::size_t length) {
  for (std::size_t i = 0; i < length; ++i) image[offset + i] = 0;
  for (std::size_t i = 0; i < length && text[i]; ++i)
    image[offset + i] = static_cast<uint8_t>(text[i]);
}

uint8_t ComplementCheck(const std::vector<uint8_t>& image) {
  unsigned sum = 0;
  for (std::size_t i = kCartTitleAt; i < kCartComplementAt; ++i) sum += image[i];
  return static_cast<uint8_t>((0u - sum - 0x19u) & 0xFFu);
}

void FillHeader(std::vector<uint8_t>& image, const std::vector<uint8_t>& logo) {
  if (image.size() < kCartHeaderBytes)
    throw std::runtime_error("the program is shorter than its header");
  if (image.size() > kMaxTemplateBytes)
    throw std::runtime_error("the program is " + std::to_string(image.size()) +
                             " bytes, more than the " + std::to_string(kMaxTemplateBytes) +
                             " the slideshow layout leaves it");
  if (logo.size() != kCartLogoBytes)
    throw std::runtime_error("the logo file holds " + std::to_string(logo.size()) +
                             " bytes; the logo area holds " + std::to_string(kCartLogoBytes));
  std::copy(logo.begin(), logo.end(), image.begin() + kCartLogoAt);
  PutText(image, kCartTitleAt, kTitle, kCartTitleBytes);
  PutText(image, kCartGameCodeAt, kGameCode, kCartGameCodeBytes);
  PutText(image, kCartMakerCodeAt, kMakerCode, kCartMakerCodeBytes);
  image[kCartFixedByteAt] = kCartFixedByte;
  for (std::size_t i = kCartUnitCodeAt; i < kCartVersionAt; ++i) image[i] = 0;
  image[kCartVersionAt] = 0;
  image[kCartComplementAt] = ComplementCheck(image);
  // The two bytes after the check, the header's last, are reserved zeros.
  for (std::size_t i = kCartComplementAt + 1; i < kCartHeaderBytes; ++i) image[i] = 0;
}

// Zero bytes up to the next whole 32-bit word; the template limit is itself a whole number
// of words, so a padded template still fits.
void PadToWholeWords(std::vector<uint8_t>& image) {
  image.resize((image.size() + kImageSizeUnit - 1) / kImageSizeUnit * kImageSizeUnit, 0);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc != 3 && !(argc == 5 && std::string(argv[3]) == "--logo"))
      throw std::runtime_error("usage: varnel_cart_header <program.bin> <Src.res> [--logo <file>]");
    std::vector<uint8_t> image = ReadFile(argv[1]);
    const std::vector<uint8_t> logo =
        argc == 5 ? ReadFile(argv[4])
                  : std::vector<uint8_t>(varnel::viewer::kCartridgeLogo.begin(),
                                         varnel::viewer::kCartridgeLogo.end());
    FillHeader(image, logo);
    PadToWholeWords(image);
    WriteFile(argv[2], image);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "varnel_cart_header: %s\n", error.what());
    return 1;
  }
}
