// Numbers read from and written to text, rounding, characters, ANSI and the splitter.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>

#include "text/Text.h"

namespace {

TEST(NumericValue, ReadsTheNumberAtTheStartRoundedAsTheCLibraryDoes) {
  const std::pair<const char*, double> cases[] = {
      {"", 0},         {"abc", 0},    {" 1 2 ", 12}, {"- 5", -5},   {"+7", 7},      {"1.5", 1.5},       {".5", 0.5},
      {"1.2.3", 1.2},  {"1,5", 1},    {"12abc", 12}, {"1E+2", 100}, {"25e-1", 2.5}, {"1e", 1},          {"2d1", 20},
      {"&H10F", 271},  {"&O178", 15}, {"&X12", 0},   {"&H1@", 1},   {"--5", 0},     {"&ha9fAg", 43514}, {"&o17", 15},
      {" \r\t\n3", 3}, {"é5", 0},     {"5é", 5},     {"1e2x", 100}};
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(NumericValue(text), value) << '"' << text << '"';
  // Out of range is infinite or zero, never a wrapped small number.
  EXPECT_EQ(std::pair(NumericValue("1e999"), NumericValue(std::string(400, '9'))), std::pair(HUGE_VAL, HUGE_VAL));
  EXPECT_EQ(NumericValue("1e-999"), 0);
  EXPECT_GT(NumericValue("&H" + std::string(300, 'F')), 1e300);
  // The C library is the reference for the rounding.
  std::vector<std::string> texts = {
      "9007199254740993", "9007199254740993.000000000000000000000000001", "9007199254740995", "2.2250738585072011e-308",
      "2.4703282292062327e-324", "2.4703282292062328e-324", "4.9406564584124654e-324", "1.7976931348623158e308",
      "1.7976931348623159e308", "3e308", "1e-400", "0.000000000000000000000000000000000001e40",
      "1" + std::string(900, '0') + "e-900", "1." + std::string(850, '0') + "1",
      // Exactly halfway between 1 and the next double, then a hair above it.
      "1.00000000000000011102230246251565404236316680908203125",
      "1.00000000000000011102230246251565404236316680908203125" + std::string(800, '0') + "1"};
  std::mt19937_64 random(7);
  for (int i = 0; i < 3000; ++i) {
    std::string text;
    const int length = 1 + static_cast<int>(random() % 25);
    for (int k = 0; k < length; ++k) text += static_cast<char>('0' + random() % 10);
    if (random() % 2) text.insert(random() % text.size(), ".");
    texts.push_back(text + "e" + std::to_string(static_cast<int>(random() % 700) - 350));
  }
  for (const auto& text : texts) ASSERT_EQ(NumericValue(text), std::strtod(text.c_str(), nullptr)) << text;
}

// The program converts without the C library; the C library is the reference.
std::string LibraryNumberText(double value) {
  char buffer[64];
  const bool fixed = std::fabs(value) >= 1e-5 && std::fabs(value) < 1e15;
  for (int digits = 0; digits <= 30; ++digits) {
    std::snprintf(buffer, sizeof buffer, fixed ? "%.*f" : "%.*e", digits, value);
    if (std::strtod(buffer, nullptr) == value) break;
  }
  return buffer;
}

TEST(NumberText, ShortestFormThatReadsBackAsTheCLibraryWritesIt) {
  const std::pair<double, const char*> rows[] = {{7230, "7230"}, {1e6, "1000000"}, {0.25, "0.25"}, {-0.0, "0"}};
  for (const auto& [value, text] : rows) EXPECT_EQ(NumberText(value), text) << value;
  for (double v : {0.1 + 0.2, 1.0 / 3, 1e20, 1e-7, std::numeric_limits<double>::infinity()})
    EXPECT_EQ(NumericValue(NumberText(v)), v) << NumberText(v);
  std::mt19937_64 random(20261207);
  std::vector<double> values = {0.1, 0.5, 2.5, 1e15, 999999999999999.9, 1e-5, 9.99999999999999e-6, 1e23, 5e-324};
  values.insert(values.end(), {2.2250738585072014e-308, 2.2250738585072009e-308, 1.7976931348623157e308,
                               9007199254740993.0, 0.3, 123456.789, 4.35, 0.000015});
  for (int i = 0; i < 100; ++i) {
    const double v = std::bit_cast<double>(random());
    if (std::isfinite(v) && v != 0) values.push_back(v);
    values.push_back(static_cast<double>(random() % 100000) / 1000);  // the everyday kind
  }
  for (double v : values)
    for (double x : {v, -v}) ASSERT_EQ(NumberText(x), LibraryNumberText(x)) << x;
}

TEST(Rounding, HalvesToEvenAndNothingWraps) {
  const std::tuple<double, int, int, bool, bool> rows[] = {
      {0.5, 0, 0, true, true},           {1.5, 2, 2, true, true},
      {2.5, 2, 2, true, true},           {254.5, 254, 254, true, true},
      {255.5, 255, 256, false, true},    {-0.5, 0, 0, true, true},
      {-1.5, 0, -2, false, true},        {32767.5, 255, 32767, false, false},
      {-1e300, 0, -32768, false, false}, {NAN, 0, 0, false, false},
      {-32768, 0, -32768, false, true},  {32767, 255, 32767, false, true}};
  for (const auto& [value, byte, integer, fitsByte, fitsInteger] : rows)
    EXPECT_EQ(std::tuple(ToByte(value), ToInteger(value), FitsByte(value), FitsInteger(value)),
              std::tuple(byte, integer, fitsByte, fitsInteger))
        << value;
}

TEST(Characters, CountedNotBytesAndAnsiIsWindows1252BothWays) {
  EXPECT_EQ(CharCount("Arrêt"), 5u);
  EXPECT_EQ(PadTwo("5") + PadTwo("é") + PadTwo("12") + PadTwo(""), "050é12");
  EXPECT_EQ(LeftChars("éèà", 2) + "|" + MidChars("éèà", 1) + "|" + MidChars("-t:", 3) + MidChars("ab", 9), "éè|èà|");
  // ANSI is Windows-1252, both ways.
  EXPECT_EQ(Utf8ToAnsi("Arrêt € œ"), "Arr\xEAt \x80 \x9C");
  EXPECT_EQ(Utf8ToAnsi("日😀a\xC3"), "??a?");           // unknown and cut characters
  EXPECT_EQ(Utf8ToAnsi("\xC0\x80x\xC2\x80"), "??x?");  // no NUL smuggled in by an overlong form; U+0080 is one
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST(TraiteCommande, SplitsLikeTheProgramAlwaysHas) {
  using V = std::vector<std::string>;
  // Blanks after a comma stay with the next field; an empty separator cannot loop forever.
  const std::tuple<const char*, const char*, V> cases[] = {{"   ", " ", {}},
                                                           {"  -a   -t:0,10,0  -m ", " ", {"-a", "-t:0,10,0", "-m"}},
                                                           {"1,,3", ",", {"1", "", "3"}},
                                                           {",,,", ",", {"", "", ""}},
                                                           {"1,", ",", {"1"}},
                                                           {"1, 2 ,3", ",", {"1", " 2 ", "3"}},
                                                           {"a b", "", {"a b"}}};
  for (const auto& [comm, separator, tokens] : cases) EXPECT_EQ(TraiteCommande(comm, separator), tokens) << comm;
}

}  // namespace
