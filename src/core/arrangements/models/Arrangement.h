#pragma once
// The six arrangements as data: everything in which their screens and calculations
// differ. The screens, the batch tool and the report all read this table.
#include <QString>
#include <QVector>

enum class ArrangementId { EKaEDSch, ERoEESch, ZKaEDSch, ZKaZDSch, VKaZDSch, ZRoEESch };

struct ArrangementInfo {
  ArrangementId id;
  const char *screenName;   // "FrmVKaZDSch"
  const char *pictureTag;   // start screen picture tag, "PicVKaZDS"
  int germanNameId;         // 213
  int englishNameId;        // 105
  bool hasM;                // Tb_m: distance between units along the rails
  bool hasN;                // Tb_n: distance between the rails
  int tooltipM;             // text id of the Tb_m tooltip (0 = none)
  int tooltipN;
  bool groupTL;             // the TL table sets are calculated too
  bool rollerShoe;          // unit series is FE (roller shoe), otherwise FD (cassette)
  int shapeCount;           // ShpMaxBel shapes: 1 for single units, 4 otherwise
  int neutralColour;        // colour code of the shapes before a calculation
  int labelDivisor;         // LabFo(k) shows out_k / divisor (four-position models)
  int hoverTextId;          // start screen hover text
};

const QVector<ArrangementInfo> &arrangements();
const ArrangementInfo *arrangementByScreen(const QString &screenName);
// By the start screen's picture tag ("PicVKaZDS"); nullptr for an unknown tag.
const ArrangementInfo *arrangementByPictureTag(const QString &tag);
const ArrangementInfo &arrangement(ArrangementId id);
