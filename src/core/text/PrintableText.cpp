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

}  // namespace

std::string printableText(const std::string& bytes) {
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f && c != '\\') {
      text += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      text += escaped;
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
