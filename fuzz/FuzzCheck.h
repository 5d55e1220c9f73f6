#pragma once

// A property of a fuzz target that an input breaks: the target says which
// and aborts, so that libFuzzer keeps the input.

#include <cstdio>
#include <cstdlib>

namespace brantel::fuzz {

// The target's name in its messages ("settings fuzzer"); each target
// defines it.
extern const char* const kTargetName;

inline void Check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "%s: %s\n", kTargetName, what);
  std::abort();
}

}  // namespace brantel::fuzz
