// Reads ten items of 32000 values each from hdasim.exe through the HDA layer (connection list,
// Ambrel, proxy/stub, out of process) and prints the time per round of ten reads.
// Run in a prefix where hdasim.exe and the proxy/stub are registered.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "ambrel/ambrel.h"
#include "hda/connection_list.h"
#include "win/stopwatch.h"

namespace {

class TQuietMessages final : public IUserMessages {
 public:
  void ShowMessage(const TString&, TMessageKind) override { ++count; }
  int count = 0;
};

void __stdcall OnError(HRESULT, const char*) {}

}  // namespace

int main() {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_NONE,
                       RPC_C_IMP_LEVEL_IDENTIFY, nullptr, EOAC_NONE, nullptr);
  EnableHDAErrorNotification(&OnError);
  int status = 0;
  {
    TQuietMessages messages;
    THdaConnectionList list(messages);
    HdaServerDef server;
    server.ServerName = u"Varnel.HdaSim.1";
    const win::Stopwatch connecting;
    if (!list.Add(server)) {
      std::fprintf(stderr, "cannot connect to Varnel.HdaSim.1\n");
      return 1;
    }
    std::printf("connect: %.1f ms\n", connecting.Milliseconds());
    // Items sampled every second: 32000 seconds hold 32000 values.
    const char16_t* items[] = {
        u"Waves/Sine 1s",     u"Waves/Ramp 1s",        u"Waves/Saw 1s", u"Waves/Square 1s",
        u"Waves/Triangle 1s", u"Waves/Random walk 1s", u"Types/R8",     u"Types/R4",
        u"Types/I4",          u"Qualities/Cycling 1s"};
    const double start = 1622505600000.0;  // 2021-06-01 00:00 UTC
    const double stop = start + 32000 * 1000.0;
    std::vector<double> rounds;
    for (int round = 0; round < 6; ++round) {
      const win::Stopwatch reading;
      std::size_t points = 0;
      for (const char16_t* item : items) {
        TWave wave;
        wave.ServerName = server.ServerName;
        wave.ItemName = item;
        if (list.ReadWave(list.Id(0), wave, start, stop)) status = 1;
        points += wave.T.size();
      }
      const double ms = reading.Milliseconds();
      std::printf("round %d: %zu points in %.1f ms%s\n", round, points, ms,
                  round == 0 ? " (adds the items: handles and attributes)" : "");
      if (points != 320000) status = 1;
      if (round > 0) rounds.push_back(ms);
    }
    std::sort(rounds.begin(), rounds.end());
    std::printf("ten reads of 32000 values: median %.1f ms, min %.1f ms, max %.1f ms\n",
                rounds[rounds.size() / 2], rounds.front(), rounds.back());
  }
  CoUninitialize();
  return status;
}
