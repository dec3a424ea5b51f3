// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace kelvor {

// Replaces a file with new contents only once they are complete on disk: written beside the
// target and renamed over it. Any failure on the way (a full disk, a file size limit, a
// missing folder) leaves an existing file as it was and nothing behind.
class AtomicFile {
 public:
  // Empty when the file was written; otherwise the system's reason.
  static std::optional<QString> write(const QString& path, const QByteArray& bytes);
};

}  // namespace kelvor
