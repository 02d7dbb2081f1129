#include <gtest/gtest.h>

#include "editors/FieldChecks.h"
#include "editors/LinkTextChecks.h"
#include "fakes/ScriptedUi.h"
#include "platform/ErrorBox.h"

using namespace editors;

namespace {

// The message of the error box the call shows, empty when it passes.
template <typename Call>
std::string ErrorOf(Call call) {
  ScriptedUi ui;
  if (RunCommand(call)) return {};
  return ui.Messages().empty() ? "(abandoned without a box)" : ui.Messages().back();
}

}  // namespace

TEST(FieldChecks, IntegersAcceptBlanksAndSignsOnly) {
  EXPECT_EQ(CheckInteger(" 42 "), 42);
  EXPECT_EQ(CheckInteger("+3"), 3);
  EXPECT_EQ(CheckInteger("-7"), -7);
  for (const char* bad : {"", " ", "4x", "x4", "1 2", "99999999999", "+-1"})
    EXPECT_EQ(ErrorOf([&] { CheckInteger(bad); }), "Enter an integer.") << bad;
}

TEST(FieldChecks, RangeCheckComesAfterTheIntegerCheck) {
  EXPECT_EQ(CheckIntegerBetween("4", 1, 4), 4);
  EXPECT_EQ(ErrorOf([] { CheckIntegerBetween("5", 1, 4); }), "Enter an integer between 1 and 4.");
  EXPECT_EQ(ErrorOf([] { CheckIntegerBetween("0", 1, 4); }), "Enter an integer between 1 and 4.");
  EXPECT_EQ(ErrorOf([] { CheckIntegerBetween("one", 1, 4); }), "Enter an integer.");
}

TEST(FieldChecks, LengthCountsCharactersNotBytes) {
  std::string text;
  for (int i = 0; i < 200; ++i) text += "\xC3\xA4";  // 200 x "ä", 400 bytes
  EXPECT_EQ(CountCharacters(text), 200u);
  EXPECT_EQ(ErrorOf([&] { CheckMaxCharacters(text, 200); }), "");
  EXPECT_EQ(ErrorOf([&] { CheckMaxCharacters(text + "a", 200); }), "Enter no more than 200 characters.");
  EXPECT_EQ(KeepCharacters(text, 1), "\xC3\xA4");
  EXPECT_EQ(KeepCharacters("abc", 5), "abc");
  EXPECT_EQ(ErrorOf([] { CheckNotEmpty("", "Reference title must be entered"); }), "Reference title must be entered");
}

TEST(LinkTextChecks, MarkersThatWouldGarbleStoredLinksAreRefused) {
  EXPECT_EQ(ErrorOf([] { CheckDescriptionWithoutLinkMarker("A key to @Links"); }).find("@Links") != std::string::npos,
            true);
  EXPECT_EQ(ErrorOf([] { CheckDescriptionWithoutLinkMarker("A key to links"); }), "");
  EXPECT_NE(ErrorOf([] { CheckLinkName("price @$ 3"); }).find("@$"), std::string::npos);
  EXPECT_EQ(ErrorOf([] { CheckLinkName("price $@ 3"); }), "");
  EXPECT_EQ(ErrorOf([] { CheckLinkName("two\nlines"); }), "The link text must be a single line.");
  EXPECT_EQ(ErrorOf([] { CheckLinkAddress("a.htm\r\nb"); }), "The page location must be a single line.");
  // A link without a location would open nothing.
  EXPECT_EQ(ErrorOf([] { CheckLinkAddress(""); }), "Enter the page location.");
  EXPECT_EQ(ErrorOf([] { CheckLinkAddress("  "); }), "Enter the page location.");
  EXPECT_EQ(ErrorOf([] { CheckLinkAddress("./a.htm"); }), "");
}
