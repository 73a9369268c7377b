// The commands of shirakaba-pack, callable from tests as well as from main.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "tools/pack/pack_builder.h"

namespace shirakaba {

// "000.bmp".."127.bmp": the file a picture is built from and extracted to.
std::string pictureFileName(int pic);

// The script as it goes into a pack: UTF-8 text (a leading byte-order mark dropped)
// is converted to CP932, anything else is taken as CP932 already. An Error naming
// the line of the first character CP932 cannot hold.
Result<std::string> scriptToCp932(const std::string& text);

// The script block a script file packs into: a text that begins with the UTF-8
// byte-order mark stays UTF-8, mark included, and must be valid UTF-8 (an Error
// naming the first line that is not); any other goes through scriptToCp932.
Result<std::string> scriptBlockOf(const std::string& text);

// Reads DIR/000.bmp..127.bmp and DIR/script.txt; an Error naming what is wrong.
// Bytes after a picture's end are told on notes.
Result<PackContents> readPackSources(const std::string& dir, std::ostream& notes);

// Writes a file a command makes, first making its folder when it is missing.
Result<void> writeOutputFile(const std::string& path, const std::vector<uint8_t>& bytes);

// Every problem of a pack, one line each; empty when the pack is sound.
std::vector<std::string> checkPack(const std::vector<uint8_t>& pack);

int packBuild(const std::string& dir, const std::string& outPath, std::ostream& out, std::ostream& err);
int packExtract(const std::string& packPath, const std::string& dir, bool utf8, std::ostream& out,
                std::ostream& err);
int packCheck(const std::string& packPath, std::ostream& out, std::ostream& err);
int packStrings(const std::string& packPath, const std::string& potPath, std::ostream& out, std::ostream& err);
int packTranslate(const std::string& packPath, const std::string& poPath, const std::string& outPath,
                  std::ostream& out, std::ostream& err);
struct PackScript;
struct TranslationCount {
  int translated = 0, texts = 0, ownTexts = 0;
};
// The pack with the translations of the PO text; refusals and warnings go to err, one
// "translate: ..." line each. An Error when any entry is refused. The names are for messages.
Result<std::vector<uint8_t>> translatePack(PackScript pack, const std::string& packName, const std::string& poText,
                                           const std::string& poName, std::ostream& err, TranslationCount& count);

// args without the program name; returns the exit status.
int runPackTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace shirakaba
