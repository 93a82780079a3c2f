#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/host/ZskTestSupport.h"
#include "tools/zsk/PackageWriter.h"
#include "tools/zsk/Sk2Writer.h"

// The zsk tool run as a program, end to end.
namespace {

using namespace zsk_test;
namespace fs = std::filesystem;

struct RunResult {
  int exitCode;
  std::string out;
  std::string err;
};

std::string ShellQuoted(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string FileText(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class ZskToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* zsk = std::getenv("ORV_ZSK");
    const char* sample = std::getenv("ORV_SAMPLE_SKIN");
    // ctest sets both; without them the tool's tests fail rather than pass unseen.
    if (zsk == nullptr || sample == nullptr) GTEST_FAIL() << "ORV_ZSK or ORV_SAMPLE_SKIN unset";
    zsk_ = zsk;
    sample_ = sample;
  }

  RunResult Run(const std::vector<std::string>& args) {
    std::string command = ShellQuoted(zsk_);
    for (const std::string& arg : args) command += " " + ShellQuoted(arg);
    command += " >" + ShellQuoted(dir_ / "stdout") + " 2>" + ShellQuoted(dir_ / "stderr");
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, FileText(dir_ / "stdout"),
            FileText(dir_ / "stderr")};
  }

  Bytes SkinData(const std::string& package, const std::string& password = "") {
    const Extracted got = ExtractFile(package, skin::kSkinDataEntryName, password);
    EXPECT_EQ(got.result, skin::kExtractOk) << package;
    return got.data;
  }

  static bool IsOneLine(const std::string& text) {
    return text.starts_with("zsk: ") && text.find('\n') == text.size() - 1;
  }

  std::string zsk_;
  std::string sample_;
  TempDir dir_;
};

TEST_F(ZskToolTest, InfoListsTheSampleInFileOrder) {
  ASSERT_EQ(Run({"pack", sample_, dir_ / "s.zsk"}).exitCode, 0);
  const RunResult info = Run({"info", dir_ / "s.zsk"});
  ASSERT_EQ(info.exitCode, 0) << info.err;
  const std::vector<std::string> expectedInOrder = {
      "bitmap   FORM_CAPTION                 32x8, 24-bit\n",
      "bitmap   BUTTON_CLOSE                 11x11, 24-bit\n",
      "integer  SKIN2_TRANSCOLOR             16711935 (0x00FF00FF)\n",
      "integer  SKIN2_FORMCOLOR              13160660 (0x00C8D0D4)\n",
      "boolean  SKIN2_TRANSPARENT            true\n",
      "boolean  SKIN2_ROUNDCORNERS           false\n",
      "string   SKIN2_SKINNAME               \"Orvandel sample\"\n",
      "bitmaps 4, integers 3, booleans 2, strings 1\n"};
  std::size_t pos = 0;
  for (const std::string& line : expectedInOrder) {
    pos = info.out.find(line, pos);
    ASSERT_NE(pos, std::string::npos) << line << "in:\n" << info.out;
  }
  EXPECT_EQ(Run({"verify", dir_ / "s.zsk"}).out,
            "OK: bitmaps 4, integers 3, booleans 2, strings 1\n");
}

TEST_F(ZskToolTest, UnpackThenPackGivesTheSameSkinData) {
  for (const std::string password : {"", "s3cret"}) {
    SCOPED_TRACE(password);
    const std::vector<std::string> pw = {"--password", password};
    auto args = [&](std::vector<std::string> a) {
      if (!password.empty()) a.insert(a.end(), pw.begin(), pw.end());
      return a;
    };
    ASSERT_EQ(Run(args({"pack", sample_, dir_ / "first.zsk"})).exitCode, 0);
    const RunResult unpack = Run(args({"unpack", dir_ / "first.zsk", dir_ / "folder"}));
    ASSERT_EQ(unpack.exitCode, 0) << unpack.err;
    EXPECT_EQ(zsk::ReadFileBytes(dir_ / "folder/BUTTON_CLOSE.bmp"),
              zsk::ReadFileBytes(sample_ + "/close.bmp"));
    ASSERT_EQ(Run(args({"pack", dir_ / "folder", dir_ / "second.zsk"})).exitCode, 0);
    EXPECT_EQ(SkinData(dir_ / "first.zsk", password), SkinData(dir_ / "second.zsk", password));
    EXPECT_EQ(zsk::ReadFileBytes(dir_ / "first.zsk"), zsk::ReadFileBytes(dir_ / "second.zsk"));
    fs::remove_all(dir_ / "folder");
  }
}

TEST_F(ZskToolTest, UnpackRenamesAwkwardBitmapsAndSkipsWhatSkinTxtCannotHold) {
  const Bytes bmp = SmallBmp(1, 1);
  const Bytes sk2 =
      zsk::BuildSk2({zsk::BitmapElement("X", bmp), zsk::BitmapElement("x", bmp),
                     zsk::BitmapElement("../up", bmp), zsk::StringElement("TWO WORDS", "lost"),
                     zsk::SkinElement{"ODD", static_cast<skin::Sk2Kind>(9), {1}},
                     zsk::IntegerElement("KEPT", 5)});
  zsk::WriteFileBytes(dir_ / "odd.zsk", zsk::BuildPackage({{"SKINDATA.SK2", sk2, ""}}));
  const RunResult unpack = Run({"unpack", dir_ / "odd.zsk", dir_ / "folder"});
  ASSERT_EQ(unpack.exitCode, 0) << unpack.err;
  EXPECT_NE(unpack.err.find("\"TWO WORDS\" skipped"), std::string::npos) << unpack.err;
  EXPECT_NE(unpack.err.find("\"ODD\" skipped: unknown kind 9"), std::string::npos) << unpack.err;
  const std::string manifest = FileText(dir_ / "folder/skin.txt");
  EXPECT_EQ(manifest.substr(manifest.find('\n') + 1),
            "bitmap X X.bmp\nbitmap x bitmap2.bmp\nbitmap ../up bitmap3.bmp\ninteger KEPT 5\n");
  EXPECT_FALSE(fs::exists(dir_ / "up.bmp"));

  ASSERT_EQ(Run({"pack", dir_ / "folder", dir_ / "again.zsk"}).exitCode, 0);
  const auto again = ReadBack(SkinData(dir_ / "again.zsk"));
  ASSERT_EQ(again.size(), 4u);
  EXPECT_EQ(again[2].name, "../up");
  EXPECT_EQ(again[2].data, bmp);
}

TEST_F(ZskToolTest, InfoReportsBrokenBitmapsAndGoesOn) {
  const Bytes sk2 = zsk::BuildSk2({zsk::BitmapElement("BROKEN", ToBytes("BMnot really")),
                                   zsk::SkinElement{"ODD", static_cast<skin::Sk2Kind>(9), {1, 2}},
                                   zsk::BooleanElement("B", true)});
  zsk::WriteFileBytes(dir_ / "b.zsk", zsk::BuildPackage({{"SKINDATA.SK2", sk2, ""}}));
  const RunResult info = Run({"info", dir_ / "b.zsk"});
  EXPECT_EQ(info.exitCode, 0);
  EXPECT_NE(info.out.find("BROKEN                       invalid bitmap"), std::string::npos)
      << info.out;
  EXPECT_NE(info.out.find("kind 9   ODD                          2 bytes\n"), std::string::npos)
      << info.out;
  EXPECT_NE(info.out.find("bitmaps 1, integers 0, booleans 1, strings 0, unknown 1\n"),
            std::string::npos)
      << info.out;
  const RunResult verify = Run({"verify", dir_ / "b.zsk"});
  EXPECT_EQ(verify.exitCode, 1);
  EXPECT_TRUE(IsOneLine(verify.err)) << verify.err;
}

TEST_F(ZskToolTest, ReadingCommandsAnswerTheReaderResult) {
  ASSERT_EQ(Run({"pack", sample_, dir_ / "e.zsk", "--password=pw"}).exitCode, 0);
  zsk::WriteFileBytes(dir_ / "junk.zsk", ToBytes("SK but not a package"));
  struct Case {
    std::vector<std::string> args;
    int exitCode;
  };
  const std::string out = dir_ / "out.sk2";
  const std::vector<Case> cases = {
      {{"extract", dir_ / "e.zsk", "SKINDATA.SK2", out, "--password", "pw"}, 0},
      {{"extract", dir_ / "e.zsk", "SKINDATA.SK2", out, "--password", "wrong"}, 2},
      {{"extract", dir_ / "e.zsk", "OTHER.SK2", out, "--password", "pw"}, 1},
      {{"extract", dir_ / "junk.zsk", "SKINDATA.SK2", out}, 1},
      {{"extract", dir_ / "nowhere.zsk", "SKINDATA.SK2", out}, 1},
      {{"info", dir_ / "e.zsk", "--password", "wrong"}, 2},
      {{"unpack", dir_ / "e.zsk", dir_ / "u"}, 2},
      {{"verify", dir_ / "e.zsk", "--password", "wrong"}, 2},
      {{"verify", dir_ / "junk.zsk"}, 1},
      {{"info", dir_ / "junk.zsk"}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1] + " " + c.args.back());
    const RunResult run = Run(c.args);
    EXPECT_EQ(run.exitCode, c.exitCode);
    EXPECT_EQ(fs::exists(out), c.exitCode == 0 && c.args[0] == "extract");
    if (c.exitCode != 0) {
      EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    }
    fs::remove(out);
  }
  EXPECT_EQ(Run({"extract", dir_ / "e.zsk", "SKINDATA.SK2", out, "--password", "pw"}).exitCode, 0);
  EXPECT_EQ(zsk::ReadFileBytes(out), SkinData(dir_ / "e.zsk", "pw"));
  EXPECT_NE(Run({"verify", dir_ / "e.zsk", "--password", "wrong"}).err.find("Wrong password!"),
            std::string::npos);
}

TEST_F(ZskToolTest, HelpAndBadArguments) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"--help"}, {"-h"}}) {
    const RunResult run = Run(args);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.out.starts_with("usage: zsk")) << run.out;
    EXPECT_NE(run.out.find("Exit codes"), std::string::npos);
  }
  const std::vector<std::vector<std::string>> bad = {
      {"frobnicate"},
      {"pack", sample_},
      {"info"},
      {"info", "a.zsk", "b.zsk"},
      {"extract", "a.zsk", "ENTRY"},
      {"info", "a.zsk", "--verbose"},
      {"info", "a.zsk", "--password"},
      {"pack", dir_ / "no-such-folder", dir_ / "x.zsk"},
      {"pack", sample_, dir_ / "no-such-folder/x.zsk"},
  };
  for (const auto& args : bad) {
    SCOPED_TRACE(args[0] + " ... " + args.back());
    const RunResult run = Run(args);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_TRUE(run.out.empty());
  }
}

TEST_F(ZskToolTest, PackReportsManifestErrorsAndWarnings) {
  const TempDir folder;
  zsk::WriteFileBytes(folder / "skin.txt", ToBytes("integer A 1\ncolour B #000000\n"));
  const RunResult bad = Run({"pack", folder.Path(), dir_ / "x.zsk"});
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.err, "zsk: " + (folder / "skin.txt") +
                         ":2: unknown kind 'colour' (expected bitmap, integer, color, boolean or "
                         "string)\n");
  EXPECT_FALSE(fs::exists(dir_ / "x.zsk"));

  zsk::WriteFileBytes(folder / "skin.txt", ToBytes("integer A 1\n"));
  zsk::WriteFileBytes(folder / "stray.bmp", SmallBmp(1, 1));
  const RunResult warned = Run({"pack", folder.Path(), dir_ / "x.zsk"});
  EXPECT_EQ(warned.exitCode, 0);
  EXPECT_EQ(warned.err,
            "zsk: warning: " + (folder / "stray.bmp") + ": not named in skin.txt, not packed\n");
  EXPECT_EQ(ReadBack(SkinData(dir_ / "x.zsk")).size(), 1u);
}

}  // namespace
