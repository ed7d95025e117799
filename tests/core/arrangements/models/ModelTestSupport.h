#pragma once
// Series rows and calculation runs for the load model tests.
#include <QString>
#include <QStringList>

#include "core/arrangements/models/Models.h"
#include "core/common/Messages.h"
#include "core/common/Texts.h"

namespace modeltest {

// One series row in the geometry layout (columns 0..12), as the catalogue delivers it:
// Serie, Gr, a1, a2, b1, b2, h1, h2, AnzR, FD, FE, B, bI.
struct Geo {
  QString serie = QStringLiteral("FN"), gr = QStringLiteral("20");
  QString a1 = QStringLiteral("20"), a2 = QStringLiteral("60");
  QString b1 = QStringLiteral("40"), b2 = QStringLiteral("10");
  QString h1 = QStringLiteral("20"), h2 = QStringLiteral("15");
  QString anzR = QStringLiteral("4");
  QString fd = QStringLiteral("FD 20"), fe = QStringLiteral("FE 20");
  QString B = QStringLiteral("100"), bI = QStringLiteral("10");
  QStringList row() const { return {serie, gr, a1, a2, b1, b2, h1, h2, anzR, fd, fe, B, bI}; }
};

inline QStringList force(const char *label, const char *F, const char *x, const char *y,
                         const char *z) {
  return {QString::fromUtf8(label), QString::fromUtf8(F), QString::fromUtf8(x),
          QString::fromUtf8(y), QString::fromUtf8(z)};
}

// Runs a model over the given table sets (one TextRows per table code). These runs look
// at the load model alone: the rigid-plate check beside it has tests of its own
// (test_rigid_check.cpp), and with it off `loads` and `result` are the model's values.
inline CalcOutput calc(ArrangementId id, const TextRows &forces, const QString &m,
                       const QString &n, const QVector<TextRows> &tables) {
  CalcInput in;
  in.rigidCheck = false;
  in.arrangement = id;
  in.forces = forces;
  in.m = m;
  in.n = n;
  in.tableCount = tables.size();
  in.loadTable = [tables](int code) { return tables.value(code - 1); };
  return runModel(in);
}

inline CalcOutput calc1(ArrangementId id, const TextRows &forces, const QString &m,
                        const QString &n, const Geo &g = Geo()) {
  return calc(id, forces, m, n, {TextRows{g.row()}});
}

inline msg::Message refusal(int textId) {
  return {builtinText(textId), QStringLiteral("Abbruch der Berechnung"), msg::Icon::Critical,
          msg::Buttons::Ok, 2};
}

inline msg::Message calcError(const QString &description) {
  return {description, QStringLiteral("Berechnungsfehler!"), msg::Icon::Critical,
          msg::Buttons::Ok, 1};
}

inline msg::Message factorError(const char *text) {
  return {QString::fromUtf8(text), QString(), msg::Icon::Critical, msg::Buttons::Ok, 1};
}

}  // namespace modeltest
