// The worked examples of the rigid-plate check on the demo catalogue (series TLS, size
// 20: KD20 with b1 24, h1 15, B 44, a1 + a2 = 94; RE20 with h2 17, bI 30): the model's
// largest load, the check's four values, and what is rated, as "Berechnen" gives them.
#include <gtest/gtest.h>

#include "core/arrangements/Calculate.h"
#include "core/catalogue/Catalogue.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Numbers.h"
#include "support/ArrangementRoads.h"
#include "support/TestCatalogue.h"

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace {

struct Example {
  const char *name;
  ArrangementId id;
  const char *m, *n;
  TextRows forces;
  const char *model4;
  QStringList check;  // values of the positions 0..3
  const char *rated;
  bool byCheck;
};

const Example kExamples[] = {
    {"tandem, roll couple of a side force", ArrangementId::ZKaEDSch, testsupport::kTandemRollCouple.m, "",
     testsupport::kTandemRollCouple.forces, "243,75",
     {"1093,625", "1093,625", "1093,625", "1093,625"}, "1093,625", true},
    {"tandem, payload over one track", ArrangementId::ZKaEDSch, "200", "",
     {{"- Z", "1000", "0", "12", "0"}}, "500", {"773", "773", "773", "773"}, "773", true},
    {"four, braking force", ArrangementId::VKaZDSch, "200", "100",
     {{"- Z", "2000", "-50", "0", "0"}, {"- X", "2000", "0", "0", "150"}}, "1075",
     {"1575", "1575", "575", "575"}, "1575", true},
    {"four, driving force", ArrangementId::VKaZDSch, "200", "100",
     {{"- Z", "2000", "-50", "0", "0"}, {"X +", "2000", "0", "0", "150"}}, "1075",
     {"75", "75", "1075", "1075"}, "1075", false},
    {"side by side, payload past the outer rollers", ArrangementId::ZKaZDSch, "", "300",
     {{"- Z", "1000", "60", "0", "0"}}, "1563,83",
     {"776,5958", "776,5958", "1776,596", "1776,596"}, "1776,596", true},
    {"roller-shoe pairs, payload beyond the rails", ArrangementId::ZRoEESch, "300", "200",
     {{"- Z", "1000", "0", "112", "0"}}, "502,2523", {"931,2", "931,2", "931,2", "931,2"},
     "931,2", true},
    {"roller-shoe pairs, payload on the rail line", ArrangementId::ZRoEESch, "300", "200",
     {{"- Z", "1000", "0", "111", "0"}}, "1000", {"927,35", "927,35", "927,35", "927,35"},
     "1000", false},
};

class WorkedExample : public ::testing::TestWithParam<Example> {
 protected:
  void SetUp() override {
    sSetField(session);
    sSetTblAnzBez(session, true, false, true);
  }
  msg::Recorder rec;
  Session session;
  testsupport::ScopedCatalogueFile use{session, testsupport::demoCatalogueFile()};
};

int rowOf(const TextRows &result, const QString &serie, const QString &gr) {
  for (int i = 0; i < result.size(); ++i)
    if (result[i].value(0) == serie && result[i].value(1) == gr) return i;
  return -1;
}

QStringList texts(const std::array<float, 5> &v, int count) {
  QStringList t;
  for (int k = 0; k < count; ++k) t << num::singleToText(v[static_cast<size_t>(k)]);
  return t;
}

TEST_P(WorkedExample, ModelCheckAndRatedLoad) {
  const Example &e = GetParam();
  const CalcOutput out = calculateArrangement(session, e.id, e.forces, QString::fromLatin1(e.m),
                                              QString::fromLatin1(e.n));
  ASSERT_TRUE(out.completed);
  EXPECT_TRUE(rec.messages.isEmpty());
  const int r = rowOf(out.result, "TLS", "20");
  ASSERT_GE(r, 0);
  EXPECT_EQ(num::singleToText(out.modelLoads[r][4]), e.model4);
  EXPECT_EQ(texts(out.checkLoads[r], 4), e.check);
  EXPECT_EQ(out.result[r][2], e.rated);
  EXPECT_EQ(num::singleToText(out.loads[r][4]), e.rated);
  EXPECT_EQ(out.byCheck[r], e.byCheck);
  // What the evaluation rates and which rows it marks.
  EXPECT_EQ(session.gastrResult[r][2], e.rated);
  EXPECT_EQ(session.resultRows.value(r).byCheck, e.byCheck);

  // Without the check the model's value is rated, as before.
  const CalcOutput model = calculateArrangement(session, e.id, e.forces, QString::fromLatin1(e.m),
                                                QString::fromLatin1(e.n), false);
  EXPECT_EQ(model.result[r][2], e.model4);
  for (const ResultRow &row : session.resultRows) EXPECT_FALSE(row.byCheck);
}

INSTANTIATE_TEST_SUITE_P(DemoCatalogue, WorkedExample, ::testing::ValuesIn(kExamples),
                         [](const ::testing::TestParamInfo<Example> &info) {
                           return "Example" + std::to_string(info.index);
                         });

}  // namespace
