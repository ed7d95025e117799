#pragma once
// Every file the programs write for the user (calculation files, CSV, charts, report
// texts) is written whole or not at all: QSaveFile writes beside the target and renames
// only when every byte is on disk, so a full disk or a lost folder never leaves half a
// file in place of the old one.
#include <QByteArray>
#include <QString>

namespace files {

// Writes `bytes` to `path` atomically. False with the system's reason in *error (if
// given); the old file, if any, is then untouched.
bool writeWhole(const QString &path, const QByteArray &bytes, QString *error);

}  // namespace files
