#include "image_format_checks.h"

namespace {

// Every 8 x 8 block of a scan costs at least one bit, and the smallest component of a
// frame may cover a sixteenth of the blocks: 64 * 16 pixels per bit at most.
constexpr unsigned long long kMaxPixelsPerByte = 8 * 64 * 16;

struct Component {
  int id = 0;
  int h = 0;
  int v = 0;
  int quantTable = 0;
  bool dcScanned = false;  // a scan has set its DC coefficients, so its blocks hold data
};

struct JpegState {
  Component components[4];
  int componentCount = 0;
  bool frame = false;
  bool progressive = false;
  int height = 0;
  bool dcTable[4] = {};
  bool acTable[4] = {};
  bool quantTable[4] = {};
  unsigned long long entropyBytes = 0;
};

bool Corrupt(std::string& reason, const std::string& why) {
  reason = "corrupt JPEG file: " + why;
  return false;
}

std::string Hex(int marker) {
  static const char digits[] = "0123456789ABCDEF";
  return std::string("0xFF") + digits[marker >> 4] + digits[marker & 15];
}

bool CheckFrame(const ByteView& bytes, std::size_t body, std::size_t length, int marker, JpegState& state,
                ImageHeader& header, std::string& reason) {
  if (state.frame) return Corrupt(reason, "a second frame header");
  if (length < 8) return Corrupt(reason, "a frame header of " + std::to_string(length) + " bytes");
  if (bytes.At(body) != 8)
    return reason =
               "unsupported JPEG file: " + std::to_string(bytes.At(body)) + "-bit samples (only 8-bit ones are read)",
           false;
  const int height = static_cast<int>(bytes.Be16(body + 1)), width = static_cast<int>(bytes.Be16(body + 3));
  const int count = bytes.At(body + 5);
  if (height == 0) return reason = "unsupported JPEG file: its height is given after the image data", false;
  if (width == 0) return Corrupt(reason, "its width is 0");
  if (count != 1 && count != 3 && count != 4) return Corrupt(reason, std::to_string(count) + " colour components");
  if (length != 8 + 3 * static_cast<std::size_t>(count)) return Corrupt(reason, "a frame header of the wrong length");
  int hMax = 1, vMax = 1;
  for (int i = 0; i < count; ++i) {
    Component& c = state.components[i];
    c.id = bytes.At(body + 6 + 3 * i);
    c.h = bytes.At(body + 7 + 3 * i) >> 4;
    c.v = bytes.At(body + 7 + 3 * i) & 15;
    c.quantTable = bytes.At(body + 8 + 3 * i);
    if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4) return Corrupt(reason, "a sampling factor outside 1..4");
    if (c.quantTable > 3) return Corrupt(reason, "a quantization table number above 3");
    hMax = c.h > hMax ? c.h : hMax;
    vMax = c.v > vMax ? c.v : vMax;
  }
  for (int i = 0; i < count; ++i)
    if (hMax % state.components[i].h || vMax % state.components[i].v)
      return Corrupt(reason, "sampling factors that do not divide each other");
  state.frame = true;
  state.progressive = marker == 0xC2;
  state.componentCount = count;
  state.height = height;
  header.width = width;
  header.height = height;
  return WithinImageLimits(width, height, reason);
}

// The decoder writes a table's code lengths into a 257-byte array and its symbols into a
// 256-byte one, trusting the sixteen counts: more than 256 codes overrun both.
bool CheckHuffmanTables(const ByteView& bytes, std::size_t at, std::size_t end, JpegState& state, std::string& reason) {
  while (at < end) {
    if (end - at < 17) return Corrupt(reason, "a Huffman table is cut short");
    const int kind = bytes.At(at) >> 4, number = bytes.At(at) & 15;
    if (kind > 1 || number > 3) return Corrupt(reason, "a Huffman table of an unknown kind or number");
    unsigned codes = 0, next = 0;
    for (int length = 1; length <= 16; ++length) {
      const unsigned count = bytes.At(at + length);
      codes += count;
      next += count;
      if (next > (1u << length)) return Corrupt(reason, "a Huffman table's code lengths do not form a code");
      next <<= 1;
    }
    if (codes > 256)
      return Corrupt(reason, "a Huffman table declares " + std::to_string(codes) + " codes, at most 256 are possible");
    if (end - at - 17 < codes) return Corrupt(reason, "a Huffman table is cut short");
    (kind == 0 ? state.dcTable : state.acTable)[number] = true;
    at += 17 + codes;
  }
  return true;
}

bool CheckQuantizationTables(const ByteView& bytes, std::size_t at, std::size_t end, JpegState& state,
                             std::string& reason) {
  while (at < end) {
    const int precision = bytes.At(at) >> 4, number = bytes.At(at) & 15;
    if (precision > 1 || number > 3) return Corrupt(reason, "a quantization table of an unknown kind or number");
    const std::size_t size = precision ? 129 : 65;
    if (end - at < size) return Corrupt(reason, "a quantization table is cut short");
    state.quantTable[number] = true;
    at += size;
  }
  return true;
}

bool CheckScanHeader(const ByteView& bytes, std::size_t body, std::size_t length, JpegState& state,
                     std::string& reason) {
  if (!state.frame) return Corrupt(reason, "image data before the frame header");
  const int count = length >= 3 ? bytes.At(body) : 0;
  if (count < 1 || count > state.componentCount || length != 6 + 2 * static_cast<std::size_t>(count))
    return Corrupt(reason, "a bad scan header");
  const std::size_t tail = body + 1 + 2 * count;
  const int start = bytes.At(tail), end = bytes.At(tail + 1), high = bytes.At(tail + 2) >> 4;
  if (state.progressive ? (start > 63 || end > 63 || start > end || high > 13 || (bytes.At(tail + 2) & 15) > 13)
                        : (start != 0 || bytes.At(tail + 2) != 0))
    return Corrupt(reason, "a bad scan header");
  // Tables the scan decodes with must exist: the decoder does not clear them beforehand.
  const bool needsDc = !state.progressive || (start == 0 && high == 0);
  const bool needsAc = !state.progressive || start > 0;
  for (int i = 0; i < count; ++i) {
    const int id = bytes.At(body + 1 + 2 * i), dc = bytes.At(body + 2 + 2 * i) >> 4,
              ac = bytes.At(body + 2 + 2 * i) & 15;
    Component* component = nullptr;
    for (int k = 0; k < state.componentCount && !component; ++k)
      if (state.components[k].id == id) component = &state.components[k];
    if (!component) return Corrupt(reason, "a scan of a component the frame does not have");
    if (dc > 3 || ac > 3 || (needsDc && !state.dcTable[dc]) || (needsAc && !state.acTable[ac]))
      return Corrupt(reason, "a scan uses a Huffman table that is not defined");
    if (!state.quantTable[component->quantTable]) return Corrupt(reason, "a quantization table is not defined");
    if (start == 0 && high == 0) component->dcScanned = true;
  }
  return true;
}

// Skips the entropy-coded data after a scan header; `at` ends on the 0xFF of the marker
// that follows it. Stuffed 0xFF 0x00 and restart markers belong to the data.
bool SkipEntropyData(const ByteView& bytes, std::size_t& at, JpegState& state, std::string& reason) {
  for (;;) {
    if (!bytes.Has(at, 2)) return reason = kTruncated, false;
    if (bytes.At(at) != 0xFF) {
      ++at;
    } else {
      const int next = bytes.At(at + 1);
      if (next != 0 && (next < 0xD0 || next > 0xD7)) return true;
      at += 2;
    }
    ++state.entropyBytes;
  }
}

}  // namespace

bool CheckJpeg(const ByteView& bytes, ImageHeader& header, std::string& reason) {
  JpegState state;
  std::size_t at = 0;
  while (bytes.Has(at, 1) && bytes.At(at) == 0xFF) ++at;
  ++at;  // the start-of-image marker, found by the detection
  for (;;) {
    // As the decoder does: bytes before a marker's 0xFF are skipped, and so is any number
    // of 0xFF fill bytes.
    while (bytes.Has(at, 1) && bytes.At(at) != 0xFF) ++at;
    while (bytes.Has(at, 1) && bytes.At(at) == 0xFF) ++at;
    if (!bytes.Has(at, 1)) return reason = kTruncated, false;
    const int marker = bytes.At(at++);
    if (marker == 0xD9) break;  // end of image
    const bool known = marker == 0xC0 || marker == 0xC1 || marker == 0xC2 || marker == 0xC4 || marker == 0xDB ||
                       marker == 0xDA || marker == 0xDD || marker == 0xDC || (marker >= 0xE0 && marker <= 0xEF) ||
                       marker == 0xFE;
    if (!known) return reason = "unsupported JPEG file: marker " + Hex(marker), false;
    if (!bytes.Has(at, 2)) return reason = kTruncated, false;
    const std::size_t length = bytes.Be16(at);
    if (length < 2) return Corrupt(reason, "a segment of " + std::to_string(length) + " bytes");
    if (!bytes.Has(at, length)) return reason = kTruncated, false;
    const std::size_t body = at + 2, end = at + length;
    bool ok = true;
    switch (marker) {
      case 0xC0:
      case 0xC1:
      case 0xC2: ok = CheckFrame(bytes, body, length, marker, state, header, reason); break;
      case 0xC4: ok = CheckHuffmanTables(bytes, body, end, state, reason); break;
      case 0xDB: ok = CheckQuantizationTables(bytes, body, end, state, reason); break;
      case 0xDD: ok = length == 4 || Corrupt(reason, "a restart interval segment of the wrong length"); break;
      case 0xDC:
        ok = (length == 4 && state.frame && static_cast<int>(bytes.Be16(body)) == state.height) ||
             Corrupt(reason, "a bad line count segment");
        break;
      case 0xDA:
        ok = CheckScanHeader(bytes, body, length, state, reason);
        at = end;
        if (ok) ok = SkipEntropyData(bytes, at, state, reason);
        if (!ok) return false;
        continue;
      default: break;  // application data and comments
    }
    if (!ok) return false;
    at = end;
  }
  if (!state.frame) return Corrupt(reason, "it has no frame header");
  for (int i = 0; i < state.componentCount; ++i)
    if (!state.components[i].dcScanned) return Corrupt(reason, "a colour component has no image data");
  const unsigned long long pixels = static_cast<unsigned long long>(header.width) * header.height;
  if (pixels > kMaxPixelsPerByte * state.entropyBytes)
    return reason = CannotHold(static_cast<std::size_t>(state.entropyBytes), header.width, header.height), false;
  return true;
}
