// The memory a run may have, read from the kernel's files as this and other
// systems write them.
#include <gtest/gtest.h>

#include "translate/memory_room.h"

namespace kova {
namespace {

TEST(MemoryRoom, AvailableMemoryAndControlGroupLimitsAreRead) {
  EXPECT_EQ(MemAvailableBytes("MemTotal:       24000000 kB\nMemFree:  100 kB\nMemAvailable:   20526144 kB\n"),
            20526144LL * 1024);
  EXPECT_EQ(MemAvailableBytes("MemTotal: 1 kB\n"), std::nullopt);
  EXPECT_EQ(MemAvailableBytes("MemAvailable: lots\n"), std::nullopt);

  // Version 2 inside a namespace of its own: the group is the mount's top.
  const auto v2 = CgroupMemoryFileNames(
      "0::/\n", "41 31 0:38 / /sys/fs/cgroup rw,nosuid - cgroup2 cgroup2 rw,nsdelegate\n");
  ASSERT_EQ(v2.size(), 1u);
  EXPECT_EQ(v2[0].limit, "/sys/fs/cgroup/memory.max");
  EXPECT_EQ(v2[0].usage, "/sys/fs/cgroup/memory.current");

  // Version 2 seen from the host: the group and each group above it.
  const auto nested = CgroupMemoryFileNames(
      "0::/user.slice/app.scope\n", "30 23 0:26 / /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n");
  ASSERT_EQ(nested.size(), 3u);
  EXPECT_EQ(nested[0].limit, "/sys/fs/cgroup/user.slice/app.scope/memory.max");
  EXPECT_EQ(nested[1].limit, "/sys/fs/cgroup/user.slice/memory.max");
  EXPECT_EQ(nested[2].limit, "/sys/fs/cgroup/memory.max");

  // Version 1 beside a hybrid version 2 mount without the memory controller;
  // the mount shows the hierarchy from a folder below its root.
  const char* const v1_groups = "5:devices:/\n4:memory:/docker/abc\n0::/\n";
  const char* const v1_mounts =
      "32 31 0:29 / /sys/fs/cgroup/cpu rw,relatime - cgroup cgroup rw,cpu\n"
      "35 31 0:32 /docker /sys/fs/cgroup/memory rw,relatime - cgroup cgroup rw,memory\n";
  const auto v1 = CgroupMemoryFileNames(v1_groups, v1_mounts);
  ASSERT_EQ(v1.size(), 2u);
  EXPECT_EQ(v1[0].limit, "/sys/fs/cgroup/memory/abc/memory.limit_in_bytes");
  EXPECT_EQ(v1[0].usage, "/sys/fs/cgroup/memory/abc/memory.usage_in_bytes");
  EXPECT_EQ(v1[1].limit, "/sys/fs/cgroup/memory/memory.limit_in_bytes");
  EXPECT_TRUE(CgroupMemoryFileNames("garbage\n:\n", "junk - \n").empty());

  EXPECT_EQ(CgroupRoom("1073741824\n", "343674880\n"), 1073741824LL - 343674880);
  EXPECT_EQ(CgroupRoom("100\n", "200\n"), 0);
  EXPECT_EQ(CgroupRoom("max\n", "343674880\n"), std::nullopt);
  EXPECT_EQ(CgroupRoom("9223372036854771712\n", "1\n"), 9223372036854771711LL);

  EXPECT_GT(MemoryRoom(), 0);
}

}  // namespace
}  // namespace kova
