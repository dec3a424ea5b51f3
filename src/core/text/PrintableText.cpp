// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/PrintableText.h"

#include <cstdio>

namespace kelvor {

namespace {

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

void appendEscaped(std::string& text, unsigned char byte) {
  char escaped[8];
  std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
  text += escaped;
}

bool printableAsciiByte(unsigned char byte) {
  return byte >= 0x20 && byte < 0x7f && byte != '\\';
}

// The length of the printable UTF-8 character (U+00A0 and above, no surrogate, no overlong
// form) that starts at `at`; 0 when none does.
std::size_t printableUtf8Length(const std::string& bytes, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(at);
  const std::size_t length = lead >= 0xF5   ? 0
                             : lead >= 0xF0 ? 4
                             : lead >= 0xE0 ? 3
                             : lead >= 0xC2 ? 2
                                            : 0;
  if (length == 0 || at + length > bytes.size()) return 0;
  char32_t code = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte(at + i) & 0x3F);
  }
  const char32_t least[] = {0, 0, 0xA0, 0x800, 0x10000};
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return code >= least[length] && code <= 0x10FFFF && !surrogate ? length : 0;
}

}  // namespace

std::string printableAscii(const std::string& bytes) {
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (printableAsciiByte(byte))
      text += c;
    else
      appendEscaped(text, byte);
  }
  return text;
}

std::string printableText(const std::string& bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size();) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    const std::size_t length = printableAsciiByte(byte) ? 1 : printableUtf8Length(bytes, i);
    if (length == 0) {
      appendEscaped(text, byte);
      ++i;
    } else {
      text.append(bytes, i, length);
      i += length;
    }
  }
  return text;
}

std::string bytesOfPrintable(const std::string& text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool escape = text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
                        hexDigit(text[i + 2]) >= 0 && hexDigit(text[i + 3]) >= 0;
    if (!escape) {
      bytes += text[i];
      continue;
    }
    bytes += static_cast<char>(hexDigit(text[i + 2]) * 16 + hexDigit(text[i + 3]));
    i += 3;
  }
  return bytes;
}

}  // namespace kelvor
