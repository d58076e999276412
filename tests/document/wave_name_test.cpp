#include "document/wave_name.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string FullName(const char16_t* machine, const char16_t* server, const char16_t* item) {
  TWave wave;
  wave.MachineName = machine;
  wave.ServerName = server;
  wave.ItemName = item;
  const TString name = WaveFullName(wave);
  return std::u16string(name.Str(), name.Length());
}

TEST(WaveFullName, JoinsMachineServerAndItem) {
  EXPECT_EQ(FullName(u"host", u"Varnel.HdaSim.1", u"Waves/Sine 10s"),
            u"host::Varnel.HdaSim.1::Waves/Sine 10s");
  // The local machine leaves no empty first part.
  EXPECT_EQ(FullName(u"", u"Varnel.HdaSim.1", u"Waves/Sine 10s"),
            u"Varnel.HdaSim.1::Waves/Sine 10s");
  // Separators inside the parts are kept as they are.
  EXPECT_EQ(FullName(u"", u"S", u"a::b"), u"S::a::b");
}

}  // namespace
