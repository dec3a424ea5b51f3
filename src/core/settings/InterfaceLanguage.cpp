// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/settings/InterfaceLanguage.h"

namespace kelvor::InterfaceLanguage {

int langCodeFor(int languageId) {
  switch (languageId) {
    case 1031:  // German (Germany)
    case 1070:  // Upper Sorbian (Germany)
    case 2055:  // German (Switzerland)
    case 3079:  // German (Austria)
      return German;
    case 1060:  // Slovenian (Slovenia)
      return EnglishFor1060;
    default:
      return English;
  }
}

bool isEnglish(int langCode) {
  return langCode == English || langCode == EnglishFor1060;
}

}  // namespace kelvor::InterfaceLanguage
