#include "core/arrangements/models/Arrangement.h"

#include <stdexcept>

namespace {
// One row per arrangement, in the order of the enumeration.
const QVector<ArrangementInfo> &table() {
  static const QVector<ArrangementInfo> rows = {
      // id, screen, picture tag, German name, English name, Tb_m, Tb_n, tooltip m,
      // tooltip n, TL group, roller shoe, shapes, neutral colour, label divisor, hover
      {ArrangementId::EKaEDSch, "FrmEKaEDSch", "PicEKaEDS", 216, 108, false, false, 0, 0,
       true, false, 1, 700, 1, 243},
      {ArrangementId::ERoEESch, "FrmERoEESch", "PicERoEES", 217, 109, false, true, 0, 408,
       false, true, 1, 703, 1, 242},
      {ArrangementId::ZKaEDSch, "FrmZKaEDSch", "PicZKaEDS", 215, 107, true, false, 414, 0,
       false, false, 4, 700, 2, 246},
      {ArrangementId::ZKaZDSch, "FrmZKaZDSch", "PicZKaZDS", 214, 106, false, true, 0, 413,
       false, false, 4, 700, 2, 244},
      {ArrangementId::VKaZDSch, "FrmVKaZDSch", "PicVKaZDS", 213, 105, true, true, 414, 413,
       false, false, 4, 700, 1, 247},
      {ArrangementId::ZRoEESch, "FrmZRoEESch", "PicZRoEES", 218, 110, true, true, 407, 408,
       false, true, 4, 700, 2, 245},
  };
  return rows;
}
}  // namespace

const QVector<ArrangementInfo> &arrangements() { return table(); }

const ArrangementInfo *arrangementByScreen(const QString &screenName) {
  for (const ArrangementInfo &a : table())
    if (screenName == QLatin1String(a.screenName)) return &a;
  return nullptr;
}

const ArrangementInfo *arrangementByPictureTag(const QString &tag) {
  for (const ArrangementInfo &a : table())
    if (tag == QLatin1String(a.pictureTag)) return &a;
  return nullptr;
}

const ArrangementInfo &arrangement(ArrangementId id) {
  for (const ArrangementInfo &a : table())
    if (a.id == id) return a;
  throw std::out_of_range("unknown arrangement");
}
