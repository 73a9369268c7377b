// The pieces of the demo data set: the story script, the readme, the 128
// pictures and the three sound effects, all made here from scratch.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/bitmap.h"
#include "engine/pack.h"

namespace shirakaba::demo {

extern const char* const kScriptUtf8;  // the story and its hint blocks, UTF-8
extern const char* const kReadmeUtf8;  // readme.txt, UTF-8
extern const char* const kReadmeEnglish;  // readme.txt of the English demo, ASCII
extern const char* const kEnglishPo;      // tools/demo/en.po

// Picture n of the pack as a bitmap ready for encodeBmp (32-bit, or 8-bit for
// masks and for the sheets that only fit their place palettised).
Bitmap makePicture(int n);

// The groups the pictures are painted by.
Bitmap makeInterfacePicture(int n);  // 0..29
Bitmap makeBackground(int n);        // 30..59 and 120
Bitmap makeCG(int n);                // 121..127
Bitmap makeSprite(int n);            // 60..95: sprites and their masks
Bitmap makeFace(int n);              // 96..119: faces and their masks

// 16-bit mono PCM WAV files: 1 a click, 3 a chime, 4 a low buzz.
std::vector<uint8_t> makeSound(int kind);

// The script and readme as they go into the pack and the folder: CP932 with CR LF.
std::string scriptCp932();
std::string readmeCp932();
std::string readmeEnglish();

}  // namespace shirakaba::demo
