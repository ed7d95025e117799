#include "ui/special/SonderResults.h"

#include "core/arrangements/models/Factors.h"
#include "core/common/Errors.h"
#include "core/common/Numbers.h"
#include "core/common/Texts.h"

namespace sonder {

QString bearingRowsMessage(const std::array<float, 4> &rows, const std::array<bool, 4> &enabled) {
  for (int i = 0; i < 4; ++i) {
    if (enabled[i] && rows[i] == 0.0f)
      return builtinText(332) + QString::number(i + 1) + builtinText(333);
  }
  // Each further row lies outside the one before it.
  for (int i = 1; i < 4; ++i) {
    if (rows[i] != 0.0f && !(rows[i] > rows[i - 1]))
      return builtinText(334) + QString::number(i + 1) + builtinText(335) + QString::number(i) +
             builtinText(336);
  }
  return {};
}

float fieldValue(const QString &text) {
  if (text.trimmed().isEmpty()) return 0.0f;
  float v = 0.0f;
  if (!num::toFloat(text, &v)) throw AppError(err::typeMismatch());
  return v;
}

qint32 ratingValue(const QString &text) {
  if (text.trimmed().isEmpty()) return 0;
  double d = 0.0;
  if (!num::toDouble(text, &d)) throw AppError(err::typeMismatch());
  d = num::roundHalfEven(d, 0);
  if (d < -2147483648.0 || d > 2147483647.0) throw AppError(err::overflow());
  return static_cast<qint32>(d);
}

bool resultInputsComplete(const QStringList &f) {
  for (int i : {7, 8, 9, 10, 4, 5})
    if (fieldValue(f.value(i)) == 0.0f) return false;
  return true;
}

namespace {
QString pair(float moc, float mc) {
  return num::singleToText(moc) + QStringLiteral(" / ") + num::singleToText(mc);
}
}  // namespace

QStringList results(const QStringList &f, int bearings, bool cassette, float railDistance) {
  const qint32 C = ratingValue(f.value(4));
  const qint32 Co = ratingValue(f.value(5));
  const float a1 = fieldValue(f.value(7));
  const float a2 = fieldValue(f.value(8));
  QStringList r(5, QStringLiteral("0"));
  if (cassette) {
    const float B = fieldValue(f.value(11));
    r[0] = num::singleToText(gfsngK1(B, 0.0f, 0.0f));
    r[2] = pair(gfsngMocMc(Co, B, 0.0f, 0.0f, 0), gfsngMocMc(C, B, 0.0f, 0.0f, 0));
  } else {
    const float bI = fieldValue(f.value(12));
    const float width = railDistance + 2.0f * bI;
    r[0] = num::singleToText(gfsngK1(0.0f, bI, railDistance));
    r[2] = pair(gfsngMocMc(Co, width, 0.0f, 0.0f, 0), gfsngMocMc(C, width, 0.0f, 0.0f, 0));
  }
  // Tilting about the two cross axes rests on the bearing rows of the unit itself.
  r[3] = pair(gfsngMocMc(Co, 0.0f, a1, a2, bearings), gfsngMocMc(C, 0.0f, a1, a2, bearings));
  r[4] = pair(gfsngMocMc(Co, 0.0f, a1, a2, bearings), gfsngMocMc(C, 0.0f, a1, a2, bearings));
  r[1] = num::singleToText(gfsngK2(a1, a2, bearings));
  return r;
}

}  // namespace sonder
