#include "translate/memory_room.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

namespace kova {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  const auto is_blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<long long> Number(std::string_view text) {
  text = TrimBlanks(text);
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return std::nullopt;
  return value;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (size_t end = text.find(separator); end != std::string_view::npos; end = text.find(separator)) {
    parts.push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  parts.push_back(text);
  return parts;
}

bool Contains(const std::vector<std::string_view>& items, std::string_view item) {
  return std::find(items.begin(), items.end(), item) != items.end();
}

// Where a hierarchy is mounted and which of its folders the mount shows as
// its top.
struct CgroupMount {
  std::string_view root;
  std::string_view point;
};

// The mount of the version 2 hierarchy (memory_v1 false) or of the version 1
// hierarchy that holds the memory controller.
std::optional<CgroupMount> FindMount(std::string_view mountinfo, bool memory_v1) {
  for (std::string_view line : Split(mountinfo, '\n')) {
    const std::vector<std::string_view> fields = Split(line, ' ');
    const auto dash = std::find(fields.begin(), fields.end(), "-");
    if (fields.size() < 5 || fields.end() - dash < 4) continue;
    const std::string_view type = dash[1];
    const bool matches = memory_v1 ? type == "cgroup" && Contains(Split(dash[3], ','), "memory")
                                   : type == "cgroup2";
    if (matches) return CgroupMount{fields[3], fields[4]};
  }
  return std::nullopt;
}

std::optional<std::string> ReadSmallFile(const std::string& name) {
  std::ifstream file(name);
  if (!file) return std::nullopt;
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

std::optional<long long> MemAvailableBytes(std::string_view meminfo) {
  constexpr std::string_view kKey = "MemAvailable:";
  for (std::string_view line : Split(meminfo, '\n')) {
    if (!line.starts_with(kKey)) continue;
    line.remove_prefix(kKey.size());
    line = TrimBlanks(line);
    if (!line.ends_with("kB")) return std::nullopt;
    line.remove_suffix(2);
    const std::optional<long long> kilobytes = Number(line);
    if (!kilobytes || *kilobytes > (1LL << 52)) return std::nullopt;
    return *kilobytes * 1024;
  }
  return std::nullopt;
}

std::vector<CgroupMemoryFiles> CgroupMemoryFileNames(std::string_view cgroup,
                                                     std::string_view mountinfo) {
  std::vector<CgroupMemoryFiles> groups;
  for (std::string_view line : Split(cgroup, '\n')) {
    const size_t first = line.find(':');
    if (first == std::string_view::npos) continue;
    const size_t second = line.find(':', first + 1);
    if (second == std::string_view::npos) continue;
    const std::string_view controllers = line.substr(first + 1, second - first - 1);
    std::string_view path = line.substr(second + 1);
    const bool v1 = Contains(Split(controllers, ','), "memory");
    if (!v1 && !(controllers.empty() && line.substr(0, first) == "0")) continue;
    const std::optional<CgroupMount> mount = FindMount(mountinfo, v1);
    if (!mount) continue;
    // The mount shows the hierarchy from its root down; a group outside it
    // cannot be read.
    if (mount->root != "/") {
      if (!path.starts_with(mount->root)) continue;
      path.remove_prefix(mount->root.size());
    }
    while (!path.empty() && path.back() == '/') path.remove_suffix(1);
    for (;;) {
      const std::string folder = std::string(mount->point) + std::string(path) + "/";
      groups.push_back(v1 ? CgroupMemoryFiles{folder + "memory.limit_in_bytes", folder + "memory.usage_in_bytes"}
                          : CgroupMemoryFiles{folder + "memory.max", folder + "memory.current"});
      if (path.empty()) break;
      const size_t slash = path.rfind('/');
      path = slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
    }
  }
  return groups;
}

std::optional<long long> CgroupRoom(std::string_view limit, std::string_view usage) {
  const std::optional<long long> limit_bytes = Number(limit);
  const std::optional<long long> usage_bytes = Number(usage);
  if (!limit_bytes || !usage_bytes) return std::nullopt;
  return std::max(0LL, *limit_bytes - *usage_bytes);
}

long long MemoryRoom() {
  std::optional<long long> room;
  if (const std::optional<std::string> meminfo = ReadSmallFile("/proc/meminfo"))
    room = MemAvailableBytes(*meminfo);
  if (!room) {
    const long long pages = sysconf(_SC_PHYS_PAGES);
    const long long page_size = sysconf(_SC_PAGESIZE);
    room = pages > 0 && page_size > 0 ? pages / 2 * page_size : 1LL << 30;
  }
  const std::optional<std::string> cgroup = ReadSmallFile("/proc/self/cgroup");
  const std::optional<std::string> mountinfo = ReadSmallFile("/proc/self/mountinfo");
  if (!cgroup || !mountinfo) return *room;
  for (const CgroupMemoryFiles& group : CgroupMemoryFileNames(*cgroup, *mountinfo)) {
    const std::optional<std::string> limit = ReadSmallFile(group.limit);
    const std::optional<std::string> usage = ReadSmallFile(group.usage);
    if (!limit || !usage) continue;
    if (const std::optional<long long> group_room = CgroupRoom(*limit, *usage))
      room = std::min(*room, *group_room);
  }
  return *room;
}

}  // namespace kova
