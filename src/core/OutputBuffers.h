#pragma once

#include <QString>

#include <array>

namespace brantel {

// The output pages that print, preview and the paged output window show:
// texts with CR LF line breaks. The project listing fills page 0; page 1 is
// free for other output. OutBufLastPage (core/Globals.h) is the last index
// in use.
inline constexpr int kOutBufPages = 2;
extern std::array<QString, kOutBufPages> OutBuf;

// The pages first..last joined without separator; indices outside 0..1 are
// left out.
QString JoinOutBuf(int first, int last);

}  // namespace brantel
