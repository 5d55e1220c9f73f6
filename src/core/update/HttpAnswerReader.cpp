#include "core/update/HttpAnswerReader.h"

#include <algorithm>

namespace brantel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A decimal or hexadecimal count of at most `maxDigits` digits; nothing for
// anything else, an empty text among them.
std::optional<qint64> CountOf(const QByteArray& text, int base, qsizetype maxDigits) {
  if (text.isEmpty() || text.size() > maxDigits) return std::nullopt;
  for (const char c : text) {
    const bool hex = (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!IsDigit(c) && !(base == 16 && hex)) return std::nullopt;
  }
  bool ok = false;
  const qint64 count = text.toLongLong(&ok, base);
  if (!ok) return std::nullopt;
  return count;
}

}  // namespace

QByteArray HttpAnswerReader::Read(QByteArrayView data) {
  QByteArray body;
  while (!data.isEmpty() && (state_ == State::ReadingHeader || state_ == State::ReadingBody)) {
    if (part_ == Part::Body || part_ == Part::ChunkData) {
      const qint64 take = untilClosed_ ? data.size() : std::min<qint64>(bodyLeft_, data.size());
      body += data.first(take);
      data = data.sliced(take);
      if (untilClosed_) continue;
      bodyLeft_ -= take;
      if (bodyLeft_ > 0) continue;
      if (part_ == Part::Body) state_ = State::Complete;
      else part_ = Part::ChunkEnd;
      continue;
    }
    const bool inHeader = part_ == Part::StatusLine || part_ == Part::HeaderLines || part_ == Part::Trailer;
    const std::optional<QByteArray> line = NextLine(data, inHeader ? HeaderRoom() : kChunkLineLimit);
    if (!line) continue;
    switch (part_) {
      case Part::StatusLine: ReadStatusLine(*line); break;
      case Part::HeaderLines:
        if (line->isEmpty()) EndHeader();
        else ReadHeaderLine(*line);
        break;
      case Part::ChunkSize: ReadChunkSize(*line); break;
      case Part::ChunkEnd:
        if (!line->isEmpty()) state_ = State::Malformed;
        part_ = Part::ChunkSize;
        break;
      case Part::Trailer:
        if (line->isEmpty()) state_ = State::Complete;  // the trailer's fields are not used
        break;
      case Part::Body:
      case Part::ChunkData: break;
    }
  }
  return body;
}

void HttpAnswerReader::ConnectionClosed() {
  if (state_ == State::ReadingBody && untilClosed_) state_ = State::Complete;
  else if (state_ == State::ReadingHeader || state_ == State::ReadingBody) state_ = State::CutShort;
}

std::optional<QByteArray> HttpAnswerReader::NextLine(QByteArrayView& data, qsizetype limit) {
  const qsizetype end = data.indexOf('\n');
  const qsizetype take = end < 0 ? data.size() : end + 1;
  if (line_.size() + take > limit) {
    state_ = State::TooLarge;
    line_.clear();
    return std::nullopt;
  }
  line_ += data.first(take);
  data = data.sliced(take);
  if (end < 0) return std::nullopt;
  const bool inHeader = part_ == Part::StatusLine || part_ == Part::HeaderLines || part_ == Part::Trailer;
  if (inHeader) headerBytes_ += line_.size();
  QByteArray line = std::move(line_);
  line_.clear();
  line.chop(line.endsWith("\r\n") ? 2 : 1);
  return line;
}

void HttpAnswerReader::ReadStatusLine(const QByteArray& line) {
  // "HTTP/1.1 200 OK": the version, a space, three digits, then a space and
  // the reason or nothing.
  const bool valid = line.size() >= 12 && line.startsWith("HTTP/1.") && IsDigit(line[7]) && line[8] == ' ' &&
                     IsDigit(line[9]) && IsDigit(line[10]) && IsDigit(line[11]) &&
                     (line.size() == 12 || line[12] == ' ');
  if (!valid) {
    state_ = State::Malformed;
    return;
  }
  status_ = line.mid(9, 3).toInt();
  part_ = Part::HeaderLines;
}

void HttpAnswerReader::ReadHeaderLine(const QByteArray& line) {
  // A line without a name (a continued value) is not one of the fields read.
  const qsizetype colon = line.indexOf(':');
  if (colon <= 0 || line[0] == ' ' || line[0] == '\t') return;
  const QByteArray name = line.left(colon).trimmed().toLower();
  const QByteArray value = line.mid(colon + 1).trimmed();
  if (name == "content-length") {
    const std::optional<qint64> length = CountOf(value, 10, 18);
    if (!length || (contentLength_ && *contentLength_ != *length)) {
      state_ = State::Malformed;
      return;
    }
    contentLength_ = length;
  } else if (name == "transfer-encoding") {
    // Any transfer coding overrides the length; only chunked has an end of
    // its own, any other runs until the connection ends.
    chunked_ = value.toLower().contains("chunked");
    untilClosed_ = !chunked_;
  } else if (name == "location") {
    location_ = value;
  }
}

void HttpAnswerReader::EndHeader() {
  if (status_ >= 100 && status_ < 200 && status_ != 101) {
    // An interim answer: the final one follows, within the same header limit.
    status_ = 0;
    contentLength_.reset();
    chunked_ = untilClosed_ = false;
    location_.clear();
    part_ = Part::StatusLine;
    return;
  }
  headerRead_ = true;
  state_ = State::ReadingBody;
  if (status_ == 204 || status_ == 304) {
    state_ = State::Complete;
  } else if (chunked_) {
    part_ = Part::ChunkSize;
  } else if (untilClosed_ || !contentLength_) {
    untilClosed_ = true;
    part_ = Part::Body;
  } else {
    bodyLeft_ = *contentLength_;
    part_ = Part::Body;
    if (bodyLeft_ == 0) state_ = State::Complete;
  }
}

void HttpAnswerReader::ReadChunkSize(const QByteArray& line) {
  // The size in hexadecimal, then perhaps ";" and extensions, which are not
  // used.
  const qsizetype semicolon = line.indexOf(';');
  const std::optional<qint64> size = CountOf((semicolon < 0 ? line : line.left(semicolon)).trimmed(), 16, 15);
  if (!size) {
    state_ = State::Malformed;
    return;
  }
  bodyLeft_ = *size;
  part_ = *size == 0 ? Part::Trailer : Part::ChunkData;
}

}  // namespace brantel
