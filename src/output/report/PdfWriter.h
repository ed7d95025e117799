#pragma once
// Every PDF the program writes (the batch tool's --pdf, a printer dialog's "print to
// file", saving a printout as PDF) goes through this one helper, so that a full disk, a
// missing folder or a refused permission never leaves a truncated file behind in place
// of a good one.
#include <QString>
#include <functional>
class QPrinter;
namespace pdf {
struct Meta { QString title; QString creator; };
// Paints through `paint` into a PDF at `path`: a temporary file in the target's folder is
// written and renamed over the target only when complete. On failure the old file stays,
// *error holds the reason (missing folder, permission, disk full) and false is returned.
bool writeAtomically(const QString &path, const Meta &meta,
                     const std::function<bool(QPrinter &)> &paint, QString *error);
}
