// Every transport test program initialises the transport once, before any test starts a thread.
#include <gtest/gtest.h>

#include "net/transport.h"

namespace {

class TransportEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { hosting::net::InitTransport(); }
};

const auto* const kEnvironment = ::testing::AddGlobalTestEnvironment(new TransportEnvironment);

}  // namespace
