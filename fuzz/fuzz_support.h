#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/reporter.h"

namespace chanora::fuzz {

// Drops everything the engine reports; a question is answered No.
class SilentReporter : public Reporter {
 public:
  void Message(const std::string&) override {}
  Answer Ask(const std::string&, const std::string&, Buttons) override { return Answer::No; }
  void AppendLine(const std::string&) override {}
  void SetProgress(int) override {}
};

// Keeps only the last message, for a target that must tell failures apart.
class LastMessageReporter : public SilentReporter {
 public:
  void Message(const std::string& text) override { last = text; }
  std::string last;
};

// A broken promise of the engine is a crash, so the fuzzer keeps the input.
#define FUZZ_REQUIRE(condition)                                                            \
  do {                                                                                     \
    if (!(condition)) {                                                                    \
      std::fprintf(stderr, "%s:%d: broken promise: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                        \
    }                                                                                      \
  } while (0)

}  // namespace chanora::fuzz
