#include "core/catalogue/StartSession.h"

#include "core/common/Errors.h"
#include "core/common/Messages.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"

void startSession(Session &s, const StartOptions &options) {
  if (options.catalogue) s.catalogue = options.catalogue;
  computeSubVersion(s);
  const ResultSet settings = msubSearchDB(s, catalogue::code::Settings, options.showBusy, 0);
  if (settings.recordCount() == 0) {
    // Nothing can be shown or calculated without settings. The box says what is
    // missing rather than carrying an empty text.
    msg::critical(builtinText(309));
    msg::endProgram(1);
  }
  QString version;
  for (const QStringList &row : settings.rows)
    if (row.value(0) == QLatin1String("PrgVers")) version = row.value(1);
  s.gintTextMode = version == QLatin1String("CusSpeVer") ? 3 : 1;
  s.grsSettings.close();

  sSetField(s);
  float siko = 0.0f;
  if (num::toFloat(gfstrSettings(s, QStringLiteral("StdSiko"), true), &siko))
    s.gsngSiko = siko;
  else
    msg::critical(err::typeMismatch(), QStringLiteral("sSetLayout!"));
  // The load type shown on the evaluation screen follows the safety in force.
  s.gintLoadType = 0;
}
