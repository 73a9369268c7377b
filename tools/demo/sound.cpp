// The three sound effects, synthesised: a short wooden click for an accepted
// press, a two-note chime for a finished job and a low buzz for a refusal.
#include <cmath>

#include "base/byte_writer.h"
#include "tools/demo/demo_data.h"
#include "tools/demo/maths.h"

namespace shirakaba::demo {
namespace {

constexpr int kRate = 22050;

std::vector<uint8_t> wav(const std::vector<float>& samples) {
  std::vector<uint8_t> o;
  const uint32_t data = static_cast<uint32_t>(samples.size() * 2);
  o.insert(o.end(), {'R', 'I', 'F', 'F'});
  put32(o, 36 + data);
  o.insert(o.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  put32(o, 16);
  put16(o, 1);  // PCM
  put16(o, 1);  // mono
  put32(o, kRate);
  put32(o, kRate * 2);
  put16(o, 2);
  put16(o, 16);
  o.insert(o.end(), {'d', 'a', 't', 'a'});
  put32(o, data);
  for (float s : samples) {
    const long v = std::lround(std::fmax(-1.0f, std::fmin(1.0f, s)) * 32767.0f);
    put16(o, static_cast<uint32_t>(static_cast<int16_t>(v)) & 0xFFFF);
  }
  return o;
}

std::vector<float> click() {
  std::vector<float> s(static_cast<size_t>(kRate * 0.05));
  uint32_t noise = 12345;
  for (size_t i = 0; i < s.size(); ++i) {
    const float t = static_cast<float>(i) / kRate;
    noise = noise * 1103515245u + 12345u;
    const float n = static_cast<float>((noise >> 16) & 0x7FFF) / 16384.0f - 1.0f;
    const float env = exponential(-t * 140.0f);
    s[i] = env * (0.55f * sine(2 * static_cast<float>(M_PI) * 1800.0f * t) + 0.25f * n);
  }
  return s;
}

std::vector<float> chime() {
  std::vector<float> s(static_cast<size_t>(kRate * 0.9));
  const float notes[2] = {1318.5f, 1975.5f};  // E6 then B6
  for (size_t i = 0; i < s.size(); ++i) {
    const float t = static_cast<float>(i) / kRate;
    float v = 0;
    for (int k = 0; k < 2; ++k) {
      const float start = 0.12f * k;
      if (t < start) continue;
      const float u = t - start;
      const float env = exponential(-u * 4.5f) * std::fmin(1.0f, u * 400.0f);
      v += env * (0.32f * sine(2 * static_cast<float>(M_PI) * notes[k] * u) +
                  0.08f * sine(2 * static_cast<float>(M_PI) * notes[k] * 2.01f * u));
    }
    s[i] = v;
  }
  return s;
}

std::vector<float> buzz() {
  std::vector<float> s(static_cast<size_t>(kRate * 0.32));
  for (size_t i = 0; i < s.size(); ++i) {
    const float t = static_cast<float>(i) / kRate;
    const float env = std::fmin(1.0f, t * 200.0f) * std::fmin(1.0f, (0.32f - t) * 25.0f);
    float v = 0;
    for (int h = 1; h <= 9; h += 2) v += sine(2 * static_cast<float>(M_PI) * 110.0f * h * t) / h;
    s[i] = 0.35f * env * v;
  }
  return s;
}

}  // namespace

std::vector<uint8_t> makeSound(int kind) {
  switch (kind) {
    case 1: return wav(click());
    case 3: return wav(chime());
    case 4: return wav(buzz());
    default: return {};
  }
}

}  // namespace shirakaba::demo
