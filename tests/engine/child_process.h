#pragma once

// Operations run in a child process that the test set up first (a file-size
// limit, fewer privileges), on POSIX systems.

#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>

#include "tests/engine/engine_fixture.h"

namespace chanora::testing {

// What an operation run in a child process returned (-1 when the child could
// not run it) and reported.
struct ChildOutcome {
  int result = -1;
  Strings messages;
  bool operator==(const ChildOutcome&) const = default;
};

inline void PrintTo(const ChildOutcome& outcome, std::ostream* out) {
  *out << outcome.result << " " << ::testing::PrintToString(outcome.messages);
}

// Runs `operation` in a forked child once `prepare` has set that child up (a
// file-size limit, fewer privileges), so that the test process keeps its own.
// The messages come back through a pipe, which a file-size limit does not
// touch; the result must lie in 0..124.
inline ChildOutcome RunInChild(const std::function<bool()>& prepare,
                               const std::function<int(RecordingReporter&)>& operation) {
  constexpr int kNotPrepared = 125;
  int channel[2];
  if (::pipe(channel) != 0) return {};
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(channel[0]);
    ::close(channel[1]);
    return {};
  }
  if (child == 0) {
    ::close(channel[0]);
    RecordingReporter childReporter;
    const int result = prepare() ? operation(childReporter) : kNotPrepared;
    std::string report;
    for (const std::string& message : childReporter.messages) report += message + '\0';
    // A few short messages: one write, far below what a pipe holds.
    if (::write(channel[1], report.data(), report.size()) < 0) ::_exit(kNotPrepared);
    ::_exit(result);  // no exit handlers: they belong to the test process (its folders, its output)
  }
  ::close(channel[1]);
  std::string report;
  char buffer[4096];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
    if (got < 0 && errno != EINTR) break;
    if (got > 0) report.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(channel[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  ChildOutcome outcome;
  for (std::size_t start = 0, end; (end = report.find('\0', start)) != std::string::npos; start = end + 1) {
    outcome.messages.push_back(report.substr(start, end - start));
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) != kNotPrepared) outcome.result = WEXITSTATUS(status);
  return outcome;
}

// A disk that fills up after `bytes` bytes of any one file: the write that
// would pass it fails (EFBIG) instead of killing the process.
inline bool LimitFileSize(rlim_t bytes) {
  ::signal(SIGXFSZ, SIG_IGN);
  const struct rlimit limit { bytes, bytes };
  return ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// Root writes through any permission bits; the child becomes nobody so that
// they count. What nobody must read or pass through has to be open to others.
inline bool DropRootPrivileges() {
  if (::geteuid() != 0) return true;
  constexpr id_t kNobody = 65534;
  return ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
}

}  // namespace chanora::testing
