// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class QObject;

namespace kelvor {

// The caption of a control: the text of a label, button, check or option box, the title of
// a frame, the text of a menu item or a window's title. Empty for anything else.
QString captionOf(const QObject* control);

// The caption `source` (its German text) of `context` in the interface language. A caption
// made here is known by its source to translateCaptions, whatever language it is in.
QString captionText(const char* context, const char* source);

// Puts each control's caption into the language of the installed catalogues: a window built
// before its language was decided reads its captions (their German sources) again through
// `context`. A caption the program's catalogue does not know stays as it is and is reported
// with a warning; the captions reported are returned.
QStringList translateCaptions(const std::vector<QObject*>& controls, const char* context);

}  // namespace kelvor
