// The platform layer on Windows: entropy from the system's generator and one
// key read from the console with the console library's _getch.

// Asks <stdlib.h> for rand_s, which draws from the system's generator.
#define _CRT_RAND_S

#include <conio.h>
#include <stdlib.h>
#include <windows.h>

#include <chrono>
#include <string>

#include "key_decoder.h"
#include "platform.h"

namespace platform {
namespace {

// _getch announces an arrow or function key with 0 or 0xE0 and returns the
// key's code on the next call.
bool is_extended_key_prefix(int key) { return key == 0x00 || key == 0xE0; }

// Whether `bytes` hold a whole character in the console's code page.
bool is_whole_character(const std::string& bytes, UINT code_page) {
  if (code_page == CP_UTF8) return complete_key_length(bytes) != 0;
  const bool lead = IsDBCSLeadByteEx(code_page, static_cast<BYTE>(bytes[0]));
  return bytes.size() >= (lead ? 2U : 1U);
}

int read_key() {
  // _getch reads with Ctrl-C processing off, so every key counts, and gives
  // the console its modes back itself.
  const int key = _getch();
  if (is_extended_key_prefix(key)) {
    _getch();
    return key;
  }
  // A character of several bytes comes from _getch a byte at a time, all of
  // them at once; take what has come, without waiting for more.
  const UINT code_page = GetConsoleCP();
  std::string bytes(1, static_cast<char>(key));
  while (!is_whole_character(bytes, code_page) && _kbhit() != 0) {
    bytes += static_cast<char>(_getch());
  }
  return key;
}

}  // namespace

std::uint64_t entropy() {
  unsigned int high = 0;
  unsigned int low = 0;
  if (rand_s(&high) == 0 && rand_s(&low) == 0) {
    return (static_cast<std::uint64_t>(high) << 32U) | low;
  }
  // Still differs from run to run.
  return static_cast<std::uint64_t>(
             std::chrono::steady_clock::now().time_since_epoch().count()) ^
         GetCurrentProcessId();
}

int getch() {
  // The key comes from the console itself, never from standard input, which
  // may be a file or hold unread text. No console, no wait.
  const HANDLE console =
      CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE) return -1;
  DWORD mode = 0;
  int key = -1;
  if (GetConsoleMode(console, &mode) != 0) {
    // Only a key pressed now ends the wait, not one typed ahead; and what
    // came after the key is not left for the shell.
    FlushConsoleInputBuffer(console);
    key = read_key();
    FlushConsoleInputBuffer(console);
  }
  CloseHandle(console);
  return key;
}

}  // namespace platform
