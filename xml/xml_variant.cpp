// Value texts of the leaf elements.
#include "xml/xml_variant.h"

#include "text/assert_report.h"
#include "text/integer_text.h"
#include "text/numbers.h"

namespace {

constexpr int kDoubleDigits = 13;

// "E+005" -> "E+5", "E-07" -> "E-7"; a zero exponent keeps one digit.
std::uint32_t ShortenExponent(char16_t* text, std::uint32_t length) {
  std::uint32_t e = 0;
  while (e < length && text[e] != u'E') ++e;
  if (e == length) return length;
  std::uint32_t first = e + 1;
  if (first < length && (text[first] == u'+' || text[first] == u'-')) ++first;
  std::uint32_t zeros = first;
  while (zeros + 1 < length && text[zeros] == u'0') ++zeros;
  if (zeros == first) return length;
  std::uint32_t out = first;
  for (std::uint32_t in = zeros; in <= length; ++in) text[out++] = text[in];  // with the NUL
  return out - 1;
}

}  // namespace

void AppendXmlDouble(double value, TString& output) {
  NumberText text;
  std::uint32_t length = FormatGeneral(value, kDoubleDigits, text);
  length = ShortenExponent(text, length);
  output.Append(length, text);
}

void TXmlVariant::FillString(TString& output) const {
  switch (type) {
    case kXmlDouble:
      AppendXmlDouble(dblVal, output);
      break;
    case kXmlString:
      output.AddXml(bstrVal.Str(), false);
      break;
    case kXmlBool:
      AppendInteger(output, boolVal);
      break;
    case kXmlLong:
      AppendInteger(output, lVal);
      break;
    case kXmlUnsigned:
      AppendInteger(output, uintVal);
      break;
    default:
      AssertReport(u"TXmlVariant::FillString() called for unsuported type", false);
      break;
  }
}
