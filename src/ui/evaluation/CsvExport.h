#pragma once
// "Als CSV exportieren…": the evaluated sizes as a CSV file (core/evaluation/EvaluationCsv.h),
// for the evaluation screen and the parameter study.
#include <QByteArray>

#include "core/common/Session.h"

class QWidget;

namespace evalui {

// The file-save dialog ("CSV-Dateien (*.csv)", "Alle Dateien (*.*)"); cancel writes
// nothing; ".csv" is added to a name typed without suffix; the bytes are written
// atomically, a failure is reported naming the file and the reason. False when nothing
// was written.
bool saveCsvAs(QWidget *parent, const QByteArray &bytes);

// The rows of the last evaluation of the session, with the columns it showed (the choice
// of sizes where the screen shows it).
bool exportEvaluationCsv(const Session &session, QWidget *parent);

}  // namespace evalui
