// Running part of a test in a child process, so that the child may give up
// rights or change its view of the file systems without touching the tests.
#pragma once

#include <exception>
#include <functional>
#include <grp.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace kova {

// The user the tests become to meet the permission checks root passes.
inline constexpr uid_t kUnprivilegedUser = 65534;

// Runs `operation` in a child process and returns what it returned.
inline std::string InChildProcess(const std::function<std::string()>& operation) {
  int channel[2];
  if (pipe(channel) != 0) return "no pipe";
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    std::string result;
    try {
      result = operation();
    } catch (const std::exception& error) {
      result = std::string("exception: ") + error.what();
    }
    for (size_t done = 0; done < result.size();) {
      const ssize_t written = write(channel[1], result.data() + done, result.size() - done);
      if (written <= 0) break;
      done += static_cast<size_t>(written);
    }
    _exit(0);
  }
  close(channel[1]);
  std::string result;
  char buffer[4096];
  for (ssize_t got; (got = read(channel[0], buffer, sizeof buffer)) > 0;) {
    result.append(buffer, static_cast<size_t>(got));
  }
  close(channel[0]);
  waitpid(child, nullptr, 0);
  return result;
}

// As the unprivileged user, for whom the system's permission checks apply
// even when the tests run as root.
inline std::string AsUnprivilegedUser(const std::function<std::string()>& operation) {
  return InChildProcess([&] {
    if (setgroups(0, nullptr) != 0 || setresgid(kUnprivilegedUser, kUnprivilegedUser, kUnprivilegedUser) != 0 ||
        setresuid(kUnprivilegedUser, kUnprivilegedUser, kUnprivilegedUser) != 0) {
      return std::string("cannot drop privileges");
    }
    return operation();
  });
}

}  // namespace kova
