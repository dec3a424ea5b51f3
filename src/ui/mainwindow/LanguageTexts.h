// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <vector>

#include "core/settings/InterfaceLanguage.h"

class QObject;

namespace kelvor {

struct MainControls;

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

// Puts a window's captions into the interface language. Each window has one table of
// English captions (above); its German captions are the ones it is built with.
class LanguageTexts {
 public:
  // Sets the caption of every table entry, in table order, on the control with that object
  // name among `controls` (labels, buttons, check and option boxes, frames, menu items,
  // and windows, whose caption is their title).
  // Returns the names that matched no control, so a renamed control cannot slip through.
  static QStringList applyCaptions(const std::vector<QObject*>& controls,
                                   const std::vector<CaptionText>& table);

  // Every control of the main window that carries a caption.
  static std::vector<QObject*> captionedControls(const MainControls& controls);
};

// The main window's captions: English for language codes 1 and 2, unchanged otherwise.
// Returns the table entries that found no control (none, unless the window changed).
QStringList makeLang(const MainControls& controls, int langCode);

}  // namespace kelvor
