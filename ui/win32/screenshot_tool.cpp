// Saves a picture of the Windows editor window on the sample game with the
// first building selected, as the user sees it after clicking that row, taken
// from the screen with the window's frame (run it under Wine with a display):
//   screenshot_tool.exe docs/screenshot-windows.png
#include <windows.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "rules/rules_document.h"
#include "ui/win32/main_window.h"
#include "ui/win32/sample_game_folder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void appendBigEndian(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void appendChunk(Bytes& out, const char* type, const Bytes& data) {
  appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  Bytes typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  out.insert(out.end(), typed.begin(), typed.end());
  appendBigEndian(
      out, static_cast<std::uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

// A PNG of 8-bit RGB rows, each row given as width * 3 bytes.
Bytes encodePng(int width, int height, const Bytes& rgb) {
  Bytes raw;
  for (int row = 0; row < height; ++row) {
    raw.push_back(0);  // no filter
    const auto begin = rgb.begin() + static_cast<std::ptrdiff_t>(row) * width * 3;
    raw.insert(raw.end(), begin, begin + width * 3);
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  Bytes packed(packedSize);
  compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9);
  packed.resize(packedSize);

  Bytes header;
  appendBigEndian(header, static_cast<std::uint32_t>(width));
  appendBigEndian(header, static_cast<std::uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  appendChunk(png, "IHDR", header);
  appendChunk(png, "IDAT", packed);
  appendChunk(png, "IEND", {});
  return png;
}

// The screen's pixels under the window, frame included, as RGB rows.
Bytes captureWindow(HWND window, int& width, int& height) {
  RECT place{};
  GetWindowRect(window, &place);
  width = place.right - place.left;
  height = place.bottom - place.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  const HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY);
  Bytes rgb;
  rgb.reserve(static_cast<std::size_t>(width) * height * 3);
  const auto* bgra = static_cast<const std::uint8_t*>(pixels);
  for (int pixel = 0; pixel < width * height; ++pixel) {
    rgb.push_back(bgra[pixel * 4 + 2]);
    rgb.push_back(bgra[pixel * 4 + 1]);
    rgb.push_back(bgra[pixel * 4]);
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return rgb;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: screenshot_tool OUTPUT.png\n");
    return 2;
  }
  const vantrel::win32::SampleGameFolder folder;
  if (!folder.isValid()) {
    std::fprintf(stderr, "screenshot_tool: could not prepare the sample game folder\n");
    return 1;
  }
  vantrel::RulesDocument document;
  const auto window = vantrel::win32::openMainWindow(document, folder.paths());
  HWND entities = window->control(vantrel::kEntityList);
  if (SendMessageW(entities, LB_GETCOUNT, 0, 0) <= 0) {
    std::fprintf(stderr, "screenshot_tool: the sample rules listed no entities\n");
    return 1;
  }
  // The first row, selected as a click selects it: the list tells the window.
  SendMessageW(entities, LB_SETCURSEL, 0, 0);
  SendMessageW(window->handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(entities), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(entities));
  SetFocus(entities);
  RedrawWindow(window->handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  for (int round = 0; round < 10; ++round) {  // let the display catch up
    window->processPendingEvents();
    Sleep(50);
  }
  int width = 0;
  int height = 0;
  const Bytes rgb = captureWindow(window->handle(), width, height);
  const Bytes png = encodePng(width, height, rgb);
  FILE* out = std::fopen(argv[1], "wb");
  if (!out || std::fwrite(png.data(), 1, png.size(), out) != png.size() || std::fclose(out) != 0) {
    std::fprintf(stderr, "screenshot_tool: could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
