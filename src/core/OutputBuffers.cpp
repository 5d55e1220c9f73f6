#include "core/OutputBuffers.h"

#include <algorithm>

namespace brantel {

std::array<QString, kOutBufPages> OutBuf;

QString JoinOutBuf(int first, int last) {
  QString text;
  for (int i = std::max(first, 0); i <= last && i < kOutBufPages; ++i) {
    text += OutBuf[static_cast<std::size_t>(i)];
  }
  return text;
}

}  // namespace brantel
