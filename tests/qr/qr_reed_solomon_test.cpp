// GF(256) arithmetic, polynomials and the Reed-Solomon encoder.

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

#include "qr/gf_poly_divisible.h"
#include "qr/qr_error.h"
#include "qr/rs_encoder.h"
#include "qr_test_support.h"

namespace hosting::qr {
namespace {

std::vector<std::uint8_t> RandomBytes(std::mt19937& random, std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  for (auto& b : bytes) {
    b = static_cast<std::uint8_t>(random());
  }
  return bytes;
}

// Horner evaluation of the codeword (highest degree first) at a.
std::uint8_t Evaluate(const GF256& field, const std::vector<std::uint8_t>& codeword,
                      std::uint8_t a) {
  std::uint8_t value = 0;
  for (const std::uint8_t c : codeword) {
    value = static_cast<std::uint8_t>(field.Multiply(value, a) ^ c);
  }
  return value;
}

TEST(QrReedSolomon, FieldTablesAreConsistent) {
  const GF256& field = QrCodeField();
  EXPECT_EQ(field.Exp(8), 0x1D);  // x^8 = x^4 + x^3 + x^2 + 1 under 0x11D
  for (int a = 1; a < 256; ++a) {
    const auto value = static_cast<std::uint8_t>(a);
    EXPECT_EQ(field.Exp(field.Log(value)), value);
    EXPECT_EQ(field.Multiply(value, field.Inverse(value)), 1);
  }
  EXPECT_EQ(field.Multiply(0, 7), 0);
  EXPECT_EQ(DataMatrixField().Exp(8), 0x2D);
}

TEST(QrReedSolomon, CodewordsHaveZeroSyndromes) {
  const GF256& field = QrCodeField();
  std::mt19937 random(7);
  for (const int ecBytes : {7, 10, 13, 17, 22, 26, 30}) {
    for (const std::size_t dataBytes : {1U, 19U, 55U, 122U}) {
      auto block = RandomBytes(random, dataBytes);
      block.resize(dataBytes + static_cast<std::size_t>(ecBytes));
      QrReedSolomon().编码(block, ecBytes);
      // A codeword is a multiple of the generator: it vanishes at 2^0 .. 2^(ec-1).
      for (int i = 0; i < ecBytes; ++i) {
        ASSERT_EQ(Evaluate(field, block, field.Exp(i)), 0) << ecBytes << " " << dataBytes;
      }
    }
  }
  // All-zero data: the zero remainder is written as ec zero bytes.
  std::vector<std::uint8_t> zeros(12, 0xFF);
  std::fill(zeros.begin(), zeros.begin() + 5, 0);
  QrReedSolomon().编码(zeros, 7);
  EXPECT_EQ(zeros, std::vector<std::uint8_t>(12, 0));
  // Beyond the cached generators the encoder still works.
  auto wide = RandomBytes(random, 40);
  wide.resize(40 + 34);
  QrReedSolomon().编码(wide, 34);
  EXPECT_EQ(Evaluate(field, wide, field.Exp(33)), 0);
}

TEST(QrReedSolomon, ShortRemainderKeepsLeadingZeros) {
  // Blocks whose remainder has fewer than e coefficients: the EC bytes must stay right-aligned
  // behind a leading zero, or the codeword would not vanish at the generator's roots.
  const GF256& field = QrCodeField();
  std::mt19937 random(11);
  int found = 0;
  for (int attempt = 0; attempt < 20000 && found < 3; ++attempt) {
    auto block = RandomBytes(random, 3);
    block.resize(3 + 7);
    QrReedSolomon().编码(block, 7);
    if (block[3] == 0) {
      ++found;
      for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(Evaluate(field, block, field.Exp(i)), 0);
      }
    }
  }
  EXPECT_EQ(found, 3);
}

TEST(QrReedSolomon, PolynomialDivisionAndErrors) {
  const GF256& field = QrCodeField();
  std::mt19937 random(3);
  for (int i = 0; i < 50; ++i) {
    const GFPP dividend(field, RandomBytes(random, 1 + random() % 30));
    const GFP divisor(field, RandomBytes(random, 1 + random() % 10));
    if (divisor.IsZero()) {
      continue;
    }
    const auto [quotient, remainder] = dividend.分离(divisor);
    EXPECT_LT(remainder.Degree(), std::max(divisor.Degree(), 1));
    EXPECT_EQ(quotient.Multiply(divisor).加或减(remainder).Coefficients(), dividend.Coefficients());
  }
  const GFP zero(field, {0, 0});
  EXPECT_TRUE(zero.IsZero());
  EXPECT_EQ(GFP::构造单项式(field, 2, 5).Coefficients(), (std::vector<std::uint8_t>{5, 0, 0}));
  EXPECT_EQ(GFP(field, {1, 2}).叠加单项式(1, 2).Coefficients(),
            (std::vector<std::uint8_t>{2, 4, 0}));

  const GFP other(DataMatrixField(), {1, 1});
  const GFPP poly(field, {1, 1});
  const std::string prefix = "异常来源：[";
  EXPECT_EQ(test::ReportOf([&] { poly.加或减(other); }),
            prefix + "GFP]\r\n方法名称：加或减()\r\n异常信息：GF256信息不相同");
  EXPECT_EQ(test::ReportOf([&] { poly.Multiply(other); }),
            prefix + "GFP]\r\n方法名称：Multiply()\r\n异常信息：GF256信息不相同");
  EXPECT_EQ(test::ReportOf([&] { poly.叠加单项式(-1, 1); }),
            prefix + "GFP]\r\n方法名称：叠加单项式()\r\n异常信息：维度小于0");
  EXPECT_EQ(test::ReportOf([&] { GFP::构造单项式(field, -1, 1); }),
            prefix + "GFP]\r\n方法名称：构造单项式()\r\n异常信息：度小于0");
  EXPECT_EQ(test::ReportOf([&] { poly.分离(other); }),
            prefix + "GFPP]\r\n方法名称：分离()\r\n异常信息：GF256不同");
  EXPECT_EQ(test::ReportOf([&] { poly.分离(zero); }),
            prefix + "GFPP]\r\n方法名称：分离()\r\n异常信息：除数为0");
  EXPECT_EQ(test::ReportOf([] { RS编码器类 encoder(DataMatrixField()); }),
            prefix + "RS编码器类]\r\n方法名称：RS编码器()\r\n异常信息：GF标识不相同");
  std::vector<std::uint8_t> block(5, 1);
  EXPECT_EQ(test::ReportOf([&] { QrReedSolomon().编码(block, 0); }),
            prefix + "RS编码器类]\r\n方法名称：编码()\r\n异常信息：没有容错字节");
  EXPECT_EQ(test::ReportOf([&] { QrReedSolomon().编码(block, 5); }),
            prefix + "RS编码器类]\r\n方法名称：编码()\r\n异常信息：未提供数据字节");
}

}  // namespace
}  // namespace hosting::qr
