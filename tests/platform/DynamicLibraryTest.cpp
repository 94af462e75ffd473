#include "platform/DynamicLibrary.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>

namespace qm {
namespace {

TEST(DynamicLibrary, ResolvesExportedFunctions) {
  TDynamicLibrary libc("libc.so.6");
  ASSERT_TRUE(libc.Loaded()) << libc.LastError();
  using StrlenFn = size_t (*)(const char*);
  auto length = libc.Function<StrlenFn>("strlen");
  ASSERT_NE(length, nullptr);
  EXPECT_EQ(length("four"), 4u);

  EXPECT_EQ(libc.Symbol("no_such_symbol_anywhere"), nullptr);
  EXPECT_NE(libc.LastError().find("no_such_symbol_anywhere"), std::string::npos);
}

TEST(DynamicLibrary, MissingLibraryIsNotLoaded) {
  TDynamicLibrary missing("libqm-no-such-library.so");
  EXPECT_FALSE(missing.Loaded());
  EXPECT_FALSE(missing.LastError().empty());
  EXPECT_EQ(missing.Symbol("strlen"), nullptr);
}

TEST(DynamicLibrary, MovingHandsTheLibraryOver) {
  TDynamicLibrary first("libc.so.6");
  TDynamicLibrary second(std::move(first));
  EXPECT_FALSE(first.Loaded());
  EXPECT_TRUE(second.Loaded());
  TDynamicLibrary third;
  third = std::move(second);
  EXPECT_TRUE(third.Loaded());
  EXPECT_NE(third.Symbol("strlen"), nullptr);
  third.Unload();
  EXPECT_FALSE(third.Loaded());
}

} // namespace
} // namespace qm
