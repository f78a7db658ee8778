// Another program holding locks on files, and a short wait for them, for
// the tests of what the program does while a file is locked.
#pragma once

#include <QFile>
#include <QString>

#include <chrono>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "app/storage/file_lock.h"

namespace kova {

// Another program: a process of its own that holds a record lock, as lockf
// and SQLite take them, on each of the files until it is let go.
class OtherProgramsLocks {
 public:
  explicit OtherProgramsLocks(const std::vector<QString>& paths) {
    std::vector<std::string> names;
    for (const QString& path : paths) names.push_back(QFile::encodeName(path).toStdString());
    int ready[2];
    if (pipe(ready) != 0) return;
    if (pipe(release_) != 0) release_[1] = -1;
    child_ = release_[1] < 0 ? -1 : fork();
    if (child_ == 0) {
      close(ready[0]);
      close(release_[1]);
      size_t locked = 0;
      for (const std::string& name : names) {
        struct flock whole {};
        whole.l_type = F_WRLCK;
        whole.l_whence = SEEK_SET;
        const int file = open(name.c_str(), O_RDWR);
        if (file >= 0 && fcntl(file, F_SETLK, &whole) == 0) ++locked;
      }
      const char held = locked == names.size() ? 'y' : 'n';
      if (write(ready[1], &held, 1) != 1) _exit(1);
      close(ready[1]);
      for (char any; read(release_[0], &any, 1) > 0;) {
      }
      _exit(0);
    }
    close(ready[1]);
    if (release_[1] >= 0) close(release_[0]);
    char held = 'n';
    held_ = child_ > 0 && read(ready[0], &held, 1) == 1 && held == 'y';
    close(ready[0]);
  }
  ~OtherProgramsLocks() { LetGo(); }
  OtherProgramsLocks(const OtherProgramsLocks&) = delete;
  OtherProgramsLocks& operator=(const OtherProgramsLocks&) = delete;

  bool Held() const { return held_; }

  // Returns once the program has ended, and its locks with it.
  void LetGo() {
    if (release_[1] >= 0) close(std::exchange(release_[1], -1));
    if (child_ > 0) waitpid(std::exchange(child_, -1), nullptr, 0);
  }

 private:
  int release_[2] = {-1, -1};
  pid_t child_ = -1;
  bool held_ = false;
};

// Refusals are seen at once rather than after the program's full wait.
struct ShortLockPatience {
  ShortLockPatience() { SetFileLockPatience(std::chrono::milliseconds(100)); }
  ~ShortLockPatience() { SetFileLockPatience(kFileLockPatience); }
};

}  // namespace kova
