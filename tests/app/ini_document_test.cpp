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

TEST(IniDocumentParse, CrLfLfAndAMissingLastLineEndReadAlike) {
  for (const char* text :
       {"[s]\r\nk=v\r\nlast=x\r\n", "[s]\nk=v\nlast=x\n", "[s]\r\nk=v\nlast=x"}) {
    const auto doc = IniDocument::Parse(text);
    EXPECT_EQ(doc.Get("s", "k"), "v") << text;
    EXPECT_EQ(doc.Get("s", "last"), "x") << text;
  }
}

TEST(IniDocumentParse, ALeadingBomIsNotPartOfTheFirstLineAndIsKept) {
  const auto doc = IniDocument::Parse("\xEF\xBB\xBF[s]\nk=v\n");
  EXPECT_EQ(doc.Get("s", "k"), "v");
  EXPECT_EQ(doc.Text(), "\xEF\xBB\xBF[s]\r\nk=v\r\n");
}

TEST(IniDocumentText, EveryLineEndsInCrLfAndNothingElseChanges) {
  const auto doc = IniDocument::Parse("; note\n\n  [s]  \nk = v \n\t\nstray line\n");
  EXPECT_EQ(doc.Text(), "; note\r\n\r\n  [s]  \r\nk = v \r\n\t\r\nstray line\r\n");
  EXPECT_EQ(IniDocument::Parse("").Text(), "");
}

TEST(IniDocumentSet, ReplacesTheKeyLineInPlaceAndKeepsTheFilesSpelling) {
  auto doc =
      IniDocument::Parse("; settings\n[ECR]\n  ECRCOM = 1 \nother=x\n[Ports]\nCOM1=/dev/a\n");
  doc.Set("ecr", "EcrCom", "3");
  EXPECT_EQ(doc.Text(), "; settings\r\n[ECR]\r\nECRCOM=3\r\nother=x\r\n[Ports]\r\nCOM1=/dev/a\r\n");
}

TEST(IniDocumentSet, ReplacesOnlyTheFirstOfRepeatedKeys) {
  auto doc = IniDocument::Parse("[s]\nk=1\nk=2\n");
  doc.Set("s", "k", "9");
  EXPECT_EQ(doc.Text(), "[s]\r\nk=9\r\nk=2\r\n");
}

TEST(IniDocumentSet, AddsAMissingKeyAfterTheSectionsLastNonBlankLine) {
  auto doc = IniDocument::Parse("[a]\nx=1\n; trailing note\n\n\n[b]\ny=2\n");
  doc.Set("A", "new", "v");
  EXPECT_EQ(doc.Text(), "[a]\r\nx=1\r\n; trailing note\r\nnew=v\r\n\r\n\r\n[b]\r\ny=2\r\n");

  auto last = IniDocument::Parse("[a]\nx=1\n[b]\n");
  last.Set("b", "y", "2");
  EXPECT_EQ(last.Text(), "[a]\r\nx=1\r\n[b]\r\ny=2\r\n");
}

TEST(IniDocumentSet, KeysBeforeTheFirstSectionAreNotTakenForTheSectionsKeys) {
  auto doc = IniDocument::Parse("k=outside\n[s]\n");
  doc.Set("s", "k", "inside");
  EXPECT_EQ(doc.Text(), "k=outside\r\n[s]\r\nk=inside\r\n");
}

TEST(IniDocumentSet, AddsAMissingSectionAtTheEndSetOffByOneBlankLine) {
  auto doc = IniDocument::Parse("[a]\nx=1");
  doc.Set("logoman", "image", "/tmp/l.bmp");
  EXPECT_EQ(doc.Text(), "[a]\r\nx=1\r\n\r\n[logoman]\r\nimage=/tmp/l.bmp\r\n");

  auto blankEnd = IniDocument::Parse("[a]\nx=1\n\n");
  blankEnd.Set("b", "k", "v");
  EXPECT_EQ(blankEnd.Text(), "[a]\r\nx=1\r\n\r\n[b]\r\nk=v\r\n");

  IniDocument empty;
  empty.Set("ECR", "EcrCom", "0");
  EXPECT_EQ(empty.Text(), "[ECR]\r\nEcrCom=0\r\n");
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
