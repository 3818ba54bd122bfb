// Numbers read from and written to text, rounding, characters, ANSI and the splitter.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "text/Text.h"

namespace {

TEST(NumericValue, ReadsTheNumberAtTheStart) {
  const std::pair<const char*, double> cases[] = {
      {"", 0},        {"abc", 0},   {" 1 2 ", 12}, {"- 5", -5},   {"+7", 7},      {"1.5", 1.5}, {".5", 0.5},
      {"1.2.3", 1.2}, {"1,5", 1},   {"12abc", 12}, {"1E+2", 100}, {"25e-1", 2.5}, {"1e", 1},    {"2d1", 20},
      {"&H1F", 31},   {"&O17", 15}, {"&X12", 0},   {"--5", 0},    {"\t3\n", 3},   {"é5", 0},    {"5é", 5}};
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(NumericValue(text), value) << '"' << text << '"';
  // Out of range is infinite or zero, never a wrapped small number.
  EXPECT_EQ(std::pair(NumericValue("1e999"), NumericValue(std::string(400, '9'))), std::pair(HUGE_VAL, HUGE_VAL));
  EXPECT_EQ(NumericValue("1e-999"), 0);
  EXPECT_GT(NumericValue("&H" + std::string(300, 'F')), 1e300);
}

TEST(NumberText, ShortestFormThatReadsBack) {
  EXPECT_EQ(NumberText(7230), "7230");
  EXPECT_EQ(NumberText(1e6), "1000000");
  EXPECT_EQ(NumberText(0.25), "0.25");
  EXPECT_EQ(NumberText(-0.0), "0");
  for (double v : {0.1 + 0.2, 1.0 / 3, 1e20, 1e-7, std::numeric_limits<double>::infinity()})
    EXPECT_EQ(NumericValue(NumberText(v)), v) << NumberText(v);
}

TEST(Rounding, HalvesToEvenAndNothingWraps) {
  struct Row {
    double value;
    int byte, integer;
    bool fitsByte, fitsInteger;
  };
  const Row rows[] = {{0.5, 0, 0, true, true},           {1.5, 2, 2, true, true},
                      {2.5, 2, 2, true, true},           {254.5, 254, 254, true, true},
                      {255.5, 255, 256, false, true},    {-0.5, 0, 0, true, true},
                      {-1.5, 0, -2, false, true},        {32767.5, 255, 32767, false, false},
                      {-1e300, 0, -32768, false, false}, {NAN, 0, 0, false, false}};
  for (const auto& r : rows) {
    EXPECT_EQ(ToByte(r.value), r.byte) << r.value;
    EXPECT_EQ(ToInteger(r.value), r.integer) << r.value;
    EXPECT_EQ(FitsByte(r.value), r.fitsByte) << r.value;
    EXPECT_EQ(FitsInteger(r.value), r.fitsInteger) << r.value;
  }
}

TEST(Characters, CountedNotBytes) {
  EXPECT_EQ(CharCount("Arrêt"), 5u);
  EXPECT_EQ(PadTwo("5") + PadTwo("é") + PadTwo("12") + PadTwo(""), "050é12");
  EXPECT_EQ(LeftChars("éèà", 2), "éè");
  EXPECT_EQ(MidChars("éèà", 1), "èà");
  EXPECT_EQ(MidChars("-t:", 3) + MidChars("ab", 9), "");
}

TEST(Ansi, Windows1252BothWays) {
  EXPECT_EQ(Utf8ToAnsi("Arrêt € œ"), "Arr\xEAt \x80 \x9C");
  EXPECT_EQ(Utf8ToAnsi("日a\xC3"), "?a?");    // unknown and cut characters
  EXPECT_EQ(Utf8ToAnsi("\xC0\x80x"), "??x");  // no NUL smuggled in by an overlong form
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST(TraiteCommande, SplitsLikeTheProgramAlwaysHas) {
  using V = std::vector<std::string>;
  const std::tuple<const char*, const char*, V> cases[] = {
      {"   ", " ", {}},
      {"  -a   -t:0,10,0  -m ", " ", {"-a", "-t:0,10,0", "-m"}},
      {"1,,3", ",", {"1", "", "3"}},
      {",,,", ",", {"", "", ""}},
      {"1,", ",", {"1"}},
      {"1, 2 ,3", ",", {"1", " 2 ", "3"}},  // blanks after a comma stay with the next field
      {"a b", "", {"a b"}},                 // an empty separator cannot loop forever
  };
  for (const auto& [comm, separator, tokens] : cases) EXPECT_EQ(TraiteCommande(comm, separator), tokens) << comm;
}

}  // namespace
