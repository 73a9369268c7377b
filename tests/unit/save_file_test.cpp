// The save file's own format: what it keeps, and every way a file that is not a good
// save of this version is recognised before anything of it is used.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/byte_writer.h"
#include "saves/save_file.h"
#include "saves/save_slots.h"

using namespace shirakaba;

namespace {

SaveFile sample() {
  SaveFile s;
  s.info.savedAt = 1765000000123;
  s.info.day = 3;
  s.info.partOfDay = "午前";
  s.info.scene = "*kyouko_1";
  s.info.playTimeMs = 3723000;
  s.info.dataIdentity = 0x0123456789abcdefull;
  s.info.pageLine = "「おはようございます」";
  s.info.thumbnailPng = {0x89, 'P', 'N', 'G', 1, 2, 3};
  for (int i = 0; i < 100000; ++i) s.state.push_back(static_cast<uint8_t>(i * 7 / 13));
  s.history = {{{"一行目", "二行目"}, false, 120}, {{"はい"}, true, -1}};
  return s;
}

// Sets the CRC trailer right again after a change, as a deliberate editor would.
void reseal(std::vector<uint8_t>& b) {
  b.resize(b.size() - 4);
  const uint32_t crc = static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), b.data(), static_cast<uInt>(b.size())));
  put32(b, crc);
}

void setVersion(std::vector<uint8_t>& b, uint32_t v) {
  std::vector<uint8_t> le;
  put32(le, v);
  std::memcpy(&b[8], le.data(), 4);
  reseal(b);
}

// Where the chunk with this tag begins.
size_t chunkAt(const std::vector<uint8_t>& b, const char* tag) {
  for (size_t i = 12; i + 4 <= b.size(); ++i)
    if (std::memcmp(&b[i], tag, 4) == 0) return i;
  return 0;
}

}  // namespace

TEST(SaveFile, KeepsItsDescriptionAndStateAndReadsTheDescriptionAlone) {
  const SaveFile s = sample();
  const std::vector<uint8_t> bytes = encodeSaveFile(s);
  EXPECT_LT(bytes.size(), s.state.size() / 4) << "the state is compressed";
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 7), "SKBSAVE");

  auto back = decodeSaveFile(bytes);
  ASSERT_TRUE(back) << back.error();
  EXPECT_EQ(back->info, s.info);
  EXPECT_EQ(back->state, s.state);
  EXPECT_EQ(back->history, s.history);

  auto info = decodeSaveInfo(bytes);
  ASSERT_TRUE(info) << info.error();
  EXPECT_EQ(info.value(), s.info);
}

TEST(SaveFile, AnyChangedOrMissingByteIsRecognised) {
  const std::vector<uint8_t> good = encodeSaveFile(sample());
  EXPECT_NE(decodeSaveFile({}).error().find("not a save file"), std::string::npos);
  const std::string garbage = "GIF89a this is some other kind of file entirely";
  EXPECT_NE(decodeSaveFile(std::vector<uint8_t>(garbage.begin(), garbage.end())).error().find("not a save file"),
            std::string::npos);

  // Cut anywhere: never accepted.
  for (size_t n = 0; n < good.size(); n += n < 64 ? 1 : 97) {
    std::vector<uint8_t> cut(good.begin(), good.begin() + n);
    EXPECT_FALSE(decodeSaveFile(cut)) << "cut to " << n << " bytes";
  }
  // One bit flipped anywhere: the checksum (or the magic) says so.
  for (size_t i = 0; i < good.size(); i += i < 64 ? 1 : 61) {
    std::vector<uint8_t> bad = good;
    bad[i] ^= 0x10;
    auto r = decodeSaveFile(bad);
    ASSERT_FALSE(r) << "byte " << i;
    EXPECT_TRUE(r.error().find("checksum") != std::string::npos || r.error().find("not a save") != std::string::npos ||
                r.error().find("newer version") != std::string::npos)
        << "byte " << i << ": " << r.error();
  }
}

TEST(SaveFile, NewerFormatsAreRefusedByName) {
  std::vector<uint8_t> b = encodeSaveFile(sample());
  setVersion(b, kSaveFormatVersion + 1);
  auto r = decodeSaveFile(b);
  ASSERT_FALSE(r);
  EXPECT_NE(r.error().find("newer version"), std::string::npos) << r.error();
  setVersion(b, 0);
  EXPECT_FALSE(decodeSaveFile(b));
}

// A file whose checksum was made to fit is still read with every length checked.
TEST(SaveFile, ResealedDamageIsStillRecognised) {
  const std::vector<uint8_t> good = encodeSaveFile(sample());

  std::vector<uint8_t> pastEnd = good;
  const size_t thumb = chunkAt(pastEnd, "THMB");
  ASSERT_NE(thumb, 0u);
  pastEnd[thumb + 7] = 0x7F;  // a length of some 2 GB
  reseal(pastEnd);
  EXPECT_NE(decodeSaveFile(pastEnd).error().find("runs past its end"), std::string::npos);

  std::vector<uint8_t> noState = good;
  const size_t stat = chunkAt(noState, "STAT");
  std::memcpy(&noState[stat], "XTRA", 4);  // an unknown part is skipped, so STAT is missing
  reseal(noState);
  EXPECT_NE(decodeSaveFile(noState).error().find("missing"), std::string::npos);
  std::vector<uint8_t> noHistory = good;
  std::memcpy(&noHistory[chunkAt(noHistory, "HIST")], "XTRA", 4);
  reseal(noHistory);
  EXPECT_NE(decodeSaveFile(noHistory).error().find("missing"), std::string::npos);

  std::vector<uint8_t> hugeState = good;
  hugeState[stat + 8 + 3] = 0x40;  // the raw size says 1 GB
  reseal(hugeState);
  EXPECT_NE(decodeSaveFile(hugeState).error().find("size"), std::string::npos);

  std::vector<uint8_t> badFrame = good;
  badFrame[stat + 8 + 4 + 8] ^= 0xFF;  // inside the compressed frame
  reseal(badFrame);
  EXPECT_FALSE(decodeSaveFile(badFrame));
}

TEST(SaveFile, PartsOfLaterVersionsThatItDoesNotKnowAreSkipped) {
  std::vector<uint8_t> b = encodeSaveFile(sample());
  b.resize(b.size() - 4);
  putBytes(b, reinterpret_cast<const uint8_t*>("NOTE"), 4);
  putString(b, "a part a later version might add");
  put32(b, 0);
  reseal(b);
  auto r = decodeSaveFile(b);
  ASSERT_TRUE(r) << r.error();
  EXPECT_EQ(r->state, sample().state);
}

TEST(SaveSlots, NamesPathsAndTheDefaultUserFolder) {
  EXPECT_EQ(parseSaveSlot("quick"), SaveSlot::quick());
  EXPECT_EQ(parseSaveSlot("auto"), SaveSlot::autosave());
  EXPECT_EQ(parseSaveSlot("1"), SaveSlot::numbered(1));
  EXPECT_EQ(parseSaveSlot("12"), SaveSlot::numbered(12));
  for (const char* bad : {"0", "13", "-1", "", "1x", "123", "Quick", "../1"})
    EXPECT_FALSE(parseSaveSlot(bad)) << bad;
  EXPECT_EQ(allSaveSlots().size(), 14u);
  for (SaveSlot s : allSaveSlots()) EXPECT_EQ(parseSaveSlot(slotName(s)), s);

  const SaveSlots slots("/u", 0xabcull);
  EXPECT_EQ(slots.folder(), "/u/saves/0000000000000abc");
  EXPECT_EQ(slots.pathOf(SaveSlot::numbered(3)), "/u/saves/0000000000000abc/slot03.sav");
  EXPECT_EQ(slots.pathOf(SaveSlot::quick()), "/u/saves/0000000000000abc/quick.sav");
  EXPECT_NE(SaveSlots("/u", 1).folder(), SaveSlots("/u", 2).folder()) << "each game data has its own folder";

  const char* xdg = std::getenv("XDG_DATA_HOME");
  const std::string keep = xdg ? xdg : "";
  setenv("XDG_DATA_HOME", "/x/data", 1);
  EXPECT_EQ(defaultUserDir(), "/x/data/shirakaba");
  unsetenv("XDG_DATA_HOME");
  EXPECT_NE(defaultUserDir().find("/.local/share/shirakaba"), std::string::npos);
  if (xdg) setenv("XDG_DATA_HOME", keep.c_str(), 1);
}
