// How much memory this process can still have: what the kernel counts as
// available, or the room left under a control group's memory limit where
// that is less. The parsers take the text of the files they read, so that
// they can be tried on any system's contents.
#ifndef KOVA_TRANSLATE_MEMORY_ROOM_H_
#define KOVA_TRANSLATE_MEMORY_ROOM_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kova {

// The bytes of "MemAvailable" in the text of /proc/meminfo.
std::optional<long long> MemAvailableBytes(std::string_view meminfo);

// The limit and usage files of one memory control group.
struct CgroupMemoryFiles {
  std::string limit;
  std::string usage;
};

// The memory control groups of this process, its own first and then each
// one above it (a parent's limit binds its children too), from the text of
// /proc/self/cgroup and /proc/self/mountinfo; version 2 and version 1 alike.
std::vector<CgroupMemoryFiles> CgroupMemoryFileNames(std::string_view cgroup,
                                                     std::string_view mountinfo);

// What a control group's limit leaves above its usage, from the two files'
// text; none for an unlimited group ("max") or text that is no number.
std::optional<long long> CgroupRoom(std::string_view limit, std::string_view usage);

// The memory this process can have now, read from /proc; half the machine's
// memory where /proc cannot tell.
long long MemoryRoom();

}  // namespace kova

#endif  // KOVA_TRANSLATE_MEMORY_ROOM_H_
