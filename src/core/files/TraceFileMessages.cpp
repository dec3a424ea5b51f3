#include "core/files/TraceFileMessages.h"

namespace kelvor {

namespace {

bool german(int langCode) {
  return langCode == 0;
}

std::string quoted(const std::string& text) {
  return "\"" + text + "\"";
}

std::string problemText(bool de, const std::string& separator, const TraceFileProblem& problem) {
  using Kind = TraceFileProblem::Kind;
  switch (problem.kind) {
    case Kind::EmptyFile:
      return de ? "Die Datei ist leer." : "The file is empty.";
    case Kind::MissingSeparator:
      return de ? "Das Trennzeichen " + quoted(separator) + " fehlt."
                : "The separator " + quoted(separator) + " is missing.";
    case Kind::NotANumber:
      return de ? quoted(problem.field) + " ist keine Zahl."
                : quoted(problem.field) + " is not a number.";
    case Kind::OutOfRange:
      return de ? quoted(problem.field) + " liegt außerhalb des Zahlenbereichs."
                : quoted(problem.field) + " is out of range.";
  }
  return {};
}

}  // namespace

std::string TraceFileMessages::saveFailed(int langCode, const std::string& fileName,
                                          const std::string& reason) {
  if (german(langCode))
    return "Die Datei " + fileName + " konnte nicht gespeichert werden:\n" + reason +
           "\nEine vorhandene Datei dieses Namens ist unverändert.";
  return "The file " + fileName + " could not be saved:\n" + reason +
         "\nAn existing file of this name is unchanged.";
}

std::string TraceFileMessages::openFailed(int langCode, const std::string& fileName,
                                          const std::string& reason) {
  if (german(langCode)) return "Die Datei " + fileName + " kann nicht geöffnet werden:\n" + reason;
  return "The file " + fileName + " cannot be opened:\n" + reason;
}

std::string TraceFileMessages::tooLarge(int langCode, const std::string& fileName,
                                        long long maxBytes) {
  const std::string megabytes = std::to_string(maxBytes / (1024 * 1024));
  if (german(langCode))
    return "Die Datei " + fileName + " ist zu groß für eine Messkurve (mehr als " + megabytes +
           " MB).\nDer Kanal ist unverändert.";
  return "The file " + fileName + " is too large for a trace (more than " + megabytes +
         " MB).\nThe channel is unchanged.";
}

std::string TraceFileMessages::notLoaded(int langCode, const std::string& fileName,
                                         const std::string& separator,
                                         const TraceFileProblem& problem) {
  const bool de = german(langCode);
  const std::string line = std::to_string(problem.line);
  if (de)
    return "Die Datei " + fileName + " wurde nicht geladen.\nZeile " + line + ": " +
           problemText(true, separator, problem) + "\nDer Kanal ist unverändert.";
  return "The file " + fileName + " was not loaded.\nLine " + line + ": " +
         problemText(false, separator, problem) + "\nThe channel is unchanged.";
}

std::string TraceFileMessages::linesLeftOut(int langCode, const std::string& fileName, int loaded,
                                            int leftOut) {
  const std::string first = std::to_string(loaded);
  const std::string rest = std::to_string(leftOut);
  if (german(langCode))
    return "Die Datei " + fileName + " enthält mehr Messwerte, als ein Kanal fasst.\nGeladen " +
           "wurden die ersten " + first + ", die übrigen " + rest + " wurden ausgelassen.";
  return "The file " + fileName + " holds more samples than a channel can take.\nThe first " +
         first + " were loaded, the remaining " + rest + " were left out.";
}

}  // namespace kelvor
