// The calculation document: every kind of edit undone and redone, each saying what it
// changed; "modified" by value against the save point; typing into one field one step;
// the motion kept in the file.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <functional>

#include "core/document/CalcDocument.h"

namespace {

calcfile::Case fresh() {
  calcfile::Case c;
  c.arrangement = QStringLiteral("FrmVKaZDSch");
  c.tickAll = false;
  return c;
}

struct Kind {
  const char *name;
  void (CalcDocument::*signal)();
  std::function<void(calcfile::Case &)> change;
};

const Kind kKinds[] = {
    {"distance", &CalcDocument::distancesChanged, [](calcfile::Case &c) { c.m = "400"; }},
    {"force row", &CalcDocument::forcesChanged,
     [](calcfile::Case &c) { c.forces.append({"- Z", "1000", "0", "0", "0"}); }},
    {"load cases", &CalcDocument::forcesChanged,
     [](calcfile::Case &c) {
       c.loadCases = {LoadCase{"Beschleunigen", 40.0, {{"X +", "50", "0", "0", "0"}}},
                      LoadCase{"Bremsen", 60.0, {}}};
     }},
    {"ticks", &CalcDocument::ticksChanged, [](calcfile::Case &c) { c.ticked = {{"TLK", "25"}}; }},
    {"duty", &CalcDocument::dutyChanged,
     [](calcfile::Case &c) { c.duty = loads::DutyTexts{"500", "10", "16", "250"}; }},
    {"load type", &CalcDocument::loadTypeChanged, [](calcfile::Case &c) { c.loadType = 2; }},
    {"special", &CalcDocument::specialChanged,
     [](calcfile::Case &c) { c.special = calcfile::SpecialShoe{QStringList(24, "1"), 1, "K"}; }},
    {"comments", &CalcDocument::commentsChanged,
     [](calcfile::Case &c) { c.comments = QStringList{"Kunde", "", "", "", "", ""}; }},
    {"motion", &CalcDocument::motionChanged, [](calcfile::Case &c) {
       loads::MotionInput m;
       m.mass = "120";
       c.motion = m;
     }},
};

}  // namespace

TEST(CalcDocument, EveryKindOfEditIsUndoneAndRedoneAndSaysWhatChanged) {
  for (const Kind &k : kKinds) {
    SCOPED_TRACE(k.name);
    CalcDocument doc(fresh());
    QSignalSpy kind(&doc, k.signal), any(&doc, &CalcDocument::inputChanged),
        replaced(&doc, &CalcDocument::replaced), modified(&doc, &CalcDocument::modifiedChanged);
    calcfile::Case after = doc.input();
    k.change(after);
    doc.edit(QString::fromLatin1(k.name), after);
    EXPECT_EQ(doc.input(), after);
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(doc.undoText(), QString::fromLatin1(k.name));
    EXPECT_EQ(kind.count(), 1);
    EXPECT_EQ(any.count(), 1);
    EXPECT_EQ(replaced.count(), 0) << "the view that edited shows it already";
    doc.undo();
    EXPECT_EQ(doc.input(), fresh());
    EXPECT_FALSE(doc.isModified()) << "back at the save point";
    EXPECT_EQ(kind.count(), 2);
    EXPECT_EQ(replaced.count(), 1);
    ASSERT_TRUE(doc.canRedo());
    doc.redo();
    EXPECT_EQ(doc.input(), after);
    EXPECT_EQ(modified.count(), 3);
    // An edit that changes nothing is no step.
    doc.edit(QStringLiteral("nothing"), after);
    EXPECT_EQ(doc.undoText(), QString::fromLatin1(k.name));
  }
}

TEST(CalcDocument, TypingIntoOneFieldIsOneStepAndANewEditDropsTheRedo) {
  CalcDocument doc(fresh());
  calcfile::Case c = doc.input();
  for (const char *text : {"4", "40", "400"}) {
    c.m = text;
    doc.edit("m", c, "m");
  }
  c.n = "300";
  doc.edit("n", c, "n");
  doc.undo();
  EXPECT_EQ(doc.input().m, "400");
  doc.undo();
  EXPECT_EQ(doc.input().m, "");
  EXPECT_FALSE(doc.canUndo());
  doc.redo();
  c = doc.input();
  c.forces.append({"Y +", "10", "0", "0", "0"});
  doc.edit("force", c);
  EXPECT_FALSE(doc.canRedo());
  // Typed back to where it began: no step is left of the typing.
  CalcDocument typed(fresh());
  calcfile::Case t = typed.input();
  t.n = "5";
  typed.edit("n", t, "n");
  t.n = "";
  typed.edit("n", t, "n");
  EXPECT_FALSE(typed.canUndo());
  EXPECT_FALSE(typed.isModified());
}

TEST(CalcDocument, SavedAndReadBackWithItsMotionAndTheSavePointFollows) {
  QTemporaryDir dir;
  const QString path = dir.filePath("motion.tcalc");
  CalcDocument doc(fresh());
  calcfile::Case c = doc.input();
  for (const Kind &k : kKinds)
    if (QString::fromLatin1(k.name) != "load cases") k.change(c);
  c.motion->mounting = loads::Mounting::Wall;
  c.motion->processDirection = "Y +";
  doc.edit("all", c);
  QString error;
  ASSERT_TRUE(doc.writeTo(path, &error)) << error.toStdString();
  EXPECT_FALSE(doc.isModified());
  EXPECT_EQ(doc.fileName(), path);
  doc.undo();
  EXPECT_TRUE(doc.isModified()) << "undone past the save point";

  CalcDocument back(fresh());
  calcfile::Error e;
  ASSERT_TRUE(back.readFrom(path, &e)) << e.english.toStdString();
  EXPECT_EQ(back.input(), c);
  EXPECT_FALSE(back.isModified());
  EXPECT_FALSE(back.canUndo());
  // A motion the dialog could not show is refused by its key.
  for (const QByteArray &bad : {QByteArray(R"("motion": {"mounting": "upside"})"),
                                QByteArray(R"("motion": {"processDirection": "Q"})"),
                                QByteArray(R"("motion": [1])")}) {
    calcfile::Error why;
    EXPECT_FALSE(calcfile::parse("{\"arrangement\": \"FrmVKaZDSch\", " + bad + "}", nullptr, &why));
    EXPECT_TRUE(why.english.contains("motion")) << why.english.toStdString();
  }
}
