// The largest document a read produces: 10 numeric waves of 32000 points over the document's
// period, saved for the timing programs that open it in Varnel.exe. Two shapes of values: noise
// over 50 units at every point (the worst case for markers, each pixel column holding points of
// every height), and random walks with a slow sine, as process values move (the shape of
// graph_redraw.cpp's graph).
#pragma once

#include <cmath>
#include <string>

#include "document/varnel_doc.h"
#include "platform/wide.h"

namespace bench {

inline constexpr int kBigWaves = 10;
inline constexpr int kBigPoints = 32000;

enum class WaveShape { Noise, RandomWalk };

// Writes <dir>\<name> and returns its path.
inline std::wstring WriteBigDocument(const std::wstring& dir, const std::wstring& name,
                                     WaveShape shape = WaveShape::Noise) {
  TVarnelDoc doc;
  HdaServerDef server;
  server.ServerName = u"Varnel.HdaSim.1";
  ConnectionInfo& info = doc.FindOrAddConnection(server);
  const double span = doc.StopTime - doc.StartTime;
  for (int w = 0; w < kBigWaves; ++w) {
    const std::u16string wave_name =
        u"Waves/Bench " + std::u16string(1, static_cast<char16_t>(u'A' + w));
    info.AddItemName(wave_name.c_str());
    TWave wave;
    wave.ServerName = server.ServerName;
    wave.ItemName = wave_name.c_str();
    double level = 10.0 * w;
    unsigned seed = 12345u + static_cast<unsigned>(w);
    for (int i = 0; i < kBigPoints; ++i) {
      wave.T.push_back(doc.StartTime + span * i / (kBigPoints - 1));
      if (shape == WaveShape::Noise) {
        wave.Y.push_back(100.0 * w + 50.0 * ((i * 7919 + w * 104729) % 1000) / 1000.0);
      } else {
        seed = seed * 1103515245u + 12345u;
        level += static_cast<double>(static_cast<int>((seed >> 16) % 2001) - 1000) / 1000.0;
        wave.Y.push_back(level + 20 * std::sin(i * 0.001 * (w + 1)));
      }
    }
    doc.Waves.push_back(std::move(wave));
  }
  const std::wstring path = dir + L"\\" + name;
  // A document that cannot be written leaves nothing to measure: the caller finds no file.
  if (doc.Save(platform::U16(path.c_str()))) return std::wstring();
  return path;
}

}  // namespace bench
