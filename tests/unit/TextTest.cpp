// Numbers read from and written to text, rounding, character-wise helpers,
// the ANSI conversion and the splitter.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "text/Text.h"

namespace {

struct ValueCase {
  const char* text;
  double value;
};

TEST(NumericValue, ReadsTheNumberAtTheStart) {
  const ValueCase cases[] = {
      {"", 0},      {"abc", 0},    {"12", 12},    {"  12  ", 12}, {"1 2", 12},    {"-5", -5},  {"+7", 7},
      {"- 5", -5},  {"1.5", 1.5},  {".5", 0.5},   {"5.", 5},      {"1.2.3", 1.2}, {"1,5", 1},  {"12abc", 12},
      {"0012", 12}, {"1e2", 100},  {"1E+2", 100}, {"25e-1", 2.5}, {"1e", 1},      {"1e+", 1},  {"2d1", 20},
      {"&H1F", 31}, {"&hff", 255}, {"&O17", 15},  {"&H", 0},      {"&Hxyz", 0},   {"&X12", 0}, {"--5", 0},
      {".", 0},     {"\t3\n", 3},  {"59s", 59},   {"0,10,0", 0},  {"é5", 0},      {"5é", 5},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(NumericValue(c.text), c.value) << '"' << c.text << '"';
}

TEST(NumericValue, ExtremesStayDefinedAndNeverLookValid) {
  EXPECT_TRUE(std::isinf(NumericValue("1e999")));
  EXPECT_TRUE(std::isinf(NumericValue("-1e999")));
  EXPECT_LT(NumericValue("-1e999"), 0);
  EXPECT_EQ(NumericValue("1e-999"), 0);
  EXPECT_TRUE(std::isinf(NumericValue(std::string(400, '9'))));
  EXPECT_GT(NumericValue("&H" + std::string(300, 'F')), 1e300);  // no wrap to a small value
  EXPECT_DOUBLE_EQ(NumericValue(std::string(5000, '0') + "7"), 7);
}

TEST(NumberText, ShortestDecimalForm) {
  const ValueCase cases[] = {{"0", 0},       {"5", 5},       {"12", 12},       {"-3", -3},   {"1.5", 1.5},
                             {"0.25", 0.25}, {"7230", 7230}, {"1000000", 1e6}, {"0.1", 0.1}, {"1e+20", 1e20}};
  for (const auto& c : cases) EXPECT_EQ(NumberText(c.value), c.text);
  EXPECT_EQ(NumberText(-0.0), "0");
  // Every text reads back as the number it came from.
  for (double v : {0.1 + 0.2, 1.0 / 3, 123456789.125, 1e-7, 99.5})
    EXPECT_EQ(NumericValue(NumberText(v)), v) << NumberText(v);
  EXPECT_TRUE(std::isinf(NumericValue(NumberText(std::numeric_limits<double>::infinity()))));
}

struct RoundCase {
  double value;
  int byte;
  int integer;
  bool fitsByte;
  bool fitsInteger;
};

TEST(Rounding, HalvesGoToTheEvenNeighbourAndOutOfRangeIsClamped) {
  const RoundCase cases[] = {
      {0.5, 0, 0, true, true},
      {1.5, 2, 2, true, true},
      {2.5, 2, 2, true, true},
      {2.4999, 2, 2, true, true},
      {2.5001, 3, 3, true, true},
      {254.5, 254, 254, true, true},
      {255.5, 255, 256, false, true},
      {-0.5, 0, 0, true, true},
      {-0.6, 0, -1, false, true},
      {-1.5, 0, -2, false, true},
      {300, 255, 300, false, true},
      {32767.5, 255, 32767, false, false},
      {-32768.5, 0, -32768, false, true},
      {-32769, 0, -32768, false, false},
      {1e300, 255, 32767, false, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ToByte(c.value), c.byte) << c.value;
    EXPECT_EQ(ToInteger(c.value), c.integer) << c.value;
    EXPECT_EQ(FitsByte(c.value), c.fitsByte) << c.value;
    EXPECT_EQ(FitsInteger(c.value), c.fitsInteger) << c.value;
  }
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(ToByte(inf), 255);
  EXPECT_EQ(ToInteger(-inf), -32768);
  EXPECT_EQ(ToByte(nan), 0);
  EXPECT_FALSE(FitsByte(nan));
  EXPECT_FALSE(FitsInteger(inf));
}

TEST(CharacterHelpers, CountCharactersNotBytes) {
  EXPECT_EQ(CharCount(""), 0u);
  EXPECT_EQ(CharCount("é"), 1u);
  EXPECT_EQ(CharCount("Arrêt"), 5u);
  EXPECT_EQ(PadTwo("5"), "05");
  EXPECT_EQ(PadTwo("é"), "0é");
  EXPECT_EQ(PadTwo("12"), "12");
  EXPECT_EQ(PadTwo(""), "");
  EXPECT_EQ(PadTwo("123"), "123");
  EXPECT_EQ(LeftChars("-h:é5", 3), "-h:");
  EXPECT_EQ(LeftChars("éèà", 2), "éè");
  EXPECT_EQ(LeftChars("ab", 5), "ab");
  EXPECT_EQ(MidChars("éèà", 1), "èà");
  EXPECT_EQ(MidChars("-t:", 3), "");
  EXPECT_EQ(MidChars("ab", 9), "");
}

TEST(Ansi, RoundTripsWindows1252) {
  EXPECT_EQ(Utf8ToAnsi("Arrêt dans 3s ..."), "Arr\xEAt dans 3s ...");
  EXPECT_EQ(Utf8ToAnsi("€ œ … ™"), "\x80 \x9C \x85 \x99");
  EXPECT_EQ(Utf8ToAnsi("日本"), "??");
  EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a?");       // cut sequence
  EXPECT_EQ(Utf8ToAnsi("\xC0\x80x"), "??x");  // overlong NUL is not smuggled in
  EXPECT_EQ(AnsiToUtf8("Machine \xE0 caf\xE9"), "Machine à café");
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

struct SplitCase {
  const char* comm;
  const char* separator;
  std::vector<std::string> tokens;
};

TEST(TraiteCommande, SplitsLikeTheProgramAlwaysHas) {
  const SplitCase cases[] = {
      {"", " ", {}},
      {"    ", " ", {}},
      {"-a", " ", {"-a"}},
      {"  -a   -t:0,10,0  -m ", " ", {"-a", "-t:0,10,0", "-m"}},
      {"1,2,3", ",", {"1", "2", "3"}},
      {"1,,3", ",", {"1", "", "3"}},
      {",,,", ",", {"", "", ""}},
      {"1,", ",", {"1"}},
      {",", ",", {""}},
      {"1, 2 ,3", ",", {"1", " 2 ", "3"}},  // blanks after a comma stay with the next token
      {"5", ",", {"5"}},
      {"a b", "", {"a b"}},  // no separator cannot loop forever
      {"é,è", ",", {"é", "è"}},
  };
  for (const auto& c : cases) EXPECT_EQ(TraiteCommande(c.comm, c.separator), c.tokens) << '"' << c.comm << '"';
}

}  // namespace
