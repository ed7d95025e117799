// The pieces of the batch tool's many-case runs that a process run cannot reach: its
// JSON strings against the library's, and the message service per thread.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>

#include "batch/BatchRun.h"
#include "core/document/CaseFile.h"
#include "core/common/Messages.h"

namespace {

std::string library(const QString &s) {
  const QByteArray a = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
  return std::string(a.constData() + 1, static_cast<size_t>(a.size() - 2));
}

std::string ours(const QString &s) {
  std::string out;
  batch::appendQuoted(out, s);
  return out;
}

TEST(BatchJson, StringsAreWrittenAsTheLibraryWritesThem) {
  // Every UTF-16 code unit alone and between other text, lone surrogates included.
  for (int u = 0; u <= 0xffff; ++u) {
    const QChar c(static_cast<char16_t>(u));
    const QString alone(c);
    ASSERT_EQ(ours(alone), library(alone)) << "code unit " << u;
    const QString between = QStringLiteral("a") + c + QStringLiteral("ä\"\\");
    ASSERT_EQ(ours(between), library(between)) << "code unit " << u;
  }
  const QString texts[] = {QString(), QStringLiteral("Größe\r\n\t„B“"), QString::fromUcs4(U"\U0001F600 x"),
                           QString(QChar(0xd83d)) + QStringLiteral("x"), QString(QChar(0xde00)) + QChar(0xd83d)};
  for (const QString &t : texts) EXPECT_EQ(ours(t), library(t));
  // Plain texts go eight characters (sixteen bytes of UTF-8) at a time: every length up
  // to 40, and one character to escape at every place of them, as UTF-16 and as UTF-8.
  const QString plain = QStringLiteral("Sicherheit ausreichend. KD25-124 12.345 N");
  for (int n = 0; n <= 40; ++n) {
    ASSERT_EQ(ours(plain.left(n)), library(plain.left(n))) << n;
    for (int at = 0; at < n; ++at)
      for (const QChar c : {QChar(u'"'), QChar(u'\\'), QChar(u'\x1f'), QChar(u'\x7f'), QChar(u'ä'), QChar(0xd83d)}) {
        QString t = plain.left(n);
        t[at] = c;
        ASSERT_EQ(ours(t), library(t)) << n << " " << at;
        if (c.isSurrogate()) continue;
        std::string utf8;
        const QByteArray bytes = t.toUtf8();
        batch::appendQuotedUtf8(utf8, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        ASSERT_EQ(utf8, library(t)) << n << " " << at;
      }
  }
}

TEST(BatchJson, NumbersInTheirShortestForm) {
  std::string out;
  batch::appendNumber(out, 900.6f);
  out += ' ';
  batch::appendNumber(out, 1e30f * 1e30f);
  EXPECT_EQ(out, "900.6 null");
}

// Values are written by a shortcut for the common forms; every one must still be what
// std::to_chars writes: bit patterns across the whole range, values of few decimals
// (the loads), and the neighbours of powers of two and ten, with both signs.
TEST(BatchJson, NumbersAreWrittenAsToCharsWritesThem) {
  const auto check = [](float v) {
    for (const float x : {v, -v}) {
      char buf[64];
      std::string out;
      batch::appendNumber(out, x);
      ASSERT_EQ(out, std::string(buf, std::to_chars(buf, buf + sizeof buf, x).ptr)) << std::hexfloat << x;
    }
  };
  for (std::uint64_t bits = 0; bits < 0x7f800000u; bits += 997) {
    float v;
    const auto b = static_cast<std::uint32_t>(bits);
    std::memcpy(&v, &b, sizeof v);
    check(v);
  }
  for (int i = 0; i < 200000; ++i) {
    const int decimals = i % 5;
    const double scale = std::pow(10.0, decimals);
    check(static_cast<float>(static_cast<double>((i * 7919LL) % 100000000) / scale));
  }
  for (int p = -30; p <= 30; ++p)
    for (const double base : {std::ldexp(1.0, p), std::pow(10.0, p)})
      for (float v = static_cast<float>(base), k = 0; k < 8; ++k, v = std::nextafter(v, 0.0f)) {
        check(v);
        check(std::nextafter(static_cast<float>(base), 1e30f));
      }
}

// Force rows of plain texts are read straight from the case text; the same case with
// an escape in a cell (which only the JSON reader reads) must give the same case, or
// the same refusal.
TEST(BatchJson, PlainForceRowsReadAsTheJsonReaderReadsThem) {
  const char *const texts[] = {
      R"({"arrangement": "FrmVKaZDSch", "m": "400", "n": "300", "forces": [["- Z", "1500", "50", "-30", "0"], ["X +", "600", "", "0", " 150 "]]})",
      " {\"forces\":[[\"Y +\",\"1\",\"2\",\"3\",\"4\"]]\r\n,\"arrangement\":\"FrmEKaEDSch\", \"x\": {\"forces\": [1]}}\n",
      R"({"arrangement": "FrmEKaEDSch", "forces": [["- Z", "1", "0", "0", "0"]], "loadCases": [{"forces": [["- Z", "1", "0", "0", "0"]]}]})",
      R"({"arrangement": "FrmEKaEDSch", "forces": [["- Q", "1", "0", "0", "0"]]})",
      R"({"arrangement": "FrmEKaEDSch", "forces": [["- Z", "1", "0", "0"]]})",
      R"({"arrangement": "FrmEKaEDSch", "forces": [["- Z", "1", "0", "0", "0"]], "forces": [["- X", "1", "0", "0", "0"]]})",
      R"({"arrangement": "FrmEKaEDSch", "forces": [["- Z", "1", "0", "0", "0"]], "m": {}})",
      R"({"arrangement": "FrmEKaEDSch", "forces": [["- Z", "1", "0", "0", "0"]]} x)",
      R"({"arrangement": "FrmXYZ", "forces": [["- Z", "1", "0", "0", "0"]]})",
  };
  for (const char *text : texts) {
    const QByteArray plain(text);
    QByteArray escaped = plain;
    const qsizetype cell = escaped.indexOf("\"1");
    ASSERT_GE(cell, 0) << text;
    escaped.replace(cell, 2, "\"\\u0031");  // "1..." with its first digit escaped
    SCOPED_TRACE(text);
    calcfile::Case a, b;
    calcfile::Error ea, eb;
    const bool okA = calcfile::parse(plain, &a, &ea);
    const bool okB = calcfile::parse(escaped, &b, &eb);
    ASSERT_EQ(okA, okB);
    EXPECT_TRUE(a == b);
    // (The escape moves the offset a malformed text is refused at.)
    if (!ea.english.startsWith(QStringLiteral("malformed JSON"))) {
      EXPECT_EQ(ea.english, eb.english);
      EXPECT_EQ(ea.german, eb.german);
    }
  }
}

// Each thread records its own messages; a worker's end of the program ends its case,
// not the process, and leaves the other thread's recorder untouched.
TEST(MessagesPerThread, ARecorderHearsOnlyItsOwnThread) {
  msg::Recorder main;
  msg::critical(QStringLiteral("main"));
  std::thread worker([] {
    msg::Recorder own;
    msg::critical(QStringLiteral("worker"));
    EXPECT_THROW(msg::endProgram(1), msg::ProgramEnded);
    ASSERT_EQ(own.messages.size(), 1);
    EXPECT_EQ(own.messages[0].text, QStringLiteral("worker"));
    EXPECT_EQ(own.endCalls, 1);
  });
  worker.join();
  ASSERT_EQ(main.messages.size(), 1);
  EXPECT_EQ(main.messages[0].text, QStringLiteral("main"));
  EXPECT_EQ(main.endCalls, 0);
}

}  // namespace
