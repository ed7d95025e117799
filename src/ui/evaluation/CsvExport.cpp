#include "ui/evaluation/CsvExport.h"

#include <QDir>

#include "core/common/Messages.h"
#include "core/common/SaveFile.h"
#include "core/common/Texts.h"
#include "core/document/CaseFile.h"
#include "core/evaluation/EvaluationCsv.h"
#include "ui/common/AppServices.h"

namespace evalui {

bool saveCsvAs(QWidget *parent, const QByteArray &bytes) {
  const AppServices::Dialogs &dialogs = app::services().dialogs;
  const std::optional<QString> chosen =
      dialogs.askSaveFileName
          ? dialogs.askSaveFileName(parent, {builtinText(1655), builtinText(1207)}, builtinText(1656))
          : std::nullopt;
  if (!chosen || chosen->isEmpty()) return false;
  const QString path = calcfile::withSuffix(*chosen, QStringLiteral("csv"));
  QString reason;
  if (!files::writeWhole(path, bytes, &reason)) {
    msg::critical(builtinText(1657).arg(QDir::toNativeSeparators(path), reason), builtinText(1656));
    return false;
  }
  return true;
}

bool exportEvaluationCsv(const Session &session, QWidget *parent) {
  eval::csv::Columns columns = eval::csv::columnsOf(session.gaintExtraHead, session.gRequiredLife);
  // The choice of sizes where the screen shows it: with a required life, or asked for.
  columns.recommendation = session.showsSizing();
  return saveCsvAs(parent, eval::csv::fileText(session.gastrEvaluation, columns));
}

}  // namespace evalui
