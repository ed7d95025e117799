#pragma once
#include <QString>
class QWidget;
// Opens the report window over the evaluation screen; masterScreenName names the
// arrangement screen in use ("FrmVKaZDSch"), whose drawing the pages show.
void openReportWindow(QWidget *evaluationScreen, const QString &masterScreenName);
