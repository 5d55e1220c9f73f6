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
// kChunkLineLimit bytes; past a limit it stops reading (TooLarge). A body
// ends by its Content-Length, by its last chunk, or by the end of the
// connection when neither is given. Lines may end in CR LF or LF alone.
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
  // The announced length of the body; nothing when the header gives none
  // or a transfer coding makes it void.
  std::optional<qint64> ContentLength() const { return chunked_ || untilClosed_ ? std::nullopt : contentLength_; }
  // The Location header, empty when there is none.
  const QByteArray& Location() const { return location_; }

 private:
  enum class Part { StatusLine, HeaderLines, Body, ChunkSize, ChunkData, ChunkEnd, Trailer };

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
  void ReadChunkSize(const QByteArray& line);

  State state_ = State::ReadingHeader;
  Part part_ = Part::StatusLine;
  QByteArray line_;            // the line read so far
  qsizetype headerBytes_ = 0;  // of the header lines read so far, with their ends
  bool headerRead_ = false;
  int status_ = 0;
  std::optional<qint64> contentLength_;
  bool chunked_ = false;
  bool untilClosed_ = false;  // the body runs until the connection ends
  QByteArray location_;
  qint64 bodyLeft_ = 0;  // of the body or of the current chunk
};

}  // namespace brantel
