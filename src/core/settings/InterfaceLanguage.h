// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace kelvor {

// The interface language, decided once at start-up from the system's language identifier
// (the numbering of the Windows language identifiers: 1031 German (Germany), 1033 English
// (United States), ...).
namespace InterfaceLanguage {

constexpr int German = 0;
constexpr int English = 1;
constexpr int EnglishFor1060 = 2;  // same texts as English

// 0 (German) for 1031, 1070, 2055 and 3079; 2 for 1060; 1 (English) for every other one.
int langCodeFor(int languageId);

// True when a language code shows the English texts (1 and 2).
bool isEnglish(int langCode);

}  // namespace InterfaceLanguage

}  // namespace kelvor
