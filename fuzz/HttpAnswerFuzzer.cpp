// Fuzz target of the reader of a web server's answer (HttpAnswerReader): the
// bytes as a server sends them. Whatever they are, the reader must not
// crash, and however they are cut into pieces on the way it must come to the
// same end: the same state, status, length, location and body whether the
// answer arrives whole, in pieces whose lengths the input's own bytes
// choose, in two pieces cut anywhere (short inputs) or a byte at a time, and
// the same again once the connection ends. What it holds stays within its
// limits all along, and what it reads is a sound answer: a final status
// from 100 to 599, a body no longer than the length announced.

#include "FuzzCheck.h"
#include "core/update/HttpAnswerReader.h"

#include <QByteArray>
#include <QByteArrayView>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

const char* const brantel::fuzz::kTargetName = "http answer fuzzer";

namespace {

using namespace brantel;

using fuzz::Check;
using State = HttpAnswerReader::State;

// Where a reader came to.
struct Outcome {
  State state = State::ReadingHeader;        // once every byte was read
  State closedState = State::ReadingHeader;  // once the connection then ended
  bool headerRead = false;
  int status = 0;
  std::optional<qint64> contentLength;
  QByteArray location;
  QByteArray body;

  bool operator==(const Outcome&) const = default;
};

// The length of the piece that starts at `at`.
using PieceLength = std::function<qsizetype(qsizetype at)>;

void CheckHeld(const HttpAnswerReader& reader) {
  Check(reader.HeaderBytes() <= HttpAnswerReader::kHeaderLimit, "the header went over its limit");
  Check(reader.BytesHeld() <= HttpAnswerReader::kHeaderLimit + HttpAnswerReader::kChunkLineLimit,
        "the reader holds more than its limits");
}

Outcome ReadInPieces(QByteArrayView answer, const PieceLength& pieceLength) {
  HttpAnswerReader reader;
  Outcome outcome;
  for (qsizetype at = 0; at < answer.size();) {
    const qsizetype length = std::min(std::max<qsizetype>(pieceLength(at), 1), answer.size() - at);
    const QByteArray body = reader.Read(answer.sliced(at, length));
    Check(body.size() <= length, "more body than bytes read");
    outcome.body += body;
    CheckHeld(reader);
    at += length;
  }
  outcome.state = reader.CurrentState();
  outcome.headerRead = reader.HeaderRead();
  outcome.status = reader.Status();
  outcome.contentLength = reader.ContentLength();
  outcome.location = reader.Location();
  reader.ConnectionClosed();
  outcome.closedState = reader.CurrentState();
  CheckHeld(reader);
  Check(reader.Status() == outcome.status && reader.ContentLength() == outcome.contentLength &&
            reader.Location() == outcome.location,
        "the end of the connection changed the header read");
  return outcome;
}

void CheckSound(const Outcome& outcome, qsizetype answerSize) {
  Check(outcome.headerRead == (outcome.status != 0), "a status without a header, or a header without one");
  if (outcome.headerRead) {
    Check(outcome.status >= 100 && outcome.status <= 599, "a status outside 100-599");
    Check(outcome.status >= 200 || outcome.status == 101, "an interim answer taken for the final one");
  } else {
    Check(!outcome.contentLength && outcome.location.isEmpty() && outcome.body.isEmpty(),
          "header values or a body before the header was read");
    Check(outcome.state != State::ReadingBody && outcome.state != State::Complete, "a body without a header");
  }
  Check(outcome.body.size() <= answerSize, "more body than answer");
  Check(outcome.location.size() <= HttpAnswerReader::kHeaderLimit, "a location longer than the header");
  if (outcome.contentLength) {
    Check(*outcome.contentLength >= 0, "a negative length");
    Check(outcome.body.size() <= *outcome.contentLength, "a body longer than its length");
    if (outcome.state == State::Complete)
      Check(outcome.body.size() == *outcome.contentLength, "a complete body shorter than its length");
  }
  if (outcome.status == 204 || outcome.status == 304)
    Check(outcome.body.isEmpty() && outcome.state == State::Complete, "an answer without a body has one");
  switch (outcome.state) {
    case State::ReadingHeader:
    case State::ReadingBody:
      Check(outcome.closedState == State::Complete || outcome.closedState == State::CutShort,
            "the end of the connection left the answer unread");
      break;
    case State::CutShort: Check(false, "cut short while the connection was open"); break;
    case State::Complete:
    case State::TooLarge:
    case State::Malformed:
      Check(outcome.closedState == outcome.state, "the end of the connection changed a finished answer");
      break;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView answer(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const Outcome whole = ReadInPieces(answer, [&](qsizetype) { return answer.size(); });
  CheckSound(whole, answer.size());

  Check(ReadInPieces(answer, [](qsizetype) { return 1; }) == whole, "a byte at a time reads otherwise");
  // Each piece as long as its first byte says: the input chooses where it
  // is cut.
  Check(ReadInPieces(answer, [&](qsizetype at) { return 1 + static_cast<unsigned char>(answer[at]) % 64; }) == whole,
        "pieces read otherwise");
  constexpr qsizetype kEveryCutUpTo = 512;
  if (answer.size() <= kEveryCutUpTo) {
    for (qsizetype cut = 1; cut < answer.size(); ++cut) {
      const PieceLength twoPieces = [cut, &answer](qsizetype at) { return at == 0 ? cut : answer.size() - cut; };
      Check(ReadInPieces(answer, twoPieces) == whole, "two pieces read otherwise");
    }
  }

  // Bytes after the end of an answer, or after a failure, are not read.
  if (whole.state == State::Complete || whole.state == State::TooLarge || whole.state == State::Malformed) {
    const QByteArray more = answer.toByteArray() + "HTTP/1.1 200 OK\r\n\r\nmore";
    Check(ReadInPieces(more, [&](qsizetype) { return more.size(); }) == whole, "bytes after the end were read");
  }
  return 0;
}
