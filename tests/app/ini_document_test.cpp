// SPDX-License-Identifier: MIT
// IniDocument: how keys are found, and how a change leaves the rest of the text alone.
#include "app/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace nuvrel::app {
namespace {

TEST(IniDocumentGet, FindsTheFirstKeyOfTheNamedSectionWithoutCaseOrBlanks) {
  struct Case {
    const char* text;
    const char* section;
    const char* key;
    std::optional<std::string> value;
  };
  const char* const named = "orphan=1\n[A]\n;hidden=2\nnoequals\n=nokey\n[B]\ninB=3\n";
  const char* const quoted =
      "[s]\na=\"C:\\My Logos\\x.bmp\"\nb=\"\"q\"\"\nc=\"open\nd=\" padded \"\ne=\"\n";
  const char* const repeated = "[s]\nk=first\nk=second\n[t]\n[S]\nk=third\nonlyLater=1\n";
  const Case cases[] = {
      {"[ Ecr ]\n  ecrcom  =  2  \n", "ECR", "EcrCom", "2"},
      {"[ Ecr ]\n  ecrcom  =  2  \n", "ecr", "ECRCOM", "2"},
      {"[ Ecr ]\n  ecrcom  =  2  \n", "ECR", "EcrCo", std::nullopt},
      {"[ Ecr ]\n  ecrcom  =  2  \n", "EC", "EcrCom", std::nullopt},
      // One pair of enclosing quotes is dropped.
      {quoted, "s", "a", "C:\\My Logos\\x.bmp"},
      {quoted, "s", "b", "\"q\""},
      {quoted, "s", "c", "\"open"},
      {quoted, "s", "d", " padded "},
      {quoted, "s", "e", "\""},
      {"[s]\nempty=\n", "s", "empty", ""},
      {"[s]\nempty=\n", "s", "other", std::nullopt},
      {named, "", "orphan", std::nullopt},
      {named, "A", "orphan", std::nullopt},
      {named, "A", ";hidden", std::nullopt},
      {named, "A", "hidden", std::nullopt},
      {named, "A", "noequals", std::nullopt},
      {named, "A", "inB", std::nullopt},
      {named, "B", "inB", "3"},
      {repeated, "s", "k", "first"},
      {repeated, "s", "onlyLater", std::nullopt},
      {"[s]\nk=a=b;c\n", "s", "k", "a=b;c"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IniDocument::Parse(c.text).Get(c.section, c.key), c.value)
        << c.text << " [" << c.section << "] " << c.key;
  }
}

TEST(IniDocumentParse, AnyLineEndsReadAlikeAndTheTextComesBackInCrLfLines) {
  for (const char* text :
       {"[s]\r\nk=v\r\nlast=x\r\n", "[s]\nk=v\nlast=x\n", "[s]\r\nk=v\nlast=x"}) {
    const auto doc = IniDocument::Parse(text);
    EXPECT_EQ(doc.Get("s", "k"), "v") << text;
    EXPECT_EQ(doc.Get("s", "last"), "x") << text;
    EXPECT_EQ(doc.Text(), "[s]\r\nk=v\r\nlast=x\r\n") << text;
  }
  // Nothing but the line ends changes; a leading byte order mark is not part of the first line.
  EXPECT_EQ(IniDocument::Parse("; note\n\n  [s]  \nk = v \n\t\nstray line\n").Text(),
            "; note\r\n\r\n  [s]  \r\nk = v \r\n\t\r\nstray line\r\n");
  EXPECT_EQ(IniDocument::Parse("").Text(), "");
  const auto bom = IniDocument::Parse("\xEF\xBB\xBF[s]\nk=v\n");
  EXPECT_EQ(bom.Get("s", "k"), "v");
  EXPECT_EQ(bom.Text(), "\xEF\xBB\xBF[s]\r\nk=v\r\n");
}

TEST(IniDocumentSet, ChangesOnlyTheFirstKeyLineOrAddsItAtTheEndOfItsSection) {
  const struct {
    const char* text;
    const char* section;
    const char* key;
    const char* after;
  } cases[] = {
      // The key line is replaced in place with the file's spelling of the key.
      {"; settings\n[ECR]\n  ECRCOM = 1 \nother=x\n[Ports]\nCOM1=/dev/a\n", "ecr", "EcrCom",
       "; settings\r\n[ECR]\r\nECRCOM=v\r\nother=x\r\n[Ports]\r\nCOM1=/dev/a\r\n"},
      {"[s]\nk=1\nk=2\n", "s", "k", "[s]\r\nk=v\r\nk=2\r\n"},
      // A missing key goes after the section's last line that is not blank.
      {"[a]\nx=1\n; trailing note\n\n\n[b]\ny=2\n", "A", "new",
       "[a]\r\nx=1\r\n; trailing note\r\nnew=v\r\n\r\n\r\n[b]\r\ny=2\r\n"},
      {"[a]\nx=1\n[b]\n", "b", "y", "[a]\r\nx=1\r\n[b]\r\ny=v\r\n"},
      {"k=outside\n[s]\n", "s", "k", "k=outside\r\n[s]\r\nk=v\r\n"},
      // A missing section goes at the end, set off by one blank line.
      {"[a]\nx=1", "logoman", "image", "[a]\r\nx=1\r\n\r\n[logoman]\r\nimage=v\r\n"},
      {"[a]\nx=1\n\n", "b", "k", "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n"},
      {"", "ECR", "EcrCom", "[ECR]\r\nEcrCom=v\r\n"},
  };
  for (const auto& c : cases) {
    auto doc = IniDocument::Parse(c.text);
    doc.Set(c.section, c.key, "v");
    EXPECT_EQ(doc.Text(), c.after) << c.text;
  }
}

TEST(IniDocumentSet, EveryValueReadsBackAsWritten) {
  for (const char* value :
       {"", "plain", " lead", "trail ", "\"quoted\"", "\"", "a\"b\"", "x=y;z", "\t",
        "\xE0\xE1\xE2 cp1251", "a, b", "C:\\Logos\\", "\\\"", "@at", "@@"}) {
    auto doc = IniDocument::Parse("[s]\nk=old\n");
    doc.Set("s", "k", value);
    EXPECT_EQ(IniDocument::Parse(doc.Text()).Get("s", "k"), value) << '[' << value << ']';
  }
}

}  // namespace
}  // namespace nuvrel::app
