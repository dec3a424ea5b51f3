// SPDX-License-Identifier: GPL-3.0-or-later
#include "Script.h"

#include "Frame.h"

namespace kelvor::metersim {

namespace {

constexpr long long kMaxLateMs = 24LL * 60 * 60 * 1000;

// Bodies shorter than a frame are padded, so trailing blanks an editor dropped do not matter.
bool parseBody(const std::string& text, std::string* body, std::string* error) {
  if (text.size() > kBodySize) {
    *error = "a frame body has 13 characters, this one " + std::to_string(text.size());
    return false;
  }
  *body = fitField(text, kBodySize);
  if ((*body)[kModeWidth] != ' ') {
    *error = "the third character of a frame body must be a blank";
    return false;
  }
  return true;
}

// Splits "WORD REST" at the first blank; REST keeps its own blanks.
void splitWord(const std::string& text, std::string* word, std::string* rest) {
  const std::size_t blank = text.find(' ');
  *word = text.substr(0, blank);
  *rest = blank == std::string::npos ? std::string() : text.substr(blank + 1);
}

bool parseLine(const std::string& line, ScriptStep* step, std::string* error) {
  std::string keyword;
  std::string rest;
  splitWord(line, &keyword, &rest);

  if (line == "silent") {
    step->kind = ScriptStep::Kind::Silent;
  } else if (line == "garbage") {
    step->kind = ScriptStep::Kind::Garbage;
  } else if (keyword == "overload") {
    step->kind = ScriptStep::Kind::Overload;
    step->text = rest.empty() ? kOverloadText : fitField(rest, kValueWidth);
  } else if (keyword == "raw") {
    step->kind = ScriptStep::Kind::Raw;
    if (!unescapeBytes(rest, &step->text) || step->text.empty()) {
      *error = "raw needs bytes; escapes are \\r \\n \\t \\\\ and \\xNN";
      return false;
    }
  } else if (keyword == "late" || keyword == "split") {
    std::string argument;
    std::string body;
    splitWord(rest, &argument, &body);
    if (keyword == "late") {
      long long delay = 0;
      if (!parseCount(argument, kMaxLateMs, &delay)) {
        *error = "late needs milliseconds: late MS BODY";
        return false;
      }
      step->delayMs = static_cast<int>(delay);
    } else {
      Split split;
      if (!parseSplit(argument, &split)) {
        *error = "split needs a byte count: split N[:MS] BODY";
        return false;
      }
      step->split = split;
    }
    return parseBody(body, &step->text, error);
  } else {
    return parseBody(line, &step->text, error);
  }
  return true;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool unescapeBytes(const std::string& text, std::string* bytes) {
  bytes->clear();
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      bytes->push_back(text[i]);
      continue;
    }
    if (++i >= text.size()) return false;
    switch (text[i]) {
      case 'r':
        bytes->push_back('\r');
        break;
      case 'n':
        bytes->push_back('\n');
        break;
      case 't':
        bytes->push_back('\t');
        break;
      case '\\':
        bytes->push_back('\\');
        break;
      case 'x': {
        const int high = i + 1 < text.size() ? hexDigit(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? hexDigit(text[i + 2]) : -1;
        if (high < 0 || low < 0) return false;
        bytes->push_back(static_cast<char>(high * 16 + low));
        i += 2;
        break;
      }
      default:
        return false;
    }
  }
  return true;
}

bool parseScript(std::istream& input, std::vector<ScriptStep>* steps, std::string* error) {
  std::string line;
  int number = 0;
  while (std::getline(input, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
    ScriptStep step;
    if (!parseLine(line, &step, error)) {
      *error = "line " + std::to_string(number) + ": " + *error;
      return false;
    }
    steps->push_back(std::move(step));
  }
  if (steps->empty()) {
    *error = "no answers in the script";
    return false;
  }
  return true;
}

}  // namespace kelvor::metersim
