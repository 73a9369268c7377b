// The PO reader and writer: what translation editors and msgfmt write is read back
// exactly, and whatever else is refused with the line it stands on.
#include <gtest/gtest.h>

#include "tools/pack/old_contexts.h"
#include "tools/pack/po.h"

namespace shirakaba {
namespace {

std::string errorOf(const std::string& text) {
  const Result<std::vector<PoEntry>> r = readPo(text);
  EXPECT_FALSE(r) << text;
  return r ? "" : r.error();
}

const char kHeader[] =
    "msgid \"\"\n"
    "msgstr \"\"\n"
    "\"Content-Type: text/plain; charset=UTF-8\\n\"\n";

TEST(PoRead, EntriesWithContextsFlagsNotesAndContinuedStrings) {
  const std::string text = std::string("# translator's comment\n") + kHeader +
                           "\r\n"
                           "#. Page text of scene *op\r\n"
                           "#: script.txt:9\n"
                           "#, fuzzy, no-wrap\n"
                           "msgctxt \"*op:9\"\n"
                           "msgid \"一行目\"\n"
                           "msgstr \"\"\n"
                           "  \"첫 줄\"\n"
                           "msgctxt \"program:about\"\n"  // no blank line between entries
                           "msgid \"\"\n"
                           "\"白樺館\\n\"\n"
                           "\"  見習い日誌\"\n"
                           "msgstr \"Shirakaba\\n  diary\"\n"
                           "\n"
                           "#~ msgctxt \"*old:1\"\n"
                           "#~ msgid \"古い\"\n"
                           "#~ msgstr \"old\"\n"
                           "msgctxt \"*op:10\"\n"
                           "msgid \"tab\\there \\\"quoted\\\" back\\\\slash \\101\\x42\"\n"
                           "msgstr \"\"";  // no line break at the end
  const Result<std::vector<PoEntry>> r = readPo(text);
  ASSERT_TRUE(r) << r.error();
  ASSERT_EQ(r->size(), 3u);
  const PoEntry& a = r.value()[0];
  EXPECT_TRUE(a.hasContext);
  EXPECT_EQ(a.context, "*op:9");
  EXPECT_EQ(a.id, "一行目");
  EXPECT_EQ(a.str, "첫 줄");
  EXPECT_TRUE(a.fuzzy);
  EXPECT_EQ(a.notes, std::vector<std::string>{"Page text of scene *op"});
  EXPECT_EQ(a.references, std::vector<std::string>{"script.txt:9"});
  EXPECT_EQ(a.line, 9);
  const PoEntry& b = r.value()[1];
  EXPECT_EQ(b.id, "白樺館\n  見習い日誌");
  EXPECT_EQ(b.str, "Shirakaba\n  diary");
  EXPECT_FALSE(b.fuzzy);
  EXPECT_EQ(b.line, 13);
  EXPECT_EQ(r.value()[2].id, "tab\there \"quoted\" back\\slash AB");
  EXPECT_EQ(r.value()[2].str, "");
}

TEST(PoRead, AnEntryWithoutContextAndAFileWithoutHeaderAreRead) {
  const Result<std::vector<PoEntry>> r = readPo("msgid \"a\"\nmsgstr \"b\"\n");
  ASSERT_TRUE(r) << r.error();
  ASSERT_EQ(r->size(), 1u);
  EXPECT_FALSE(r.value()[0].hasContext);
  EXPECT_TRUE(readPo("").ok());
  EXPECT_TRUE(readPo("# only a comment\n").ok());
}

TEST(PoRead, RefusesWhatItCannotReadExactlyByLine) {
  const std::string h(kHeader);  // lines 1-3
  EXPECT_EQ(errorOf(h + "msgctxt \"x\"\nmsgid \"a\"\nmsgid_plural \"as\"\nmsgstr[0] \"\"\n"),
            "line 6: plural forms are not used in the game's texts");
  EXPECT_EQ(errorOf(h + "msgid \"a\\q\"\nmsgstr \"\"\n"), "line 4: an unknown escape \\q");
  EXPECT_EQ(errorOf(h + "msgid \"a\nmsgstr \"\"\n"), "line 4: a string without its closing quote");
  EXPECT_EQ(errorOf(h + "msgid \"a\" x\nmsgstr \"\"\n"), "line 4: something after the closing quote");
  EXPECT_EQ(errorOf(h + "msgid a\nmsgstr \"\"\n"), "line 4: a string in double quotes is expected");
  EXPECT_EQ(errorOf("msgstr \"b\"\n"), "line 1: msgstr where it cannot stand (after the start of an entry)");
  EXPECT_EQ(errorOf(h + "msgstr \"b\"\n"), "line 4: msgstr where it cannot stand (after msgstr)");
  EXPECT_EQ(errorOf(h + "msgid \"a\"\nmsgctxt \"c\"\nmsgstr \"\"\n"),
            "line 5: msgctxt where it cannot stand (after msgid)");
  EXPECT_EQ(errorOf(h + "msgid \"a\"\n#. note\nmsgstr \"\"\n"), "line 5: a comment inside an entry, before its msgstr");
  EXPECT_EQ(errorOf("# comment\n\"stray\"\n"), "line 2: a string that continues no keyword");
  EXPECT_EQ(errorOf(h + "msgctxt \"c\"\nmsgid \"a\"\n"), "line 6: the file ends inside an entry, before its msgstr");
  EXPECT_EQ(errorOf(h + "msgid \"a\"\nmsgstr \"\"\nbonjour\n"),
            "line 6: neither a comment, a keyword nor a string: \"bonjour\"");
  EXPECT_EQ(errorOf(h + "msgid \"a\"\nmsgstr \"\xE6\x88\"\n"),
            "line 5: bytes that are not UTF-8 (the file must be written in UTF-8)");
  EXPECT_EQ(errorOf(h + "msgctxt \"c\"\nmsgid \"a\"\nmsgstr \"1\"\n\nmsgctxt \"c\"\nmsgid \"a\"\nmsgstr \"2\"\n"),
            "line 11: the entry from line 8 repeats the one on line 4");
  EXPECT_EQ(errorOf(h + h), "line 7: a second header entry (msgid \"\") from line 4");
  EXPECT_EQ(errorOf("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=Shift_JIS\\n\"\nmsgid \"a\"\n"),
            "line 3: the header names the charset SHIFT_JIS: the file must be UTF-8 (charset=UTF-8)");
  EXPECT_EQ(errorOf("msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=CHARSET\\n\"\n"),
            "line 3: the header names the charset CHARSET: the file must be UTF-8 (charset=UTF-8)");
}

TEST(PoRead, AByteOrderMarkIsSkippedAndQuotesInMessagesAreCut) {
  const Result<std::vector<PoEntry>> r = readPo(std::string("\xEF\xBB\xBF") + kHeader + "msgid \"a\"\nmsgstr \"b\"\n");
  ASSERT_TRUE(r) << r.error();
  ASSERT_EQ(r->size(), 1u);
  EXPECT_EQ(r.value()[0].line, 4);
  EXPECT_EQ(quotedForMessage("two\nlines \"q\"\t\x01"), "\"two\\nlines \\\"q\\\"\\t?\"");
  const std::string cut = quotedForMessage(std::string(59, 'a') + "白樺館");
  EXPECT_EQ(cut, "\"" + std::string(59, 'a') + "白\"… (68 bytes)");  // never inside a character
  EXPECT_LT(errorOf(std::string(100000, 'x')).size(), 200u);
}

// A file of the earlier layout keeps every line but its msgctxt lines: the comments,
// the flags, the line endings, the obsolete entries and the entries already renamed.
TEST(PoUpgrade, RenamesOnlyTheMsgctxtOfEntriesNamedByLine) {
  const std::string before = std::string(kHeader) +
                             "\r\n# checked by Mina\r\n#, fuzzy\r\nmsgctxt \"*op:12\"\r\nmsgid \"はい\"\r\nmsgstr \"oui\"\r\n"
                             "\nmsgctxt \"\"\n\"*op:9\"\nmsgid \"はい\"\nmsgstr \"d'accord\"\n"
                             "\n#: script:30\nmsgctxt \"*ed:1\"\nmsgid \"終\"\nmsgstr \"fin\"\n"
                             "\nmsgctxt \"program:menu\"\nmsgid \"設定\"\nmsgstr \"Réglages\"\n"
                             "\n#~ msgctxt \"*op:3\"\n#~ msgid \"古い\"\n#~ msgstr \"vieux\"\n";
  int renamed = 0;
  const Result<std::string> after = upgradePoText(before, renamed);
  ASSERT_TRUE(after) << after.error();
  EXPECT_EQ(renamed, 2);
  EXPECT_EQ(after.value(), std::string(kHeader) +
                               "\r\n# checked by Mina\r\n#, fuzzy\r\n#: script:12\r\nmsgctxt \"*op (2)\"\r\n"
                               "msgid \"はい\"\r\nmsgstr \"oui\"\r\n"
                               "\n#: script:9\nmsgctxt \"*op\"\nmsgid \"はい\"\nmsgstr \"d'accord\"\n"
                               "\n#: script:30\nmsgctxt \"*ed:1\"\nmsgid \"終\"\nmsgstr \"fin\"\n"
                               "\nmsgctxt \"program:menu\"\nmsgid \"設定\"\nmsgstr \"Réglages\"\n"
                               "\n#~ msgctxt \"*op:3\"\n#~ msgid \"古い\"\n#~ msgstr \"vieux\"\n");
  // What it wrote reads as the renamed entries.
  const Result<std::vector<PoEntry>> read = readPo(after.value());
  ASSERT_TRUE(read) << read.error();
  std::vector<PoEntry> inMemory = readPo(before).value();
  EXPECT_EQ(renameLineContexts(inMemory), 2);
  ASSERT_EQ(read->size(), inMemory.size());
  for (size_t i = 0; i < inMemory.size(); ++i) {
    EXPECT_EQ(read.value()[i].context, inMemory[i].context);
    EXPECT_EQ(read.value()[i].references, inMemory[i].references);
    EXPECT_EQ(read.value()[i].fuzzy, inMemory[i].fuzzy);
  }
  EXPECT_EQ(upgradePoText(after.value(), renamed).value(), after.value()) << "a second run changes nothing";
  EXPECT_EQ(renamed, 0);
}

TEST(PoWrite, WhatIsWrittenIsReadBackExactly) {
  std::vector<PoEntry> entries{
      {"*op", true, "「はい」と言った", "", {"Page text of scene *op."}, false, 0, {"script:9"}},
      {"*op:10", true, "quote \" back\\slash\ttab \x01 end", "übersetzt \"ja\"", {}, true, 0, {}},
      {"program:about", true, "白樺館\n  見習い日誌 体験版", "Shirakaba\n  diary\n", {"two", "notes"}, false, 0, {}},
      {"program:start-up", true, "ends in a break\n", "", {}, false, 0, {}},
  };
  const std::string text = writePo({"first", "", "third"}, {"Content-Type: text/plain; charset=UTF-8"}, entries);
  EXPECT_EQ(text.rfind("# first\n#\n# third\n#, fuzzy\nmsgid \"\"\n", 0), 0u) << text;
  const Result<std::vector<PoEntry>> back = readPo(text);
  ASSERT_TRUE(back) << back.error() << "\n" << text;
  ASSERT_EQ(back->size(), entries.size());
  for (size_t i = 0; i < entries.size(); ++i) {
    const PoEntry& e = back.value()[i];
    EXPECT_EQ(e.context, entries[i].context);
    EXPECT_EQ(e.id, entries[i].id);
    EXPECT_EQ(e.str, entries[i].str);
    EXPECT_EQ(e.notes, entries[i].notes);
    EXPECT_EQ(e.references, entries[i].references);
    EXPECT_EQ(e.fuzzy, entries[i].fuzzy);
  }
}

}  // namespace
}  // namespace shirakaba
