// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QLocale;

namespace kelvor {

// The system's interface language as a Windows language identifier (1031 German (Germany),
// 1033 English (United States), ...), the numbering the language decision is made in.
class SystemLanguage {
 public:
  // The identifier of the user's language (LC_ALL, LC_MESSAGES, LANG).
  static int languageId();

  // The identifier of a locale's language and territory. A language with no identifier for
  // that territory gives CustomUnspecified, as the Windows system does for such locales; the
  // "C" and "POSIX" locales give Invariant.
  static int languageIdFor(const QLocale& locale);

  static constexpr int Invariant = 127;
  static constexpr int CustomUnspecified = 4096;
};

}  // namespace kelvor
