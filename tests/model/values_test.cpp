#include <gtest/gtest.h>

#include "model/values.h"

namespace rb {
namespace {

TEST(Values, FloatTextForm) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {123.5, "123.5"},         {150, "150"},       {0.25, "0.25"},   {1e-6, "1E-6"},
      {0.00001, "0.00001"},     {-2, "-2"},         {0, "0"},         {0.1 + 0.2, "0.3"},
      {1e15, "1E15"},           {999999999999999, "999999999999999"}, {1.5e20, "1.5E20"},
      {2.5e-7, "2.5E-7"},       {1234567.891, "1234567.891"},         {-0.0005, "-0.0005"},
      {1.0 / 3.0, "0.333333333333333"},
  };
  for (const Case& c : cases) EXPECT_EQ(floatToText(c.value), c.text) << c.value;
}

TEST(Values, ParsingTypedNumbers) {
  EXPECT_EQ(parseFloat(" 12.5 "), 12.5);
  EXPECT_EQ(parseFloat("-.5"), -0.5);
  EXPECT_EQ(parseFloat("1E-6"), 1e-6);
  EXPECT_FALSE(parseFloat("1,5"));
  EXPECT_EQ(parseFloat("1,5", true), 1.5);
  for (const char* bad : {"", "abc", "1.2.3", "1e", "nan", "inf", "0x10", "1 000"}) EXPECT_FALSE(parseFloat(bad)) << bad;
  // Too small for a double is zero; too large is refused.
  EXPECT_EQ(parseFloat("1E-400"), 0.0);
  EXPECT_EQ(parseFloat("-2.5e-330"), 0.0);
  EXPECT_EQ(parseFloat("4.94065645841247E-324"), 4.94065645841247E-324);
  EXPECT_FALSE(parseFloat("1E400"));
  EXPECT_EQ(parseInteger("+42"), 42);
  EXPECT_EQ(parseInteger("-7"), -7);
  for (const char* bad : {"", "2.5", "12a", "99999999999"}) EXPECT_FALSE(parseInteger(bad)) << bad;
}

TEST(Values, MoneyRounding) {
  struct Case {
    double x;
    double two;
    double one;
  };
  const Case cases[] = {
      {2.346, 2.35, 2.3}, {2.344, 2.34, 2.3}, {-2.346, -2.35, -2.3}, {1.25, 1.25, 1.3},
      {0.25, 0.25, 0.3},  {1.24, 1.24, 1.2},  {-1.24, -1.24, -1.2}, {0.05, 0.05, 0.1},
      {-0.25, -0.25, -0.3}, {0.005, 0.01, 0}, {0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(RoundTo2(c.x), c.two) << c.x;
    EXPECT_DOUBLE_EQ(RoundTo1(c.x), c.one) << c.x;
  }
  EXPECT_EQ(roundHalfEven(2.5), 2);
  EXPECT_EQ(roundHalfEven(3.5), 4);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
}

}  // namespace
}  // namespace rb
