#include "platform/instance_lock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/test_support.h"

namespace {

// Sets XDG_RUNTIME_DIR for one test and puts the old value back.
class RuntimeDir {
 public:
  explicit RuntimeDir(const std::string& value) {
    if (const char* old = std::getenv("XDG_RUNTIME_DIR")) old_ = old, had_ = true;
    setenv("XDG_RUNTIME_DIR", value.c_str(), 1);
  }
  ~RuntimeDir() {
    if (had_) setenv("XDG_RUNTIME_DIR", old_.c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
  }

 private:
  std::string old_;
  bool had_ = false;
};

// Each lock holds its own open file description, so two in one process behave like two
// processes.
TEST(InstanceLock, OnlyTheFirstHolderIsFirstUntilAllAreGone) {
  qltest::TempDir dir;
  RuntimeDir run(dir.Path());
  EXPECT_EQ(ql::InstanceLockFolder(), dir.Path() + "/");
  const std::string name = "test.lock";
  {
    ql::TInstanceLock a, b, c;
    EXPECT_TRUE(a.Acquire(name));
    EXPECT_FALSE(b.Acquire(name));
    a.Close();
    EXPECT_FALSE(c.Acquire(name)) << "b still runs";
  }
  ql::TInstanceLock d;
  EXPECT_TRUE(d.Acquire(name)) << "every instance ended";
}

TEST(InstanceLock, FolderFallsBackToTmp) {
  RuntimeDir run("");
  EXPECT_EQ(ql::InstanceLockFolder(), "/tmp/");
}

}  // namespace
