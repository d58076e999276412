// A document of some days (a week unless told) of 1 s items as a read keeps it: each item's first
// 32000 values (so the program counts it cut), the period Locked so that nothing refreshes it, for
// Varnel.HdaSim.1 unless another server is named.
#pragma once

#include <string>
#include <vector>

#include "document/varnel_doc.h"
#include "platform/wide.h"

namespace gui {

// Saves it as <dir>\<name> and returns the path; empty when it could not be saved.
inline std::wstring WriteLongDocument(const std::wstring& dir, const std::wstring& name,
                                      const std::vector<const char16_t*>& items, int days = 7,
                                      const char16_t* server_name = u"Varnel.HdaSim.1") {
  TVarnelDoc doc;
  doc.Period = kPeriodCustom;
  doc.StartTime = 1623024000000.0;  // Monday 2021-06-07 00:00 UTC
  doc.StopTime = doc.StartTime + days * 86400000.0;
  doc.Live = false;
  doc.Locked = true;
  HdaServerDef server;
  server.ServerName = server_name;
  ConnectionInfo& info = doc.FindOrAddConnection(server);
  for (const char16_t* item : items) {
    info.AddItemName(item);
    TWave wave;
    wave.ServerName = server.ServerName;
    wave.ItemName = item;
    for (int i = 0; i < 32000; ++i) {
      wave.T.push_back(doc.StartTime + 1000.0 * i);
      wave.Y.push_back(0);
    }
    doc.Waves.push_back(std::move(wave));
  }
  const std::wstring path = dir + L"\\" + name;
  return doc.Save(platform::U16(path.c_str())) ? std::wstring() : path;
}

}  // namespace gui
