#pragma once
// One case of the batch tool: read, calculated on a session of its own and written as
// JSON. The single case of the command line, every line of --cases and every value of
// --sweep take this one road, so that a line gives what the same case as a file gives.
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/arrangements/models/Arrangement.h"
#include "core/arrangements/models/Models.h"
#include "core/document/CaseFile.h"
#include "core/common/Messages.h"
#include "core/common/Session.h"
#include "core/common/Texts.h"
#include "core/run/CalculationRun.h"

namespace catalogue {
class Catalogue;
}

namespace batch {

constexpr int kExitEnded = 1;
constexpr int kExitRefused = 2;

struct Case {
  const ArrangementInfo *arrangement = nullptr;
  calcfile::Case file;  // as read; forces hold one empty row when the case gives none
  bool rigidCheck = true;  // false: the multi-unit models alone, as earlier releases
};

// The language of the tool's own messages on the standard error (--lang): English
// unless set. Set once at start, before any worker runs.
void setMessageLanguage(Language language);
// The text of an id in that language.
QString message(int id);

// A case from JSON text or from a case file. False with the refusal in *error: English
// (what a line of --cases carries in its JSON), for a case file in the language of the
// messages (what the single case reports with exit status 2).
bool caseFromJson(const QByteArray &json, Case *out, QString *error);
bool caseFromFile(const QString &path, Case *out, QString *error);

// What a run adds besides the numbers.
struct Options {
  bool wantExport = false;   // "export": the evaluation's text export
  QString reportLanguage;    // "de" or "en": "report", the report text file; empty: none
};

// The run's typed rows, and the texts a case asked for besides them.
struct Report : run::Result {
  std::optional<QString> exportText;  // the evaluation screen's text export
  std::optional<QString> reportText;  // the report window's text file
};

// A started session: what startSession leaves, with the messages it showed. Every case
// runs on a copy of it, as if the program had just been started.
struct Start {
  Session session;
  QVector<msg::Message> messages;
  bool ended = false;  // the start ended the program (no settings, a database error)
};
Start startOn(const std::shared_ptr<catalogue::Catalogue> &catalogue);

enum class Status {
  Ran,          // exit status 0
  NoVerdict,    // no required safety greater than 0: the evaluation gave no verdict (1)
  Ended,        // the program would have ended itself, a database error (1)
  Unexpected,   // an error the program does not know (1)
};

struct Outcome {
  Status status = Status::Ran;
  Report report;                  // for Ended: calcFailed and nothing else
  QVector<msg::Message> messages;  // every message box, in order
  QStringList notes;              // remarks for the standard error ("no size box for ...")
  QString unexpected;             // the error of Status::Unexpected
  int exitCode() const { return status == Status::Ran ? 0 : kExitEnded; }
};

// Runs a case on `s`, a copy of a started session, with a msg::Recorder of this thread
// in force (the caller's `recorder`, which already holds the start's messages). The
// session is left as the run leaves it (the single case prints its PDF from it).
Outcome runCase(Session &s, const Case &c, const Options &options, msg::Recorder &recorder);

// Runs a case on a fresh copy of `start`, recording its messages: the whole road of
// one line of --cases.
Outcome runCase(const Start &start, const Case &c, const Options &options);

// The JSON of a run: `pretty` is the single case's form (one key per line, one result
// row per line), otherwise the whole object on one line without blanks.
// `leadingKeys` ("key":value, pairs with their comma) stand first in the object.
void appendJson(std::string &out, const Report &r, const QVector<msg::Message> &messages, bool pretty,
                std::string_view leadingKeys = {});

// JSON text of a string, exactly as QJsonDocument writes it; of a single-precision
// value in its shortest exact decimal form (900.6, not 900.59997...), null when not
// finite.
void appendQuoted(std::string &out, const QString &s);
// The same of a text in UTF-8 (the evaluation's number texts are written so).
void appendQuotedUtf8(std::string &out, std::string_view utf8);
void appendNumber(std::string &out, float v);

}  // namespace batch
