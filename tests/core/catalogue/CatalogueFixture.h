#pragma once
// Shared ground for the catalogue tests: a session of the test's own, a recorder that
// answers every message box, and the expected SQL texts written out literally.
#include <gtest/gtest.h>

#include <QString>

#include "core/catalogue/Catalogue.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "support/TestCatalogue.h"

class CatalogueTest : public ::testing::Test {
 protected:
  // The titles of all boxes shown so far, in order.
  QStringList titles() const {
    QStringList t;
    for (const auto &m : rec.messages) t << m.title;
    return t;
  }
  // Expects exactly one box: the database error, after which the program ended.
  void expectDatabaseError() {
    ASSERT_EQ(rec.messages.size(), 1) << titles().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(rec.messages[0].title, QStringLiteral("msubSearchDB! Database error"));
    EXPECT_EQ(rec.messages[0].icon, msg::Icon::Critical);
    EXPECT_FALSE(rec.messages[0].text.isEmpty());
    EXPECT_EQ(rec.endCalls, 1);
    EXPECT_EQ(rec.lastEndCode, 1);
  }

  msg::Recorder rec;
  // The test's session. A member of the base, it is made before and outlives every
  // ScopedCatalogueFile of a derived fixture that points it at a file.
  Session session;
};

// The SQL texts of the table codes, piece by piece as the catalogue's users know them.
inline QString geometrySql(const QString &A, const QString &B, const QString &C) {
  return QString("SELECT cstr(a.Serie) as Serie, " "cstr(a.Gr) as Gr, cstr(a.a1) as a1, cstr(a.a2) as a2, " "cstr(b.b1) as b1, cstr(c.b2) as b2, cstr(b.h1) as h1, " "cstr(c.h2) as h2, cstr(a.AnzR) as AnzR, cstr(b.Serie) as FD, " "cstr(c.Serie) as FE, cstr(b.B) as B, cstr(c.B) as bI " "FROM ") + A + " a, " + B + " b, " + C + " c Where a.Gr = b.Gr " "AND a.Gr = c.Gr ORDER BY a.Gr";
}
inline QString evaluationSql(const QString &A, const QString &B, const QString &C) {
  return QString("SELECT cstr(a.Serie) as Serie, " "cstr(a.Gr) as Gr, cstr(a.C) as C, cstr(a.Co) as Co, " "cstr(a.Ls) as Ls, cstr(a.D) as D, cstr(a.TypR) as TypR, " "cstr(b.Serie) as FD, cstr(b.Best) as FDBest, cstr(b.KBs) as KBs, " "cstr(c.Serie) as FE, cstr(c.Best) as FEBest, cstr(c.KB1) as KB1 " "FROM ") + A + " a, " + B + " b, " + C + " c Where a.Gr = b.Gr " "AND a.Gr = c.Gr ORDER BY a.Gr";
}
inline const QString kSettingsSql = "SELECT cstr(Beschr) as Beschr, cstr(Wert) as Wert " "FROM " "Einstellung" " ORDER BY Beschr";
inline const QString kRepresentativesSql = "SELECT cstr(Name) as Name, cstr(Street) as Street, " "cstr(Town) as Town, cstr(Telefon) as Telefon, cstr(Telefax) as Telefax, " "cstr(EMail) as EMail FROM " "Vertreter" " ORDER BY Town";
inline const QString kInfoSql = "SELECT cstr(Name) as Name, cstr(Version) as Version, " "cstr(Author) as Author, cstr(Telefon) as Telefon, cstr(EMail) as EMail " "FROM " "Info";
inline const QString kSpecialSql = "SELECT cstr(a.Serie) as Serie, " "cstr(a.Gr) as Gr, cstr(b.Best) as FDBest, cstr(c.Best) as FEBest, " "cstr(a.C) as C, cstr(a.Co) as Co, cstr(a.D) as D, " "cstr(a.a1) as a1, cstr(a.a2) as a2, cstr(b.b1) as b1, cstr(c.b2) as b2, " "cstr(b.B) as MoK, cstr(c.B) as MoR, cstr(b.h1) as h1, " "cstr(c.h2) as h2, cstr(a.Ls) as Ls, cstr(b.KBs) as KBs, " "cstr(b.Kh9) as Kh9, cstr(b.KBF) as KBF, cstr(b.Kh3) as Kh3, " "cstr(c.KB1) as KB1, cstr(c.Kh1) as Kh1, cstr(c.KBE) as KBE, " "cstr(c.Kh3) as KhD, cstr(a.AnzR) as AnzR, cstr(a.TypR) as TypR " "FROM " "FNSonder" " a, " "FDSonder" " b, " "FESonder" " c Where a.IDNr = b.IDNr " "AND a.IDNr = c.IDNr ORDER BY a.Gr, a.Serie";

// A small catalogue: two FN table sets (sizes 12, 20, 25 and 25, 35), no TL set, one So
// set whose tables are empty, and the fixed tables. Tests append what they need.
inline QString smallCatalogueSql() {
  return QStringLiteral(R"sql(
CREATE TABLE Einstellung (Beschr TEXT, Wert TEXT);
INSERT INTO Einstellung VALUES ('StdSiko', '15'), ('SwSiko', '25'), ('WeSiko', '35'),
  ('PrgVers', 'Test'),
  ('FNTblAnz', '2'), ('FNTblNam0', 'A1/A2/'), ('FNTblNam1', 'B1/B2/'), ('FNTblNam2', 'C1/C2/'),
  ('TLTblAnz', '0'), ('TLTblNam0', 'AT/'), ('TLTblNam1', 'BT/'), ('TLTblNam2', 'CT/'),
  ('SoTblAnz', '1'), ('SoTblNam0', 'AX/'), ('SoTblNam1', 'BX/'), ('SoTblNam2', 'CX/');
CREATE TABLE A1 (Serie TEXT, Gr INTEGER, a1 REAL, a2 REAL, AnzR INTEGER, C INTEGER, Co INTEGER, Ls REAL, D REAL, TypR TEXT);
INSERT INTO A1 VALUES ('SA', 25, 30, 80, 6, 9000, 6000, 120, 15, 'N'), ('SA', 12, 17.5, 40, 4, 2000, 1300, 60, 8, 'N'),
  ('SA', 20, 26, 64, 4, 5000, 3500, 95, 12.5, 'K');
CREATE TABLE B1 (Serie TEXT, Gr INTEGER, b1 REAL, h1 REAL, B REAL, Best TEXT, KBs REAL);
INSERT INTO B1 VALUES ('KA12', 12, 14, 9, 26, 'KA12-1', 46), ('KA20', 20, 24, 15, 44, 'KA20-1', 70), ('KA25', 25, 30, 19, 55, 'KA25-1', 85);
CREATE TABLE C1 (Serie TEXT, Gr INTEGER, b2 REAL, h2 REAL, B REAL, Best TEXT, KB1 REAL);
INSERT INTO C1 VALUES ('RA12', 12, 6.5, 10, 18, 'RA12-1', 26), ('RA25', 25, 14, 21, 37.5, 'RA25-1', 49);
CREATE TABLE A2 (Serie TEXT, Gr INTEGER, a1 REAL, a2 REAL, AnzR INTEGER, C INTEGER, Co INTEGER, Ls REAL, D REAL, TypR TEXT);
INSERT INTO A2 VALUES ('SB', 35, 45, 115, 8, 20000, 14000, 170, 22, 'N'), ('SB', 25, 33, 83, 6, 11000, 7800, 124, 16, 'N');
CREATE TABLE B2 (Serie TEXT, Gr INTEGER, b1 REAL, h1 REAL, B REAL, Best TEXT, KBs REAL);
INSERT INTO B2 VALUES ('KB25', 25, 30, 19, 55, 'KB25-1', 85), ('KB35', 35, 42, 26, 77, 'KB35-1', 115);
CREATE TABLE C2 (Serie TEXT, Gr INTEGER, b2 REAL, h2 REAL, B REAL, Best TEXT, KB1 REAL);
INSERT INTO C2 VALUES ('RB25', 25, 14, 21, 37.5, 'RB25-1', 49), ('RB35', 35, 19, 30, 52.5, 'RB35-1', 67);
CREATE TABLE AX (Serie TEXT, Gr INTEGER, a1 REAL, a2 REAL, AnzR INTEGER, C INTEGER, Co INTEGER, Ls REAL, D REAL, TypR TEXT);
CREATE TABLE BX (Serie TEXT, Gr INTEGER, b1 REAL, h1 REAL, B REAL, Best TEXT, KBs REAL);
CREATE TABLE CX (Serie TEXT, Gr INTEGER, b2 REAL, h2 REAL, B REAL, Best TEXT, KB1 REAL);
CREATE TABLE Vertreter (Name TEXT, Street TEXT, Town TEXT, Telefon TEXT, Telefax TEXT, EMail TEXT);
INSERT INTO Vertreter VALUES ('Vertrieb Süd', 'Weg 1', 'Ulm', '1', '2', 'sued@example.com'),
  ('Vertrieb Nord', 'Weg 2', 'Kiel', '3', '4', 'nord@example.com');
CREATE TABLE Info (Name TEXT, Version TEXT, Author TEXT, Telefon TEXT, EMail TEXT);
INSERT INTO Info VALUES ('Testkatalog', '1', 'Test', '0', 'test@example.com');
)sql");
}
