// shirakaba-pack's build, extract and check on small pictures in a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "base/bmp.h"
#include "base/cp932.h"
#include "base/files.h"
#include "support/pack_fixture.h"
#include "tools/pack/lint.h"
#include "tools/pack/pack_tool.h"

namespace shirakaba {
namespace {

namespace fs = std::filesystem;

class PackToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = test::makeTempDir("pack_tool");
    ASSERT_FALSE(root_.empty());
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  std::string path(const std::string& name) const { return (fs::path(root_) / name).string(); }

  // A source folder with a tiny picture of the right kind in every slot.
  void writeSources(const std::string& dir, const std::string& script) {
    fs::create_directories(dir);
    for (int i = 0; i < kPictureCount; ++i) {
      Bitmap b = isWeightMask(i) ? test::mask8(2, 2, static_cast<uint8_t>(i)) : test::solid32(2, 1, 0x010203u * i);
      write(dir, i, b);
    }
    ASSERT_TRUE(writeFile((fs::path(dir) / "script.txt").string(), std::vector<uint8_t>(script.begin(), script.end())));
  }
  static void write(const std::string& dir, int pic, const Bitmap& b) {
    ASSERT_TRUE(writeFile((fs::path(dir) / pictureFileName(pic)).string(), encodeBmp(b)));
  }
  int run(std::vector<std::string> args) {
    out_.str({});
    err_.str({});
    return runPackTool(args, out_, err_);
  }

  std::string root_;
  std::ostringstream out_, err_;
};

std::vector<uint8_t> slurp(const std::string& p) {
  const Result<std::vector<uint8_t>> read = readFile(p, test::kTestReadLimit);
  EXPECT_TRUE(read) << read.error();
  return read ? read.value() : std::vector<uint8_t>();
}

TEST_F(PackToolTest, BuildExtractBuildIsByteIdentical) {
  const std::string script = "*op\n白樺の寮\r\nEND\n";
  writeSources(path("src"), script);
  ASSERT_EQ(run({"build", path("src"), path("a.red")}), 0) << err_.str();
  const auto a = slurp(path("a.red"));
  const Result<std::string> converted = utf8ToCp932(script);
  ASSERT_TRUE(converted) << converted.error();
  const std::string& cp932 = converted.value();
  ASSERT_EQ(a.size(), static_cast<size_t>(ScriptOffset) + cp932.size());
  EXPECT_EQ(std::string(a.begin() + ScriptOffset, a.end()), cp932);

  ASSERT_EQ(run({"extract", path("a.red"), path("out")}), 0) << err_.str();
  EXPECT_EQ(slurp(path("out/005.bmp")), slurp(path("src/005.bmp")));
  EXPECT_EQ(slurp(path("out/120.bmp")), slurp(path("src/120.bmp")));
  ASSERT_EQ(run({"build", path("out"), path("b.red")}), 0) << err_.str();
  EXPECT_TRUE(slurp(path("b.red")) == a);

  ASSERT_EQ(run({"extract", path("a.red"), path("utf8"), "--utf8"}), 0) << err_.str();
  const auto text = slurp(path("utf8/script.txt"));
  EXPECT_EQ(std::string(text.begin(), text.end()), script);
  ASSERT_EQ(run({"build", path("utf8"), path("c.red")}), 0) << err_.str();
  EXPECT_TRUE(slurp(path("c.red")) == a);

  EXPECT_EQ(run({"check", path("a.red")}), 1);  // the tiny full-screen pictures are reported
}

TEST_F(PackToolTest, AScriptWithTheByteOrderMarkIsPackedAsUtf8AndComesBackAsItWas) {
  const std::string script = "\xEF\xBB\xBF*op\r\n我们走吧\r\n한국어\r\nÉté\r\n白樺\r\nEND\r\n";
  writeSources(path("src"), script);
  ASSERT_EQ(run({"build", path("src"), path("a.red")}), 0) << err_.str();
  const auto a = slurp(path("a.red"));
  EXPECT_EQ(std::string(a.begin() + ScriptOffset, a.end()), script);
  EXPECT_EQ(run({"check", path("a.red")}), 1);
  EXPECT_EQ(out_.str().find("script line"), std::string::npos) << out_.str();

  for (const char* flag : {"", "--utf8"}) {
    std::vector<std::string> args{"extract", path("a.red"), path("out")};
    if (*flag) args.push_back(flag);
    ASSERT_EQ(run(args), 0) << err_.str();
    const auto text = slurp(path("out/script.txt"));
    EXPECT_EQ(std::string(text.begin(), text.end()), script) << flag;
  }
  const Result<std::vector<std::string>> lines = readLintInput(path("a.red"));
  ASSERT_TRUE(lines) << lines.error();
  EXPECT_EQ(lines.value(), (std::vector<std::string>{"*op", "我们走吧", "한국어", "Été", "白樺", "END"}));
  const Result<std::vector<std::string>> file = readLintInput(path("out/script.txt"));
  ASSERT_TRUE(file) << file.error();
  EXPECT_EQ(file.value(), lines.value());
}

TEST_F(PackToolTest, AUtf8ScriptWithBrokenBytesIsRefusedByLineAndCheckedInPacks) {
  writeSources(path("src"), "\xEF\xBB\xBF*op\nok\nbad \xE6\x88\nEND\n");
  EXPECT_NE(run({"build", path("src"), path("a.red")}), 0);
  EXPECT_NE(err_.str().find("script.txt line 3: bytes that are not UTF-8"), std::string::npos) << err_.str();
  EXPECT_FALSE(fs::exists(path("a.red")));

  std::vector<uint8_t> pack(static_cast<size_t>(ScriptOffset), 0);
  const std::string script = "\xEF\xBB\xBFok\n\x82\xA0\n";  // CP932 bytes in a UTF-8 block
  pack.insert(pack.end(), script.begin(), script.end());
  const auto problems = checkPack(pack);
  EXPECT_EQ(std::count(problems.begin(), problems.end(), "script line 2: bytes that are not UTF-8"), 1);
  EXPECT_EQ(std::count_if(problems.begin(), problems.end(),
                          [](const std::string& p) { return p.find("script line 1") == 0; }),
            0);
}

TEST_F(PackToolTest, OversizePictureIsRefusedWithBothSizes) {
  writeSources(path("src"), "x\n");
  write(path("src"), 16, test::solid32(60, 40, kWhite));  // slot of picture 16 holds 4750 bytes
  EXPECT_NE(run({"build", path("src"), path("a.red")}), 0);
  const std::string msg = err_.str();
  EXPECT_NE(msg.find("016.bmp"), std::string::npos) << msg;
  EXPECT_NE(msg.find(std::to_string(encodeBmp(test::solid32(60, 40, kWhite)).size())), std::string::npos) << msg;
  EXPECT_NE(msg.find("4750"), std::string::npos) << msg;
  EXPECT_FALSE(fs::exists(path("a.red")));
}

TEST_F(PackToolTest, MissingPictureOrScriptIsRefused) {
  writeSources(path("src"), "x\n");
  fs::remove(path("src/042.bmp"));
  EXPECT_NE(run({"build", path("src"), path("a.red")}), 0);
  EXPECT_NE(err_.str().find("042.bmp"), std::string::npos) << err_.str();

  writeSources(path("src2"), "x\n");
  fs::remove(path("src2/script.txt"));
  EXPECT_NE(run({"build", path("src2"), path("a.red")}), 0);
  EXPECT_NE(err_.str().find("script.txt"), std::string::npos) << err_.str();
}

TEST_F(PackToolTest, ScriptCharacterOutsideCp932IsRefusedByLine) {
  writeSources(path("src"), "*op\n\xE7\x99\xBD\n\xF0\x9F\x98\x80\n");  // an emoji on line 3
  EXPECT_NE(run({"build", path("src"), path("a.red")}), 0);
  EXPECT_NE(err_.str().find("script.txt line 3"), std::string::npos) << err_.str();
}

TEST_F(PackToolTest, NonBmpPictureIsRefused) {
  writeSources(path("src"), "x\n");
  ASSERT_TRUE(writeFile(path("src/007.bmp"), {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'}));
  EXPECT_NE(run({"build", path("src"), path("a.red")}), 0);
  EXPECT_NE(err_.str().find("007.bmp"), std::string::npos) << err_.str();
}

TEST_F(PackToolTest, CheckReportsWrongMaskDepthAndWrongScreenSize) {
  std::map<int, Bitmap> pics;
  for (int i = 0; i < kPictureCount; ++i) {
    if (isFullScreen(i))
      pics[i] = isWeightMask(i) ? test::mask8(640, 480, 128) : test::solid32(640, 480, kBlack);
    else if (isWeightMask(i))
      pics[i] = test::mask8(4, 4, 255);
  }
  ASSERT_TRUE(test::writeTestPack(path("game"), pics, "*op\nEND\n"));
  const std::string pack = path("game/data/lumora.red");
  EXPECT_EQ(run({"check", pack}), 0) << out_.str();

  pics[20] = test::solid32(4, 4, kWhite);  // a mask written as 24-bit
  pics[35] = test::solid32(320, 240, kWhite);
  ASSERT_TRUE(test::writeTestPack(path("game"), pics, "*op\nEND\n"));
  EXPECT_EQ(run({"check", pack}), 1);
  const std::string report = out_.str();
  EXPECT_NE(report.find("picture 20: a weight mask must be an 8-bit BMP, this one is 24-bit"), std::string::npos)
      << report;
  EXPECT_NE(report.find("picture 35: a full-screen picture must be 640x480, this one is 320x240"), std::string::npos)
      << report;
  EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 2) << report;
}

TEST_F(PackToolTest, CheckReportsBrokenPicturesAndScriptBytes) {
  std::vector<uint8_t> pack(static_cast<size_t>(ScriptOffset), 0);
  const auto small = encodeBmp(test::solid32(1, 1, kWhite));
  for (int i = 0; i < kPictureCount; ++i)
    if (i != 3) std::copy(small.begin(), small.end(), pack.begin() + PackOffsets[static_cast<size_t>(i)]);
  const std::string script = "ok\n\x81\n";  // a lead byte with no trail byte
  pack.insert(pack.end(), script.begin(), script.end());
  const auto problems = checkPack(pack);
  const auto has = [&](const std::string& s) {
    return std::any_of(problems.begin(), problems.end(), [&](const std::string& p) { return p.find(s) == 0; });
  };
  EXPECT_TRUE(has("picture 3: not a BMP file"));
  EXPECT_TRUE(has("picture 2: a weight mask must be an 8-bit BMP"));
  EXPECT_TRUE(has("picture 1: a full-screen picture must be 640x480"));
  EXPECT_FALSE(has("picture 0:"));
  EXPECT_FALSE(has("script line 1"));
  EXPECT_TRUE(has("script line 2: bytes that are not CP932"));
}

TEST_F(PackToolTest, SplitRefusesAPictureRunningIntoTheNext) {
  PackContents c;
  for (auto& p : c.pictures) p = encodeBmp(test::solid32(1, 1, kWhite));
  Result<std::vector<uint8_t>> pack = buildPack(c);
  ASSERT_TRUE(pack) << pack.error();
  // Picture 16's slot is 4750 bytes; claim 60 rows of 120 bytes.
  auto* p = pack.value().data() + PackOffsets[16];
  p[22] = 60;
  p[18] = 40;
  const Result<PackContents> back = splitPack(pack.value());
  ASSERT_FALSE(back);
  EXPECT_NE(back.error().find("picture 16"), std::string::npos) << back.error();
}

TEST(PackToolCommands, HelpAndBadUsage) {
  std::ostringstream out, err;
  EXPECT_EQ(runPackTool({"--help"}, out, err), 0);
  for (const char* c : {"build DIR OUT", "extract PACK DIR [--utf8]", "check PACK", "demo [--lang ja|en] OUTDIR", "lint",
                        "strings PACK OUT.pot", "translate PACK LANG.po OUT"})
    EXPECT_NE(out.str().find(c), std::string::npos) << c;
  EXPECT_EQ(runPackTool({"build", "only-one"}, out, err), 2);
  EXPECT_EQ(runPackTool({"translate", "pack", "ko.po"}, out, err), 2);
  EXPECT_EQ(runPackTool({"demo", "--lang", "fr", "out"}, out, err), 2);  // no French demo
  EXPECT_EQ(runPackTool({"demo", "--lang", "en"}, out, err), 2);
  EXPECT_EQ(runPackTool({"demo", "out", "--lang", "en"}, out, err), 2);
  EXPECT_EQ(runPackTool({"frobnicate"}, out, err), 2);
  EXPECT_EQ(runPackTool({}, out, err), 2);
}

TEST(PackToolScript, Utf8IsConvertedAndCp932PassesThrough) {
  EXPECT_EQ(scriptToCp932("\xEF\xBB\xBF" "abc\n").value(), "abc\n");  // byte-order mark dropped
  EXPECT_EQ(scriptToCp932("\x82\xA0\n").value(), "\x82\xA0\n");  // not UTF-8: taken as CP932
}

}  // namespace
}  // namespace shirakaba
