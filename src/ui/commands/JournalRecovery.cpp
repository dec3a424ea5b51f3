// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/commands/JournalRecovery.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "core/files/TraceFileMessages.h"
#include "core/journal/JournalStream.h"
#include "platform/JournalFile.h"
#include "platform/MessageTexts.h"
#include "ui/common/ObjectNames.h"
#include "ui/dialogs/MessageBox.h"

namespace kelvor {

void JournalRecovery::offer(QWidget* parent, const ChannelFor& channelFor, const Replay& replay) {
  for (const std::string& path : JournalFile::unfinished()) {
    QFile file(QString::fromStdString(path));
    // Read as a stream to its end, whatever its length: every readable row counts, the
    // malformed ones are left out and named.
    JournalStream stream;
    stream.skipBadRows();
    if (file.open(QIODevice::ReadOnly)) {
      QByteArray chunk;
      while (!(chunk = file.read(1 << 20)).isEmpty())
        stream.feed(chunk.constData(), static_cast<std::size_t>(chunk.size()));
    }
    const ParsedJournal journal = stream.finish(true);
    file.close();
    const int channel = channelFor(journal.rows.empty() ? 0 : journal.rows.front().channel - 1);
    const std::string start = journalStartText(QFileInfo(file).fileName().toStdString());
    const auto colour = static_cast<MessageId>(static_cast<int>(MessageId::ChannelGreen) + channel);
    const Message question(
        MessageId::JournalRecovered,
        {start, std::to_string(journal.rows.size()), std::to_string(channel + 1), path},
        {Message(colour)});
    std::string text = messageText(question);
    if (journal.leftOut > 0)
      text += "\n" + messageText(TraceFileMessages::journalRowsLeftOut(path, journal));
    QMessageBox box(QMessageBox::Question, QString::fromLatin1(MessageBox::Title),
                    QString::fromStdString(text), QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    QPushButton* load = box.addButton(QMessageBox::Yes);
    load->setObjectName(QLatin1String(ObjectNames::cmdJournalLoad));
    box.addButton(QMessageBox::No)->setObjectName(QLatin1String(ObjectNames::cmdJournalKeep));
    box.setDefaultButton(load);
    box.exec();
    if (box.clickedButton() == load && !journal.rows.empty()) replay(journal.rows, channel);
    JournalFile::keep(path);
  }
}

}  // namespace kelvor
