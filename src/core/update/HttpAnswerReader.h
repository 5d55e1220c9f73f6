#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace brantel {

// Reads the answer of a web server to one GET (HTTP/1.0 or 1.1) as it
// arrives, piece by piece, and hands on the bytes of its body. Every part it
// keeps is bounded, whatever the server sends: the status line and the header
// lines at most kHeaderLimit bytes in all (interim "100 Continue" answers and
// the trailer of a chunked body included), a line of a chunk's size at most
// kChunkLineLimit bytes; past a limit it stops reading (TooLarge). Lines may
// end in CR LF or LF alone.
//
// The status line is "HTTP/1.", a digit, a space, a code of three digits
// from 100 to 599, then a space and a reason or nothing. A code outside that
// range (000-099, 600-999) belongs to no class of answers: RFC 9110 has a
// client take such an answer for a server error, and as the update fails a
// server error too, the reader calls it Malformed and reads no body that
// only an invalid status line framed. Codes 100-199 other than 101 are
// interim answers, after which the final one follows.
//
// How the body ends (RFC 9112, section 6.3):
// - Transfer-Encoding, read as a list of codings applied in order: its
//   header lines join into one list; an element is a coding's name (a token,
//   in any case) with perhaps ";" and parameters, which are not used; empty
//   elements are skipped. Chunked as the last coding: the body ends with its
//   last chunk. Any other last coding, chunked earlier in the list among
//   them: the body runs until the connection ends, as RFC 9112 says for an
//   answer. The reader undoes no coding but chunked: such a body is handed
//   on as it arrives. Malformed: a name that is not a token, a list without
//   a coding, or chunked twice, which no server may send. Transfer-Encoding
//   wins over Content-Length.
// - Otherwise Content-Length, digits alone; several values (on one line
//   separated by commas, or on several lines) must all be the same, or the
//   answer is Malformed.
// - Otherwise the body runs until the connection ends.
// An answer 204 or 304 has no body. A header line that begins with a space
// or a tab continues the value of the line before it.
class HttpAnswerReader {
 public:
  static constexpr qsizetype kHeaderLimit = 64 * 1024;
  static constexpr qsizetype kChunkLineLimit = 1024;

  enum class State {
    ReadingHeader,
    ReadingBody,
    Complete,   // the whole answer arrived
    TooLarge,   // the header or a chunk's size line went over its limit
    Malformed,  // not an HTTP answer, or a body whose framing is broken
    CutShort,   // the connection ended before the answer did
  };

  // Reads the next bytes of the answer; returns the bytes of the body among
  // them. Bytes after the end of the answer, or after a failure, are ignored.
  QByteArray Read(QByteArrayView data);
  // The connection ended: a body that runs until then is complete; anything
  // else was cut short.
  void ConnectionClosed();

  State CurrentState() const { return state_; }
  // Whether the header of the final answer has been read: Status and the
  // header values below are known from then on.
  bool HeaderRead() const { return headerRead_; }
  // The status code of the final answer; 0 until its header has been read.
  int Status() const { return headerRead_ ? status_ : 0; }
  // The announced length of the body; nothing when the header gives none,
  // a transfer coding makes it void or the answer has no body (204, 304).
  // Known once the header has been read.
  std::optional<qint64> ContentLength() const { return contentLength_; }
  // The Location header, empty when there is none; known once the header has
  // been read.
  QByteArray Location() const { return headerRead_ ? location_ : QByteArray(); }

  // The bytes of the status and header lines read so far, interim answers,
  // the trailer and the line being read among them: never more than
  // kHeaderLimit.
  qsizetype HeaderBytes() const;
  // The bytes held besides the body handed on (the line being read and the
  // header values kept): never more than kHeaderLimit + kChunkLineLimit.
  qsizetype BytesHeld() const;

 private:
  enum class Part { StatusLine, HeaderLines, Body, ChunkSize, ChunkData, ChunkEnd, Trailer };
  // The header fields read; a continued line adds to the last one.
  enum class Field { Other, ContentLength, TransferEncoding, Location };

  bool InHeader() const { return part_ == Part::StatusLine || part_ == Part::HeaderLines || part_ == Part::Trailer; }
  // The next whole line (its end removed), taking bytes from `data`;
  // nothing while the line has not ended. A line longer than `limit`
  // bytes, its end included, makes the answer TooLarge.
  std::optional<QByteArray> NextLine(QByteArrayView& data, qsizetype limit);
  qsizetype HeaderRoom() const { return kHeaderLimit - headerBytes_; }
  void ReadStatusLine(const QByteArray& line);
  void ReadHeaderLine(const QByteArray& line);
  // The empty line after the header: an interim answer starts over, a final
  // one decides how its body ends.
  void EndHeader();
  // Forgets the fields of the header read so far.
  void ClearFields();
  void ReadChunkSize(const QByteArray& line);

  State state_ = State::ReadingHeader;
  Part part_ = Part::StatusLine;
  QByteArray line_;            // the line read so far
  qsizetype headerBytes_ = 0;  // of the header lines read so far, with their ends
  bool headerRead_ = false;
  int status_ = 0;
  // The values of the fields read, as they stand in the header until its
  // end: the lines of Content-Length and of Transfer-Encoding each joined by
  // commas, the last Location.
  Field lastField_ = Field::Other;
  std::optional<QByteArray> contentLengthText_;
  std::optional<QByteArray> transferEncodingText_;
  QByteArray location_;
  // How the body ends, from the end of the header.
  std::optional<qint64> contentLength_;
  bool chunked_ = false;
  bool untilClosed_ = false;  // the body runs until the connection ends
  qint64 bodyLeft_ = 0;       // of the body or of the current chunk
};

}  // namespace brantel
