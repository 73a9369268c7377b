// Pictures, packs and temporary folders for tests.
#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "base/bitmap.h"
#include "tools/monkey/temp_dir.h"

namespace shirakaba::test {

// A 32-bit picture of one colour (0x00BBGGRR).
Bitmap solid32(int w, int h, Colour c);
// An 8-bit weight mask (no palette) with every weight v.
Bitmap mask8(int w, int h, uint8_t v);

// Writes gameDir/data/lumora.red: each given picture (encoded as BMP) at its offset,
// a 1x1 24-bit picture in every other slot, and the script converted to CP932.
// False when a picture does not fit its slot, the script cannot be written in CP932
// or the file cannot be written.
bool writeTestPack(const std::string& gameDir, const std::map<int, Bitmap>& pictures,
                   const std::string& scriptUtf8);

// What tests read whole at most: any pack, save or text they make.
constexpr uint64_t kTestReadLimit = 256ull << 20;

// A new empty folder under the system's temporary folder, removed when the test ends.
using shirakaba::makeTempDir;

}  // namespace shirakaba::test
