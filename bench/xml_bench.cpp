// A document file of the largest kind: 10 waves of 32000 points, each point a "T" and a "Y" leaf
// with 3-decimal number texts. Writing it, reading every leaf back the way the document reader
// does (root, section, each wave, each point, then its leaves, resuming at the returned
// positions), and, as the reference, pugixml parsing the same bytes into its DOM.
#include <cstdlib>
#include <benchmark/benchmark.h>

#include <cmath>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "platform/file.h"
#include "text/numbers.h"
#include "xml/xml_doc.h"
#include "xml/xml_file.h"
#include "xml/xml_reader.h"

namespace {

constexpr int kWaves = 10;
constexpr int kPoints = 32000;
constexpr std::uint32_t kDocumentCapacity = 256000;  // what the document writer passes
constexpr char16_t kPath[] = u"varnel_bench_document.xml";

TXmlDoc* BuildDocument() {
  auto* doc = new TXmlDoc;
  auto* root = new TXmlNode(u"VarnelDoc");
  doc->SetRoot(root);
  auto* waves = new TXmlNode(u"Waves");
  root->AddChild(waves);
  NumberText number;
  for (int w = 0; w < kWaves; ++w) {
    auto* wave = new TXmlNode(u"Wave");
    waves->AddChild(wave);
    wave->AddChild(new TXmlChild(u"ItemName", u"Simulation.Sine"));
    for (int i = 0; i < kPoints; ++i) {
      auto* point = new TXmlNode(u"Point");
      wave->AddChild(point);
      FormatNumber(1.7e12 + i * 1000.0, 3, number);
      point->AddChild(new TXmlChild(u"T", number));
      FormatNumber(100 * std::sin(i * 0.01 + w), 3, number);
      point->AddChild(new TXmlChild(u"Y", number));
    }
  }
  return doc;
}

// The file, written once, as text for our reader and as bytes for pugixml.
struct Written {
  TString text;
  std::vector<char> bytes;
};

const Written& Document() {
  static const Written* written = [] {
    std::unique_ptr<TXmlDoc> doc(BuildDocument());
    doc->SaveAs(kPath, kDocumentCapacity);
    auto* w = new Written;
    if (XmlLoadFile(kPath, w->text) != XmlFileStatus::Read) std::abort();
    platform::File file;
    file.Open(kPath, platform::File::Mode::Read);
    w->bytes.resize(static_cast<std::size_t>(file.Size()));
    file.Read(w->bytes.data(), w->bytes.size());
    file.Close();
    platform::File::Remove(kPath);
    return w;
  }();
  return *written;
}

void BM_Xml_BuildAndWrite(benchmark::State& state) {
  for (auto _ : state) {
    std::unique_ptr<TXmlDoc> doc(BuildDocument());
    if (doc->SaveAs(kPath, kDocumentCapacity)) state.SkipWithError("write failed");
  }
  platform::File::Remove(kPath);
  state.counters["MB"] = static_cast<double>(Document().bytes.size()) / 1e6;
}
BENCHMARK(BM_Xml_BuildAndWrite)->Unit(benchmark::kMillisecond);

void BM_Xml_ReadEveryLeaf(benchmark::State& state) {
  const TString& text = Document().text;
  for (auto _ : state) {
    TString root, waves, wave, point;
    XmlFindElement(u"VarnelDoc", text.Str(), root);
    XmlFindElement(u"Waves", root.Str(), waves);
    double sum = 0;
    int count = 0;
    std::size_t wavePosition = 0;
    while (std::size_t waveStep = XmlFindElement(u"Wave", waves.Str() + wavePosition, wave)) {
      wavePosition += waveStep;
      std::size_t pointPosition = 0;
      while (std::size_t pointStep = XmlFindElement(u"Point", wave.Str() + pointPosition, point)) {
        pointPosition += pointStep;
        double t = 0, y = 0;
        XmlGetDouble(u"T", point.Str(), t);
        XmlGetDouble(u"Y", point.Str(), y);
        sum += t + y;
        ++count;
      }
    }
    if (count != kWaves * kPoints) state.SkipWithError("points missing");
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kWaves * kPoints * 2);
}
BENCHMARK(BM_Xml_ReadEveryLeaf)->Unit(benchmark::kMillisecond);

// The reference: pugixml's DOM parse of the same bytes (UTF-16LE with its mark).
void BM_Xml_PugixmlParse(benchmark::State& state) {
  const std::vector<char>& bytes = Document().bytes;
  for (auto _ : state) {
    pugi::xml_document doc;
    const pugi::xml_parse_result result =
        doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf16_le);
    if (!result) state.SkipWithError("pugixml parse failed");
    benchmark::DoNotOptimize(doc.first_child());
  }
}
BENCHMARK(BM_Xml_PugixmlParse)->Unit(benchmark::kMillisecond);

// The same parse, then every leaf converted to a number as our reader does.
void BM_Xml_PugixmlParseAndReadEveryLeaf(benchmark::State& state) {
  const std::vector<char>& bytes = Document().bytes;
  for (auto _ : state) {
    pugi::xml_document doc;
    doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf16_le);
    double sum = 0;
    int count = 0;
    for (pugi::xml_node wave : doc.child("VarnelDoc").child("Waves").children("Wave")) {
      for (pugi::xml_node point : wave.children("Point")) {
        sum += point.child("T").text().as_double() + point.child("Y").text().as_double();
        ++count;
      }
    }
    if (count != kWaves * kPoints) state.SkipWithError("points missing");
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kWaves * kPoints * 2);
}
BENCHMARK(BM_Xml_PugixmlParseAndReadEveryLeaf)->Unit(benchmark::kMillisecond);

}  // namespace
