// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/AtomicFile.h"

#include <QSaveFile>

namespace kelvor {

std::optional<QString> AtomicFile::write(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  // Unbuffered, so that every short write shows here: QSaveFile::commit() would flush a
  // buffered rest, ignore a failure of that flush and rename the cut-off file over the target.
  bool ok = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
  const char* next = bytes.constData();
  qint64 left = bytes.size();
  // A short write is tried again: only a write that stores nothing carries the reason.
  while (ok && left > 0) {
    const qint64 written = file.write(next, left);
    if (written <= 0) {
      ok = false;
    } else {
      next += written;
      left -= written;
    }
  }
  if (ok && file.flush() && file.commit()) return std::nullopt;
  QString reason = file.errorString();
  file.cancelWriting();
  return reason;
}

}  // namespace kelvor
