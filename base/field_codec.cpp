#include "base/field_codec.h"

namespace shirakaba {

const char* indexKey(size_t i) {
  static const std::vector<std::string> keys = [] {
    std::vector<std::string> k;
    for (int n = 0; n < 256; ++n) k.push_back(std::to_string(n));
    return k;
  }();
  return i < keys.size() ? keys[i].c_str() : "(entry past 255)";
}

// ---- Writing ----

void FieldWriter::visit(const Field&, const std::string& text) { putString(out_, text); }

void FieldWriter::visit(const Field& f, const std::vector<std::string>& lines) {
  put32(out_, static_cast<uint32_t>(lines.size()));
  for (const std::string& line : lines) visit(f, line);
}

void FieldWriter::visit(const Field& f, const std::optional<std::string>& text) {
  put8(out_, text ? 1 : 0);
  if (text) visit(f, *text);
}

void FieldWriter::visit(const Field&, const Bitmap& b) {
  put32(out_, static_cast<uint32_t>(b.width));
  put32(out_, static_cast<uint32_t>(b.height));
  put8(out_, static_cast<uint8_t>(b.format));
  for (uint32_t m : b.masks) put32(out_, m);
  put32(out_, static_cast<uint32_t>(b.palette.size()));
  for (uint32_t c : b.palette) put32(out_, c);
  put64(out_, b.pixels.size());
  putBytes(out_, b.pixels.data(), b.pixels.size());
}

void FieldWriter::visit(const Field&, const RandomSource& r) {
  put64(out_, r.rawState());
  put8(out_, r.pendingForced() ? 1 : 0);
  put32(out_, static_cast<uint32_t>(r.pendingForced().value_or(0)));
}

// ---- Reading ----

void FieldReader::reject(const Field& f) {
  if (failedAt_.empty()) failedAt_ = pathOf(f.key);
  in_.reject();
}

void FieldReader::visit(const Field& f, std::string& text) {
  text = in_.string(kMaxTextBytes);
  if (!in_.ok()) reject(f);
}

void FieldReader::visit(const Field& f, std::vector<std::string>& lines) {
  const uint32_t n = in_.u32();
  // Every line takes at least its 4-byte length.
  if (!in_.ok() || n > kMaxTextLines || n > in_.remaining() / 4) return reject(f);
  lines.assign(n, std::string());
  for (std::string& line : lines) visit(f, line);
}

void FieldReader::visit(const Field& f, std::optional<std::string>& text) {
  bool present = false;
  visit(f, present);
  text.reset();
  if (!present) return;
  text.emplace();
  visit(f, *text);
}

void FieldReader::visit(const Field& f, Bitmap& b) {
  b = Bitmap{};
  const int32_t w = in_.i32(), h = in_.i32();
  const uint8_t format = in_.u8();
  for (uint32_t& m : b.masks) m = in_.u32();
  if (!in_.ok() || w < 0 || h < 0 || w > kMaxPictureSide || h > kMaxPictureSide ||
      format > static_cast<uint8_t>(PixelFormat::Bgrx32))
    return reject(f);
  b.format = static_cast<PixelFormat>(format);
  const uint32_t colours = in_.u32();
  if (colours > 256 || colours * 4ull > in_.remaining()) return reject(f);
  b.palette.resize(colours);
  for (uint32_t& c : b.palette) c = in_.u32();
  const uint64_t bytes = in_.u64();
  if (w == 0 || h == 0) {
    if (bytes != 0) reject(f);
    return;
  }
  const int stride = Bitmap::strideFor(b.format, w);
  if (bytes != static_cast<uint64_t>(stride) * h || bytes > in_.remaining()) return reject(f);
  b.width = w;
  b.height = h;
  b.stride = stride;
  const auto pixels = in_.take(bytes);
  b.pixels.assign(pixels.begin(), pixels.end());
}

void FieldReader::visit(const Field& f, RandomSource& r) {
  const uint64_t state = in_.u64();
  bool forced = false;
  visit(f, forced);
  const int32_t value = in_.i32();
  if (!in_.ok()) return reject(f);
  r.setRaw(state, forced ? std::optional<int>(value) : std::nullopt);
}

}  // namespace shirakaba
