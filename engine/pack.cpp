#include "engine/pack.h"

#include <algorithm>

#include "base/files.h"
#include "base/stream.h"

namespace shirakaba {

const std::array<int32_t, kPictureCount> PackOffsets = {
    0,        36054,    957708,   974146,   988816,   1910470,  1957340,  2878994,
    2906504,  2930750,  3616340,  3631574,  3637800,  3946078,  4541452,  4849730,
    4854480,  4859230,  4890548,  4921866,  5070432,  5121014,  5171596,  5222178,
    5272760,  5484454,  5556460,  5647234,  5678552,  5730030,  5781508,  6703162,
    7624816,  8546470,  9468124,  10389778, 11311432, 12233086, 13154740, 14076394,
    14998048, 15919702, 16841356, 17763010, 18684664, 19606318, 20527972, 21449626,
    22371280, 23292934, 24214588, 25136242, 26057896, 26979550, 27901204, 28822858,
    29744512, 30666166, 31587820, 32509474, 33431128, 33734542, 34080196, 34441210,
    34715824, 34998118, 35280412, 35533906, 35850760, 36138814, 36413428, 36853162,
    37198816, 37630870, 38034124, 38552578, 38913592, 39455086, 40132900, 40235738,
    40352016, 40474054, 40567292, 40662450, 40757608, 40843166, 40949844, 41046922,
    41140160, 41289078, 41405356, 41550434, 41685912, 41859790, 41981828, 42163386,
    42391024, 42499078, 42613532, 42721586, 42829640, 42937694, 43033748, 43141802,
    43253056, 43361110, 43469164, 43565218, 43679672, 43716750, 43756228, 43793306,
    43830384, 43867462, 43900540, 43937618, 43976296, 44013374, 44050452, 44083530,
    50362186, 44123008, 44987062, 45851116, 46715170, 47597224, 48518878, 49440532,
};

bool validPicture(int pic) { return pic >= 0 && pic < kPictureCount; }

int64_t PictureSlotSize(int pic) {
  // Worked out once: the pack tool asks for every slot of every pack it reads.
  static const std::array<int64_t, kPictureCount> sizes = [] {
    std::array<int64_t, kPictureCount> out{};
    for (int p = 0; p < kPictureCount; ++p) {
      int64_t next = ScriptOffset;
      for (int32_t o : PackOffsets)
        if (o > PackOffsets[p] && o < next) next = o;
      out[p] = next - PackOffsets[p];
    }
    return out;
  }();
  return validPicture(pic) ? sizes[pic] : 0;
}

bool isWeightMask(int pic) {
  if (pic == pic::WipeStrip || pic == pic::TimePanelMask || pic == pic::CalendarMaskA ||
      pic == pic::CalendarMaskB || pic == pic::BarFrameMask || pic == pic::PanelMask ||
      pic == pic::StatusPlateMask || pic == pic::StatusTableMask || pic == pic::InfoPanelMask)
    return true;
  if (pic >= 20 && pic <= 23) return true;
  if (pic >= 78 && pic <= 95) return true;
  if (pic >= 108 && pic <= 119) return true;
  return false;
}

bool isFullScreen(int pic) {
  return pic == pic::Backdrop || pic == pic::Title || pic == pic::GalleryBack || pic == pic::CalendarMaskA ||
         pic == pic::CalendarMaskB || (pic >= 30 && pic <= 59) || pic == pic::Ending;
}

bool PackFile::exists() const { return memory_ || (!path_.empty() && fileExists(path_)); }

Result<std::unique_ptr<Stream>> PackFile::open() const {
  if (memory_) return std::unique_ptr<Stream>(std::make_unique<SparseStream>(memory_));
  if (!exists()) return fail("pack file missing: " + path_);
  return openFile(path_, kMaxPackBytes, "a pack");
}

static Result<Bitmap> decodeAt(Stream& s, int pic) {
  if (!validPicture(pic)) return fail("picture number " + std::to_string(pic) + " is outside 0..127");
  if (!s.seek(static_cast<uint64_t>(PackOffsets[pic])))
    return fail("picture " + std::to_string(pic) + " lies past the end of the pack");
  return decodeBmp(s);
}

Result<Stream*> PackFile::pictureStream() const {
  if (memory_) {
    if (!opened_->stream) opened_->stream = std::make_unique<SparseStream>(memory_);
    return opened_->stream.get();
  }
  const std::optional<FileVersion> now = fileVersion(path_);
  if (!now) {
    opened_->stream.reset();  // the file went away while the game ran
    return fail("pack file missing: " + path_);
  }
  if (opened_->stream && opened_->version == *now) return opened_->stream.get();
  auto s = open();  // first use, or the file was replaced while the game ran
  if (!s.ok()) return fail(s.error());
  opened_->stream = std::move(s.value());
  opened_->version = *now;
  return opened_->stream.get();
}

Result<Bitmap> PackFile::readPicture(int pic) const {
  auto s = pictureStream();
  if (!s.ok()) return fail(s.error());
  return decodeAt(*s.value(), pic);
}

bool PackFile::readPair(int a, int b, Bitmap& first, Bitmap& second) const {
  auto s = pictureStream();
  if (!s.ok()) return false;
  auto ra = decodeAt(*s.value(), a);
  if (!ra.ok()) return false;
  auto rb = decodeAt(*s.value(), b);
  if (!rb.ok()) return false;
  first = std::move(ra.value());
  second = std::move(rb.value());
  return true;
}

namespace {

struct Fnv1a {
  uint64_t h = 0xcbf29ce484222325ull;
  void add(const uint8_t* p, size_t n) {
    for (size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 0x100000001b3ull;
  }
};

}  // namespace

Result<uint64_t> packIdentity(const PackFile& pack) {
  auto opened = pack.open();
  if (!opened.ok()) return fail(opened.error());
  Stream& s = *opened.value();
  Fnv1a hash;
  constexpr size_t kPictureHead = 54;  // BITMAPFILEHEADER and BITMAPINFOHEADER
  uint8_t head[kPictureHead];
  for (int pic = 0; pic < kPictureCount; ++pic) {
    const size_t n = s.seek(static_cast<uint64_t>(PackOffsets[pic])) ? s.read(head, kPictureHead) : 0;
    hash.add(head, n);
  }
  if (!s.seek(static_cast<uint64_t>(ScriptOffset))) return fail("the pack has no script block");
  std::vector<uint8_t> block(64 * 1024);
  while (size_t n = s.read(block.data(), block.size())) hash.add(block.data(), n);
  return hash.h;
}

}  // namespace shirakaba
