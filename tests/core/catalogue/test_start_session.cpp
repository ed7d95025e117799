// The one start of a session and the catalogue it reads: settings, text mode and
// required safety; every query read from the file once, one catalogue for many sessions
// on many threads.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "core/catalogue/StartSession.h"
#include "core/common/Messages.h"
#include "support/TestCatalogue.h"

namespace {

using testsupport::buildCatalogue;
using testsupport::demoCatalogueSql;

std::shared_ptr<catalogue::Catalogue> catalogueOf(const QString &sql) {
  return std::make_shared<catalogue::Catalogue>(buildCatalogue(sql));
}

TEST(StartSession, ReadsSettingsTextModeVersionAndSafety) {
  struct Case {
    const char *change;
    int textMode;
    float siko;
  } const cases[] = {
      {"", 1, 1.5f},
      {"UPDATE Einstellung SET Wert = 'CusSpeVer' WHERE Beschr = 'PrgVers';", 3, 1.5f},
      {"UPDATE Einstellung SET Wert = '25' WHERE Beschr = 'StdSiko';", 1, 2.5f},
  };
  for (const Case &c : cases) {
    msg::Recorder rec;
    Session s;
    s.gintLoadType = 2;
    startSession(s, {catalogueOf(demoCatalogueSql() + c.change)});
    EXPECT_EQ(s.gintTextMode, c.textMode) << c.change;
    EXPECT_FLOAT_EQ(s.gsngSiko, c.siko) << c.change;
    EXPECT_EQ(s.gintLoadType, 0);
    EXPECT_EQ(s.gstrSubVersion, " c");
    EXPECT_FALSE(s.gastrSettings.isEmpty());
    EXPECT_TRUE(rec.messages.isEmpty()) << rec.messages.value(0).text.toStdString();
  }
}

TEST(StartSession, UnreadableSafetyIsNamedAndKeepsTheSafety) {
  msg::Recorder rec;
  Session s;
  s.gsngSiko = 4.0f;
  startSession(s, {catalogueOf(demoCatalogueSql() +
                               "UPDATE Einstellung SET Wert = 'viel' WHERE Beschr = 'StdSiko';")});
  ASSERT_FALSE(rec.messages.isEmpty());
  EXPECT_EQ(rec.messages.last().title, "sSetLayout!");
  EXPECT_FLOAT_EQ(s.gsngSiko, 4.0f);
}

TEST(StartSession, NoSettingsEndTheProgram) {
  msg::Recorder rec;
  Session s;
  EXPECT_THROW(startSession(s, {catalogueOf(demoCatalogueSql() + "DELETE FROM Einstellung;")}),
               msg::ProgramEnded);
  ASSERT_EQ(rec.messages.size(), 1);
  EXPECT_EQ(rec.messages[0].text, "Es wurden keine Daten gefunden!");
  EXPECT_EQ(rec.endCalls, 1);
}

TEST(CatalogueObject, AnswersEachQueryFromTheFileOnce) {
  msg::Recorder rec;
  auto cat = catalogueOf(demoCatalogueSql());
  Session s;
  startSession(s, {cat});
  sSetTblAnzBez(s, true, true, true);
  ASSERT_GT(s.gintTblAnz, 1);
  const auto loadAll = [&s] {
    TextRows all;
    for (int code = 1; code <= s.gintTblAnz; ++code)
      if (sBerDat(s, code, 0, s.gintTblAnz)) all += s.gastrSerie;
    for (int set = 1; set <= s.gintTblAnz; ++set)
      if (sBerDat(s, catalogue::code::Evaluation, set, s.gintTblAnz)) all += s.gastrSerie;
    return all;
  };
  const int afterStart = cat->fileQueries();
  const TextRows first = loadAll();
  EXPECT_EQ(cat->fileQueries(), afterStart + 2 * s.gintTblAnz);
  // A second calculation, and a second session over the same catalogue, read nothing.
  EXPECT_EQ(loadAll(), first);
  Session other;
  startSession(other, {cat});
  EXPECT_EQ(cat->fileQueries(), afterStart + 2 * s.gintTblAnz);
  EXPECT_TRUE(rec.messages.isEmpty());
}

TEST(CatalogueObject, ServesSessionsOnSeveralThreadsAlike) {
  auto shared = catalogueOf(demoCatalogueSql());
  Session reference;
  {
    msg::Recorder rec;
    startSession(reference, {shared});
    sSetTblAnzBez(reference, true, true, true);
  }
  constexpr int kThreads = 4;
  std::vector<TextRows> seen(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      Session s;
      s.catalogue = shared;
      s.gastrSettings = reference.gastrSettings;
      sSetTblAnzBez(s, true, true, true);
      for (int code = 1; code <= s.gintTblAnz; ++code) {
        if (sBerDat(s, code, 0, s.gintTblAnz)) seen[t] += s.gastrSerie;
      }
    });
  }
  for (std::thread &th : threads) th.join();
  ASSERT_FALSE(seen[0].isEmpty());
  for (int t = 1; t < kThreads; ++t) EXPECT_EQ(seen[t], seen[0]);
}

}  // namespace
