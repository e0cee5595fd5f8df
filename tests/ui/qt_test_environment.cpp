// One QApplication for the whole test program, made when the tests start (not when CTest only lists
// them, which happens at build time and without a display).

#include <gtest/gtest.h>

#include <QApplication>
#include <array>
#include <memory>

namespace {

struct QtEnvironment : testing::Environment {
  void SetUp() override { app_ = std::make_unique<QApplication>(argc_, argv_.data()); }
  void TearDown() override { app_.reset(); }
  int argc_ = 1;
  char name_[16] = "hosting-tests";
  std::array<char*, 2> argv_{name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] testing::Environment* const kQtEnvironment =
    testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
