#include "ui/win32/wide_text.h"

#include <windows.h>

namespace vantrel::win32 {

namespace {

std::wstring toWide(std::string_view bytes, UINT codePage) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  const int length = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), length);
  return wide;
}

}  // namespace

std::wstring fromAnsiText(const Text& text) { return toWide(text, CP_ACP); }

std::wstring fromUtf8(std::string_view utf8) { return toWide(utf8, CP_UTF8); }

Text toAnsiText(const std::wstring& text) {
  const std::wstring_view untilZero(text.c_str());
  if (untilZero.empty()) return {};
  const int size = static_cast<int>(untilZero.size());
  const int length =
      WideCharToMultiByte(CP_ACP, 0, untilZero.data(), size, nullptr, 0, nullptr, nullptr);
  Text bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, untilZero.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

}  // namespace vantrel::win32
