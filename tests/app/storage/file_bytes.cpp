#include "app/storage/file_bytes.h"

#include <QFile>
#include <gtest/gtest.h>

namespace kova {

void PutFileBytes(const QString& path, const std::string& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
  ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
            static_cast<qint64>(bytes.size()));
}

std::string FileBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &fPreviousAction);
  getrlimit(RLIMIT_FSIZE, &fPreviousLimit);
  rlimit limit = fPreviousLimit;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  setrlimit(RLIMIT_FSIZE, &fPreviousLimit);
  sigaction(SIGXFSZ, &fPreviousAction, nullptr);
}

}  // namespace kova
