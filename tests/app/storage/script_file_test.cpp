// Script files on disk and in the editor: every byte kept, the breaks chosen
// again on saving, and a failed write never costs the previous file.
#include "app/editor/editor_bytes.h"
#include "app/storage/file_bytes.h"
#include "app/storage/file_descriptor.h"
#include "app/storage/file_lock.h"
#include "app/storage/image_file.h"
#include "app/storage/profile_file.h"
#include "app/storage/script_file.h"
#include "support/child_process.h"
#include "support/other_program_locks.h"

#include <Qsci/qsciscintilla.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <functional>
#include <initializer_list>
#include <optional>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kova {
namespace {

std::string AllByteValues() {
  std::string bytes;
  for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
  return bytes;
}

struct BreakExample {
  std::string file;
  LineBreakFormat detected;
  std::string savedWithDetected;
};

TEST(LineBreakTest, ExamplesKeepTheirBytes) {
  const BreakExample examples[] = {
      {"a\r\nb\r\n", LineBreakFormat::Windows, "a\r\nb\r\n"},
      {"x\ry\nz", LineBreakFormat::Mac, "x\ry\rz"},
      {"a\n\rb", LineBreakFormat::Unix, "a\n\nb"},
      {"a\r\nb", LineBreakFormat::Windows, "a\r\nb"},
      {"", LineBreakFormat::NoBreak, ""},
      {"no break", LineBreakFormat::NoBreak, "no break"},
      {"x\r", LineBreakFormat::Mac, "x\r"},
      {"\n", LineBreakFormat::Unix, "\n"},
  };
  for (const BreakExample& example : examples) {
    EXPECT_EQ(DetectLineBreakFormat(example.file), example.detected) << example.file;
    EXPECT_EQ(ReplaceLineBreaks(example.file, LineBreakBytes(example.detected)),
              example.savedWithDetected)
        << example.file;
  }
}

TEST(LineBreakTest, ChosenBreakReplacesEveryMixedBreak) {
  EXPECT_EQ(ReplaceLineBreaks("a\r\nb\rc\nd\n\re", "\n"), "a\nb\nc\nd\n\ne");
  EXPECT_EQ(ReplaceLineBreaks("a\nb\n", "\r\n"), "a\r\nb\r\n");
  EXPECT_EQ(LineBreakBytes(LineBreakFormat::NoBreak), "\r\n");
}

TEST(LineBreakTest, BinaryBytesBetweenBreaksStayAsTheyAre) {
  std::string binary = AllByteValues();
  binary.erase(std::remove_if(binary.begin(), binary.end(),
                              [](char c) { return c == '\r' || c == '\n'; }),
               binary.end());
  const std::string file = binary + "\r\n" + binary + std::string(1, '\0') + "\r\n";
  EXPECT_EQ(ReplaceLineBreaks(file, "\r\n"), file);
}

std::string NativeName(const QString& path) { return QFile::encodeName(path).toStdString(); }

// An extended attribute's value; nothing where the file has none.
std::optional<std::string> AttributeOf(const QString& path, const char* name) {
  std::string value(256, '\0');
  const ssize_t length = getxattr(NativeName(path).c_str(), name, value.data(), value.size());
  if (length < 0) return std::nullopt;
  value.resize(static_cast<size_t>(length));
  return value;
}

class ScriptFileTest : public ::testing::Test {
 protected:
  QString PathOf(const QString& name) const { return dir_.filePath(name); }

  static std::string MessageOfWrite(const QString& path, const std::string& bytes = "text") {
    try {
      WriteScriptFile(path, bytes);
    } catch (const ScriptFileError& error) {
      return error.what();
    }
    return "no error";
  }

  static std::string MessageOfRead(const QString& path) {
    try {
      ReadScriptFile(path);
    } catch (const ScriptFileError& error) {
      return error.what();
    }
    return "no error";
  }

  QStringList FolderEntries() const {
    return QDir(dir_.path())
        .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
  }

  QTemporaryDir dir_;
};

TEST_F(ScriptFileTest, EveryByteValueSurvivesWritingAndReading) {
  const std::string bytes = AllByteValues() + AllByteValues();
  WriteScriptFile(PathOf("binary.sh"), bytes);
  EXPECT_EQ(ReadScriptFile(PathOf("binary.sh")), bytes);
}

TEST_F(ScriptFileTest, ReadFailuresSayWhy) {
  EXPECT_EQ(MessageOfRead(PathOf("none.sh")),
            QStringLiteral("Datei %1 kann nicht geöffnet werden. Das System kann die angegebene "
                           "Datei nicht finden.")
                .arg(PathOf("none.sh"))
                .toStdString());
  EXPECT_EQ(MessageOfRead(dir_.path()),
            QStringLiteral("Datei %1 kann nicht geöffnet werden. Zugriff verweigert.")
                .arg(dir_.path())
                .toStdString());
}

TEST_F(ScriptFileTest, WriteFailuresCarryTheInOutMessages) {
  EXPECT_EQ(MessageOfWrite(PathOf("missing/a.sh")), "Ungültiger Dateiname");
  EXPECT_EQ(MessageOfWrite(dir_.path()), "Das Ziel ist ein Ordner, keine Datei");
  PutFileBytes(PathOf("plain"), "x");
  EXPECT_EQ(MessageOfWrite(PathOf("plain/a.sh")), "Ungültiger Dateiname");
}

TEST_F(ScriptFileTest, FailedWriteLeavesTheOldFileAndNoTemporary) {
  PutFileBytes(PathOf("keep.sh"), "old content\n");
  std::string message;
  {
    const FileSizeLimit limit(4096);
    message = MessageOfWrite(PathOf("keep.sh"), std::string(100000, 'n'));
  }
  EXPECT_EQ(message, "Die Datei wäre größer, als das System erlaubt");
  EXPECT_EQ(FileBytes(PathOf("keep.sh")), "old content\n");
  EXPECT_EQ(FolderEntries(), QStringList{"keep.sh"});
}

TEST_F(ScriptFileTest, RewriteKeepsPermissionsAndAttributes) {
  PutFileBytes(PathOf("tool.sh"), "old");
  const QByteArray tool = QFile::encodeName(PathOf("tool.sh"));
  ASSERT_EQ(chmod(tool.constData(), 0750), 0);
  // As browsers mark a download. The file is still replaced by a rename, so
  // that a crash while saving cannot leave a mix of old and new.
  const std::string origin = "https://example.org/tool.sh";
  const bool attributed = setxattr(tool.constData(), "user.xdg.origin.url", origin.data(), origin.size(), 0) == 0;
  struct stat info {};
  ASSERT_EQ(stat(tool.constData(), &info), 0);
  const ino_t replaced = info.st_ino;
  WriteScriptFile(PathOf("tool.sh"), "new");
  ASSERT_EQ(stat(tool.constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0750u);
  EXPECT_EQ(ReadScriptFile(PathOf("tool.sh")), "new");
  EXPECT_EQ(FolderEntries(), QStringList{"tool.sh"});
  if (!attributed) GTEST_SKIP() << "the file system of " << dir_.path().toStdString() << " takes no user attributes";
  EXPECT_NE(info.st_ino, replaced);
  EXPECT_EQ(AttributeOf(PathOf("tool.sh"), "user.xdg.origin.url"), origin);
}

TEST_F(ScriptFileTest, NewFileGetsTheUsualPermissions) {
  const mode_t mask = umask(022);
  WriteScriptFile(PathOf("new.sh"), "x");
  umask(mask);
  struct stat info {};
  ASSERT_EQ(stat(QFile::encodeName(PathOf("new.sh")).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST_F(ScriptFileTest, SymbolicLinkStaysALinkToTheUpdatedFile) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir("real"));
  PutFileBytes(PathOf("real/script.sh"), "old");
  ASSERT_EQ(symlink("real/script.sh", QFile::encodeName(PathOf("link.sh")).constData()), 0);
  WriteScriptFile(PathOf("link.sh"), "new");
  EXPECT_TRUE(QFileInfo(PathOf("link.sh")).isSymLink());
  EXPECT_EQ(ReadScriptFile(PathOf("real/script.sh")), "new");
}

TEST_F(ScriptFileTest, DanglingLinkCreatesItsTarget) {
  ASSERT_EQ(symlink("target.sh", QFile::encodeName(PathOf("link.sh")).constData()), 0);
  WriteScriptFile(PathOf("link.sh"), "made");
  EXPECT_TRUE(QFileInfo(PathOf("link.sh")).isSymLink());
  EXPECT_EQ(ReadScriptFile(PathOf("target.sh")), "made");
}

TEST_F(ScriptFileTest, LinkLoopIsAnErrorInWords) {
  ASSERT_EQ(symlink("b", QFile::encodeName(PathOf("a")).constData()), 0);
  ASSERT_EQ(symlink("a", QFile::encodeName(PathOf("b")).constData()), 0);
  const std::string loop = "Der Pfad führt über zu viele symbolische Verknüpfungen, vermutlich im Kreis";
  EXPECT_EQ(MessageOfWrite(PathOf("a")), loop);
  EXPECT_EQ(MessageOfRead(PathOf("a")),
            QStringLiteral("Datei %1 kann nicht geöffnet werden. ").arg(PathOf("a")).toStdString() + loop + ".");
}

TEST_F(ScriptFileTest, LongestLegalNameSaves) {
  const QString name = QString(252, QLatin1Char('n')) + ".sh";
  WriteScriptFile(PathOf(name), "x");
  EXPECT_EQ(ReadScriptFile(PathOf(name)), "x");
  EXPECT_EQ(FolderEntries(), QStringList{name});
}

std::string MessageOfPicture(const QString& path) {
  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(Qt::white);
  try {
    WriteImageFile(picture, path, ImageFormat::Png);
  } catch (const ImageFileError& error) {
    return error.what();
  }
  return "saved";
}

std::string MessageOfSettings(const QString& path) {
  try {
    ProfileFile ini(path);
    ini.WriteInteger("S", "K", 2);
    ini.UpdateFile();
  } catch (const ProfileWriteError& error) {
    return error.what();
  }
  return "saved";
}

std::string CannotWritePicture(const QString& path, const char* reason) {
  return QStringLiteral("Die Datei \"%1\" kann nicht geschrieben werden: %2").arg(path, reason).toStdString();
}

TEST_F(ScriptFileTest, TargetsThatAreNoRegularFilesAreRefusedForEveryKind) {
  const QString pipe = PathOf("pipe");
  ASSERT_EQ(mkfifo(NativeName(pipe).c_str(), 0666), 0);
  ASSERT_EQ(symlink("pipe", NativeName(PathOf("link.sh")).c_str()), 0);
  const char* refused = "Das Ziel ist keine gewöhnliche Datei (Pipe, Gerät oder Socket)";
  EXPECT_EQ(MessageOfWrite(pipe), refused);
  EXPECT_EQ(MessageOfWrite(PathOf("link.sh")), refused);
  EXPECT_EQ(MessageOfPicture(pipe), CannotWritePicture(pipe, refused));
  // A settings file that could not be read is left alone; the window's exit
  // says so, as its start did.
  EXPECT_EQ(MessageOfSettings(pipe), "saved");
  struct stat info {};
  ASSERT_EQ(lstat(NativeName(pipe).c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_EQ(FolderEntries(), (QStringList{"link.sh", "pipe"}));
}

ino_t InodeOf(const QString& path) {
  struct stat info {};
  return stat(NativeName(path).c_str(), &info) == 0 ? info.st_ino : 0;
}

mode_t ModeOf(const QString& path) {
  struct stat info {};
  return stat(NativeName(path).c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

uid_t OwnerOf(const QString& path) {
  struct stat info {};
  return stat(NativeName(path).c_str(), &info) == 0 ? info.st_uid : 1;
}

// A file of `owner` (the unprivileged user unless said) with the mode given.
void PutOwnFile(const QString& path, const std::string& bytes, mode_t mode, uid_t owner = 65534) {
  PutFileBytes(path, bytes);
  ASSERT_EQ(chown(NativeName(path).c_str(), owner, owner), 0);
  ASSERT_EQ(chmod(NativeName(path).c_str(), mode), 0);
}

// A temporary folder the unprivileged user can reach: under /tmp and open to
// everyone, where a test's own folder is open to its owner only.
class ReachableFolder : public QTemporaryDir {
 public:
  ReachableFolder() : QTemporaryDir(QStringLiteral("/tmp/kova-saving-XXXXXX")) {
    reachable_ = isValid() && chmod(NativeName(path()).c_str(), 0755) == 0;
  }
  bool Reachable() const { return reachable_; }

 private:
  bool reachable_ = false;
};

TEST_F(ScriptFileTest, UnprivilegedUserKeepsWriteProtectionLinksAndOwners) {
  if (geteuid() != 0) GTEST_SKIP() << "files of another user can only be made as root";
  const ReachableFolder base;
  ASSERT_TRUE(base.Reachable());
  const QString open = base.filePath("open");
  const QString closed = base.filePath("closed");
  for (const QString& folder : {open, closed}) {
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_EQ(chown(NativeName(folder).c_str(), 65534, 65534), 0);
  }
  ASSERT_EQ(chmod(NativeName(closed).c_str(), 0555), 0);
  PutOwnFile(open + "/protected.sh", "old", 0444);
  PutOwnFile(open + "/protected.png", "old", 0444);
  PutOwnFile(open + "/KOVA.ini", "[S]\nK=1\n", 0444);
  PutOwnFile(open + "/shared.sh", "old", 0666, 0);
  PutOwnFile(open + "/shared.png", "old", 0666, 0);
  // The system clears the set-ID bits on a write and a change of group.
  PutOwnFile(open + "/setuid.sh", "old", 06755);
  PutOwnFile(open + "/linked.sh", "old", 06755);
  ASSERT_EQ(link(NativeName(open + "/linked.sh").c_str(), NativeName(open + "/second.sh").c_str()), 0);
  PutOwnFile(closed + "/own.sh", "old", 02755);
  // An attribute only the privileged may set keeps the file in place.
  PutOwnFile(open + "/labelled.sh", "old", 0644);
  const bool labelled = setxattr(NativeName(open + "/labelled.sh").c_str(), "security.kova", "1", 1, 0) == 0;
  const ino_t labelledInode = InodeOf(open + "/labelled.sh");

  const std::string messages = AsUnprivilegedUser([&] {
    std::string result;
    for (const char* name : {"/protected.sh", "/shared.sh", "/setuid.sh", "/linked.sh"}) {
      result += MessageOfWrite(open + name, "new") + "\n";
    }
    result += MessageOfPicture(open + "/protected.png") + "\n";
    result += MessageOfPicture(open + "/shared.png") + "\n";
    result += MessageOfSettings(open + "/KOVA.ini") + "\n";
    result += MessageOfWrite(closed + "/own.sh", "new") + "\n";
    result += MessageOfWrite(closed + "/new.sh", "new") + "\n";
    result += MessageOfWrite(open + "/labelled.sh", "new") + "\n";
    return result;
  });

  const std::string refusedSettings =
      QStringLiteral("In %1 kann nicht geschrieben werden: Dateizugriff verweigert.")
          .arg(open + "/KOVA.ini")
          .toStdString();
  EXPECT_EQ(messages, "Dateizugriff verweigert\nno error\nno error\nno error\n" +
                          CannotWritePicture(open + "/protected.png", "Dateizugriff verweigert") +
                          "\nsaved\n" + refusedSettings + "\nno error\nDateizugriff verweigert\nno error\n");
  EXPECT_EQ(FileBytes(open + "/protected.sh"), "old");
  EXPECT_EQ(ModeOf(open + "/protected.sh"), 0444u);
  EXPECT_EQ(FileBytes(open + "/protected.png"), "old");
  EXPECT_EQ(FileBytes(open + "/KOVA.ini"), "[S]\nK=1\n");
  EXPECT_EQ(FileBytes(open + "/shared.sh"), "new");
  EXPECT_EQ(OwnerOf(open + "/shared.sh"), 0u);
  EXPECT_EQ(QImage(open + "/shared.png").size(), QSize(4, 4));
  EXPECT_EQ(OwnerOf(open + "/shared.png"), 0u);
  EXPECT_EQ(FileBytes(open + "/setuid.sh"), "new");
  EXPECT_EQ(ModeOf(open + "/setuid.sh"), 06755u);
  EXPECT_EQ(FileBytes(open + "/second.sh"), "new");
  EXPECT_EQ(ModeOf(open + "/second.sh"), 06755u);
  EXPECT_EQ(FileBytes(closed + "/own.sh"), "new");
  EXPECT_EQ(ModeOf(closed + "/own.sh"), 02755u);
  EXPECT_EQ(FileBytes(open + "/labelled.sh"), "new");
  if (labelled) {
    EXPECT_EQ(InodeOf(open + "/labelled.sh"), labelledInode);
    EXPECT_EQ(AttributeOf(open + "/labelled.sh", "security.kova"), "1");
  }
  EXPECT_EQ(QDir(open).entryList(QDir::Files | QDir::Hidden).size(), 9);
  EXPECT_EQ(QDir(closed).entryList(QDir::Files | QDir::Hidden), QStringList{"own.sh"});
}

// The numbers as the system keeps them in an attribute, least significant
// byte first, each of `size` bytes.
std::string LittleEndian(std::initializer_list<std::pair<uint32_t, int>> numbers) {
  std::string bytes;
  for (const auto& [number, size] : numbers) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>((number >> (8 * i)) & 0xff);
  }
  return bytes;
}

// An access list as "system.posix_acl_*" holds it, as `setfacl` would write
// it: the owner, `user`, the group, the mask and others, each with the
// permissions given (4 read, 2 write, 1 execute).
std::string AccessList(uint32_t owner, uint32_t user, uint32_t group, uint32_t mask, uint32_t others) {
  constexpr uint32_t kNoId = 0xffffffff;
  return LittleEndian({{2, 4},
                       {0x01, 2}, {owner, 2}, {kNoId, 4},
                       {0x02, 2}, {user, 2}, {kUnprivilegedUser, 4},
                       {0x04, 2}, {group, 2}, {kNoId, 4},
                       {0x10, 2}, {mask, 2}, {kNoId, 4},
                       {0x20, 2}, {others, 2}, {kNoId, 4}});
}

// The access list a folder gives its new files, and a file's capabilities,
// belong to no saved content: a saved file can be read by no one who could
// not read it before, and runs with no privilege (the system ends a file's
// capabilities on every write, so a file written in place loses them too).
TEST_F(ScriptFileTest, SavedFileGainsNoRightItDidNotHave) {
  if (geteuid() != 0) GTEST_SKIP() << "another user's access and capabilities can only be tried as root";
  const ReachableFolder folder;
  ASSERT_TRUE(folder.Reachable());
  const QString plain = folder.filePath("plain.sh");
  const QString attributed = folder.filePath("attributed.sh");
  const QString listed = folder.filePath("listed.sh");
  const QString capable = folder.filePath("capable.sh");
  const QString linked = folder.filePath("linked.sh");
  for (const QString& path : {plain, attributed, listed, capable, linked}) PutOwnFile(path, "old", 0640, 0);
  ASSERT_EQ(link(NativeName(linked).c_str(), NativeName(folder.filePath("second.sh")).c_str()), 0);
  const std::string inherited = AccessList(7, 7, 5, 7, 5);  // setfacl -d -m u:nobody:rwx
  // setfacl -m u:nobody:r, which shows that the user can reach the files
  const std::string own = AccessList(6, 4, 4, 4, 0);
  const std::string origin = "https://example.org/attributed.sh";
  // cap_net_raw+ep
  const std::string capability = LittleEndian({{0x02000001, 4}, {1 << 13, 4}, {0, 4}, {0, 4}, {0, 4}});
  const auto put = [](const QString& path, const char* name, const std::string& value) {
    return setxattr(NativeName(path).c_str(), name, value.data(), value.size(), 0) == 0;
  };
  if (!put(folder.path(), "system.posix_acl_default", inherited) || !put(listed, "system.posix_acl_access", own) ||
      !put(attributed, "user.xdg.origin.url", origin)) {
    GTEST_SKIP() << "the file system of " << folder.path().toStdString()
                 << " takes no access lists or user attributes";
  }
  const bool capabilities =
      put(capable, "security.capability", capability) && put(linked, "security.capability", capability);
  const ino_t replaced = InodeOf(capable);
  const ino_t written = InodeOf(linked);

  for (const QString& path : {plain, attributed, listed, capable, linked}) {
    EXPECT_EQ(MessageOfWrite(path, "new"), "no error");
    EXPECT_EQ(FileBytes(path), "new");
    EXPECT_EQ(ModeOf(path), 0640u);
  }
  const std::string opened = AsUnprivilegedUser([&] {
    std::string result;
    for (const QString& path : {plain, attributed, listed}) {
      const FileDescriptor file(open(NativeName(path).c_str(), O_RDONLY | O_CLOEXEC));
      result += file.get() >= 0 ? "read " : "refused ";
    }
    return result;
  });
  EXPECT_EQ(opened, "refused refused read ");
  EXPECT_EQ(AttributeOf(plain, "system.posix_acl_access"), std::nullopt);
  EXPECT_EQ(AttributeOf(attributed, "system.posix_acl_access"), std::nullopt);
  EXPECT_EQ(AttributeOf(attributed, "user.xdg.origin.url"), origin);
  EXPECT_EQ(AttributeOf(listed, "system.posix_acl_access"), own);
  if (!capabilities) GTEST_SKIP() << "the file system of " << folder.path().toStdString() << " takes no capabilities";
  EXPECT_NE(InodeOf(capable), replaced);
  EXPECT_EQ(InodeOf(linked), written);
  EXPECT_EQ(AttributeOf(capable, "security.capability"), std::nullopt);
  EXPECT_EQ(AttributeOf(linked, "security.capability"), std::nullopt);
}

TEST_F(ScriptFileTest, LockOfAnotherProgramIsWaitedForOnlyAWhile) {
  PutFileBytes(PathOf("locked.sh"), "old");
  // Open-file locks of two opens conflict even within one process.
  const FileDescriptor other(open(NativeName(PathOf("locked.sh")).c_str(), O_RDWR | O_CLOEXEC));
  FileDescriptor ours(open(NativeName(PathOf("locked.sh")).c_str(), O_RDWR | O_CLOEXEC));
  const std::chrono::milliseconds moment(20);
  ASSERT_EQ(LockWholeFile(other.get(), F_RDLCK, moment), 0);
  EXPECT_EQ(LockWholeFile(ours.get(), F_RDLCK, moment), 0);  // readers share
  EXPECT_EQ(LockWholeFile(ours.get(), F_WRLCK, moment), EWOULDBLOCK);
  EXPECT_EQ(LockWholeFile(other.get(), F_WRLCK, moment), EWOULDBLOCK);
  ours.Close();
  EXPECT_EQ(LockWholeFile(other.get(), F_WRLCK, moment), 0);
}

// A plain file is replaced on saving, a hard-linked one written in place;
// neither may be saved while another program holds it, which would go on
// writing to it and lose what it wrote, nor opened while it may be half
// written.
TEST_F(ScriptFileTest, FileAnotherProgramKeepsLockedIsNeitherSavedNorOpened) {
  const QString plain = PathOf("plain.sh");
  const QString linked = PathOf("linked.sh");
  PutFileBytes(plain, "old");
  PutFileBytes(linked, "old");
  ASSERT_EQ(link(NativeName(linked).c_str(), NativeName(PathOf("second.sh")).c_str()), 0);
  const ino_t plainInode = InodeOf(plain);
  const ShortLockPatience patience;
  OtherProgramsLocks locks({plain, linked});
  ASSERT_TRUE(locks.Held());
  for (const QString& path : {plain, linked}) {
    EXPECT_EQ(MessageOfWrite(path, "new"),
              QStringLiteral("Datei %1 kann nicht gespeichert werden. Ein anderes Programm hält die "
                             "Datei gesperrt.")
                  .arg(path)
                  .toStdString());
    EXPECT_EQ(MessageOfRead(path),
              QStringLiteral("Datei %1 kann nicht geöffnet werden. Ein anderes Programm hält die "
                             "Datei gesperrt.")
                  .arg(path)
                  .toStdString());
    EXPECT_EQ(FileBytes(path), "old");
  }
  EXPECT_EQ(InodeOf(plain), plainInode);
  EXPECT_EQ(FolderEntries(), (QStringList{"linked.sh", "plain.sh", "second.sh"}));

  locks.LetGo();
  for (const QString& path : {plain, linked}) {
    EXPECT_EQ(MessageOfWrite(path, "new"), "no error");
    EXPECT_EQ(ReadScriptFile(path), "new");
  }
}

// Starts a process for each operation and lets them all begin at the same
// moment; returns how many did not return true.
int FailuresRunTogether(const std::vector<std::function<bool()>>& operations) {
  int start[2];
  if (pipe(start) != 0) return static_cast<int>(operations.size());
  std::vector<pid_t> children;
  for (const auto& operation : operations) {
    const pid_t child = fork();
    if (child == 0) {
      close(start[1]);
      char go;
      const bool started = read(start[0], &go, 1) == 0;
      _exit(started && operation() ? 0 : 1);
    }
    children.push_back(child);
  }
  close(start[0]);
  close(start[1]);  // the end of the pipe is every child's signal to start
  int failures = 0;
  for (const pid_t child : children) {
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      ++failures;
    }
  }
  return failures;
}

// Two programs save one file written in place while a third opens it.
TEST_F(ScriptFileTest, TwoProgramsWritingInPlaceLeaveOneWholeContent) {
  const std::string longer(3 << 20, 'l');
  const std::string shorter(2 << 20, 's');
  PutFileBytes(PathOf("shared.sh"), shorter);
  // A second link makes every save write in place.
  ASSERT_EQ(link(NativeName(PathOf("shared.sh")).c_str(), NativeName(PathOf("second.sh")).c_str()), 0);
  const auto writing = [&](const std::string& bytes) -> std::function<bool()> {
    return [&] {
      try {
        WriteScriptFile(PathOf("shared.sh"), bytes);
        return true;
      } catch (const ScriptFileError&) {
        return false;
      }
    };
  };
  const auto readingOneWhole = [&] {
    const std::string read = ReadScriptFile(PathOf("shared.sh"));
    return read == longer || read == shorter;
  };
  constexpr int kRounds = 50;
  int failures = 0;
  int mixed = 0;
  for (int round = 0; round < kRounds; ++round) {
    failures += FailuresRunTogether({writing(longer), writing(shorter), readingOneWhole});
    const std::string result = FileBytes(PathOf("second.sh"));
    if (result != longer && result != shorter) ++mixed;
  }
  EXPECT_EQ(failures, 0) << "of " << kRounds << " rounds";
  EXPECT_EQ(mixed, 0) << "of " << kRounds << " rounds";
}

TEST_F(ScriptFileTest, FullDiskRefusesBeforeTheOldContentIsGone) {
  const std::string folder = NativeName(dir_.path());
  const std::string result = InChildProcess([&] {
    // A small file system of the child's own, seen by no other process.
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") != 0) {
      return std::string("no mount");
    }
    const std::string old(40000, 'o');
    WriteScriptFile(PathOf("a.sh"), old);
    // A second link makes the save write in place.
    if (link((folder + "/a.sh").c_str(), (folder + "/b.sh").c_str()) != 0) return std::string("no link");
    const std::string message = MessageOfWrite(PathOf("a.sh"), std::string(100000, 'n'));
    return message + (ReadScriptFile(PathOf("b.sh")) == old ? ", kept" : ", lost");
  });
  if (result == "no mount") GTEST_SKIP() << "no file system of its own can be mounted here";
  EXPECT_EQ(result, "Auf dem Datenträger ist kein Platz mehr frei, kept");
}

TEST(EditorBytesTest, NulAndHighBytesPassThroughTheEditor) {
  using namespace std::string_literals;
  QsciScintilla editor;
  const std::string bytes = "a\0b\r\n"s + AllByteValues() + "\0"s;
  ASSERT_EQ(bytes.size(), 5u + 256u + 1u);
  LoadEditorBytes(editor, bytes);
  EXPECT_EQ(EditorBytes(editor), bytes);
  // The editor itself holds every byte at its place: a NUL neither ends a
  // line nor is dropped, and a high byte is one character. (QScintilla's
  // text() stops at a NUL, so the editor is asked byte by byte.)
  ASSERT_EQ(editor.SendScintilla(QsciScintillaBase::SCI_GETLENGTH), static_cast<long>(bytes.size()));
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    EXPECT_EQ(static_cast<char>(editor.SendScintilla(QsciScintillaBase::SCI_GETCHARAT, i)), bytes[i]) << i;
  }
  // The byte values break twice more, at LF and at the CR before 14.
  EXPECT_EQ(editor.lines(), 4);
  EXPECT_EQ(editor.lineLength(0), 5);
}

TEST(EditorBytesTest, EditorLinesFollowTheScriptRules) {
  QsciScintilla editor;
  LoadEditorBytes(editor, "x\ry\nz");
  EXPECT_EQ(editor.lines(), 3);
  LoadEditorBytes(editor, "a\n\rb");
  EXPECT_EQ(editor.lines(), 3);
  LoadEditorBytes(editor, "a\r\nb\r\n");
  EXPECT_EQ(editor.lines(), 3);
  editor.setUtf8(false);
  LoadEditorBytes(editor, "\xe4\xf6\xfc");
  EXPECT_EQ(editor.text(), QString::fromLatin1("\xe4\xf6\xfc"));
}

TEST(EditorBytesTest, LoadingKeepsTheWrapMode) {
  QsciScintilla editor;
  editor.setWrapMode(QsciScintilla::WrapWord);
  LoadEditorBytes(editor, std::string(100000, 'w'));
  EXPECT_EQ(editor.wrapMode(), QsciScintilla::WrapWord);
  EXPECT_EQ(editor.length(), 100000);
}

TEST(EditorBytesTest, LoadedTextIsAFreshDocument) {
  QsciScintilla editor;
  editor.setText("typed");
  ASSERT_TRUE(editor.isModified());
  LoadEditorBytes(editor, "loaded");
  EXPECT_FALSE(editor.isModified());
  EXPECT_FALSE(editor.isUndoAvailable());
  EXPECT_EQ(editor.text(), "loaded");
}

}  // namespace
}  // namespace kova
