// Binding and routing against stand-in libraries that record which export of which library the
// tool called.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "dispatch.h"
#include "library_binding.h"

namespace {

std::string fakes(const char* dir) { return std::string(FAKE_LIBRARIES) + "/" + dir; }

struct Fakes {
  xtool::Libraries libs;
  const char* (*calls)() = nullptr;
  void (*clear)() = nullptr;

  Fakes() {
    const auto bound = xtool::bind_libraries({fakes("both")}, libs);
    EXPECT_TRUE(bound.ok) << bound.error;
    // The same file again gives the handle already loaded, and its record.
    void* h = dlopen(fakes("both/libxerv3com.so.1").c_str(), RTLD_NOW | RTLD_LOCAL);
    calls = reinterpret_cast<const char* (*)()>(dlsym(h, "fake_calls"));
    clear = reinterpret_cast<void (*)()>(dlsym(h, "fake_clear"));
  }
  // Both libraries' records, XERV3COM's first.
  std::string record() const {
    void* h1 = dlopen(fakes("both/libxerv1.so.1").c_str(), RTLD_NOW | RTLD_LOCAL);
    auto calls1 = reinterpret_cast<const char* (*)()>(dlsym(h1, "fake_calls"));
    auto clear1 = reinterpret_cast<void (*)()>(dlsym(h1, "fake_clear"));
    std::string all = std::string(calls()) + calls1();
    clear();
    clear1();
    return all;
  }
};

TEST(Routing, OnlyExactlyXerv3ReachesTheXerv3Library) {
  Fakes f;
  xtool::DirectRunner runner;
  xtool::Dispatch d(f.libs, runner);
  const struct {
    const char* model;
    const char* expected;
  } cases[] = {{"XERV3", "xerv3:rs_PortOpen\n"},
               {"xerv3", "xerv1:rs_PortOpen\n"},
               {"XERV3 ", "xerv1:rs_PortOpen\n"},
               {"", "xerv1:rs_PortOpen\n"},
               {"XERV1", "xerv1:rs_PortOpen\n"}};
  for (const auto& c : cases) {
    d.CurrentModel = c.model;
    d.rs_PortOpen("1");
    EXPECT_EQ(f.record(), c.expected) << "model \"" << c.model << "\"";
  }
}

TEST(Routing, ProtocolChangeFollowsTheSelectorNotTheModel) {
  Fakes f;
  xtool::DirectRunner runner;
  xtool::Dispatch d(f.libs, runner);
  d.CurrentModel = "XERV1";
  d.ProtocolChange(0);
  EXPECT_EQ(f.record(), "xerv3:ProtocolChange\n");
  d.CurrentModel = "XERV3";
  d.ProtocolChange(1);
  EXPECT_EQ(f.record(), "xerv1:ProtocolChange\n");
}

TEST(Routing, FixedCallsIgnoreTheModel) {
  Fakes f;
  xtool::DirectRunner runner;
  xtool::Dispatch d(f.libs, runner);
  char out[32] = {};
  d.CurrentModel = "XERV1";
  d.Xerv3_StatusCheck("C", out);
  d.Xerv3_Read_Data_Send_Range_Set("1", nullptr, nullptr, out);
  d.CurrentModel = "XERV3";
  d.Xerv1_DataReturn("0123456789");
  d.Xerv1_MagCard_Read(nullptr);
  EXPECT_EQ(f.record(),
            "xerv3:StatusCheck\nxerv3:Read_Data_Send_Range_Set\n"
            "xerv1:DataReturn\nxerv1:MagCard_Read\n");
}

TEST(Binding, AMissingExportIsRefusedByName) {
  xtool::Libraries libs;
  const auto bound = xtool::bind_libraries({fakes("incomplete"), fakes("both")}, libs);
  EXPECT_FALSE(bound.ok);
  EXPECT_NE(bound.error.find("libxerv3com.so.1"), std::string::npos) << bound.error;
  EXPECT_NE(bound.error.find("StatusCheck"), std::string::npos) << bound.error;
}

TEST(Binding, AMissingLibraryIsRefusedByName) {
  xtool::Libraries libs;
  auto bound = xtool::bind_libraries({fakes("only")}, libs);
  EXPECT_FALSE(bound.ok);
  EXPECT_NE(bound.error.find("libxerv1.so.1"), std::string::npos) << bound.error;
  bound = xtool::bind_libraries({fakes("none")}, libs);
  EXPECT_FALSE(bound.ok);
  EXPECT_NE(bound.error.find("libxerv3com.so.1"), std::string::npos) << bound.error;
}

TEST(Utilities, ToCStringAndCardErrorText) {
  auto empty = xtool::ToCString("");
  EXPECT_EQ(empty[0], '\0');
  auto text = xtool::ToCString("C");
  EXPECT_STREQ(text.get(), "C");
  const struct {
    int code;
    const char* text;
  } cases[] = {{0, ""}, {1, "STX ERROR"}, {4, "LRC ERROR"}, {6, "COMPARE ERROR"},
               {7, ""}, {-1, ""}};
  for (const auto& c : cases) EXPECT_EQ(xtool::CardErrorText(c.code), c.text) << c.code;
}

}  // namespace
