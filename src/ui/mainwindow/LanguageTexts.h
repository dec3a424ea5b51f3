#pragma once

#include <QStringList>
#include <vector>

#include "core/settings/InterfaceLanguage.h"

class QObject;

namespace kelvor {

struct MainControls;

// Puts a window's captions into the interface language. Each window has one table of
// English captions (core/settings/InterfaceLanguage.h); its German captions are the ones it
// is built with.
class LanguageTexts {
 public:
  // Sets the caption of every table entry, in table order, on the control with that object
  // name among `controls` (labels, buttons, check and option boxes, frames, menu items,
  // and windows, whose caption is their title).
  // Returns the names that matched no control, so a renamed control cannot slip through.
  static QStringList applyCaptions(const std::vector<QObject*>& controls,
                                   const std::vector<InterfaceLanguage::CaptionText>& table);

  // Every control of the main window that carries a caption.
  static std::vector<QObject*> captionedControls(const MainControls& controls);
};

// The main window's captions: English for language codes 1 and 2, unchanged otherwise.
// Returns the table entries that found no control (none, unless the window changed).
QStringList makeLang(const MainControls& controls, int langCode);

}  // namespace kelvor
