#pragma once

#include <string>
#include <vector>

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

// The filter of the trace-file dialogs: pairs of description and pattern joined by "|".
std::string fileFilterFor(int langCode);

// One caption of a window's translation table: the control's object name and its text.
struct CaptionText {
  const char* objectName;
  const char* caption;
};

// The English captions of the main window, in the order they are applied. Controls not
// listed keep their German captions in every language.
const std::vector<CaptionText>& frmMainEnglishCaptions();

// The English captions of the printer dialog (its own caption under the name "frmPrtDlg"),
// in the order they are applied. The orientation options and "OK" keep their captions.
const std::vector<CaptionText>& frmPrtDlgEnglishCaptions();

}  // namespace InterfaceLanguage

}  // namespace kelvor
