#include "ui/png_file.h"

#include <wincodec.h>

#include <cstdio>

#include "win/com_ptr.h"

namespace ui {

namespace {

std::string Failed(const char* step, HRESULT hr) {
  char text[96];
  std::snprintf(text, sizeof text, "%s failed (0x%08lX)", step, static_cast<unsigned long>(hr));
  return text;
}

}  // namespace

std::string WritePng(const MemoryBitmap& bitmap, const wchar_t* path) {
  if (!bitmap.Valid()) return "no bitmap to write";
  win::ComPtr<IWICImagingFactory> factory;
  HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IWICImagingFactory, reinterpret_cast<void**>(&factory));
  if (FAILED(hr)) return Failed("creating the imaging factory", hr);
  win::ComPtr<IWICStream> stream;
  hr = factory->CreateStream(&stream);
  if (FAILED(hr)) return Failed("creating a stream", hr);
  hr = stream->InitializeFromFilename(path, GENERIC_WRITE);
  if (FAILED(hr)) return Failed("opening the file", hr);
  win::ComPtr<IWICBitmapEncoder> encoder;
  hr = factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder);
  if (FAILED(hr)) return Failed("creating the PNG encoder", hr);
  hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
  if (FAILED(hr)) return Failed("starting the PNG encoder", hr);
  win::ComPtr<IWICBitmapFrameEncode> frame;
  hr = encoder->CreateNewFrame(&frame, nullptr);
  if (FAILED(hr)) return Failed("creating the image frame", hr);
  hr = frame->Initialize(nullptr);
  if (FAILED(hr)) return Failed("starting the image frame", hr);
  const UINT width = static_cast<UINT>(bitmap.Width());
  const UINT height = static_cast<UINT>(bitmap.Height());
  hr = frame->SetSize(width, height);
  if (FAILED(hr)) return Failed("setting the image size", hr);
  // The bitmap's pixels are 0x00RRGGBB, that is B, G, R and an unused byte in memory; the frame
  // converts them to whichever format the encoder settles on.
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
  hr = frame->SetPixelFormat(&format);
  if (FAILED(hr)) return Failed("setting the pixel format", hr);
  const UINT stride = width * 4;
  win::ComPtr<IWICBitmap> source;
  hr = factory->CreateBitmapFromMemory(
      width, height, GUID_WICPixelFormat32bppBGR, stride, stride * height,
      reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(bitmap.Pixels())), &source);
  if (FAILED(hr)) return Failed("wrapping the pixels", hr);
  hr = frame->WriteSource(source.Get(), nullptr);
  if (FAILED(hr)) return Failed("writing the pixels", hr);
  hr = frame->Commit();
  if (FAILED(hr)) return Failed("finishing the image frame", hr);
  hr = encoder->Commit();
  if (FAILED(hr)) return Failed("finishing the PNG file", hr);
  return {};
}

}  // namespace ui
