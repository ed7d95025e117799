#include "core/special/SonderCore.h"

#include "core/common/Errors.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"

namespace sonder {
int bearingsIndex(const QString &text) {
  for (int i = 0; i < 3; ++i)
    if (text == bearingsText(i)) return i;
  return -1;
}

QString bearingsText(int index) {
  // List index k holds k + 2 bearing rows of two bearings each.
  return index >= 0 && index < 3 ? QString::number(2 * (index + 2)) : QString();
}
}  // namespace sonder

float Ber_A2(float Tragabstand_a1, float Tragabstand_a2, float Tragabstand_a3,
             float Tragabstand_a4, int Lageranzahl) {
  const double a2 = Tragabstand_a2, a3 = Tragabstand_a3, a4 = Tragabstand_a4;
  if (Tragabstand_a1 == 0.0f || Tragabstand_a2 == 0.0f || Lageranzahl == 0) return 0.0f;
  if (Lageranzahl == 4) return Tragabstand_a2;
  if (Lageranzahl == 6 && Tragabstand_a3 != 0.0f)
    return static_cast<float>(num::roundHalfEven((a2 + a3) / 2.0, 2));
  if (Lageranzahl == 8) return static_cast<float>(num::roundHalfEven((a3 + a4) / 2.0, 2));
  return 0.0f;
}

int sonderFirstMissingField(const QStringList &fields) {
  for (int i = 0; i < sonder::kFieldCount; ++i) {
    const QString text = fields.value(i);
    bool missing = false;
    if (i <= 3) {
      missing = text.size() < 2;
    } else if (text.trimmed().isEmpty()) {
      // A field the user never filled in holds no data, just as one holding 0.
      missing = true;
    } else {
      double v = 0;
      if (!num::toDouble(text, &v)) throw AppError(err::typeMismatch());
      missing = v == 0.0;
    }
    if (missing) {
      // Built-in texts: the customer text set does not replace these.
      msg::critical(builtinText(329) + builtinText(350 + i) + builtinText(330), builtinText(331));
      return i;
    }
  }
  return -1;
}

int takeOverSonder(Session &s, const QStringList &f, int bearingsListIndex,
                    const QString &typeCode) {
  int missing = -1;
  try {
    missing = sonderFirstMissingField(f);
  } catch (const AppError &e) {
    msg::critical(e.description());
    // The unreadable field is the first one the check could not convert.
    for (int i = 4; i < sonder::kFieldCount; ++i)
      if (!num::toDouble(f.value(i), nullptr)) return i;
    return 4;
  }
  if (missing >= 0) return missing;

  const QString bearings = sonder::bearingsText(bearingsListIndex);
  s.gintAnzSonder = 1;
  s.gastrSonderGeo = {f[0], f[1], f[7], f[8], f[9], f[10], f[13], f[14], bearings,
                      f[0], f[0], f[11], f[12]};
  // The special shoe has no single-rail series of its own: "X" marks its place.
  s.gastrSonderAusw = {f[0], f[1], f[4], f[5], f[15], f[6], typeCode,
                       f[0], f[2], f[16], QStringLiteral("X"), f[3], f[20]};
  s.gastrSonderEingabe = f.mid(0, sonder::kFieldCount);
  s.gastrSonderEingabe << QString::number(bearingsListIndex) << typeCode;
  return -1;
}
