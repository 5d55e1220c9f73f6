#include "core/update/HttpAnswerReader.h"

#include <QList>

#include <algorithm>

namespace brantel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A character of a token, the form of a field's or a coding's name.
bool IsTokenCharacter(char c) {
  if (IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return true;
  return QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

bool IsToken(QByteArrayView text) { return !text.isEmpty() && std::all_of(text.begin(), text.end(), IsTokenCharacter); }

// The text without the spaces and tabs around it.
QByteArrayView WithoutBlanks(QByteArrayView text) {
  while (!text.isEmpty() && IsBlank(text.front())) text = text.sliced(1);
  while (!text.isEmpty() && IsBlank(text.back())) text.chop(1);
  return text;
}

// The elements of a field's value that is a list: split at the commas
// outside quoted texts (a parameter's value may be one), without the blanks
// around them; empty elements are left out.
QList<QByteArrayView> ListElements(QByteArrayView list) {
  QList<QByteArrayView> elements;
  const auto add = [&elements](QByteArrayView element) {
    element = WithoutBlanks(element);
    if (!element.isEmpty()) elements.push_back(element);
  };
  bool quoted = false;
  qsizetype start = 0;
  for (qsizetype i = 0; i < list.size(); ++i) {
    const char c = list[i];
    if (quoted) {
      if (c == '\\') ++i;  // the escaped character stays in the text
      else if (c == '"') quoted = false;
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      add(list.sliced(start, i - start));
      start = i + 1;
    }
  }
  add(list.sliced(start));
  return elements;
}

// A decimal or hexadecimal count of at most `maxDigits` digits; nothing for
// anything else, an empty text among them.
std::optional<qint64> CountOf(QByteArrayView text, int base, qsizetype maxDigits) {
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

// The length that the values of Content-Length give: every one the same
// count. Nothing when one is not a count or they differ.
std::optional<qint64> ContentLengthOf(QByteArrayView values) {
  std::optional<qint64> length;
  for (const QByteArrayView value : ListElements(values)) {
    const std::optional<qint64> count = CountOf(value, 10, 18);
    if (!count || (length && *length != *count)) return std::nullopt;
    length = count;
  }
  return length;
}

// How the transfer codings of Transfer-Encoding end the body.
enum class CodingsEnd { Chunked, UntilClosed, Malformed };

CodingsEnd CodingsEndOf(QByteArrayView codings) {
  int chunked = 0;
  bool lastIsChunked = false;
  const QList<QByteArrayView> elements = ListElements(codings);
  for (const QByteArrayView element : elements) {
    const qsizetype semicolon = element.indexOf(';');
    const QByteArrayView name = WithoutBlanks(semicolon < 0 ? element : element.first(semicolon));
    if (!IsToken(name)) return CodingsEnd::Malformed;
    lastIsChunked = name.compare("chunked", Qt::CaseInsensitive) == 0;
    chunked += lastIsChunked ? 1 : 0;
  }
  if (elements.isEmpty() || chunked > 1) return CodingsEnd::Malformed;
  return lastIsChunked ? CodingsEnd::Chunked : CodingsEnd::UntilClosed;
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
    const std::optional<QByteArray> line = NextLine(data, InHeader() ? HeaderRoom() : kChunkLineLimit);
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
  if (InHeader()) headerBytes_ += line_.size();
  QByteArray line = std::move(line_);
  line_.clear();
  line.chop(line.endsWith("\r\n") ? 2 : 1);
  return line;
}

qsizetype HttpAnswerReader::HeaderBytes() const { return headerBytes_ + (InHeader() ? line_.size() : 0); }

qsizetype HttpAnswerReader::BytesHeld() const {
  return line_.size() + contentLengthText_.value_or(QByteArray()).size() +
         transferEncodingText_.value_or(QByteArray()).size() + location_.size();
}

void HttpAnswerReader::ReadStatusLine(const QByteArray& line) {
  // "HTTP/1.1 200 OK": the version, a space, three digits, then a space and
  // the reason or nothing.
  const bool valid = line.size() >= 12 && line.startsWith("HTTP/1.") && IsDigit(line[7]) && line[8] == ' ' &&
                     IsDigit(line[9]) && IsDigit(line[10]) && IsDigit(line[11]) &&
                     (line.size() == 12 || line[12] == ' ');
  const int status = valid ? line.mid(9, 3).toInt() : 0;
  if (status < 100 || status > 599) {
    state_ = State::Malformed;
    return;
  }
  status_ = status;
  part_ = Part::HeaderLines;
}

void HttpAnswerReader::ReadHeaderLine(const QByteArray& line) {
  // A line that begins with a blank continues the value before it (an old
  // form of folding long values): joined with a space.
  if (IsBlank(line[0])) {
    const QByteArray more = ' ' + WithoutBlanks(line).toByteArray();
    switch (lastField_) {
      case Field::ContentLength: *contentLengthText_ += more; break;
      case Field::TransferEncoding: *transferEncodingText_ += more; break;
      case Field::Location: location_ += more; break;
      case Field::Other: break;
    }
    return;
  }
  lastField_ = Field::Other;
  const qsizetype colon = line.indexOf(':');
  if (colon <= 0) return;
  const QByteArray name = line.left(colon).trimmed().toLower();
  const QByteArray value = WithoutBlanks(QByteArrayView(line).sliced(colon + 1)).toByteArray();
  // Lines of one list field join into one list.
  const auto join = [&value](std::optional<QByteArray>& text) { text = text ? *text + ',' + value : value; };
  if (name == "content-length") {
    lastField_ = Field::ContentLength;
    join(contentLengthText_);
  } else if (name == "transfer-encoding") {
    lastField_ = Field::TransferEncoding;
    join(transferEncodingText_);
  } else if (name == "location") {
    lastField_ = Field::Location;
    location_ = value;
  }
}

void HttpAnswerReader::ClearFields() {
  lastField_ = Field::Other;
  contentLengthText_.reset();
  transferEncodingText_.reset();
  location_.clear();
}

void HttpAnswerReader::EndHeader() {
  std::optional<qint64> length;
  if (contentLengthText_) {
    length = ContentLengthOf(*contentLengthText_);
    if (!length) {
      state_ = State::Malformed;
      return;
    }
  }
  const CodingsEnd codings = transferEncodingText_ ? CodingsEndOf(*transferEncodingText_) : CodingsEnd::UntilClosed;
  if (codings == CodingsEnd::Malformed) {
    state_ = State::Malformed;
    return;
  }
  if (status_ >= 100 && status_ < 200 && status_ != 101) {
    // An interim answer: the final one follows, within the same header limit.
    status_ = 0;
    ClearFields();
    part_ = Part::StatusLine;
    return;
  }
  headerRead_ = true;
  state_ = State::ReadingBody;
  if (status_ == 204 || status_ == 304) {
    state_ = State::Complete;
  } else if (transferEncodingText_) {
    // Any transfer coding overrides the length.
    chunked_ = codings == CodingsEnd::Chunked;
    untilClosed_ = !chunked_;
    part_ = chunked_ ? Part::ChunkSize : Part::Body;
  } else if (!length) {
    untilClosed_ = true;
    part_ = Part::Body;
  } else {
    contentLength_ = length;
    bodyLeft_ = *length;
    part_ = Part::Body;
    if (bodyLeft_ == 0) state_ = State::Complete;
  }
  // The texts of the fields are read; only the Location stays.
  contentLengthText_.reset();
  transferEncodingText_.reset();
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
